// The browser's picture list against the bare toolkit list on the same large folder, each on a
// window of its own with the same size and looks, timed on the window's thread: opening the
// folder until it is listed, wheel steps down and back, Select All, Invert Selection (medians of
// five, each from rest) and the pointer over every item's centre and top right corner. Whole
// rounds repeat, the list that goes first alternating, and the medians over the rounds are shown:
// neither list always finds the machine warmer or busier than the other.
//   list_bench FOLDER CACHE [ROUNDS]
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>
#include "PictureListView.h"
#include "../BenchClock.h"

namespace {

// The list reads its options from the application's profile.
class CListBenchApp : public CWinApp {
public:
    CListBenchApp() : CWinApp(L"ListBench") {}
};
CListBenchApp theBenchApp;

double Now() { return benchclock::Milliseconds(); }
using benchclock::PumpAll;

class BareView : public CKQPicListView {
public:
    ~BareView() override { StopAll(); }
};

struct Times {
    double open = 0, scroll = 0, selectAll = 0, invert = 0, hover = 0;
    int items = 0, hovered = 0;
};

bool ShowsLoading(const CKQPicListView& view, const KQ_PIC_LIST_VISIBLE& cell)
{
    return !cell.item.pImage || cell.item.pImage == &view.m_imgLoading[0] || cell.item.pImage == &view.m_imgLoading[1];
}

// The list at rest: every shown thumbnail made, no repaint asked for or running, and no message
// but timer ticks waiting for quietMs in a row. Each timed job starts from here, so that neither
// list pays inside its window for thumbnails, fades or posted relayouts the job before left.
void Settle(CKQPicListView& view, double quietMs)
{
    const double deadline = Now() + 20000;
    double quietSince = Now();
    while (Now() < deadline) {
        PumpAll();
        view.RecalclayoutIcon(true);
        bool loading = view.m_bPreviewUpdate;
        for (const KQ_PIC_LIST_VISIBLE& cell : view.m_visible)
            loading = loading || ShowsLoading(view, cell);
        // The repaint the timer would make at its next tick, made now.
        if (!loading && view.m_bRepaintNeeded.exchange(false))
            view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
        bool busy = loading || view.m_bAnimating;
        // The repaint timer ticks while the preview thread lives; a tick with nothing to repaint
        // is no work.
        MSG msg;
        busy = busy || ::PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_NOREMOVE) ||
               ::PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_NOREMOVE);
        if (busy)
            quietSince = Now();
        else if (Now() - quietSince >= quietMs)
            return;
        Sleep(1);
    }
    std::fprintf(stderr, "list_bench: not at rest after 20 s (previews %d, repaint %d, fading %d)\n",
                 int(view.m_bPreviewUpdate), int(view.m_bRepaintNeeded), int(view.m_bAnimating));
}

// Both lists show the same cells: names only, pictures kept in aspect, medium thumbnails. New
// thumbnails show at once: every job starts with the screen's thumbnails made, and their fade-in
// would only lengthen the waits between jobs.
void SameLooks(CKQPicListView& view)
{
    view.m_bShowName = true;
    view.m_bShowSize = view.m_bShowDate = false;
    view.m_nFitMode = 0;
    view.m_nAnimate = 0;
    // The preview thread hears of a new screen sooner: less waiting between pages.
    view.m_nIdleInterval = 5;
    view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_MEDIUM, false);
}

struct Jobs {
    std::function<void()> selectAll, invert;
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return 0;
    // An even count (two rounds, one in each order) takes the middle pair's mean.
    const size_t half = v.size() / 2;
    return v.size() % 2 ? v[half] : (v[half - 1] + v[half]) / 2;
}

// The short jobs run this often from rest; the median is shown.
const int kRepeats = 5;

// Each job runs on the view until its messages are handled.
Times Run(CKQPicListView& view, const wchar_t* folder, const wchar_t* cache, const Jobs& jobs)
{
    Times t;
    view.m_strThumbnailFolder = cache;
    view.m_bFolderPreview = false;
    if (!view.CreateEx(0, nullptr, L"ListBench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0))
        return t;
    SameLooks(view);
    PumpAll();
    std::vector<double> open, scroll, selectAll, invert;
    for (int r = 0; r < kRepeats; ++r) {
        const double start = Now();
        view.UpdateFolder(folder, false);
        while (view.IsScanning()) {
            PumpAll();
            Sleep(1);
        }
        PumpAll();
        view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
        open.push_back(Now() - start);
        Settle(view, 50);
    }
    t.items = view.GetItemCount();

    // The wheel steps go once untimed first: the timed ones find the thumbnails in memory, as
    // they are when the user scrolls back and forth, instead of racing the preview threads for
    // the cores.
    for (int r = 0; r <= kRepeats; ++r) {
        const double start = Now();
        for (int i = 0; i < 120; ++i) {
            view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(i < 60 ? -WHEEL_DELTA : WHEEL_DELTA)), 0);
            PumpAll();
        }
        if (r > 0)
            scroll.push_back(Now() - start);
        Settle(view, 50);
    }

    for (int r = 0; r < kRepeats; ++r) {
        double start = Now();
        jobs.selectAll();
        PumpAll();
        selectAll.push_back(Now() - start);
        Settle(view, 50);
        start = Now();
        jobs.invert();
        PumpAll();
        invert.push_back(Now() - start);
        view.Deselect();
        Settle(view, 50);
    }
    t.open = Median(open);
    t.scroll = Median(scroll);
    t.selectAll = Median(selectAll);
    t.invert = Median(invert);

    // The pointer over every item: a screen at a time, each cell's centre, then its top right
    // corner; then, untimed, a page down and the new screen's thumbnails.
    for (int page = 0; page < 100000 && t.hovered < t.items; ++page) {
        const int before = t.hovered;
        const double start = Now();
        for (size_t c = 0; c < view.m_visible.size(); ++c) {
            const KQ_PIC_LIST_VISIBLE cell = view.m_visible[c];
            if (cell.index < before)
                continue;
            const int top = view.m_nType == KQ_TOOLBAR_TOP ? view.m_nHeight : 0;
            const CPoint middle = cell.rect.CenterPoint() + CPoint(0, top);
            // The top right corner: the browser's item button lights there.
            const CPoint corner(cell.rect.right - 8, cell.rect.top + top + 8);
            view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
            view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(corner.x, corner.y));
            t.hovered = std::max(t.hovered, cell.index + 1);
        }
        PumpAll();
        t.hover += Now() - start;
        view.SendMessage(WM_KEYDOWN, VK_NEXT, 0);
        Settle(view, 10);
        if (t.hovered == before)
            break;
    }
    view.DestroyWindow();
    PumpAll();
    return t;
}

Times MedianOf(const std::vector<Times>& rounds)
{
    Times m;
    auto median = [&](double Times::*job) {
        std::vector<double> v;
        for (const Times& t : rounds)
            v.push_back(t.*job);
        return Median(v);
    };
    m.open = median(&Times::open);
    m.scroll = median(&Times::scroll);
    m.selectAll = median(&Times::selectAll);
    m.invert = median(&Times::invert);
    m.hover = median(&Times::hover);
    for (const Times& t : rounds) {
        m.items = t.items;
        m.hovered = t.hovered;
    }
    return m;
}

Times RunBare(const wchar_t* folder, const wchar_t* cache)
{
    // The toolkit list has no Invert Selection: each state flips, then one layout and repaint,
    // as the browser's command does.
    BareView bare;
    return Run(bare, folder, cache,
               {[&] { bare.SelectAll(); },
                [&] {
                    for (int i = 0; i < bare.GetItemCount(); ++i) {
                        const bool selected = (bare.GetItemState(i) & KQLS_SELECTED) != 0;
                        bare.SetItemState(i, selected ? 0 : KQLS_SELECTED, selected ? KQLS_SELECTED : 0);
                    }
                    bare.RecalclayoutIcon(true);
                    bare.DrawListView();
                }});
}

Times RunBrowser(const wchar_t* folder, const wchar_t* cache)
{
    // The browser's own commands, as Ctrl+A and the menu run them.
    CPictureListView browser;
    browser.m_messageBox = [](const wchar_t*, UINT) { return IDCANCEL; };
    return Run(browser, folder, cache, {[&] { browser.SelectAllItems(); }, [&] { browser.InvertSelection(); }});
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "list_bench FOLDER CACHE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    std::vector<Times> bareRounds, browserRounds;
    bool same = true;
    for (int r = 0; r < rounds; ++r) {
        // Even rounds time the bare list first, odd ones the browser's.
        if (r % 2 == 0) {
            bareRounds.push_back(RunBare(argv[1], argv[2]));
            browserRounds.push_back(RunBrowser(argv[1], argv[2]));
        } else {
            browserRounds.push_back(RunBrowser(argv[1], argv[2]));
            bareRounds.push_back(RunBare(argv[1], argv[2]));
        }
        const Times& b = bareRounds.back();
        const Times& p = browserRounds.back();
        same = same && p.items > 0 && b.items == p.items;
        std::fprintf(stderr, "round %d of %d (%s first): pointer bare %.1f, browser %.1f ms\n", r + 1, rounds,
                     r % 2 == 0 ? "bare" : "browser", b.hover, p.hover);
    }
    const Times b = MedianOf(bareRounds);
    const Times p = MedianOf(browserRounds);
    std::printf("%d entries (bare list %d hovered, browser list %d hovered), medians of %d rounds, the first list\n"
                "alternating, ms on the window's thread:\n",
                p.items, b.hovered, p.hovered, rounds);
    std::printf("  %-34s %10s %10s %7s\n", "job", "bare", "browser", "ratio");
    const struct {
        const char* name;
        double bare, browser;
    } rows[] = {{"open until listed", b.open, p.open},
                {"120 wheel steps down and back", b.scroll, p.scroll},
                {"Select All", b.selectAll, p.selectAll},
                {"Invert Selection", b.invert, p.invert},
                {"pointer over every item and corner", b.hover, p.hover}};
    for (const auto& r : rows)
        std::printf("  %-34s %10.1f %10.1f %7.2f\n", r.name, r.bare, r.browser, r.browser / std::max(r.bare, 1e-6));
    std::printf("  (reach: 1.1 x the bare list per job)\n");
    return same ? 0 : 1;
}

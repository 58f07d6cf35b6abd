// The browser's picture list against the bare toolkit list on the same large folder, each on a
// window of its own and timed on the window's thread: opening the folder until it is listed,
// wheel steps down and back, Select All, Invert Selection and the pointer over every item.
//   list_bench FOLDER CACHE
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <functional>
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

// Each job runs on the view until its messages are handled.
Times Run(CKQPicListView& view, const wchar_t* folder, const wchar_t* cache, const std::function<void()>& invert)
{
    Times t;
    view.m_strThumbnailFolder = cache;
    view.m_bFolderPreview = false;
    if (!view.CreateEx(0, nullptr, L"ListBench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0))
        return t;
    PumpAll();
    double start = Now();
    view.UpdateFolder(folder, false);
    while (view.IsScanning()) {
        PumpAll();
        Sleep(1);
    }
    PumpAll();
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    t.open = Now() - start;
    t.items = view.GetItemCount();

    start = Now();
    for (int i = 0; i < 120; ++i) {
        view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(i < 60 ? -WHEEL_DELTA : WHEEL_DELTA)), 0);
        PumpAll();
    }
    t.scroll = Now() - start;

    start = Now();
    view.SelectAll();
    PumpAll();
    t.selectAll = Now() - start;
    start = Now();
    invert();
    PumpAll();
    t.invert = Now() - start;
    view.Deselect();
    PumpAll();

    // The pointer over every item: a screen at a time, each cell's centre, then a page down.
    start = Now();
    for (int page = 0; page < 100000 && t.hovered < t.items; ++page) {
        const int before = t.hovered;
        for (size_t c = 0; c < view.m_visible.size(); ++c) {
            const KQ_PIC_LIST_VISIBLE cell = view.m_visible[c];
            if (cell.index < before)
                continue;
            CPoint at = cell.rect.CenterPoint();
            if (view.m_nType == KQ_TOOLBAR_TOP)
                at.y += view.m_nHeight;
            view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
            t.hovered = std::max(t.hovered, cell.index + 1);
        }
        PumpAll();
        view.SendMessage(WM_KEYDOWN, VK_NEXT, 0);
        PumpAll();
        if (t.hovered == before)
            break;
    }
    t.hover = Now() - start;
    view.DestroyWindow();
    PumpAll();
    return t;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "list_bench FOLDER CACHE\n");
        return 2;
    }
    BareView bare;
    const Times b = Run(bare, argv[1], argv[2], [&] {
        for (int i = 0; i < bare.GetItemCount(); ++i)
            bare.ToggleSelectItem(i, false);
        bare.RecalclayoutIcon(true);
    });
    CPictureListView browser;
    browser.m_messageBox = [](const wchar_t*, UINT) { return IDCANCEL; };
    const Times p = Run(browser, argv[1], argv[2], [&] { browser.InvertSelection(); });
    std::printf("%d entries (bare list %d hovered, browser list %d hovered), ms on the window's thread:\n", p.items,
                b.hovered, p.hovered);
    std::printf("  %-34s %10s %10s %7s\n", "job", "bare", "browser", "ratio");
    const struct {
        const char* name;
        double bare, browser;
    } rows[] = {{"open until listed", b.open, p.open},
                {"120 wheel steps down and back", b.scroll, p.scroll},
                {"Select All", b.selectAll, p.selectAll},
                {"Invert Selection", b.invert, p.invert},
                {"pointer over every item", b.hover, p.hover}};
    for (const auto& r : rows)
        std::printf("  %-34s %10.1f %10.1f %7.2f\n", r.name, r.bare, r.browser, r.browser / std::max(r.bare, 1e-6));
    std::printf("  (reach: 1.1 x the bare list per job)\n");
    return p.items > 0 && b.items == p.items ? 0 : 1;
}

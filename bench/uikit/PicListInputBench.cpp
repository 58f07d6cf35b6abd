// The picture list's interaction on a large folder, timed on the window's thread against the
// median wheel step of the same window: select all, deselect, a Shift-click from the first
// entry to the last, a band dragged over 1,000 cells while the list scrolls under it, twenty
// type-ahead letters (each a whole pass: no entry begins with them) and the removal of 5,000
// selected entries from the list (the files stay).
//   piclist_bench input FOLDER CACHE
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "KQPicListView.h"
#include "../BenchClock.h"

// Named: the bench's files are compiled as one unit.
namespace inputbench {

double Now() { return benchclock::Milliseconds(); }
using benchclock::PumpAll;

class InputBenchView : public CKQPicListView {
public:
    ~InputBenchView() override { StopAll(); }
};

struct Job {
    const char* name;
    double longest = 0; // the longest single message or call, ms
    double total = 0;
    int steps = 0;
    void Add(double ms)
    {
        longest = std::max(longest, ms);
        total += ms;
        ++steps;
    }
};

int Run(const wchar_t* folder, const wchar_t* cache)
{
    InputBenchView view;
    view.m_strThumbnailFolder = cache;
    view.m_bFolderPreview = false;
    if (!view.CreateEx(0, nullptr, L"PicListInputBench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0))
        return 1;
    view.SendMessage(KQLV_MSG_UPDATE_FOLDER, 0, LPARAM(folder));
    while (view.IsScanning()) {
        PumpAll();
        Sleep(1);
    }
    PumpAll();
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    const int count = view.GetItemCount();
    auto timed = [&](Job& job, UINT message, WPARAM wParam, int x, int y) {
        const double start = Now();
        view.SendMessage(message, wParam, MAKELPARAM(x, y));
        job.Add(Now() - start);
        PumpAll();
    };
    auto call = [&](Job& job, auto&& work) {
        const double start = Now();
        work();
        job.Add(Now() - start);
        PumpAll();
    };

    // The yardstick: wheel steps down and back.
    std::vector<double> wheel;
    for (int i = 0; i < 120; ++i) {
        const double start = Now();
        view.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(i < 60 ? -WHEEL_DELTA : WHEEL_DELTA)), 0);
        wheel.push_back(Now() - start);
        PumpAll();
    }
    std::sort(wheel.begin(), wheel.end());
    const double median = wheel[wheel.size() / 2];

    std::vector<Job> jobs;
    Job selectAll{"select all"}, deselect{"deselect"}, shift{"Shift-click first to last"}, band{"band over 1,000 cells, scrolling"},
        typing{"20 type-ahead letters"}, removal{"remove 5,000 selected"};
    call(selectAll, [&] { view.SelectAll(); });
    call(deselect, [&] { view.Deselect(); });

    // Shift-click: the first entry selected by a click, then the last with Shift.
    view.SendMessage(WM_KEYDOWN, VK_HOME, 0);
    PumpAll();
    CPoint first = view.m_visible.front().rect.CenterPoint();
    view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(first.x, first.y));
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
    view.SendMessage(WM_KEYDOWN, VK_END, 0);
    PumpAll();
    const CPoint last = view.m_visible.back().rect.CenterPoint();
    view.SendMessage(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(last.x, last.y));
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(last.x, last.y));
    timed(shift, WM_LBUTTONUP, MK_SHIFT, last.x, last.y);
    int selected = 0;
    for (int i = 0; i < count; ++i)
        selected += (view.GetItemState(i) & KQLS_SELECTED) ? 1 : 0;
    view.Deselect();

    // The band: from the top left to the bottom edge, then the smooth-scroll steps (the timer's
    // messages sent at once rather than waited for) until 1,000 cells lie under it.
    view.SendMessage(WM_KEYDOWN, VK_HOME, 0);
    PumpAll();
    const int bottom = view.m_nClientHeight - 3, right = view.m_layout.width - 5;
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    timed(band, WM_MOUSEMOVE, MK_LBUTTON, right, bottom);
    int banded = 0;
    for (int guard = 0; guard < 100000 && view.m_nSmoothStep; ++guard) {
        timed(band, WM_TIMER, 1, 0, 0);
        if (view.m_nFirstVisible + view.m_nVisibleCount >= 1000)
            break;
    }
    timed(band, WM_LBUTTONUP, 0, right, bottom);
    for (int i = 0; i < count; ++i)
        banded += (view.GetItemState(i) & KQLS_SELECTED) ? 1 : 0;
    view.Deselect();

    // Type-ahead: letters that no name begins with walk every entry once.
    for (int i = 0; i < 20; ++i)
        timed(typing, WM_CHAR, L"qxz"[i % 3], 0, 0);

    // Removal of every other entry from the list.
    for (int i = 0; i < count; i += 2)
        view.SetItemState(i, KQLS_SELECTED, 0);
    int removed = 0;
    call(removal, [&] { removed = view.RemoveSelectItem(true); });

    std::printf("interaction on %d entries (the window's thread, ms; reach 4 x the median wheel step %.2f ms):\n", count, median);
    std::printf("  %-36s %9s %9s %6s %7s\n", "job", "longest", "total", "steps", "ratio");
    for (const Job* job : {&selectAll, &deselect, &shift, &band, &typing, &removal})
        std::printf("  %-36s %9.2f %9.2f %6d %7.2f\n", job->name, job->longest, job->total, job->steps,
                    job->longest / std::max(median, 1e-6));
    std::printf("  (Shift-click selected %d, the band %d, removal took %d, %d left)\n", selected, banded, removed,
                view.GetItemCount());
    view.DestroyWindow();
    return count > 0 ? 0 : 1;
}

} // namespace inputbench

int InputBench(const wchar_t* folder, const wchar_t* cache)
{
    return inputbench::Run(folder, cache);
}

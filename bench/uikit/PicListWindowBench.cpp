// The picture list's window, timed under the display: a folder scrolled top to bottom and back
// by wheel, Page Down and thumb drags, with a change of cell size half way, while the preview
// thread loads; the same steps against the system's list view (icon view, owner data, the same
// thumbnails in an image list). Each step is timed on the window's thread from its message to
// the end of its paint.
//   piclist_bench window FOLDER100 FOLDER10000 CACHE
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "KQPicListView.h"
#include "Win32Owners.h"

namespace {

double Clock()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

size_t PeakPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PeakPagefileUsage : 0;
}

struct Steps {
    std::vector<double> ms;
    std::vector<const char*> kinds;
    double Median() const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted(ms);
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double Longest() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
    // The step that a hundredth of the steps take longer than.
    double Percentile99() const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted(ms);
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    }
    // The longest few, with the kind of step and its place in the run.
    void PrintLongest(int count) const
    {
        std::vector<size_t> order(ms.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](size_t a, size_t b) { return ms[a] > ms[b]; });
        for (int k = 0; k < count && size_t(k) < order.size(); ++k)
            std::printf("    %8.2f ms  %s step %u\n", ms[order[size_t(k)]], order[size_t(k)] < kinds.size() ? kinds[order[size_t(k)]] : "",
                        unsigned(order[size_t(k)]));
    }
};

// The list, with every scroll message timed to the end of its paint (the view paints before
// its handler returns).
class TimedView : public CKQPicListView {
public:
    ~TimedView() override { StopAll(); }
    Steps steps;
    bool timing = false;
    const char* kind = "";

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const bool step = timing && (message == WM_VSCROLL || message == WM_MOUSEWHEEL);
        const double start = step ? Clock() : 0;
        const LRESULT result = CKQPicListView::WindowProc(message, wParam, lParam);
        if (step && LOWORD(wParam) != SB_ENDSCROLL) {
            steps.ms.push_back((Clock() - start) * 1000);
            steps.kinds.push_back(kind);
        }
        return result;
    }
};

const int kWidth = 1000, kHeight = 700, kWheelSteps = 150, kDrags = 16;

// A drag of the thumb to a fraction of the track, by the scroll bar's own tracking.
void DragThumb(HWND bar, double fraction)
{
    SCROLLBARINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetScrollBarInfo(bar, OBJID_CLIENT, &info))
        return;
    RECT client;
    ::GetClientRect(bar, &client);
    const int x = client.right / 2;
    const int arrow = info.dxyLineButton;
    const int thumb = (info.xyThumbTop + info.xyThumbBottom) / 2;
    const int half = (info.xyThumbBottom - info.xyThumbTop) / 2;
    const int track = client.bottom - 2 * arrow - 2 * half;
    const int target = arrow + half + int(track * fraction);
    ::PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, (thumb + target) / 2));
    ::PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, target));
    ::PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, target));
    ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, thumb));
}

struct ViewResult {
    Steps steps;
    int entries = 0;
    size_t peakFirst = 0, peakAll = 0;
    double drawMs = 0, copyMs = 0; // a whole repaint, and the screen copy alone, at the end
};

ViewResult RunView(const wchar_t* folder, const wchar_t* cache)
{
    ViewResult result;
    TimedView view;
    view.m_strThumbnailFolder = cache;
    view.m_bFolderPreview = false;
    if (!view.CreateEx(0, nullptr, L"PicListBench", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr, 0))
        return result;
    view.SendMessage(KQLV_MSG_UPDATE_FOLDER, 0, LPARAM(folder));
    while (view.IsScanning()) {
        Pump();
        Sleep(1);
    }
    Pump();
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    result.entries = view.GetItemCount();
    const HWND bar = view.m_wndScrollBar.GetSafeHwnd();
    auto send = [&](UINT message, WPARAM wParam) {
        view.SendMessage(message, wParam, message == WM_VSCROLL ? LPARAM(bar) : 0);
        Pump();
    };
    view.timing = true;
    view.kind = "wheel";
    // Wheel down and back.
    for (int i = 0; i < kWheelSteps; ++i)
        send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)));
    for (int i = 0; i < kWheelSteps; ++i)
        send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    // Page Down to the end (the cell size changes half way), and back up.
    view.kind = "page";
    bool changed = false, sawThousand = false;
    for (int guard = 0; guard < 100000; ++guard) {
        const int before = view.m_nScrollPos;
        send(WM_VSCROLL, SB_PAGEDOWN);
        if (!sawThousand && view.m_nFirstVisible >= 1000) {
            result.peakFirst = PeakPrivateBytes();
            sawThousand = true;
        }
        if (!changed && view.m_nScrollPos * 2 >= view.m_layout.contentHeight - view.m_nClientHeight) {
            view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_LARGE, true);
            Pump();
            changed = true;
            view.kind = "page after the size change";
        }
        if (view.m_nScrollPos == before)
            break;
    }
    result.peakAll = PeakPrivateBytes();
    if (!sawThousand)
        result.peakFirst = result.peakAll;
    view.kind = "page up";
    for (int guard = 0; guard < 100000 && view.m_nScrollPos > 0; ++guard)
        send(WM_VSCROLL, SB_PAGEUP);
    view.ChangeIconSize(CKQPicListView::KQ_LS_ICON_MEDIUM, true);
    Pump();
    // Thumb drags down the track and back.
    view.kind = "drag";
    for (int i = 1; i <= kDrags; ++i) {
        DragThumb(bar, double(i) / kDrags);
        Pump();
    }
    for (int i = kDrags - 1; i >= 0; --i) {
        DragThumb(bar, double(i) / kDrags);
        Pump();
    }
    view.timing = false;
    result.steps = view.steps;
    // Where a step's time goes: painting into the bitmap, and its copy to the screen.
    const int rounds = 30;
    double start = Clock();
    for (int i = 0; i < rounds; ++i)
        view.DrawListView();
    result.drawMs = (Clock() - start) * 1000 / rounds;
    start = Clock();
    for (int i = 0; i < rounds; ++i) {
        view.Invalidate(FALSE);
        view.UpdateWindow();
    }
    result.copyMs = (Clock() - start) * 1000 / rounds;
    view.DestroyWindow();
    return result;
}

// The system's list view: icon view over owner data, the thumbnails of the folder's distinct
// pictures in an image list, laid out on the same pitch.
struct Peer {
    std::vector<std::wstring> names;
    std::vector<int> images;
};
Peer* g_peer = nullptr;

// The windows need the framework's application object.
CWinApp g_benchApp(L"PicListBench");

LRESULT CALLBACK PeerParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && g_peer) {
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code == LVN_GETDISPINFOW) {
            const int i = info->item.iItem;
            if (i >= 0 && size_t(i) < g_peer->names.size()) {
                if (info->item.mask & LVIF_TEXT)
                    lstrcpynW(info->item.pszText, g_peer->names[size_t(i)].c_str(), info->item.cchTextMax);
                if (info->item.mask & LVIF_IMAGE)
                    info->item.iImage = g_peer->images[size_t(i)];
            }
            return 0;
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// The thumbnail of a picture fitted into 192 x 144, as a 32-bit bitmap for the image list.
HBITMAP ThumbnailBitmap(const std::wstring& path)
{
    CZVImage picture;
    if (!picture.Load(path.c_str(), 0))
        return nullptr;
    BITMAPINFO bi = win32::TopDownBitmapInfo(192, 144);
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 192, 144};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const RECT fit = FitPictureRect(long(picture.GetWidth()), long(picture.GetHeight()), all);
    picture.Draw(dc, fit, nullptr, true);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

Steps RunPeer(const wchar_t* folder, int distinct)
{
    Peer peer;
    std::vector<std::wstring> designs;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((std::wstring(folder) + L"\\*.png").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            peer.names.push_back(found.cFileName);
        while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    std::sort(peer.names.begin(), peer.names.end());
    HIMAGELIST images = ImageList_Create(192, 144, ILC_COLOR32, distinct, 0);
    for (int k = 0; k < distinct && size_t(k) < peer.names.size(); ++k) {
        HBITMAP bitmap = ThumbnailBitmap(std::wstring(folder) + L"\\" + peer.names[size_t(k)]);
        ImageList_Add(images, bitmap, nullptr);
        ::DeleteObject(bitmap);
    }
    for (size_t i = 0; i < peer.names.size(); ++i)
        peer.images.push_back(int(i % size_t(distinct)));
    g_peer = &peer;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = PeerParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PicListBenchPeer";
    ::RegisterClassW(&wc);
    HWND parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_OWNERDATA | LVS_AUTOARRANGE,
                                  0, 0, kWidth, kHeight, parent, nullptr, wc.hInstance, nullptr);
    ListView_SetImageList(list, images, LVSIL_NORMAL);
    ListView_SetIconSpacing(list, 250, 186);
    ListView_SetItemCountEx(list, int(peer.names.size()), 0);
    ::UpdateWindow(list);
    Pump();

    Steps steps;
    auto timed = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        const double start = Clock();
        ::SendMessageW(list, message, wParam, lParam);
        ::UpdateWindow(list);
        steps.ms.push_back((Clock() - start) * 1000);
        Pump();
    };
    for (int i = 0; i < kWheelSteps; ++i)
        timed(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    for (int i = 0; i < kWheelSteps; ++i)
        timed(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    auto position = [&] { return ::GetScrollPos(list, SB_VERT); };
    for (int guard = 0; guard < 100000; ++guard) {
        const int before = position();
        timed(WM_VSCROLL, SB_PAGEDOWN, 0);
        if (position() == before)
            break;
    }
    for (int guard = 0; guard < 100000 && position() > 0; ++guard)
        timed(WM_VSCROLL, SB_PAGEUP, 0);
    // Thumb drags: the same jumps, by the list's own scrolling message.
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    ::GetScrollInfo(list, SB_VERT, &si);
    const int range = std::max(0, si.nMax - int(si.nPage) + 1);
    int at = 0;
    auto jump = [&](int target) {
        timed(LVM_SCROLL, 0, target - at);
        at = target;
    };
    for (int i = 1; i <= kDrags; ++i)
        jump(range * i / kDrags);
    for (int i = kDrags - 1; i >= 0; --i)
        jump(range * i / kDrags);
    ::DestroyWindow(parent);
    ImageList_Destroy(images);
    g_peer = nullptr;
    return steps;
}

} // namespace

int WindowBench(const wchar_t* small, const wchar_t* large, const wchar_t* cache, int distinct)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    const ViewResult few = RunView(small, cache);
    const ViewResult many = RunView(large, cache);
    const Steps peer = RunPeer(large, distinct);
    std::printf("window steps (median / longest ms, steps):\n");
    std::printf("  list of %-8d %8.2f %8.2f %6u\n", few.entries, few.steps.Median(), few.steps.Longest(), unsigned(few.steps.ms.size()));
    std::printf("  list of %-8d %8.2f %8.2f %6u\n", many.entries, many.steps.Median(), many.steps.Longest(), unsigned(many.steps.ms.size()));
    std::printf("  system list view %8.2f %8.2f %6u\n", peer.Median(), peer.Longest(), unsigned(peer.ms.size()));
    const double bySize = many.steps.Median() / std::max(few.steps.Median(), 1e-6);
    const double byPeer = many.steps.Median() / std::max(peer.Median(), 1e-6);
    const double stall = many.steps.Longest() / std::max(many.steps.Median(), 1e-6);
    const double memory = double(many.peakAll) / double(std::max<size_t>(many.peakFirst, 1));
    std::printf("%-44s %7s %7s\n", "window job", "ratio", "reach");
    std::printf("%-44s %7.2f %7.2f\n", "median step, 10,000 vs 100 entries", bySize, 1.2);
    std::printf("%-44s %7.2f %7.2f\n", "median step vs the system list view", byPeer, 2.0);
    std::printf("%-44s %7.2f %7.2f\n", "longest stall vs median step", stall, 3.0);
    std::printf("%-44s %7.2f %7.2f\n", "peak memory, all vs first 1,000 entries", memory, 1.2);
    // One preemption of the window's thread makes the longest step on a busy machine: the
    // system's list view, scrolled the same way in the same run, shows what the machine does.
    std::printf("  (longest vs median: the system list view %.2f; 99th percentile vs median: ours %.2f, the system's %.2f)\n",
                peer.Longest() / std::max(peer.Median(), 1e-6), many.steps.Percentile99() / std::max(many.steps.Median(), 1e-6),
                peer.Percentile99() / std::max(peer.Median(), 1e-6));
    std::printf("  (peak private bytes %.1f MB after 1,000, %.1f MB after all)\n", many.peakFirst / 1048576.0,
                many.peakAll / 1048576.0);
    std::printf("  a repaint at the end, list of %d: %.2f ms (its screen copy alone %.2f ms); of %d: %.2f ms (%.2f ms)\n",
                few.entries, few.drawMs, few.copyMs, many.entries, many.drawMs, many.copyMs);
    std::printf("  longest steps over 10,000:\n");
    many.steps.PrintLongest(6);
    return few.entries > 0 && many.entries > 0 ? 0 : 1;
}

// The browser's picture list opening a cached online folder, against the XML reader alone on the
// folder's pages. The cache (made by bench/browser/run-online-bench) holds the directory, every
// file-list page of FOLDER and the pictures' thumbnails, so nothing needs fetching from SERVER
// (the script's loopback server counts what is asked). Each round parses the pages, then opens the folder
// in the list on a window of the display and waits until every picture is listed; the medians
// and their ratio are printed, with the steps of the open (from the list's own stamps) and the
// first paint of the listed folder.
//   online_bench CACHE FOLDER PICTURES SERVER [ROUNDS]
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "PictureListView.h"
#include "XmlDocument.h"
#include "../BenchClock.h"

namespace {

// The list reads its options from the application's profile.
class COnlineBenchApp : public CWinApp {
public:
    COnlineBenchApp() : CWinApp(L"OnlineBench") {}
};
COnlineBenchApp theBenchApp;

double Now() { return benchclock::Milliseconds(); }
using benchclock::PumpAll;

double TicksToMilliseconds(int64_t ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(ticks) * 1000.0 / double(frequency.QuadPart);
}

// The steps of one open, in milliseconds: each from the end of the one before.
const char* const kStepNames[] = {"stop and clear", "read the pages", "hand the records over", "wait for the window",
                                  "insert the items", "end of search, layout", "the rest of the open", "first paint"};
const int kSteps = sizeof(kStepNames) / sizeof(kStepNames[0]);

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The folder's pages as the client names them: FileList.xml, FileList1.xml...
std::vector<std::wstring> PageFiles(const std::wstring& folder)
{
    std::vector<std::wstring> pages;
    for (int page = 0;; ++page) {
        const std::wstring path =
            folder + (page == 0 ? std::wstring(L"\\FileList.xml") : L"\\FileList" + std::to_wstring(page) + L".xml");
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return pages;
        pages.push_back(path);
    }
}

// The reader alone: every page loaded and parsed into its tree; the count of picture elements.
double ParsePages(const std::vector<std::wstring>& pages, size_t& pictures)
{
    pictures = 0;
    const double start = Now();
    for (const std::wstring& page : pages) {
        XmlDocument document;
        if (!XmlLoadFile(&document, page.c_str()))
            continue;
        if (XmlNode* list = document.FindChild(L"FileList"))
            for (const XmlNode& child : list->children)
                pictures += child.kind == XML_NODE_ELEMENT ? 1 : 0;
    }
    return Now() - start;
}

// The folder opened in the list until every picture is listed; -1 when it never is. steps gets
// the open's steps and the first paint after it.
double OpenFolder(CPictureListView& view, const std::wstring& folder, int pictures, std::vector<double>& steps)
{
    const double start = Now();
    LARGE_INTEGER startTicks;
    ::QueryPerformanceCounter(&startTicks);
    view.UpdateFolder(folder.c_str(), false);
    const double limit = start + 120000;
    // The items go at the open and come back in one fill once the pages are read.
    // One message at a time: the thumbnails that follow the fill are not waited for.
    while (view.GetItemCount() != pictures) {
        if (Now() > limit)
            return -1;
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    const double listed = Now();
    LARGE_INTEGER listedTicks;
    ::QueryPerformanceCounter(&listedTicks);
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    ::RedrawWindow(view.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const double painted = Now();

    const CPictureListView::OnlineOpenSteps& s = view.m_onlineSteps;
    const int64_t stamps[] = {startTicks.QuadPart, s.cleared, s.read, s.handed, s.received, s.inserted, s.laidOut,
                              listedTicks.QuadPart};
    steps.clear();
    for (size_t i = 1; i < sizeof(stamps) / sizeof(stamps[0]); ++i)
        steps.push_back(TicksToMilliseconds(stamps[i] - stamps[i - 1]));
    steps.push_back(painted - listed);
    return listed - start;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "online_bench CACHE FOLDER PICTURES SERVER [ROUNDS]\n");
        return 2;
    }
    const std::wstring cache = argv[1];
    const std::wstring folder = cache + L"\\Dir\\" + argv[2];
    const int pictures = _wtoi(argv[3]);
    const int rounds = argc > 5 ? std::max(1, _wtoi(argv[5])) : 5;
    const std::vector<std::wstring> pages = PageFiles(folder);

    CPictureListView view;
    view.m_messageBox = [](const wchar_t*, UINT) { return IDCANCEL; };
    if (!view.CreateEx(0, nullptr, L"OnlineBench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0))
        return 1;
    view.BindOnline(cache.c_str(), argv[4]);
    PumpAll();

    std::vector<double> parses, opens, steps;
    std::vector<std::vector<double>> stepRounds(kSteps);
    size_t parsed = 0;
    // The first round reads the directory and warms the file cache; it is not counted.
    for (int round = 0; round <= rounds; ++round) {
        const double parse = ParsePages(pages, parsed);
        const double open = OpenFolder(view, folder, pictures, steps);
        if (open < 0) {
            std::fprintf(stderr, "online_bench: %d of %d pictures listed\n", view.GetItemCount(), pictures);
            return 1;
        }
        if (round > 0) {
            parses.push_back(parse);
            opens.push_back(open);
            for (int i = 0; i < kSteps; ++i)
                stepRounds[i].push_back(steps[i]);
        }
    }
    view.DestroyWindow();
    PumpAll();
    const double p = Median(parses), o = Median(opens);
    std::printf("%d pictures on %d pages (%d parsed), medians of %d rounds:\n", pictures, int(pages.size()),
                int(parsed), rounds);
    std::printf("  XML reader on the pages   %8.1f ms\n", p);
    std::printf("  list open until listed    %8.1f ms\n", o);
    for (int i = 0; i < kSteps; ++i)
        std::printf("    %-26s%8.1f ms\n", kStepNames[i], Median(stepRounds[i]));
    std::printf("  ratio %.2f (reach: 1.5 or less)\n", o / std::max(p, 1e-6));
    return int(parsed) == pictures ? 0 : 1;
}

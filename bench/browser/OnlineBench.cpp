// The browser's picture list opening a cached online folder, against the XML reader alone on the
// folder's pages. The cache (made by bench/browser/run-online-bench) holds the directory, every
// file-list page of FOLDER and the pictures' thumbnails, so nothing needs fetching from SERVER
// (the script's loopback server counts what is asked). Each round parses the pages, then opens the folder
// in the list on a window of the display and waits until every picture is listed; the medians
// and their ratio are printed.
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

// The folder opened in the list until every picture is listed; -1 when it never is.
double OpenFolder(CPictureListView& view, const std::wstring& folder, int pictures)
{
    const double start = Now();
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
    view.SendMessage(KQLV_MSG_UPDATE_VIEW, 0, 0);
    return Now() - start;
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

    std::vector<double> parses, opens;
    size_t parsed = 0;
    // The first round reads the directory and warms the file cache; it is not counted.
    for (int round = 0; round <= rounds; ++round) {
        const double parse = ParsePages(pages, parsed);
        const double open = OpenFolder(view, folder, pictures);
        if (open < 0) {
            std::fprintf(stderr, "online_bench: %d of %d pictures listed\n", view.GetItemCount(), pictures);
            return 1;
        }
        if (round > 0) {
            parses.push_back(parse);
            opens.push_back(open);
        }
    }
    view.DestroyWindow();
    PumpAll();
    const double p = Median(parses), o = Median(opens);
    std::printf("%d pictures on %d pages (%d parsed), medians of %d rounds:\n", pictures, int(pages.size()),
                int(parsed), rounds);
    std::printf("  XML reader on the pages   %8.1f ms\n", p);
    std::printf("  list open until listed    %8.1f ms\n", o);
    std::printf("  ratio %.2f (reach: 1.5 or less)\n", o / std::max(p, 1e-6));
    return int(parsed) == pictures ? 0 : 1;
}

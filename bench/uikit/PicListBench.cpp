// The picture list without a window, timed in-process.
//   piclist_bench thumbs FOLDER CACHE   thumbnails of every picture of FOLDER, cache in CACHE
//   piclist_bench list FOLDER           scan, refresh and sorts of FOLDER against a bare
//                                       FindFirstFileW walk and std::sort of the same records
//   piclist_bench reslist LIST ROOT     a material list file (FileList.xml) through the material
//                                       list's LoadFileList and its first page, against the XML
//                                       reader's own parse of the same file; ROOT is the local root
//   piclist_bench window FEW MANY CACHE DISTINCT
//                                       the list's window scrolled over two folders, and the
//                                       system's list view over the second (PicListWindowBench.cpp)
//   piclist_bench input FOLDER CACHE    selection, band, type-ahead and removal on the window of
//                                       FOLDER (PicListInputBench.cpp)
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>
#include "KQPicListView.h"
#include "KQResListView.h"
#include "XmlDocument.h"

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

class BenchView : public CKQPicListView {
public:
    ~BenchView() override { StopAll(); }
    void WaitScan()
    {
        while (IsScanning())
            Sleep(1);
        m_folderBrowser.StopSearch();
    }
    bool AllTried()
    {
        Lock();
        bool all = true;
        for (auto it = m_folderBrowser.m_lstFile.Begin(); all && it != m_folderBrowser.m_lstFile.End(); it.Next())
            all = it->m_bThumbTried != 0;
        Unlock();
        return all;
    }
};

int Thumbs(const wchar_t* folder, const wchar_t* cache)
{
    BenchView view;
    view.m_strThumbnailFolder = cache;
    view.m_nIdleInterval = 1;
    const double start = Now();
    view.UpdateFolder(folder, false);
    view.WaitScan();
    const int count = view.GetItemCount();
    view.UpdatePreviewImageList(0, count, false);
    while (!view.AllTried())
        Sleep(2);
    const double seconds = Now() - start;
    int made = 0;
    view.Lock();
    for (auto it = view.m_folderBrowser.m_lstFile.Begin(); it != view.m_folderBrowser.m_lstFile.End(); it.Next())
        made += it->m_pImage != nullptr;
    view.Unlock();
    std::printf("thumbs %d made %d decoded %d seconds %.3f\n", count, made, int(view.m_nSourceDecodes), seconds);
    return made == count ? 0 : 1;
}

int BareWalk(const wchar_t* folder)
{
    std::wstring pattern = std::wstring(folder) + L"\\*";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    int count = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

// The records std::sort orders in the peer run: the same facts the entries compare.
struct Record {
    std::wstring name;
    uint64_t size;
    int64_t written;
};

const wchar_t* Extension(const std::wstring& name)
{
    return ListFileExtension(name.c_str());
}

bool RecordLessOrEqual(const Record& a, const Record& b, KQ_LIST_SORT key)
{
    switch (key) {
    case KQ_LIST_SORT_SIZE: return a.size <= b.size;
    case KQ_LIST_SORT_DATE: return a.written <= b.written;
    case KQ_LIST_SORT_TYPE: {
        const wchar_t* x = Extension(a.name);
        const wchar_t* y = Extension(b.name);
        return !x || (y && std::wcscmp(x, y) <= 0);
    }
    default: return a.name <= b.name;
    }
}

template <class F>
double Best(int runs, F&& job)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        job();
        best = std::min(best, Now() - start);
    }
    return best;
}

int List(const wchar_t* folder)
{
    const int runs = 3;
    int walked = 0;
    const double walk = Best(runs, [&] { walked = BareWalk(folder); });
    BenchView view;
    view.m_bFolderPreview = false;
    const double scan = Best(runs, [&] {
        view.UpdateFolder(folder, false);
        view.WaitScan();
    });
    const int count = view.GetItemCount();
    const double refresh = Best(runs, [&] {
        view.UpdateFolder(folder, true);
        view.WaitScan();
    });
    view.StopAll();
    std::printf("files %d (walk saw %d)\n", count, walked);
    std::printf("%-28s %9s %9s %7s\n", "job", "ours ms", "peer ms", "ratio");
    std::printf("%-28s %9.2f %9.2f %7.2f\n", "scan vs FindFirstFileW walk", scan * 1000, walk * 1000, scan / walk);
    std::printf("%-28s %9.2f %9.2f %7.2f\n", "refresh vs first scan", refresh * 1000, scan * 1000, refresh / scan);

    struct Sort {
        const char* name;
        KQ_LIST_SORT key;
        bool (CKQPicListView::*run)();
    } sorts[] = {
        {"name", KQ_LIST_SORT_NAME, &CKQPicListView::SortItemByName},
        {"size", KQ_LIST_SORT_SIZE, &CKQPicListView::SortItemBySize},
        {"date", KQ_LIST_SORT_DATE, &CKQPicListView::SortItemByDate},
        {"type", KQ_LIST_SORT_TYPE, &CKQPicListView::SortItemByType},
    };
    double worst = 0;
    // Each sort starts from the order the one before it left, made again before every run
    // (untimed); best of three for ours and for the peer, whose records are taken from the list
    // in that order.
    const Sort* before = nullptr;
    bool beforeAscend = true;
    for (const Sort& s : sorts) {
        for (bool ascend : {true, false}) {
            double ours = 1e9, again = 1e9, peer = 1e9;
            // The first starts once from the order the scan left.
            for (int run = 0; run < (before ? runs : 1); ++run) {
                if (before) {
                    gKQListView_bSortAscend = beforeAscend;
                    (view.*before->run)();
                }
                gKQListView_bSortAscend = ascend;
                std::vector<Record> records;
                view.Lock();
                for (auto it = view.m_folderBrowser.m_lstFile.Begin(); it != view.m_folderBrowser.m_lstFile.End(); it.Next())
                    records.push_back({it->m_strName.GetString(), it->m_info.nFileSize, it->m_info.tLastWrite});
                view.Unlock();
                double start = Now();
                (view.*s.run)();
                ours = std::min(ours, Now() - start);
                start = Now();
                (view.*s.run)();
                again = std::min(again, Now() - start);
                const KQ_LIST_SORT key = s.key;
                start = Now();
                if (ascend)
                    std::sort(records.begin(), records.end(),
                              [key](const Record& a, const Record& b) { return !RecordLessOrEqual(b, a, key); });
                else
                    std::sort(records.begin(), records.end(),
                              [key](const Record& a, const Record& b) { return !RecordLessOrEqual(a, b, key); });
                peer = std::min(peer, Now() - start);
            }
            before = &s;
            beforeAscend = ascend;
            char name[64];
            std::snprintf(name, sizeof(name), "sort by %s %s", s.name, ascend ? "ascending" : "descending");
            std::printf("%-28s %9.2f %9.2f %7.2f   (again, sorted: %.2f ms)\n", name, ours * 1000, peer * 1000, ours / peer, again * 1000);
            worst = std::max(worst, ours / peer);
        }
    }
    std::printf("worst sort ratio %.2f\n", worst);
    return 0;
}

// The material list without a window: its favourites in memory only (the registry root named
// holds nothing, and nothing is saved).
class ResBenchView : public CKQResListView {
public:
    ~ResBenchView() override { StopAll(); }
};

int ResList(const wchar_t* list, const wchar_t* root)
{
    const int runs = 3;
    int parsed = 0;
    const double peer = Best(runs, [&] {
        XmlDocument document;
        parsed = XmlLoadFile(&document, list) ? 1 : 0;
    });
    ResBenchView view;
    view.SetResRoot(root);
    view.SetFavoriteRoot(L"HKCU\\Software\\LumivoBench\\NoFavorites\\");
    view.m_strResFolder = L"Stickers";
    // Every 20th entry of the file (named m<number>.png) is a favourite: 500 of 10,000.
    int favourites = 0;
    {
        XmlDocument document;
        if (XmlLoadFile(&document, list))
            if (XmlNode* top = document.FindChild(L"FileList"))
                for (XmlNode& child : top->children) {
                    const XmlAttribute* name = child.kind == XML_NODE_ELEMENT ? child.FindAttribute(L"Name") : nullptr;
                    if (name && _wtoi(name->value + 1) % 20 == 0 && view.m_favorite.AddFavorite(name->value, L"Stickers"))
                        ++favourites;
                }
    }
    bool loaded = true;
    const double ours = Best(runs, [&] {
        loaded = view.LoadFileList(list) && view.LoadMore() && loaded;
    });
    int entries, shown, firstFavourite;
    view.Lock();
    entries = view.m_listRes.GetCount();
    shown = view.m_folderBrowser.m_lstFile.GetCount();
    view.Unlock();
    firstFavourite = shown > 0 && (view.GetItemState(0) & KQLS_FAVORITE) != 0;
    view.StopAll();
    std::printf("entries %d favourites %d first page %d (first entry a favourite: %s)\n", entries, favourites, shown,
                firstFavourite ? "yes" : "no");
    std::printf("%-28s %9s %9s %7s\n", "job", "ours ms", "peer ms", "ratio");
    std::printf("%-28s %9.2f %9.2f %7.2f   (reach 2)\n", "list file + first page", ours * 1000, peer * 1000,
                ours / peer);
    return loaded && parsed ? 0 : 1;
}

} // namespace

int WindowBench(const wchar_t* small, const wchar_t* large, const wchar_t* cache, int distinct);
int InputBench(const wchar_t* folder, const wchar_t* cache);

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 4 && std::wcscmp(argv[1], L"thumbs") == 0)
        return Thumbs(argv[2], argv[3]);
    if (argc >= 3 && std::wcscmp(argv[1], L"list") == 0)
        return List(argv[2]);
    if (argc >= 4 && std::wcscmp(argv[1], L"reslist") == 0)
        return ResList(argv[2], argv[3]);
    if (argc >= 6 && std::wcscmp(argv[1], L"window") == 0)
        return WindowBench(argv[2], argv[3], argv[4], _wtoi(argv[5]));
    if (argc >= 4 && std::wcscmp(argv[1], L"input") == 0)
        return InputBench(argv[2], argv[3]);
    std::fprintf(stderr, "piclist_bench thumbs FOLDER CACHE | list FOLDER | reslist LIST ROOT | window FEW MANY CACHE DISTINCT\n");
    return 2;
}

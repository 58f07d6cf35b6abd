// The list model: sorting by every key and direction, sorting large and during a scan, deleting
// through the shell, removing the selected entries, copy and cut marks, exchanging entries.
#include <gtest/gtest.h>
#include <atomic>
#include "PicListTestSupport.h"
#include "ShellService.h"

using pltest::TestView;
using testsupport::TempFolder;

namespace {

class SortStateScope {
public:
    SortStateScope() : m_key(gKQListView_SortType), m_ascend(gKQListView_bSortAscend) {}
    ~SortStateScope()
    {
        gKQListView_SortType = m_key;
        gKQListView_bSortAscend = m_ascend;
    }

private:
    KQ_LIST_SORT m_key;
    bool m_ascend;
};

struct Row {
    const wchar_t* name;
    const wchar_t* caption;
    uint64_t size;
    int64_t written;
};

void Fill(TestView& view, const std::vector<Row>& rows, const std::vector<const wchar_t*>& folders = {})
{
    view.Lock();
    view.m_folderBrowser.ClearList();
    for (const wchar_t* name : folders)
        view.m_folderBrowser.m_lstFolder.AddTail(CKQListFolder(name));
    for (const Row& row : rows) {
        CKQListFile file(row.name);
        file.m_strCaption = row.caption;
        file.m_info.nFileSize = row.size;
        file.m_info.tLastWrite = row.written;
        view.m_folderBrowser.m_lstFile.AddTail(file);
    }
    view.Unlock();
}

std::wstring Joined(const std::vector<std::wstring>& names)
{
    std::wstring all;
    for (const std::wstring& name : names)
        all += (all.empty() ? L"" : L" ") + name;
    return all;
}

// Shell file operations that fail or succeed on demand.
class FakeShell : public zvui::ShellService {
public:
    explicit FakeShell(int answer) : m_answer(answer) { m_before = zvui::SetShellService(this); }
    ~FakeShell() override { zvui::SetShellService(m_before); }
    int FileOperation(SHFILEOPSTRUCTW&) override
    {
        ++calls;
        return m_answer;
    }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring&) override { return false; }
    bool ConnectedState(DWORD&) override { return false; }
    int calls = 0;

private:
    int m_answer;
    zvui::ShellService* m_before;
};

// A scan that waits at its first file until the test lets it go on.
class HeldScanView : public TestView {
public:
    using TestView::TestView;
    bool OnFileSearched(const wchar_t* path, unsigned int& state) override
    {
        reached = true;
        while (!release)
            Sleep(2);
        return TestView::OnFileSearched(path, state);
    }
    std::atomic<bool> reached{false};
    std::atomic<bool> release{false};
};

} // namespace

TEST(ListSort, EveryKeyAndDirection)
{
    SortStateScope scope;
    const std::vector<Row> rows = {
        {L"b.png", L"", 30, 300}, {L"a.jpg", L"", 10, 200}, {L"c", L"", 20, 100}, {L"d.bmp", L"", 40, 400},
    };
    struct Case {
        bool (CKQPicListView::*sort)();
        bool ascend;
        const wchar_t* files;
        const wchar_t* folders;
    } cases[] = {
        {&CKQPicListView::SortItemByName, true, L"a.jpg b.png c d.bmp", L"x y z"},
        {&CKQPicListView::SortItemByName, false, L"d.bmp c b.png a.jpg", L"z y x"},
        {&CKQPicListView::SortItemBySize, true, L"a.jpg c b.png d.bmp", L"y z x"},
        {&CKQPicListView::SortItemBySize, false, L"d.bmp b.png c a.jpg", L"y z x"},
        {&CKQPicListView::SortItemByDate, true, L"c a.jpg b.png d.bmp", L"y z x"},
        {&CKQPicListView::SortItemByDate, false, L"d.bmp b.png a.jpg c", L"y z x"},
        {&CKQPicListView::SortItemByType, true, L"c d.bmp a.jpg b.png", L"y z x"},
        {&CKQPicListView::SortItemByType, false, L"b.png a.jpg d.bmp c", L"y z x"},
    };
    TempFolder cache;
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        TestView view(cache.Root());
        Fill(view, rows, {L"y", L"z", L"x"});
        gKQListView_bSortAscend = c.ascend;
        view.m_nUpdatePosts = 0;
        ASSERT_TRUE((view.*c.sort)());
        EXPECT_EQ(Joined(view.FileNames()), c.files);
        EXPECT_EQ(Joined(view.FolderNames()), c.folders);
        EXPECT_EQ(view.m_nUpdatePosts, 1);
        // The direction alone re-sorts by the same key.
        ASSERT_TRUE(c.ascend ? view.SortItemByDescend() : view.SortItemByAscend());
        ASSERT_TRUE(c.ascend ? view.SortItemByAscend() : view.SortItemByDescend());
        EXPECT_EQ(Joined(view.FileNames()), c.files);
    }
}

TEST(ListSort, EqualKeysAndCaptions)
{
    SortStateScope scope;
    TempFolder cache;
    TestView view(cache.Root());
    gKQListView_bSortAscend = true;
    Fill(view, {{L"a", L"", 5, 0}, {L"b", L"", 3, 0}, {L"c", L"", 5, 0}, {L"d", L"", 3, 0}});
    ASSERT_TRUE(view.SortItemBySize());
    view.Lock();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(view.File(i)->m_info.nFileSize, i < 2 ? 3u : 5u);
    view.Unlock();

    Fill(view, {{L"", L"beta", 0, 0}, {L"", L"alpha", 0, 0}, {L"", L"gamma", 0, 0}});
    ASSERT_TRUE(view.SortItemByName());
    EXPECT_EQ(std::wstring(view.GetItemText(0).GetString()), L"alpha");
    EXPECT_EQ(std::wstring(view.GetItemText(2).GetString()), L"gamma");
}

TEST(ListSort, TwentyThousandAlreadySortedEntries)
{
    SortStateScope scope;
    TempFolder cache;
    TestView view(cache.Root());
    std::vector<std::wstring> names;
    std::vector<Row> rows;
    for (int i = 0; i < 20000; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"n%06d.jpg", i);
        names.push_back(name);
    }
    for (const std::wstring& name : names)
        rows.push_back({name.c_str(), L"", 0, 0});
    Fill(view, rows);
    gKQListView_bSortAscend = true;
    ASSERT_TRUE(view.SortItemByName());
    EXPECT_EQ(view.FileNames(), names);
    ASSERT_TRUE(view.SortItemByDescend());
    const std::vector<std::wstring> reversed(names.rbegin(), names.rend());
    EXPECT_EQ(view.FileNames(), reversed);
}

TEST(ListSort, SortingDuringAScanWaitsForItsEnd)
{
    SortStateScope scope;
    gKQListView_SortType = KQ_LIST_SORT_NONE;
    gKQListView_bSortAscend = true;
    TempFolder dir, cache;
    const std::pair<const wchar_t*, size_t> files[] = {{L"a.png", 30}, {L"b.png", 10}, {L"c.png", 20}};
    for (const auto& f : files)
        ASSERT_TRUE(pltest::WriteBytes(dir.At(f.first), std::string(f.second, 'x')));
    HeldScanView view(cache.Root());
    ASSERT_TRUE(view.UpdateFolder(dir.Root().c_str(), false));
    ASSERT_TRUE(pltest::WaitFor([&] { return view.reached.load(); }));
    EXPECT_FALSE(view.SortItemBySize());
    EXPECT_EQ(gKQListView_SortType, KQ_LIST_SORT_SIZE);
    view.release = true;
    ASSERT_TRUE(pltest::WaitFor([&] { return !view.IsScanning(); }));
    view.m_folderBrowser.StopSearch();
    EXPECT_EQ(Joined(view.FileNames()), L"b.png c.png a.png");
}

TEST(ListModel, ADeleteTheShellRefusesKeepsTheEntry)
{
    TempFolder dir, cache;
    ASSERT_TRUE(pltest::WriteBytes(dir.At(L"a.png"), "x"));
    TestView view(cache.Root());
    ASSERT_TRUE(view.Scan(dir.Root()));
    {
        FakeShell refusing(1);
        EXPECT_FALSE(view.DeleteItem(0, true, false));
        EXPECT_EQ(refusing.calls, 1);
        EXPECT_EQ(view.GetItemCount(), 1);
    }
    FakeShell agreeing(0);
    EXPECT_TRUE(view.DeleteItem(0, true, false));
    EXPECT_EQ(view.GetItemCount(), 0);
    EXPECT_FALSE(view.DeleteItem(0, false, false));
}

TEST(ListModel, RemovingTheSelectedEntriesFollowsTheShift)
{
    TempFolder cache;
    TestView view(cache.Root());
    Fill(view, {{L"f0"}, {L"f1"}, {L"f2"}, {L"f3"}, {L"f4"}, {L"f5"}, {L"f6"}}, {L"d0"});
    // Index 3, 4 and 5 are the files f2, f3, f4; a folder cannot be selected.
    for (int index : {0, 3, 4, 5})
        ASSERT_TRUE(view.SetItemState(index, KQLS_SELECTED, 0));
    EXPECT_EQ(view.GetItemState(0), 2u);
    EXPECT_EQ(view.RemoveSelectItem(false), 3);
    EXPECT_EQ(Joined(view.FileNames()), L"f0 f1 f5 f6");
    EXPECT_EQ(view.GetNextSelectItem(-1), -1);
}

TEST(ListModel, CopyAndCutMarks)
{
    TempFolder cache;
    TestView view(cache.Root());
    view.m_strFolder = L"C:\\pics";
    Fill(view, {{L"copied"}, {L"cut"}, {L"both"}, {L"falsecopy"}, {L"none"}});
    view.m_copyPaths.Insert(L"C:\\pics\\copied", true);
    view.m_copyPaths.Insert(L"C:\\pics\\both", true);
    view.m_copyPaths.Insert(L"C:\\pics\\falsecopy", false);
    view.m_cutPaths.Insert(L"C:\\pics\\cut", true);
    view.m_cutPaths.Insert(L"C:\\pics\\both", true);
    ASSERT_TRUE(view.SetItemState(4, KQLS_CUT | KQLS_COPIED, 0));
    view.UpdateItemCopyCutState();
    const unsigned expected[] = {KQLS_COPIED, KQLS_CUT, KQLS_CUT, 0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(view.GetItemState(i) & (KQLS_CUT | KQLS_COPIED), expected[i]) << i;
}

TEST(ListModel, ExchangeSwapsTwoFilesOnly)
{
    TempFolder cache;
    TestView view(cache.Root());
    Fill(view, {{L"a"}, {L"b"}, {L"c"}}, {L"d"});
    view.m_nLastSingleSelected = 1;
    EXPECT_TRUE(view.ItemExchange(1, 3));
    EXPECT_EQ(Joined(view.FileNames()), L"c b a");
    EXPECT_EQ(view.m_nLastSingleSelected, 3);
    EXPECT_TRUE(view.ItemExchange(0, 2));
    EXPECT_EQ(Joined(view.FolderNames()), L"d");
    EXPECT_EQ(Joined(view.FileNames()), L"c b a");
    EXPECT_FALSE(view.ItemExchange(1, 9));
    EXPECT_EQ(std::wstring(view.GetItemFullFileName(2).GetString()), std::wstring(view.m_strFolder.GetString()) + L"\\b");
}

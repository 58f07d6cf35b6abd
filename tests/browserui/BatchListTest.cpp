// The batch commands and the condition select on a real picture list over a folder of its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include "DlgConditionSelect.h"
#include "KQPicListView.h"
#include "ListBatchCommandHost.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

namespace {

using testsupport::TempFolder;

class NoHost : public BatchHost {
public:
    std::vector<BatchListItem> GetSelectedItems() override { return {}; }
    BatchListItem GetHoverItem() override { return {}; }
    std::wstring GetPictureFilter() override { return L"*.*"; }
    void ShowBatchRunningNote() override {}
    void PostProgress(int) override {}
    void PostNote(const std::wstring&) override {}
    void PostFolderReload(int, const std::wstring&) override {}
    void PostItemDone(const BatchItemDone&) override {}
    void PostSummary(const BatchSummary&) override {}
};

class NoDialogs : public BatchDialogs {
public:
    bool Convert(CBatchEngine&, const std::wstring&) override { return false; }
    bool Optimize(CBatchEngine&, const std::wstring&) override { return false; }
    bool Rename() override { return false; }
    bool Organize(CBatchEngine&, const std::wstring&) override { return false; }
    bool Watermark(const std::wstring&, std::wstring&, std::wstring&) override { return false; }
    bool Color(const std::wstring&, BatchColorValues&) override { return false; }
    bool Rotate(const std::wstring&, std::wstring&, std::wstring&) override { return false; }
};

// A list over the fixture folder: two sub-folders and four files of 1, 2, 3 and 4 KB.
class FixtureList : public CKQPicListView {
public:
    explicit FixtureList(const std::wstring& cache)
    {
        m_strThumbnailFolder = cache.c_str();
        m_bFolderSelect = true; // selected folders take part in a batch
    }
    ~FixtureList() override { StopAll(); }
    bool Scan(const std::wstring& folder)
    {
        m_strFilter = L"*.jpg;*.png;*.gif;";
        if (!UpdateFolder(folder.c_str(), false))
            return false;
        if (!PumpUntil([this] { return !IsScanning(); }, 10000))
            return false;
        m_folderBrowser.StopSearch();
        return true;
    }
    int Find(const wchar_t* name)
    {
        for (int i = 0; i < GetItemCount(); ++i)
            if (GetItemText(i) == name)
                return i;
        return -1;
    }
    std::set<std::wstring> Selected()
    {
        std::set<std::wstring> names;
        for (int i = GetNextSelectItem(-1); i >= 0; i = GetNextSelectItem(i))
            names.insert(GetItemText(i).GetString());
        return names;
    }
};

class BatchListTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryW(folder.At(L"Holiday").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(folder.At(L"Lumivo_Convert").c_str(), nullptr));
        const wchar_t* const names[] = {L"a.jpg", L"b.png", L"c.JPG", L"d.gif"};
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(TempFolder::Put(folder.At(names[i]), std::string(size_t(1024 * (i + 1)), 'x')));
        ASSERT_TRUE(list.Scan(folder.Root()));
        ASSERT_EQ(6, list.GetItemCount());
    }
    TempFolder folder, cache;
    FixtureList list{cache.Root()};
};

TEST_F(BatchListTest, ConditionSelectPicksFilesOnly)
{
    ConditionSelect condition;
    condition.namePattern = L"*.jpg;*.png;";
    list.SetItemState(list.Find(L"Holiday"), 0, KQLS_SELECTED);
    EXPECT_EQ(2, ApplyConditionSelect(list, condition));
    EXPECT_EQ((std::set<std::wstring>{L"a.jpg", L"b.png"}), list.Selected());

    // Files of at least 3 KB, the names left aside; the folders are never picked.
    condition.byName = false;
    condition.bySize = true;
    condition.minSizeK = 3;
    ApplyConditionSelect(list, condition);
    EXPECT_EQ((std::set<std::wstring>{L"a.jpg", L"b.png", L"c.JPG", L"d.gif"}), list.Selected());

    condition.deselect = true;
    condition.minSizeK = 0;
    condition.maxSizeK = 2;
    EXPECT_EQ(2, ApplyConditionSelect(list, condition));
    EXPECT_EQ((std::set<std::wstring>{L"c.JPG", L"d.gif"}), list.Selected());
}

TEST_F(BatchListTest, TheOutputFolderIsDeselectedAndTheFirstSelectedFileIsTheSample)
{
    NoHost noHost;
    CBatchEngine engine(noHost);
    CListBatchCommandHost host(list, engine, nullptr);
    NoDialogs dialogs;
    BatchCommands commands(host, dialogs, L"sample.webp");
    for (const wchar_t* name : {L"Holiday", L"Lumivo_Convert", L"b.png", L"d.gif"})
        list.SetItemState(list.Find(name), KQLS_SELECTED, 0);

    const std::vector<BatchCommandHost::FolderItem> folders = host.FolderItems();
    ASSERT_EQ(2u, folders.size());
    EXPECT_TRUE(folders[0].selected && folders[1].selected);
    EXPECT_TRUE(host.HasSelection());
    EXPECT_EQ(folder.Root(), host.CurrentFolder());
    EXPECT_EQ(folder.At(L"b.png"), host.SampleCandidate());
    EXPECT_EQ(folder.At(L"b.png"), commands.SamplePicture());

    engine.m_outputFolder = folder.At(L"LUMIVO_CONVERT\\Out");
    commands.DeselectOutputFolder();
    EXPECT_EQ((std::set<std::wstring>{L"Holiday", L"b.png", L"d.gif"}), list.Selected());
}

} // namespace

// The folder scan: what it skips and takes, refreshing, the early relayout of a large folder,
// folder previews.
#include <gtest/gtest.h>
#include <algorithm>
#include "PicListTestSupport.h"

using pltest::TestView;
using testsupport::TempFolder;

namespace {

const RGBQUAD kGrey = {128, 128, 128, 0};

bool HasName(const std::vector<std::wstring>& names, const wchar_t* name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Counts the relayout requests made before the end of the scan.
class EndCountingView : public TestView {
public:
    using TestView::TestView;
    void OnEndFolderSearch() override
    {
        postsBeforeEnd = m_nUpdatePosts;
        TestView::OnEndFolderSearch();
    }
    int postsBeforeEnd = -1;
};

} // namespace

TEST(FolderScan, HiddenAndSystemEntriesNeverShow)
{
    TempFolder dir, cache;
    ASSERT_TRUE(pltest::WritePicture(dir.At(L"shown.png"), 4, 4, kGrey));
    ASSERT_TRUE(pltest::WritePicture(dir.At(L"hidden.png"), 4, 4, kGrey));
    ASSERT_TRUE(pltest::WritePicture(dir.At(L"system.png"), 4, 4, kGrey));
    ASSERT_TRUE(CreateDirectoryW(dir.At(L"sub").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(dir.At(L"hiddensub").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(dir.At(L"hidden.png").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(dir.At(L"system.png").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesW(dir.At(L"hiddensub").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
    // The system keeps the bits (Wine stores them beside the file).
    ASSERT_TRUE(GetFileAttributesW(dir.At(L"hidden.png").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(GetFileAttributesW(dir.At(L"system.png").c_str()) & FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(GetFileAttributesW(dir.At(L"hiddensub").c_str()) & FILE_ATTRIBUTE_HIDDEN);

    TestView view(cache.Root());
    ASSERT_TRUE(view.Scan(dir.Root()));
    EXPECT_EQ(view.FileNames(), std::vector<std::wstring>{L"shown.png"});
    EXPECT_EQ(view.FolderNames(), std::vector<std::wstring>{L"sub"});
    EXPECT_EQ(view.GetItemCount(), 2);
    EXPECT_EQ(view.GetItemState(0), 2u);
}

TEST(FolderScan, TrailingBackslashesAreDroppedAndNothingMore)
{
    TempFolder dir, cache;
    ASSERT_TRUE(pltest::WritePicture(dir.At(L"one.png"), 4, 4, kGrey));
    TestView view(cache.Root());
    for (const std::wstring& typed : {dir.Root() + L"\\", dir.Root() + L"\\\\"}) {
        ASSERT_TRUE(view.Scan(typed));
        EXPECT_EQ(std::wstring(view.GetCurrentFolder().GetString()), dir.Root());
        EXPECT_EQ(view.FileNames(), std::vector<std::wstring>{L"one.png"});
    }
    // A drive's root is kept as "C:".
    ASSERT_TRUE(view.Scan(L"C:\\"));
    EXPECT_EQ(std::wstring(view.GetCurrentFolder().GetString()), L"C:");
}

TEST(FolderScan, NameFilterTakesAnyCaseAndSkipsTheRest)
{
    TempFolder dir, cache;
    for (const wchar_t* name : {L"X.JPG", L"y.png", L"z.gif", L"w.jpeg"})
        ASSERT_TRUE(pltest::WriteBytes(dir.At(name), "x"));
    TestView view(cache.Root());
    view.m_strFilter = L"*.jpg;*.png;";
    ASSERT_TRUE(view.Scan(dir.Root()));
    std::vector<std::wstring> names = view.FileNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"X.JPG", L"y.png"}));
}

TEST(FolderScan, RefreshAddsNewNamesKeepsStatesAndThumbnailsDropsTheGone)
{
    TempFolder dir, cache;
    for (const wchar_t* name : {L"a.png", L"b.png", L"c.png"})
        ASSERT_TRUE(pltest::WritePicture(dir.At(name), 4, 4, kGrey));
    TestView view(cache.Root());
    ASSERT_TRUE(view.Scan(dir.Root()));
    ASSERT_TRUE(view.LoadAll());
    ASSERT_TRUE(view.SetItemState(0, 0x200, 0));
    view.Lock();
    const CKQImageFile* thumbnail = view.File(0)->m_pImage;
    const std::wstring first = view.File(0)->m_strName.GetString();
    view.Unlock();
    ASSERT_NE(thumbnail, nullptr);

    ASSERT_TRUE(pltest::WritePicture(dir.At(L"d.png"), 4, 4, kGrey));
    const std::wstring gone = first == L"c.png" ? L"b.png" : L"c.png";
    ASSERT_TRUE(DeleteFileW(dir.At(gone).c_str()));
    ASSERT_TRUE(view.Scan(dir.Root(), true));

    std::vector<std::wstring> names = view.FileNames();
    EXPECT_EQ(names.size(), 3u);
    EXPECT_TRUE(HasName(names, L"d.png"));
    EXPECT_FALSE(HasName(names, gone.c_str()));
    view.Lock();
    bool found = false;
    for (int i = 0; view.File(i); ++i) {
        if (first == view.File(i)->m_strName.GetString()) {
            found = true;
            EXPECT_EQ(view.File(i)->m_pImage, thumbnail);
            EXPECT_EQ(view.File(i)->m_nState & 0x200, 0x200u);
        }
    }
    view.Unlock();
    EXPECT_TRUE(found);
}

TEST(FolderScan, ALargeFolderAsksForOneEarlyRelayout)
{
    struct Case {
        int files;
        int postsBeforeEnd;
    } cases[] = {{300, 1}, {299, 0}, {601, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files);
        TempFolder dir, cache;
        for (int i = 0; i < c.files; ++i)
            ASSERT_TRUE(pltest::WriteBytes(dir.At(L"f" + std::to_wstring(i) + L".png"), ""));
        EndCountingView view(cache.Root());
        ASSERT_TRUE(view.Scan(dir.Root()));
        EXPECT_EQ(view.GetItemCount(), c.files);
        EXPECT_EQ(view.postsBeforeEnd, c.postsBeforeEnd);
        EXPECT_EQ(view.m_nUpdatePosts, c.postsBeforeEnd + 1); // and one at the end
    }
}

TEST(FolderScan, FolderPreviewsStopAtFourAndLookDeepOnlyWhenAsked)
{
    TempFolder dir, cache;
    ASSERT_TRUE(CreateDirectoryW(dir.At(L"many").c_str(), nullptr));
    ASSERT_TRUE(pltest::WriteBytes(dir.At(L"many\\broken.png"), "not a picture"));
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(pltest::WritePicture(dir.At(L"many\\p" + std::to_wstring(i) + L".png"), 8, 8, kGrey));
    ASSERT_TRUE(CreateDirectoryW(dir.At(L"deep").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(dir.At(L"deep\\inner").c_str(), nullptr));
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(pltest::WritePicture(dir.At(L"deep\\inner\\q" + std::to_wstring(i) + L".png"), 8, 8, kGrey));

    for (bool deepOption : {true, false}) {
        SCOPED_TRACE(deepOption);
        TestView view(cache.Root());
        view.m_bDeepFolderPreview = deepOption;
        ASSERT_TRUE(view.Scan(dir.Root()));
        view.Lock();
        int many = -1, deep = -1, index = 0;
        for (auto it = view.m_folderBrowser.m_lstFolder.Begin(); it != view.m_folderBrowser.m_lstFolder.End(); it.Next(), ++index) {
            const int count = it->m_pPreviews ? it->m_pPreviews->GetCount() : 0;
            if (it->m_strName == L"many")
                many = count;
            else if (it->m_strName == L"deep")
                deep = count;
        }
        view.Unlock();
        EXPECT_EQ(many, 4);
        EXPECT_EQ(deep, deepOption ? 2 : 0);
        EXPECT_EQ(view.LoadFolderPreviewImage(0) || view.LoadFolderPreviewImage(1), true);
    }
}

TEST(FolderScan, AFolderThumbnailTakesPicturesBelowTheMinimumAndKeepsTheOption)
{
    TempFolder dir, cache;
    ASSERT_TRUE(CreateDirectoryW(dir.At(L"small").c_str(), nullptr));
    ASSERT_TRUE(pltest::WritePicture(dir.At(L"small\\a.png"), 8, 8, kGrey));
    TestView view(cache.Root());
    view.m_bMinSize = true;
    ASSERT_TRUE(view.Scan(dir.Root()));
    ASSERT_EQ(view.FolderNames(), std::vector<std::wstring>{L"small"});
    view.Lock();
    auto folder = view.m_folderBrowser.m_lstFolder.Begin();
    EXPECT_EQ(folder->m_pPreviews, nullptr); // the scan honours the minimum
    view.Unlock();
    EXPECT_TRUE(view.LoadFolderThumbnail(folder, dir.Root().c_str()));
    EXPECT_TRUE(view.LoadFolderPreviewImage(0));
    EXPECT_TRUE(view.m_bMinSize);
}

// The side pane in the real frame: its tabs, its slide, the tree's keys and its refusals during
// a batch, and the favourite buttons on the list's folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <string>
#include <vector>
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

// Named: the test files of this program are compiled together.
namespace paneviewtest {

using testsupport::TempFolder;

const wchar_t kProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";
const wchar_t kFavoriteRoot[] = L"Software\\Lumivo\\LumivoShowsTests\\PaneFavorites\\";

class PaneViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        for (const wchar_t* name : {L"one", L"two", L"one\\inner"})
            ASSERT_TRUE(::CreateDirectoryW(temp.At(name).c_str(), nullptr));
        app = GetLumivoShowsApp();
        ASSERT_NE(app, nullptr);
    }
    void Start(const std::wstring& switches = std::wstring())
    {
        ASSERT_TRUE(app->Prepare((switches + L"\"" + temp.Root() + L"\"").c_str()));
        app->m_favoriteRoot = kFavoriteRoot;
        ASSERT_TRUE(app->CreateMainFrame());
        frame = app->m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil([&] { return List().GetItemCount() == 2 && !List().IsScanning(); }));
        PumpPending();
        Bar().m_messageBox = [this](const wchar_t* text, const wchar_t*, UINT) {
            boxes.push_back(text);
            return IDYES;
        };
        Bar().m_favoriteDialog = [this](std::wstring&, std::wstring&, int&) {
            ++dialogs;
            return false;
        };
    }
    void TearDown() override
    {
        if (frame && ::IsWindow(frame->GetSafeHwnd())) {
            app->m_pMainWnd = nullptr;
            frame->DestroyWindow();
            PumpPending();
        }
        app->m_pMainFrame = nullptr;
        app->m_cmdInfo.m_bBatch = false;
        app->m_fileCommands.places = FileCommandPlaces();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    CPictureListView& List() { return frame->m_wndList; }
    CBrowserMainBar& Bar() { return frame->m_wndPane.m_mainBar; }
    CKQShellTree& Tree() { return Bar().m_tree; }
    int Index(const wchar_t* name) { return List().FindItemByPath(temp.At(name).c_str()); }
    HTREEITEM AddFavorite(const std::wstring& folder, const wchar_t* name)
    {
        ST_FavFolder* favorite = Tree().GetFavorites().Add(folder.c_str(), name, 0);
        if (!favorite || !Tree().AddFavoriteItemToTree(favorite, FALSE))
            return nullptr;
        return static_cast<HTREEITEM>(favorite->item);
    }

    TempFolder temp;
    CLumivoShowsApp* app = nullptr;
    CMainFrame* frame = nullptr;
    std::vector<std::wstring> boxes;
    int dialogs = 0;
};

TEST_F(PaneViewTest, TheBatchSwitchOpensTheBatchTab)
{
    Start(L"/batch ");
    EXPECT_EQ(frame->m_wndPane.GetUnderlinedWindow()->GetActiveTab(), 0);
    EXPECT_EQ(frame->m_wndPane.GetUnderlinedWindow()->GetTabLabel(0), L"Batch");
}

TEST_F(PaneViewTest, WithoutTheSwitchTheFolderTabWithItsTree)
{
    Start();
    EXPECT_EQ(frame->m_wndPane.GetUnderlinedWindow()->GetActiveTab(), 1);
    EXPECT_EQ(frame->m_wndPane.GetUnderlinedWindow()->GetTabLabel(1), L"Folder");
    EXPECT_NE(Tree().GetPicturesItem(), nullptr);
    EXPECT_NE(Tree().GetComputerItem(), nullptr);
}

TEST_F(PaneViewTest, HidingSlidesOutInTenStepsAtMostAndShowingRestoresTheWidth)
{
    Start();
    CPaneView& pane = frame->m_wndPane;
    CRect before;
    pane.GetWindowRect(&before);
    pane.ShowPane(false);
    int ticks = 0;
    while (pane.IsWindowVisible() && ticks < 50) {
        pane.SendMessage(WM_TIMER, 0);
        ++ticks;
    }
    EXPECT_FALSE(pane.IsWindowVisible());
    EXPECT_LE(ticks, 10);
    pane.ShowPane(true);
    PumpPending();
    CRect after;
    pane.GetWindowRect(&after);
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_EQ(after.Width(), before.Width());
}

TEST_F(PaneViewTest, EnterInTheTreeSwitchesToFullScreen)
{
    Start();
    ASSERT_FALSE(frame->IsFullScreen());
    Tree().SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(frame->IsFullScreen());
    frame->ToggleFullScreen();
    PumpPending();
}

TEST_F(PaneViewTest, AddFavoriteTakesTheSelectedFoldersWithoutTheDialog)
{
    Start();
    List().SetItemState(Index(L"one"), KQLS_SELECTED, 0);
    List().SetItemState(Index(L"two"), KQLS_SELECTED, 0);
    Bar().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAINBAR_ADD, BN_CLICKED), LPARAM(Bar().m_btnAdd.GetSafeHwnd()));
    EXPECT_EQ(Tree().GetFavorites().GetFolders().GetCount(), 2);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(List().GetNextSelectItem(-1), -1);
    // Nothing selected: the dialog.
    Bar().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAINBAR_ADD, BN_CLICKED), LPARAM(Bar().m_btnAdd.GetSafeHwnd()));
    EXPECT_EQ(dialogs, 1);
}

TEST_F(PaneViewTest, DeletingAFavouriteLeavesItsFolder)
{
    Start();
    HTREEITEM item = AddFavorite(temp.At(L"one"), L"One");
    ASSERT_NE(item, nullptr);
    Tree().SelectItem(item);
    EXPECT_TRUE(Bar().m_btnDelete.IsWindowVisible());
    Bar().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAINBAR_DELETE, BN_CLICKED), LPARAM(Bar().m_btnDelete.GetSafeHwnd()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"\"One\"\r\nDo you want to remove it from favorites ?");
    EXPECT_EQ(Tree().GetFavorites().GetFolders().GetCount(), 0);
    EXPECT_TRUE(::GetFileAttributesW(temp.At(L"one\\inner").c_str()) != INVALID_FILE_ATTRIBUTES);
}

// A folder the tree chose keeps its item selected; one the list opened by itself leaves the
// tree without a selection.
TEST_F(PaneViewTest, TheTreeKeepsItsSelectionOnlyForTheFoldersItOpened)
{
    Start();
    HTREEITEM item = AddFavorite(temp.At(L"one"), L"One");
    ASSERT_NE(item, nullptr);
    Tree().SelectItem(item);
    ASSERT_TRUE(PumpUntil([&] { return List().GetCurrentFolder() == temp.At(L"one").c_str() && !List().IsScanning(); }));
    PumpPending();
    EXPECT_EQ(Tree().GetSelectedItem(), item);
    List().OpenFolder(temp.At(L"one\\inner").c_str());
    ASSERT_TRUE(PumpUntil([&] { return List().GetCurrentFolder() == temp.At(L"one\\inner").c_str() && !List().IsScanning(); }));
    PumpPending();
    EXPECT_EQ(Tree().GetSelectedItem(), nullptr);
    EXPECT_FALSE(Bar().m_btnDelete.IsWindowVisible());
}

// The breadcrumb shows what the list shows: a folder by its path, Computer by the shell's item
// of it; Computer chosen in the tree keeps the tree's selection, and chosen in the breadcrumb is
// shown through the tree's item.
TEST_F(PaneViewTest, TheBreadcrumbFollowsTheListAndItsComputerIsTheTreesComputer)
{
    Start();
    CLumivoShowsShellBreadcrumb& breadcrumb = frame->m_wndToolBar.m_breadcrumb;
    List().OpenFolder(temp.At(L"one\\inner").c_str());
    ASSERT_TRUE(PumpUntil([&] { return List().GetCurrentFolder() == temp.At(L"one\\inner").c_str() && !List().IsScanning(); }));
    PumpPending();
    EXPECT_EQ(_wcsicmp(breadcrumb.GetSelectedPath().GetString(), temp.At(L"one\\inner").c_str()), 0);

    const HTREEITEM computer = Tree().GetComputerItem();
    ASSERT_NE(computer, nullptr);
    const auto* data = reinterpret_cast<ZVTreeItemData*>(Tree().GetItemData(computer));
    ASSERT_TRUE(data && data->pidlFQ);
    Tree().SelectItem(computer);
    PumpPending();
    EXPECT_EQ(Tree().GetSelectedItem(), computer);
    EXPECT_TRUE(::ILIsEqual(breadcrumb.GetShellItem(breadcrumb.GetSelectedItem()), data->pidlFQ));

    List().OpenFolder(temp.Root().c_str());
    ASSERT_TRUE(PumpUntil([&] { return List().GetCurrentFolder() == temp.Root().c_str() && !List().IsScanning(); }));
    PumpPending();
    EXPECT_EQ(Tree().GetSelectedItem(), nullptr);
    ASSERT_TRUE(breadcrumb.SelectShellItem(data->pidlFQ));
    PumpPending();
    EXPECT_EQ(Tree().GetSelectedItem(), computer);
    EXPECT_TRUE(List().GetCurrentFolder().IsEmpty()) << "the list shows the drives";
}

// An item that opens becomes the selection and its folder is shown; a folder without folders
// of its own loses its button once opened.
TEST_F(PaneViewTest, OpeningAnItemSelectsItAndAFolderWithoutFoldersLosesItsButton)
{
    Start();
    struct Case {
        const wchar_t* folder;
        bool button;
    };
    const Case cases[] = {{L"one", true}, {L"two", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        HTREEITEM item = AddFavorite(temp.At(c.folder), c.folder);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(Tree().ItemHasChildren(item));
        Tree().Expand(item, TVE_EXPAND);
        EXPECT_EQ(Tree().GetSelectedItem(), item);
        EXPECT_EQ(Tree().ItemHasChildren(item) != FALSE, c.button);
        EXPECT_TRUE(PumpUntil([&] { return List().GetCurrentFolder() == temp.At(c.folder).c_str() && !List().IsScanning(); }));
    }
}

TEST_F(PaneViewTest, TheTreeDoesNotOpenDuringABatch)
{
    Start();
    HTREEITEM item = AddFavorite(temp.Root(), L"Root");
    ASSERT_NE(item, nullptr);
    Tree().m_batchRunning = [] { return true; };
    Tree().Expand(item, TVE_EXPAND);
    EXPECT_EQ(Tree().GetChildItem(item), nullptr);
    Tree().m_batchRunning = [] { return false; };
    Tree().Expand(item, TVE_EXPAND);
    EXPECT_NE(Tree().GetChildItem(item), nullptr);
}

} // namespace paneviewtest

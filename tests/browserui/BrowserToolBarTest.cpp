// The tool bar above the list in the real frame: the history through Back, Forward and the keys,
// Parent at a drive's root, Export without a picture, and the one or two rows.
#include <gtest/gtest.h>
#include <algorithm>
#include <windows.h>
#include <string>
#include <vector>
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

// Named: the test files of this program are compiled together.
namespace browsertoolbartest {

using testsupport::TempFolder;

const wchar_t kProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";

class BrowserToolBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        ASSERT_TRUE(TempFolder::Put(temp.At(L"a.txt"), "x"));
        for (const wchar_t* name : {L"one", L"two", L"one\\inner"})
            ASSERT_TRUE(::CreateDirectoryW(temp.At(name).c_str(), nullptr));
        app = GetLumivoShowsApp();
        ASSERT_NE(app, nullptr);
        ASSERT_TRUE(app->Prepare((L"\"" + temp.Root() + L"\"").c_str()));
        app->m_bShowMore = false;
        ASSERT_TRUE(app->CreateMainFrame());
        frame = app->m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        Wait(temp.Root());
        Bar().m_note = [this](const wchar_t* text) { notes.push_back(text); };
    }
    void TearDown() override
    {
        if (frame && ::IsWindow(frame->GetSafeHwnd())) {
            app->m_pMainWnd = nullptr;
            frame->DestroyWindow();
            PumpPending();
        }
        app->m_pMainFrame = nullptr;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    CPictureListView& List() { return frame->m_wndList; }
    CBrowserToolBar& Bar() { return frame->m_wndToolBar; }
    std::wstring Folder() { return std::wstring(List().GetCurrentFolder().GetString()); }
    void Wait(const std::wstring& folder)
    {
        ASSERT_TRUE(PumpUntil([&] { return Folder() == folder && !List().IsScanning(); })) << std::string(Folder().begin(), Folder().end());
        PumpPending();
    }
    void Open(const std::wstring& folder)
    {
        List().OpenFolder(folder.c_str());
        Wait(folder);
    }
    // As the user presses it: through the program's loop, so that the frame sees it first.
    void Key(UINT message, WPARAM key)
    {
        const LPARAM alt = message == WM_SYSKEYDOWN ? (1 << 29) : 0;
        List().SetFocus();
        ::PostMessageW(List().GetSafeHwnd(), message, key, alt | 1);
        PumpPending();
    }
    void Click(UINT id) { Bar().SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(Bar().Button(id).GetSafeHwnd())); }
    int BarHeight()
    {
        CRect r;
        Bar().GetClientRect(&r);
        return r.Height();
    }

    TempFolder temp;
    CLumivoShowsApp* app = nullptr;
    CMainFrame* frame = nullptr;
    std::vector<std::wstring> notes;
};

TEST_F(BrowserToolBarTest, BackAndForwardWalkTheFoldersShownAndTheKeysDoTheSame)
{
    Open(temp.At(L"one"));
    Open(temp.At(L"one\\inner"));
    EXPECT_TRUE(Bar().Button(IDC_BAR_BACK).IsWindowEnabled());
    EXPECT_FALSE(Bar().Button(IDC_BAR_FORWARD).IsWindowEnabled());

    Key(WM_SYSKEYDOWN, VK_LEFT);
    Wait(temp.At(L"one"));
    Click(IDC_BAR_BACK);
    Wait(temp.Root());
    EXPECT_FALSE(Bar().Button(IDC_BAR_BACK).IsWindowEnabled());
    EXPECT_TRUE(Bar().Button(IDC_BAR_FORWARD).IsWindowEnabled());
    Key(WM_SYSKEYDOWN, VK_RIGHT);
    Wait(temp.At(L"one"));

    // A new folder after going back drops what lay ahead.
    Open(temp.At(L"two"));
    EXPECT_FALSE(Bar().Button(IDC_BAR_FORWARD).IsWindowEnabled());
    EXPECT_EQ(Bar().m_history.Count(), 3);

    Key(WM_KEYDOWN, VK_BACK);
    Wait(temp.Root());
}

TEST_F(BrowserToolBarTest, ParentOfADriveRootShowsComputer)
{
    int computer = 0;
    Bar().m_showComputer = [&] { ++computer; };
    Bar().m_specialFolders = [this] { return std::vector<std::wstring>{temp.At(L"two")}; };
    Open(temp.At(L"two"));
    Click(IDC_BAR_PARENT);
    PumpPending();
    EXPECT_EQ(Folder(), temp.At(L"two")) << "a special folder has no parent here";
    // The list keeps a drive's root without its backslash.
    List().OpenFolder(L"C:\\");
    Wait(L"C:");
    Click(IDC_BAR_PARENT);
    PumpPending();
    EXPECT_EQ(computer, 1);
    EXPECT_EQ(Folder(), L"C:");
}

TEST_F(BrowserToolBarTest, ExportOverAFolderWithNothingSelectedGivesTheNote)
{
    List().m_nHover = List().FindItemByPath(temp.At(L"one").c_str());
    ASSERT_GE(List().m_nHover, 0);
    Click(IDC_BAR_EXPORT);
    EXPECT_EQ(notes, std::vector<std::wstring>{L"Please select a picture file"});
}

TEST_F(BrowserToolBarTest, MoreDoublesTheHeightAndOnlyHideUndoesIt)
{
    const int one = BarHeight();
    EXPECT_EQ(one, Bar().GetRowHeight());
    Click(IDC_BAR_MORE);
    EXPECT_EQ(BarHeight(), 2 * one);
    EXPECT_FALSE(Bar().m_bHoverExpanded);
    EXPECT_FALSE(Bar().Button(IDC_BAR_MORE).IsWindowVisible());
    EXPECT_TRUE(Bar().Button(IDC_BAR_HIDE).IsWindowVisible());
    Click(IDC_BAR_HIDE);
    EXPECT_EQ(BarHeight(), one);

    // The mouse over the left three quarters opens the second row, and says so.
    CRect list;
    List().GetClientRect(&list);
    Bar().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(list.Width() * 3 / 4 + 2, 5));
    EXPECT_EQ(BarHeight(), one);
    Bar().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(list.Width() / 2, 5));
    EXPECT_EQ(BarHeight(), 2 * one);
    EXPECT_TRUE(Bar().m_bHoverExpanded);
}

// The folder mode lists the pictures of every sub-folder instead of the sub-folders, named by
// their place below the folder, and the button offers the mode it would go back to.
TEST_F(BrowserToolBarTest, FolderModeListsTheSubFoldersPicturesAndOffersTheOtherMode)
{
    for (const wchar_t* name : {L"a.jpg", L"one\\b.jpg", L"one\\inner\\c.jpg"})
        ASSERT_TRUE(TempFolder::Put(temp.At(name), "x"));
    List().Refresh();
    PumpPending();
    Wait(temp.Root());
    const auto names = [this] {
        std::vector<std::wstring> listed;
        for (int i = 0; i < List().GetItemCount(); ++i)
            listed.push_back(List().GetItemFullFileName(i).GetString());
        std::sort(listed.begin(), listed.end());
        return listed;
    };
    const std::vector<std::wstring> common{temp.At(L"a.jpg"), temp.At(L"one"), temp.At(L"two")};
    EXPECT_EQ(names(), common);
    CKQFlatButton& button = Bar().Button(IDC_BAR_FOLDER_MODE);
    EXPECT_TRUE(button.IsWindowVisible());
    const struct {
        std::vector<std::wstring> listed;
        const wchar_t* offered;
    } steps[] = {
        {{temp.At(L"a.jpg"), temp.At(L"one\\b.jpg"), temp.At(L"one\\inner\\c.jpg")}, L"Common mode"},
        {common, L"Penetrate Folder"},
    };
    for (const auto& step : steps) {
        Click(IDC_BAR_FOLDER_MODE);
        PumpPending();
        Wait(temp.Root());
        EXPECT_EQ(names(), step.listed) << step.offered;
        CString text;
        button.GetWindowText(text);
        EXPECT_STREQ(text.GetString(), step.offered);
    }
}

TEST_F(BrowserToolBarTest, FolderModeOverOnlineMaterialOnlyTellsSo)
{
    std::vector<std::wstring> boxes;
    List().m_messageBox = [&](const wchar_t* text, UINT) {
        boxes.push_back(text);
        return IDOK;
    };
    List().SwitchViewSettings(false);
    Bar().UpdateEditButtons();
    EXPECT_FALSE(Bar().Button(IDC_BAR_FOLDER_MODE).IsWindowVisible());
    Click(IDC_BAR_FOLDER_MODE);
    List().SwitchViewSettings(true);
    EXPECT_EQ(boxes, std::vector<std::wstring>{L"Only available to local folder"});
    EXPECT_FALSE(Bar().IsSubFolderMode());
}

// F6 and Tab go from the list to the tree, the breadcrumb and back to the list.
TEST_F(BrowserToolBarTest, F6AndTabMoveTheFocusRoundTreeBreadcrumbAndList)
{
    const HWND tree = frame->m_wndPane.m_mainBar.m_tree.GetSafeHwnd();
    const HWND breadcrumb = Bar().m_breadcrumb.GetSafeHwnd();
    const HWND list = List().GetSafeHwnd();
    List().SetFocus();
    ASSERT_EQ(::GetFocus(), list);
    const struct {
        WPARAM key;
        HWND focused;
    } steps[] = {{VK_F6, tree}, {VK_TAB, breadcrumb}, {VK_F6, list}, {VK_TAB, tree}};
    for (const auto& step : steps) {
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, step.key, 1);
        PumpPending();
        EXPECT_EQ(::GetFocus(), step.focused) << &step - steps;
    }
    EXPECT_TRUE(frame->CycleFocus(tree, true));
    EXPECT_EQ(::GetFocus(), list) << "Shift goes back";
}

} // namespace browsertoolbartest

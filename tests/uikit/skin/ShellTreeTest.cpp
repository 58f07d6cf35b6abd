// The shell folder tree and the breadcrumb in the Wine prefix: roots and favourites, folders
// read on expanding, device changes, and the breadcrumb opening folders in a list.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>
#include "BrowserShellBreadcrumb.h"
#include "SkinKitTest.h"
#include "TestSupport.h"
#include "ZVShellTree.h"

namespace {
const wchar_t kFavRoot[] = L"Software\\SkinKitTests\\FavoriteData\\";

CString SpecialName(int folder)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, folder, &pidl)))
        return L"<none>";
    SHFILEINFOW info = {};
    ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME);
    ::CoTaskMemFree(pidl);
    return info.szDisplayName;
}

int StoredFavorites()
{
    CFavoriteFolder stored;
    stored.SetRootRegPath(kFavRoot);
    stored.LoadSetting();
    return stored.GetFolders().GetCount();
}

std::vector<CString> Children(CTreeCtrl& tree, HTREEITEM parent)
{
    std::vector<CString> names;
    for (HTREEITEM child = tree.GetChildItem(parent); child; child = tree.GetNextSiblingItem(child))
        names.push_back(tree.GetItemText(child));
    return names;
}

// Clicks the item's expand button as the user does (a TVM_EXPAND of the program's own tells
// the tree's owner nothing when it collapses).
bool ClickButton(CTreeCtrl& tree, HTREEITEM item)
{
    CRect row;
    if (!tree.GetItemRect(item, &row, FALSE))
        return false;
    for (int x = row.left; x < row.right; ++x) {
        TVHITTESTINFO hit = {{x, row.CenterPoint().y}};
        if (reinterpret_cast<HTREEITEM>(tree.SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) == item &&
            (hit.flags & TVHT_ONITEMBUTTON)) {
            tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, hit.pt.y));
            tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, hit.pt.y));
            return true;
        }
    }
    return false;
}

// A frame holding a tree over the test's own favourites.
class ShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SkinKitTests");
        static_cast<CBCGPWinApp*>(AfxGetApp())->InitShellManager();
        ASSERT_TRUE(m_frame->Create(nullptr, L"Tree", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 600)));
    }
    void TearDown() override
    {
        m_tree.reset();
        m_frame->DestroyWindow();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SkinKitTests");
    }
    void AddFavorite(const std::wstring& path, const wchar_t* name)
    {
        CFavoriteFolder favorites;
        favorites.SetRootRegPath(kFavRoot);
        favorites.LoadSetting();
        ASSERT_NE(favorites.Add(path.c_str(), name, 0), nullptr);
    }
    CZVShellTree& Tree()
    {
        if (!m_tree) {
            m_tree = std::make_unique<CZVShellTree>(kFavRoot);
            EXPECT_TRUE(m_tree->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                       CRect(0, 0, 380, 560), m_frame, 1));
            m_tree->InitStyle();
        }
        return *m_tree;
    }
    HTREEITEM Favorite(const CString& name)
    {
        return Tree().GetChildItemByName(nullptr, name) ? Tree().GetChildItemByName(nullptr, name) : FindRoot(name);
    }
    HTREEITEM FindRoot(const CString& name)
    {
        for (HTREEITEM item = Tree().GetRootItem(); item; item = Tree().GetNextSiblingItem(item))
            if (Tree().GetItemText(item) == name)
                return item;
        return nullptr;
    }

    CFrameWnd* m_frame = new CFrameWnd;
    std::unique_ptr<CZVShellTree> m_tree;
    testsupport::TempFolder m_temp;
};
} // namespace

TEST_F(ShellTreeTest, RootsInOrderThenFavourites)
{
    AddFavorite(m_temp.Root(), L"Holiday");
    const std::vector<CString> expected = {SpecialName(CSIDL_MYPICTURES), SpecialName(CSIDL_PERSONAL), SpecialName(CSIDL_DRIVES),
                                           SpecialName(CSIDL_NETWORK), SpecialName(CSIDL_DESKTOP), L"Holiday"};
    std::vector<CString> roots;
    for (HTREEITEM item = Tree().GetRootItem(); item; item = Tree().GetNextSiblingItem(item))
        roots.push_back(Tree().GetItemText(item));
    EXPECT_EQ(roots, expected);
    EXPECT_EQ(Tree().GetItemText(Tree().GetPicturesItem()), expected[0]);
    EXPECT_EQ(Tree().GetItemText(Tree().GetComputerItem()), expected[2]);
    EXPECT_EQ(Tree().GetItemText(Tree().GetNetworkItem()), expected[3]);
}

TEST_F(ShellTreeTest, ExpandingReadsSortedSubFoldersAndCollapsingMovesTheSelectionUp)
{
    for (const wchar_t* name : {L"pears", L"apples", L"cherries"})
        ASSERT_TRUE(::CreateDirectoryW(m_temp.At(name).c_str(), nullptr));
    ASSERT_TRUE(testsupport::TempFolder::Put(m_temp.At(L"banana.txt"), "x"));
    ASSERT_TRUE(::CreateDirectoryW(m_temp.At(L"pears\\green").c_str(), nullptr));
    AddFavorite(m_temp.Root(), L"Fruit");
    HTREEITEM fruit = FindRoot(L"Fruit");
    ASSERT_NE(fruit, nullptr);
    EXPECT_EQ(Tree().GetChildItem(fruit), nullptr);   // nothing read before it opens
    Tree().Expand(fruit, TVE_EXPAND);
    EXPECT_EQ(Children(Tree(), fruit), (std::vector<CString>{L"apples", L"cherries", L"pears"}));
    HTREEITEM pears = Tree().GetChildItemByName(fruit, L"pears");
    ASSERT_NE(pears, nullptr);
    EXPECT_TRUE(Tree().ItemHasChildren(pears));
    CString path;
    EXPECT_TRUE(Tree().GetItemPath(path, pears));
    EXPECT_EQ(path, CString(m_temp.At(L"pears").c_str()));

    Tree().SelectItem(pears);
    ASSERT_TRUE(ClickButton(Tree(), fruit));
    EXPECT_EQ(Tree().GetSelectedItem(), fruit);
    EXPECT_EQ(Tree().GetChildItem(fruit), nullptr);   // the children were discarded
    // Opened again, the disk is read again.
    ASSERT_TRUE(::CreateDirectoryW(m_temp.At(L"bananas").c_str(), nullptr));
    EXPECT_TRUE(Tree().ItemHasChildren(fruit));
    ASSERT_TRUE(ClickButton(Tree(), fruit));
    EXPECT_EQ(Children(Tree(), fruit), (std::vector<CString>{L"apples", L"bananas", L"cherries", L"pears"}));
}

TEST_F(ShellTreeTest, VirtualFoldersHaveNoPath)
{
    CString path = L"left over";
    EXPECT_FALSE(Tree().GetItemPath(path, Tree().GetComputerItem()));
    EXPECT_TRUE(path.IsEmpty());
    Tree().SelectItem(nullptr);
    EXPECT_FALSE(Tree().GetItemPath(path));
}

TEST_F(ShellTreeTest, AFavouriteFolderDeletedOnDiskGoesAndOneOnAnAbsentDriveStays)
{
    ASSERT_TRUE(::CreateDirectoryW(m_temp.At(L"gone").c_str(), nullptr));
    AddFavorite(m_temp.At(L"gone"), L"Gone");
    wchar_t absent[] = L"?:\\Pictures";
    for (wchar_t letter = L'Z'; letter >= L'H'; --letter) {
        const wchar_t root[] = {letter, L':', L'\\', 0};
        if (::GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR) {
            absent[0] = letter;
            break;
        }
    }
    ASSERT_NE(absent[0], L'?');
    AddFavorite(absent, L"Stick");
    ASSERT_TRUE(::RemoveDirectoryW(m_temp.At(L"gone").c_str()));
    ASSERT_EQ(StoredFavorites(), 2);

    Tree();
    EXPECT_EQ(FindRoot(L"Gone"), nullptr);
    EXPECT_EQ(FindRoot(L"Stick"), nullptr);
    EXPECT_EQ(StoredFavorites(), 1);   // the one on the absent drive is kept
}

TEST_F(ShellTreeTest, DeviceChangesRebuildComputerOnlyWhileItIsSelected)
{
    HTREEITEM computer = Tree().GetComputerItem();
    ASSERT_NE(computer, nullptr);
    Tree().Expand(computer, TVE_EXPAND);
    HTREEITEM firstDrive = Tree().GetChildItem(computer);
    ASSERT_NE(firstDrive, nullptr);
    const std::vector<CString> drives = Children(Tree(), computer);

    Tree().SelectItem(Tree().GetDocumentsItem());
    EXPECT_EQ(Tree().SendMessage(WM_DEVICECHANGE, 0x0007, 0), TRUE);
    EXPECT_EQ(Tree().GetChildItem(computer), firstDrive);

    Tree().SelectItem(computer);
    EXPECT_EQ(Tree().SendMessage(WM_DEVICECHANGE, 0x0007, 0), TRUE);
    EXPECT_EQ(Children(Tree(), computer), drives);
    EXPECT_NE(Tree().GetChildItem(computer), firstDrive);   // made again
    EXPECT_EQ(Tree().GetSelectedItem(), computer);
}

namespace {
bool g_treeMenuSeen = false;
void CALLBACK CloseTreeMenu(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND menu = ::FindWindowW(L"#32768", nullptr); menu && ::IsWindowVisible(menu)) {
        g_treeMenuSeen = true;
        ::EndMenu();
    }
}
} // namespace

TEST_F(ShellTreeTest, TheShellMenuIsOffUnlessItsFlagIsSet)
{
    AddFavorite(m_temp.Root(), L"Menu");
    HTREEITEM item = FindRoot(L"Menu");
    ASSERT_NE(item, nullptr);
    CRect rect;
    Tree().GetItemRect(item, &rect, TRUE);
    Tree().ClientToScreen(&rect);
    Tree().SelectItem(item);
    g_treeMenuSeen = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, CloseTreeMenu);
    Tree().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Tree().m_hWnd), MAKELPARAM(rect.left + 2, rect.top + 2));
    PumpFor(150);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(g_treeMenuSeen);
}

namespace {
// A picture list as the breadcrumb sees it.
class FakeList : public IKQFolderListTarget {
public:
    CString folder;
    std::vector<CString> opened;
    CString GetCurrentFolder() const override { return folder; }
    void UpdateFolder(const CString& strPath, bool) override
    {
        opened.push_back(strPath);
        folder = strPath;
    }
};
} // namespace

TEST_F(ShellTreeTest, BreadcrumbOpensTheFolderWithoutItsBackslashWhenTheListShowsAnother)
{
    CBrowserShellBreadcrumb crumb;
    ASSERT_TRUE(crumb.Create(CRect(0, 0, 380, 26), m_frame, 2));
    FakeList list;
    crumb.m_pListView = &list;

    // A list that shows nothing yet is left alone.
    const CString temp = m_temp.Root().c_str();
    ASSERT_TRUE(crumb.SelectPath(temp));
    EXPECT_TRUE(list.opened.empty());

    // A drive's path ends in a backslash; the list gets it without.
    list.folder = temp;
    ASSERT_TRUE(crumb.SelectPath(L"C:\\"));
    ASSERT_EQ(list.opened.size(), 1u);
    EXPECT_EQ(list.opened[0], CString(L"C:"));
    ASSERT_TRUE(crumb.SelectPath(temp));
    ASSERT_EQ(list.opened.size(), 2u);
    EXPECT_EQ(list.opened[1], temp);
    // The folder the list shows already: nothing.
    list.folder = L"C:";
    ASSERT_TRUE(crumb.SelectPath(L"C:\\"));
    EXPECT_EQ(list.opened.size(), 2u);
    crumb.DestroyWindow();
}

TEST_F(ShellTreeTest, BreadcrumbRenamesAChildOfTheSelection)
{
    ASSERT_TRUE(::CreateDirectoryW(m_temp.At(L"before").c_str(), nullptr));
    CBrowserShellBreadcrumb crumb;
    ASSERT_TRUE(crumb.Create(CRect(0, 0, 380, 26), m_frame, 2));
    ASSERT_TRUE(crumb.SelectPath(m_temp.Root().c_str()));
    HBREADCRUMBITEM selected = crumb.GetSelectedItem();
    ASSERT_NE(crumb.GetSubItemByName(selected, L"before"), nullptr);
    ASSERT_TRUE(::MoveFileW(m_temp.At(L"before").c_str(), m_temp.At(L"after").c_str()));
    crumb.RenameChildItem(L"before", L"after");
    EXPECT_EQ(crumb.GetSubItemByName(selected, L"before"), nullptr);
    EXPECT_NE(crumb.GetSubItemByName(selected, L"after"), nullptr);
    // No such child: nothing changes.
    crumb.RenameChildItem(L"missing", L"other");
    EXPECT_NE(crumb.GetSubItemByName(selected, L"after"), nullptr);
    // A folder made in the selection shows after UpdateNewFolder.
    ASSERT_TRUE(::CreateDirectoryW(m_temp.At(L"new").c_str(), nullptr));
    crumb.UpdateNewFolder();
    EXPECT_NE(crumb.GetSubItemByName(selected, L"new"), nullptr);
    crumb.DestroyWindow();
}

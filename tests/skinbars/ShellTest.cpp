// The shell manager's identifier-list helpers and the shell breadcrumb.
#include "BarsTestApp.h"
#include <cstring>
#include "TestSupport.h"

namespace {

// An identifier list of entries holding the given bytes each (not a real shell item).
std::vector<BYTE> MakeList(std::initializer_list<std::vector<BYTE>> entries)
{
    std::vector<BYTE> list;
    for (const auto& entry : entries) {
        const USHORT cb = static_cast<USHORT>(entry.size() + sizeof(USHORT));
        list.push_back(static_cast<BYTE>(cb & 0xFF));
        list.push_back(static_cast<BYTE>(cb >> 8));
        list.insert(list.end(), entry.begin(), entry.end());
    }
    list.push_back(0);
    list.push_back(0);
    return list;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

TEST(ShellManager, ListHelpers)
{
    CBCGPShellManager shell;
    const auto ab = MakeList({ { 'a', 'a' }, { 'b' } });
    const auto c = MakeList({ { 'c', 'c', 'c' } });
    const auto empty = MakeList({});
    EXPECT_EQ(shell.GetItemCount(AsList(ab)), 2u);
    EXPECT_EQ(shell.GetItemSize(AsList(ab)), ab.size());
    EXPECT_EQ(shell.GetItemCount(AsList(empty)), 0u);
    EXPECT_EQ(shell.GetItemSize(nullptr), 0u);

    LPITEMIDLIST joined = shell.ConcatenateItem(AsList(ab), AsList(c));
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(shell.GetItemCount(joined), 3u);
    const auto abc = MakeList({ { 'a', 'a' }, { 'b' }, { 'c', 'c', 'c' } });
    EXPECT_EQ(0, std::memcmp(joined, abc.data(), abc.size()));
    LPITEMIDLIST parent = nullptr;
    EXPECT_EQ(shell.GetParentItem(joined, parent), 2);
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(0, std::memcmp(parent, ab.data(), ab.size()));
    LPITEMIDLIST copy = shell.CopyItem(parent);
    EXPECT_EQ(shell.GetItemSize(copy), ab.size());
    EXPECT_EQ(shell.GetNextItem(shell.GetNextItem(copy)), nullptr);
    LPITEMIDLIST none = nullptr;
    EXPECT_EQ(shell.GetParentItem(AsList(empty), none), -1);
    EXPECT_EQ(none, nullptr);
    LPITEMIDLIST alone = shell.ConcatenateItem(nullptr, AsList(c));
    EXPECT_EQ(shell.GetItemSize(alone), c.size());
    for (LPITEMIDLIST p : { joined, parent, copy, alone })
        shell.FreeItem(p);

    // A damaged entry (shorter than its own size field) makes the list count as empty.
    std::vector<BYTE> damaged = ab;
    damaged[0] = 1;
    damaged[1] = 0;
    EXPECT_EQ(shell.GetItemCount(AsList(damaged)), 0u);
    EXPECT_EQ(shell.GetItemSize(AsList(damaged)), 2u);
    LPITEMIDLIST safe = shell.CopyItem(AsList(damaged));
    EXPECT_EQ(shell.GetItemCount(safe), 0u);
    shell.FreeItem(safe);
}

TEST(ShellManager, PathsRoundTrip)
{
    CBCGPShellManager shell;
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    LPITEMIDLIST pidl = nullptr;
    ASSERT_TRUE(SUCCEEDED(shell.ItemFromPath(windows, pidl)));
    EXPECT_GE(shell.GetItemCount(pidl), 2u);
    CString back;
    EXPECT_TRUE(shell.GetPathFromItem(pidl, back));
    EXPECT_EQ(back.CompareNoCase(windows), 0);
    shell.FreeItem(pidl);
    EXPECT_FALSE(SUCCEEDED(shell.ItemFromPath(L"", pidl)));
}

class CRecordingBreadcrumb : public CBCGPShellBreadcrumb {
public:
    std::vector<CString> selected;

protected:
    void OnSelectionChanged(HBREADCRUMBITEM hItem) override
    {
        selected.push_back(GetItemPath(hItem));
        CBCGPShellBreadcrumb::OnSelectionChanged(hItem);
    }
};

TEST(ShellBreadcrumb, FollowsAFolder)
{
    ::CoInitialize(nullptr);
    testsupport::TempFolder folder;
    const CString root = folder.Root().c_str();
    const CString a = root + L"\\Alpha", b = root + L"\\Beta";
    ASSERT_TRUE(::CreateDirectoryW(a, nullptr));
    ASSERT_TRUE(::CreateDirectoryW(b, nullptr));

    CTestFrame* frame = CTestFrame::Make();
    ASSERT_NE(frame, nullptr);
    {
        CRecordingBreadcrumb crumb;
        ASSERT_TRUE(crumb.Create(CRect(10, 10, 700, 38), frame, 1057));
        ASSERT_TRUE(crumb.SelectPath(a + L"\\"));
        EXPECT_EQ(crumb.GetItemPath(crumb.GetSelectedItem()).CompareNoCase(a), 0);
        ASSERT_EQ(crumb.selected.size(), 1u);
        EXPECT_EQ(crumb.GetItemText(crumb.GetSelectedItem()), CString(L"Alpha"));
        // The parent step lists both folders, in name order.
        HBREADCRUMBITEM parent = crumb.GetItemParent(crumb.GetSelectedItem());
        EXPECT_EQ(crumb.GetItemPath(parent).CompareNoCase(root), 0);
        ASSERT_EQ(crumb.GetSubItemsCount(parent), 2);
        EXPECT_EQ(crumb.GetItemText(crumb.GetSubItem(parent, 1)), CString(L"Beta"));
        // A new folder shows after the parent's sub-items are reloaded; the selection moved up.
        ::CreateDirectoryW(root + L"\\Gamma", nullptr);
        crumb.ResetItem(parent);
        EXPECT_EQ(crumb.GetSelectedItem(), parent);
        EXPECT_EQ(crumb.GetSubItemsCount(parent), 3);
        // The step rectangles follow the path; clicking the root's step selects it.
        crumb.SelectPath(b);
        EXPECT_FALSE(crumb.GetItemRect(crumb.GetSelectedItem()).IsRectEmpty());
        EXPECT_FALSE(crumb.SelectPath(root + L"\\Missing"));
        EXPECT_EQ(crumb.GetItemPath(crumb.GetSelectedItem()).CompareNoCase(b), 0);
        // The typed path: the edit box opens with the path and Enter-less end keeps the selection.
        crumb.StartEdit();
        ASSERT_NE(crumb.GetInplaceEdit(), nullptr);
        CString text;
        crumb.GetInplaceEdit()->GetWindowText(text);
        EXPECT_EQ(text.CompareNoCase(b), 0);
        crumb.GetInplaceEdit()->SetWindowText(a);
        crumb.EndEdit(TRUE);
        EXPECT_EQ(crumb.GetItemPath(crumb.GetSelectedItem()).CompareNoCase(a), 0);
    }
    frame->DestroyWindow();
}

} // namespace

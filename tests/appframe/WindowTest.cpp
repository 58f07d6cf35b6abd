// Window objects: nested creation, self-deleting objects, owned and borrowed windows, windows
// without an object of their own.
#include <gtest/gtest.h>
#include "TestApp.h"

namespace {

class CChildPane : public CWnd {
public:
    bool m_created = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        m_created = true;
        return CWnd::OnCreate(cs);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildPane, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// Makes its pane while it is being created itself.
class COuterWindow : public CWnd {
public:
    CChildPane m_pane;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CWnd::OnCreate(cs) == -1 || !m_pane.Create(nullptr, L"pane", WS_VISIBLE, CRect(0, 0, 10, 10), this, 7))
            return -1;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterWindow, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int g_selfDeleted = 0;

class CSelfDeleting : public CWnd {
public:
    ~CSelfDeleting() override { ++g_selfDeleted; }
    void PostNcDestroy() override { delete this; }
};

class CRefusing : public CWnd {
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusing, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

HWND CreatePlainEdit()
{
    return CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(Window, WindowsMadeDuringCreationGetTheirOwnObjects)
{
    COuterWindow outer;
    ASSERT_TRUE(outer.CreateEx(0, nullptr, L"outer", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_TRUE(outer.m_pane.m_created);
    EXPECT_EQ(CWnd::FromHandlePermanent(outer.m_hWnd), &outer);
    EXPECT_EQ(CWnd::FromHandlePermanent(outer.m_pane.m_hWnd), &outer.m_pane);
    EXPECT_EQ(outer.GetDlgItem(7), &outer.m_pane);
    EXPECT_EQ(outer.m_pane.GetParent(), &outer);
}

TEST(Window, ARefusedCreationLeavesTheObjectFree)
{
    CRefusing refusing;
    EXPECT_FALSE(refusing.CreateEx(0, nullptr, L"no", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(refusing.m_hWnd, nullptr);
}

TEST(Window, ObjectsThatDeleteThemselvesGoWithTheirWindow)
{
    g_selfDeleted = 0;
    auto* wnd = new CSelfDeleting;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, L"self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = wnd->m_hWnd;
    EXPECT_TRUE(wnd->DestroyWindow());
    EXPECT_EQ(g_selfDeleted, 1);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(Window, AnObjectDestroysTheWindowItMadeAndGivesBackOneItBorrowed)
{
    HWND made;
    {
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owned", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        made = owner.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(made));

    HWND edit = CreatePlainEdit();
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    {
        CEdit borrowed;
        ASSERT_TRUE(borrowed.SubclassWindow(edit));
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(AfxWndProc));
        CEdit second;
        EXPECT_FALSE(second.SubclassWindow(edit)) << "a window has one object";
    }
    EXPECT_TRUE(IsWindow(edit));
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    DestroyWindow(edit);
}

TEST(Window, WindowsWithoutAnObjectGetATemporaryOne)
{
    HWND edit = CreatePlainEdit();
    CWnd* first = CWnd::FromHandle(edit);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_hWnd, edit);
    EXPECT_EQ(CWnd::FromHandle(edit), first);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    first->SetWindowText(L"typed");
    CString text;
    first->GetWindowText(text);
    EXPECT_EQ(text, L"typed");
    // Idle time removes the temporary objects; the window stays.
    TestApp().OnIdle(1);
    EXPECT_TRUE(IsWindow(edit));
    DestroyWindow(edit);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

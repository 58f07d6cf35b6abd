// Window objects: nested creation, self-deleting objects, owned and borrowed windows, windows
// without an object of their own; exceptions that handlers throw.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <stdexcept>
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

namespace {

// Throws from its handler of one message: a std::exception or, asked so, something else.
class CThrowingWindow : public CWnd {
public:
    UINT m_throwOn = 0;
    bool m_standard = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == m_throwOn) {
            if (m_standard)
                throw std::runtime_error("the handler failed");
            throw 7;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// With the test program's own reporter in place.
void SendToAThrowingHandler()
{
    CThrowingWindow wnd;
    wnd.m_throwOn = WM_APP;
    if (wnd.CreateEx(0, nullptr, L"thrower", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr))
        wnd.SendMessage(WM_APP);
}

} // namespace

TEST(HandlerExceptions, GoToTheReporterAndTheWindowLivesOn)
{
    enum How { kSent, kPosted, kCreating };
    const struct {
        const char* what;
        UINT message;
        bool standard;
        How how;
        const char* reported;
    } cases[] = {
        {"a sent message", WM_APP + 1, true, kSent, "the handler failed"},
        {"a posted message", WM_APP + 2, true, kPosted, "the handler failed"},
        {"no std::exception", WM_APP + 3, false, kSent, "an exception that is no std::exception"},
        {"creation", WM_CREATE, true, kCreating, "the handler failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReportedExceptions reported;
        CThrowingWindow wnd;
        wnd.m_throwOn = c.message;
        wnd.m_standard = c.standard;
        const BOOL created = wnd.CreateEx(0, nullptr, L"thrower", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr);
        // A creation handler that throws fails the creation.
        EXPECT_EQ(created != FALSE, c.how != kCreating);
        if (c.how == kSent) {
            EXPECT_EQ(wnd.SendMessage(c.message), 0);
        } else if (c.how == kPosted) {
            wnd.PostMessage(c.message);
            PumpPending();
        }
        ASSERT_EQ(reported.reports.size(), 1u);
        EXPECT_EQ(reported.reports[0].what, c.reported);
        EXPECT_EQ(reported.reports[0].message, c.message);
        if (c.how != kCreating) {
            EXPECT_TRUE(IsWindow(wnd.m_hWnd));
            EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
        }
    }
}

// The test programs' reporter makes a handler's exception a failure of the running test.
TEST(HandlerExceptions, FailTheRunningTest)
{
    EXPECT_NONFATAL_FAILURE(SendToAThrowingHandler(), "the handler failed");
}

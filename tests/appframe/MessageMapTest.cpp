// Message maps: dispatch through the class chain, commands and their update handlers, a map of
// 258 entries, reflection of notifications to the controls that sent them, and the order in
// which PreTranslateMessage sees a message.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "TestApp.h"

namespace {

std::vector<std::wstring> g_calls;
UINT g_registeredMessage = 0;

const UINT kBaseMessage = WM_APP + 1;
const UINT kUnmappedMessage = WM_APP + 5;
const UINT kDerivedCommand = 100;
const UINT kBaseCommand = 101;
const UINT kRangeFirst = 200, kRangeLast = 210;
const UINT kDisabledCommand = 300;
const UINT kEnabledCommand = 301;

// A popup window of the framework's default class.
BOOL CreatePopup(CWnd& wnd, const RECT& rect = CRect(10, 10, 210, 160), HWND parent = nullptr)
{
    return wnd.CreateEx(0, nullptr, L"test", WS_POPUP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        parent, nullptr);
}

class CBaseView : public CWnd {
protected:
    afx_msg LRESULT OnNcCreateMessage(WPARAM, LPARAM)
    {
        g_calls.push_back(L"base nccreate");
        return Default();
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        g_calls.push_back(std::wstring(L"base create ") + cs->lpszName);
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnSize(UINT, int cx, int cy) { g_calls.push_back(L"base size " + std::to_wstring(cx) + L"x" + std::to_wstring(cy)); }
    afx_msg LRESULT OnBaseMessage(WPARAM wParam, LPARAM lParam) { return wParam + lParam; }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return 1000 + wParam; }
    afx_msg void OnDerivedCommandInBase() { g_calls.push_back(L"base 100"); }
    afx_msg void OnBaseCommand() { g_calls.push_back(L"base 101"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseView, CWnd)
    ON_MESSAGE(WM_NCCREATE, OnNcCreateMessage)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(kBaseMessage, OnBaseMessage)
    ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
    ON_COMMAND(kDerivedCommand, OnDerivedCommandInBase)
    ON_COMMAND(kBaseCommand, OnBaseCommand)
END_MESSAGE_MAP()

class CDerivedView : public CBaseView {
protected:
    afx_msg void OnSize(UINT, int cx, int cy) { g_calls.push_back(L"derived size " + std::to_wstring(cx) + L"x" + std::to_wstring(cy)); }
    afx_msg void OnDerivedCommand() { g_calls.push_back(L"derived 100"); }
    afx_msg void OnRange(UINT id) { g_calls.push_back(L"range " + std::to_wstring(id)); }
    afx_msg void OnDisabled() { g_calls.push_back(L"disabled ran"); }
    afx_msg void OnEnabled() { g_calls.push_back(L"enabled ran"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedView, CBaseView)
    ON_WM_SIZE()
    ON_COMMAND(kDerivedCommand, OnDerivedCommand)
    ON_COMMAND_RANGE(kRangeFirst, kRangeLast, OnRange)
    ON_COMMAND(kDisabledCommand, OnDisabled)
    ON_UPDATE_COMMAND_UI(kDisabledCommand, OnUpdateDisabled)
    ON_COMMAND(kEnabledCommand, OnEnabled)
    ON_UPDATE_COMMAND_UI(kEnabledCommand, OnUpdateEnabled)
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, CreationMessagesReachTheObject)
{
    g_calls.clear();
    CDerivedView view;
    ASSERT_TRUE(CreatePopup(view));
    ASSERT_GE(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0], L"base nccreate");
    EXPECT_EQ(g_calls[1], L"base create test");
    EXPECT_EQ(CWnd::FromHandlePermanent(view.m_hWnd), &view);
}

TEST(MessageMap, DerivedEntriesComeFirstAndBaseEntriesFollow)
{
    CDerivedView view;
    ASSERT_TRUE(CreatePopup(view));
    g_registeredMessage = RegisterWindowMessageW(L"AppFrameTests.Registered");
    g_calls.clear();

    view.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(40, 30));
    EXPECT_EQ(view.SendMessage(kBaseMessage, 2, 3), 5);
    EXPECT_EQ(view.SendMessage(g_registeredMessage, 7), 1007);
    EXPECT_EQ(view.SendMessage(kUnmappedMessage, 1, 1), 0);  // DefWindowProc
    view.SendMessage(WM_COMMAND, kDerivedCommand);
    view.SendMessage(WM_COMMAND, kBaseCommand);
    view.SendMessage(WM_COMMAND, kRangeFirst + 5);
    view.SendMessage(WM_COMMAND, kRangeLast + 1);

    const std::vector<std::wstring> expected = { L"derived size 40x30", L"derived 100", L"base 101", L"range 205" };
    EXPECT_EQ(g_calls, expected);
}

TEST(MessageMap, CommandsDisabledByTheirUpdateHandlerDoNotRun)
{
    CDerivedView view;
    ASSERT_TRUE(CreatePopup(view));
    g_calls.clear();
    // Menu commands (0) and accelerators (1) alike.
    for (WORD source : { 0, 1 }) {
        view.SendMessage(WM_COMMAND, MAKEWPARAM(kDisabledCommand, source));
        view.SendMessage(WM_COMMAND, MAKEWPARAM(kEnabledCommand, source));
    }
    const std::vector<std::wstring> expected = { L"enabled ran", L"enabled ran" };
    EXPECT_EQ(g_calls, expected);

    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(view.OnCmdMsg(kBaseCommand, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &view);
    EXPECT_FALSE(view.OnCmdMsg(999, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(g_calls.size(), 2u) << "asking for a handler does not run it";
}

namespace {

const UINT kApplyButton = 41, kHelpButton = 42, kNameEdit = 43;

// Says what may run: Apply is disabled, Help has a handler, the edit has nothing.
class CCommandState : public CCmdTarget {
protected:
    afx_msg void OnUpdateApply(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnHelp() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandState, CCmdTarget)
    ON_UPDATE_COMMAND_UI(kApplyButton, OnUpdateApply)
    ON_COMMAND(kHelpButton, OnHelp)
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, UpdateDialogControlsAsksTheUpdateHandlers)
{
    CWnd panel;
    ASSERT_TRUE(CreatePopup(panel));
    CButton apply, help, other;
    CEdit name;
    ASSERT_TRUE(apply.Create(L"Apply", BS_PUSHBUTTON | WS_VISIBLE, CRect(0, 0, 40, 20), &panel, kApplyButton));
    ASSERT_TRUE(help.Create(L"Help", BS_PUSHBUTTON | WS_VISIBLE, CRect(40, 0, 80, 20), &panel, kHelpButton));
    ASSERT_TRUE(other.Create(L"Other", BS_PUSHBUTTON | WS_VISIBLE, CRect(80, 0, 120, 20), &panel, 44));
    ASSERT_TRUE(name.Create(WS_VISIBLE | WS_BORDER, CRect(0, 20, 80, 40), &panel, kNameEdit));
    CCommandState state;
    panel.UpdateDialogControls(&state, TRUE);
    EXPECT_FALSE(apply.IsWindowEnabled()) << "its update handler disables it";
    EXPECT_TRUE(help.IsWindowEnabled()) << "it has a command handler";
    EXPECT_FALSE(other.IsWindowEnabled()) << "a push button without any handler";
    EXPECT_TRUE(name.IsWindowEnabled()) << "edits never have handlers and stay as they are";
}

// ---------------------------------------------------------------------------------------------
// A map of 258 entries, like the editor frame's: 256 commands, WM_CREATE and a registered message.

namespace {

const UINT kWideFirst = 1000;
std::vector<UINT> g_wideCommands;
UINT g_wideRegistered = 0;

#define WIDE1(n) ON_COMMAND_RANGE(kWideFirst + (n), kWideFirst + (n), OnWideCommand)
#define WIDE4(n) WIDE1(n) WIDE1(n + 1) WIDE1(n + 2) WIDE1(n + 3)
#define WIDE16(n) WIDE4(n) WIDE4(n + 4) WIDE4(n + 8) WIDE4(n + 12)
#define WIDE64(n) WIDE16(n) WIDE16(n + 16) WIDE16(n + 32) WIDE16(n + 48)
#define WIDE256(n) WIDE64(n) WIDE64(n + 64) WIDE64(n + 128) WIDE64(n + 192)

class CWideFrame : public CWnd {
public:
    static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) { return CWnd::OnCreate(cs); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return wParam * 2; }
    afx_msg void OnWideCommand(UINT id) { g_wideCommands.push_back(id); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWideFrame, CWnd)
    ON_WM_CREATE()
    ON_REGISTERED_MESSAGE(g_wideRegistered, OnRegistered)
    WIDE256(0)
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, A258EntryMapIsAConstantTableAndDispatchesEveryEntry)
{
    const AFX_MSGMAP* map = CWideFrame::Map();
    int entries = 0;
    while (map->lpEntries[entries].pfn)
        ++entries;
    EXPECT_EQ(entries, 258);
    // Built by the compiler: the table lies in the module's read-only data, so nothing had to
    // run at start-up to fill it.
    for (const void* p : { static_cast<const void*>(map), static_cast<const void*>(map->lpEntries) }) {
        MEMORY_BASIC_INFORMATION info = {};
        ASSERT_TRUE(VirtualQuery(p, &info, sizeof info));
        EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READONLY));
        EXPECT_EQ(info.AllocationBase, static_cast<void*>(GetModuleHandleW(nullptr)));
    }

    CWideFrame frame;
    ASSERT_TRUE(CreatePopup(frame));
    g_wideRegistered = RegisterWindowMessageW(L"AppFrameTests.Wide");
    EXPECT_EQ(frame.SendMessage(g_wideRegistered, 21), 42);
    g_wideCommands.clear();
    for (UINT id = kWideFirst; id < kWideFirst + 256; ++id)
        frame.SendMessage(WM_COMMAND, id);
    ASSERT_EQ(g_wideCommands.size(), 256u);
    for (UINT i = 0; i < 256; ++i)
        EXPECT_EQ(g_wideCommands[i], kWideFirst + i);
}

// ---------------------------------------------------------------------------------------------
// Reflection: a control's notification goes to the control first.

namespace {

const UINT kReflectingButton = 11, kPlainButton = 12, kReflectingList = 13, kPlainList = 14, kColourStatic = 15;
const UINT kOwnerDrawButton = 16;
const COLORREF kStaticBackground = RGB(10, 200, 30);

class CReflectingButton : public CButton {
protected:
    afx_msg void OnClicked() { g_calls.push_back(L"button handles its click"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CReflectingList : public CWnd {
protected:
    afx_msg void OnRightClick(NMHDR*, LRESULT* pResult)
    {
        g_calls.push_back(L"list handles its right click");
        *pResult = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CWnd)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
END_MESSAGE_MAP()

// Colours itself, as a skinned static would.
class CColourStatic : public CStatic {
public:
    CColourStatic() : m_brush(kStaticBackground) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message != WM_CTLCOLORSTATIC)
            return CStatic::OnChildNotify(message, wParam, lParam, pResult);
        *pResult = reinterpret_cast<LRESULT>(static_cast<HBRUSH>(m_brush));
        return TRUE;
    }
    CBrush m_brush;
};

class COwnerDrawButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++m_draws;
        CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, RGB(255, 0, 0));
    }
    int m_draws = 0;
};

class CNotifyParent : public CWnd {
protected:
    afx_msg void OnReflectingButton() { g_calls.push_back(L"parent got the reflecting button"); }
    afx_msg void OnPlainButton() { g_calls.push_back(L"parent got the plain button"); }
    afx_msg void OnListRightClick(NMHDR* header, LRESULT* pResult)
    {
        g_calls.push_back(L"parent got right click of " + std::to_wstring(header->idFrom));
        *pResult = 3;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor)
    {
        g_calls.push_back(L"parent colours kind " + std::to_wstring(nCtlColor));
        return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyParent, CWnd)
    ON_BN_CLICKED(kReflectingButton, OnReflectingButton)
    ON_BN_CLICKED(kPlainButton, OnPlainButton)
    ON_NOTIFY(NM_RCLICK, kReflectingList, OnListRightClick)
    ON_NOTIFY(NM_RCLICK, kPlainList, OnListRightClick)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

LRESULT SendNotify(CWnd& parent, CWnd& from, UINT code)
{
    NMHDR header = { from.m_hWnd, static_cast<UINT_PTR>(from.GetDlgCtrlID()), code };
    return parent.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

} // namespace

TEST(MessageMap, ControlsHandleTheirOwnNotificationsFirst)
{
    CNotifyParent parent;
    ASSERT_TRUE(CreatePopup(parent));
    CReflectingButton reflecting;
    CButton plain;
    CReflectingList reflectingList;
    CWnd plainList;
    CColourStatic colour;
    CStatic plainStatic;
    ASSERT_TRUE(reflecting.Create(L"R", BS_PUSHBUTTON | WS_VISIBLE, CRect(0, 0, 40, 20), &parent, kReflectingButton));
    ASSERT_TRUE(plain.Create(L"P", BS_PUSHBUTTON | WS_VISIBLE, CRect(40, 0, 80, 20), &parent, kPlainButton));
    ASSERT_TRUE(reflectingList.Create(nullptr, L"", WS_VISIBLE, CRect(0, 20, 40, 40), &parent, kReflectingList));
    ASSERT_TRUE(plainList.Create(nullptr, L"", WS_VISIBLE, CRect(40, 20, 80, 40), &parent, kPlainList));
    ASSERT_TRUE(colour.Create(L"C", WS_VISIBLE, CRect(0, 40, 40, 60), &parent, kColourStatic));
    ASSERT_TRUE(plainStatic.Create(L"S", WS_VISIBLE, CRect(40, 40, 80, 60), &parent));
    g_calls.clear();

    for (CButton* button : { static_cast<CButton*>(&reflecting), &plain })
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(button->GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(button->m_hWnd));
    EXPECT_EQ(SendNotify(parent, reflectingList, NM_RCLICK), 7);
    EXPECT_EQ(SendNotify(parent, plainList, NM_RCLICK), 3);
    CClientDC dc(&colour);
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(colour.m_hWnd)),
              reinterpret_cast<LRESULT>(static_cast<HBRUSH>(colour.m_brush)));
    EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(plainStatic.m_hWnd)),
              reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));

    const std::vector<std::wstring> expected = {
        L"button handles its click", L"parent got the plain button", L"list handles its right click",
        L"parent got right click of " + std::to_wstring(kPlainList), L"parent colours kind " + std::to_wstring(CTLCOLOR_STATIC),
    };
    EXPECT_EQ(g_calls, expected);
}

TEST(MessageMap, OwnerDrawnButtonsDrawThemselves)
{
    CNotifyParent parent;
    ASSERT_TRUE(CreatePopup(parent));
    COwnerDrawButton button;
    ASSERT_TRUE(button.Create(L"", BS_OWNERDRAW | WS_VISIBLE, CRect(5, 5, 45, 25), &parent, kOwnerDrawButton));
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    button.RedrawWindow();
    EXPECT_GE(button.m_draws, 1);
    parent.ShowWindow(SW_HIDE);
}

// ---------------------------------------------------------------------------------------------
// PreTranslateMessage: from the target window up its parents to the top-level window, then
// the main window when it is another one.

namespace {

class CTranslating : public CWnd {
public:
    explicit CTranslating(const wchar_t* name) : m_name(name) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_calls.push_back(m_name);
        return m_consume;
    }
    const wchar_t* m_name;
    BOOL m_consume = FALSE;

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { g_calls.push_back(std::wstring(m_name) + L" got the key"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTranslating, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// The main window pointer is cleared before its window goes, or the test program would quit.
struct MainWindowScope {
    explicit MainWindowScope(CWnd* wnd) { TestApp().m_pMainWnd = wnd; }
    ~MainWindowScope() { TestApp().m_pMainWnd = nullptr; }
};

} // namespace

TEST(MessageMap, PreTranslateMessageWalksUpToTheTopLevelWindowThenTheMainWindow)
{
    CTranslating frame(L"frame"), panel(L"panel"), field(L"field"), other(L"other");
    ASSERT_TRUE(CreatePopup(frame));
    ASSERT_TRUE(panel.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
    ASSERT_TRUE(field.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 50, 50), &panel, 2));
    ASSERT_TRUE(CreatePopup(other));
    MainWindowScope main(&frame);
    PumpPending();

    struct Case {
        CTranslating* target;
        CTranslating* consumer;
        bool mainEnabled;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        { &field, nullptr, true, { L"field", L"panel", L"frame", L"field got the key" } },
        { &field, &panel, true, { L"field", L"panel" } },
        { &other, nullptr, true, { L"other", L"frame", L"other got the key" } },
        // A disabled main window (under a modal dialog) is left out.
        { &other, nullptr, false, { L"other", L"other got the key" } },
    };
    for (const Case& c : cases) {
        frame.EnableWindow(c.mainEnabled);
        for (CTranslating* w : { &frame, &panel, &field, &other })
            w->m_consume = w == c.consumer;
        g_calls.clear();
        ASSERT_TRUE(c.target->PostMessage(WM_KEYDOWN, 'A', 1));
        PumpPending();
        EXPECT_EQ(g_calls, c.expected) << "target " << std::string(c.target->m_name, c.target->m_name + wcslen(c.target->m_name));
    }
    frame.EnableWindow(TRUE);
}

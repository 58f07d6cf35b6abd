#include "Wnd.h"
#include <atomic>
#include <cmath>
#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <unordered_map>
#include <vector>
#include "Controls.h"
#include "DataExchange.h"
#include "ThreadState.h"
#include "WinApp.h"

using appframe::CurrentThread;
using appframe::ThreadState;

namespace {

// HWND -> CWnd for every window with an object, one map for the process. Made once and
// never destroyed, so that objects destroyed late at exit can still look themselves up.
class WindowMap {
public:
    static WindowMap& Get()
    {
        static WindowMap* map = new WindowMap;
        return *map;
    }
    CWnd* Find(HWND hwnd)
    {
        if (!hwnd)
            return nullptr;
        AcquireSRWLockShared(&m_lock);
        auto it = m_windows.find(hwnd);
        CWnd* wnd = it == m_windows.end() ? nullptr : it->second;
        ReleaseSRWLockShared(&m_lock);
        return wnd;
    }
    bool Insert(HWND hwnd, CWnd* wnd)
    {
        AcquireSRWLockExclusive(&m_lock);
        const bool inserted = m_windows.emplace(hwnd, wnd).second;
        ReleaseSRWLockExclusive(&m_lock);
        return inserted;
    }
    void Remove(HWND hwnd)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_windows.erase(hwnd);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> m_windows;
};

bool ClassMatches(HWND hwnd, LPCWSTR className)
{
    if (!className)
        return true;
    if (IS_INTRESOURCE(className))
        return GetClassLongPtrW(hwnd, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(className);
    wchar_t name[256];
    return GetClassNameW(hwnd, name, 256) && lstrcmpiW(name, className) == 0;
}

// What a message returns when its handler threw: the creation messages fail the creation.
LRESULT ResultOfFailedHandler(UINT message)
{
    return message == WM_CREATE ? -1 : 0;
}

// The control a child notification comes from, or null.
HWND NotifyingChild(HWND self, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return wParam && item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return wParam && item && item->CtlType != ODT_MENU ? GetDlgItem(self, item->CtlID) : nullptr;
    }
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return reinterpret_cast<HWND>(lParam);
    }
    return nullptr;
}

// Offers a notification to the control that sent it.
BOOL ReflectToChild(CWnd* parent, HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* control = CWnd::FromHandlePermanent(child);
    return control && control != parent && control->OnChildNotify(message, wParam, lParam, pResult);
}

// The enable state that a command's update handler gives, to hold back disabled accelerators.
class EnableProbe : public CCmdUI {
public:
    explicit EnableProbe(UINT id) { m_nID = id; }
    void Enable(BOOL bOn) override
    {
        m_enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_enabled = TRUE;
};

} // namespace

// The creation hook binds the object to its window before the window's first message.
LRESULT CALLBACK AppFrameCreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = CurrentThread();
    if (code == HCBT_CREATEWND && state.pending.wnd) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (ClassMatches(hwnd, state.pending.className)) {
            CWnd* wnd = state.pending.wnd;
            state.pending = appframe::PendingWindow();
            wnd->AttachCreated(hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// The window procedure and the creation hook.

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = WindowMap::Get().Find(hWnd);
    if (!wnd)
        return DefWindowProcW(hWnd, message, wParam, lParam);

    ThreadState& state = CurrentThread();
    const MSG outer = state.current;
    state.current = MSG{ hWnd, message, wParam, lParam, 0, {} };
    LRESULT result;
    // No exception may cross the system's frames that called us.
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        appframe::ReportHandlerException(message);
        result = ResultOfFailedHandler(message);
    }
    // The last message: the object lets go of the window. It may have been deleted meanwhile,
    // so it is only touched while the map still leads to it.
    if (message == WM_NCDESTROY && WindowMap::Get().Find(hWnd) == wnd)
        wnd->DetachDestroyed();
    CurrentThread().current = outer;
    return result;
}

namespace appframe {

namespace {
void WriteToDebugger(const char* what, UINT message)
{
    char line[96];
    snprintf(line, sizeof line, "a handler of message 0x%04X threw: ", message);
    OutputDebugStringA(line);
    OutputDebugStringA(what);
    OutputDebugStringA("\n");
}

// One for the process: the test programs put theirs in place before any window exists.
std::atomic<ExceptionReporter> exceptionReporter{WriteToDebugger};
} // namespace

ExceptionReporter SetExceptionReporter(ExceptionReporter reporter)
{
    ExceptionReporter before = exceptionReporter.exchange(reporter ? reporter : WriteToDebugger);
    return before == WriteToDebugger ? nullptr : before;
}

void ReportHandlerException(UINT message)
{
    // The exception stays alive while the caller's handler runs, so its text may be kept.
    const char* what = "an exception that is no std::exception";
    try {
        throw;
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    exceptionReporter.load()(what, message);
}

void BeginCreation(CWnd* wnd, LPCWSTR className)
{
    // The common controls' classes must exist before a template or a caller names them.
    static const bool controlsReady = [] {
        INITCOMMONCONTROLSEX init = { sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES };
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)controlsReady;

    ThreadState& state = CurrentThread();
    if (state.creationDepth++ == 0)
        state.creationHook = SetWindowsHookExW(WH_CBT, AppFrameCreationHook, nullptr, GetCurrentThreadId());
    state.pending.wnd = wnd;
    state.pending.className = className;
}

void EndCreation()
{
    ThreadState& state = CurrentThread();
    state.pending = PendingWindow();
    if (--state.creationDepth == 0 && state.creationHook) {
        UnhookWindowsHookEx(state.creationHook);
        state.creationHook = nullptr;
    }
}

BOOL WalkPreTranslateTree(MSG* pMsg)
{
    HWND top = nullptr;
    for (HWND hwnd = pMsg->hwnd; hwnd;) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd))
            if (wnd->PreTranslateMessage(pMsg))
                return TRUE;
        top = hwnd;
        if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
            break;
        hwnd = GetParent(hwnd);
    }
    // The main window's keys (accelerators) also work in its other top-level windows, but not
    // while it is disabled by a modal window.
    CWnd* main = AfxGetMainWnd();
    if (main && main->m_hWnd && main->m_hWnd != top && IsWindowEnabled(main->m_hWnd))
        return main->PreTranslateMessage(pMsg);
    return FALSE;
}

CScrollBar* ScrollBarFromHandle(HWND hWnd)
{
    return static_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}

BOOL IsActivityMessage(const MSG& msg)
{
    const UINT kSystemTimer = 0x0118;
    if (msg.message == WM_PAINT || msg.message == kSystemTimer)
        return FALSE;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        ThreadState& state = CurrentThread();
        if (state.lastMouseMessage == msg.message && state.lastMousePoint.x == msg.pt.x && state.lastMousePoint.y == msg.pt.y)
            return FALSE;
        state.lastMouseMessage = msg.message;
        state.lastMousePoint = msg.pt;
    }
    return TRUE;
}

} // namespace appframe

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::set<std::wstring>* names = new std::set<std::wstring>;
    wchar_t name[96];
    wsprintfW(name, L"AppFrame:%x:%Ix:%Ix:%Ix", nClassStyle, reinterpret_cast<UINT_PTR>(hCursor),
              reinterpret_cast<UINT_PTR>(hbrBackground), reinterpret_cast<UINT_PTR>(hIcon));
    std::lock_guard<std::mutex> guard(lock);
    auto it = names->find(name);
    if (it != names->end())
        return it->c_str();
    // A global class of the framework's module: every module of the process may use it.
    WNDCLASSEXW wc = { sizeof wc };
    wc.style = nClassStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = appframe::FrameworkModule();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return names->insert(name).first->c_str();
}

// ---------------------------------------------------------------------------------------------
// CWnd

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    if (!m_hWnd || WindowMap::Get().Find(m_hWnd) != this)
        return;
    // A window made by this object goes with it; a window it only borrowed is given back.
    if (m_nFlags & kOwnsWindow)
        ::DestroyWindow(m_hWnd);
    if (m_hWnd && WindowMap::Get().Find(m_hWnd) == this) {
        if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == AfxWndProc)
            SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        WindowMap::Get().Remove(m_hWnd);
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return WindowMap::Get().Find(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    return appframe::TemporaryObject(CurrentThread().windows, hWnd, [hWnd] {
        CWnd* wnd = new CWnd;
        wnd->m_hWnd = hWnd;
        return wnd;
    });
}

const MSG* CWnd::GetCurrentMessage()
{
    return &CurrentThread().current;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                  CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y, int nWidth,
                    int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    // A refusal ends the object's life as a failed window would: objects that delete
    // themselves do it in PostNcDestroy.
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    appframe::BeginCreation(this, cs.lpszClass);
    HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent,
                                cs.hMenu, cs.hInstance, cs.lpCreateParams);
    appframe::EndCreation();
    if (hwnd && m_hWnd != hwnd && !m_hWnd && SubclassWindow(hwnd))
        m_nFlags |= kOwnsWindow;  // the hook missed it: late, but bound all the same
    return hwnd && m_hWnd == hwnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return FALSE;
    const BOOL destroyed = ::DestroyWindow(hwnd);
    // A window that was only attached (not subclassed) sends its last message elsewhere; the
    // object lets go here, unless it is gone already.
    if (destroyed && WindowMap::Get().Find(hwnd) == this)
        Detach();
    return destroyed;
}

void CWnd::AttachCreated(HWND hWnd)
{
    if (!WindowMap::Get().Insert(hWnd, this))
        return;
    m_hWnd = hWnd;
    m_nFlags |= kOwnsWindow;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (old != AfxWndProc)
        m_pfnSuper = old;
}

void CWnd::DetachDestroyed()
{
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == AfxWndProc)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    WindowMap::Get().Remove(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_nFlags &= ~kOwnsWindow;
    appframe::MainWindowDestroyed(this);
    PostNcDestroy();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || !WindowMap::Get().Insert(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd && WindowMap::Get().Find(hwnd) == this)
        WindowMap::Get().Remove(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (!old || old == AfxWndProc) {
        // Not ours to subclass (another thread's, or bound elsewhere already).
        Detach();
        return FALSE;
    }
    m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND control = pParent ? ::GetDlgItem(pParent->m_hWnd, nID) : nullptr;
    return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == AfxWndProc)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& m = CurrentThread().current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY:
        if (!lParam || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    case WM_TOUCH:
        if (!HandleTouch(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_GESTURE:
        if (!HandleGesture(lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }

    // Notifications of child controls go to the control first.
    HWND child = NotifyingChild(m_hWnd, message, wParam, lParam);
    if (child && child != m_hWnd && ReflectToChild(this, child, message, wParam, lParam, &result)) {
        *pResult = result;
        return TRUE;
    }

    const UINT key = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(key, 0, 0);
    if (!entry)
        return FALSE;
    const AFX_MSGCALL call = { message, wParam, lParam, 0, nullptr };
    *pResult = entry->pfn(this, call);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control) {
        // Notifications that data exchange causes (EN_CHANGE of a text it sets) are not news.
        if (CurrentThread().notifyLockout == m_hWnd)
            return TRUE;
        LRESULT ignored = 0;
        if (ReflectToChild(this, control, WM_COMMAND, wParam, lParam, &ignored))
            return TRUE;
        if (id == 0)
            return FALSE;
    } else {
        // Menu (0) and accelerator (1) commands: a command whose update handler disables it
        // does not run, whatever key reached it.
        code = CN_COMMAND;
        EnableProbe probe(id);
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
        if (!probe.m_enabled)
            return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom && CurrentThread().notifyLockout == m_hWnd)
        return TRUE;
    if (header->hwndFrom && ReflectToChild(this, header->hwndFrom, WM_NOTIFY, header->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = { pResult, header };
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    using appframe::msg::kReflected;
    if (message == WM_COMMAND) {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, HIWORD(wParam) | kReflected, 0);
        if (!entry)
            return FALSE;
        const AFX_MSGCALL call = { message, wParam, lParam, LOWORD(wParam), nullptr };
        entry->pfn(this, call);
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_NOTIFY, LOWORD(header->code) | kReflected, 0);
        if (!entry)
            return FALSE;
        LRESULT result = 0;
        AFX_NOTIFY notify = { pResult ? pResult : &result, header };
        *notify.pResult = 0;
        const AFX_MSGCALL call = { message, wParam, lParam, static_cast<UINT>(header->idFrom), &notify };
        entry->pfn(this, call);
        return TRUE;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!bOnlyPerm || FromHandlePermanent(child))
            ::SendMessageW(child, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(child))
            CWnd::FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

int CWnd::RunModalLoop(DWORD)
{
    if (m_nFlags & kModalEnded)
        return m_nModalResult;
    m_nFlags |= kModalLoop;
    HWND hwnd = m_hWnd;
    bool idle = true;
    bool showPending = true;
    LPARAM idleCount = 0;
    MSG msg;
    for (;;) {
        // Idle time: the window shows once its first messages are done (and stays as it is
        // after that: a dialog may hide itself for a while); WM_KICKIDLE lets it update
        // itself for as long as it answers TRUE.
        while (idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showPending) {
                showPending = false;
                if (!::IsWindowVisible(hwnd)) {
                    ::ShowWindow(hwnd, SW_SHOWNORMAL);
                    ::UpdateWindow(hwnd);
                }
            }
            if (!::SendMessageW(hwnd, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        do {
            if (!::IsWindow(hwnd))
                return -1;  // destroyed under the loop: the object may be gone as well
            if (!ContinueModal())
                return m_nModalResult;
            if (!GetMessageW(&msg, nullptr, 0, 0)) {
                // WM_QUIT ends the modal loop and then the program's loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                m_nFlags &= ~kModalLoop;
                m_nModalResult = -1;
                return -1;
            }
            if (!appframe::PreTranslate(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (appframe::IsActivityMessage(msg)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & kModalLoop) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    m_nFlags |= kModalEnded;
    if (m_nFlags & kModalLoop) {
        m_nFlags &= ~kModalLoop;
        PostMessage(WM_NULL);  // wakes the loop's GetMessage
    }
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    struct NotificationLockout {
        explicit NotificationLockout(HWND hwnd) : outer(CurrentThread().notifyLockout) { CurrentThread().notifyLockout = hwnd; }
        ~NotificationLockout() { CurrentThread().notifyLockout = outer; }
        HWND outer;
    } lockout(m_hWnd);
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const appframe::DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        state.m_nID = ::GetDlgCtrlID(child);
        state.m_pOther = FromHandle(child);
        // Only push buttons go grey for want of a handler: edits and lists never have one.
        const LRESULT code = ::SendMessageW(child, WM_GETDLGCODE, 0, 0);
        const bool pushButton = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
        state.DoUpdate(pTarget, bDisableIfNoHndler && pushButton);
    }
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const DWORD style = GetStyle();
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd
                                  : ((style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT area;
    RECT centerOn;
    if (style & WS_CHILD) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        centerOn = area;
        if (center && center != parent) {
            ::GetWindowRect(center, &centerOn);
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&centerOn), 2);
        }
    } else {
        MONITORINFO monitor = { sizeof monitor };
        GetMonitorInfoW(MonitorFromWindow(center ? center : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
        area = monitor.rcWork;
        centerOn = area;
        if (center && ::IsWindowVisible(center) && !::IsIconic(center))
            ::GetWindowRect(center, &centerOn);
    }
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    const int width = self.right - self.left, height = self.bottom - self.top;
    int x = (centerOn.left + centerOn.right) / 2 - width / 2;
    int y = (centerOn.top + centerOn.bottom) / 2 - height / 2;
    // Keep it inside the area, the top-left corner first.
    x = x + width > area.right ? area.right - width : x;
    x = x < area.left ? area.left : x;
    y = y + height > area.bottom ? area.bottom - height : y;
    y = y < area.top ? area.top : y;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~dwRemove) | dwAdd;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~dwRemove) | dwAdd;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(changed));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthW(m_hWnd);
    const int copied = ::GetWindowTextW(m_hWnd, rString.GetBufferSetLength(length), length + 1);
    rString.ReleaseBuffer(copied);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND item = ::GetDlgItem(m_hWnd, nID);
    if (item)
        FromHandle(item)->GetWindowText(rString);
    return rString.GetLength();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hwnd = m_hWnd;
    while (hwnd && (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    return FromHandle(hwnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    std::vector<HWND> level = { m_hWnd };
    while (!level.empty()) {
        std::vector<HWND> next;
        for (HWND parent : level)
            for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                if (::GetDlgCtrlID(child) == nID && (!bOnlyPerm || FromHandlePermanent(child)))
                    return FromHandle(child);
                next.push_back(child);
            }
        level.swap(next);
    }
    return nullptr;
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    return 0;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

// ---------------------------------------------------------------------------------------------
// Touch and gestures

BOOL CWnd::HandleTouch(WPARAM wParam, LPARAM lParam)
{
    const UINT count = LOWORD(wParam);
    if (count == 0)
        return FALSE;
    std::vector<TOUCHINPUT> inputs(count);
    HTOUCHINPUT handle = reinterpret_cast<HTOUCHINPUT>(lParam);
    if (!GetTouchInputInfo(handle, count, inputs.data(), sizeof(TOUCHINPUT)))
        return FALSE;
    if (!OnTouchInputs(count, inputs.data()))
        return FALSE;
    CloseTouchInputHandle(handle);
    return TRUE;
}

BOOL CWnd::OnTouchInputs(UINT nInputsCount, PTOUCHINPUT pInputs)
{
    BOOL handled = FALSE;
    for (UINT i = 0; i < nInputsCount; ++i) {
        // Touch points come in hundredths of a screen pixel.
        CPoint point(TOUCH_COORD_TO_PIXEL(pInputs[i].x), TOUCH_COORD_TO_PIXEL(pInputs[i].y));
        ScreenToClient(&point);
        if (OnTouchInput(point, static_cast<int>(i), static_cast<int>(nInputsCount), &pInputs[i]))
            handled = TRUE;
    }
    return handled;
}

BOOL CWnd::OnTouchInput(CPoint, int, int, PTOUCHINPUT) { return FALSE; }
BOOL CWnd::OnGestureZoom(CPoint, long) { return FALSE; }
BOOL CWnd::OnGesturePan(CPoint, CPoint) { return FALSE; }
BOOL CWnd::OnGestureRotate(CPoint, double) { return FALSE; }

BOOL CWnd::HandleGesture(LPARAM lParam)
{
    HGESTUREINFO handle = reinterpret_cast<HGESTUREINFO>(lParam);
    GESTUREINFO info = { sizeof info };
    if (!GetGestureInfo(handle, &info))
        return FALSE;
    appframe::GestureState& last = CurrentThread().gesture;
    CPoint point(info.ptsLocation.x, info.ptsLocation.y);
    ScreenToClient(&point);
    BOOL handled = FALSE;
    // The first step of a gesture only sets the base that the following steps are measured from.
    const bool first = (info.dwFlags & GF_BEGIN) != 0;
    switch (info.dwID) {
    case GID_ZOOM:
        if (!first)
            handled = OnGestureZoom(point, static_cast<long>(info.ullArguments) - static_cast<long>(last.argument));
        else
            handled = TRUE;
        break;
    case GID_PAN:
        if (!first)
            handled = OnGesturePan(CPoint(last.point), point);
        else
            handled = TRUE;
        break;
    case GID_ROTATE:
        if (!first)
            handled = OnGestureRotate(point, GID_ROTATE_ANGLE_FROM_ARGUMENT(LOWORD(info.ullArguments)) -
                                                 GID_ROTATE_ANGLE_FROM_ARGUMENT(LOWORD(last.argument)));
        else
            handled = TRUE;
        break;
    }
    last.point = point;
    last.argument = info.ullArguments;
    if (handled)
        CloseGestureInfoHandle(handle);
    return handled;
}

// ---------------------------------------------------------------------------------------------
// Default handlers: the window's own processing of the message.

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcPaint() { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
BOOL CWnd::OnDeviceChange(UINT, DWORD_PTR) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnPowerBroadcast(UINT, LPARAM) { return static_cast<UINT>(Default()); }

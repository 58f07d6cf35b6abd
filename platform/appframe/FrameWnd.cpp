#include "FrameWnd.h"
#include <algorithm>
#include "ControlBar.h"
#include "MDIFrameWnd.h"
#include "WinApp.h"
#include "Win32Owners.h"

namespace {

const UINT kCommandIdLimit = 0xF000;   // system commands and the MDI window list lie above

// The last frame that deleted itself on this thread, to tell a failed creation that ended the
// object from one that left it to us.
thread_local const void* lastDeletedFrame = nullptr;

HMENU LoadMenuResource(UINT id)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(id), RT_MENU);
    return module ? ::LoadMenuW(module, MAKEINTRESOURCEW(id)) : nullptr;
}

HACCEL LoadAccelResource(UINT id)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(id), RT_ACCELERATOR);
    return module ? ::LoadAcceleratorsW(module, MAKEINTRESOURCEW(id)) : nullptr;
}

HICON LoadIconResource(UINT id)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    return module ? ::LoadIconW(module, MAKEINTRESOURCEW(id)) : nullptr;
}

} // namespace

namespace appframe {

void LayoutBars(const RECT& client, const BarPlacement* bars, size_t count, RECT* barRects, RECT* paneRect)
{
    RECT rest = client;
    for (size_t i = 0; i < count; ++i) {
        RECT& r = barRects[i];
        r = rest;
        switch (bars[i].align) {
        case CBRS_ALIGN_TOP:
            r.bottom = std::min<LONG>(rest.top + bars[i].size.cy, rest.bottom);
            rest.top = r.bottom;
            break;
        case CBRS_ALIGN_BOTTOM:
            r.top = std::max<LONG>(rest.bottom - bars[i].size.cy, rest.top);
            rest.bottom = r.top;
            break;
        case CBRS_ALIGN_LEFT:
            r.right = std::min<LONG>(rest.left + bars[i].size.cx, rest.right);
            rest.left = r.right;
            break;
        default:
            r.left = std::max<LONG>(rest.right - bars[i].size.cx, rest.left);
            rest.right = r.left;
            break;
        }
    }
    *paneRect = rest;
}

CString ExtractSubString(const CString& text, int index)
{
    int start = 0;
    for (int i = 0; i < index; ++i) {
        const int nl = text.Find(L'\n', start);
        if (nl < 0)
            return CString();
        start = nl + 1;
    }
    const int end = text.Find(L'\n', start);
    return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

} // namespace appframe

// ---------------------------------------------------------------------------------------------
// CWnd members that need frames.

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hwnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hwnd; hwnd = ::GetParent(hwnd))
        if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, FromHandlePermanent(hwnd)))
            return frame;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// CFrameWnd

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopupMessage)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMessage)
    ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoopMessage)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageStringMessage)
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd()
{
    // Views go before the window they lived in is gone for good.
    m_pViewActive = nullptr;
    m_ownedViews.clear();
    if (m_hMenuLoaded)
        ::DestroyMenu(m_hMenuLoaded);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // The pane and the bars cover the client area: no painting under them.
    cs.style |= WS_CLIPCHILDREN;
    return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    m_dwFrameStyle = dwStyle & FWS_FRAME_STYLES;
    if (lpszWindowName && m_strTitle.IsEmpty())
        m_strTitle = lpszWindowName;
    HMENU menu = nullptr;
    if (lpszMenuName) {
        HINSTANCE module = appframe::FindResourceModule(lpszMenuName, RT_MENU);
        menu = module ? ::LoadMenuW(module, lpszMenuName) : nullptr;
        if (!menu) {
            PostNcDestroy();
            return FALSE;
        }
        m_hMenuLoaded = menu;
    }
    const int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    // A frame whose creation fails is gone afterwards, whichever step failed.
    lastDeletedFrame = nullptr;
    if (CWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle & ~FWS_FRAME_STYLES, rect.left, rect.top, width, height,
                       pParentWnd ? pParentWnd->m_hWnd : nullptr, menu, pContext))
        return TRUE;
    if (lastDeletedFrame != this)
        PostNcDestroy();
    return FALSE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString text;
    text.LoadString(nIDResource);
    m_strTitle = appframe::ExtractSubString(text, 0);

    HICON icon = LoadIconResource(nIDResource);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    // The menu goes in at creation: an MDI frame's client looks for its window menu there. The
    // frame owns it once made.
    win32::Menu owner(LoadMenuResource(nIDResource));
    const HMENU menu = owner.Get();
    lastDeletedFrame = nullptr;
    const BOOL made = CWnd::CreateEx(0, windowClass, m_strTitle, dwDefaultStyle & ~FWS_FRAME_STYLES, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, menu, pContext);
    if (!made) {
        if (lastDeletedFrame != this)
            PostNcDestroy();
        return FALSE;
    }
    m_dwFrameStyle = dwDefaultStyle & FWS_FRAME_STYLES;
    owner.Release();
    m_hMenuLoaded = menu;
    m_hMenuDefault = menu;
    if (!m_hAccelTable)
        m_hAccelTable = LoadAccelResource(nIDResource);
    if (icon) {
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }
    OnUpdateFrameTitle(TRUE);
    return TRUE;
}

CCreateContext* CFrameWnd::CreationContext(LPCREATESTRUCT lpcs) const
{
    return lpcs ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return OnCreateClient(lpCreateStruct, CreationContext(lpCreateStruct)) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass || !pContext->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return nullptr;
    std::unique_ptr<CWnd> view(static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject()));
    if (!view)
        return nullptr;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this, nID,
                      pContext))
        return nullptr;
    CWnd* made = view.get();
    m_ownedViews.push_back(std::move(view));
    if (!m_pViewActive)
        m_pViewActive = made;
    return made;
}

void CFrameWnd::SetActiveView(CWnd* pViewNew, BOOL)
{
    m_pViewActive = pViewNew;
    if (pViewNew && pViewNew->m_hWnd && ::GetActiveWindow() == GetTopLevelParent()->m_hWnd)
        pViewNew->SetFocus();
}

void CFrameWnd::InitialUpdateFrame(void*, BOOL bMakeVisible)
{
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (!m_pViewActive)
        m_pViewActive = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (bMakeVisible) {
        CWinApp* app = AfxGetApp();
        const int show = app && app->m_pMainWnd == this ? app->m_nCmdShow : SW_SHOW;
        ShowWindow(show);
        RecalcLayout();
        if (m_pViewActive && m_pViewActive->m_hWnd)
            SetActiveView(m_pViewActive);
        UpdateWindow();
    }
    OnUpdateFrameTitle(TRUE);
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    std::vector<CControlBar*> bars;
    std::vector<appframe::BarPlacement> placements;
    // Bars in z-order: the first made takes the outermost place.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CControlBar* bar = DYNAMIC_DOWNCAST(CControlBar, FromHandlePermanent(child));
        if (!bar || !bar->IsVisible())
            continue;
        DWORD align = bar->GetBarStyle() & CBRS_ALIGN_ANY;
        if (align != CBRS_ALIGN_BOTTOM && align != CBRS_ALIGN_LEFT && align != CBRS_ALIGN_RIGHT)
            align = CBRS_ALIGN_TOP;
        const bool horizontal = align == CBRS_ALIGN_TOP || align == CBRS_ALIGN_BOTTOM;
        bars.push_back(bar);
        placements.push_back({ align, bar->CalcFixedLayout(FALSE, horizontal) });
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    std::vector<RECT> rects(bars.size());
    RECT pane;
    appframe::LayoutBars(client, placements.data(), placements.size(), rects.data(), &pane);
    HDWP defer = ::BeginDeferWindowPos(static_cast<int>(bars.size()) + 1);
    for (size_t i = 0; i < bars.size() && defer; ++i)
        defer = ::DeferWindowPos(defer, bars[i]->m_hWnd, nullptr, rects[i].left, rects[i].top, rects[i].right - rects[i].left,
                                 rects[i].bottom - rects[i].top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND paneWnd = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST); paneWnd && defer)
        defer = ::DeferWindowPos(defer, paneWnd, nullptr, pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (defer)
        ::EndDeferWindowPos(defer);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (!bDelay)
        RecalcLayout();
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    // The main window asks the application before the program ends.
    if (app && app->m_pMainWnd == this && !app->SaveAllModified())
        return;
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnDestroy()
{
    // The menu bar would go with the window: ours is destroyed with the object, and an MDI
    // child's shared menu belongs to whoever handed it over.
    if (!(GetStyle() & WS_CHILD) && ::GetMenu(m_hWnd))
        ::SetMenu(m_hWnd, nullptr);
    m_pViewActive = nullptr;
    Default();
}

void CFrameWnd::PostNcDestroy()
{
    lastDeletedFrame = this;
    delete this;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->m_hWnd && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A child frame leaves the application to the frame that routed the command to it.
    if (GetStyle() & WS_CHILD)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable)
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

void CFrameWnd::UpdateMenuCommands(CMenu* pPopup)
{
    if (!pPopup || !pPopup->m_hMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = static_cast<UINT>(pPopup->GetMenuItemCount());
    for (UINT i = 0; i < state.m_nIndexMax; ++i) {
        const UINT id = pPopup->GetMenuItemID(static_cast<int>(i));
        // Separators, sub-menus and the system's own entries have no command of ours.
        if (id == 0 || id == static_cast<UINT>(-1) || id >= kCommandIdLimit)
            continue;
        state.m_nIndex = i;
        state.m_nID = id;
        state.DoUpdate(this, m_bAutoMenuEnable);
    }
}

LRESULT CFrameWnd::OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam)
{
    if (!HIWORD(lParam))
        UpdateMenuCommands(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
    return Default();
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString text;
    text.LoadString(nID);
    rMessage = appframe::ExtractSubString(text, 0);
}

CWnd* CFrameWnd::GetMessageBar() const
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    if (CStatusBar* bar = DYNAMIC_DOWNCAST(CStatusBar, GetMessageBar()))
        bar->SetPaneText(0, lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    CString text;
    GetMessageString(nID, text);
    SetMessageText(text);
}

LRESULT CFrameWnd::OnSetMessageStringMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam)
        SetMessageText(static_cast<UINT>(wParam));
    else
        SetMessageText(lParam ? reinterpret_cast<LPCTSTR>(lParam) : L"");
    return 0;
}

LRESULT CFrameWnd::OnMenuSelectMessage(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    // A command item shows its prompt; popups, separators and the menu's closing show nothing.
    if (flags == 0xFFFF && !lParam)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    else if (!(flags & (MF_POPUP | MF_SEPARATOR)) && id != 0 && id < kCommandIdLimit)
        SetMessageText(id);
    else
        SetMessageText(L"");
    return Default();
}

LRESULT CFrameWnd::OnExitMenuLoopMessage(WPARAM, LPARAM)
{
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return Default();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM)
{
    // The bars update themselves (they get the message too); the title follows the active child.
    OnUpdateFrameTitle(TRUE);
    return 0;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd || (GetStyle() & WS_CHILD) || m_strTitle.IsEmpty())
        return;
    CString title = m_strTitle;
    CFrameWnd* active = GetActiveFrame();
    if (bAddToTitle && (m_dwFrameStyle & FWS_ADDTOTITLE) && active && active != this) {
        CString child;
        active->GetWindowText(child);
        // A maximized child's title is shown by the system already.
        if (!child.IsEmpty() && !active->IsZoomed())
            title = (m_dwFrameStyle & FWS_PREFIXTITLE) ? child + L" - " + m_strTitle : m_strTitle + L" - " + child;
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

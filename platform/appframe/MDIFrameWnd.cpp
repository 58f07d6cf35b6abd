#include "MDIFrameWnd.h"
#include "ThreadState.h"
#include "WinApp.h"

namespace {

bool IsWindowCommand(UINT id)
{
    return id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CMDIFrameWnd

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateWindowCommand)
END_MESSAGE_MAP()

HMENU CMDIFrameWnd::FindWindowMenu(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = count - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(hMenu, i);
        if (!popup)
            continue;
        const int items = ::GetMenuItemCount(popup);
        for (int j = 0; j < items; ++j)
            if (IsWindowCommand(::GetMenuItemID(popup, j)))
                return popup;
    }
    return nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    // The menu is not on the window yet while it is being created: the template's is in lpcs.
    return CreateClient(lpcs, CMenu::FromHandle(FindWindowMenu(lpcs->hMenu)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu ? pWindowMenu->m_hMenu : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                        0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND active = m_hWndMDIClient
                      ? reinterpret_cast<HWND>(::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)))
                      : nullptr;
    if (pbMaximized)
        *pbMaximized = active ? maximized : FALSE;
    return DYNAMIC_DOWNCAST(CMDIChildWnd, FromHandlePermanent(active));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (pWndActivate && m_hWndMDIClient)
        ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (pWnd)
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessageW(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU old = reinterpret_cast<HMENU>(::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrameMenu ? pFrameMenu->m_hMenu : nullptr),
                                                       reinterpret_cast<LPARAM>(pWindowMenu ? pWindowMenu->m_hMenu : nullptr)));
    ::DrawMenuBar(m_hWnd);
    return CMenu::FromHandle(old);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* child = MDIGetActive())
        if (child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The child's keys come to the frame as commands, so that they take the whole route.
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->m_hAccelTable && ::TranslateAcceleratorW(m_hWnd, child->m_hAccelTable, pMsg))
        return TRUE;
    if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnWindowCommand(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        break;
    case ID_WINDOW_CASCADE:
        MDICascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        break;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        break;
    }
}

void CMDIFrameWnd::OnUpdateWindowCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

CMDIChildWnd* CMDIFrameWnd::CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu, HACCEL hAccel)
{
    if (!pClass || !pClass->IsDerivedFrom(RUNTIME_CLASS(CMDIChildWnd)))
        return nullptr;
    CMDIChildWnd* child = static_cast<CMDIChildWnd*>(pClass->CreateObject());
    if (!child)
        return nullptr;
    child->m_hMenuShared = hMenu;
    child->m_hAccelTable = hAccel;
    CCreateContext context;
    context.m_pCurrentFrame = this;
    // A frame that fails to load has deleted itself.
    if (!child->LoadFrame(nResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, this, &context))
        return nullptr;
    child->InitialUpdateFrame(nullptr, TRUE);
    return child;
}

// ---------------------------------------------------------------------------------------------
// CMDIChildWnd

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_MDIACTIVATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CMDIFrameWnd* pParentWnd,
                          CCreateContext* pContext)
{
    if (m_hWnd)
        return FALSE;
    if (!pParentWnd)
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient) {
        PostNcDestroy();
        return FALSE;
    }
    m_dwFrameStyle = dwStyle & FWS_FRAME_STYLES;
    if (lpszWindowName)
        m_strTitle = lpszWindowName;

    CREATESTRUCTW cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (dwStyle & ~FWS_FRAME_STYLES) | WS_CHILD;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // A new child comes maximized when the active one is.
    BOOL maximized = FALSE;
    pParentWnd->MDIGetActive(&maximized);
    MDICREATESTRUCTW mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = (cs.style & ~(WS_MAXIMIZE | WS_VISIBLE)) | (maximized ? WS_MAXIMIZE : 0);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    // The creation hook binds the object as the MDI client makes the window.
    appframe::BeginCreation(this, cs.lpszClass);
    HWND hwnd = reinterpret_cast<HWND>(::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    // Still pending: the window never came, so no PostNcDestroy ended the object either.
    const bool neverAttached = appframe::CurrentThread().pending.wnd == this;
    appframe::EndCreation();
    if (!hwnd) {
        if (neverAttached)
            PostNcDestroy();
        return FALSE;
    }
    if (m_hWnd != hwnd)
        return FALSE;
    if (cs.style & WS_VISIBLE) {
        ShowWindow(maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
        RecalcLayout();
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString text;
    text.LoadString(nIDResource);
    CString title = appframe::ExtractSubString(text, 0);
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(nIDResource), RT_GROUP_ICON);
    HICON icon = module ? ::LoadIconW(module, MAKEINTRESOURCEW(nIDResource)) : nullptr;
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    CMDIFrameWnd* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    if (!Create(windowClass, title, dwDefaultStyle | WS_CHILD, rectDefault, frame, pContext))
        return FALSE;
    if (!m_hAccelTable) {
        HINSTANCE accelModule = appframe::FindResourceModule(MAKEINTRESOURCEW(nIDResource), RT_ACCELERATOR);
        m_hAccelTable = accelModule ? ::LoadAcceleratorsW(accelModule, MAKEINTRESOURCEW(nIDResource)) : nullptr;
    }
    return TRUE;
}

CCreateContext* CMDIChildWnd::CreationContext(LPCREATESTRUCT lpcs) const
{
    // An MDI child's creation parameters are the MDI client's record, which carries ours.
    auto* mcs = lpcs ? static_cast<MDICREATESTRUCTW*>(lpcs->lpCreateParams) : nullptr;
    return mcs ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, FromHandlePermanent(client ? ::GetParent(client) : nullptr));
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy()
{
    if (m_hWnd)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_hWnd)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    if (m_hWnd)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    // The MDI client must hear of it, to activate another child and mend the window menu.
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::OnClose()
{
    MDIDestroy();
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*)
{
    // The MDI frame translates the active child's keys.
    return FALSE;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd*, CWnd*)
{
    Default();
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    // The active child's menu is the menu bar; with none active the frame's comes back.
    HMENU menu = nullptr;
    if (bActivate)
        menu = m_hMenuShared ? m_hMenuShared : frame->m_hMenuDefault;
    else if (!frame->MDIGetActive() || frame->MDIGetActive() == this)
        menu = frame->m_hMenuDefault;
    if (menu && ::GetMenu(frame->m_hWnd) != menu)
        frame->MDISetMenu(CMenu::FromHandle(menu), CMenu::FromHandle(CMDIFrameWnd::FindWindowMenu(menu)));
    if (bActivate && m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // A child keeps the title it was given; its frame shows it.
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(bAddToTitle);
}

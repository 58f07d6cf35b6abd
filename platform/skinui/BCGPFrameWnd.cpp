#include "BCGPFrameWnd.h"
#include <windowsx.h>
#include "DockingControlBar.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "MiniFrameWnd.h"
#include "VisualManager.h"
#include "Win32Owners.h"
#include "Workspace.h"

namespace skinui {

UINT FrameImplQueryMessage();

CBCGPFrameImpl* FrameImplOf(CFrameWnd* pFrame)
{
    return pFrame && pFrame->m_hWnd ? reinterpret_cast<CBCGPFrameImpl*>(pFrame->SendMessage(FrameImplQueryMessage())) : nullptr;
}

BOOL LoadFrameState(CFrameWnd* pFrame, LPCTSTR lpszKey)
{
    CBCGPFrameImpl* impl = FrameImplOf(pFrame);
    return impl && impl->LoadState(lpszKey);
}

BOOL SaveFrameState(CFrameWnd* pFrame, LPCTSTR lpszKey)
{
    CBCGPFrameImpl* impl = FrameImplOf(pFrame);
    return impl && impl->SaveState(lpszKey);
}

} // namespace skinui

namespace {

// The frame's place, in 32-bit values so that any build reads it.
const wchar_t* const kPlacementNames[] = { L"Left", L"Top", L"Right", L"Bottom", L"ShowCmd" };

const size_t kPlacementCount = sizeof kPlacementNames / sizeof kPlacementNames[0];

bool WritePlacement(LPCTSTR key, const WINDOWPLACEMENT& wp)
{
    const DWORD values[] = { static_cast<DWORD>(wp.rcNormalPosition.left), static_cast<DWORD>(wp.rcNormalPosition.top),
                             static_cast<DWORD>(wp.rcNormalPosition.right), static_cast<DWORD>(wp.rcNormalPosition.bottom),
                             wp.showCmd };
    return skinui::WriteRegistryDwords(key, kPlacementNames, values, kPlacementCount);
}

bool ReadPlacement(LPCTSTR key, WINDOWPLACEMENT& wp)
{
    DWORD values[kPlacementCount] = {};
    if (skinui::ReadRegistryDwords(key, kPlacementNames, values, kPlacementCount) != static_cast<int>(kPlacementCount))
        return false;
    const RECT r = { static_cast<LONG>(values[0]), static_cast<LONG>(values[1]), static_cast<LONG>(values[2]),
                     static_cast<LONG>(values[3]) };
    // A place of no size, of an absurd one, or far off every screen, is not worth restoring.
    if (!skinui::IsUsableScreenRect(r, 50))
        return false;
    wp.rcNormalPosition = r;
    wp.showCmd = values[4] == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CBCGPFullScreenBar

IMPLEMENT_DYNAMIC(CBCGPFullScreenBar, CBCGPBaseControlBar)

BOOL CBCGPFullScreenBar::Create(CFrameWnd* pFrame, UINT nCmdID)
{
    m_nCmdID = nCmdID;
    if (m_strText.IsEmpty())
        m_strText = L"Close Full Screen";
    return CreateBar(L"Full Screen", WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 160, 32), pFrame, 0, CBRS_BCGP_FLOAT);
}

void CBCGPFullScreenBar::SetButtonText(LPCTSTR lpszText)
{
    m_strText = lpszText ? lpszText : L"";
    if (m_hWnd) {
        // The mini frame fits the new text.
        if (CBCGPMiniFrameWnd* frame = GetParentMiniFrame()) {
            CRect r;
            frame->GetWindowRect(&r);
            CRect client;
            frame->GetClientRect(&client);
            const CSize want = CalcFloatingSize();
            frame->SetWindowPos(nullptr, 0, 0, r.Width() + want.cx - client.Width(), r.Height() + want.cy - client.Height(),
                                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        Invalidate();
    }
}

CSize CBCGPFullScreenBar::CalcFixedLayout(BOOL, BOOL)
{
    return CalcFloatingSize();
}

CSize CBCGPFullScreenBar::CalcFloatingSize()
{
    const win32::ScreenDc dc(::GetDC(nullptr));
    const win32::ScopedSelect font(dc.Get(), globalData.fontRegular.GetSafeHandle());
    SIZE extent = {};
    ::GetTextExtentPoint32W(dc.Get(), m_strText, m_strText.GetLength(), &extent);
    return CSize(extent.cx + 32, globalData.GetTextHeight() + 16);
}

void CBCGPFullScreenBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillBarBackground(pDC, this, client, client);
    CRect button = client;
    button.DeflateRect(3, 3);
    if (m_hover.Hot() || m_bPressed)
        pDC->FillSolidRect(button, m_bPressed ? skinui::Mix(globalData.clrBarFace, manager->GetAccentColor(), 0.45)
                                              : skinui::Mix(globalData.clrBarFace, manager->GetAccentColor(), 0.25));
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(globalData.clrBarText);
    pDC->DrawText(m_strText, button, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(old);
}

BOOL CBCGPFullScreenBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
        if (message == WM_MOUSEMOVE ? m_hover.Move(m_hWnd, TRUE) : m_hover.Leave())
            Invalidate();
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDOWN:
        m_bPressed = TRUE;
        SetCapture();
        Invalidate();
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONUP:
        if (m_bPressed) {
            m_bPressed = FALSE;
            ::ReleaseCapture();
            Invalidate();
            CRect client;
            GetClientRect(&client);
            if (client.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
                if (CFrameWnd* frame = GetDockSiteFrameWnd())
                    frame->PostMessage(WM_COMMAND, MAKEWPARAM(m_nCmdID, 0), 0);
        }
        *pResult = 0;
        return TRUE;
    default:
        return CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
    }
}

// ---------------------------------------------------------------------------------------------
// CBCGPFrameImpl

CBCGPFrameImpl::CBCGPFrameImpl(CFrameWnd* pFrame) : m_dockManager(pFrame), m_pFrame(pFrame)
{
}

CBCGPFrameImpl::~CBCGPFrameImpl() = default;

void CBCGPFrameImpl::ShowFullScreen()
{
    if (!m_pFrame->m_hWnd)
        return;
    if (!m_bFullScreen) {
        m_placementBefore.length = sizeof m_placementBefore;
        m_pFrame->GetWindowPlacement(&m_placementBefore);
        m_styleBefore = m_pFrame->GetStyle();
        m_menuBefore = ::GetMenu(m_pFrame->m_hWnd);
        m_bFullScreen = TRUE;
        m_dockManager.HideAllForFullScreen(TRUE);
        if (!m_bFullScreenMainMenu && m_menuBefore)
            ::SetMenu(m_pFrame->m_hWnd, nullptr);
        MONITORINFO mi = { sizeof mi };
        ::GetMonitorInfoW(::MonitorFromWindow(m_pFrame->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        if (m_styleBefore & WS_MAXIMIZE)
            m_pFrame->ShowWindow(SW_RESTORE);
        m_pFrame->ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
        const CRect screen(mi.rcMonitor);
        m_pFrame->SetWindowPos(&CWnd::wndTop, screen.left, screen.top, screen.Width(), screen.Height(), SWP_FRAMECHANGED);
        if (m_uiFullScreenCmd) {
            m_pFullScreenBar = std::make_unique<CBCGPFullScreenBar>();
            if (m_pFullScreenBar->Create(m_pFrame, m_uiFullScreenCmd)) {
                const CSize size = m_pFullScreenBar->CalcFloatingSize();
                m_dockManager.FloatControlBar(m_pFullScreenBar.get(), CRect(CPoint(screen.left + 40, screen.top + 60), size), true);
            } else {
                m_pFullScreenBar.reset();
            }
        }
    } else {
        m_bFullScreen = FALSE;
        if (m_pFullScreenBar) {
            if (m_pFullScreenBar->m_hWnd)
                m_pFullScreenBar->DestroyWindow();
            m_pFullScreenBar.reset();
        }
        m_pFrame->ModifyStyle(0, m_styleBefore & (WS_CAPTION | WS_THICKFRAME));
        if (m_menuBefore && !::GetMenu(m_pFrame->m_hWnd))
            ::SetMenu(m_pFrame->m_hWnd, m_menuBefore);
        m_pFrame->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        m_pFrame->SetWindowPlacement(&m_placementBefore);
        m_dockManager.HideAllForFullScreen(FALSE);
    }
    m_pFrame->RecalcLayout();
}

BOOL CBCGPFrameImpl::SaveState(LPCTSTR lpszKey)
{
    if (!m_pFrame->m_hWnd)
        return FALSE;
    const CString base = lpszKey;
    WINDOWPLACEMENT wp = { sizeof wp };
    m_pFrame->GetWindowPlacement(&wp);
    if (m_bFullScreen)
        wp = m_placementBefore;
    bool ok = WritePlacement(base + L"MainFrame", wp);
    ok &= m_dockManager.SaveState(base + L"DockingManager") != FALSE;
    return ok;
}

BOOL CBCGPFrameImpl::LoadState(LPCTSTR lpszKey)
{
    if (!m_pFrame->m_hWnd)
        return FALSE;
    const CString base = lpszKey;
    WINDOWPLACEMENT wp = { sizeof wp };
    m_pFrame->GetWindowPlacement(&wp);
    const bool placed = ReadPlacement(base + L"MainFrame", wp);
    if (placed) {
        const UINT show = wp.showCmd;
        if (!m_pFrame->IsWindowVisible()) {
            // A frame not shown yet keeps hidden; the application shows it as it was.
            wp.showCmd = SW_HIDE;
            if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == m_pFrame && show == SW_SHOWMAXIMIZED)
                app->m_nCmdShow = SW_SHOWMAXIMIZED;
        }
        m_pFrame->SetWindowPlacement(&wp);
    }
    const BOOL bars = m_dockManager.LoadState(base + L"DockingManager");
    return placed || bars;
}

BOOL CBCGPFrameImpl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == skinui::DockManagerQueryMessage()) {
        *pResult = reinterpret_cast<LRESULT>(&m_dockManager);
        return TRUE;
    }
    if (message == skinui::FrameImplQueryMessage()) {
        *pResult = reinterpret_cast<LRESULT>(this);
        return TRUE;
    }
    if (message == WM_IDLEUPDATECMDUI) {
        // Floating bars are no descendants of the frame: they are asked here.
        for (CBCGPBaseControlBar* bar : m_dockManager.GetAllBars())
            if (bar->IsFloating() && bar->IsWindowVisible())
                bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
    // A command from a menu, an accelerator or the full-screen bar (not a control's notification).
    if (message == WM_COMMAND && lParam == 0 && m_bFullScreen && m_pFullScreenBar &&
        LOWORD(wParam) == m_pFullScreenBar->GetCommandID() && !HasCommandHandler(LOWORD(wParam))) {
        ShowFullScreen();
        *pResult = 0;
        return TRUE;
    }
    return FALSE;
}

BOOL CBCGPFrameImpl::HasCommandHandler(UINT nID) const
{
    // With a handler-info record OnCmdMsg only looks the handler up; without one it would run it.
    AFX_CMDHANDLERINFO info = {};
    return m_pFrame->OnCmdMsg(nID, CN_COMMAND, nullptr, &info);
}

void CBCGPFrameImpl::OnCreate()
{
    if (CBCGPWorkspace* workspace = CBCGPWorkspace::GetInstance())
        workspace->EnsurePreLoadState();
}

void CBCGPFrameImpl::OnLoadFrame()
{
    if (CBCGPWorkspace* workspace = CBCGPWorkspace::GetInstance())
        workspace->LoadState(m_pFrame);
}

BOOL CBCGPFrameImpl::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == m_pFrame && !app->SaveAllModified())
        return FALSE;
    // The state is stored while the bars still stand.
    if (CBCGPWorkspace* workspace = CBCGPWorkspace::GetInstance(); workspace && app && app->m_pMainWnd == m_pFrame)
        workspace->SaveState(m_pFrame);
    if (IsFullScreen())
        ShowFullScreen();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CBCGPFrameWnd

IMPLEMENT_DYNCREATE(CBCGPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CBCGPFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

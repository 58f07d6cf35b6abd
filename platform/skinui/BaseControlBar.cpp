#include "BaseControlBar.h"
#include "DockManager.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "MiniFrameWnd.h"
#include "VisualManager.h"

namespace skinui {
// Asked of a dock site: its dock manager (LRESULT, null when it has none).
UINT DockManagerQueryMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"SkinUI.DockManager");
    return message;
}
} // namespace skinui

IMPLEMENT_DYNAMIC(CBCGPBaseControlBar, CControlBar)

CBCGPBaseControlBar::CBCGPBaseControlBar() = default;

CBCGPBaseControlBar::~CBCGPBaseControlBar() = default;

BOOL CBCGPBaseControlBar::CreateBar(LPCTSTR lpszCaption, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID,
                                    DWORD dwControlBarStyle, DWORD dwExStyle)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_BCGP_BAR_STYLES;
    m_dwControlBarStyle = dwControlBarStyle;
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (!m_pDockSite)
        m_pDockSite = pParentWnd->GetParentFrame();
    m_sizeDefault = CSize(rect.Width(), rect.Height());
    m_bUserVisible = (dwStyle & WS_VISIBLE) != 0;
    const CString cls = globalData.RegisterWindowClass(L"BCGPControlBar");
    return CreateEx(dwExStyle, cls, lpszCaption, BarWindowStyle(dwStyle) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                    pParentWnd, nID);
}

void CBCGPBaseControlBar::EnableDocking(DWORD dwAlignment)
{
    m_dwEnabledAlignment = dwAlignment & CBRS_ALIGN_ANY;
}

void CBCGPBaseControlBar::SetCurrentAlignment(DWORD dwAlignment)
{
    m_dwStyle = (m_dwStyle & ~static_cast<DWORD>(CBRS_ALIGN_ANY)) | (dwAlignment & CBRS_ALIGN_ANY);
}

BOOL CBCGPBaseControlBar::IsHorizontal() const
{
    const DWORD align = GetCurrentAlignment();
    return align == 0 || (align & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}

BOOL CBCGPBaseControlBar::CanFloat() const
{
    return m_dwEnabledAlignment != 0 || (m_dwControlBarStyle & CBRS_BCGP_FLOAT) != 0;
}

CFrameWnd* CBCGPBaseControlBar::GetDockSiteFrameWnd() const
{
    return m_pDockSite ? m_pDockSite : GetParentFrame();
}

CBCGPDockManager* CBCGPBaseControlBar::GetDockManager() const
{
    CFrameWnd* site = GetDockSiteFrameWnd();
    if (!site || !site->m_hWnd)
        return nullptr;
    return reinterpret_cast<CBCGPDockManager*>(site->SendMessage(skinui::DockManagerQueryMessage()));
}

BOOL CBCGPBaseControlBar::FloatControlBar(CRect rectFloat, BCGP_DOCK_METHOD, bool bShow)
{
    CBCGPDockManager* manager = GetDockManager();
    return manager && manager->FloatControlBar(this, rectFloat, bShow);
}

BOOL CBCGPBaseControlBar::DockToFrameWindow(DWORD dwAlignment)
{
    CBCGPDockManager* manager = GetDockManager();
    return manager && manager->DockToFrame(this, dwAlignment);
}

void CBCGPBaseControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL)
{
    if (!m_hWnd)
        return;
    m_bUserVisible = bShow;
    if (m_pMiniFrame)
        m_pMiniFrame->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (!bDelay)
        AdjustDockingLayout();
}

void CBCGPBaseControlBar::AdjustDockingLayout()
{
    if (m_pMiniFrame)
        m_pMiniFrame->AdjustLayout();
    if (CBCGPDockManager* manager = GetDockManager())
        manager->AdjustDockingLayout();
    else if (CFrameWnd* site = GetDockSiteFrameWnd())
        site->RecalcLayout();
}

BOOL CBCGPBaseControlBar::IsBarVisible() const
{
    return m_hWnd && m_bUserVisible;
}

CSize CBCGPBaseControlBar::CalcFixedLayout(BOOL, BOOL)
{
    return m_sizeDefault;
}

CSize CBCGPBaseControlBar::CalcFloatingSize()
{
    CRect r;
    if (m_hWnd)
        GetWindowRect(&r);
    return r.IsRectEmpty() ? m_sizeDefault : r.Size();
}

void CBCGPBaseControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

BOOL CBCGPBaseControlBar::LoadState(LPCTSTR, int, UINT)
{
    return TRUE;
}

BOOL CBCGPBaseControlBar::SaveState(LPCTSTR, int, UINT)
{
    return TRUE;
}

void CBCGPBaseControlBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, client, client);
}

BOOL CBCGPBaseControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DESTROY) {
        // The dock site forgets the bar; a mini frame it floated in goes with it.
        if (CBCGPDockManager* manager = GetDockManager())
            manager->RemoveControlBar(this);
        if (CBCGPMiniFrameWnd* frame = m_pMiniFrame) {
            m_pMiniFrame = nullptr;
            frame->m_pBar = nullptr;
            frame->PostMessage(WM_CLOSE);
        }
    }
    if (CControlBar::OnWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    switch (message) {
    case WM_ERASEBKGND:
        // DoPaint fills the whole client area.
        *pResult = 1;
        return TRUE;
    case WM_PAINT:
        // Bars repaint on every layout change.
        skinui::PaintBuffered(this, [this](CDC* dc) { DoPaint(dc); }, true);
        *pResult = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

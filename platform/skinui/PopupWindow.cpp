#include "PopupWindow.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
const UINT_PTR kCloseTimer = 1;
const UINT kCloseCheckMs = 100;
const int kMargin = 10;
const int kCloseSize = 16;
} // namespace

CRect skinui::PlacePopup(CSize size, CPoint pt, const CRect& workArea)
{
    if (pt.x == -1 && pt.y == -1)
        return CRect(CPoint(workArea.right - size.cx, workArea.bottom - size.cy), size);
    CPoint topLeft = pt;
    topLeft.x = std::max<LONG>(workArea.left, std::min<LONG>(topLeft.x, workArea.right - size.cx));
    topLeft.y = std::max<LONG>(workArea.top, std::min<LONG>(topLeft.y, workArea.bottom - size.cy));
    return CRect(topLeft, size);
}

IMPLEMENT_DYNAMIC(CBCGPPopupWindow, CWnd)

BEGIN_MESSAGE_MAP(CBCGPPopupWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CBCGPPopupWindow::~CBCGPPopupWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CBCGPPopupWindow::Create(CWnd* pWndOwner, CBCGPPopupWndParams& params, HMENU, CPoint ptPos)
{
    m_params = params;
    m_pWndOwner = pWndOwner;
    const CSize size = GetDialogSize();
    POINT probe = ptPos;
    if (ptPos.x == -1 && ptPos.y == -1)
        ::GetCursorPos(&probe);
    MONITORINFO mi = {sizeof(mi)};
    ::GetMonitorInfoW(::MonitorFromPoint(probe, MONITOR_DEFAULTTOPRIMARY), &mi);
    // The default place is the primary work area's corner, where the system puts its notes.
    if (ptPos.x == -1 && ptPos.y == -1)
        ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const CRect place = skinui::PlacePopup(size, ptPos, CRect(mi.rcWork));
    DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    if (m_nTransparency < 255)
        exStyle |= WS_EX_LAYERED;
    if (!CreateEx(exStyle, globalData.RegisterWindowClass(L"SkinUI.PopupWindow"), m_params.m_strText, WS_POPUP, place.left, place.top,
                  place.Width(), place.Height(), pWndOwner ? pWndOwner->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    if (m_nTransparency < 255)
        ::SetLayeredWindowAttributes(m_hWnd, 0, m_nTransparency, LWA_ALPHA);
    m_dwStart = m_pfnClock();
    SetTimer(kCloseTimer, kCloseCheckMs);
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

CSize CBCGPPopupWindow::GetDialogSize()
{
    const double scale = std::max(1.0, globalData.GetRibbonImageScale());
    const int width = static_cast<int>(280 * scale);
    const int icon = m_params.m_hIcon ? ::GetSystemMetrics(SM_CXICON) + kMargin : 0;
    const win32::ScreenDc screen(::GetDC(nullptr));
    const win32::ScopedSelect font(screen.Get(), globalData.fontRegular.GetSafeHandle());
    CRect text(0, 0, width - 2 * kMargin - icon - kCloseSize, 0);
    ::DrawTextW(screen.Get(), m_params.m_strText, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int height = std::max<int>(static_cast<int>(72 * scale), text.Height() + 2 * kMargin + kCloseSize);
    return CSize(width, height);
}

CRect CBCGPPopupWindow::GetCloseButtonRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(client.right - kCloseSize - 4, client.top + 4, client.right - 4, client.top + 4 + kCloseSize);
}

void CBCGPPopupWindow::Render(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillPopupWindowBackground(pDC, client);
    manager->OnDrawPopupWindowBorder(pDC, client);
    CRect area = client;
    area.DeflateRect(kMargin, kMargin);
    area.right -= kCloseSize;
    if (m_params.m_hIcon) {
        const int icon = ::GetSystemMetrics(SM_CXICON);
        ::DrawIconEx(pDC->m_hDC, area.left, area.top, m_params.m_hIcon, icon, icon, 0, nullptr, DI_NORMAL);
        area.left += icon + kMargin;
    }
    {
        const win32::ScopedSelect font(pDC->m_hDC, globalData.fontRegular.GetSafeHandle());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(manager->GetPopupWindowTextColor());
        pDC->DrawText(m_params.m_strText, &area, DT_WORDBREAK | DT_NOPREFIX);
    }
    manager->OnDrawCaptionButton(pDC, GetCloseButtonRect(), BCGP_CAPTION_CLOSE, m_bCloseHighlighted, FALSE, FALSE);
}

void CBCGPPopupWindow::OnPaint()
{
    CPaintDC dc(this);
    Render(&dc);
}

BOOL CBCGPPopupWindow::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CBCGPPopupWindow::OnPrintClient(WPARAM wParam, LPARAM)
{
    Render(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CBCGPPopupWindow::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCloseTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (m_nAutoCloseTime <= 0)
        return;
    // A note being read (the pointer on it) waits; the count starts again when it leaves.
    POINT cursor;
    CRect window;
    GetWindowRect(&window);
    if (::GetCursorPos(&cursor) && window.PtInRect(cursor)) {
        m_dwStart = m_pfnClock();
        return;
    }
    // Unsigned difference: correct across the tick counter's wrap.
    if (m_pfnClock() - m_dwStart >= static_cast<DWORD>(m_nAutoCloseTime)) {
        KillTimer(kCloseTimer);
        DestroyWindow();
    }
}

void CBCGPPopupWindow::OnLButtonUp(UINT, CPoint point)
{
    if (GetCloseButtonRect().PtInRect(point)) {
        DestroyWindow();
        return;
    }
    if (m_params.m_nURLCmdID && m_pWndOwner && m_pWndOwner->GetSafeHwnd()) {
        m_pWndOwner->PostMessage(WM_COMMAND, m_params.m_nURLCmdID);
        DestroyWindow();
    }
}

void CBCGPPopupWindow::OnMouseMove(UINT, CPoint point)
{
    const BOOL over = GetCloseButtonRect().PtInRect(point);
    if (over != m_bCloseHighlighted) {
        m_bCloseHighlighted = over;
        InvalidateRect(GetCloseButtonRect(), FALSE);
    }
}

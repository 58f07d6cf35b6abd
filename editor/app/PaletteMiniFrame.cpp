#include "PaletteMiniFrame.h"
#include <windowsx.h>
#include "ShopToolbarColorPicker.h"
#include "ZVDockToolbar.h"

BEGIN_MESSAGE_MAP(CShadowWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CShadowWnd::CShadowWnd() = default;

CShadowWnd::~CShadowWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

CRect CShadowWnd::ShadowRect() const
{
    CRect rect;
    if (m_pOwner && m_pOwner->m_hWnd)
        m_pOwner->GetWindowRect(&rect);
    rect.left -= m_rcMargins.left;
    rect.top -= m_rcMargins.top;
    rect.right += m_rcMargins.right;
    rect.bottom += m_rcMargins.bottom;
    return rect;
}

BOOL CShadowWnd::Create(CWnd* pOwner)
{
    m_pOwner = pOwner;
    CRect rect;
    CWnd* ownersOwner = nullptr;
    if (pOwner && pOwner->m_hWnd) {
        rect = ShadowRect();
        ownersOwner = CWnd::FromHandle(::GetWindow(pOwner->m_hWnd, GW_OWNER));
    }
    const CString cls = globalData.RegisterWindowClass(L"BCGPShadowWnd");
    if (!CreateEx(WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls, L"", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                  rect.Width(), rect.Height(), ownersOwner ? ownersOwner->m_hWnd : nullptr, nullptr))
        return FALSE;
    // The window is shown after its creation: one without layered drawing is hidden again.
    if (!m_bLayered)
        ShowWindow(SW_HIDE);
    return TRUE;
}

int CShadowWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bLayered = globalData.m_nBitsPerPixel > 8;
    if (m_bLayered) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        m_bLayered = ::SetLayeredWindowAttributes(m_hWnd, kColorKey, m_nAlpha, LWA_COLORKEY | LWA_ALPHA) != FALSE;
    }
    return 0;
}

void CShadowWnd::Update(BOOL bShow)
{
    if (!m_hWnd)
        return;
    if (m_bLayered && bShow && m_pOwner && m_pOwner->m_hWnd && m_pOwner->IsWindowVisible()) {
        const CRect rect = ShadowRect();
        SetWindowPos(m_pOwner, rect.left, rect.top, rect.Width(), rect.Height(),
                     SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_SHOWWINDOW);
    } else if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CShadowWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CShadowWnd::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBrush shadow(m_clrShadow);
    CBrush* oldBrush = pDC->SelectObject(&shadow);
    CPen* oldPen = static_cast<CPen*>(pDC->SelectStockObject(NULL_PEN));
    if (m_nRadius > 0)
        pDC->RoundRect(client.left, client.top, client.right + 1, client.bottom + 1, m_nRadius, m_nRadius);
    else
        pDC->FillSolidRect(client, m_clrShadow);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
    if (!m_pOwner || !m_pOwner->m_hWnd)
        return;
    // The owner's own area takes the colour key, so that it stays clear: left as shadow it
    // would show as a dark box through a half transparent owner.
    CRect owner;
    m_pOwner->GetWindowRect(&owner);
    CRect self;
    GetWindowRect(&self);
    owner.OffsetRect(-self.left, -self.top);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(m_pOwner->m_hWnd, static_cast<HRGN>(region.GetSafeHandle())) != ERROR) {
        region.OffsetRgn(owner.left, owner.top);
        CBrush key(kColorKey);
        pDC->FillRgn(&region, &key);
    } else {
        pDC->FillSolidRect(owner, kColorKey);
    }
}

void CShadowWnd::OnPaint()
{
    skinui::PaintBuffered(this, [this](CDC* dc) { Draw(dc); }, true);
}

IMPLEMENT_DYNCREATE(CPaletteMiniFrame, CBCGPMiniFrameWnd)

BEGIN_MESSAGE_MAP(CPaletteMiniFrame, CBCGPMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPaletteMiniFrame::CPaletteMiniFrame()
{
    RecalcCaptionHeight();
}

CPaletteMiniFrame::~CPaletteMiniFrame() = default;

void CPaletteMiniFrame::RecalcCaptionHeight()
{
    m_nCaptionHeight = CBCGPVisualManager::GetInstance()->GetCaptionButtonSize().cy + 8;
}

LRESULT CPaletteMiniFrame::HitTest(CPoint point, BOOL bDetectCaption)
{
    const LRESULT hit = CBCGPMiniFrameWnd::HitTest(point, bDetectCaption);
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        // The palette keeps the size of its buttons: its edges only move it.
        return HTCAPTION;
    default:
        return hit;
    }
}

void CPaletteMiniFrame::OnCapture(BOOL bOnOff)
{
    if (bOnOff) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, 0, 127, LWA_ALPHA);
    } else {
        ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);
        ModifyStyleEx(WS_EX_LAYERED, 0);
    }
    CBCGPMiniFrameWnd::OnCapture(bOnOff);
}

void CPaletteMiniFrame::OnMoveUpdate()
{
    CBCGPMiniFrameWnd::OnMoveUpdate();
    m_shadow.Update(TRUE);
}

CRect CPaletteMiniFrame::GetCaptionRect() const
{
    // Moved 3 right and 2 down, its right and bottom edges kept, so that the band stays inside
    // the frame's border.
    CRect rect = CBCGPMiniFrameWnd::GetCaptionRect();
    rect.left += 3;
    rect.top += 2;
    return rect;
}

int CPaletteMiniFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    m_renderer.Create(CBCGPControlRendererParams(0, CRect(0, 0, 46, 15), CRect(5, 10, 5, 4)));
    m_shadow.Create(this);
    return CBCGPMiniFrameWnd::OnCreate(lpCreateStruct);
}

void CPaletteMiniFrame::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    m_shadow.Update(TRUE);
    CBCGPMiniFrameWnd::OnWindowPosChanged(lpwndpos);
}

void CPaletteMiniFrame::OnShowWindow(BOOL bShow, UINT nStatus)
{
    m_shadow.Update(bShow);
    CBCGPMiniFrameWnd::OnShowWindow(bShow, nStatus);
}

void CPaletteMiniFrame::OnDestroy()
{
    if (m_shadow.m_hWnd)
        m_shadow.DestroyWindow();
    CBCGPMiniFrameWnd::OnDestroy();
}

void CPaletteMiniFrame::OnCaptionClick(CPoint point)
{
    CRect caption = GetCaptionRect();
    CRect window;
    GetWindowRect(&window);
    caption.OffsetRect(window.TopLeft());
    if (HitTest(point, TRUE) != HTCAPTION || !caption.PtInRect(point))
        return;
    auto* bar = DYNAMIC_DOWNCAST(CZVDockToolbar, GetControlBar());
    if (!bar)
        return;
    int columns = bar->GetColumns() + 1;
    if (columns > 5)
        columns = 2;
    // The bar gives its colour button the narrow form when it is one column wide.
    bar->SetColumns(columns);
}

BOOL CPaletteMiniFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A release that ends a drag is no click.
    if (message == WM_LBUTTONUP && !(IsCaptured() && HasMovedSinceCapture())) {
        CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&point);
        OnCaptionClick(point);
    }
    return CBCGPMiniFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

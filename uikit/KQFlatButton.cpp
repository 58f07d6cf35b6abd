#include "KQFlatButton.h"

namespace {
const UINT_PTR kHoldTimer = 1;
const UINT kHoldMilliseconds = 100;
const int kHighlightPercent = 30;
} // namespace

IMPLEMENT_DYNAMIC(CKQFlatButton, CBCGPButton)

BEGIN_MESSAGE_MAP(CKQFlatButton, CBCGPButton)
END_MESSAGE_MAP()

CKQFlatButton::~CKQFlatButton() = default;

void CKQFlatButton::SetPush(BOOL bPush)
{
    m_bPush = bPush;
    if (m_hWnd)
        RedrawWindow();
}

void CKQFlatButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    const BOOL down = (uiState & ODS_SELECTED) != 0 || IsPressed();
    if (!IsHighlighted() && !down && !m_bPush)
        return;
    // A button held down sinks one pixel further than a hot or pushed one.
    rectClient.DeflateRect(down ? 2 : 1, down ? 2 : 1);
    CBCGPDrawManager dm(*pDC);
    dm.HighlightRect(rectClient, kHighlightPercent, (COLORREF)-1, 0, globalData.clrHilite);
    dm.DrawRect(rectClient, (COLORREF)-1, CBCGPVisualManager::GetInstance()->GetControlBorderColor(TRUE, (uiState & ODS_DISABLED) != 0));
}

CSize CKQFlatButton::SizeToContent(BOOL bCalcOnly)
{
    CSize size = CBCGPButton::SizeToContent(TRUE);
    CRect rect;
    GetWindowRect(&rect);
    size.cy = rect.Height();
    if (!bCalcOnly)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

// Long-press button. The button keeps the capture while it is held (the system's button
// takes it at the press), so the release reaches it wherever it happens; a press that loses
// the capture to another window ends there. Either way the parent hears one release per press.

IMPLEMENT_DYNAMIC(CKQLongPressButton, CKQFlatButton)

BEGIN_MESSAGE_MAP(CKQLongPressButton, CKQFlatButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

CKQLongPressButton::~CKQLongPressButton() = default;

void CKQLongPressButton::EndPress()
{
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    KillTimer(kHoldTimer);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_KQ_LONGPRESS_UP);
}

void CKQLongPressButton::OnLButtonDown(UINT, CPoint)
{
    // A press whose release never came (a button-up lost on the way) ends before the next.
    EndPress();
    m_bPressed = TRUE;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_KQ_LONGPRESS_DOWN);
    SetTimer(kHoldTimer, kHoldMilliseconds, nullptr);
    Default();   // the system's button takes the capture and the focus
    if (m_bPressed && ::GetCapture() != m_hWnd)
        SetCapture();
}

// The second press of a double click is a press too. An owner-drawn system button only
// reports it to its parent (the default handling of the message being handled), so the
// capture is taken above.
void CKQLongPressButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CKQLongPressButton::OnLButtonUp(UINT, CPoint)
{
    EndPress();
    Default();   // releases the capture and clicks when the pointer is over the button
    // The capture taken for a double click is not the system button's to release.
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKQLongPressButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_bTracking = ::TrackMouseEvent(&tme);
    }
    CKQFlatButton::OnMouseMove(nFlags, point);
}

void CKQLongPressButton::OnMouseLeave()
{
    // Leaving the button does not end a press: the release comes to the button all the same.
    m_bTracking = FALSE;
    CKQFlatButton::OnMouseLeave();
}

void CKQLongPressButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoldTimer && !m_bPressed)
        KillTimer(kHoldTimer);
    Default();
}

LRESULT CKQLongPressButton::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd)
        EndPress();
    return Default();
}

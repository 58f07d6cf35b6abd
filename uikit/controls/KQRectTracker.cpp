#include "KQRectTracker.h"
#include "TrackerDraw.h"

namespace {

bool g_leanCursorsLoaded = false;
HCURSOR g_leanCursors[10] = {};

} // namespace

CKQRectTracker::CKQRectTracker() { Construct(); }

CKQRectTracker::CKQRectTracker(const RECT* rect, UINT style)
{
    Construct();
    m_rect = *rect;
    m_nStyle = style;
}

CKQRectTracker::~CKQRectTracker() = default;

void CKQRectTracker::Construct()
{
    AfxLockGlobals(tracker::kSharedLock);
    if (!g_leanCursorsLoaded) {
        tracker::LoadCursorTable(g_leanCursors);
        g_leanCursorsLoaded = true;
    }
    AfxUnlockGlobals(tracker::kSharedLock);
    m_nStyle = 0;
    m_nHandleSize = 32;
    m_sizeMin = CSize(64, 64);
    m_bMask = TRUE;
    m_rect.SetRectEmpty();
    m_rectClient.SetRectEmpty();
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bErase = m_bFinalErase = FALSE;
    m_fAspect = 0;
}

int CKQRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    return tracker::HandleSize(m_nStyle, m_nHandleSize, lpRect ? *lpRect : static_cast<const RECT&>(m_rect));
}

UINT CKQRectTracker::GetHandleMask() const { return tracker::HandleMask(GetHandleSize(), m_rect); }

void CKQRectTracker::GetTrueRect(LPRECT lpTrueRect) const { *lpTrueRect = tracker::TrueRect(m_nStyle, GetHandleSize(), m_rect); }

int CKQRectTracker::NormalizeHit(int nHandle) const { return tracker::NormalizeHit(m_rect, nHandle); }

void CKQRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    *pHandleRect = tracker::HandleRect(m_nStyle, GetHandleSize(), m_rect, nHandle);
}

int CKQRectTracker::HitTestHandles(CPoint point) const
{
    return tracker::HitTestHandles(m_nStyle, GetHandleSize(), GetHandleMask(), m_rect, point);
}

int CKQRectTracker::HitTest(CPoint point) const
{
    return tracker::HitTest(m_nStyle, GetHandleSize(), GetHandleMask(), m_rect, point);
}

void CKQRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, LONG* px, LONG* py)
{
    int x = 0, y = 0;
    tracker::ModifyPointers(m_rect, nHandle, ppx, ppy, &x, &y);
    if (px)
        *px = x;
    if (py)
        *py = y;
}

void CKQRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    tracker::AdjustToMinimum(nHandle, *lpRect, m_sizeMin, m_bAllowInvert != FALSE);
}

void CKQRectTracker::SetAspect(float aspect)
{
    m_fAspect = aspect;
    m_rect.SetRect(0, 0, 0, 0);
}

void CKQRectTracker::RectToRectF() { m_rectF = tracker::ToRectF(m_rect); }

void CKQRectTracker::RectFToRect() { m_rect = tracker::FromRectF(m_rectF); }

BOOL CKQRectTracker::SetCursor(CWnd* pWnd, UINT) const
{
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(pWnd->GetSafeHwnd(), &p);
    int hit = HitTestHandles(p);
    if (hit < 0)
        return FALSE;
    hit = NormalizeHit(hit);
    const RECT inner = tracker::Normalized(m_rect);
    if (hit == hitMiddle && (m_nStyle & hatchedBorder) && !::PtInRect(&inner, p))
        hit = 9;
    ::SetCursor(g_leanCursors[hit]);
    return TRUE;
}

void CKQRectTracker::Draw(CDC* pDC) const
{
    const bool frame = (m_nStyle & hatchedBorder) != 0;
    const bool handles = (m_nStyle & (resizeInside | resizeOutside)) != 0;
    if (!frame && !handles)
        return;
    RECT handleRects[8];
    for (int h = 0; h < 8; ++h)
        handleRects[h] = tracker::HandleRect(m_nStyle, GetHandleSize(), m_rect, h);
    tracker::DrawFrameAndHandles(pDC->GetSafeHdc(), tracker::TrueRect(m_nStyle, GetHandleSize(), m_rect), m_rectClient,
                                 m_bMask != FALSE, frame, handles, GetHandleMask(), handleRects);
}

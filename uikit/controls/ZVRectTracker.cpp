#include "ZVRectTracker.h"
#include <cstdlib>
#include <stdexcept>
#include "TrackerDraw.h"

namespace {

// Pens, brush and cursors shared by every CZVRectTracker of the process. Made by the first
// construction; the pens are replaced (and the old ones released) by SetRectColor/CreatePen.
struct SharedObjects {
    bool made = false;
    HBRUSH hatch = nullptr;
    HPEN dotted = nullptr;
    HPEN solid = nullptr;
    HCURSOR cursors[10] = {};
};
SharedObjects g_shared;

void Fail()
{
    AfxUnlockGlobals(tracker::kSharedLock);
    throw std::runtime_error("tracker: a drawing object could not be made");
}

// Called with the lock held.
void ReplacePens(COLORREF color)
{
    HPEN dotted = ::CreatePen(PS_DOT, 0, color);
    HPEN solid = ::CreatePen(PS_SOLID, 0, color);
    if (!dotted || !solid) {
        if (dotted)
            ::DeleteObject(dotted);
        if (solid)
            ::DeleteObject(solid);
        Fail();
    }
    if (g_shared.dotted)
        ::DeleteObject(g_shared.dotted);
    if (g_shared.solid)
        ::DeleteObject(g_shared.solid);
    g_shared.dotted = dotted;
    g_shared.solid = solid;
}

void MakeSharedObjects(COLORREF color)
{
    AfxLockGlobals(tracker::kSharedLock);
    if (!g_shared.made) {
        static const WORD kHatch[8] = {0x1111, 0x2222, 0x4444, 0x8888, 0x1111, 0x2222, 0x4444, 0x8888};
        HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, kHatch);
        if (!pattern)
            Fail();
        g_shared.hatch = ::CreatePatternBrush(pattern);
        ::DeleteObject(pattern);
        if (!g_shared.hatch)
            Fail();
        ReplacePens(color);
        tracker::LoadCursorTable(g_shared.cursors);
        g_shared.made = true;
    }
    AfxUnlockGlobals(tracker::kSharedLock);
}

} // namespace

CZVRectTracker::CZVRectTracker() { Construct(); }

CZVRectTracker::CZVRectTracker(const RECT* rect, UINT style)
{
    Construct();
    m_rect = *rect;
    m_nStyle = style;
}

CZVRectTracker::~CZVRectTracker() = default;

void CZVRectTracker::Construct()
{
    MakeSharedObjects(m_rectColor);
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

int CZVRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    return tracker::HandleSize(m_nStyle, m_nHandleSize, lpRect ? *lpRect : static_cast<const RECT&>(m_rect));
}

UINT CZVRectTracker::GetHandleMask() const { return tracker::HandleMask(GetHandleSize(), m_rect); }

void CZVRectTracker::GetTrueRect(LPRECT lpTrueRect) const { *lpTrueRect = tracker::TrueRect(m_nStyle, GetHandleSize(), m_rect); }

int CZVRectTracker::NormalizeHit(int nHandle) const { return tracker::NormalizeHit(m_rect, nHandle); }

void CZVRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    *pHandleRect = tracker::HandleRect(m_nStyle, GetHandleSize(), m_rect, nHandle);
}

int CZVRectTracker::HitTestHandles(CPoint point) const
{
    return tracker::HitTestHandles(m_nStyle, GetHandleSize(), GetHandleMask(), m_rect, point);
}

int CZVRectTracker::HitTest(CPoint point) const
{
    return tracker::HitTest(m_nStyle, GetHandleSize(), GetHandleMask(), m_rect, point);
}

void CZVRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy, LONG* px, LONG* py)
{
    int x = 0, y = 0;
    tracker::ModifyPointers(m_rect, nHandle, ppx, ppy, &x, &y);
    if (px)
        *px = x;
    if (py)
        *py = y;
}

void CZVRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    tracker::AdjustToMinimum(nHandle, *lpRect, m_sizeMin, m_bAllowInvert != FALSE);
}

void CZVRectTracker::OnChangedRect(const CRect&) {}

void CZVRectTracker::SetAspect(float aspect)
{
    m_fAspect = aspect;
    m_rect.SetRect(0, 0, 0, 0);
}

void CZVRectTracker::RectToRectF() { m_rectF = tracker::ToRectF(m_rect); }

void CZVRectTracker::RectFToRect() { m_rect = tracker::FromRectF(m_rectF); }

void CZVRectTracker::SetRectColor(COLORREF color)
{
    m_rectColor = color;
    CreatePen();
}

void CZVRectTracker::CreatePen()
{
    AfxLockGlobals(tracker::kSharedLock);
    ReplacePens(m_rectColor);
    AfxUnlockGlobals(tracker::kSharedLock);
}

void CZVRectTracker::SetResizeCursor(UINT nVert, UINT nHorz, UINT nNWSE, UINT nNESW, UINT nTrack)
{
    HINSTANCE module = AfxGetResourceHandle();
    auto load = [module](UINT id) { return ::LoadCursorW(module, MAKEINTRESOURCEW(id)); };
    AfxLockGlobals(tracker::kSharedLock);
    g_shared.cursors[4] = g_shared.cursors[6] = load(nVert);
    g_shared.cursors[5] = g_shared.cursors[7] = load(nHorz);
    g_shared.cursors[0] = g_shared.cursors[2] = load(nNWSE);
    g_shared.cursors[1] = g_shared.cursors[3] = load(nNESW);
    g_shared.cursors[8] = load(nTrack);
    AfxUnlockGlobals(tracker::kSharedLock);
}

BOOL CZVRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT)
        return FALSE;
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(pWnd->GetSafeHwnd(), &p);
    int hit = HitTestHandles(p);
    if (hit < 0)
        return FALSE;
    hit = NormalizeHit(hit);
    const RECT inner = tracker::Normalized(m_rect);
    // Between the handles of a hatched border the cursor says "move".
    if (hit == hitMiddle && (m_nStyle & hatchedBorder) && !::PtInRect(&inner, p))
        hit = 9;
    ::SetCursor(g_shared.cursors[hit]);
    return TRUE;
}

void CZVRectTracker::Draw(CDC* pDC) const
{
    HDC dc = pDC->GetSafeHdc();
    const int saved = ::SaveDC(dc);
    ::SetMapMode(dc, MM_TEXT);
    ::SetViewportOrgEx(dc, 0, 0, nullptr);
    ::SetWindowOrgEx(dc, 0, 0, nullptr);
    RECT r = tracker::Normalized(m_rect);

    if (m_nStyle & (solidLine | dottedLine)) {
        ::SelectObject(dc, (m_nStyle & dottedLine) ? g_shared.dotted : g_shared.solid);
        ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        const int rop = ::SetROP2(dc, R2_COPYPEN);
        ::Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 1);
        ::SetROP2(dc, rop);
    }
    ++r.right;
    ++r.bottom;
    if (m_nStyle & (hatchInside | hatchedBorder))
        ::UnrealizeObject(g_shared.hatch);
    if (m_nStyle & hatchInside) {
        ::SelectObject(dc, ::GetStockObject(NULL_PEN));
        ::SelectObject(dc, g_shared.hatch);
        const int mode = ::SetBkMode(dc, TRANSPARENT);
        const int rop = ::SetROP2(dc, R2_MASKNOTPEN);
        ::Rectangle(dc, r.left + 1, r.top + 1, r.right, r.bottom);
        ::SetROP2(dc, rop);
        ::SetBkMode(dc, mode);
    }
    const bool frame = (m_nStyle & hatchedBorder) != 0;
    const bool handles = (m_nStyle & (resizeInside | resizeOutside)) != 0;
    if (frame || handles) {
        RECT handleRects[8];
        for (int h = 0; h < 8; ++h)
            handleRects[h] = tracker::HandleRect(m_nStyle, GetHandleSize(), m_rect, h);
        tracker::DrawFrameAndHandles(dc, tracker::TrueRect(m_nStyle, GetHandleSize(), m_rect), m_rectClient, m_bMask != FALSE,
                                     frame, handles, GetHandleMask(), handleRects);
    }
    ::RestoreDC(dc, saved);
}

void CZVRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = tracker::Normalized(*lpRect);
    if (pWndClipTo) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        if (m_nStyle & hatchedBorder) {
            const int border = std::max(1, GetHandleSize(rect) - 29);
            size = CSize(border, border);
            rect.InflateRect(size);
        } else {
            size = CSize(1, 1);
        }
    }
    if (m_bFinalErase || !m_bErase)
        pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL CZVRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    pWnd->GetClientRect(&m_rectClient);
    const int hit = HitTestHandles(point);
    if (hit < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(hit, pWnd, point, pWndClipTo);
}

BOOL CZVRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    pWnd->GetClientRect(&m_rectClient);
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, nullptr);
}

// The modal loop takes each message once and dispatches it once, then looks at it. It ends on
// the button's release, on Escape or the right button (the rectangle goes back), and when the
// window loses the capture (the rectangle stays as it is).
BOOL CZVRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (::GetCapture() != nullptr)
        return FALSE;
    AfxLockTempMaps();
    const int width = m_rect.Width(), height = m_rect.Height();
    HWND wnd = pWnd->GetSafeHwnd();
    ::SetCapture(wnd);
    pWnd->UpdateWindow();
    if (pWndClipTo)
        pWndClipTo->UpdateWindow();
    const CRect saved = m_rect;

    LONG *px = nullptr, *py = nullptr;
    LONG xDiff = 0, yDiff = 0;
    GetModifyPointers(nHandle, &px, &py, &xDiff, &yDiff);
    xDiff = point.x - xDiff;
    yDiff = point.y - yDiff;

    HWND drawWnd = pWndClipTo ? pWndClipTo->GetSafeHwnd() : wnd;
    HDC drawHdc = ::GetDCEx(drawWnd, nullptr, DCX_CACHE);
    CDC* drawDC = CDC::FromHandle(drawHdc);

    bool moved = false;
    while (::GetCapture() == wnd) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (::GetCapture() != wnd)
            break;
        bool done = false;
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const CRect old = m_rect;
            const LONG x = static_cast<short>(LOWORD(msg.lParam)), y = static_cast<short>(HIWORD(msg.lParam));
            if (px)
                *px = x - xDiff;
            if (py)
                *py = y - yDiff;
            if (nHandle == hitMiddle) {
                m_rect.right = m_rect.left + width;
                m_rect.bottom = m_rect.top + height;
            }
            if (m_fAspect != 0)
                m_rect.bottom = tracker::AspectBottom(m_rect, m_fAspect);
            m_bFinalErase = msg.message == WM_LBUTTONUP;
            if (old != m_rect || m_bFinalErase) {
                if (moved) {
                    m_bErase = TRUE;
                    DrawTrackerRect(old, pWndClipTo, drawDC, pWnd);
                }
                OnChangedRect(old);
                if (!m_bFinalErase)
                    moved = true;
            }
            if (m_bFinalErase) {
                done = true;
                break;
            }
            if (old != m_rect) {
                m_bErase = FALSE;
                DrawTrackerRect(m_rect, pWndClipTo, drawDC, pWnd);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam != VK_ESCAPE)
                break;
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            if (moved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(m_rect, pWndClipTo, drawDC, pWnd);
            }
            m_rect = saved;
            done = true;
            break;
        default:
            break;
        }
        if (done)
            break;
    }

    ::ReleaseDC(drawWnd, drawHdc);
    if (::GetCapture() == wnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);
    if (!moved)
        m_rect = saved;
    m_bErase = m_bFinalErase = FALSE;
    return saved != m_rect;
}

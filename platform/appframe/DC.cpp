#include "DC.h"
#include <vector>
#include "ThreadState.h"
#include "Win32Owners.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC)
        return nullptr;
    return appframe::TemporaryObject(appframe::CurrentThread().dcs, hDC, [hDC] {
        CDC* dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = hDC;
        return dc;
    });
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC)
        return FALSE;
    if (m_hDC != hDC)
        DeleteDC();
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    HGDIOBJ old = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        old = ::SelectObject(m_hAttribDC, hObject);
    return old;
}

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    return pObject ? CGdiObject::FromHandle(SelectObject(pObject->m_hObject)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE old = ::SelectPalette(m_hDC, pPalette ? static_cast<HPALETTE>(pPalette->m_hObject) : nullptr, bForceBackground);
    return CPalette::FromHandle(old);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT r = { x, y, x + cx, y + cy };
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    return size;
}

int CDC::GetTextFace(CString& rString) const
{
    const int length = ::GetTextFaceW(m_hAttribDC, 0, nullptr);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    const int copied = ::GetTextFaceW(m_hAttribDC, length, rString.GetBuffer(length));
    rString.ReleaseBuffer();
    return copied;
}

CBrush* CDC::GetHalftoneBrush()
{
    // Made once per process and kept: a shared stock-like brush that callers never delete.
    static HBRUSH brush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        const win32::GdiObject<HBITMAP> bitmap(::CreateBitmap(8, 8, 1, 1, pattern));
        return ::CreatePatternBrush(bitmap.Get());
    }();
    return CBrush::FromHandle(brush);
}

namespace {

// The frame between a rectangle and the rectangle inset by the thickness, as a region.
win32::GdiObject<HRGN> FrameRegion(LPCRECT rect, SIZE thickness)
{
    win32::GdiObject<HRGN> outer(::CreateRectRgnIndirect(rect));
    RECT inside = *rect;
    ::InflateRect(&inside, -thickness.cx, -thickness.cy);
    ::IntersectRect(&inside, &inside, rect);
    const win32::GdiObject<HRGN> inner(::CreateRectRgnIndirect(&inside));
    ::CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_XOR);
    return outer;
}

} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush, CBrush* pBrushLast)
{
    if (!pBrush)
        pBrush = GetHalftoneBrush();
    if (!pBrushLast)
        pBrushLast = pBrush;
    const win32::GdiObject<HRGN> frame =
        lpRect ? FrameRegion(lpRect, size) : win32::GdiObject<HRGN>(::CreateRectRgn(0, 0, 0, 0));
    const win32::GdiObject<HRGN> update(::CreateRectRgn(0, 0, 0, 0));
    win32::GdiObject<HRGN> last;
    if (lpRectLast) {
        last = FrameRegion(lpRectLast, sizeLast);
        // With one brush, the parts both frames share stay as they are.
        ::CombineRgn(update.Get(), last.Get(), frame.Get(), pBrush->m_hObject == pBrushLast->m_hObject ? RGN_XOR : RGN_COPY);
    } else {
        ::CombineRgn(update.Get(), frame.Get(), nullptr, RGN_COPY);
    }

    // The clip region is a copy: the regions go at the end of the scope.
    RECT box;
    if (pBrush->m_hObject != pBrushLast->m_hObject && last.IsValid()) {
        ::SelectClipRgn(m_hDC, last.Get());
        ::GetClipBox(m_hDC, &box);
        {
            const win32::ScopedSelect brush(m_hDC, pBrushLast->m_hObject);
            ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
        }
        ::CombineRgn(update.Get(), frame.Get(), nullptr, RGN_COPY);
    }
    ::SelectClipRgn(m_hDC, update.Get());
    ::GetClipBox(m_hDC, &box);
    {
        const win32::ScopedSelect brush(m_hDC, pBrush->m_hObject);
        ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    }
    ::SelectClipRgn(m_hDC, nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, static_cast<HBITMAP>(pBitmap->m_hObject), nFlags,
                     pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen), pt.x, pt.y,
                        size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFOW info = { sizeof info };
    info.lpszDocName = lpszDocName;
    return StartDoc(&info);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

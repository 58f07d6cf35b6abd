#include "ZVPreviewWnd.h"
#include "UIKitIds.h"
#include "ZVObjGraph.h"
#include "ZVUILibApp.h"

namespace {
SIZE SizeOf(const CxImage& image)
{
    return SIZE{static_cast<LONG>(image.GetWidth()), static_cast<LONG>(image.GetHeight())};
}
} // namespace

IMPLEMENT_DYNAMIC(CZVPreviewWnd, CWnd)

BEGIN_MESSAGE_MAP(CZVPreviewWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CZVPreviewWnd::CZVPreviewWnd()
{
    m_imgPlaceholderSrc.LoadPNG(IDB_KQ_PLACEHOLDER, GetZVUILibModule());
    m_imgPlaceholder.Copy(m_imgPlaceholderSrc);
}

CZVPreviewWnd::~CZVPreviewWnd()
{
    if (m_hCursor)
        ::DestroyIcon(m_hCursor);
}

BOOL CZVPreviewWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(globalData.RegisterWindowClass(L"ZVPreviewWnd"), nullptr, dwStyle, rect, pParentWnd, nID);
}

COLORREF CZVPreviewWnd::BackgroundColor(COLORREF face)
{
    return RGB((GetRValue(face) + 128) / 2, (GetGValue(face) + 128) / 2, (GetBValue(face) + 128) / 2);
}

void CZVPreviewWnd::Reset()
{
    m_image.Destroy();
    if (m_hWnd)
        Invalidate(TRUE);
}

void CZVPreviewWnd::SetNewCursor(HICON hCursor)
{
    if (m_hCursor && m_hCursor != hCursor)
        ::DestroyIcon(m_hCursor);
    m_hCursor = hCursor;
    m_bCustomCursor = TRUE;
}

BOOL CZVPreviewWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the paint covers every pixel
}

void CZVPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    m_bmpBack.DeleteObject();
    CDC mem;
    if (client.IsRectEmpty() || !mem.CreateCompatibleDC(&dc) || !m_bmpBack.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
        return;
    CBitmap* old = mem.SelectObject(&m_bmpBack);
    mem.FillSolidRect(client, BackgroundColor(globalData.clrBarFace));
    const CZVImage& shown = m_image.IsValid() ? m_image : m_imgPlaceholder;
    if (shown.IsValid()) {
        const RECT fit = CZVObjGraph::CalcFitWindowSize(SizeOf(shown), client);
        const bool scaled = fit.right - fit.left != static_cast<LONG>(shown.GetWidth());
        shown.Draw(mem.m_hDC, fit, nullptr, scaled);
    }
    dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

void CZVPreviewWnd::OnSize(UINT nType, int cx, int cy)
{
    // The placeholder is resampled once per size, not at every paint.
    const RECT fit = CZVObjGraph::CalcFitWindowSize(SizeOf(m_imgPlaceholderSrc), RECT{0, 0, cx, cy});
    const LONG w = fit.right - fit.left, h = fit.bottom - fit.top;
    if (w > 0 && h > 0 && (w != static_cast<LONG>(m_imgPlaceholder.GetWidth()) || h != static_cast<LONG>(m_imgPlaceholder.GetHeight()))) {
        m_imgPlaceholder.Copy(m_imgPlaceholderSrc);
        m_imgPlaceholder.Resample(w, h, 1);
    }
    CWnd::OnSize(nType, cx, cy);
}

BOOL CZVPreviewWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bCustomCursor && m_hCursor && pWnd == this) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

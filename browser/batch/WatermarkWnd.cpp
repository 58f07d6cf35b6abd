#include "WatermarkWnd.h"
#include <algorithm>
#include "ImageMath.h"

BEGIN_MESSAGE_MAP(CWatermarkWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CWatermarkWnd::CWatermarkWnd() = default;

CWatermarkWnd::~CWatermarkWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CWatermarkWnd::Create(CWnd* parent, const RECT& rect, UINT id)
{
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(windowClass, L"", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

SIZE CWatermarkWnd::ClientSize() const
{
    CRect client;
    GetClientRect(&client);
    return SIZE{client.Width(), client.Height()};
}

bool CWatermarkWnd::LoadSample(const wchar_t* path, SIZE maxSize)
{
    if (!m_sample.LoadFile(path))
        return false;
    m_sampleSize = SIZE{long(m_sample.GetWidth()), long(m_sample.GetHeight())};
    if (maxSize.cx > 0 && maxSize.cy > 0)
        m_sample.ResampleInFrame(maxSize.cx, maxSize.cy, true);
    return true;
}

void CWatermarkWnd::SetSource(const CZVImage& source)
{
    m_source = source;
}

void CWatermarkWnd::ClearSource()
{
    m_source = CZVImage();
    m_shown = CZVImage();
}

void CWatermarkWnd::SetWatermarkParams(int opacity, bool useZoom, int zoomScale)
{
    m_opacity = opacity;
    m_useZoom = useZoom;
    m_zoomScale = zoomScale;
    if (!m_source.IsValid()) {
        m_shown = CZVImage();
        return;
    }
    m_shown = m_source;
    if (!m_shown.AlphaIsValid())
        m_shown.AlphaCreate();
    if (opacity <= 100)
        m_shown.AlphaSetMax(WatermarkAlpha(opacity));
    const SIZE shown = WatermarkShownSize(SIZE{long(m_source.GetWidth()), long(m_source.GetHeight())}, m_sampleSize,
                                          ClientSize(), useZoom, zoomScale);
    if (useZoom && shown.cx > 0 && (shown.cx != long(m_shown.GetWidth()) || shown.cy != long(m_shown.GetHeight())))
        m_shown.Resample(shown.cx, shown.cy, 1);
}

void CWatermarkWnd::LayoutWatermark()
{
    if (!m_source.IsValid()) {
        m_markRect.SetRectEmpty();
        return;
    }
    const SIZE mark = WatermarkShownSize(SIZE{long(m_source.GetWidth()), long(m_source.GetHeight())}, m_sampleSize,
                                         ClientSize(), m_useZoom, m_zoomScale);
    m_markRect = ::LayoutWatermark(m_place, ClientSize(), mark);
}

void CWatermarkWnd::UpdateOffsetsFromRect()
{
    m_place = ::UpdateOffsetsFromRect(m_markRect, ClientSize());
}

void CWatermarkWnd::Repaint()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

BOOL CWatermarkWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CWatermarkWnd::OnSize(UINT, int cx, int cy)
{
    if (cx > 0 && cy > 0)
        m_memDC.AdjustGDIBitmap(cx, cy, 32);
    SetWatermarkParams(m_opacity, m_useZoom, m_zoomScale);
    LayoutWatermark();
}

void CWatermarkWnd::OnPaint()
{
    CPaintDC dc(this);
    const SIZE client = ClientSize();
    if (client.cx <= 0 || client.cy <= 0)
        return;
    if (m_memDC.GetWidth() != client.cx || m_memDC.GetHeight() != client.cy)
        m_memDC.AdjustGDIBitmap(client.cx, client.cy, 32);
    if (!m_memDC.GetSafeHdc())
        return;
    const RECT all = {0, 0, client.cx, client.cy};
    m_memDC.FillSolidRect(&all, RGB(128, 128, 128));
    if (m_sample.IsValid()) {
        const RECT fit = zvimage::FitRect(long(m_sample.GetWidth()), long(m_sample.GetHeight()), all, true);
        m_sample.Draw(m_memDC.GetSafeHdc(), fit, nullptr, true);
    }
    if (m_shown.IsValid() && !m_markRect.IsRectEmpty())
        m_shown.Draw(m_memDC.GetSafeHdc(), m_markRect, nullptr, true);
    dc.BitBlt(0, 0, client.cx, client.cy, &m_memDC, 0, 0, SRCCOPY);
}

void CWatermarkWnd::OnLButtonDown(UINT, CPoint point)
{
    if (!m_markRect.PtInRect(point))
        return;
    m_dragging = true;
    m_grab = CPoint(point.x - m_markRect.left, point.y - m_markRect.top);
    SetCapture();
}

void CWatermarkWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_dragging || !(nFlags & MK_LBUTTON))
        return;
    m_markRect.OffsetRect(point.x - m_grab.x - m_markRect.left, point.y - m_grab.y - m_markRect.top);
    UpdateOffsetsFromRect();
    Repaint();
    if (m_onDragged)
        m_onDragged();
}

void CWatermarkWnd::OnLButtonUp(UINT, CPoint)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    ReleaseCapture();
}

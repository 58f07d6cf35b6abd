#include "KQHistogramWnd.h"
#include <cmath>
#include "KQMemDC2.h"

BEGIN_MESSAGE_MAP(CKQHistogramWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKQHistogramWnd::CKQHistogramWnd() = default;

CKQHistogramWnd::~CKQHistogramWnd() = default;

POINT CKQHistogramWnd::CurvePoint(int i, long count, long largest, int width, int height, bool logScale)
{
    const int y0 = height - 10;
    if (logScale) {
        const double v = std::log10(double(count) + 1) * (height - 50) / std::log10(double(largest) + 1);
        return {i + 10, y0 - int(v)};
    }
    const int v = int(int64_t(count) * (height - 10) / largest);
    return {int(i * double(width - 9) / 266 + 10), y0 - v};
}

void CKQHistogramWnd::OnPaint()
{
    CPaintDC paint(this);
    CKQMemDC2 dc(&paint);
    CRect client;
    GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    const COLORREF face = globalData.clrBarFace;
    dc.FillSolidRect(client, globalData.clrBtnFace);
    dc.FillSolidRect(CRect(9, 0, w - 9, h - 9),
                     RGB((GetRValue(face) + 128) / 2, (GetGValue(face) + 128) / 2, (GetBValue(face) + 128) / 2));
    CPen axis(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* old = dc.SelectObject(&axis);
    dc.MoveTo(9, 2);
    dc.LineTo(9, h - 9);
    dc.LineTo(w - 9, h - 9);
    dc.SelectObject(old);

    if (m_nLargest <= 0) {
        // Only a valid picture is counted; a failed count is tried again at the next paint.
        if (m_image.IsValid()) {
            m_nLargest = m_image.Histogram(m_red, m_green, m_blue, m_gray, 0);
            if (m_nLargest > 0)
                Invalidate(FALSE);
        }
        return;
    }
    const bool logScale = m_bLogScale != 0;
    struct Curve {
        int shown;
        const long* counts;
        COLORREF linear, log;
    };
    const Curve curves[] = {
        {m_bRed, m_red, RGB(222, 10, 10), RGB(222, 0, 0)},
        {m_bGreen, m_green, RGB(10, 222, 10), RGB(0, 222, 0)},
        {m_bBlue, m_blue, RGB(10, 10, 222), RGB(0, 0, 222)},
        {m_bGray, m_gray, RGB(128, 128, 128), RGB(64, 64, 64)},
    };
    for (const Curve& curve : curves) {
        if (!curve.shown)
            continue;
        POINT points[256];
        for (int i = 0; i < 256; ++i)
            points[i] = CurvePoint(i, curve.counts[i], m_nLargest, w, h, logScale);
        // The curve starts on the axis.
        points[0].x = 10;
        CPen pen(PS_SOLID, logScale ? 1 : 2, logScale ? curve.log : curve.linear);
        CPen* before = dc.SelectObject(&pen);
        dc.Polyline(points, 256);
        dc.SelectObject(before);
    }
}

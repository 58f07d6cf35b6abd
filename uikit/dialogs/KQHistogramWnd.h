#pragma once
// CKQHistogramWnd: the colour histogram of a picture as up to four curves (red, green, blue,
// grey) over two axes on a light background. The owner sets the picture and the flags and
// repaints.
#include "SkinUI.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQHistogramWnd : public CWnd {
public:
    CKQHistogramWnd();
    ~CKQHistogramWnd() override;

    // The point of value i (0 to 255) with the count in a client of width x height whose
    // largest count is largest (positive).
    static POINT CurvePoint(int i, long count, long largest, int width, int height, bool logScale);

    CZVImage m_image;
    long m_red[256] = {}, m_green[256] = {}, m_blue[256] = {}, m_gray[256] = {};
    long m_nLargest = 0;    // 0: not computed yet
    int m_bRed = 1, m_bGreen = 1, m_bBlue = 1, m_bGray = 1;
    int m_bLogScale = 0;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

#include "SkinKitTest.h"

namespace {
CSkinKitTestApp theApp;
} // namespace

CSkinCanvas::CSkinCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    m_dc.CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(m_dc.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_old = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, width, height, fill);
}

CSkinCanvas::~CSkinCanvas()
{
    m_dc.SelectObject(m_old);
}

bool CSkinCanvas::AllOf(COLORREF color)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (m_dc.GetPixel(x, y) != color)
                return false;
    return true;
}

std::string Rgb(COLORREF c)
{
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

#include "WindowTestApp.h"
#include <ios>
#include <gtest/gtest.h>

namespace {
// The program's application object; AfxGetApp would give a DLL's inside its module scope.
CWinApp* pumpingApp = nullptr;

void FailRunningTest(const char* what, UINT message)
{
    ADD_FAILURE() << "a window's handler threw \"" << what << "\" handling message 0x" << std::hex << message;
}
} // namespace

void windowtest::SetTestApp(CWinApp* app)
{
    pumpingApp = app;
    appframe::SetExceptionReporter(app ? FailRunningTest : nullptr);
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            pumpingApp->PumpMessage();
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
        pumpingApp->PumpMessage();
}

CPixelCanvas::CPixelCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    m_dc.CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(m_dc.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_old = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, width, height, fill);
}

CPixelCanvas::~CPixelCanvas()
{
    m_dc.SelectObject(m_old);
}

bool CPixelCanvas::AllOf(COLORREF color) const
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) != color)
                return false;
    return true;
}

std::string ColorText(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," + std::to_string(GetBValue(color));
}

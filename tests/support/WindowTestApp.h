#pragma once
// The application object of a test program that shows the framework's windows, and the message
// pumping its tests share. Messages go through that object's PumpMessage, as in the program's loop.
// While the object lives, an exception that a window's handler throws fails the running test
// instead of vanishing into the debugger output.
#include <functional>
#include <string>
#include "AppFrame.h"

namespace windowtest {
// The program's application object, or null when it goes.
void SetTestApp(CWinApp* app);
} // namespace windowtest

// A test program's application class derives from CWindowTestApp<CWinApp or a class built on it>.
template <class Base = CWinApp>
class CWindowTestApp : public Base {
public:
    explicit CWindowTestApp(LPCTSTR appName) : Base(appName) { windowtest::SetTestApp(this); }
    ~CWindowTestApp() override { windowtest::SetTestApp(nullptr); }
};

// Handles the thread's messages until done() holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);
// Handles messages for the given time.
void PumpFor(DWORD milliseconds);
// Handles the messages that are waiting now.
void PumpPending();

// A 32-bit top-down bitmap in a memory DC, filled with one colour, to draw on and read back.
class CPixelCanvas {
public:
    CPixelCanvas(int width, int height, COLORREF fill);
    ~CPixelCanvas();
    CPixelCanvas(const CPixelCanvas&) = delete;
    CPixelCanvas& operator=(const CPixelCanvas&) = delete;
    CDC& DC() { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc.m_hDC, x, y); }
    // Whether every pixel still has the colour.
    bool AllOf(COLORREF color) const;

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
    int m_width, m_height;
};

// A colour as "R,G,B", for failure messages.
std::string ColorText(COLORREF color);

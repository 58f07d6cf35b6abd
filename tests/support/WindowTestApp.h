#pragma once
// The application object of a test program that shows the framework's windows, and the message
// pumping its tests share. Messages go through that object's PumpMessage, as in the program's loop.
// While the object lives, an exception that a window's handler throws fails the running test
// instead of vanishing into the debugger output.
#include <functional>
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

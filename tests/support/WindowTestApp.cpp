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

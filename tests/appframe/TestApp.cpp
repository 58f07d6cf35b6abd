#include "TestApp.h"

namespace {
CTestApp theApp;
} // namespace

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    m_prompts.push_back(lpszPrompt);
    return IDOK;
}

CTestApp& TestApp()
{
    return theApp;
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            TestApp().PumpMessage();
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
        TestApp().PumpMessage();
}

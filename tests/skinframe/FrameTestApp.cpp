#include "FrameTestApp.h"

namespace {
CFrameTestApp theApp;
} // namespace

CFrameTestApp& TestApp()
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
            theApp.PumpMessage();
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

CRect RectInParent(CWnd* pWnd)
{
    CRect r;
    pWnd->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, ::GetParent(pWnd->m_hWnd), reinterpret_cast<LPPOINT>(&r), 2);
    return r;
}

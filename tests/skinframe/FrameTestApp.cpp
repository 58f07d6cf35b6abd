#include "FrameTestApp.h"

namespace {
CFrameTestApp theApp;
} // namespace

CFrameTestApp& TestApp()
{
    return theApp;
}

CRect RectInParent(CWnd* pWnd)
{
    CRect r;
    pWnd->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, ::GetParent(pWnd->m_hWnd), reinterpret_cast<LPPOINT>(&r), 2);
    return r;
}

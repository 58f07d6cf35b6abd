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

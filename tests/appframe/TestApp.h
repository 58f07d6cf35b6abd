#pragma once
// The test program's application object and helpers shared by the framework's tests.
#include <ostream>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "AppFrame.h"
#include "WindowTestApp.h"

// Test failures show strings as text.
inline void PrintTo(const CStringW& s, std::ostream* os)
{
    *os << testing::PrintToString(std::wstring(s.GetString()));
}

// Message boxes are recorded and answered with IDOK instead of being shown.
class CTestApp : public CWindowTestApp<> {
public:
    CTestApp() : CWindowTestApp(L"AppFrameTests") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    std::vector<CString> m_prompts;
};

CTestApp& TestApp();

// Takes the framework's reports of handlers' exceptions while it lives, in place of the test
// program's reporter (which fails the test).
class ReportedExceptions {
public:
    ReportedExceptions();
    ~ReportedExceptions();
    ReportedExceptions(const ReportedExceptions&) = delete;
    ReportedExceptions& operator=(const ReportedExceptions&) = delete;

    struct Report {
        std::string what;
        UINT message;
    };
    std::vector<Report> reports;

private:
    appframe::ExceptionReporter m_before;
};

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

namespace {
ReportedExceptions* recordingReports = nullptr;

void RecordReport(const char* what, UINT message)
{
    recordingReports->reports.push_back({what, message});
}
} // namespace

ReportedExceptions::ReportedExceptions() : m_before(appframe::SetExceptionReporter(RecordReport))
{
    recordingReports = this;
}

ReportedExceptions::~ReportedExceptions()
{
    appframe::SetExceptionReporter(m_before);
    recordingReports = nullptr;
}

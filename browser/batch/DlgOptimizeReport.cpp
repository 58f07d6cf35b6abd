#include "DlgOptimizeReport.h"
#include "BatchDialogIds.h"
#include "DlgControls.h"
#include "LumivoShowsIds.h"
#include "OptimizeReport.h"
#include "ZVUILibApp.h"

CDlgOptimizeReport::CDlgOptimizeReport(uint64_t sizeBefore, uint64_t sizeAfter, int count, CWnd* parent)
    : CKQDialog(IDD_OPTIMIZE_REPORT, parent), m_sizeBefore(sizeBefore), m_sizeAfter(sizeAfter), m_count(count)
{
}

BOOL CDlgOptimizeReport::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    m_ok.SubclassDlgItem(IDOK, this);
    EnableVisualManagerStyle(TRUE, TRUE);
    SetBmpBTStyle(m_ok, IDB_ABOUT_OK);
    SetWindowText(TranslateString(L"Optimization Report"));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    const OptimizeReportLines lines = MakeOptimizeReport(m_sizeBefore, m_sizeAfter, m_count);
    SetDlgItemText(IDC_OR_BEFORE, lines.before.c_str());
    SetDlgItemText(IDC_OR_AFTER, lines.after.c_str());
    SetDlgItemText(IDC_OR_GAIN, lines.gain.c_str());
    SetDlgItemText(IDC_OR_COUNT, lines.count.c_str());
    GetDlgItem(IDC_OR_BAR)->SendMessage(PBM_SETRANGE32, 0, lines.barRange);
    GetDlgItem(IDC_OR_BAR)->SendMessage(PBM_SETPOS, WPARAM(lines.barPosition));
    return TRUE;
}

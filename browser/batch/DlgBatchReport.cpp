#include "DlgBatchReport.h"
#include <cstdio>
#include "BatchDialogIds.h"
#include "OptimizeReport.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDlgBatchReport, CKQDialog)
    ON_BN_CLICKED(IDC_BR_COPY, OnCopy)
END_MESSAGE_MAP()

CDlgBatchReport::CDlgBatchReport(const BatchSummary& summary, CWnd* parent)
    : CKQDialog(IDD_BATCH_REPORT, parent), m_summary(summary)
{
}

std::wstring CDlgBatchReport::CopyText() const
{
    return FormatBatchFailures(m_summary.failures);
}

BOOL CDlgBatchReport::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Batch Report"));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    SetDlgItemText(IDC_BR_COPY, TranslateString(L"Copy"));
    wchar_t title[256] = {};
    _snwprintf(title, 255, TranslateString(L"%d of %d pictures failed"), int(m_summary.failures.size()), m_summary.total);
    SetDlgItemText(IDC_BR_TITLE, title);

    const HWND list = GetDlgItem(IDC_BR_LIST)->GetSafeHwnd();
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client = {};
    ::GetClientRect(list, &client);
    const int width = client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL);
    const struct {
        const wchar_t* title;
        int width;
    } columns[] = {{L"File", width * 3 / 5}, {L"Reason", width - width * 3 / 5}};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(TranslateString(columns[i].title));
        column.cx = columns[i].width;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&column));
    }
    int row = 0;
    for (const BatchFailure& failure : m_summary.failures) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(failure.path.c_str());
        ::SendMessageW(list, LVM_INSERTITEMW, 0, LPARAM(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(TranslateString(failure.reason.c_str()));
        ::SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), LPARAM(&item));
        ++row;
    }
    // Whole paths and reasons, scrolled sideways when wider than the list, rather than cut.
    if (row > 0) {
        for (int i = 0; i < 2; ++i) {
            const int before = int(::SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
            ::SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(i), LVSCW_AUTOSIZE);
            const int after = int(::SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
            if (after < before)
                ::SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(i), before);
        }
    }
    return TRUE;
}

void CDlgBatchReport::OnCopy()
{
    const std::wstring text = CopyText();
    if (!::OpenClipboard(m_hWnd))
        return;
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* data = ::GlobalLock(memory)) {
            memcpy(data, text.c_str(), bytes);
            ::GlobalUnlock(memory);
            if (!::SetClipboardData(CF_UNICODETEXT, memory))
                ::GlobalFree(memory);
        } else {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
}

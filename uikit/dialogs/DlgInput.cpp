#include "DlgInput.h"
#include "DialogIds.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

CDlgInput::CDlgInput(CWnd* pParent) : CKQDialog(IDD_KQ_INPUT, pParent) {}

CDlgInput::~CDlgInput() = default;

void CDlgInput::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_KQ_INPUT_TEXT, m_strText);
    DDX_Check(pDX, IDC_KQ_APPLY_ALL, m_nCheck);
}

BOOL CDlgInput::OnInitDialog()
{
    if (m_pCheck)
        m_nCheck = *m_pCheck ? 1 : 0;
    CKQDialog::OnInitDialog();
    SetIcon(CZVUILibApp::GetInstance().m_hIconSmall, FALSE);
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Please input"));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    SetDlgItemText(IDC_KQ_APPLY_ALL, TranslateString(L"Apply to all"));
    if (m_pszCaption)
        SetWindowText(m_pszCaption);
    if (m_pszPrompt)
        SetDlgItemText(IDC_KQ_MSG_TEXT, m_pszPrompt);
    if (m_nLimit > 0)
        SendDlgItemMessage(IDC_KQ_INPUT_TEXT, EM_LIMITTEXT, WPARAM(m_nLimit));
    if (!m_pCheck) {
        GetDlgItem(IDC_KQ_APPLY_ALL)->ShowWindow(SW_HIDE);
        CRect window;
        GetWindowRect(&window);
        SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

bool GetInputText(wchar_t* text, size_t capacity, const wchar_t* prompt, const wchar_t* caption, bool* check)
{
    if (!text || capacity == 0)
        return false;
    appframe::ModuleScope scope(GetZVUILibModule());
    CDlgInput dialog(CWnd::GetActiveWindow());
    dialog.m_strText = CString(text, int(wcsnlen(text, capacity - 1)));
    dialog.m_pszPrompt = prompt;
    dialog.m_pszCaption = caption;
    dialog.m_pCheck = check;
    dialog.m_nLimit = capacity - 1 > 0x7FFFFFFE ? 0x7FFFFFFE : int(capacity - 1);
    if (dialog.DoModal() != IDOK)
        return false;
    wcsncpy_s(text, capacity, dialog.m_strText, _TRUNCATE);
    if (check)
        *check = dialog.m_nCheck != 0;
    return true;
}

bool GetInputText(wchar_t* text, const wchar_t* prompt, const wchar_t* caption, bool* check)
{
    return GetInputText(text, MAX_PATH, prompt, caption, check);
}

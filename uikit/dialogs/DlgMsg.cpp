#include "DlgMsg.h"
#include "DialogIds.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

CDlgMsg::CDlgMsg(CWnd* pParent) : CBCGPDialog(IDD_KQ_MSG, pParent) {}

CDlgMsg::~CDlgMsg() = default;

void CDlgMsg::DoDataExchange(CDataExchange* pDX)
{
    CBCGPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KQ_MSG_ICON, m_wndIcon);
    DDX_Check(pDX, IDC_KQ_APPLY_ALL, m_nCheck);
}

BOOL CDlgMsg::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    const CZVUILibApp& app = CZVUILibApp::GetInstance();
    SetIcon(app.m_hIconSmall, FALSE);
    EnableVisualManagerStyle(TRUE, TRUE);
    if (m_strCaption.IsEmpty())
        m_strCaption = L"Tarvex";
    SetWindowText(TranslateString(m_strCaption));
    SetDlgItemText(IDC_KQ_MSG_TEXT, TranslateString(m_strText));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    SetDlgItemText(IDYES, TranslateString(L"Yes"));
    SetDlgItemText(IDNO, TranslateString(L"No"));
    SetDlgItemText(IDC_KQ_APPLY_ALL, TranslateString(L"Apply to all"));
    m_wndIcon.SetIcon(m_nIconKind == 1 ? app.m_hIconSmall : app.m_hIconMain);

    const bool yesNo = m_nButtonKind == MB_YESNO;
    GetDlgItem(IDOK)->ShowWindow(yesNo ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDYES)->ShowWindow(yesNo ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDNO)->ShowWindow(yesNo ? SW_SHOW : SW_HIDE);
    if (!m_pCheck) {
        GetDlgItem(IDC_KQ_APPLY_ALL)->ShowWindow(SW_HIDE);
        CRect window;
        GetWindowRect(&window);
        SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        m_nCheck = *m_pCheck ? 1 : 0;
        UpdateData(FALSE);
    }
    GotoDlgCtrl(GetDlgItem(yesNo ? IDYES : IDOK));
    return FALSE;
}

BOOL CDlgMsg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDOK || id == IDYES || id == IDNO)) {
        if (m_pCheck)
            UpdateData(TRUE);
        EndDialog(int(id));
        return TRUE;
    }
    return CBCGPDialog::OnCommand(wParam, lParam);
}

int MyMessageBox(const wchar_t* text, UINT buttonKind, UINT iconKind, const wchar_t* caption, bool* check)
{
    appframe::ModuleScope scope(GetZVUILibModule());
    CDlgMsg dialog(CWnd::GetActiveWindow());
    dialog.m_strText = text ? text : L"";
    dialog.m_strCaption = caption ? caption : L"";
    dialog.m_nButtonKind = buttonKind;
    dialog.m_nIconKind = iconKind;
    dialog.m_pCheck = check;
    const int result = int(dialog.DoModal());
    if (check)
        *check = dialog.m_nCheck != 0;
    return result;
}

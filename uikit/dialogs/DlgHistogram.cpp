#include "DlgHistogram.h"
#include "DialogIds.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

CDlgHistogram::CDlgHistogram(CWnd* pParent) : CKQDialog(IDD_KQ_HISTOGRAM, pParent) {}

CDlgHistogram::~CDlgHistogram() = default;

void CDlgHistogram::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KQ_PICTURE, m_wndHistogram);
}

BOOL CDlgHistogram::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    m_wndHistogram.m_image.Copy(m_image);
    SetWindowText(TranslateString(L"Histogram"));
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    struct Box {
        UINT id;
        const wchar_t* text;
    };
    for (const Box& box : {Box{IDC_KQ_GRAY, L"Gray Scale"}, Box{IDC_KQ_RED, L"Red"}, Box{IDC_KQ_GREEN, L"Green"}, Box{IDC_KQ_BLUE, L"Blue"}}) {
        SetDlgItemText(box.id, TranslateString(box.text));
        CheckDlgButton(box.id, BST_CHECKED);
    }
    return TRUE;
}

BOOL CDlgHistogram::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        int* flag = nullptr;
        switch (LOWORD(wParam)) {
        case IDC_KQ_GRAY: flag = &m_wndHistogram.m_bGray; break;
        case IDC_KQ_RED: flag = &m_wndHistogram.m_bRed; break;
        case IDC_KQ_GREEN: flag = &m_wndHistogram.m_bGreen; break;
        case IDC_KQ_BLUE: flag = &m_wndHistogram.m_bBlue; break;
        }
        if (flag) {
            *flag = !*flag;
            m_wndHistogram.Invalidate(FALSE);
            return TRUE;
        }
    }
    return CKQDialog::OnCommand(wParam, lParam);
}

int ShowDlgHistogram(CZVImage* image)
{
    if (!image || !image->IsValid())
        return 1;
    appframe::ModuleScope scope(GetZVUILibModule());
    CDlgHistogram dialog(CWnd::GetActiveWindow());
    dialog.m_image.Copy(*image);
    dialog.DoModal();
    return 1;
}

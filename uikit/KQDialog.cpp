#include "KQDialog.h"

IMPLEMENT_DYNAMIC(CKQDialog, CBCGPDialog)

BEGIN_MESSAGE_MAP(CKQDialog, CBCGPDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CKQDialog::CKQDialog() = default;
CKQDialog::CKQDialog(UINT nIDTemplate, CWnd* pParent) : CBCGPDialog(nIDTemplate, pParent) {}
CKQDialog::CKQDialog(LPCTSTR lpszTemplateName, CWnd* pParent) : CBCGPDialog(lpszTemplateName, pParent) {}
CKQDialog::~CKQDialog() = default;

void CKQDialog::DoDataExchange(CDataExchange*) {}

HBRUSH CKQDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return CBCGPDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

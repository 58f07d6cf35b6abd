#include "KQPropertyPage.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CKQPropertyPage, CBCGPPropertyPage)

BEGIN_MESSAGE_MAP(CKQPropertyPage, CBCGPPropertyPage)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CKQPropertyPage::CKQPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CBCGPPropertyPage(nIDTemplate, nIDCaption) {}
CKQPropertyPage::~CKQPropertyPage() = default;

BOOL CKQPropertyPage::OnInitDialog()
{
    CBCGPPropertyPage::OnInitDialog();
    m_pSheet = GetParent();
    m_bApplyEnabled = 0;
    LoadSetting();
    UpdateData(FALSE);
    // With the flag clear this leaves the button as the sheet has it; an override hears of it.
    EnableApplyButton(FALSE);
    return TRUE;
}

void CKQPropertyPage::LoadSetting() {}
void CKQPropertyPage::SaveSetting() {}

void CKQPropertyPage::EnableApplyButton(int bEnable)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bApplyEnabled)
        return;
    if (CWnd* apply = m_pSheet ? m_pSheet->GetDlgItem(ID_APPLY_NOW) : nullptr)
        apply->EnableWindow(bEnable);
    m_bApplyEnabled = bEnable;
}

BOOL CKQPropertyPage::OnApply()
{
    // The data exchange put the focus on the field that failed.
    if (!UpdateData(TRUE))
        return FALSE;
    SaveSetting();
    if (CWnd* apply = m_pSheet ? m_pSheet->GetDlgItem(ID_APPLY_NOW) : nullptr)
        apply->EnableWindow(FALSE);
    m_bApplyEnabled = 0;
    return CBCGPPropertyPage::OnApply();
}

void CKQPropertyPage::OnOK()
{
    if (m_bApplyEnabled && UpdateData(TRUE))
        SaveSetting();
    CBCGPPropertyPage::OnOK();
}

BOOL CKQPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* notify = reinterpret_cast<PSHNOTIFY*>(lParam);
    if (notify->hdr.code != PSN_APPLY || notify->hdr.hwndFrom != ::GetParent(m_hWnd))
        return CBCGPPropertyPage::OnNotify(wParam, lParam, pResult);
    // The sheet's OK arrives as an Apply with lParam set: it goes to OnOK, which saves only
    // what changed, and Apply to OnApply, which saves always. Either way a field that does not
    // read keeps the sheet open: PSNRET_INVALID brings this page to the front as it is (its
    // controls are not filled again), with the focus on that field.
    BOOL done;
    if (notify->lParam) {
        done = !m_bApplyEnabled || UpdateData(TRUE);
        if (done)
            OnOK();
    } else {
        done = OnApply();
    }
    *pResult = done ? PSNRET_NOERROR : PSNRET_INVALID;
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}

HBRUSH CKQPropertyPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_EDIT)
        return CBCGPPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
    // White whatever the look, and so black text: a dark look's light text would vanish.
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

bool CKQPropertyPage::QueryDefault()
{
    return BCGPMessageBox(m_hWnd, TranslateString(L"Do you want to restore the default configuration ?"), nullptr, MB_YESNO) == IDYES;
}

#include "KQTextPropSheet.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CKQTextSheetBase, CBCGPPropertySheet)

CKQTextSheetBase::CKQTextSheetBase(CWnd* pParentWnd, HINSTANCE iconModule, UINT iconId)
    : CBCGPPropertySheet(L"", pParentWnd)
{
    m_hIcon = ::LoadIconW(iconModule, MAKEINTRESOURCEW(iconId));
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    EnableVisualManagerStyle(TRUE, TRUE);
    EnableDragClientArea(TRUE);
}

CKQTextSheetBase::~CKQTextSheetBase() = default;

BOOL CKQTextSheetBase::OnInitDialog()
{
    ChangeLanguage();
    return TRUE;
}

void CKQTextSheetBase::ChangeLanguage()
{
    SetTitle(TranslateString(L"Text Options"));
    SetWindowText(TranslateString(L"Text Options"));
    if (CWnd* tabs = GetTabControl()) {
        const wchar_t* names[] = {L"Text", L"Advanced"};
        for (int i = 0; i < 2; ++i) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(TranslateString(names[i]));
            tabs->SendMessage(TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
}

LRESULT CKQTextSheetBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYDRAGICON)
        return reinterpret_cast<LRESULT>(m_hIcon);
    const LRESULT result = CBCGPPropertySheet::WindowProc(message, wParam, lParam);
    // The sheet is bound to its window while the system makes it; the first showing is the
    // first moment its buttons and tabs can take their texts.
    if (message == WM_SHOWWINDOW && wParam && !m_bInitDone) {
        m_bInitDone = true;
        OnInitDialog();
    }
    return result;
}

IMPLEMENT_DYNAMIC(CKQTextPropSheet, CKQTextSheetBase)

CKQTextPropSheet::CKQTextPropSheet(CWnd* pParentWnd) : CKQTextSheetBase(pParentWnd, GetZVUILibModule(), 1001)
{
    m_pageMain.m_pWordArt = &m_wordArt;
    m_pageMain.m_pbEmptyText = &m_bEmptyText;
    m_pageAdvanced.m_pWordArt = &m_wordArt;
    AddPage(&m_pageMain);
    AddPage(&m_pageAdvanced);
}

CKQTextPropSheet::~CKQTextPropSheet() = default;

int ShowTextPropSheet(CWordArtInfo* info)
{
    if (!info)
        return 0;
    // The owner is the program's main window, found before the library's resources are current.
    CWnd* owner = AfxGetMainWnd();
    appframe::ModuleScope scope(GetZVUILibModule());
    CKQTextPropSheet sheet(owner);
    sheet.m_wordArt = *info;
    sheet.m_bEmptyText = info->m_strText.IsEmpty() ? 1 : 0;
    if (sheet.DoModal() != IDOK || sheet.m_wordArt.m_strText.IsEmpty())
        return 0;
    *info = sheet.m_wordArt;
    return 1;
}

#include "PropertySheet.h"
#include "WinApp.h"
#include <map>

namespace {
// The sheet whose window the system is making on this thread.
thread_local CPropertySheet* sheetBeingMade = nullptr;
// How deep each sheet of this thread is in its own window procedure.
thread_local std::map<const CPropertySheet*, int> sheetDepth;
} // namespace

// ---------------------------------------------------------------------------------------------
// CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(MAKEINTRESOURCEW(nIDTemplate), nIDCaption)
{
    m_nIDHelp = nIDTemplate;
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName)
{
    m_psp.dwSize = sizeof m_psp;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = PageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

// The page's window is the system's dialog: the object is bound to it on WM_INITDIALOG, after
// which the framework's window procedure sees every message before this one.
INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* psp = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
    auto* page = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
    if (!page || !page->SubclassWindow(hwnd))
        return TRUE;
    // The system's dialog code called us: as in the window procedure, no exception may pass.
    try {
        return page->OnInitDialog();
    } catch (...) {
        appframe::ReportHandlerException(message);
        return FALSE;
    }
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    return DYNAMIC_DOWNCAST(CPropertySheet, FromHandlePermanent(m_hWnd ? ::GetParent(m_hWnd) : nullptr));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    HWND sheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!sheet)
        return;
    ::SendMessageW(sheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose()
{
    if (m_hWnd)
        ::SendMessageW(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    return UpdateData(FALSE);
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnOK()
{
    // The sheet has read the controls (OnKillActive) and closes itself.
    m_bModified = FALSE;
}

void CPropertyPage::OnCancel() {}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    bool handled = true;
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        break;
    default:
        handled = false;
    }
    if (!handled)
        return CDialog::OnNotify(wParam, lParam, pResult);
    // The sheet reads the answer from the dialog's result slot as well as from the call.
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    *pResult = result;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage)
{
    if (nIDCaption)
        m_strCaption.LoadString(nIDCaption);
    m_psh.dwSize = sizeof m_psh;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : L""), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage)
{
    m_psh.dwSize = sizeof m_psh;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage)
        return;
    m_pages.push_back(pPage);
    if (!m_hWnd)
        return;
    HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&pPage->m_psp);
    if (handle && !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle)))
        ::DestroyPropertySheetPage(handle);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd)
        SendMessage(PSM_REMOVEPAGE, static_cast<WPARAM>(nPage));
    m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == pPage)
            return static_cast<int>(i);
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_nStartPage);
    HWND tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    return tab ? static_cast<int>(::SendMessageW(tab, TCM_GETCURSEL, 0, 0)) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage)));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText)
{
    m_strCaption = lpszText ? lpszText : L"";
    if (m_hWnd)
        SendMessage(PSM_SETTITLEW, 0, reinterpret_cast<LPARAM>(m_strCaption.GetString()));
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED && sheetBeingMade) {
        CPropertySheet* sheet = sheetBeingMade;
        sheetBeingMade = nullptr;
        sheet->SubclassWindow(hwnd);
    }
    return 0;
}

BOOL CPropertySheet::CreateSheet(HWND hwndParent, bool modeless)
{
    if (m_hWnd || m_pages.empty())
        return FALSE;
    m_built.clear();
    for (CPropertyPage* page : m_pages)
        m_built.push_back(page->m_psp);
    // Templates may live in a resource DLL.
    for (PROPSHEETPAGEW& psp : m_built)
        if (!psp.hInstance)
            psp.hInstance = appframe::FindResourceModule(psp.pszTemplate, RT_DIALOG);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK | (modeless ? PSH_MODELESS : 0);
    m_psh.hwndParent = hwndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(m_built.size());
    m_psh.nStartPage = m_nStartPage < m_psh.nPages ? m_nStartPage : 0;
    m_psh.ppsp = m_built.data();
    m_psh.pfnCallback = SheetCallback;
    m_nResult = IDCANCEL;

    CPropertySheet* outer = sheetBeingMade;
    sheetBeingMade = this;
    const INT_PTR made = ::PropertySheetW(&m_psh);
    sheetBeingMade = outer;
    m_psh.dwFlags &= ~PSH_MODELESS;
    if (made == 0 || made == -1)
        return FALSE;
    if (!m_hWnd && !SubclassWindow(reinterpret_cast<HWND>(made)))
        return FALSE;
    m_nFlags |= kOwnsWindow;
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    if (!CreateSheet(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, true))
        return FALSE;
    if (dwStyle != static_cast<DWORD>(-1))
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(dwStyle));
    if (dwExStyle)
        ModifyStyleEx(0, dwExStyle);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    // A sheet that is itself the main window (not made yet) has no owner.
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND owner = parent && parent != this ? parent->m_hWnd : nullptr;
    while (owner && (::GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (!CreateSheet(owner, true))
        return -1;
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_nFlags &= ~kModalEnded;
    RunModalLoop();
    const int result = m_nResult;
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    m_nFlags &= ~kModalEnded;
    return result;
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nResult = nEndID;
    if (m_nFlags & kModalLoop)
        EndModalLoop(nEndID);
    else if (m_hWnd)
        DestroyWindow();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return static_cast<BOOL>(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
    return FALSE;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // OK may still fail a page's check and leave the sheet open; the last button counts.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        m_nResult = LOWORD(wParam);
    // The system may press its buttons without a WM_COMMAND.
    if (message == PSM_PRESSBUTTON)
        m_nResult = wParam == PSBTN_OK || wParam == PSBTN_FINISH ? IDOK : wParam == PSBTN_CANCEL ? IDCANCEL : m_nResult;
    const HWND hwnd = m_hWnd;
    ++sheetDepth[this];
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    const bool outermost = --sheetDepth[this] == 0;
    if (outermost)
        sheetDepth.erase(this);
    // A sheet that is done (OK, Cancel, the close box) has no current page left. The question
    // is itself a message to this procedure: asking again from there would recurse until the
    // system refuses the call, and its null answer ended every modal sheet at once. While the
    // system changes pages it has no current page either, and the new page's making sends the
    // sheet messages: only the outermost message's end is asked.
    if (outermost && message != PSM_GETCURRENTPAGEHWND && m_hWnd == hwnd && (m_nFlags & kModalLoop) &&
        !SendMessage(PSM_GETCURRENTPAGEHWND))
        EndModalLoop(m_nResult);
    return result;
}

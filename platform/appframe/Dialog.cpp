#include "Dialog.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG()
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog manager calls this for what the window procedure passes on; all of it gets the
// manager's default processing.
INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A name or ordinal of a template: 0x0000 none, 0xFFFF and a number, or a string.
const WORD* SkipNameOrOrdinal(const WORD* p)
{
    if (*p == 0x0000)
        return p + 1;
    if (*p == 0xFFFF)
        return p + 2;
    while (*p)
        ++p;
    return p + 1;
}

// The window class the template asks for (the dialog class unless it names one), so that the
// creation hook binds the object to the dialog and not to a window made along the way.
LPCWSTR TemplateClass(LPCDLGTEMPLATE dialogTemplate)
{
    const WORD* words = reinterpret_cast<const WORD*>(dialogTemplate);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    // After the fixed header: 26 bytes (extended) or 18 bytes, then the menu, then the class.
    const WORD* p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(dialogTemplate) + (extended ? 26 : 18));
    p = SkipNameOrOrdinal(p);
    if (*p == 0x0000)
        return WC_DIALOG;
    if (*p == 0xFFFF)
        return MAKEINTATOM(p[1]);
    return reinterpret_cast<LPCWSTR>(p);
}

LPCDLGTEMPLATE LoadTemplate(HINSTANCE module, LPCTSTR name)
{
    HRSRC resource = FindResourceW(module, name, RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATE>(LockResource(loaded)) : nullptr;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HINSTANCE module = appframe::FindResourceModule(lpszTemplateName, RT_DIALOG);
    LPCDLGTEMPLATE dialogTemplate = LoadTemplate(module, lpszTemplateName);
    return dialogTemplate && CreateFromTemplate(dialogTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, module);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr,
                              hInst ? hInst : AfxGetResourceHandle());
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst)
{
    if (m_hWnd)
        return FALSE;
    appframe::BeginCreation(this, TemplateClass(lpTemplate));
    HWND hwnd = CreateDialogIndirectParamW(hInst, lpTemplate, hWndParent, DialogProc, 0);
    appframe::EndCreation();
    if (hwnd && !m_hWnd && SubclassWindow(hwnd))
        m_nFlags |= kOwnsWindow;
    return hwnd && m_hWnd == hwnd;
}

// A dialog's owner is a top-level window: the parent given, or the main window.
HWND CDialog::ModalOwner() const
{
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND owner = parent && parent != this ? parent->m_hWnd : nullptr;
    while (owner && (::GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    return owner;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE module = appframe::FindResourceModule(m_lpszTemplateName, RT_DIALOG);
    LPCDLGTEMPLATE dialogTemplate = LoadTemplate(module, m_lpszTemplateName);
    if (!dialogTemplate)
        return -1;

    HWND owner = ModalOwner();
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_nFlags = (m_nFlags & ~kModalEnded) | kModalDialog;
    if (CreateFromTemplate(dialogTemplate, owner, module)) {
        RunModalLoop();
        // Hidden before the owner comes back, so that activation returns to the owner.
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    m_nFlags &= ~(kModalDialog | kModalEnded);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & kModalDialog) {
        EndModalLoop(nResult);
    } else {
        m_nModalResult = nResult;
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keys move between the controls, press buttons and end the dialog as in any dialog box.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

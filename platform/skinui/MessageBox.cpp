#include "MessageBox.h"
#include <algorithm>
#include <memory>
#include "Button.h"
#include "GlobalData.h"
#include "Win32Owners.h"

namespace {
const int kCheckId = 100;

struct ButtonText {
    int id;
    LPCWSTR text;
};
const ButtonText kButtonTexts[] = {
    {IDOK, L"OK"},          {IDCANCEL, L"Cancel"}, {IDABORT, L"&Abort"},        {IDRETRY, L"&Retry"},
    {IDIGNORE, L"&Ignore"}, {IDYES, L"&Yes"},      {IDNO, L"&No"},             {IDTRYAGAIN, L"&Try Again"},
    {IDCONTINUE, L"&Continue"},
};

skinui::TextTranslator g_translator = nullptr;

LPCWSTR TextOf(int id)
{
    for (const ButtonText& b : kButtonTexts)
        if (b.id == id)
            return b.text;
    return L"";
}

LPCWSTR IconOf(UINT nType)
{
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
    }
}
} // namespace

std::vector<int> skinui::MessageBoxButtons(UINT nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {IDOK};
    }
}

int skinui::MessageBoxEscapeResult(UINT nType)
{
    const std::vector<int> buttons = MessageBoxButtons(nType);
    if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end())
        return IDCANCEL;
    return buttons.size() == 1 && buttons[0] == IDOK ? IDOK : 0;
}

void skinui::SetMessageBoxTranslator(TextTranslator translator)
{
    g_translator = translator;
}

CString skinui::MessageBoxButtonText(int id)
{
    const CString caption = TextOf(id);
    if (!g_translator)
        return caption;
    CString plain = caption;
    plain.Remove(L'&');
    const wchar_t* translated = g_translator(plain);
    // Untranslated captions keep their mnemonic.
    return translated && plain != translated ? CString(translated) : caption;
}

IMPLEMENT_DYNAMIC(CBCGPMessageBox, CBCGPDialog)

CBCGPMessageBox::CBCGPMessageBox(CWnd* pParent, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType, LPCTSTR lpszCheckText, BOOL* pbChecked)
    : m_strText(lpszText ? lpszText : L""), m_strCaption(lpszCaption ? lpszCaption : L""),
      m_strCheck(lpszCheckText ? lpszCheckText : L""), m_nType(nType), m_pbChecked(pbChecked),
      m_buttons(skinui::MessageBoxButtons(nType))
{
    m_pParentWnd = pParent;
    if (m_strCaption.IsEmpty()) {
        CWinApp* app = AfxGetApp();
        m_strCaption = app && app->m_pszAppName ? app->m_pszAppName : L"Message";
    }
    EnableVisualManagerStyle(TRUE, TRUE);
}

INT_PTR CBCGPMessageBox::DoModal()
{
    // An empty template; the controls are made in OnInitDialog, sized to the text.
    struct {
        DLGTEMPLATE dlg;
        WORD menu, windowClass, title;
    } tmpl = {};
    tmpl.dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    if (m_nType & (MB_SYSTEMMODAL | MB_TOPMOST))
        tmpl.dlg.dwExtendedStyle = WS_EX_TOPMOST;
    tmpl.dlg.cx = 200;
    tmpl.dlg.cy = 80;

    HWND owner = ModalOwner();
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_nFlags = (m_nFlags & ~kModalEnded) | kModalDialog;
    if (CreateFromTemplate(&tmpl.dlg, owner, AfxGetInstanceHandle())) {
        RunModalLoop();
        if (m_pbChecked && m_wndCheck.GetSafeHwnd())
            *m_pbChecked = m_wndCheck.GetCheck() == BST_CHECKED;
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

BOOL CBCGPMessageBox::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    const double scale = std::max(1.0, globalData.GetRibbonImageScale());
    auto px = [scale](int v) { return static_cast<int>(v * scale); };
    const int margin = px(16), gap = px(8), iconSize = ::GetSystemMetrics(SM_CXICON);
    const CSize button(px(86), px(26));

    // The text's size at a readable line length.
    CRect textRect(0, 0, px(420), 0);
    CSize checkSize(0, 0);
    {
        CClientDC dc(this);
        const win32::ScopedSelect font(dc.m_hDC, globalData.fontRegular.GetSafeHandle());
        dc.DrawText(m_strText, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        if (!m_strCheck.IsEmpty()) {
            checkSize = dc.GetTextExtent(m_strCheck);
            checkSize.cx += px(24);
            checkSize.cy = std::max<int>(checkSize.cy, px(18));
        }
    }

    LPCWSTR iconName = IconOf(m_nType);
    const int textLeft = margin + (iconName ? iconSize + px(12) : 0);
    const int textTop = margin + (iconName ? std::max(0, (iconSize - textRect.Height()) / 2) : 0);
    int bottom = std::max(textTop + textRect.Height(), iconName ? margin + iconSize : 0);
    const int buttonsWidth = static_cast<int>(m_buttons.size()) * (button.cx + gap) - gap;
    const int width = std::max({textLeft + textRect.Width() + margin, buttonsWidth + 2 * margin, textLeft + static_cast<int>(checkSize.cx) + margin, px(260)});

    if (iconName) {
        m_wndIcon.Create(L"", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(margin, margin, margin + iconSize, margin + iconSize), this, 0xFFFF);
        m_wndIcon.SetIcon(::LoadIconW(nullptr, iconName));
    }
    m_wndText.Create(m_strText, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                     CRect(textLeft, textTop, textLeft + textRect.Width() + 2, textTop + textRect.Height()), this, 0xFFFF);
    m_wndText.SetFont(&globalData.fontRegular);
    if (!m_strCheck.IsEmpty()) {
        bottom += gap;
        m_wndCheck.Create(m_strCheck, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                          CRect(textLeft, bottom, textLeft + checkSize.cx, bottom + checkSize.cy), this, kCheckId);
        m_wndCheck.SetFont(&globalData.fontRegular);
        m_wndCheck.SetCheck(m_pbChecked && *m_pbChecked ? BST_CHECKED : BST_UNCHECKED);
        bottom += checkSize.cy;
    }
    bottom += margin;

    // Buttons right-aligned in one row, the default one (MB_DEFBUTTONn) focused.
    const size_t defIndex = std::min<size_t>((m_nType & MB_DEFMASK) >> 8, m_buttons.size() - 1);
    int x = width - margin - buttonsWidth;
    CWnd* focus = nullptr;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        auto wnd = std::make_unique<CBCGPButton>();
        wnd->Create(skinui::MessageBoxButtonText(m_buttons[i]), WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    CRect(x, bottom, x + button.cx, bottom + button.cy), this, static_cast<UINT>(m_buttons[i]));
        wnd->SetFont(&globalData.fontRegular);
        if (i == defIndex)
            focus = wnd.get();
        x += button.cx + gap;
        m_subclassedControls.push_back(std::move(wnd));
    }
    bottom += button.cy + margin;

    CRect window(0, 0, width, bottom);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    if (focus) {
        SetDefID(static_cast<UINT>(focus->GetDlgCtrlID()));
        GotoDlgCtrl(focus);
    }
    ::MessageBeep(m_nType & MB_ICONMASK);
    return FALSE;
}

void CBCGPMessageBox::OnOK()
{
    if (std::find(m_buttons.begin(), m_buttons.end(), IDOK) != m_buttons.end())
        EndDialog(IDOK);
}

void CBCGPMessageBox::OnCancel()
{
    // Escape and the close box: only when the box offers a way out.
    if (const int result = skinui::MessageBoxEscapeResult(m_nType))
        EndDialog(result);
}

BOOL CBCGPMessageBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id != IDOK && id != IDCANCEL &&
        std::find(m_buttons.begin(), m_buttons.end(), id) != m_buttons.end()) {
        EndDialog(id);
        return TRUE;
    }
    return CBCGPDialog::OnCommand(wParam, lParam);
}

int BCGPMessageBox(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType, LPCTSTR lpszCheckText, BOOL* pbChecked)
{
    CBCGPMessageBox box(hWnd ? CWnd::FromHandle(hWnd) : nullptr, lpszText, lpszCaption, uType, lpszCheckText, pbChecked);
    return static_cast<int>(box.DoModal());
}

int BCGPMessageBox(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType)
{
    return BCGPMessageBox(hWnd, lpszText, lpszCaption, uType, nullptr, nullptr);
}

int BCGPMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    CWnd* main = AfxGetMainWnd();
    return BCGPMessageBox(main ? main->GetSafeHwnd() : nullptr, lpszText, nullptr, nType, nullptr, nullptr);
}

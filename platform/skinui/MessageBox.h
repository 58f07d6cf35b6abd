#pragma once
// BCGPMessageBox: the system message box's buttons, icons and results (IDOK, IDYES, ...) in a
// skinned dialog, optionally with a check box ("Do not ask again").
#include "Dialog.h"

namespace skinui {
// The buttons of an MB_ type (its low four bits), in the order they appear.
SKINUI_API std::vector<int> MessageBoxButtons(UINT nType);
// The result of Escape or the close box: IDCANCEL when there is a Cancel button, IDOK for a
// lone OK, else 0 (the box stays).
SKINUI_API int MessageBoxEscapeResult(UINT nType);
// The buttons' captions pass through the translator when one is set: it gets the caption without
// its mnemonic ("Yes") and returns the user's language's text, or the same text when it has none.
using TextTranslator = const wchar_t* (*)(const wchar_t* text);
SKINUI_API void SetMessageBoxTranslator(TextTranslator translator);
// A button's caption as the box shows it.
SKINUI_API CString MessageBoxButtonText(int id);
} // namespace skinui

class SKINUI_API CBCGPMessageBox : public CBCGPDialog {
    DECLARE_DYNAMIC(CBCGPMessageBox)
public:
    CBCGPMessageBox(CWnd* pParent, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType, LPCTSTR lpszCheckText = nullptr,
                    BOOL* pbChecked = nullptr);
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CString m_strText, m_strCaption, m_strCheck;
    UINT m_nType;
    BOOL* m_pbChecked;
    std::vector<int> m_buttons;
    CStatic m_wndIcon, m_wndText;
    CButton m_wndCheck;
};

SKINUI_API int BCGPMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
SKINUI_API int BCGPMessageBox(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType);
// With a check box under the text: its text, and the flag it shows and returns.
SKINUI_API int BCGPMessageBox(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType, LPCTSTR lpszCheckText, BOOL* pbChecked);

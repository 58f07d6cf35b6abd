#pragma once
// CDlgMsg: the skinned message box behind MyMessageBox: a text with one of the library's icons,
// OK or Yes and No, and an optional "Apply to all" check box.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CDlgMsg : public CBCGPDialog {
public:
    explicit CDlgMsg(CWnd* pParent = nullptr);
    ~CDlgMsg() override;

    CString m_strCaption;
    CString m_strText;
    UINT m_nIconKind = 0;     // 1: the library's second icon, else its first
    UINT m_nButtonKind = 0;   // 4 (MB_YESNO): Yes and No, else OK
    CStatic m_wndIcon;
    bool* m_pCheck = nullptr; // the caller's "Apply to all" flag, or null: no check box
    int m_nCheck = 0;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// Runs CDlgMsg: the id of the button pressed (1 OK, 6 Yes, 7 No) or the modal result. With a
// check pointer the box's state is stored in it whatever the button.
ZVUILIB_API int MyMessageBox(const wchar_t* text, UINT buttonKind = MB_OK, UINT iconKind = 0,
                             const wchar_t* caption = nullptr, bool* check = nullptr);

#pragma once
// CDlgInput: one line of text to type, with a prompt and an optional "Apply to all" check box;
// behind GetInputText.
#include "KQDialog.h"

class ZVUILIB_API CDlgInput : public CKQDialog {
public:
    explicit CDlgInput(CWnd* pParent = nullptr);
    ~CDlgInput() override;

    CString m_strText;
    const wchar_t* m_pszCaption = nullptr;
    const wchar_t* m_pszPrompt = nullptr;
    bool* m_pCheck = nullptr;   // the caller's flag, or null: no check box
    int m_nCheck = 0;
    int m_nLimit = 0;           // the most characters the edit takes; 0: no limit

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Runs CDlgInput with the text as it starts. On OK the edited text is copied into text (at most
// capacity characters with the terminating zero), the check box's state into *check when given,
// and the result is true; otherwise neither is touched.
ZVUILIB_API bool GetInputText(wchar_t* text, size_t capacity, const wchar_t* prompt,
                              const wchar_t* caption = nullptr, bool* check = nullptr);
// The same for a buffer of MAX_PATH characters, which its callers pass.
ZVUILIB_API bool GetInputText(wchar_t* text, const wchar_t* prompt, const wchar_t* caption = nullptr,
                              bool* check = nullptr);

#pragma once
// CKQTextPropSheet: the "Text Options" sheet that edits one word-art record on its Text and
// Advanced pages, and ShowTextPropSheet, the library's front door to it.
#include "KQDlgTextFuncAdvanced.h"
#include "KQDlgTextFuncMain.h"
#include "SkinUI.h"
#include "WordArtInfo.h"
#include "ZVUILibDef.h"

// What every text options sheet is, whatever its pages: no Apply button, the visual manager's
// look, dragged by its client area, its texts translated once it shows.
class ZVUILIB_API CKQTextSheetBase : public CBCGPPropertySheet {
    DECLARE_DYNAMIC(CKQTextSheetBase)
public:
    // The icon comes from the module's resources.
    CKQTextSheetBase(CWnd* pParentWnd, HINSTANCE iconModule, UINT iconId);
    ~CKQTextSheetBase() override;

    // Once the sheet is made: the translated texts.
    virtual BOOL OnInitDialog();
    void ChangeLanguage();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HICON m_hIcon = nullptr;

protected:
    bool m_bInitDone = false;
};

class ZVUILIB_API CKQTextPropSheet : public CKQTextSheetBase {
    DECLARE_DYNAMIC(CKQTextPropSheet)
public:
    explicit CKQTextPropSheet(CWnd* pParentWnd = nullptr);
    ~CKQTextPropSheet() override;

    CWordArtInfo m_wordArt;
    int m_bEmptyText = 0;   // the caller's record had no text
    CKQDlgTextFuncMain m_pageMain;
    CKQDlgTextFuncAdvanced m_pageAdvanced;
};

// Runs the sheet on a copy of the record with the library's resources: 1 after OK with a text,
// the record then taking the sheet's; 0 otherwise, the record left as it was.
ZVUILIB_API int ShowTextPropSheet(CWordArtInfo* info);

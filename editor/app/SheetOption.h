#pragma once
// The options of the editor program: CSheetOption with its pages CPageGeneral ("System": log-on
// start, user data folder) and CPageCapture ("Capture": hot keys, capture folder, saving).
#include "KQPropertyPage.h"

// A folder edit whose browse button carries a word ("Change") instead of "...".
class CFolderEdit : public CBCGPEdit {
public:
    void EnableFolderBrowse(const wchar_t* label);
};

class CPageGeneral : public CKQPropertyPage {
public:
    CPageGeneral();
    void LoadSetting() override;
    void SaveSetting() override;

    bool m_bResetting = false;
    int m_bAutoStart = 0;
    int m_bAutoStartLoaded = 0;
    CFolderEdit m_editFolder;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDefault();
    afx_msg void OnChanged();
    DECLARE_MESSAGE_MAP()
};

class CPageCapture : public CKQPropertyPage {
public:
    CPageCapture();
    void LoadSetting() override;
    void SaveSetting() override;

    int m_bAutoSave = 1;
    CHotKeyCtrl m_hotkeyRun;
    CHotKeyCtrl m_hotkeySave;
    CFolderEdit m_editFolder;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDefault();
    afx_msg void OnChanged();
    DECLARE_MESSAGE_MAP()
};

class CSheetOption : public CBCGPPropertySheet {
public:
    CSheetOption(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    CPageGeneral m_pageGeneral;
    CPageCapture m_pageCapture;
    CBCGPToolBarImages m_headerImages;

protected:
    void OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader) override;
    CString m_titles[2];
};

#pragma once
// CDlgLangList: the language chooser. One row per language file (its list name and local
// name), Auto and English as buttons; the chosen language applies at once.
#include "SkinUI.h"
#include "TList.h"
#include "TString.h"
#include "ZVUILibDef.h"

// Rows sort by their item data, the row's language name, compared unit by unit.
class ZVUILIB_API CMyListCtrl : public CBCGPListCtrl {
public:
    int OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;
};

class ZVUILIB_API CDlgLangList : public CBCGPDialog {
public:
    // The language files are looked for in folder (the library's Language folder when null).
    explicit CDlgLangList(CWnd* pParent = nullptr, const wchar_t* folder = nullptr);
    ~CDlgLangList() override;

    BOOL OnInitDialog() override;
    CMyListCtrl m_wndList;
    CBCGPButton m_btnOK;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAuto();
    afx_msg void OnEnglish();
    DECLARE_MESSAGE_MAP()

private:
    void ApplySelected();
    ALT::TString<wchar_t, 0, 8> m_folder;
    ALT::TList<ALT::TString<wchar_t, 0, 8>> m_names; // each row's item data points into here
};

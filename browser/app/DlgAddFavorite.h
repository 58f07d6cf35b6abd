#pragma once
// CDlgAddFavorite: a favourite folder's name, folder and icon. The folder comes from the tree or
// is typed; a folder that does not exist is made on OK. Closing the dialog cancels.
#include <functional>
#include <string>
#include "KQDialog.h"
#include "ZVShellTree.h"

// The shell tree, with the favourites' icons reachable for the icon choice.
class CFavoriteIconTree : public CZVShellTree {
public:
    using CZVShellTree::CZVShellTree;
    int FirstFavoriteIcon() const { return m_nFirstOwnIcon; }
    int FavoriteIconCount() { return m_ownIcons.GetCount(); }
};

class CDlgAddFavorite : public CKQDialog {
public:
    // favoriteRoot: the favourites' registry root that the dialog's tree lists.
    explicit CDlgAddFavorite(CWnd* pParent = nullptr, const wchar_t* favoriteRoot = kZVFavoriteRegRoot);

    std::wstring m_strFolder, m_strName;
    int m_nIcon = 0;
    // The error box of a folder that cannot be made; tests put their own in place.
    std::function<void(const wchar_t* text)> m_errorBox;

    CFavoriteIconTree m_tree;
    CEdit m_editName, m_editFolder;
    CBCGPButton m_btnOK;
    CComboBoxEx m_comboIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnFolderChanged();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateOK();
    bool m_bIgnoreSelection = true; // the tree selecting its start item keeps the caller's folder
};

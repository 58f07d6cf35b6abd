#pragma once
// CPageSystem: the options' "System" page: the default viewer (make default, ask at start),
// the wallpaper and thumbnail folders, and clearing the thumbnail cache.
#include "KQPropertyPage.h"

// A folder edit whose browse button carries a word ("Change") instead of "...".
class CChangeFolderEdit : public CBCGPEdit {
public:
    void EnableFolderBrowse(const wchar_t* label);
};

class CPageSystem : public CKQPropertyPage {
public:
    CPageSystem();
    void LoadSetting() override;
    void SaveSetting() override;
    // Both folders and the question at start back to their defaults, stored at once.
    void RestoreDefaults();

    int m_bCheckDefault = 1;
    bool m_bDefaults = false; // while the defaults are being restored
    CBCGPButton m_btnMakeDefault;
    CChangeFolderEdit m_editWallpaper;
    CChangeFolderEdit m_editThumbnail;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnMakeDefault();
    afx_msg void OnClearCache();
    afx_msg void OnDefault();
    afx_msg void OnChanged();
    DECLARE_MESSAGE_MAP()
};

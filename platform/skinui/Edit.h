#pragma once
// CBCGPEdit: an edit box drawn with the skin's flat frame, optionally with a browse button at
// its right end (in the non-client area) that fills in a folder or a file, or calls OnBrowse.
#include "AppFrame.h"
#include "HoverTracker.h"
#include "SkinUIDef.h"

class SKINUI_API CBCGPEdit : public CEdit {
    DECLARE_DYNCREATE(CBCGPEdit)
public:
    enum BrowseMode { BrowseMode_None, BrowseMode_Default, BrowseMode_Folder, BrowseMode_File };
    CBCGPEdit() = default;

    void EnableBrowseButton(BOOL bEnable = TRUE, LPCTSTR szLabel = L"...");
    void EnableFolderBrowseButton(LPCTSTR lpszTitle = nullptr, UINT ulBrowseFolderFlags = 0x41 /* BIF_RETURNONLYFSDIRS|BIF_NEWDIALOGSTYLE */);
    void EnableFileBrowseButton(LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFilter = nullptr);
    BrowseMode GetMode() const { return m_Mode; }
    // The browse button's rectangle in window coordinates; empty without one.
    CRect GetBrowseButtonRect() const;
    // What the browse button does; the defaults ask for a folder or a file and put it in.
    virtual void OnBrowse();
    // Called after the browse put a new text in.
    virtual void OnAfterUpdate();

protected:
    // Shows the shell's folder picker; TRUE with the chosen folder.
    virtual BOOL BrowseForFolder(CString& strFolder);
    virtual BOOL BrowseForFile(CString& strFile);

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BrowseMode m_Mode = BrowseMode_None;
    CString m_strLabel = L"...";
    CString m_strBrowseTitle, m_strDefExt, m_strFilter;
    UINT m_ulBrowseFolderFlags = 0;
    skinui::HoverTracker<BOOL> m_browseHover{ FALSE, true };
    int m_nBrowseButtonWidth = 0;

private:
    void RefreshFrame();
};

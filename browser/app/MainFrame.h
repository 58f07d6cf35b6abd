#pragma once
// CMainFrame: the browser's main window. The picture list fills it; caption buttons open the
// main and skin menus and switch full-screen mode; the status bar shows the folder's counts,
// the list's filters and menus, and the progress of a running batch.
#include "BrowserToolBar.h"
#include "PaneView.h"
#include "KQPrintWnd.h"
#include "KQRibbonBar.h"
#include "PictureListView.h"
#include "SkinUI.h"

// Private messages of the frame.
const UINT WM_SHOWS_EXIT = 0x500;           // ends the program as Exit does
const UINT WM_SHOWS_NEW_VERSION = 0x501;    // the update check found a newer version
const UINT WM_SHOWS_EDITOR_ENDED = 0x502;   // the editor ended: reload the handed-over picture
const UINT WM_SHOWS_BATCH_PROGRESS = 0x702; // wParam percent 0-100, -1 hides the bar
const UINT WM_SHOWS_NOTE = 0x705;           // lParam a wide text shown as a pop-up note

extern const wchar_t kMainFrameClass[];

class CMainFrame : public CBCGPFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Alt+Left and Alt+Right go back and forward, Backspace in the list to the parent folder.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // F6 and Tab move the focus from the tree to the breadcrumb to the list and round (Shift:
    // back); false when the focus is in none of them.
    bool CycleFocus(HWND from, bool backward);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Pop-up menus carry the logo at their left.
    BOOL OnShowPopupMenu(CBCGPPopupMenu* pMenu) override;
    BOOL OnDrawMenuLogo(CDC* pDC, CBCGPPopupMenu* pMenu, const CRect& rect) override;

    void UpdateTexts();
    void ApplySkin();
    void UpdateFolderInfo();
    void ToggleFullScreen();
    void OnBatchProgress(int percent);

    CKQPrintWnd m_wndPrint; // hidden; prints one picture
    CPictureListView m_wndList;
    CBrowserToolBar m_wndToolBar;
    CPaneView m_wndPane;
    CBCGPRibbonStatusBar m_wndStatusBar;
    CBCGPToolBarImages m_menuLogo;
    CKQRibbonBar m_wndRibbonBar;
    CBCGPRibbonLabel* m_pFolderInfo = nullptr;
    CBCGPRibbonLabel* m_pFileInfo = nullptr;
    CBCGPRibbonLabel* m_pProgressName = nullptr;
    CBCGPRibbonProgressBar* m_pProgress = nullptr;
    CBCGPRibbonStatusBarPane* m_pIconSize = nullptr;
    CBCGPRibbonStatusBarPane* m_pIconContent = nullptr;
    CBCGPRibbonStatusBarPane* m_pSort = nullptr;
    CBCGPRibbonStatusBarPane* m_pCancel = nullptr;
    CBCGPRibbonCheckBox* m_pSmallFilter = nullptr;
    CBCGPRibbonCheckBox* m_pLoadAni = nullptr;
    bool m_bCreated = false;
    wchar_t m_szProgressName[MAX_PATH] = {};
    int m_nNotesShown = 0; // batch notes popped up, for the tests

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnExitMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnNewVersion(WPARAM, LPARAM);
    afx_msg LRESULT OnEditorEnded(WPARAM, LPARAM);
    afx_msg LRESULT OnBatchProgressMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnNote(WPARAM, LPARAM);
    afx_msg void OnFullScreen();
    afx_msg void OnStatusMenu(UINT nID);
    afx_msg void OnCancelBatch();
    afx_msg void OnSmallFileFilter();
    afx_msg void OnLoadAnimation();
    afx_msg void OnUpdateSmallFileFilter(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLoadAnimation(CCmdUI* pCmdUI);
    afx_msg void OnCaptionMenu(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    bool CreateToolBar();
    bool CreatePane();
    void BindPane();
    void PopupStatusMenu(const wchar_t* menu, CBCGPBaseRibbonElement* pane);
    HICON m_hSmallIcon = nullptr;
    HICON m_captionIcons[3] = {};
    HICON m_statusIcons[4] = {};
};

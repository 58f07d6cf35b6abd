#pragma once
// CPicFullScreenFrame: the viewer's top-level window over the browser's main frame. It holds
// the picture window, opens and closes the viewer (hiding the main frame meanwhile), switches
// full screen and runs the slide show.
#include "AniCtrlToolbar.h"
#include "PicFullWnd.h"
#include "SkinUI.h"

class CMainFrame;

extern const wchar_t kViewerFrameClass[];

class CPicFullScreenFrame : public CBCGPFrameWnd {
public:
    CPicFullScreenFrame();
    ~CPicFullScreenFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Opens the viewer over the main frame on picture n of its list, or on one file; null when
    // the window cannot be made (a message says so). The frame deletes itself when it closes.
    static CPicFullScreenFrame* OpenOnItem(CMainFrame* main, int index, bool fullScreen);
    static CPicFullScreenFrame* OpenOnFile(CMainFrame* main, const wchar_t* path);

    void ToggleFullScreen();
    void ToggleSlideShow();
    bool IsSlideShow() const { return m_bSlideShow; }
    bool IsViewerFullScreen() const { return m_bFullScreen; }
    // Esc: leaves full screen, or closes a windowed viewer.
    void Escape();
    void UpdateTitle();
    void OnPictureShown();
    // Saves the turned picture; on failure a message shows and the turn stays unsaved.
    bool SaveRotation();

    void UpdateAniBar();

    CPicFullWnd m_wndView;
    CAniCtrlToolbar m_wndAniBar;
    bool m_bRotationUnsaved = false;
    // Asks before Save modifies a file; tests answer it.
    bool (*m_pConfirmModify)() = nullptr;
    // Shows a failure; tests catch it.
    void (*m_pShowError)(const wchar_t* text) = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnFullScreen();
    afx_msg void OnPrevious();
    afx_msg void OnNext();
    afx_msg void OnPlay();
    afx_msg void OnRotateLeft();
    afx_msg void OnRotateRight();
    afx_msg void OnSave();
    afx_msg void OnCloseCommand();
    afx_msg void OnAutomatic();
    afx_msg void OnTile();
    afx_msg void OnPreviewList();
    afx_msg void OnLock();
    afx_msg void OnZoomValue(UINT nID);
    afx_msg void OnDisplayOption();
    afx_msg void OnAniCommand(UINT nID);
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAutomatic(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTile(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePreviewList(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomValue(CCmdUI* pCmdUI);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    bool CreateOver(CMainFrame* main);
    void Rotate(int degrees);
    void ShowMain();

    CMainFrame* m_pMain = nullptr;
    bool m_bSlideShow = false;
    bool m_bFullScreen = false;
    bool m_bMainWasMaximized = false;
    bool m_bMainWasVisible = false;
};

// The open viewer frame, null while none.
extern CPicFullScreenFrame* g_pPicFullScreenFrame;
// The zoom of each zoom menu item, from 10 % to 400 %.
extern const float kViewerZoomValues[8];

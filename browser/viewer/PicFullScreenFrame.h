#pragma once
// CPicFullScreenFrame: the viewer's top-level window over the browser's main frame. It holds
// the picture window, opens and closes the viewer (hiding the main frame meanwhile), switches
// full screen and runs the slide show.
#include <memory>
#include "AniCtrlToolbar.h"
#include "EditorHandOff.h"
#include "MusicPlayer.h"
#include "NavigationBar.h"
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
    // Docked at the top of a windowed viewer; in full screen floated over the picture across
    // the client's width, at its bottom or, when asked, its top.
    void ShowNavBar(bool atTop = false);

    CNavigationBar m_wndNavBar;

    // Replaces the background-music player (tests put a fake in); made on the frame at once.
    void SetMusicPlayer(std::unique_ptr<MusicPlayer> player);
    MusicPlayer* GetMusicPlayer() const { return m_pMusic.get(); }
    // The tune of the list that plays, -1 when none does.
    int GetMusicIndex() const { return m_nMusicIndex; }
    // The options' volume slider: the music that plays follows at once.
    void SetMusicVolume(int percent);
    // The options' background colour behind the picture (automatic: the skin's window colour).
    void ApplyBackground();

    // Commands on the shown picture (PicFullScreenCommands.cpp).
    // Asks once, then deletes the file; the viewer shows the picture now at its place (the one
    // before after the last), or closes and has the list read its folder when none is left.
    void DeleteShownPicture();
    // The shown picture's file is gone (deleted or moved away): its item leaves the list and the
    // viewer shows its neighbour, or closes and has the list read its folder when none is left.
    void DropShownPicture();
    // Renames the file in its folder; the same name does nothing.
    void RenameShownPicture();
    void HandOff(HandOffMode mode);
    void ResizeShownPicture();
    // The "Show Mode" menu's lock text and check marks as they are now.
    void PrepareShowModeMenu(CMenu* popup);
    void PrepareSizeMenu(CMenu* popup);
    // The "Edit" menu, also the picture's context menu, at a screen point.
    void PopupEditMenu(CPoint at);
    // Copy and move commands go to the application's file commands, which act on the viewer's
    // picture while IsFileCommandFromViewer(); the application connects them.
    bool IsFileCommandFromViewer() const { return m_bFromViewer; }
    static void (*s_pFileCommand)(UINT command);
    // The favourites' "Popup" menu of the application, popped up at the point.
    static void (*s_pExportMenu)(CWnd* owner, CPoint at);
    // The online picture size: 'S', 'M', 'L' or 'F'.
    static wchar_t s_onlineSize;

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
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnZoomButton();
    afx_msg void OnMusic();
    afx_msg void OnUpdateMusic(CCmdUI* pCmdUI);
    afx_msg LRESULT OnMusicNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEditMenu();
    afx_msg void OnOnlineSizeMenu();
    afx_msg void OnUpdateOnlineSizeMenu(CCmdUI* pCmdUI);
    afx_msg void OnOnlineSize(UINT nID);
    afx_msg void OnUpdateOnlineSize(CCmdUI* pCmdUI);
    afx_msg void OnFolder();
    afx_msg void OnExport();
    afx_msg void OnOption();
    afx_msg void OnDelete();
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
    afx_msg void OnRename();
    afx_msg void OnOpenFolderWindows();
    afx_msg void OnOpenFolderLumivo();
    afx_msg void OnHandEffect();
    afx_msg void OnHandPage();
    afx_msg void OnHandSplit();
    afx_msg void OnHandCombine();
    afx_msg void OnHandCrop();
    afx_msg void OnHandEdit();
    afx_msg void OnResize();
    afx_msg void OnFileCommand(UINT nID);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
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
    // Opens and plays tune n of the list at the set volume; a failure gives its note once a
    // slide show and leaves the music off.
    bool PlayTune(int index);

    std::unique_ptr<MusicPlayer> m_pMusic;
    int m_nMusicIndex = -1;
    bool m_bMusicNoted = false;
    bool m_bOpeningTune = false;
    bool m_bFromViewer = false;

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

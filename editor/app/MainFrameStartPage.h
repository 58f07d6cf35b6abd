#pragma once
// CMainFrameStartPage: the editor program's first window and, while no mode frame works, its
// main window: tiles that open the modes or start the browser, four caption buttons (skin,
// settings, help, exit), a tray icon with its menu and the two hot keys of screen capture. It
// lives for the whole run; mode frames hide it while they work.
#include <array>
#include "KQTileUI.h"
#include "StartupTables.h"

class CMainFrameStartPage : public CBCGPFrameWnd {
    DECLARE_DYNAMIC(CMainFrameStartPage)
public:
    CMainFrameStartPage();
    ~CMainFrameStartPage() override;

    // The window and tile sizes the application chose; set before the window is made.
    void SetLayout(const StartPageSize& size) { m_size = size; }
    // Shows or hides the page; the tile animation runs while it is visible.
    void ShowStartPage(int showCommand);
    void SetSkinBackground();
    void SetTileTexts();
    void UpdateCaptureTileText();
    bool AddTrayIcon(const wchar_t* tip, UINT iconId);
    void RemoveTrayIcon();
    bool HasTrayIcon() const { return m_bTrayIconAdded; }
    void CheckNewVersion();
    // The tile, or null while it does not exist.
    CKQWinTile* GetTile(StartTile tile) const { return m_tileList[static_cast<size_t>(tile)]; }
    CKQTileUI& GetTileControl() { return m_tiles; }
    // The animation frame a tile shows (0: its first picture).
    int GetAnimationFrame(StartTile tile) const { return m_animationFrame[static_cast<size_t>(tile)]; }
    // The three pop-up menus of the caption buttons and the tray menu.
    HMENU GetPopupMenu(UINT menuId) const;
    // The place a caption button's menu opens (screen coordinates).
    CPoint CaptionMenuPoint(UINT buttonId) const;
    // Registers both capture hot keys from the application's settings; unregisters them.
    void RegisterCaptureHotKeys();
    void UnregisterCaptureHotKeys();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    static const UINT kHotkeyCapture = 4001, kHotkeySaveCapture = 4002;
    static const UINT kAnimationTimer = 3;

    COLORREF m_clrCaption = RGB(255, 255, 255);
    int m_nHoverIndex = -1;
    CString m_strBackground;
    int m_nTaskbarCreatedMsg = 0;
    CString m_strTrayTip = L"Lumivo";
    bool m_bTrayIconAdded = false;
    bool m_bShown = false;

protected:
    void OnAnimationTick();
    void AddStartTile(const StartTileInfo& info);
    void OnTileClick(CBCGPWinUITile* pTile);
    void OnCaptionButtonClick(UINT nID);
    void OnNewVersion();
    void OnTrayNotify(LPARAM lParam);
    bool AskExit();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnDestroy();
    afx_msg void OnTrayCapture();
    afx_msg void OnTrayShow();
    afx_msg void OnOption();
    afx_msg void OnTrayExit();
    DECLARE_MESSAGE_MAP()

private:
    StartPageSize m_size = {1024, 730, 160, 150};
    CKQTileUI m_tiles;
    std::array<CKQWinTile*, 10> m_tileList = {};
    std::array<int, 10> m_animationTicks = {};
    std::array<int, 10> m_animationFrame = {};
    HICON m_hTrayIcon = nullptr;
    UINT m_nTrayIconId = 103;
};

#pragma once
// CLumivoShowsApp: the picture browser's application object. It reads the settings, parses the
// command line, creates the main frame on the work area and answers the program-wide commands
// (help, bug report, language, skins, exit).
#include <string>
#include <vector>
#include "BatchCommands.h"
#include "FavoriteFolder.h"
#include "FileCommands.h"
#include "KQDialog.h"
#include "LumivoShowsCmdUI.h"
#include "ShowsSettings.h"
#include "SkinUI.h"
#include "ViewerSettings.h"
#include "ZVImageStatic.h"
#include "ZVQuery.h"

class CMainFrame;

// Addresses the program opens; each is a setting (section "Links") with a default.
enum class ShowsLink { HomePage, HelpEnglish, HelpChinese, Support };
CString GetShowsLink(ShowsLink link);

class CLumivoShowsApp : public CBCGPWinApp {
public:
    // A test program passes its own profile name.
    explicit CLumivoShowsApp(LPCTSTR appName = nullptr);
    ~CLumivoShowsApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL LoadState(CFrameWnd*, LPCTSTR = nullptr) override { return TRUE; }
    BOOL SaveState(CFrameWnd*, LPCTSTR = nullptr) override { return TRUE; }

    // The start-up up to the frame, without the frame: settings, menus and the command line.
    // False when the command line does not parse (its message shown).
    bool Prepare(const wchar_t* commandLine);
    void LoadSettings();
    void InitMenus();
    // Creates the main frame centred on the work area; false when it cannot be made.
    bool CreateMainFrame();
    // Writes the frame's size, state and folder, each only when it changed.
    void SaveFrameSettings(CMainFrame* frame);
    void SetSkin(unsigned skin);
    void TranslateMenus();
    // At start: unless told not to ask, or already the default viewer, asks to become it.
    void CheckDefaultViewer();
    // Registers the browser and opens the system's default-apps page; a note says when there
    // is no such page to open.
    void MakeDefaultViewer();

    CLumivoShowsCmdUI m_cmdInfo;
    std::wstring m_strStartFolder;
    std::wstring m_strStoredViewPath; // "LastViewPath" as it is in the registry
    bool m_bViewerOnly = false;
    unsigned m_nSkin = static_cast<unsigned>(-1);
    CMainFrame* m_pMainFrame = nullptr;
    HICON m_hAppIcon = nullptr;
    int m_nFrameWidth = 0, m_nFrameHeight = 0;
    bool m_bShowMax = false, m_bShowMaxLoaded = false;
    bool m_bShowMaxFullPic = false, m_bShowMaxFullPicLoaded = false;
    bool m_bHideTree = false, m_bShowMore = true;
    bool m_bCheckDefaultOnStartup = true;
    ViewerSettings m_viewerSettings;
    std::vector<std::wstring> m_backgroundMusic;
    CZVQuery m_query;
    HCURSOR m_hCursorHand = nullptr;
    HCURSOR m_hCursorDrag = nullptr;
    int m_nNotesShown = 0; // notes popped up, for the tests

    // One batch command on the list of the main frame (LumivoShowsAppBatch.cpp); a tile's
    // click also refuses online materials and a running batch. True when a run started.
    bool RunBatch(BatchOperation operation, bool fromTile = false);

    // The file commands and the Export menu (LumivoShowsAppFiles.cpp). The commands reach the
    // main frame's list and print window; the viewer calls them with its own paths.
    FileCommands m_fileCommands;
    std::wstring m_favoriteRoot; // the favourites' registry root; tests give their own before the frame is made
    void BindFileCommands();
    HMENU GetExportMenu();
    // Print and EMail (false) or Add Favorite (true) in the Export menu.
    void SetExportMenuMode(bool favorites);
    void UpdateCopyMoveMenus();
    void SetCopyToMenuText(const wchar_t* operation, const wchar_t* target);
    // The viewer's copy and move commands (while it marks them as its own) on its picture: the
    // note over the viewer; after a move the viewer shows the neighbour. Its Export menu pops
    // up over it with Print and EMail, which then take its picture.
    void RunViewerFileCommand(UINT id);
    void PopupViewerExportMenu(CWnd* owner, CPoint at);

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnOption();
    afx_msg void OnHelp();
    afx_msg void OnBugReport();
    afx_msg void OnLanguageAuto();
    afx_msg void OnLanguageEnglish();
    afx_msg void OnLanguageList();
    afx_msg void OnUpdateLanguageAuto(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLanguageEnglish(CCmdUI* pCmdUI);
    afx_msg void OnSkinCommand(UINT nID);
    afx_msg void OnUpdateSkin(CCmdUI* pCmdUI);
    afx_msg void OnAppExit();
    afx_msg void OnWallpaperAutomatic();
    afx_msg void OnWallpaperStyle(UINT nID);
    afx_msg void OnWallpaperCopy();
    afx_msg void OnWallpaperOpenFolder();
    afx_msg void OnWallpaperControlPanel();
    afx_msg void OnUpdateWallpaper(CCmdUI* pCmdUI);
    afx_msg void OnBatchColor();
    afx_msg void OnBatchWatermark();
    afx_msg void OnBatchOrganize();
    afx_msg void OnBatchOptimize();
    afx_msg void OnBatchConvert();
    afx_msg void OnBatchRename();
    afx_msg void OnBatchGray();
    afx_msg void OnBatchRotate();
    afx_msg void OnUpdateBatch(CCmdUI* pCmdUI);
    afx_msg void OnCopyMoveFavorite(UINT nID);
    afx_msg void OnCopyToFolder();
    afx_msg void OnMoveToFolder();
    afx_msg void OnLastOperate();
    afx_msg void OnAddFavorite();
    afx_msg void OnPrint();
    afx_msg void OnEMail();
    DECLARE_MESSAGE_MAP()

private:
    void AfterLanguageChange();
    bool m_bWinsock = false;
};

CLumivoShowsApp* GetLumivoShowsApp();

// CAboutDlg: the program's picture, name and version.
class CAboutDlg : public CKQDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

    CZVImageStatic m_picture;
    CBCGPButton m_btnOK;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

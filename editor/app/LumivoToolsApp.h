#pragma once
// CLumivoToolsApp: the editor program's application object. It owns what every mode frame reads
// (frame pointers, the command line, the capture settings, the skin), starts the program on its
// start page or on the mode a switch names, and answers the program-wide commands (about box,
// help, home page, bug report, language, skins).
#include "SkinUI.h"
#include "KQCmdUI.h"
#include "StartupTables.h"
#include "ZVImage.h"
#include "ZVQuery.h"

class CMainFrame;
class CMainFramePage;
class CMainFrameCosmet;
class CMainFrameEffect;
class CMainFrameCombine;
class CMainFrameSplit;
class CMainFrameStartPage;
class CScreenCaptureFrame;

// The capture settings, profile section "Capture".
struct CaptureSettings {
    DWORD Hotkey = kDefaultCaptureHotkey;
    DWORD SaveHotkey = kDefaultSaveCaptureHotkey;
    bool AutoSave = true;
    CString SaveFolder;
};
// My Pictures + "\Lumivo Capture", made when missing.
CString DefaultCaptureFolder();

// Addresses the program opens; each is a setting (section "Links") with a default.
enum class LinkKind { HomePage, HelpEnglish, HelpChinese, BugReport, MakerSite };
CString GetLinkAddress(LinkKind kind);

class CLumivoToolsApp : public CBCGPWinApp {
public:
    CLumivoToolsApp();
    ~CLumivoToolsApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL SaveAllModified() override;
    BOOL LoadState(CFrameWnd*, LPCTSTR = nullptr) override { return TRUE; }
    BOOL SaveState(CFrameWnd*, LPCTSTR = nullptr) override { return TRUE; }

    // Mode openers. A mode whose frame is not part of this build says so at the cursor.
    void ShowEditorFrame();
    void ShowPagesFrame();
    void ShowCosmetFrame();
    void ShowEffectFrame();
    void ShowSplitFrame();
    void ShowCropFrame();
    void ShowCombineFrame();
    void ShowScreenCapture(bool saveDirectly = false);
    void OpenMode(StartMode mode);

    bool CreateStartPage();
    void LoadSettings();
    void InitResources();
    void LoadCaptureSettings();
    void SaveCaptureSettings();
    // Applies and stores a skin; the current one changes nothing.
    void SetSkin(unsigned skin);
    void ShowNotifyAtCursor(const wchar_t* text);
    void NotifyOtherWindowsAtExit();
    // Ends the program the way every exit does: each open mode frame gets WM_CLOSE first (and asks
    // about unsaved work as on its own close); one that stays open cancels the quit. True when
    // the program is ending.
    bool QuitProgram();
    // The top-level frames of this thread other than the start page (open mode frames).
    std::vector<CFrameWnd*> GetModeFrames() const;

    CImageList m_imageList;
    CZVImage m_sampleImage;
    CBCGPToolBarImages m_toolbarImages;
    bool m_bAnotherInstance = false;
    HANDLE m_hMutex = nullptr;
    HICON m_hAppIcon = nullptr;
    UINT m_cfImage = 0;
    CString m_strCurrentDirectory;
    LOGFONTW m_defaultFont = {};
    CKQCmdUI m_cmdInfo;
    CZVQuery m_query;
    bool m_bAutoStart = true;
    CaptureSettings m_capture;
    bool m_bPageFlag = true;
    bool m_bDirectMode = false;

    CMainFrame* m_pEditorFrame = nullptr;
    CMainFramePage* m_pPageFrame = nullptr;
    CMainFrameCosmet* m_pCosmetFrame = nullptr;
    CMainFrameEffect* m_pEffectFrame = nullptr;
    CMainFrameCombine* m_pCombineFrame = nullptr;
    CMainFrameSplit* m_pSplitFrame = nullptr;
    CMainFrameStartPage* m_pStartPage = nullptr;
    CScreenCaptureFrame* m_pCaptureFrame = nullptr;

    unsigned int m_nSkin = static_cast<unsigned int>(-1);
    HMENU m_hMainMenu = nullptr;
    HACCEL m_hAccel = nullptr;
    int m_nUiFontHeight = 12;

    // A test program's application: its own profile name, no "LumivoTools" mutex, and no
    // start-up (the tests make what they drive).
    explicit CLumivoToolsApp(LPCTSTR testAppName);
    // The start page's and the modes' pop-up menus, by name and id.
    void RegisterContextMenus();

protected:
    void OnModeNotAvailable();
    afx_msg void OnHomePage();
    afx_msg void OnAppAbout();
    afx_msg void OnHelp();
    afx_msg void OnChangeLanguage();
    afx_msg void OnBugReport();
    afx_msg void OnSkinWhite() { SetSkin(0); }
    afx_msg void OnSkinBlack() { SetSkin(1); }
    afx_msg void OnSkinPink() { SetSkin(2); }
    afx_msg void OnSkinYellow() { SetSkin(3); }
    afx_msg void OnSkinGreen() { SetSkin(4); }
    afx_msg void OnSkinBlue() { SetSkin(5); }
    afx_msg void OnSkinPurple() { SetSkin(6); }
    afx_msg void OnUpdateSkin(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    bool m_bWinsock = false;
};

CLumivoToolsApp* GetLumivoToolsApp();

#pragma once
// CBCGPWorkspace: what a skinned program keeps beside its application object: the registry
// place of its stored state (a base per workspace section, under the application's registry
// key and profile), the stored state of its frames and bars, the managers of context menus,
// tool tips and shell items, and the visual theme. CBCGPWinApp is an application that is a
// workspace.
#include <memory>
#include "AppFrame.h"
#include "SkinUIDef.h"

class CBCGPContextMenuManager;
class CBCGPShellManager;
class CBCGPTooltipManager;

// Visual themes: each picks a look and its colours.
enum BCGP_VISUAL_THEME {
    BCGP_VISUAL_THEME_DEFAULT = 0,        // plain system colours
    BCGP_VISUAL_THEME_OFFICE_2003 = 3,
    BCGP_VISUAL_THEME_OFFICE_2013_WHITE = 19,
    BCGP_VISUAL_THEME_VS_2012 = 23,       // flat, with the accent colour
};

class SKINUI_API CBCGPWorkspace {
public:
    CBCGPWorkspace();
    virtual ~CBCGPWorkspace();
    CBCGPWorkspace(const CBCGPWorkspace&) = delete;
    CBCGPWorkspace& operator=(const CBCGPWorkspace&) = delete;

    // The workspace of the process: the last one made and not yet gone, or null.
    static CBCGPWorkspace* GetInstance();

    // The section under the application's key where state goes ("Workspace" when none was
    // set); returns the section that was set before.
    CString SetRegistryBase(LPCTSTR lpszSectionName = nullptr);
    CString GetRegistryBase() const { return m_strRegistryBase; }
    // HKCU-relative path of the section plus szSectionAdd, ending in a backslash:
    // Software\<registry key>\<profile>\<registry base>\<szSectionAdd>\.
    CString GetRegSectionPath(LPCTSTR szSectionAdd = L"") const;

    // The frame's place and its bars' state under the section (null: the registry base).
    virtual BOOL LoadState(CFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
    virtual BOOL SaveState(CFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
    // Called once before the first frame loads its state: the place to register context menus.
    virtual void PreLoadState() {}
    // Runs PreLoadState once for the process.
    void EnsurePreLoadState();

    // The managers are made once; g_pContextMenuManager, g_pTooltipManager and g_pShellManager
    // reach them from anywhere.
    BOOL InitContextMenuManager();
    CBCGPContextMenuManager* GetContextMenuManager() const { return m_pContextMenuManager.get(); }
    BOOL InitTooltipManager();
    CBCGPTooltipManager* GetTooltipManager() const { return m_pTooltipManager.get(); }
    BOOL InitShellManager();
    CBCGPShellManager* GetShellManager() const { return m_pShellManager.get(); }

    // Switches the visual manager to the theme's look and repaints every window.
    void SetVisualTheme(BCGP_VISUAL_THEME theme);
    BCGP_VISUAL_THEME GetVisualTheme() const { return m_theme; }

protected:
    CString m_strRegistryBase = L"Workspace";

private:
    std::unique_ptr<CBCGPContextMenuManager> m_pContextMenuManager;
    std::unique_ptr<CBCGPTooltipManager> m_pTooltipManager;
    std::unique_ptr<CBCGPShellManager> m_pShellManager;
    BCGP_VISUAL_THEME m_theme = BCGP_VISUAL_THEME_DEFAULT;
    bool m_bPreLoaded = false;
};

class SKINUI_API CBCGPWinApp : public CWinApp, public CBCGPWorkspace {
public:
    explicit CBCGPWinApp(LPCTSTR lpszAppName = nullptr) : CWinApp(lpszAppName) {}
};

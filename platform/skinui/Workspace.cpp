#include "Workspace.h"
#include "ContextMenuManager.h"
#include "ShellManager.h"
#include "TooltipManager.h"
#include "VisualManager.h"

namespace skinui {
// Asked of a skinned frame: its CBCGPFrameImpl (LRESULT).
UINT FrameImplQueryMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"SkinUI.FrameImpl");
    return message;
}
BOOL LoadFrameState(CFrameWnd* pFrame, LPCTSTR lpszKey);
BOOL SaveFrameState(CFrameWnd* pFrame, LPCTSTR lpszKey);
} // namespace skinui

namespace {
CBCGPWorkspace* g_workspace = nullptr;
} // namespace

CBCGPWorkspace::CBCGPWorkspace()
{
    g_workspace = this;
}

CBCGPWorkspace::~CBCGPWorkspace()
{
    if (g_pContextMenuManager == m_pContextMenuManager.get())
        g_pContextMenuManager = nullptr;
    if (g_pTooltipManager == m_pTooltipManager.get())
        g_pTooltipManager = nullptr;
    if (g_pShellManager == m_pShellManager.get())
        g_pShellManager = nullptr;
    if (g_workspace == this)
        g_workspace = nullptr;
}

CBCGPWorkspace* CBCGPWorkspace::GetInstance()
{
    return g_workspace;
}

CString CBCGPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName)
{
    CString previous = m_strRegistryBase;
    m_strRegistryBase = lpszSectionName && *lpszSectionName ? lpszSectionName : L"Workspace";
    return previous;
}

CString CBCGPWorkspace::GetRegSectionPath(LPCTSTR szSectionAdd) const
{
    CWinApp* app = AfxGetApp();
    const LPCTSTR key = app && app->m_pszRegistryKey && *app->m_pszRegistryKey ? app->m_pszRegistryKey : L"SkinUI";
    LPCTSTR profile = app && app->m_pszProfileName && *app->m_pszProfileName ? app->m_pszProfileName : nullptr;
    if (!profile)
        profile = app && app->m_pszAppName && *app->m_pszAppName ? app->m_pszAppName : L"Application";
    CString path;
    path.Format(L"Software\\%s\\%s\\%s\\", key, profile, m_strRegistryBase.GetString());
    if (szSectionAdd && *szSectionAdd) {
        path += szSectionAdd;
        if (path[path.GetLength() - 1] != L'\\')
            path += L'\\';
    }
    return path;
}

void CBCGPWorkspace::EnsurePreLoadState()
{
    if (!m_bPreLoaded) {
        m_bPreLoaded = true;
        PreLoadState();
    }
}

BOOL CBCGPWorkspace::LoadState(CFrameWnd* pFrame, LPCTSTR lpszSectionName)
{
    EnsurePreLoadState();
    return pFrame && skinui::LoadFrameState(pFrame, GetRegSectionPath(lpszSectionName));
}

BOOL CBCGPWorkspace::SaveState(CFrameWnd* pFrame, LPCTSTR lpszSectionName)
{
    return pFrame && skinui::SaveFrameState(pFrame, GetRegSectionPath(lpszSectionName));
}

BOOL CBCGPWorkspace::InitContextMenuManager()
{
    if (!m_pContextMenuManager)
        m_pContextMenuManager = std::make_unique<CBCGPContextMenuManager>();
    if (!g_pContextMenuManager)
        g_pContextMenuManager = m_pContextMenuManager.get();
    return TRUE;
}

BOOL CBCGPWorkspace::InitTooltipManager()
{
    if (!m_pTooltipManager)
        m_pTooltipManager = std::make_unique<CBCGPTooltipManager>();
    if (!g_pTooltipManager)
        g_pTooltipManager = m_pTooltipManager.get();
    return TRUE;
}

BOOL CBCGPWorkspace::InitShellManager()
{
    if (!m_pShellManager)
        m_pShellManager = std::make_unique<CBCGPShellManager>();
    if (!g_pShellManager)
        g_pShellManager = m_pShellManager.get();
    return TRUE;
}

void CBCGPWorkspace::SetVisualTheme(BCGP_VISUAL_THEME theme)
{
    m_theme = theme;
    switch (theme) {
    case BCGP_VISUAL_THEME_OFFICE_2003:
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2003));
        break;
    case BCGP_VISUAL_THEME_OFFICE_2013_WHITE:
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        break;
    case BCGP_VISUAL_THEME_VS_2012:
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManagerVS2012));
        break;
    default:
        m_theme = BCGP_VISUAL_THEME_DEFAULT;
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager));
        break;
    }
}

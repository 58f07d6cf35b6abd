// The application's file commands and the Export menu: favourites, print, e-mail, copy and
// move, on the main frame's list and print window.
#include <shlobj.h>
#include "DlgAddFavorite.h"
#include "ExportMenu.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"

namespace {

std::wstring PicturesFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, path)))
        return std::wstring();
    return path;
}

} // namespace

void CLumivoShowsApp::BindFileCommands()
{
    if (m_favoriteRoot.empty())
        m_favoriteRoot = kZVFavoriteRegRoot;
    // The tree's parts (favourites, its folder) are bound by the frame once its pane exists.
    FileCommandPlaces& places = m_fileCommands.places;
    places.list = m_pMainFrame ? &m_pMainFrame->m_wndList : nullptr;
    places.printWnd = m_pMainFrame ? &m_pMainFrame->m_wndPrint : nullptr;
    places.picturesFolder = PicturesFolder;
    places.exportMenu = [this] { return GetExportMenu(); };
    places.owner = m_pMainFrame ? m_pMainFrame->GetSafeHwnd() : nullptr;
    places.icon = m_hAppIcon;
    m_fileCommands.favoriteDialog = [this](std::wstring& folder, std::wstring& name, int& icon) {
        CDlgAddFavorite dialog(m_pMainWnd, m_favoriteRoot.c_str());
        dialog.m_strFolder = folder;
        dialog.m_strName = name;
        dialog.m_nIcon = icon;
        if (dialog.DoModal() != IDOK)
            return false;
        folder = dialog.m_strFolder;
        name = dialog.m_strName;
        icon = dialog.m_nIcon;
        return true;
    };
}

HMENU CLumivoShowsApp::GetExportMenu()
{
    CBCGPContextMenuManager* menus = GetContextMenuManager();
    return menus ? menus->GetMenuById(IDR_MENU_EXPORT) : nullptr;
}

void CLumivoShowsApp::SetExportMenuMode(bool favorites)
{
    ::SetExportMenuMode(GetExportMenu(), favorites);
}

void CLumivoShowsApp::UpdateCopyMoveMenus()
{
    m_fileCommands.UpdateMenus();
}

void CLumivoShowsApp::SetCopyToMenuText(const wchar_t* operation, const wchar_t* target)
{
    ::SetCopyToMenuText(GetExportMenu(), operation, target);
}

void CLumivoShowsApp::OnCopyMoveFavorite(UINT nID)
{
    m_fileCommands.ToFavorite(nID);
}

void CLumivoShowsApp::OnCopyToFolder()
{
    m_fileCommands.ToPickedFolder(CopyOrMove::Copy);
}

void CLumivoShowsApp::OnMoveToFolder()
{
    m_fileCommands.ToPickedFolder(CopyOrMove::Move);
}

void CLumivoShowsApp::OnLastOperate()
{
    m_fileCommands.RepeatLast();
}

void CLumivoShowsApp::OnAddFavorite()
{
    m_fileCommands.AddFavorite();
}

void CLumivoShowsApp::OnPrint()
{
    m_fileCommands.Print();
}

void CLumivoShowsApp::OnEMail()
{
    m_fileCommands.EMail();
}

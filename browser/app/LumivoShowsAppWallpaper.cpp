// The application's wallpaper commands: they act on the picture list's selection through its
// wallpaper routines.
#include "LumivoShowsApp.h"
#include "EditorUtils.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "Wallpaper.h"
#include "ZVUILibApp.h"

namespace {

CPictureListView* List()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!app || !app->m_pMainFrame || !app->m_pMainFrame->m_wndList.GetSafeHwnd())
        return nullptr;
    return &app->m_pMainFrame->m_wndList;
}

int StyleOfCommand(UINT id)
{
    switch (id) {
    case ID_WALLPAPER_TILE: return kWallpaperTile;
    case ID_WALLPAPER_CENTER: return kWallpaperCenter;
    case ID_WALLPAPER_STRETCH: return kWallpaperStretch;
    case ID_WALLPAPER_KEEP_ASPECT: return kWallpaperKeepAspect;
    default: return kWallpaperAutomatic;
    }
}

} // namespace

void CLumivoShowsApp::OnWallpaperAutomatic()
{
    OnWallpaperStyle(ID_WALLPAPER_AUTOMATIC);
}

void CLumivoShowsApp::OnWallpaperStyle(UINT nID)
{
    if (CPictureListView* list = List())
        list->SetWallpaper(StyleOfCommand(nID));
}

void CLumivoShowsApp::OnWallpaperCopy()
{
    if (CPictureListView* list = List())
        list->CopyToWallpaperFolder();
}

void CLumivoShowsApp::OnWallpaperOpenFolder()
{
    CPictureListView* list = List();
    if (list && list->IsOperateDisabled(1))
        return;
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_WALLPAPER, true);
    if (folder[0])
        RunAndWait(folder, nullptr, false);
}

void CLumivoShowsApp::OnWallpaperControlPanel()
{
    RunAndWait(L"rundll32.exe", L"shell32.dll Control_RunDLL desk.cpl ,2", false);
}

void CLumivoShowsApp::OnUpdateWallpaper(CCmdUI* pCmdUI)
{
    CPictureListView* list = List();
    pCmdUI->Enable(list && list->CurrentPicture() >= 0);
}

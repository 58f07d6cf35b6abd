// The application's wallpaper commands: they act on the picture of the viewer while it is shown,
// else on the picture list's selection, through the list's wallpaper routines.
#include "LumivoShowsApp.h"
#include "EditorUtils.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
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

// The viewer's picture while the viewer is shown, else empty.
std::wstring ViewerPicture()
{
    CPicFullScreenFrame* viewer = g_pPicFullScreenFrame;
    return viewer && viewer->GetSafeHwnd() && viewer->IsWindowVisible() ? viewer->m_wndView.GetPath() : std::wstring();
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
    CPictureListView* list = List();
    if (!list)
        return;
    const std::wstring shown = ViewerPicture();
    if (!shown.empty())
        list->SetWallpaperFile(shown.c_str(), StyleOfCommand(nID));
    else
        list->SetWallpaper(StyleOfCommand(nID));
}

void CLumivoShowsApp::OnWallpaperCopy()
{
    CPictureListView* list = List();
    if (!list)
        return;
    const std::wstring shown = ViewerPicture();
    if (!shown.empty())
        list->CopyFileToWallpaperFolder(shown.c_str());
    else
        list->CopyToWallpaperFolder();
}

void CLumivoShowsApp::OnWallpaperOpenFolder()
{
    CPictureListView* list = List();
    if (list && list->IsOperateDisabled(1))
        return;
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_WALLPAPER, false);
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
    pCmdUI->Enable(list && (!ViewerPicture().empty() || list->CurrentPicture() >= 0));
}

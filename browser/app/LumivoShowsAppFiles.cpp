// The application's file commands and the Export menu: favourites, print, e-mail, copy and
// move, on the main frame's list and print window.
#include <shlobj.h>
#include "DlgAddFavorite.h"
#include "ExportMenu.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
#include "ViewerIds.h"

namespace {

std::wstring PicturesFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, path)))
        return std::wstring();
    return path;
}

// The viewer reaches the application through these two hooks.
void ViewerFileCommand(UINT id)
{
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->RunViewerFileCommand(id);
}

void ViewerExportMenu(CWnd* owner, CPoint at)
{
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->PopupViewerExportMenu(owner, at);
}

// The viewer when it is up and shown: the print and mail commands then take its picture.
CPicFullScreenFrame* ShownViewer()
{
    CPicFullScreenFrame* viewer = g_pPicFullScreenFrame;
    return viewer && viewer->GetSafeHwnd() && viewer->IsWindowVisible() ? viewer : nullptr;
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
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
    CPicFullScreenFrame::s_pFileCommand = ViewerFileCommand;
    CPicFullScreenFrame::s_pExportMenu = ViewerExportMenu;
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
    if (CPicFullScreenFrame* viewer = ShownViewer())
        m_fileCommands.Print(viewer->m_wndView.GetPath());
    else
        m_fileCommands.Print();
}

void CLumivoShowsApp::OnEMail()
{
    if (CPicFullScreenFrame* viewer = ShownViewer())
        m_fileCommands.EMail({viewer->m_wndView.GetPath()});
    else
        m_fileCommands.EMail();
}

void CLumivoShowsApp::RunViewerFileCommand(UINT id)
{
    CPicFullScreenFrame* viewer = g_pPicFullScreenFrame;
    if (!viewer || !viewer->GetSafeHwnd() || !viewer->IsFileCommandFromViewer())
        return;
    const std::wstring path = viewer->m_wndView.GetPath();
    if (path.empty())
        return;
    const std::vector<std::wstring> paths{path};
    CopyMoveResult result;
    if (id == ID_VIEWER_LAST_OPERATE)
        result = m_fileCommands.RepeatLast(paths);
    else if (id == ID_VIEWER_COPY_SELECT || id == ID_VIEWER_MOVE_SELECT)
        result = m_fileCommands.ToPickedFolder(id == ID_VIEWER_MOVE_SELECT ? CopyOrMove::Move : CopyOrMove::Copy, paths);
    else
        result = m_fileCommands.ToFavorite(id, paths);
    if (result.outcome == CopyMoveResult::NotRun)
        return;
    const bool move = m_fileCommands.lastOperation == CopyOrMove::Move;
    const std::wstring operation = TranslateString(move ? L"Move to" : L"Copy to");
    std::wstring text = result.outcome == CopyMoveResult::Done ? FileNameOf(path)
                                                                : std::wstring(TranslateString(L"The operation failed"));
    text += L"\r\n" + operation + L" " + m_fileCommands.lastTarget;
    m_fileCommands.note(text.c_str(), 1);
    // A move that left the file where it was keeps the picture.
    if (move && !result.gone.empty() && g_pPicFullScreenFrame == viewer)
        viewer->DropShownPicture();
}

void CLumivoShowsApp::PopupViewerExportMenu(CWnd* owner, CPoint at)
{
    SetExportMenuMode(false);
    UpdateCopyMoveMenus();
    if (CBCGPContextMenuManager* menus = GetContextMenuManager())
        menus->ShowPopupMenu(IDR_MENU_EXPORT, at.x, at.y, owner);
}

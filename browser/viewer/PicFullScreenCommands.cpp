// The viewer frame's commands on the shown picture: delete, rename, the hand-offs to the editor,
// resize, the folders, the menus (edit, online size, export) and the copy and move commands.
#include "PicFullScreenFrame.h"
#include "DlgLumivoTools.h"
#include "EditorUtils.h"
#include "DlgInput.h"
#include "LocalFileIO.h"
#include "LumivoShowsApp.h"
#include "MainFrame.h"
#include "BrowserUtil.h"
#include "ProgramStart.h"
#include "SheetOption.h"
#include "ViewerIds.h"
#include "WallpaperCommands.h"
#include "ZVUILibApp.h"

void (*CPicFullScreenFrame::s_pFileCommand)(UINT command) = nullptr;
void (*CPicFullScreenFrame::s_pExportMenu)(CWnd* owner, CPoint at) = nullptr;
wchar_t CPicFullScreenFrame::s_onlineSize = L'M';

namespace {

const wchar_t kSizeLetters[] = L"SMLF";

std::wstring ViewerQuoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

// The folder part of a path, without its last backslash.
std::wstring ViewerFolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// Every item of the menu and its sub-menus in the user's language.
void TranslateMenuTexts(HMENU menu)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {sizeof info};
        info.fMask = MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 127;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (text[0]) {
            const CString translated = TranslateString(text);
            MENUITEMINFOW change = {sizeof change};
            change.fMask = MIIM_STRING;
            change.dwTypeData = const_cast<LPWSTR>(static_cast<LPCWSTR>(translated));
            ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
        }
        if (info.hSubMenu)
            TranslateMenuTexts(info.hSubMenu);
    }
}

CPoint CursorPoint()
{
    CPoint at;
    ::GetCursorPos(&at);
    return at;
}

} // namespace

void CPicFullScreenFrame::DeleteShownPicture()
{
    CPictureListView* list = m_pMain ? &m_pMain->m_wndList : nullptr;
    const int index = m_wndView.GetCurrent();
    if (!list || !list->GetSafeHwnd() || index < 0 || list->IsOperateDisabled(1))
        return;
    // Asked here once; the list's own delete, which asks again, is not used.
    const CString question = TranslateString(L"Are you sure to delete the file(s) ?");
    const int answer = list->m_messageBox ? list->m_messageBox(question, MB_YESNO | MB_ICONQUESTION)
                                          : BCGPMessageBox(GetSafeHwnd(), question, nullptr, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES)
        return;
    const std::wstring path = m_wndView.GetPath();
    KQPathSet paths;
    paths.Insert(BrowserString(path.c_str()));
    if (list->m_recycle)
        list->m_recycle(paths);
    // A file the shell kept stays, and so does its picture.
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    DropShownPicture();
}

// The shown picture left its folder: the list and the viewer drop it together.
void CPicFullScreenFrame::DropShownPicture()
{
    CPictureListView* list = m_pMain ? &m_pMain->m_wndList : nullptr;
    const int index = m_wndView.GetCurrent();
    if (!list || !list->GetSafeHwnd() || index < 0)
        return;
    m_bRotationUnsaved = false;
    if (m_wndView.RemoveItem(index) <= 0) {
        CPictureListView* reread = list;
        SendMessage(WM_CLOSE);
        reread->Refresh();
    }
}

void CPicFullScreenFrame::RenameShownPicture()
{
    CPictureListView* list = m_pMain ? &m_pMain->m_wndList : nullptr;
    const std::wstring path = m_wndView.GetPath();
    if (path.empty())
        return;
    const size_t slash = path.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    std::wstring name = path.substr(folder.size()), extension;
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        extension = name.substr(dot);
        name.erase(dot);
    }
    wchar_t text[MAX_PATH] = {};
    wcsncpy(text, name.c_str(), MAX_PATH - 1);
    const CString prompt = TranslateString(L"Please input"), caption = TranslateString(L"Rename");
    const bool typed = list && list->m_inputText ? list->m_inputText(text, prompt, caption) : GetInputText(text, prompt, caption);
    if (!typed || !text[0])
        return;
    const std::wstring newName = std::wstring(text) + extension;
    const std::wstring target = folder + newName;
    if (target == path)
        return;
    auto tell = [&](const CString& message) {
        if (list && list->m_messageBox)
            list->m_messageBox(message, MB_OK | MB_ICONERROR);
        else
            BCGPMessageBox(GetSafeHwnd(), message, nullptr, MB_OK | MB_ICONERROR);
    };
    // A name with a folder in it ("\", "..\") or a character Windows refuses is not a rename.
    if (!IsValidItemName(newName.c_str())) {
        tell(TranslateString(L"A name may not hold any of these characters: \\ / : * ? \" < > |"));
        return;
    }
    if (!GetLocalFileIO().Move(path.c_str(), target.c_str())) {
        CString message;
        message.Format(L"%s\n\"%s\"", static_cast<LPCTSTR>(TranslateString(L"Fail to rename")), target.c_str());
        tell(message);
        return;
    }
    const int index = m_wndView.GetCurrent();
    if (list && index >= 0) {
        list->m_folderBrowser.Rename(index, newName.c_str());
        list->PostUpdateView();
    }
    m_wndView.SetShownPath(target);
    UpdateTitle();
}

void CPicFullScreenFrame::HandOff(HandOffMode mode)
{
    CPictureListView* list = m_pMain ? &m_pMain->m_wndList : nullptr;
    const std::wstring path = m_wndView.GetPath();
    if (path.empty())
        return;
    if (!IsLumivoToolsInstalled()) {
        if (list && list->m_showInstallDialog)
            list->m_showInstallDialog();
        else
            ShowInstallToolsDialog();
        return;
    }
    if (list)
        list->SetHandedOver(path.c_str());
    StartEditorHandOff(PlanEditorHandOff(mode, {HandOffItem{path, false}}));
}

void CPicFullScreenFrame::ResizeShownPicture()
{
    CPictureListView* list = m_pMain ? &m_pMain->m_wndList : nullptr;
    const std::wstring path = m_wndView.GetPath();
    if (path.empty())
        return;
    if (!IsLumivoToolsInstalled()) {
        if (list && list->m_showInstallDialog)
            list->m_showInstallDialog();
        else
            ShowInstallToolsDialog();
        return;
    }
    if (!ResizePictureFile(path.c_str()))
        return;
    const int index = m_wndView.GetCurrent();
    if (list && index >= 0)
        list->UpdateItemIcon(index);
    if (index >= 0)
        m_wndView.ShowPicture(index, 0);
    else
        m_wndView.OpenFile(path.c_str());
}

void CPicFullScreenFrame::PrepareSizeMenu(CMenu* popup)
{
    for (UINT id = ID_VIEWER_SIZE_SMALL; id <= ID_VIEWER_SIZE_FULL; ++id)
        popup->CheckMenuItem(id, MF_BYCOMMAND | (kSizeLetters[id - ID_VIEWER_SIZE_SMALL] == s_onlineSize ? MF_CHECKED : MF_UNCHECKED));
}

void CPicFullScreenFrame::PopupEditMenu(CPoint at)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEWER_EDIT))
        return;
    if (CMenu* popup = menu.GetSubMenu(0)) {
        TranslateMenuTexts(popup->GetSafeHmenu());
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
    }
}

void CPicFullScreenFrame::OnEditMenu()
{
    if (m_pMain && m_pMain->m_wndList.GetSafeHwnd() && m_pMain->m_wndList.IsOperateDisabled(1))
        return;
    PopupEditMenu(CursorPoint());
}

void CPicFullScreenFrame::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    // Only the picture has the menu; the bars' right clicks are their own.
    if (!pWnd || pWnd->GetSafeHwnd() != m_wndView.GetSafeHwnd())
        return;
    // From the keyboard (no point): at the cursor. Up and left of the point, so the pointer
    // rests on the menu's first item.
    if (pos.x == -1 && pos.y == -1)
        pos = CursorPoint();
    PopupEditMenu(CPoint(pos.x - 20, pos.y - 10));
}

void CPicFullScreenFrame::OnOnlineSizeMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEWER_ONLINE_SIZE))
        return;
    if (CMenu* popup = menu.GetSubMenu(0)) {
        TranslateMenuTexts(popup->GetSafeHmenu());
        PrepareSizeMenu(popup);
        const CPoint at = CursorPoint();
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
    }
}

void CPicFullScreenFrame::OnUpdateOnlineSizeMenu(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pMain && m_pMain->m_wndList.GetSafeHwnd() && m_pMain->m_wndList.IsOnline());
}

void CPicFullScreenFrame::OnOnlineSize(UINT nID)
{
    s_onlineSize = kSizeLetters[nID - ID_VIEWER_SIZE_SMALL];
}

void CPicFullScreenFrame::OnUpdateOnlineSize(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(kSizeLetters[pCmdUI->m_nID - ID_VIEWER_SIZE_SMALL] == s_onlineSize);
}

void CPicFullScreenFrame::OnFolder()
{
    // The browser started on a picture becomes the whole browser: its main frame shows.
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->m_bViewerOnly = false;
    m_wndNavBar.ShowFolderAndClose();
    m_wndNavBar.AdjustLocations();
    if (m_pMain && m_pMain->GetSafeHwnd() && m_pMain->m_wndList.GetSafeHwnd() && m_wndView.GetCurrent() < 0) {
        const std::wstring folder = ViewerFolderOf(m_wndView.GetPath());
        if (!folder.empty())
            m_pMain->m_wndList.OpenFolder(folder.c_str());
    }
    SendMessage(WM_CLOSE);
}

void CPicFullScreenFrame::OnExport()
{
    if (s_pExportMenu)
        s_pExportMenu(this, CursorPoint());
}

void CPicFullScreenFrame::OnOption()
{
    CSheetOption sheet(TranslateString(L"Option"), this);
    sheet.DoModal();
    m_wndView.Render();
}

void CPicFullScreenFrame::OnDelete() { DeleteShownPicture(); }
void CPicFullScreenFrame::OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
void CPicFullScreenFrame::OnRename() { RenameShownPicture(); }

void CPicFullScreenFrame::OnOpenFolderWindows()
{
    if (!m_wndView.GetPath().empty())
        RunAndWait(L"explorer", (L"/select," + ViewerQuoted(m_wndView.GetPath())).c_str(), false);
}

void CPicFullScreenFrame::OnOpenFolderLumivo()
{
    wchar_t self[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring folder = ViewerFolderOf(m_wndView.GetPath());
    if (n == 0 || n >= MAX_PATH || folder.empty())
        return;
    RunAndWait(self, ViewerQuoted(folder).c_str(), false);
}

void CPicFullScreenFrame::OnHandEffect() { HandOff(HandOffMode::Effect); }
void CPicFullScreenFrame::OnHandPage() { HandOff(HandOffMode::Page); }
void CPicFullScreenFrame::OnHandSplit() { HandOff(HandOffMode::Split); }
void CPicFullScreenFrame::OnHandCombine() { HandOff(HandOffMode::Combine); }
void CPicFullScreenFrame::OnHandCrop() { HandOff(HandOffMode::Crop); }
void CPicFullScreenFrame::OnHandEdit() { HandOff(HandOffMode::Edit); }
void CPicFullScreenFrame::OnResize() { ResizeShownPicture(); }

void CPicFullScreenFrame::OnFileCommand(UINT nID)
{
    // The flag is down again whatever the command did.
    m_bFromViewer = true;
    if (s_pFileCommand)
        s_pFileCommand(nID);
    m_bFromViewer = false;
}

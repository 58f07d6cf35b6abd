// The list's menu commands, their states and its keys.
#include "PictureListView.h"
#include "EditorUtils.h"
#include "ProgramStart.h"
#include "WallpaperCommands.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "ZVUILibApp.h"

namespace {

struct HandOffCommand {
    UINT id;
    HandOffMode mode;
};
const HandOffCommand kHandOffCommands[] = {
    {ID_PROCESS_EFFECT, HandOffMode::Effect}, {ID_PROCESS_SPLIT, HandOffMode::Split},
    {ID_PROCESS_CROP, HandOffMode::Crop},     {ID_PROCESS_PAGE, HandOffMode::Page},
    {ID_PROCESS_COMBINE, HandOffMode::Combine}, {ID_PROCESS_EDIT, HandOffMode::Edit},
};

std::wstring Quoted(const wchar_t* path)
{
    return std::wstring(L"\"") + path + L"\"";
}

// The folder part of a path: up to its last backslash, a drive keeping its own.
std::wstring FolderOf(const wchar_t* path)
{
    std::wstring folder(path);
    const size_t slash = folder.rfind(L'\\');
    if (slash == std::wstring::npos)
        return std::wstring();
    folder.erase(slash);
    if (!folder.empty() && folder.back() == L':')
        folder += L'\\';
    return folder;
}

} // namespace

bool CPictureListView::EnsureEditor()
{
    if (IsLumivoToolsInstalled())
        return true;
    if (m_showInstallDialog)
        m_showInstallDialog();
    return false;
}

int CPictureListView::CurrentPicture()
{
    for (int i = GetNextSelectItem(-1); i >= 0; i = GetNextSelectItem(i))
        if (!(GetItemState(i) & KQLS_FOLDER))
            return i;
    return CKQPicListView::GetHoverItem(false, false);
}

std::vector<HandOffItem> CPictureListView::HandOffItems()
{
    std::vector<HandOffItem> items;
    const int current = CurrentPicture();
    if (current < 0)
        return items;
    items.push_back(HandOffItem{GetItemFullFileName(current).GetString(), false});
    if (!(GetItemState(current) & KQLS_SELECTED))
        return items;
    for (int i = GetNextSelectItem(current); i >= 0; i = GetNextSelectItem(i))
        items.push_back(HandOffItem{GetItemFullFileName(i).GetString(), (GetItemState(i) & KQLS_FOLDER) != 0});
    return items;
}

bool CPictureListView::HandOffToEditor(HandOffMode mode)
{
    const std::vector<HandOffItem> items = HandOffItems();
    if (items.empty() || !EnsureEditor())
        return false;
    SetHandedOver(items.front().path.c_str());
    return StartEditorHandOff(PlanEditorHandOff(mode, items));
}

void CPictureListView::ViewCurrentItem()
{
    const int index = GetCurrentItem(true);
    if (index < 0)
        return;
    if (GetItemState(index) & KQLS_FOLDER)
        OpenFolder(GetItemFullFileName(index).GetString());
    else
        ShowFullPicture(index - CountItems().folders);
}

void CPictureListView::OpenFolderInExplorer()
{
    const int index = CKQPicListView::GetHoverItem(false, true);
    std::wstring parameters;
    if (index < 0)
        parameters = m_strFolder.GetString();
    else if (GetItemState(index) & KQLS_FOLDER)
        parameters = Quoted(GetItemFullFileName(index).GetString());
    else
        parameters = L"/select," + Quoted(GetItemFullFileName(index).GetString());
    RunAndWait(L"explorer", parameters.c_str(), false);
}

void CPictureListView::OpenFolderInBrowser()
{
    const int index = CKQPicListView::GetHoverItem(false, true);
    std::wstring folder;
    if (index < 0)
        folder = m_strFolder.GetString();
    else if (GetItemState(index) & KQLS_FOLDER)
        folder = GetItemFullFileName(index).GetString();
    else
        folder = FolderOf(GetItemFullFileName(index).GetString());
    wchar_t self[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    RunAndWait(self, Quoted(folder.c_str()).c_str(), false);
}

// An online folder fetches its directory again, whatever its age.
void CPictureListView::Refresh()
{
    if (m_hShellItem) {
        RefreshFolder();
        return;
    }
    if (m_strFolder.IsEmpty())
        return;
    if (m_client.IsOnlinePath(m_strFolder.GetString()))
        RefreshFolder();
    else
        OpenFolder(m_strFolder.GetString());
}

void CPictureListView::SelectAllItems()
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        const bool folder = (GetItemState(i) & KQLS_FOLDER) != 0;
        if (folder && !m_bSelectAllFolders)
            SetItemState(i, 0, KQLS_SELECTED);
        else
            SetItemState(i, KQLS_SELECTED, 0);
    }
    m_bSelectAllFolders = !m_bSelectAllFolders;
    RecalclayoutIcon(true);
    DrawListView();
}

void CPictureListView::DeselectItems()
{
    if (GetNextSelectItem(-1) >= 0) {
        Deselect();
    } else {
        m_copyPaths.RemoveAll();
        m_cutPaths.RemoveAll();
        UpdateItemCopyCutState();
        RecalclayoutIcon(true);
        DrawListView();
    }
    m_bSelectAllFolders = false;
}

void CPictureListView::InvertSelection()
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        if (GetItemState(i) & KQLS_SELECTED)
            SetItemState(i, 0, KQLS_SELECTED);
        else
            SetItemState(i, KQLS_SELECTED, 0);
    }
    RecalclayoutIcon(true);
    DrawListView();
}

bool CPictureListView::HasPicture()
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (!(GetItemState(i) & KQLS_FOLDER))
            return true;
    return false;
}

// Commands that change files or the selection say why they do nothing during a batch.
void CPictureListView::OnListCommand(UINT id)
{
    for (const HandOffCommand& command : kHandOffCommands)
        if (command.id == id) {
            HandOffToEditor(command.mode);
            return;
        }
    switch (id) {
    case ID_LIST_VIEW:
    case ID_LIST_VIEW_FULL: ViewCurrentItem(); return;
    case ID_OPEN_FOLDER_WINDOWS: OpenFolderInExplorer(); return;
    case ID_OPEN_FOLDER_LUMIVO: OpenFolderInBrowser(); return;
    case ID_LIST_REFRESH: Refresh(); return;
    default: break;
    }
    if (IsOperateDisabled(1))
        return;
    switch (id) {
    case ID_PROCESS_RESIZE: ResizeCurrentPicture(); break;
    case ID_LIST_NEW_FOLDER: NewFolder(); break;
    case ID_LIST_RENAME: RenameItem(); break;
    case ID_LIST_DELETE: DeleteFiles(); break;
    case ID_LIST_CUT: CopyOrCut(true); break;
    case ID_LIST_COPY: CopyOrCut(false); break;
    case ID_LIST_PASTE: Paste(); break;
    case ID_LIST_SELECT_ALL: SelectAllItems(); break;
    case ID_LIST_DESELECT: DeselectItems(); break;
    case ID_LIST_INVERT: InvertSelection(); break;
    default: break;
    }
}

void CPictureListView::OnUpdateListCommand(CCmdUI* pCmdUI)
{
    bool enable = true;
    switch (pCmdUI->m_nID) {
    case ID_LIST_VIEW:
    case ID_LIST_VIEW_FULL:
    case ID_LIST_COPY:
    case ID_LIST_CUT:
    case ID_LIST_DELETE: enable = GetCurrentItem(true) >= 0; break;
    case ID_PROCESS_EFFECT:
    case ID_PROCESS_SPLIT:
    case ID_PROCESS_CROP:
    case ID_PROCESS_PAGE:
    case ID_PROCESS_COMBINE:
    case ID_PROCESS_EDIT:
    case ID_PROCESS_RESIZE: enable = CurrentPicture() >= 0; break;
    case ID_LIST_PASTE:
        enable = m_copyPaths.GetCount() > 0 || m_cutPaths.GetCount() > 0 || ::IsClipboardFormatAvailable(CF_HDROP);
        break;
    case ID_LIST_SELECT_ALL:
    case ID_LIST_DESELECT:
    case ID_LIST_INVERT: enable = HasPicture(); break;
    default: break;
    }
    pCmdUI->Enable(enable);
}

// Keys: during a batch none of these does anything, and says nothing.
void CPictureListView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (IsOperateDisabled(0))
        return;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    UINT command = 0;
    if (ctrl) {
        switch (key) {
        case 'A': command = ID_LIST_SELECT_ALL; break;
        case 'C': command = ID_LIST_COPY; break;
        case 'V': command = ID_LIST_PASTE; break;
        case 'X': command = ID_LIST_CUT; break;
        default: break;
        }
    } else {
        switch (key) {
        case VK_RETURN:
            if (auto* frame = dynamic_cast<CMainFrame*>(GetParent()))
                frame->ToggleFullScreen();
            return;
        case VK_DELETE: command = ID_LIST_DELETE; break;
        case VK_F2:
            OnListCommand(ID_LIST_RENAME);
            CKQPicListView::OnKeyDown(key, repeat, flags);
            return;
        case VK_F5: command = ID_LIST_REFRESH; break;
        default: break;
        }
    }
    if (command)
        OnListCommand(command);
    else
        CKQPicListView::OnKeyDown(key, repeat, flags);
}

// From the keyboard (the menu key, Shift+F10) the menu opens at the focused item; from the mouse
// a little up and left of the pointer.
void CPictureListView::OnContextMenu(CWnd*, CPoint pos)
{
    if (pos.x == -1 && pos.y == -1) {
        const int index = CKQPicListView::GetHoverItem(true, true);
        CRect cell;
        bool found = false;
        for (const KQ_PIC_LIST_VISIBLE& v : m_visible)
            if (v.index == index) {
                cell = v.rect;
                found = true;
                break;
            }
        if (found) {
            const int top = m_nType == KQ_TOOLBAR_TOP ? m_nHeight : 0;
            pos = CPoint(cell.left + cell.Width() / 2, cell.top + top + cell.Height() / 2);
        } else {
            pos = CPoint(0, 0);
        }
        ClientToScreen(&pos);
    } else {
        pos.Offset(-20, -10);
    }
    m_ptLastMenu = pos;
    if (CBCGPContextMenuManager* menus = g_pContextMenuManager)
        menus->ShowPopupMenu(IDR_MENU_LIST, pos.x, pos.y, this);
}

void CPictureListView::ResizeCurrentPicture()
{
    const int index = CurrentPicture();
    if (index < 0 || !EnsureEditor())
        return;
    const String path = GetItemFullFileName(index);
    SetHandedOver(path.GetString());
    if (ResizePictureFile(path.GetString()))
        UpdateItemIcon(index);
}

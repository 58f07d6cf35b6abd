#include "FileCommands.h"
#include <algorithm>
#include "BrowserUtil.h"
#include "CopyMoveRules.h"
#include "ExportMenu.h"
#include "KQPPopupWindow.h"
#include "KQPrintWnd.h"
#include "LocalFileIO.h"
#include "LumivoShowsIds.h"
#include "PictureListView.h"
#include "RecycleBin.h"
#include "ShellService.h"
#include "ZVUILibApp.h"

namespace {

const UINT WM_LIST_REFRESH = 0x700;

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const wchar_t* OperationWord(CopyOrMove operation)
{
    return TranslateString(operation == CopyOrMove::Move ? L"Move to" : L"Copy to");
}

// The favourite at a position of the list, in the order the tree and the menus show them.
const ST_FavFolder* FavoriteAt(CFavoriteFolder& favorites, int index)
{
    int i = 0;
    for (auto it = favorites.GetFolders().Begin(); !it.IsEnd(); it.Next(), ++i)
        if (i == index)
            return &it.GetValue();
    return nullptr;
}

} // namespace

FileCommands::FileCommands()
{
    messageBox = [this](const wchar_t* text, const wchar_t* caption, UINT type) {
        return BCGPMessageBox(places.owner, text, caption, type);
    };
    note = [this](const wchar_t* text, int style) { PopupNotifyWnd(text, style, places.icon, nullptr); };
    pickFolder = [this](std::wstring& folder) {
        wchar_t path[MAX_PATH] = {};
        if (!SelectFolder(path, places.owner, nullptr))
            return false;
        folder = path;
        return true;
    };
    confirmMove = [this] {
        return messageBox(TranslateString(L"This operation will move your files"), TranslateString(L"Move to"),
                          MB_OKCANCEL | MB_ICONWARNING) == IDOK;
    };
}

// ---- choosing the target ----

bool FileCommands::ChooseFavorite(UINT id)
{
    const bool move = id >= ID_MOVE_FAVORITE && id <= ID_MOVE_FAVORITE_LAST;
    if (!move && (id < ID_COPY_FAVORITE || id > ID_COPY_FAVORITE_LAST))
        return false;
    const UINT first = move ? ID_MOVE_FAVORITE : ID_COPY_FAVORITE;
    std::wstring folder, name;
    if (id == first) {
        folder = places.treeFolder ? places.treeFolder() : std::wstring();
        name = TargetFolderName(folder);
    } else {
        // Checked against the favourites as they are now: the menu may predate a removal.
        const int count = places.favorites ? places.favorites->GetFolders().GetCount() : 0;
        const int index = FavoriteIndexForCommand(id, first + 1, count);
        const ST_FavFolder* favorite = index >= 0 ? FavoriteAt(*places.favorites, index) : nullptr;
        if (!favorite)
            return false;
        folder = favorite->path.GetString();
        name = favorite->name.GetString();
    }
    if (folder.empty())
        return false;
    if (move && confirmMove && !confirmMove())
        return false;
    SetTarget(move ? CopyOrMove::Move : CopyOrMove::Copy, folder, name);
    return true;
}

bool FileCommands::ChoosePickedFolder(CopyOrMove operation)
{
    std::wstring folder;
    if (!pickFolder || !pickFolder(folder) || folder.empty())
        return false;
    SetTarget(operation, folder, TargetFolderName(folder));
    return true;
}

void FileCommands::SetTarget(CopyOrMove operation, const std::wstring& folder, const std::wstring& name)
{
    lastOperation = operation;
    lastTarget = folder;
    SetCopyToMenuText(places.exportMenu ? places.exportMenu() : nullptr, OperationWord(operation), name.c_str());
}

bool FileCommands::EnsureTarget()
{
    if (lastTarget.empty())
        return false;
    if (IsFolder(lastTarget))
        return true;
    std::wstring question = lastTarget + L"\n" + TranslateString(L"Do you want to create");
    if (messageBox(question.c_str(), TranslateString(L"This folder isn't exist"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (GetLocalFileIO().MakeDirTree(lastTarget.c_str()) || IsFolder(lastTarget))
        return true;
    std::wstring text = std::wstring(TranslateString(L"Fail to create this folder")) + L" !\r\n" + lastTarget;
    messageBox(text.c_str(), TranslateString(L"Error"), MB_OK | MB_ICONERROR);
    return false;
}

// ---- running it ----

CopyMoveResult FileCommands::ToFavorite(UINT id)
{
    return ChooseFavorite(id) ? Run(nullptr) : CopyMoveResult();
}

CopyMoveResult FileCommands::ToFavorite(UINT id, const std::vector<std::wstring>& paths)
{
    return ChooseFavorite(id) ? Run(&paths) : CopyMoveResult();
}

CopyMoveResult FileCommands::ToPickedFolder(CopyOrMove operation)
{
    return ChoosePickedFolder(operation) ? Run(nullptr) : CopyMoveResult();
}

CopyMoveResult FileCommands::ToPickedFolder(CopyOrMove operation, const std::vector<std::wstring>& paths)
{
    return ChoosePickedFolder(operation) ? Run(&paths) : CopyMoveResult();
}

CopyMoveResult FileCommands::RepeatLast()
{
    return Run(nullptr);
}

CopyMoveResult FileCommands::RepeatLast(const std::vector<std::wstring>& paths)
{
    return Run(&paths);
}

CopyMoveResult FileCommands::Run(const std::vector<std::wstring>* paths)
{
    if (!EnsureTarget())
        return CopyMoveResult();
    if (paths)
        return RunShell(*paths);
    const std::vector<std::wstring> taken = TakeFromList();
    if (taken.empty())
        return CopyMoveResult();
    const CopyMoveResult result = RunShell(taken);
    AfterListOperation(result);
    return result;
}

CopyMoveResult FileCommands::RunShell(const std::vector<std::wstring>& paths)
{
    CopyMoveResult result;
    PathSet set;
    for (const std::wstring& path : paths)
        if (!path.empty()) {
            set.Insert(BrowserString(path.c_str()));
            result.taken.push_back(path);
        }
    if (result.taken.empty())
        return result;
    const bool move = lastOperation == CopyOrMove::Move;
    SHFILEOPSTRUCTW op;
    InitShellFileOp(op);
    op.hwnd = places.owner;
    const bool ok = ShellFileOperation(op, lastTarget.c_str(), set, move, true);
    result.outcome = ok ? CopyMoveResult::Done : CopyMoveResult::Failed;
    // Even a failed move may have moved some of them.
    if (move)
        result.gone = PathsMovedAway(result.taken, Exists);
    return result;
}

// The selected items, folders first as the list orders them (a copy deselects them), else the
// hovered item.
std::vector<std::wstring> FileCommands::TakeFromList()
{
    std::vector<std::wstring> taken;
    CPictureListView* list = places.list;
    if (!list || !list->GetSafeHwnd())
        return taken;
    list->Lock();
    for (int i = list->GetNextSelectItem(-1); i >= 0; i = list->GetNextSelectItem(i)) {
        taken.push_back(list->GetItemFullFileName(i).GetString());
        if (lastOperation == CopyOrMove::Copy)
            list->SetItemState(i, 0, KQLS_SELECTED);
    }
    if (taken.empty()) {
        const int hovered = list->GetHoverItem(false, true);
        if (hovered >= 0)
            taken.push_back(list->GetItemFullFileName(hovered).GetString());
    }
    list->Unlock();
    taken.erase(std::remove(taken.begin(), taken.end(), std::wstring()), taken.end());
    return taken;
}

void FileCommands::AfterListOperation(const CopyMoveResult& result)
{
    CPictureListView* list = places.list;
    wchar_t text[2 * MAX_PATH + 128] = {};
    if (result.outcome == CopyMoveResult::Done)
        swprintf(text, sizeof text / sizeof text[0], L"%d %ls\r\n%ls %ls", int(result.taken.size()),
                 TranslateString(L"Files(Folders)"), OperationWord(lastOperation), lastTarget.c_str());
    else
        swprintf(text, sizeof text / sizeof text[0], L"%ls\r\n%ls %ls", TranslateString(L"The operation failed"),
                 OperationWord(lastOperation), lastTarget.c_str());
    note(text, 2);
    if (lastOperation == CopyOrMove::Move) {
        // Only the items whose files left: the shell may have kept some, or all.
        for (const std::wstring& path : result.gone) {
            const int index = list->FindItemByPath(path.c_str());
            if (index >= 0)
                list->DeleteItem(index, false, false);
        }
        list->PostUpdateView();
        if (places.afterMove)
            places.afterMove();
    } else {
        list->PostMessage(WM_LIST_REFRESH);
    }
}

// ---- favourites, print, mail ----

bool FileCommands::AddFavorite()
{
    CPictureListView* list = places.list;
    std::wstring folder;
    if (list && list->GetSafeHwnd()) {
        const int hovered = list->GetHoverItem(true, true);
        if (hovered >= 0)
            folder = list->GetItemFullFileName(hovered).GetString();
    }
    return AddFavorite(folder);
}

bool FileCommands::AddFavorite(const std::wstring& start)
{
    std::wstring folder = start;
    std::wstring name = TargetFolderName(folder);
    if (folder.empty())
        name.clear();
    int icon = 0;
    if (!favoriteDialog || !favoriteDialog(folder, name, icon) || !places.favorites)
        return false;
    ST_FavFolder* added = places.favorites->Add(folder.c_str(), name.c_str(), icon);
    if (!added)
        return false;
    if (places.showFavorite)
        places.showFavorite(added);
    return true;
}

bool FileCommands::Print()
{
    CPictureListView* list = places.list;
    const int item = list && list->GetSafeHwnd() ? list->GetHoverItem(true, false) : -1;
    return Print(item >= 0 ? std::wstring(list->GetItemFullFileName(item).GetString()) : std::wstring());
}

bool FileCommands::Print(const std::wstring& path)
{
    if (path.empty()) {
        note(TranslateString(L"Please select a picture file"), 2);
        return false;
    }
    if (!places.printWnd)
        return false;
    places.printWnd->Print(path.c_str());
    return true;
}

bool FileCommands::EMail()
{
    std::vector<std::wstring> paths;
    CPictureListView* list = places.list;
    if (list && list->GetSafeHwnd()) {
        int item = list->GetHoverItem(true, false);
        if (item >= 0) {
            paths.push_back(list->GetItemFullFileName(item).GetString());
            for (item = list->GetNextSelectItem(item); item >= 0; item = list->GetNextSelectItem(item))
                if (!(list->GetItemState(item) & KQLS_FOLDER))
                    paths.push_back(list->GetItemFullFileName(item).GetString());
        }
    }
    return EMail(paths);
}

bool FileCommands::EMail(const std::vector<std::wstring>& paths)
{
    ALT::TList<BrowserString> list;
    for (const std::wstring& path : paths)
        if (!path.empty())
            list.AddTail(BrowserString(path.c_str()));
    if (list.GetCount() == 0) {
        note(TranslateString(L"Please select a picture file"), 2);
        return false;
    }
    return SendMail(list) == 1;
}

void FileCommands::UpdateMenus()
{
    HMENU menu = places.exportMenu ? places.exportMenu() : nullptr;
    // The first target, until a command chooses one: the Pictures folder.
    if (lastTarget.empty() && places.picturesFolder) {
        lastTarget = places.picturesFolder();
        SetCopyToMenuText(menu, OperationWord(CopyOrMove::Copy), (L"\"" + TargetFolderName(lastTarget) + L"\"").c_str());
    }
    CopyMoveMenuFolders folders;
    folders.treeFolder = places.treeFolder ? places.treeFolder() : std::wstring();
    if (folders.treeFolder.empty())
        folders.treeFolder = lastTarget;
    if (places.favorites)
        for (auto it = places.favorites->GetFolders().Begin(); !it.IsEnd(); it.Next())
            folders.favorites.push_back(it.GetValue().name.GetString());
    UpdateCopyMoveMenus(menu, folders);
}

#include "ExportMenu.h"
#include <cwchar>
#include "LumivoShowsIds.h"
#include "ZVUILibApp.h"

namespace {

void SetText(HMENU menu, UINT item, BOOL byPosition, const wchar_t* text)
{
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    ::SetMenuItemInfoW(menu, item, byPosition, &info);
}

void Insert(HMENU menu, UINT position, UINT id, const wchar_t* text)
{
    ::InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING, id, text);
}

// The entries after the first one, up to the separator before "Select Folder", give way to
// one entry per favourite. Entries are found by id, so that a list built with more favourites
// than there are now goes whole.
void RebuildFavorites(HMENU list, UINT firstId, UINT lastId, const CopyMoveMenuFolders& folders)
{
    if (!list)
        return;
    for (UINT id = firstId + 1; id <= lastId; ++id)
        ::DeleteMenu(list, id, MF_BYCOMMAND);
    SetText(list, firstId, FALSE, folders.treeFolder.c_str());
    const size_t count = folders.favorites.size() < lastId - firstId ? folders.favorites.size() : lastId - firstId;
    for (size_t i = 0; i < count; ++i)
        Insert(list, UINT(i + 1), firstId + 1 + UINT(i), folders.favorites[i].c_str());
}

} // namespace

void SetExportMenuMode(HMENU menu, bool favorites)
{
    if (!menu)
        return;
    for (UINT id : {ID_EXPORT_PRINT, ID_EXPORT_EMAIL, ID_ADD_FAVORITE})
        ::DeleteMenu(menu, id, MF_BYCOMMAND);
    if (favorites) {
        Insert(menu, 4, ID_ADD_FAVORITE, TranslateString(L"Add Favorite"));
    } else {
        Insert(menu, 4, ID_EXPORT_PRINT, TranslateString(L"Print"));
        Insert(menu, 5, ID_EXPORT_EMAIL, TranslateString(L"Email"));
    }
}

void UpdateCopyMoveMenus(HMENU menu, const CopyMoveMenuFolders& folders)
{
    if (!menu)
        return;
    SetText(menu, 1, TRUE, TranslateString(L"Copy to"));
    SetText(menu, 2, TRUE, TranslateString(L"Move to"));
    RebuildFavorites(::GetSubMenu(menu, 1), ID_COPY_FAVORITE, ID_COPY_FAVORITE_LAST, folders);
    RebuildFavorites(::GetSubMenu(menu, 2), ID_MOVE_FAVORITE, ID_MOVE_FAVORITE_LAST, folders);
    SetText(menu, ID_COPY_SELECT, FALSE, TranslateString(L"Select Folder"));
    SetText(menu, ID_MOVE_SELECT, FALSE, TranslateString(L"Select Folder"));
}

void SetCopyToMenuText(HMENU menu, const wchar_t* operation, const wchar_t* target)
{
    if (!menu)
        return;
    std::wstring text = operation ? operation : L"";
    text += L' ';
    text += target ? target : L"";
    SetText(menu, ID_EXPORT_LAST, FALSE, text.c_str());
}

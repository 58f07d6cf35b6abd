#include "FavoriteFolder.h"
#include <windows.h>
#include "MD5.h"
#include "RegPath.h"
#include "Win32Owners.h"
#include "WStr.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> WString;

// The subkey of a folder: the MD5 of the path's UTF-16 bytes as upper-case hexadecimal.
WString DigestOf(const WString& path)
{
    char text[33];
    MD5String(path.GetString(), size_t(path.GetLength()) * sizeof(wchar_t), text);
    wchar_t wide[33];
    WStrWidenCopy(wide, text);
    return WString(wide);
}

} // namespace

CFavoriteFolder::CFavoriteFolder() = default;

CFavoriteFolder::~CFavoriteFolder() = default;

void CFavoriteFolder::SetRootRegPath(const wchar_t* root)
{
    m_root.AssignStr(root ? root : L"");
}

// Loading again starts from an empty list, so nothing is listed twice.
int CFavoriteFolder::LoadSetting()
{
    m_folders.RemoveAll();
    const WString root = KeyPath(nullptr);
    win32::RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, root.GetString(), KEY_ENUMERATE_SUB_KEYS))
        return 0;
    for (DWORD index = 0; index < DWORD(kMaxFolders); ++index) {
        wchar_t name[256];
        if (RegEnumKeyW(key.Get(), index, name, 256) != ERROR_SUCCESS)
            break;
        LoadKey(name);
    }
    return 0;
}

// A key without a name or without a path is left out: a folder without a path cannot be shown
// nor removed again by its digest.
bool CFavoriteFolder::LoadKey(const wchar_t* subkey)
{
    const WString key = WString(L"HKCU\\") + KeyPath(subkey);
    ST_FavFolder folder;
    if (!RegQueryString((key + L"\\Name").GetString(), folder.name, nullptr))
        return false;
    if (!RegQueryString((key + L"\\").GetString(), folder.path, nullptr) || folder.path.IsEmpty())
        return false;
    DWORD icon = 0;
    RegQueryDWord((key + L"\\Icon").GetString(), icon, 0);
    folder.icon = int32_t(icon);
    m_folders.InsertMulti(folder.name, folder);
    return true;
}

bool CFavoriteFolder::SaveKey(const wchar_t* digest)
{
    FolderMap::Iter it = m_folders.Begin();
    while (!it.IsEnd() && WStrCompareNoCase(DigestOf(it.GetValue().path).GetString(), digest) != 0)
        it.Next();
    if (it.IsEnd())
        return false;
    const ST_FavFolder& folder = it.GetValue();
    const WString key = WString(L"HKCU\\") + KeyPath(DigestOf(folder.path).GetString());
    const DWORD icon = DWORD(folder.icon);
    return RegSetPath((key + L"\\").GetString(), folder.path.GetString(), REG_SZ,
                      DWORD(folder.path.GetLength() + 1) * sizeof(wchar_t)) &&
           RegSetPath((key + L"\\Icon").GetString(), &icon, REG_DWORD, sizeof icon) &&
           RegSetPath((key + L"\\Name").GetString(), folder.name.GetString(), REG_SZ,
                      DWORD(folder.name.GetLength() + 1) * sizeof(wchar_t));
}

ST_FavFolder* CFavoriteFolder::Add(const wchar_t* path, const wchar_t* name, int icon)
{
    if (WStrLen(path) == 0)
        return nullptr;
    const WString digest = DigestOf(WString(path));
    for (FolderMap::Iter it = m_folders.Begin(); !it.IsEnd(); it.Next())
        if (DigestOf(it.GetValue().path) == digest)
            return nullptr;
    ST_FavFolder folder;
    folder.path.AssignStr(path);
    folder.name.AssignStr(name ? name : L"");
    folder.icon = icon;
    ST_FavFolder* added = &m_folders.InsertMulti(folder.name, folder).GetValue();
    SaveKey(digest.GetString());
    return added;
}

bool CFavoriteFolder::Remove(void* item)
{
    FolderMap::Iter it = FindByItem(item);
    return !it.IsEnd() && Remove(it);
}

// The record stays when its key cannot be deleted, so the list keeps matching the registry.
bool CFavoriteFolder::Remove(FolderMap::Iter& position)
{
    if (position.IsEnd())
        return false;
    const WString key = KeyPath(DigestOf(position.GetValue().path).GetString());
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, key.GetString());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return false;
    FolderMap::Iter next = position;
    next.Next();
    m_folders.Erase(position);
    position = next;
    return true;
}

ST_FavFolder* CFavoriteFolder::GetFavFolder(void* item)
{
    FolderMap::Iter it = FindByItem(item);
    return it.IsEnd() ? nullptr : &it.GetValue();
}

CFavoriteFolder::FolderMap& CFavoriteFolder::GetFolders()
{
    return m_folders;
}

// The root with the subkey appended, one backslash between them however the root ends.
ALT::TString<wchar_t, 0, 8> CFavoriteFolder::KeyPath(const wchar_t* subkey) const
{
    WString path(m_root.GetString());
    int length = path.GetLength();
    while (length > 0 && path.GetString()[length - 1] == L'\\')
        --length;
    WString trimmed;
    trimmed.Reserve(length + 1, path.GetString());
    if (WStrLen(subkey) == 0)
        return trimmed;
    return trimmed + L"\\" + subkey;
}

// No handle names no folder: records not shown yet all have none.
CFavoriteFolder::FolderMap::Iter CFavoriteFolder::FindByItem(void* item) const
{
    if (!item)
        return m_folders.End();
    FolderMap::Iter it = m_folders.Begin();
    while (!it.IsEnd() && it.GetValue().item != item)
        it.Next();
    return it;
}

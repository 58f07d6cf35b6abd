#pragma once
// CFavoriteFolder: the user's favourite folders, one registry key each below a root key of
// HKEY_CURRENT_USER, named by the MD5 text of the folder's path; the folder tree shows them.
#include "TMap.h"
#include "TString.h"
#include "ZVUILibDef.h"

struct ST_FavFolder {
    ALT::TString<wchar_t, 0, 8> path;
    ALT::TString<wchar_t, 0, 8> name; // the text shown
    int32_t icon = 0;
    void* item = nullptr; // the owner's handle for it (its tree item)
};

class ZVUILIB_API CFavoriteFolder {
public:
    // By display name, case-sensitive; several folders may share a name.
    typedef ALT::TMap<ALT::TString<wchar_t, 0, 8>, ST_FavFolder> FolderMap;

    // At most this many folders are loaded.
    static const int kMaxFolders = 100;

    CFavoriteFolder();
    ~CFavoriteFolder();

    // The key below HKEY_CURRENT_USER that holds the folders; null empties it.
    void SetRootRegPath(const wchar_t* root);
    int LoadSetting();
    bool LoadKey(const wchar_t* subkey);
    bool SaveKey(const wchar_t* digest);
    // Null when the path is a favourite already.
    ST_FavFolder* Add(const wchar_t* path, const wchar_t* name, int icon);
    bool Remove(void* item);
    bool Remove(FolderMap::Iter& position);
    ST_FavFolder* GetFavFolder(void* item);

    FolderMap& GetFolders();

private:
    ALT::TString<wchar_t, 0, 8> KeyPath(const wchar_t* subkey) const;
    FolderMap::Iter FindByItem(void* item) const;

    FolderMap m_folders;
    ALT::TString<wchar_t, 0, 8> m_root;
};

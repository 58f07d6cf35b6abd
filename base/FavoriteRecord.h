#pragma once
// CFavoriteRecord: favourite items by category (resource folder names to file names), each
// category one REG_MULTI_SZ value named by the category below a registry path prefix.
#include <cstdint>
#include "TMap.h"
#include "TString.h"
#include "ZVUILibDef.h"

struct STFavoriteMap {
    ALT::TMap<ALT::TString<wchar_t, 1, 8>, ALT::ALT_EMPTY_STRUCT> items; // without case
    uint8_t modified = 0;
};

class ZVUILIB_API CFavoriteRecord {
public:
    typedef ALT::TMap<ALT::TString<wchar_t, 0, 8>, STFavoriteMap> CategoryMap;

    CFavoriteRecord();
    ~CFavoriteRecord();

    // A registry path prefix such as "HKCU\Software\...\FavoriteData\"; null empties it.
    void SetRootRegPath(const wchar_t* root);
    bool Load(const wchar_t* category);
    bool LoadCategory(CategoryMap::Iter position);
    // Writes the modified categories; false when any write failed.
    bool Save();
    bool SaveCategory(CategoryMap::Iter position);
    bool IsFavorite(const wchar_t* item, const wchar_t* category);
    bool AddFavorite(const wchar_t* item, const wchar_t* category);
    // A null or empty item empties the whole category.
    bool RemoveFavorite(const wchar_t* item, const wchar_t* category);

    const CategoryMap& GetCategories() const;

private:
    ALT::TString<wchar_t, 0, 8> ValuePath(const ALT::TString<wchar_t, 0, 8>& category) const;

    CategoryMap m_categories;
    ALT::TString<wchar_t, 0, 8> m_root;
};

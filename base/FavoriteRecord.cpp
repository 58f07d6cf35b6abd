#include "FavoriteRecord.h"
#include <windows.h>
#include <cstring>
#include <memory>
#include <new>
#include <vector>
#include "RegPath.h"
#include "WStr.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> WString;
typedef ALT::TString<wchar_t, 1, 8> NoCaseString;

// A category's value, read into a buffer that grows until it holds the value; data receives
// the bytes read, none when the value is missing, empty or larger than the last size tried.
void ReadValue(const WString& path, std::vector<uint8_t>& data)
{
    data.clear();
    for (DWORD size = 4096; size <= (16u << 20); size *= 16) {
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
        if (!buffer)
            return;
        const DWORD read = RegQueryPath(path.GetString(), buffer.get(), size);
        if (read > 0) {
            data.assign(buffer.get(), buffer.get() + read);
            return;
        }
    }
}

} // namespace

CFavoriteRecord::CFavoriteRecord() = default;

CFavoriteRecord::~CFavoriteRecord() = default;

void CFavoriteRecord::SetRootRegPath(const wchar_t* root)
{
    m_root.AssignStr(root ? root : L"");
}

bool CFavoriteRecord::Load(const wchar_t* category)
{
    const WString name(category ? category : L"");
    CategoryMap::Iter it = m_categories.Find(name);
    if (it.IsEnd())
        it = m_categories.Insert(name);
    LoadCategory(it);
    return !it.IsEnd();
}

// The names end with their zero characters; reading stops at an empty name and at the end of
// the data even when the last name lacks its terminator.
bool CFavoriteRecord::LoadCategory(CategoryMap::Iter position)
{
    if (position.IsEnd())
        return false;
    std::vector<uint8_t> data;
    ReadValue(ValuePath(position.GetKey()), data);
    const size_t units = data.size() / sizeof(wchar_t);
    if (units == 0)
        return false;
    std::vector<wchar_t> text(units + 1, L'\0');
    memcpy(text.data(), data.data(), units * sizeof(wchar_t));
    for (size_t i = 0; i < units && text[i];) {
        const wchar_t* name = &text[i];
        const size_t length = size_t(WStrLen(name));
        position.GetValue().items.Insert(NoCaseString(name));
        i += length + 1;
    }
    return true;
}

bool CFavoriteRecord::Save()
{
    bool saved = true;
    for (CategoryMap::Iter it = m_categories.Begin(); !it.IsEnd(); it.Next())
        if (it.GetValue().modified && !SaveCategory(it))
            saved = false;
    return saved;
}

// A multi-string value ends with an empty string: the last name's zero and one more.
bool CFavoriteRecord::SaveCategory(CategoryMap::Iter position)
{
    if (position.IsEnd())
        return false;
    const WString path = ValuePath(position.GetKey());
    const STFavoriteMap& favorites = position.GetValue();
    if (favorites.items.GetCount() == 0) {
        if (RegDeletePath(path.GetString()))
            return true;
        std::vector<uint8_t> data;
        ReadValue(path, data);
        return data.empty();
    }
    std::vector<wchar_t> text;
    for (auto it = favorites.items.Begin(); !it.IsEnd(); it.Next()) {
        const NoCaseString& name = it.GetKey();
        text.insert(text.end(), name.GetString(), name.GetString() + name.GetLength());
        text.push_back(L'\0');
    }
    text.push_back(L'\0');
    if (text.size() * sizeof(wchar_t) > UINT32_MAX)
        return false;
    return RegSetPath(path.GetString(), text.data(), REG_MULTI_SZ, DWORD(text.size() * sizeof(wchar_t)));
}

bool CFavoriteRecord::IsFavorite(const wchar_t* item, const wchar_t* category)
{
    CategoryMap::Iter it = m_categories.Find(WString(category ? category : L""));
    return !it.IsEnd() && !it.GetValue().items.Find(NoCaseString(item ? item : L"")).IsEnd();
}

// A category not loaded yet is read first: saving it must not drop what the registry holds.
// An empty name is refused, as it would end the stored list.
bool CFavoriteRecord::AddFavorite(const wchar_t* item, const wchar_t* category)
{
    if (WStrLen(item) == 0)
        return false;
    const WString name(category ? category : L"");
    CategoryMap::Iter it = m_categories.Find(name);
    if (it.IsEnd()) {
        it = m_categories.Insert(name);
        LoadCategory(it);
    }
    it.GetValue().items.Insert(NoCaseString(item));
    it.GetValue().modified = 1;
    return true;
}

bool CFavoriteRecord::RemoveFavorite(const wchar_t* item, const wchar_t* category)
{
    CategoryMap::Iter it = m_categories.Find(WString(category ? category : L""));
    if (it.IsEnd())
        return false;
    STFavoriteMap& favorites = it.GetValue();
    if (WStrLen(item) == 0) {
        favorites.items.RemoveAll();
    } else if (favorites.items.EraseKey(NoCaseString(item)) == 0) {
        return false;
    }
    favorites.modified = 1;
    return true;
}

const CFavoriteRecord::CategoryMap& CFavoriteRecord::GetCategories() const
{
    return m_categories;
}

// The root, a backslash when it lacks one, and the category as the value name.
ALT::TString<wchar_t, 0, 8> CFavoriteRecord::ValuePath(const ALT::TString<wchar_t, 0, 8>& category) const
{
    WString path(m_root.GetString());
    const int length = path.GetLength();
    if (length > 0 && path.GetString()[length - 1] != L'\\')
        path += L"\\";
    path += category;
    return path;
}

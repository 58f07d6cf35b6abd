#include "RegPath.h"
#include "Win32Owners.h"
#include "WStr.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> WString;

struct RootName {
    const wchar_t* name;
    HKEY root;
};
const RootName kRoots[] = {
    {L"HKCR", HKEY_CLASSES_ROOT},
    {L"HKCU", HKEY_CURRENT_USER},
    {L"HKLM", HKEY_LOCAL_MACHINE},
    {L"HKU", HKEY_USERS},
    {L"HKCC", HKEY_CURRENT_CONFIG},
    {L"HKDD", HKEY_DYN_DATA},
};

// Splits a registry path into its root, key path and value name. Paths of any length are taken
// whole: a cut path would name another value. (Reserve with a source copies count - 1
// characters, which takes a part of the path.)
bool SplitPath(const wchar_t* path, HKEY& root, WString& key, WString& value)
{
    const wchar_t* first = WStrFindChar(path, L'\\');
    if (!first)
        return false;
    const wchar_t* last = first;
    for (const wchar_t* p = first; *p; ++p)
        if (*p == L'\\')
            last = p;

    WString name;
    name.Reserve(int(first - path) + 1, path);
    root = nullptr;
    for (const RootName& entry : kRoots)
        if (WStrCompare(name.GetBuffer(), entry.name) == 0)
            root = entry.root;
    if (!root)
        return false;
    value.AssignStr(last + 1);
    if (last == first)
        key.AssignStr(last + 1);
    else
        key.Reserve(int(last - first), first + 1);
    return true;
}

} // namespace

DWORD RegQueryPath(const wchar_t* path, void* data, DWORD size)
{
    HKEY root;
    WString key, value;
    if (!data || !SplitPath(path, root, key, value))
        return 0;
    win32::RegKey opened;
    if (!opened.Open(root, key.GetString(), KEY_QUERY_VALUE))
        return 0;
    DWORD read = size;
    if (RegQueryValueExW(opened.Get(), value.GetString(), nullptr, nullptr, static_cast<BYTE*>(data), &read) != ERROR_SUCCESS)
        return 0;
    return read;
}

bool RegSetPath(const wchar_t* path, const void* data, DWORD type, DWORD size)
{
    HKEY root;
    WString key, value;
    if (!SplitPath(path, root, key, value))
        return false;
    win32::RegKey created;
    if (!created.Create(root, key.GetString(), KEY_SET_VALUE))
        return false;
    return RegSetValueExW(created.Get(), value.GetString(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegDeletePath(const wchar_t* path)
{
    HKEY root;
    WString key, value;
    if (!SplitPath(path, root, key, value))
        return false;
    win32::RegKey opened;
    if (!opened.Open(root, key.GetString(), KEY_ALL_ACCESS))
        return false;
    return RegDeleteValueW(opened.Get(), value.GetString()) == ERROR_SUCCESS;
}

// Text values need not end with a terminator, nor have an even size: the text is cut at the
// bytes read and at its first terminator, whichever comes first. The system may count a
// terminator it adds to an unterminated value, hence one unit of room beyond the 4096 bytes.
bool RegQueryString(const wchar_t* path, WString& out, const wchar_t* defaultText)
{
    out.AssignStr(defaultText ? defaultText : L"");
    const DWORD kMaxBytes = 4096 + sizeof(wchar_t);
    wchar_t text[kMaxBytes / sizeof(wchar_t) + 1];
    const DWORD read = RegQueryPath(path, text, kMaxBytes);
    if (read == 0)
        return false;
    text[read / sizeof(wchar_t)] = 0;
    out.AssignStr(text);
    return true;
}

bool RegQueryDWord(const wchar_t* path, DWORD& value, DWORD defaultValue)
{
    value = defaultValue;
    DWORD data = 0;
    if (RegQueryPath(path, &data, sizeof data) != sizeof data)
        return false;
    value = data;
    return true;
}

bool SetLanguageSetting(const wchar_t* text)
{
    const wchar_t* language = text ? text : L"";
    return RegSetPath(L"HKCU\\Software\\Lumivo\\Language", language, REG_SZ,
                      DWORD(WStrLen(language) + 1) * sizeof(wchar_t));
}

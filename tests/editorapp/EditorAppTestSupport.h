#pragma once
// Helpers shared by the editor shell's tests.
#include <windows.h>
#include <string>
#include <vector>
#include "TestSupport.h"

namespace editorapp {

// The folder of this test program, without a trailing backslash.
inline std::wstring TestProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L'\\'));
    return folder;
}

// Writes UTF-16 text with its byte-order mark.
inline bool PutUtf16(const std::wstring& path, const std::wstring& text)
{
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return testsupport::TempFolder::Put(path, bytes);
}

inline bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts a registry value back as it was (or removes it) when the test ends.
class RegValueGuard {
public:
    RegValueGuard(HKEY root, const wchar_t* key, const wchar_t* name) : m_root(root), m_key(key), m_name(name)
    {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        if (RegQueryValueExW(opened, name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
            m_data.resize(size);
            m_existed = RegQueryValueExW(opened, name, nullptr, &m_type, m_data.data(), &size) == ERROR_SUCCESS;
        }
        RegCloseKey(opened);
    }
    ~RegValueGuard()
    {
        HKEY opened = nullptr;
        if (RegCreateKeyExW(m_root, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
            return;
        if (m_existed)
            RegSetValueExW(opened, m_name.c_str(), 0, m_type, m_data.data(), DWORD(m_data.size()));
        else
            RegDeleteValueW(opened, m_name.c_str());
        RegCloseKey(opened);
    }
    RegValueGuard(const RegValueGuard&) = delete;
    RegValueGuard& operator=(const RegValueGuard&) = delete;

    // Sets the value for the test; a null data removes it.
    bool Set(DWORD type, const void* data, DWORD size) const
    {
        HKEY opened = nullptr;
        if (RegCreateKeyExW(m_root, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
            return false;
        const LONG status = data ? RegSetValueExW(opened, m_name.c_str(), 0, type, static_cast<const BYTE*>(data), size)
                                 : RegDeleteValueW(opened, m_name.c_str());
        RegCloseKey(opened);
        return status == ERROR_SUCCESS || (!data && status == ERROR_FILE_NOT_FOUND);
    }

private:
    HKEY m_root;
    std::wstring m_key, m_name;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
    bool m_existed = false;
};

} // namespace editorapp

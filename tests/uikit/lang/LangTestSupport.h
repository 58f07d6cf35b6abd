#pragma once
// Helpers of the language and application-object tests.
#include <windows.h>
#include <string>
#include "RegPath.h"
#include "TestSupport.h"

using testsupport::TempFolder;

// Keeps a registry string value (or its absence) and puts it back on destruction, so that a
// test may change the suite's settings.
class RegistryValueGuard {
public:
    explicit RegistryValueGuard(const wchar_t* path) : m_path(path)
    {
        ALT::TString<wchar_t, 0, 8> value;
        m_existed = RegQueryString(path, value, nullptr);
        m_value = value.GetString();
    }
    ~RegistryValueGuard()
    {
        if (m_existed)
            RegSetPath(m_path.c_str(), m_value.c_str(), REG_SZ, DWORD(m_value.size() + 1) * sizeof(wchar_t));
        else
            RegDeletePath(m_path.c_str());
    }
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

private:
    std::wstring m_path;
    std::wstring m_value;
    bool m_existed;
};

// Writes UTF-16 text with its byte-order mark.
inline bool PutUtf16(const std::wstring& path, const std::wstring& text)
{
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return TempFolder::Put(path, bytes);
}

// The folder of this test program, with its trailing backslash.
inline std::wstring TestProgramDir()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.rfind(L'\\') + 1);
}

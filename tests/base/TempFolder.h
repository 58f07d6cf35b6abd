#pragma once
// A fresh folder in the temporary folder, removed with everything in it on destruction.
#include <windows.h>
#include <filesystem>
#include <string>
#include <vector>
#include "LocalFileIO.h"

class TempFolder {
public:
    TempFolder()
    {
        static int serial = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"kqbase-text-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        std::filesystem::remove_all(m_root);
        CreateDirectoryW(m_root.c_str(), nullptr);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring At(const std::wstring& name) const { return m_root + L"\\" + name; }
    const std::wstring& Root() const { return m_root; }

    static bool Put(const std::wstring& path, const std::string& bytes)
    {
        return GetLocalFileIO().WriteWholeFile(path.c_str(), bytes.data(), DWORD(bytes.size()));
    }
    static std::string Get(const std::wstring& path)
    {
        const int64_t size = GetLocalFileIO().GetPathSize(path.c_str());
        if (size < 0)
            return "<missing>";
        std::string bytes(size_t(size), '\0');
        if (size)
            bytes.resize(GetLocalFileIO().ReadWholeFile(path.c_str(), &bytes[0], DWORD(size)));
        return bytes;
    }
    // Names in the folder other than "." and "..".
    std::vector<std::wstring> List() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_root))
            names.push_back(entry.path().filename().wstring());
        return names;
    }

private:
    std::wstring m_root;
};

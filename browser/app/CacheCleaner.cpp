#include "CacheCleaner.h"
#include <windows.h>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <string>
#include "Win32Owners.h"

namespace {

const size_t kCacheTrailerSize = 32;

bool HasCacheName(const wchar_t* name)
{
    static const wchar_t kSuffix[] = L"..webp";
    const size_t length = wcslen(name);
    if (length != 32 + wcslen(kSuffix) || _wcsicmp(name + 32, kSuffix) != 0)
        return false;
    for (size_t i = 0; i < 32; ++i)
        if (!iswxdigit(name[i]))
            return false;
    return true;
}

} // namespace

bool IsThumbnailCacheFile(const wchar_t* folder, const wchar_t* name)
{
    if (!folder || !name || !HasCacheName(name))
        return false;
    const std::wstring path = std::wstring(folder) + L"\\" + name;
    win32::UniqueHandle<win32::FileTraits> file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < static_cast<LONGLONG>(kCacheTrailerSize))
        return false;
    LARGE_INTEGER at;
    at.QuadPart = size.QuadPart - kCacheTrailerSize;
    unsigned char trailer[kCacheTrailerSize] = {};
    DWORD read = 0;
    if (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) || !::ReadFile(file.Get(), trailer, sizeof trailer, &read, nullptr) ||
        read != sizeof trailer)
        return false;
    uint32_t trailerSize = 0;
    memcpy(&trailerSize, trailer + 20, sizeof trailerSize);
    return trailerSize == kCacheTrailerSize && memcmp(trailer + 24, "KQTB", 4) == 0;
}

int ClearThumbnailCache(const wchar_t* folder)
{
    if (!folder || !*folder)
        return 0;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = std::wstring(folder) + L"\\*";
    const win32::UniqueHandle<win32::FindTraits> search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search.IsValid())
        return 0;
    int deleted = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (IsThumbnailCacheFile(folder, found.cFileName) &&
            ::DeleteFileW((std::wstring(folder) + L"\\" + found.cFileName).c_str()))
            ++deleted;
    } while (::FindNextFileW(search.Get(), &found));
    return deleted;
}

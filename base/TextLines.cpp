#include "TextLines.h"
#include <windows.h>
#include "WStr.h"

namespace {

std::wstring FullPath(const wchar_t* path)
{
    const DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path, size, &full[0], nullptr);
    full.resize(length < size ? length : 0);
    return full.empty() ? std::wstring(path) : full;
}

} // namespace

bool IsSameFilePath(const wchar_t* a, const wchar_t* b)
{
    if (WStrLen(a) == 0 || WStrLen(b) == 0)
        return false;
    const std::wstring fa = FullPath(a), fb = FullPath(b);
    return CompareStringOrdinal(fa.c_str(), int(fa.size()), fb.c_str(), int(fb.size()), TRUE) == CSTR_EQUAL;
}

bool WriteImageText(CImageFile& image, CFileIO& io, const wchar_t* path, const std::vector<uint8_t>& bytes)
{
    if (WStrLen(path) == 0 || bytes.size() > UINT32_MAX)
        return false;
    const bool own = image.IsOpen() && IsSameFilePath(path, image.GetName());
    // Our own handle lets others only read, which would keep the replace from happening.
    const std::wstring target(path);
    if (own)
        image.CloseImage();
    const bool written = io.WriteWholeFile(target.c_str(), bytes.data(), DWORD(bytes.size()));
    if (own)
        return image.OpenImage(target.c_str(), nullptr) && written;
    return written;
}

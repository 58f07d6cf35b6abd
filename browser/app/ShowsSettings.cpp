#include "ShowsSettings.h"
#include "EditorUtils.h"
#include "StartupTables.h"

const wchar_t kBrowserSkinValue[] = L"HKCU\\Software\\Lumivo\\LumivoShows\\Skin";

namespace {

const int kMinShowsFrameWidth = 800;
const int kMinShowsFrameHeight = 600;

} // namespace

bool NamesExistingFolder(const wchar_t* path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FrameSize DefaultFrameSize(int workWidth, int workHeight)
{
    return {workWidth * 4 / 5, workHeight * 5 / 6};
}

FrameSize FitFrameSize(int storedWidth, int storedHeight, int workWidth, int workHeight)
{
    FrameSize size = {storedWidth, storedHeight};
    if (size.width < kMinShowsFrameWidth || size.height < kMinShowsFrameHeight)
        size = DefaultFrameSize(workWidth, workHeight);
    if (size.width > workWidth)
        size.width = workWidth;
    if (size.height > workHeight)
        size.height = workHeight;
    return size;
}

int DefaultIconSize(int screenWidth)
{
    if (screenWidth > 3000)
        return 4;
    if (screenWidth > 2000)
        return 3;
    if (screenWidth <= 1500)
        return 1;
    return 2;
}

StartFolder ResolveStartFolder(const wchar_t* stored, const wchar_t* myPictures)
{
    if (stored && *stored && wcscmp(stored, L"\\") != 0 && NamesExistingFolder(stored))
        return {stored, false};
    return {myPictures ? myPictures : L"", true};
}

bool ReadDwordAtPath(const wchar_t* fullPath, DWORD& value)
{
    static const wchar_t kUserRoot[] = L"HKCU\\";
    const size_t rootLength = wcslen(kUserRoot);
    if (!fullPath || _wcsnicmp(fullPath, kUserRoot, rootLength) != 0)
        return false;
    const std::wstring rest = fullPath + rootLength;
    const size_t slash = rest.rfind(L'\\');
    if (slash == std::wstring::npos)
        return false;
    const std::wstring key = rest.substr(0, slash);
    const std::wstring name = rest.substr(slash + 1);
    DWORD data = 0;
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS)
        return false;
    value = data;
    return true;
}

const wchar_t* SkinValueToWrite()
{
    DWORD ignored = 0;
    return ReadDwordAtPath(kEditorSkinValue, ignored) ? kEditorSkinValue : kBrowserSkinValue;
}

unsigned ReadStartSkin()
{
    DWORD stored = kDefaultSkin;
    if (!ReadDwordAtPath(kEditorSkinValue, stored) && !ReadDwordAtPath(kBrowserSkinValue, stored))
        stored = kDefaultSkin;
    return NormalizeSkin(stored);
}

bool StoreSkinChoice(unsigned& current, unsigned skin)
{
    if (skin == current)
        return false;
    current = skin;
    SetSkinValue(SkinValueToWrite(), skin);
    return true;
}

COLORREF SkinTextColor(unsigned skin)
{
    return NormalizeSkin(skin) == 1 ? RGB(200, 200, 200) : RGB(50, 50, 50);
}

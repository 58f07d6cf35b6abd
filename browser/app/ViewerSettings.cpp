#include "ViewerSettings.h"
#include <algorithm>
#include <cwchar>
#include "Win32Owners.h"
#include "ZVUILibApp.h"

const wchar_t kShowsBrowseKey[] = L"Software\\Lumivo\\LumivoShows\\Browse";

namespace {

// A music path longer than this is damage, not a file name.
const DWORD kMaxMusicBytes = 4096 * sizeof(wchar_t);

std::wstring MusicValue(size_t index)
{
    wchar_t name[32];
    swprintf(name, 32, L"BGMusic%u", static_cast<unsigned>(index));
    return name;
}

int ReadInt(const win32::RegKey& key, const wchar_t* name, int fallback)
{
    DWORD value = 0;
    return key.IsValid() && key.ReadDword(name, value) ? static_cast<int>(value) : fallback;
}

} // namespace

void LoadViewerSettings(ViewerSettings& settings, std::vector<std::wstring>& music, const wchar_t* browseKey,
                        const wchar_t* defaultTune)
{
    win32::RegKey key;
    std::wstring first;
    if (!key.Open(HKEY_CURRENT_USER, browseKey, KEY_QUERY_VALUE) || !key.ReadString(L"BGMusic0", first, kMaxMusicBytes)) {
        const CString tune = defaultTune ? CString(defaultTune) : CString(GetKQDataFolder(L"Music\\Lilac.wma").GetString());
        const DWORD attributes = ::GetFileAttributesW(tune);
        win32::RegKey writable;
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            writable.Create(HKEY_CURRENT_USER, browseKey, KEY_SET_VALUE))
            writable.WriteString(L"BGMusic0", tune);
        key.Open(HKEY_CURRENT_USER, browseKey, KEY_QUERY_VALUE);
    }
    const ViewerSettings defaults;
    settings.clrBackground = static_cast<COLORREF>(ReadInt(key, L"clrBackground", static_cast<int>(defaults.clrBackground)));
    settings.playSpeedTime = ReadInt(key, L"iPlaySpeedTime", defaults.playSpeedTime);
    settings.playMusic = ReadInt(key, L"iPlayMusic", defaults.playMusic) != 0;
    settings.folderThumb = ReadInt(key, L"iFolderThumb", defaults.folderThumb) != 0;
    settings.volume = std::min(100, std::max(0, ReadInt(key, L"iVolume", defaults.volume)));

    music.clear();
    std::wstring path;
    while (key.IsValid() && key.ReadString(MusicValue(music.size()).c_str(), path, kMaxMusicBytes))
        music.push_back(path);
}

void SaveViewerSettings(const ViewerSettings& settings, const std::vector<std::wstring>& music, const wchar_t* browseKey)
{
    win32::RegKey key;
    if (!key.Create(HKEY_CURRENT_USER, browseKey, KEY_SET_VALUE | KEY_QUERY_VALUE))
        return;
    key.WriteDword(L"clrBackground", settings.clrBackground);
    key.WriteDword(L"iPlaySpeedTime", static_cast<DWORD>(settings.playSpeedTime));
    key.WriteDword(L"iPlayMusic", settings.playMusic ? 1 : 0);
    key.WriteDword(L"iFolderThumb", settings.folderThumb ? 1 : 0);
    key.WriteDword(L"iVolume", static_cast<DWORD>(std::min(100, std::max(0, settings.volume))));
    for (size_t i = 0; ::RegDeleteValueW(key.Get(), MusicValue(i).c_str()) == ERROR_SUCCESS; ++i) {
    }
    for (size_t i = 0; i < music.size(); ++i)
        key.WriteString(MusicValue(i).c_str(), music[i].c_str());
}

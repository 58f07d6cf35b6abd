#pragma once
// The full-screen viewer's settings and its background-music list, kept under the program's
// "Browse" key: five values and the music files as "BGMusic0", "BGMusic1", ... without gaps.
#include <windows.h>
#include <string>
#include <vector>

struct ViewerSettings {
    COLORREF clrBackground = 0xFFFFFFFF; // no colour set
    int playSpeedTime = 5;               // seconds a slide shows
    bool playMusic = false;
    bool folderThumb = true;
    int volume = 50; // 0 to 100
};

// The program's key; a test passes a key of its own.
extern const wchar_t kShowsBrowseKey[];

// Without a first music value, the data folder's tune "Music\Lilac.wma" (a test names another
// file), when it is there, is stored as the first. The music list ends at the first value that
// cannot be read.
void LoadViewerSettings(ViewerSettings& settings, std::vector<std::wstring>& music, const wchar_t* browseKey = kShowsBrowseKey,
                        const wchar_t* defaultTune = nullptr);
// The music values are all removed before the list is written again, so a shorter list leaves
// none of the old ones behind.
void SaveViewerSettings(const ViewerSettings& settings, const std::vector<std::wstring>& music,
                        const wchar_t* browseKey = kShowsBrowseKey);

#pragma once
// The rules of the browser's start-up settings, apart from its windows: the frame's size, the
// folder it opens first, the list's first icon size and where the skin choice is kept.
#include <windows.h>
#include <string>

struct FrameSize {
    int width, height;
};
// Four fifths of the work area's width and five sixths of its height.
FrameSize DefaultFrameSize(int workWidth, int workHeight);
// A stored size below 800 x 600 goes back to the defaults; each side is then cut to the work area.
FrameSize FitFrameSize(int storedWidth, int storedHeight, int workWidth, int workHeight);

// The list's icon size (0 to 4) on a first start, by the primary screen's width.
int DefaultIconSize(int screenWidth);

bool NamesExistingFolder(const wchar_t* path);

struct StartFolder {
    std::wstring folder;
    bool rewrite; // the stored value was unusable and the fallback must be written back
};
// "\" or a folder that no longer exists falls back to My Pictures.
StartFolder ResolveStartFolder(const wchar_t* stored, const wchar_t* myPictures);

// The browser's own skin value; the editor's (kEditorSkinValue) wins when it can be read.
extern const wchar_t kBrowserSkinValue[];
// The value the browser writes its skin to: the editor's when readable, else its own.
const wchar_t* SkinValueToWrite();
// The skin to start with: the editor's value, else the browser's, else Black; 7 or more is Black.
unsigned ReadStartSkin();
// Stores a newly chosen skin in current and in the registry; false (and nothing written) when it
// is the current one.
bool StoreSkinChoice(unsigned& current, unsigned skin);
// A DWORD at a full path "HKCU\Software\...\Name"; false when missing or of another type.
bool ReadDwordAtPath(const wchar_t* fullPath, DWORD& value);

// Text on the skin's face colour: light on Black (1), dark on the others.
COLORREF SkinTextColor(unsigned skin);

#pragma once
// The rules of the editor's start-up and start page, apart from their windows: which mode a
// command line opens, how big the start page is and where it goes, the skins' looks, the tiles,
// hot-key values, the log-on command, the title and the seeding of the user's data folder.
#include <windows.h>
#include <cstddef>
#include "EditorUtils.h"

class CKQCmdUI;

// The modes a switch can open first, in their order of precedence.
enum class StartMode { None, Editor, Cosmet, Page, Effect, Split, Crop, Combine };
// The first set mode switch of the command line; None leaves the start page to show.
StartMode FirstModeFromSwitches(const CKQCmdUI& switches);

// The start page's window and the two dimensions of its tiles.
struct StartPageSize {
    int width, height;
    int tileWidth, tileHeight;
};
// The size for the interface font's height: the one the height asks for when it fits the work
// area, else the largest smaller one that fits, else the smallest.
StartPageSize ChooseStartPageSize(int fontHeight, int workWidth, int workHeight);
// The top-left corner that centres a window in the work area (halves rounded toward zero).
POINT CenterInWorkArea(const RECT& work, int width, int height);

// Skins: 0 White, 1 Black, 2 Pink, 3 Yellow, 4 Green, 5 Blue, 6 Purple; any other is Black.
const unsigned kSkinCount = 7;
const unsigned kDefaultSkin = 1;
unsigned NormalizeSkin(DWORD stored);
struct SkinLook {
    const wchar_t* menuText;
    const wchar_t* background;   // file of Data\StartPage
    bool systemCaptionColour;    // the caption takes the skin's text colour instead of captionColour
    COLORREF captionColour;
    UINT command;                // the menu command that chooses it
};
const SkinLook& GetSkinLook(unsigned skin);
// The skin a menu command chooses, -1 for another command.
int SkinFromCommand(UINT command);
// Where the editor keeps its skin; the browser reads the same value first.
extern const wchar_t kEditorSkinValue[];

// Hot-key values: modifier flags (1 Shift, 2 Ctrl, 4 Alt) in the high word, the virtual key in
// the low word. The hot-key control's word holds the same flags in its high byte.
const DWORD kDefaultCaptureHotkey = 0x20074;       // Ctrl+F5
const DWORD kDefaultSaveCaptureHotkey = 0x20075;   // Ctrl+F6
// The system's modifiers (MOD_SHIFT, MOD_CONTROL, MOD_ALT) for a stored value.
UINT HotKeySystemModifiers(DWORD hotKey);
UINT HotKeyVirtualKey(DWORD hotKey);
DWORD HotKeyFromControlWord(DWORD controlWord);
WORD HotKeyToControlWord(DWORD hotKey);

// The tiles of the start page, in the order they are added.
enum class StartTile { Page, Batch, Browse, Editor, Effect, Combine, Split, Capture, Tarvex, NewVersion };
struct StartTileInfo {
    StartTile tile;
    UINT image;           // picture resource; animated tiles use the following ids as more frames
    COLORREF background;
    int group;
    unsigned userData;
    int kind;             // 0 square; 1 and 2 wide (2 carries a description)
    int frames;           // animation frames from image on, 0 for a still tile
};
extern const StartTileInfo kStartTiles[];
extern const size_t kStartTileCount;   // the Tarvex tile included
extern const StartTileInfo kNewVersionTile;
// Whether the page shows the tile on this machine (Tarvex only where that product is missing).
bool StartTileShown(StartTile tile, bool tarvexInstalled);
const StartTileInfo* FindStartTile(unsigned userData);

// Whether a stored "NewVersion" names a newer program than this one.
bool StoredVersionIsNewer(const wchar_t* stored, const wchar_t* current);
// "Lumivo Tools 1.4.6", and "   Open <path>" after it when a file came on the command line.
EditorText MakeStartPageTitle(const wchar_t* name, const wchar_t* version, const wchar_t* openWord, const wchar_t* firstFile);

// The log-on start: "\"program\" /start" under HKCU\...\Run, value "Lumivo".
extern const wchar_t kRunKey[];
extern const wchar_t kRunValueName[];
EditorText MakeAutoStartCommand(const wchar_t* programPath);
// The Run value as text, read at most 4096 bytes and always terminated; empty when missing.
EditorText ReadAutoStartValue();
// Whether the general page's save writes or deletes the Run value.
bool AutoStartNeedsWrite(bool checked, bool checkedWhenLoaded, bool resetting);

// Copies every file under source that is missing under target (folders made as needed); files
// already there are never replaced. The number of files copied.
int SeedDataFolder(const wchar_t* source, const wchar_t* target);

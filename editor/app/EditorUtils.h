#pragma once
// Helpers of the editor shell that several frames share, and the document library links: dialog
// filters and save types, resources, sizes, scene slots, dates, random numbers, hot-key texts,
// system and registry tests, program starts.
#include <windows.h>
#include <cstdint>
#include <memory>
#include "TString.h"

namespace Gdiplus {
class Image;
}

typedef ALT::TString<wchar_t, 0, 8> EditorText;

// The filters of the open and save dialogs, translated each time (the language may change while
// the program runs).
EditorText GetOpenFileFilter();
EditorText GetSaveFileFilter();
// The 1-based entry of the save filter that the name's extension picks (no dot needed); 0 for
// none, a null name or one of fewer than three characters.
int GetSaveTypeFromFileName(const wchar_t* name);

// The program's resource of type "PNG" as a GDI+ picture (GDI+ started; the caller includes
// gdiplus.h to own it). False leaves image as it was: no such resource, or one that is no picture.
bool LoadPngResource(UINT id, std::unique_ptr<Gdiplus::Image>& image);

// Undo steps a picture of that many pixels keeps; a negative count counts as small.
int GetHistoryLimit(int64_t pixels);
// Whether the machine has less than 2 GB of physical memory.
bool IsLowMemorySystem();

// Width of the side panes of the editor and effect frames: as many 140-pixel cells (scaled by the
// interface font, 12 pixels high at scale 1) and their 20-pixel gaps as fit in a fifth of the
// work area less a scroll bar, at least 2, plus the scroll bar.
int CalcSidePaneWidth(double uiFontHeight, int workAreaWidth, int scrollBarWidth);
// The same for this screen, its icon-title font and its scroll bars.
int CalcSidePaneWidth();

// Slots of the scene that belongs to a scene picture (the children of "Slots" in the XML file of
// the same folder and title); 0 without a readable description.
int CountSceneSlots(const wchar_t* picturePath);
// The file's last-write date in local time as year * 10000 + month * 100 + day; 0 when unreadable.
int GetFileDateNumber(const wchar_t* path);
// A pseudo-random number in [low, high]; low when high <= low. Safe on any thread.
uint32_t RandomRange(uint32_t low, uint32_t high);
// "Ctrl+Alt+Shift+key" for a hot-key value (modifier flags in the high word, the virtual key in
// the low word); empty for a key without a name here.
EditorText HotKeyToText(DWORD hotKey);

// Whether the registry names Windows 10 or later as the system's major version.
bool IsWindows10OrLater();
// Whether the maker's other product has its key under the current user.
bool IsTarvexInstalled();
// The editor's skin from HKCU\Software\Lumivo\LumivoTools\Skin: false and 1 when unreadable.
bool GetLumivoToolsSkin(DWORD& skin);
// Writes the skin as a DWORD at a full registry path ("HKCU\...\Skin").
bool SetSkinValue(const wchar_t* registryPath, DWORD skin);
// Formats into buffer (capacity characters, terminator included) through the library's
// formatter; the characters written, or -1 (and an empty buffer) when the text does not fit.
int SPrintfW2(wchar_t* buffer, int capacity, const wchar_t* format, ...);

// Starts the program through the shell in its own folder, shown normally, and (unless told not to)
// waits for its end while the thread's windows go on handling their messages. A quit message ends
// the wait early and is posted again for the loop above. False when nothing started.
bool RunAndWait(const wchar_t* program, const wchar_t* parameters, bool wait = true);

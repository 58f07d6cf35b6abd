#pragma once
// Small free functions of the browser: size texts, a path test, new names that never overwrite,
// shell copy and move, deletion of path lists, the wallpaper merge folder, the background music
// setting and the 8-bit append formatter.
#include <windows.h>
#include <shellapi.h>
#include <cstddef>
#include <cstdint>
#include <functional>
#include "RegPath.h"
#include "TList.h"
#include "TMap.h"
#include "TString.h"
#include "Win32Owners.h"

typedef ALT::TString<wchar_t, 0, 8> BrowserString;
// Paths kept once each, in the map's order.
typedef ALT::TMap<BrowserString, ALT::ALT_EMPTY_STRUCT> PathSet;
typedef ALT::TList<BrowserString> PathList;

// out holds 256 characters; the length written.
int FormatSizeText64(bool exact, wchar_t* out, uint64_t size);
// out holds kSizeTextCapacity characters: "-1,234,567".
const int kSizeTextCapacity = 32;
void SizeText(wchar_t* out, int64_t value);

// path is folder itself or lies below it; letter case ignored, as in Windows names.
bool IsPathInFolder(const wchar_t* folder, const wchar_t* path);

enum UNIQUE_NAME_RES {
    UNIQUE_NAME_FREE,    // the name was free: path unchanged
    UNIQUE_NAME_CHANGED, // path now holds a free "name~N.ext"
    UNIQUE_NAME_NO_ROOM, // no free name fits MAX_PATH within the search's cap: path unchanged
};
// path holds MAX_PATH characters. Any entry, file or folder, takes a name.
UNIQUE_NAME_RES MakeUniqueFileName(wchar_t* path);
UNIQUE_NAME_RES MakeUniqueDirName(wchar_t* path);

// Takes a new name: claim tries the name in path and answers ERROR_SUCCESS, or ERROR_FILE_EXISTS
// or ERROR_ALREADY_EXISTS when the name was taken meanwhile, which moves on to the next number,
// or any other error, which ends the attempt. Returns the last answer (ERROR_FILE_EXISTS when
// no name was left); path holds the name taken.
DWORD ClaimUniqueName(wchar_t* path, bool folder, const std::function<DWORD(const wchar_t* name)>& claim);
// Copy or move source to a new name made from target (MAX_PATH characters, receives the name);
// an entry that appears under the name meanwhile is never replaced.
DWORD CopyToUniqueName(const wchar_t* source, wchar_t* target);
DWORD MoveToUniqueName(const wchar_t* source, wchar_t* target);
DWORD CreateUniqueDir(wchar_t* path);

// SHFileOperationW through the shell service; false for a destination of MAX_PATH characters or
// more, an empty source set, or a failed operation.
bool ShellFileOperation(SHFILEOPSTRUCTW& op, const wchar_t* destination, const PathSet& sources, bool move, bool renameOnCollision);
bool CopyMoveFile(SHFILEOPSTRUCTW& op, const wchar_t* destination, const wchar_t* source, bool move);

// Deletes each path (a folder with its contents), in order, then empties the list. False when
// one of them could not be deleted.
bool DeletePathList(PathList& paths);

// The shell's list of extra wallpaper folders; an empty key when it cannot be opened.
win32::RegKey OpenWallpaperMergeKey();
void AddWallpaperMergeFolder(const wchar_t* folder);
// The first background-music entry of the viewer; out is emptied first.
bool ReadBackgroundMusic0(BrowserString& out);

// Formats at the end of the text in buffer (capacity bytes, terminator included): the count
// appended, or -1 when it would not fit, the buffer then left as it was. A null buffer is empty.
int AppendFormatA(char* buffer, size_t capacity, const char* format, ...);

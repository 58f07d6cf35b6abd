#pragma once
// Path parts and wildcard matching on wide C strings. The backslash is the only separator (no
// drive or UNC logic); a null string reads as empty. An out buffer receives a part of path and
// must hold path's length plus the terminator.
#include "ZVUILibDef.h"

ZVUILIB_API int PathFindLastSlash(const wchar_t* path, wchar_t* out);
ZVUILIB_API int GetParentFolderTrimmed(const wchar_t* path, wchar_t* out);
ZVUILIB_API const wchar_t* GetFileNamePart(const wchar_t* path);
ZVUILIB_API int GetFileNameFromPath(const wchar_t* path, wchar_t* out);
ZVUILIB_API const wchar_t* GetFileExtPtr(const wchar_t* path);
ZVUILIB_API int GetFileTitleFromPath(const wchar_t* path, wchar_t* out);

// "*" any run, "?" any one character, A-Z without case; an empty pattern matches every name.
ZVUILIB_API bool MatchWildcard(const wchar_t* pattern, const wchar_t* name);
// Patterns separated by ";" (one trailing ";" ignored), any length; an empty list matches all.
ZVUILIB_API bool MatchWildcardList(const wchar_t* list, const wchar_t* name);

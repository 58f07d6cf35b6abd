#pragma once
// Registry values addressed by one path: root short name ("HKCR", "HKCU", "HKLM", "HKU",
// "HKCC", "HKDD", upper case), key path, value name, separated by backslashes. The text before
// the first backslash is the root, after the last one the value name; with a single backslash
// the key and the value name are the same text.
#include <windows.h>
#include "TString.h"
#include "ZVUILibDef.h"

// Bytes read into data (at most size); 0 for an unknown root, a key that cannot be opened, a
// missing value or one larger than size.
ZVUILIB_API DWORD RegQueryPath(const wchar_t* path, void* data, DWORD size);
// Creates the key when missing.
ZVUILIB_API bool RegSetPath(const wchar_t* path, const void* data, DWORD type, DWORD size);
ZVUILIB_API bool RegDeletePath(const wchar_t* path);
// out is set to the default (empty for null) first; a value of up to 4096 bytes replaces it.
ZVUILIB_API bool RegQueryString(const wchar_t* path, ALT::TString<wchar_t, 0, 8>& out, const wchar_t* defaultText);
// value is set to the default first; a 4-byte value replaces it.
ZVUILIB_API bool RegQueryDWord(const wchar_t* path, DWORD& value, DWORD defaultValue);
// Stores the chosen language at "HKCU\Software\Lumivo\Language".
ZVUILIB_API bool SetLanguageSetting(const wchar_t* text);

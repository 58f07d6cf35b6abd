#pragma once
// Null-safe C-string functions: a null string reads as empty. Wide (UTF-16 units) and 8-bit
// (bytes, the AStr twins); case folding touches ASCII letters only.
#include "ZVUILibDef.h"

ZVUILIB_API int WStrLen(const wchar_t* s);
ZVUILIB_API int WStrCopy(wchar_t* dst, const wchar_t* src);
ZVUILIB_API int WStrCopyN(wchar_t* dst, const wchar_t* src, int size);
ZVUILIB_API wchar_t* WStrCopyPadded(wchar_t* dst, const wchar_t* src, int count);
ZVUILIB_API int WStrWidenCopy(wchar_t* dst, const char* src);
ZVUILIB_API int WStrCompare(const wchar_t* a, const wchar_t* b);
ZVUILIB_API int WStrCompareNoCase(const wchar_t* a, const wchar_t* b);
ZVUILIB_API const wchar_t* WStrFind(const wchar_t* text, const wchar_t* sub);
ZVUILIB_API const wchar_t* WStrFindChar(const wchar_t* text, wchar_t ch);
ZVUILIB_API const wchar_t* WStrChr(const wchar_t* text, char ch);
ZVUILIB_API wchar_t* WStrToLowerAscii(wchar_t* s);
ZVUILIB_API wchar_t* WStrToUpperAscii(wchar_t* s);

ZVUILIB_API int AStrLen(const char* s);
ZVUILIB_API int AStrCopy(char* dst, const char* src);
ZVUILIB_API int AStrCopyN(char* dst, const char* src, int size);
ZVUILIB_API char* AStrCopyPadded(char* dst, const char* src, int count);
ZVUILIB_API int AStrCompare(const char* a, const char* b);
ZVUILIB_API int AStrCompareNoCase(const char* a, const char* b);
ZVUILIB_API const char* AStrFind(const char* text, const char* sub);
ZVUILIB_API const char* AStrFindChar(const char* text, char ch);
ZVUILIB_API char* AStrToLowerAscii(char* s);
ZVUILIB_API char* AStrToUpperAscii(char* s);

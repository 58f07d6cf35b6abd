#pragma once
// The library's own printf-style formatter (wide and 8-bit). With a null out it only counts;
// otherwise it writes and terminates; out must hold the count plus the terminator. It returns
// the characters produced, -1 when they would not fit an int. No floating point: those and
// unknown conversions write "<Error>" and take no argument.
#include <cstdarg>
#include "ZVUILibDef.h"

ZVUILIB_API int FormatPrintfW(wchar_t* out, const wchar_t* format, va_list args);
ZVUILIB_API int FormatPrintf(char* out, const char* format, va_list args);

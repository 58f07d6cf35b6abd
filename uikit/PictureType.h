#pragma once
// The image library's format code of a file name, from its ending alone.
#include "ZVUILibDef.h"

// 0 when no known ending matches; a null name reads as empty.
ZVUILIB_API int GetTypeFromFileName(const wchar_t* name);

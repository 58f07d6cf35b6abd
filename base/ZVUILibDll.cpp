#include <windows.h>
#include "ZVUILibDef.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

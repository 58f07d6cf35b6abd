#include <windows.h>
#include "ZVImageDef.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

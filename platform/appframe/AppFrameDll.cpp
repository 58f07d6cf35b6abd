#include <windows.h>
#include "AppFrameDef.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

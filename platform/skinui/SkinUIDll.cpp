#include <windows.h>
#include "SkinUIDef.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

#include <windows.h>
#include "AppFrame.h"
#include "ZVUILibDef.h"

// The library's application object (CZVUILibApp) starts and ends with the DLL.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) { return appframe::DllMain(instance, reason); }

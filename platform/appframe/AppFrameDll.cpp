#include <windows.h>
#include "AppFrameDef.h"
#include "ThreadState.h"

// Each thread's framework state (temporary objects, creation hook) goes with the thread.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_THREAD_DETACH || reason == DLL_PROCESS_DETACH)
        appframe::FreeThreadState();
    return TRUE;
}

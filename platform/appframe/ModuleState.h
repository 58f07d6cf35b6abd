#pragma once
// Modules of the process (the program and each DLL that uses the framework): each has its
// application object and its resource module. A ModuleScope makes a DLL's resources and
// application current on the calling thread for the length of a call.
#include <windows.h>
#include "AppFrameDef.h"

class CWinApp;

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace appframe {

// The module whose code calls this (each module compiles its own copy).
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

class APPFRAME_API ModuleScope {
public:
    explicit ModuleScope(HINSTANCE module);
    ~ModuleScope();
    ModuleScope(const ModuleScope&) = delete;
    ModuleScope& operator=(const ModuleScope&) = delete;

private:
    HINSTANCE m_previous;
};

// The module that holds the resource: the current resource module, then the current module,
// then the program's resources, then the framework's own. The current resource module when
// none has it.
APPFRAME_API HINSTANCE FindResourceModule(LPCWSTR name, LPCWSTR type);

// The framework's part of a DLL's DllMain for a DLL with an application object: runs its
// InitInstance at attach (with the DLL's resources current) and ExitInstance at detach.
APPFRAME_API BOOL DllMain(HINSTANCE module, DWORD reason);

} // namespace appframe

APPFRAME_API HINSTANCE AfxGetInstanceHandle();
APPFRAME_API HINSTANCE AfxGetResourceHandle();
APPFRAME_API void AfxSetResourceHandle(HINSTANCE resources);

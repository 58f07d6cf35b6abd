#pragma once
// A DLL with an application object and resources of its own, for the resource-switching tests.
#include "AppFrame.h"

#ifdef RESOURCEDLL_EXPORTS
#define RESOURCEDLL_API __declspec(dllexport)
#else
#define RESOURCEDLL_API __declspec(dllimport)
#endif

// What the library saw inside one of its calls, with its resources made current.
struct LibraryView {
    CString dialogCaption;     // of the shared dialog, shown modally and closed at once
    CString sharedString;
    CWinApp* app = nullptr;    // AfxGetApp()
    HINSTANCE resources = nullptr;
};

RESOURCEDLL_API LibraryView RunLibraryCall();
RESOURCEDLL_API CWinApp* LibraryApp();
RESOURCEDLL_API bool LibraryInitialised();

#pragma once
// Export control of AppFrame.dll.
#ifdef APPFRAME_EXPORTS
#define APPFRAME_API __declspec(dllexport)
#else
#define APPFRAME_API __declspec(dllimport)
#endif

#pragma once
// Export control of ZVImage.dll.
#ifdef ZVIMAGE_EXPORTS
#define ZVIMAGE_API __declspec(dllexport)
#else
#define ZVIMAGE_API __declspec(dllimport)
#endif

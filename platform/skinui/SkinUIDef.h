#pragma once
// Export control of SkinUI.dll.
#ifdef SKINUI_EXPORTS
#define SKINUI_API __declspec(dllexport)
#else
#define SKINUI_API __declspec(dllimport)
#endif

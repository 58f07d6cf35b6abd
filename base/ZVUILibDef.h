#pragma once
// Export control of the shared base pieces. Built into ZVUILib.dll they are exported, the
// programs that link ZVUILib import them, and KQBatch compiles its own copy (no attribute).
#if defined(ZVUILIB_EXPORTS)
#define ZVUILIB_API __declspec(dllexport)
#elif defined(ZVUILIB_IMPORTS)
#define ZVUILIB_API __declspec(dllimport)
#else
#define ZVUILIB_API
#endif

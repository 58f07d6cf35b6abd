#pragma once
// Base64 (RFC 4648, standard alphabet, "=" padding) of a zero-terminated text.
#include "ZVUILibDef.h"

// The output buffer holds this many bytes; a longer encoding is refused.
const int kBase64OutputCapacity = 496;

// Length of the Base64 text written to output, 0 for a null or empty text, -1 when it would not
// fit in kBase64OutputCapacity bytes with its terminator.
ZVUILIB_API int Base64Encode(const char* text, char* output);

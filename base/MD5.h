#pragma once
// MD5 (RFC 1321). Digests are written as 32 upper-case hexadecimal characters.
#include <cstddef>
#include <cstdint>
#include "ZVUILibDef.h"

struct MD5_CTX {
    uint32_t state[4];
    uint64_t count; // bits
    uint8_t buffer[64];
};

ZVUILIB_API void MD5Init(MD5_CTX* context);
ZVUILIB_API void MD5Update(MD5_CTX* context, const void* input, size_t length);
ZVUILIB_API void MD5Final(uint8_t digest[16], MD5_CTX* context);
ZVUILIB_API void MD5Transform(uint32_t state[4], const uint8_t block[64]);
// The digest of data as text; text holds 33 bytes.
ZVUILIB_API void MD5String(const void* data, size_t count, char* text);
ZVUILIB_API void MD5DigestText(const uint8_t digest[16], char* text);

#include "Base64.h"
#include <cstdio>
#include <cstring>

int Base64Encode(const char* text, char* output)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (!output)
        return -1;
    output[0] = 0;
    if (!text || !text[0])
        return 0;
    const size_t count = strlen(text);
    // Measured before anything is written: the caller's buffer is never overrun.
    if ((count + 2) / 3 * 4 >= size_t(kBase64OutputCapacity)) {
        printf("Err: Over Base64 out buf!\n");
        return -1;
    }
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    char* out = output;
    size_t i = 0;
    for (; i + 3 <= count; i += 3) {
        const unsigned v = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        *out++ = kAlphabet[(v >> 18) & 63];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = kAlphabet[(v >> 6) & 63];
        *out++ = kAlphabet[v & 63];
    }
    if (i < count) {
        const bool two = i + 1 < count;
        const unsigned v = (in[i] << 16) | (two ? in[i + 1] << 8 : 0);
        *out++ = kAlphabet[(v >> 18) & 63];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = two ? kAlphabet[(v >> 6) & 63] : '=';
        *out++ = '=';
    }
    *out = 0;
    return int(out - output);
}

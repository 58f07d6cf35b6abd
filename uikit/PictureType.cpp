#include "PictureType.h"
#include <cwchar>
#include <cwctype>

namespace {

struct Ending {
    const wchar_t* text;
    int code;
};

// The codes are the image library's format numbers (ENUM_CXIMAGE_FORMATS). Four-letter endings
// go first, so that "wbmp" is not taken for "bmp".
const Ending kEndings[] = {
    { L"wbmp", 9 },
    { L"bmp", 1 },
    { L"gif", 2 },
    { L"jpg", 3 }, { L"jpeg", 3 },
    { L"png", 4 },
    { L"mng", 17 }, { L"jng", 17 },
    { L"ico", 5 }, { L"cur", 5 },
    { L"tif", 6 }, { L"tiff", 6 },
    { L"tga", 7 },
    { L"pcx", 8 },
    { L"wmf", 10 }, { L"emf", 10 },
    { L"j2k", 11 }, { L"jp2", 11 },
    { L"j2c", 12 }, { L"jpc", 12 },
    { L"pgx", 13 },
    { L"pnm", 14 }, { L"pgm", 14 }, { L"ppm", 14 },
    { L"ras", 15 },
    { L"psd", 20 },
    { L"webp", 21 },
};

bool EndsWithNoCase(const wchar_t* name, size_t length, const wchar_t* ending, size_t endingLength)
{
    if (length < endingLength)
        return false;
    const wchar_t* tail = name + length - endingLength;
    for (size_t i = 0; i < endingLength; ++i) {
        if (std::towlower(tail[i]) != ending[i])
            return false;
    }
    return true;
}

} // namespace

int GetTypeFromFileName(const wchar_t* name)
{
    if (!name)
        return 0;
    const size_t length = std::wcslen(name);
    const size_t endingLengths[] = { 4, 3 };
    for (size_t endingLength : endingLengths) {
        for (const Ending& e : kEndings) {
            if (std::wcslen(e.text) == endingLength && EndsWithNoCase(name, length, e.text, endingLength))
                return e.code;
        }
    }
    return 0;
}

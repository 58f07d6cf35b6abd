#pragma once
// The thumbnail cache's key, file name and trailer. A cache file is a WebP picture of at most
// 256 x 256 pixels followed by a 32-byte trailer with the source picture's facts:
//   0 date taken (int64), 8 bit depth, 12 height, 16 width, 20 trailer size (32), 24 "KQTB",
//   28 reserved (0); little-endian.
// Its name is the MD5 text of a 4112-byte key made of the source's last-write file time, its
// size and four samples of its bytes, so a changed source gets a new name.
#include <windows.h>
#include <cstdint>
#include <vector>
#include "KQListFile.h"
#include "ZVUILibDef.h"

class CFileIO;

namespace thumbcache {
const size_t kKeySize = 0x1010;
const size_t kSampleSize = 1024;
const size_t kTrailerSize = 32;

// Reads count bytes at offset into buffer; returns how many were read.
typedef DWORD (*ReadAtFn)(void* context, int64_t offset, void* buffer, DWORD count);

ZVUILIB_API std::vector<uint8_t> MakeKey(uint64_t lastWriteFileTime, uint64_t size, ReadAtFn read, void* context);
// The key of a file through the file layer; false when the file cannot be opened.
ZVUILIB_API bool MakeFileKey(CFileIO& io, const wchar_t* path, std::vector<uint8_t>& key);
// folder + "\" + 32 hexadecimal digits + "..webp".
ZVUILIB_API ALT::TString<wchar_t, 0, 8> CacheFileName(const wchar_t* folder, const std::vector<uint8_t>& key);
ZVUILIB_API void MakeTrailer(const IMAGR_FILE_INFO& info, uint8_t trailer[kTrailerSize]);
// Width, height, bit depth and date taken into info when the trailer is valid; else info stays.
ZVUILIB_API bool ReadTrailer(const uint8_t trailer[kTrailerSize], IMAGR_FILE_INFO& info);
} // namespace thumbcache

#include "ThumbnailCache.h"
#include <cstring>
#include "FileIO.h"
#include "MD5.h"

namespace {
void PutLE(uint8_t* at, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = uint8_t(value >> (8 * i));
}

uint64_t GetLE(const uint8_t* at, int bytes)
{
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | at[i];
    return value;
}

struct FileReader {
    CFileIO* io;
    HANDLE handle;
};

DWORD ReadFromFile(void* context, int64_t offset, void* buffer, DWORD count)
{
    FileReader* reader = static_cast<FileReader*>(context);
    const DWORD read = reader->io->ReadAt(reader->handle, buffer, count, offset);
    return read == 0xFFFFFFFFu ? 0 : read;
}

const char kMagic[4] = {'K', 'Q', 'T', 'B'};
} // namespace

namespace thumbcache {

std::vector<uint8_t> MakeKey(uint64_t lastWriteFileTime, uint64_t size, ReadAtFn read, void* context)
{
    std::vector<uint8_t> key(kKeySize, 0);
    PutLE(&key[0], lastWriteFileTime, 8);
    PutLE(&key[8], size, 8);
    for (int i = 0; i < 4 && read; ++i) {
        const int64_t offset = int64_t(uint64_t(i) * size / 4);
        uint8_t* sample = &key[16 + i * kSampleSize];
        const DWORD got = read(context, offset, sample, DWORD(kSampleSize));
        if (got < kSampleSize)
            std::memset(sample + got, 0, kSampleSize - got);
    }
    return key;
}

bool MakeFileKey(CFileIO& io, const wchar_t* path, std::vector<uint8_t>& key)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (!io.Open(path, handle, FILEIO_SHARE_READ | FILEIO_SHARE_WRITE))
        return false;
    // The times come through the open handle where the file layer can: one open a picture.
    FILETIME written = {};
    if (!io.GetHandleTime(handle, &written))
        io.GetTimes(path, &written, nullptr, nullptr);
    const int64_t size = io.GetSize(handle);
    FileReader reader = {&io, handle};
    key = MakeKey((uint64_t(written.dwHighDateTime) << 32) | written.dwLowDateTime, size < 0 ? 0 : uint64_t(size),
                  ReadFromFile, &reader);
    io.Close(handle);
    return true;
}

ALT::TString<wchar_t, 0, 8> CacheFileName(const wchar_t* folder, const std::vector<uint8_t>& key)
{
    char digest[33] = {};
    MD5String(key.data(), key.size(), digest);
    wchar_t name[40] = {};
    for (int i = 0; i < 32; ++i)
        name[i] = wchar_t(digest[i]);
    ALT::TString<wchar_t, 0, 8> path(folder);
    path += L"\\";
    path += name;
    path += L"..webp";
    return path;
}

void MakeTrailer(const IMAGR_FILE_INFO& info, uint8_t trailer[kTrailerSize])
{
    std::memset(trailer, 0, kTrailerSize);
    PutLE(trailer, uint64_t(info.tTaken), 8);
    PutLE(trailer + 8, info.nBpp, 4);
    PutLE(trailer + 12, info.nHeight, 4);
    PutLE(trailer + 16, info.nWidth, 4);
    PutLE(trailer + 20, kTrailerSize, 4);
    std::memcpy(trailer + 24, kMagic, 4);
}

bool ReadTrailer(const uint8_t trailer[kTrailerSize], IMAGR_FILE_INFO& info)
{
    if (std::memcmp(trailer + 24, kMagic, 4) != 0 || GetLE(trailer + 20, 4) != kTrailerSize)
        return false;
    info.tTaken = int64_t(GetLE(trailer, 8));
    info.nBpp = uint16_t(GetLE(trailer + 8, 4));
    info.nHeight = uint32_t(GetLE(trailer + 12, 4));
    info.nWidth = uint32_t(GetLE(trailer + 16, 4));
    return true;
}

} // namespace thumbcache

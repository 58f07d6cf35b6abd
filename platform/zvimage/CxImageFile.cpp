// CxImage: loading and saving, format detection and the table of codecs.
#include "CxImage.h"
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <cwctype>
#include <string>
#include "CxMemFile.h"
#include "ExifReader.h"
#include "ImageCodecs.h"
#include "ImageLimits.h"
#include "Win32Owners.h"

using namespace zvimage;

namespace {

// Files above this size are not read: no supported picture within the dimension limit needs
// more, and a 32-bit process must keep room for the decoded pixels.
constexpr uint64_t kMaxFileBytes = uint64_t(512) * 1024 * 1024;

using DecodeFn = bool (*)(const BYTE*, size_t, const DecodeRequest&, CxImage&, DecodeResult&);
using EncodeFn = bool (*)(const CxImage&, CxFile&, const EncodeRequest&);

struct Codec {
    DWORD type;
    DecodeFn decode;
    EncodeFn encode;
};

const Codec kCodecs[] = {
    {CXIMAGE_FORMAT_BMP, BmpCodec::Decode, BmpCodec::Encode},
    {CXIMAGE_FORMAT_GIF, GifCodec::Decode, GifCodec::Encode},
    {CXIMAGE_FORMAT_JPG, JpegCodec::Decode, JpegCodec::Encode},
    {CXIMAGE_FORMAT_PNG, PngCodec::Decode, PngCodec::Encode},
    {CXIMAGE_FORMAT_ICO, IcoCodec::Decode, IcoCodec::Encode},
    {CXIMAGE_FORMAT_TIF, TiffCodec::Decode, TiffCodec::Encode},
    {CXIMAGE_FORMAT_WEBP, WebpCodec::Decode, WebpCodec::Encode},
};

const Codec* FindCodec(DWORD type)
{
    for (const Codec& c : kCodecs)
        if (c.type == type)
            return &c;
    return nullptr;
}

// Endings and their codes, longer endings first so that "wbmp" is not taken for "bmp".
const struct {
    const wchar_t* ending;
    DWORD type;
} kExtensions[] = {
    {L"wbmp", CXIMAGE_FORMAT_WBMP}, {L"jpeg", CXIMAGE_FORMAT_JPG}, {L"tiff", CXIMAGE_FORMAT_TIF},
    {L"webp", CXIMAGE_FORMAT_WEBP}, {L"bmp", CXIMAGE_FORMAT_BMP},  {L"gif", CXIMAGE_FORMAT_GIF},
    {L"jpg", CXIMAGE_FORMAT_JPG},   {L"png", CXIMAGE_FORMAT_PNG},  {L"mng", CXIMAGE_FORMAT_MNG},
    {L"jng", CXIMAGE_FORMAT_MNG},   {L"ico", CXIMAGE_FORMAT_ICO},  {L"cur", CXIMAGE_FORMAT_ICO},
    {L"tif", CXIMAGE_FORMAT_TIF},   {L"tga", CXIMAGE_FORMAT_TGA},  {L"pcx", CXIMAGE_FORMAT_PCX},
    {L"wmf", CXIMAGE_FORMAT_WMF},   {L"emf", CXIMAGE_FORMAT_WMF},  {L"j2k", CXIMAGE_FORMAT_JP2},
    {L"jp2", CXIMAGE_FORMAT_JP2},   {L"j2c", CXIMAGE_FORMAT_JPC},  {L"jpc", CXIMAGE_FORMAT_JPC},
    {L"pgx", CXIMAGE_FORMAT_PGX},   {L"pnm", CXIMAGE_FORMAT_PNM},  {L"pgm", CXIMAGE_FORMAT_PNM},
    {L"ppm", CXIMAGE_FORMAT_PNM},   {L"ras", CXIMAGE_FORMAT_RAS},  {L"psd", CXIMAGE_FORMAT_PSD},
};

bool EndsWith(const wchar_t* name, size_t length, const wchar_t* ending)
{
    const size_t n = wcslen(ending);
    if (length < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::towlower(name[length - n + i]) != ending[i])
            return false;
    return true;
}

bool ReadWholeFile(const wchar_t* path, std::vector<BYTE>& data)
{
    const win32::FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid())
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || static_cast<uint64_t>(size.QuadPart) > kMaxFileBytes)
        return false;
    try {
        data.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 24));
        if (!ReadFile(file.Get(), data.data() + done, want, &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}

// A new file named after the target, opened for writing.
FILE* CreateTempBeside(const wchar_t* path, std::wstring& temp)
{
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[32];
        swprintf(suffix, 32, L".%08lx.zvtmp", static_cast<unsigned long>(GetTickCount() * 31 + GetCurrentThreadId() + attempt));
        temp = std::wstring(path) + suffix;
        win32::FileHandle h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.IsValid()) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            return nullptr;
        }
        // From here the descriptor, and then the stream, own the handle.
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h.Get()), 0);
        if (fd >= 0)
            h.Release();
        FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
        if (!file) {
            if (fd >= 0)
                _close(fd);
            h.Reset(); // closed before the delete: the file was opened without sharing
            DeleteFileW(temp.c_str());
        }
        return file;
    }
    return nullptr;
}

// A file that another handle has open cannot be replaced, whatever that handle shares: the
// rename is refused with access denied. Readers such as a list making its thumbnails or a
// viewer hold a picture for moments only, so the replace is tried again for a while before the
// save counts as failed. A read-only target never comes here.
constexpr DWORD kReplaceWaitMs = 3000;
constexpr DWORD kReplaceStepMs = 20;

bool ReplaceWith(const std::wstring& temp, const wchar_t* path)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (MoveFileExW(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        if (!held || GetTickCount64() - start >= kReplaceWaitMs) {
            SetLastError(error);
            return false;
        }
        Sleep(kReplaceStepMs);
    }
}

} // namespace

DWORD CxImage::TypeFromExtension(const wchar_t* name)
{
    if (!name)
        return CXIMAGE_FORMAT_UNKNOWN;
    const size_t length = wcslen(name);
    for (const auto& e : kExtensions)
        if (EndsWith(name, length, e.ending))
            return e.type;
    return CXIMAGE_FORMAT_UNKNOWN;
}

DWORD CxImage::TypeFromContent(const BYTE* d, size_t n)
{
    if (!d)
        return CXIMAGE_FORMAT_UNKNOWN;
    if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF)
        return CXIMAGE_FORMAT_JPG;
    if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1A\n", 8) == 0)
        return CXIMAGE_FORMAT_PNG;
    if (n >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0))
        return CXIMAGE_FORMAT_GIF;
    if (n >= 12 && std::memcmp(d, "RIFF", 4) == 0 && std::memcmp(d + 8, "WEBP", 4) == 0)
        return CXIMAGE_FORMAT_WEBP;
    if (n >= 2 && d[0] == 'B' && d[1] == 'M')
        return CXIMAGE_FORMAT_BMP;
    if (n >= 4 && (std::memcmp(d, "II*\0", 4) == 0 || std::memcmp(d, "MM\0*", 4) == 0))
        return CXIMAGE_FORMAT_TIF;
    if (n >= 6 && d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0 && (d[4] | d[5]))
        return CXIMAGE_FORMAT_ICO;
    return CXIMAGE_FORMAT_UNKNOWN;
}

bool CxImage::DecodeData(const BYTE* data, size_t size, DWORD imageType, const wchar_t* path)
{
    if (!data || !size)
        return false;
    const DWORD detected = TypeFromContent(data, size);
    // The format asked for first; a file whose name or caller got its format wrong still
    // loads by its content.
    DWORD tries[2] = {imageType ? imageType : detected, detected};
    for (int i = 0; i < 2; ++i) {
        if (i == 1 && tries[1] == tries[0])
            break;
        const Codec* codec = FindCodec(tries[i]);
        if (!codec)
            continue;
        DecodeRequest request;
        request.frame = m_info.frame;
        request.allFrames = m_info.retrieveAllFrames;
        request.shrinkWidth = m_info.shrinkWidth;
        request.shrinkHeight = m_info.shrinkHeight;
        request.shrinkToCover = m_info.shrinkToCover;
        DecodeResult result;
        CxImage made;
        bool ok = false;
        try {
            ok = codec->decode(data, size, request, made, result);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        if (ok && made.IsValid())
            return ApplyDecoded(result, made, codec->type, path);
    }
    return false;
}

bool CxImage::ApplyDecoded(DecodeResult& result, CxImage& made, DWORD type, const wchar_t* path)
{
    // The new picture's facts replace the old; the caller's load settings stay.
    Info facts = made.m_info;
    const Info settings = m_info;
    Destroy();
    TakePixels(made);
    m_info = facts;
    m_info.retrieveAllFrames = settings.retrieveAllFrames;
    m_info.frame = settings.frame;
    m_info.shrinkWidth = settings.shrinkWidth;
    m_info.shrinkHeight = settings.shrinkHeight;
    m_info.shrinkToCover = settings.shrinkToCover;
    m_info.exifDisabled = settings.exifDisabled;
    m_info.jpegQuality = result.jpegQuality ? result.jpegQuality : settings.jpegQuality;
    m_info.type = type;
    m_info.numFrames = result.numFrames;
    m_info.originalWidth = result.originalWidth ? result.originalWidth : m_width;
    m_info.originalHeight = result.originalHeight ? result.originalHeight : m_height;
    SetXDPI(m_info.xdpi);
    SetYDPI(m_info.ydpi);
    if (!result.exif.empty() && ParseExif(result.exif.data(), result.exif.size(), m_exif))
        m_exifBlock = std::move(result.exif);
    else
        m_exif = CX_IMAGE_EXIFINFO{};
    m_frames = std::move(result.frames);
    for (auto& frame : m_frames)
        frame->m_info.type = type;
    if (path)
        m_fileName = path;
    return true;
}

bool CxImage::Load(const wchar_t* path, DWORD imageType)
{
    std::vector<BYTE> data;
    if (!path || !ReadWholeFile(path, data))
        return false;
    return DecodeData(data.data(), data.size(), imageType, path);
}

bool CxImage::Decode(const BYTE* buffer, DWORD size, DWORD imageType)
{
    return DecodeData(buffer, size, imageType, nullptr);
}

bool CxImage::Decode(FILE* file, DWORD imageType)
{
    if (!file)
        return false;
    std::vector<BYTE> data;
    BYTE block[65536];
    size_t n;
    try {
        while ((n = fread(block, 1, sizeof block, file)) > 0) {
            if (data.size() + n > kMaxFileBytes)
                return false;
            data.insert(data.end(), block, block + n);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return DecodeData(data.data(), data.size(), imageType, nullptr);
}

bool CxImage::LoadResource(HRSRC resource, DWORD imageType, HMODULE module)
{
    if (!resource)
        return false;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    return data && DecodeData(data, size, imageType, nullptr);
}

bool CxImage::Encode(FILE* file, DWORD imageType)
{
    if (!file)
        return false;
    CxIOFile out(file);
    return Encode(out, imageType) && out.Flush();
}

bool CxImage::Encode(CxFile& file, DWORD imageType, bool lossless)
{
    const Codec* codec = FindCodec(imageType);
    if (!IsValid() || !codec)
        return false;
    EncodeRequest request;
    request.lossless = lossless;
    request.quality = m_info.jpegQuality;
    std::vector<BYTE> exif;
    if (!m_info.exifDisabled && !m_exifBlock.empty()) {
        // The saved block states the pixels' orientation as they are now.
        exif = m_exifBlock;
        RewriteExif(exif, m_exif.IsExif ? m_exif.Orientation : 1);
        request.exif = &exif;
    }
    try {
        return codec->encode(*this, file, request) && file.Good();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CxImage::Save(const wchar_t* path, DWORD imageType)
{
    if (!path || !IsValid())
        return false;
    // Code 0 takes the format from the name; a WebP saved that way is lossless, so that the
    // project's layers keep their pixels exactly.
    const bool fromName = imageType == CXIMAGE_FORMAT_UNKNOWN;
    const DWORD type = fromName ? TypeFromExtension(path) : imageType;
    if (!FindCodec(type))
        return false;
    // A read-only target is refused as Windows refuses to replace it (Wine would replace it).
    const DWORD targetAttributes = GetFileAttributesW(path);
    if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // Written beside the target, then put in its place: a failed save keeps the old file.
    std::wstring temp;
    FILE* file = CreateTempBeside(path, temp);
    bool ok = file != nullptr;
    if (ok) {
        CxIOFile out(file);
        ok = Encode(out, type, fromName && type == CXIMAGE_FORMAT_WEBP) && out.Flush();
        ok = fclose(file) == 0 && ok;
    }
    if (ok)
        ok = ReplaceWith(temp, path);
    if (!ok && file)
        DeleteFileW(temp.c_str());
    return ok;
}

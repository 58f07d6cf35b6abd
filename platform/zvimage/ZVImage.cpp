// CZVImage: life, files by name, the project preview and fitted drawing.
#include "ZVImage.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <new>
#include <string>
#include <utility>
#include <vector>
#include "ImageMath.h"
#include <minizip/unzip.h>

using namespace zvimage;

namespace {

// The preview entry of a project and the most we read of it: previews are WebP files of the
// document's size, far below this; a larger entry is not one of ours.
const char kPreviewEntry[] = "~preview.webp";
constexpr ZPOS64_T kMaxPreviewBytes = 256ull * 1024 * 1024;

// minizip over _wfopen, so that project paths keep every character.
voidpf ZCALLBACK ZipOpen(voidpf, const void* name, int mode)
{
    if (!name || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    return _wfopen(static_cast<const wchar_t*>(name), L"rb");
}

uLong ZCALLBACK ZipRead(voidpf, voidpf stream, void* buffer, uLong size)
{
    return static_cast<uLong>(fread(buffer, 1, size, static_cast<FILE*>(stream)));
}

uLong ZCALLBACK ZipWrite(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK ZipTell(voidpf, voidpf stream)
{
    const int64_t at = _ftelli64(static_cast<FILE*>(stream));
    return at < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(at);
}

long ZCALLBACK ZipSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    const int whence = origin == ZLIB_FILEFUNC_SEEK_CUR ? SEEK_CUR : (origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END : SEEK_SET);
    return _fseeki64(static_cast<FILE*>(stream), static_cast<int64_t>(offset), whence) == 0 ? 0 : -1;
}

int ZCALLBACK ZipClose(voidpf, voidpf stream)
{
    return fclose(static_cast<FILE*>(stream));
}

int ZCALLBACK ZipError(voidpf, voidpf stream)
{
    return ferror(static_cast<FILE*>(stream));
}

bool HasExtension(const wchar_t* path, const wchar_t* extension)
{
    const wchar_t* dot = wcsrchr(path, L'.');
    const wchar_t* slash = wcsrchr(path, L'\\');
    if (!dot || (slash && dot < slash))
        return false;
    return _wcsicmp(dot + 1, extension) == 0;
}

} // namespace

CZVImage::CZVImage() = default;

CZVImage::CZVImage(const CZVImage& src) : CxImage(src) {}

CZVImage& CZVImage::operator=(const CZVImage& src)
{
    CxImage::operator=(src);
    return *this;
}

CZVImage::CZVImage(CZVImage&& src) noexcept
{
    *this = std::move(src);
}

CZVImage& CZVImage::operator=(CZVImage&& src) noexcept
{
    if (this != &src) {
        CxImage::operator=(std::move(src));
        m_stroke = std::move(src.m_stroke);
        m_strokeWidth = std::exchange(src.m_strokeWidth, 0);
        m_strokeHeight = std::exchange(src.m_strokeHeight, 0);
    }
    return *this;
}

CZVImage::~CZVImage() = default;

bool CZVImage::LoadFile(const wchar_t* path)
{
    if (!path)
        return false;
    if (HasExtension(path, L"kqd"))
        return LoadKQDPreview(path);
    return Load(path, CXIMAGE_FORMAT_UNKNOWN);
}

bool CZVImage::SaveFile(const wchar_t* path, DWORD imageType)
{
    return Save(path, imageType);
}

bool CZVImage::LoadKQDPreview(const wchar_t* path)
{
    if (!path)
        return false;
    zlib_filefunc64_def io = {ZipOpen, ZipRead, ZipWrite, ZipTell, ZipSeek, ZipClose, ZipError, nullptr};
    unzFile zip = unzOpen2_64(path, &io);
    if (!zip)
        return false;
    std::vector<BYTE> data;
    bool ok = unzLocateFile(zip, kPreviewEntry, 2) == UNZ_OK;   // 2: names compared without case
    unz_file_info64 info;
    ok = ok && unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK &&
         info.uncompressed_size > 0 && info.uncompressed_size <= kMaxPreviewBytes;
    ok = ok && unzOpenCurrentFile(zip) == UNZ_OK;
    if (ok) {
        // The stated size may lie: read no more than it, and require exactly it.
        try {
            data.resize(static_cast<size_t>(info.uncompressed_size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        size_t done = 0;
        while (ok && done < data.size()) {
            const int got = unzReadCurrentFile(zip, data.data() + done, static_cast<unsigned>(std::min<size_t>(data.size() - done, 1 << 20)));
            ok = got > 0;
            if (ok)
                done += got;
        }
        BYTE extra;
        ok = ok && unzReadCurrentFile(zip, &extra, 1) == 0;
        ok = unzCloseCurrentFile(zip) == UNZ_OK && ok;   // also checks the CRC
    }
    unzClose(zip);
    if (!ok || !Decode(data.data(), static_cast<DWORD>(data.size()), CXIMAGE_FORMAT_UNKNOWN))
        return false;
    m_fileName = path;
    return true;
}

bool CZVImage::LoadPNG(UINT resourceId, HMODULE module)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    return resource && LoadResource(resource, CXIMAGE_FORMAT_PNG, module);
}

DWORD CZVImage::GetTypeFromFile(const wchar_t* path)
{
    if (!path)
        return CXIMAGE_FORMAT_UNKNOWN;
    BYTE head[16] = {};
    size_t n = 0;
    if (FILE* file = _wfopen(path, L"rb")) {
        n = fread(head, 1, sizeof head, file);
        fclose(file);
    }
    const DWORD type = TypeFromContent(head, n);
    return type ? type : TypeFromExtension(path);
}

RECT CZVImage::GetAutoFitRect(const RECT& box, bool enlarge) const
{
    if (!IsValid())
        return RECT{0, 0, 0, 0};
    return FitRect(m_width, m_height, box, enlarge);
}

void CZVImage::DrawAutoFit(HDC dc, const RECT& box, RECT* used, bool)
{
    const RECT fit = GetAutoFitRect(box, false);
    if (used)
        *used = fit;
    if (dc && IsValid())
        Draw(dc, fit, nullptr, true);
}

void CZVImage::DrawFullSupport(HDC dc, const RECT& box, bool)
{
    if (!dc || !IsValid() || box.right <= box.left || box.bottom <= box.top)
        return;
    // The largest part of the box's proportion, centred, covers the whole box.
    const RECT part = CropMaxRect(m_width, m_height, box.right - box.left, box.bottom - box.top);
    CxImage covered;
    if (CropInto(part, covered))
        covered.Draw(dc, box, nullptr, true);
}

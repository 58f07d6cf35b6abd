#include "PreviewImage.h"
#include <string>
#include "PathFunc.h"
#include "WStr.h"
#include "ZVImage.h"

namespace {

struct ExtType {
    const wchar_t* ext;
    int type;
};

const ExtType kExtTypes[] = {
    {L"webp", CXIMAGE_FORMAT_WEBP}, {L"jpg", CXIMAGE_FORMAT_JPG}, {L"jp2", CXIMAGE_FORMAT_JP2},
    {L"jpc", CXIMAGE_FORMAT_JPC},   {L"png", CXIMAGE_FORMAT_PNG}, {L"bmp", CXIMAGE_FORMAT_BMP},
    {L"gif", CXIMAGE_FORMAT_GIF},   {L"tif", CXIMAGE_FORMAT_TIF}, {L"pcx", CXIMAGE_FORMAT_PCX},
    {L"ico", CXIMAGE_FORMAT_ICO},   {L"tga", CXIMAGE_FORMAT_TGA}, {L"wbm", CXIMAGE_FORMAT_WBMP},
    {L"wmf", CXIMAGE_FORMAT_WMF},   {L"pgx", CXIMAGE_FORMAT_PGX}, {L"pnm", CXIMAGE_FORMAT_PNM},
    {L"ras", CXIMAGE_FORMAT_RAS},
};

const long kPreviewSide = 128;

} // namespace

int GetImageTypeFromExt(const wchar_t* path)
{
    const wchar_t* ext = GetFileExtPtr(path);
    if (!ext)
        return -1;
    for (const ExtType& entry : kExtTypes)
        if (WStrCompareNoCase(ext, entry.ext) == 0)
            return entry.type;
    return -1;
}

// Larger originals keep more detail in their preview.
int GetPreviewQuality(unsigned largerSide)
{
    if (largerSide >= 2560)
        return 90;
    if (largerSide >= 1600)
        return 80;
    if (largerSide >= 800)
        return 70;
    return 60;
}

bool MakePreviewImage(const wchar_t* source, const wchar_t* target)
{
    const int type = GetImageTypeFromExt(target);
    if (type < 0)
        return false;
    CZVImage image;
    if (!image.LoadFile(source))
        return false;
    const DWORD width = image.GetWidth();
    const DWORD height = image.GetHeight();
    image.ResampleIncFrame(kPreviewSide, kPreviewSide, true);
    if (type == CXIMAGE_FORMAT_JPG || type == CXIMAGE_FORMAT_WEBP)
        image.SetJpegQuality(BYTE(GetPreviewQuality(width > height ? width : height)));
    if (image.SaveFile(target, DWORD(type)))
        return true;
    // Some formats take only palette pictures, others only true colour.
    if (image.GetBpp() > 8)
        image.DecreaseBpp(8, false);
    else
        image.IncreaseBpp(24);
    return image.SaveFile(target, DWORD(type));
}

bool MakeResPreviewFile(const wchar_t* path)
{
    const int length = WStrLen(path);
    std::wstring folder(size_t(length) + 1, L'\0');
    folder.resize(size_t(GetParentFolderTrimmed(path, &folder[0])));
    const wchar_t* name = GetFileNamePart(path);
    if (!name)
        return false;
    const std::wstring target = (folder.empty() ? std::wstring() : folder + L"\\") + L"_Preview_" + name;
    return MakePreviewImage(path, target.c_str());
}

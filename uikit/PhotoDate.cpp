#include "PhotoDate.h"
#include <cstdio>
#include "PathFunc.h"
#include "ZVImage.h"

bool photodate::ParseExifDateTime(const char* text, int fields[6])
{
    if (!text || !*text)
        return false;
    int f[6];
    if (std::sscanf(text, "%d:%d:%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) != 6)
        return false;
    if (f[0] < 1900 || f[1] < 1 || f[1] > 12 || f[2] < 1 || f[2] > 31 || f[3] < 0 || f[3] > 23 || f[4] < 0 || f[4] > 59 ||
        f[5] < 0 || f[5] > 59)
        return false;
    for (int i = 0; i < 6; ++i)
        fields[i] = f[i];
    return true;
}

bool GetImageExifInfo(const wchar_t* path, CX_IMAGE_EXIFINFO* info)
{
    if (!info)
        return false;
    *info = CX_IMAGE_EXIFINFO{};
    if (!path || !*path)
        return false;
    CxImage image;
    // Only the markers matter here: a JPEG decodes at its smallest scale.
    image.SetShrinkOnLoad(1, 1);
    if (!image.Load(path, CXIMAGE_FORMAT_UNKNOWN) || !image.GetExifInfo()->IsExif)
        return false;
    *info = *image.GetExifInfo();
    return true;
}

bool GetPhotoDate(const wchar_t* path, CTime& time)
{
    if (!MatchWildcardList(L"*.jpg;*.jpe;*.jpeg", GetFileNamePart(path)))
        return false;
    CX_IMAGE_EXIFINFO exif;
    int f[6];
    if (!GetImageExifInfo(path, &exif) || !photodate::ParseExifDateTime(exif.DateTime, f))
        return false;
    // A day the month lacks (30 February) would roll into the next month, and a year before
    // 1970 has no C time: neither is the date taken.
    const CTime taken(f[0], f[1], f[2], f[3], f[4], f[5]);
    struct tm parts;
    if (taken.GetTime() == -1 || !taken.GetLocalTm(&parts) || parts.tm_year + 1900 != f[0] || parts.tm_mon + 1 != f[1] ||
        parts.tm_mday != f[2])
        return false;
    time = taken;
    return true;
}

bool GetPhotoDateEx(const wchar_t* path, CTime& time)
{
    if (GetPhotoDate(path, time))
        return true;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return false;
    // A file system that keeps no creation time gives zero, which is no time at all.
    const CTime written(data.ftLastWriteTime), created(data.ftCreationTime);
    const bool hasWritten = written.GetTime() != -1 && (data.ftLastWriteTime.dwLowDateTime || data.ftLastWriteTime.dwHighDateTime);
    const bool hasCreated = created.GetTime() != -1 && (data.ftCreationTime.dwLowDateTime || data.ftCreationTime.dwHighDateTime);
    if (!hasWritten && !hasCreated)
        return false;
    time = !hasCreated || (hasWritten && written < created) ? written : created;
    return true;
}

void TimeToStr(__int64 time, ALT::TString<wchar_t, 0, 8>& text)
{
    struct tm parts;
    if (!CTime(time).GetLocalTm(&parts)) {
        text = L"---Error---";
        return;
    }
    text.Format(L"%d-%02d-%02d %02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min);
}

#pragma once
// When a photo was taken: the EXIF date of a JPEG file, else its earliest file time; and the
// short text form of a time.
#include "AppFrame.h"
#include "TString.h"
#include "ZVImageDef.h"
#include "ZVUILibDef.h"

// Zeroes the record; true when the picture loads and carries EXIF data, copied into it.
ZVUILIB_API bool GetImageExifInfo(const wchar_t* path, CX_IMAGE_EXIFINFO* info);
// Only *.jpg, *.jpe, *.jpeg: the EXIF date-time as a local time.
ZVUILIB_API bool GetPhotoDate(const wchar_t* path, CTime& time);
// GetPhotoDate, else the earlier of the file's last-write and creation times.
ZVUILIB_API bool GetPhotoDateEx(const wchar_t* path, CTime& time);
// "2024-05-01 09:05" in local time, "---Error---" when the time does not convert.
ZVUILIB_API void TimeToStr(__int64 time, ALT::TString<wchar_t, 0, 8>& text);

namespace photodate {
// Reads "YYYY:MM:DD hh:mm:ss" into year, month, day, hour, minute, second; false when a field
// is missing or out of its range.
ZVUILIB_API bool ParseExifDateTime(const char* text, int fields[6]);
} // namespace photodate

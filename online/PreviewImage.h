#pragma once
// Small pictures for the material lists: the format code by file extension and the 128 x 128
// preview maker.
#include "ZVUILibDef.h"

// The image library's format code of the path's extension (without case), -1 when there is none.
ZVUILIB_API int GetImageTypeFromExt(const wchar_t* path);
// The JPEG and WebP quality of a preview of a picture whose larger side is `largerSide`.
ZVUILIB_API int GetPreviewQuality(unsigned largerSide);
// target: source fitted into 128 x 128, in the format of target's extension. False when
// nothing was written.
ZVUILIB_API bool MakePreviewImage(const wchar_t* source, const wchar_t* target);
// The preview of path as <folder>\_Preview_<file name>.
ZVUILIB_API bool MakeResPreviewFile(const wchar_t* path);

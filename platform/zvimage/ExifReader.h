#pragma once
// A bounded reader of the TIFF-structured EXIF block (the part after "Exif\0\0"): the date
// taken, camera, orientation and stated size. Every offset is checked against the block.
#include <vector>
#include "ZVImageDef.h"

namespace zvimage {

ZVIMAGE_API bool ParseExif(const BYTE* data, size_t size, CX_IMAGE_EXIFINFO& info);

// Prepares a block to be written with pixels that may have changed: the orientation entry of
// IFD0 states the given value, and the link to IFD1 (the embedded thumbnail, which would show
// the old pixels) is cut. False when the block is not one.
ZVIMAGE_API bool RewriteExif(std::vector<BYTE>& block, int orientation);

} // namespace zvimage

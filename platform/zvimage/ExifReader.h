#pragma once
// A bounded reader of the TIFF-structured EXIF block (the part after "Exif\0\0"): the date
// taken, camera, orientation and stated size. Every offset is checked against the block.
#include <vector>
#include "ZVImageDef.h"

namespace zvimage {

ZVIMAGE_API bool ParseExif(const BYTE* data, size_t size, CX_IMAGE_EXIFINFO& info);

// Rewrites the orientation entry of IFD0 in place; false when the block has none.
ZVIMAGE_API bool SetExifOrientation(std::vector<BYTE>& block, int orientation);

} // namespace zvimage

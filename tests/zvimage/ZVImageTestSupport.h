#pragma once
// Helpers of the image library's tests: fixture files, pattern pictures, and the shared temporary
// folder.
#include <string>
#include <vector>
#include "TestSupport.h"
#include "ZVImage.h"

namespace zvtest {

// A file of tests/zvimage/fixtures, copied beside the test program.
std::wstring Fixture(const wchar_t* name);
using testsupport::ReadBytes;
using testsupport::WriteBytes;

using testsupport::TempFolder;

// A 24-bit picture whose every pixel differs: blue x * 37, green y * 53, red x * y * 11
// (mod 256), and with alpha (x + y) * 29 mod 256 when asked.
CZVImage Pattern(long width, long height, bool alpha = false);
RGBQUAD PatternColor(long x, long y, bool alpha = false);

// Pixel (x, y) with y counted from the top row.
RGBQUAD TopDown(const CxImage& image, long x, long y);

bool SameColor(RGBQUAD a, RGBQUAD b, int tolerance = 0, bool alpha = false);
// True when both pictures have the same size and pixels (and alpha when asked).
bool SamePixels(const CxImage& a, const CxImage& b, int tolerance = 0, bool alpha = false);

} // namespace zvtest

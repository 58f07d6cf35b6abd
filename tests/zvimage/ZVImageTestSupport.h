#pragma once
// Helpers of the image library's tests: fixture files, a temporary folder, pattern pictures.
#include <string>
#include <vector>
#include "ZVImage.h"

namespace zvtest {

// A file of tests/zvimage/fixtures, copied beside the test program.
std::wstring Fixture(const wchar_t* name);
std::vector<BYTE> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::vector<BYTE>& data);

// A folder of its own under the temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::wstring Path(const wchar_t* name) const { return m_path + L"\\" + name; }
    std::wstring Path(const std::wstring& name) const { return Path(name.c_str()); }
    std::vector<std::wstring> Files() const;

private:
    std::wstring m_path;
};

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

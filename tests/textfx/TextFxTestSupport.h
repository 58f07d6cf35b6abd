#pragma once
// GDI+ for the text engine tests: started once per suite, a canvas to draw on and probes.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <cstdint>
#include <memory>

namespace textfxtest {

// The colours and the placement the probes share: text drawn at (kX, kY) on a kW x kH target,
// kShift moves a shadow clear of the text.
constexpr uint32_t kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr int kX = 20, kY = 10, kW = 200, kH = 140;
constexpr int kShift = 40;

class GdiplusTest : public testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

private:
    static ULONG_PTR s_token;
};

// A 32-bit ARGB bitmap with an antialiased Graphics in pixels at 96 dpi.
class Canvas {
public:
    Canvas(int width, int height, Gdiplus::Color background = Gdiplus::Color(0));
    Gdiplus::Graphics* G() { return m_graphics.get(); }
    Gdiplus::Bitmap* Bitmap() { return &m_bitmap; }
    uint32_t At(int x, int y);
    int Width() { return static_cast<int>(m_bitmap.GetWidth()); }
    int Height() { return static_cast<int>(m_bitmap.GetHeight()); }

private:
    Gdiplus::Bitmap m_bitmap;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
};

// Colour distance: the largest difference of the four channels.
int Distance(uint32_t a, uint32_t b);

// The font every probe uses: a bold "I" is a plain bar, so inside, edge and outside are
// known from the path bounds whatever face the machine substitutes.
struct Glyph {
    Glyph();
    // The bar's bounds when drawn at (x, y) with the GDI+ font form.
    Gdiplus::RectF Bounds(int x, int y);
    Gdiplus::FontFamily family;
    Gdiplus::StringFormat format;
    int style = Gdiplus::FontStyleBold;
    int size = 100;
    const wchar_t* text = L"I";
};

} // namespace textfxtest

#define EXPECT_COLOUR_NEAR(expected, actual, tolerance)                                        \
    EXPECT_LE(textfxtest::Distance((expected), (actual)), (tolerance))                          \
        << std::hex << "expected " << (expected) << " got " << (actual)

#include "TextFxTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include "ITextStrategy.h"

using namespace Gdiplus;

namespace textfxtest {

ULONG_PTR GdiplusTest::s_token = 0;

void GdiplusTest::SetUpTestSuite()
{
    GdiplusStartupInput input;
    ASSERT_EQ(GdiplusStartup(&s_token, &input, nullptr), Ok);
}

void GdiplusTest::TearDownTestSuite()
{
    GdiplusShutdown(s_token);
}

Canvas::Canvas(int width, int height, Color background)
    : m_bitmap(width, height, PixelFormat32bppARGB)
{
    m_bitmap.SetResolution(96, 96);
    m_graphics = std::make_unique<Graphics>(&m_bitmap);
    m_graphics->Clear(background);
    m_graphics->SetSmoothingMode(SmoothingModeAntiAlias);
    m_graphics->SetPageUnit(UnitPixel);
}

uint32_t Canvas::At(int x, int y)
{
    m_graphics->Flush(FlushIntentionSync);
    Color c;
    m_bitmap.GetPixel(x, y, &c);
    return c.GetValue();
}

int Distance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 32; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                 static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

Glyph::Glyph() : family(L"Arial") {}

RectF Glyph::Bounds(int x, int y)
{
    auto path = TextDesigner::BuildTextPath(
        nullptr, TextDesigner::TextSpec::FromFont(&family, style, size, text, &format)
                     .At(x, y));
    RectF bounds;
    if (path)
        path->GetBounds(&bounds);
    return bounds;
}

} // namespace textfxtest

// Renders every text strategy and both outline-text engines into one captioned PNG, for a
// person to look at:
//   build/wine-run build/bench/textfx_gallery.exe [out.png]
#include <windows.h>
#include <gdiplus.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "GallerySheet.h"
#include "DiffusedShadowStrategy.h"
#include "ExtrudeStrategy.h"
#include "OutlineText.h"
#include "PngOutlineText.h"
#include "TextDblGlowStrategy.h"
#include "TextDblOutlineStrategy.h"
#include "TextGlowStrategy.h"
#include "TextGradOutlineStrategy.h"
#include "TextNoOutlineStrategy.h"
#include "TextOnlyOutlineStrategy.h"
#include "TextOutlineStrategy.h"

using namespace Gdiplus;
using namespace TextDesigner;

namespace {

const int kCellWidth = 420;
const int kCellHeight = 130;
const int kCaptionHeight = GallerySheet::kCaptionHeight;
const int kColumns = 2;
const wchar_t kText[] = L"Word Art";

struct Sample {
    const wchar_t* caption;
    std::function<void(Graphics&, FontFamily&, StringFormat&, int x, int y)> draw;
};

template <typename S, typename... Args>
std::function<void(Graphics&, FontFamily&, StringFormat&, int, int)> Strategy(Args... args)
{
    return [=](Graphics& g, FontFamily& family, StringFormat& format, int x, int y) {
        S strategy;
        strategy.Init(args...);
        strategy.DrawString(&g, &family, FontStyleBold, 64, kText, x, y, &format);
    };
}

// An extrusion's copies run from the drawing point back along the offset, as a shadow drawn
// at the text position plus the offset reaches back to the text.
std::function<void(Graphics&, FontFamily&, StringFormat&, int, int)> Extrusion(int dx, int dy)
{
    return [=](Graphics& g, FontFamily& family, StringFormat& format, int x, int y) {
        ExtrudeStrategy shadow;
        shadow.Init(Color(0xFF905020), Color(0xFF603000), 2, dx, dy);
        shadow.DrawString(&g, &family, FontStyleBold, 64, kText, x + dx, y + dy, &format);
        TextOutlineStrategy text;
        text.Init(Color(0xFFFFA000), Color(0xFF603000), 2);
        text.DrawString(&g, &family, FontStyleBold, 64, kText, x, y, &format);
    };
}

// The GDI font form: the path comes from GDI, which honours the escapement (tenths of a degree).
template <typename S, typename... Args>
std::function<void(Graphics&, FontFamily&, StringFormat&, int, int)> GdiStrategy(int escapement,
                                                                                 Args... args)
{
    return [=](Graphics& g, FontFamily&, StringFormat&, int x, int y) {
        LOGFONTW font = {};
        font.lfHeight = -64;
        font.lfWeight = FW_BOLD;
        font.lfEscapement = font.lfOrientation = escapement;
        wcscpy(font.lfFaceName, L"Arial");
        S strategy;
        strategy.Init(args...);
        strategy.GdiDrawString(&g, &font, kText, x, y + (escapement ? 40 : 0));
    };
}

// The direct engine over a light background: the shadow is composed over a copy of what lies
// behind the cell, so the cell is drawn on its own bitmap of the cell's size first.
std::function<void(Graphics&, FontFamily&, StringFormat&, int, int)> Direct(
    std::function<void(OutlineText&)> setUp)
{
    return [=](Graphics& g, FontFamily& family, StringFormat& format, int x, int y) {
        Bitmap cell(kCellWidth, kCellHeight - kCaptionHeight, PixelFormat32bppARGB);
        Graphics cg(&cell);
        cg.SetSmoothingMode(SmoothingModeAntiAlias);
        cg.SetPageUnit(UnitPixel);
        Color background(0xFFF0E8D8);
        cg.Clear(background);
        OutlineText engine;
        engine.TextOutline(Color(0xFFFFFFFF), Color(0xFF203060), 4);
        engine.SetShadowBackground(background, kCellWidth, kCellHeight - kCaptionHeight);
        setUp(engine);
        engine.EnableShadow(true);
        engine.DrawString(&cg, &family, FontStyleBold, 64, kText, Point(10, 6), &format);
        g.DrawImage(&cell, x - 10, y - 6);
    };
}

// The bitmap engine over a checker board, so that its transparency shows: the target is
// sized by measuring, as the word-art renderer does, and the reflection goes below it.
std::function<void(Graphics&, FontFamily&, StringFormat&, int, int)> Bitmapped(
    int fontSize, Point origin, std::function<void(PngOutlineText&)> setUp)
{
    return [=](Graphics& g, FontFamily& family, StringFormat& format, int x, int y) {
        int left = x - 10, top = y - 6, w = kCellWidth, h = kCellHeight - kCaptionHeight;
        for (int cy = 0; cy < h; cy += 10)
            for (int cx = 0; cx < w; cx += 10) {
                SolidBrush square(((cx + cy) / 10) % 2 ? Color(0xFFCCCCCC) : Color(0xFFFFFFFF));
                g.FillRectangle(&square, left + cx, top + cy, 10, 10);
            }
        PngOutlineText engine;
        engine.TextOutline(Color(0xFFFFD040), Color(0xFF802000), 4);
        setUp(engine);
        Bitmap reference(1, 1, PixelFormat32bppARGB);
        Graphics settings(&reference);
        settings.SetSmoothingMode(SmoothingModeAntiAlias);
        settings.SetPageUnit(UnitPixel);
        float tw = 0, th = 0;
        engine.MeasureString(&settings, &family, FontStyleBold, fontSize, kText, origin, &format,
                             nullptr, nullptr, &tw, &th);
        Bitmap target(static_cast<int>(tw) + 4, static_cast<int>(th) + 4, PixelFormat32bppARGB);
        engine.SetPngImage(&target);
        engine.SetShadowBackground(Color(0xFFFFFFFF), target.GetWidth(), target.GetHeight());
        engine.DrawString(&settings, &family, FontStyleBold, fontSize, kText, origin, &format);
        g.DrawImage(&target, left, top);
        if (Bitmap* reflection = engine.GetReflection())
            g.DrawImage(reflection, left, top + static_cast<int>(target.GetHeight()));
    };
}

int Render(const wchar_t* outPath)
{
    std::vector<Sample> samples = {
        {L"TextGlowStrategy: white, translucent blue glow 8",
         Strategy<TextGlowStrategy>(Color(0xFFFFFFFF), Color(0x403060FF), 8)},
        {L"TextOutlineStrategy: yellow, black outline 6",
         Strategy<TextOutlineStrategy>(Color(0xFFFFE000), Color(0xFF000000), 6)},
        {L"TextDblOutlineStrategy: white, red 4 inside blue 4",
         Strategy<TextDblOutlineStrategy>(Color(0xFFFFFFFF), Color(0xFFE00000), Color(0xFF0030C0), 4, 4)},
        {L"TextDblGlowStrategy: white, red 3, translucent green glow 6",
         Strategy<TextDblGlowStrategy>(Color(0xFFFFFFFF), Color(0xFFC00000), Color(0x4000C000), 3, 6)},
        {L"TextGradOutlineStrategy: white, red (inner) to blue (outer) 10",
         Strategy<TextGradOutlineStrategy>(Color(0xFFFFFFFF), Color(0xFFFF0000), Color(0xFF0000FF), 10)},
        {L"TextNoOutlineStrategy: plain green",
         Strategy<TextNoOutlineStrategy>(Color(0xFF008040))},
        {L"TextOnlyOutlineStrategy: purple outline 3, mitre joins",
         Strategy<TextOnlyOutlineStrategy>(Color(0xFF800080), 3, false)},
        {L"DiffusedShadowStrategy: translucent grey body, glow 6",
         Strategy<DiffusedShadowStrategy>(Color(0x40404040), Color(0x20000000), 6, false)},
        {L"ExtrudeStrategy (brown) behind outlined text, offset (10, 6)", Extrusion(10, 6)},
        {L"ExtrudeStrategy (brown) behind outlined text, offset (12, 0)", Extrusion(12, 0)},
        {L"GDI font: TextOnlyOutlineStrategy, outline 5, rounded joins",
         GdiStrategy<TextOnlyOutlineStrategy>(0, Color(0xFF006060), 5, true)},
        {L"GDI font turned 10 degrees: TextOutlineStrategy",
         GdiStrategy<TextOutlineStrategy>(100, Color(0xFFA0E0FF), Color(0xFF004080), 4)},
        {L"OutlineText: shadow, grey at alpha 128, offset (6, 6)",
         Direct([](OutlineText& e) { e.Shadow(Color(0x80000000), 4, Point(6, 6)); })},
        {L"OutlineText: diffused shadow, thickness 6, offset (6, 6)",
         Direct([](OutlineText& e) { e.DiffusedShadow(Color(0x40000000), 6, 6, 6); })},
        {L"OutlineText: extruded shadow, offset (8, 8)",
         Direct([](OutlineText& e) { e.Extrude(Color(0xFF806040), 2, 8, 8); })},
        {L"PngOutlineText: shadow at alpha 128, reflection",
         Bitmapped(34, Point(2, 2), [](PngOutlineText& e) {
             e.Shadow(Color(0x80000000), 4, Point(5, 5));
             e.EnableShadow(true);
             e.m_bEnableReflection = true;
         })},
        {L"PngOutlineText: diffused shadow, thickness 5",
         Bitmapped(48, Point(2, 2), [](PngOutlineText& e) {
             e.DiffusedShadow(Color(0x60000000), 5, 5, 5);
             e.EnableShadow(true);
         })},
        {L"PngOutlineText: extruded shadow, offset (-8, 6), text moved right by 8",
         Bitmapped(48, Point(10, 2), [](PngOutlineText& e) {
             e.Extrude(Color(0xFF404080), 2, -8, 6);
             e.EnableShadow(true);
         })},
    };

    GallerySheet sheet(kCellWidth, kCellHeight, kColumns, samples.size());
    Graphics& g = sheet.Canvas();
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.SetTextRenderingHint(TextRenderingHintAntiAlias);
    FontFamily family(L"Arial");
    StringFormat format;
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i].draw(g, family, format, sheet.CellX(i) + 10, sheet.CellY(i) + 6);
        sheet.Caption(i, samples[i].caption);
    }
    return sheet.Save(outPath);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    return RunGallery(Render, argc, argv, L"textfx-gallery.png");
}

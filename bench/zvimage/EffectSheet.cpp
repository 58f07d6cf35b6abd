// Every pixel effect with typical parameters on one photo, laid out as a captioned contact
// sheet so that a person can judge them at a glance:
//   effect_sheet IN.jpg OUT.png [CELL_WIDTH]
#include <windows.h>
#include <cstdio>
#include <functional>
#include <vector>
#include "ZVImage.h"

namespace {

struct Entry {
    const wchar_t* caption;
    std::function<bool(CZVImage&)> apply;
};

std::vector<Entry> Entries()
{
    const RGBQUAD cyan = {255, 255, 60, 255}, white = {255, 255, 255, 255}, sepia = {60, 110, 170, 255};
    auto m = [](const CZVImage& i) { return static_cast<long>(std::min(i.GetWidth(), i.GetHeight())); };
    return {
        {L"original", [](CZVImage&) { return true; }},
        {L"GrayScale", [](CZVImage& i) { return i.EffectGrayScale(); }},
        {L"Invert", [](CZVImage& i) { return i.EffectInvert(); }},
        {L"Threshold 128", [](CZVImage& i) { return i.EffectThreshold(128); }},
        {L"Threshold2 150 keep", [white](CZVImage& i) { return i.EffectThreshold2(150, true, white, true); }},
        {L"HalftoneM3", [](CZVImage& i) { return i.EffectHalftoneM3(); }},
        {L"ColorTone sepia 80", [sepia](CZVImage& i) { return i.EffectColorTone(sepia, 80); }},
        {L"Posterize 4", [](CZVImage& i) { return i.EffectPosterize(4); }},
        {L"Solarize 128", [](CZVImage& i) { return i.EffectSolarize(128); }},
        {L"Gamma 160", [](CZVImage& i) { return i.EffectGamma(160); }},
        {L"ShiftRGB 40,0,-40", [](CZVImage& i) { return i.EffectShiftRGB(40, 0, -40); }},
        {L"BrightnessContrast 10,40", [](CZVImage& i) { return i.EffectBrightnessContrast(10, 40); }},
        {L"HueSaturation 40,30", [](CZVImage& i) { return i.EffectHueSaturation(40, 30); }},
        {L"Light 30,20", [](CZVImage& i) { return i.Light(30, 20); }},
        {L"Saturate -60", [](CZVImage& i) { return i.Saturate(-60); }},
        {L"Colorize 150,255,0.6", [](CZVImage& i) { return i.Colorize(150, 255, 0.6f); }},
        {L"Sharpen", [](CZVImage& i) { const long k[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1}; return i.Filter(k, 3, 7, 0); }},
        {L"Soften", [](CZVImage& i) { const long k[9] = {1, 1, 1, 1, 8, 1, 1, 1, 1}; return i.Filter(k, 3, 16, 0); }},
        {L"Emboss", [](CZVImage& i) { const long k[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0}; return i.Filter(k, 3, -1, 127); }},
        {L"Edge 2", [](CZVImage& i) { return i.Edge(2); }},
        {L"Noise 40", [](CZVImage& i) { return i.Noise(40); }},
        {L"Noisify 50", [](CZVImage& i) { return i.EffectNoisify(50, false); }},
        {L"GaussianBlur 4", [](CZVImage& i) { return i.GaussianBlur(4.0f); }},
        {L"BlurMotion 20,0", [](CZVImage& i) { return i.EffectBlurMotion(20, 0); }},
        {L"BlurMotion 30,45", [](CZVImage& i) { return i.EffectBlurMotion(30, 45); }},
        {L"BlurRadial 10", [](CZVImage& i) { return i.EffectBlurRadial(10, 0.0, 0.0); }},
        {L"BlurZoom 30", [](CZVImage& i) { return i.EffectBlurZoom(30, 0.0, 0.0); }},
        {L"BackgroundDeficiency 6", [](CZVImage& i) { return i.EffectBackgroundDeficiency(6.0f); }},
        {L"BGBlurMotion 20,0", [](CZVImage& i) { return i.EffectBGBlurMotion(20, 0); }},
        {L"SkinSanding 4,8", [](CZVImage& i) { return i.SkinSanding(4.0, 8.0); }},
        {L"Mosaic 10", [](CZVImage& i) { return i.EffectMosaic(10); }},
        {L"Splash 3", [](CZVImage& i) { return i.EffectSplash(3); }},
        {L"Shift 10", [](CZVImage& i) { return i.EffectShift(10); }},
        {L"Illusion 3", [](CZVImage& i) { return i.EffectIllusion(3); }},
        {L"Bulge 100", [](CZVImage& i) { return i.EffectBulge(100, i.GetWidth() / 2, i.GetHeight() / 2); }},
        {L"Bulge -150", [](CZVImage& i) { return i.EffectBulge(-150, i.GetWidth() / 2, i.GetHeight() / 2); }},
        {L"Twist 20,200", [](CZVImage& i) { return i.EffectTwist(20, 200, 0.0, 0.0); }},
        {L"Wave 6,6", [](CZVImage& i) { return i.EffectWave(6, 6, 0.0); }},
        {L"Ripple 38,15", [](CZVImage& i) { return i.EffectRipple(38, 15, true); }},
        {L"Ripple 20,30 straight", [](CZVImage& i) { return i.EffectRipple(20, 30, false); }},
        {L"Ribbon 30,30", [](CZVImage& i) { return i.EffectRibbon(30, 30); }},
        {L"TileReflection m/4,20,45", [m](CZVImage& i) { return i.EffectTileReflection(m(i) / 4, 20, 45); }},
        {L"3DGrid m/8,128", [m](CZVImage& i) { return i.Effect3DGrid(m(i) / 8, 128); }},
        {L"RaiseFrame m/20", [m](CZVImage& i) { return i.EffectRaiseFrame(m(i) / 20); }},
        {L"Blinds m/10,100", [m, white](CZVImage& i) { return i.EffectBlinds(BLIND_HORIZONTAL, m(i) / 10, 100, white); }},
        {L"OilPaint 3,100", [](CZVImage& i) { return i.EffectOilPaint(3, 100.0f); }},
        {L"PencilSketch 4,0", [](CZVImage& i) { return i.EffectPencilSketch(4, 0); }},
        {L"LensFlare", [m](CZVImage& i) {
             return i.EffectLensFlare(POINT{static_cast<long>(i.GetWidth()) - m(i) / 10, static_cast<long>(i.GetHeight()) - m(i) / 10});
         }},
        {L"Supernova", [m, cyan](CZVImage& i) {
             return i.EffectSupernova(POINT{m(i) / 10, static_cast<long>(i.GetHeight()) - m(i) / 10}, cyan, m(i) / 20, 100);
         }},
        {L"RedEyeRemove", [](CZVImage& i) { return i.RedEyeRemove(0.8f); }},
        {L"InvertedImage 0.4,0.5,0", [](CZVImage& i) {
             return i.EffectInvertedImage(0.4f, 0.5f, 0.0f) && i.ChangeBackground(0xFF303030);
         }},
    };
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: effect_sheet IN OUT.png [CELL_WIDTH]\n");
        return 2;
    }
    const long cellWidth = argc > 3 ? _wtol(argv[3]) : 320;
    CZVImage photo;
    if (!photo.LoadFile(argv[1]) || cellWidth < 16) {
        fwprintf(stderr, L"effect_sheet: cannot read %ls\n", argv[1]);
        return 1;
    }
    const long cellHeight = static_cast<long>(static_cast<long long>(photo.GetHeight()) * cellWidth / photo.GetWidth());
    photo.Resample(cellWidth, cellHeight, 2);
    const std::vector<Entry> entries = Entries();
    const long columns = 6, caption = 18, gap = 6;
    const long rows = static_cast<long>((entries.size() + columns - 1) / columns);
    const long pitchX = cellWidth + gap, pitchY = cellHeight + caption + gap;
    CZVImage sheet;
    sheet.Create(columns * pitchX + gap, rows * pitchY + gap, 24, CXIMAGE_FORMAT_PNG);
    sheet.Clear(48);
    for (size_t n = 0; n < entries.size(); ++n) {
        CZVImage cell = photo;
        if (!entries[n].apply(cell))
            fwprintf(stderr, L"effect_sheet: %ls failed\n", entries[n].caption);
        // A grown picture (the reflection) is fitted back into the cell.
        if (static_cast<long>(cell.GetHeight()) > cellHeight)
            cell.ResampleInFrame(cellWidth, cellHeight, true);
        const long x = gap + static_cast<long>(n % columns) * pitchX, y = gap + static_cast<long>(n / columns) * pitchY;
        sheet.CombineImageNoBlended(cell, x, y);
    }
    // Captions with GDI on the sheet's bitmap, then back into the picture.
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = sheet.MakeBitmap(screen);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(235, 235, 235));
    for (size_t n = 0; n < entries.size(); ++n) {
        const long x = gap + static_cast<long>(n % columns) * pitchX, y = gap + static_cast<long>(n / columns) * pitchY;
        TextOutW(dc, x + 2, y + cellHeight + 2, entries[n].caption, static_cast<int>(wcslen(entries[n].caption)));
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    const bool made = sheet.CreateFromHBITMAP(bitmap) && sheet.SaveFile(argv[2], CXIMAGE_FORMAT_PNG);
    DeleteObject(bitmap);
    if (!made) {
        fwprintf(stderr, L"effect_sheet: cannot write %ls\n", argv[2]);
        return 1;
    }
    return 0;
}

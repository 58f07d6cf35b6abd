// Renders one text through the word-art record in every effect kind, with shadows, gradient,
// turned GDI text and reflection, into one captioned PNG for a person to look at:
//   build/wine-run build/bench/wordart_gallery.exe [out.png]
#include <windows.h>
#include <gdiplus.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>
#include "GallerySheet.h"
#include "WordArtInfo.h"
#include "ZVImage.h"

using namespace Gdiplus;

namespace {

const int kCellWidth = 400;
const int kCellHeight = 170;
const int kCaptionHeight = GallerySheet::kCaptionHeight;
const int kColumns = 2;

struct Sample {
    const wchar_t* caption;
    std::function<void(CWordArtInfo&)> setUp;
};

// The picture as a premultiplied GDI+ bitmap (the picture's rows are stored bottom-up).
std::unique_ptr<Bitmap> ToBitmap(CZVImage& picture)
{
    int w = static_cast<int>(picture.GetWidth()), h = static_cast<int>(picture.GetHeight());
    auto bitmap = std::make_unique<Bitmap>(w, h, PixelFormat32bppPARGB);
    BitmapData data;
    Rect all(0, 0, w, h);
    if (bitmap->LockBits(&all, ImageLockModeWrite, PixelFormat32bppPARGB, &data) != Ok)
        return bitmap;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
        const BYTE* source = picture.GetBits(static_cast<DWORD>(h - 1 - y));
        const BYTE* alpha = picture.AlphaGetPointer(0, h - 1 - y);
        for (int x = 0; x < w; ++x)
            row[x] = static_cast<uint32_t>(alpha ? alpha[x] : 255) << 24 | source[3 * x + 2] << 16 |
                     source[3 * x + 1] << 8 | source[3 * x];
    }
    bitmap->UnlockBits(&data);
    return bitmap;
}

void Checker(Graphics& g, int left, int top, int w, int h)
{
    SolidBrush light(Color(0xFFFFFFFF)), dark(Color(0xFFD8D8D8));
    for (int y = 0; y < h; y += 10)
        for (int x = 0; x < w; x += 10)
            g.FillRectangle(((x + y) / 10) % 2 ? &dark : &light, left + x, top + y, 10, 10);
}

int Render(const wchar_t* outPath)
{
    auto kind = [](TextEffect effect) { return [=](CWordArtInfo& w) { w.SetTextEffect(effect); }; };
    std::vector<Sample> samples = {
        {L"0 glow: translucent blue glow 8", [](CWordArtInfo& w) {
             w.SetTextEffect(TE_GLOW);
             w.SetOutlineColor1(Color(0xFF3060FF));
             w.SetOutlineAlpha1(80);
             w.SetOutlineThickness1(8);
         }},
        {L"1 outline: the default record", kind(TE_OUTLINE)},
        {L"2 double outline: black 4, red 4", [](CWordArtInfo& w) {
             w.SetTextEffect(TE_DBL_OUTLINE);
             w.SetOutlineColor2(Color(0xFFE00000));
         }},
        {L"3 gradient outline: black to red over 8", [](CWordArtInfo& w) {
             w.SetTextEffect(TE_GRAD_OUTLINE);
             w.SetOutlineColor2(Color(0xFFFF0000));
         }},
        {L"4 plain text, green", [](CWordArtInfo& w) {
             w.SetTextEffect(TE_NO_OUTLINE);
             w.SetTextColor1(Color(0xFF008040));
         }},
        {L"5 outline only, 3", [](CWordArtInfo& w) {
             w.SetTextEffect(TE_ONLY_OUTLINE);
             w.SetOutlineThickness1(3);
         }},
        {L"6 double glow: black 3, translucent green 6", [](CWordArtInfo& w) {
             w.SetTextEffect(TE_DBL_GLOW);
             w.SetOutlineThickness1(3);
             w.SetOutlineThickness2(6);
             w.SetOutlineColor2(Color(0xFF00C000));
             w.SetOutlineAlpha2(90);
         }},
        {L"outline, vertical gradient yellow to red", [](CWordArtInfo& w) {
             w.SetTextColor1(Color(0xFFFFF000));
             w.SetTextColor2(Color(0xFFE00000));
             w.EnableTextGradient(true);
         }},
        {L"shadow (6, 6), alpha 128", [](CWordArtInfo& w) { w.SetEnableShadow(true); }},
        {L"diffused shadow (6, 6), thickness 6", [](CWordArtInfo& w) {
             w.SetEnableShadow(true);
             w.SetShadowOffsetX(6);
             w.SetShadowOffsetY(6);
             w.SetShadowThickness(6);
             w.SetDiffusedShadow(true);
         }},
        {L"extruded shadow (8, 8)", [](CWordArtInfo& w) {
             w.SetEnableShadow(true);
             w.SetShadowOffsetX(8);
             w.SetShadowOffsetY(8);
             w.SetShadowColor(Color(0xFF604020));
             w.SetShadowAlpha(255);
             w.SetExtrudedText(true);
         }},
        {L"shadow (-8, -6) thrown up and left", [](CWordArtInfo& w) {
             w.SetEnableShadow(true);
             w.SetShadowOffsetX(-8);
             w.SetShadowOffsetY(-6);
             w.SetShadowColor(Color(0xFF000000));
         }},
        {L"GDI font, turned 20 degrees", [](CWordArtInfo& w) {
             w.SetTextPath(TP_GDI);
             w.SetTextAngle(20);
         }},
        {L"GDI font, turned -20 degrees", [](CWordArtInfo& w) {
             w.SetTextPath(TP_GDI);
             w.SetTextAngle(-20);
         }},
        {L"reflection, gap 2", [](CWordArtInfo& w) {
             w.EnableReflection(true);
             w.SetGap(2);
         }},
        {L"tags: [date] [month]", [](CWordArtInfo& w) { w.SetText(L"[date] [month]"); }},
    };

    GallerySheet sheet(kCellWidth, kCellHeight, kColumns, samples.size());
    Graphics& g = sheet.Canvas();
    for (size_t i = 0; i < samples.size(); ++i) {
        int x = sheet.CellX(i);
        int y = sheet.CellY(i);
        Checker(g, x + 1, y + 1, kCellWidth - 2, kCellHeight - kCaptionHeight - 1);
        CWordArtInfo w;
        LOGFONTW font = {};
        font.lfHeight = -56;
        font.lfWeight = FW_BOLD;
        wcscpy(font.lfFaceName, L"Arial");
        w.SetLogFont(&font);
        w.SetText(L"Word Art");
        samples[i].setUp(w);
        CZVImage picture;
        w.DrawEffectText(&picture);
        if (picture.IsValid()) {
            std::unique_ptr<Bitmap> bitmap = ToBitmap(picture);
            int bw = static_cast<int>(bitmap->GetWidth()), bh = static_cast<int>(bitmap->GetHeight());
            g.DrawImage(bitmap.get(), Rect(x + 10, y + 8, bw, bh), 0, 0, bw, bh, UnitPixel);
            // The picture's own edge, to see that nothing is cut off.
            Pen edge(Color(0x600000FF), 1);
            g.DrawRectangle(&edge, x + 9, y + 7, bw + 1, bh + 1);
        }
        sheet.Caption(i, samples[i].caption);
    }
    return sheet.Save(outPath);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    return RunGallery(Render, argc, argv, L"wordart-gallery.png");
}

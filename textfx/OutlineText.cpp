#include "OutlineText.h"

#include "DiffusedShadowStrategy.h"
#include "ExtrudeStrategy.h"
#include "TextOutlineStrategy.h"
#include "TextPixels.h"

using namespace Gdiplus;

namespace TextDesigner {

namespace {

// The mask body of the soft and extruded shadows: only its blue channel is read.
Color MaskFill(const Color& shadow)
{
    return Color(255, shadow.GetA(), 255, 255);
}

std::unique_ptr<Bitmap> CopyOf(Bitmap* source, int width, int height)
{
    std::unique_ptr<Bitmap> copy(source->Clone(0, 0, width, height, PixelFormat32bppARGB));
    return copy && copy->GetLastStatus() == Ok ? std::move(copy) : nullptr;
}

} // namespace

void OutlineText::ClearShadow()
{
    m_pMaskStrategy.reset();
    m_pShadowStrategy.reset();
}

void OutlineText::Shadow(Color colour, int thickness, Point offset)
{
    auto shadow = std::make_unique<TextOutlineStrategy>();
    shadow->Init(Color(0), colour, thickness);
    auto mask = std::make_unique<TextOutlineStrategy>();
    mask->Init(Color(0xFFFFFFFF), Color(0), 0);
    m_pShadowStrategy = std::move(shadow);
    m_pMaskStrategy = std::move(mask);
    SetShadowPlacement(colour, offset.X, offset.Y);
    m_bDiffused = false;
}

void OutlineText::DiffusedShadow(Color colour, int thickness, int offsetX, int offsetY)
{
    auto shadow = std::make_unique<DiffusedShadowStrategy>();
    shadow->Init(Color(0), colour, thickness, true);
    auto mask = std::make_unique<DiffusedShadowStrategy>();
    mask->Init(MaskFill(colour), Color(0), 0, true);
    m_pShadowStrategy = std::move(shadow);
    m_pMaskStrategy = std::move(mask);
    SetShadowPlacement(colour, offsetX, offsetY);
    m_nShadowThickness = thickness;
    m_bDiffused = true;
    m_bExtruded = false;
}

void OutlineText::Extrude(Color colour, int thickness, int offsetX, int offsetY)
{
    auto shadow = std::make_unique<ExtrudeStrategy>();
    shadow->Init(Color(0), colour, thickness, offsetX, offsetY);
    auto mask = std::make_unique<ExtrudeStrategy>();
    mask->Init(MaskFill(colour), Color(0), 0, offsetX, offsetY);
    m_pShadowStrategy = std::move(shadow);
    m_pMaskStrategy = std::move(mask);
    SetShadowPlacement(colour, offsetX, offsetY);
    m_nShadowThickness = thickness;
    m_bExtruded = true;
    m_bDiffused = false;
}

bool OutlineText::Draw(Graphics* graphics, const TextSpec& spec)
{
    if (m_bEnableShadow) {
        TextSpec shadowSpec = spec.Shifted(m_nShadowOffsetX, m_nShadowOffsetY);
        if (m_pShadowStrategy)
            DrawSpec(m_pShadowStrategy.get(), graphics, shadowSpec);
        if (m_pShadowBkgd && m_pMaskStrategy && graphics)
            ComposeShadow(graphics, shadowSpec);
    }
    return m_pTextStrategy && DrawSpec(m_pTextStrategy.get(), graphics, spec);
}

void OutlineText::ComposeShadow(Graphics* graphics, const TextSpec& spec)
{
    int width = static_cast<int>(m_pShadowBkgd->GetWidth());
    int height = static_cast<int>(m_pShadowBkgd->GetHeight());
    std::unique_ptr<Bitmap> mask = CopyOf(m_pShadowBkgd.get(), width, height);
    std::unique_ptr<Bitmap> source = CopyOf(m_pShadowBkgd.get(), width, height);
    std::unique_ptr<Bitmap> result = CopyOf(m_pShadowBkgd.get(), width, height);
    if (!mask || !source || !result)
        return;
    {
        Graphics maskGraphics(mask.get());
        Graphics resultGraphics(result.get());
        maskGraphics.Clear(Color(0xFF000000));
        CopyRenderSettings(graphics, &maskGraphics);
        CopyRenderSettings(graphics, &resultGraphics);
        DrawSpec(m_pMaskStrategy.get(), &maskGraphics, spec);
        if (m_pShadowStrategy)
            DrawSpec(m_pShadowStrategy.get(), &resultGraphics, spec);
    }
    {
        BitmapBits s(source.get(), PixelFormat32bppARGB);
        BitmapBits r(result.get(), PixelFormat32bppARGB);
        BitmapBits m(mask.get(), PixelFormat32bppARGB, ImageLockModeRead);
        if (!s.Ok() || !r.Ok() || !m.Ok())
            return;
        uint8_t a = m_clrShadow.GetA();
        uint32_t opaque = m_clrShadow.GetValue() | 0xFF000000u;
        bool diffused = m_bDiffused && !m_bExtruded;
        for (int y = 0; y < r.Height(); ++y) {
            uint32_t* sRow = s.Row(y);
            uint32_t* rRow = r.Row(y);
            const uint32_t* mRow = m.Row(y);
            for (int x = 0; x < r.Width(); ++x) {
                if ((mRow[x] & 0xFF) == 0)
                    continue;
                if (!diffused) {
                    rRow[x] = a == 0 ? sRow[x] : BlendOverPixel(sRow[x], opaque, a);
                    continue;
                }
                // Under the body the soft shadow is as dense as its stacked strokes: one
                // blend for each of them beyond the first.
                for (int k = 2; k <= m_nShadowThickness && a != 0; ++k)
                    sRow[x] = BlendOverPixel(sRow[x], opaque, a);
                rRow[x] = sRow[x];
            }
        }
    }
    graphics->DrawImage(result.get(), 0, 0, width, height);
}

} // namespace TextDesigner

#include "PngOutlineText.h"

#include "DiffusedShadowStrategy.h"
#include "ExtrudeStrategy.h"
#include "TextOutlineStrategy.h"
#include "TextPixels.h"

using namespace Gdiplus;

namespace TextDesigner {

namespace {

Color WhiteAt(const Color& shadow)
{
    return Color(shadow.GetA(), 255, 255, 255);
}

// A plane of the target's size, opaque black, with the caller's rendering settings.
struct Plane {
    Plane(Graphics* settings, int width, int height)
        : bitmap(width, height, PixelFormat32bppARGB), graphics(&bitmap)
    {
        graphics.Clear(Color(0xFF000000));
        CopyRenderSettings(settings, &graphics);
    }
    Bitmap bitmap;
    Graphics graphics;
};

} // namespace

void PngOutlineText::ClearShadow()
{
    m_pShadowStrategy.reset();
    m_pOutlinePlaneStrategy.reset();
}

void PngOutlineText::Shadow(Color colour, int thickness, Point offset)
{
    auto shadow = std::make_unique<TextOutlineStrategy>();
    shadow->Init(Color(0), colour, thickness);
    auto outline = std::make_unique<TextOutlineStrategy>();
    outline->Init(Color(0), WhiteAt(colour), thickness);
    auto body = std::make_unique<TextOutlineStrategy>();
    body->Init(WhiteAt(colour), Color(0), 0);
    m_pShadowStrategy = std::move(shadow);
    m_pOutlinePlaneStrategy = std::move(outline);
    m_pBodyPlaneStrategy = std::move(body);
    SetShadowPlacement(colour, offset.X, offset.Y);
}

void PngOutlineText::DiffusedShadow(Color colour, int thickness, int offsetX, int offsetY)
{
    auto shadow = std::make_unique<DiffusedShadowStrategy>();
    shadow->Init(Color(0), colour, thickness, false);
    auto outline = std::make_unique<DiffusedShadowStrategy>();
    outline->Init(Color(0), WhiteAt(colour), thickness, true);
    auto body = std::make_unique<DiffusedShadowStrategy>();
    body->Init(WhiteAt(colour), Color(0), thickness, false);
    m_pShadowStrategy = std::move(shadow);
    m_pOutlinePlaneStrategy = std::move(outline);
    m_pBodyPlaneStrategy = std::move(body);
    SetShadowPlacement(colour, offsetX, offsetY);
}

void PngOutlineText::Extrude(Color colour, int thickness, int offsetX, int offsetY)
{
    auto shadow = std::make_unique<ExtrudeStrategy>();
    shadow->Init(Color(0), colour, thickness, offsetX, offsetY);
    auto outline = std::make_unique<ExtrudeStrategy>();
    outline->Init(Color(0), WhiteAt(colour), thickness, offsetX, offsetY);
    auto body = std::make_unique<ExtrudeStrategy>();
    body->Init(WhiteAt(colour), Color(0), thickness, offsetX, offsetY);
    m_pShadowStrategy = std::move(shadow);
    m_pOutlinePlaneStrategy = std::move(outline);
    m_pBodyPlaneStrategy = std::move(body);
    SetShadowPlacement(colour, offsetX, offsetY);
}

bool PngOutlineText::Draw(Graphics* graphics, const TextSpec& spec)
{
    // Without a target there is nothing to draw into.
    if (!graphics || !m_pPngBitmap)
        return false;
    if (m_bEnableShadow && m_pShadowBkgd && m_pShadowStrategy && m_pOutlinePlaneStrategy &&
        m_pBodyPlaneStrategy &&
        !DrawShadow(graphics, spec.Shifted(m_nShadowOffsetX, m_nShadowOffsetY)))
        return false;
    if (m_pTextStrategy) {
        Graphics target(m_pPngBitmap);
        CopyRenderSettings(graphics, &target);
        if (!DrawSpec(m_pTextStrategy.get(), &target, spec))
            return false;
    }
    if (m_bEnableReflection)
        MakeReflection();
    return true;
}

bool PngOutlineText::DrawShadow(Graphics* graphics, const TextSpec& spec)
{
    int width = static_cast<int>(m_pPngBitmap->GetWidth());
    int height = static_cast<int>(m_pPngBitmap->GetHeight());
    Plane body(graphics, width, height);
    Plane outline(graphics, width, height);
    if (!DrawSpec(m_pBodyPlaneStrategy.get(), &body.graphics, spec) ||
        !DrawSpec(m_pOutlinePlaneStrategy.get(), &outline.graphics, spec))
        return false;

    BitmapBits b(&body.bitmap, PixelFormat32bppARGB, ImageLockModeRead);
    BitmapBits o(&outline.bitmap, PixelFormat32bppARGB, ImageLockModeRead);
    BitmapBits t(m_pPngBitmap, PixelFormat32bppARGB);
    if (!b.Ok() || !o.Ok() || !t.Ok())
        return false;
    // Where outline and body overlap the larger coverage counts, not their sum.
    uint32_t colour = m_clrShadow.GetValue() & 0x00FFFFFFu;
    for (int y = 0; y < b.Height(); ++y) {
        uint32_t* bRow = b.Row(y);
        const uint32_t* oRow = o.Row(y);
        uint32_t* tRow = t.Row(y);
        for (int x = 0; x < b.Width(); ++x) {
            uint32_t coverage = LargerCoverage(bRow[x], oRow[x]) & 0xFF;
            if (coverage != 0)
                tRow[x] = colour | (coverage << 24);
        }
    }
    return true;
}

void PngOutlineText::MakeReflection()
{
    int width = static_cast<int>(m_pPngBitmap->GetWidth());
    int height = static_cast<int>(m_pPngBitmap->GetHeight());
    m_pReflection.reset(m_pPngBitmap->Clone(0, 0, width, height, PixelFormat32bppARGB));
    if (!m_pReflection || m_pReflection->GetLastStatus() != Ok) {
        m_pReflection.reset();
        return;
    }
    // Upside down: the first rows are the text's foot, where the reflection starts.
    m_pReflection->RotateFlip(Rotate180FlipX);
    BitmapBits bits(m_pReflection.get(), PixelFormat32bppARGB);
    if (!bits.Ok())
        return;
    int shown = ReflectionRows(bits.Height(), m_fShown);
    for (int y = 0; y < bits.Height(); ++y) {
        int factor = ReflectionFactor(y, shown, m_fBegAlpha, m_fEndAlpha);
        uint32_t* row = bits.Row(y);
        for (int x = 0; x < bits.Width(); ++x)
            row[x] = ScaleAlpha(row[x], factor);
    }
}

} // namespace TextDesigner

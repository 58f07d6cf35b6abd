#pragma once
// The outline-text engine that draws into a 32-bit ARGB bitmap with transparency: the shadow
// as the shadow colour at its own alpha, antialiased by coverage planes, and an optional
// reflection. The caller's Graphics only lends its rendering settings and units.
#include "OutlineTextBase.h"

namespace TextDesigner {

class ZVUILIB_API PngOutlineText : public OutlineTextBase {
public:
    void ClearShadow() override;
    void Shadow(Gdiplus::Color colour, int thickness, Gdiplus::Point offset) override;
    void DiffusedShadow(Gdiplus::Color colour, int thickness, int offsetX, int offsetY);
    void Extrude(Gdiplus::Color colour, int thickness, int offsetX, int offsetY);

    // The picture drawn into; it stays the caller's.
    void SetPngImage(Gdiplus::Bitmap* bitmap) { m_pPngBitmap = bitmap; }
    // Made by the last draw when the reflection is on; it stays the engine's.
    Gdiplus::Bitmap* GetReflection() const { return m_pReflection.get(); }

    // Settings the caller sets before drawing.
    bool m_bEnableReflection = false;
    float m_fBegAlpha = 0.6f;
    float m_fEndAlpha = 0.01f;
    float m_fShown = 0.8f;

protected:
    bool Draw(Gdiplus::Graphics* graphics, const TextSpec& spec) override;

private:
    bool DrawShadow(Gdiplus::Graphics* graphics, const TextSpec& spec);
    void MakeReflection();

    // The shadow's outline and body drawn white at the shadow's alpha over black: their blue
    // channel is the shadow's coverage.
    std::unique_ptr<ITextStrategy> m_pOutlinePlaneStrategy;
    std::unique_ptr<ITextStrategy> m_pBodyPlaneStrategy;
    Gdiplus::Bitmap* m_pPngBitmap = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> m_pReflection;
};

} // namespace TextDesigner

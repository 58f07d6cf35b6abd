#include "EffectProcessors.h"
#include <cmath>
#include "ZVImage.h"

namespace {

bool HoldsPicture(const CZVImage* picture)
{
    return picture && picture->IsValid();
}

// 3 x 3 kernels, rows top to bottom.
const long kEmbossKernel[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0};
const long kSharpenKernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
const long kSoftenKernel[9] = {1, 1, 1, 1, 8, 1, 1, 1, 1};

const double kPi = 3.14159265358979323846;

} // namespace

void CEffectBlinds::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBlinds(static_cast<BLIND_TYPE>(m_direction), m_width, m_opacity, m_colour);
}

void CEffectColorTone::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectColorTone(m_colour, m_amount);
}

void CEffectLensFlare::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectLensFlare(POINT{m_x, m_y});
}

void CEffectSkinSanding::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->SkinSanding(m_first, m_second);
}

void CEffectEmboss::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Filter(kEmbossKernel, 3, -1, 127);
}

void CEffectEdge::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Edge(m_strength);
}

void CEffectNoise::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Noise(m_level);
}

void CEffectSharpen::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Filter(kSharpenKernel, 3, 7, 0);
}

void CEffectSoften::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Filter(kSoftenKernel, 3, 16, 0);
}

void CEffectSolarize::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectSolarize(m_level);
}

void CEffectHalftoneM3::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectHalftoneM3();
}

void CEffectThreshold::Process(CZVImage* picture)
{
    if (!HoldsPicture(picture))
        return;
    if (m_preserve == 0) {
        picture->EffectThreshold(m_level);
    } else {
        const RGBQUAD white = {255, 255, 255, 255};
        picture->EffectThreshold2(static_cast<BYTE>(m_level), true, white, true);
    }
}

void CEffectShiftRGB::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectShiftRGB(m_red, m_green, m_blue);
}

void CEffectNegative::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Negative();
}

void CEffectGrayScale::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectGrayScale();
}

void CEffectPencilSketch::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectPencilSketch(m_size, m_details);
}

void CEffectOilPaint::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectOilPaint(m_radius, m_intensity);
}

void CEffectHueSaturation::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectHueSaturation(m_hue, m_saturation);
}

void CEffectBrightnessContrast::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBrightnessContrast(m_brightness, m_contrast);
}

void CEffectRipple::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectRipple(m_length, m_amount, m_circular);
}

void CEffectWave::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectWave(m_wavelength, m_amplitude, m_phase);
}

void CEffectTwist::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectTwist(m_twist, m_size, m_centreX, m_centreY);
}

void CEffectRibbon::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectRibbon(m_amplitude, m_frequency);
}

void CEffectTileReflection::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectTileReflection(m_size, m_amount, m_angle);
}

void CEffect3DGrid::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->Effect3DGrid(m_size, m_depth);
}

void CEffectBlurMotion::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBlurMotion(m_length, m_angle);
}

void CEffectBackgroundDeficiency::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBackgroundDeficiency(static_cast<float>(m_radius));
}

void CEffectGamma::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectGamma(m_gamma);
}

void CEffectGaussian::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->GaussianBlur(static_cast<float>(m_radius), nullptr);
}

void CEffectBulge::Process(CZVImage* picture)
{
    if (!HoldsPicture(picture))
        return;
    // Whole pixels: an odd size centres on the pixel left of (below) the middle.
    m_centreX = picture->GetWidth() / 2;
    m_centreY = picture->GetHeight() / 2;
    picture->EffectBulge(m_level, m_centreX, m_centreY);
}

void CEffectShift::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectShift(m_size);
}

void CEffectSplash::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectSplash(m_size);
}

void CEffectRaiseFrame::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectRaiseFrame(m_size);
}

void CEffectPosterize::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectPosterize(m_level);
}

void CEffectNoisify::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectNoisify(m_level, m_monochrome != 0);
}

void CEffectMosaic::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectMosaic(m_size);
}

void CEffectIllusion::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectIllusion(m_amount);
}

void CEffectBlurZoom::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBlurZoom(m_length, m_centreX, m_centreY);
}

void CEffectBlurRadial::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBlurRadial(m_angle, m_centreX, m_centreY);
}

void CEffectBGBlurMotion::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectBGBlurMotion(m_length, m_angle);
}

void CEffectSupernova::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->EffectSupernova(POINT{m_x, m_y}, m_colour, m_radius, m_spokes);
}

void CEffectTransparentColor::Process(CZVImage* picture)
{
    if (HoldsPicture(picture))
        picture->SetTransparentColor(m_colour, m_tolerance, m_opacity);
}

CProcessRotate::CProcessRotate(int degrees, COLORREF background, int keepSize, int autoTransparency)
    : m_degrees(degrees), m_background(background), m_keepSize(keepSize), m_autoTransparency(autoTransparency)
{
    m_fLayerAngle = static_cast<float>(degrees * kPi / 180.0);
    m_bGiveAngle = autoTransparency;
}

RGBQUAD CProcessRotate::Background() const
{
    RGBQUAD colour = CxImage::RGBtoRGBQUAD(m_background);
    colour.rgbReserved = m_autoTransparency ? 0 : 255;
    return colour;
}

void CProcessRotate::Process(CZVImage* picture)
{
    if (!HoldsPicture(picture))
        return;
    const RGBQUAD background = Background();
    picture->Rotate2(static_cast<float>(m_degrees), nullptr, CxImage::IM_BILINEAR, CxImage::OM_BACKGROUND, &background,
                     true, m_keepSize != 0);
}

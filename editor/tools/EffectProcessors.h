#pragma once
// The effect processors: each holds the values of one effect and makes one call of the image
// library with them. Ints are 32-bit; colours are RGBQUADs in the library's byte order. Points
// count y from the bottom row, as the library does; the dialogs convert clicks before they
// build a processor. Build them through EffectTables.h, which knows each dialog's fields.
#include <windows.h>
#include "ProcessBase.h"

class CEffectBlinds : public CProcessBase {
public:
    CEffectBlinds(int direction, int width, int opacity, RGBQUAD colour)
        : m_direction(direction), m_width(width), m_opacity(opacity), m_colour(colour) {}
    void Process(CZVImage* picture) override;
    int m_direction; // 0 horizontal, 1 vertical slats
    int m_width, m_opacity;
    RGBQUAD m_colour;
};

class CEffectColorTone : public CProcessBase {
public:
    CEffectColorTone(RGBQUAD colour, int amount) : m_colour(colour), m_amount(amount) {}
    void Process(CZVImage* picture) override;
    RGBQUAD m_colour;
    int m_amount;
};

class CEffectLensFlare : public CProcessBase {
public:
    CEffectLensFlare(int x, int y) : m_x(x), m_y(y) {}
    void Process(CZVImage* picture) override;
    int m_x, m_y;
};

class CEffectSkinSanding : public CProcessBase {
public:
    CEffectSkinSanding(double first, double second) : m_first(first), m_second(second) {}
    void Process(CZVImage* picture) override;
    double m_first, m_second;
};

class CEffectEmboss : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
};

class CEffectEdge : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
    int m_strength = 2;
};

class CEffectNoise : public CProcessBase {
public:
    explicit CEffectNoise(int level) : m_level(level) {}
    void Process(CZVImage* picture) override;
    int m_level;
};

class CEffectSharpen : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
};

class CEffectSoften : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
};

class CEffectSolarize : public CProcessBase {
public:
    explicit CEffectSolarize(int level) : m_level(level) {}
    void Process(CZVImage* picture) override;
    int m_level;
};

class CEffectHalftoneM3 : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
};

class CEffectThreshold : public CProcessBase {
public:
    CEffectThreshold(int level, int preserve) : m_level(level), m_preserve(preserve) {}
    void Process(CZVImage* picture) override;
    int m_level;
    int m_preserve; // keep the colours below the level, paint those above white
};

class CEffectShiftRGB : public CProcessBase {
public:
    CEffectShiftRGB(int red, int green, int blue) : m_red(red), m_green(green), m_blue(blue) {}
    void Process(CZVImage* picture) override;
    int m_red, m_green, m_blue;
};

class CEffectNegative : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
};

class CEffectGrayScale : public CProcessBase {
public:
    void Process(CZVImage* picture) override;
};

class CEffectPencilSketch : public CProcessBase {
public:
    CEffectPencilSketch(int size, int details) : m_size(size), m_details(details) {}
    void Process(CZVImage* picture) override;
    int m_size, m_details;
};

class CEffectOilPaint : public CProcessBase {
public:
    CEffectOilPaint(int radius, int intensity) : m_radius(radius), m_intensity(static_cast<float>(intensity)) {}
    void Process(CZVImage* picture) override;
    int m_radius;
    float m_intensity;
};

class CEffectHueSaturation : public CProcessBase {
public:
    CEffectHueSaturation(int hue, int saturation) : m_hue(hue), m_saturation(saturation) {}
    void Process(CZVImage* picture) override;
    int m_hue, m_saturation;
};

class CEffectBrightnessContrast : public CProcessBase {
public:
    CEffectBrightnessContrast(int brightness, int contrast) : m_brightness(brightness), m_contrast(contrast) {}
    void Process(CZVImage* picture) override;
    int m_brightness, m_contrast;
};

class CEffectRipple : public CProcessBase {
public:
    CEffectRipple(int length, int amount) : m_length(length), m_amount(amount) {}
    void Process(CZVImage* picture) override;
    int m_length, m_amount;
    bool m_circular = true;
};

class CEffectWave : public CProcessBase {
public:
    CEffectWave(int wavelength, int amplitude) : m_wavelength(wavelength), m_amplitude(amplitude) {}
    void Process(CZVImage* picture) override;
    int m_wavelength, m_amplitude;
    double m_phase = 0.0;
};

class CEffectTwist : public CProcessBase {
public:
    CEffectTwist(int twist, int size) : m_twist(twist), m_size(size) {}
    void Process(CZVImage* picture) override;
    int m_twist, m_size;
    double m_centreX = 0.0, m_centreY = 0.0; // the middle of the picture
};

class CEffectRibbon : public CProcessBase {
public:
    CEffectRibbon(int amplitude, int frequency) : m_amplitude(amplitude), m_frequency(frequency) {}
    void Process(CZVImage* picture) override;
    int m_amplitude, m_frequency;
};

class CEffectTileReflection : public CProcessBase {
public:
    CEffectTileReflection(int size, int amount) : m_size(size), m_amount(amount) {}
    void Process(CZVImage* picture) override;
    int m_size, m_amount;
    int m_angle = 45;
};

class CEffect3DGrid : public CProcessBase {
public:
    CEffect3DGrid(int size, int depth) : m_size(size < 1 ? 1 : size), m_depth(depth) {}
    void Process(CZVImage* picture) override;
    int m_size, m_depth;
};

class CEffectBlurMotion : public CProcessBase {
public:
    CEffectBlurMotion(int length, int angle) : m_length(length), m_angle(angle) {}
    void Process(CZVImage* picture) override;
    int m_length, m_angle;
};

class CEffectBackgroundDeficiency : public CProcessBase {
public:
    explicit CEffectBackgroundDeficiency(int radius) : m_radius(radius) {}
    void Process(CZVImage* picture) override;
    int m_radius;
};

class CEffectGamma : public CProcessBase {
public:
    explicit CEffectGamma(int gamma) : m_gamma(gamma) {}
    void Process(CZVImage* picture) override;
    int m_gamma;
};

class CEffectGaussian : public CProcessBase {
public:
    explicit CEffectGaussian(int radius) : m_radius(radius) {}
    void Process(CZVImage* picture) override;
    int m_radius;
};

class CEffectBulge : public CProcessBase {
public:
    explicit CEffectBulge(int level) : m_level(level) {}
    void Process(CZVImage* picture) override;
    int m_level;
    double m_centreX = 0.0, m_centreY = 0.0; // set from the picture by Process
};

class CEffectShift : public CProcessBase {
public:
    explicit CEffectShift(int size) : m_size(size) {}
    void Process(CZVImage* picture) override;
    int m_size;
};

class CEffectSplash : public CProcessBase {
public:
    explicit CEffectSplash(int size) : m_size(size) {}
    void Process(CZVImage* picture) override;
    int m_size;
};

class CEffectRaiseFrame : public CProcessBase {
public:
    explicit CEffectRaiseFrame(int size) : m_size(size < 1 ? 1 : size) {}
    void Process(CZVImage* picture) override;
    int m_size;
};

class CEffectPosterize : public CProcessBase {
public:
    explicit CEffectPosterize(int level) : m_level(level) {}
    void Process(CZVImage* picture) override;
    int m_level;
};

class CEffectNoisify : public CProcessBase {
public:
    explicit CEffectNoisify(int level) : m_level(level < 1 ? 1 : level > 100 ? 100 : level) {}
    void Process(CZVImage* picture) override;
    int m_level;
    int m_monochrome = 0;
};

class CEffectMosaic : public CProcessBase {
public:
    explicit CEffectMosaic(int size) : m_size(size) {}
    void Process(CZVImage* picture) override;
    int m_size;
};

class CEffectIllusion : public CProcessBase {
public:
    explicit CEffectIllusion(int amount) : m_amount(amount) {}
    void Process(CZVImage* picture) override;
    int m_amount;
};

class CEffectBlurZoom : public CProcessBase {
public:
    explicit CEffectBlurZoom(int length) : m_length(length) {}
    void Process(CZVImage* picture) override;
    int m_length;
    double m_centreX = 0.0, m_centreY = 0.0; // the middle of the picture
};

class CEffectBlurRadial : public CProcessBase {
public:
    explicit CEffectBlurRadial(int angle) : m_angle(angle) {}
    void Process(CZVImage* picture) override;
    int m_angle;
    double m_centreX = 0.0, m_centreY = 0.0; // the middle of the picture
};

class CEffectBGBlurMotion : public CProcessBase {
public:
    CEffectBGBlurMotion(int length, int angle) : m_length(length), m_angle(angle) {}
    void Process(CZVImage* picture) override;
    int m_length, m_angle;
};

class CEffectSupernova : public CProcessBase {
public:
    CEffectSupernova(int x, int y, RGBQUAD colour, int radius, int spokes)
        : m_x(x), m_y(y), m_colour(colour), m_radius(radius), m_spokes(spokes) {}
    void Process(CZVImage* picture) override;
    int m_x, m_y;
    RGBQUAD m_colour;
    int m_radius, m_spokes;
};

class CEffectTransparentColor : public CProcessBase {
public:
    CEffectTransparentColor(RGBQUAD colour, int tolerance, BYTE opacity)
        : m_colour(colour), m_tolerance(tolerance), m_opacity(opacity) {}
    void Process(CZVImage* picture) override;
    RGBQUAD m_colour;
    int m_tolerance; // 0..100
    BYTE m_opacity;  // the most opacity a matching pixel keeps
};

// Turns the picture. It only says which angle the layer should take (when the corners are
// made transparent, the layer records the turn); the run applies it to the layer.
class CProcessRotate : public CProcessBase {
public:
    CProcessRotate(int degrees, COLORREF background, int keepSize, int autoTransparency);
    void Process(CZVImage* picture) override;
    // The background as the library takes it: clear with automatic transparency, else opaque.
    RGBQUAD Background() const;
    int m_degrees;
    COLORREF m_background;
    int m_keepSize;
    int m_autoTransparency;
};

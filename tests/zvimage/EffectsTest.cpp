// The pixel effects: every effect against the common rules (progress, escape, selection,
// parameters out of range, tiny pictures) from one table, then what each must do to a picture.
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

using Apply = std::function<bool(CZVImage&)>;

struct Effect {
    const char* name;
    Apply apply;
    bool local;   // changes only a small area, or outside the focus: selection rule not checked
};

const RGBQUAD kCyan = {255, 255, 60, 255};

CZVImage Brush()
{
    return Pattern(20, 20);
}

// Every effect with the parameters its callers typically pass.
const std::vector<Effect>& Effects()
{
    static const std::vector<Effect> effects = {
        {"GrayScale", [](CZVImage& i) { return i.GrayScale(); }, false},
        {"Negative", [](CZVImage& i) { return i.Negative(); }, false},
        {"Threshold", [](CZVImage& i) { return i.Threshold(128); }, false},
        {"ShiftRGB", [](CZVImage& i) { return i.ShiftRGB(30, -20, 10); }, false},
        {"Light", [](CZVImage& i) { return i.Light(20, 30); }, false},
        {"Saturate", [](CZVImage& i) { return i.Saturate(50); }, false},
        {"Colorize", [](CZVImage& i) { return i.Colorize(40, 255, 0.5f); }, false},
        {"Filter", [](CZVImage& i) { const long k[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1}; return i.Filter(k, 3, 7, 0); }, false},
        {"Emboss", [](CZVImage& i) { const long k[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0}; return i.Filter(k, 3, -1, 127); }, false},
        {"Edge", [](CZVImage& i) { return i.Edge(2); }, false},
        {"Noise", [](CZVImage& i) { return i.Noise(40); }, false},
        {"GaussianBlur", [](CZVImage& i) { return i.GaussianBlur(3.0f); }, false},
        {"RedEyeRemove", [](CZVImage& i) { return i.RedEyeRemove(0.8f); }, false},
        {"EffectGrayScale", [](CZVImage& i) { return i.EffectGrayScale(); }, false},
        {"EffectInvert", [](CZVImage& i) { return i.EffectInvert(); }, false},
        {"EffectHalftoneM3", [](CZVImage& i) { return i.EffectHalftoneM3(); }, false},
        {"EffectColorTone", [](CZVImage& i) { return i.EffectColorTone(kCyan, 80); }, false},
        {"EffectMosaic", [](CZVImage& i) { return i.EffectMosaic(4); }, false},
        {"EffectSplash", [](CZVImage& i) { return i.EffectSplash(3); }, false},
        {"EffectPosterize", [](CZVImage& i) { return i.EffectPosterize(4); }, false},
        {"EffectShift", [](CZVImage& i) { return i.EffectShift(4); }, false},
        {"EffectIllusion", [](CZVImage& i) { return i.EffectIllusion(3); }, false},
        {"EffectRaiseFrame", [](CZVImage& i) { return i.EffectRaiseFrame(4); }, false},
        {"EffectSolarize", [](CZVImage& i) { return i.EffectSolarize(128); }, false},
        {"EffectGamma", [](CZVImage& i) { return i.EffectGamma(150); }, false},
        {"EffectBlurMotion", [](CZVImage& i) { return i.EffectBlurMotion(9, 30); }, false},
        {"EffectBGBlurMotion", [](CZVImage& i) { return i.EffectBGBlurMotion(9, 30); }, true},
        {"Effect3DGrid", [](CZVImage& i) { return i.Effect3DGrid(8, 64); }, false},
        {"EffectRibbon", [](CZVImage& i) { return i.EffectRibbon(30, 30); }, false},
        {"EffectBlurRadial", [](CZVImage& i) { return i.EffectBlurRadial(10, 0.0, 0.0); }, false},
        {"EffectBlurZoom", [](CZVImage& i) { return i.EffectBlurZoom(30, 0.0, 0.0); }, false},
        {"EffectBulge", [](CZVImage& i) { return i.EffectBulge(100, i.GetWidth() / 2, i.GetHeight() / 2); }, false},
        {"EffectNoisify", [](CZVImage& i) { return i.EffectNoisify(50, false); }, false},
        {"EffectTwist", [](CZVImage& i) { return i.EffectTwist(20, 200, 0.0, 0.0); }, false},
        {"EffectWave", [](CZVImage& i) { return i.EffectWave(6, 30, 0.0); }, false},
        {"EffectRipple", [](CZVImage& i) { return i.EffectRipple(38, 15, true); }, false},
        {"EffectTileReflection", [](CZVImage& i) { return i.EffectTileReflection(8, 10, 45); }, false},
        {"EffectShiftRGB", [](CZVImage& i) { return i.EffectShiftRGB(10, 20, 30); }, false},
        {"EffectBrightnessContrast", [](CZVImage& i) { return i.EffectBrightnessContrast(20, 20); }, false},
        {"EffectHueSaturation", [](CZVImage& i) { return i.EffectHueSaturation(30, 20); }, false},
        {"EffectBlinds", [](CZVImage& i) { return i.EffectBlinds(BLIND_HORIZONTAL, 5, 100, RGBQUAD{255, 255, 255, 255}); }, false},
        {"EffectLensFlare", [](CZVImage& i) { return i.EffectLensFlare(POINT{3, 3}); }, false},
        {"EffectSupernova", [](CZVImage& i) { return i.EffectSupernova(POINT{3, 3}, kCyan, 3, 100); }, false},
        {"EffectThreshold", [](CZVImage& i) { return i.EffectThreshold(100); }, false},
        {"EffectThreshold2", [](CZVImage& i) { return i.EffectThreshold2(128, true, RGBQUAD{255, 255, 255, 255}, true); }, false},
        {"EffectPencilSketch", [](CZVImage& i) { return i.EffectPencilSketch(3, 5); }, false},
        {"EffectOilPaint", [](CZVImage& i) { return i.EffectOilPaint(3, 100.0f); }, false},
        {"EffectBackgroundDeficiency", [](CZVImage& i) { return i.EffectBackgroundDeficiency(4.0f); }, true},
        {"SkinSanding", [](CZVImage& i) { return i.SkinSanding(4.0, 8.0); }, false},
        {"Eyelashes", [](CZVImage& i) { return i.Eyelashes(Brush(), 5, 5, 8, 8, 100, 0, 48); }, true},
        {"RemoveAcne", [](CZVImage& i) { return i.RemoveAcne(5, 5, 6, 6); }, true},
    };
    return effects;
}

// Parameters far outside what any caller passes: the effect may refuse, never crash.
const std::vector<std::pair<const char*, Apply>>& Extremes()
{
    static const std::vector<std::pair<const char*, Apply>> extremes = {
        {"Threshold 0", [](CZVImage& i) { return i.Threshold(0); }},
        {"ShiftRGB huge", [](CZVImage& i) { return i.ShiftRGB(100000, -100000, 0x7fffffff); }},
        {"Light huge", [](CZVImage& i) { return i.Light(-100000, 100000); }},
        {"Saturate huge", [](CZVImage& i) { return i.Saturate(-5000); }},
        {"Colorize blend 7", [](CZVImage& i) { return i.Colorize(255, 255, 7.0f); }},
        {"Filter null", [](CZVImage& i) { return i.Filter(nullptr, 3, 1, 0); }},
        {"Filter even size", [](CZVImage& i) { const long k[4] = {1, 1, 1, 1}; return i.Filter(k, 2, 0, 0); }},
        {"Filter divisor 0", [](CZVImage& i) { const long k[1] = {1}; return i.Filter(k, 1, 0, 0); }},
        {"Edge -3", [](CZVImage& i) { return i.Edge(-3); }},
        {"Noise huge", [](CZVImage& i) { return i.Noise(1000000); }},
        {"GaussianBlur 1e9", [](CZVImage& i) { return i.GaussianBlur(1e9f); }},
        {"GaussianBlur NaN", [](CZVImage& i) { return i.GaussianBlur(std::nanf("")); }},
        {"GaussianBlur -4", [](CZVImage& i) { return i.GaussianBlur(-4.0f); }},
        {"ColorTone -50", [](CZVImage& i) { return i.EffectColorTone(kCyan, -50); }},
        {"Mosaic 0", [](CZVImage& i) { return i.EffectMosaic(0); }},
        {"Mosaic huge", [](CZVImage& i) { return i.EffectMosaic(0x7fffffff); }},
        {"Splash -9", [](CZVImage& i) { return i.EffectSplash(-9); }},
        {"Splash huge", [](CZVImage& i) { return i.EffectSplash(100000); }},
        {"Posterize 0", [](CZVImage& i) { return i.EffectPosterize(0); }},
        {"Posterize 1000", [](CZVImage& i) { return i.EffectPosterize(1000); }},
        {"Shift 0", [](CZVImage& i) { return i.EffectShift(0); }},
        {"Shift huge", [](CZVImage& i) { return i.EffectShift(100000); }},
        {"Illusion 0", [](CZVImage& i) { return i.EffectIllusion(0); }},
        {"RaiseFrame huge", [](CZVImage& i) { return i.EffectRaiseFrame(100000); }},
        {"Solarize -1", [](CZVImage& i) { return i.EffectSolarize(-1); }},
        {"Gamma 0", [](CZVImage& i) { return i.EffectGamma(0); }},
        {"Gamma 500", [](CZVImage& i) { return i.EffectGamma(500); }},
        {"Gamma huge", [](CZVImage& i) { return i.EffectGamma(1000000); }},
        {"BlurMotion huge", [](CZVImage& i) { return i.EffectBlurMotion(1000000, 1000000); }},
        {"BlurMotion negative", [](CZVImage& i) { return i.EffectBlurMotion(-10, -725); }},
        {"BGBlurMotion huge", [](CZVImage& i) { return i.EffectBGBlurMotion(1000000, 89); }},
        {"3DGrid 0", [](CZVImage& i) { return i.Effect3DGrid(0, 1000); }},
        {"Ribbon huge", [](CZVImage& i) { return i.EffectRibbon(100000, 100000); }},
        {"BlurRadial huge", [](CZVImage& i) { return i.EffectBlurRadial(100000, 1e300, -1e300); }},
        {"BlurRadial NaN centre", [](CZVImage& i) { return i.EffectBlurRadial(20, std::nan(""), 1.0); }},
        {"BlurZoom huge", [](CZVImage& i) { return i.EffectBlurZoom(100000, -5.0, 1e9); }},
        {"Bulge huge", [](CZVImage& i) { return i.EffectBulge(100000, 1e12, 3.0); }},
        {"Bulge -1000", [](CZVImage& i) { return i.EffectBulge(-1000, 0.0, 0.0); }},
        {"Noisify 0", [](CZVImage& i) { return i.EffectNoisify(0, true); }},
        {"Noisify 150", [](CZVImage& i) { return i.EffectNoisify(150, false); }},
        {"Twist huge", [](CZVImage& i) { return i.EffectTwist(100000, -5, std::nan(""), 0.0); }},
        {"Wave 0", [](CZVImage& i) { return i.EffectWave(0, 0, 0.0); }},
        {"Wave huge", [](CZVImage& i) { return i.EffectWave(100000, 100000, 1e300); }},
        {"Ripple 0", [](CZVImage& i) { return i.EffectRipple(0, -4, false); }},
        {"TileReflection 0", [](CZVImage& i) { return i.EffectTileReflection(0, 1000, -100000); }},
        {"BrightnessContrast huge", [](CZVImage& i) { return i.EffectBrightnessContrast(1000, -1000); }},
        {"HueSaturation huge", [](CZVImage& i) { return i.EffectHueSaturation(-1000, 1000); }},
        {"InvertedImage huge", [](CZVImage& i) { return i.EffectInvertedImage(50.0f, -3.0f, std::nanf("")); }},
        {"Blinds 0", [](CZVImage& i) { return i.EffectBlinds(static_cast<BLIND_TYPE>(7), 0, 1000, kCyan); }},
        {"LensFlare far", [](CZVImage& i) { return i.EffectLensFlare(POINT{-100000, 100000}); }},
        {"Supernova 0", [](CZVImage& i) { return i.EffectSupernova(POINT{0, 0}, kCyan, 0, 0); }},
        {"Supernova huge", [](CZVImage& i) { return i.EffectSupernova(POINT{5, -5}, kCyan, 100000, 100000); }},
        {"Threshold huge", [](CZVImage& i) { return i.EffectThreshold(100000); }},
        {"PencilSketch huge", [](CZVImage& i) { return i.EffectPencilSketch(100000, -100000); }},
        {"OilPaint huge", [](CZVImage& i) { return i.EffectOilPaint(100000, 1e30f); }},
        {"OilPaint NaN", [](CZVImage& i) { return i.EffectOilPaint(2, std::nanf("")); }},
        {"BackgroundDeficiency huge", [](CZVImage& i) { return i.EffectBackgroundDeficiency(1e30f); }},
        {"SkinSanding huge", [](CZVImage& i) { return i.SkinSanding(1e9, -1e9); }},
        {"Eyelashes far", [](CZVImage& i) { return i.Eyelashes(Brush(), -100000, 100000, 100000, 100000, 100, 0, 48); }},
        {"RemoveAcne far", [](CZVImage& i) { return i.RemoveAcne(100000, -5, 0x7fffffff, 0x7fffffff); }},
    };
    return extremes;
}

void ExpectWhole(const CxImage& image)
{
    ASSERT_TRUE(image.IsValid());
    ASSERT_GT(image.GetWidth(), 0u);
    volatile BYTE last = image.GetBits(image.GetHeight() - 1)[image.GetEffWidth() - 1];
    (void)last;
}

// A left-to-right ramp through every grey level, one row per colour channel mix.
CZVImage Ramp()
{
    CZVImage image;
    image.Create(256, 3, 24);
    for (long x = 0; x < 256; ++x)
        for (long y = 0; y < 3; ++y)
            image.SetPixelColor(x, y, RGBQUAD{static_cast<BYTE>(x), static_cast<BYTE>(255 - x), static_cast<BYTE>(x / 2 + y), 0});
    return image;
}

CZVImage SolidPicture(long w, long h, RGBQUAD colour)
{
    CZVImage image;
    image.Create(w, h, 24);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x)
            image.SetPixelColor(x, y, colour);
    return image;
}

double Variance(const CxImage& image)
{
    double sum = 0, squares = 0, n = 0;
    for (long y = 0; y < static_cast<long>(image.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(image.GetWidth()); ++x) {
            const double v = image.GetPixelColor(x, y, false).rgbGreen;
            sum += v;
            squares += v * v;
            ++n;
        }
    return squares / n - (sum / n) * (sum / n);
}

} // namespace

TEST(Effects, EachFinishesAtFullProgressAndKeepsItsSize)
{
    for (const Effect& e : Effects()) {
        SCOPED_TRACE(e.name);
        CZVImage image = Pattern(33, 25, true);
        ASSERT_TRUE(e.apply(image));
        EXPECT_EQ(image.GetProgress(), 100);
        EXPECT_EQ(image.GetWidth(), 33u);
        EXPECT_EQ(image.GetHeight(), 25u);
        EXPECT_TRUE(image.AlphaIsValid());
    }
}

TEST(Effects, EachRefusesAtOnceWhenTheEscapeFlagIsSet)
{
    for (const Effect& e : Effects()) {
        SCOPED_TRACE(e.name);
        CZVImage image = Pattern(33, 25, true);
        const CZVImage before = image;
        image.SetEscape(1);
        EXPECT_FALSE(e.apply(image));
        EXPECT_LT(image.GetProgress(), 100);
        EXPECT_TRUE(SamePixels(image, before, 0, true));
    }
}

TEST(Effects, EscapeStopsALongEffectMidway)
{
    CZVImage image = Pattern(2400, 1800);
    std::atomic<bool> done{false};
    std::thread stopper([&] {
        while (!done && image.GetProgress() < 5)
            std::this_thread::yield();
        image.SetEscape(1);
    });
    const bool finished = image.EffectOilPaint(10, 250.0f);
    done = true;
    stopper.join();
    EXPECT_FALSE(finished);
    EXPECT_LT(image.GetProgress(), 100);
    ExpectWhole(image);
}

TEST(Effects, EachLeavesPixelsOutsideTheSelectionAlone)
{
    for (const Effect& e : Effects()) {
        if (e.local)
            continue;
        SCOPED_TRACE(e.name);
        CZVImage image = Pattern(33, 25, true);
        const CZVImage before = image;
        image.SelectionAddRect(RECT{10, 8, 20, 16});
        ASSERT_TRUE(e.apply(image));
        for (long y = 0; y < 25; ++y)
            for (long x = 0; x < 33; ++x) {
                if (!image.SelectionIsInside(x, y)) {
                    ASSERT_TRUE(SameColor(image.GetPixelColor(x, y, true), before.GetPixelColor(x, y, true), 0, true))
                        << x << "," << y;
                }
            }
    }
}

TEST(Effects, EachGivesWithAWholeSelectionWhatItGivesWithout)
{
    // Large enough for the passes to be shared among threads.
    for (const Effect& e : Effects()) {
        if (e.local)
            continue;
        SCOPED_TRACE(e.name);
        CZVImage plain = Pattern(420, 320, true);
        CZVImage selected = plain;
        ASSERT_TRUE(selected.SelectionClear(255));
        ASSERT_TRUE(e.apply(plain));
        ASSERT_TRUE(e.apply(selected));
        EXPECT_TRUE(SamePixels(selected, plain, 0, true));
    }
}

TEST(Effects, PointEffectsMixTheirResultByTheSelectionLevel)
{
    const std::set<std::string> pointwise = {
        "GrayScale", "Negative", "Threshold", "ShiftRGB", "Light", "Saturate", "Colorize", "Noise",
        "RedEyeRemove", "EffectHalftoneM3", "EffectColorTone", "EffectPosterize", "EffectRaiseFrame",
        "EffectSolarize", "EffectGamma", "Effect3DGrid", "EffectNoisify", "EffectShiftRGB",
        "EffectBrightnessContrast", "EffectHueSaturation", "EffectBlinds", "EffectLensFlare",
        "EffectSupernova", "EffectThreshold2"};
    size_t tried = 0;
    for (const Effect& e : Effects()) {
        if (!pointwise.count(e.name))
            continue;
        SCOPED_TRACE(e.name);
        ++tried;
        const CZVImage before = Pattern(420, 320, true);
        CZVImage whole = before, part = before;
        ASSERT_TRUE(e.apply(whole));
        // Whole rows selected, rows selected in part at two levels, and rows outside.
        part.SelectionAddRect(RECT{0, 0, 420, 100});
        part.SelectionAddRect(RECT{50, 150, 300, 250}, 90);
        part.SelectionAddRect(RECT{200, 200, 420, 300}, 200);
        ASSERT_TRUE(e.apply(part));
        for (long y = 0; y < 320; ++y) {
            const BYTE *b = before.GetBits(y), *w = whole.GetBits(y), *p = part.GetBits(y);
            for (long x = 0; x < 420; ++x) {
                const unsigned level = part.SelectionGet(x, y);
                for (int k = 0; k < 3; ++k) {
                    const size_t i = static_cast<size_t>(x) * 3 + k;
                    ASSERT_EQ(p[i], (b[i] * (255 - level) + w[i] * level + 127) / 255) << x << "," << y;
                }
                ASSERT_EQ(part.AlphaGet(x, y), before.AlphaGet(x, y));
            }
        }
    }
    EXPECT_EQ(tried, pointwise.size());
}

namespace {

// Fills every 64th row of the colours (or palette indexes) with a ramp that starts further
// along on each row, and tells whether those rows still hold it. Any effect that ran would move
// or mix pixels of the rows left black into them; the rows left alone cost no memory.
class RowPattern {
public:
    explicit RowPattern(const CxImage& image)
        : m_bytes(static_cast<size_t>(image.GetWidth()) * image.GetBpp() / 8), m_ramp(m_bytes + 256)
    {
        for (size_t i = 0; i < m_ramp.size(); ++i)
            m_ramp[i] = static_cast<BYTE>(i * 7);
    }

    void Fill(CxImage& image) const
    {
        for (long y = 0; y < static_cast<long>(image.GetHeight()); y += kStep)
            std::memcpy(image.GetBits(y), Row(y), m_bytes);
    }

    bool Intact(const CxImage& image) const
    {
        for (long y = 0; y < static_cast<long>(image.GetHeight()); y += kStep)
            if (std::memcmp(image.GetBits(y), Row(y), m_bytes) != 0)
                return false;
        return true;
    }

private:
    static constexpr long kStep = 64;
    const BYTE* Row(long y) const { return m_ramp.data() + y / kStep % 256; }

    size_t m_bytes;
    std::vector<BYTE> m_ramp;
};

} // namespace

TEST(Effects, EffectsWhoseWorkingCopiesPassTheBudgetRefuseAndLeaveThePicture)
{
    // A distortion or a blur mixed back needs two copies of the picture beside it: 541 MB for
    // 90 megapixels, a palette picture counted as it would be made 24-bit.
    const struct {
        const char* name;
        Apply apply;
        bool palette;
    } cases[] = {
        {"Twist", [](CZVImage& i) { return i.EffectTwist(20, 100, 0.0, 0.0); }, false},
        {"SkinSanding", [](CZVImage& i) { return i.SkinSanding(4.0, 8.0); }, false},
        {"Twist of a palette picture", [](CZVImage& i) { return i.EffectTwist(20, 100, 0.0, 0.0); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZVImage image;
        ASSERT_TRUE(image.Create(9500, 9500, c.palette ? 8 : 24));
        const RowPattern pattern(image);
        pattern.Fill(image);
        image.SetProgress(100);   // as a finished effect before left it
        EXPECT_FALSE(c.apply(image));
        EXPECT_LT(image.GetProgress(), 100);
        EXPECT_EQ(image.GetBpp(), c.palette ? 8 : 24);
        EXPECT_TRUE(pattern.Intact(image));
    }
}

TEST(Effects, EachIsSafeOnTinyAndPalettePicturesAndWithExtremeParameters)
{
    std::vector<std::pair<const char*, Apply>> all = Extremes();
    for (const Effect& e : Effects())
        all.emplace_back(e.name, e.apply);
    for (const auto& [name, apply] : all) {
        SCOPED_TRACE(name);
        for (const SIZE size : {SIZE{1, 1}, SIZE{2, 1}, SIZE{1, 3}, SIZE{17, 9}}) {
            CZVImage image = Pattern(size.cx, size.cy, size.cx == 17);
            apply(image);
            ExpectWhole(image);
        }
        CZVImage palette = Pattern(12, 7);
        ASSERT_TRUE(palette.DecreaseBpp(8, false));
        apply(palette);
        ExpectWhole(palette);
        CZVImage empty;
        EXPECT_FALSE(apply(empty));
    }
}

TEST(Effects, NeutralParametersLeaveThePictureAsItIs)
{
    const std::pair<const char*, Apply> neutral[] = {
        {"ShiftRGB 0", [](CZVImage& i) { return i.ShiftRGB(0, 0, 0); }},
        {"Light 0", [](CZVImage& i) { return i.Light(0, 0); }},
        {"Saturate 0", [](CZVImage& i) { return i.Saturate(0); }},
        {"Colorize blend 0", [](CZVImage& i) { return i.Colorize(90, 200, 0.0f); }},
        {"Filter identity", [](CZVImage& i) { const long k[9] = {0, 0, 0, 0, 1, 0, 0, 0, 0}; return i.Filter(k, 3, 1, 0); }},
        {"GaussianBlur 0", [](CZVImage& i) { return i.GaussianBlur(0.0f); }},
        {"ColorTone 0", [](CZVImage& i) { return i.EffectColorTone(kCyan, 0); }},
        {"Mosaic 1", [](CZVImage& i) { return i.EffectMosaic(1); }},
        {"Splash 0", [](CZVImage& i) { return i.EffectSplash(0); }},
        {"Posterize 256", [](CZVImage& i) { return i.EffectPosterize(256); }},
        {"Solarize 255", [](CZVImage& i) { return i.EffectSolarize(255); }},
        {"Gamma 100", [](CZVImage& i) { return i.EffectGamma(100); }},
        {"BlurMotion 0", [](CZVImage& i) { return i.EffectBlurMotion(0, 45); }},
        {"BlurRadial 0", [](CZVImage& i) { return i.EffectBlurRadial(0, 0.0, 0.0); }},
        {"BlurZoom 0", [](CZVImage& i) { return i.EffectBlurZoom(0, 0.0, 0.0); }},
        {"Bulge 0", [](CZVImage& i) { return i.EffectBulge(0, 16.0, 12.0); }},
        {"Twist 0", [](CZVImage& i) { return i.EffectTwist(0, 100, 0.0, 0.0); }},
        {"Wave 0", [](CZVImage& i) { return i.EffectWave(10, 0, 0.0); }},
        {"Ripple 0", [](CZVImage& i) { return i.EffectRipple(20, 0, true); }},
        {"Ribbon 0", [](CZVImage& i) { return i.EffectRibbon(0, 40); }},
        {"TileReflection 0", [](CZVImage& i) { return i.EffectTileReflection(8, 0, 0); }},
        {"BrightnessContrast 0", [](CZVImage& i) { return i.EffectBrightnessContrast(0, 0); }},
        {"HueSaturation 0", [](CZVImage& i) { return i.EffectHueSaturation(0, 0); }},
        {"Blinds 0", [](CZVImage& i) { return i.EffectBlinds(BLIND_VERTICAL, 6, 0, kCyan); }},
        {"OilPaint 0", [](CZVImage& i) { return i.EffectOilPaint(0, 100.0f); }},
    };
    for (const auto& [name, apply] : neutral) {
        SCOPED_TRACE(name);
        CZVImage image = Pattern(33, 25, true);
        const CZVImage before = image;
        ASSERT_TRUE(apply(image));
        EXPECT_TRUE(SamePixels(image, before, 0, true));
    }
}

TEST(Effects, GreyScaleOfPureColours)
{
    const struct {
        RGBQUAD colour;
        BYTE grey;
    } cases[] = {
        {{0, 0, 255, 0}, 77}, {{0, 255, 0, 0}, 149}, {{255, 0, 0, 0}, 29},
        {{255, 255, 255, 0}, 255}, {{0, 0, 0, 0}, 0}, {{90, 90, 90, 0}, 90},
    };
    for (const auto& c : cases) {
        for (const bool effect : {false, true}) {
            CZVImage image = SolidPicture(3, 2, c.colour);
            ASSERT_TRUE(effect ? image.EffectGrayScale() : image.GrayScale());
            const RGBQUAD p = image.GetPixelColor(1, 1, false);
            EXPECT_EQ(p.rgbRed, c.grey);
            EXPECT_EQ(p.rgbGreen, c.grey);
            EXPECT_EQ(p.rgbBlue, c.grey);
        }
    }
    CZVImage image = Pattern(20, 20);
    ASSERT_TRUE(image.EffectHueSaturation(0, -100));
    for (long x = 0; x < 20; ++x) {
        const RGBQUAD p = image.GetPixelColor(x, 7, false);
        EXPECT_LE(std::abs(p.rgbRed - p.rgbBlue), 1);
        EXPECT_LE(std::abs(p.rgbRed - p.rgbGreen), 1);
    }
}

TEST(Effects, RedEyeRemovalTakesRedOnlyFromRedPixels)
{
    const struct {
        RGBQUAD colour;
        bool changed;
    } cases[] = {
        {{40, 40, 200, 0}, true},    // a red pupil
        {{70, 150, 230, 0}, false},  // orange
        {{150, 160, 230, 0}, false}, // pink skin
        {{200, 60, 60, 0}, false},   // blue
    };
    for (const auto& c : cases) {
        CZVImage image = SolidPicture(4, 4, c.colour);
        ASSERT_TRUE(image.RedEyeRemove(0.8f));
        const RGBQUAD p = image.GetPixelColor(2, 2, false);
        EXPECT_EQ(p.rgbRed < c.colour.rgbRed - 60, c.changed) << int(c.colour.rgbRed);
        EXPECT_EQ(p.rgbGreen, c.colour.rgbGreen);
        EXPECT_EQ(p.rgbBlue, c.colour.rgbBlue);
    }
}

TEST(Effects, InvertTwiceIsTheIdentity)
{
    CZVImage image = Pattern(31, 17, true);
    const CZVImage before = image;
    ASSERT_TRUE(image.EffectInvert());
    EXPECT_EQ(image.GetPixelColor(3, 4, false).rgbBlue, 255 - before.GetPixelColor(3, 4, false).rgbBlue);
    ASSERT_TRUE(image.Negative());
    EXPECT_TRUE(SamePixels(image, before, 0, true));
}

TEST(Effects, ToneMapsGiveTheirLevels)
{
    // Distinct values each channel may take after the effect on a ramp through every level.
    const struct {
        const char* name;
        Apply apply;
        size_t levels;
    } cases[] = {
        {"Posterize 2", [](CZVImage& i) { return i.EffectPosterize(2); }, 2},
        {"Posterize 5", [](CZVImage& i) { return i.EffectPosterize(5); }, 5},
        {"Posterize 20", [](CZVImage& i) { return i.EffectPosterize(20); }, 20},
        {"Threshold", [](CZVImage& i) { return i.Threshold(100); }, 2},
        {"EffectThreshold", [](CZVImage& i) { return i.EffectThreshold(100); }, 2},
        {"HalftoneM3", [](CZVImage& i) { return i.EffectHalftoneM3(); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZVImage image = Ramp();
        ASSERT_TRUE(c.apply(image));
        std::set<BYTE> seen;
        for (long x = 0; x < 256; ++x)
            seen.insert(image.GetPixelColor(x, 0, false).rgbBlue);
        EXPECT_EQ(seen.size(), c.levels);
        EXPECT_TRUE(seen.count(0) && seen.count(255));
    }
}

TEST(Effects, SolarizeTurnsOverOnlyTonesAboveTheLevel)
{
    CZVImage image = Ramp();
    const CZVImage before = image;
    ASSERT_TRUE(image.EffectSolarize(140));
    for (long x = 0; x < 256; ++x) {
        const BYTE was = before.GetPixelColor(x, 1, false).rgbBlue, now = image.GetPixelColor(x, 1, false).rgbBlue;
        EXPECT_EQ(now, was > 140 ? 255 - was : was) << x;
    }
}

TEST(Effects, ThresholdTwoColoursTheTonesAboveAndKeepsTheRest)
{
    CZVImage image = Ramp();
    const CZVImage before = image;
    ASSERT_TRUE(image.EffectThreshold2(128, true, kCyan, true));
    int coloured = 0;
    for (long x = 0; x < 256; ++x) {
        const RGBQUAD was = before.GetPixelColor(x, 2, false), now = image.GetPixelColor(x, 2, false);
        if (SameColor(now, was))
            continue;
        EXPECT_TRUE(SameColor(now, kCyan)) << x;
        ++coloured;
    }
    EXPECT_GT(coloured, 50);
    EXPECT_LT(coloured, 220);
}

TEST(Effects, BlursReduceVariance)
{
    const std::pair<const char*, Apply> blurs[] = {
        {"GaussianBlur", [](CZVImage& i) { return i.GaussianBlur(4.0f); }},
        {"BlurMotion", [](CZVImage& i) { return i.EffectBlurMotion(15, 20); }},
        {"BlurRadial", [](CZVImage& i) { return i.EffectBlurRadial(30, 0.0, 0.0); }},
        {"BlurZoom", [](CZVImage& i) { return i.EffectBlurZoom(60, 0.0, 0.0); }},
        {"BackgroundDeficiency", [](CZVImage& i) { return i.EffectBackgroundDeficiency(5.0f); }},
        {"SkinSanding", [](CZVImage& i) { return i.SkinSanding(4.0, 100.0); }},
        {"Soften", [](CZVImage& i) { const long k[9] = {1, 1, 1, 1, 8, 1, 1, 1, 1}; return i.Filter(k, 3, 16, 0); }},
    };
    for (const auto& [name, apply] : blurs) {
        SCOPED_TRACE(name);
        CZVImage image = Pattern(64, 48);
        const double before = Variance(image);
        ASSERT_TRUE(apply(image));
        EXPECT_LT(Variance(image), before * 0.8);
    }
}

TEST(Effects, MotionBlurSmearsAlongItsAngle)
{
    // A white dot on black; the smear must reach along the angle (rows from the bottom) and
    // nowhere across it.
    const struct {
        long angle;
        long dx, dy;
    } cases[] = {{0, 1, 0}, {90, 0, 1}, {45, 1, 1}, {135, -1, 1}, {180, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        CZVImage image = SolidPicture(41, 41, RGBQUAD{0, 0, 0, 0});
        image.SetPixelColor(20, 20, RGBQUAD{255, 255, 255, 0});
        ASSERT_TRUE(image.EffectBlurMotion(13, c.angle));
        for (long t = -4; t <= 4; ++t)
            EXPECT_GT(image.GetPixelColor(20 + t * c.dx, 20 + t * c.dy, false).rgbGreen, 0) << t;
        EXPECT_EQ(image.GetPixelColor(20 - 4 * c.dy, 20 + 4 * c.dx, false).rgbGreen, 0);
        EXPECT_LT(image.GetPixelColor(20, 20, false).rgbGreen, 64);
    }
}

TEST(Effects, LensEffectsKeepTheCentrePixelAndMoveTheRest)
{
    const std::pair<const char*, Apply> lenses[] = {
        {"Twist", [](CZVImage& i) { return i.EffectTwist(30, 100, 0.0, 0.0); }},
        {"Twist at a point", [](CZVImage& i) { return i.EffectTwist(-30, 100, 16.0, 12.0); }},
        {"Bulge", [](CZVImage& i) { return i.EffectBulge(100, 16.0, 12.0); }},
        {"Pinch", [](CZVImage& i) { return i.EffectBulge(-150, 0.0, 0.0); }},
        {"Ripple", [](CZVImage& i) { return i.EffectRipple(20, 80, true); }},
    };
    for (const auto& [name, apply] : lenses) {
        SCOPED_TRACE(name);
        CZVImage image = Pattern(33, 25);
        const CZVImage before = image;
        ASSERT_TRUE(apply(image));
        EXPECT_TRUE(SameColor(image.GetPixelColor(16, 12, false), before.GetPixelColor(16, 12, false)));
        EXPECT_FALSE(SamePixels(image, before, 8));
    }
}

TEST(Effects, BulgeMagnifiesAndPinchShrinks)
{
    // Concentric rings: a magnified middle shows the inner (dark) disc wider.
    auto rings = [] {
        CZVImage image;
        image.Create(61, 61, 24);
        for (long y = 0; y < 61; ++y)
            for (long x = 0; x < 61; ++x) {
                const BYTE v = std::hypot(x - 30, y - 30) < 8 ? 0 : 255;
                image.SetPixelColor(x, y, RGBQUAD{v, v, v, 0});
            }
        return image;
    };
    CZVImage bulged = rings(), pinched = rings();
    ASSERT_TRUE(bulged.EffectBulge(100, 30.0, 30.0));
    ASSERT_TRUE(pinched.EffectBulge(-200, 30.0, 30.0));
    EXPECT_LT(bulged.GetPixelColor(30 + 9, 30, false).rgbGreen, 64);
    EXPECT_GT(pinched.GetPixelColor(30 + 6, 30, false).rgbGreen, 192);
}

TEST(Effects, MosaicBlocksAreUniformFromTheTopLeft)
{
    CZVImage image = Pattern(20, 10);
    ASSERT_TRUE(image.EffectMosaic(4));
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 4; ++x)
            EXPECT_TRUE(SameColor(TopDown(image, x, y), TopDown(image, 0, 0)));
    EXPECT_FALSE(SameColor(TopDown(image, 4, 0), TopDown(image, 0, 0)));
}

TEST(Effects, InvertedImageAddsAFadingMirrorBelow)
{
    CZVImage image = Pattern(10, 20);
    const CZVImage before = image;
    ASSERT_TRUE(image.EffectInvertedImage(0.5f, 0.6f, 0.0f));
    ASSERT_EQ(image.GetHeight(), 30u);
    ASSERT_TRUE(image.AlphaIsValid());
    // Rows from the bottom: the picture on top, its bottom row mirrored just below it.
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, 10, false), before.GetPixelColor(3, 0, false)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, 9, false), before.GetPixelColor(3, 0, false)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, 0, false), before.GetPixelColor(3, 9, false)));
    EXPECT_EQ(image.AlphaGet(3, 15), 255);
    EXPECT_EQ(image.AlphaGet(3, 9), 153);
    EXPECT_EQ(image.AlphaGet(3, 0), 0);
}

TEST(Effects, FlatPicturesStayFlatUnderNeighbourhoodFilters)
{
    const std::pair<const char*, Apply> filters[] = {
        {"Edge", [](CZVImage& i) { return i.Edge(5); }},
        {"Emboss", [](CZVImage& i) { const long k[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0}; return i.Filter(k, 3, -1, 127); }},
        {"PencilSketch", [](CZVImage& i) { return i.EffectPencilSketch(4, 0); }},
    };
    const BYTE expected[] = {0, 127, 255};
    for (size_t n = 0; n < std::size(filters); ++n) {
        SCOPED_TRACE(filters[n].first);
        CZVImage image = SolidPicture(20, 20, RGBQUAD{70, 120, 200, 0});
        ASSERT_TRUE(filters[n].second(image));
        const RGBQUAD p = image.GetPixelColor(9, 9, false);
        EXPECT_EQ(p.rgbGreen, expected[n]);
    }
}

namespace {

// The neighbourhood filters pixel by pixel from their definition: every tap read through clamped
// coordinates, the result mixed into the picture by the selection's level, alpha kept.
using NeighbourValue = std::function<BYTE(const CxImage& src, long x, long y, int channel)>;

const BYTE* ClampedPixel(const CxImage& src, long x, long y)
{
    x = std::clamp(x, 0L, static_cast<long>(src.GetWidth()) - 1);
    y = std::clamp(y, 0L, static_cast<long>(src.GetHeight()) - 1);
    return src.GetBits(static_cast<DWORD>(y)) + static_cast<size_t>(x) * 3;
}

BYTE ClampByte(long v)
{
    return static_cast<BYTE>(std::clamp(v, 0L, 255L));
}

CZVImage ByDefinition(const CZVImage& input, const NeighbourValue& value)
{
    CZVImage src(input);
    if (src.GetBpp() != 24)
        src.IncreaseBpp(24);
    CZVImage out(src);
    const long w = src.GetWidth(), h = src.GetHeight();
    RECT box = {0, h, w, 0};
    if (src.SelectionIsValid())
        src.SelectionGetBox(box);
    for (long y = std::max(0L, box.bottom); y < std::min(h, box.top); ++y)
        for (long x = std::max(0L, box.left); x < std::min(w, box.right); ++x) {
            const unsigned level = src.SelectionIsValid() ? src.SelectionGetPointer(0, y)[x] : 255;
            for (int k = 0; k < 3; ++k) {
                BYTE& q = out.GetBits(static_cast<DWORD>(y))[x * 3 + k];
                const BYTE made = value(src, x, y, k);
                q = static_cast<BYTE>((q * (255 - level) + made * level + 127) / 255);
            }
        }
    return out;
}

struct KernelCase {
    const char* name;
    long size;
    std::vector<long> weights;
    long divisor, offset;
};

std::vector<long> SparseKernel(long size)
{
    std::vector<long> k(static_cast<size_t>(size * size), 0);
    k.front() = 3;
    k.back() = -2;
    k[static_cast<size_t>(size * size / 2)] = 4;
    k[static_cast<size_t>(size - 1)] = 1;
    return k;
}

std::vector<long> DenseKernel(long size)
{
    std::vector<long> k;
    for (long i = 0; i < size * size; ++i)
        k.push_back((i * 7 + 3) % 11 - 5);
    return k;
}

// Pictures where a row loop can go wrong: rows and columns shorter than the kernel's reach,
// alpha, a palette, a selection with levels between 0 and 255, and pictures large enough to be
// shared out between threads.
std::vector<std::pair<const char*, CZVImage>> NeighbourhoodPictures()
{
    std::vector<std::pair<const char*, CZVImage>> pictures = {
        {"1 x 1", Pattern(1, 1)},
        {"5 x 1", Pattern(5, 1)},
        {"1 x 6 with alpha", Pattern(1, 6, true)},
        {"2 x 3", Pattern(2, 3)},
        {"7 x 5 with alpha", Pattern(7, 5, true)},
        {"600 x 300", Pattern(600, 300)},
    };
    CZVImage palette;
    palette.Create(9, 7, 8);
    for (int i = 0; i < 256; ++i)
        palette.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 7), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 13));
    for (long y = 0; y < 7; ++y)
        for (long x = 0; x < 9; ++x)
            palette.SetPixelIndex(x, y, static_cast<BYTE>(x * 29 + y * 71));
    pictures.emplace_back("9 x 7 palette", palette);
    for (const auto& [name, w, h] : {std::tuple<const char*, long, long>{"33 x 25 selection with levels", 33, 25},
                                     {"600 x 300 selection with levels", 600, 300}}) {
        CZVImage selected = Pattern(w, h, true);
        selected.SelectionAddRect(RECT{w / 6, h / 5, w - w / 5, h - h / 6});
        RECT box;
        selected.SelectionGetBox(box);
        for (long y = box.bottom; y < box.top; ++y)
            for (long x = box.left; x < box.right; ++x)
                selected.SelectionGetPointer(0, y)[x] = static_cast<BYTE>((x * 37 + y * 11) % 5 == 0 ? 0 : x * y * 7);
        pictures.emplace_back(name, selected);
    }
    return pictures;
}

} // namespace

TEST(Effects, NeighbourhoodFiltersGiveTheirDefinitionByteForByte)
{
    const std::vector<KernelCase> kernels = {
        {"emboss", 3, {0, 0, -1, 0, 0, 0, 1, 0, 0}, -1, 127},
        {"sharpen", 3, {-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0},
        {"dense 5 x 5", 5, DenseKernel(5), -3, 50},
        {"one tap", 1, {3}, 2, -10},
        {"divisor 0", 3, {1, 2, 1, 2, 4, 2, 1, 2, 1}, 0, 0},
        {"all zero", 3, std::vector<long>(9, 0), 1, 99},
        {"sparse 25 x 25", 25, SparseKernel(25), 5, 0},
    };
    for (const auto& [pictureName, picture] : NeighbourhoodPictures()) {
        SCOPED_TRACE(pictureName);
        for (const KernelCase& kernel : kernels) {
            SCOPED_TRACE(kernel.name);
            const long half = kernel.size / 2, divisor = kernel.divisor ? kernel.divisor : 1;
            const CZVImage expected = ByDefinition(picture, [&](const CxImage& src, long x, long y, int k) {
                long sum = 0;
                for (long j = 0; j < kernel.size; ++j)
                    for (long i = 0; i < kernel.size; ++i)
                        sum += kernel.weights[static_cast<size_t>(j * kernel.size + i)] * ClampedPixel(src, x + i - half, y + half - j)[k];
                return ClampByte(sum / divisor + kernel.offset);
            });
            CZVImage image(picture);
            ASSERT_TRUE(image.Filter(kernel.weights.data(), kernel.size, kernel.divisor, kernel.offset));
            EXPECT_TRUE(SamePixels(image, expected, 0, true));
        }
        for (long strength : {1L, 2L, 10L}) {
            SCOPED_TRACE(strength);
            const CZVImage expected = ByDefinition(picture, [&](const CxImage& src, long x, long y, int k) {
                const auto at = [&](long dx, long dy) { return static_cast<long>(ClampedPixel(src, x + dx, y + dy)[k]); };
                const long gx = std::labs(at(1, 1) + 2 * at(1, 0) + at(1, -1) - at(-1, 1) - 2 * at(-1, 0) - at(-1, -1));
                const long gy = std::labs(at(-1, 1) + 2 * at(0, 1) + at(1, 1) - at(-1, -1) - 2 * at(0, -1) - at(1, -1));
                return ClampByte((std::max(gx, gy) + std::min(gx, gy) / 2) * strength / 8);
            });
            CZVImage image(picture);
            ASSERT_TRUE(image.Edge(strength));
            EXPECT_TRUE(SamePixels(image, expected, 0, true));
        }
    }
}

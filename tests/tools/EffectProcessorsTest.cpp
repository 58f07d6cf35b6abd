// The effect processors, built through the effect tables as the dialogs build them: each makes
// exactly its library call, leaves an empty picture alone, and the rotation reports its angle.
#include <cstring>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <typeinfo>
#include <gtest/gtest.h>
#include "EffectTables.h"
#include "ZVImage.h"

namespace {

// 9 x 7 of distinct colours, an alpha plane that varies, and a selection that leaves a border.
CZVImage EffectFixture()
{
    CZVImage picture;
    picture.Create(9, 7, 24);
    for (long y = 0; y < 7; ++y)
        for (long x = 0; x < 9; ++x)
            picture.SetPixelColor(x, y, RGBQUAD{BYTE(20 + 25 * x), BYTE(230 - 30 * y), BYTE((x * 53 + y * 97) % 256), 0});
    picture.AlphaCreate();
    for (long y = 0; y < 7; ++y)
        for (long x = 0; x < 9; ++x)
            picture.AlphaSet(x, y, BYTE(255 - 9 * (x + y)));
    picture.SelectionAddRect(RECT{1, 1, 8, 6});
    return picture;
}

::testing::AssertionResult SamePixels(const CxImage& a, const CxImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return ::testing::AssertionFailure() << a.GetWidth() << " x " << a.GetHeight() << " against " << b.GetWidth()
                                             << " x " << b.GetHeight();
    if (a.AlphaIsValid() != b.AlphaIsValid())
        return ::testing::AssertionFailure() << "alpha plane " << a.AlphaIsValid() << " against " << b.AlphaIsValid();
    for (long y = 0; y < long(a.GetHeight()); ++y)
        for (long x = 0; x < long(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, true), q = b.GetPixelColor(x, y, true);
            if (std::memcmp(&p, &q, sizeof p) != 0)
                return ::testing::AssertionFailure() << "pixel " << x << ", " << y << ": " << int(p.rgbBlue) << " "
                                                     << int(p.rgbGreen) << " " << int(p.rgbRed) << " " << int(p.rgbReserved)
                                                     << " against " << int(q.rgbBlue) << " " << int(q.rgbGreen) << " "
                                                     << int(q.rgbRed) << " " << int(q.rgbReserved);
        }
    return ::testing::AssertionSuccess();
}

ProcessingValues Processing(int p1, int p2, int p3, int p4, int p5, double d1 = 0.0, double d2 = 0.0)
{
    ProcessingValues values;
    values.p1 = p1, values.p2 = p2, values.p3 = p3, values.p4 = p4, values.p5 = p5;
    values.d1 = d1, values.d2 = d2;
    return values;
}

const long kEmboss[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0};
const long kSharpen[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
const long kSoften[9] = {1, 1, 1, 1, 8, 1, 1, 1, 1};
const RGBQUAD kWhite = {255, 255, 255, 255};
const RGBQUAD kOrange = {30, 140, 250, 255}; // blue, green, red: the colour button's RGB(250, 140, 30)

struct ProcessorCase {
    const char* name;
    std::function<std::unique_ptr<CProcessBase>()> build; // as the dialog builds it
    std::function<void(CZVImage&)> call;                  // the library call, made directly
};

// Every processor at its dialog's index and values that show on the fixture. The values differ
// from each other, so that swapped arguments show, and the fixed arguments are written out.
const ProcessorCase kProcessorCases[] = {
    {"Blinds", [] { return BuildProcessor(BlindsOptions{ColorRefToQuad(RGB(250, 140, 30)), 1, 60, 2}); },
     [](CZVImage& p) { p.EffectBlinds(BLIND_VERTICAL, 2, 60, kOrange); }},
    {"ColorTone", [] { return BuildProcessingEffect(7, Processing(250, 140, 30, 255, 70)); },
     [](CZVImage& p) { p.EffectColorTone(kOrange, 70); }},
    {"LensFlare", [] { return BuildProcessor(LensFlareOptions{2, 5}); }, [](CZVImage& p) { p.EffectLensFlare(POINT{2, 5}); }},
    {"SkinSanding", [] { return BuildProcessingEffect(15, Processing(0, 0, 0, 0, 0, 4.0, 8.0)); },
     [](CZVImage& p) { p.SkinSanding(4.0, 8.0); }},
    {"Emboss", [] { return BuildProcessingEffect(14, Processing(0, 0, 0, 0, 5)); },
     [](CZVImage& p) { p.Filter(kEmboss, 3, -1, 127); }},
    {"Edge", [] { return BuildProcessingEffect(13, Processing(0, 0, 0, 0, 5)); }, [](CZVImage& p) { p.Edge(2); }},
    {"Noise", [] { return BuildProcessingEffect(10, Processing(0, 0, 0, 0, 60)); }, [](CZVImage& p) { p.Noise(60); }},
    {"Sharpen", [] { return BuildProcessingEffect(9, ProcessingValues()); },
     [](CZVImage& p) { p.Filter(kSharpen, 3, 7, 0); }},
    {"Soften", [] { return BuildProcessingEffect(8, ProcessingValues()); },
     [](CZVImage& p) { p.Filter(kSoften, 3, 16, 0); }},
    {"Solarize", [] { return BuildProcessingEffect(6, Processing(0, 0, 0, 0, 100)); },
     [](CZVImage& p) { p.EffectSolarize(100); }},
    {"HalftoneM3", [] { return BuildProcessingEffect(5, ProcessingValues()); },
     [](CZVImage& p) { p.EffectHalftoneM3(); }},
    {"ThresholdPreserving", [] { return BuildProcessor(ThresholdOptions{100, 1}); },
     [](CZVImage& p) { p.EffectThreshold2(100, true, kWhite, true); }},
    {"ThresholdDialog", [] { return BuildProcessor(ThresholdOptions{100, 0}); }, [](CZVImage& p) { p.EffectThreshold(100); }},
    {"ThresholdProcessing", [] { return BuildProcessingEffect(3, Processing(0, 0, 0, 0, 100)); },
     [](CZVImage& p) { p.EffectThreshold(100); }},
    {"ShiftRGB", [] { return BuildProcessingEffect(2, Processing(40, -30, 20, 0, 0)); },
     [](CZVImage& p) { p.EffectShiftRGB(40, -30, 20); }},
    {"Negative", [] { return BuildProcessingEffect(1, ProcessingValues()); }, [](CZVImage& p) { p.Negative(); }},
    {"GrayScale", [] { return BuildProcessingEffect(0, ProcessingValues()); },
     [](CZVImage& p) { p.EffectGrayScale(); }},
    {"PencilSketch", [] { return BuildTwoOptionEffect(10, 3, 5); }, [](CZVImage& p) { p.EffectPencilSketch(3, 5); }},
    {"OilPaint", [] { return BuildTwoOptionEffect(9, 2, 120); }, [](CZVImage& p) { p.EffectOilPaint(2, 120.0f); }},
    {"HueSaturation", [] { return BuildTwoOptionEffect(8, 30, -40); },
     [](CZVImage& p) { p.EffectHueSaturation(30, -40); }},
    {"HueSaturationProcessing", [] { return BuildProcessingEffect(12, Processing(30, 0, 0, 0, -40)); },
     [](CZVImage& p) { p.EffectHueSaturation(30, -40); }},
    {"BrightnessContrast", [] { return BuildTwoOptionEffect(7, 20, 40); },
     [](CZVImage& p) { p.EffectBrightnessContrast(20, 40); }},
    {"BrightnessContrastProcessing", [] { return BuildProcessingEffect(11, Processing(20, 0, 0, 0, 40)); },
     [](CZVImage& p) { p.EffectBrightnessContrast(20, 40); }},
    {"Ripple", [] { return BuildTwoOptionEffect(6, 30, 60); }, [](CZVImage& p) { p.EffectRipple(30, 60, true); }},
    {"Wave", [] { return BuildTwoOptionEffect(5, 10, 40); }, [](CZVImage& p) { p.EffectWave(10, 40, 0.0); }},
    {"Twist", [] { return BuildTwoOptionEffect(4, 30, 150); }, [](CZVImage& p) { p.EffectTwist(30, 150, 0.0, 0.0); }},
    {"Ribbon", [] { return BuildTwoOptionEffect(3, 60, 40); }, [](CZVImage& p) { p.EffectRibbon(60, 40); }},
    {"TileReflection", [] { return BuildTwoOptionEffect(2, 3, 10); },
     [](CZVImage& p) { p.EffectTileReflection(3, 10, 45); }},
    {"3DGrid", [] { return BuildTwoOptionEffect(1, 3, 100); }, [](CZVImage& p) { p.Effect3DGrid(3, 100); }},
    {"BlurMotion", [] { return BuildTwoOptionEffect(0, 4, 30); }, [](CZVImage& p) { p.EffectBlurMotion(4, 30); }},
    {"BackgroundDeficiency", [] { return BuildOneOptionEffect(12, 5); },
     [](CZVImage& p) { p.EffectBackgroundDeficiency(5.0f); }},
    {"SelectiveFocusGaussian", [] { return BuildSelectiveFocus(0, 5, 70); },
     [](CZVImage& p) { p.EffectBackgroundDeficiency(5.0f); }},
    {"Gamma", [] { return BuildOneOptionEffect(10, 160); }, [](CZVImage& p) { p.EffectGamma(160); }},
    {"Gaussian", [] { return BuildOneOptionEffect(11, 2); }, [](CZVImage& p) { p.GaussianBlur(2.0f, nullptr); }},
    // 9 x 7 centres at 4, 3, not 4.5, 3.5.
    {"Bulge", [] { return BuildOneOptionEffect(9, 80); }, [](CZVImage& p) { p.EffectBulge(80, 4.0, 3.0); }},
    {"Shift", [] { return BuildOneOptionEffect(8, 2); }, [](CZVImage& p) { p.EffectShift(2); }},
    {"Splash", [] { return BuildOneOptionEffect(7, 3); }, [](CZVImage& p) { p.EffectSplash(3); }},
    {"RaiseFrame", [] { return BuildOneOptionEffect(6, 2); }, [](CZVImage& p) { p.EffectRaiseFrame(2); }},
    {"Posterize", [] { return BuildOneOptionEffect(5, 3); }, [](CZVImage& p) { p.EffectPosterize(3); }},
    {"PosterizeProcessing", [] { return BuildProcessingEffect(4, Processing(0, 0, 0, 0, 3)); },
     [](CZVImage& p) { p.EffectPosterize(3); }},
    {"Noisify", [] { return BuildOneOptionEffect(4, 50); }, [](CZVImage& p) { p.EffectNoisify(50, false); }},
    {"Mosaic", [] { return BuildOneOptionEffect(3, 3); }, [](CZVImage& p) { p.EffectMosaic(3); }},
    {"Illusion", [] { return BuildOneOptionEffect(2, 4); }, [](CZVImage& p) { p.EffectIllusion(4); }},
    {"BlurZoom", [] { return BuildOneOptionEffect(1, 60); }, [](CZVImage& p) { p.EffectBlurZoom(60, 0.0, 0.0); }},
    {"BlurRadial", [] { return BuildOneOptionEffect(0, 30); }, [](CZVImage& p) { p.EffectBlurRadial(30, 0.0, 0.0); }},
    {"BGBlurMotion", [] { return BuildSelectiveFocus(1, 5, 45); }, [](CZVImage& p) { p.EffectBGBlurMotion(5, 45); }},
    {"Supernova", [] { return BuildProcessor(SupernovaOptions{3, 4, ColorRefToQuad(RGB(250, 140, 30)), 2, 100}); },
     [](CZVImage& p) { p.EffectSupernova(POINT{3, 4}, kOrange, 2, 100); }},
    {"TransparentColor", [] { return BuildProcessor(TransparentColorOptions{RGBQUAD{95, 140, 194, 255}, 40, 50}); },
     [](CZVImage& p) { p.SetTransparentColor(RGBQUAD{95, 140, 194, 255}, 40, 128); }},
    {"Rotate", [] { return BuildProcessor(RotateOptions{30, RGB(250, 140, 30), 0, 0}); },
     [](CZVImage& p) {
         const RGBQUAD opaque = kOrange;
         p.Rotate2(30.0f, nullptr, CxImage::IM_BILINEAR, CxImage::OM_BACKGROUND, &opaque, true, false);
     }},
    // A quarter turn of a picture that is not square, kept in its frame, uncovers corners.
    {"RotateTransparent", [] { return BuildProcessor(RotateOptions{90, RGB(250, 140, 30), 1, 1}); },
     [](CZVImage& p) {
         const RGBQUAD clear = {30, 140, 250, 0};
         p.Rotate2(90.0f, nullptr, CxImage::IM_BILINEAR, CxImage::OM_BACKGROUND, &clear, true, true);
     }},
};

void PrintTo(const ProcessorCase& c, std::ostream* out)
{
    *out << c.name;
}

class ProcessorCall : public ::testing::TestWithParam<ProcessorCase> {};

TEST_P(ProcessorCall, MakesTheLibraryCallWithItsValues)
{
    const CZVImage fixture = EffectFixture();
    CZVImage expected(fixture), processed(fixture);
    GetParam().call(expected);
    std::unique_ptr<CProcessBase> processor = GetParam().build();
    ASSERT_NE(processor, nullptr);
    processor->Process(&processed);
    EXPECT_TRUE(SamePixels(processed, expected));
    // A call that changes nothing on the fixture would prove nothing.
    EXPECT_FALSE(SamePixels(expected, fixture)) << "the effect leaves the fixture as it was";
}

TEST_P(ProcessorCall, LeavesAnEmptyPictureEmpty)
{
    CZVImage empty;
    std::unique_ptr<CProcessBase> processor = GetParam().build();
    ASSERT_NE(processor, nullptr);
    processor->Process(&empty);
    EXPECT_FALSE(empty.IsValid());
}

INSTANTIATE_TEST_SUITE_P(Effects, ProcessorCall, ::testing::ValuesIn(kProcessorCases),
                         [](const ::testing::TestParamInfo<ProcessorCase>& info) { return std::string(info.param.name); });

// Every processor of the family is reached through the tables: the classes built by the
// cases above, counted once each.
TEST(EffectProcessors, TheCasesBuildAllFortyThreeProcessors)
{
    std::set<std::string> classes;
    for (const ProcessorCase& c : kProcessorCases) {
        std::unique_ptr<CProcessBase> processor = c.build();
        ASSERT_NE(processor, nullptr) << c.name;
        classes.insert(typeid(*processor).name());
    }
    EXPECT_EQ(classes.size(), 43u);
}

struct RotateCase {
    int degrees;
    int autoTransparency;
    float layerAngle;
};

// The layer's angle in radians with pi: 90 degrees are exactly pi / 2 as a float. Only with
// automatic transparency does the run give it to the layer, and only then is the background
// clear.
TEST(ProcessRotate, AngleFlagAndBackground)
{
    const float pi = static_cast<float>(3.14159265358979323846);
    const RotateCase cases[] = {
        {0, 0, 0.0f}, {0, 1, 0.0f}, {90, 0, pi / 2}, {90, 1, pi / 2}, {270, 0, 3 * pi / 2}, {270, 1, 3 * pi / 2},
    };
    for (const RotateCase& c : cases) {
        CProcessRotate rotate(c.degrees, RGB(10, 20, 30), 0, c.autoTransparency);
        SCOPED_TRACE(testing::Message() << c.degrees << " degrees, automatic transparency " << c.autoTransparency);
        EXPECT_EQ(rotate.m_bGiveAngle, c.autoTransparency);
        EXPECT_FLOAT_EQ(rotate.m_fLayerAngle, c.layerAngle);
        const RGBQUAD background = rotate.Background();
        EXPECT_EQ(background.rgbRed, 10);
        EXPECT_EQ(background.rgbGreen, 20);
        EXPECT_EQ(background.rgbBlue, 30);
        EXPECT_EQ(background.rgbReserved, c.autoTransparency ? 0 : 255);
    }
    EXPECT_EQ(CProcessRotate(90, 0, 0, 1).m_fLayerAngle, pi / 2);
}

// Out-of-range sizes and levels are brought into what the library takes when the processor is
// made, whatever the dialog held.
TEST(EffectProcessors, ConstructorsBringValuesIntoRange)
{
    struct Case {
        int index;
        int value;
        int held;
    };
    const Case noisy[] = {{4, 0, 1}, {4, -7, 1}, {4, 150, 100}, {4, 100, 100}, {4, 1, 1}};
    for (const Case& c : noisy) {
        std::unique_ptr<CProcessBase> p = BuildOneOptionEffect(c.index, c.value);
        ASSERT_NE(dynamic_cast<CEffectNoisify*>(p.get()), nullptr);
        EXPECT_EQ(static_cast<CEffectNoisify*>(p.get())->m_level, c.held) << c.value;
    }
    for (int size : {0, -3}) {
        std::unique_ptr<CProcessBase> frame = BuildOneOptionEffect(6, size);
        ASSERT_NE(dynamic_cast<CEffectRaiseFrame*>(frame.get()), nullptr);
        EXPECT_EQ(static_cast<CEffectRaiseFrame*>(frame.get())->m_size, 1);
        std::unique_ptr<CProcessBase> grid = BuildTwoOptionEffect(1, size, 64);
        ASSERT_NE(dynamic_cast<CEffect3DGrid*>(grid.get()), nullptr);
        EXPECT_EQ(static_cast<CEffect3DGrid*>(grid.get())->m_size, 1);
    }
}

} // namespace

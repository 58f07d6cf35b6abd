// The new-picture arithmetic as tables: units, resolutions, rounding, kept ratios, presets,
// the camera's preview width, snapshot names and frame rows, metafile headers.
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include "FakeCaptureDevices.h"
#include "NewPictureRules.h"

// A named namespace: the test sources are unity-built with the effect tests.
namespace newpicturerules {
using namespace newpicture;

TEST(NewPictureUnits, PixelsThroughInchesAndBackGiveTheWholeNumbers)
{
    // As the dialog shows them: inches with 2 decimals, pixels with none. At 300 pixels per
    // inch a hundredth of an inch is 3 pixels, so the sizes there are whole hundredths.
    const struct {
        double resolution;
        std::vector<double> pixels;
    } cases[] = {{72, {1, 7, 99, 100, 599, 600, 799, 800, 1023, 3000, 6000}},
                 {300, {3, 600, 1200, 1800, 2100, 3000, 6000}}};
    for (const auto& c : cases)
        for (double px : c.pixels) {
            const double inches = RoundShown(ConvertLength(px, UNIT_PIXELS, UNIT_INCHES, c.resolution, RES_PER_INCH), 2);
            const double back = RoundShown(ConvertLength(inches, UNIT_INCHES, UNIT_PIXELS, c.resolution, RES_PER_INCH), 0);
            EXPECT_EQ(back, px) << px << " px at " << c.resolution << " -> " << inches << " in";
        }
}

TEST(NewPictureUnits, LengthConversionsTable)
{
    const struct {
        double value;
        int from, to;
        double resolution;
        int resolutionUnit;
        double expected;
    } cases[] = {
        {1, UNIT_INCHES, UNIT_CM, 72, RES_PER_INCH, 2.54},
        {2.54, UNIT_CM, UNIT_INCHES, 72, RES_PER_INCH, 1},
        {300, UNIT_PIXELS, UNIT_CM, 300, RES_PER_INCH, 2.54},
        {2.54, UNIT_CM, UNIT_PIXELS, 300, RES_PER_INCH, 300},
        {100, UNIT_PIXELS, UNIT_CM, 10, RES_PER_CM, 10},
        {10, UNIT_CM, UNIT_PIXELS, 10, RES_PER_CM, 100},
        {254, UNIT_PIXELS, UNIT_INCHES, 100, RES_PER_CM, 1},
        {1, UNIT_INCHES, UNIT_PIXELS, 100, RES_PER_CM, 254},
        {800, UNIT_PIXELS, UNIT_PIXELS, 72, RES_PER_INCH, 800},
        // A resolution of 0 counts as 1: finite sizes.
        {5, UNIT_PIXELS, UNIT_INCHES, 0, RES_PER_INCH, 5},
        {5, UNIT_INCHES, UNIT_PIXELS, 0, RES_PER_INCH, 5},
        {5, UNIT_CM, UNIT_PIXELS, 0, RES_PER_CM, 5},
    };
    for (const auto& c : cases) {
        const double got = ConvertLength(c.value, c.from, c.to, c.resolution, c.resolutionUnit);
        EXPECT_TRUE(std::isfinite(got));
        EXPECT_NEAR(got, c.expected, 1e-5) << c.value << " from " << c.from << " to " << c.to << " at " << c.resolution;
    }
    // The single-precision constant, not the exact 2.54.
    EXPECT_EQ(ConvertLength(1, UNIT_INCHES, UNIT_CM, 72, RES_PER_INCH), double(2.54f));
}

TEST(NewPictureUnits, ResolutionUnitBothWays)
{
    for (double perInch : {72.0, 96.0, 200.0, 300.0}) {
        const double perCm = ConvertResolution(perInch, RES_PER_INCH, RES_PER_CM);
        EXPECT_NEAR(perCm, perInch / 2.54, 1e-5);
        EXPECT_NEAR(ConvertResolution(perCm, RES_PER_CM, RES_PER_INCH), perInch, 1e-9);
        EXPECT_EQ(ConvertResolution(perInch, RES_PER_INCH, RES_PER_INCH), perInch);
    }
}

TEST(NewPictureUnits, RangesByUnit)
{
    const struct {
        int unit;
        double resolution;
        int resolutionUnit;
        double expected;
    } cases[] = {{UNIT_PIXELS, 72, RES_PER_INCH, 6000},  {UNIT_INCHES, 300, RES_PER_INCH, 20},
                 {UNIT_INCHES, 72, RES_PER_INCH, 83.333333}, {UNIT_CM, 300, RES_PER_INCH, 50.8},
                 {UNIT_CM, 100, RES_PER_CM, 60},         {UNIT_INCHES, 0, RES_PER_INCH, 6000}};
    for (const auto& c : cases)
        EXPECT_NEAR(MaxLength(c.unit, c.resolution, c.resolutionUnit), c.expected, 1e-4) << c.unit << " at " << c.resolution;
}

TEST(NewPictureUnits, RoundingHalfUpWithTheNudge)
{
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {{1.005, 2, 1.01}, {2.675, 2, 2.68}, {0.125, 2, 0.13}, {41.6666, 2, 41.67}, {799.5, 0, 800},
                 {799.49, 0, 799}, {11.6899995803833, 2, 11.69}, {-1.4, 0, -1}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundShown(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

TEST(NewPictureRatio, KeptRatioAndTheCorrectionToOne)
{
    const float ratio = RatioOf(800, 600);
    const struct {
        SizeD typed;
        bool widthEdited, keep;
        float ratio;
        int decimals;
        SizeD expected;
    } cases[] = {
        {{400, 600}, true, true, ratio, 0, {400, 300}},
        {{800, 300}, false, true, ratio, 0, {400, 300}},
        {{8.5, 1}, true, true, RatioOf(8.5, 11), 2, {8.5, 11}},
        {{400, 600}, true, false, ratio, 0, {400, 600}},
        // The ratio applies first: width 0 makes the height 0, then both become 1.
        {{0, 600}, true, true, ratio, 0, {1, 1}},
        {{0, 600}, true, false, ratio, 0, {1, 600}},
        {{-5, 600}, true, false, ratio, 0, {1, 600}},
        // No ratio (a basis of 0): the other side stays.
        {{400, 600}, true, true, 0.0f, 0, {400, 600}},
        {{400, 0}, false, true, 0.0f, 0, {400, 1}},
    };
    for (const auto& c : cases) {
        const SizeD got = AfterSizeEdit(c.typed, c.widthEdited, c.keep, c.ratio, c.decimals);
        EXPECT_DOUBLE_EQ(got.width, c.expected.width) << c.typed.width << " x " << c.typed.height;
        EXPECT_DOUBLE_EQ(got.height, c.expected.height) << c.typed.width << " x " << c.typed.height;
    }
    EXPECT_EQ(RatioOf(100, 0), 0.0f);
    EXPECT_EQ(RatioOf(0, 100), 0.0f);
}

TEST(NewPictureRatio, BlankLayerInFloatsFloored)
{
    const float ratio = RatioOf(1000, 500);
    const struct {
        SizeI typed;
        bool widthEdited;
        SizeI expected;
    } cases[] = {{{300, 500}, true, {300, 150}}, {{301, 500}, true, {301, 150}}, {{1000, 1}, false, {2, 1}},
                 {{0, 500}, true, {1, 1}},       {{1, 500}, true, {1, 1}},       {{7, 3}, false, {6, 3}}};
    for (const auto& c : cases) {
        const SizeI got = AfterBlankEdit(c.typed, c.widthEdited, true, ratio);
        EXPECT_EQ(got.width, c.expected.width) << c.typed.width << " x " << c.typed.height;
        EXPECT_EQ(got.height, c.expected.height) << c.typed.width << " x " << c.typed.height;
    }
    const SizeI noRatio = AfterBlankEdit({300, 0}, true, true, RatioOf(1000, 0));
    EXPECT_EQ(noRatio.width, 300);
    EXPECT_EQ(noRatio.height, 1);
}

TEST(NewPicturePresets, DocumentSizesInPixels)
{
    ASSERT_EQ(Presets().size(), 21u);
    const struct {
        size_t preset;
        int width, height;
    } cases[] = {{1, 800, 600}, {4, 1920, 1080}, {5, 2338, 1654}, {6, 1654, 2338}, {10, 1800, 1200},
                 {14, 1200, 1800}, {17, 944, 944}, {18, 1086, 930}, {20, 720, 576}};
    for (const auto& c : cases) {
        const newpicture::Preset& p = Presets()[c.preset];
        const SizeI got = DocumentPixels(p.width, p.height, p.unit, p.resolution, RES_PER_INCH);
        EXPECT_EQ(got.width, c.width) << "preset " << c.preset;
        EXPECT_EQ(got.height, c.height) << "preset " << c.preset;
    }
    // Centimetres at pixels per centimetre, and a resolution in pixels per centimetre.
    EXPECT_EQ(DocumentPixels(10, 5, UNIT_CM, 100, RES_PER_CM).width, 1000);
    EXPECT_EQ(DocumentPixels(2.54, 1, UNIT_CM, 300, RES_PER_INCH).width, 300);
    EXPECT_EQ(DocumentPixels(0, -3, UNIT_PIXELS, 72, RES_PER_INCH).height, 1);
}

TEST(CameraRules, PreviewWidthKeepsTheHeight)
{
    EXPECT_EQ(PreviewWidth(180, 300, 640, 480), 240);
    EXPECT_EQ(PreviewWidth(180, 300, 1280, 720), 320);
    EXPECT_EQ(PreviewWidth(180, 300, 638, 478), 240);
    // A frame without height keeps the width instead of dividing by 0.
    EXPECT_EQ(PreviewWidth(180, 300, 640, 0), 300);
}

TEST(CameraRules, SnapshotNameFromTheClock)
{
    SYSTEMTIME t = {};
    t.wYear = 2024;
    t.wMonth = 3;
    t.wDay = 3;
    t.wHour = 14;
    t.wMinute = 5;
    t.wSecond = 9;
    EXPECT_EQ(std::wstring(SnapshotPath(L"C:\\Pictures", t).GetString()), L"C:\\Pictures\\2024-03-03_14_05_09.bmp");
}

TEST(CameraRules, FrameRowsCopiedByStrideWithinTheSample)
{
    for (int width : {638, 640, 1, 3}) {
        const int height = 5;
        const std::vector<BYTE> sample = CFakeCaptureDevices::DrawFrame(width, height, 7);
        ASSERT_EQ(sample.size(), FrameStride(width, 24) * height);
        std::vector<BYTE> packed;
        ASSERT_TRUE(PackFrameRows(sample.data(), sample.size(), width, height, 24, packed));
        ASSERT_EQ(packed.size(), size_t(width) * 3 * height);
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(std::memcmp(packed.data() + y * width * 3, sample.data() + y * FrameStride(width, 24), width * 3), 0)
                << "row " << y << " of " << width;
        // A sample a byte short of its rows leaves the buffer as it was.
        std::vector<BYTE> kept = {1, 2, 3};
        EXPECT_FALSE(PackFrameRows(sample.data(), sample.size() - 1, width, height, 24, kept));
        EXPECT_EQ(kept, (std::vector<BYTE>{1, 2, 3}));
    }
}

TEST(ClipboardRules, MetafileHeaderBoundsDividedBy254)
{
    ENHMETAHEADER h = {};
    h.iType = EMR_HEADER;
    h.dSignature = ENHMETA_SIGNATURE;
    h.rclBounds = {10, 20, 265, 148};
    int width = -1, height = -1;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&h);
    ASSERT_TRUE(MetafileHeaderSize(bytes, sizeof h, width, height));
    EXPECT_EQ(width, 100);   // 255 / 2.54, truncated
    EXPECT_EQ(height, 50);   // 128 / 2.54, truncated
    EXPECT_FALSE(MetafileHeaderSize(bytes, 40, width, height));
    h.dSignature = 0;
    EXPECT_FALSE(MetafileHeaderSize(bytes, sizeof h, width, height));
}

} // namespace newpicturerules

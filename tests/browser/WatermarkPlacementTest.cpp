// The watermark preview against KQBatch itself: the mark KQBatch stamps with the dialog's
// argument text lies where the preview shows it, for every position.
#include <gtest/gtest.h>
#include <string>
#include "TestSupport.h"
#include "WatermarkGeometry.h"
#include "ZVImage.h"

namespace {

using testsupport::TempFolder;

// A picture of one colour; rows of CxImage count from the bottom, which one colour hides.
bool WriteSolid(const std::wstring& path, DWORD width, DWORD height, RGBQUAD colour)
{
    CZVImage picture;
    if (!picture.Create(width, height, 24))
        return false;
    for (long y = 0; y < long(height); ++y)
        for (long x = 0; x < long(width); ++x)
            picture.SetPixelColor(x, y, colour);
    return picture.SaveFile(path.c_str(), 4);
}

// The box of the red pixels, rows from the top.
RECT RedBox(const CZVImage& picture)
{
    RECT box = {LONG_MAX, LONG_MAX, -1, -1};
    const long height = long(picture.GetHeight());
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < long(picture.GetWidth()); ++x) {
            const RGBQUAD c = picture.GetPixelColor(x, y);
            if (c.rgbRed > 200 && c.rgbGreen < 60 && c.rgbBlue < 60) {
                const long top = height - 1 - y;
                box.left = std::min<LONG>(box.left, x);
                box.right = std::max<LONG>(box.right, x + 1);
                box.top = std::min<LONG>(box.top, top);
                box.bottom = std::max<LONG>(box.bottom, top + 1);
            }
        }
    return box;
}

TEST(WatermarkPlacement, KQBatchStampsWhereThePreviewShows)
{
    TempFolder folder;
    const std::wstring input = folder.At(L"picture.png"), mark = folder.At(L"mark.png"), output = folder.At(L"out.png");
    ASSERT_TRUE(WriteSolid(input, 600, 400, RGBQUAD{128, 128, 128, 0}));
    ASSERT_TRUE(WriteSolid(mark, 64, 32, RGBQUAD{0, 0, 255, 0}));
    // The preview of a 600 x 400 picture, at half its size.
    const SIZE client{300, 200}, picture{600, 400};
    const double scale = double(picture.cx) / client.cx;
    const WatermarkPlace places[] = {
        {0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0}, {7, 0, 0}, {8, 0, 0},
        {0, -3.5f, -2.25f}, {4, 5, 5}, {8, 10, 7.5f},
    };
    for (const WatermarkPlace& place : places) {
        const std::wstring arguments = WatermarkArguments(mark, place, true, 10, 100);
        testsupport::ChildProcess batch;
        ASSERT_TRUE(batch.Start(testsupport::BinDir() + L"\\KQBatch.exe",
                                L"Watermark \"" + input + L"\" \"" + output + L"\" " + arguments, true));
        const std::string said = batch.ReadOutput(20000);
        ASSERT_NE(std::string::npos, said.find("Complete")) << said;
        CZVImage stamped;
        ASSERT_TRUE(stamped.LoadFile(output.c_str()));
        const RECT stampedBox = RedBox(stamped);

        const SIZE shown = WatermarkShownSize(SIZE{64, 32}, picture, client, true, 10);
        const RECT preview = LayoutWatermark(place, client, shown);
        const RECT scaled = {LONG(preview.left * scale), LONG(preview.top * scale), LONG(preview.right * scale),
                             LONG(preview.bottom * scale)};
        // Within one pixel of the preview, which is half the picture's size.
        EXPECT_NEAR(scaled.left, stampedBox.left, scale) << place.position << " " << said;
        EXPECT_NEAR(scaled.top, stampedBox.top, scale) << place.position;
        EXPECT_NEAR(scaled.right, stampedBox.right, scale) << place.position;
        EXPECT_NEAR(scaled.bottom, stampedBox.bottom, scale) << place.position;
    }
}

} // namespace

// Every decoder against damaged files: truncations and byte changes of valid files, from a
// fixed seed. Each variant must load whole or fail; none may crash, hang or leave a half-made
// picture. Inputs that once broke a decoder are kept in fixtures/crashers and read here too.
#include <gtest/gtest.h>
#include <cstdint>
#include <random>
#include "ZVImageTestSupport.h"

using namespace zvtest;

namespace {

struct Target {
    const wchar_t* fixture;
    DWORD type;
    int variants;
};

// A few hundred small variants per decoder keep the whole test to seconds.
const Target kTargets[] = {
    {L"photo.jpg", CXIMAGE_FORMAT_JPG, 500},      {L"orient6.jpg", CXIMAGE_FORMAT_JPG, 200},
    {L"alpha.png", CXIMAGE_FORMAT_PNG, 300},      {L"palette.png", CXIMAGE_FORMAT_PNG, 200},
    {L"interlaced.png", CXIMAGE_FORMAT_PNG, 200}, {L"anim.gif", CXIMAGE_FORMAT_GIF, 400},
    {L"lossy.webp", CXIMAGE_FORMAT_WEBP, 300},    {L"lossless.webp", CXIMAGE_FORMAT_WEBP, 200},
    {L"anim.webp", CXIMAGE_FORMAT_WEBP, 200},     {L"page.tif", CXIMAGE_FORMAT_TIF, 400},
    {L"rle8.bmp", CXIMAGE_FORMAT_BMP, 300},       {L"rgb24.bmp", CXIMAGE_FORMAT_BMP, 200},
    {L"icon.ico", CXIMAGE_FORMAT_ICO, 300},
};

std::vector<BYTE> Mutate(const std::vector<BYTE>& original, std::mt19937& rng)
{
    std::vector<BYTE> data = original;
    std::uniform_int_distribution<int> kind(0, 3), byte(0, 255);
    auto at = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    switch (kind(rng)) {
    case 0:   // cut short
        data.resize(at(data.size()));
        break;
    case 1:   // a few bytes anywhere
        for (int i = std::uniform_int_distribution<int>(1, 8)(rng); i > 0; --i)
            data[at(data.size())] = static_cast<BYTE>(byte(rng));
        break;
    case 2:   // the headers, where sizes and offsets live
        for (int i = std::uniform_int_distribution<int>(1, 4)(rng); i > 0; --i)
            data[at(std::min<size_t>(data.size(), 64))] = static_cast<BYTE>(byte(rng));
        break;
    default: {   // a size field pushed to an extreme
        const size_t p = at(std::min<size_t>(data.size() - 1, 48));
        const BYTE extremes[] = {0x00, 0x7F, 0x80, 0xFF};
        data[p] = extremes[byte(rng) & 3];
        data[p + 1] = extremes[byte(rng) & 3];
        break;
    }
    }
    return data;
}

// A load that succeeded must have made a whole, sane picture.
void ExpectWhole(const CxImage& image)
{
    ASSERT_TRUE(image.IsValid());
    EXPECT_GT(image.GetWidth(), 0u);
    EXPECT_GT(image.GetHeight(), 0u);
    EXPECT_NE(image.GetBits(image.GetHeight() - 1), nullptr);
    // Touch the last row: a short allocation would fault here.
    volatile BYTE last = image.GetBits(image.GetHeight() - 1)[image.GetEffWidth() - 1];
    (void)last;
}

} // namespace

TEST(Mutation, EveryDecoderFailsCleanlyOnDamagedFiles)
{
    std::mt19937 rng(20240611);
    for (const Target& t : kTargets) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(t.fixture)));
        const std::vector<BYTE> original = ReadBytes(Fixture(t.fixture));
        ASSERT_FALSE(original.empty());
        int loaded = 0;
        for (int i = 0; i < t.variants; ++i) {
            const std::vector<BYTE> data = Mutate(original, rng);
            // By the format's own code, by detection, with every frame, and shrunk.
            CZVImage image;
            if (i % 4 == 1)
                image.SetRetreiveAllFrames(true);
            if (i % 4 == 2)
                image.SetShrinkOnLoad(4, 4);
            const DWORD type = i % 4 == 3 ? 0 : t.type;
            if (image.Decode(data.data(), static_cast<DWORD>(data.size()), type)) {
                ExpectWhole(image);
                for (long f = 1; f < image.GetNumFrames() && image.GetFrame(f); ++f)
                    ExpectWhole(*image.GetFrame(f));
                ++loaded;
            } else {
                ASSERT_FALSE(image.IsValid());
            }
        }
        // Some damage is harmless (a changed pixel); most is not.
        EXPECT_LT(loaded, t.variants);
    }
}

TEST(Mutation, KeptCrashersFailCleanly)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Fixture(L"crashers\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CZVImage image;
        image.SetRetreiveAllFrames(true);
        if (image.LoadFile((Fixture(L"crashers\\") + found.cFileName).c_str()))
            ExpectWhole(image);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

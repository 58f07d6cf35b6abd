// The picture tasks of the batch runner over real files: convert and optimize, colour and
// organize. What they write, what they keep, and how they count.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "BatchEngine.h"
#include "BrowserTestSupport.h"
#include "ColorOrganizeTasks.h"
#include "ConvertTasks.h"
#include "TestSupport.h"
#include "ZVImage.h"

namespace {

using browsertest::FakeBatchHost;
using testsupport::TempFolder;

// A picture with a gradient and a bright block in the top left, so turns and flips show.
void MakeTestPicture(const std::wstring& path, long width, long height, DWORD type, int quality = 90)
{
    CZVImage image;
    ASSERT_TRUE(image.Create(width, height, 24, type));
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            const bool block = x < width / 4 && y >= height * 3 / 4; // rows count upward
            image.SetPixelColor(x, y, block ? RGBQUAD{255, 255, 255, 0}
                                            : RGBQUAD{BYTE(x * 255 / width), BYTE(y * 255 / height), 60, 0});
        }
    image.SetJpegQuality(BYTE(quality));
    ASSERT_TRUE(image.SaveFile(path.c_str(), type));
}

void AddExif(const std::wstring& path, int orientation, const char* dateTime)
{
    ASSERT_TRUE(testsupport::AddExif(path, orientation, dateTime));
}

struct Loaded {
    bool ok = false;
    long width = 0, height = 0;
};
Loaded LoadPicture(const std::wstring& path)
{
    CZVImage image;
    Loaded loaded;
    loaded.ok = image.LoadFile(path.c_str());
    loaded.width = long(image.GetWidth());
    loaded.height = long(image.GetHeight());
    return loaded;
}

// The mean difference per channel of two pictures of one size; 255 when the sizes differ.
double MeanDifference(const CxImage& a, const CxImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return 255;
    double sum = 0;
    for (long y = 0; y < long(a.GetHeight()); ++y)
        for (long x = 0; x < long(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y);
            const RGBQUAD q = b.GetPixelColor(x, y);
            sum += std::abs(p.rgbRed - q.rgbRed) + std::abs(p.rgbGreen - q.rgbGreen) + std::abs(p.rgbBlue - q.rgbBlue);
        }
    return sum / (3.0 * a.GetWidth() * a.GetHeight());
}

class BatchPictureTasks : public ::testing::Test {
protected:
    TempFolder m_folder;
    FakeBatchHost m_host;
    CBatchEngine m_engine{m_host};

    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryW(m_folder.At(L"in").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(m_folder.At(L"in\\sub").c_str(), nullptr));
        m_engine.m_outputFolder = m_folder.At(L"out");
        m_engine.m_quality = 0;
        m_engine.m_limitSize = false;
    }
    std::wstring In() const { return m_folder.At(L"in"); }
    BatchItemResult Convert(const std::wstring& relative)
    {
        return ConvertImages(m_engine, In(), 0, m_folder.At(relative).c_str());
    }
};

TEST_F(BatchPictureTasks, ConvertMirrorsSubFoldersAndNeverReplacesAnotherFile)
{
    MakeTestPicture(m_folder.At(L"in\\sub\\title.jpg"), 64, 48, CXIMAGE_FORMAT_JPG);
    m_engine.m_outputType = 1; // WebP
    m_engine.m_limitSize = true;
    m_engine.m_maxWidth = m_engine.m_maxHeight = 32;
    const std::vector<BYTE> source = testsupport::ReadBytes(m_folder.At(L"in\\sub\\title.jpg"));

    ASSERT_EQ(BATCH_ITEM_DONE, Convert(L"in\\sub\\title.jpg").result);
    const Loaded first = LoadPicture(m_folder.At(L"out\\sub\\title.webp"));
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(32, first.width);
    EXPECT_EQ(24, first.height);
    // A second run into the same folder keeps the first one's file.
    const std::vector<BYTE> firstBytes = testsupport::ReadBytes(m_folder.At(L"out\\sub\\title.webp"));
    ASSERT_EQ(BATCH_ITEM_DONE, Convert(L"in\\sub\\title.jpg").result);
    EXPECT_EQ((std::vector<std::wstring>{L"title.webp", L"title~1.webp"}), m_folder.List(L"out\\sub"));
    EXPECT_EQ(firstBytes, testsupport::ReadBytes(m_folder.At(L"out\\sub\\title.webp")));
    EXPECT_EQ(source, testsupport::ReadBytes(m_folder.At(L"in\\sub\\title.jpg")));
    EXPECT_EQ(2, m_engine.m_optimizedCount);
    EXPECT_EQ(2 * source.size(), m_engine.m_sizeBefore);

    EXPECT_EQ(BATCH_ITEM_DONE, ConvertImages(m_engine, In(), -1, nullptr).result);
    EXPECT_EQ(std::vector<std::wstring>{L"reload 1 " + In()}, m_host.EventsStartingWith(L"reload"));
}

TEST_F(BatchPictureTasks, OverwriteReplacesTheSameTypeAndKeepsTheSourceForAnother)
{
    MakeTestPicture(m_folder.At(L"in\\a.jpg"), 64, 48, CXIMAGE_FORMAT_JPG);
    MakeTestPicture(m_folder.At(L"in\\b.jpg"), 64, 48, CXIMAGE_FORMAT_JPG);
    ASSERT_TRUE(TempFolder::Put(m_folder.At(L"in\\b.png"), "someone else's"));
    m_engine.m_overwriteOriginal = 1;
    m_engine.m_limitSize = true;
    m_engine.m_maxWidth = m_engine.m_maxHeight = 16;

    MakeTestPicture(m_folder.At(L"in\\c.JPEG"), 64, 48, CXIMAGE_FORMAT_JPG);
    uint64_t sizes = 0;
    for (const wchar_t* name : {L"in\\a.jpg", L"in\\b.jpg", L"in\\c.JPEG"})
        sizes += testsupport::ReadBytes(m_folder.At(name)).size();
    for (const wchar_t* name : {L"a.jpg", L"c.JPEG"}) {
        ASSERT_EQ(BATCH_ITEM_DONE, Convert(std::wstring(L"in\\") + name).result) << name;
        EXPECT_EQ(16, LoadPicture(m_folder.At(std::wstring(L"in\\") + name)).width) << name;
    }

    m_engine.m_outputType = 2; // PNG beside the JPEG; the other b.png survives
    ASSERT_EQ(BATCH_ITEM_DONE, Convert(L"in\\b.jpg").result);
    EXPECT_EQ(64, LoadPicture(m_folder.At(L"in\\b.jpg")).width);
    EXPECT_EQ("someone else's", TempFolder::Get(m_folder.At(L"in\\b.png")));
    EXPECT_EQ(16, LoadPicture(m_folder.At(L"in\\b~1.png")).width);
    EXPECT_EQ((std::vector<std::wstring>{L"a.jpg", L"b.jpg", L"b.png", L"b~1.png", L"c.JPEG", L"sub"}), m_folder.List(L"in"));
    EXPECT_EQ(3, m_engine.m_optimizedCount);
    // Measured before the rewrite replaced them.
    EXPECT_EQ(sizes, m_engine.m_sizeBefore);
    uint64_t written = 0;
    for (const wchar_t* name : {L"in\\a.jpg", L"in\\b~1.png", L"in\\c.JPEG"})
        written += testsupport::ReadBytes(m_folder.At(name)).size();
    EXPECT_EQ(written, m_engine.m_sizeAfter);
}

TEST_F(BatchPictureTasks, FailuresAreReportedAndNotCounted)
{
    MakeTestPicture(m_folder.At(L"in\\locked.jpg"), 64, 48, CXIMAGE_FORMAT_JPG);
    ASSERT_TRUE(SetFileAttributesW(m_folder.At(L"in\\locked.jpg").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(TempFolder::Put(m_folder.At(L"in\\text.jpg"), "not a picture"));
    const std::vector<BYTE> locked = testsupport::ReadBytes(m_folder.At(L"in\\locked.jpg"));
    m_engine.m_overwriteOriginal = 1;
    m_engine.m_limitSize = true;
    m_engine.m_maxWidth = m_engine.m_maxHeight = 16;

    for (const wchar_t* name : {L"in\\locked.jpg", L"in\\text.jpg"}) {
        const BatchItemResult result = Convert(name);
        EXPECT_EQ(BATCH_ITEM_FAILED, result.result) << name;
        EXPECT_FALSE(result.reason.empty()) << name;
    }
    EXPECT_EQ(locked, testsupport::ReadBytes(m_folder.At(L"in\\locked.jpg")));
    EXPECT_EQ(0, m_engine.m_optimizedCount);
    EXPECT_EQ(0u, m_engine.m_sizeBefore);
    EXPECT_EQ(0u, m_engine.m_sizeAfter);
    EXPECT_EQ((std::vector<std::wstring>{L"locked.jpg", L"sub", L"text.jpg"}), m_folder.List(L"in"));
    SetFileAttributesW(m_folder.At(L"in\\locked.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchPictureTasks, OptimizeTestModeMeasuresAndChangesNothing)
{
    MakeTestPicture(m_folder.At(L"in\\a.jpg"), 300, 200, CXIMAGE_FORMAT_JPG, 100);
    MakeTestPicture(m_folder.At(L"in\\sub\\b.png"), 120, 90, CXIMAGE_FORMAT_PNG);
    const std::vector<BYTE> a = testsupport::ReadBytes(m_folder.At(L"in\\a.jpg"));
    const std::vector<BYTE> b = testsupport::ReadBytes(m_folder.At(L"in\\sub\\b.png"));
    m_engine.m_testOnly = true;
    for (const wchar_t* name : {L"in\\a.jpg", L"in\\sub\\b.png"}) {
        m_engine.m_deselectDone = true;
        EXPECT_EQ(BATCH_ITEM_DONE, OptimizeImages(m_engine, In(), 0, m_folder.At(name).c_str()).result) << name;
        EXPECT_FALSE(m_engine.m_deselectDone) << name;
    }
    EXPECT_EQ(BATCH_ITEM_DONE, OptimizeImages(m_engine, In(), -1, nullptr).result);
    EXPECT_EQ(a, testsupport::ReadBytes(m_folder.At(L"in\\a.jpg")));
    EXPECT_EQ(b, testsupport::ReadBytes(m_folder.At(L"in\\sub\\b.png")));
    EXPECT_EQ((std::vector<std::wstring>{L"a.jpg", L"sub"}), m_folder.List(L"in"));
    EXPECT_EQ(std::vector<std::wstring>{L"b.png"}, m_folder.List(L"in\\sub"));
    EXPECT_EQ(2, m_engine.m_optimizedCount);
    EXPECT_EQ(a.size() + b.size(), m_engine.m_sizeBefore);
    EXPECT_GT(m_engine.m_sizeAfter, 0u);
    EXPECT_TRUE(m_host.EventsStartingWith(L"reload").empty());
}

TEST_F(BatchPictureTasks, RemovingExifTurnsAPortraitUpright)
{
    // Stored 40 x 20 with orientation 6: shown as a 20 x 40 portrait.
    MakeTestPicture(m_folder.At(L"in\\portrait.jpg"), 40, 20, CXIMAGE_FORMAT_JPG);
    AddExif(m_folder.At(L"in\\portrait.jpg"), 6, nullptr);
    CZVImage upright;
    ASSERT_TRUE(upright.LoadFile(m_folder.At(L"in\\portrait.jpg").c_str()));
    ASSERT_TRUE(upright.RotateExif());
    ASSERT_EQ(20u, upright.GetWidth());

    m_engine.m_overwriteOriginal = 1;
    m_engine.m_removeExif = true;
    ASSERT_EQ(BATCH_ITEM_DONE, OptimizeImages(m_engine, In(), 0, m_folder.At(L"in\\portrait.jpg").c_str()).result);
    CZVImage written;
    ASSERT_TRUE(written.LoadFile(m_folder.At(L"in\\portrait.jpg").c_str()));
    // What a viewer shows: turned by whatever orientation is left, if any.
    ASSERT_TRUE(written.RotateExif());
    EXPECT_EQ(20u, written.GetWidth());
    EXPECT_EQ(40u, written.GetHeight());
    EXPECT_LT(MeanDifference(upright, written), 8.0);
}

TEST_F(BatchPictureTasks, AnimationsAreNotRewrittenInPlace)
{
    const std::wstring spinner = m_folder.At(L"in\\spin.gif");
    ASSERT_TRUE(CopyFileW((testsupport::BinDir() + L"\\Data\\Sample\\Spinner.gif").c_str(), spinner.c_str(), TRUE));
    const std::vector<BYTE> before = testsupport::ReadBytes(spinner);
    m_engine.m_hue = 30;
    m_engine.m_overwriteOriginal = 1;
    m_engine.m_outputType = 4; // GIF
    for (const BatchItemResult& result : {AdjustColors(m_engine, 0, spinner.c_str()), Convert(L"in\\spin.gif")}) {
        EXPECT_EQ(BATCH_ITEM_FAILED, result.result);
        EXPECT_FALSE(result.reason.empty());
    }
    EXPECT_EQ(before, testsupport::ReadBytes(spinner));
    // Into a folder the first frame is a new picture of its own.
    m_engine.m_overwriteOriginal = 0;
    m_engine.m_outputType = 2;
    EXPECT_EQ(BATCH_ITEM_DONE, Convert(L"in\\spin.gif").result);
    EXPECT_TRUE(LoadPicture(m_folder.At(L"out\\spin.png")).ok);
}

TEST_F(BatchPictureTasks, ShrinkOnLoadMatchesAFullDecode)
{
    MakeTestPicture(m_folder.At(L"in\\big.jpg"), 800, 600, CXIMAGE_FORMAT_JPG);
    m_engine.m_limitSize = true;
    m_engine.m_maxWidth = m_engine.m_maxHeight = 200;
    m_engine.m_outputType = 2; // PNG: no second JPEG loss in the comparison
    ASSERT_EQ(BATCH_ITEM_DONE, Convert(L"in\\big.jpg").result);
    CZVImage full, written;
    ASSERT_TRUE(full.LoadFile(m_folder.At(L"in\\big.jpg").c_str()));
    ASSERT_TRUE(full.ResampleInFrame(200, 200));
    ASSERT_TRUE(written.LoadFile(m_folder.At(L"out\\big.png").c_str()));
    EXPECT_LT(MeanDifference(full, written), 4.0);
}

TEST_F(BatchPictureTasks, ThousandPicturesWithTenBroken)
{
    FakeBatchHost host;
    for (int i = 0; i < 1000; ++i) {
        const std::wstring path = m_folder.At(L"in\\p" + std::to_wstring(i) + L".jpg");
        if (i % 100 == 7)
            ASSERT_TRUE(TempFolder::Put(path, "broken " + std::to_string(i)));
        else
            MakeTestPicture(path, 8, 6, CXIMAGE_FORMAT_JPG);
        host.selected.push_back(BatchListItem{i, path});
    }
    std::vector<std::vector<BYTE>> before;
    for (const BatchListItem& item : host.selected)
        before.push_back(testsupport::ReadBytes(item.path));

    CBatchEngine engine(host);
    engine.m_outputFolder = m_folder.At(L"out");
    engine.m_outputType = 0;
    engine.m_quality = 80;
    engine.m_limitSize = true;
    engine.m_maxWidth = engine.m_maxHeight = 4;
    const std::wstring current = In();
    ASSERT_TRUE(engine.StartBatchTask([&engine, current](int item, const wchar_t* path) {
        return ConvertImages(engine, current, item, path);
    }));
    for (int waited = 0; waited < 300000 && !engine.m_stopBatch; waited += 10)
        Sleep(10);
    engine.StopBatchTask();
    ASSERT_EQ(1u, host.Summaries().size());
    const BatchSummary summary = host.Summaries()[0];
    EXPECT_EQ(1000, summary.total);
    EXPECT_EQ(990, summary.done);
    ASSERT_EQ(10u, summary.failures.size());
    for (const BatchFailure& failure : summary.failures)
        EXPECT_NE(std::wstring::npos, failure.path.find(L"7.jpg")) << failure.path;
    EXPECT_EQ(990, engine.m_optimizedCount);
    EXPECT_EQ(990u, m_folder.List(L"out").size());
    int decoded = 0;
    for (const std::wstring& name : m_folder.List(L"out"))
        decoded += LoadPicture(m_folder.At(L"out\\" + name)).ok ? 1 : 0;
    EXPECT_EQ(990, decoded);
    for (size_t i = 0; i < host.selected.size(); ++i)
        ASSERT_EQ(before[i], testsupport::ReadBytes(host.selected[i].path)) << i;
}

TEST_F(BatchPictureTasks, ColourHueOnlyEqualsTheDirectEffect)
{
    MakeTestPicture(m_folder.At(L"in\\c.png"), 32, 24, CXIMAGE_FORMAT_PNG);
    CZVImage expected;
    ASSERT_TRUE(expected.LoadFile(m_folder.At(L"in\\c.png").c_str()));
    ASSERT_TRUE(expected.EffectHueSaturation(30, 0));
    m_engine.m_hue = 30;
    ASSERT_EQ(BATCH_ITEM_DONE, AdjustColors(m_engine, 0, m_folder.At(L"in\\c.png").c_str()).result);
    CZVImage written;
    ASSERT_TRUE(written.LoadFile(m_folder.At(L"in\\c.png").c_str()));
    EXPECT_EQ(0.0, MeanDifference(expected, written));
    EXPECT_EQ((std::vector<std::wstring>{L"c.png", L"sub"}), m_folder.List(L"in"));
    EXPECT_EQ(BATCH_ITEM_FAILED, AdjustColors(m_engine, 0, m_folder.At(L"in\\missing.png").c_str()).result);
}

TEST_F(BatchPictureTasks, OrganizeByDateAndSizeCopiesNeverReplaceMovesMove)
{
    MakeTestPicture(m_folder.At(L"in\\march.jpg"), 16, 12, CXIMAGE_FORMAT_JPG);
    AddExif(m_folder.At(L"in\\march.jpg"), 0, "2015:03:14 15:09:26");
    MakeTestPicture(m_folder.At(L"in\\wide.png"), 1920, 1080, CXIMAGE_FORMAT_PNG);
    MakeTestPicture(m_folder.At(L"in\\wide.jpg"), 1920, 1080, CXIMAGE_FORMAT_JPG);
    const std::wstring out = m_folder.At(L"O");
    ASSERT_TRUE(CreateDirectoryW(out.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((out + L"\\2015").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((out + L"\\2015\\03").c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(out + L"\\2015\\03\\march.jpg", "already here"));
    m_engine.m_outputFolder = out;

    m_engine.m_organizeBy = 0;
    m_engine.m_organizeMove = 0;
    ASSERT_EQ(BATCH_ITEM_DONE, OrganizeFiles(m_engine, In(), 0, m_folder.At(L"in\\march.jpg").c_str()).result);
    EXPECT_EQ((std::vector<std::wstring>{L"march.jpg", L"march~1.jpg"}), m_folder.List(L"O\\2015\\03"));
    EXPECT_EQ("already here", TempFolder::Get(out + L"\\2015\\03\\march.jpg"));
    EXPECT_EQ(testsupport::ReadBytes(m_folder.At(L"in\\march.jpg")), testsupport::ReadBytes(out + L"\\2015\\03\\march~1.jpg"));

    m_engine.m_organizeBy = 1;
    m_engine.m_organizeMove = 1;
    for (const wchar_t* name : {L"in\\wide.png", L"in\\wide.jpg"}) {
        const BatchItemResult result = OrganizeFiles(m_engine, In(), 0, m_folder.At(name).c_str());
        ASSERT_EQ(BATCH_ITEM_DONE, result.result) << name;
        EXPECT_EQ(0u, result.newPath.find(out + L"\\1920x1080\\")) << result.newPath;
    }
    EXPECT_EQ((std::vector<std::wstring>{L"wide.jpg", L"wide.png"}), m_folder.List(L"O\\1920x1080"));
    EXPECT_EQ((std::vector<std::wstring>{L"march.jpg", L"sub"}), m_folder.List(L"in"));

    ASSERT_TRUE(TempFolder::Put(m_folder.At(L"in\\text.jpg"), "no picture"));
    EXPECT_EQ(BATCH_ITEM_FAILED, OrganizeFiles(m_engine, In(), 0, m_folder.At(L"in\\text.jpg").c_str()).result);
    EXPECT_EQ(BATCH_ITEM_DONE, OrganizeFiles(m_engine, In(), -1, nullptr).result);
    EXPECT_EQ(std::vector<std::wstring>{L"reload 0 " + In()}, m_host.EventsStartingWith(L"reload"));
}

TEST(BatchPictureHeader, SizesFromTheHeaderAgreeWithTheDecoder)
{
    TempFolder folder;
    struct Row {
        const wchar_t* name;
        DWORD type;
        long width, height;
    } const rows[] = {
        {L"a.jpg", CXIMAGE_FORMAT_JPG, 1920, 1080}, {L"b.png", CXIMAGE_FORMAT_PNG, 301, 7},
        {L"c.gif", CXIMAGE_FORMAT_GIF, 17, 290},    {L"d.bmp", CXIMAGE_FORMAT_BMP, 33, 21},
        {L"e.webp", CXIMAGE_FORMAT_WEBP, 640, 481},
    };
    for (const Row& row : rows) {
        const std::wstring path = folder.At(row.name);
        MakeTestPicture(path, row.width, row.height, row.type);
        unsigned width = 0, height = 0;
        EXPECT_TRUE(ReadPictureHeaderSize(path.c_str(), width, height)) << row.name;
        EXPECT_EQ(unsigned(row.width), width) << row.name;
        EXPECT_EQ(unsigned(row.height), height) << row.name;
    }
    // A JPEG with an EXIF block before its frame header, and files that are no picture.
    MakeTestPicture(folder.At(L"exif.jpg"), 40, 20, CXIMAGE_FORMAT_JPG);
    AddExif(folder.At(L"exif.jpg"), 6, "2015:03:14 15:09:26");
    unsigned width = 0, height = 0;
    EXPECT_TRUE(ReadPictureHeaderSize(folder.At(L"exif.jpg").c_str(), width, height));
    EXPECT_EQ(40u, width);
    EXPECT_EQ(20u, height);
    ASSERT_TRUE(TempFolder::Put(folder.At(L"text.jpg"), std::string("\xFF\xD8\xFF\xE0\x00\x02", 6) + std::string(40, 'x')));
    EXPECT_FALSE(ReadPictureHeaderSize(folder.At(L"text.jpg").c_str(), width, height));
    EXPECT_FALSE(ReadPictureHeaderSize(folder.At(L"missing.png").c_str(), width, height));
}

} // namespace

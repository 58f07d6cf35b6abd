// The batch runner over a folder with KQBatch itself: which pictures fail, what the others
// become, what a stop leaves, and a picture that a reader holds while it is written.
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>
#include "BatchEngine.h"
#include "BrowserTestSupport.h"
#include "TestSupport.h"
#include "ZVImage.h"

namespace {

using browsertest::FakeBatchHost;
using testsupport::TempFolder;

const int kRunPictures = 100;

std::wstring RunPictureName(int i)
{
    wchar_t name[32];
    swprintf(name, 32, L"pic %03d.png", i);
    return name;
}

// Small and colourful: no pixel is grey.
CZVImage ColourPicture(int seed)
{
    CZVImage picture;
    picture.Create(6, 5, 24);
    for (long y = 0; y < 5; ++y)
        for (long x = 0; x < 6; ++x) {
            RGBQUAD c = {BYTE(20 + x * 30), BYTE(200 - y * 20), BYTE(60 + (seed * 7) % 120), 0};
            picture.SetPixelColor(x, y, c);
        }
    return picture;
}

bool AllGrey(const CxImage& picture)
{
    for (long y = 0; y < long(picture.GetHeight()); ++y)
        for (long x = 0; x < long(picture.GetWidth()); ++x) {
            const RGBQUAD c = picture.GetPixelColor(x, y, false);
            if (c.rgbRed != c.rgbGreen || c.rgbGreen != c.rgbBlue)
                return false;
        }
    return true;
}

bool SamePixels(const CxImage& a, const CxImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    for (long y = 0; y < long(a.GetHeight()); ++y)
        for (long x = 0; x < long(a.GetWidth()); ++x) {
            const RGBQUAD p = a.GetPixelColor(x, y, false), q = b.GetPixelColor(x, y, false);
            if (p.rgbRed != q.rgbRed || p.rgbGreen != q.rgbGreen || p.rgbBlue != q.rgbBlue)
                return false;
        }
    return true;
}

class BrowserKQBatchRun : public ::testing::Test {
protected:
    TempFolder m_folder;
    std::set<int> m_readOnly = {3, 20, 41, 77, 99};
    std::set<int> m_corrupt = {10, 55};
    const std::string m_garbage = "not a picture at all";

    void SetUp() override
    {
        for (int i = 0; i < kRunPictures; ++i) {
            const std::wstring path = m_folder.At(RunPictureName(i));
            if (m_corrupt.count(i)) {
                ASSERT_TRUE(TempFolder::Put(path, m_garbage));
                continue;
            }
            CZVImage picture = ColourPicture(i);
            ASSERT_TRUE(picture.SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG));
            if (m_readOnly.count(i)) {
                ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
            }
        }
    }

    std::vector<std::wstring> ExpectedNames() const
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < kRunPictures; ++i)
            names.push_back(RunPictureName(i));
        return names;
    }

    std::vector<std::wstring> SortedList() const
    {
        std::vector<std::wstring> names = m_folder.List();
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(BrowserKQBatchRun, ExactlyTheUnwritablePicturesFail)
{
    FakeBatchHost host;
    host.selected = {BatchListItem{0, m_folder.Root()}};
    CBatchEngine engine(host);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    for (int waited = 0; waited < 3000 && host.Summaries().empty(); ++waited)
        Sleep(100);
    engine.StopBatchTask();
    ASSERT_EQ(1u, host.Summaries().size());
    const BatchSummary summary = host.Summaries()[0];
    EXPECT_EQ(kRunPictures, summary.total);
    EXPECT_EQ(kRunPictures - 7, summary.done);
    std::set<std::wstring> failed;
    for (const BatchFailure& failure : summary.failures) {
        failed.insert(failure.path.substr(failure.path.find_last_of(L'\\') + 1));
        EXPECT_FALSE(failure.reason.empty()) << failure.path;
    }
    std::set<std::wstring> expected;
    for (int i : m_readOnly)
        expected.insert(RunPictureName(i));
    for (int i : m_corrupt)
        expected.insert(RunPictureName(i));
    EXPECT_EQ(expected, failed);
    EXPECT_EQ(std::vector<std::wstring>{L"note 7 of 100 pictures failed"}, host.EventsStartingWith(L"note "));

    // No temporary file is left; every picture decodes, grey unless it could not be written.
    EXPECT_EQ(ExpectedNames(), SortedList());
    for (int i = 0; i < kRunPictures; ++i) {
        const std::wstring path = m_folder.At(RunPictureName(i));
        if (m_corrupt.count(i)) {
            EXPECT_EQ(m_garbage, TempFolder::Get(path));
            continue;
        }
        CZVImage picture;
        ASSERT_TRUE(picture.LoadFile(path.c_str())) << i;
        if (m_readOnly.count(i))
            EXPECT_TRUE(SamePixels(ColourPicture(i), picture)) << i;
        else
            EXPECT_TRUE(AllGrey(picture)) << i;
    }
}

TEST_F(BrowserKQBatchRun, AStopHalfwayLeavesEveryPictureWhole)
{
    FakeBatchHost host;
    host.selected = {BatchListItem{0, m_folder.Root()}};
    CBatchEngine engine(host);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    for (int waited = 0; waited < 6000 && host.LastProgress() < 50 && host.Summaries().empty(); ++waited)
        Sleep(10);
    engine.StopBatchTask();
    ASSERT_EQ(1u, host.Summaries().size());
    EXPECT_TRUE(host.Summaries()[0].stopped);

    EXPECT_EQ(ExpectedNames(), SortedList());
    int grey = 0, unchanged = 0;
    for (int i = 0; i < kRunPictures; ++i) {
        if (m_corrupt.count(i))
            continue;
        CZVImage picture;
        ASSERT_TRUE(picture.LoadFile(m_folder.At(RunPictureName(i)).c_str())) << i;
        if (AllGrey(picture))
            ++grey;
        else if (SamePixels(ColourPicture(i), picture))
            ++unchanged;
        else
            ADD_FAILURE() << "picture " << i << " is neither the old nor the new one";
    }
    EXPECT_EQ(kRunPictures - 2, grey + unchanged);
    EXPECT_GT(grey, 0);
    EXPECT_GT(unchanged, int(m_readOnly.size()));
}

// The list makes its thumbnails while a run may be writing the same pictures, and a file that
// another handle has open cannot be replaced. Here a reader, sharing what the list's loader
// shares, has the middle picture open when the run starts and keeps it until KQBatch's new
// picture waits beside it, and a moment longer: the picture is still written, and the run
// reports nothing.
TEST(BrowserKQBatchHeldPicture, AReaderThatLetsGoDoesNotFailThePicture)
{
    TempFolder folder;
    const wchar_t* names[] = {L"a.png", L"b.png", L"c.png"};
    for (int i = 0; i < 3; ++i) {
        CZVImage picture = ColourPicture(i);
        ASSERT_TRUE(picture.SaveFile(folder.At(names[i]).c_str(), CXIMAGE_FORMAT_PNG));
    }
    const std::wstring held = folder.At(L"b.png");
    HANDLE reader = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);

    FakeBatchHost host;
    host.selected = {BatchListItem{0, folder.Root()}};
    CBatchEngine engine(host);
    ASSERT_TRUE(engine.StartBatchCommand(L"GrayScale", nullptr));
    const std::wstring waiting = held + L".*.zvtmp";
    const auto writtenBeside = [&] {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(waiting.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        FindClose(search);
        return true;
    };
    bool seen = false;
    for (int waited = 0; waited < 60000 && host.Summaries().empty() && !(seen = writtenBeside()); waited += 5)
        Sleep(5);
    if (seen)
        Sleep(300); // the run meets the open file
    CloseHandle(reader);
    for (int waited = 0; waited < 60000 && host.Summaries().empty(); waited += 50)
        Sleep(50);
    engine.StopBatchTask();
    EXPECT_TRUE(seen);
    ASSERT_EQ(1u, host.Summaries().size());
    const BatchSummary summary = host.Summaries()[0];
    EXPECT_EQ(3, summary.done);
    for (const BatchFailure& failure : summary.failures)
        ADD_FAILURE() << "failed: " << testing::PrintToString(failure.path) << " " << testing::PrintToString(failure.reason);
    for (const wchar_t* name : names) {
        CZVImage picture;
        ASSERT_TRUE(picture.LoadFile(folder.At(name).c_str()));
        EXPECT_TRUE(AllGrey(picture)) << testing::PrintToString(std::wstring(name));
    }
    EXPECT_EQ(3u, folder.List().size()) << "nothing is left beside the pictures";
}

} // namespace

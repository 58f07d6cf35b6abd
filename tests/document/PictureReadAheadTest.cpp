// Pictures read ahead on worker threads: each comes out in the list's order with its own pixels,
// a file that does not read in its place, never more read than asked ahead of the taker; and a
// document opened from a read layer is the document the file opens to.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "DocumentTestSupport.h"
#include "LayerDocument.h"
#include "PictureReadAhead.h"
#include "TestSupport.h"

using namespace documenttest;

namespace {

struct PictureFile {
    const wchar_t* name;   // empty: a file that is not there
    long width, height;
    COLORREF colour;
    int alpha;             // -1: no alpha plane in the file
};

const PictureFile kFiles[] = {
    {L"red.png", 30, 20, RGB(255, 0, 0), -1},
    {L"", 0, 0, 0, -1},
    {L"green.bmp", 12, 40, RGB(0, 255, 0), -1},
    {L"seethrough.png", 25, 25, RGB(0, 0, 255), 90},
    {L"grey.png", 7, 9, RGB(128, 128, 128), -1},
};

std::wstring Write(const testsupport::TempFolder& folder, const PictureFile& file)
{
    if (!*file.name)
        return folder.At(L"missing.png");
    CZVImage picture = Plain(file.width, file.height, file.colour);
    if (file.alpha < 0)
        picture.AlphaDelete();
    else
        picture.AlphaSet(static_cast<BYTE>(file.alpha));
    const std::wstring path = folder.At(file.name);
    EXPECT_TRUE(picture.SaveFile(path.c_str())) << testing::PrintToString(path);
    return path;
}

std::vector<std::wstring> WriteAll(const testsupport::TempFolder& folder)
{
    std::vector<std::wstring> paths;
    for (const PictureFile& file : kFiles)
        paths.push_back(Write(folder, file));
    return paths;
}

// Waits up to two seconds for the count of read pictures to reach at least `count`.
size_t PendingAfterWait(const CPictureReadAhead& ahead, size_t count)
{
    for (int i = 0; i < 200 && ahead.Pending() < count; ++i)
        ::Sleep(10);
    return ahead.Pending();
}

} // namespace

TEST(PictureReadAhead, GivesEachFileItsOwnLayerInListOrder)
{
    testsupport::TempFolder folder;
    const std::vector<std::wstring> paths = WriteAll(folder);
    for (const bool keepSource : {true, false}) {
        SCOPED_TRACE(keepSource ? "original kept" : "original dropped");
        CPictureReadAhead ahead(paths, keepSource, 2, 2);
        for (const PictureFile& file : kFiles) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(file.name)));
            std::unique_ptr<ReadPicture> picture = ahead.Take();
            if (!*file.name) {
                EXPECT_EQ(nullptr, picture);
                continue;
            }
            ASSERT_NE(nullptr, picture);
            const CLayerInfo* layer = &picture->layer;
            EXPECT_EQ(file.width, layer->width);
            EXPECT_EQ(file.height, layer->height);
            CZVImage expected = Plain(file.width, file.height, file.colour);
            expected.AlphaSet(static_cast<BYTE>(file.alpha < 0 ? 255 : file.alpha));
            EXPECT_TRUE(SamePixels(expected, layer->displayed));
            EXPECT_TRUE(layer->displayed.AlphaIsValid()) << "an opaque picture gets its alpha plane";
            EXPECT_EQ(file.alpha < 0 ? 0 : 1, layer->ownAlpha);
            if (keepSource)
                EXPECT_TRUE(SamePixels(expected, layer->source));
            else
                EXPECT_FALSE(layer->source.IsValid());
        }
        EXPECT_EQ(nullptr, ahead.Take()) << "past the end of the list";
        EXPECT_EQ(0u, ahead.Pending());
    }
}

TEST(PictureReadAhead, ReadsNoFurtherAheadThanAskedAndStopsWhenLeft)
{
    testsupport::TempFolder folder;
    const std::vector<std::wstring> paths = WriteAll(folder);
    for (const size_t aheadCount : {size_t(1), size_t(2), size_t(3)}) {
        SCOPED_TRACE(aheadCount);
        CPictureReadAhead ahead(paths, true, aheadCount, 4);
        EXPECT_EQ(aheadCount, PendingAfterWait(ahead, aheadCount));
        ::Sleep(50);
        EXPECT_EQ(aheadCount, ahead.Pending()) << "more read than asked ahead";
        ASSERT_NE(nullptr, ahead.Take());
        // The place taken is read again; the rest of the list is left unread.
        EXPECT_EQ(aheadCount, PendingAfterWait(ahead, aheadCount));
    }
}

TEST(PictureReadAhead, ThreadsAndDepthFollowTheMachine)
{
    // One core is left to the window thread; never none, never more than the cap.
    const struct {
        unsigned cores, threads;
    } threads[] = {{0, 1}, {1, 1}, {2, 1}, {3, 2}, {8, CPictureReadAhead::kMaxThreads}, {64, CPictureReadAhead::kMaxThreads}};
    for (const auto& c : threads)
        EXPECT_EQ(c.threads, CPictureReadAhead::ThreadsFor(c.cores)) << c.cores << " cores";

    // Two pictures a thread when the memory holds them; fewer when it does not; at least one.
    const uint64_t picture = CPictureReadAhead::kBytesPerPicture;
    const struct {
        unsigned threads;
        uint64_t freeBytes;
        size_t depth;
    } depths[] = {
        {2, 64 * picture, 4}, {2, 4 * picture, 4}, {2, 4 * picture - 1, 3}, {4, 3 * picture + picture / 2, 3},
        {4, 64 * picture, 8}, {2, picture - 1, 1}, {2, 0, 1},               {1, 64 * picture, 2},
        {0, 64 * picture, 2},
    };
    for (const auto& c : depths)
        EXPECT_EQ(c.depth, CPictureReadAhead::DepthFor(c.threads, c.freeBytes)) << c.threads << " threads, " << c.freeBytes;

    // Left to the machine, no more threads read than it gives; never more than pictures ahead.
    testsupport::TempFolder folder;
    const std::vector<std::wstring> paths = WriteAll(folder);
    CPictureReadAhead own(paths, true);
    EXPECT_GE(own.Threads(), 1u);
    EXPECT_LE(own.Threads(), CPictureReadAhead::DefaultThreads());
    CPictureReadAhead single(paths, true, 1, 4);
    EXPECT_EQ(1u, single.Threads()) << "a thread without a picture to read would only wait";
}

TEST(PictureReadAhead, DocumentFromAReadLayerIsTheDocumentOfTheFile)
{
    testsupport::TempFolder folder;
    const std::vector<std::wstring> paths = WriteAll(folder);
    for (const int keepSource : {1, 0}) {
        SCOPED_TRACE(keepSource);
        const std::wstring& path = paths[3];   // with alpha
        CLayerDocument fromFile;
        fromFile.viewRect = RECT{0, 0, 400, 300};
        fromFile.keepSource = keepSource;
        fromFile.historyOn = 1;
        ASSERT_TRUE(fromFile.OpenImageFile(path.c_str()));

        CLayerDocument fromRead;
        fromRead.viewRect = RECT{0, 0, 400, 300};
        fromRead.keepSource = keepSource;
        fromRead.historyOn = 1;
        CPictureReadAhead ahead({path}, true);
        std::unique_ptr<ReadPicture> picture = ahead.Take();
        ASSERT_NE(nullptr, picture);
        ASSERT_NE(nullptr, picture->undoStart) << "stored ahead";
        ASSERT_TRUE(fromRead.OpenReadLayer(picture->layer, std::move(picture->undoStart)));

        ASSERT_EQ(1u, fromRead.layers.layers.size());
        const CLayerInfo& a = fromFile.layers.layers[0];
        const CLayerInfo& b = fromRead.layers.layers[0];
        EXPECT_EQ(std::wstring(a.name.GetString()), std::wstring(b.name.GetString()));
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.ownAlpha, b.ownAlpha);
        EXPECT_EQ(a.location.x, b.location.x);
        EXPECT_EQ(a.location.y, b.location.y);
        EXPECT_TRUE(SamePixels(a.displayed, b.displayed));
        EXPECT_EQ(a.source.IsValid(), b.source.IsValid()) << "the document's own choice to keep the original";
        EXPECT_EQ(fromFile.zoom, fromRead.zoom);
        EXPECT_EQ(fromFile.history.GetCount(), fromRead.history.GetCount());
        EXPECT_EQ(fromFile.history.limit, fromRead.history.limit);
        ASSERT_EQ(1, fromRead.history.GetCount());
        const CLayerInfo start = fromRead.history.RecordAt(0).GetLayer();
        EXPECT_TRUE(SamePixels(a.displayed, start.displayed)) << "the undo starting point";
        EXPECT_EQ(a.source.IsValid(), start.source.IsValid());
        EXPECT_EQ(b.serial, start.serial);
        // The starting point's bytes count against the document's budget, as when stored there.
        EXPECT_EQ(fromFile.history.GetStoredBytes(), fromRead.history.GetStoredBytes());

        // A first change undoes to the picture as opened, original and all.
        CLayerInfo& background = fromRead.layers.layers[0];
        const CZVImage opened = background.displayed;
        const RGBQUAD black = {0, 0, 0, 255};
        background.displayed.SetRectColor(RECT{0, 0, 10, 10}, black, true);
        if (background.source.IsValid())
            background.source.SetRectColor(RECT{0, 0, 10, 10}, black, true);
        fromRead.history.AddHistory(&background, HISTORY_MODIFY);
        CLayerInfo before;
        ASSERT_TRUE(fromRead.history.FindPreviousLayerState(background.serial, before));
        EXPECT_TRUE(SamePixels(opened, before.displayed));
        EXPECT_FALSE(SamePixels(opened, background.displayed));
        if (keepSource)
            EXPECT_TRUE(SamePixels(opened, before.source));
        fromRead.history.Clear();
        fromRead.layers.RemoveAllLayers();
        EXPECT_EQ(0u, fromRead.history.GetStoredBytes()) << "the starting point's bytes are given back";
    }
    // A layer without a picture starts no document.
    CLayerDocument doc;
    CLayerInfo empty;
    EXPECT_FALSE(doc.OpenReadLayer(empty));
    EXPECT_TRUE(doc.layers.layers.empty());
}

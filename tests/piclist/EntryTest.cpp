// List entries: copies, Init, equality and order by every sort key, the EXIF date, fitting a
// thumbnail into a cell and keeping its scaled copy.
#include <gtest/gtest.h>
#include <cstring>
#include <ctime>
#include "KQImageFile.h"
#include "KQListFile.h"
#include "PicListTestSupport.h"

namespace {

// A picture whose EXIF date-time text the test chooses.
class DatedPicture : public CZVImage {
public:
    explicit DatedPicture(const char* dateTime)
    {
        Create(4, 4, 24);
        m_exif.IsExif = true;
        std::strncpy(m_exif.DateTime, dateTime, sizeof(m_exif.DateTime) - 1);
    }
};

class SortKeyScope {
public:
    SortKeyScope(KQ_LIST_SORT key, bool ascend)
        : m_key(gKQListView_SortType), m_ascend(gKQListView_bSortAscend)
    {
        gKQListView_SortType = key;
        gKQListView_bSortAscend = ascend;
    }
    ~SortKeyScope()
    {
        gKQListView_SortType = m_key;
        gKQListView_bSortAscend = m_ascend;
    }

private:
    KQ_LIST_SORT m_key;
    bool m_ascend;
};

CKQListFile Entry(const wchar_t* name, uint64_t size = 0, int64_t written = 0, const wchar_t* caption = L"")
{
    CKQListFile file(name);
    file.m_strCaption = caption;
    file.m_info.nFileSize = size;
    file.m_info.tLastWrite = written;
    return file;
}

} // namespace

TEST(ListEntry, CopySharesThePictureAndInitKeepsTheTexts)
{
    CKQListFile file(L"a.jpg");
    file.m_strCaption = L"caption";
    file.m_strText3 = L"third";
    CKQImageFile picture;
    file.m_pImage = &picture;
    file.m_nIndex = 7;
    file.m_nState = 0x21;
    file.m_nSpare = 9;
    file.m_info.nWidth = 640;
    file.m_bThumbTried = 1;

    const CKQListFile copy(file);
    CKQListFile assigned;
    assigned = file;
    for (const CKQListFile* c : {&copy, static_cast<const CKQListFile*>(&assigned)}) {
        EXPECT_STREQ(c->m_strName.GetString(), L"a.jpg");
        EXPECT_STREQ(c->m_strCaption.GetString(), L"caption");
        EXPECT_STREQ(c->m_strText3.GetString(), L"third");
        EXPECT_EQ(c->m_pImage, &picture);
        EXPECT_EQ(c->m_nIndex, 7);
        EXPECT_EQ(c->m_nState, 0x21u);
        EXPECT_EQ(c->m_nSpare, 9u);
        EXPECT_EQ(c->m_info.nWidth, 640u);
        EXPECT_EQ(c->m_bThumbTried, 1);
    }

    file.Init();
    EXPECT_EQ(file.m_pImage, nullptr);
    EXPECT_EQ(file.m_nIndex, -1);
    EXPECT_EQ(file.m_nState, 0u);
    EXPECT_EQ(file.m_nSpare, 0u);
    EXPECT_EQ(file.m_info.nWidth, 0u);
    EXPECT_EQ(file.m_bThumbTried, 0);
    EXPECT_STREQ(file.m_strName.GetString(), L"a.jpg");
    EXPECT_STREQ(file.m_strCaption.GetString(), L"caption");

    CKQListFolder folder(L"sub");
    folder.m_nState = 1;
    folder.Init();
    EXPECT_EQ(folder.m_nState, 2u);
    EXPECT_EQ(folder.m_nIndex, -1);
    EXPECT_STREQ(folder.m_strName.GetString(), L"sub");
}

TEST(ListEntry, EqualityIsOnTheNameWithCase)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        bool equal;
    } cases[] = {
        {L"a.jpg", L"a.jpg", true},
        {L"a.jpg", L"A.jpg", false},
        {nullptr, L"", true},
        {L"a.jpg", L"a.jpg ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.a ? c.a : L"(null)") << L" " << c.b);
        EXPECT_EQ(CKQListFile(c.a) == CKQListFile(c.b), c.equal);
        EXPECT_EQ(CKQListFolder(c.a) == CKQListFolder(c.b), c.equal);
    }
}

TEST(ListEntry, OrderByEveryKey)
{
    struct Case {
        KQ_LIST_SORT key;
        CKQListFile a;
        CKQListFile b;
        bool aFirst; // a <= b
        bool bFirst; // b <= a
    } cases[] = {
        {KQ_LIST_SORT_NAME, Entry(L"a.jpg"), Entry(L"b.jpg"), true, false},
        {KQ_LIST_SORT_NAME, Entry(L"B.jpg"), Entry(L"a.jpg"), true, false}, // units, not letters
        {KQ_LIST_SORT_NAME, Entry(L"a.jpg"), Entry(L"a.jpg"), true, true},
        {KQ_LIST_SORT_NAME, Entry(L"", 0, 0, L"x"), Entry(L"", 0, 0, L"y"), true, false},
        {KQ_LIST_SORT_NONE, Entry(L"b"), Entry(L"c"), true, false},
        {KQ_LIST_SORT_SIZE, Entry(L"z", 5), Entry(L"a", 0x100000000ull), true, false},
        {KQ_LIST_SORT_SIZE, Entry(L"z", 7), Entry(L"a", 7), true, true},
        {KQ_LIST_SORT_DATE, Entry(L"z", 0, 100), Entry(L"a", 0, 0x200000000ll), true, false},
        {KQ_LIST_SORT_DATE, Entry(L"a", 0, 9), Entry(L"z", 0, 9), true, true},
        {KQ_LIST_SORT_TYPE, Entry(L"noext"), Entry(L"a.bmp"), true, false},
        {KQ_LIST_SORT_TYPE, Entry(L"dot."), Entry(L"a.bmp"), true, false},
        {KQ_LIST_SORT_TYPE, Entry(L"dir.x\\file"), Entry(L"a.bmp"), true, false},
        {KQ_LIST_SORT_TYPE, Entry(L"y.JPG"), Entry(L"x.jpg"), true, false},
        {KQ_LIST_SORT_TYPE, Entry(L"b.png"), Entry(L"a.png"), true, true},
        {KQ_LIST_SORT_TYPE, Entry(L"a"), Entry(L"b"), true, true},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        SortKeyScope key(c.key, true);
        EXPECT_EQ(c.a <= c.b, c.aFirst);
        EXPECT_EQ(c.b <= c.a, c.bFirst);
    }
}

TEST(ListEntry, ExifDateTakenOnlyFromAValidDate)
{
    const int64_t before = 12345;
    struct Case {
        const char* text;
        bool taken;
    } cases[] = {
        {"2021:03:04 05:06:07", true},
        {"2020:01:31 23:59:59", true},
        {"2021:13:04 05:06:07", false},
        {"2021:03:04 24:00:00", false},
        {"1899:12:31 10:00:00", false},
        {"2021:03:04 05:60:00", false},
        {"2021:03:04", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DatedPicture picture(c.text);
        IMAGR_FILE_INFO info = {};
        info.tTaken = before;
        ASSERT_TRUE(CKQListFile::GetImageInfo(&picture, info));
        EXPECT_EQ(info.nWidth, 4u);
        EXPECT_EQ(info.nBpp, 24);
        if (!c.taken) {
            EXPECT_EQ(info.tTaken, before);
            continue;
        }
        int y, mo, d, h, mi, s;
        ASSERT_EQ(std::sscanf(c.text, "%d:%d:%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
        struct tm parts = {};
        parts.tm_year = y - 1900;
        parts.tm_mon = mo - 1;
        parts.tm_mday = d;
        parts.tm_hour = h;
        parts.tm_min = mi;
        parts.tm_sec = s;
        parts.tm_isdst = -1;
        EXPECT_EQ(info.tTaken, _mktime64(&parts));
    }
}

TEST(ListEntry, InfoKeepsTheUprightSourceSizeOfAShrunkPicture)
{
    CZVImage picture;
    picture.SetShrinkOnLoad(4, 4);
    ASSERT_TRUE(picture.LoadFile(pltest::Fixture(L"orient6.jpg").c_str()));
    IMAGR_FILE_INFO info = {};
    ASSERT_TRUE(CKQListFile::GetImageInfo(&picture, info));
    EXPECT_EQ(info.nWidth, 32u);
    EXPECT_EQ(info.nHeight, 16u);
    EXPECT_NE(info.tTaken, 0);
}

TEST(ThumbnailFit, FitIntoACell)
{
    struct Case {
        long width, height;
        RECT box;
        RECT expected;
    } cases[] = {
        {100, 50, {0, 0, 400, 400}, {150, 175, 250, 225}}, // never enlarged
        {100, 50, {0, 0, 40, 40}, {0, 10, 40, 30}},
        {50, 100, {10, 10, 50, 50}, {20, 10, 40, 50}},
        {300, 300, {0, 0, 192, 144}, {24, 0, 168, 144}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const RECT r = FitPictureRect(c.width, c.height, c.box);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

TEST(ThumbnailFit, ScaledCopyKeptWhileTheSizeHolds)
{
    CKQImageFile picture;
    ASSERT_TRUE(picture.Create(200, 100, 24));
    const RECT cell = {0, 0, 100, 100};
    RECT used = {};
    picture.DrawAutoFit(nullptr, cell, &used);
    ASSERT_NE(picture.m_pSmallImage, nullptr);
    EXPECT_EQ(picture.m_pSmallImage->GetWidth(), 100u);
    EXPECT_EQ(picture.m_pSmallImage->GetHeight(), 50u);
    EXPECT_EQ(used.top, 25);
    const CZVImage* first = picture.m_pSmallImage;
    picture.DrawAutoFit(nullptr, cell);
    EXPECT_EQ(picture.m_pSmallImage, first);

    picture.DrawAutoFit(nullptr, RECT{0, 0, 60, 60});
    ASSERT_NE(picture.m_pSmallImage, nullptr);
    EXPECT_EQ(picture.m_pSmallImage->GetWidth(), 100u); // a larger copy is drawn stretched down

    picture.DrawAutoFit(nullptr, RECT{0, 0, 150, 150});
    ASSERT_NE(picture.m_pSmallImage, nullptr);
    EXPECT_EQ(picture.m_pSmallImage->GetWidth(), 150u);

    // Filling a cell: the copy covers it whole.
    picture.DrawFullSupport(nullptr, RECT{0, 0, 80, 60});
    ASSERT_NE(picture.m_pSmallImage, nullptr);
    EXPECT_EQ(picture.m_pSmallImage->GetWidth(), 80u);
    EXPECT_EQ(picture.m_pSmallImage->GetHeight(), 60u);

    CKQImageFile copy(picture);
    EXPECT_NE(copy.m_pSmallImage, picture.m_pSmallImage); // each frees its own
    picture.ClearSmallImage();
    EXPECT_EQ(picture.m_pSmallImage, nullptr);
}

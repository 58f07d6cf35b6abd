// The thumbnail cache: key, name and trailer bytes; a second visit served from the cache; what
// a changed source, a bad trailer, a cut-short cache file, a cache that cannot be written and a
// corrupt picture do.
#include <gtest/gtest.h>
#include <cstring>
#include "LocalFileIO.h"
#include "MD5.h"
#include "PicListTestSupport.h"
#include "ThumbnailCache.h"

using pltest::TestView;
using testsupport::TempFolder;

namespace {

const RGBQUAD kTeal = {160, 128, 0, 0};

struct MemoryFile {
    std::string bytes;
};

DWORD ReadMemory(void* context, int64_t offset, void* buffer, DWORD count)
{
    const std::string& bytes = static_cast<MemoryFile*>(context)->bytes;
    if (offset >= int64_t(bytes.size()))
        return 0;
    const DWORD n = DWORD(std::min<int64_t>(count, int64_t(bytes.size()) - offset));
    std::memcpy(buffer, bytes.data() + offset, n);
    return n;
}

std::string Pattern(size_t size)
{
    std::string bytes(size, 0);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

// A picture over the direct-load limit: it goes through the cache.
std::wstring LargePicture(const TempFolder& dir, const wchar_t* name, long width = 320, long height = 240)
{
    const std::wstring path = dir.At(name);
    return pltest::WritePicture(path, width, height, kTeal) ? path : L"";
}

std::string Tail(const std::wstring& path, size_t count)
{
    const std::string bytes = TempFolder::Get(path);
    return bytes.size() < count ? std::string() : bytes.substr(bytes.size() - count);
}

uint32_t Le32(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint32_t(uint8_t(bytes[at + 2])) << 16 |
           uint32_t(uint8_t(bytes[at + 3])) << 24;
}

} // namespace

TEST(ThumbnailCacheKey, TimeSizeAndFourSamples)
{
    struct Case {
        size_t size;
        size_t offsets[4];
    } cases[] = {
        {10, {0, 2, 5, 7}},
        {5000, {0, 1250, 2500, 3750}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        MemoryFile file = {Pattern(c.size)};
        const uint64_t time = 0x0123456789ABCDEFull;
        const std::vector<uint8_t> key = thumbcache::MakeKey(time, c.size, ReadMemory, &file);
        ASSERT_EQ(key.size(), 4112u);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(key[i], uint8_t(time >> (8 * i)));
            EXPECT_EQ(key[8 + i], uint8_t(uint64_t(c.size) >> (8 * i)));
        }
        for (int s = 0; s < 4; ++s) {
            const size_t available = std::min<size_t>(1024, c.size - c.offsets[s]);
            for (size_t k = 0; k < 1024; ++k) {
                const uint8_t expected = k < available ? uint8_t(file.bytes[c.offsets[s] + k]) : 0;
                if (key[16 + s * 1024 + k] != expected) {
                    ADD_FAILURE() << "sample " << s << " byte " << k;
                    break;
                }
            }
        }

        // The same key from the file on disk.
        TempFolder dir;
        ASSERT_TRUE(pltest::WriteBytes(dir.At(L"f.bin"), file.bytes));
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExW(dir.At(L"f.bin").c_str(), GetFileExInfoStandard, &data));
        const uint64_t written = uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
        std::vector<uint8_t> fromFile;
        ASSERT_TRUE(thumbcache::MakeFileKey(GetLocalFileIO(), dir.At(L"f.bin").c_str(), fromFile));
        EXPECT_EQ(fromFile, thumbcache::MakeKey(written, c.size, ReadMemory, &file));
    }
}

TEST(ThumbnailCacheKey, NameIsTheDigestWithTwoDots)
{
    const std::vector<uint8_t> key(4112, 0x5A);
    char digest[33];
    MD5String(key.data(), key.size(), digest);
    const std::wstring expected = L"C:\\thumbs\\" + std::wstring(digest, digest + 32) + L"..webp";
    EXPECT_EQ(std::wstring(thumbcache::CacheFileName(L"C:\\thumbs", key).GetString()), expected);
}

TEST(ThumbnailCacheKey, TrailerBytesAndTheirCheck)
{
    IMAGR_FILE_INFO info = {};
    info.tTaken = 0x1122334455667788ll;
    info.nBpp = 24;
    info.nHeight = 2000;
    info.nWidth = 3000;
    uint8_t trailer[32];
    thumbcache::MakeTrailer(info, trailer);
    const uint8_t expected[32] = {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 24, 0, 0, 0, 0xD0, 0x07, 0, 0,
                                  0xB8, 0x0B, 0, 0, 32, 0, 0, 0, 'K', 'Q', 'T', 'B', 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(trailer, expected, 32), 0);

    IMAGR_FILE_INFO read = {};
    ASSERT_TRUE(thumbcache::ReadTrailer(trailer, read));
    EXPECT_EQ(read.nWidth, 3000u);
    EXPECT_EQ(read.nHeight, 2000u);
    EXPECT_EQ(read.nBpp, 24);
    EXPECT_EQ(read.tTaken, info.tTaken);

    struct Bad {
        int at;
        uint8_t value;
    } bad[] = {{24, 'k'}, {27, 'X'}, {20, 31}, {21, 1}};
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.at);
        uint8_t broken[32];
        std::memcpy(broken, trailer, 32);
        broken[b.at] = b.value;
        IMAGR_FILE_INFO kept = {};
        kept.nWidth = 7;
        EXPECT_FALSE(thumbcache::ReadTrailer(broken, kept));
        EXPECT_EQ(kept.nWidth, 7u);
    }
}

TEST(ThumbnailCache, ASecondVisitDecodesNoSource)
{
    TempFolder dir, cache;
    const std::wstring source = LargePicture(dir, L"big.bmp");
    ASSERT_FALSE(source.empty());
    TestView view(cache.Root());
    view.m_strThumbnailFolder = cache.At(L"made\\here").c_str(); // created on demand

    CZVImage first;
    CKQListFile entry;
    CKQListFile::String cachePath;
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &first, cachePath, &entry));
    EXPECT_EQ(view.m_nSourceDecodes, 1);
    EXPECT_EQ(first.GetWidth(), 256u);
    EXPECT_EQ(first.GetHeight(), 192u);
    EXPECT_EQ(entry.m_info.nWidth, 320u);

    const std::wstring name = cachePath.GetString();
    ASSERT_EQ(name.size(), cache.At(L"made\\here").size() + 1 + 32 + 6);
    EXPECT_EQ(name.substr(name.size() - 6), L"..webp");
    const std::string tail = Tail(name, 32);
    ASSERT_EQ(tail.size(), 32u);
    EXPECT_EQ(tail.substr(24, 4), "KQTB");
    EXPECT_EQ(Le32(tail, 16), 320u);
    EXPECT_EQ(Le32(tail, 12), 240u);
    EXPECT_EQ(Le32(tail, 20), 32u);
    EXPECT_EQ(TempFolder::Get(name).find("Exif"), std::string::npos);

    CZVImage second;
    CKQListFile again;
    CKQListFile::String secondPath;
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &second, secondPath, &again));
    EXPECT_EQ(view.m_nSourceDecodes, 1);
    EXPECT_EQ(std::wstring(secondPath.GetString()), name);
    EXPECT_EQ(second.GetWidth(), 256u);
    EXPECT_EQ(again.m_info.nWidth, 320u);
    EXPECT_EQ(again.m_info.nHeight, 240u);
}

TEST(ThumbnailCache, TouchingTheSourceGivesANewName)
{
    TempFolder dir, cache;
    const std::wstring source = LargePicture(dir, L"big.bmp");
    TestView view(cache.Root());
    CZVImage picture;
    CKQListFile entry;
    CKQListFile::String before, after;
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &picture, before, &entry));
    HANDLE file = CreateFileW(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME later = {0x12345678, 0x01D00000};
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &later));
    CloseHandle(file);
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &picture, after, &entry));
    EXPECT_NE(std::wstring(before.GetString()), std::wstring(after.GetString()));
    EXPECT_EQ(view.m_nSourceDecodes, 2);
    EXPECT_NE(GetFileAttributesW(before.GetString()), INVALID_FILE_ATTRIBUTES); // the old one stays
}

TEST(ThumbnailCache, ABadTrailerStillServesAndACutShortFileIsReplaced)
{
    TempFolder dir, cache;
    const std::wstring source = LargePicture(dir, L"big.bmp");
    TestView view(cache.Root());
    CZVImage picture;
    CKQListFile entry;
    CKQListFile::String cachePath;
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &picture, cachePath, &entry));
    const std::wstring name = cachePath.GetString();
    std::string bytes = TempFolder::Get(name);

    std::string badTrailer = bytes;
    std::memset(&badTrailer[badTrailer.size() - 32], 0, 32);
    ASSERT_TRUE(pltest::WriteBytes(name, badTrailer));
    CKQListFile kept;
    kept.m_info.nWidth = 11;
    kept.m_info.tTaken = 99;
    CZVImage served;
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &served, cachePath, &kept));
    EXPECT_EQ(view.m_nSourceDecodes, 1);
    EXPECT_EQ(served.GetWidth(), 256u);
    EXPECT_EQ(kept.m_info.nWidth, 11u);
    EXPECT_EQ(kept.m_info.tTaken, 99);

    ASSERT_TRUE(pltest::WriteBytes(name, bytes.substr(0, 100)));
    CZVImage remade;
    ASSERT_TRUE(view.LoadThumbnail(source.c_str(), &remade, cachePath, &entry));
    EXPECT_EQ(view.m_nSourceDecodes, 2);
    EXPECT_EQ(TempFolder::Get(name), bytes);
}

TEST(ThumbnailCache, ThumbnailsShowWithTheCacheOffOrUnwritable)
{
    enum Setup { CacheOff, FolderIsAFile };
    for (Setup setup : {CacheOff, FolderIsAFile}) {
        SCOPED_TRACE(int(setup));
        TempFolder dir, cache;
        ASSERT_FALSE(LargePicture(dir, L"big.bmp").empty());
        TestView view(cache.Root());
        if (setup == CacheOff) {
            view.m_bThumbnailCache = false;
        } else {
            ASSERT_TRUE(pltest::WriteBytes(cache.At(L"file"), "x"));
            view.m_strThumbnailFolder = cache.At(L"file").c_str();
        }
        ASSERT_TRUE(view.Scan(dir.Root()));
        ASSERT_TRUE(view.LoadAll());
        KQ_PIC_LIST_ITEM item = {};
        ASSERT_TRUE(view.GetItem(0, &item));
        ASSERT_NE(item.pImage, &view.m_imgBroken);
        EXPECT_EQ(item.pImage->GetWidth(), 256u);
        EXPECT_EQ(cache.List().size(), setup == CacheOff ? 0u : 1u);
    }
}

TEST(ThumbnailCache, ACorruptPictureIsTriedOnce)
{
    TempFolder dir, cache;
    ASSERT_TRUE(pltest::WriteBytes(dir.At(L"small.png"), "not a picture"));
    ASSERT_TRUE(pltest::WriteBytes(dir.At(L"large.bmp"), std::string(300000, 'B')));
    TestView view(cache.Root());
    ASSERT_TRUE(view.Scan(dir.Root()));
    ASSERT_TRUE(view.LoadAll());
    EXPECT_EQ(view.m_nSourceDecodes, 2);
    for (int i = 0; i < 2; ++i) {
        KQ_PIC_LIST_ITEM item = {};
        ASSERT_TRUE(view.GetItem(i, &item));
        EXPECT_EQ(item.pImage, &view.m_imgBroken);
        EXPECT_TRUE(view.LoadPreviewImage(i)); // already tried: nothing more
    }
    EXPECT_EQ(view.m_nSourceDecodes, 2);
}

TEST(ThumbnailCache, PortraitsComeUpright)
{
    TempFolder cache;
    TestView view(cache.Root());
    for (int visit = 1; visit <= 2; ++visit) {
        SCOPED_TRACE(visit);
        CZVImage picture;
        CKQListFile entry;
        CKQListFile::String cachePath;
        ASSERT_TRUE(view.LoadThumbnail(pltest::Fixture(L"orient6.jpg").c_str(), &picture, cachePath, &entry));
        EXPECT_EQ(view.m_nSourceDecodes, 1);
        EXPECT_EQ(picture.GetWidth(), 32u);
        EXPECT_EQ(picture.GetHeight(), 16u);
        EXPECT_EQ(entry.m_info.nWidth, 32u);
        EXPECT_EQ(entry.m_info.nHeight, 16u);
        EXPECT_NE(entry.m_info.tTaken, 0);
    }
}

TEST(ThumbnailCache, ThumbnailsStayWithinTheBudget)
{
    TempFolder dir, cache;
    const int count = 40;
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(pltest::WritePicture(dir.At(L"p" + std::to_wstring(100 + i) + L".png"), 64, 64, kTeal));
    TestView view(cache.Root());
    ASSERT_TRUE(view.Scan(dir.Root()));
    view.m_nBoxWidth = 32;
    view.m_nBoxHeight = 32;
    // A 64 x 64 thumbnail with its 32 x 32 copy takes 12,288 + 3,072 bytes: room for about eight.
    view.m_nThumbnailBudget = 8 * 15360;
    view.UpdatePreviewImageList(0, 4, true);
    for (int i = 0; i < count; ++i)
        view.LoadPreviewImage(i);
    int held = 0;
    view.Lock();
    for (int i = 0; i < count; ++i) {
        const CKQListFile* file = view.File(i);
        if (i < 4) {
            EXPECT_NE(file->m_pImage, nullptr) << i; // the preview range is kept
        }
        if (file->m_pImage) {
            ++held;
        } else {
            EXPECT_EQ(file->m_bThumbTried, 0) << i; // released ones are made again later
        }
    }
    view.Unlock();
    EXPECT_LT(held, 8 + 16);
}

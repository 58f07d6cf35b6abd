// Clearing the thumbnail cache in a folder the user chose: the cache's files go, the user's own
// files and the folder stay.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "CacheCleaner.h"
#include "TestSupport.h"

namespace {

using testsupport::TempFolder;

std::string Trailer(uint32_t size, const char* mark)
{
    std::string t(32, '\0');
    memcpy(&t[20], &size, 4);
    memcpy(&t[24], mark, 4);
    return t;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ThumbnailCache, ClearingKeepsTheUsersFilesAndTheFolder)
{
    TempFolder temp;
    const wchar_t kCache[] = L"0123456789abcdef0123456789ABCDEF..webp";
    const struct {
        const wchar_t* name;
        std::string bytes;
        bool cache;
    } files[] = {
        {kCache, "RIFF....WEBP" + Trailer(32, "KQTB"), true},
        {L"fedcba9876543210fedcba9876543210..webp", Trailer(32, "KQTB"), true},
        {L"holiday.jpg", "\xFF\xD8\xFF\xE0" + Trailer(32, "KQTB"), false},  // the user's picture, whatever its tail
        {L"0123456789abcdef0123456789abcdeX..webp", Trailer(32, "KQTB"), false},
        {L"0123456789abcdef0123456789abcdee..webp", Trailer(32, "KQTX"), false},
        {L"0123456789abcdef0123456789abcded..webp", Trailer(16, "KQTB"), false},
        {L"0123456789abcdef0123456789abcdec..webp", "KQTB", false},
        {L"0123456789abcdef0123456789abcdeb.webp", Trailer(32, "KQTB"), false},
    };
    for (const auto& f : files)
        ASSERT_TRUE(TempFolder::Put(temp.At(f.name), f.bytes));
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"0123456789abcdef0123456789abcdea..webp").c_str(), nullptr));

    EXPECT_EQ(ClearThumbnailCache(temp.Root().c_str()), 2);
    for (const auto& f : files)
        EXPECT_EQ(Exists(temp.At(f.name)), !f.cache) << std::wstring(f.name);
    EXPECT_TRUE(Exists(temp.At(L"0123456789abcdef0123456789abcdea..webp")));
    EXPECT_TRUE(Exists(temp.Root()));
    EXPECT_EQ(ClearThumbnailCache(temp.At(L"missing").c_str()), 0);
}

} // namespace

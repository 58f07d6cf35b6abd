#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string>
#include "BaseUtil.h"
#include "MD5.h"

namespace {

TEST(BaseUtil, RoundDecimal)
{
    struct Case {
        short digits;
        double value;
        double expected;
    };
    const Case cases[] = {
        {2, 1.005, 1.01},
        {2, -1.005, -1.01},
        {2, 1.004, 1.0},
        {2, 2.675, 2.68},
        {0, 2.5, 3.0},
        {1, 0.05, 0.1},
        {3, 1.2344, 1.234},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(c.expected, RoundDecimal(c.digits, c.value)) << c.value << " at " << c.digits;
}

TEST(BaseUtil, FileTimeToTimeT)
{
    FILETIME epoch;
    epoch.dwLowDateTime = 0xD53E8000;
    epoch.dwHighDateTime = 0x019DB1DE; // 116444736000000000: 1970-01-01
    EXPECT_EQ(0, FileTimeToTimeT(epoch));

    SYSTEMTIME day = {};
    day.wYear = 2024;
    day.wMonth = 2;
    day.wDay = 29;
    day.wHour = 12;
    FILETIME time;
    ASSERT_TRUE(SystemTimeToFileTime(&day, &time));
    EXPECT_EQ(1709208000, FileTimeToTimeT(time));
}

TEST(BaseUtil, AddElapsedTicksCountsFromTheFirstCall)
{
    uint64_t counter = 5;
    AddElapsedTicks(counter); // starts the clock (or goes on from an earlier test's call)
    const uint64_t afterFirst = counter;
    EXPECT_LT(afterFirst, 5u + 60000u); // never the time since Windows started
    Sleep(100);
    AddElapsedTicks(counter);
    EXPECT_GE(counter - afterFirst, 50u); // the tick count moves in steps of about 16 ms
    EXPECT_LT(counter - afterFirst, 5000u);
}

TEST(BaseUtil, GetModuleDirKeepsTheBackslash)
{
    wchar_t dir[MAX_PATH];
    const int length = GetModuleDir(dir);
    ASSERT_GT(length, 3);
    EXPECT_EQ(L'\\', dir[length - 1]);
    EXPECT_EQ(0, dir[length]);
    EXPECT_TRUE(dir[1] != L':' || (dir[0] >= L'A' && dir[0] <= L'Z'));
    std::wstring file = std::wstring(dir) + L"MD5.h"; // a name can be appended directly
    EXPECT_EQ(std::wstring::npos, file.find(L"\\\\"));
}

TEST(BaseUtil, ParseHexDWord)
{
    struct Case {
        const wchar_t* text;
        bool ok;
        DWORD value;
    };
    const Case cases[] = {
        {L"FFFFFFFF", true, 0xFFFFFFFF},
        {L"0xffffffff", true, 0xFFFFFFFF},
        {L"0X1a2B", true, 0x1A2B},
        {L"0", true, 0},
        {L"123456789", false, 0},
        {L"0x123456789", false, 0},
        {L"0x", false, 0},
        {L"", false, 0},
        {L"12G", false, 0},
        {L" 12", false, 0},
        {L"-1", false, 0},
        {nullptr, false, 0},
    };
    for (const Case& c : cases) {
        DWORD value = 77;
        EXPECT_EQ(c.ok, ParseHexDWord(c.text, &value)) << (c.text ? c.text : L"(null)");
        EXPECT_EQ(c.ok ? c.value : 77u, value) << (c.text ? c.text : L"(null)");
    }
    EXPECT_TRUE(ParseHexDWord(L"ab", nullptr));
}

TEST(MD5, Rfc1321Vectors)
{
    struct Case {
        const char* input;
        const char* digest;
    };
    const Case cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const Case& c : cases) {
        char text[33] = "#";
        MD5String(c.input, std::strlen(c.input), text);
        EXPECT_STREQ(c.digest, text) << '"' << c.input << '"';
    }
}

// Pieces of every length across the 64-byte blocks give the digest of the whole.
TEST(MD5, UpdateInPieces)
{
    std::string data;
    for (int i = 0; i < 1000; ++i)
        data += char(i * 7);
    char whole[33];
    MD5String(data.data(), data.size(), whole);
    for (size_t piece : {1u, 3u, 55u, 56u, 63u, 64u, 65u, 200u}) {
        MD5_CTX context;
        MD5Init(&context);
        for (size_t at = 0; at < data.size(); at += piece)
            MD5Update(&context, data.data() + at, std::min(piece, data.size() - at));
        uint8_t digest[16];
        MD5Final(digest, &context);
        char text[33];
        MD5DigestText(digest, text);
        EXPECT_STREQ(whole, text) << piece;
    }
}

} // namespace

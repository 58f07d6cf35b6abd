#include <gtest/gtest.h>
#include <cwchar>
#include <string>
#include "WStr.h"

namespace {

TEST(WStr, NullReadsAsEmpty)
{
    EXPECT_EQ(0, WStrLen(nullptr));
    EXPECT_EQ(3, WStrLen(L"abc"));
    EXPECT_EQ(0, AStrLen(nullptr));

    wchar_t dst[8] = L"xyz";
    EXPECT_EQ(0, WStrCopy(dst, nullptr));
    EXPECT_STREQ(L"", dst);
    EXPECT_EQ(0, WStrCopy(nullptr, L"abc"));
    EXPECT_EQ(nullptr, WStrFind(nullptr, L"a"));
    EXPECT_EQ(nullptr, WStrFind(L"a", nullptr));
    EXPECT_EQ(nullptr, WStrFindChar(nullptr, L'a'));
    EXPECT_EQ(nullptr, WStrToLowerAscii(nullptr));
}

TEST(WStr, CopyNAlwaysTerminates)
{
    struct Case {
        const wchar_t* src;
        int size;
        const wchar_t* expected;
        int copied;
    };
    const Case cases[] = {
        {L"abcdef", 4, L"abc", 3},
        {L"ab", 4, L"ab", 2},
        {L"abc", 4, L"abc", 3},
        {L"abc", 1, L"", 0},
        {nullptr, 4, L"", 0},
    };
    for (const Case& c : cases) {
        wchar_t dst[8] = L"#######";
        EXPECT_EQ(c.copied, WStrCopyN(dst, c.src, c.size)) << c.size;
        EXPECT_STREQ(c.expected, dst) << c.size;
    }
    // No room for a terminator: nothing is written.
    wchar_t dst[4] = L"###";
    EXPECT_EQ(0, WStrCopyN(dst, L"abc", 0));
    EXPECT_STREQ(L"###", dst);

    char narrow[4];
    EXPECT_EQ(3, AStrCopyN(narrow, "abcdef", 4));
    EXPECT_STREQ("abc", narrow);
}

TEST(WStr, CopyPaddedFillsWithZerosAndAddsNoTerminatorWhenFull)
{
    wchar_t dst[6] = {'#', '#', '#', '#', '#', '#'};
    EXPECT_EQ(dst, WStrCopyPadded(dst, L"ab", 4));
    const wchar_t padded[6] = {'a', 'b', 0, 0, '#', '#'};
    EXPECT_EQ(0, std::wmemcmp(padded, dst, 6));

    EXPECT_EQ(dst, WStrCopyPadded(dst, L"wxyz", 3));
    const wchar_t cut[6] = {'w', 'x', 'y', 0, '#', '#'};
    EXPECT_EQ(0, std::wmemcmp(cut, dst, 6));

    wchar_t untouched[3] = {'#', '#', '#'};
    WStrCopyPadded(untouched, nullptr, 3);
    WStrCopyPadded(untouched, L"a", 0);
    EXPECT_EQ(L'#', untouched[0]);
}

TEST(WStr, WidenCopyZeroExtendsBytes)
{
    wchar_t dst[8] = L"zzzzzzz";
    EXPECT_EQ(3, WStrWidenCopy(dst, "a\xE9z"));
    EXPECT_STREQ(L"a\x00E9z", dst);
    EXPECT_EQ(0, WStrWidenCopy(dst, nullptr));
    EXPECT_STREQ(L"", dst);
    EXPECT_EQ(0, WStrWidenCopy(nullptr, "a"));
}

TEST(WStr, CompareTakesUnitsAsUnsigned)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int exact;
        int noCase;
    };
    const Case cases[] = {
        {nullptr, nullptr, 0, 0},
        {nullptr, L"b", -'b', -'b'},
        {L"a", nullptr, 'a', 'a'},
        {nullptr, L"", 0, 0},
        {L"abc", L"abd", -1, -1},
        {L"abc", L"ab", 'c', 'c'},
        {L"HELLO", L"hello", 'H' - 'h', 0},
        {L"[", L"A", '[' - 'A', '[' - 'a'}, // folding goes to lower case
        {L"\x00C9", L"\x00E9", 0xC9 - 0xE9, 0xC9 - 0xE9}, // no folding beyond ASCII
        {L"\xFFFF", L"a", 0xFFFF - 'a', 0xFFFF - 'a'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exact, WStrCompare(c.a, c.b)) << (c.a ? c.a : L"null") << " / " << (c.b ? c.b : L"null");
        EXPECT_EQ(c.noCase, WStrCompareNoCase(c.a, c.b)) << (c.a ? c.a : L"null") << " / " << (c.b ? c.b : L"null");
    }
    EXPECT_EQ(0xE9 - 'a', AStrCompare("\xE9", "a"));
    EXPECT_EQ(0, AStrCompareNoCase("MiXeD", "mixed"));
}

TEST(WStr, Find)
{
    const wchar_t* text = L"one two two";
    EXPECT_EQ(text + 4, WStrFind(text, L"two"));
    EXPECT_EQ(text, WStrFind(text, L""));
    EXPECT_EQ(nullptr, WStrFind(text, L"three"));
    EXPECT_EQ(nullptr, WStrFind(L"tw", L"two"));

    EXPECT_EQ(text + 4, WStrFindChar(text, L't'));
    EXPECT_EQ(text + 11, WStrFindChar(text, 0)); // the terminator
    EXPECT_EQ(nullptr, WStrFindChar(text, L'z'));

    const wchar_t* latin = L"caf\x00E9";
    EXPECT_EQ(latin + 2, WStrChr(latin, 'f'));
    EXPECT_EQ(nullptr, WStrChr(latin, '\xE9')); // only 7-bit characters are looked for

    const char* narrow = "abcabc";
    EXPECT_EQ(narrow + 1, AStrFind(narrow, "bc"));
    EXPECT_EQ(narrow + 2, AStrFindChar(narrow, 'c'));
}

TEST(WStr, CaseChangesTouchAsciiOnly)
{
    wchar_t lower[] = L"AbC\x00C9z[";
    EXPECT_EQ(lower, WStrToLowerAscii(lower));
    EXPECT_STREQ(L"abc\x00C9z[", lower);
    wchar_t upper[] = L"AbC\x00E9z{";
    WStrToUpperAscii(upper);
    EXPECT_STREQ(L"ABC\x00E9Z{", upper);

    char narrow[] = "MiX\xE9";
    AStrToLowerAscii(narrow);
    EXPECT_STREQ("mix\xE9", narrow);
    AStrToUpperAscii(narrow);
    EXPECT_STREQ("MIX\xE9", narrow);
}

} // namespace

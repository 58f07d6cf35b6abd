#include <gtest/gtest.h>
#include <windows.h>
#include <new>
#include <string>
#include "TString.h"

namespace {

using WString = ALT::TString<wchar_t, 0, 8>;
using WStringNoCase = ALT::TString<wchar_t, 1, 8>;
using AString = ALT::TString<char, 0, 8>;
using AFileString = ALT::TString<char, 0, 4096>;

TEST(TString, ReserveRoundsUpToTheNextStep)
{
    struct Case {
        int count;
        int capacity;
    };
    const Case steps8[] = {{1, 8}, {5, 8}, {7, 8}, {8, 16}, {15, 16}, {16, 24}};
    for (const Case& c : steps8) {
        WString s;
        s.Reserve(c.count, nullptr);
        EXPECT_EQ(c.capacity, s.GetCapacity()) << c.count;
        EXPECT_STREQ(L"", s.GetBuffer()) << c.count;
    }
    const Case steps4096[] = {{1, 4096}, {4095, 4096}, {4096, 8192}, {5000, 8192}};
    for (const Case& c : steps4096) {
        AFileString s;
        s.Reserve(c.count, nullptr);
        EXPECT_EQ(c.capacity, s.GetCapacity()) << c.count;
    }
}

TEST(TString, ReserveKeepsTheBufferWhileItIsLargeEnough)
{
    WString s(L"abcdefghij"); // capacity 16
    wchar_t* buffer = s.GetBuffer();
    EXPECT_EQ(buffer, s.Reserve(16, s.GetBuffer()));
    EXPECT_STREQ(L"abcdefghij", s.GetBuffer());
    // A source is copied up to count - 1 characters.
    s.Reserve(4, L"uvwxyz");
    EXPECT_EQ(buffer, s.GetBuffer());
    EXPECT_STREQ(L"uvw", s.GetBuffer());
    EXPECT_EQ(3, s.GetLength());
    // Growing without a source starts an empty text, length included.
    s.Reserve(40, nullptr);
    EXPECT_STREQ(L"", s.GetBuffer());
    EXPECT_EQ(0, s.GetLength());
}

TEST(TString, NullAndEmptyLeaveNoBuffer)
{
    WString s(L"text");
    s.AssignStr(nullptr);
    EXPECT_EQ(nullptr, s.GetBuffer());
    EXPECT_EQ(0, s.GetLength());
    EXPECT_STREQ(L"", s.GetString());
    EXPECT_EQ(0, WStrLen(s.GetBuffer()));
    EXPECT_EQ(0, WStrCompare(s.GetBuffer(), L""));

    WString t(L"text");
    t.Assign(WString(L""));
    EXPECT_EQ(nullptr, t.GetBuffer());
    EXPECT_TRUE(t.IsEmpty());

    WString copy(s);
    EXPECT_EQ(nullptr, copy.GetBuffer());
}

TEST(TString, AttachedTextIsBorrowedUntilItGrows)
{
    wchar_t text[] = L"borrowed";
    {
        WString s;
        s.Attach(text);
        EXPECT_EQ(text, s.GetBuffer());
        EXPECT_EQ(8, s.GetLength());
        EXPECT_EQ(0, s.GetCapacity());

        WString copy(s); // copies are owned
        EXPECT_NE(text, copy.GetBuffer());
        EXPECT_STREQ(L"borrowed", copy.GetBuffer());

        s.AppendStr(L"!");
        EXPECT_NE(text, s.GetBuffer());
        EXPECT_STREQ(L"borrowed!", s.GetBuffer());
        EXPECT_EQ(16, s.GetCapacity());
    }
    EXPECT_STREQ(L"borrowed", text);

    // The destructor and Free leave a borrowed buffer alone (it is not on the heap here).
    {
        WString s;
        s.Attach(text);
        s.Free();
        EXPECT_EQ(nullptr, s.GetBuffer());
        s.Attach(text);
    }
    EXPECT_STREQ(L"borrowed", text);

    WString s;
    s.Attach(nullptr);
    EXPECT_EQ(nullptr, s.GetBuffer());
    EXPECT_EQ(0, s.GetLength());
}

// Short strings grow in steps of 8; a long text built from small pieces is reallocated a
// logarithmic number of times, not once per step.
TEST(TString, AppendGrowth)
{
    WString s;
    s.AppendStr(L"abc");
    EXPECT_EQ(8, s.GetCapacity());
    s.AppendStr(L"defgh");
    EXPECT_EQ(16, s.GetCapacity());

    WString text;
    std::wstring expected;
    int reallocations = 0;
    for (int i = 0; i < 20000; ++i) {
        const wchar_t* before = text.GetBuffer();
        text.AppendStr(L"xyz");
        expected += L"xyz";
        reallocations += text.GetBuffer() != before;
        ASSERT_EQ(0, text.GetCapacity() % 8);
        ASSERT_GT(text.GetCapacity(), text.GetLength());
    }
    EXPECT_EQ(expected, text.GetBuffer());
    EXPECT_EQ(60000, text.GetLength());
    EXPECT_LT(reallocations, 40);

    text.AppendStr(nullptr);
    text.Append(WString());
    EXPECT_EQ(60000, text.GetLength());
}

TEST(TString, AppendAndInsertMayTakeTheirOwnText)
{
    WString s(L"ab");
    s.Append(s);
    EXPECT_STREQ(L"abab", s.GetBuffer());

    WString t(L"1234567"); // full: capacity 8
    t.AppendStr(t.GetBuffer() + 4);
    EXPECT_STREQ(L"1234567567", t.GetBuffer());

    WString u(L"1234567");
    u.Insert(0, u.GetBuffer() + 5);
    EXPECT_STREQ(L"671234567", u.GetBuffer());
}

TEST(TString, Insert)
{
    struct Case {
        const wchar_t* start;
        int index;
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"hello", 0, L"X", L"Xhello"},
        {L"hello", 5, L"X", L"helloX"},
        {L"hello", 2, L"-+-", L"he-+-llo"},
        {L"hello", -3, L"X", L"Xhello"}, // indexes are clamped
        {L"hello", 99, L"X", L"helloX"},
        {L"hello", 2, nullptr, L"hello"},
        {nullptr, 0, L"ab", L"ab"},
        {nullptr, 4, L"ab", L"ab"},
        {L"1234567", 3, L"abcdefghijklmnop", L"123abcdefghijklmnop4567"},
    };
    for (const Case& c : cases) {
        WString s(c.start);
        const int length = s.Insert(c.index, c.text);
        EXPECT_STREQ(c.expected, s.GetBuffer()) << c.index;
        EXPECT_EQ(WStrLen(c.expected), length) << c.index;
        EXPECT_EQ(length, s.GetLength()) << c.index;
    }
}

TEST(TString, FormatMeasuresThenWrites)
{
    WString s;
    EXPECT_EQ(17, s.Format(L"%s=%5d|%-4x|", L"width", 42, 255));
    EXPECT_STREQ(L"width=   42|ff  |", s.GetBuffer());
    EXPECT_EQ(17, s.GetLength());
    EXPECT_EQ(24, s.GetCapacity());

    // An argument taken from the string itself is read before the text is replaced.
    WString path(L"C:\\folder");
    path.Format(L"%s\\%s", path.GetBuffer(), L"name.jpg");
    EXPECT_STREQ(L"C:\\folder\\name.jpg", path.GetBuffer());
    WString shorter(L"0123456789");
    shorter.Format(L"<%s>", shorter.GetBuffer() + 7);
    EXPECT_STREQ(L"<789>", shorter.GetBuffer());

    AString narrow;
    EXPECT_EQ(8, narrow.Format("%s-%03d", "abcd", 7));
    EXPECT_STREQ("abcd-007", narrow.GetBuffer());

    EXPECT_THROW(s.Format(L"%2147483647d", 1), std::bad_alloc);
}

TEST(TString, ConcatCopiesBothParts)
{
    const WString a(L"left");
    const WString b(L"right");
    EXPECT_STREQ(L"leftright", (a + b).GetBuffer());
    EXPECT_STREQ(L"left.txt", (a + L".txt").GetBuffer());
    EXPECT_STREQ(L"left", WString::Concat(a, WString()).GetBuffer());
    EXPECT_STREQ(L"right", WString::Concat(WString(), b).GetBuffer());
    EXPECT_STREQ(L"left", WString::Concat(a, static_cast<const wchar_t*>(nullptr)).GetBuffer());
    EXPECT_EQ(0, WString::Concat(WString(), WString()).GetLength());

    WString attached;
    attached.Attach(L"lit");
    WString joined = attached + L"eral";
    EXPECT_STREQ(L"literal", joined.GetBuffer());
    EXPECT_STREQ(L"lit", attached.GetBuffer());
}

TEST(TString, CopyAndMove)
{
    WString a(L"value");
    WString b(a);
    EXPECT_NE(a.GetBuffer(), b.GetBuffer());
    b.AppendStr(L"!");
    EXPECT_STREQ(L"value", a.GetBuffer());

    WString c(static_cast<WString&&>(b));
    EXPECT_STREQ(L"value!", c.GetBuffer());
    EXPECT_EQ(nullptr, b.GetBuffer());
    a = static_cast<WString&&>(c);
    EXPECT_STREQ(L"value!", a.GetBuffer());
    a = a;
    EXPECT_STREQ(L"value!", a.GetBuffer());
    a = L"other";
    EXPECT_STREQ(L"other", a.GetBuffer());
}

TEST(TString, EqualityFollowsTheKeyOrder)
{
    EXPECT_TRUE(WString(L"Name") == L"Name");
    EXPECT_TRUE(WString(L"Name") != L"name");
    EXPECT_TRUE(WStringNoCase(L"Name") == L"nAME");
    EXPECT_TRUE(WStringNoCase(L"\x00C9t\x00E9") != L"\x00E9t\x00E9");
    EXPECT_TRUE(WString() == L"");
    EXPECT_TRUE(WString() == WString(L""));
}

TEST(TString, SubclassesAreStrings)
{
    CVauleStrW value(L"v");
    value.AppendStr(L"alue");
    EXPECT_STREQ(L"value", value.GetBuffer());

    wchar_t program[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, program, MAX_PATH);
    ASSERT_GT(n, 0u);
    std::wstring folder(program, n);
    folder.erase(folder.rfind(L'\\') + 1);
    if (folder.size() > 1 && folder[1] == L':')
        folder[0] = wchar_t(towupper(folder[0]));

    CModulePathStr path(L"Data\\Frames");
    EXPECT_EQ(folder + L"Data\\Frames", path.GetBuffer());
    EXPECT_EQ(int(folder.size()) + 11, path.GetLength());
}

} // namespace

// CString formatting with msvcrt's rules, the string operations, resource strings, CTime and
// CArchive.
#include <gtest/gtest.h>
#include <string>
#include "TestApp.h"
#include "TestIds.h"

namespace {

template <class... Args> CString Formatted(const wchar_t* format, const Args&... args)
{
    CString text;
    text.Format(format, args...);
    return text;
}

std::string Narrow(const CString& s)
{
    return std::string(s.GetString(), s.GetString() + s.GetLength());
}

} // namespace

TEST(String, FormatFollowsMsvcrt)
{
    const CString layer(L"Layer");
    struct Case {
        const wchar_t* expected;
        CString actual;
    };
    const Case cases[] = {
        { L"-42", Formatted(L"%d", -42) },
        { L"  7|7  |007", Formatted(L"%3d|%-3d|%03d", 7, 7, 7) },
        { L"ff FF 0x1f", Formatted(L"%x %X %#x", 255, 255, 31) },
        { L"4294967295", Formatted(L"%u", 0xFFFFFFFFu) },
        { L"-9000000000 18000000000", Formatted(L"%I64d %I64u", -9000000000LL, 18000000000ULL) },
        { L" 3.14", Formatted(L"%5.2f", 3.14159) },
        { L" 100%", Formatted(L" %0.0f%%", 1.0 * 100) },
        { L"1.500000e+003", Formatted(L"%e", 1500.0) },
        { L"1e-005 0.0001 1.5", Formatted(L"%g %g %g", 1e-5, 0.0001, 1.5f) },
        { L"0.333333333333333", Formatted(L"%.15g", 1.0 / 3) },
        { L"wide", Formatted(L"%s", L"wide") },
        { L"narrow", Formatted(L"%S", "narrow") },
        { L"Layer 2", Formatted(L"%s %d", layer, 2) },
        { L"[Z]", Formatted(L"[%c]", L'Z') },
        { L"", Formatted(L"") },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << Narrow(c.actual);

    CString fromResource;
    fromResource.Format(IDS_FORMAT, L"Photo", 3);
    EXPECT_EQ(fromResource, L"Photo has 3 layers");
    CString appended(L"a");
    appended.AppendFormat(L"-%d", 5);
    EXPECT_EQ(appended, L"a-5");
}

TEST(String, OperationsStayInsideTheString)
{
    const CString s(L"Hello, World");
    struct Case {
        CString actual;
        const wchar_t* expected;
    };
    const Case cases[] = {
        { s.Mid(7), L"World" },       { s.Mid(7, 100), L"World" }, { s.Mid(-3, 5), L"Hello" },   { s.Mid(50), L"" },
        { s.Left(5), L"Hello" },      { s.Left(-1), L"" },         { s.Right(5), L"World" },    { s.Right(99), L"Hello, World" },
        { s.SpanIncluding(L"Hel"), L"Hell" }, { s.SpanExcluding(L","), L"Hello" },
        { CString(L"  pad \t").Trim(), L"pad" },  { CString(L"xxpadxx").Trim(L'x'), L"pad" },
        { CString(L"Mixed").MakeUpper(), L"MIXED" }, { CString(L"Mixed").MakeLower(), L"mixed" },
        { CString(L"abc").MakeReverse(), L"cba" },
        { CString(L"narrow") + L"!" + CString(L'?', 2), L"narrow!??" },
        { CString("ansi"), L"ansi" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << Narrow(c.actual);

    EXPECT_EQ(s.Find(L'o'), 4);
    EXPECT_EQ(s.Find(L'o', 5), 8);
    EXPECT_EQ(s.Find(L"World"), 7);
    EXPECT_EQ(s.Find(L'o', 99), -1);
    EXPECT_EQ(s.ReverseFind(L'o'), 8);
    EXPECT_EQ(s.FindOneOf(L",W"), 5);
    EXPECT_EQ(s.CompareNoCase(L"hello, world"), 0);
    EXPECT_LT(s.Compare(L"Hello, Xorld"), 0);

    CString edit(L"a-b-c");
    EXPECT_EQ(edit.Replace(L"-", L"--"), 2);
    EXPECT_EQ(edit, L"a--b--c");
    EXPECT_EQ(edit.Remove(L'-'), 4);
    EXPECT_EQ(edit.Insert(1, L"XY"), 5);
    EXPECT_EQ(edit.Delete(1, 10), 1);
    EXPECT_EQ(edit, L"a");

    CString tokens(L";one;;two;");
    std::vector<std::wstring> parts;
    int start = 0;
    for (CString token = tokens.Tokenize(L";", start); start >= 0; token = tokens.Tokenize(L";", start))
        parts.push_back(token.GetString());
    EXPECT_EQ(parts, (std::vector<std::wstring>{ L"one", L"two" }));

    CString buffer;
    wcscpy(buffer.GetBuffer(10), L"typed");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer.GetLength(), 5);
    EXPECT_EQ(buffer, L"typed");
}

TEST(String, ResourcesComeFromTheProgramThenTheFramework)
{
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_SHARED));
    EXPECT_EQ(text, L"Program string");
    EXPECT_TRUE(text.LoadString(IDS_PROMPT_INT));
    EXPECT_EQ(text, L"Enter a whole number.");
    EXPECT_FALSE(text.LoadString(4711));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(CString(MAKEINTRESOURCEW(IDS_SHARED)), L"Program string");
    for (UINT cursor = IDC_TRACK_NWSE; cursor <= IDC_MOVE_4WAY; ++cursor)
        EXPECT_NE(TestApp().LoadCursor(cursor), nullptr) << cursor;
}

TEST(Time, ReadsAndFormatsInLocalTime)
{
    const CTime t(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 5);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(t.GetDayOfWeek(), 5);  // a Thursday
    EXPECT_EQ(t.Format(L"%Y-%m-%d_%H_%M_%S"), L"2024-02-29_13_05_09");
    EXPECT_LT(t, CTime(2024, 3, 1, 0, 0, 0));
    EXPECT_EQ(CTime(t.GetTime()), t);
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(CTime(st), t);
    EXPECT_GT(CTime::GetCurrentTime(), t);
}

TEST(Archive, ValuesComeBackInTheOrderStored)
{
    std::vector<BYTE> buffer;
    {
        CArchive out(buffer, CArchive::store);
        out << static_cast<BYTE>(7) << -3 << 4000000000u << 2.5 << CString(L"caf\x00e9") << CString();
    }
    EXPECT_EQ(buffer.size(), 1u + 4 + 4 + 8 + (4 + 8) + 4);
    CArchive in(buffer, CArchive::load);
    BYTE b = 0;
    int i = 0;
    UINT u = 0;
    double d = 0;
    CString s, empty(L"x");
    in >> b >> i >> u >> d >> s >> empty;
    EXPECT_EQ(b, 7);
    EXPECT_EQ(i, -3);
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(s, L"caf\x00e9");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(in.IsTruncated());
    in >> i;
    EXPECT_TRUE(in.IsTruncated());
    EXPECT_EQ(i, 0);

    // A damaged length does not make the reader allocate or read past the end.
    std::vector<BYTE> damaged = { 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0 };
    CArchive bad(damaged, CArchive::load);
    CString text(L"before");
    bad >> text;
    EXPECT_TRUE(bad.IsTruncated());
    EXPECT_TRUE(text.IsEmpty());
}

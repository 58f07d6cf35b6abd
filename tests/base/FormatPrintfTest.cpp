#include <gtest/gtest.h>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>
#include "FormatPrintf.h"

namespace {

// Runs both passes and checks that they agree: the count equals the text written, the text is
// terminated and nothing is written past the terminator.
template <class T, class F>
std::basic_string<T> RunBoth(F formatter, const T* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int n = formatter(nullptr, format, measure);
    va_end(measure);
    EXPECT_GE(n, 0);
    if (n < 0)
        return {};
    std::vector<T> out(size_t(n) + 4, T('#'));
    EXPECT_EQ(n, formatter(out.data(), format, args));
    EXPECT_EQ(T(0), out[n]);
    EXPECT_EQ(T('#'), out[n + 1]);
    return std::basic_string<T>(out.data(), size_t(n));
}

std::wstring W(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = RunBoth<wchar_t>(FormatPrintfW, format, args);
    va_end(args);
    return text;
}

std::string A(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = RunBoth<char>(FormatPrintf, format, args);
    va_end(args);
    return text;
}

int Measure(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = FormatPrintfW(nullptr, format, args);
    va_end(args);
    return n;
}

struct Row {
    const wchar_t* format;
    std::wstring actual;
    const wchar_t* expected;
};
// Every row passes at least one argument; rows without conversions pass a 0 that is not read.
#define ROW(expected, format, ...) {format, W(format, __VA_ARGS__), expected}

TEST(FormatPrintf, WideTable)
{
    static const wchar_t* const nullText = nullptr;
    const Row rows[] = {
        ROW(L"plain text", L"plain text", 0),
        ROW(L"   42", L"%5d", 42),
        ROW(L"42   |", L"%-5d|", 42),
        ROW(L"-0042", L"%05d", -42),
        ROW(L"0xff", L"%#x", 255),
        ROW(L"010", L"%#o", 8),
        ROW(L"ab", L"%.2s", L"abc"),
        ROW(L"<Error>", L"%f", 0),
        // text conversions
        ROW(L"%", L"%%", 0),
        ROW(L"    %", L"%5%", 0),
        ROW(L"A", L"%c", 0x10041), // the low 16 bits
        ROW(L"[]", L"[%s]", nullText),
        ROW(L"   ab", L"%5s", L"ab"),
        ROW(L"ab   |", L"%-5s|", L"ab"),
        ROW(L"000ab", L"%05s", L"ab"),
        ROW(L"abc", L"%.5s", L"abc"),
        ROW(L"   ab", L"%5.2s", L"abcdef"),
        ROW(L"ab", L"%.*s", 2, L"abc"),
        // signs and prefixes
        ROW(L"+5", L"%+d", 5),
        ROW(L" 5", L"% d", 5),
        ROW(L"-5", L"%+d", -5),
        ROW(L"5", L"%+u", 5),
        ROW(L"0", L"%#x", 0),
        ROW(L"0", L"%#o", 0),
        ROW(L"0XABC", L"%#X", 0xabc),
        ROW(L"ABC", L"%X", 0xabc),
        ROW(L"+00042", L"%+06d", 42),
        ROW(L"0x0000ff", L"%#08x", 255),
        ROW(L"    0xff", L"%#8x", 255),
        ROW(L"0xff    |", L"%-#8x|", 255),
        // precision and width
        ROW(L"007", L"%.3d", 7),
        ROW(L"0", L"%.0d", 0),
        ROW(L"     007", L"%8.3d", 7),
        ROW(L"00000007", L"%08.3d", 7),
        ROW(L"007     |", L"%-8.3d|", 7),
        ROW(L"-007", L"%.3d", -7),
        ROW(L"   42", L"%*d", 5, 42),
        ROW(L"42   |", L"%*d|", -5, 42), // a negative width from the arguments left-justifies
        ROW(L"7", L"%.*d", -1, 7),
        // sizes
        ROW(L"-2147483648", L"%d", INT_MIN),
        ROW(L"4294967295", L"%u", -1),
        ROW(L"ffffffff", L"%x", -1),
        ROW(L"37777777777", L"%o", -1),
        ROW(L"5 6 7", L"%ld %hd %lu", 5, 6, 7),
        ROW(L"-9223372036854775808", L"%I64d", INT64_MIN),
        ROW(L"18446744073709551615", L"%I64u", UINT64_MAX),
        ROW(L"8000000000000000", L"%I64x", UINT64_C(0x8000000000000000)),
        ROW(L"1777777777777777777777", L"%I64o", UINT64_MAX),
        ROW(L"12345678901|7", L"%I64d|%d", INT64_C(12345678901), 7),
        ROW(L"ab", L"%p", reinterpret_cast<void*>(uintptr_t(0xab))),
        // errors take no argument
        ROW(L"<Error> 7", L"%e %d", 7),
        ROW(L"<Error>7", L"%G%d", 7),
        ROW(L"<Error>7", L"%U%d", 7),
        ROW(L"<Error>7", L"%y%d", 7),
        ROW(L"<Error>7", L"%n%d", 7),
        ROW(L"<Error>32d7", L"%I32d%d", 7), // I not followed by 64 is the conversion
        ROW(L"   <Error>", L"%10f", 0),
        ROW(L"<Error>   |", L"%-10f|", 0),
        ROW(L"abc<Error>", L"abc%", 0), // the format ends inside a conversion
        ROW(L"<Error>", L"%-", 0),
    };
    for (const Row& row : rows)
        EXPECT_EQ(std::wstring(row.expected), row.actual) << "format: " << row.format;
}

TEST(FormatPrintf, EightBit)
{
    EXPECT_EQ("[ab] A -0042 ff", A("[%s] %c %05d %x", "ab", 0x141, -42, 255));
    EXPECT_EQ("[]", A("[%s]", static_cast<const char*>(nullptr)));
    EXPECT_EQ("<Error> 1", A("%g %d", 1));
    EXPECT_EQ("-9223372036854775808", A("%I64d", INT64_MIN));
}

TEST(FormatPrintf, NullFormatIsEmpty)
{
    EXPECT_EQ(L"", W(nullptr, 0));
    EXPECT_EQ("", A(nullptr, 0));
}

TEST(FormatPrintf, OutputBeyondAnIntIsRefused)
{
    EXPECT_EQ(INT_MAX - 1, Measure(L"%2147483646d", 1));
    EXPECT_EQ(-1, Measure(L"%2147483647d", 1));
    EXPECT_EQ(-1, Measure(L"%2147483646d%d", 1, 2));
    EXPECT_EQ(-1, Measure(L"%99999999999999999999d", 1)); // the width saturates, never wraps
}

} // namespace

// The switch parser on its own: tokens, switch forms, typed rows and refusals.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "CmdLineParser.h"

namespace {

bool g_callbackResult = true;
std::wstring g_callbackSeen;

bool Callback(const wchar_t* name, const wchar_t* value)
{
    g_callbackSeen = std::wstring(name) + L"=" + value;
    return g_callbackResult;
}

struct Variables {
    ALT::TString<wchar_t, 0, 8> text;
    wchar_t chars[6] = L"";
    bool flag = false;
    bool clear = true;
    int32_t number = 7;
    uint32_t count = 7;
    float real = 0;
};

class RecordingParser : public CCmdLineParser {
public:
    explicit RecordingParser(Variables& v)
    {
        const CMDLINE_SWITCH table[] = {
            {L"text", CMD_SWITCH_STRING, &v.text, 0},
            {L"chars", CMD_SWITCH_CHARS, v.chars, 6},
            {L"flag", CMD_SWITCH_FLAG, &v.flag, 0},
            {L"clear", CMD_SWITCH_CLEAR, &v.clear, 0},
            {L"number", CMD_SWITCH_INT, &v.number, 0},
            {L"count", CMD_SWITCH_UINT, &v.count, 0},
            {L"real", CMD_SWITCH_FLOAT, &v.real, 0},
            {L"call", CMD_SWITCH_CALLBACK, reinterpret_cast<void*>(&Callback), 0},
            {L"odd", 9, nullptr, 0},
            {nullptr, 0, nullptr, 0},
        };
        AddSwitchTable(table);
    }
    bool OnArguments(const wchar_t** argv, int argc) override
    {
        arguments.assign(argv, argv + argc);
        terminated = argv[argc] == nullptr;
        called = true;
        return true;
    }
    std::vector<std::wstring> arguments;
    bool terminated = false;
    bool called = false;
};

TEST(CmdLineParser, PositionalTokens)
{
    struct Case {
        const wchar_t* line;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {L"", {}},
        {L"  a  b  ", {L"a", L"b"}},                        // runs of blanks make no empty argument
        {L"\"C:\\a b.jpg\" x", {L"C:\\a b.jpg", L"x"}},
        {L"\"\" x", {L"", L"x"}},                            // an empty quoted argument stays
        {L"a \"open to the end", {L"a", L"open to the end"}}, // no closing quote: the rest
        {L"-90 /5 -1.5", {L"-90", L"/5", L"-1.5"}},           // a sign or slash before a digit
        {L"tab\there", {L"tab\there"}},                       // only the blank separates
    };
    for (const Case& c : cases) {
        Variables v;
        RecordingParser parser(v);
        EXPECT_TRUE(parser.Parse(c.line)) << c.line;
        EXPECT_EQ(parser.arguments, c.expected) << c.line;
        EXPECT_TRUE(parser.terminated) << c.line;
    }
    Variables v;
    RecordingParser parser(v);
    EXPECT_TRUE(parser.Parse(nullptr));
    EXPECT_TRUE(parser.arguments.empty());
}

TEST(CmdLineParser, FlagForms)
{
    struct Case {
        const wchar_t* line;
        bool flag;
    };
    const Case cases[] = {
        {L"/flag", true},   {L"-FLAG", true},    {L"/Flag+", true},  {L"/flag-", false},
        {L"/flag=1", true}, {L"/flag:x", true},  {L"-flag=-", true}, // "=" skips the signs after it
        {L"a /flag- b", false},
    };
    for (const Case& c : cases) {
        Variables v;
        RecordingParser parser(v);
        EXPECT_TRUE(parser.Parse(c.line)) << c.line;
        EXPECT_EQ(v.flag, c.flag) << c.line;
    }
}

TEST(CmdLineParser, TypedValues)
{
    Variables v;
    RecordingParser parser(v);
    ASSERT_TRUE(parser.Parse(L"in /text=\"a b\" /chars=abcdefgh /clear /number=-12 -count:34 /real=2.5 out"));
    EXPECT_STREQ(v.text.GetString(), L"a b");
    EXPECT_STREQ(v.chars, L"abcde"); // cut to the buffer
    EXPECT_FALSE(v.clear);
    EXPECT_EQ(v.number, 12);         // the run after "=" takes the sign with it
    EXPECT_EQ(v.count, 34u);
    EXPECT_FLOAT_EQ(v.real, 2.5f);
    EXPECT_EQ(parser.arguments, (std::vector<std::wstring>{L"in", L"out"}));

    Variables w;
    RecordingParser negative(w);
    ASSERT_TRUE(negative.Parse(L"/number-12 /text"));
    EXPECT_EQ(w.number, -12);
    EXPECT_STREQ(w.text.GetString(), L"");
}

TEST(CmdLineParser, FirstValueWins)
{
    Variables v;
    RecordingParser parser(v);
    ASSERT_TRUE(parser.Parse(L"/number=1 /NUMBER=2"));
    EXPECT_EQ(v.number, 1);
}

TEST(CmdLineParser, Refusals)
{
    struct Case {
        const wchar_t* line;
        const wchar_t* error;
    };
    const Case cases[] = {
        {L"/foo a", L"Invalid switch \"foo\""},
        {L"/number=x", L"Invalid value of switch \"number\""},
        {L"/number", L"Invalid value of switch \"number\""},
        {L"/number=-", L"Invalid value of switch \"number\""},
        {L"/number=5x", L"Invalid value of switch \"number\""},
        {L"/count-3", L"Invalid value of switch \"count\""},
        {L"/", L"Invalid switch \"\""},
    };
    for (const Case& c : cases) {
        Variables v;
        RecordingParser parser(v);
        EXPECT_FALSE(parser.Parse(c.line)) << c.line;
        EXPECT_STREQ(parser.GetError(), c.error) << c.line;
        EXPECT_FALSE(parser.called) << c.line;
    }
    // Switches apply in name order, so an unknown one stops those after it.
    Variables v;
    RecordingParser parser(v);
    EXPECT_FALSE(parser.Parse(L"/flag /zzz /clear /bad"));
    EXPECT_STREQ(parser.GetError(), L"Invalid switch \"bad\"");
    EXPECT_TRUE(v.clear);
    EXPECT_FALSE(v.flag);
}

TEST(CmdLineParser, CallbackAndBadRow)
{
    Variables v;
    RecordingParser parser(v);
    g_callbackResult = true;
    EXPECT_TRUE(parser.Parse(L"/call=\"x y\" /odd"));
    EXPECT_EQ(g_callbackSeen, L"call=x y");
    EXPECT_STREQ(parser.GetError(), L"Invalid value type 9");
    g_callbackResult = false;
    EXPECT_FALSE(parser.Parse(L"/call"));
    EXPECT_EQ(g_callbackSeen, L"call=");
    EXPECT_STREQ(parser.GetError(), L"");
    g_callbackResult = true;
}

} // namespace

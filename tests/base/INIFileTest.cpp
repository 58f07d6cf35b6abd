#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "INIFile.h"
#include "TestSupport.h"

namespace {

using testsupport::TempFolder;

struct Entry {
    std::wstring section, key, value;
    bool quoted;
    bool operator==(const Entry& o) const { return section == o.section && key == o.key && value == o.value && quoted == o.quoted; }
};

std::ostream& operator<<(std::ostream& out, const Entry& e)
{
    return out << "[" << std::string(e.section.begin(), e.section.end()) << "] " << std::string(e.key.begin(), e.key.end())
               << "=<" << std::string(e.value.begin(), e.value.end()) << ">" << (e.quoted ? " quoted" : "");
}

std::vector<Entry> Entries(const CINIFile& ini)
{
    std::vector<Entry> entries;
    for (auto s = ini.GetSections().Begin(); s != ini.GetSections().End(); s.Next())
        for (auto e = s->entries.Begin(); e != s->entries.End(); e.Next())
            entries.push_back({s->name.GetString(), e->key.GetString(), e->value.GetString(), e->quoted != 0});
    return entries;
}

void Append(CINIFile& ini, const std::string& text)
{
    ini.AppendText(text.data(), uint32_t(text.size()));
}

TEST(INIFile, ReadsLines)
{
    struct Case {
        const char* line;
        std::vector<Entry> entries;
    } const cases[] = {
        {"k = v ;comment", {{L"", L"k", L"v", true}}}, // the ";" of the comment sets the flag
        {"path=C:\\Photos", {{L"", L"path", L"C:\\Photos", true}}},
        {"plain=value", {{L"", L"plain", L"value", false}}},
        {"a==b", {{L"", L"a", L"b", false}}},
        {"a = =b", {{L"", L"a", L"=b", true}}},
        {"\t empty =", {{L"", L"empty", L"", false}}},
        {"; comment=1", {}},
        {"   ;x=y", {}},
        {"noequals", {}},
        {"x;y=z", {}},
        {"[ Open section \r\nk=1", {{L"Open section", L"k", L"1", false}}},
        {"[S]\r\nk=\"a;b\" ; note", {{L"S", L"k", L"a;b", true}}},
        {"k=\"say \"hi\"\"", {{L"", L"k", L"say \"hi\"", true}}},
        {"k=  \"  padded  \"", {{L"", L"k", L"  padded  ", true}}},
        {"k=\"\"", {{L"", L"k", L"", true}}},
        {"k=\"open;rest", {{L"", L"k", L"open", true}}},
        {"k=\"a\" b", {{L"", L"k", L"a\" b", true}}},
    };
    for (const Case& c : cases) {
        CINIFile ini;
        Append(ini, c.line);
        EXPECT_EQ(Entries(ini), c.entries) << c.line;
    }
}

TEST(INIFile, WritesUnnamedSectionFirstAndQuotesWhatNeedsIt)
{
    CINIFile ini;
    Append(ini, "[Update]\r\nLatestVersion=2.1\r\ntop=1\r\n");
    Append(ini, "[update]\r\nQueryPeriod = 12\r\n");
    Append(ini, "\r\n[Paths]\r\nData=C:\\Data\r\nData=second\r\n");

    ALT::TString<char, 0, 4096> text;
    ASSERT_TRUE(ini.WriteText(text));
    EXPECT_STREQ(text.GetString(), "[Update]\r\nLatestVersion=2.1\r\ntop=1\r\nQueryPeriod=12\r\n"
                                   "[Paths]\r\nData=\"C:\\Data\"\r\nData=second\r\n");

    // Keys before the first header are written first, without one.
    CINIFile withTop;
    Append(withTop, "top=1\r\n[A]\r\nx=1\r\n");
    ALT::TString<char, 0, 4096> topText;
    withTop.WriteText(topText);
    EXPECT_STREQ(topText.GetString(), "top=1\r\n[A]\r\nx=1\r\n");

    wchar_t value[8];
    EXPECT_TRUE(ini.GetString(value, L"PATHS", L"data", 8));
    EXPECT_STREQ(value, L"C:\\Data"); // the first of two equal keys
    EXPECT_TRUE(ini.GetString(value, L"Update", L"LatestVersion", 3));
    EXPECT_STREQ(value, L"2."); // capacity 3: two characters and the terminator
    EXPECT_FALSE(ini.GetString(value, L"Update", L"Missing", 8));
    EXPECT_STREQ(value, L"");
    EXPECT_FALSE(ini.GetString(value, L"Nowhere", L"Data", 8));
}

TEST(INIFile, ParsingAgainAddsNothingTwice)
{
    CINIFile ini;
    Append(ini, "[A]\r\nx=1\r\n");
    Append(ini, "[B]\r\ny=2\r\n");
    ini.ParseIni();
    const std::vector<Entry> expected = {{L"A", L"x", L"1", false}, {L"B", L"y", L"2", false}};
    EXPECT_EQ(Entries(ini), expected);
}

TEST(INIFile, QuotedValuesReadBackWhole)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"settings.ini");
    ASSERT_TRUE(TempFolder::Put(path, "top=C:\\x;y\r\n[S]\r\nsemi=\"a;b;c\" ; why\r\nquote=\"he said \"no\"\"\r\ncolon=http://h:80/p\r\nplain=v\r\n"
                                  "equals = =x\r\n"));
    CINIFile ini;
    ASSERT_TRUE(ini.OpenImage(path.c_str(), nullptr));
    const std::vector<Entry> before = Entries(ini);
    ASSERT_EQ(before.size(), 6u);
    EXPECT_EQ(before[1].value, L"a;b;c");

    // Onto its own path (null): the file is rewritten and read again.
    ASSERT_TRUE(ini.SaveAs(nullptr));
    EXPECT_EQ(Entries(ini), before);
    CINIFile again;
    ASSERT_TRUE(again.OpenImage(path.c_str(), nullptr));
    EXPECT_EQ(Entries(again), before);
    EXPECT_EQ(TempFolder::Get(path), "top=\"C:\\x\"\r\n[S]\r\nsemi=\"a;b;c\"\r\nquote=\"he said \"no\"\"\r\n"
                                     "colon=\"http://h:80/p\"\r\nplain=v\r\nequals=\"=x\"\r\n");

    // Written elsewhere, then a second round from there.
    const std::wstring copy = folder.At(L"copy.ini");
    ASSERT_TRUE(again.SaveAs(copy.c_str()));
    CINIFile third;
    ASSERT_TRUE(third.OpenImage(copy.c_str(), nullptr));
    EXPECT_EQ(Entries(third), before);

    CINIFile unopened;
    EXPECT_FALSE(unopened.SaveAs(nullptr));
}

TEST(INIFile, UpdatePeriod)
{
    struct Case {
        const char* text;
        int period;
    } const cases[] = {
        {"[Update]\r\nQueryPeriod=48", 48},
        {"[Update]\r\nQueryPeriod=-5", -5},
        {"[Update]\r\nQueryPeriod=", 24},
        {"[Update]\r\nQueryPeriod=1a", 24},
        {"[Update]\r\nQueryPeriod=-", 24},
        {"[Update]\r\nQueryPeriod=99999999999", 24},
        {"[Update]\r\nQueryPeriod=-2147483648", -2147483647 - 1},
        {"[Update]\r\nOther=1", 24},
        {"QueryPeriod=6", 24},
        {"[update]\r\nqueryperiod = 6 ", 6},
    };
    for (const Case& c : cases) {
        CINIFile ini;
        Append(ini, c.text);
        EXPECT_EQ(ini.GetUpdatePeriod(), c.period) << c.text;
    }
}

} // namespace

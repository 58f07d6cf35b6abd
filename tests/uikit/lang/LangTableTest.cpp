// The language list, "Auto" resolution, the translation file's pair rules and lookups, and
// files that are not language files.
#include <gtest/gtest.h>
#include "LangTable.h"
#include "LangTestSupport.h"

namespace {

std::wstring Name(const CLangTable& table, DWORD id)
{
    CLangTable::Languages::Iter it = table.m_languages.Find(id);
    return it.IsEnd() ? L"<none>" : std::wstring(it.GetValue().name.GetString()) + L"/" + it.GetValue().localName.GetString();
}

TEST(LanguageList, LinesAndIds)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"Language.lst");
    ASSERT_TRUE(PutUtf16(path, L"German|Deutsch|0407\r\n"
                               L"French|Fran\u00E7ais|0x040C\r\n"
                               L"Italian|Italiano|0X0410\r\n"
                               L"Dutch||413\r\n"
                               L"Swiss|Schweiz|0807\r\n"
                               L"Second German|Zweites|0407\r\n"
                               L"Hex letter|X|04G7\r\n"
                               L"Nine digits|X|000000407\r\n"
                               L"Empty id|X|\r\n"
                               L"Bare prefix|X|0x\r\n"
                               L"Blank in id|X| 0409\r\n"
                               L"One bar|0409\r\n"
                               L"|No name|0411\r\n"
                               L"Japanese|\u65E5\u672C\u8A9E|0000_0411\n"
                               L"Korean|\uD55C\uAD6D\uC5B4|0412"));
    CLangTable table;
    ASSERT_TRUE(table.LoadLanguageList(path.c_str()));
    EXPECT_EQ(table.m_languages.GetCount(), 6);
    EXPECT_EQ(Name(table, 0x0407), L"German/Deutsch"); // the first line of an id wins
    EXPECT_EQ(Name(table, 0x040C), L"French/Fran\u00E7ais");
    EXPECT_EQ(Name(table, 0x0410), L"Italian/Italiano");
    EXPECT_EQ(Name(table, 0x0413), L"Dutch/Dutch"); // an empty local name takes the name
    EXPECT_EQ(Name(table, 0x0807), L"Swiss/Schweiz");
    EXPECT_EQ(Name(table, 0x0411), L"<none>");
    EXPECT_EQ(Name(table, 0x0412), L"Korean/\uD55C\uAD6D\uC5B4"); // a last line without a break
    ASSERT_NE(table.FindLanguage(L"Swiss"), nullptr);
    EXPECT_EQ(table.FindLanguage(L"swiss"), nullptr);

    EXPECT_FALSE(table.LoadLanguageList(folder.At(L"missing.lst").c_str()));
    EXPECT_EQ(table.m_languages.GetCount(), 0);
}

TEST(LanguageList, AutoBySystemLanguage)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"Language.lst");
    ASSERT_TRUE(PutUtf16(path, L"German|Deutsch|0407\r\n"
                               L"Spanish (modern)|Espa\u00F1ol|0C0A\r\n"
                               L"Spanish|Espa\u00F1ol|040A\r\n"
                               L"Simplified Chinese|\u7B80\u4F53\u4E2D\u6587|0804\r\n"
                               L"English|English|0409\r\n"));
    CLangTable table;
    ASSERT_TRUE(table.LoadLanguageList(path.c_str()));
    const struct {
        LANGID system;
        const wchar_t* expected;
    } cases[] = {
        {0x0407, L"German"},
        {0x0807, L"German"},             // Swiss German: by its primary language
        {0x080A, L"Spanish"},            // the lowest id of the primary language
        {0x0C0A, L"Spanish (modern)"},   // an exact id first
        {0x1004, L"Simplified Chinese"}, // Singapore
        {0x0409, L"English"},
        {0x0809, L"Auto"}, // English without its own entry stays untranslated
        {0x0411, L"Auto"}, // no Japanese
    };
    for (const auto& c : cases)
        EXPECT_STREQ(table.ResolveAuto(c.system), c.expected) << std::hex << c.system;

    CLangTable empty;
    EXPECT_STREQ(empty.ResolveAuto(0x0407), L"Auto");
}

TEST(LanguageFile, PairsAndLookups)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"German.txt");
    ASSERT_TRUE(PutUtf16(path, L"\r\n\r\n"
                               L"Open\r\nOffnen\r\n"
                               L"Save\r\n;Speichern\r\n"    // untranslated
                               L"Close\r\n\r\n"             // empty translation: not entered
                               L"Print\r\nDrucken\r\n\r\n"  // a new pair after the empty line
                               L"open\r\nZweites\r\n"       // the first pair of a text wins
                               L"%d pictures\r\n%d Bilder\n" // LF alone ends a line too
                               L"%s of %d\r%d von %s\r\n"    // swapped conversions: English
                               L"100%% done\r\n100%% fertig\r\n"
                               L"  Spaced  \r\n  Abstand  \r\n"
                               L"Dangling"));
    CLangTable table;
    ASSERT_TRUE(table.LoadLanguageFile(path.c_str()));
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {L"Open", L"Offnen"},
        {L"OPEN", L"Offnen"},
        {L"Save", L"Save"},
        {L"Close", L"Close"},
        {L"Print", L"Drucken"},
        {L"%D PICTURES", L"%d Bilder"},
        {L"%s of %d", L"%s of %d"},
        {L"100%% done", L"100%% fertig"},
        {L"  Spaced  ", L"  Abstand  "},
        {L"Spaced", L"Spaced"},
        {L"Dangling", L"Dangling"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(table.Lookup(c.text), c.expected) << c.text;
    EXPECT_EQ(table.m_translations.GetCount(), 6);

    // A missing text comes back as the very pointer given, null included.
    const wchar_t missing[] = L"Not in the file";
    EXPECT_EQ(table.Lookup(missing), missing);
    EXPECT_EQ(table.Lookup(nullptr), nullptr);
}

TEST(LanguageFile, NotALanguageFile)
{
    TempFolder folder;
    const struct {
        const char* name;
        std::string bytes;
        bool read;
        int entries;
    } cases[] = {
        {"utf8", "Open\r\nOffnen\r\n", false, 0},
        {"big-endian", std::string("\xFE\xFF\0O\0\r\0\n\0X", 10), false, 0},
        {"empty", "", false, 0},
        {"mark only", "\xFF\xFE", true, 0},
        {"odd byte", std::string("\xFF\xFEO\0\n\0X\0!", 9), true, 1},
        {"nul inside", std::string("\xFF\xFEO\0\0\0\n\0X\0", 10), true, 1},
    };
    for (const auto& c : cases) {
        const std::wstring path = folder.At(L"file.txt");
        ASSERT_TRUE(TempFolder::Put(path, c.bytes));
        CLangTable table;
        table.m_translations.Insert(CLangTable::Key(L"Old"), CLangTable::String(L"Alt"));
        EXPECT_EQ(table.LoadLanguageFile(path.c_str()), c.read) << c.name;
        EXPECT_EQ(table.m_translations.GetCount(), c.entries) << c.name;
        EXPECT_STREQ(table.Lookup(L"Old"), L"Old") << c.name;
    }
    CLangTable table;
    EXPECT_FALSE(table.LoadLanguageFile(folder.At(L"missing.txt").c_str()));
    EXPECT_FALSE(table.LoadLanguageFile(nullptr));
}

TEST(LanguageFile, FormatConversions)
{
    const struct {
        const wchar_t* english;
        const wchar_t* translated;
        bool same;
    } cases[] = {
        {L"%d Languages", L"\u5171 %d \u79CD\u8BED\u8A00", true},
        {L"%s: %d%%", L"%s\uFF1A%d%%", true},
        {L"%-8.3s|%08X", L"%8s|%X", true}, // flags, width and precision do not matter
        {L"%I64d bytes", L"%I64d Bytes", true},
        {L"No format", L"Kein Format", true},
        {L"%s of %d", L"%d von %s", false},
        {L"%d", L"%s", false},
        {L"%d", L"%ld", false},
        {L"%d", L"%I64d", false},
        {L"%*d", L"%d", false},
        {L"%d", L"", false},
        {L"Done", L"Fertig %s", false},
        {L"Done", L"Fertig %", false},
        {L"%s", L"%%s", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SameFormatConversions(c.english, c.translated), c.same) << c.english << L" / " << c.translated;
}

} // namespace

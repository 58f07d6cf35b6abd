#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "TXTFile.h"
#include "TestSupport.h"
#include "UTXTFile.h"

namespace {

using testsupport::TempFolder;

std::vector<std::string> Lines(CTXTFile& file)
{
    std::vector<std::string> lines;
    for (auto it = file.GetLines().Begin(); it != file.GetLines().End(); it.Next())
        lines.emplace_back(it->GetString());
    return lines;
}

std::vector<std::wstring> Lines(CUTXTFile& file)
{
    std::vector<std::wstring> lines;
    for (auto it = file.GetLines().Begin(); it != file.GetLines().End(); it.Next())
        lines.emplace_back(it->GetString());
    return lines;
}

std::string Wide(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST(TextFile, SplitsAtRunsOfDelimiters)
{
    struct Case {
        const char* text;
        const char* extraDelimiters;
        std::vector<std::string> lines;
    } const cases[] = {
        {"a\r\n\r\nb", "", {"a", "b"}},
        {"a\r\nb", "", {"a", "b"}}, // no final break: the rest is the last line
        {"a\r\nb\r\n", "", {"a", "b"}},
        {"\r\n\r\n\n", "", {}},
        {"a\rb\nc", "", {"a", "b", "c"}},
        {"x,y;;z", ",;", {"x", "y", "z"}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        CTXTFile narrow;
        narrow.AddDelimiters(c.extraDelimiters);
        EXPECT_EQ(narrow.ParseText(c.text, uint32_t(strlen(c.text))), int(c.lines.size())) << c.text;
        EXPECT_EQ(Lines(narrow), c.lines) << c.text;

        CUTXTFile wide;
        const std::wstring wideDelimiters(c.extraDelimiters, c.extraDelimiters + strlen(c.extraDelimiters));
        wide.AddDelimiters(wideDelimiters.c_str());
        const std::wstring text = std::wstring(1, 0xFEFF) + std::wstring(c.text, c.text + strlen(c.text));
        EXPECT_TRUE(wide.AppendText(text.c_str(), uint32_t(text.size() * 2))); // the mark is skipped
        std::vector<std::wstring> expected;
        for (const std::string& line : c.lines)
            expected.emplace_back(line.begin(), line.end());
        EXPECT_EQ(Lines(wide), expected) << c.text;
    }
}

TEST(TextFile, EveryLineEndsInCrLfAndByteOrderDecidesTheClass)
{
    TempFolder folder;
    CTXTFile narrow;
    narrow.AddLine("first");
    narrow.AddLine("");
    narrow.AddLine("last");
    ASSERT_TRUE(narrow.SaveAs(folder.At(L"a.txt").c_str()));
    EXPECT_EQ(TempFolder::Get(folder.At(L"a.txt")), "first\r\n\r\nlast\r\n");

    CUTXTFile wide;
    wide.AddLine(L"\x7167\x7247");
    wide.AddLine(L"b");
    ASSERT_TRUE(wide.SaveAs(folder.At(L"w.txt").c_str()));
    EXPECT_EQ(TempFolder::Get(folder.At(L"w.txt")), Wide(std::wstring(1, 0xFEFF) + L"\x7167\x7247\r\nb\r\n"));
    EXPECT_EQ(folder.List().size(), 2u); // no temporary file left behind

    CTXTFile readNarrow;
    EXPECT_FALSE(readNarrow.OpenImage(folder.At(L"w.txt").c_str(), nullptr));
    EXPECT_FALSE(readNarrow.IsOpen());
    ASSERT_TRUE(readNarrow.OpenImage(folder.At(L"a.txt").c_str(), nullptr));
    EXPECT_EQ(Lines(readNarrow), (std::vector<std::string>{"first", "last"}));

    CUTXTFile readWide;
    EXPECT_FALSE(readWide.OpenImage(folder.At(L"a.txt").c_str(), nullptr));
    ASSERT_TRUE(readWide.OpenImage(folder.At(L"w.txt").c_str(), nullptr));
    EXPECT_EQ(Lines(readWide), (std::vector<std::wstring>{L"\x7167\x7247", L"b"}));

    // A stray odd byte after UTF-16 text, a bare mark, a single byte.
    const struct {
        std::string bytes;
        bool opens;
        size_t lines;
    } odd[] = {
        {Wide(std::wstring(1, 0xFEFF) + L"ab") + "x", true, 1},
        {"\xFF\xFE", true, 0},
        {"\xFF", false, 0},
        {"", false, 0},
    };
    for (const auto& c : odd) {
        ASSERT_TRUE(TempFolder::Put(folder.At(L"odd.txt"), c.bytes));
        CUTXTFile file;
        EXPECT_EQ(file.OpenImage(folder.At(L"odd.txt").c_str(), nullptr), c.opens) << c.bytes.size();
        EXPECT_EQ(Lines(file).size(), c.lines);
    }
}

TEST(TextFile, SavingOntoItsOwnPathKeepsTheContent)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"own.txt");
    ASSERT_TRUE(TempFolder::Put(path, "one\r\ntwo\r\n"));
    CTXTFile narrow;
    ASSERT_TRUE(narrow.OpenImage(path.c_str(), nullptr));
    narrow.AddLine("three");
    ASSERT_TRUE(narrow.SaveAs(path.c_str()));
    EXPECT_EQ(TempFolder::Get(path), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(Lines(narrow), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_TRUE(narrow.IsOpen());

    // The same file named in other letter case is still the file itself.
    std::wstring upper = path;
    for (wchar_t& c : upper)
        c = towupper(c);
    ASSERT_TRUE(narrow.SaveAs(upper.c_str()));
    EXPECT_EQ(TempFolder::Get(path), "one\r\ntwo\r\nthree\r\n");

    const std::wstring widePath = folder.At(L"own-w.txt");
    ASSERT_TRUE(TempFolder::Put(widePath, Wide(std::wstring(1, 0xFEFF) + L"x\r\ny")));
    CUTXTFile wide;
    ASSERT_TRUE(wide.OpenImage(widePath.c_str(), nullptr));
    ASSERT_TRUE(wide.SaveAs(widePath.c_str()));
    EXPECT_EQ(TempFolder::Get(widePath), Wide(std::wstring(1, 0xFEFF) + L"x\r\ny\r\n"));

    // A write that cannot happen is a failure, and the file object keeps its lines.
    EXPECT_FALSE(narrow.SaveAs(folder.At(L"no such folder\\x.txt").c_str()));
    EXPECT_FALSE(narrow.SaveAs(nullptr));
    EXPECT_EQ(Lines(narrow).size(), 3u);
}

TEST(TextFile, InsertAndReplaceText)
{
    struct Case {
        const char* what;
        bool replace;
        int line, start, count;
        const char* text;
        bool result;
        std::vector<std::string> lines;
    } const cases[] = {
        {"insert inside", false, 0, 2, 0, "XY", true, {"abXYcdef", "ghi"}},
        {"insert column clamped", false, 1, 99, 0, "!", true, {"abcdef", "ghi!"}},
        {"insert before the start", false, 1, -5, 0, ">", true, {"abcdef", ">ghi"}},
        {"insert past the end appends", false, 7, 0, 0, "new", true, {"abcdef", "ghi", "new"}},
        {"replace a middle range", true, 0, 1, 2, "123", true, {"a123def", "ghi"}},
        {"replace splits at delimiters", true, 0, 2, 1, "\r\n", true, {"ab", "def", "ghi"}},
        {"range to the line end", true, 0, 3, 3, "z", false, {"abcdef", "ghi"}},
        {"line past the last", true, 2, 0, 1, "z", false, {"abcdef", "ghi"}},
        {"negative count", true, 0, 1, -1, "z", false, {"abcdef", "ghi"}},
    };
    for (const Case& c : cases) {
        CTXTFile file;
        file.ParseText("abcdef\r\nghi", 11);
        const bool result = c.replace ? file.ReplaceText(c.line, c.start, c.text, c.count) : file.InsertText(c.line, c.start, c.text);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(Lines(file), c.lines) << c.what;
    }
}

TEST(TextFile, SkipEmptyLines)
{
    CUTXTFile file;
    file.AddLine(L"");
    file.AddLine(L"");
    file.AddLine(L"x");
    file.AddLine(L"");
    CUTXTFile::LineList::Iter position = file.GetLines().Begin();
    ASSERT_TRUE(file.SkipEmptyLines(position));
    EXPECT_STREQ(position->GetString(), L"x");
    position.Next();
    EXPECT_FALSE(file.SkipEmptyLines(position));
    EXPECT_TRUE(position == file.GetLines().End());
}

} // namespace

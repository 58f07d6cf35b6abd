#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "TestSupport.h"
#include "XmlWriter.h"

namespace {

using testsupport::TempFolder;

const std::wstring kHeader = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n";

std::string Utf16Le(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return bytes;
}

std::wstring Written(const XmlNode* node)
{
    std::wstring out;
    XmlWriteNode(node, out, 0);
    return out;
}

TEST(XmlWriter, ShapesOfElements)
{
    XmlDocument document;
    XmlNode* empty = document.AddChild(L"Empty", XML_NODE_ELEMENT);
    empty->AddAttribute(L"A")->SetValue(L"1");
    empty->AddAttribute(L"B");
    EXPECT_EQ(Written(empty), L"<Empty A=\"1\" B=\"\"/>\r\n");

    XmlNode* leaf = document.AddChild(L"Leaf", XML_NODE_ELEMENT);
    leaf->SetValue(L"text");
    EXPECT_EQ(Written(leaf), L"<Leaf>text</Leaf>\r\n");

    XmlNode* parent = document.AddChild(L"Parent", XML_NODE_ELEMENT);
    parent->SetValue(L"dropped");
    parent->AddChild(L"Child", XML_NODE_ELEMENT)->AddChild(L"Grandchild", XML_NODE_ELEMENT)->SetIntValue(7);
    parent->AddChild(L"a note", XML_NODE_COMMENT);
    EXPECT_EQ(Written(parent), L"<Parent>\r\n"
                               L"\t<Child>\r\n"
                               L"\t\t<Grandchild>7</Grandchild>\r\n"
                               L"\t</Child>\r\n"
                               L"\t<!--a note-->\r\n"
                               L"</Parent>\r\n");
    std::wstring deeper;
    XmlWriteNode(leaf, deeper, 2);
    EXPECT_EQ(deeper, L"\t\t<Leaf>text</Leaf>\r\n");
}

TEST(XmlWriter, FileHasMarkHeaderAndEveryTopLevelNode)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"main.xml");
    XmlDocument document;
    document.AddChild(L"First", XML_NODE_ELEMENT)->AddAttribute(L"Version")->SetValue(L"1");
    document.AddChild(L"Second", XML_NODE_ELEMENT)->SetValue(L"2");
    ASSERT_TRUE(XmlSaveFile(&document, path.c_str()));
    EXPECT_EQ(TempFolder::Get(path), Utf16Le(kHeader + L"<First Version=\"1\"/>\r\n<Second>2</Second>\r\n"));
    EXPECT_EQ(folder.List().size(), 1u); // no temporary file left beside it
}

// Every character that markup gives a meaning to, and those XML forbids.
TEST(XmlWriter, ValuesComeBackThroughTheReader)
{
    const struct {
        const wchar_t* value;
        const wchar_t* read; // null: the value itself
    } cases[] = {
        {L"Tom & Jerry", nullptr},
        {L"say \"hi\" <b>", nullptr},
        {L"a<b>c&d\"e'f", nullptr},
        {L"&amp; &lt; &#65;", nullptr},
        {L"tab\tcr\rlf\n", nullptr},
        {L"\xD83D\xDE00 \x4E2D\x6587", nullptr},
        {L"-->", nullptr},
        {L"bell\x07nul", L"bell\xFFFDnul"},
        {L"lone \xD800 high", L"lone \xFFFD high"},
        {L"lone \xDC00 low", L"lone \xFFFD low"},
        {L"end \xD83D", L"end \xFFFD"},
        {L"\xFFFE\xFFFF", L"\xFFFD\xFFFD"},
    };
    TempFolder folder;
    const std::wstring path = folder.At(L"values.xml");
    for (const auto& c : cases) {
        const wchar_t* expected = c.read ? c.read : c.value;
        XmlDocument document;
        XmlNode* root = document.AddChild(L"Root", XML_NODE_ELEMENT);
        root->AddAttribute(L"Name")->SetValue(c.value);
        root->AddChild(L"Text", XML_NODE_ELEMENT)->SetValue(c.value);
        root->AddChild(c.value, XML_NODE_COMMENT);
        ASSERT_TRUE(XmlSaveFile(&document, path.c_str()));

        XmlDocument read;
        ASSERT_TRUE(XmlLoadFile(&read, path.c_str())) << TempFolder::Get(path);
        XmlNode* readRoot = read.FindChild(L"Root");
        ASSERT_NE(readRoot, nullptr);
        ASSERT_EQ(readRoot->children.size(), 2u);
        EXPECT_STREQ(readRoot->FindAttribute(L"Name")->value, expected);
        EXPECT_STREQ(readRoot->FindChild(L"Text")->value, expected);
        // A comment keeps its text apart from "--", which it may not hold.
        const std::wstring comment = readRoot->children.back().name;
        EXPECT_EQ(comment.find(L"--"), std::wstring::npos) << comment;
        EXPECT_NE(comment.back(), L'-');
    }
}

TEST(XmlWriter, CommentsBreakUpDashes)
{
    XmlDocument document;
    const struct {
        const wchar_t* text;
        const wchar_t* written;
    } cases[] = {
        {L"a--b", L"<!--a- -b-->\r\n"},
        {L"a-", L"<!--a- -->\r\n"},
        {L"---", L"<!--- - - -->\r\n"},
        {L"a-b", L"<!--a-b-->\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written(document.AddChild(c.text, XML_NODE_COMMENT)), c.written) << c.text;
}

TEST(XmlWriter, OldUnescapedFileReadsAsBefore)
{
    // As the writer that escaped nothing stored a layer named "Tom & Jerry" and a text "x < y".
    TempFolder folder;
    const std::wstring path = folder.At(L"main.xml");
    ASSERT_TRUE(TempFolder::Put(path, Utf16Le(kHeader + L"<KQEditor>\r\n"
                                                       L"\t<Layer Name=\"Tom & Jerry\" Note=\"x < y &c\">\r\n"
                                                       L"\t\t<Text>fish & chips &amp</Text>\r\n"
                                                       L"\t</Layer>\r\n"
                                                       L"</KQEditor>\r\n")));
    XmlDocument document;
    ASSERT_TRUE(XmlLoadFile(&document, path.c_str()));
    XmlNode* layer = document.FindChild(L"KQEditor")->FindChild(L"Layer");
    ASSERT_NE(layer, nullptr);
    EXPECT_STREQ(layer->FindAttribute(L"Name")->value, L"Tom & Jerry");
    EXPECT_STREQ(layer->FindAttribute(L"Note")->value, L"x < y &c");
    EXPECT_STREQ(layer->FindChild(L"Text")->value, L"fish & chips &amp");
}

TEST(XmlWriter, FailedSaveKeepsTheOldFile)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"main.xml");
    const std::string old = "old bytes";
    XmlDocument document;
    document.AddChild(L"New", XML_NODE_ELEMENT);

    ASSERT_TRUE(TempFolder::Put(path, old));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(XmlSaveFile(&document, path.c_str()));
    EXPECT_EQ(TempFolder::Get(path), old);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));

    HANDLE locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(XmlSaveFile(&document, path.c_str()));
    CloseHandle(locked);
    EXPECT_EQ(TempFolder::Get(path), old);

    EXPECT_FALSE(XmlSaveFile(&document, folder.At(L"missing\\main.xml").c_str()));
    EXPECT_EQ(folder.List().size(), 1u);
}

} // namespace

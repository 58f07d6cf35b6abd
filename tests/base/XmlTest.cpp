#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "TestSupport.h"
#include "XmlDocument.h"

namespace {

using testsupport::TempFolder;

std::string Utf16(const std::wstring& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char hi = char(c >> 8), lo = char(c & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

bool Parse(XmlDocument& document, const std::string& bytes)
{
    return XmlParseBuffer(&document, bytes.data(), bytes.size());
}

bool IsEmpty(const XmlDocument& document)
{
    return document.children.empty() && !document.buffer;
}

TEST(Xml, EncodingsGiveTheSameText)
{
    // "é" and U+1F600, which UTF-16 carries as a surrogate pair.
    const std::string utf8 = "<a t=\"\xC3\xA9\">x\xF0\x9F\x98\x80y</a>";
    const std::wstring wide = L"<a t=\"\x00E9\">x\xD83D\xDE00y</a>";
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8", utf8},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8},
        {"UTF-16 little-endian", Utf16(wide, false)},
        {"UTF-16 big-endian", Utf16(wide, true)},
    };
    for (const auto& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(Parse(document, c.bytes)) << c.what;
        XmlNode* a = document.FindChild(L"a");
        ASSERT_NE(a, nullptr) << c.what;
        EXPECT_STREQ(a->value, L"x\xD83D\xDE00y") << c.what;
        ASSERT_NE(a->FindAttribute(L"t"), nullptr) << c.what;
        EXPECT_STREQ(a->FindAttribute(L"t")->value, L"\x00E9") << c.what;
    }
}

TEST(Xml, ByteSequencesThatAreNotUtf8)
{
    XmlDocument document;
    EXPECT_FALSE(Parse(document, "<a>caf\xE9</a>")); // an 8-bit code page
    EXPECT_FALSE(Parse(document, "<a>\xF0\x9F\x98</a>")); // a cut four-byte sequence
    EXPECT_TRUE(IsEmpty(document));

    // With the mark the text is taken as UTF-8: broken or overlong sequences become U+FFFD, so
    // an overlong "<" cannot open a tag.
    ASSERT_TRUE(Parse(document, "\xEF\xBB\xBF<a>\xC0\xBC" "b\xFF" "c\xED\xA0\x80</a>"));
    EXPECT_STREQ(document.FindChild(L"a")->value, L"\xFFFD" L"b\xFFFD" L"c\xFFFD");
    EXPECT_TRUE(document.FindChild(L"a")->children.empty());
    // A sequence cut off by the end of the data ends the text.
    ASSERT_TRUE(Parse(document, "\xEF\xBB\xBF<a/>\xE2\x82"));
    EXPECT_NE(document.FindChild(L"a"), nullptr);
}

TEST(Xml, TreeOfElementsCommentsAndAttributes)
{
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!-- list of files -->\r\n"
        "<FileList Version=\"2\">\r\n"
        "\t<File Name=\"a.jpg\" Date=\"2024\"/>\r\n"
        "\t<File Name = \"b &amp; c.png\"\r\n\t      Note=\"x > y\" />\r\n"
        "\t<Mixed>text<Inner/>more</Mixed>\r\n"
        "\t<Leaf>&lt;raw&gt;</Leaf>\r\n"
        "\t<Single q='no' after=\"lost\"/>\r\n"
        "\t<!--File-->\r\n"
        "\t<File Name=\"c.gif\"></File>\r\n"
        "</FileList>\r\n"
        "<Second/>";
    XmlDocument document;
    ASSERT_TRUE(Parse(document, text));
    ASSERT_EQ(document.children.size(), 3u);
    EXPECT_EQ(document.children.front().kind, XML_NODE_COMMENT);
    EXPECT_STREQ(document.children.front().name, L" list of files ");
    EXPECT_NE(document.FindChild(L"Second"), nullptr);

    XmlNode* list = document.FindChild(L"FileList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->parent, &document);
    EXPECT_STREQ(list->FindAttribute(L"Version")->value, L"2");
    EXPECT_STREQ(list->value, L""); // it has children

    std::vector<std::wstring> names;
    XmlNode::ChildPos position;
    for (XmlNode* file = list->FindFirstChild(L"File", position); file; file = list->FindNextChild(L"File", position)) {
        EXPECT_TRUE(file->children.empty());
        EXPECT_EQ(file->parent, list);
        names.push_back(file->FindAttribute(L"Name")->value);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.jpg", L"b & c.png", L"c.gif"}));
    XmlNode* second = list->FindChild(L"File");
    ASSERT_NE(second, nullptr);

    XmlNode* mixed = list->FindChild(L"Mixed");
    EXPECT_STREQ(mixed->value, L"");
    EXPECT_EQ(mixed->children.size(), 1u);
    EXPECT_STREQ(list->FindChild(L"Leaf")->value, L"<raw>");
    XmlNode* single = list->FindChild(L"Single");
    EXPECT_EQ(single->FindAttribute(L"q"), nullptr);
    EXPECT_TRUE(single->children.empty());

    int notes = 0;
    for (XmlNode& child : list->children)
        if (XmlAttribute* note = child.FindAttribute(L"Note"))
            notes += std::wstring(note->value) == L"x > y";
    EXPECT_EQ(notes, 1);
}

TEST(Xml, MalformedTextFailsAndLeavesNothing)
{
    const char* const cases[] = {
        "<a",
        "ab",
        "<a><b></b>",
        "</a>",
        "<a></a></b>",
        "<a><!x></a>",
        "<><a/>",
        "<a b=\"x></a>",
        "<a><!-- never closed </a>",
        "<a>text<",
        "<?xml",
    };
    for (const char* c : cases) {
        XmlDocument document;
        ASSERT_TRUE(Parse(document, "<keep/>"));
        EXPECT_FALSE(Parse(document, c)) << c;
        EXPECT_TRUE(IsEmpty(document)) << c;
    }
    XmlDocument document;
    EXPECT_FALSE(XmlParseBuffer(&document, nullptr, 10));
    EXPECT_FALSE(XmlParseBuffer(nullptr, "<a/>", 4));
    EXPECT_TRUE(Parse(document, "abc")); // no tag at all is an empty document
    EXPECT_TRUE(document.children.empty());
}

TEST(Xml, DeepNestingNeedsNoDeepStack)
{
    const int depth = 200000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    XmlDocument document;
    EXPECT_FALSE(Parse(document, text));
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    ASSERT_TRUE(Parse(document, text));
    int levels = 0;
    for (XmlNode* node = document.FindChild(L"a"); node; node = node->FindChild(L"a"))
        ++levels;
    EXPECT_EQ(levels, depth);
    document.Clear();
    EXPECT_TRUE(IsEmpty(document));
}

TEST(Xml, LoadFile)
{
    TempFolder folder;
    const std::wstring path = folder.At(L"main.xml");
    ASSERT_TRUE(TempFolder::Put(path, Utf16(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<KQEditor Version=\"1\"><Layers/></KQEditor>\r\n", false)));
    XmlDocument document;
    ASSERT_TRUE(XmlLoadFile(&document, path.c_str()));
    ASSERT_NE(document.FindChild(L"KQEditor"), nullptr);
    EXPECT_NE(document.FindChild(L"KQEditor")->FindChild(L"Layers"), nullptr);
    EXPECT_FALSE(XmlLoadFile(&document, folder.At(L"missing.xml").c_str()));
    EXPECT_TRUE(IsEmpty(document));
    ASSERT_TRUE(TempFolder::Put(path, "<a"));
    EXPECT_FALSE(XmlLoadFile(&document, path.c_str()));
    ASSERT_TRUE(TempFolder::Put(path, ""));
    EXPECT_FALSE(XmlLoadFile(&document, path.c_str()));
}

TEST(Xml, ReferencesAreDecodedInValuesAndText)
{
    const struct {
        const char* text;    // as it stands in the file, UTF-8
        const wchar_t* read; // what the reader gives
    } cases[] = {
        {"&lt;&gt;&amp;&quot;&apos;", L"<>&\"'"},
        {"&#65;&#x42;&#x6a;&#9;&#10;&#13;", L"AB" L"j\t\n\r"},
        {"&#x1F600;&#128512;", L"\xD83D\xDE00\xD83D\xDE00"},
        {"&amp;lt;", L"&lt;"},
        // Not references: kept as they stand, as files from writers that escaped nothing hold.
        {"Tom & Jerry", L"Tom & Jerry"},
        {"&", L"&"},
        {"a&b;c", L"a&b;c"},
        {"&lt", L"&lt"},
        {"&#;&#x;&#65", L"&#;&#x;&#65"},
        {"&#0;&#x1;&#xD800;&#x110000;&#xFFFE;", L"&#0;&#x1;&#xD800;&#x110000;&#xFFFE;"},
        {"&#000000065;", L"&#000000065;"},
        {"&#X41;", L"&#X41;"},
    };
    for (const auto& c : cases) {
        XmlDocument document;
        const std::string text = c.text;
        ASSERT_TRUE(Parse(document, "<a v=\"" + text + "\">" + text + "</a>")) << c.text;
        XmlNode* a = document.FindChild(L"a");
        ASSERT_NE(a, nullptr) << c.text;
        EXPECT_STREQ(a->value, c.read) << c.text;
        ASSERT_NE(a->FindAttribute(L"v"), nullptr) << c.text;
        EXPECT_STREQ(a->FindAttribute(L"v")->value, c.read) << c.text;
    }
}

TEST(Xml, BuiltTreeOwnsItsStrings)
{
    XmlDocument document;
    EXPECT_EQ(document.AddChild(L"x", XML_NODE_DOCUMENT), nullptr);
    EXPECT_EQ(document.AddChild(L"x", 3), nullptr);
    XmlNode* root = document.AddChild(L"Root", XML_NODE_ELEMENT);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->parent, static_cast<XmlNode*>(&document));
    wchar_t name[] = L"Name";
    XmlAttribute* attribute = root->AddAttribute(name);
    name[0] = L'X';
    EXPECT_STREQ(attribute->name, L"Name");
    EXPECT_STREQ(attribute->value, L"");
    attribute->SetValue(L"first");
    attribute->SetValue(L"second");
    EXPECT_STREQ(root->FindAttribute(L"Name")->value, L"second");
    XmlNode* comment = root->AddChild(L"note", XML_NODE_COMMENT);
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->kind, XML_NODE_COMMENT);
    XmlNode* unnamed = root->AddChild(nullptr, XML_NODE_ELEMENT);
    EXPECT_STREQ(unnamed->name, L"");
    EXPECT_EQ(unnamed->nameOwned, 0);
    unnamed->SetValue(nullptr);
    EXPECT_STREQ(unnamed->value, L"");
    EXPECT_EQ(&root->children.back(), unnamed);
    EXPECT_EQ(root->children.size(), 2u);

    // A loaded node's strings point into the document; a set one is copied and owned.
    XmlDocument loaded;
    ASSERT_TRUE(Parse(loaded, "<a v=\"1\">t</a>"));
    XmlNode* a = loaded.FindChild(L"a");
    a->SetValue(L"new");
    a->FindAttribute(L"v")->SetName(L"w");
    EXPECT_STREQ(a->value, L"new");
    EXPECT_NE(a->FindAttribute(L"w"), nullptr);
}

TEST(Xml, NumberValues)
{
    XmlDocument document;
    XmlNode* node = document.AddChild(L"n", XML_NODE_ELEMENT);
    const struct {
        void (*set)(XmlNode*);
        const wchar_t* text;
    } setters[] = {
        {[](XmlNode* n) { n->SetIntValue(-42); }, L"-42"},
        {[](XmlNode* n) { n->SetHexValue(0xFF00AB); }, L"FF00AB"},
        {[](XmlNode* n) { n->SetHexValue(-1); }, L"FFFFFFFF"},
        {[](XmlNode* n) { n->SetFloatValue(0.5); }, L"0.5"},
        {[](XmlNode* n) { n->SetFloatValue(1e20); }, L"1e+20"},
    };
    for (const auto& c : setters) {
        c.set(node);
        EXPECT_STREQ(node->value, c.text);
    }
    const struct {
        const wchar_t* text;
        int hex;
        bool flag;
    } getters[] = {
        {L"FF00AB", 0xFF00AB, false}, {L"ff00ab", 0xFF00AB, false}, {L"FFFFFFFF", -1, false},
        {L"zz", 0, false},            {L"", 0, false},              {L"true", 0, true},
        {L"TRUE", 0, true},           {L"True", 0, false},          {L"1", 1, false},
    };
    for (const auto& c : getters) {
        node->SetValue(c.text);
        XmlAttribute* attribute = node->AddAttribute(L"a");
        attribute->SetValue(c.text);
        EXPECT_EQ(node->GetHexValue(), c.hex) << c.text;
        EXPECT_EQ(attribute->GetHexValue(), c.hex) << c.text;
        EXPECT_EQ(node->GetBoolValue(), c.flag) << c.text;
        EXPECT_EQ(attribute->GetBoolValue(), c.flag) << c.text;
    }
}

} // namespace

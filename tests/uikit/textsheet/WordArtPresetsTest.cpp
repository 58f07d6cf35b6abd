// The word-art preset reader alone: attributes into record fields, hexadecimal and decimal
// rules, the inheritance from the preset before, and the files that give no presets.
#include <climits>
#include <string>
#include <gtest/gtest.h>
#include "TestSupport.h"
#include "WordArtPresets.h"

namespace {

std::vector<CWordArtInfo> Read(const std::string& xml)
{
    XmlDocument document;
    if (!XmlParseBuffer(&document, xml.data(), xml.size()))
        return {};
    return ReadWordArtPresets(document);
}

TEST(WordArtPresets, HexadecimalColours)
{
    const struct {
        const wchar_t* text;
        uint32_t value;
    } cases[] = {
        {L"FF000000", 0xFF000000u}, {L"ff0000ff", 0xFF0000FFu}, {L"Ff00Ff00", 0xFF00FF00u},
        {L"0", 0u},                 {L"", 0u},                  {L"zz", 0u},
        {L"0x80ffffff", 0x80FFFFFFu}, {L"  12ab", 0x12ABu},     {L"1FF000000", 0xFF000000u},
        {L"ff gg", 0xFFu},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wordart::ParseHex(c.text), c.value) << std::wstring(c.text).size();
}

TEST(WordArtPresets, DecimalNumbersHeldAtTheEndsOfInt)
{
    const struct {
        const wchar_t* text;
        int integer, truncated;
    } cases[] = {
        {L"12", 12, 12},          {L"-7", -7, -7},        {L"3.9", 3, 3},
        {L"-3.9", -3, -3},        {L"", 0, 0},            {L"abc", 0, 0},
        {L"99999999999", INT_MAX, INT_MAX}, {L"-99999999999", INT_MIN, INT_MIN},
        {L"1e3", 1, 1000},        {L" 42x", 42, 42},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wordart::ParseInt(c.text), c.integer) << c.integer;
        EXPECT_EQ(wordart::ParseTruncated(c.text), c.truncated) << c.truncated;
    }
}

TEST(WordArtPresets, AttributesSetTheirFieldsAndMissingOnesKeepThePreviousPreset)
{
    const auto presets = Read(
        "<?xml version=\"1.0\"?>\n<WordArts>\n"
        "  <WordArt ID=\"1\" Name=\"First\" TextEffect=\"2\" TextColor=\"0\" bTextGradient=\"1\""
        " GradientColor=\"ff0000ff\" ExtrudedText=\"3\" OutlineColor1=\"FF102030\" OutlineThickness1=\"7\""
        " OutlineAlpha1=\"300\" OutlineColor2=\"80FFFFFF\" OutlineThickness2=\"9\" OutlineAlpha2=\"200.9\""
        " bEnableShadow=\"1\" ShadowColor=\"FF445566\" ShadowThickness=\"5\" ShadowAlpha=\"99\""
        " ShadowX=\"-3\" ShadowY=\"6.7\"/>\n"
        "  <!-- a comment is no preset -->\n"
        "  <Anything Name=\"Second\" TextEffect=\"5\" bTextGradient=\"0\"/>\n"
        "</WordArts>\n");
    ASSERT_EQ(presets.size(), 2u);
    const CWordArtInfo& a = presets[0];
    EXPECT_EQ(CString(a.m_strName), L"First");
    EXPECT_EQ(a.m_TextEffect, TE_DBL_OUTLINE);
    EXPECT_EQ(a.m_clrText1.GetValue(), 0u);   // 0 stays 0 on the second reading
    EXPECT_TRUE(a.m_bTextGradient);
    EXPECT_EQ(a.m_clrText2.GetValue(), 0xFF0000FFu);   // opaque blue
    EXPECT_TRUE(a.m_bExtrudedText);
    EXPECT_EQ(a.m_clrOutline1.GetValue(), 0xFF102030u);
    EXPECT_EQ(a.m_nOutlineThickness1, 7);
    EXPECT_EQ(a.m_nOutlineAlpha1, 300 & 0xFF);
    EXPECT_EQ(a.m_clrOutline2.GetValue(), 0x80FFFFFFu);
    EXPECT_EQ(a.m_nOutlineThickness2, 9);
    EXPECT_EQ(a.m_nOutlineAlpha2, 200);
    EXPECT_TRUE(a.m_bEnableShadow);
    EXPECT_EQ(a.m_clrShadow.GetValue(), 0xFF445566u);
    EXPECT_EQ(a.m_nShadowThickness, 5);
    EXPECT_EQ(a.m_nShadowAlpha, 99);
    EXPECT_EQ(a.m_nShadowOffsetX, -3);
    EXPECT_EQ(a.m_nShadowOffsetY, 6);

    // The second carries three attributes; every other field is the first's.
    const CWordArtInfo& b = presets[1];
    EXPECT_EQ(CString(b.m_strName), L"Second");
    EXPECT_EQ(b.m_TextEffect, TE_ONLY_OUTLINE);
    EXPECT_FALSE(b.m_bTextGradient);
    EXPECT_EQ(b.m_clrShadow.GetValue(), 0xFF445566u);
    EXPECT_EQ(b.m_clrText2.GetValue(), 0xFF0000FFu);
    EXPECT_EQ(b.m_nOutlineThickness1, 7);
    EXPECT_EQ(b.m_nOutlineAlpha2, 200);
    EXPECT_EQ(b.m_nShadowOffsetY, 6);
    EXPECT_TRUE(b.m_bEnableShadow);
}

TEST(WordArtPresets, TheFirstPresetStartsFromTheDefaults)
{
    const auto presets = Read("<WordArts><P Name=\"Plain\"/></WordArts>");
    ASSERT_EQ(presets.size(), 1u);
    const CWordArtInfo defaults;
    EXPECT_EQ(presets[0].m_TextEffect, defaults.m_TextEffect);
    EXPECT_EQ(presets[0].m_clrShadow.GetValue(), defaults.m_clrShadow.GetValue());
    EXPECT_EQ(presets[0].m_nOutlineThickness1, defaults.m_nOutlineThickness1);
}

TEST(WordArtPresets, FilesThatGiveNoPresets)
{
    testsupport::TempFolder folder;
    const struct {
        const char* name;
        const char* bytes;   // null: no file
    } cases[] = {
        {"missing.xml", nullptr},
        {"otherroot.xml", "<Presets><P Name=\"x\"/></Presets>"},
        {"broken.xml", "<WordArts><P Name=\"x\""},
        {"empty.xml", ""},
    };
    for (const auto& c : cases) {
        const std::wstring path = folder.At(std::wstring(c.name, c.name + strlen(c.name)));
        if (c.bytes) {
            ASSERT_TRUE(testsupport::TempFolder::Put(path, c.bytes));
        }
        EXPECT_TRUE(LoadWordArtPresets(path.c_str()).empty()) << c.name;
    }
    const std::wstring good = folder.At(L"good.xml");
    ASSERT_TRUE(testsupport::TempFolder::Put(good, "<WordArts><A/><B/><C/></WordArts>"));
    EXPECT_EQ(LoadWordArtPresets(good.c_str()).size(), 3u);
}

// Every field of a record as text, to compare two readings whole.
std::wstring Fields(const CWordArtInfo& p)
{
    wchar_t text[512];
    swprintf(text, 512, L"%ls|%d|%08X|%d|%08X|%d|%08X|%d|%d|%08X|%d|%d|%d|%08X|%d|%d|%d|%d",
             static_cast<const wchar_t*>(p.m_strName), int(p.m_TextEffect), unsigned(p.m_clrText1.GetValue()),
             int(p.m_bTextGradient), unsigned(p.m_clrText2.GetValue()), int(p.m_bExtrudedText),
             unsigned(p.m_clrOutline1.GetValue()), p.m_nOutlineThickness1, int(p.m_nOutlineAlpha1),
             unsigned(p.m_clrOutline2.GetValue()), p.m_nOutlineThickness2, int(p.m_nOutlineAlpha2),
             int(p.m_bEnableShadow), unsigned(p.m_clrShadow.GetValue()), p.m_nShadowThickness,
             int(p.m_nShadowAlpha), p.m_nShadowOffsetX, p.m_nShadowOffsetY);
    return text;
}

// The same presets written with attributes and with child elements.
std::string PresetXml(bool children, const std::vector<std::vector<std::pair<std::string, std::string>>>& presets)
{
    std::string xml = "<WordArts>";
    for (const auto& preset : presets) {
        xml += "<WordArt";
        std::string inner;
        for (const auto& field : preset) {
            if (children)
                inner += "<" + field.first + ">" + field.second + "</" + field.first + ">";
            else
                xml += " " + field.first + "=\"" + field.second + "\"";
        }
        xml += children ? ">" + inner + "</WordArt>" : "/>";
    }
    return xml + "</WordArts>";
}

TEST(WordArtPresets, ChildElementsAndAttributesGiveTheSameRecords)
{
    const std::vector<std::vector<std::pair<std::string, std::string>>> presets = {
        {{"Name", "First"}, {"TextEffect", "2"}, {"TextColor", "00000000"}, {"bTextGradient", "1"},
         {"GradientColor", "ff0000ff"}, {"ExtrudedText", "1"}, {"OutlineColor1", "FF102030"},
         {"OutlineThickness1", "7"}, {"OutlineAlpha1", "200"}, {"OutlineColor2", "80ffffff"},
         {"OutlineThickness2", "9"}, {"OutlineAlpha2", "200.9"}, {"bEnableShadow", "1"},
         {"ShadowColor", "FF445566"}, {"ShadowThickness", "5"}, {"ShadowAlpha", "99"}, {"ShadowX", "-3"},
         {"ShadowY", "6.7"}},
        {{"Name", "Second"}, {"TextEffect", "5"}, {"TextColor", "abcdef12"}, {"ShadowY", "-2.9"}},
    };
    const auto attributes = Read(PresetXml(false, presets));
    const auto children = Read(PresetXml(true, presets));
    ASSERT_EQ(attributes.size(), 2u);
    ASSERT_EQ(children.size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(Fields(children[i]), Fields(attributes[i])) << i;
    EXPECT_EQ(children[0].m_clrText1.GetValue(), 0u);   // all zero stays 0
    EXPECT_EQ(children[0].m_clrText2.GetValue(), 0xFF0000FFu);   // lower case digits
    EXPECT_EQ(children[0].m_nShadowOffsetY, 6);
    EXPECT_EQ(children[1].m_clrText1.GetValue(), 0xABCDEF12u);
    EXPECT_EQ(children[1].m_nShadowOffsetY, -2);

    // A child element wins over the attribute of the same name.
    const auto both = Read("<WordArts><WordArt TextEffect=\"1\"><TextEffect>3</TextEffect></WordArt></WordArts>");
    ASSERT_EQ(both.size(), 1u);
    EXPECT_EQ(both[0].m_TextEffect, TE_GRAD_OUTLINE);
}

// The shipped file names every field on every preset: read from the defaults each time, a
// preset gives the record that the reading carried over from the preset before gives.
TEST(WordArtPresets, ShippedPresetsNameEveryField)
{
    const std::wstring path = testsupport::BinDir() + L"\\Data\\Editor\\WordArt\\WordArt.xml";
    XmlDocument document;
    ASSERT_TRUE(XmlLoadFile(&document, path.c_str()));
    const auto carried = ReadWordArtPresets(document);
    XmlNode* root = document.FindChild(L"WordArts");
    ASSERT_TRUE(root);
    size_t i = 0;
    for (XmlNode& element : root->children) {
        if (element.kind != XML_NODE_ELEMENT)
            continue;
        XmlDocument single;
        XmlNode* wordArts = single.AddChild(L"WordArts", XML_NODE_ELEMENT);
        XmlNode* preset = wordArts->AddChild(L"WordArt", XML_NODE_ELEMENT);
        for (XmlAttribute& attribute : element.attributes)
            preset->AddAttribute(attribute.name)->SetValue(attribute.value);
        const auto alone = ReadWordArtPresets(single);
        ASSERT_EQ(alone.size(), 1u);
        ASSERT_LT(i, carried.size());
        EXPECT_EQ(Fields(alone[0]), Fields(carried[i])) << i;
        ++i;
    }
    EXPECT_EQ(i, carried.size());
}

// The shipped file parses and holds a preset of every effect kind.
TEST(WordArtPresets, ShippedFileHoldsEveryEffectKind)
{
    const std::wstring path = testsupport::BinDir() + L"\\Data\\Editor\\WordArt\\WordArt.xml";
    const auto presets = LoadWordArtPresets(path.c_str());
    ASSERT_GE(presets.size(), 7u);
    bool kinds[7] = {};
    for (const CWordArtInfo& p : presets) {
        EXPECT_FALSE(CString(p.m_strName).IsEmpty());
        if (p.m_TextEffect >= 0 && p.m_TextEffect < 7)
            kinds[p.m_TextEffect] = true;
    }
    for (int k = 0; k < 7; ++k)
        EXPECT_TRUE(kinds[k]) << k;
}

} // namespace

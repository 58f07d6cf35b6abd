#include "WordArtPresets.h"
#include <climits>
#include <cmath>
#include <cwchar>
#include "ZVUILibApp.h"

namespace wordart {

uint32_t ParseHex(const wchar_t* text)
{
    if (!text)
        return 0;
    while (iswspace(*text))
        ++text;
    if (text[0] == L'0' && (text[1] == L'x' || text[1] == L'X') && iswxdigit(text[2]))
        text += 2;
    uint32_t value = 0;
    for (; iswxdigit(*text); ++text) {
        const wchar_t c = *text;
        const uint32_t digit = c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10;
        value = (value << 4) | digit;
    }
    return value;
}

int ParseInt(const wchar_t* text)
{
    if (!text)
        return 0;
    while (iswspace(*text))
        ++text;
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+')
        ++text;
    long long value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        value = value * 10 + (*text - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int ParseTruncated(const wchar_t* text)
{
    if (!text)
        return 0;
    const double value = std::wcstod(text, nullptr);
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace wordart

namespace {

using namespace wordart;

Gdiplus::Color HexColor(const wchar_t* text)
{
    return Gdiplus::Color(static_cast<Gdiplus::ARGB>(ParseHex(text)));
}

// One field of a preset, by the name of its child element or attribute, and what it sets.
struct PresetAttribute {
    const wchar_t* name;
    void (*apply)(CWordArtInfo& info, const wchar_t* value);
};

const PresetAttribute kAttributes[] = {
    {L"Name", [](CWordArtInfo& i, const wchar_t* v) { i.m_strName = v; }},
    {L"TextEffect", [](CWordArtInfo& i, const wchar_t* v) { i.SetTextEffect(static_cast<TextEffect>(ParseInt(v))); }},
    {L"TextColor", [](CWordArtInfo& i, const wchar_t* v) { i.SetTextColor1(HexColor(v)); }},
    {L"bTextGradient", [](CWordArtInfo& i, const wchar_t* v) { i.EnableTextGradient(ParseInt(v) != 0); }},
    {L"GradientColor", [](CWordArtInfo& i, const wchar_t* v) { i.SetTextColor2(HexColor(v)); }},
    {L"ExtrudedText", [](CWordArtInfo& i, const wchar_t* v) { i.SetExtrudedText(ParseInt(v) != 0); }},
    {L"OutlineColor1", [](CWordArtInfo& i, const wchar_t* v) { i.SetOutlineColor1(HexColor(v)); }},
    {L"OutlineThickness1", [](CWordArtInfo& i, const wchar_t* v) { i.SetOutlineThickness1(ParseInt(v)); }},
    {L"OutlineAlpha1", [](CWordArtInfo& i, const wchar_t* v) { i.SetOutlineAlpha1(static_cast<unsigned char>(ParseInt(v))); }},
    {L"OutlineColor2", [](CWordArtInfo& i, const wchar_t* v) { i.SetOutlineColor2(HexColor(v)); }},
    {L"OutlineThickness2", [](CWordArtInfo& i, const wchar_t* v) { i.SetOutlineThickness2(ParseInt(v)); }},
    {L"OutlineAlpha2", [](CWordArtInfo& i, const wchar_t* v) { i.SetOutlineAlpha2(static_cast<unsigned char>(ParseTruncated(v))); }},
    {L"bEnableShadow", [](CWordArtInfo& i, const wchar_t* v) { i.SetEnableShadow(ParseInt(v) != 0); }},
    {L"ShadowColor", [](CWordArtInfo& i, const wchar_t* v) { i.SetShadowColor(HexColor(v)); }},
    {L"ShadowThickness", [](CWordArtInfo& i, const wchar_t* v) { i.SetShadowThickness(ParseInt(v)); }},
    {L"ShadowAlpha", [](CWordArtInfo& i, const wchar_t* v) { i.SetShadowAlpha(ParseInt(v)); }},
    {L"ShadowX", [](CWordArtInfo& i, const wchar_t* v) { i.SetShadowOffsetX(ParseInt(v)); }},
    {L"ShadowY", [](CWordArtInfo& i, const wchar_t* v) { i.SetShadowOffsetY(ParseTruncated(v)); }},
};

} // namespace

std::vector<CWordArtInfo> ReadWordArtPresets(XmlDocument& document)
{
    std::vector<CWordArtInfo> presets;
    XmlNode* root = document.FindChild(L"WordArts");
    if (!root)
        return presets;
    CWordArtInfo working;
    for (XmlNode& element : root->children) {
        if (element.kind != XML_NODE_ELEMENT)
            continue;
        for (const PresetAttribute& attribute : kAttributes) {
            if (XmlNode* child = element.FindChild(attribute.name))
                attribute.apply(working, child->value);
            else if (XmlAttribute* found = element.FindAttribute(attribute.name))
                attribute.apply(working, found->value);
        }
        presets.push_back(working);
    }
    return presets;
}

std::vector<CWordArtInfo> LoadWordArtPresets(const wchar_t* path)
{
    XmlDocument document;
    if (!path || !XmlLoadFile(&document, path))
        return {};
    return ReadWordArtPresets(document);
}

CString WordArtPresetFile()
{
    CString user = GetKQDataFolder(L"Editor\\WordArt").GetString();
    user += L"\\WordArt.xml";
    if (::GetFileAttributesW(user) != INVALID_FILE_ATTRIBUTES)
        return user;
    // The library lies in the program folder, beside Data\.
    wchar_t module[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(GetZVUILibModule(), module, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return CString();
    CString shipped = module;
    shipped = shipped.Left(shipped.ReverseFind(L'\\') + 1);
    return shipped + L"Data\\Editor\\WordArt\\WordArt.xml";
}

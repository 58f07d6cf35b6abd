// The word-art record: defaults, copies, setters and the changed flag, escapes, and the
// mapping from the effect kind to the engine's setters.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#include "IOutlineText.h"
#include "TextFxTestSupport.h"
#include "WordArtInfo.h"

using namespace Gdiplus;

namespace {

TEST(WordArtInfoTest, Defaults)
{
    CWordArtInfo w;
    EXPECT_EQ(w.GetBkgdColor().GetValue(), 0xFFFFFFFFu);
    EXPECT_EQ(w.GetTextColor1().GetValue(), 0xFFFFFFFFu);
    EXPECT_EQ(w.GetTextColor2().GetValue(), 0xFF808080u);
    EXPECT_EQ(w.GetOutlineColor1().GetValue(), 0xFF000000u);
    EXPECT_EQ(w.GetOutlineColor2().GetValue(), 0xFFFFFFFFu);
    EXPECT_EQ(w.GetTextEffect(), TE_OUTLINE);
    EXPECT_EQ(w.GetTextPath(), TP_GDIPLUS);
    EXPECT_TRUE(w.GetText().IsEmpty());
    EXPECT_TRUE(w.m_strName.IsEmpty());
    EXPECT_TRUE(w.m_bRender);
    EXPECT_EQ(w.GetOutlineAlpha1(), 255);
    EXPECT_EQ(w.GetOutlineAlpha2(), 255);
    EXPECT_EQ(w.GetOutlineThickness1(), 4);
    EXPECT_EQ(w.GetOutlineThickness2(), 4);
    EXPECT_EQ(w.GetTextPosX(), 10);
    EXPECT_EQ(w.GetTextPosY(), 10);
    EXPECT_EQ(w.GetTextAngle(), 0);
    EXPECT_EQ(w.GetLogFont()->lfHeight, 0);
    EXPECT_EQ(w.GetLogFont()->lfFaceName[0], L'\0');
    EXPECT_EQ(w.GetFontSize(), 10);
    EXPECT_EQ(w.GetShadowOffsetX(), 4);
    EXPECT_EQ(w.GetShadowOffsetY(), 4);
    EXPECT_EQ(w.GetShadowAlpha(), 128);
    EXPECT_FALSE(w.GetEnableShadow());
    EXPECT_EQ(w.GetShadowColor().GetValue(), 0xFF808080u);
    EXPECT_EQ(w.GetShadowThickness(), 4);
    EXPECT_TRUE(w.IsEnablePngRendering());
    EXPECT_FALSE(w.IsEnableTextGradient());
    EXPECT_TRUE(w.m_bChanged);
    EXPECT_FALSE(w.m_bSpare);
    EXPECT_FALSE(w.GetDiffusedShadow());
    EXPECT_FALSE(w.GetExtrudedText());
    EXPECT_FLOAT_EQ(w.GetBegAlpha(), 0.4f);
    EXPECT_FLOAT_EQ(w.GetEndAlpha(), 0.01f);
    EXPECT_FLOAT_EQ(w.GetShown(), 0.7f);
    EXPECT_EQ(w.GetGap(), 0);
    EXPECT_FALSE(w.IsEnableReflection());
    EXPECT_EQ(w.m_fWidth, 0);
    EXPECT_EQ(w.m_fHeight, 0);
}

bool SameField(const Color& a, const Color& b) { return a.GetValue() == b.GetValue(); }
bool SameField(const LOGFONTW& a, const LOGFONTW& b) { return memcmp(&a, &b, sizeof a) == 0; }
template <typename T>
bool SameField(const T& a, const T& b) { return a == b; }

LOGFONTW SampleFont()
{
    LOGFONTW font = {};
    font.lfHeight = -30;
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    wcscpy(font.lfFaceName, L"Tahoma");
    return font;
}

// One field of the record: set away from its default, compared between two records.
struct WordArtField {
    const char* name;
    bool copied; // by assignment; the copy constructor takes every field
    void (*change)(CWordArtInfo&);
    bool (*same)(const CWordArtInfo&, const CWordArtInfo&);
};

#define WORDART_FIELD(field, copied, value) \
    { #field, copied, [](CWordArtInfo& w) { w.field = value; }, \
      [](const CWordArtInfo& a, const CWordArtInfo& b) { return SameField(a.field, b.field); } }

TEST(WordArtInfoTest, AssignmentTakesEveryFieldButTheNameAndTheAngle)
{
    const WordArtField fields[] = {
        WORDART_FIELD(m_clrBkgd, true, Color(0xFF102030)),
        WORDART_FIELD(m_clrText1, true, Color(0xFF203040)),
        WORDART_FIELD(m_clrText2, true, Color(0xFF304050)),
        WORDART_FIELD(m_clrOutline1, true, Color(0xFF405060)),
        WORDART_FIELD(m_clrOutline2, true, Color(0xFF506070)),
        WORDART_FIELD(m_TextEffect, true, TE_DBL_GLOW),
        WORDART_FIELD(m_TextPath, true, TP_GDI),
        WORDART_FIELD(m_strText, true, L"source"),
        WORDART_FIELD(m_strName, false, L"preset"),
        WORDART_FIELD(m_bRender, true, false),
        WORDART_FIELD(m_nOutlineAlpha1, true, 17),
        WORDART_FIELD(m_nOutlineAlpha2, true, 18),
        WORDART_FIELD(m_nOutlineThickness1, true, 9),
        WORDART_FIELD(m_nOutlineThickness2, true, 11),
        WORDART_FIELD(m_nTextPosX, true, 21),
        WORDART_FIELD(m_nTextPosY, true, 22),
        WORDART_FIELD(m_nTextAngle, false, 300),
        WORDART_FIELD(m_LogFont, true, SampleFont()),
        WORDART_FIELD(m_nFontSize, true, 36),
        WORDART_FIELD(m_nShadowOffsetX, true, -3),
        WORDART_FIELD(m_nShadowOffsetY, true, 7),
        WORDART_FIELD(m_nShadowAlpha, true, 40),
        WORDART_FIELD(m_bEnableShadow, true, true),
        WORDART_FIELD(m_clrShadow, true, Color(0x80112233)),
        WORDART_FIELD(m_nShadowThickness, true, 6),
        WORDART_FIELD(m_bPngRendering, true, false),
        WORDART_FIELD(m_bTextGradient, true, true),
        WORDART_FIELD(m_bChanged, true, false),
        WORDART_FIELD(m_bSpare, true, true),
        WORDART_FIELD(m_bDiffusedShadow, true, true),
        WORDART_FIELD(m_bExtrudedText, true, true),
        WORDART_FIELD(m_fBegAlpha, true, 0.9f),
        WORDART_FIELD(m_fEndAlpha, true, 0.2f),
        WORDART_FIELD(m_fShown, true, 0.25f),
        WORDART_FIELD(m_nGap, true, 5),
        WORDART_FIELD(m_bReflection, true, true),
        WORDART_FIELD(m_fWidth, true, 12.5f),
        WORDART_FIELD(m_fHeight, true, 8.25f),
    };
    const CWordArtInfo defaults;
    CWordArtInfo source;
    for (const WordArtField& f : fields)
        f.change(source);
    for (const WordArtField& f : fields)
        ASSERT_FALSE(f.same(source, defaults)) << f.name << " keeps its default in this test";

    CWordArtInfo assigned;
    assigned = source;
    const CWordArtInfo constructed(source);
    for (const WordArtField& f : fields) {
        EXPECT_TRUE(f.same(assigned, f.copied ? source : defaults)) << f.name;
        EXPECT_TRUE(f.same(constructed, source)) << f.name;
    }
    EXPECT_EQ(&assigned.Copy(source), &assigned);
}

#undef WORDART_FIELD

TEST(WordArtInfoTest, SettersMarkTheRecordChangedOnlyForNewValues)
{
    struct Case {
        const char* name;
        void (*setSame)(CWordArtInfo&);
        void (*setNew)(CWordArtInfo&);
    } cases[] = {
        {"text colour 1", [](CWordArtInfo& w) { w.SetTextColor1(Color(0xFFFFFFFF)); },
         [](CWordArtInfo& w) { w.SetTextColor1(Color(0xFF000001)); }},
        {"outline colour 2", [](CWordArtInfo& w) { w.SetOutlineColor2(Color(0xFFFFFFFF)); },
         [](CWordArtInfo& w) { w.SetOutlineColor2(Color(0x00FFFFFF)); }},
        {"effect", [](CWordArtInfo& w) { w.SetTextEffect(TE_OUTLINE); },
         [](CWordArtInfo& w) { w.SetTextEffect(TE_GLOW); }},
        {"outline alpha 1", [](CWordArtInfo& w) { w.SetOutlineAlpha1(255); },
         [](CWordArtInfo& w) { w.SetOutlineAlpha1(3); }},
        {"shadow thickness", [](CWordArtInfo& w) { w.SetShadowThickness(4); },
         [](CWordArtInfo& w) { w.SetShadowThickness(5); }},
        {"shadow on", [](CWordArtInfo& w) { w.SetEnableShadow(false); },
         [](CWordArtInfo& w) { w.SetEnableShadow(true); }},
        {"begin alpha", [](CWordArtInfo& w) { w.SetBegAlpha(0.4f); },
         [](CWordArtInfo& w) { w.SetBegAlpha(NAN); }},
        {"gap", [](CWordArtInfo& w) { w.SetGap(0); }, [](CWordArtInfo& w) { w.SetGap(3); }},
    };
    for (const Case& c : cases) {
        CWordArtInfo w;
        w.m_bChanged = false;
        c.setSame(w);
        EXPECT_FALSE(w.m_bChanged) << c.name;
        c.setNew(w);
        EXPECT_TRUE(w.m_bChanged) << c.name;
    }

    // These always mark the record; Render never does.
    CWordArtInfo w;
    w.m_bChanged = false;
    w.SetBkgdColor(w.GetBkgdColor());
    EXPECT_TRUE(w.m_bChanged);
    w.m_bChanged = false;
    w.SetText(w.GetText());
    EXPECT_TRUE(w.m_bChanged);
    w.m_bChanged = false;
    w.SetLogFont(w.GetLogFont());
    EXPECT_TRUE(w.m_bChanged);
    w.m_bChanged = false;
    w.SetTextAngle(45);
    EXPECT_TRUE(w.m_bChanged);
    EXPECT_EQ(w.GetTextAngle(), 450);
    w.m_bChanged = false;
    w.Render(false);
    EXPECT_FALSE(w.m_bChanged);
    EXPECT_FALSE(w.m_bRender);
    // A NaN never compares equal, so setting it again is a change again.
    w.SetBegAlpha(NAN);
    w.m_bChanged = false;
    w.SetBegAlpha(NAN);
    EXPECT_TRUE(w.m_bChanged);
}

TEST(WordArtInfoTest, TextEscapes)
{
    struct Case {
        const wchar_t* typed;
        const wchar_t* stored;
    } cases[] = {
        {L"a\\nb", L"a\nb"},
        {L"1\\r2\\t3", L"1\r2\t3"},
        {L"end\\n", L"end\\n"},     // a pair at the very end stays as typed
        {L"a\\xb", L"a\\xb"},       // not an escape
        {L"\\\\nX", L"\\\nX"},      // a doubled backslash is no escape of its own
        {L"\\", L"\\"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        CWordArtInfo w;
        w.SetText(c.typed);
        EXPECT_EQ(w.GetText(), c.stored);
    }
    EXPECT_EQ(CWordArtInfo::ConvBackSlashToForwardSlash(L"C:\\a\\b"), L"C:/a/b");
}

// Records the engine setters called, one line each.
class RecordingEngine : public TextDesigner::IOutlineText {
public:
    std::vector<std::string> calls;
    Brush* brush = nullptr;

    void TextGlow(Brush* b, Color c, int t) override { Note("glow", b, 0, c, 0, t); }
    void TextGlow(Color x, Color c, int t) override { Note("glow", nullptr, x, c, 0, t); }
    void TextOutline(Brush* b, Color c, int t) override { Note("outline", b, 0, c, 0, t); }
    void TextOutline(Color x, Color c, int t) override { Note("outline", nullptr, x, c, 0, t); }
    void TextDblOutline(Brush* b, Color c1, Color c2, int t1, int t2) override
    {
        Note("dbl outline", b, 0, c1, c2, t1, t2);
    }
    void TextDblOutline(Color x, Color c1, Color c2, int t1, int t2) override
    {
        Note("dbl outline", nullptr, x, c1, c2, t1, t2);
    }
    void TextDblGlow(Brush* b, Color c1, Color c2, int t1, int t2) override
    {
        Note("dbl glow", b, 0, c1, c2, t1, t2);
    }
    void TextDblGlow(Color x, Color c1, Color c2, int t1, int t2) override
    {
        Note("dbl glow", nullptr, x, c1, c2, t1, t2);
    }
    void TextGradOutline(Brush* b, Color c1, Color c2, int t) override
    {
        Note("grad outline", b, 0, c1, c2, t);
    }
    void TextGradOutline(Color x, Color c1, Color c2, int t) override
    {
        Note("grad outline", nullptr, x, c1, c2, t);
    }
    void TextNoOutline(Brush* b) override { Note("no outline", b, 0, 0, 0); }
    void TextNoOutline(Color x) override { Note("no outline", nullptr, x, 0, 0); }
    void TextOnlyOutline(Color c, int t, bool rounded) override
    {
        Note(rounded ? "only outline rounded" : "only outline", nullptr, 0, c, 0, t);
    }
    void SetShadowBackground(Color, int, int) override {}
    void SetShadowBackground(Bitmap*) override {}
    void ClearTextEffect() override {}
    void ClearShadow() override {}
    void EnableShadow(bool) override {}
    void Shadow(Color, int, Point) override {}
    bool DrawString(Graphics*, FontFamily*, int, int, const wchar_t*, Rect, const StringFormat*) override { return false; }
    bool DrawString(Graphics*, FontFamily*, int, int, const wchar_t*, Point, const StringFormat*) override { return false; }
    bool GdiDrawString(Graphics*, LOGFONTW*, const wchar_t*, Rect) override { return false; }
    bool GdiDrawString(Graphics*, LOGFONTW*, const wchar_t*, Point) override { return false; }
    bool MeasureString(Graphics*, FontFamily*, int, int, const wchar_t*, Rect, const StringFormat*, float*, float*, float*, float*) override { return false; }
    bool MeasureString(Graphics*, FontFamily*, int, int, const wchar_t*, Point, const StringFormat*, float*, float*, float*, float*) override { return false; }
    bool GdiMeasureString(Graphics*, LOGFONTW*, const wchar_t*, Rect, float*, float*, float*, float*) override { return false; }
    bool GdiMeasureString(Graphics*, LOGFONTW*, const wchar_t*, Point, float*, float*, float*, float*) override { return false; }
    bool GdiMeasureStringTight(Graphics*, LOGFONTW*, const wchar_t*, Rect, float*, float*, float*, float*) override { return false; }
    bool GdiMeasureStringTight(Graphics*, LOGFONTW*, const wchar_t*, Point, float*, float*, float*, float*) override { return false; }

private:
    void Note(const char* what, Brush* b, Color text, Color c1, Color c2, int t1 = -1, int t2 = -1)
    {
        char line[160];
        snprintf(line, sizeof line, "%s %s %08lX %08lX %08lX %d %d", what,
                 b ? (b == brush ? "brush" : "other brush") : "colour",
                 static_cast<unsigned long>(b ? 0 : text.GetValue()),
                 static_cast<unsigned long>(c1.GetValue()), static_cast<unsigned long>(c2.GetValue()),
                 t1, t2);
        calls.push_back(line);
    }
};

TEST(WordArtInfoTest, EffectKindsInstallTheirStrategies)
{
    CWordArtInfo w;
    w.SetTextColor1(Color(0x20102030));  // drawn opaque
    w.SetOutlineColor1(Color(0xFF405060));
    w.SetOutlineAlpha1(0x80);
    w.SetOutlineColor2(Color(0x11708090));
    w.SetOutlineAlpha2(0x40);
    w.SetOutlineThickness1(3);
    w.SetOutlineThickness2(5);
    struct Case {
        int kind;
        const char* withColour;
        const char* withBrush;
    } cases[] = {
        {0, "glow colour FF102030 80405060 00000000 3 -1", "glow brush 00000000 80405060 00000000 3 -1"},
        {1, "outline colour FF102030 80405060 00000000 3 -1", "outline brush 00000000 80405060 00000000 3 -1"},
        {2, "dbl outline colour FF102030 80405060 40708090 3 5", "dbl outline brush 00000000 80405060 40708090 3 5"},
        {3, "grad outline colour FF102030 80405060 40708090 8 -1", "grad outline brush 00000000 80405060 40708090 8 -1"},
        {4, "no outline colour FF102030 00000000 00000000 -1 -1", "no outline brush 00000000 00000000 00000000 -1 -1"},
        {5, "only outline colour 00000000 80405060 00000000 3 -1", "only outline colour 00000000 80405060 00000000 3 -1"},
        {6, "dbl glow colour FF102030 80405060 40708090 3 5", "dbl glow brush 00000000 80405060 40708090 3 5"},
        {7, nullptr, nullptr},
        {-1, nullptr, nullptr},
    };
    SolidBrush brush{Color(0xFF00FF00)};
    for (const Case& c : cases) {
        w.m_TextEffect = static_cast<TextEffect>(c.kind);
        RecordingEngine plain, brushed;
        brushed.brush = &brush;
        EXPECT_TRUE(InstallTextEffect(w, &plain, nullptr));
        EXPECT_TRUE(InstallTextEffect(w, &brushed, &brush));
        if (!c.withColour) {
            EXPECT_TRUE(plain.calls.empty()) << c.kind;
            EXPECT_TRUE(brushed.calls.empty()) << c.kind;
            continue;
        }
        ASSERT_EQ(plain.calls.size(), 1u) << c.kind;
        ASSERT_EQ(brushed.calls.size(), 1u) << c.kind;
        EXPECT_EQ(plain.calls[0], c.withColour);
        EXPECT_EQ(brushed.calls[0], c.withBrush);
    }
    EXPECT_FALSE(InstallTextEffect(w, nullptr, nullptr));
}

} // namespace

// The text options sheet: its rules alone, then the sheet under the display driven by
// messages (text, font size, style, tags, presets, the Advanced page), the thumbnails its
// thread draws, and the front door.
#include <windows.h>
#include <tlhelp32.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "KQTextPropIds.h"
#include "KQTextPropSheet.h"
#include "TestSupport.h"
#include "TextSheetProbe.h"
#include "TextSheetRules.h"
#include "WindowTestApp.h"
#include "WordArtPresets.h"
#include "WordArtThumbnails.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"
#include "Win32Owners.h"

namespace {

using namespace textsheet;

// ---------------------------------------------------------------------------------------------
// Rules

TEST(TextSheetRules, PointSizesAndHeights)
{
    const struct {
        double points;
        const wchar_t* shown;
    } shown[] = {{12, L"12"}, {10.5, L"10.50"}, {8, L"8"}, {0, L"0"}, {100, L"100"}, {9.25, L"9.25"}};
    for (const auto& c : shown)
        EXPECT_EQ(FormatPointSize(c.points), CString(c.shown)) << c.points;

    const struct {
        double points;
        int dpi;
        LONG height;
    } heights[] = {{12, 96, -16}, {10.5, 96, -14}, {36, 96, -48}, {12, 120, -20}, {9, 96, -12}};
    for (const auto& c : heights)
        EXPECT_EQ(HeightFromPoints(c.points, c.dpi), c.height) << c.points << " " << c.dpi;

    EXPECT_EQ(PointsFromHeight(-16.0f, 96), 12);
    EXPECT_EQ(PointsFromHeight(-48.0f, 96), 36);
    EXPECT_EQ(PointsFromHeight(-20.0f, 120), 12);

    EXPECT_EQ(ParsePointSize(L"10.5"), 10.5);
    EXPECT_EQ(ParsePointSize(L"abc"), 0);
    EXPECT_EQ(ParsePointSize(L""), 0);
}

TEST(TextSheetRules, AlphaPercentRoundsBothWays)
{
    const struct {
        int percent, alpha;
    } cases[] = {{50, 128}, {0, 0}, {100, 255}, {1, 3}, {99, 252}, {-5, 0}, {250, 255}};
    for (const auto& c : cases)
        EXPECT_EQ(AlphaFromPercent(c.percent), c.alpha) << c.percent;
    const struct {
        int alpha, percent;
    } back[] = {{128, 50}, {127, 50}, {255, 100}, {0, 0}, {1, 0}, {2, 1}};
    for (const auto& c : back)
        EXPECT_EQ(PercentFromAlpha(c.alpha), c.percent) << c.alpha;
}

TEST(TextSheetRules, EffectComboOrderAndSecondOutline)
{
    const struct {
        TextEffect effect;
        int index;
        bool second;
    } cases[] = {
        {TE_OUTLINE, 0, false},     {TE_DBL_OUTLINE, 1, true}, {TE_GLOW, 2, false},   {TE_GRAD_OUTLINE, 3, true},
        {TE_NO_OUTLINE, 5, false},  {TE_ONLY_OUTLINE, 4, false}, {TE_DBL_GLOW, 6, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EffectComboIndex(c.effect), c.index) << c.effect;
        EXPECT_EQ(EffectFromComboIndex(c.index), c.effect) << c.index;
        EXPECT_EQ(SecondOutlineEnabled(c.effect), c.second) << c.effect;
    }
}

TEST(TextSheetRules, TagsColoursAndFitting)
{
    EXPECT_EQ(InsertTag(L"Enter", L"Enter", L"[date]"), CString(L"[date]"));
    EXPECT_EQ(InsertTag(L"Today ", L"Enter", L"[date]"), CString(L"Today [date]"));
    EXPECT_EQ(InsertTag(L"", L"Enter", L"[month]"), CString(L"[month]"));

    EXPECT_EQ(ButtonColor(Gdiplus::Color(0x80102030)), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(RecordColor(RGB(0x10, 0x20, 0x30)).GetValue(), 0xFF102030u);

    const struct {
        int w, h;
        RECT fit;
    } cases[] = {
        {192, 64, {0, 16, 96, 48}},    // wide: the cell's width
        {96, 128, {24, 0, 72, 64}},    // tall: the cell's height
        {40, 20, {28, 22, 68, 42}},    // small: its own size, centred
        {96, 64, {0, 0, 96, 64}},
        {300, 100, {0, 16, 96, 48}},   // 96 x 32
    };
    for (const auto& c : cases) {
        const RECT r = FitThumbnail(c.w, c.h);
        EXPECT_EQ(r.left, c.fit.left) << c.w << "x" << c.h;
        EXPECT_EQ(r.top, c.fit.top) << c.w << "x" << c.h;
        EXPECT_EQ(r.right, c.fit.right) << c.w << "x" << c.h;
        EXPECT_EQ(r.bottom, c.fit.bottom) << c.w << "x" << c.h;
    }
}

TEST(TextSheetRules, APresetReplacesTheLookAndKeepsTextFontPlaceAndAngle)
{
    CWordArtInfo record;
    record.SetText(L"Hello");
    record.m_strName = L"Mine";
    record.SetTextAngle(30);
    record.m_nTextPosX = 70;
    record.m_nTextPosY = 80;
    record.m_nFontSize = 22;
    record.m_LogFont.lfHeight = -30;
    wcscpy_s(record.m_LogFont.lfFaceName, L"Tahoma");

    CWordArtInfo preset;
    preset.SetText(L"Preset");
    preset.m_strName = L"Theirs";
    preset.m_LogFont.lfHeight = -99;
    preset.m_nFontSize = 5;
    preset.m_nTextPosX = 1;
    preset.SetTextEffect(TE_DBL_GLOW);
    preset.SetTextColor1(Gdiplus::Color(0xFF112233));
    preset.SetShadowColor(Gdiplus::Color(0xFF445566));
    preset.SetEnableShadow(true);
    preset.SetOutlineAlpha2(17);
    preset.SetExtrudedText(true);
    preset.EnableReflection(true);
    preset.SetGap(9);

    ApplyPreset(record, preset);
    EXPECT_EQ(record.m_TextEffect, TE_DBL_GLOW);
    EXPECT_EQ(record.m_clrText1.GetValue(), 0xFF112233u);
    EXPECT_EQ(record.m_clrShadow.GetValue(), 0xFF445566u);
    EXPECT_TRUE(record.m_bEnableShadow);
    EXPECT_EQ(record.m_nOutlineAlpha2, 17);
    EXPECT_TRUE(record.m_bExtrudedText);
    EXPECT_TRUE(record.m_bReflection);
    EXPECT_EQ(record.m_nGap, 9);
    EXPECT_EQ(CString(record.m_strText), L"Hello");
    EXPECT_EQ(CString(record.m_strName), L"Mine");
    EXPECT_EQ(record.m_nTextAngle, 300);
    EXPECT_EQ(record.m_nTextPosX, 70);
    EXPECT_EQ(record.m_nTextPosY, 80);
    EXPECT_EQ(record.m_nFontSize, 22);
    EXPECT_EQ(record.m_LogFont.lfHeight, -30);
    EXPECT_STREQ(record.m_LogFont.lfFaceName, L"Tahoma");
}

// ---------------------------------------------------------------------------------------------
// The sheet under the display

// Three presets of distinct looks; the second lacks ShadowColor.
const char kPresets[] =
    "<WordArts>"
    "<W Name=\"One\" TextEffect=\"1\" TextColor=\"FFFF0000\" OutlineColor1=\"FF000000\" ShadowColor=\"FF00FF00\"/>"
    "<W Name=\"Two\" TextEffect=\"2\" TextColor=\"FF0000FF\" OutlineColor2=\"FFFFFF00\" OutlineAlpha1=\"77\" bEnableShadow=\"1\"/>"
    "<W Name=\"Three\" TextEffect=\"0\" TextColor=\"FF00FF00\" OutlineThickness1=\"9\"/>"
    "</WordArts>";

std::string ManyPresets(int n)
{
    std::string xml = "<WordArts>";
    for (int i = 0; i < n; ++i)
        xml += "<W Name=\"P\" TextEffect=\"" + std::to_string(i % 7) + "\"/>";
    return xml + "</WordArts>";
}

LOGFONTW SampleFont()
{
    LOGFONTW lf = {};
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    wcscpy_s(lf.lfFaceName, L"Arial");
    return lf;
}

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

class TextSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_presetFile = m_folder.At(L"WordArt.xml");
        ASSERT_TRUE(testsupport::TempFolder::Put(m_presetFile, kPresets));
    }
    void TearDown() override { Close(); }

    // A modeless sheet on the record, its presets from the file.
    // pump: serve what the page posted at opening (the thumbnails drawn meanwhile among it).
    CKQTextPropSheet& Open(const wchar_t* text, bool emptyText = false, const std::wstring& presets = L"", bool pump = true)
    {
        m_sheet = std::make_unique<CKQTextPropSheet>();
        LOGFONTW lf = SampleFont();
        m_sheet->m_wordArt.SetLogFont(&lf);
        m_sheet->m_wordArt.SetText(text);
        m_sheet->m_bEmptyText = emptyText;
        m_sheet->m_pageMain.m_strPresetFile = (presets.empty() ? m_presetFile : presets).c_str();
        EXPECT_TRUE(m_sheet->Create());
        if (pump)
            PumpPending();
        return *m_sheet;
    }
    void Close()
    {
        if (m_sheet && m_sheet->GetSafeHwnd())
            m_sheet->DestroyWindow();
        m_sheet.reset();
    }
    CWordArtInfo& Record() { return m_sheet->m_wordArt; }
    CKQDlgTextFuncMain& Main() { return m_sheet->m_pageMain; }
    CKQDlgTextFuncAdvanced& Advanced()
    {
        m_sheet->SetActivePage(1);
        PumpPending();
        return m_sheet->m_pageAdvanced;
    }
    static void Command(CWnd& page, UINT id, UINT code) { textsheetprobe::Command(page, id, code); }
    static CString Text(CWnd& page, UINT id) { return textsheetprobe::Text(page, id); }
    void ClickPreset(int index) { textsheetprobe::ClickPreset(Main(), IDC_KQ_TEXT_PRESETS, index); }
    bool WaitForThumbnails() { return textsheetprobe::WaitForThumbnails(Main()); }

    testsupport::TempFolder m_folder;
    std::wstring m_presetFile;
    std::unique_ptr<CKQTextPropSheet> m_sheet;
};

TEST_F(TextSheetTest, OpensWithItsTitleTabsAndButtons)
{
    CKQTextPropSheet& sheet = Open(L"Title");
    // The language files look texts up without letter case: "Ok" is the OK button's "OK".
    EXPECT_EQ(Text(sheet, IDOK), CString(TranslateString(L"Ok")));
    EXPECT_EQ(Text(sheet, IDCANCEL), CString(TranslateString(L"Cancel")));
    EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW) && sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowVisible());
    CString title;
    sheet.GetWindowText(title);
    EXPECT_EQ(title, CString(L"Text Options"));
    EXPECT_EQ(sheet.GetPageCount(), 2);
}

TEST_F(TextSheetTest, TypingSetsTheTextAndThePlaceholderNever)
{
    Open(L"", true);
    CKQDlgTextFuncMain& page = Main();
    const CString placeholder = Text(page, IDC_KQ_TEXT_EDIT);
    EXPECT_FALSE(placeholder.IsEmpty());
    EXPECT_TRUE(CString(Record().m_strText).IsEmpty());

    page.SetDlgItemText(IDC_KQ_TEXT_EDIT, L"Holiday");
    EXPECT_EQ(CString(Record().m_strText), L"Holiday");
}

TEST_F(TextSheetTest, DateOnThePlaceholderReplacesItAndOnOtherTextAppends)
{
    const struct {
        bool empty;
        const wchar_t* text;
        UINT button;
        const wchar_t* result;
    } cases[] = {
        {true, L"", IDC_KQ_TEXT_DATE, L"[date]"},
        {false, L"Taken ", IDC_KQ_TEXT_DATE, L"Taken [date]"},
        {true, L"", IDC_KQ_TEXT_MONTH, L"[month]"},
        {false, L"In ", IDC_KQ_TEXT_MONTH, L"In [month]"},
    };
    for (const auto& c : cases) {
        Open(c.text, c.empty);
        Command(Main(), c.button, BN_CLICKED);
        EXPECT_EQ(Text(Main(), IDC_KQ_TEXT_EDIT), CString(c.result)) << c.result;
        EXPECT_EQ(CString(Record().m_strText), CString(c.result));
        Close();
    }
}

TEST_F(TextSheetTest, StyleButtonsToggle)
{
    Open(L"Style");
    Command(Main(), IDC_KQ_TEXT_BOLD, BN_CLICKED);
    EXPECT_EQ(Record().m_LogFont.lfWeight, 700);
    Command(Main(), IDC_KQ_TEXT_BOLD, BN_CLICKED);
    EXPECT_EQ(Record().m_LogFont.lfWeight, 400);
    Command(Main(), IDC_KQ_TEXT_ITALIC, BN_CLICKED);
    EXPECT_TRUE(Record().m_LogFont.lfItalic);
    Command(Main(), IDC_KQ_TEXT_UNDERLINE, BN_CLICKED);
    Command(Main(), IDC_KQ_TEXT_UNDERLINE, BN_CLICKED);
    EXPECT_FALSE(Record().m_LogFont.lfUnderline);
}

TEST_F(TextSheetTest, SizeBoxShowsPointsAndSetsTheHeight)
{
    Open(L"Size");
    const int dpi = ScreenDpi();
    CKQDlgTextFuncMain& page = Main();
    EXPECT_EQ(Text(page, IDC_KQ_TEXT_SIZE), FormatPointSize(PointsFromHeight(-16.0f, dpi)));
    if (dpi == 96) {
        EXPECT_EQ(Text(page, IDC_KQ_TEXT_SIZE), CString(L"12"));
    }

    // Typed: 10.5 points; then text that is no number and 0 leave the height.
    page.m_comboSize.SetWindowText(L"10.5");
    Command(page, IDC_KQ_TEXT_SIZE, CBN_EDITCHANGE);
    EXPECT_EQ(Record().m_LogFont.lfHeight, HeightFromPoints(10.5, dpi));
    for (const wchar_t* ignored : {L"abc", L"0", L""}) {
        page.m_comboSize.SetWindowText(ignored);
        Command(page, IDC_KQ_TEXT_SIZE, CBN_EDITCHANGE);
        EXPECT_EQ(Record().m_LogFont.lfHeight, HeightFromPoints(10.5, dpi)) << ignored;
    }

    // Chosen: the list holds the sizes 8 to 72; "12" is the fifth.
    ASSERT_EQ(page.m_comboSize.GetCount(), 16);
    page.m_comboSize.SetCurSel(4);
    Command(page, IDC_KQ_TEXT_SIZE, CBN_SELCHANGE);
    EXPECT_EQ(Record().m_LogFont.lfHeight, HeightFromPoints(12, dpi));
    if (dpi == 96) {
        EXPECT_EQ(Record().m_LogFont.lfHeight, -16);
    }
}

TEST_F(TextSheetTest, PresetClickTakesTheLookAndKeepsTheTextAndFont)
{
    Open(L"Mine");
    Record().SetTextAngle(15);
    Record().m_strName = L"Layer";
    ASSERT_EQ(Main().m_vecPresets.size(), 3u);
    ClickPreset(1);
    EXPECT_EQ(Record().m_TextEffect, TE_DBL_OUTLINE);
    EXPECT_EQ(Record().m_clrText1.GetValue(), 0xFF0000FFu);
    EXPECT_EQ(Record().m_clrShadow.GetValue(), 0xFF00FF00u);   // the first preset's
    EXPECT_EQ(Record().m_nOutlineAlpha1, 77);
    EXPECT_TRUE(Record().m_bEnableShadow);
    EXPECT_EQ(CString(Record().m_strText), L"Mine");
    EXPECT_EQ(CString(Record().m_strName), L"Layer");
    EXPECT_EQ(Record().m_nTextAngle, 150);
    EXPECT_STREQ(Record().m_LogFont.lfFaceName, L"Arial");
    EXPECT_EQ(Record().m_LogFont.lfHeight, -16);
    // A click beside the items changes nothing.
    ClickPreset(-1);
    EXPECT_EQ(Record().m_TextEffect, TE_DBL_OUTLINE);
}

TEST_F(TextSheetTest, AdvancedPageShowsPercentAndStoresAlpha)
{
    Open(L"Alpha");
    Record().SetOutlineAlpha1(128);
    Record().SetOutlineAlpha2(127);
    CKQDlgTextFuncAdvanced& page = Advanced();
    EXPECT_EQ(Text(page, IDC_KQ_ALPHA1), CString(L"50"));
    // Filling the page is no change: 127 is not rounded to 128 by showing it.
    EXPECT_EQ(Record().m_nOutlineAlpha2, 127);
    page.SetDlgItemText(IDC_KQ_ALPHA1, L"20");
    EXPECT_EQ(Record().m_nOutlineAlpha1, 51);
    page.SetDlgItemText(IDC_KQ_ALPHA1, L"50");
    EXPECT_EQ(Record().m_nOutlineAlpha1, 128);
    page.SetDlgItemText(IDC_KQ_THICKNESS1, L"12");
    EXPECT_EQ(Record().m_nOutlineThickness1, 12);
    page.SetDlgItemText(IDC_KQ_SHADOW_Y, L"");
    EXPECT_EQ(Record().m_nShadowOffsetY, 4);
}

TEST_F(TextSheetTest, EffectKindsSelectTheirEntryAndEnableTheSecondOutline)
{
    const struct {
        TextEffect effect;
        int selection;
        bool second;
    } cases[] = {
        {TE_OUTLINE, 0, false}, {TE_DBL_OUTLINE, 1, true}, {TE_GLOW, 2, false}, {TE_GRAD_OUTLINE, 3, true},
        {TE_NO_OUTLINE, -1, false}, {TE_ONLY_OUTLINE, -1, false}, {TE_DBL_GLOW, -1, true},
    };
    for (const auto& c : cases) {
        Open(L"Kind");
        Record().SetTextEffect(c.effect);
        CKQDlgTextFuncAdvanced& page = Advanced();
        EXPECT_EQ(page.m_comboEffect.GetCurSel(), c.selection) << c.effect;
        EXPECT_EQ(page.GetDlgItem(IDC_KQ_OUTLINE2_COLOR)->IsWindowEnabled() != FALSE, c.second) << c.effect;
        EXPECT_EQ(page.GetDlgItem(IDC_KQ_ALPHA2)->IsWindowEnabled() != FALSE, c.second) << c.effect;
        Close();
    }
    // Choosing an entry sets the kind and the enabling.
    Open(L"Kind");
    CKQDlgTextFuncAdvanced& page = Advanced();
    page.m_comboEffect.SetCurSel(3);
    Command(page, IDC_KQ_EFFECT, CBN_SELCHANGE);
    EXPECT_EQ(Record().m_TextEffect, TE_GRAD_OUTLINE);
    EXPECT_TRUE(page.GetDlgItem(IDC_KQ_THICKNESS2)->IsWindowEnabled());
    page.m_comboEffect.SetCurSel(2);
    Command(page, IDC_KQ_EFFECT, CBN_SELCHANGE);
    EXPECT_EQ(Record().m_TextEffect, TE_GLOW);
    EXPECT_FALSE(page.GetDlgItem(IDC_KQ_THICKNESS2)->IsWindowEnabled());
}

TEST_F(TextSheetTest, ChecksEnableTheirRowsAndColoursGoInOpaque)
{
    Open(L"Checks");
    Record().SetTextColor1(Gdiplus::Color(0x40123456));
    CKQDlgTextFuncAdvanced& page = Advanced();
    EXPECT_EQ(page.m_btnTextColor.GetColor(), RGB(0x12, 0x34, 0x56));
    EXPECT_FALSE(page.GetDlgItem(IDC_KQ_SHADOW_COLOR)->IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(IDC_KQ_SHADOW_X)->IsWindowEnabled());
    page.CheckDlgButton(IDC_KQ_SHADOW_CHECK, BST_CHECKED);
    Command(page, IDC_KQ_SHADOW_CHECK, BN_CLICKED);
    EXPECT_TRUE(Record().m_bEnableShadow);
    for (UINT id : {IDC_KQ_SHADOW_COLOR, IDC_KQ_SHADOW_THICKNESS, IDC_KQ_SHADOW_ALPHA_SPIN, IDC_KQ_SHADOW_X,
                    IDC_KQ_SHADOW_Y, IDC_KQ_SHADOW_COLOR_LABEL, IDC_KQ_SHADOW_Y_LABEL})
        EXPECT_TRUE(page.GetDlgItem(id)->IsWindowEnabled()) << id;
    EXPECT_FALSE(page.GetDlgItem(IDC_KQ_GRADIENT_COLOR)->IsWindowEnabled());
    page.CheckDlgButton(IDC_KQ_GRADIENT_CHECK, BST_CHECKED);
    Command(page, IDC_KQ_GRADIENT_CHECK, BN_CLICKED);
    EXPECT_TRUE(Record().m_bTextGradient);
    EXPECT_TRUE(page.GetDlgItem(IDC_KQ_GRADIENT_COLOR)->IsWindowEnabled());

    // A pick in a palette: the first cell for the shadow, "Automatic" (white) for the text.
    const UINT paletteDone = ::RegisterWindowMessageW(L"SkinUI.ColorPaletteDone");
    page.m_btnShadowColor.SendMessage(paletteDone, 0);
    EXPECT_EQ(Record().m_clrShadow.GetValue(), RecordColor(page.m_btnShadowColor.GetColor()).GetValue());
    EXPECT_NE(Record().m_clrShadow.GetValue(), 0xFF808080u);
    page.m_btnTextColor.SendMessage(paletteDone, static_cast<WPARAM>(skinui::kHitAutomatic));
    EXPECT_EQ(Record().m_clrText1.GetValue(), 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------------------------
// Thumbnails

TEST_F(TextSheetTest, EveryThumbnailShowsTextInsideItsFrame)
{
    Open(L"Thumbs");
    ASSERT_TRUE(WaitForThumbnails());
    CKQDlgTextFuncMain& page = Main();
    ASSERT_EQ(page.m_listPresets.GetItemCount(), 3);
    ASSERT_EQ(page.ThumbnailsShown(), 3);
    for (int i = 0; i < 3; ++i) {
        const textsheetprobe::Thumbnail seen = textsheetprobe::LookAtThumbnail(page, i);
        EXPECT_TRUE(seen.framed) << i;
        EXPECT_GT(seen.inked, 100) << i;
        // The gallery paints the very same picture into the item.
        const textsheetprobe::Thumbnail painted = textsheetprobe::LookAtPaintedThumbnail(page, i);
        EXPECT_TRUE(painted.framed) << i;
        EXPECT_EQ(painted.inked, seen.inked) << i;
    }
}

TEST_F(TextSheetTest, RefillsWhileDrawingEndWithEveryThumbnailOfTheLastFill)
{
    const std::wstring many = m_folder.At(L"Many.xml");
    ASSERT_TRUE(testsupport::TempFolder::Put(many, ManyPresets(40)));
    Open(L"Again", false, many);
    CKQDlgTextFuncMain& page = Main();
    // Refills at once, mid-fill, after serving a few thumbnails, and after a finished fill: the
    // threads of one fill serve the next.
    for (int round = 0; round < 6; ++round) {
        page.StartThumbnailThread();
        if (round % 2)
            PumpFor(20);
        if (round == 3)
            ASSERT_TRUE(WaitForThumbnails());
    }
    ASSERT_TRUE(WaitForThumbnails());
    EXPECT_EQ(page.ThumbnailsShown(), 40);
    ASSERT_EQ(page.m_listPresets.GetItemCount(), 40);
    // A blank image, left by a fill that lost its thumbnail, has no frame.
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(textsheetprobe::LookAtThumbnail(page, i).framed) << i;
}

// The thumbnail composed on a bitmap made for the screen's own DC, step by step: the pixels the
// gallery must keep showing however the bitmap is come by.
HBITMAP ThumbnailOnTheScreensBitmap(CWordArtInfo preset, const LOGFONTW& font)
{
    preset.SetLogFont(const_cast<LOGFONTW*>(&font));
    preset.SetText(L"Text");
    CZVImage picture;
    preset.DrawEffectText(&picture);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kThumbWidth, kThumbHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT cell = {0, 0, kThumbWidth, kThumbHeight};
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &cell, white);
    ::DeleteObject(white);
    if (picture.IsValid()) {
        const RGBQUAD background = {255, 255, 255, 0};
        picture.SetTransColor(background);
        if (picture.GetTransIndex() >= 0 && picture.GetBpp() <= 8)
            picture.SetPaletteColor(static_cast<BYTE>(picture.GetTransIndex()), background);
        picture.AlphaStrip();
        ::SetStretchBltMode(dc, HALFTONE);
        picture.Stretch(dc, FitThumbnail(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight())), SRCCOPY);
    }
    HBRUSH grey = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FrameRect(dc, &cell, grey);
    ::DeleteObject(grey);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

std::vector<DWORD> PixelsOf(HBITMAP bitmap)
{
    BITMAPINFO info = win32::TopDownBitmapInfo(kThumbWidth, kThumbHeight);
    std::vector<DWORD> pixels(kThumbWidth * kThumbHeight);
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, kThumbHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != kThumbHeight)
        pixels.clear();
    return pixels;
}

TEST_F(TextSheetTest, ThumbnailPixelsAreThoseOfTheScreensOwnBitmap)
{
    const std::wstring kinds = m_folder.At(L"Kinds.xml");
    ASSERT_TRUE(testsupport::TempFolder::Put(kinds, ManyPresets(7)));
    std::vector<CWordArtInfo> presets = LoadWordArtPresets(m_presetFile.c_str());
    for (const CWordArtInfo& preset : LoadWordArtPresets(kinds.c_str()))
        presets.push_back(preset);
    ASSERT_EQ(presets.size(), 10u);
    LOGFONTW font = SampleFont();
    font.lfHeight = -48;
    for (size_t i = 0; i < presets.size(); ++i) {
        const WordArtThumbnailPixels seen = DrawWordArtThumbnail(presets[i], font);
        HBITMAP expected = ThumbnailOnTheScreensBitmap(presets[i], font);
        ASSERT_TRUE(expected) << i;
        std::vector<DWORD> wanted = PixelsOf(expected);
        ::DeleteObject(expected);
        // The screen's bitmap keeps no alpha; what GetDIBits puts there is no colour.
        for (DWORD& pixel : wanted)
            pixel &= 0x00FFFFFF;
        ASSERT_FALSE(wanted.empty()) << i;
        EXPECT_TRUE(seen == wanted) << "preset " << i;
    }
}

int ThreadCount()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {sizeof entry};
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(snapshot);
    return count;
}

TEST_F(TextSheetTest, ClosingWhileTheThreadDrawsLeavesNoThread)
{
    const std::wstring many = m_folder.At(L"Many.xml");
    ASSERT_TRUE(testsupport::TempFolder::Put(many, ManyPresets(400)));
    // Once, to its end: what the process starts for drawing at all is there before counting.
    Open(L"Warm");
    ASSERT_TRUE(WaitForThumbnails());
    Close();
    PumpFor(100);
    const int before = ThreadCount();
    int caughtRunning = 0;
    for (int i = 0; i < 20; ++i) {
        // Not pumped: the posts of several drawing threads can keep the queue busy to the end.
        Open(L"Busy", false, many, false);
        caughtRunning += Main().IsThumbnailThreadRunning();
        Close();
    }
    EXPECT_GT(caughtRunning, 0);
    // A thread that was joined may take a moment to leave the process's list; a left one never does.
    EXPECT_TRUE(PumpUntil([&] { return ThreadCount() == before; }, 3000)) << ThreadCount() << " threads, " << before << " before";
}

// ---------------------------------------------------------------------------------------------
// Front door

// What the test does to the modal sheet once it shows, then the button it presses.
std::function<void(CKQTextPropSheet&)> g_onSheet;

bool g_closedByFallback = false;
UINT_PTR g_fallbackTimer = 0;

CKQTextPropSheet* OpenSheet()
{
    HWND window = ::FindWindowW(nullptr, L"Text Options");
    return window ? dynamic_cast<CKQTextPropSheet*>(CWnd::FromHandlePermanent(window)) : nullptr;
}

// A sheet that the test's action left open is cancelled, so that the test fails instead of
// waiting for ever.
void CALLBACK CloseLeftSheet(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    if (CKQTextPropSheet* sheet = OpenSheet()) {
        g_closedByFallback = true;
        sheet->PressButton(PSBTN_CANCEL);
    }
}

void CALLBACK DriveSheet(HWND, UINT, UINT_PTR id, DWORD)
{
    CKQTextPropSheet* sheet = OpenSheet();
    if (!sheet)
        return;
    ::KillTimer(nullptr, id);
    g_onSheet(*sheet);
    g_fallbackTimer = ::SetTimer(nullptr, 0, 10000, CloseLeftSheet);
}

TEST(ShowTextPropSheet, OkWithTextTakesTheSheetsRecordElseNothing)
{
    const struct {
        const wchar_t* before;
        const wchar_t* typed;   // null: the text is left as it shows
        int button;             // a sheet button, or a key pressed in the text edit
        bool key;
        int result;
        const wchar_t* after;
    } cases[] = {
        {L"Old", L"New", PSBTN_OK, false, 1, L"New"},
        {L"Old", L"New", PSBTN_CANCEL, false, 0, L"Old"},
        {L"Old", L"", PSBTN_OK, false, 0, L"Old"},
        {L"", nullptr, PSBTN_OK, false, 0, L""},         // the placeholder untouched
        {L"", L"Typed", PSBTN_OK, false, 1, L"Typed"},
        {L"Old", L"Entered", VK_RETURN, true, 1, L"Entered"},
        {L"Old", L"Escaped", VK_ESCAPE, true, 0, L"Old"},
    };
    for (const auto& c : cases) {
        CWordArtInfo record;
        record.SetText(c.before);
        bool shown = false;
        g_onSheet = [&](CKQTextPropSheet& sheet) {
            shown = true;
            if (c.typed)
                sheet.m_pageMain.SetDlgItemText(IDC_KQ_TEXT_EDIT, c.typed);
            if (c.key) {
                CWnd* edit = sheet.m_pageMain.GetDlgItem(IDC_KQ_TEXT_EDIT);
                edit->SetFocus();
                edit->PostMessage(WM_KEYDOWN, c.button, 1);
                edit->PostMessage(WM_KEYUP, c.button, 0xC0000001);
            } else {
                sheet.PressButton(c.button);
            }
        };
        g_closedByFallback = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveSheet);
        EXPECT_EQ(ShowTextPropSheet(&record), c.result) << c.after;
        ::KillTimer(nullptr, timer);
        ::KillTimer(nullptr, g_fallbackTimer);
        EXPECT_TRUE(shown);
        EXPECT_FALSE(g_closedByFallback) << c.after;
        EXPECT_EQ(CString(record.m_strText), CString(c.after));
    }
    EXPECT_EQ(ShowTextPropSheet(nullptr), 0);
}

} // namespace

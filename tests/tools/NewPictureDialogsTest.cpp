// The new document and blank layer dialogs driven through their controls from inside their
// modal loops: presets, the clipboard preset, units, kept ratios and the results read after OK.
#include <cstring>
#include "DlgEditorBlank.h"
#include "LayerDocument.h"
#include "DlgEditorCreateFile.h"
#include "NewPictureIds.h"
#include "NewPictureTest.h"

using namespace newpicturetest;

namespace {

// Runs the new document dialog with steps acted inside it, then the button.
int RunCreateFile(CDlgEditorCreateFile& dialog, const std::function<void(HWND)>& steps, int press = IDOK)
{
    ActOnDialog([&](HWND window) {
        steps(window);
        Click(window, press);
    });
    const INT_PTR result = dialog.DoModal();
    EXPECT_TRUE(DialogActDone());
    return int(result);
}

TEST(DlgEditorCreateFile, EmptyClipboardOpensOn800x600AndClipboardLandsThere)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({}));
    struct Seen {
        int preset;
        std::wstring width, height;
        bool pasteEnabled, pasteChecked;
    } opened = {}, chosen = {};
    auto look = [](HWND w) {
        return Seen{ComboSelection(w, IDC_NP_PRESET), ItemText(w, IDC_NP_WIDTH), ItemText(w, IDC_NP_HEIGHT),
                    Enabled(w, IDC_NP_PASTE), Checked(w, IDC_NP_PASTE)};
    };
    CDlgEditorCreateFile dialog;
    EXPECT_EQ(RunCreateFile(dialog, [&](HWND w) {
        opened = look(w);
        Choose(w, IDC_NP_PRESET, 5);
        Choose(w, IDC_NP_PRESET, 0);
        chosen = look(w);
    }), IDOK);
    for (const Seen& seen : {opened, chosen}) {
        EXPECT_EQ(seen.preset, 1);
        EXPECT_EQ(seen.width, L"800");
        EXPECT_EQ(seen.height, L"600");
        EXPECT_FALSE(seen.pasteEnabled);
        EXPECT_FALSE(seen.pasteChecked);
    }
    EXPECT_FALSE(dialog.m_bPaste);
    EXPECT_EQ(dialog.GetPixelSize().width, 800);
}

TEST(DlgEditorCreateFile, ClipboardPictureIsChosenAndOtherPresetsTurnPasteOff)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({{CF_DIB, MakeDib(517, 301)}}));
    int preset = -1, afterPreset = -1;
    std::wstring width, height;
    bool pasteEnabled = false, pasteChecked = false, laterEnabled = true, laterChecked = true, backChecked = false;
    CDlgEditorCreateFile dialog;
    EXPECT_EQ(RunCreateFile(dialog, [&](HWND w) {
        preset = ComboSelection(w, IDC_NP_PRESET);
        width = ItemText(w, IDC_NP_WIDTH);
        height = ItemText(w, IDC_NP_HEIGHT);
        pasteEnabled = Enabled(w, IDC_NP_PASTE);
        pasteChecked = Checked(w, IDC_NP_PASTE);
        Choose(w, IDC_NP_PRESET, 14);
        afterPreset = ComboSelection(w, IDC_NP_PRESET);
        laterEnabled = Enabled(w, IDC_NP_PASTE);
        laterChecked = Checked(w, IDC_NP_PASTE);
        Choose(w, IDC_NP_PRESET, 0);
        backChecked = Checked(w, IDC_NP_PASTE);
    }), IDOK);
    EXPECT_EQ(preset, 0);
    EXPECT_EQ(width, L"517");
    EXPECT_EQ(height, L"301");
    EXPECT_TRUE(pasteEnabled);
    EXPECT_TRUE(pasteChecked);
    EXPECT_EQ(afterPreset, 14);
    EXPECT_FALSE(laterEnabled);
    EXPECT_FALSE(laterChecked);
    EXPECT_TRUE(backChecked);
    EXPECT_TRUE(dialog.m_bPaste);
    EXPECT_EQ(dialog.GetPixelSize().width, 517);
    EXPECT_EQ(dialog.GetPixelSize().height, 301);
}

TEST(DlgEditorCreateFile, EveryPresetShowsItsSizeUnitAndResolution)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({}));
    const struct {
        int preset;
        const wchar_t* width;
        const wchar_t* height;
        int unit;
        const wchar_t* resolution;
    } cases[] = {
        {1, L"800", L"600", 0, L"72.00"},        {2, L"1280", L"720", 0, L"72.00"},
        {3, L"1600", L"900", 0, L"72.00"},       {4, L"1920", L"1080", 0, L"72.00"},
        {5, L"11.69", L"8.27", 2, L"200.00"},    {6, L"8.27", L"11.69", 2, L"200.00"},
        {7, L"10.12", L"7.17", 2, L"200.00"},    {8, L"7.17", L"10.12", 2, L"200.00"},
        {9, L"3.00", L"2.00", 2, L"300.00"},     {10, L"6.00", L"4.00", 2, L"300.00"},
        {11, L"7.00", L"5.00", 2, L"300.00"},    {12, L"10.00", L"8.00", 2, L"300.00"},
        {13, L"2.00", L"3.00", 2, L"300.00"},    {14, L"4.00", L"6.00", 2, L"300.00"},
        {15, L"5.00", L"7.00", 2, L"300.00"},    {16, L"8.00", L"10.00", 2, L"300.00"},
        {17, L"4.72", L"4.72", 2, L"200.00"},    {18, L"5.43", L"4.65", 2, L"200.00"},
        {19, L"720", L"480", 0, L"72.00"},       {20, L"720", L"576", 0, L"72.00"},
    };
    std::vector<std::wstring> presetTexts;
    struct Shown {
        std::wstring width, height, resolution;
        int unit, resolutionUnit;
    };
    std::vector<Shown> shown;
    CDlgEditorCreateFile dialog;
    RunCreateFile(dialog, [&](HWND w) {
        presetTexts = ComboItems(w, IDC_NP_PRESET);
        // From pixels per centimetre too: a preset sets pixels per inch.
        Choose(w, IDC_NP_RES_UNIT, 1);
        for (const auto& c : cases) {
            Choose(w, IDC_NP_PRESET, c.preset);
            shown.push_back({ItemText(w, IDC_NP_WIDTH), ItemText(w, IDC_NP_HEIGHT), ItemText(w, IDC_NP_RESOLUTION),
                             ComboSelection(w, IDC_NP_UNIT), ComboSelection(w, IDC_NP_RES_UNIT)});
        }
    });
    ASSERT_EQ(presetTexts.size(), 21u);
    EXPECT_EQ(presetTexts[0], L"Clipboard");
    EXPECT_EQ(presetTexts[14], L"Photo,Portrait,4 \u00D7 6");
    ASSERT_EQ(shown.size(), std::size(cases));
    for (size_t i = 0; i < shown.size(); ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(shown[i].width, c.width) << "preset " << c.preset;
        EXPECT_EQ(shown[i].height, c.height) << "preset " << c.preset;
        EXPECT_EQ(shown[i].unit, c.unit) << "preset " << c.preset;
        EXPECT_EQ(shown[i].resolution, c.resolution) << "preset " << c.preset;
        EXPECT_EQ(shown[i].resolutionUnit, 0) << "preset " << c.preset;
    }
}

TEST(DlgEditorCreateFile, UnitsRoundTripAndTheUnitInUseChangesNothing)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({}));
    std::wstring same[2], inches[2], pixels[2], cm[2], perCm;
    CDlgEditorCreateFile dialog;
    RunCreateFile(dialog, [&](HWND w) {
        Type(w, IDC_NP_WIDTH, L"1023");
        Choose(w, IDC_NP_UNIT, 0);
        same[0] = ItemText(w, IDC_NP_WIDTH);
        same[1] = ItemText(w, IDC_NP_HEIGHT);
        Choose(w, IDC_NP_UNIT, 2);
        inches[0] = ItemText(w, IDC_NP_WIDTH);
        inches[1] = ItemText(w, IDC_NP_HEIGHT);
        Choose(w, IDC_NP_UNIT, 0);
        pixels[0] = ItemText(w, IDC_NP_WIDTH);
        pixels[1] = ItemText(w, IDC_NP_HEIGHT);
        Choose(w, IDC_NP_UNIT, 1);
        cm[0] = ItemText(w, IDC_NP_WIDTH);
        cm[1] = ItemText(w, IDC_NP_HEIGHT);
        Choose(w, IDC_NP_RES_UNIT, 1);
        perCm = ItemText(w, IDC_NP_RESOLUTION);
    });
    EXPECT_EQ(same[0], L"1023");
    EXPECT_EQ(same[1], L"600");
    EXPECT_EQ(inches[0], L"14.21");
    EXPECT_EQ(inches[1], L"8.33");
    EXPECT_EQ(pixels[0], L"1023");
    EXPECT_EQ(pixels[1], L"600");
    EXPECT_EQ(cm[0], L"36.09");
    EXPECT_EQ(cm[1], L"21.17");
    EXPECT_EQ(perCm, L"28.35");
    EXPECT_EQ(dialog.m_nUnit, 1);
    EXPECT_EQ(dialog.m_nResolutionUnit, 1);
}

TEST(DlgEditorCreateFile, KeepRatioFollowsThenSidesOfZeroBecomeOne)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({}));
    const struct {
        int preset;
        int edited;
        const wchar_t* typed;
        const wchar_t* width;
        const wchar_t* height;
    } cases[] = {{1, IDC_NP_WIDTH, L"400", L"400", L"300"}, {1, IDC_NP_HEIGHT, L"300", L"400", L"300"},
                 {1, IDC_NP_WIDTH, L"0", L"1", L"1"},       {14, IDC_NP_WIDTH, L"5", L"5", L"7.50"},
                 {1, IDC_NP_WIDTH, L"", L"1", L"1"}};
    for (const auto& c : cases) {
        std::wstring width, height;
        CDlgEditorCreateFile dialog;
        RunCreateFile(dialog, [&](HWND w) {
            Choose(w, IDC_NP_PRESET, c.preset);
            ::CheckDlgButton(w, IDC_NP_KEEP_RATIO, BST_CHECKED);
            Type(w, c.edited, c.typed);
            width = ItemText(w, IDC_NP_WIDTH);
            height = ItemText(w, IDC_NP_HEIGHT);
        });
        EXPECT_EQ(width, c.width) << "typed " << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(height, c.height) << "typed " << testing::PrintToString(std::wstring(c.typed));
    }
}

TEST(DlgEditorCreateFile, PhotoPortrait4x6MakesA1200x1800Document)
{
    ClipboardCleaner cleaner;
    ASSERT_TRUE(PutOnClipboard({}));
    CDlgEditorCreateFile dialog;
    EXPECT_EQ(RunCreateFile(dialog, [](HWND w) {
        Choose(w, IDC_NP_PRESET, 14);
        ::CheckDlgButton(w, IDC_NP_TRANSPARENT, BST_CHECKED);
    }), IDOK);
    EXPECT_EQ(dialog.GetPixelSize().width, 1200);
    EXPECT_EQ(dialog.GetPixelSize().height, 1800);
    EXPECT_TRUE(dialog.m_bTransparent);
    EXPECT_FALSE(dialog.m_bPaste);
    // Cancel leaves the values the caller set.
    CDlgEditorCreateFile cancelled;
    EXPECT_EQ(RunCreateFile(cancelled, [](HWND w) { Choose(w, IDC_NP_PRESET, 14); }, IDCANCEL), IDCANCEL);
}

TEST(NewDocumentFromDialog, PresetCanvasOrTheClipboardsPicture)
{
    ClipboardCleaner cleaner;
    const struct {
        const char* name;
        bool dibOnClipboard;
        int preset;       // -1: as the dialog opens
        bool transparent;
        int width, height, dpi;
        BYTE alpha;
    } cases[] = {{"Photo,Portrait,4 x 6", false, 14, false, 1200, 1800, 300, 255},
                 {"A4,Landscape transparent", false, 5, true, 2338, 1654, 200, 0},
                 {"the clipboard's picture", true, -1, false, 517, 301, -1, 255}};
    for (const auto& c : cases) {
        std::vector<std::pair<UINT, std::vector<BYTE>>> blocks;
        if (c.dibOnClipboard) {
            std::vector<BYTE> dib = MakeDib(517, 301);
            dib[sizeof(BITMAPINFOHEADER)] = 0x11;   // the bottom-left pixel's blue
            blocks.push_back({CF_DIB, dib});
        }
        ASSERT_TRUE(PutOnClipboard(blocks));
        CLayerDocument document;
        bool paste = false;
        ActOnDialog([&](HWND w) {
            if (c.preset >= 0)
                Choose(w, IDC_NP_PRESET, c.preset);
            if (c.transparent)
                ::CheckDlgButton(w, IDC_NP_TRANSPARENT, BST_CHECKED);
            paste = Checked(w, IDC_NP_PASTE);
            Click(w, IDOK);
        });
        ASSERT_TRUE(NewDocumentFromDialog(nullptr, document)) << c.name;
        EXPECT_EQ(paste, c.dibOnClipboard) << c.name;
        CZVImage* background = document.GetBackgroundImage();
        ASSERT_NE(background, nullptr) << c.name;
        EXPECT_EQ(int(background->GetWidth()), c.width) << c.name;
        EXPECT_EQ(int(background->GetHeight()), c.height) << c.name;
        if (c.dpi > 0)
            EXPECT_EQ(background->GetXDPI(), c.dpi) << c.name;
        const RGBQUAD pixel = background->GetPixelColor(0, 0, true);
        if (c.dibOnClipboard) {
            EXPECT_EQ(pixel.rgbBlue, 0x11) << c.name;
            EXPECT_EQ(pixel.rgbGreen, 0x80) << c.name;
        } else {
            EXPECT_EQ(pixel.rgbRed, 255) << c.name;
            EXPECT_EQ(pixel.rgbReserved, c.alpha) << c.name;
        }
    }
}

int RunBlank(CDlgEditorBlank& dialog, const std::function<void(HWND)>& steps)
{
    ActOnDialog([&](HWND window) {
        steps(window);
        Click(window, IDOK);
    });
    const INT_PTR result = dialog.DoModal();
    EXPECT_TRUE(DialogActDone());
    return int(result);
}

TEST(DlgEditorBlank, KeepsTheBasisRatioInWholePixels)
{
    const struct {
        int edited;
        const wchar_t* typed;
        const wchar_t* width;
        const wchar_t* height;
        int resultWidth, resultHeight;
    } cases[] = {{IDC_NP_WIDTH, L"300", L"300", L"150", 300, 150}, {IDC_NP_WIDTH, L"301", L"301", L"150", 301, 150},
                 {IDC_NP_HEIGHT, L"1", L"2", L"1", 2, 1},          {IDC_NP_WIDTH, L"0", L"1", L"1", 1, 1}};
    for (const auto& c : cases) {
        std::wstring width, height, first;
        CDlgEditorBlank dialog;
        dialog.m_nWidth = dialog.m_nRatioWidth = 1000;
        dialog.m_nHeight = dialog.m_nRatioHeight = 500;
        EXPECT_EQ(RunBlank(dialog, [&](HWND w) {
            first = ItemText(w, IDC_NP_WIDTH);
            ::CheckDlgButton(w, IDC_NP_KEEP_RATIO, BST_CHECKED);
            Type(w, c.edited, c.typed);
            width = ItemText(w, IDC_NP_WIDTH);
            height = ItemText(w, IDC_NP_HEIGHT);
        }), IDOK);
        EXPECT_EQ(first, L"1000");
        EXPECT_EQ(width, c.width) << "typed " << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(height, c.height) << "typed " << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(dialog.m_nWidth, c.resultWidth);
        EXPECT_EQ(dialog.m_nHeight, c.resultHeight);
    }
}

TEST(DlgEditorBlank, NoBasisHeightMeansNoRatio)
{
    std::wstring height;
    CDlgEditorBlank dialog;
    dialog.m_nWidth = dialog.m_nRatioWidth = 1000;
    dialog.m_nHeight = 500;
    dialog.m_nRatioHeight = 0;
    RunBlank(dialog, [&](HWND w) {
        ::CheckDlgButton(w, IDC_NP_KEEP_RATIO, BST_CHECKED);
        Type(w, IDC_NP_WIDTH, L"300");
        height = ItemText(w, IDC_NP_HEIGHT);
    });
    EXPECT_EQ(height, L"500");
}

TEST(DlgEditorBlank, FillIsTheColourOpaqueOrTransparentWhite)
{
    const struct {
        COLORREF color;
        bool transparent;
        RGBQUAD fill;
    } cases[] = {{RGB(10, 20, 30), false, {30, 20, 10, 255}},
                 {RGB(10, 20, 30), true, {255, 255, 255, 0}},
                 {RGB(255, 255, 255), false, {255, 255, 255, 255}}};
    for (const auto& c : cases) {
        CDlgEditorBlank dialog;
        dialog.m_nWidth = dialog.m_nRatioWidth = 100;
        dialog.m_nHeight = dialog.m_nRatioHeight = 100;
        dialog.m_crColor = c.color;
        RunBlank(dialog, [&](HWND w) { ::CheckDlgButton(w, IDC_NP_TRANSPARENT, c.transparent ? BST_CHECKED : BST_UNCHECKED); });
        const RGBQUAD fill = dialog.GetFillColor();
        EXPECT_EQ(std::memcmp(&fill, &c.fill, sizeof fill), 0)
            << int(fill.rgbRed) << "," << int(fill.rgbGreen) << "," << int(fill.rgbBlue) << "," << int(fill.rgbReserved);
        EXPECT_EQ(dialog.m_bTransparent != FALSE, c.transparent);
    }
}

TEST(NewBlankLayer, BackgroundSizedDialogThenATransparentLayerOnTop)
{
    CLayerDocument document;
    ASSERT_TRUE(document.NewBlankDocument(RGBQUAD{0, 0, 255, 255}, 1000, 500, 72, 255));
    ASSERT_TRUE(document.AddBlankLayer(RGBQUAD{0, 255, 0, 255}, 50, 50));   // current: not the background
    const size_t before = document.layers.layers.size();
    std::wstring shownWidth, shownHeight, height;
    ActOnDialog([&](HWND w) {
        shownWidth = ItemText(w, IDC_NP_WIDTH);
        shownHeight = ItemText(w, IDC_NP_HEIGHT);
        ::CheckDlgButton(w, IDC_NP_KEEP_RATIO, BST_CHECKED);
        ::CheckDlgButton(w, IDC_NP_TRANSPARENT, BST_CHECKED);
        Type(w, IDC_NP_WIDTH, L"300");
        height = ItemText(w, IDC_NP_HEIGHT);
        Click(w, IDOK);
    });
    EXPECT_TRUE(NewBlankLayer(nullptr, document));
    EXPECT_EQ(shownWidth, L"1000");
    EXPECT_EQ(shownHeight, L"500");
    EXPECT_EQ(height, L"150");
    ASSERT_EQ(document.layers.layers.size(), before + 1);
    EXPECT_EQ(document.GetCurrentLayerWidth(), 300);
    EXPECT_EQ(document.GetCurrentLayerHeight(), 150);
    const CLayerInfo* layer = document.layers.GetLayer(document.layers.currentId);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->ownAlpha, 1);
    const RGBQUAD pixel = layer->displayed.GetPixelColor(0, 0, false);
    EXPECT_EQ(pixel.rgbRed, 255);
    EXPECT_EQ(pixel.rgbGreen, 255);
    EXPECT_EQ(pixel.rgbBlue, 255);

    // Cancel adds nothing.
    ActOnDialog([](HWND w) { Click(w, IDCANCEL); });
    EXPECT_FALSE(NewBlankLayer(nullptr, document));
    EXPECT_EQ(document.layers.layers.size(), before + 1);
}

} // namespace

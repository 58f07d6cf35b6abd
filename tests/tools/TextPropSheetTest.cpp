// The editor's text options sheet over an editor frame: the live text layer (added by typing,
// updated after), Cancel giving back the layers and the shared style, the pages on the editor's
// templates, and the preset gallery's worker.
#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include "EditorAppState.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "TestSupport.h"
#include "TextPropSheet.h"
#include "TextPropSheetIds.h"
#include "TextSheetProbe.h"
#include "TextSheetRules.h"
#include "ToolHostTestFrame.h"
#include "WindowTestApp.h"
#include "ZVUILibApp.h"

namespace {

CZVImage Grey(int width, int height)
{
    CZVImage p;
    p.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.SetPixelColor(x, y, RGBQUAD{200, 200, 200, 0});
    return p;
}

CWordArtInfo Style(const wchar_t* text, Gdiplus::ARGB colour)
{
    CWordArtInfo style;
    LOGFONTW lf = {};
    lf.lfHeight = -48;
    lf.lfWeight = FW_NORMAL;
    wcscpy_s(lf.lfFaceName, L"Arial");
    style.SetLogFont(&lf);
    style.SetText(text);
    style.SetTextColor1(Gdiplus::Color(colour));
    return style;
}

// Three presets of distinct looks, as child elements.
const char kPresets[] =
    "<WordArts>"
    "<WordArt><Name>Red</Name><TextEffect>1</TextEffect><TextColor>FFFF0000</TextColor></WordArt>"
    "<WordArt><Name>Blue</Name><TextEffect>2</TextEffect><TextColor>FF0000FF</TextColor></WordArt>"
    "<WordArt><Name>Green</Name><TextEffect>0</TextEffect><TextColor>FF00FF00</TextColor></WordArt>"
    "</WordArts>";

std::string ManyPresets(int n)
{
    std::string xml = "<WordArts>";
    for (int i = 0; i < n; ++i)
        xml += "<WordArt TextEffect=\"" + std::to_string(i % 7) + "\" OutlineThickness1=\"" + std::to_string(i % 9) + "\"/>";
    return xml + "</WordArts>";
}

class TextPropSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_presetFile = m_folder.At(L"WordArt.xml");
        ASSERT_TRUE(testsupport::TempFolder::Put(m_presetFile, kPresets));
        RegisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame), ToolHostKind::Editor, ToolHostTestFrameView);
        m_frame = new CToolHostTestFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 60, 740, 560)));
        AfxGetApp()->m_pMainWnd = m_frame;
        CPicEditView& view = m_frame->view;
        ASSERT_TRUE(view.CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                  m_frame->m_hWnd, nullptr));
        view.UpdateClientRect();
        ASSERT_TRUE(view.doc.OpenImage(Grey(300, 200)));
        view.doc.historyOn = 1;
        Shared() = Style(L"", 0xFF123456);
    }
    void TearDown() override
    {
        Close();
        AfxGetApp()->m_pMainWnd = nullptr;
        if (m_frame && m_frame->m_hWnd)
            m_frame->DestroyWindow();
        UnregisterToolHostFrame(RUNTIME_CLASS(CToolHostTestFrame));
        PumpPending();
    }

    static CWordArtInfo& Shared() { return GetEditorAppState().defaultWordArt; }
    CPicEditView& View() { return m_frame->view; }
    int LayerCount() { return static_cast<int>(View().doc.layers.layers.size()); }
    CLayerInfo* Layer(int id) { return View().doc.layers.GetLayer(id); }

    // A modeless sheet for the frame on the shared style, its presets from the file.
    // pump: serve what the page posted at opening (the thumbnails drawn meanwhile among it).
    CTextPropSheet& Open(bool newText, const std::wstring& presets = L"", bool pump = true)
    {
        m_sheet = std::make_unique<CTextPropSheet>(m_frame);
        m_sheet->m_pageMain.newText = newText;
        m_sheet->m_pageMain.m_strPresetFile = (presets.empty() ? m_presetFile : presets).c_str();
        m_sheet->Begin();
        EXPECT_TRUE(m_sheet->Create());
        if (pump)
            PumpPending();
        return *m_sheet;
    }
    void Close(INT_PTR result = IDOK)
    {
        if (!m_sheet)
            return;
        if (m_sheet->GetSafeHwnd())
            m_sheet->DestroyWindow();
        m_sheet->End(result);
        m_sheet.reset();
    }
    CDlgTextFuncMain& Main() { return m_sheet->m_pageMain; }
    CDlgTextFuncAdvanced& Advanced()
    {
        m_sheet->SetActivePage(1);
        PumpPending();
        return m_sheet->m_pageAdvanced;
    }
    // As typed over the whole text (a multi-line box tells no change for a text set by code).
    void Type(const wchar_t* text)
    {
        CWnd* edit = Main().GetDlgItem(IDC_TEXT_EDIT);
        edit->SendMessage(EM_SETSEL, 0, -1);
        edit->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    static void Command(CWnd& page, UINT id, UINT code) { textsheetprobe::Command(page, id, code); }
    static CString Text(CWnd& page, UINT id) { return textsheetprobe::Text(page, id); }
    void ClickPreset(int index) { textsheetprobe::ClickPreset(Main(), IDC_TEXT_PRESETS, index); }
    bool WaitForThumbnails() { return textsheetprobe::WaitForThumbnails(Main()); }

    testsupport::TempFolder m_folder;
    std::wstring m_presetFile;
    CToolHostTestFrame* m_frame = nullptr;
    std::unique_ptr<CTextPropSheet> m_sheet;
};

// ---------------------------------------------------------------------------------------------
// The editor as host

TEST_F(TextPropSheetTest, TypingWithNoTextLayerAddsOneAndMoreTypingUpdatesIt)
{
    Open(true);
    EXPECT_EQ(Text(Main(), IDC_TEXT_EDIT), CString(TranslateString(L"Enter your own content here")));
    EXPECT_EQ(LayerCount(), 1);   // the prompt is no text of the user's
    Type(L"H");
    ASSERT_EQ(LayerCount(), 2);
    Type(L"Hello");
    ASSERT_EQ(LayerCount(), 2);
    EXPECT_EQ(Layer(1)->type, LAYER_TEXT);
    EXPECT_STREQ(Layer(1)->wordArt.GetText(), L"Hello");
    EXPECT_STREQ(Shared().GetText(), L"Hello");
    EXPECT_TRUE(Main().textEdited);
    EXPECT_TRUE(m_sheet->m_target.AddedLayer());
    // The typing stays in the sheet although adding a layer focuses the canvas.
    EXPECT_EQ(::GetFocus(), Main().GetDlgItem(IDC_TEXT_EDIT)->m_hWnd);
    Close(IDOK);
    EXPECT_EQ(LayerCount(), 2);
}

TEST_F(TextPropSheetTest, CancelRemovesOnlyTheLayerItAdded)
{
    // A text layer of the user's below, not selected.
    ASSERT_TRUE(View().AddTextLayer(Style(L"Mine", 0xFF00FF00)));
    View().doc.layers.currentId = 0;
    const uint32_t mine = Layer(1)->serial;
    const int history = View().doc.history.GetCount();
    const CWordArtInfo before = Shared();

    Open(true);
    Type(L"New");
    Main().SendDlgItemMessage(IDC_TEXT_BOLD, BM_CLICK);
    ASSERT_EQ(LayerCount(), 3);
    Close(IDCANCEL);

    ASSERT_EQ(LayerCount(), 2);
    EXPECT_EQ(Layer(1)->serial, mine);
    EXPECT_STREQ(Layer(1)->wordArt.GetText(), L"Mine");
    EXPECT_EQ(View().doc.history.GetCount(), history);
    EXPECT_STREQ(Shared().GetText(), before.GetText());
    EXPECT_EQ(Shared().m_LogFont.lfWeight, before.m_LogFont.lfWeight);
}

TEST_F(TextPropSheetTest, CancelAfterEditingALayerGivesBackItsPixelsAndTheStyle)
{
    // Edited as an existing layer, and as the text layer selected when a new text is written.
    for (const bool newText : {false, true}) {
        ASSERT_TRUE(View().AddTextLayer(Style(L"Old", 0xFFFF0000)));
        CLayerInfo* layer = View().doc.layers.GetCurrentLayer();
        CZVImage pixels;
        pixels.Copy(layer->displayed);
        const int count = LayerCount(), history = View().doc.history.GetCount();
        Shared() = layer->wordArt;
        Shared().SetTextColor1(Gdiplus::Color(0xFF0000FF));   // the last style, not the layer's

        Open(newText);
        EXPECT_EQ(Text(Main(), IDC_TEXT_EDIT), newText ? CString(TranslateString(L"Enter your own content here")) : CString(L"Old"));
        Type(L"Changed text");
        Main().SendDlgItemMessage(IDC_TEXT_BOLD, BM_CLICK);
        ASSERT_EQ(LayerCount(), count) << newText;   // the selected layer took the text
        EXPECT_STREQ(View().doc.layers.GetCurrentLayer()->wordArt.GetText(), L"Changed text");
        EXPECT_FALSE(SamePicturePixels(View().doc.layers.GetCurrentLayer()->displayed, pixels));
        Close(IDCANCEL);

        ASSERT_EQ(LayerCount(), count);
        layer = View().doc.layers.GetCurrentLayer();
        EXPECT_STREQ(layer->wordArt.GetText(), L"Old");
        EXPECT_EQ(layer->wordArt.m_LogFont.lfWeight, FW_NORMAL);
        EXPECT_TRUE(SamePicturePixels(layer->displayed, pixels)) << newText;
        EXPECT_EQ(View().doc.history.GetCount(), history);
        EXPECT_EQ(Shared().m_clrText1.GetValue(), 0xFF0000FFu);
    }
}

TEST_F(TextPropSheetTest, RunWithoutAViewKeepsTheChangesInTheStyle)
{
    AfxGetApp()->m_pMainWnd = nullptr;
    m_sheet = std::make_unique<CTextPropSheet>(CToolHost(), Shared());
    m_sheet->m_pageMain.m_strPresetFile = m_presetFile.c_str();
    m_sheet->Begin();
    ASSERT_TRUE(m_sheet->Create());
    PumpPending();
    Type(L"Nowhere");
    EXPECT_STREQ(Shared().GetText(), L"Nowhere");
    EXPECT_EQ(LayerCount(), 1);
    Close(IDOK);
}

// ---------------------------------------------------------------------------------------------
// The Text page on the editor's template

TEST_F(TextPropSheetTest, SizeBoxInPoints)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96) << "the table is for 96 dots per inch";
    const struct {
        LONG height;          // of the style at open
        const wchar_t* shown;
        const wchar_t* typed;
        LONG after;
    } cases[] = {
        {-48, L"36", L"10.5", -14}, {-48, L"36", L"abc", -48}, {-48, L"36", L"0", -48},
        {-16, L"12", L"72", -96},   {30, L"30", L"12", 30},   // a positive height is no size in points
    };
    for (const auto& c : cases) {
        LOGFONTW lf = Shared().m_LogFont;
        lf.lfHeight = c.height;
        Shared().SetLogFont(&lf);
        Open(false);
        EXPECT_EQ(Text(Main(), IDC_TEXT_SIZE), CString(c.shown)) << c.height;
        Main().GetDlgItem(IDC_TEXT_SIZE)->SetWindowText(c.typed);
        Command(Main(), IDC_TEXT_SIZE, CBN_EDITCHANGE);
        EXPECT_EQ(Shared().m_LogFont.lfHeight, c.after) << c.typed;
        Close();
    }
}

TEST_F(TextPropSheetTest, TagsBoldAndAPresetReachTheLayer)
{
    Open(true);
    Main().SendDlgItemMessage(IDC_TEXT_DATE, BM_CLICK);   // the untouched prompt: replaced
    EXPECT_EQ(Text(Main(), IDC_TEXT_EDIT), CString(L"[date]"));
    Main().SendDlgItemMessage(IDC_TEXT_MONTH, BM_CLICK);   // else appended
    EXPECT_EQ(Text(Main(), IDC_TEXT_EDIT), CString(L"[date][month]"));
    ASSERT_EQ(LayerCount(), 2);
    EXPECT_STREQ(Layer(1)->wordArt.GetText(), L"[date][month]");

    Main().SendDlgItemMessage(IDC_TEXT_BOLD, BM_CLICK);
    EXPECT_EQ(Layer(1)->wordArt.m_LogFont.lfWeight, FW_BOLD);
    Main().SendDlgItemMessage(IDC_TEXT_BOLD, BM_CLICK);
    EXPECT_EQ(Layer(1)->wordArt.m_LogFont.lfWeight, FW_NORMAL);

    ClickPreset(1);
    EXPECT_EQ(Layer(1)->wordArt.m_clrText1.GetValue(), 0xFF0000FFu);
    EXPECT_EQ(Layer(1)->wordArt.m_TextEffect, TE_DBL_OUTLINE);
    EXPECT_STREQ(Layer(1)->wordArt.GetText(), L"[date][month]");
    EXPECT_STREQ(Layer(1)->wordArt.m_LogFont.lfFaceName, L"Arial");
    EXPECT_EQ(Layer(1)->wordArt.m_LogFont.lfHeight, -48);
    ClickPreset(-1);   // no item: nothing
    ClickPreset(7);
    EXPECT_EQ(Shared().m_clrText1.GetValue(), 0xFF0000FFu);
}

// ---------------------------------------------------------------------------------------------
// The Advanced page on the editor's template

TEST_F(TextPropSheetTest, AdvancedPageEffectsEnablingAndAlpha)
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
        Shared().SetTextEffect(c.effect);
        Open(false);
        CDlgTextFuncAdvanced& page = Advanced();
        EXPECT_EQ(page.m_comboEffect.GetCurSel(), c.selection) << c.effect;
        for (UINT id : {IDC_ADV_OUTLINE2_COLOR, IDC_ADV_THICKNESS2, IDC_ADV_ALPHA2_SPIN, IDC_ADV_THICKNESS2_LABEL})
            EXPECT_EQ(page.GetDlgItem(id)->IsWindowEnabled() != FALSE, c.second) << c.effect << " " << id;
        Close();
    }

    ASSERT_TRUE(View().AddTextLayer(Style(L"Styled", 0xFFFFFFFF)));
    Shared() = View().doc.layers.GetCurrentLayer()->wordArt;
    Open(false);
    CDlgTextFuncAdvanced& page = Advanced();
    page.m_comboEffect.SetCurSel(1);
    Command(page, IDC_ADV_EFFECT, CBN_SELCHANGE);
    EXPECT_EQ(Layer(1)->wordArt.m_TextEffect, TE_DBL_OUTLINE);
    EXPECT_TRUE(page.GetDlgItem(IDC_ADV_ALPHA2)->IsWindowEnabled());

    EXPECT_FALSE(page.GetDlgItem(IDC_ADV_GRADIENT_COLOR)->IsWindowEnabled());
    page.CheckDlgButton(IDC_ADV_GRADIENT_CHECK, BST_CHECKED);
    Command(page, IDC_ADV_GRADIENT_CHECK, BN_CLICKED);
    EXPECT_TRUE(Layer(1)->wordArt.m_bTextGradient);
    EXPECT_TRUE(page.GetDlgItem(IDC_ADV_GRADIENT_COLOR)->IsWindowEnabled());

    EXPECT_FALSE(page.GetDlgItem(IDC_ADV_SHADOW_Y)->IsWindowEnabled());
    page.CheckDlgButton(IDC_ADV_SHADOW_CHECK, BST_CHECKED);
    Command(page, IDC_ADV_SHADOW_CHECK, BN_CLICKED);
    EXPECT_TRUE(Layer(1)->wordArt.m_bEnableShadow);
    for (UINT id : {IDC_ADV_SHADOW_COLOR, IDC_ADV_SHADOW_X, IDC_ADV_SHADOW_Y_SPIN, IDC_ADV_SHADOW_X_LABEL})
        EXPECT_TRUE(page.GetDlgItem(id)->IsWindowEnabled()) << id;

    page.SetDlgItemText(IDC_ADV_ALPHA1, L"50");
    EXPECT_EQ(Layer(1)->wordArt.m_nOutlineAlpha1, 128);
    Close();
    Shared().SetOutlineAlpha1(128);
    Open(false);
    EXPECT_EQ(Text(Advanced(), IDC_ADV_ALPHA1), CString(L"50"));
}

// ---------------------------------------------------------------------------------------------
// The gallery

TEST_F(TextPropSheetTest, EveryThumbnailIsDrawnAndFramedGrey)
{
    Open(true);
    // A second fill while the first runs: the first one's pictures are dropped.
    Main().StartThumbnailThread();
    ASSERT_TRUE(WaitForThumbnails());
    CDlgTextFuncMain& page = Main();
    ASSERT_EQ(page.m_listPresets.GetItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const textsheetprobe::Thumbnail seen = textsheetprobe::LookAtThumbnail(page, i);
        EXPECT_TRUE(seen.framed) << i;
        EXPECT_GT(seen.inked, 100) << i;
        const textsheetprobe::Thumbnail painted = textsheetprobe::LookAtPaintedThumbnail(page, i);
        EXPECT_TRUE(painted.framed) << i;
        EXPECT_EQ(painted.inked, seen.inked) << i;
    }
}

TEST_F(TextPropSheetTest, ClosingMidFillTwentyTimesLeavesNoBitmap)
{
    const std::wstring many = m_folder.At(L"Many.xml");
    ASSERT_TRUE(testsupport::TempFolder::Put(many, ManyPresets(600)));
    Open(true);
    ASSERT_TRUE(WaitForThumbnails());
    Close();
    PumpFor(100);
    const DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    int caughtRunning = 0;
    for (int i = 0; i < 20; ++i) {
        // Not pumped at opening: the posts of several drawing threads can keep the queue busy
        // to the end of the fill.
        Open(true, many, false);
        PumpFor(20);   // some thumbnails posted, some not yet taken
        caughtRunning += Main().IsThumbnailThreadRunning();
        Close();
    }
    EXPECT_GT(caughtRunning, 0);
    PumpFor(100);
    // The list's own image lists come and go with it; a stray thumbnail would stay.
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), before + 4);
}

} // namespace

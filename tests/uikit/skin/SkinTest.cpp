// The skins: the global colours each skin number leaves after the framework recomputes them,
// the re-entry guard, the dark style, and the drawing that falls back on poor displays.
#include <string>
#include <vector>
#include "KQVisualManager.h"
#include "SkinKitTest.h"

namespace {
const COLORREF kNone = static_cast<COLORREF>(-1);


struct Snapshot {
    COLORREF barFace, barShadow, barHilite, barDkShadow, barLight, barText, barWindow, window, windowText, textHilite, accent;
    BOOL flat;
};

Snapshot Take()
{
    return {globalData.clrBarFace,  globalData.clrBarShadow, globalData.clrBarHilite,   globalData.clrBarDkShadow,
            globalData.clrBarLight, globalData.clrBarText,   globalData.clrBarWindow,   globalData.clrWindow,
            globalData.clrWindowText, globalData.clrTextHilite, CBCGPVisualManagerVS2012::GetAccentColorRGB(),
            globalData.m_bMenuFlatLook};
}

COLORREF BrushColor(CBrush& brush)
{
    LOGBRUSH lb = {};
    ::GetObjectW(brush.m_hObject, sizeof(lb), &lb);
    return lb.lbColor;
}

// Installs the manager with the skin variable (or none) and lets the framework recompute.
class SkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CBCGPVisualManagerVS2012::SetAccentColorRGB(kFrameworkAccent);
        SetSkinVar(&m_skin);
        m_skin = 1;
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKQVisualManager));
        m_framework = Take();
    }
    void TearDown() override
    {
        SetSkinVar(nullptr);
        CBCGPVisualManagerVS2012::SetAccentColorRGB(kFrameworkAccent);
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    }
    void Switch(unsigned int skin)
    {
        CBCGPVisualManagerVS2012::SetAccentColorRGB(kFrameworkAccent);
        m_skin = skin;
        CBCGPVisualManager::RecalcGlobalColors();
    }
    static constexpr COLORREF kFrameworkAccent = RGB(0, 122, 204);
    unsigned int m_skin = 1;
    Snapshot m_framework{};
};
} // namespace

TEST_F(SkinTest, EachSkinSetsTheGlobalColoursOfItsTable)
{
    const COLORREF blue = RGB(187, 216, 255);
    const struct {
        unsigned int skin;
        COLORREF base;     // kNone: no full set
        COLORREF accent;   // kNone: the framework's accent stays
    } cases[] = {
        {2, RGB(255, 200, 230), CBCGPDrawManager::ColorMakeDarker(RGB(255, 200, 230), 0.3)},
        {3, RGB(242, 213, 154), RGB(255, 128, 0)},
        {4, RGB(201, 241, 211), CBCGPDrawManager::ColorMakeDarker(RGB(201, 241, 211), 0.3)},
        {5, blue, CBCGPDrawManager::ColorMakeDarker(blue, 0.3)},
        {6, RGB(189, 170, 253), CBCGPDrawManager::ColorMakeDarker(RGB(189, 170, 253), 0.3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("skin " + std::to_string(c.skin));
        Switch(c.skin);
        const Snapshot s = Take();
        EXPECT_EQ(ColorText(s.barFace), ColorText(c.base));
        EXPECT_EQ(ColorText(s.barText), ColorText(RGB(30, 30, 30)));
        EXPECT_EQ(ColorText(s.barShadow), ColorText(CBCGPDrawManager::ColorMakeDarker(c.base, 0.1)));
        EXPECT_EQ(ColorText(s.barHilite), ColorText(CBCGPDrawManager::ColorMakeLighter(c.base, 0.3)));
        EXPECT_EQ(ColorText(s.textHilite), ColorText(CBCGPDrawManager::ColorMakeLighter(c.base, 0.2)));
        EXPECT_EQ(ColorText(s.barDkShadow), ColorText(RGB(192, 192, 192)));
        EXPECT_EQ(ColorText(s.barLight), ColorText(CBCGPDrawManager::ColorMakeLighter(c.base, 0.02)));
        EXPECT_EQ(ColorText(s.window), ColorText(CBCGPDrawManager::ColorMakePale(c.base, 0.97)));
        EXPECT_EQ(ColorText(s.accent), ColorText(c.accent));
        EXPECT_EQ(ColorText(BrushColor(globalData.brBarFace)), ColorText(c.base));
        // The colours the table leaves alone stay the framework's.
        EXPECT_EQ(ColorText(s.windowText), ColorText(m_framework.windowText));
        EXPECT_EQ(ColorText(s.barWindow), ColorText(m_framework.barWindow));
    }
}

TEST_F(SkinTest, SkinZeroChangesTextAccentAndFlatFlagOnly)
{
    Switch(0);
    Snapshot expected = m_framework;
    expected.barText = RGB(30, 30, 30);
    expected.accent = CBCGPDrawManager::ColorMakeDarker(RGB(187, 216, 255), 0.3);
    const Snapshot s = Take();
    EXPECT_EQ(ColorText(s.barText), ColorText(expected.barText));
    EXPECT_EQ(ColorText(s.accent), ColorText(expected.accent));
    EXPECT_TRUE(s.flat);
    EXPECT_EQ(ColorText(s.barFace), ColorText(m_framework.barFace));
    EXPECT_EQ(ColorText(s.window), ColorText(m_framework.window));
    EXPECT_EQ(ColorText(s.barShadow), ColorText(m_framework.barShadow));
}

TEST_F(SkinTest, SkinOneSevenUpAndNoVariableKeepTheFrameworkColoursButRemakeTheBrush)
{
    struct Case {
        const char* name;
        bool setVar;
        unsigned int skin;
    };
    for (const Case& c : {Case{"1", true, 1}, Case{"7", true, 7}, Case{"8", true, 8}, Case{"40000", true, 40000},
                          Case{"unset", false, 0}}) {
        SCOPED_TRACE(c.name);
        m_skin = c.skin;
        SetSkinVar(c.setVar ? &m_skin : nullptr);
        CBCGPVisualManager::RecalcGlobalColors();
        const Snapshot s = Take();
        EXPECT_EQ(memcmp(&s, &m_framework, sizeof(s)), 0);
        // A bar face changed behind the manager's back: only the brush follows it.
        globalData.clrBarFace = RGB(1, 2, 3);
        CBCGPVisualManager::GetInstance()->ModifyGlobalColors();
        EXPECT_EQ(ColorText(BrushColor(globalData.brBarFace)), ColorText(RGB(1, 2, 3)));
        EXPECT_EQ(ColorText(globalData.clrBarText), ColorText(m_framework.barText));
    }
}

TEST_F(SkinTest, TheLibraryNeverWritesTheSkinNumber)
{
    Switch(5);
    EXPECT_EQ(m_skin, 5u);
    EXPECT_EQ(GetKQSkin(), 5u);
}

namespace {
class CGuardProbe : public CKQVisualManager {
public:
    void Enter() { m_bInModifyColors = 1; }
};
} // namespace

TEST_F(SkinTest, ACallWhileRecomputingIsIgnored)
{
    m_skin = 5;
    CGuardProbe busy;
    busy.Enter();
    busy.ModifyGlobalColors();
    EXPECT_EQ(ColorText(globalData.clrBarFace), ColorText(m_framework.barFace));
    EXPECT_EQ(ColorText(CBCGPVisualManagerVS2012::GetAccentColorRGB()), ColorText(m_framework.accent));
    // Skin 5's accent makes the framework recompute, which calls the installed manager back
    // from inside; its colours still end as skin 5's and the flag is clear again.
    auto* manager = static_cast<CKQVisualManager*>(CBCGPVisualManager::GetInstance());
    manager->ModifyGlobalColors();
    EXPECT_FALSE(manager->IsInModifyColors());
    EXPECT_EQ(ColorText(globalData.clrBarFace), ColorText(RGB(187, 216, 255)));
}

TEST_F(SkinTest, BlackStyle)
{
    CKQVisualManager::SetBlackStyle();
    EXPECT_EQ(ColorText(CBCGPVisualManagerVS2012::GetAccentColorRGB()), ColorText(RGB(80, 80, 80)));
    EXPECT_EQ(ColorText(globalData.clrWindow), ColorText(RGB(50, 50, 50)));
    EXPECT_EQ(ColorText(globalData.clrBarWindow), ColorText(RGB(50, 50, 50)));
    EXPECT_EQ(ColorText(globalData.clrWindowText), ColorText(RGB(255, 255, 255)));
}

TEST_F(SkinTest, TreeColoursAreTheWindowColours)
{
    Switch(4);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    EXPECT_EQ(ColorText(manager->GetTreeControlFillColor(nullptr)), ColorText(globalData.clrWindow));
    EXPECT_EQ(ColorText(manager->GetTreeControlTextColor(nullptr)), ColorText(globalData.clrWindowText));
}

TEST_F(SkinTest, ThumbsAndChannelsInTheSkinColours)
{
    Switch(3);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const COLORREF paper = RGB(1, 1, 1);
    {
        CPixelCanvas canvas(40, 20, paper);
        manager->OnScrollBarDrawThumb(&canvas.DC(), nullptr, CRect(5, 2, 35, 18), TRUE, TRUE, FALSE, FALSE);
        EXPECT_EQ(ColorText(canvas.At(20, 10)), ColorText(globalData.clrBarFace));   // highlighted: bar face
    }
    {
        CPixelCanvas canvas(40, 20, paper);
        manager->OnDrawSliderChannel(&canvas.DC(), nullptr, FALSE, CRect(2, 8, 38, 12), FALSE);
        EXPECT_EQ(ColorText(canvas.At(20, 10)), ColorText(globalData.clrBarDkShadow));   // no slider: as disabled
    }
    {
        CPixelCanvas canvas(40, 40, paper);
        manager->OnDrawSliderThumb(&canvas.DC(), nullptr, CRect(10, 5, 20, 35), FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
        const CPoint c = KQSliderThumbShape(CRect(10, 5, 20, 35), FALSE).CenterPoint();
        EXPECT_EQ(ColorText(canvas.At(c.x, c.y)), ColorText(RGB(255, 128, 0)));   // the orange accent
    }
}

TEST_F(SkinTest, PoorDisplaysGetTheFrameworksPlainDrawing)
{
    Switch(5);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const int bits = globalData.m_nBitsPerPixel;
    const BOOL contrast = globalData.m_bIsWhiteHighContrast;
    struct Case {
        const char* name;
        int bits;
        BOOL highContrast;
    };
    for (const Case& c : {Case{"8 bits", 8, FALSE}, Case{"4 bits", 4, FALSE}, Case{"high contrast", 32, TRUE}}) {
        SCOPED_TRACE(c.name);
        globalData.m_nBitsPerPixel = c.bits;
        globalData.m_bIsWhiteHighContrast = c.highContrast;
        const COLORREF paper = RGB(1, 1, 1);
        CPixelCanvas thumb(40, 20, paper);
        manager->OnScrollBarDrawThumb(&thumb.DC(), nullptr, CRect(5, 2, 35, 18), TRUE, TRUE, TRUE, FALSE);
        EXPECT_TRUE(thumb.AllOf(paper));

        CPixelCanvas ours(40, 40, paper), plain(40, 40, paper);
        CBCGPVisualManager base;
        manager->OnDrawSliderChannel(&ours.DC(), nullptr, FALSE, CRect(2, 18, 38, 22), FALSE);
        base.OnDrawSliderChannel(&plain.DC(), nullptr, FALSE, CRect(2, 18, 38, 22), FALSE);
        manager->OnDrawSliderThumb(&ours.DC(), nullptr, CRect(10, 5, 20, 35), FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
        base.OnDrawSliderThumb(&plain.DC(), nullptr, CRect(10, 5, 20, 35), FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(ours.At(x, y), plain.At(x, y)) << x << "," << y;
    }
    globalData.m_nBitsPerPixel = bits;
    globalData.m_bIsWhiteHighContrast = contrast;
}

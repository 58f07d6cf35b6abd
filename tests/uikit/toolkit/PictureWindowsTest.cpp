// Fitting pictures into rectangles, canvas and layer coordinates, frame strips, the loading
// animation and the preview window's painting read back.
#include "AnimateImage.h"
#include "PNGImageList.h"
#include "SlideToolBar.h"
#include "ToolkitTestSupport.h"
#include "UIKitIds.h"
#include "ZVObjGraph.h"
#include "ZVPreviewWnd.h"
#include "ZVUILibApp.h"

namespace {

std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST(FitWindowSize, ShrinksToFitCentredAndNeverEnlarges)
{
    const struct {
        SIZE size;
        RECT rc, fit;
    } cases[] = {
        {{4000, 3000}, {0, 0, 400, 400}, {0, 50, 400, 350}},
        {{100, 50}, {0, 0, 400, 400}, {150, 175, 250, 225}},        // smaller: kept as it is
        {{10000, 1}, {0, 0, 100, 100}, {0, 49, 100, 50}},           // a thin strip keeps one row
        {{3, 3}, {0, 0, 10, 10}, {3, 3, 6, 6}},                     // odd margins round down
        {{400, 400}, {0, 0, 400, 400}, {0, 0, 400, 400}},
        // Away from the origin: the margins count from rc's corner.
        {{4000, 3000}, {100, 200, 500, 600}, {100, 250, 500, 550}},
        {{100, 50}, {-300, -200, 100, 200}, {-150, -25, -50, 25}},
        {{3, 3}, {-10, -10, 0, 0}, {-7, -7, -4, -4}},
        {{800, 100}, {1000, 20, 1200, 220}, {1000, 107, 1200, 132}},
        // A rectangle wider than the int range holds.
        {{100, 50}, {-2000000000, 0, 2000000000, 100}, {-50, 25, 50, 75}},
        // Nothing to fit, or nowhere to fit it.
        {{0, 10}, {0, 0, 400, 400}, {0, 0, 0, 0}},
        {{10, 0}, {0, 0, 400, 400}, {0, 0, 0, 0}},
        {{-5, 10}, {0, 0, 400, 400}, {0, 0, 0, 0}},
        {{100, 50}, {10, 10, 10, 50}, {0, 0, 0, 0}},
        {{100, 50}, {50, 50, 10, 10}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const RECT fit = CZVObjGraph::CalcFitWindowSize(c.size, c.rc);
        EXPECT_TRUE(EqualRect(&fit, &c.fit)) << c.size.cx << "x" << c.size.cy << " in " << RectText(c.rc) << " gave "
                                             << RectText(fit) << ", not " << RectText(c.fit);
    }
}

TEST(ObjGraph, CanvasAndLayerCoordinatesGoThereAndBack)
{
    const POINT positions[] = {{0, 0}, {15, -7}, {-320, 240}};
    for (const POINT& pos : positions) {
        CZVObjGraph obj;
        obj.SetGraphObjPos(pos);
        const CZVObjGraph copy(obj);
        EXPECT_EQ(copy.GetGraphObjPos().x, pos.x);
        EXPECT_EQ(copy.GetGraphObjPos().y, pos.y);

        POINT pt = {20, 30};
        obj.Canvas_to_Layer(pt);
        EXPECT_EQ(pt.x, 20 - pos.x);
        EXPECT_EQ(pt.y, 30 - pos.y);
        obj.Layer_to_Canvas(pt);
        EXPECT_EQ(pt.x, 20);
        EXPECT_EQ(pt.y, 30);

        RECT rc = {-5, 10, 60, 90};
        obj.Layer_to_Canvas(rc);
        const RECT moved = {-5 + pos.x, 10 + pos.y, 60 + pos.x, 90 + pos.y};
        EXPECT_TRUE(EqualRect(&rc, &moved)) << RectText(rc);
        obj.Canvas_to_Layer(rc);
        const RECT back = {-5, 10, 60, 90};
        EXPECT_TRUE(EqualRect(&rc, &back)) << RectText(rc);
    }
}

// A strip of frames, each of its own colour.
const COLORREF kFrameColors[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220), RGB(220, 220, 0), RGB(0, 200, 200)};

void PaintStrip(CPNGImageList& strip, int frames, int frameWidth, int height)
{
    ASSERT_TRUE(strip.Create(frames * frameWidth, height, 24));
    for (int i = 0; i < frames; ++i)
        strip.SetRectColor(RECT{i * frameWidth, 0, (i + 1) * frameWidth, height}, CxImage::RGBtoRGBQUAD(kFrameColors[i % 5]));
}

TEST(PNGImageList, FramesSplitTheStripAndACountBelowOneIsOne)
{
    const struct {
        int frames, width;
        int count, frameWidth;
    } cases[] = {
        {10, 250, 10, 25},
        {3, 250, 3, 83},
        {1, 250, 1, 250},
        {0, 250, 1, 250},
        {-4, 250, 1, 250},
    };
    for (const auto& c : cases) {
        CPNGImageList strip;
        ASSERT_TRUE(strip.Create(c.width, 10, 24));
        strip.OnTimer();   // nothing split yet: no frame to move to, and no fault
        strip.LoadImageList(c.frames);
        EXPECT_EQ(strip.GetFrameCount(), c.count) << c.frames;
        EXPECT_EQ(strip.GetFrameWidth(), c.frameWidth) << c.frames;
        EXPECT_EQ(strip.GetCurFrame(), 0);
        // Every frame once, then the first again.
        for (int i = 1; i <= c.count; ++i) {
            strip.OnTimer();
            EXPECT_EQ(strip.GetCurFrame(), i % c.count) << c.frames;
        }
        const CPNGImageList copy(strip);
        EXPECT_EQ(copy.GetFrameCount(), c.count);
        EXPECT_EQ(copy.GetFrameWidth(), c.frameWidth);
        EXPECT_EQ(copy.GetWidth(), strip.GetWidth());
    }
}

TEST(PNGImageList, TheCurrentFrameAloneIsDrawnCentredInTheRectangle)
{
    CPNGImageList strip;
    PaintStrip(strip, 5, 20, 10);
    strip.LoadImageList(5);
    const COLORREF paper = RGB(255, 255, 255);
    // A rectangle away from the device's origin, as a window's part is.
    const CRect rc(100, 50, 160, 90);   // the frame goes to (120, 65) - (140, 75)
    for (int frame = 0; frame < 5; ++frame) {
        CPixelCanvas canvas(200, 120, paper);
        strip.DrawImage(canvas.DC().m_hDC, rc);
        EXPECT_EQ(canvas.At(120, 65), kFrameColors[frame]) << frame;
        EXPECT_EQ(canvas.At(139, 74), kFrameColors[frame]) << frame;
        // Nothing of the neighbouring frames, nothing at the device's own corner.
        EXPECT_EQ(canvas.At(119, 70), paper) << frame;
        EXPECT_EQ(canvas.At(140, 70), paper) << frame;
        EXPECT_EQ(canvas.At(130, 64), paper) << frame;
        EXPECT_EQ(canvas.At(30, 20), paper) << frame;
        strip.OnTimer();
    }
}

TEST(AnimateImage, TheLibrarysLoadingStripTurnsInTenFramesAndStoppingDropsTheProgress)
{
    CToolkitHost owner;
    ASSERT_TRUE(owner.Open(CRect(0, 0, 300, 240)));
    CAnimateImage animation;
    animation.SetOwner(&owner);
    animation.OnCreate();
    const CPNGImageList& strip = animation.GetLoadingImage();
    ASSERT_TRUE(strip.IsValid());
    EXPECT_EQ(strip.GetFrameCount(), 10);
    EXPECT_EQ(strip.GetFrameWidth() * 10, static_cast<int>(strip.GetWidth()));

    CPixelCanvas off(300, 240, RGB(255, 255, 255));
    EXPECT_FALSE(animation.IsVisabled());
    EXPECT_FALSE(animation.OnDrawLoading(&off.DC(), CRect(0, 0, 300, 240)));

    animation.ShowLoading(true);
    animation.SetProgress(42);
    EXPECT_TRUE(animation.IsVisabled());
    CPixelCanvas on(300, 240, RGB(255, 255, 255));
    EXPECT_TRUE(animation.OnDrawLoading(&on.DC(), CRect(0, 0, 300, 240)));
    // The leading dot of the first frame, at the top of the ring, in the accent blue.
    const int top = (240 - static_cast<int>(strip.GetHeight())) / 2;
    bool blue = false;
    for (int y = top; y < top + 16 && !blue; ++y)
        blue = on.At(150, y) == RGB(0, 122, 204);
    EXPECT_TRUE(blue);

    animation.ShowLoading(false);
    EXPECT_EQ(animation.GetProgress(), -1);   // the next start shows no stale percentage
    EXPECT_FALSE(animation.IsVisabled());
    animation.OnDestroy();
}

TEST(AnimateImage, TheSplashPictureSitsTwoLinesAboveTheMiddle)
{
    CToolkitHost owner;
    ASSERT_TRUE(owner.Open(CRect(0, 0, 300, 240)));
    CAnimateImage animation;
    animation.SetOwner(&owner);
    animation.OnCreate();
    animation.SetSplashPage(L"No pictures", CAnimateImage::kNoSplash);
    EXPECT_FALSE(animation.IsVisabled());
    animation.SetSplashPage(L"No pictures", IDB_KQ_PLACEHOLDER);
    ASSERT_TRUE(animation.IsVisabled());
    CZVImage picture;
    ASSERT_TRUE(picture.LoadPNG(IDB_KQ_PLACEHOLDER, GetZVUILibModule()));

    CPixelCanvas canvas(400, 300, RGB(255, 255, 255));
    const CRect rc(50, 20, 350, 260);
    ASSERT_TRUE(animation.OnDrawSplash(&canvas.DC(), rc));
    const CRect& splash = animation.GetSplashRect();
    EXPECT_EQ(splash.Width(), static_cast<int>(picture.GetWidth()));
    EXPECT_EQ(splash.left, rc.left + (rc.Width() - splash.Width()) / 2);
    const int line = (rc.top + (rc.Height() - splash.Height()) / 2 - splash.top) / 2;
    EXPECT_GT(line, 10) << "one text line of the 24-pixel font";
    EXPECT_LT(line, 40);
    animation.OnDestroy();
}

TEST(SlideToolBar, ButtonsGoWhereAskedWithTheirUnsetFieldsAtZero)
{
    CSlideToolBar bar;
    const struct {
        unsigned id;
        int pos;
        bool inserted;
    } steps[] = {
        {10, 0, true}, {20, 1, true}, {5, 0, true}, {15, 2, true}, {99, 5, false}, {98, -1, false},
    };
    for (const auto& s : steps) {
        STSliderButton* button = bar.InsertButton(s.id, s.id == 20 ? nullptr : L"Zoom", L"Zoom in", s.pos);
        ASSERT_EQ(button != nullptr, s.inserted) << s.id;
        if (!button)
            continue;
        EXPECT_EQ(button->nID, s.id);
        EXPECT_STREQ(button->strText.GetString(), s.id == 20 ? L"" : L"Zoom");
        EXPECT_STREQ(button->strToolTip.GetString(), L"Zoom in");
        EXPECT_EQ(button->nData, 0);
        for (int v : button->layout)
            EXPECT_EQ(v, 0);
    }
    const unsigned order[] = {5, 10, 15, 20};
    ASSERT_EQ(bar.m_lstButtons.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar.m_lstButtons.GetAt(i)->nID, order[i]);
}

// The preview window's last paint, read back from its off-screen bitmap.
class PreviewWndTest : public testing::Test {
protected:
    void SetUp() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManagerVS2012));
        ASSERT_TRUE(m_host.Open(CRect(0, 0, 320, 220)));
        ASSERT_TRUE(m_preview.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 210), &m_host, 100));
    }
    void TearDown() override { CBCGPVisualManager::SetDefaultManager(nullptr); }
    COLORREF Painted(int x, int y)
    {
        m_preview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return BitmapPixel(m_preview.m_bmpBack, x, y);
    }
    CToolkitHost m_host;
    CZVPreviewWnd m_preview;
};

TEST_F(PreviewWndTest, ThePlaceholderIsCentredOnTheTintedFace)
{
    const COLORREF tint = CZVPreviewWnd::BackgroundColor(globalData.clrBarFace);
    EXPECT_EQ(tint, RGB((GetRValue(globalData.clrBarFace) + 128) / 2, (GetGValue(globalData.clrBarFace) + 128) / 2,
                        (GetBValue(globalData.clrBarFace) + 128) / 2));
    ASSERT_TRUE(m_preview.m_imgPlaceholderSrc.IsValid());
    const int w = static_cast<int>(m_preview.m_imgPlaceholderSrc.GetWidth());
    const int h = static_cast<int>(m_preview.m_imgPlaceholderSrc.GetHeight());
    ASSERT_LT(w, 300);
    ASSERT_LT(h, 200);
    const int left = (300 - w) / 2, top = (200 - h) / 2;
    EXPECT_EQ(Painted(2, 2), tint) << ColorText(Painted(2, 2));
    EXPECT_EQ(Painted(left - 1, 100), tint);
    EXPECT_EQ(Painted(left + w, 100), tint);
    EXPECT_EQ(Painted(150, top - 1), tint);
    // The glyph's light face, a little inside its frame, against the tint.
    const COLORREF face = Painted(left + 14, top + 14);
    EXPECT_GT(GetRValue(face), 230) << ColorText(face);
    EXPECT_NE(Painted(left + 4, top + h / 2), tint) << "the glyph's frame";
}

TEST_F(PreviewWndTest, APictureIsFittedAndResetBringsThePlaceholderBack)
{
    const COLORREF tint = CZVPreviewWnd::BackgroundColor(globalData.clrBarFace);
    ASSERT_TRUE(m_preview.m_image.Create(600, 100, 24));
    m_preview.m_image.Clear(0);
    m_preview.m_image.SetRectColor(RECT{0, 0, 600, 100}, CxImage::RGBtoRGBQUAD(RGB(200, 30, 30)));
    // 600 x 100 in 300 x 200: 300 x 50 from row 75.
    EXPECT_EQ(Painted(150, 100), RGB(200, 30, 30));
    EXPECT_EQ(Painted(1, 76), RGB(200, 30, 30));
    EXPECT_EQ(Painted(150, 73), tint);
    EXPECT_EQ(Painted(150, 126), tint);

    m_preview.Reset();
    EXPECT_FALSE(m_preview.m_image.IsValid());
    EXPECT_GT(GetRValue(Painted(150, 100)), 100);
    EXPECT_NE(Painted(150, 100), RGB(200, 30, 30));
}

TEST_F(PreviewWndTest, ThePlaceholderShrinksWithTheWindow)
{
    m_preview.MoveWindow(10, 10, 48, 120);
    const CZVImage& placeholder = m_preview.m_imgPlaceholder;
    EXPECT_EQ(placeholder.GetWidth(), 48u);
    EXPECT_LT(placeholder.GetHeight(), m_preview.m_imgPlaceholderSrc.GetHeight());
    m_preview.MoveWindow(10, 10, 300, 200);
    EXPECT_EQ(placeholder.GetWidth(), m_preview.m_imgPlaceholderSrc.GetWidth());
    EXPECT_EQ(placeholder.GetHeight(), m_preview.m_imgPlaceholderSrc.GetHeight());
}

} // namespace

// The ribbon status bar with its slider, and the ribbon bar as the window's caption.
#include "BarsTestApp.h"

namespace {

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = CTestFrame::Make();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(status.Create(frame));
        status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_READY, L"Ready", TRUE, nullptr, L"Select Tool: Round Rect"), L"Ready");
        status.AddSeparator();
        status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_POS, L"", TRUE, nullptr, L"X:Y=0000:0000"), L"X:Y");
        status.AddElement(new CBCGPRibbonCheckBox(ID_STATUS_SNAP, L"Snap"), L"Snap");
        auto* progress = new CBCGPRibbonProgressBar(ID_STATUS_PROGRESS, 100);
        progress->SetRange(0, 50);
        status.AddElement(progress, L"Progress");
        status.AddExtendedElement(new CBCGPRibbonStatusBarPane(ID_STATUS_ZOOM, L"100%", FALSE, nullptr, L"1000%"), L"Zoom");
        slider = new CBCGPRibbonSlider(ID_STATUS_SLIDER, 100);
        slider->SetZoomButtons();
        slider->SetRange(0, 320);
        slider->SetPageSize(1);
        slider->SetPos(10);
        status.AddExtendedElement(slider, L"Zoom Slider");
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow();
    }
    void Click(CPoint point) { ClickAt(&status, point); }
    CTestFrame* frame = nullptr;
    CBCGPRibbonStatusBar status;
    CBCGPRibbonSlider* slider = nullptr;
};

TEST_F(StatusBarTest, ElementsAreFoundAndPlaced)
{
    EXPECT_EQ(status.GetCount(), 5);
    EXPECT_EQ(status.GetExCount(), 2);
    EXPECT_EQ(status.FindElement(ID_STATUS_SLIDER), slider);
    EXPECT_NE(DYNAMIC_DOWNCAST(CBCGPRibbonStatusBarPane, status.FindElement(ID_STATUS_ZOOM)), nullptr);
    EXPECT_EQ(status.FindElement(12345), nullptr);
    EXPECT_TRUE(status.IsExtendedElement(slider));
    EXPECT_EQ(status.GetLabel(slider), CString(L"Zoom Slider"));
    // The extended ones end at the right edge, in order; the main ones start at the left.
    CRect client;
    status.GetClientRect(&client);
    EXPECT_GT(slider->GetRect().right, client.right - 10);
    EXPECT_LT(status.FindElement(ID_STATUS_ZOOM)->GetRect().right, slider->GetRect().left);
    EXPECT_LT(status.FindElement(ID_STATUS_READY)->GetRect().left, 10);
    // A pane is as wide as its widest expected text, whatever it shows now.
    CBCGPBaseRibbonElement* pos = status.FindElement(ID_STATUS_POS);
    const int width = pos->GetRect().Width();
    pos->SetText(L"X:Y=1:1");
    status.RecalcLayout();
    EXPECT_EQ(pos->GetRect().Width(), width);
}

TEST_F(StatusBarTest, SliderMovesByButtonsDragAndChannel)
{
    const skinui::SliderGeometry g = slider->Geometry();
    Click(g.ZoomInRect().CenterPoint());
    EXPECT_EQ(slider->GetPos(), 11);
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_STATUS_SLIDER); }));
    Click(g.ZoomOutRect().CenterPoint());
    Click(g.ZoomOutRect().CenterPoint());
    EXPECT_EQ(slider->GetPos(), 9);

    // The thumb dragged past the right end stops at the maximum.
    const CPoint thumb = g.ThumbRect(slider->GetPos()).CenterPoint();
    status.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(thumb.x, thumb.y));
    status.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.x, thumb.y));
    status.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(g.rect.right + 40, thumb.y));
    status.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(g.rect.right + 40, thumb.y));
    EXPECT_EQ(slider->GetPos(), 320);
    // A click on the channel's middle puts the thumb there.
    const CRect channel = g.ChannelRect();
    Click(CPoint(channel.CenterPoint().x, thumb.y));
    EXPECT_NEAR(slider->GetPos(), 160, 4);
    // The zoom-in button at the maximum changes nothing and sends nothing.
    slider->SetPos(320);
    PumpFor(50);
    frame->commands.clear();
    Click(g.ZoomInRect().CenterPoint());
    PumpFor(50);
    EXPECT_EQ(slider->GetPos(), 320);
    EXPECT_FALSE(frame->Received(ID_STATUS_SLIDER));
}

TEST_F(StatusBarTest, CommandStatesAndClicks)
{
    frame->UpdateBars();
    EXPECT_TRUE(status.FindElement(ID_STATUS_SNAP)->IsChecked());
    frame->snapChecked = FALSE;
    frame->UpdateBars();
    EXPECT_FALSE(status.FindElement(ID_STATUS_SNAP)->IsChecked());
    // Static panes keep their state without a handler; the zoom pane is a button that sends.
    EXPECT_FALSE(status.FindElement(ID_STATUS_READY)->IsDisabled());
    Click(status.FindElement(ID_STATUS_SNAP)->GetRect().CenterPoint());
    Click(status.FindElement(ID_STATUS_READY)->GetRect().CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_STATUS_SNAP); }));
    EXPECT_FALSE(frame->Received(ID_STATUS_READY));
    auto* progress = DYNAMIC_DOWNCAST(CBCGPRibbonProgressBar, status.FindElement(ID_STATUS_PROGRESS));
    ASSERT_NE(progress, nullptr);
    progress->SetPos(80);
    EXPECT_EQ(progress->GetPos(), 50);
}

TEST(RibbonSliderGeometry, PositionsMapToTheChannelAndBack)
{
    const skinui::SliderGeometry g{ CRect(100, 0, 236, 20), TRUE, 0, 320 };
    const CRect channel = g.ChannelRect();
    EXPECT_EQ(g.ZoomOutRect().right, 116);
    EXPECT_EQ(g.ZoomInRect().left, 220);
    EXPECT_TRUE(CRect(g.ZoomOutRect()).right < channel.left && channel.right < g.ZoomInRect().left);
    EXPECT_EQ(g.PosFromX(g.ThumbRect(0).CenterPoint().x), 0);
    EXPECT_EQ(g.PosFromX(g.ThumbRect(320).CenterPoint().x), 320);
    // Where the channel has a pixel for every position, each position maps back to itself.
    const skinui::SliderGeometry fine{ CRect(100, 0, 236, 20), TRUE, 0, 50 };
    for (int pos = 0; pos <= 50; ++pos)
        EXPECT_EQ(fine.PosFromX(fine.ThumbRect(pos).CenterPoint().x), pos) << pos;
    EXPECT_EQ(g.PosFromX(-1000), 0);
    EXPECT_EQ(g.PosFromX(1000), 320);
    // An empty range keeps its one position.
    EXPECT_EQ((skinui::SliderGeometry{ CRect(0, 0, 100, 20), FALSE, 5, 5 }).PosFromX(50), 5);
    EXPECT_EQ(skinui::ProgressChunk(CRect(0, 0, 100, 10), 0, 50, 25).right, 50);
    EXPECT_EQ(skinui::ProgressChunk(CRect(0, 0, 100, 10), 0, 0, 25).right, 0);
}

TEST(RibbonCaption, ReplacesTheFramesCaptionAndSendsItsButtons)
{
    CTestFrame* frame = CTestFrame::Make();
    ASSERT_NE(frame, nullptr);
    CBCGPRibbonBar caption;
    ASSERT_TRUE(caption.Create(frame));
    auto* share = new CBCGPRibbonCaptionCustomButton(ID_CAPTION_SHARE, nullptr, L"Share");
    share->SetToolTipText(L"Share the picture");
    caption.AddToTabs(share);
    frame->RecalcLayout();
    EXPECT_FALSE(frame->GetStyle() & WS_CAPTION);
    EXPECT_TRUE(frame->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(caption.FindByID(ID_CAPTION_SHARE), share);
    CRect bar;
    caption.GetWindowRect(&bar);
    EXPECT_EQ(bar.Height(), caption.GetCaptionHeight());
    // The custom button sits left of the window buttons.
    EXPECT_LE(share->GetRect().right, caption.GetCaptionButtonRect(BCGP_CAPTION_MINIMIZE).left);
    ClickAt(&caption, share->GetRect().CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_CAPTION_SHARE); }));
    // Its close button closes the frame.
    const HWND hwnd = frame->m_hWnd;
    ClickAt(&caption, caption.GetCaptionButtonRect(BCGP_CAPTION_CLOSE).CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwnd); }));
}

TEST(RibbonCaption, LayoutKeepsTheTitleBetweenIconAndButtons)
{
    const skinui::CaptionLayout layout = skinui::LayoutCaption(CRect(0, 0, 600, 32), { 60, 40 }, TRUE, TRUE);
    EXPECT_EQ(layout.close, CRect(554, 0, 600, 32));
    EXPECT_EQ(layout.minimize.right, layout.maximize.left);
    EXPECT_EQ(layout.custom[1].right, layout.minimize.left - 6);
    EXPECT_LT(layout.custom[0].right, layout.custom[1].left);
    EXPECT_GE(layout.title.left, layout.icon.right);
    EXPECT_LE(layout.title.right, layout.custom[0].left);
    // No room: the title shrinks to nothing rather than crossing the buttons.
    const skinui::CaptionLayout narrow = skinui::LayoutCaption(CRect(0, 0, 150, 32), { 60 }, TRUE, TRUE);
    EXPECT_LE(narrow.title.Width(), 0);
}

} // namespace

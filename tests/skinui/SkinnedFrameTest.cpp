// The frame the visual manager draws for skinned dialogs: its layout, colours and close button.
#include <cstdio>
#include "GalleryDialog.h"

namespace {

TEST(SkinnedFrame, LayoutPutsTheCloseButtonAtTheCaptionsEnd)
{
    const skinui::FrameParts parts = skinui::LayoutFrame(CSize(400, 300), CPoint(4, 27), 392, true, true);
    EXPECT_EQ(parts.caption, CRect(4, 4, 396, 27));
    EXPECT_EQ(parts.close.right, 396);
    EXPECT_EQ(parts.close.Height(), 23);
    EXPECT_GT(parts.close.Width(), parts.close.Height());
    EXPECT_EQ(parts.icon.left, 10);
    // No system menu, no close button; no caption, nothing.
    EXPECT_TRUE(skinui::LayoutFrame(CSize(400, 300), CPoint(4, 27), 392, false, false).close.IsRectEmpty());
    EXPECT_TRUE(skinui::LayoutFrame(CSize(400, 300), CPoint(1, 1), 398, true, true).caption.IsRectEmpty());
}

class CFramedGallery : public CGalleryDialog {
public:
    CFramedGallery() { EnableVisualManagerStyle(TRUE, TRUE); }
};

COLORREF FramePixel(CWnd* wnd, int x, int y)
{
    HDC dc = ::GetWindowDC(wnd->GetSafeHwnd());
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(wnd->GetSafeHwnd(), dc);
    return c;
}

TEST(SkinnedFrame, DialogFrameTakesTheLookAndItsCloseButtonCloses)
{
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManagerVS2012));
    CBCGPVisualManagerVS2012::SetAccentColorRGB(RGB(200, 30, 30));
    CFramedGallery dialog;
    ASSERT_TRUE(dialog.OpenModeless());
    dialog.SetForegroundWindow();
    PumpFor(100);
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    CRect window, client;
    dialog.GetWindowRect(&window);
    dialog.GetClientRect(&client);
    dialog.ClientToScreen(&client);
    const CPoint clientAt(client.left - window.left, client.top - window.top);
    // The caption beside the title is the dialog's face; the border is the accent while the
    // window is active. Activation is told directly: other programs may hold the display.
    // Pixels read back from the display: on a busy machine the window may reach it late, and
    // while another window covers it the display has no pixels of it to give (CLR_INVALID);
    // the colours are checked whenever the display shows the frame.
    const CPoint captionAt(window.Width() / 2, clientAt.y - 2);
    PumpUntil([&] { return FramePixel(&dialog, captionAt.x, captionAt.y) == globalData.clrBarFace; }, 3000);
    const COLORREF caption = FramePixel(&dialog, captionAt.x, captionAt.y);
    if (caption != CLR_INVALID)
        EXPECT_EQ(caption, globalData.clrBarFace);
    dialog.SendMessage(WM_NCACTIVATE, TRUE);
    const CPoint borderAt(0, window.Height() / 2);
    PumpUntil([&] { return FramePixel(&dialog, borderAt.x, borderAt.y) == RGB(200, 30, 30); }, 3000);
    const COLORREF border = FramePixel(&dialog, borderAt.x, borderAt.y);
    if (border != CLR_INVALID)
        EXPECT_EQ(border, RGB(200, 30, 30));
    if (caption == CLR_INVALID || border == CLR_INVALID)
        std::printf("note: the frame was not on the display; its colours were not read back\n");

    const skinui::FrameParts parts = skinui::LayoutFrame(window.Size(), clientAt, client.Width(), true, false);
    const CPoint close = parts.close.CenterPoint() + window.TopLeft();
    ASSERT_EQ(dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
    EXPECT_EQ(dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + 60, close.y)), HTCAPTION);
    dialog.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(close.x, close.y));
    dialog.SendMessage(WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(close.x, close.y));
    EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWindowVisible(); }));
    CBCGPVisualManagerVS2012::SetAccentColor(CBCGPVisualManagerVS2012::VS2012_Blue);
}

} // namespace

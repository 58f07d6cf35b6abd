// The floating palette: its frame class, caption, borders that only move it, the half
// transparent drag, caption clicks that cycle the columns, and the shadow behind it.
#include "PaletteTestApp.h"

namespace {

struct FloatingPalette : PaletteFixture {
    CPaletteMiniFrame* mini = nullptr;
    FloatingPalette()
    {
        EXPECT_TRUE(palette.FloatControlBar(CRect(400, 250, 460, 500)));
        mini = DYNAMIC_DOWNCAST(CPaletteMiniFrame, palette.GetParentMiniFrame());
        PumpFor(30);
    }
    CRect Window() const
    {
        CRect r;
        mini->GetWindowRect(&r);
        return r;
    }
    // A point in the middle of the caption, in screen coordinates.
    CPoint CaptionPoint() const
    {
        CRect caption = mini->GetCaptionRect();
        caption.OffsetRect(Window().TopLeft());
        return CPoint(caption.left + 6, caption.CenterPoint().y);
    }
    // A press on the caption at a screen point, a move by delta and the release.
    void Drag(CPoint from, CSize delta)
    {
        mini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(from.x, from.y));
        CPoint to = from + delta;
        mini->ScreenToClient(&to);
        if (delta != CSize(0, 0))
            mini->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        mini->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    BYTE Alpha() const
    {
        BYTE alpha = 0;
        DWORD flags = 0;
        return ::GetLayeredWindowAttributes(mini->m_hWnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : 255;
    }
    bool Layered() const { return (mini->GetExStyle() & WS_EX_LAYERED) != 0; }
};

} // namespace

TEST(PaletteFrame, FloatsInAPaletteFrameWhoseBordersOnlyMoveIt)
{
    FloatingPalette f;
    ASSERT_NE(f.mini, nullptr);
    EXPECT_EQ(f.mini->GetCaptionHeight(), CBCGPVisualManager::GetInstance()->GetCaptionButtonSize().cy + 8);
    CString text;
    f.mini->GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    // The framework's caption rectangle, 3 in from its left and 2 from its top.
    const CRect window = f.Window();
    const int border = CBCGPMiniFrameWnd::GetBorderSize();
    EXPECT_EQ(f.mini->GetCaptionRect(), CRect(border + 3, border + 2, window.Width() - border, border + f.mini->GetCaptionHeight()));
    // Every edge and corner is caption.
    const CPoint edges[] = {
        { window.left + 1, window.top + 1 }, { window.CenterPoint().x, window.top + 1 }, { window.right - 2, window.top + 1 },
        { window.left + 1, window.CenterPoint().y }, { window.right - 2, window.CenterPoint().y },
        { window.left + 1, window.bottom - 2 }, { window.CenterPoint().x, window.bottom - 2 }, { window.right - 2, window.bottom - 2 },
    };
    for (const CPoint& p : edges)
        EXPECT_EQ(f.mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION) << p.x << "," << p.y;
    CRect client;
    f.mini->GetClientRect(&client);
    f.mini->ClientToScreen(&client);
    EXPECT_EQ(f.mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(client.CenterPoint().x, client.CenterPoint().y)), HTCLIENT);
    // The palette is no longer docked: no frame margins, no caption flags.
    EXPECT_EQ(f.palette.GetCaptionFlags(), 0u);
}

TEST(PaletteFrame, DraggingMakesItHalfTransparentUntilReleased)
{
    FloatingPalette f;
    ASSERT_NE(f.mini, nullptr);
    const CRect before = f.Window();
    const CPoint from = f.CaptionPoint();
    f.mini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(from.x, from.y));
    EXPECT_TRUE(f.Layered());
    EXPECT_EQ(f.Alpha(), 127);
    CPoint to = from + CSize(30, 20);
    f.mini->ScreenToClient(&to);
    f.mini->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(f.Window().TopLeft(), before.TopLeft() + CSize(30, 20));
    f.mini->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_FALSE(f.Layered());
    // Dropped in the middle of the frame: still floating, same columns.
    EXPECT_TRUE(f.palette.IsFloating());
    EXPECT_EQ(f.palette.GetColumns(), 2);
}

TEST(PaletteFrame, CaptionClicksCycleTheColumns)
{
    FloatingPalette f;
    ASSERT_NE(f.mini, nullptr);
    const int expected[] = { 3, 4, 5, 2, 3 };
    for (int columns : expected) {
        f.Drag(f.CaptionPoint(), CSize(0, 0));
        EXPECT_EQ(f.palette.GetColumns(), columns);
        // The frame fits the palette's new size.
        CRect client;
        f.mini->GetClientRect(&client);
        EXPECT_EQ(client.Width(), f.palette.CalcFloatingSize().cx) << columns;
        EXPECT_EQ(client.Height(), f.palette.CalcFloatingSize().cy) << columns;
        EXPECT_FALSE(f.ColorButton()->IsNarrowLayout());
    }
    // A drag that ends over the caption is a move, not a click.
    f.Drag(f.CaptionPoint(), CSize(5, 5));
    EXPECT_EQ(f.palette.GetColumns(), 3);
}

TEST(PaletteFrame, ShadowLiesBehindThePaletteAndGoesWithIt)
{
    FloatingPalette f;
    ASSERT_NE(f.mini, nullptr);
    CShadowWnd& shadow = f.mini->GetShadow();
    ASSERT_TRUE(::IsWindow(shadow.m_hWnd));
    ASSERT_TRUE(shadow.IsLayered());
    EXPECT_TRUE(shadow.IsWindowVisible());
    EXPECT_TRUE(shadow.GetExStyle() & WS_EX_TRANSPARENT);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(shadow.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 255, 255));
    EXPECT_EQ(alpha, 64);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    // Owned by the palette's owner, just behind the palette, 2 pixels out and 5 below.
    EXPECT_EQ(::GetWindow(shadow.m_hWnd, GW_OWNER), f.frame->m_hWnd);
    auto expectPlaced = [&](const char* when, bool zOrder = true) {
        SCOPED_TRACE(when);
        CRect s, w = f.Window();
        shadow.GetWindowRect(&s);
        EXPECT_EQ(s, CRect(w.left - 2, w.top - 2, w.right + 2, w.bottom + 5));
        if (zOrder)
            EXPECT_EQ(::GetWindow(f.mini->m_hWnd, GW_HWNDNEXT), shadow.m_hWnd);
    };
    // Wine raises the frame once it has the focus, between its owned windows; the next move
    // puts the shadow back behind the palette.
    expectPlaced("floated", false);
    // It follows a move and a column change.
    f.Drag(f.CaptionPoint(), CSize(-40, 30));
    expectPlaced("moved");
    f.Drag(f.CaptionPoint(), CSize(0, 0));
    expectPlaced("wider");

    // Hidden with the palette, back with it.
    f.palette.ShowControlBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(f.mini->IsWindowVisible());
    EXPECT_FALSE(shadow.IsWindowVisible());
    f.palette.ShowControlBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(shadow.IsWindowVisible());
    expectPlaced("shown again");

    // Docked again: the frame and its shadow are gone.
    const HWND shadowHwnd = shadow.m_hWnd;
    ASSERT_TRUE(f.palette.DockToFrameWindow());
    EXPECT_FALSE(f.palette.IsFloating());
    EXPECT_FALSE(::IsWindow(shadowHwnd));
}

TEST(PaletteFrame, ShadowDarkensOnlyTheBorderRoundThePalette)
{
    FloatingPalette f;
    ASSERT_NE(f.mini, nullptr);
    CShadowWnd& shadow = f.mini->GetShadow();
    CRect s;
    shadow.GetWindowRect(&s);
    CPixelCanvas canvas(s.Width(), s.Height(), RGB(0, 0, 0));
    shadow.Draw(&canvas.DC());
    // The border in the shadow's colour, the palette's own area in the colour key (clear).
    EXPECT_EQ(canvas.At(0, 0), RGB(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(canvas.At(s.Width() / 2, s.Height() - 2), RGB(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(canvas.At(s.Width() - 1, s.Height() / 2), RGB(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(canvas.At(2, 2), CShadowWnd::kColorKey);
    EXPECT_EQ(canvas.At(s.Width() / 2, s.Height() / 2), CShadowWnd::kColorKey);
    EXPECT_EQ(canvas.At(s.Width() - 3, s.Height() - 6), CShadowWnd::kColorKey);
}

TEST(PaletteFrame, WithoutLayeredWindowsThereIsNoShadowAndThePaletteStillWorks)
{
    const int bits = globalData.m_nBitsPerPixel;
    globalData.m_nBitsPerPixel = 8;
    {
        FloatingPalette f;
        ASSERT_NE(f.mini, nullptr);
        CShadowWnd& shadow = f.mini->GetShadow();
        EXPECT_FALSE(shadow.IsLayered());
        EXPECT_FALSE(shadow.IsWindowVisible());
        f.Drag(f.CaptionPoint(), CSize(20, 0));
        EXPECT_FALSE(shadow.IsWindowVisible());
        f.Drag(f.CaptionPoint(), CSize(0, 0));
        EXPECT_EQ(f.palette.GetColumns(), 3);
    }
    globalData.m_nBitsPerPixel = bits;
}

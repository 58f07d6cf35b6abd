// The palette's button layout as arithmetic: rows within the column limit, separators, wide
// buttons, centring, the caption band and frame margins, the extra pixel of a column change.
#include <vector>
#include "PaletteTestApp.h"

namespace {

const SIZE kButton = { 24, 24 };
const SIZE kSeparator = { 24, 8 };

palette::LayoutInput Input(std::vector<palette::LayoutItem> items, int columns, UINT flags = 0)
{
    palette::LayoutInput in;
    in.items = std::move(items);
    in.client = RECT{ 0, 0, 200, 400 };
    in.buttonWidth = 24;
    in.columns = columns;
    in.captionHeight = 23;
    in.captionFlags = flags;
    in.frameMargins = RECT{ 5, 10, 5, 4 };
    return in;
}

std::vector<palette::LayoutItem> Buttons(int n)
{
    return std::vector<palette::LayoutItem>(static_cast<size_t>(n), palette::LayoutItem{ kButton, false });
}

CRect At(const palette::LayoutResult& out, size_t i)
{
    return CRect(out.rects[i]);
}

} // namespace

TEST(PaletteLayout, RowsHoldAsManyButtonsAsTheColumnLimitAllows)
{
    // Five buttons of width 24: the limit is 24 x n x 1.1, so n buttons a row (52 at 2).
    struct Case {
        int columns;
        int perRow;
        SIZE size;   // 1 pixel left of the buttons, 1 right and 1 below while floating
    };
    const Case cases[] = {
        { 1, 1, { 1 + 24 + 1, 5 * 24 + 1 } },
        { 2, 2, { 1 + 48 + 1, 3 * 24 + 1 } },
        { 3, 3, { 1 + 72 + 1, 2 * 24 + 1 } },
        { 4, 4, { 1 + 96 + 1, 2 * 24 + 1 } },
        { 5, 5, { 1 + 120 + 1, 24 + 1 } },
        // Fewer than one column counts as one.
        { 0, 1, { 1 + 24 + 1, 5 * 24 + 1 } },
        { -3, 1, { 1 + 24 + 1, 5 * 24 + 1 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns);
        const palette::LayoutResult out = palette::LayoutButtons(Input(Buttons(5), c.columns));
        EXPECT_EQ(out.size.cx, c.size.cx);
        EXPECT_EQ(out.size.cy, c.size.cy);
        for (size_t i = 0; i < 5; ++i) {
            const int row = static_cast<int>(i) / c.perRow;
            EXPECT_EQ(At(out, i).top, row * 24) << i;
        }
        // The first row is full: its buttons sit side by side from the left margin.
        EXPECT_EQ(At(out, 0).left, 1);
        if (c.perRow > 1) {
            EXPECT_EQ(At(out, 1).left, 25);
        }
    }
}

TEST(PaletteLayout, SeparatorsAndWideButtonsTakeRowsOfTheirOwn)
{
    const palette::LayoutItem B{ kButton, false }, S{ kSeparator, true }, W{ { 60, 30 }, false };
    {
        // A separator ends the row and spans the bar's width; a second one straight after is dropped.
        const palette::LayoutResult out = palette::LayoutButtons(Input({ B, B, B, S, S, B }, 2));
        EXPECT_EQ(At(out, 2), CRect(13, 24, 37, 48));   // alone in its row, centred
        EXPECT_EQ(At(out, 3), CRect(1, 48, 49, 56));
        EXPECT_TRUE(At(out, 4).IsRectEmpty());
        EXPECT_EQ(At(out, 5).top, 56);
        EXPECT_EQ(out.size.cy, 56 + 24 + 1);
    }
    {
        // A button wider than the limit (52) sits alone and sets the width; the rest centre in it.
        const palette::LayoutResult out = palette::LayoutButtons(Input({ B, W, B, B }, 2));
        EXPECT_EQ(At(out, 0), CRect(19, 0, 43, 24));
        EXPECT_EQ(At(out, 1), CRect(1, 24, 61, 54));
        EXPECT_EQ(At(out, 2), CRect(7, 54, 31, 78));
        EXPECT_EQ(At(out, 3), CRect(31, 54, 55, 78));
        EXPECT_EQ(out.size.cx, 1 + 60 + 1);
    }
    {
        // A shorter button is centred in the height of its row.
        const palette::LayoutResult out = palette::LayoutButtons(Input({ B, { { 24, 30 }, false } }, 2));
        EXPECT_EQ(At(out, 0), CRect(1, 3, 25, 27));
        EXPECT_EQ(At(out, 1), CRect(25, 0, 49, 30));
    }
}

TEST(PaletteLayout, CaptionBandAndFrameMarginsMoveTheButtons)
{
    struct Case {
        UINT flags;
        POINT first;   // top-left of the first button
        SIZE size;
    };
    const Case cases[] = {
        { 0, { 1, 0 }, { 1 + 48 + 1, 24 + 1 } },
        { palette::kCaptionText, { 1, 27 }, { 1 + 48 + 1, 27 + 24 + 1 } },
        { palette::kCaptionDocked, { 5, 10 }, { 5 + 48 + 5, 10 + 24 + 4 } },
        { palette::kCaptionText | palette::kCaptionDocked, { 5, 37 }, { 5 + 48 + 5, 37 + 24 + 4 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const palette::LayoutResult out = palette::LayoutButtons(Input(Buttons(2), 2, c.flags));
        EXPECT_EQ(At(out, 0).TopLeft(), CPoint(c.first));
        EXPECT_EQ(CSize(out.size), CSize(c.size));
    }
    // The band is counted once: a caption adds exactly its height and gap.
    EXPECT_EQ(palette::LayoutButtons(Input(Buttons(2), 2, palette::kCaptionText)).size.cy - palette::LayoutButtons(Input(Buttons(2), 2)).size.cy, 23 + 4);
}

TEST(PaletteLayout, LayoutToggleReportsOnePixelMoreWidth)
{
    palette::LayoutInput in = Input(Buttons(4), 2);
    const palette::LayoutResult plain = palette::LayoutButtons(in);
    in.layoutToggle = true;
    const palette::LayoutResult toggled = palette::LayoutButtons(in);
    EXPECT_EQ(toggled.size.cx, plain.size.cx + 1);
    EXPECT_EQ(toggled.size.cy, plain.size.cy);
    EXPECT_EQ(toggled.rects.size(), plain.rects.size());
    for (size_t i = 0; i < plain.rects.size(); ++i)
        EXPECT_EQ(At(toggled, i), At(plain, i));
}

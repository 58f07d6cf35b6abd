// The docked palette: its buttons in two columns, one pressed button whatever the idle updates
// say, column changes that lay the frame out, and the caption flags.
#include "PaletteTestApp.h"

namespace {

CRect ItemRect(CBCGPToolBar& bar, UINT command)
{
    CRect r;
    bar.GetItemRect(bar.CommandToIndex(command), &r);
    return r;
}

// The indexes of the buttons that carry TBBS_CHECKED.
std::vector<int> Checked(CBCGPToolBar& bar)
{
    std::vector<int> checked;
    for (int i = 0; i < bar.GetCount(); ++i)
        if (bar.GetButtonStyle(i) & TBBS_CHECKED)
            checked.push_back(i);
    return checked;
}

} // namespace

TEST(DockToolbar, DocksAtTheLeftInTwoColumnsWithSeparatorsAcrossIt)
{
    PaletteFixture f;
    ASSERT_TRUE(f.palette.IsDocked());
    EXPECT_FALSE(f.palette.IsHorizontal());
    EXPECT_EQ(f.palette.GetColumns(), 2);
    CRect bar;
    f.palette.GetWindowRect(&bar);
    f.frame->ScreenToClient(&bar);
    EXPECT_EQ(bar.left, 0);
    // The bar is as wide as its layout asks.
    EXPECT_EQ(bar.Width(), f.palette.CalcSize(TRUE).cx);
    const CSize button = f.palette.GetButtonSize();
    // Pointer and rectangle selection share the first row; the lasso starts the second.
    const CRect pointer = ItemRect(f.palette, ID_TOOL_POINT), select = ItemRect(f.palette, ID_TOOL_SELECT_RECT);
    EXPECT_EQ(pointer.top, select.top);
    EXPECT_EQ(select.left, pointer.right);
    EXPECT_EQ(ItemRect(f.palette, ID_TOOL_LASSO).top, pointer.bottom);
    EXPECT_EQ(pointer.Size(), button);
    // Every separator spans the buttons' width, from the first column's left to the second's right.
    int separators = 0;
    for (int i = 0; i < f.palette.GetCount(); ++i) {
        CBCGPToolbarButton* b = f.palette.GetButton(i);
        if (!b->IsSeparator())
            continue;
        ++separators;
        EXPECT_EQ(b->Rect().left, pointer.left) << i;
        EXPECT_EQ(b->Rect().right, select.right) << i;
    }
    EXPECT_EQ(separators, 3);
    // The colour button sits alone, centred, in its square form.
    const CRect colors = ItemRect(f.palette, ID_TOOL_COLOR);
    EXPECT_EQ(colors.Size(), CSize(47, 47));
    EXPECT_EQ(colors.left, pointer.left + (select.right - pointer.left - 47) / 2);
    // Docked, the frame's margins lie round the buttons.
    EXPECT_EQ(f.palette.GetCaptionFlags(), static_cast<UINT>(palette::kCaptionDocked));
    EXPECT_EQ(pointer.TopLeft(), CPoint(5, 10));
    f.palette.SetWindowText(L"Tools");
    EXPECT_EQ(f.palette.GetCaptionFlags(), static_cast<UINT>(palette::kCaptionDocked | palette::kCaptionText));
}

TEST(DockToolbar, OnlyTheCheckedCommandShowsPressed)
{
    PaletteFixture f;
    const int pointer = f.palette.CommandToIndex(ID_TOOL_POINT), pen = f.palette.CommandToIndex(ID_TOOL_PEN);
    const int line = f.palette.CommandToIndex(ID_TOOL_LINE);
    EXPECT_TRUE(Checked(f.palette).empty());
    f.palette.SetCheckedCommand(ID_TOOL_POINT);
    EXPECT_EQ(Checked(f.palette), std::vector<int>{ pointer });
    f.palette.SetCheckedCommand(ID_TOOL_PEN);
    EXPECT_EQ(f.palette.GetPressedIndex(), pen);
    EXPECT_EQ(Checked(f.palette), std::vector<int>{ pen });
    // A command the bar does not have leaves the pressed button as it is.
    f.palette.SetCheckedCommand(ID_TOOL_DARKEN);
    EXPECT_EQ(Checked(f.palette), std::vector<int>{ pen });
    f.palette.SetCheckedCommand(static_cast<UINT>(-1));
    EXPECT_TRUE(Checked(f.palette).empty());

    // The frame's idle update checks the line tool: the bar keeps it unpressed.
    f.palette.SetCheckedCommand(ID_TOOL_POINT);
    f.frame->lineChecked = TRUE;
    f.frame->UpdateBars();
    EXPECT_EQ(Checked(f.palette), std::vector<int>{ pointer });
    // So does a style set straight on the bar.
    f.palette.SetButtonStyle(line, f.palette.GetButtonStyle(line) | TBBS_CHECKED);
    EXPECT_EQ(Checked(f.palette), std::vector<int>{ pointer });
    // And an update that unchecks the pressed one's neighbour leaves the pressed one pressed.
    f.frame->lineChecked = FALSE;
    f.frame->UpdateBars();
    EXPECT_EQ(Checked(f.palette), std::vector<int>{ pointer });
}

TEST(DockToolbar, ColumnChangesLayTheFrameOutEachTime)
{
    PaletteFixture f;
    const int before = f.frame->layouts;
    const BOOL toggle = f.palette.GetLayoutToggle();
    // The same count and counts below one change nothing.
    f.palette.SetColumns(2);
    f.palette.SetColumns(0);
    EXPECT_EQ(f.frame->layouts, before);
    EXPECT_EQ(f.palette.GetColumns(), 2);
    EXPECT_EQ(f.palette.GetLayoutToggle(), toggle);

    // Two changes in a row: the frame lays out twice, the toggle flips each time.
    f.palette.SetColumns(3);
    EXPECT_EQ(f.frame->layouts, before + 1);
    EXPECT_NE(f.palette.GetLayoutToggle(), toggle);
    f.palette.SetColumns(4);
    EXPECT_EQ(f.frame->layouts, before + 2);
    EXPECT_EQ(f.palette.GetLayoutToggle(), toggle);
    CRect bar;
    f.palette.GetWindowRect(&bar);
    EXPECT_EQ(bar.Width(), f.palette.CalcSize(TRUE).cx);
    // Four buttons a row now.
    EXPECT_EQ(ItemRect(f.palette, ID_TOOL_MAGIC_WAND).top, ItemRect(f.palette, ID_TOOL_POINT).top);

    // One column gives the colour button its narrow form, any other count the square one.
    f.palette.SetColumns(1);
    EXPECT_TRUE(f.ColorButton()->IsNarrowLayout());
    EXPECT_EQ(ItemRect(f.palette, ID_TOOL_COLOR).Size(), CSize(34, 48));
    f.palette.GetWindowRect(&bar);
    EXPECT_EQ(bar.Width(), f.palette.CalcSize(TRUE).cx);
    f.palette.SetColumns(2);
    EXPECT_FALSE(f.ColorButton()->IsNarrowLayout());
}

TEST(DockToolbar, EveryButtonHasItsIconInBothStrips)
{
    PaletteFixture f;
    int buttons = 0;
    for (int i = 0; i < f.palette.GetCount(); ++i)
        buttons += f.palette.GetButton(i)->IsSeparator() ? 0 : 1;
    EXPECT_EQ(buttons, 19);
    EXPECT_EQ(f.palette.GetColdImages()->GetCount(), buttons);
    EXPECT_EQ(f.palette.GetHotImages()->GetCount(), buttons);
    for (CBCGPDropDownToolBar& bar : f.dropDowns) {
        EXPECT_GT(bar.GetCount(), 1);
        EXPECT_EQ(bar.GetHotImages()->GetCount(), bar.GetCount());
    }
}

TEST(DockToolbar, AtOneAndAHalfTheScreenScaleIconsButtonsAndCaptionGrow)
{
    const double scale = globalData.m_dblImageScale;
    globalData.m_dblImageScale = 1.5;
    {
        PaletteFixture f;
        EXPECT_EQ(f.palette.GetImageSize(), CSize(36, 36));
        EXPECT_EQ(f.palette.GetColdImages()->GetImageSize(), CSize(36, 36));
        EXPECT_EQ(f.palette.GetHotImages()->GetImageSize(), CSize(36, 36));
        EXPECT_EQ(f.dropDowns[0].GetHotImages()->GetImageSize(), CSize(36, 36));
        EXPECT_EQ(f.palette.GetCaptionHeight(), 35);
        EXPECT_EQ(ItemRect(f.palette, ID_TOOL_COLOR).Size(), CSize(71, 71));
        // No icon is cut: every button holds a whole icon, and the bar holds every button.
        CRect client;
        f.palette.GetClientRect(&client);
        for (int i = 0; i < f.palette.GetCount(); ++i) {
            const CRect r = f.palette.GetButton(i)->Rect();
            if (!f.palette.GetButton(i)->IsSeparator()) {
                EXPECT_GE(r.Width(), 36) << i;
                EXPECT_GE(r.Height(), 36) << i;
            }
            EXPECT_EQ(r & client, r) << i;
        }
    }
    globalData.m_dblImageScale = scale;
}

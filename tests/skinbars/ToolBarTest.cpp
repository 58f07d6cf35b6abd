// Tool bars: loading, replaced and drop-down buttons, command states, clicks and tool tips.
#include "BarsTestApp.h"

namespace {

// A button that draws itself: a swatch of its colour, twice as wide as a plain button.
class CSwatchButton : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CSwatchButton)
public:
    CSwatchButton() = default;
    CSwatchButton(UINT id, COLORREF color) : CBCGPToolbarButton(id, -1), m_color(color) {}
    void CopyFrom(const CBCGPToolbarButton& src) override
    {
        CBCGPToolbarButton::CopyFrom(src);
        if (auto* swatch = DYNAMIC_DOWNCAST(CSwatchButton, const_cast<CBCGPToolbarButton*>(&src)))
            m_color = swatch->m_color;
    }
    SIZE OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL) override { return CSize(sizeDefault.cx * 2, sizeDefault.cy); }
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) override
    {
        CRect r = rect;
        r.DeflateRect(3, 3);
        pDC->FillSolidRect(r, m_color);
        ++draws;
    }
    BOOL OnClick(CWnd*, BOOL) override
    {
        ++clicks;
        return TRUE;   // handled: no command
    }
    COLORREF m_color = 0;
    static int draws, clicks;
};
IMPLEMENT_DYNCREATE(CSwatchButton, CBCGPToolbarButton)
int CSwatchButton::draws = 0;
int CSwatchButton::clicks = 0;

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = CTestFrame::Make();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS));
        ASSERT_TRUE(bar.LoadToolBar(IDR_STANDARD, IDB_ICONS_COLD, 0, TRUE, 0, 0, IDB_ICONS_HOT));
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        if (frame)
            frame->DestroyWindow();
    }
    CPoint Centre(UINT id)
    {
        CRect r;
        bar.GetItemRect(bar.CommandToIndex(id), &r);
        return r.CenterPoint();
    }
    CTestFrame* frame = nullptr;
    CBCGPToolBar bar;
};

TEST_F(ToolBarTest, LoadsButtonsAndBothImageStrips)
{
    EXPECT_EQ(bar.GetCount(), 30);   // 28 buttons and 2 separators
    EXPECT_EQ(bar.GetImageSize(), CSize(20, 20));
    EXPECT_EQ(bar.GetHotImages()->GetCount(), 28);
    EXPECT_EQ(bar.GetColdImages()->GetCount(), 28);
    EXPECT_TRUE(bar.IsLocked());
    EXPECT_EQ(bar.CommandToIndex(ID_EDIT_UNDO_STEP), 4);
    EXPECT_EQ(bar.GetButton(4)->GetImage(), 3);
    EXPECT_EQ(bar.CommandToIndex(ID_FONT_FACE), -1);
    // Menus find the bar's image of a command.
    CBCGPToolBarImages* images = nullptr;
    int image = -1;
    ASSERT_TRUE(skinui::FindCommandImage(ID_EDIT_UNDO_STEP, images, image));
    EXPECT_EQ(images, bar.GetImages());
    EXPECT_EQ(image, 3);
    EXPECT_FALSE(skinui::FindCommandImage(ID_FONT_FACE, images, image));
    // The frame gave the bar its height; the buttons sit in one row inside it.
    CRect client, first;
    bar.GetClientRect(&client);
    bar.GetItemRect(0, &first);
    EXPECT_GE(client.Height(), bar.GetButtonSize().cy);
    EXPECT_TRUE(client.PtInRect(first.TopLeft()) && client.PtInRect(first.BottomRight() - CSize(1, 1)));
}

TEST_F(ToolBarTest, CommandStatesComeFromTheFrame)
{
    frame->UpdateBars();
    EXPECT_TRUE(bar.GetButtonStyle(bar.CommandToIndex(ID_EDIT_UNDO_STEP)) & TBBS_DISABLED);
    EXPECT_TRUE(bar.GetButtonStyle(bar.CommandToIndex(ID_TOOL_BRUSH)) & TBBS_CHECKED);
    EXPECT_FALSE(bar.GetButtonStyle(bar.CommandToIndex(ID_FILE_SAVE_DOC)) & (TBBS_DISABLED | TBBS_CHECKED));
    frame->undoEnabled = TRUE;
    frame->brushChecked = FALSE;
    frame->UpdateBars();
    EXPECT_FALSE(bar.GetButtonStyle(bar.CommandToIndex(ID_EDIT_UNDO_STEP)) & TBBS_DISABLED);
    EXPECT_FALSE(bar.GetButtonStyle(bar.CommandToIndex(ID_TOOL_BRUSH)) & TBBS_CHECKED);
}

TEST_F(ToolBarTest, ClicksSendCommandsButNotFromDisabledButtons)
{
    frame->UpdateBars();
    ClickAt(&bar, Centre(ID_FILE_SAVE_DOC));
    ClickAt(&bar, Centre(ID_EDIT_UNDO_STEP));   // disabled
    // Down on one button, up on another: no command.
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Centre(ID_FILE_NEW_DOC).x, Centre(ID_FILE_NEW_DOC).y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(Centre(ID_FILE_OPEN_DOC).x, Centre(ID_FILE_OPEN_DOC).y));
    PumpFor(100);
    EXPECT_EQ(frame->commands, std::vector<UINT>{ ID_FILE_SAVE_DOC });
}

TEST_F(ToolBarTest, ReplacedButtonDrawsAndSizesItself)
{
    EXPECT_EQ(bar.ReplaceButton(ID_TOOL_COLOR, CSwatchButton(ID_TOOL_COLOR, RGB(255, 0, 0))), 0);
    ASSERT_EQ(bar.ReplaceButton(ID_TOOL_TEXT, CSwatchButton(ID_TOOL_TEXT, RGB(0, 128, 255))), 1);
    const int index = bar.CommandToIndex(ID_TOOL_TEXT);
    auto* swatch = DYNAMIC_DOWNCAST(CSwatchButton, bar.GetButton(index));
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->m_color, RGB(0, 128, 255));
    CRect r;
    bar.GetItemRect(index, &r);
    EXPECT_EQ(r.Width(), bar.GetButtonSize().cx * 2);
    CSwatchButton::draws = 0;
    bar.RedrawWindow();
    EXPECT_GE(CSwatchButton::draws, 1);
    // It handles its own click: the frame hears nothing.
    CSwatchButton::clicks = 0;
    ClickAt(&bar, r.CenterPoint());
    PumpFor(100);
    EXPECT_EQ(CSwatchButton::clicks, 1);
    EXPECT_FALSE(frame->Received(ID_TOOL_TEXT));
    // Its state still comes from the frame.
    frame->UpdateBars();
    EXPECT_FALSE(bar.GetButtonStyle(index) & TBBS_DISABLED);
}

TEST_F(ToolBarTest, DropDownPaletteChoiceBecomesTheButtonsCommand)
{
    CBCGPDropDownToolBar palette;
    ASSERT_TRUE(palette.Create(frame, WS_CHILD | CBRS_TOP, IDR_SELECT_TOOLS));
    palette.LoadToolBar(IDR_STANDARD, IDB_ICONS_COLD, 0, TRUE, 0, 0, IDB_ICONS_HOT);
    palette.RemoveAllButtons();
    for (UINT id : { ID_SELECT_RECT, ID_SELECT_ELLIPSE, ID_SELECT_WAND })
        palette.InsertButton(CBCGPToolbarButton(id, static_cast<int>(id - ID_FIRST_IMAGE)));
    ASSERT_EQ(bar.ReplaceButton(ID_SELECT_RECT, CBCGPDropDownToolbarButton(L"Select Tool", &palette)), 1);
    auto* button = DYNAMIC_DOWNCAST(CBCGPDropDownToolbarButton, bar.GetButton(bar.CommandToIndex(ID_SELECT_RECT)));
    ASSERT_NE(button, nullptr);

    ASSERT_TRUE(button->DropDown());
    CBCGPDropDownFrame* open = CBCGPDropDownFrame::GetActive();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetButtonCount(), 3);
    EXPECT_TRUE(button->IsDroppedDown());
    ClickAt(open, open->GetButtonRect(2).CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_SELECT_WAND); }));
    EXPECT_EQ(CBCGPDropDownFrame::GetActive(), nullptr);
    EXPECT_EQ(button->m_nID, static_cast<UINT>(ID_SELECT_WAND));
    // A short click now sends the chosen tool again; Escape closes an open palette unchosen.
    frame->commands.clear();
    ClickAt(&bar, Centre(ID_SELECT_WAND));
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_SELECT_WAND); }));
    ASSERT_TRUE(button->DropDown());
    CBCGPDropDownFrame::GetActive()->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(CBCGPDropDownFrame::GetActive(), nullptr);
    EXPECT_EQ(button->m_nID, static_cast<UINT>(ID_SELECT_WAND));
}

TEST_F(ToolBarTest, ControlButtonsHoldTheirControlsAndTexts)
{
    CBCGPToolbarFontCombo font(ID_FONT_FACE, -1, TRUETYPE_FONTTYPE, DEFAULT_CHARSET, CBS_DROPDOWN | CBS_OWNERDRAWFIXED, 150);
    CBCGPToolbarFontSizeCombo size(ID_FONT_SIZE, -1, CBS_DROPDOWN, 60);
    CBCGPToolbarEditBoxButton edit(ID_TOOL_COLOR, -1, ES_AUTOHSCROLL, 70);
    edit.SetContents(L"12");
    bar.ReplaceButton(ID_TOOL_CROP, font);
    bar.ReplaceButton(ID_VIEW_ZOOM, size);
    bar.ReplaceButton(ID_IMAGE_ROTATE, edit);
    auto* placedFont = DYNAMIC_DOWNCAST(CBCGPToolbarFontCombo, bar.GetButton(bar.CommandToIndex(ID_FONT_FACE)));
    auto* placedSize = DYNAMIC_DOWNCAST(CBCGPToolbarFontSizeCombo, bar.GetButton(bar.CommandToIndex(ID_FONT_SIZE)));
    auto* placedEdit = DYNAMIC_DOWNCAST(CBCGPToolbarEditBoxButton, bar.GetButton(bar.CommandToIndex(ID_TOOL_COLOR)));
    ASSERT_TRUE(placedFont && placedSize && placedEdit);
    ASSERT_TRUE(::IsWindow(placedFont->GetHwnd()) && ::IsWindow(placedSize->GetHwnd()) && ::IsWindow(placedEdit->GetHwnd()));
    EXPECT_EQ(::GetParent(placedFont->GetHwnd()), bar.m_hWnd);
    EXPECT_GT(placedFont->GetCount(), 0);
    EXPECT_TRUE(placedFont->SetFont(L"Arial"));
    EXPECT_EQ(placedFont->GetFontName(), CString(L"Arial"));
    placedSize->RebuildFontSizes(L"Arial");
    EXPECT_EQ(placedSize->GetCount(), 16);
    placedSize->SetTwipSize(240);
    EXPECT_EQ(placedSize->GetTwipSize(), 240);
    EXPECT_EQ(placedEdit->GetContents(), CString(L"12"));
    // The controls sit in their buttons' places.
    CRect button, control;
    bar.GetItemRect(bar.CommandToIndex(ID_FONT_FACE), &button);
    ::GetWindowRect(placedFont->GetHwnd(), &control);
    bar.ScreenToClient(&control);
    EXPECT_EQ(control.left, button.left);
    EXPECT_EQ(control.Width(), 150);
    // A choice in the size box reaches the frame as the button's command.
    CComboBox* box = placedSize->GetComboBox();
    box->SetCurSel(3);
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FONT_SIZE, CBN_SELENDOK), reinterpret_cast<LPARAM>(box->m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return frame->Received(ID_FONT_SIZE); }));
    EXPECT_EQ(placedSize->GetTwipSize(), 11 * 20);
}

TEST_F(ToolBarTest, ToolTipsAskTheFrameLast)
{
    // Without text of its own, a button shows the tip part of its command's string.
    EXPECT_EQ(bar.GetButtonToolTip(bar.CommandToIndex(ID_FILE_NEW_DOC)), CString(L"New"));
    bar.SetToolBarBtnText(static_cast<UINT>(bar.CommandToIndex(ID_FILE_OPEN_DOC)), L"Open picture", TRUE, TRUE);
    EXPECT_EQ(bar.GetButtonToolTip(bar.CommandToIndex(ID_FILE_OPEN_DOC)), CString(L"Open picture"));
    EXPECT_TRUE(bar.GetButton(bar.CommandToIndex(ID_FILE_OPEN_DOC))->m_bText);
}

TEST(ToolBarLayout, RowsWrapAtWrapFlagsAndTheLimit)
{
    using skinui::ToolbarItemLayout;
    const std::vector<ToolbarItemLayout> items = {
        { { 20, 20 }, false, false }, { { 8, 20 }, false, true }, { { 30, 24 }, true, false }, { { 20, 20 }, false, false },
    };
    std::vector<RECT> rects;
    CSize size = skinui::LayoutToolbarItems(items, true, 0, POINT{ 2, 3 }, rects);
    EXPECT_EQ(CRect(rects[2]), CRect(30, 3, 60, 27));
    EXPECT_EQ(CRect(rects[3]), CRect(2, 27, 22, 47));   // after the wrap
    EXPECT_EQ(size, CSize(58, 44));
    // A limit of 40 moves the third button to a row of its own.
    size = skinui::LayoutToolbarItems(items, true, 40, POINT{ 0, 0 }, rects);
    EXPECT_EQ(CRect(rects[2]), CRect(0, 20, 30, 44));
    // Vertical bars stack the buttons.
    size = skinui::LayoutToolbarItems({ { { 20, 20 }, false, false }, { { 20, 8 }, false, true } }, false, 0, POINT{ 0, 0 }, rects);
    EXPECT_EQ(CRect(rects[1]), CRect(0, 20, 20, 28));
    EXPECT_EQ(size, CSize(20, 28));
}

TEST(ToolBarResource, BothCompilersLayoutsAndDamagedOnes)
{
    const WORD microsoft[] = { 1, 16, 15, 3, 1001, 0, 1002 };
    const DWORD gnu[] = { 16, 15, 3, 1001, 0, 1002 };
    const DWORD tooShort[] = { 16, 15, 9, 1001 };
    CSize size;
    std::vector<UINT> ids;
    ASSERT_TRUE(skinui::ParseToolbarResource(microsoft, sizeof microsoft, size, ids));
    EXPECT_EQ(size, CSize(16, 15));
    EXPECT_EQ(ids, (std::vector<UINT>{ 1001, 0, 1002 }));
    ASSERT_TRUE(skinui::ParseToolbarResource(gnu, sizeof gnu, size, ids));
    EXPECT_EQ(ids, (std::vector<UINT>{ 1001, 0, 1002 }));
    EXPECT_FALSE(skinui::ParseToolbarResource(tooShort, sizeof tooShort, size, ids));
    EXPECT_FALSE(skinui::ParseToolbarResource(gnu, 6, size, ids));
}

TEST(ToolBarFonts, SizeTextsAndSteps)
{
    struct Case {
        const wchar_t* text;
        int twips;
    };
    const Case cases[] = { { L"12", 240 }, { L" 10.5 ", 210 }, { L"0", -1 }, { L"abc", -1 }, { L"12pt", -1 }, { L"", -1 }, { L"2000", -1 } };
    for (const Case& c : cases)
        EXPECT_EQ(skinui::ParseTwips(c.text), c.twips) << c.text;
    EXPECT_EQ(skinui::FontSizeSteps({}, 96).size(), 16u);
    // A raster font's own heights (pixels at 96 dpi), unique and sorted.
    EXPECT_EQ(skinui::FontSizeSteps({ 16, 13, 16, 11 }, 96), (std::vector<int>{ 8, 10, 12 }));
}

// A combo-box button's state as stored: the button's fields (id, image, text, style, flags),
// width, style, items and choice; cut at one of its places when asked.
enum class Cut { None, InText, InWidth, InItems };
std::vector<BYTE> ComboState(int width, DWORD style, int count, int sel, Cut cut)
{
    std::vector<BYTE> buffer;
    CArchive ar(buffer, CArchive::store);
    ar << static_cast<UINT>(ID_FONT_SIZE) << 2;
    const size_t inText = buffer.size() + 6;
    ar << CString(L"Size") << static_cast<UINT>(TBBS_BUTTON) << 0 << 1 << 0 << width;
    const size_t inWidth = buffer.size() - 2, inItems = buffer.size() + 14;
    ar << style << count << CString(L"10") << static_cast<ULONGLONG>(10) << CString(L"12") << static_cast<ULONGLONG>(12) << sel
       << CString(L"12");
    if (cut != Cut::None)
        buffer.resize(cut == Cut::InText ? inText : cut == Cut::InWidth ? inWidth : inItems);
    return buffer;
}

// Tool-bar states come back from the registry or a file: a damaged or edited one leaves a
// button of sane width, style and choice; one cut short keeps, from the cut on, what it had.
TEST(ToolBarState, DamagedButtonStatesLeaveSaneButtons)
{
    struct Case {
        const char* what;
        std::vector<BYTE> state;
        UINT id;
        int count;
        int width;
        DWORD style;
        int sel;
    };
    const UINT stored = ID_FONT_SIZE, own = ID_FONT_FACE;
    const DWORD dropDown = CBS_DROPDOWN, simple = CBS_SIMPLE, dropList = CBS_DROPDOWNLIST;
    const Case cases[] = {
        { "as stored", ComboState(120, dropDown, 2, 1, Cut::None), stored, 2, 120, dropDown, 1 },
        { "a negative width, a choice before the first item", ComboState(-5, dropDown, 2, -7, Cut::None), stored, 2, 90, dropDown, -1 },
        { "a width no screen holds, a choice past the items", ComboState(0x7FFFFFFF, dropDown, 2, 2, Cut::None), stored, 2, 90,
          dropDown, -1 },
        { "window styles in the control's style", ComboState(120, WS_POPUP | WS_DISABLED | simple, 2, 0, Cut::None), stored, 2, 120,
          simple, 0 },
        { "a negative count of items", ComboState(120, dropDown, -1, 0, Cut::None), stored, 0, 120, dropDown, -1 },
        { "more items counted than stored", ComboState(120, dropDown, 0x7FFFFFFF, 0, Cut::None), stored, 0, 120, dropDown, -1 },
        { "cut short in the text", ComboState(120, dropDown, 2, 1, Cut::InText), own, 0, 90, dropList, -1 },
        { "cut short in the width", ComboState(120, dropDown, 2, 1, Cut::InWidth), stored, 0, 90, dropList, -1 },
        { "cut short in the items", ComboState(120, dropDown, 2, 1, Cut::InItems), stored, 0, 120, dropDown, -1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CBCGPToolbarComboBoxButton button(own, -1, CBS_DROPDOWNLIST, 90);
        std::vector<BYTE> state = c.state;
        CArchive in(state, CArchive::load);
        button.Serialize(in);
        EXPECT_EQ(button.m_nID, c.id);
        EXPECT_EQ(button.GetCount(), c.count);
        EXPECT_EQ(button.GetWidth(), c.width);
        EXPECT_EQ(button.GetComboStyle(), c.style);
        EXPECT_EQ(button.GetCurSel(), c.sel);
    }

    // A menu button cut short keeps its menu.
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_FILE_OPEN_DOC, L"Open");
    CBCGPToolbarMenuButton opener(ID_FILE_NEW_DOC, menu, -1);
    ::DestroyMenu(menu);
    std::vector<BYTE> state;
    CArchive out(state, CArchive::store);
    out << static_cast<UINT>(ID_FILE_NEW_DOC) << -1 << CString(L"New") << static_cast<UINT>(TBBS_BUTTON) << 0 << 1 << 0 << 1000000
        << static_cast<UINT>(ID_FILE_SAVE_DOC) << CString(L"Save");
    CArchive in(state, CArchive::load);
    opener.Serialize(in);
    ASSERT_NE(opener.GetMenu(), nullptr);
    EXPECT_EQ(::GetMenuItemCount(opener.GetMenu()), 1);
    EXPECT_EQ(::GetMenuItemID(opener.GetMenu(), 0), static_cast<UINT>(ID_FILE_OPEN_DOC));
}

} // namespace

namespace {

class CSkinnedFrame : public CBCGPFrameWnd {
public:
    BOOL GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& strTTText) override
    {
        if (pButton->m_nID == ID_FILE_SAVE_DOC)
            strTTText = L"Save (Ctrl+S)";
        return TRUE;
    }
};

TEST(ToolBarInSkinnedFrame, DocksFloatsAndAsksTheFrameForTips)
{
    auto* frame = new CSkinnedFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Skinned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 940, 640)));
    CBCGPToolBar bar;
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS));
    ASSERT_TRUE(bar.LoadToolBar(IDR_STANDARD, IDB_ICONS_COLD, 0, TRUE, 0, 0, IDB_ICONS_HOT));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar);
    frame->RecalcLayout();
    EXPECT_TRUE(bar.IsDocked());
    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), bar.CalcFixedLayout(FALSE, TRUE).cy);
    EXPECT_EQ(bar.GetButtonToolTip(bar.CommandToIndex(ID_FILE_SAVE_DOC)), CString(L"Save (Ctrl+S)"));
    EXPECT_EQ(bar.GetButtonToolTip(bar.CommandToIndex(ID_FILE_NEW_DOC)), CString(L"New"));

    // Floating: in a mini frame, the buttons wrapped inside the bar's client area.
    ASSERT_TRUE(bar.FloatControlBar(CRect(300, 300, 700, 420)));
    EXPECT_TRUE(bar.IsFloating());
    CRect client, last;
    bar.GetClientRect(&client);
    bar.GetItemRect(bar.GetCount() - 1, &last);
    EXPECT_TRUE(client.PtInRect(last.TopLeft()));
    // Docked at the left: one column.
    ASSERT_TRUE(bar.DockToFrameWindow(CBRS_ALIGN_LEFT));
    frame->RecalcLayout();
    EXPECT_TRUE(bar.IsDocked());
    EXPECT_FALSE(bar.IsHorizontal());
    CRect first, second;
    bar.GetItemRect(0, &first);
    bar.GetItemRect(1, &second);
    EXPECT_EQ(second.left, first.left);
    EXPECT_GT(second.top, first.top);
    frame->DestroyWindow();
}

} // namespace

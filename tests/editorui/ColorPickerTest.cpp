// The colour button: what it posts for each change, its two layouts and what a click hits, the
// colour dialog answered by messages, storing, sharing its icons with copies, and its pixels.
#include "PaletteTestApp.h"

namespace {

using Posts = std::vector<std::pair<WPARAM, LPARAM>>;
const COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

// Answers the next colour dialog of the thread: OK with the colour, or Cancel.
struct DialogAnswer {
    bool ok = true;
    COLORREF color = 0;
    bool answered = false;
};
DialogAnswer g_answer;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found)
{
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    // The colour dialog: the one with the red box.
    if (::IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0 && ::GetDlgItem(hwnd, 706)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    ::KillTimer(nullptr, id);
    if (g_answer.ok) {
        // The dialog's red, green and blue boxes.
        ::SetDlgItemInt(dialog, 706, GetRValue(g_answer.color), FALSE);
        ::SetDlgItemInt(dialog, 707, GetGValue(g_answer.color), FALSE);
        ::SetDlgItemInt(dialog, 708, GetBValue(g_answer.color), FALSE);
    }
    g_answer.answered = true;
    ::PostMessageW(dialog, WM_COMMAND, g_answer.ok ? IDOK : IDCANCEL, 0);
}

// Presses the left button over a point of the button (relative to its top-left corner).
void ClickButtonAt(CBCGPToolBar& bar, CBCGPToolbarButton* button, CPoint offset)
{
    const CPoint client = button->Rect().TopLeft() + offset;
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}

CPoint Centre(const RECT& r)
{
    return CRect(r).CenterPoint();
}

} // namespace

TEST(ColorPicker, PostsOnlyTheColoursThatChange)
{
    struct Case {
        const char* name;
        COLORREF fore, back;   // before
        void (*action)(CShopToolbarColorPicker&);
        Posts posts;
        COLORREF foreAfter, backAfter;
    };
    const Case cases[] = {
        { "fore to its own colour", kRed, kWhite, [](CShopToolbarColorPicker& b) { b.SetForeColor(kRed); }, {}, kRed, kWhite },
        { "fore to another", kBlack, kWhite, [](CShopToolbarColorPicker& b) { b.SetForeColor(kBlue); }, { { 0, kBlue } }, kBlue, kWhite },
        { "back to its own colour", kBlack, kRed, [](CShopToolbarColorPicker& b) { b.SetBackColor(kRed); }, {}, kBlack, kRed },
        { "back to another", kBlack, kWhite, [](CShopToolbarColorPicker& b) { b.SetBackColor(kRed); }, { { 1, kRed } }, kBlack, kRed },
        { "swap", kRed, kBlue, [](CShopToolbarColorPicker& b) { b.SwapColors(); }, { { 0, kBlue }, { 1, kRed } }, kBlue, kRed },
        { "swap of equal colours", kRed, kRed, [](CShopToolbarColorPicker& b) { b.SwapColors(); }, { { 0, kRed }, { 1, kRed } }, kRed, kRed },
        { "reset with black fore", kBlack, kRed, [](CShopToolbarColorPicker& b) { b.ResetColors(); }, { { 1, kWhite } }, kBlack, kWhite },
        { "reset of both", kRed, kBlue, [](CShopToolbarColorPicker& b) { b.ResetColors(); }, { { 0, kBlack }, { 1, kWhite } }, kBlack, kWhite },
        { "reset at rest", kBlack, kWhite, [](CShopToolbarColorPicker& b) { b.ResetColors(); }, {}, kBlack, kWhite },
    };
    PaletteFixture f;
    CShopToolbarColorPicker* button = f.ColorButton();
    ASSERT_NE(button, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        button->SetForeColor(c.fore);
        button->SetBackColor(c.back);
        TakeColorPosts(f.frame->m_hWnd);
        c.action(*button);
        EXPECT_EQ(TakeColorPosts(f.frame->m_hWnd), c.posts);
        EXPECT_EQ(button->GetForeColor(), c.foreAfter);
        EXPECT_EQ(button->GetBackColor(), c.backAfter);
    }
}

TEST(ColorPicker, TwoLayoutsAndTheirScaledForms)
{
    struct Case {
        bool narrow;
        double scale;
        CRect fore, back, reset, swap;
        CSize size;
    };
    const Case cases[] = {
        { false, 1.0, { 3, 3, 31, 31 }, { 16, 15, 45, 44 }, { 2, 35, 13, 46 }, { 33, 2, 44, 13 }, { 47, 47 } },
        { true, 1.0, { 1, 15, 23, 37 }, { 11, 25, 33, 47 }, { 3, 1, 14, 12 }, { 19, 1, 30, 12 }, { 34, 48 } },
        { false, 1.5, { 5, 5, 47, 47 }, { 24, 23, 68, 66 }, { 3, 53, 20, 69 }, { 50, 3, 66, 20 }, { 71, 71 } },
        { true, 1.5, { 2, 23, 35, 56 }, { 17, 38, 50, 71 }, { 5, 2, 21, 18 }, { 29, 2, 45, 18 }, { 51, 72 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.narrow << " at " << c.scale);
        const colorpicker::Layout l = colorpicker::LayoutFor(c.narrow, c.scale);
        EXPECT_EQ(CRect(l.fore), c.fore);
        EXPECT_EQ(CRect(l.back), c.back);
        EXPECT_EQ(CRect(l.reset), c.reset);
        EXPECT_EQ(CRect(l.swap), c.swap);
        EXPECT_EQ(CSize(l.size), c.size);
    }
}

TEST(ColorPicker, ClicksHitTheForegroundFirstThenTheBackgroundAndIcons)
{
    struct Case {
        bool narrow;
        POINT at;
        colorpicker::Part part;
    };
    const Case cases[] = {
        { false, { 10, 10 }, colorpicker::kForeground },
        { false, { 20, 20 }, colorpicker::kForeground },   // on both swatches
        { false, { 28, 28 }, colorpicker::kForeground },   // last pixel of the shrunken swatch
        { false, { 29, 29 }, colorpicker::kBackground },   // its 2-pixel rim belongs to the back swatch
        { false, { 40, 40 }, colorpicker::kBackground },
        { false, { 4, 4 }, colorpicker::kNone },           // rim of the fore swatch, outside the back one
        { false, { 44, 16 }, colorpicker::kNone },         // rim of the back swatch
        { false, { 7, 40 }, colorpicker::kReset },
        { false, { 38, 7 }, colorpicker::kSwap },
        { false, { 46, 1 }, colorpicker::kNone },
        { true, { 12, 26 }, colorpicker::kForeground },
        { true, { 25, 40 }, colorpicker::kBackground },
        { true, { 8, 6 }, colorpicker::kReset },
        { true, { 24, 6 }, colorpicker::kSwap },
        { true, { 16, 6 }, colorpicker::kNone },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.narrow << " " << c.at.x << "," << c.at.y);
        EXPECT_EQ(colorpicker::HitTest(colorpicker::LayoutFor(c.narrow, 1.0), c.at), c.part);
    }
}

TEST(ColorPicker, ClicksOnTheButtonOpenTheDialogResetAndSwap)
{
    PaletteFixture f;
    CShopToolbarColorPicker* button = f.ColorButton();
    ASSERT_NE(button, nullptr);
    const colorpicker::Layout layout = button->GetLayout();
    // The idle update leaves the button enabled: its command has a handler.
    f.frame->UpdateBars();
    ASSERT_FALSE(button->IsDisabled());
    TakeColorPosts(f.frame->m_hWnd);

    // The overlap of the swatches opens the foreground's dialog; OK takes its colour.
    g_answer = DialogAnswer{ true, RGB(10, 200, 30) };
    ::SetTimer(nullptr, 0, 50, AnswerDialog);
    ClickButtonAt(f.palette, button, CPoint(20, 20));
    EXPECT_TRUE(g_answer.answered);
    EXPECT_EQ(button->GetForeColor(), RGB(10, 200, 30));
    EXPECT_EQ(button->GetBackColor(), kWhite);
    EXPECT_EQ(TakeColorPosts(f.frame->m_hWnd), (Posts{ { 0, RGB(10, 200, 30) } }));

    // Cancel changes nothing.
    g_answer = DialogAnswer{ false, RGB(1, 2, 3) };
    ::SetTimer(nullptr, 0, 50, AnswerDialog);
    ClickButtonAt(f.palette, button, Centre(layout.back) + CPoint(8, 8));
    EXPECT_TRUE(g_answer.answered);
    EXPECT_EQ(button->GetBackColor(), kWhite);
    EXPECT_TRUE(TakeColorPosts(f.frame->m_hWnd).empty());

    ClickButtonAt(f.palette, button, Centre(layout.swap));
    EXPECT_EQ(button->GetForeColor(), kWhite);
    EXPECT_EQ(button->GetBackColor(), RGB(10, 200, 30));
    EXPECT_EQ(TakeColorPosts(f.frame->m_hWnd), (Posts{ { 0, kWhite }, { 1, RGB(10, 200, 30) } }));
    ClickButtonAt(f.palette, button, Centre(layout.reset));
    EXPECT_EQ(TakeColorPosts(f.frame->m_hWnd), (Posts{ { 0, kBlack }, { 1, kWhite } }));
    // Between the parts nothing happens, and the frame hears no command of the button.
    ClickButtonAt(f.palette, button, CPoint(46, 1));
    EXPECT_TRUE(TakeColorPosts(f.frame->m_hWnd).empty());
}

TEST(ColorPicker, StoresItsColoursAndFallsBackToThePlainSizeOutsideABar)
{
    CShopToolbarColorPicker stored(ID_TOOL_COLOR);
    stored.SetForeColor(RGB(1, 2, 3));
    stored.SetBackColor(RGB(200, 100, 50));
    std::vector<BYTE> buffer;
    {
        CArchive ar(buffer, CArchive::store);
        stored.Serialize(ar);
    }
    CShopToolbarColorPicker loaded;
    CArchive ar(buffer, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_FALSE(ar.IsTruncated());
    EXPECT_EQ(loaded.m_nID, static_cast<UINT>(ID_TOOL_COLOR));
    EXPECT_EQ(loaded.GetForeColor(), RGB(1, 2, 3));
    EXPECT_EQ(loaded.GetBackColor(), RGB(200, 100, 50));

    // Outside a tool bar (a menu, a list of buttons) it is sized as any button.
    CClientDC dc(CWnd::GetDesktopWindow());
    EXPECT_EQ(CSize(loaded.OnCalculateSize(&dc, CSize(31, 31), FALSE)), CSize(31, 31));
}

TEST(ColorPicker, CopiesShareTheIconsAndOutliveTheOriginal)
{
    PaletteFixture f;
    CShopToolbarColorPicker* placed = f.ColorButton();
    ASSERT_NE(placed, nullptr);
    // The fixture's temporary is gone: the placed copy holds the icons alone.
    EXPECT_EQ(placed->GetSharedImages().UseCount(), 1);
    ASSERT_TRUE(placed->GetSharedImages().Get()->IsValid());
    {
        CShopToolbarColorPicker copy;
        copy.CopyFrom(*placed);
        EXPECT_EQ(copy.GetSharedImages().Get(), placed->GetSharedImages().Get());
        EXPECT_EQ(placed->GetSharedImages().UseCount(), 2);
    }
    EXPECT_EQ(placed->GetSharedImages().UseCount(), 1);

    // Drawn: the swatches in their colours inside a white line and a grey rim; the icons drawn.
    placed->SetForeColor(kRed);
    placed->SetBackColor(kBlue);
    CPixelCanvas canvas(80, 80, RGB(255, 0, 255));
    const CRect at(10, 10, 57, 57);
    placed->OnDraw(&canvas.DC(), at, nullptr);
    EXPECT_EQ(canvas.At(10 + 17, 10 + 17), kRed) << ColorText(canvas.At(27, 27));
    EXPECT_EQ(canvas.At(10 + 40, 10 + 40), kBlue);
    EXPECT_EQ(canvas.At(10 + 3, 10 + 3), RGB(192, 192, 192));   // rim of the fore swatch
    EXPECT_EQ(canvas.At(10 + 4, 10 + 4), kWhite);                // its line
    EXPECT_EQ(canvas.At(10 + 44, 10 + 43), RGB(192, 192, 192));  // rim of the back swatch
    // The reset icon's black swatch at its top-left, where the canvas was magenta.
    EXPECT_EQ(canvas.At(10 + 4, 10 + 38), kBlack) << ColorText(canvas.At(14, 48));
    // Swap icon: its arrow shaft crosses the icon's top.
    bool swapDrawn = false;
    for (int x = 10 + 33; x < 10 + 44; ++x)
        swapDrawn = swapDrawn || canvas.At(x, 10 + 5) != RGB(255, 0, 255);
    EXPECT_TRUE(swapDrawn);
}

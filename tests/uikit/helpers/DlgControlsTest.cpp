// Rectangle arithmetic, fitting and lining up controls in a real dialog, image combo items, and
// the quiet data exchange of numbers and texts.
#include <functional>
#include "DlgControls.h"
#include "KQDataExchange.h"
#include "RibbonCheckBoxEx.h"
#include "TestApp.h"
#include "TestIds.h"

namespace {

TEST(RectArithmetic, CollisionCountsAsFarEdgesInsideButNotBs)
{
    const struct {
        CRect a, b;
        bool collide;
    } cases[] = {
        { CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), true },
        { CRect(5, 5, 15, 15), CRect(0, 0, 10, 10), true },
        { CRect(0, 0, 10, 10), CRect(2, 2, 4, 4), true },      // b inside a
        { CRect(2, 2, 4, 4), CRect(0, 0, 10, 10), true },      // a inside b
        { CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), true },   // b starts on a's right edge
        { CRect(10, 0, 20, 10), CRect(0, 0, 10, 10), false },  // a starts on b's right edge
        { CRect(0, 0, 10, 10), CRect(0, 10, 10, 20), true },
        { CRect(0, 10, 10, 20), CRect(0, 0, 10, 10), false },
        { CRect(0, 0, 10, 10), CRect(11, 0, 20, 10), false },
        { CRect(0, 0, 10, 10), CRect(0, 20, 10, 30), false },
        { CRect(0, 0, 10, 10), CRect(5, 20, 15, 30), false },  // across but not down
    };
    for (const auto& c : cases) {
        CRect a = c.a, b = c.b;
        EXPECT_EQ(IsRectCollision(&a, &b), c.collide) << a.left << "," << a.top << " / " << b.left << "," << b.top;
    }
    CRect a(0, 0, 1, 1);
    EXPECT_FALSE(IsRectCollision(&a, nullptr));
}

TEST(RectArithmetic, ControlsLineUpLeftOrRightAndAddUpWithTheGap)
{
    std::vector<CRect> rects = { CRect(100, 10, 180, 30), CRect(0, 50, 40, 60), CRect(0, 70, 30, 90) };
    ctrllayout::LineUp(rects, 5, true);
    EXPECT_EQ(rects[1], CRect(185, 50, 225, 60));
    EXPECT_EQ(rects[2], CRect(230, 70, 260, 90));
    rects = { CRect(100, 10, 180, 30), CRect(0, 50, 40, 60), CRect(0, 70, 30, 90) };
    ctrllayout::LineUp(rects, 5, false);
    EXPECT_EQ(rects[1], CRect(55, 50, 95, 60));
    EXPECT_EQ(rects[2], CRect(20, 70, 50, 90));

    EXPECT_EQ(ctrllayout::ChainWidth({ 80, 80, 80 }, 5), 250);
    EXPECT_EQ(ctrllayout::ChainWidth({ 80 }, 5), 80);
    EXPECT_EQ(ctrllayout::ChainWidth({}, 5), 0);
    EXPECT_EQ(ctrllayout::NeededWidth(50, 0), 60);
    EXPECT_GT(ctrllayout::NeededWidth(50, 13), 60 + 13);
}

// The test dialog, with members exchanged through a hook the test sets.
class CHelpersDialog : public CDialog {
public:
    CHelpersDialog() : CDialog(IDD_HELPERS) {}
    std::function<void(CDataExchange*)> exchange;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
};

class DialogTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_HELPERS)); }
    void TearDown() override { m_dlg.DestroyWindow(); }
    CRect Rect(int id) const
    {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(m_dlg, id), &rect);
        m_dlg.ScreenToClient(&rect);
        return rect;
    }
    void SetText(int id, const wchar_t* text) { ::SetDlgItemTextW(m_dlg, id, text); }
    CString Text(int id) const
    {
        CString text;
        m_dlg.GetDlgItemText(id, text);
        return text;
    }
    CHelpersDialog m_dlg;
};

TEST_F(DialogTest, LabelsAndButtonsWidenToTheirTextAndNothingShrinks)
{
    const CRect label = Rect(IDC_LABEL), check = Rect(IDC_CHECK), edit = Rect(IDC_EDIT), wide = Rect(IDC_WIDE_BUTTON);
    KQSetCtrlWidth(&m_dlg);
    const CRect newLabel = Rect(IDC_LABEL), newCheck = Rect(IDC_CHECK);
    EXPECT_GT(newLabel.Width(), label.Width() * 3);
    EXPECT_EQ(newLabel.TopLeft(), label.TopLeft());
    EXPECT_EQ(newLabel.Height(), label.Height());
    // The check box has the label's text; its box needs room besides.
    EXPECT_GE(newCheck.Width(), newLabel.Width() + ::GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_EQ(newCheck.TopLeft(), check.TopLeft());
    EXPECT_EQ(Rect(IDC_EDIT), edit) << "edit boxes are left alone";
    EXPECT_EQ(Rect(IDC_WIDE_BUTTON), wide) << "a wide button keeps its width";
    const CRect again = Rect(IDC_LABEL);
    KQSetCtrlWidth(&m_dlg);
    EXPECT_EQ(Rect(IDC_LABEL), again) << "a second pass changes nothing";
}

TEST_F(DialogTest, ControlsMoveIntoARowAndTheRowHasItsWidth)
{
    const CRect first = Rect(IDC_FIRST), second = Rect(IDC_SECOND), third = Rect(IDC_THIRD);
    EXPECT_EQ(KQGetDlgWidth(&m_dlg, 5, IDC_FIRST, IDC_SECOND, IDC_THIRD, 0), first.Width() * 3 + 10);
    KQMoveWindows(&m_dlg, 5, true, IDC_FIRST, IDC_SECOND, 4242, IDC_THIRD, 0);
    EXPECT_EQ(Rect(IDC_FIRST), first);
    EXPECT_EQ(Rect(IDC_SECOND), CRect(CPoint(first.right + 5, second.top), second.Size()));
    EXPECT_EQ(Rect(IDC_THIRD), CRect(CPoint(first.right + 5 + second.Width() + 5, third.top), third.Size()));
    KQMoveWindows(&m_dlg, 5, false, IDC_THIRD, IDC_SECOND, 0);
    EXPECT_EQ(Rect(IDC_SECOND).right, Rect(IDC_THIRD).left - 5);
}

TEST_F(DialogTest, ComboItemsCarryTheirDataWhereverTheyLand)
{
    CComboBoxEx combo;
    ASSERT_TRUE(combo.SubclassDlgItem(IDC_COMBO, &m_dlg));
    InsertCBEXItem(combo, -1, L"pixels", 0, 10);
    InsertCBEXItem(combo, -1, L"inches", 1, 30);
    InsertCBEXItem(combo, 1, L"cm", 2, 20);
    ASSERT_EQ(combo.SendMessage(CB_GETCOUNT), 3);
    const wchar_t* texts[] = { L"pixels", L"cm", L"inches" };
    const int data[] = { 10, 20, 30 }, images[] = { 0, 2, 1 };
    for (int i = 0; i < 3; ++i) {
        wchar_t text[32] = {};
        COMBOBOXEXITEMW item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = 32;
        ASSERT_TRUE(combo.GetItem(&item));
        EXPECT_STREQ(text, texts[i]);
        EXPECT_EQ(item.iImage, images[i]);
        EXPECT_EQ(item.iSelectedImage, images[i]);
        EXPECT_EQ(combo.SendMessage(CB_GETITEMDATA, i), data[i]) << i;
    }
    combo.UnsubclassWindow();
}

TEST_F(DialogTest, BitmapButtonsTakeTheImageOnTheirFace)
{
    CBCGPButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_FIRST, &m_dlg));
    SetBmpFlatBTStyle(button, IDB_BUTTON);
    EXPECT_EQ(button.m_nFlatStyle, CBCGPButton::BUTTONSTYLE_FLAT);
    EXPECT_TRUE(button.HasImage());
    SetBmpBTStyle(button, IDB_BUTTON);
    EXPECT_EQ(button.m_nFlatStyle, CBCGPButton::BUTTONSTYLE_3D);
    EXPECT_TRUE(button.m_bAutoScale);
    EXPECT_EQ(button.GetImageSize(), CSize(4, 4));
    button.UnsubclassWindow();
}

TEST(RibbonCheckBoxEx, TakesItsCommandAndText)
{
    CBCGPRibbonCheckBoxEx check(32801, L"Show details");
    EXPECT_EQ(check.GetID(), 32801u);
    EXPECT_STREQ(check.GetText(), L"Show details");
}

// Reads the edit's text into a member of type T through the exchange: whether it was taken,
// and the value.
template <class T>
bool ReadAs(CHelpersDialog& dlg, const wchar_t* text, T& value)
{
    ::SetDlgItemTextW(dlg, IDC_VALUE, text);
    dlg.exchange = [&](CDataExchange* pDX) { KQ_DDX_Text(pDX, IDC_VALUE, value); };
    return dlg.UpdateData(TRUE) != FALSE;
}

TEST_F(DialogTest, ReadingTakesWholeNumbersOfTheMembersType)
{
    // A failed read would show no box: a box would hold the test here, on its own loop.
    const struct {
        const wchar_t* text;
        bool ok;
        long long value;
    } ints[] = {
        { L"42", true, 42 }, { L"  -7 ", true, -7 }, { L"2147483647", true, 2147483647 },
        { L"2147483648", false, 0 }, { L"12abc", false, 0 }, { L"", false, 0 }, { L"abc", false, 0 },
    };
    for (const auto& c : ints) {
        int value = -99;
        EXPECT_EQ(ReadAs(m_dlg, c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : -99) << c.text << ": a failed read leaves the member";
    }
    unsigned char byteValue = 0;
    EXPECT_TRUE(ReadAs(m_dlg, L"255", byteValue));
    EXPECT_EQ(byteValue, 255);
    EXPECT_FALSE(ReadAs(m_dlg, L"256", byteValue));
    unsigned int uintValue = 0;
    EXPECT_FALSE(ReadAs(m_dlg, L"-1", uintValue)) << "no wrap to 4294967295";
    EXPECT_TRUE(ReadAs(m_dlg, L"4294967295", uintValue));
    EXPECT_EQ(uintValue, 4294967295u);
    short shortValue = 0;
    EXPECT_FALSE(ReadAs(m_dlg, L"70000", shortValue));
    EXPECT_TRUE(ReadAs(m_dlg, L"-32768", shortValue));
    EXPECT_EQ(shortValue, -32768);
    __int64 bigValue = 0;
    EXPECT_TRUE(ReadAs(m_dlg, L"-9000000000", bigValue));
    EXPECT_EQ(bigValue, -9000000000LL);
    unsigned __int64 ubigValue = 0;
    EXPECT_TRUE(ReadAs(m_dlg, L"18446744073709551615", ubigValue));
    EXPECT_EQ(ubigValue, 18446744073709551615ULL);
    double doubleValue = 0;
    EXPECT_TRUE(ReadAs(m_dlg, L"2.5", doubleValue));
    EXPECT_EQ(doubleValue, 2.5);
    EXPECT_FALSE(ReadAs(m_dlg, L"2.5cm", doubleValue));
    float floatValue = 0;
    EXPECT_TRUE(ReadAs(m_dlg, L"0.1", floatValue));
    EXPECT_EQ(floatValue, 0.1f);
    EXPECT_FALSE(ReadAs(m_dlg, L"1e40", floatValue)) << "beyond a float";
    CString textValue;
    EXPECT_TRUE(ReadAs(m_dlg, L" any text ", textValue));
    EXPECT_EQ(textValue, CString(L" any text "));
}

TEST_F(DialogTest, AFailedReadPutsTheFocusOnTheControl)
{
    // Shown off the screen: the display is shared with test programs that read its pixels.
    m_dlg.SetWindowPos(nullptr, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_dlg.ShowWindow(SW_SHOW);
    ::SetFocus(::GetDlgItem(m_dlg, IDC_EDIT));
    int value = 0;
    EXPECT_FALSE(ReadAs(m_dlg, L"x", value));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(m_dlg, IDC_VALUE));
}

TEST_F(DialogTest, WritingFormatsTheValueAndLeavesAnEqualTextAlone)
{
    double real = 0.1;
    m_dlg.exchange = [&](CDataExchange* pDX) { KQ_DDX_Text(pDX, IDC_VALUE, real); };
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_VALUE), CString(L"0.1"));
    real = 1.0 / 3;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_VALUE), CString(L"0.333333333333333"));
    float single = 1.0f / 3;
    m_dlg.exchange = [&](CDataExchange* pDX) { KQ_DDX_Text(pDX, IDC_VALUE, single); };
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_VALUE), CString(L"0.333333"));
    unsigned long big = 4000000000UL;
    m_dlg.exchange = [&](CDataExchange* pDX) { KQ_DDX_Text(pDX, IDC_VALUE, big); };
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_VALUE), CString(L"4000000000"));

    // The same text again: the caret stays where the user left it.
    int number = 1234;
    m_dlg.exchange = [&](CDataExchange* pDX) { KQ_DDX_Text(pDX, IDC_VALUE, number); };
    m_dlg.UpdateData(FALSE);
    ::SendDlgItemMessageW(m_dlg, IDC_VALUE, EM_SETSEL, 2, 2);
    m_dlg.UpdateData(FALSE);
    DWORD start = 0, end = 0;
    ::SendDlgItemMessageW(m_dlg, IDC_VALUE, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    number = -5;
    m_dlg.UpdateData(FALSE);
    EXPECT_EQ(Text(IDC_VALUE), CString(L"-5"));
}

} // namespace

// The masked time edit: the character rule as a table, and typing, keys and paste in a real edit.
#include "ControlsTestSupport.h"
#include "ZVTimeEdit.h"

namespace {

TEST(TimeEditRule, MaskCharacters)
{
    struct Case {
        wchar_t mask;
        int pos;
        wchar_t c;
        const wchar_t* text;
        bool date;
        bool accepted;
    } cases[] = {
        // Hours and minutes against the limits "47" and "59".
        {L'0', 0, L'4', L"", false, true},
        {L'0', 0, L'5', L"", false, false},
        {L'0', 1, L'7', L"4", false, true},
        {L'0', 1, L'8', L"4", false, false},
        {L'0', 1, L'9', L"3", false, true},
        {L'0', 3, L'5', L"12:", false, true},
        {L'0', 3, L'6', L"12:", false, false},
        {L'0', 4, L'9', L"12:5", false, true},
        {L'0', 0, L'x', L"", false, false},
        // Day and month.
        {L'0', 0, L'3', L"", true, true},
        {L'0', 0, L'4', L"", true, false},
        {L'0', 1, L'1', L"3", true, true},
        {L'0', 1, L'2', L"3", true, false},
        {L'0', 1, L'9', L"2", true, true},
        {L'0', 3, L'1', L"12.", true, true},
        {L'0', 3, L'2', L"12.", true, false},
        {L'0', 4, L'2', L"12.1", true, true},
        {L'0', 4, L'3', L"12.1", true, false},
        {L'0', 4, L'9', L"12.0", true, true},
        // The other rule characters.
        {L'#', 0, L'k', L"", false, true},
        {L'#', 0, L' ', L"", false, true},
        {L'#', 0, L'x', L"", false, false},
        {L'&', 0, L'%', L"", false, true},
        {L'5', 0, L'5', L"", false, true},
        {L'5', 0, L'6', L"", false, false},
        {L'9', 0, L'x', L"", false, true},
        {L'9', 0, L' ', L"", false, false},
        {L'?', 0, L' ', L"", false, true},
        {L'?', 0, L'1', L"", false, false},
        {L'A', 0, L'1', L"", false, true},
        {L'A', 0, L' ', L"", false, false},
        {L'L', 0, L'q', L"", false, true},
        {L'L', 0, L'1', L"", false, false},
        {L'a', 0, L' ', L"", false, true},
        {L'n', 0, L'a', L"", false, false},
        {L'Z', 0, L'Z', L"", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.accepted, timeedit::MaskAccepts(c.mask, c.pos, c.c, c.text, c.date, L"47", L"59"))
            << "mask " << static_cast<char>(c.mask) << " at " << c.pos << " char " << static_cast<char>(c.c) << (c.date ? " date" : "");
    EXPECT_EQ(L':', timeedit::FixedAt(L"__:__", 2));
    EXPECT_EQ(0, timeedit::FixedAt(L"__:__", 1));
    EXPECT_EQ(0, timeedit::FixedAt(L"__:__", 9));
}

class TimeEditWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(CRect(0, 0, 300, 100)));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 120, 34), &host, 9));
        edit.SetMask("00:00", "__:__");
        edit.SetFocus();
    }
    void Type(const wchar_t* chars)
    {
        for (; *chars; ++chars)
            edit.SendMessage(WM_CHAR, *chars, 1);
    }
    CString Text()
    {
        CString text;
        edit.GetWindowText(text);
        return text;
    }
    void Paste(const wchar_t* text)
    {
        ASSERT_TRUE(::OpenClipboard(host.m_hWnd));
        ::EmptyClipboard();
        const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(::GlobalLock(data), text, bytes);
        ::GlobalUnlock(data);
        ::SetClipboardData(CF_UNICODETEXT, data);
        ::CloseClipboard();
        edit.SendMessage(WM_PASTE);
    }
    CControlsHost host;
    CZVTimeEdit edit;
};

TEST_F(TimeEditWindow, SecondHourDigitPastTheLimitIsDropped)
{
    Type(L"48");
    EXPECT_EQ(CString(L"4"), Text());
}

TEST_F(TimeEditWindow, ColonTypesItself)
{
    Type(L"1234");
    EXPECT_EQ(CString(L"12:34"), Text());
    Type(L"5");   // past the mask's end
    EXPECT_EQ(CString(L"12:34"), Text());
}

TEST_F(TimeEditWindow, TypingOverwrites)
{
    Type(L"1234");
    edit.SetSel(0, 0);
    Type(L"2");
    EXPECT_EQ(CString(L"22:34"), Text());
}

TEST_F(TimeEditWindow, DateModeLimits)
{
    edit.m_isdate = 1;
    edit.SetMask("00.00", "__.__");
    Type(L"32");   // day 32 is not taken
    EXPECT_EQ(CString(L"3"), Text());
    Type(L"113");   // 31, then month 1 and 3 (month 13 is not taken)
    EXPECT_EQ(CString(L"31.1"), Text());
}

TEST_F(TimeEditWindow, DeleteAndInsertAreIgnored)
{
    Type(L"1234");
    edit.SetSel(0, 0);
    edit.SendMessage(WM_KEYDOWN, VK_DELETE);
    edit.SendMessage(WM_KEYDOWN, VK_INSERT);
    EXPECT_EQ(CString(L"12:34"), Text());
}

TEST_F(TimeEditWindow, PasteGoesThroughTheMask)
{
    Type(L"1234");
    edit.SetSel(0, 0);
    Paste(L"ab:cd");
    EXPECT_EQ(CString(L"12:34"), Text());
    edit.SetWindowText(L"");
    Paste(L"0945");
    EXPECT_EQ(CString(L"09:45"), Text());
}

TEST_F(TimeEditWindow, WithoutAMaskEverythingGoes)
{
    edit.SetMask(nullptr);
    Type(L"ab");
    EXPECT_EQ(CString(L"ab"), Text());
}

} // namespace

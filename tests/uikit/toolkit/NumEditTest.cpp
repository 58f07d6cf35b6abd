// The numeric edit: its typing rule and formatting as pure functions, and the real control
// driven by keys, pastes and deletions, settling into its range with a note.
#include "KQNumEdit.h"
#include "KQPPopupWindow.h"
#include "LangTable.h"
#include "ToolkitTest.h"
#include "ZVUILibApp.h"

namespace {

// Keys to the edit: each character as WM_CHAR (Backspace, Ctrl+V, Ctrl+X and Ctrl+Z too, as a
// keyboard sends them), and DEL (0x7F) as the Delete key.
void PressKeys(CWnd& edit, const wchar_t* keys)
{
    for (const wchar_t* k = keys; *k; ++k) {
        if (*k == L'\x7F')
            edit.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
        else
            edit.SendMessage(WM_CHAR, *k, 1);
    }
}

void SetClipboardText(HWND owner, const wchar_t* text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(block), text, bytes);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_UNICODETEXT, block);
    ::CloseClipboard();
}

CString NoteText(HWND note)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(note, text, 256);
    return text;
}

TEST(NumEditRule, CharacterByCaret)
{
    const struct {
        const wchar_t* text;
        int caret;
        wchar_t ch;
        bool accepted;
    } cases[] = {
        {L"12", 1, L'7', true},
        {L"", 0, L'-', true},
        {L"12", 0, L'-', true},
        {L"12", 1, L'-', false},      // only first
        {L"-12", 0, L'-', false},     // once
        {L"-12", 0, L'5', false},     // nothing before a leading '-'
        {L"12", 2, L'.', true},
        {L"1.2", 3, L'.', false},     // one point
        {L"12", 0, L'.', false},      // not first
        {L"-12", 1, L'.', false},     // nor right after a leading '-'
        {L"-12", 2, L'.', true},
        {L"12", 2, L'\b', true},      // control characters pass
        {L"12", 2, L'\x16', true},
        {L"12", 2, L'a', false},
        {L"12", 2, L' ', false},
        {L"12", 2, L'\x7F', false},
        {L"12", 2, L'\u0661', false}, // other scripts' digits are no digits here
    };
    for (const auto& c : cases)
        EXPECT_EQ(numedit::AcceptsChar(c.text, c.caret, c.ch), c.accepted) << c.text << " " << c.caret << " " << int(c.ch);
    EXPECT_FALSE(numedit::AcceptsChar(L"1,2", 3, L'.', L','));
    EXPECT_TRUE(numedit::AcceptsChar(L"12", 2, L',', L','));
}

TEST(NumEditRule, WholeTextsAndPastes)
{
    for (const wchar_t* text : {L"", L"-", L"0", L"-12.", L"12.50", L"-0.5"})
        EXPECT_TRUE(numedit::IsNumberText(text)) << text;
    for (const wchar_t* text : {L".5", L"-.5", L"1-2", L"1.2.3", L"--1", L"1 2", L"12\r"})
        EXPECT_FALSE(numedit::IsNumberText(text)) << text;

    const struct {
        const wchar_t* text;
        int caret;
        const wchar_t* clip;
        const wchar_t* inserted;
    } pastes[] = {
        {L"", 0, L"12a3", L"123"},
        {L"", 0, L"-.5", L"-5"},
        {L"9", 1, L"-1.5.6\r\n", L"1.56"},
        {L"-1", 2, L"0.25", L"0.25"},
        {L"1.5", 0, L"-", L"-"},
        {L"-1", 0, L"2", L""},
        {L"", 0, L"\u0662\uFF13", L""},
    };
    for (const auto& p : pastes)
        EXPECT_EQ(numedit::FilterPaste(p.text, p.caret, p.clip), CString(p.inserted)) << p.text << " + " << p.clip;
}

TEST(NumEditRule, FormatTrimsZerosOnlyAfterThePoint)
{
    const struct {
        double value;
        int decimals;
        bool trim;
        const wchar_t* text;
    } cases[] = {
        {12.5, 2, true, L"12.5"},
        {3, 2, true, L"3"},
        {12.5, 2, false, L"12.50"},
        {3, 2, false, L"3.00"},
        {100, 0, true, L"100"},
        {100, 2, true, L"100"},
        {-0.75, 1, true, L"-0.8"},
        {0.125, 20, true, L"0.125"},                 // at most 15 places
        {1.0 / 3, 20, false, L"0.333333333333333"},
        {2.4, -3, false, L"2"},                      // no fewer than 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(numedit::FormatNumber(c.value, c.decimals, c.trim), CString(c.text)) << c.value << " " << c.decimals;
}

// The range note's format comes from a language file the user may edit.
TEST(NumEditRule, RangeNoteFallsBackToEnglishWhenTheConversionsDiffer)
{
    const wchar_t english[] = L"Please enter a number between 1.5 and 10.0";
    const struct {
        const wchar_t* translated;
        const wchar_t* note;
    } cases[] = {
        {L"Please enter a number between %%.%df and %%.%df", english},
        {L"\u8BF7\u8F93\u5165 %%.%df \u5230 %%.%df \u4E4B\u95F4\u7684\u6570\u5B57", L"\u8BF7\u8F93\u5165 1.5 \u5230 10.0 \u4E4B\u95F4\u7684\u6570\u5B57"},
        {L"100%%%% sure: %%.%df to %%.%df", L"100% sure: 1.5 to 10.0"},
        {L"100%% sure: %%.%df to %%.%df", english},         // "% s" once the places are in
        {L"Enter %%s between %%.%df and %%.%df", english},  // a string conversion once the places are in
        {L"Between %%.%dd and %%.%dd", english},
        {L"Between %%.%df and %%.%df %d", english},
        {L"Between %%.%df", english},
        {L"Between %%.%ds and %%.%ds", english},
        {L"Between %%.%df and %%.%df%%", english},      // a '%' left bare once the places are in
        {nullptr, english},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numedit::RangeNote(c.translated, 1, 1.5, 10), CString(c.note)) << (c.translated ? c.translated : L"(null)");
    EXPECT_EQ(numedit::RangeNote(L"%%.%df-%%.%df", 40, 0, 1), CString(L"0.000000000000000-1.000000000000000"));
    EXPECT_EQ(numedit::RangeNote(L"%%.%df-%%.%df", -2, 0, 1), CString(L"0-1"));

    // The shipped translation is used.
    CLangTable chinese;
    ASSERT_TRUE(chinese.LoadLanguageFile((CString(CZVUILibApp::GetLanguageFolder().GetString()) + L"Simplified Chinese.txt").GetString()));
    EXPECT_EQ(numedit::RangeNote(chinese.Lookup(L"Please enter a number between %%.%df and %%.%df"), 0, 1, 100),
              CString(L"\u8BF7\u8F93\u5165 1 \u5230 100 \u4E4B\u95F4\u7684\u6570\u5B57"));
}

using NumEditTest = NumHostTest;

// Each row starts from a text set by code (which settles nothing) and a selection.
TEST_F(NumEditTest, KeysPastesAndDeletionsLeaveOnlyNumbers)
{
    const struct {
        const wchar_t* initial;
        int selStart, selEnd;
        const wchar_t* clip;
        const wchar_t* keys;
        const wchar_t* text;
        bool changed;
    } cases[] = {
        {L"", 0, 0, nullptr, L"-12.5", L"-12.5", true},
        {L"", 0, 0, nullptr, L"1-2.3.4", L"12.34", true},
        {L"", 0, 0, nullptr, L".-.5", L"-5", true},
        {L"-3", 0, 0, nullptr, L"5-", L"-3", false},
        {L"7", 1, 1, nullptr, L"a\u00E9\u4E2D", L"7", false},
        {L"12", 0, 2, nullptr, L"-", L"-", true},          // typing replaces the selection
        {L"12", 2, 2, nullptr, L"\b", L"1", true},
        {L"", 0, 0, L"12a3", L"\x16", L"123", true},       // Ctrl+V
        {L"9", 1, 1, L"-1.5.6\r\n", L"\x16", L"91.56", true},
        {L"-1.5", 1, 2, L".", L"\x16", L"-1.5", false},    // nothing of it goes in
        {L"1.5", 1, 1, nullptr, L"\x7F", L"15", true},     // Delete
        {L"-1.5", 1, 1, nullptr, L"\x7F", L"-1.5", false}, // would leave "-.5"
        {L"1.5", 1, 1, nullptr, L"\b", L"1.5", false},     // would leave ".5"
        {L"-1.5", 1, 2, nullptr, L"\x18", L"-1.5", false}, // Ctrl+X, the same
        {L"1.5", 0, 2, nullptr, L"\x18", L"5", true},
        {L"12", 2, 2, nullptr, L"3\x1A", L"12", true},     // Ctrl+Z
        {L"ab", 2, 2, nullptr, L"\b", L"a", true},         // code's text that is no number can go
    };
    CKQNumEdit& edit = m_host.m_edit;
    for (const auto& c : cases) {
        edit.SetWindowText(c.initial);
        edit.SetSel(c.selStart, c.selEnd);
        if (c.clip)
            SetClipboardText(m_host.m_hWnd, c.clip);
        PressKeys(edit, c.keys);
        EXPECT_EQ(Text(edit), CString(c.text)) << c.initial << " + " << c.keys;
        // A change of the user's settles once, however many keys made it.
        EXPECT_EQ(SettledCount(c.changed), c.changed ? 1 : 0) << c.initial << " + " << c.keys;
    }
}

TEST_F(NumEditTest, SettlesIntoTheRangeWithANoteNamingIt)
{
    const struct {
        double min, max;
        int decimals;
        BOOL trim;
        const wchar_t* typed;
        const wchar_t* text;
        const wchar_t* note;
    } cases[] = {
        {1, 100, 0, TRUE, L"250", L"100", L"Please enter a number between 1 and 100"},
        {1, 100, 2, FALSE, L"250", L"100.00", L"Please enter a number between 1.00 and 100.00"},
        {1, 100, 2, TRUE, L"0.5", L"1", L"Please enter a number between 1.00 and 100.00"},
        {1, 100, 2, TRUE, L"-7", L"1", L"Please enter a number between 1.00 and 100.00"},
        {1, 100, 0, TRUE, L"50.50", L"50.50", nullptr},     // in range: left as typed
        {0, 0, 0, TRUE, L"-99999.5", L"-99999.5", nullptr},  // both limits 0: no range
    };
    CKQNumEdit& edit = m_host.m_edit;
    for (const auto& c : cases) {
        edit.SetMinMax(c.min, c.max);
        edit.SetDecimalPlaces(c.decimals);
        edit.m_bTrimZeros = c.trim;
        edit.SetWindowText(L"");
        PressKeys(edit, c.typed);
        EXPECT_EQ(Text(edit), CString(c.typed));
        EXPECT_EQ(SettledCount(true), 1) << c.typed;
        EXPECT_EQ(Text(edit), CString(c.text)) << c.typed;
        const std::vector<HWND> notes = OpenPopupNotes();
        ASSERT_EQ(notes.size(), c.note ? 1u : 0u) << c.typed;
        if (c.note) {
            EXPECT_EQ(NoteText(notes[0]), CString(c.note));
            CRect box, note;
            edit.GetWindowRect(&box);
            ::GetWindowRect(notes[0], &note);
            EXPECT_EQ(note.TopLeft(), CPoint(box.left, box.bottom));
        }
        CloseAllPopupWnd();
        AdvanceNoteClock();
    }
}

// The system edit box counts its drag scrolling with a timer of its own, which a click stops.
TEST_F(NumEditTest, AClickIntoTheBoxWhileItSettlesKeepsTheSettle)
{
    CKQNumEdit& edit = m_host.m_edit;
    edit.SetMinMax(1, 100);
    edit.m_nSettleDelay = 200;
    PressKeys(edit, L"250");
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(SettledCount(true), 1);
    EXPECT_EQ(Text(edit), CString(L"100"));
}

} // namespace

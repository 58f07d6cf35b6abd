#include "KQNumEdit.h"
#include <algorithm>
#include <climits>
#include <clocale>
#include <cwchar>
#include <string>
#include <vector>
#include "KQPPopupWindow.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kRangeFormat[] = L"Please enter a number between %%.%df and %%.%df";
// Not 0: the system edit box counts its scrolling while the mouse drags a selection with timer
// 0, and kills it when the button comes up.
const UINT_PTR kEditSettleTimer = 0x4B4E;

int ClampDecimals(int decimals)
{
    return std::clamp(decimals, 0, 15);
}

// What the typing rule needs to know of a text.
struct NumberShape {
    wchar_t first = 0;
    bool minus = false;
    bool point = false;

    NumberShape(const wchar_t* text, wchar_t pointChar)
    {
        first = text[0];
        minus = std::wcschr(text, L'-') != nullptr;
        point = std::wcschr(text, pointChar) != nullptr;
    }
    bool Accepts(int caret, unsigned int ch, wchar_t pointChar) const
    {
        if (ch < 32)
            return true;
        if (ch >= 256 || (caret == 0 && first == L'-'))
            return false;
        if (ch >= L'0' && ch <= L'9')
            return true;
        if (ch == L'-')
            return caret == 0 && !minus;
        if (ch == static_cast<unsigned int>(pointChar))
            return !point && caret != 0 && !(caret == 1 && first == L'-');
        return false;
    }
    // The character went in at the caret.
    void Insert(int caret, wchar_t ch, wchar_t pointChar)
    {
        if (caret == 0)
            first = ch;
        minus = minus || ch == L'-';
        point = point || ch == pointChar;
    }
};

// The conversions of a printf format in order, each from its '%' to its type letter; "%%" is none.
std::vector<std::wstring> Conversions(const wchar_t* format)
{
    std::vector<std::wstring> found;
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%')
            continue;
        if (p[1] == L'%') {
            ++p;
            continue;
        }
        const wchar_t* end = p + 1;
        while (*end && !std::wcschr(L"diouxXeEfFgGaAcCsSpnZ", *end))
            ++end;
        if (!*end) {
            found.emplace_back(p);
            break;
        }
        found.emplace_back(p, end + 1);
        p = end;
    }
    return found;
}

// The clipboard's text, or empty.
CString ClipboardText(HWND owner)
{
    CString text;
    if (!::OpenClipboard(owner))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            // Read no further than the block, whether or not it ends its text.
            const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
            text = CString(chars, static_cast<int>(wcsnlen(chars, std::min<size_t>(capacity, INT_MAX))));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

// The messages by which the user changes the text.
bool IsUserEdit(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    case WM_KEYDOWN:
        return wParam == VK_DELETE;
    default:
        return false;
    }
}

} // namespace

bool numedit::AcceptsChar(const wchar_t* text, int caret, unsigned int ch, wchar_t point)
{
    text = text ? text : L"";
    caret = std::clamp(caret, 0, static_cast<int>(std::wcslen(text)));
    return NumberShape(text, point).Accepts(caret, ch, point);
}

bool numedit::IsNumberText(const wchar_t* text, wchar_t point)
{
    text = text ? text : L"";
    NumberShape shape(L"", point);
    for (int i = 0; text[i]; ++i) {
        if (text[i] < 32 || !shape.Accepts(i, text[i], point))
            return false;
        shape.Insert(i, text[i], point);
    }
    return true;
}

CString numedit::FilterPaste(const wchar_t* text, int caret, const wchar_t* clip, wchar_t point)
{
    text = text ? text : L"";
    clip = clip ? clip : L"";
    caret = std::clamp(caret, 0, static_cast<int>(std::wcslen(text)));
    NumberShape shape(text, point);
    std::wstring inserted;
    for (const wchar_t* p = clip; *p; ++p) {
        // Line breaks and tabs of the clipboard are not keys here.
        if (*p < 32 || !shape.Accepts(caret, *p, point))
            continue;
        shape.Insert(caret++, *p, point);
        inserted += *p;
    }
    return CString(inserted.c_str());
}

CString numedit::FormatNumber(double value, int decimals, bool trim, wchar_t point)
{
    CString text;
    text.Format(L"%.*f", ClampDecimals(decimals), value);
    if (trim && text.Find(point) >= 0) {
        text.TrimRight(L'0');
        text.TrimRight(point);
    }
    return text;
}

CString numedit::RangeNote(const wchar_t* translated, int decimals, double min, double max)
{
    // The translation comes from a file the user may edit: its conversions must be the English
    // text's, also once the decimal places are in, or the English text is used.
    const int places = ClampDecimals(decimals);
    CString format;
    format.Format(kRangeFormat, places, places);
    if (translated && Conversions(translated) == Conversions(kRangeFormat)) {
        CString candidate;
        candidate.Format(translated, places, places);
        if (Conversions(candidate) == Conversions(format))
            format = candidate;
    }
    CString note;
    note.Format(format, min, max);
    return note;
}

IMPLEMENT_DYNAMIC(CKQNumEdit, CBCGPEdit)

BEGIN_MESSAGE_MAP(CKQNumEdit, CBCGPEdit)
    ON_WM_CHAR()
    ON_WM_TIMER()
    ON_MESSAGE(WM_PASTE, OnPaste)
END_MESSAGE_MAP()

CKQNumEdit::CKQNumEdit() : m_chDecimalPoint(static_cast<wchar_t>(*std::localeconv()->decimal_point)) {}

CKQNumEdit::~CKQNumEdit() = default;

void CKQNumEdit::SetMinMax(double min, double max)
{
    m_dMin = min;
    m_dMax = max;
}

void CKQNumEdit::SetDecimalPlaces(int n)
{
    m_nDecimalPlaces = n;
}

CString CKQNumEdit::FormatValue(double value) const
{
    return numedit::FormatNumber(value, m_nDecimalPlaces, m_bTrimZeros != FALSE, m_chDecimalPoint);
}

CString CKQNumEdit::GetFitWindowText()
{
    CString text;
    GetWindowText(text);
    m_bClamped = FALSE;
    if (text.IsEmpty() || (m_dMin == 0 && m_dMax == 0))
        return text;
    double value = _wtof(text);
    if (value < m_dMin) {
        value = m_dMin;
        m_bClamped = TRUE;
    } else if (value > m_dMax) {
        value = m_dMax;
        m_bClamped = TRUE;
    }
    if (m_bClamped) {
        CRect rect;
        GetWindowRect(&rect);
        CPoint place(rect.left, rect.bottom);
        PopupNotifyWnd(numedit::RangeNote(TranslateString(kRangeFormat), m_nDecimalPlaces, m_dMin, m_dMax), 2, nullptr, &place);
    }
    return FormatValue(value);
}

LRESULT CKQNumEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsUserEdit(message, wParam))
        return CBCGPEdit::WindowProc(message, wParam, lParam);
    CString before;
    GetWindowText(before);
    int start = 0, end = 0;
    GetSel(start, end);
    const LRESULT result = CBCGPEdit::WindowProc(message, wParam, lParam);
    if (!m_hWnd)
        return result;
    CString after;
    GetWindowText(after);
    if (after == before)
        return result;
    if (numedit::IsNumberText(before, m_chDecimalPoint) && !numedit::IsNumberText(after, m_chDecimalPoint)) {
        // A deletion or undo that leaves no number ("-.5" from "-1.5") is taken back.
        SetWindowText(before);
        SetSel(start, end);
        return result;
    }
    // A change of the user's: the value settles a while after the last one.
    m_bTyping = TRUE;
    SetTimer(kEditSettleTimer, m_nSettleDelay, nullptr);
    return result;
}

CString CKQNumEdit::TextBesideSelection(int& caret) const
{
    CString text;
    GetWindowText(text);
    int end = 0;
    GetSel(caret, end);
    text.Delete(caret, end - caret);
    return text;
}

void CKQNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The character replaces the selection.
    int caret = 0;
    const CString text = TextBesideSelection(caret);
    if (numedit::AcceptsChar(text, caret, nChar, m_chDecimalPoint))
        CBCGPEdit::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CKQNumEdit::OnPaste(WPARAM, LPARAM)
{
    if (GetStyle() & ES_READONLY)
        return 0;
    int caret = 0;
    const CString text = TextBesideSelection(caret);
    const CString inserted = numedit::FilterPaste(text, caret, ClipboardText(m_hWnd), m_chDecimalPoint);
    if (!inserted.IsEmpty())
        ReplaceSel(inserted, TRUE);
    return 0;
}

void CKQNumEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kEditSettleTimer) {
        CBCGPEdit::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kEditSettleTimer);
    if (m_bFitOnSettle) {
        const CString fit = GetFitWindowText();
        if (m_bClamped) {
            int start = 0, end = 0;
            GetSel(start, end);
            SetWindowText(fit);
            SetSel(start, end);
        }
    }
    m_bTyping = FALSE;
    if (m_bNotifyParent)
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_KQ_VALUE_SETTLED, 0, 0);
}

#include "ZVTimeEdit.h"
#include <cwctype>

namespace timeedit {

namespace {

wchar_t At(const wchar_t* text, int pos)
{
    if (!text)
        return 0;
    for (int i = 0; i < pos; ++i)
        if (!text[i])
            return 0;
    return text[pos];
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// A "0" position: hh:mm against the limits, or dd?mm in date mode.
bool WithinLimits(int pos, wchar_t c, const wchar_t* text, bool dateMode, const wchar_t* hours, const wchar_t* minutes)
{
    if (!IsDigit(c))
        return false;
    if (dateMode) {
        switch (pos) {
        case 0:
            return c <= L'3';
        case 1:
            return At(text, 0) != L'3' || c <= L'1';
        case 3:
            return c <= L'1';
        case 4:
            return At(text, 3) != L'1' || c <= L'2';
        default:
            return true;
        }
    }
    auto limit = [&](int first, const wchar_t* bound) {
        if (!bound || !bound[0])
            return true;
        if (pos == first)
            return c <= bound[0];
        // The second digit is bounded only after the first one reached its own bound.
        return At(text, first) != bound[0] || !bound[1] || c <= bound[1];
    };
    if (pos == 0 || pos == 1)
        return limit(0, hours);
    if (pos == 3 || pos == 4)
        return limit(3, minutes);
    return true;
}

} // namespace

bool MaskAccepts(wchar_t m, int pos, wchar_t c, const wchar_t* text, bool dateMode, const wchar_t* hourLimit, const wchar_t* minuteLimit)
{
    const bool printable = std::iswprint(c) != 0;
    switch (m) {
    case L'#':
        return IsDigit(c) || c == L' ' || c == L'k' || c == L'm';
    case L'&':
        return printable;
    case L'0':
        return WithinLimits(pos, c, text, dateMode, hourLimit, minuteLimit);
    case L'5':
        return c >= L'0' && c <= L'5';
    case L'9':
        return IsDigit(c) || (printable && c != L' ');
    case L'?':
        return std::iswalpha(c) || c == L' ';
    case L'A':
        return std::iswalnum(c) != 0;
    case L'L':
        return std::iswalpha(c) != 0;
    case L'a':
        return std::iswalnum(c) || c == L' ';
    case L'n':
        return IsDigit(c);
    default:
        return false;
    }
}

wchar_t FixedAt(const wchar_t* literal, int pos)
{
    const wchar_t c = At(literal, pos);
    return c == L'_' ? 0 : c;
}

} // namespace timeedit

IMPLEMENT_DYNAMIC(CZVTimeEdit, CBCGPEdit)

BEGIN_MESSAGE_MAP(CZVTimeEdit, CBCGPEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_PASTE, OnPaste)
END_MESSAGE_MAP()

CZVTimeEdit::CZVTimeEdit() = default;
CZVTimeEdit::~CZVTimeEdit() = default;

void CZVTimeEdit::SetMask(const char* mask, const char* literal, const char* valid)
{
    m_bUseMask = 0;
    if (!mask || !*mask)
        return;
    m_strMask = CString(mask);
    m_strLiteral = literal && CString(literal).GetLength() == m_strMask.GetLength() ? CString(literal) : CString();
    m_strValid = valid ? CString(valid) : CString();
    m_bUseMask = 1;
}

int CZVTimeEdit::Caret() const
{
    int start = 0, end = 0;
    GetSel(start, end);
    return end;
}

void CZVTimeEdit::SendChar(UINT nChar)
{
    m_bMaskKeyInProgress = 1;
    SendMessage(WM_CHAR, nChar, 1);
    m_bMaskKeyInProgress = 0;
}

BOOL CZVTimeEdit::CheckChar(UINT nChar)
{
    if (!m_bUseMask || !std::iswprint(static_cast<wint_t>(nChar)))
        return TRUE;
    int p = Caret();
    SetSel(p, p);
    if (p >= m_strMask.GetLength())
        return FALSE;
    if (const wchar_t fixed = timeedit::FixedAt(m_strLiteral, p)) {
        SendChar(fixed);
        p = Caret();
        if (p >= m_strMask.GetLength())
            return FALSE;
    }
    if (!m_strValid.IsEmpty() && wcschr(m_strValid, static_cast<wchar_t>(nChar)))
        return TRUE;
    CString text;
    GetWindowText(text);
    return timeedit::MaskAccepts(m_strMask[p], p, static_cast<wchar_t>(nChar), text, m_isdate != 0, m_strHours, m_strMins);
}

void CZVTimeEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bMaskKeyInProgress && !CheckChar(nChar))
        return;
    if (m_bUseMask) {
        if (std::iswprint(static_cast<wint_t>(nChar))) {
            const int p = Caret();
            SetSel(p, p + 1);
            Clear();
            while (m_str.GetLength() <= p)
                m_str += L' ';
            m_str.SetAt(p, static_cast<wchar_t>(nChar));
        } else if (nChar == VK_BACK) {
            int start = 0, end = 0;
            GetSel(start, end);
            if (start == end && start >= 1 && start <= GetWindowTextLength()) {
                SetSel(start - 1, start - 1);
                if (start - 1 < m_strBackspaceFill.GetLength()) {
                    SendChar(m_strBackspaceFill[start - 1]);
                    SetSel(start - 1, start - 1);
                }
            }
            return;
        }
    }
    CBCGPEdit::OnChar(nChar, nRepCnt, nFlags);
    if (m_bUseMask && !m_bMaskKeyInProgress && !m_strLiteral.IsEmpty()) {
        if (const wchar_t fixed = timeedit::FixedAt(m_strLiteral, Caret()))
            SendChar(fixed);
    }
}

void CZVTimeEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bUseMask && (nChar == VK_INSERT || nChar == VK_DELETE))
        return;
    CBCGPEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Pasted text goes through the mask one character at a time, as if typed.
LRESULT CZVTimeEdit::OnPaste(WPARAM, LPARAM)
{
    if (!m_bUseMask)
        return Default();
    CString text;
    if (::OpenClipboard(m_hWnd)) {
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
                text = chars;
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
    }
    for (int i = 0; i < text.GetLength(); ++i)
        SendMessage(WM_CHAR, text[i], 1);
    return 0;
}

// CZVSvgPathTokenizer: a hand-written scanner, so that numbers are read exactly as the SVG
// grammar delimits them (a second '.' or a sign starts a new number) and never by the
// C library's locale-dependent parsers.
#include "ZVSvgPathTokenizer.h"
#include <cmath>
#include <cwctype>

namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f';
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsCommand(wchar_t c)
{
    switch (c) {
    case L'M': case L'm': case L'L': case L'l': case L'H': case L'h': case L'V': case L'v':
    case L'C': case L'c': case L'S': case L's': case L'Q': case L'q': case L'T': case L't':
    case L'A': case L'a': case L'Z': case L'z':
        return true;
    default:
        return false;
    }
}

// The length of a number starting at s (0 when none); its value in value.
size_t ScanNumber(const wchar_t* s, double& value)
{
    size_t i = 0;
    bool negative = false;
    if (s[i] == L'+' || s[i] == L'-')
        negative = s[i++] == L'-';
    double mantissa = 0;
    int scale = 0;
    bool digits = false;
    while (IsDigit(s[i])) {
        mantissa = mantissa * 10 + (s[i++] - L'0');
        digits = true;
    }
    if (s[i] == L'.') {
        ++i;
        while (IsDigit(s[i])) {
            mantissa = mantissa * 10 + (s[i++] - L'0');
            --scale;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // An exponent only when digits follow; "1e" leaves the 'e' unread.
    if (s[i] == L'e' || s[i] == L'E') {
        size_t j = i + 1;
        bool expNegative = false;
        if (s[j] == L'+' || s[j] == L'-')
            expNegative = s[j++] == L'-';
        if (IsDigit(s[j])) {
            int exponent = 0;
            while (IsDigit(s[j])) {
                if (exponent < 10000)
                    exponent = exponent * 10 + (s[j] - L'0');
                ++j;
            }
            scale += expNegative ? -exponent : exponent;
            i = j;
        }
    }
    value = mantissa * std::pow(10.0, scale);
    if (negative)
        value = -value;
    return i;
}

} // namespace

void CZVSvgPathTokenizer::SetPathStr(const wchar_t* text)
{
    m_text = text ? text : L"";
    m_pos = 0;
}

void CZVSvgPathTokenizer::SkipSeparators()
{
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == L',') {
        ++m_pos;
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }
}

bool CZVSvgPathTokenizer::AtEnd()
{
    SkipSeparators();
    return m_pos >= m_text.size();
}

bool CZVSvgPathTokenizer::PeekNumber()
{
    SkipSeparators();
    double value;
    return m_pos < m_text.size() && ScanNumber(m_text.c_str() + m_pos, value) > 0;
}

bool CZVSvgPathTokenizer::NextCommand(wchar_t& command)
{
    SkipSeparators();
    if (m_pos >= m_text.size() || !IsCommand(m_text[m_pos]))
        return false;
    command = m_text[m_pos++];
    return true;
}

bool CZVSvgPathTokenizer::NextNumber(float& value)
{
    SkipSeparators();
    if (m_pos >= m_text.size())
        return false;
    double v = 0;
    const size_t length = ScanNumber(m_text.c_str() + m_pos, v);
    // Beyond float's range a number is no number: the parse ends there.
    if (length == 0 || !std::isfinite(v) || std::fabs(v) > 3.0e38)
        return false;
    m_pos += length;
    value = static_cast<float>(v);
    return true;
}

bool CZVSvgPathTokenizer::NextFlag(bool& flag)
{
    SkipSeparators();
    if (m_pos >= m_text.size() || (m_text[m_pos] != L'0' && m_text[m_pos] != L'1'))
        return false;
    flag = m_text[m_pos++] == L'1';
    return true;
}

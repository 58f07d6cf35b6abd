#include "KQDataExchange.h"
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace {

// A number must be the whole text, blanks around it aside: "12abc" is no 12, and a value
// outside the member's type (-1 for an unsigned one, 70000 for a short) is no value of it.
const wchar_t* SkipBlanks(const wchar_t* p)
{
    while (std::iswspace(*p))
        ++p;
    return p;
}

bool ReadSigned(const wchar_t* text, long long low, long long high, long long& out)
{
    const wchar_t* begin = SkipBlanks(text);
    wchar_t* end = nullptr;
    errno = 0;
    out = std::wcstoll(begin, &end, 10);
    return end != begin && errno != ERANGE && out >= low && out <= high && !*SkipBlanks(end);
}

bool ReadUnsigned(const wchar_t* text, unsigned long long high, unsigned long long& out)
{
    const wchar_t* begin = SkipBlanks(text);
    if (*begin == L'-')
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    out = std::wcstoull(begin, &end, 10);
    return end != begin && errno != ERANGE && out <= high && !*SkipBlanks(end);
}

bool ReadReal(const wchar_t* text, double high, double& out)
{
    const wchar_t* begin = SkipBlanks(text);
    wchar_t* end = nullptr;
    out = std::wcstod(begin, &end);
    return end != begin && std::isfinite(out) && std::fabs(out) <= high && !*SkipBlanks(end);
}

CString ControlText(HWND control)
{
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    return text;
}

// Rewriting an unchanged text would move the caret and send a needless change notification.
void PutText(HWND control, const CString& text)
{
    if (ControlText(control) != text)
        ::SetWindowTextW(control, text);
}

template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long low, long long high)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long read = 0;
        if (!ReadSigned(ControlText(control), low, high, read))
            pDX->Fail();
        value = static_cast<T>(read);
    } else {
        CString text;
        text.Format(L"%I64d", static_cast<long long>(value));
        PutText(control, text);
    }
}

template <class T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long high)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long read = 0;
        if (!ReadUnsigned(ControlText(control), high, read))
            pDX->Fail();
        value = static_cast<T>(read);
    } else {
        CString text;
        text.Format(L"%I64u", static_cast<unsigned long long>(value));
        PutText(control, text);
    }
}

template <class T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits, double high)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double read = 0;
        if (!ReadReal(ControlText(control), high, read))
            pDX->Fail();
        value = static_cast<T>(read);
    } else {
        CString text;
        text.Format(L"%.*g", digits, static_cast<double>(value));
        PutText(control, text);
    }
}

} // namespace

void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned char& value) { ExchangeUnsigned(pDX, nIDC, value, UCHAR_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned int& value) { ExchangeUnsigned(pDX, nIDC, value, UINT_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) { ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, __int64& value) { ExchangeSigned(pDX, nIDC, value, LLONG_MIN, LLONG_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned __int64& value) { ExchangeUnsigned(pDX, nIDC, value, ULLONG_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, 6, FLT_MAX); }
void KQ_DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, 15, DBL_MAX); }

void KQ_DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control);
    else
        PutText(control, value);
}

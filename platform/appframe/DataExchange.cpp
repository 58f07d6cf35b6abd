#include "DataExchange.h"
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include "AppFrameIds.h"
#include "WinApp.h"

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!control) {
        // A member bound to an id the template lacks: a programming error, not the user's.
        OutputDebugStringW(L"data exchange: no control with this id\n");
        Fail();
    }
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl) {
        HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        if (control) {
            ::SetFocus(control);
            if (m_bEditLastControl)
                ::SendMessageW(control, EM_SETSEL, 0, -1);
        }
    }
    throw appframe::DataExchangeFailure();
}

namespace {

CString ControlText(HWND control)
{
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    return text;
}

// The number must be the whole text; blanks around it are allowed, anything else is not.
const wchar_t* SkipBlanks(const wchar_t* p)
{
    while (std::iswspace(*p))
        ++p;
    return p;
}

bool ParseSigned(const CString& text, long long minValue, long long maxValue, long long& out)
{
    const wchar_t* begin = SkipBlanks(text.GetString());
    wchar_t* end = nullptr;
    errno = 0;
    out = std::wcstoll(begin, &end, 10);
    return end != begin && errno != ERANGE && out >= minValue && out <= maxValue && !*SkipBlanks(end);
}

bool ParseUnsigned(const CString& text, unsigned long long maxValue, unsigned long long& out)
{
    const wchar_t* begin = SkipBlanks(text.GetString());
    if (*begin == L'-')
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    out = std::wcstoull(begin, &end, 10);
    return end != begin && errno != ERANGE && out <= maxValue && !*SkipBlanks(end);
}

bool ParseReal(const CString& text, double& out)
{
    const wchar_t* begin = SkipBlanks(text.GetString());
    wchar_t* end = nullptr;
    out = std::wcstod(begin, &end);
    return end != begin && std::isfinite(out) && !*SkipBlanks(end);
}

[[noreturn]] void FailWithPrompt(CDataExchange* pDX, UINT prompt)
{
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T> void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long minValue, long long maxValue, UINT prompt)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseSigned(ControlText(control), minValue, maxValue, parsed))
            FailWithPrompt(pDX, prompt);
        value = static_cast<T>(parsed);
    } else {
        CString text;
        text.Format(L"%I64d", static_cast<long long>(value));
        ::SetWindowTextW(control, text);
    }
}

template <class T> void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxValue, UINT prompt)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long parsed = 0;
        if (!ParseUnsigned(ControlText(control), maxValue, parsed))
            FailWithPrompt(pDX, prompt);
        value = static_cast<T>(parsed);
    } else {
        CString text;
        text.Format(L"%I64u", static_cast<unsigned long long>(value));
        ::SetWindowTextW(control, text);
    }
}

template <class T> void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double parsed = 0;
        if (!ParseReal(ControlText(control), parsed))
            FailWithPrompt(pDX, IDS_PROMPT_REAL);
        value = static_cast<T>(parsed);
    } else {
        // Enough significant digits that the text reads back as the same value.
        CString text;
        text.Format(L"%.*g", digits, static_cast<double>(value));
        ::SetWindowTextW(control, text);
    }
}

} // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control)) {
        OutputDebugStringW(L"data exchange: the control has an object already\n");
        pDX->Fail();
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(control, BM_SETCHECK, value >= BST_UNCHECKED && value <= BST_INDETERMINATE ? value : BST_UNCHECKED, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageW(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongPtrW(control, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(control, CB_SETCURSEL, index, 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeUnsigned(pDX, nIDC, value, 255, IDS_PROMPT_BYTE); }
void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX, IDS_PROMPT_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsigned(pDX, nIDC, value, UINT_MAX, IDS_PROMPT_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX, IDS_PROMPT_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX, IDS_PROMPT_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, FLT_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, DBL_DIG); }

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control);
    else
        ::SetWindowTextW(control, value);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString prompt;
    prompt.LoadString(IDS_PROMPT_INT_RANGE);
    CString low, high;
    low.Format(L"%d", minVal);
    high.Format(L"%d", maxVal);
    prompt.Replace(L"%1", low);
    prompt.Replace(L"%2", high);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, IDS_PROMPT_INT_RANGE);
    pDX->Fail();
}

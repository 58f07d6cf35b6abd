#include "KQNumSpinCtrl.h"
#include <algorithm>
#include <clocale>
#include <cmath>

namespace {

// Apart from the native control's own timers.
const UINT_PTR kSpinSettleTimer = 0x4B53;

double StepTolerance(double limit)
{
    return std::max(1e-9, std::fabs(limit) * 1e-9);
}

// The window's text; empty without a window.
CString TextOf(HWND wnd)
{
    CString text;
    if (wnd)
        CWnd::FromHandle(wnd)->GetWindowText(text);
    return text;
}

} // namespace

int numspin::NativeSteps(double min, double max, double step)
{
    const double steps = std::fabs((max - min) / step);
    // Also what is no number (0 / 0) or too large for an int.
    return steps < 32767.0 ? static_cast<int>(steps) : 32767;
}

int numspin::NativePos(double value, double min, double max, int steps)
{
    if (value < min)
        return 0;
    if (value > max)
        return steps;
    return static_cast<int>((value - min) / (max - min) * steps + 0.5);
}

double numspin::StepValue(double value, int delta, double step, double min, double max, bool wrap)
{
    const double next = value + delta * step;
    if (delta > 0 && next - max > StepTolerance(std::max(next, max)))
        return wrap ? min : max;
    if (delta < 0 && min - next > StepTolerance(std::min(next, min)))
        return wrap ? max : min;
    return next;
}

IMPLEMENT_DYNAMIC(CKQNumSpinCtrl, CBCGPSpinButtonCtrl)

BEGIN_MESSAGE_MAP(CKQNumSpinCtrl, CBCGPSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltapos)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

CKQNumSpinCtrl::CKQNumSpinCtrl() : m_chDecimalPoint(static_cast<wchar_t>(*std::localeconv()->decimal_point)) {}

CKQNumSpinCtrl::~CKQNumSpinCtrl() = default;

void CKQNumSpinCtrl::SetRangeAndDelta(double min, double max, double step)
{
    m_dMin = min;
    m_dMax = max;
    m_dStep = step;
    if (step != 0)
        m_nIntRange = numspin::NativeSteps(min, max, step);
    if (!m_hWnd)
        return;
    SendMessage(UDM_SETRANGE32, 0, m_nIntRange);
    SetIntPos(GetPos());
}

void CKQNumSpinCtrl::GetRangeAndDelta(double& min, double& max, double& step) const
{
    min = m_dMin;
    max = m_dMax;
    step = m_dStep;
}

void CKQNumSpinCtrl::SetPos(double value)
{
    SetValueForBuddy(value);
    SetIntPos(value);
}

HWND CKQNumSpinCtrl::Buddy() const
{
    return m_hWnd ? reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)) : nullptr;
}

double CKQNumSpinCtrl::GetPos() const
{
    HWND buddy = Buddy();
    return buddy ? _wtof(TextOf(buddy)) : 0.0;
}

void CKQNumSpinCtrl::SetDecimalPlaces(int n)
{
    m_nDecimalPlaces = n;
}

void CKQNumSpinCtrl::SetFormatString(const wchar_t* format)
{
    m_strFormat = format ? format : L"";
}

CString CKQNumSpinCtrl::FormatValue(double value) const
{
    return numedit::FormatNumber(value, m_nDecimalPlaces, m_bTrimZeros != FALSE, m_chDecimalPoint);
}

void CKQNumSpinCtrl::SetValueForBuddy(double value)
{
    HWND buddy = Buddy();
    if (!buddy)
        return;
    CString text;
    if (m_strFormat.IsEmpty())
        text = FormatValue(value);
    else
        text.Format(m_strFormat, value);
    ::SetWindowTextW(buddy, text);
}

void CKQNumSpinCtrl::SetIntPos(double value)
{
    if (!m_hWnd || m_dMax == m_dMin)
        return;
    // A spin made with UDS_SETBUDDYINT writes its integer into the buddy on every new position;
    // the buddy keeps the value's text.
    HWND buddy = Buddy();
    const CString text = TextOf(buddy);
    SendMessage(UDM_SETPOS, 0, MAKELPARAM(numspin::NativePos(value, m_dMin, m_dMax, m_nIntRange), 0));
    if (buddy && TextOf(buddy) != text)
        ::SetWindowTextW(buddy, text);
}

void CKQNumSpinCtrl::InitSpinCtrl()
{
    SetRangeAndDelta(m_dMin, m_dMax, m_dStep);
}

void CKQNumSpinCtrl::PreSubclassWindow()
{
    CBCGPSpinButtonCtrl::PreSubclassWindow();
    InitSpinCtrl();
}

int CKQNumSpinCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = CBCGPSpinButtonCtrl::OnCreate(lpCreateStruct);
    if (result != -1)
        InitSpinCtrl();
    return result;
}

void CKQNumSpinCtrl::OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    SetPos(numspin::StepValue(GetPos(), change->iDelta, m_dStep, m_dMin, m_dMax, (GetStyle() & UDS_WRAP) != 0));
    // The value and the position are set: the native control moves neither, nor writes the buddy.
    *pResult = 1;
    // Arrow keys and the wheel step without a button coming up afterwards.
    if (!m_bPressed)
        RestartSettle();
}

void CKQNumSpinCtrl::RestartSettle()
{
    m_bPending = TRUE;
    SetTimer(kSpinSettleTimer, m_nSettleDelay, nullptr);
}

void CKQNumSpinCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kSpinSettleTimer) {
        CBCGPSpinButtonCtrl::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kSpinSettleTimer);
    m_bPending = FALSE;
    if (m_bNotifyParent)
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_KQ_VALUE_SETTLED, 0, 0);
}

void CKQNumSpinCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPressed = TRUE;
    CBCGPSpinButtonCtrl::OnLButtonDown(nFlags, point);
}

void CKQNumSpinCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPressed = FALSE;
    RestartSettle();
    CBCGPSpinButtonCtrl::OnLButtonUp(nFlags, point);
}

void CKQNumSpinCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
        m_bTracking = ::TrackMouseEvent(&track);
    }
    CBCGPSpinButtonCtrl::OnMouseMove(nFlags, point);
}

void CKQNumSpinCtrl::OnMouseLeave()
{
    m_bTracking = FALSE;
    if (m_bPressed) {
        m_bPressed = FALSE;
        RestartSettle();
    }
    CBCGPSpinButtonCtrl::OnMouseLeave();
}

LRESULT CKQNumSpinCtrl::OnCaptureChanged(WPARAM, LPARAM)
{
    // The press ends without the button coming up over the control.
    if (m_bPressed) {
        m_bPressed = FALSE;
        RestartSettle();
    }
    return Default();
}

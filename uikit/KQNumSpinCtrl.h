#pragma once
// CKQNumSpinCtrl: a spin button over floating-point values with a step. It writes the
// formatted value into its buddy, wraps (UDS_WRAP) or stops at the ends, and can tell its
// parent (WM_KQ_VALUE_SETTLED) once the user has let it alone for the settle delay, after clicks
// and arrow keys alike. The native control sees the range as a number of steps.
#include "KQNumEdit.h"

namespace numspin {
// The native control's steps for the range: |(max - min) / step| truncated, at most 32767.
// The step must not be 0.
ZVUILIB_API int NativeSteps(double min, double max, double step);
// The native position of the value: 0 below the range, steps above it, else the nearest step.
// The range must not be empty.
ZVUILIB_API int NativePos(double value, double min, double max, int steps);
// The value delta steps on. Passing an end by more than a rounding error (1e-9 relative, at
// least 1e-9) it wraps to the other end or stops at this one; by less, it stays as it came.
ZVUILIB_API double StepValue(double value, int delta, double step, double min, double max, bool wrap);
} // namespace numspin

class ZVUILIB_API CKQNumSpinCtrl : public CBCGPSpinButtonCtrl {
    DECLARE_DYNAMIC(CKQNumSpinCtrl)
public:
    CKQNumSpinCtrl();
    ~CKQNumSpinCtrl() override;

    void SetRangeAndDelta(double min, double max, double step);
    void GetRangeAndDelta(double& min, double& max, double& step) const;
    // The value: the buddy's text, and the native position.
    void SetPos(double value);
    // The buddy's value; 0 without a buddy.
    double GetPos() const;
    void SetDecimalPlaces(int n);
    int GetDecimalPlaces() const { return m_nDecimalPlaces; }
    // A printf format of one double for the buddy's text instead of the decimal places; null
    // or empty: the decimal places.
    void SetFormatString(const wchar_t* format);
    CString FormatValue(double value) const;
    void SetValueForBuddy(double value);
    // Moves the native position to the value's step.
    void SetIntPos(double value);
    // Applies the range and step to the native control again.
    void InitSpinCtrl();

    BOOL m_bTrimZeros = TRUE;
    BOOL m_bNotifyParent = FALSE;  // post WM_KQ_VALUE_SETTLED to the parent
    UINT m_nSettleDelay = 1000;    // milliseconds after the last step

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    HWND Buddy() const;
    void RestartSettle();

    double m_dMin = 0.0, m_dMax = 100.0, m_dStep = 1.0;
    int m_nIntRange = 100;         // native steps
    int m_nDecimalPlaces = 0;
    CString m_strFormat;
    wchar_t m_chDecimalPoint;
    BOOL m_bPending = FALSE;       // the settle timer runs
    BOOL m_bTracking = FALSE;      // the mouse's leaving was asked for
    BOOL m_bPressed = FALSE;       // the left button went down on the control
};

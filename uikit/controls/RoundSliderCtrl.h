#pragma once
// CRoundSliderCtrl: a round dial on the track bar. The knob runs around the centre (position 0
// at the top by default, clockwise); the mouse drags it, the keys and the wheel step it, and the
// parent hears WM_HSCROLL as from a track bar. The position can show as text in the middle.
#include "AppFrame.h"
#include "ZVUILibDef.h"

namespace roundslider {
// The position for a point, from its angle about the centre (clockwise from the top, less the
// zero angle), over the range min..max.
ZVUILIB_API int PositionAt(POINT pt, POINT center, bool inverted, int zero, int min, int max);
// The knob's centre for a position at distance d from the centre.
ZVUILIB_API POINT KnobAt(int pos, int min, int max, int zero, bool inverted, POINT center, int d);
// A position brought back into min..max by whole turns.
ZVUILIB_API int Wrap(int pos, int min, int max);
// A rim pixel's colour at the angle theta (radians, screen axes): first toward the upper left,
// second toward the lower right.
ZVUILIB_API COLORREF Shade(double theta, COLORREF first, COLORREF second);
} // namespace roundslider

class ZVUILIB_API CRoundSliderCtrl : public CSliderCtrl {
    DECLARE_DYNAMIC(CRoundSliderCtrl)
public:
    CRoundSliderCtrl();
    ~CRoundSliderCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    virtual void SetText(const CString& strNewText);
    virtual CString GetText() const;
    virtual void SetKnobRadius(int nNewKnobRadius);
    virtual int GetKnobRadius() const;
    virtual void SetDragByKnobOnly(bool bDragByKnobOnly);
    virtual bool GetDragByKnobOnly() const;
    virtual void SetZero(int nZero);
    virtual int GetZero() const;
    virtual void SetInverted(bool bNewInverted = true);
    virtual bool GetInverted() const;
    virtual void SetRadioButtonStyle(bool bNewRadioButtonStyle = true);
    virtual bool GetRadioButtonStyle() const;
    virtual void SetDialColor(COLORREF crBkgnd);
    virtual void SetKnobColor(COLORREF crBkgnd);
    virtual void SetTextColor(COLORREF crText);
    virtual void SetFontBold(bool bSet = true);
    virtual void SetFontUnderline(bool bSet = true);
    virtual void SetFontItalic(bool bSet = true);
    virtual void SetFontSize(int nSize);
    virtual void SetFontName(const CString& strFont);
    virtual CString OnFormatText() const;
    virtual void ReconstructFont();
    virtual void Init();
    virtual bool SetKnob(const CPoint& pt);
    virtual void PostMessageToParent(int nTBCode) const;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void Paint(CDC* pDC);
    // Range, steps and geometry, once the track bar is there.
    void SetUp();

    CPoint m_ptCenter;
    CPoint m_ptKnob;
    int m_nRadius = 0;
    CRgn m_rgn;
    int m_nZero = 0;
    bool m_bInverted = false;
    CString m_strText;
    int m_nKnobRadius = 7;
    bool m_bDragging = false;
    bool m_bDragByKnobOnly = false;
    bool m_bDragChanged = false;
    bool m_bRadioButtonStyle = false;
    LOGFONTW m_lf{};
    CFont m_font;
    COLORREF m_clrText = 0;
    HBRUSH m_hKnobBrush = nullptr;
    HBRUSH m_hDialBrush = nullptr;

private:
    bool m_bCreating = false;
    int m_nWheel = 0;   // wheel turn short of a whole notch
};

#pragma once
// CPaletteMiniFrame: the floating frame of the tool palette. No sizing borders (they move it),
// no caption text, half transparent while dragged, a soft shadow (CShadowWnd) round it; a click
// on its caption cycles the palette's columns 2, 3, 4, 5, 2.
#include "SkinUI.h"

// A click-through layered window behind its owner, a few pixels larger, that darkens the border
// round it. On displays of 8 bits or fewer, or without layered windows, it never shows.
class CShadowWnd : public CWnd {
public:
    CShadowWnd();
    ~CShadowWnd() override;
    BOOL Create(CWnd* pOwner);
    // Places it behind its owner and shows it (show, and the owner visible), or hides it.
    void Update(BOOL bShow);
    BOOL IsLayered() const { return m_bLayered; }
    // The owner's window rectangle grown by the margins.
    CRect ShadowRect() const;
    // The shadow's picture into a device of the window's size.
    void Draw(CDC* pDC);
    static constexpr COLORREF kColorKey = RGB(255, 255, 255);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BYTE m_nAlpha = 64;
    CRect m_rcMargins{ 2, 2, 2, 5 };   // left, top, right, bottom
    int m_nRadius = 0;                 // 0: a plain rectangle
    COLORREF m_clrShadow = 0xA0A0A0;
    CWnd* m_pOwner = nullptr;          // not owned
    bool m_bLayered = false;
};

class CPaletteMiniFrame : public CBCGPMiniFrameWnd {
    DECLARE_DYNCREATE(CPaletteMiniFrame)
public:
    CPaletteMiniFrame();
    ~CPaletteMiniFrame() override;

    CString GetCaptionText() const override { return CString(); }
    LRESULT HitTest(CPoint point, BOOL bDetectCaption) override;
    void OnCapture(BOOL bOnOff) override;
    void OnMoveUpdate() override;
    void RecalcCaptionHeight() override;
    CRect GetCaptionRect() const override;
    CShadowWnd& GetShadow() { return m_shadow; }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // A release of the mouse over the caption (screen point) that did not end a drag.
    void OnCaptionClick(CPoint point);

    CBCGPControlRenderer m_renderer;
    CShadowWnd m_shadow;
};

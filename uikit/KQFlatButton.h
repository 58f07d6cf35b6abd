#pragma once
// CKQFlatButton: a flat button that shows a face only under the pointer, while pressed, or
// while pushed (SetPush), so that it can serve as a toggle. CKQLongPressButton: a flat button
// that tells its parent when it is pressed (0x709) and released (0x70A), so that the parent
// can act while it is held.
#include "SkinUI.h"
#include "ZVUILibDef.h"

// Sent to the parent of a long-press button; wParam and lParam are 0.
const UINT WM_KQ_LONGPRESS_DOWN = 0x709;
const UINT WM_KQ_LONGPRESS_UP = 0x70A;

class ZVUILIB_API CKQFlatButton : public CBCGPButton {
    DECLARE_DYNAMIC(CKQFlatButton)
public:
    CKQFlatButton() = default;
    ~CKQFlatButton() override;

    void SetPush(BOOL bPush);
    BOOL IsPush() const { return m_bPush; }
    // Fits the width to the content; position and height stay.
    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;

protected:
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    DECLARE_MESSAGE_MAP()

    BOOL m_bPush = FALSE;
};

class ZVUILIB_API CKQLongPressButton : public CKQFlatButton {
    DECLARE_DYNAMIC(CKQLongPressButton)
public:
    CKQLongPressButton() = default;
    ~CKQLongPressButton() override;

    BOOL IsHeld() const { return m_bPressed; }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bPressed = FALSE;
    BOOL m_bTracking = FALSE;

private:
    // Ends a press once: the timer stops and the parent hears of the release.
    void EndPress();
};

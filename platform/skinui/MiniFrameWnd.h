#pragma once
// CBCGPMiniFrameWnd: the small tool window a bar floats in, owned by the bar's frame. Its
// caption shows the bar's caption and a close button; dropping it in a docking zone of the
// frame docks the bar there, a double click on the caption docks it back where it was. The frame
// moves itself while the mouse is captured from a press on the caption; subclasses hear of the
// capture's start and end, of every move, and may answer the hit test, caption height, caption
// rectangle and caption text themselves.
#include "BaseControlBar.h"
#include "HoverTracker.h"

class SKINUI_API CBCGPMiniFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CBCGPMiniFrameWnd)
public:
    CBCGPMiniFrameWnd() = default;

    // Floats pBar: the frame's client area is rectClient (screen coordinates).
    virtual BOOL Create(CBCGPBaseControlBar* pBar, const CRect& rectClient, bool bShow = true);
    CBCGPBaseControlBar* GetControlBar() const { return m_pBar; }
    // The close button: hides the bar.
    virtual void CloseMiniFrame();
    // Gives the bar back to its dock site and ends the frame.
    void ReleaseBar();
    // Sizes the bar to the client area and takes its caption.
    void AdjustLayout();
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    // Measures the caption again (at creation and when the look changes).
    virtual void RecalcCaptionHeight();
    static int GetBorderSize() { return 4; }
    virtual CRect GetCaptionRect() const;   // window coordinates
    // What the frame's caption shows: the bar's caption.
    virtual CString GetCaptionText() const;
    // The part of the frame at a screen point (HT...); bDetectCaption: whether the caption counts
    // as caption (otherwise as client area).
    virtual LRESULT HitTest(CPoint point, BOOL bDetectCaption);
    // A press on the caption starts moving the frame (TRUE) with the mouse captured; the release
    // or the loss of the capture ends it (FALSE).
    virtual void OnCapture(BOOL bOnOff);
    BOOL IsCaptured() const { return m_bCaptured; }
    // Whether the frame moved since the caption was pressed last.
    BOOL HasMovedSinceCapture() const { return m_bMovedSinceCapture; }
    // The frame moved: the bar's floating place is kept.
    virtual void OnMoveUpdate();
    // Sizes the frame round the bar's floating size (after the bar's content changed).
    virtual void RecalcLayout();
    CRect GetCloseButtonRect() const;   // window coordinates

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    friend class CBCGPBaseControlBar;
    void PostNcDestroy() override;
    void DrawFrame(CDC* pDC);
    void AdjustLayoutOf(CBCGPBaseControlBar* pBar);
    BOOL m_bMoving = FALSE;
    int m_nCaptionHeight = 0;
    BOOL m_bCaptured = FALSE;
    BOOL m_bMovedSinceCapture = FALSE;
    CPoint m_ptCaptureStart;    // screen
    CPoint m_ptFrameStart;      // the frame's top-left (screen) when the capture began

    CBCGPBaseControlBar* m_pBar = nullptr;   // not owned
    skinui::HoverTracker<BOOL> m_closeHover{ FALSE, true };
    BOOL m_bClosePressed = FALSE;
    BOOL m_bActive = TRUE;
};

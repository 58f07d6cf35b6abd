#pragma once
// CBCGPMiniFrameWnd: the small tool window a bar floats in, owned by the bar's frame. Its
// caption shows the bar's caption and a close button; dropping it in a docking zone of the
// frame docks the bar there, a double click on the caption docks it back where it was.
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
    virtual int GetCaptionHeight() const;
    static int GetBorderSize() { return 4; }
    CRect GetCaptionRect() const;       // window coordinates
    CRect GetCloseButtonRect() const;   // window coordinates

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    friend class CBCGPBaseControlBar;
    void PostNcDestroy() override;
    void DrawFrame(CDC* pDC);
    void AdjustLayoutOf(CBCGPBaseControlBar* pBar);
    BOOL m_bMoving = FALSE;

    CBCGPBaseControlBar* m_pBar = nullptr;   // not owned
    skinui::HoverTracker<BOOL> m_closeHover{ FALSE, true };
    BOOL m_bClosePressed = FALSE;
    BOOL m_bActive = TRUE;
};

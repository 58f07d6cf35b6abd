#pragma once
// CBCGPFrameWnd: a frame whose bars and panes the dock manager places (see DockManager.h), with
// full-screen mode and the hooks that skinned menus and tool bars ask the frame.
// CBCGPFrameImpl and CBCGPFrameBase hold what the single-document and the MDI frame share.
#include <memory>
#include "AppFrame.h"
#include "DockManager.h"
#include "HoverTracker.h"

class CBCGPPopupMenu;
class CBCGPToolbarButton;

// The small floating bar of full-screen mode: one button that leaves the mode.
class SKINUI_API CBCGPFullScreenBar : public CBCGPBaseControlBar {
    DECLARE_DYNAMIC(CBCGPFullScreenBar)
public:
    BOOL Create(CFrameWnd* pFrame, UINT nCmdID);
    void SetButtonText(LPCTSTR lpszText);
    CString GetButtonText() const { return m_strText; }
    UINT GetCommandID() const { return m_nCmdID; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcFloatingSize() override;
    void DoPaint(CDC* pDC) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CString m_strText;
    UINT m_nCmdID = 0;
    skinui::HoverTracker<BOOL> m_hover;
    BOOL m_bPressed = FALSE;
};

class SKINUI_API CBCGPFrameImpl {
public:
    explicit CBCGPFrameImpl(CFrameWnd* pFrame);
    ~CBCGPFrameImpl();

    CBCGPDockManager m_dockManager;

    // Full-screen mode: no caption, no borders, no bars, the whole monitor; the full-screen bar
    // (command nCmdID, 0: none) floats at the top left.
    void EnableFullScreenMode(UINT uiFullScreenCmd) { m_uiFullScreenCmd = uiFullScreenCmd; }
    void EnableFullScreenMainMenu(BOOL bEnableMenu) { m_bFullScreenMainMenu = bEnableMenu; }
    void ShowFullScreen();
    BOOL IsFullScreen() const { return m_bFullScreen; }
    CBCGPFullScreenBar* GetFullScreenBar() const { return m_pFullScreenBar.get(); }

    // Stores and restores the frame's place and its bars under the registry key (HKCU).
    BOOL SaveState(LPCTSTR lpszKey);
    BOOL LoadState(LPCTSTR lpszKey);
    // The frame answers the dock-manager query of its bars, and leaves full-screen mode on its
    // command when the program has no handler of it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Whether the frame's command routing has a handler of the command (none is run).
    BOOL HasCommandHandler(UINT nID) const;
    // The frame's steps that involve the workspace (when there is one): before WM_CREATE is
    // handled, after LoadFrame succeeded, and on WM_CLOSE. OnClose answers FALSE when the
    // application keeps the frame open; else the frame may be destroyed.
    void OnCreate();
    void OnLoadFrame();
    BOOL OnClose();

private:
    CFrameWnd* m_pFrame;
    UINT m_uiFullScreenCmd = 0;
    BOOL m_bFullScreenMainMenu = FALSE;
    BOOL m_bFullScreen = FALSE;
    WINDOWPLACEMENT m_placementBefore = {};
    DWORD m_styleBefore = 0;
    HMENU m_menuBefore = nullptr;
    std::unique_ptr<CBCGPFullScreenBar> m_pFullScreenBar;
};

// The members the single-document and the MDI frame share, over their framework frame class
// (CFrameWnd or CMDIFrameWnd). Each frame's own message map routes WM_CREATE, WM_CLOSE and
// WM_ACTIVATE to the handlers here.
template <class TFrame>
class CBCGPFrameBase : public TFrame {
public:
    CBCGPFrameBase() : m_Impl(this) {}

    // The sides bars may dock at; the sides panes may auto-hide at.
    BOOL EnableDocking(DWORD dwDockStyle)
    {
        m_Impl.m_dockManager.EnableDocking(dwDockStyle);
        return TRUE;
    }
    BOOL EnableAutoHideBars(DWORD dwDockStyle, BOOL /*bActivateOnMouseClick*/ = FALSE)
    {
        m_Impl.m_dockManager.EnableAutoHideBars(dwDockStyle);
        return TRUE;
    }
    void DockControlBar(CBCGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr)
    {
        m_Impl.m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
    }
    void ShowControlBar(CBCGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
    {
        if (pBar)
            pBar->ShowControlBar(bShow, bDelay, bActivate);
    }
    CBCGPBaseControlBar* GetControlBar(UINT nID) { return m_Impl.m_dockManager.FindBarByID(nID); }
    CBCGPDockManager* GetDockManager() { return &m_Impl.m_dockManager; }
    void RecalcLayout(BOOL = TRUE) override { m_Impl.m_dockManager.AdjustDockingLayout(); }
    void AdjustDockingLayout() { this->RecalcLayout(); }

    void EnableFullScreenMode(UINT uiFullScreenCmd) { m_Impl.EnableFullScreenMode(uiFullScreenCmd); }
    void EnableFullScreenMainMenu(BOOL bEnableMenu) { m_Impl.EnableFullScreenMainMenu(bEnableMenu); }
    void ShowFullScreen() { m_Impl.ShowFullScreen(); }
    BOOL IsFullScreen() const { return m_Impl.IsFullScreen(); }
    CBCGPFullScreenBar* GetFullScreenBar() const { return m_Impl.GetFullScreenBar(); }

    // Hooks of skinned pop-up menus and tool bars; the defaults change nothing.
    virtual BOOL OnShowPopupMenu(CBCGPPopupMenu*) { return TRUE; }
    virtual BOOL OnDrawMenuLogo(CDC*, CBCGPPopupMenu*, const CRect&) { return FALSE; }
    virtual BOOL GetToolbarButtonToolTipText(CBCGPToolbarButton*, CString&) { return FALSE; }
    // Repaints the frame and its bars after the look changed.
    void OnChangeVisualManager()
    {
        if (this->m_hWnd)
            this->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }

    // The workspace (when there is one) restores the frame's state after loading it.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* pParentWnd = nullptr,
                   CCreateContext* pContext = nullptr) override
    {
        if (!TFrame::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
            return FALSE;
        m_Impl.OnLoadFrame();
        return TRUE;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        return m_Impl.OnWndMsg(message, wParam, lParam, pResult) || TFrame::OnWndMsg(message, wParam, lParam, pResult);
    }

    CBCGPFrameImpl m_Impl;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_Impl.OnCreate();
        return TFrame::OnCreate(lpCreateStruct);
    }
    afx_msg void OnClose()
    {
        if (m_Impl.OnClose())
            this->DestroyWindow();
    }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) { TFrame::OnActivate(nState, pWndOther, bMinimized); }
};

class SKINUI_API CBCGPFrameWnd : public CBCGPFrameBase<CFrameWnd> {
    DECLARE_DYNCREATE(CBCGPFrameWnd)

protected:
    DECLARE_MESSAGE_MAP()
};

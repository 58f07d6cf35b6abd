#pragma once
// CMDIFrameWnd: a frame whose pane is an MDI client holding child frames (CMDIChildWnd).
// Commands go to the active child (its view, then the child) before the frame itself; keys go
// to the active child's accelerators, the system's MDI keys (Ctrl+F4, Ctrl+F6), then the
// frame's. A child brings its own menu to the frame's menu bar while it is active.
#include "FrameWnd.h"

class CMDIChildWnd;

class APPFRAME_API CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    HWND m_hWndMDIClient = nullptr;

    // Makes the MDI client; the window menu is the popup of the menu with the window commands.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // Makes a child frame of the class from resource nResource, with its own menu and
    // accelerators (null: the frame's), and shows it. Null when that fails.
    virtual CMDIChildWnd* CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu = nullptr, HACCEL hAccel = nullptr);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Puts the menu on the menu bar (null: keeps the current one); the window menu lists the children.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    // The popup of the menu that lists the children.
    static HMENU FindWindowMenu(HMENU hMenu);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnWindowCommand(UINT nID);
    afx_msg void OnUpdateWindowCommand(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

class APPFRAME_API CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;

    HMENU m_hMenuShared = nullptr;   // the menu bar while this child is active (not owned)

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // The parent must be an MDI frame (null: the main window).
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();
    BOOL DestroyWindow() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    CCreateContext* CreationContext(LPCREATESTRUCT lpcs) const override;
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()
};

#pragma once
// CFrameWnd: a top-level window that holds control bars round one pane, the view (a plain
// CWnd with id AFX_IDW_PANE_FIRST) or, in an MDI frame, the MDI client. Commands go to the
// active view first, then the frame, then the application; menus (when they open) and bars
// (at idle time) ask the same route for their command states.
//
// Frames are made with new and delete themselves when their window is gone (PostNcDestroy).
// A view the frame makes from CCreateContext::m_pNewViewClass belongs to the frame.
#include <memory>
#include <vector>
#include "Wnd.h"

class CControlBar;
class CFrameWnd;

// Frame styles: kept by the frame, never given to the window.
#define FWS_ADDTOTITLE  0x00008000L   // the title shows the active child's title after its own
#define FWS_PREFIXTITLE 0x00004000L   // the child's title comes first
#define FWS_FRAME_STYLES (FWS_ADDTOTITLE | FWS_PREFIXTITLE)

// What a frame needs to make its view.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
    CWnd* m_pLastView = nullptr;
};

class APPFRAME_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const CRect rectDefault;

    // Title (string resource nIDResource up to its first '\n'), menu, accelerators and icon of
    // that id, each when present.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);

    // Places the visible control bars along the edges and the pane in what is left.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The frame the user works in: this one; an MDI frame gives its active child.
    virtual CFrameWnd* GetActiveFrame();
    CWnd* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CWnd* pViewNew, BOOL bNotify = TRUE);
    // Sends WM_INITIALUPDATE to the frame's views, makes a view active and shows the frame.
    void InitialUpdateFrame(void* pDoc, BOOL bMakeVisible = TRUE);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // The status-bar prompt of a command: its string resource up to the first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    CWnd* GetMessageBar() const;
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    DWORD GetFrameStyle() const { return m_dwFrameStyle; }
    // The command states of a menu about to open; menus asked by WM_INITMENUPOPUP come here.
    void UpdateMenuCommands(CMenu* pPopup);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    HACCEL m_hAccelTable = nullptr;
    HMENU m_hMenuDefault = nullptr;   // the menu the frame was loaded with
    BOOL m_bAutoMenuEnable = TRUE;    // menu items without a handler go grey
    UINT m_nIDHelp = 0;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The context handed to the window at its creation, or null.
    virtual CCreateContext* CreationContext(LPCREATESTRUCT lpcs) const;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    LRESULT OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelectMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitMenuLoopMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageStringMessage(WPARAM wParam, LPARAM lParam);

    CString m_strTitle;
    DWORD m_dwFrameStyle = 0;
    CWnd* m_pViewActive = nullptr;
    std::vector<std::unique_ptr<CWnd>> m_ownedViews;
    HICON m_hIconLoaded = nullptr;
    HMENU m_hMenuLoaded = nullptr;    // destroyed with the frame unless a window holds it

    DECLARE_MESSAGE_MAP()
};

namespace appframe {
// The layout of RecalcLayout: bars take their side of the client area in order (top and bottom
// bars the full width, left and right bars what remains in height); the pane gets the rest.
struct BarPlacement {
    DWORD align;   // CBRS_ALIGN_TOP, _BOTTOM, _LEFT or _RIGHT
    SIZE size;     // the bar's wanted size: the height of a horizontal bar, the width of a vertical one
};
APPFRAME_API void LayoutBars(const RECT& client, const BarPlacement* bars, size_t count, RECT* barRects, RECT* paneRect);
// The text before the first '\n' of a command's string (or the part with that index).
APPFRAME_API CString ExtractSubString(const CString& text, int index);
} // namespace appframe


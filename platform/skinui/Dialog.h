#pragma once
// CBCGPDialog: a dialog painted by the visual manager. With the visual manager style its
// background, static texts and check boxes take the skin's colours, edits stay white, and its
// plain child controls are taken over by skinned ones. With a layout, controls follow a resize
// by their anchors.
#include <memory>
#include <vector>
#include "AppFrame.h"
#include "SkinUIDef.h"
#include "SkinnedFrame.h"

namespace skinui {
// How a control moves and grows when its dialog's client area changes by delta: each
// percentage says how much of the change it takes (0..100).
SKINUI_API CRect AnchorRect(const CRect& initial, CSize delta, BOOL moveX, BOOL moveY, BOOL sizeX, BOOL sizeY,
                            CPoint movePercent = CPoint(100, 100), CPoint sizePercent = CPoint(100, 100));
} // namespace skinui

class SKINUI_API CBCGPStaticLayout {
public:
    enum XMoveType { e_MoveTypeNone = 0, e_MoveTypeHorz = 1, e_MoveTypeVert = 2, e_MoveTypeBoth = 3 };
    enum XSizeType { e_SizeTypeNone = 0, e_SizeTypeHorz = 1, e_SizeTypeVert = 2, e_SizeTypeBoth = 3 };

    explicit CBCGPStaticLayout(CWnd* pHostWnd) : m_pHostWnd(pHostWnd) {}
    // Anchors the control (by id or window); its place at the time the layout starts counts as
    // its place at the initial client size.
    BOOL AddAnchor(UINT nID, XMoveType typeMove, XSizeType typeSize, const CPoint& percMove = CPoint(100, 100),
                   const CPoint& percSize = CPoint(100, 100));
    BOOL AddAnchor(HWND hWnd, XMoveType typeMove, XSizeType typeSize, const CPoint& percMove = CPoint(100, 100),
                   const CPoint& percSize = CPoint(100, 100));
    // Records the host's client size and each control's rectangle as the starting point.
    void SetInitialState();
    void AdjustLayout();
    CSize GetMinSize() const { return m_sizeInitial; }

private:
    struct Anchor {
        HWND hWnd;
        XMoveType move;
        XSizeType size;
        CPoint percMove, percSize;
        CRect initial;
    };
    CWnd* m_pHostWnd;
    std::vector<Anchor> m_anchors;
    CSize m_sizeInitial{0, 0};
    BOOL m_bStarted = FALSE;
};

class SKINUI_API CBCGPDialog : public CDialog {
    DECLARE_DYNAMIC(CBCGPDialog)
public:
    CBCGPDialog() = default;
    explicit CBCGPDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    explicit CBCGPDialog(LPCTSTR lpszTemplateName, CWnd* pParent = nullptr);
    ~CBCGPDialog() override;

    // bEnable: skin the dialog and take over its plain controls (except the listed ids);
    // bNCArea: the visual manager draws the border and caption as well.
    void EnableVisualManagerStyle(BOOL bEnable = TRUE, BOOL bNCArea = FALSE, const std::vector<UINT>* plstNonSubclassedItems = nullptr);
    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    BOOL IsVisualManagerNCArea() const { return m_bVisualManagerStyle && m_bNCArea; }
    void EnableLayout(BOOL bEnable = TRUE, CRuntimeClass* pRTC = nullptr, BOOL bResizeBox = TRUE);
    CBCGPStaticLayout* GetLayout() { return m_pLayout.get(); }
    BOOL IsLayoutEnabled() const { return m_pLayout != nullptr; }
    // Dragging anywhere on the dialog's free area moves it.
    void EnableDragClientArea(BOOL bEnable = TRUE) { m_bDragClientArea = bEnable; }

    BOOL OnInitDialog() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Takes over the plain child controls with skinned objects owned by the dialog.
    void SubclassChildControls();
    BOOL m_bVisualManagerStyle = FALSE;
    BOOL m_bDragClientArea = FALSE;
    BOOL m_bNCArea = FALSE;
    skinui::SkinnedFrame m_frame;
    std::vector<UINT> m_lstNonSubclassed;
    std::vector<std::unique_ptr<CWnd>> m_subclassedControls;
    std::unique_ptr<CBCGPStaticLayout> m_pLayout;
};

namespace skinui {
// The colours of WM_CTLCOLOR... in a skinned window: the text and background set on the
// device, and the brush returned. Edit boxes and lists stay white.
SKINUI_API HBRUSH SkinCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, CWnd* pHost);
// Takes over the plain child controls of the window (those without an object of their own and
// not excluded) with skinned objects that `owned` keeps.
SKINUI_API void SubclassSkinnedControls(HWND host, const std::vector<UINT>& excluded, std::vector<std::unique_ptr<CWnd>>& owned);
} // namespace skinui

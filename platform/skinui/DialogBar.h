#pragma once
// CBCGPDialogBar: a docking pane made from a dialog template: its controls are updated from the
// frame's command route like a dialog's, may follow the pane's size through layout anchors and
// may take the visual manager's colours. A dialog bar without a caption text shows no caption.
#include <memory>
#include <vector>
#include "Dialog.h"
#include "DockingControlBar.h"

class SKINUI_API CBCGPDialogBar : public CBCGPDockingControlBar {
    DECLARE_DYNCREATE(CBCGPDialogBar)
public:
    CBCGPDialogBar();
    ~CBCGPDialogBar() override;

    // The template must describe a child window (a pop-up template is made a child); nStyle
    // holds the side (CBRS_TOP ...) and the window styles.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, UINT nIDTemplate, UINT nStyle, UINT nID,
                        DWORD dwTabbedStyle = CBRS_BCGP_REGULAR_TABS,
                        DWORD dwBCGStyle = CBRS_BCGP_FLOAT | CBRS_BCGP_AUTOHIDE | CBRS_BCGP_RESIZE | CBRS_BCGP_CLOSE);
    virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    // May be called before Create; the colours and the control skins apply once the bar exists.
    void EnableVisualManagerStyle(BOOL bEnable = TRUE);
    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    void EnableLayout(BOOL bEnable = TRUE);
    CBCGPStaticLayout* GetLayout() { return m_pLayout.get(); }

    // WM_INITDIALOG: the place to add anchors. The default does nothing more and returns TRUE.
    virtual BOOL OnInitDialog();
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL HasCaption() const override;
    // At the top or bottom a dialog bar spans the frame at its template's height, like a tool bar.
    BOOL IsResizable() const override { return !IsHorizontal(); }
    void DoPaint(CDC* pDC) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The template's size in pixels (the client area it was designed for).
    CSize GetTemplateSize() const { return m_sizeTemplate; }

private:
    BOOL m_bVisualManagerStyle = FALSE;
    std::unique_ptr<CBCGPStaticLayout> m_pLayout;
    std::vector<std::unique_ptr<CWnd>> m_skinnedControls;
    CSize m_sizeTemplate;
};

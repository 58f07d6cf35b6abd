#pragma once
// CBCGPRibbonStatusBar: the frame's status bar, a row of ribbon elements: the main ones from
// the left, the extended ones (commands, the zoom slider) from the right on a band of their own.
// Elements are owned by the bar. CBCGPRibbonStatusBarPane: a text pane, static (a message
// area) or a button, sized to its "almost large" text so that changing texts do not move it.
#include <memory>
#include <vector>
#include "BaseControlBar.h"
#include "HoverTracker.h"
#include "RibbonElement.h"

class SKINUI_API CBCGPRibbonStatusBarPane : public CBCGPRibbonButton {
    DECLARE_DYNCREATE(CBCGPRibbonStatusBarPane)
public:
    CBCGPRibbonStatusBarPane() = default;
    CBCGPRibbonStatusBarPane(UINT nCmdID, LPCTSTR lpszText, BOOL bIsStatic = FALSE, HICON hIcon = nullptr,
                             LPCTSTR lpszAlmostLargeText = nullptr);
    BOOL IsStatic() const override { return m_bIsStatic; }
    CSize GetRegularSize(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
    void SetAlmostLargeText(LPCTSTR lpszText) { m_strAlmostLargeText = lpszText ? lpszText : L""; }
    LPCTSTR GetAlmostLargeText() const { return m_strAlmostLargeText; }
    // DT_LEFT, DT_CENTER or DT_RIGHT.
    void SetTextAlign(int nAlign) { m_nTextAlign = nAlign; }

protected:
    BOOL m_bIsStatic = FALSE;
    CString m_strAlmostLargeText;
    int m_nTextAlign = DT_LEFT;
};

class SKINUI_API CBCGPRibbonStatusBar : public CBCGPBaseControlBar {
    DECLARE_DYNCREATE(CBCGPRibbonStatusBar)
public:
    CBCGPRibbonStatusBar();
    ~CBCGPRibbonStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // The bar takes the element (null is refused); lpszLabel names it for the user.
    void AddElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible = TRUE);
    void AddExtendedElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible = TRUE);
    void AddSeparator();
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_elements.size()); }
    CBCGPBaseRibbonElement* GetElement(int nIndex) const;
    int GetExCount() const { return static_cast<int>(m_elementsEx.size()); }
    CBCGPBaseRibbonElement* GetExElement(int nIndex) const;
    // The first element (main or extended) with the id, or null.
    CBCGPBaseRibbonElement* FindElement(UINT uiID) const;
    CString GetLabel(const CBCGPBaseRibbonElement* pElement) const;
    BOOL IsExtendedElement(const CBCGPBaseRibbonElement* pElement) const;
    // The element under the client point, or null.
    CBCGPBaseRibbonElement* HitTest(CPoint point) const;
    // The band of the extended elements (client coordinates).
    CRect GetExtendedArea() const { return m_rectExtended; }

    // Places the elements in the client area.
    virtual void RecalcLayout();
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    struct Entry {
        std::unique_ptr<CBCGPBaseRibbonElement> element;
        CString label;
    };
    void Add(std::vector<Entry>& list, CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible);
    void SetHot(CBCGPBaseRibbonElement* pElement);

    std::vector<Entry> m_elements, m_elementsEx;
    CRect m_rectExtended;
    CBCGPBaseRibbonElement* m_pHot = nullptr;
    CBCGPBaseRibbonElement* m_pPressed = nullptr;
    skinui::HoverTracker<> m_hover;   // asks for WM_MOUSELEAVE; SetHot keeps the hot element
    CToolTipCtrl m_toolTip;
};

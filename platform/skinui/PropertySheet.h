#pragma once
// CBCGPPropertyPage and CBCGPPropertySheet: the framework's property pages and sheet in the
// skin's colours. The sheet may show its pages as a list of icons at its left (the outlook-bar
// look) instead of tabs, and a header band above the pages that a subclass may draw.
#include <memory>
#include <vector>
#include "AppFrame.h"
#include "SkinUIDef.h"
#include "SkinnedFrame.h"

class SKINUI_API CBCGPPropertyPage : public CPropertyPage {
    DECLARE_DYNAMIC(CBCGPPropertyPage)
public:
    explicit CBCGPPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CBCGPPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CBCGPPropertyPage() override;
    BOOL OnInitDialog() override;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
    std::vector<std::unique_ptr<CWnd>> m_subclassedControls;
};

class SKINUI_API CBCGPPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CBCGPPropertySheet)
public:
    enum PropSheetLook { PropSheetLook_Tabs, PropSheetLook_OutlookBar, PropSheetLook_List };
    explicit CBCGPPropertySheet(UINT nIDCaption = 0, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CBCGPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CBCGPPropertySheet() override;

    // Before the sheet is made: the look and the width of the page list at the left.
    void SetLook(PropSheetLook look, int nNavControlWidth = 100);
    PropSheetLook GetLook() const { return m_look; }
    // The page icons of the list: a bitmap strip of cx-wide images, or an image list (borrowed).
    BOOL SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent = RGB(255, 0, 255));
    void SetIconsList(HIMAGELIST hIcons);
    // A band of the height above the pages, drawn by OnDrawPageHeader.
    void EnablePageHeader(int nHeaderHeight);
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    void EnableVisualManagerStyle(BOOL bEnable = TRUE, BOOL bNCArea = FALSE);
    void EnableDragClientArea(BOOL bEnable = TRUE) { m_bDragClientArea = bEnable; }
    // The page list of the outlook-bar look, or null.
    CListCtrl* GetNavigationList() { return m_navList.GetSafeHwnd() ? &m_navList : nullptr; }
    CRect GetHeaderRect() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader);
    void ArrangeLook();
    void Paint(CDC* pDC);

    PropSheetLook m_look = PropSheetLook_Tabs;
    int m_nNavWidth = 100;
    int m_nHeaderHeight = 0;
    BOOL m_bVisualManagerStyle = FALSE;
    BOOL m_bNCArea = FALSE;
    skinui::SkinnedFrame m_frame;
    BOOL m_bDragClientArea = FALSE;
    BOOL m_bArranged = FALSE;
    CImageList m_icons;
    HIMAGELIST m_hIcons = nullptr;
    CListCtrl m_navList;
    std::vector<std::unique_ptr<CWnd>> m_subclassedButtons;
};

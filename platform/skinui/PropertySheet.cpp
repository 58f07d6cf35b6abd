#include "PropertySheet.h"
#include <algorithm>
#include "Dialog.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
const UINT kNavListId = 0x3FF0;
const int kGap = 6;
} // namespace

// Pages.

IMPLEMENT_DYNAMIC(CBCGPPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBCGPPropertyPage, CPropertyPage)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CBCGPPropertyPage::CBCGPPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption) {}
CBCGPPropertyPage::CBCGPPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage(lpszTemplateName, nIDCaption) {}

CBCGPPropertyPage::~CBCGPPropertyPage()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CBCGPPropertyPage::OnInitDialog()
{
    const BOOL result = CPropertyPage::OnInitDialog();
    skinui::SubclassSkinnedControls(m_hWnd, {}, m_subclassedControls);
    return result;
}

HBRUSH CBCGPPropertyPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return skinui::SkinCtlColor(pDC, pWnd, nCtlColor, this);
}

BOOL CBCGPPropertyPage::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager::GetInstance()->OnFillDialog(pDC, this, client);
    return TRUE;
}

// Sheet.

IMPLEMENT_DYNAMIC(CBCGPPropertySheet, CPropertySheet)

CBCGPPropertySheet::CBCGPPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
}

CBCGPPropertySheet::CBCGPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

CBCGPPropertySheet::~CBCGPPropertySheet()
{
    if (m_hWnd)
        DestroyWindow();
}

void CBCGPPropertySheet::SetLook(PropSheetLook look, int nNavControlWidth)
{
    m_look = look;
    m_nNavWidth = std::max(40, nNavControlWidth);
}

BOOL CBCGPPropertySheet::SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent)
{
    m_icons.DeleteImageList();
    if (!m_icons.Create(uiImageListResID, cx, 0, clrTransparent))
        return FALSE;
    m_hIcons = m_icons.GetSafeHandle();
    return TRUE;
}

void CBCGPPropertySheet::SetIconsList(HIMAGELIST hIcons)
{
    m_hIcons = hIcons;
}

void CBCGPPropertySheet::EnablePageHeader(int nHeaderHeight)
{
    m_nHeaderHeight = std::max(0, nHeaderHeight);
}

void CBCGPPropertySheet::EnableVisualManagerStyle(BOOL bEnable, BOOL bNCArea)
{
    m_bVisualManagerStyle = bEnable;
    m_bNCArea = bNCArea;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

CRect CBCGPPropertySheet::GetHeaderRect() const
{
    if (!m_nHeaderHeight || !m_hWnd)
        return CRect();
    CRect client;
    GetClientRect(&client);
    const int left = m_look == PropSheetLook_Tabs ? 0 : m_nNavWidth + kGap;
    return CRect(left, 0, client.right, m_nHeaderHeight);
}

void CBCGPPropertySheet::ArrangeLook()
{
    m_bArranged = TRUE;
    const bool list = m_look != PropSheetLook_Tabs;
    const int dx = list ? m_nNavWidth + kGap : 0, dy = m_nHeaderHeight;
    CRect window;
    GetWindowRect(&window);
    if (dx || dy) {
        // Everything moves right of the list and below the header; pages made later are put
        // where the (hidden) tab control says.
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            CRect r;
            ::GetWindowRect(child, &r);
            ScreenToClient(&r);
            ::SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SetWindowPos(nullptr, 0, 0, window.Width() + dx, window.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Grown right and down, a sheet over its owner would no longer sit centred on it.
        if (::GetWindow(m_hWnd, GW_OWNER))
            CenterWindow();
    }
    if (list) {
        CWnd* tab = GetTabControl();
        CRect client;
        GetClientRect(&client);
        // The outlook bar shows big icons over their names; the list look one line per page,
        // with a small icon when there are icons.
        const bool outlook = m_look == PropSheetLook_OutlookBar;
        const DWORD view = outlook ? LVS_ICON | LVS_ALIGNTOP : LVS_REPORT | LVS_NOCOLUMNHEADER;
        m_navList.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SINGLESEL | LVS_SHOWSELALWAYS | view,
                         CRect(kGap, kGap, kGap + m_nNavWidth, client.bottom - kGap), this, kNavListId);
        m_navList.SetBkColor(globalData.clrBarWindow);
        m_navList.SetTextBkColor(globalData.clrBarWindow);
        m_navList.SetTextColor(globalData.clrBarText);
        if (m_hIcons)
            m_navList.SendMessage(LVM_SETIMAGELIST, outlook ? LVSIL_NORMAL : LVSIL_SMALL, reinterpret_cast<LPARAM>(m_hIcons));
        if (outlook) {
            // One column of icons: each item takes the list's width.
            m_navList.SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(m_nNavWidth - 8, 0));
        } else {
            m_navList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
            m_navList.InsertColumn(0, L"", LVCFMT_LEFT, m_nNavWidth - 4);
        }
        for (int i = 0; i < GetPageCount(); ++i) {
            wchar_t text[128] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 127;
            if (tab)
                tab->SendMessage(TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            m_navList.InsertItem(i, text, i);
        }
        m_navList.SetItemState(GetActiveIndex(), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (tab)
            tab->ShowWindow(SW_HIDE);
    }
    if (m_bVisualManagerStyle)
        skinui::SubclassSkinnedControls(m_hWnd, {static_cast<UINT>(kNavListId)}, m_subclassedButtons);
    Invalidate();
}

void CBCGPPropertySheet::OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader)
{
    CBCGPDrawManager(*pDC).DrawRect(rectHeader, globalData.clrBarWindow, (COLORREF)-1);
    CBCGPDrawManager(*pDC).DrawLine(rectHeader.left, rectHeader.bottom - 1, rectHeader.right, rectHeader.bottom - 1,
                                   globalData.clrBarShadow);
    CPropertyPage* page = GetPage(nPage);
    CString title;
    if (CWnd* tab = GetTabControl()) {
        wchar_t text[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 127;
        tab->SendMessage(TCM_GETITEMW, static_cast<WPARAM>(nPage), reinterpret_cast<LPARAM>(&item));
        title = text;
    }
    (void)page;
    const win32::ScopedSelect font(pDC->m_hDC, globalData.fontBold.GetSafeHandle());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(globalData.clrBarText);
    rectHeader.DeflateRect(12, 0);
    pDC->DrawText(title, &rectHeader, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void CBCGPPropertySheet::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager::GetInstance()->OnFillDialog(pDC, this, client);
    const CRect header = GetHeaderRect();
    if (!header.IsRectEmpty())
        OnDrawPageHeader(pDC, std::max(0, GetActiveIndex()), header);
}

LRESULT CBCGPPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool skinnedFrame = m_bVisualManagerStyle && m_bNCArea;
    LRESULT frameResult = 0;
    if (skinnedFrame && m_frame.HandleMessage(this, message, wParam, lParam, &frameResult))
        return frameResult;
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam && !m_bArranged)
            ArrangeLook();
        break;
    case WM_ERASEBKGND:
        if (m_bVisualManagerStyle || m_nHeaderHeight) {
            Paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
        if (m_bVisualManagerStyle)
            return reinterpret_cast<LRESULT>(skinui::SkinCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                                  CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                                                                  message - WM_CTLCOLORMSGBOX, this));
        break;
    case WM_NCHITTEST: {
        LRESULT hit = CPropertySheet::WindowProc(message, wParam, lParam);
        if (skinnedFrame)
            hit = m_frame.AdjustHitTest(this, lParam, hit);
        return m_bDragClientArea && hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == kNavListId && hdr->code == LVN_ITEMCHANGED) {
            const NMLISTVIEW* lv = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((lv->uNewState & LVIS_SELECTED) && !(lv->uOldState & LVIS_SELECTED) && lv->iItem != GetActiveIndex()) {
                SetActivePage(lv->iItem);
                InvalidateRect(GetHeaderRect());
            }
            return 0;
        }
        // A page change through the keyboard (Ctrl+Tab) keeps the list in step.
        const LRESULT result = CPropertySheet::WindowProc(message, wParam, lParam);
        if (hdr->code == TCN_SELCHANGE && m_navList.GetSafeHwnd()) {
            m_navList.SetItemState(GetActiveIndex(), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            InvalidateRect(GetHeaderRect());
        }
        return result;
    }
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

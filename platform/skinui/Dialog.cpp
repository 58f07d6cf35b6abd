#include "Dialog.h"
#include <algorithm>
#include "Button.h"
#include "Edit.h"
#include "GlobalData.h"
#include "SkinControls.h"
#include "VisualManager.h"

CRect skinui::AnchorRect(const CRect& initial, CSize delta, BOOL moveX, BOOL moveY, BOOL sizeX, BOOL sizeY, CPoint movePercent,
                         CPoint sizePercent)
{
    CRect r = initial;
    const int dx = moveX ? delta.cx * movePercent.x / 100 : 0;
    const int dy = moveY ? delta.cy * movePercent.y / 100 : 0;
    const int gx = sizeX ? delta.cx * sizePercent.x / 100 : 0;
    const int gy = sizeY ? delta.cy * sizePercent.y / 100 : 0;
    r.OffsetRect(dx, dy);
    r.right = std::max(r.left, r.right + gx);
    r.bottom = std::max(r.top, r.bottom + gy);
    return r;
}

BOOL CBCGPStaticLayout::AddAnchor(UINT nID, XMoveType typeMove, XSizeType typeSize, const CPoint& percMove, const CPoint& percSize)
{
    return AddAnchor(::GetDlgItem(m_pHostWnd->GetSafeHwnd(), static_cast<int>(nID)), typeMove, typeSize, percMove, percSize);
}

BOOL CBCGPStaticLayout::AddAnchor(HWND hWnd, XMoveType typeMove, XSizeType typeSize, const CPoint& percMove, const CPoint& percSize)
{
    if (!hWnd || !m_pHostWnd->GetSafeHwnd())
        return FALSE;
    if (!m_bStarted)
        SetInitialState();
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    m_pHostWnd->ScreenToClient(&rect);
    // Where the control would be at the initial size, so that adding after a resize works.
    CRect client;
    m_pHostWnd->GetClientRect(&client);
    const CSize back(m_sizeInitial.cx - client.Width(), m_sizeInitial.cy - client.Height());
    const CRect initial = skinui::AnchorRect(rect, back, typeMove & e_MoveTypeHorz, typeMove & e_MoveTypeVert,
                                             typeSize & e_SizeTypeHorz, typeSize & e_SizeTypeVert, percMove, percSize);
    auto same = [hWnd](const Anchor& a) { return a.hWnd == hWnd; };
    m_anchors.erase(std::remove_if(m_anchors.begin(), m_anchors.end(), same), m_anchors.end());
    m_anchors.push_back({hWnd, typeMove, typeSize, percMove, percSize, initial});
    return TRUE;
}

void CBCGPStaticLayout::SetInitialState()
{
    CRect client;
    m_pHostWnd->GetClientRect(&client);
    m_sizeInitial = client.Size();
    m_bStarted = TRUE;
}

void CBCGPStaticLayout::AdjustLayout()
{
    if (!m_bStarted || m_anchors.empty() || !m_pHostWnd->GetSafeHwnd())
        return;
    CRect client;
    m_pHostWnd->GetClientRect(&client);
    const CSize delta(client.Width() - m_sizeInitial.cx, client.Height() - m_sizeInitial.cy);
    HDWP dwp = ::BeginDeferWindowPos(static_cast<int>(m_anchors.size()));
    for (const Anchor& a : m_anchors) {
        if (!::IsWindow(a.hWnd))
            continue;
        const CRect r = skinui::AnchorRect(a.initial, delta, a.move & e_MoveTypeHorz, a.move & e_MoveTypeVert, a.size & e_SizeTypeHorz,
                                           a.size & e_SizeTypeVert, a.percMove, a.percSize);
        if (dwp)
            dwp = ::DeferWindowPos(dwp, a.hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (dwp)
        ::EndDeferWindowPos(dwp);
    m_pHostWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH skinui::SkinCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, CWnd* pHost)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    wchar_t className[32] = {};
    if (pWnd && pWnd->GetSafeHwnd())
        ::GetClassNameW(pWnd->GetSafeHwnd(), className, 32);
    const bool isEdit = _wcsicmp(className, L"Edit") == 0;
    if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX || (isEdit && pWnd->IsWindowEnabled() && !(pWnd->GetStyle() & ES_READONLY))) {
        pDC->SetTextColor(globalData.clrWindowText);
        pDC->SetBkColor(globalData.clrWindow);
        return globalData.brWindow;
    }
    if (isEdit) {
        // Read-only and disabled edits: a light face, so they read as not editable.
        pDC->SetTextColor(pWnd->IsWindowEnabled() ? globalData.clrWindowText : globalData.clrGrayedText);
        pDC->SetBkColor(globalData.clrBarLight);
        return globalData.brBarLight;
    }
    COLORREF text = manager->GetDlgTextColor(pHost);
    if (auto* label = DYNAMIC_DOWNCAST(CBCGPStatic, CWnd::FromHandlePermanent(pWnd ? pWnd->GetSafeHwnd() : nullptr)))
        if (label->m_clrText != (COLORREF)-1)
            text = label->m_clrText;
    if (pWnd && pWnd->GetSafeHwnd() && !pWnd->IsWindowEnabled())
        text = globalData.clrGrayedText;
    pDC->SetTextColor(text);
    pDC->SetBkMode(TRANSPARENT);
    CBrush& brush = manager->GetDlgBackBrush(pHost);
    LOGBRUSH lb = {};
    if (brush.GetLogBrush(&lb) && lb.lbStyle == BS_SOLID)
        pDC->SetBkColor(lb.lbColor);
    return brush;
}

IMPLEMENT_DYNAMIC(CBCGPDialog, CDialog)

BEGIN_MESSAGE_MAP(CBCGPDialog, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    ON_REGISTERED_MESSAGE(BCGM_CHANGEVISUALMANAGER, OnChangeVisualManager)
END_MESSAGE_MAP()

CBCGPDialog::CBCGPDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}
CBCGPDialog::CBCGPDialog(LPCTSTR lpszTemplateName, CWnd* pParent) : CDialog(lpszTemplateName, pParent) {}

CBCGPDialog::~CBCGPDialog()
{
    // The taken-over controls let go of their windows before the dialog's window goes.
    if (m_hWnd)
        DestroyWindow();
}

void CBCGPDialog::EnableVisualManagerStyle(BOOL bEnable, BOOL bNCArea, const std::vector<UINT>* plstNonSubclassedItems)
{
    m_bVisualManagerStyle = bEnable;
    m_bNCArea = bNCArea;
    m_lstNonSubclassed = plstNonSubclassedItems ? *plstNonSubclassedItems : std::vector<UINT>();
    CBCGPVisualManager::GetInstance();
    if (m_hWnd) {
        if (bEnable)
            SubclassChildControls();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

void CBCGPDialog::EnableLayout(BOOL bEnable, CRuntimeClass*, BOOL)
{
    if (!bEnable) {
        m_pLayout.reset();
        return;
    }
    if (!m_pLayout)
        m_pLayout = std::make_unique<CBCGPStaticLayout>(this);
    if (m_hWnd)
        m_pLayout->SetInitialState();
}

BOOL CBCGPDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    if (m_bVisualManagerStyle)
        SubclassChildControls();
    if (m_pLayout)
        m_pLayout->SetInitialState();
    return result;
}

void CBCGPDialog::SubclassChildControls()
{
    skinui::SubclassSkinnedControls(m_hWnd, m_lstNonSubclassed, m_subclassedControls);
}

void skinui::SubclassSkinnedControls(HWND host, const std::vector<UINT>& excluded, std::vector<std::unique_ptr<CWnd>>& owned)
{
    for (HWND child = ::GetWindow(host, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CWnd::FromHandlePermanent(child))
            continue;
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (std::find(excluded.begin(), excluded.end(), id) != excluded.end())
            continue;
        wchar_t className[64] = {};
        ::GetClassNameW(child, className, 64);
        const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        std::unique_ptr<CWnd> control;
        if (_wcsicmp(className, L"Button") == 0) {
            const DWORD type = style & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                control = std::make_unique<CBCGPButton>();
        } else if (_wcsicmp(className, L"Edit") == 0) {
            control = std::make_unique<CBCGPEdit>();
        } else if (_wcsicmp(className, L"ComboBox") == 0) {
            control = std::make_unique<CBCGPComboBox>();
        } else if (_wcsicmp(className, TRACKBAR_CLASSW) == 0) {
            control = std::make_unique<CBCGPSliderCtrl>();
        } else if (_wcsicmp(className, PROGRESS_CLASSW) == 0) {
            control = std::make_unique<CBCGPProgressCtrl>();
        } else if (_wcsicmp(className, UPDOWN_CLASSW) == 0) {
            control = std::make_unique<CBCGPSpinButtonCtrl>();
        } else if (_wcsicmp(className, L"ScrollBar") == 0) {
            control = std::make_unique<CBCGPScrollBar>();
        } else if (_wcsicmp(className, WC_LISTVIEWW) == 0) {
            control = std::make_unique<CBCGPListCtrl>();
        } else if (_wcsicmp(className, WC_TREEVIEWW) == 0) {
            control = std::make_unique<CBCGPTreeCtrl>();
        }
        if (control && control->SubclassWindow(child))
            owned.push_back(std::move(control));
    }
}

HBRUSH CBCGPDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (!m_bVisualManagerStyle)
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    return skinui::SkinCtlColor(pDC, pWnd, nCtlColor, this);
}

BOOL CBCGPDialog::OnEraseBkgnd(CDC* pDC)
{
    if (!m_bVisualManagerStyle)
        return CDialog::OnEraseBkgnd(pDC);
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager::GetInstance()->OnFillDialog(pDC, this, client);
    return TRUE;
}

void CBCGPDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_pLayout && nType != SIZE_MINIMIZED)
        m_pLayout->AdjustLayout();
}

LRESULT CBCGPDialog::OnNcHitTest(CPoint point)
{
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT || !m_bDragClientArea)
        return hit;
    CPoint client = point;
    ScreenToClient(&client);
    HWND child = ::ChildWindowFromPointEx(m_hWnd, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child == m_hWnd || !child ? HTCAPTION : hit;
}

LRESULT CBCGPDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam)
{
    Default();
    if (m_pLayout && m_pLayout->GetMinSize().cx > 0) {
        // Not smaller than the template: anchored controls would overlap.
        CRect window, client;
        GetWindowRect(&window);
        GetClientRect(&client);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = m_pLayout->GetMinSize().cx + window.Width() - client.Width();
        info->ptMinTrackSize.y = m_pLayout->GetMinSize().cy + window.Height() - client.Height();
    }
    return 0;
}

LRESULT CBCGPDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (IsVisualManagerNCArea() && m_frame.HandleMessage(this, message, wParam, lParam, &result))
        return result;
    result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_NCHITTEST && IsVisualManagerNCArea())
        result = m_frame.AdjustHitTest(this, lParam, result);
    return result;
}

LRESULT CBCGPDialog::OnChangeVisualManager(WPARAM, LPARAM)
{
    if (m_bVisualManagerStyle)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return 0;
}

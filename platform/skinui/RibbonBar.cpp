#include "RibbonBar.h"
#include <algorithm>
#include "GlobalData.h"
#include "SkinControls.h"

namespace {
const int kWindowButton = 46;   // width of a window button
const int kCustomGap = 2;
enum Part { PartNone = 0, PartMinimize = 1, PartMaximize = 2, PartClose = 3, PartCustom = 10 };
} // namespace

namespace skinui {

CaptionLayout LayoutCaption(const CRect& client, const std::vector<int>& customWidths, BOOL bMinMax, BOOL bIcon)
{
    CaptionLayout layout;
    int right = client.right;
    layout.close = CRect(right - kWindowButton, client.top, right, client.bottom);
    right -= kWindowButton;
    if (bMinMax) {
        layout.maximize = CRect(right - kWindowButton, client.top, right, client.bottom);
        right -= kWindowButton;
        layout.minimize = CRect(right - kWindowButton, client.top, right, client.bottom);
        right -= kWindowButton;
    }
    right -= 6;
    layout.custom.resize(customWidths.size());
    for (size_t i = customWidths.size(); i-- > 0;) {
        layout.custom[i] = CRect(right - customWidths[i], client.top, right, client.bottom);
        right -= customWidths[i] + kCustomGap;
    }
    int left = client.left + 8;
    if (bIcon) {
        const int y = client.top + (client.Height() - 16) / 2;
        layout.icon = CRect(left, y, left + 16, y + 16);
        left += 16 + 8;
    }
    layout.title = CRect(left, client.top, std::max<int>(left, right - 8), client.bottom);
    return layout;
}

} // namespace skinui

IMPLEMENT_DYNCREATE(CBCGPRibbonBar, CBCGPBaseControlBar)

CBCGPRibbonBar::CBCGPRibbonBar(BOOL bReplaceFrameCaption) : m_bReplaceFrameCaption(bReplaceFrameCaption)
{
}

CBCGPRibbonBar::~CBCGPRibbonBar() = default;

BOOL CBCGPRibbonBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CreateBar(nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID, 0))
        return FALSE;
    if (m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        m_toolTip.SetMaxTipWidth(400);
    if (m_bReplaceFrameCaption) {
        // The frame keeps its sizing border and its system menu; its caption is the bar.
        if (CWnd* frame = GetTopLevelParent(); frame && frame->m_hWnd)
            frame->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    }
    RecalcLayout();
    return TRUE;
}

void CBCGPRibbonBar::AddToTabs(CBCGPBaseRibbonElement* pElement)
{
    if (!pElement)
        return;
    pElement->SetParentWnd(this);
    pElement->m_bOnCaption = TRUE;
    m_tabElements.emplace_back(pElement);
    RecalcLayout();
}

void CBCGPRibbonBar::RemoveAllFromTabs()
{
    m_nHot = m_nPressed = PartNone;
    m_tabElements.clear();
    RecalcLayout();
}

CBCGPBaseRibbonElement* CBCGPRibbonBar::GetTabElement(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetTabElementCount() ? m_tabElements[static_cast<size_t>(nIndex)].get() : nullptr;
}

CBCGPBaseRibbonElement* CBCGPRibbonBar::FindByID(UINT uiCmdID) const
{
    for (const auto& element : m_tabElements)
        if (element->GetID() == uiCmdID)
            return element.get();
    return nullptr;
}

void CBCGPRibbonBar::SetVisibilityInFrame(int, BOOL)
{
}

int CBCGPRibbonBar::GetCaptionHeight() const
{
    return std::max(globalData.GetTextHeight() + 16, 32);
}

CSize CBCGPRibbonBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, GetCaptionHeight());
}

CRect CBCGPRibbonBar::GetCaptionButtonRect(BCGP_CAPTION_BUTTON nButton) const
{
    switch (nButton) {
    case BCGP_CAPTION_CLOSE:
        return m_layout.close;
    case BCGP_CAPTION_MINIMIZE:
        return m_layout.minimize;
    default:
        return m_layout.maximize;
    }
}

void CBCGPRibbonBar::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    std::vector<int> widths;
    for (const auto& element : m_tabElements)
        widths.push_back(element->IsVisible() ? element->GetRegularSize(&dc).cx : 0);
    CWnd* frame = GetTopLevelParent();
    const DWORD frameStyle = frame ? frame->GetStyle() : 0;
    m_layout = skinui::LayoutCaption(client, widths, (frameStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0, TRUE);
    for (size_t i = 0; i < m_tabElements.size(); ++i)
        m_tabElements[i]->SetRect(m_tabElements[i]->IsVisible() ? m_layout.custom[i] : CRect(0, 0, 0, 0));
    if (m_toolTip.m_hWnd) {
        while (m_toolTip.GetToolCount() > 0) {
            TOOLINFOW info = { sizeof info };
            if (!m_toolTip.SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
                break;
            m_toolTip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
        for (size_t i = 0; i < m_tabElements.size(); ++i) {
            CString tip = m_tabElements[i]->GetToolTipText();
            if (tip.IsEmpty())
                tip = m_tabElements[i]->GetText();
            const CRect r = m_tabElements[i]->GetRect();
            if (!tip.IsEmpty() && !r.IsRectEmpty())
                m_toolTip.AddTool(this, tip, &r, i + 1);
        }
    }
    Invalidate(FALSE);
}

BOOL CBCGPRibbonBar::IsFrameActive() const
{
    CWnd* frame = GetTopLevelParent();
    return frame && ::GetActiveWindow() == frame->m_hWnd;
}

void CBCGPRibbonBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillRibbonCaption(pDC, client, m_bActive);
    CWnd* frame = GetTopLevelParent();
    if (frame && !m_layout.icon.IsRectEmpty()) {
        HICON icon = frame->GetIcon(FALSE);
        if (!icon)
            icon = reinterpret_cast<HICON>(::GetClassLongPtrW(frame->m_hWnd, GCLP_HICONSM));
        if (!icon)
            icon = ::LoadIconW(nullptr, IDI_APPLICATION);
        ::DrawIconEx(pDC->m_hDC, m_layout.icon.left, m_layout.icon.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
    }
    if (frame) {
        CString title;
        frame->GetWindowText(title);
        CFont* old = pDC->SelectObject(&globalData.fontRegular);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(manager->GetRibbonCaptionTextColor(m_bActive));
        CRect text = m_layout.title;
        pDC->DrawText(title, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        pDC->SelectObject(old);
    }
    for (const auto& element : m_tabElements)
        if (element->IsVisible() && !element->GetRect().IsRectEmpty())
            element->OnDraw(pDC);
    const BOOL zoomed = frame && frame->IsZoomed();
    if (!m_layout.minimize.IsRectEmpty()) {
        manager->OnDrawCaptionButton(pDC, m_layout.minimize, BCGP_CAPTION_MINIMIZE, m_nHot == PartMinimize,
                                     m_nPressed == PartMinimize, !(frame->GetStyle() & WS_MINIMIZEBOX));
        manager->OnDrawCaptionButton(pDC, m_layout.maximize, zoomed ? BCGP_CAPTION_RESTORE : BCGP_CAPTION_MAXIMIZE,
                                     m_nHot == PartMaximize, m_nPressed == PartMaximize, !(frame->GetStyle() & WS_MAXIMIZEBOX));
    }
    manager->OnDrawCaptionButton(pDC, m_layout.close, BCGP_CAPTION_CLOSE, m_nHot == PartClose, m_nPressed == PartClose, FALSE);
}

void CBCGPRibbonBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // The frame's activation shows in the caption; the bar sees no activation messages itself.
    const BOOL active = IsFrameActive();
    if (active != m_bActive) {
        m_bActive = active;
        Invalidate(FALSE);
    }
    class ElementCmdUI : public CCmdUI {
    public:
        CBCGPBaseRibbonElement* element = nullptr;
        void Enable(BOOL bOn) override
        {
            m_bEnableChanged = TRUE;
            element->OnEnable(bOn);
        }
        void SetCheck(int nCheck) override { element->OnCheck(nCheck != 0); }
        void SetRadio(BOOL bOn) override { element->OnCheck(bOn); }
        void SetText(LPCTSTR) override {}
    } state;
    state.m_pOther = this;
    for (const auto& element : m_tabElements) {
        if (element->GetID() == 0)
            continue;
        state.element = element.get();
        state.m_nID = element->GetID();
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

int CBCGPRibbonBar::HitPart(CPoint point) const
{
    if (m_layout.close.PtInRect(point))
        return PartClose;
    if (m_layout.maximize.PtInRect(point))
        return PartMaximize;
    if (m_layout.minimize.PtInRect(point))
        return PartMinimize;
    for (size_t i = 0; i < m_tabElements.size(); ++i)
        if (m_tabElements[i]->IsVisible() && m_tabElements[i]->GetRect().PtInRect(point))
            return PartCustom + static_cast<int>(i);
    return PartNone;
}

void CBCGPRibbonBar::SetHotPart(int nPart)
{
    if (nPart == m_nHot)
        return;
    if (m_nHot >= PartCustom)
        m_tabElements[static_cast<size_t>(m_nHot - PartCustom)]->SetHighlighted(FALSE);
    m_nHot = nPart;
    if (m_nHot >= PartCustom)
        m_tabElements[static_cast<size_t>(m_nHot - PartCustom)]->SetHighlighted(TRUE);
    Invalidate(FALSE);
}

BOOL CBCGPRibbonBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_toolTip.m_hWnd && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = { m_hWnd, message, wParam, lParam };
        m_toolTip.RelayEvent(&msg);
    }
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CWnd* frame = GetTopLevelParent();
    switch (message) {
    case WM_SIZE:
        CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
        RecalcLayout();
        if (frame) {
            CRect r;
            frame->GetWindowRect(&r);
            SetVisibilityInFrame(r.Width(), FALSE);
        }
        *pResult = 0;
        return TRUE;
    case WM_MOUSEMOVE:
        m_hover.Track(m_hWnd);
        if (!m_nPressed)
            SetHotPart(HitPart(point));
        *pResult = 0;
        return TRUE;
    case WM_MOUSELEAVE:
        m_hover.Leave();
        if (!m_nPressed)
            SetHotPart(PartNone);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDOWN: {
        const int part = HitPart(point);
        if (part == PartNone) {
            // The title: the frame moves as if its own caption were dragged.
            if (frame) {
                CPoint screen = point;
                ClientToScreen(&screen);
                ::ReleaseCapture();
                frame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
            }
        } else {
            if (part >= PartCustom && m_tabElements[static_cast<size_t>(part - PartCustom)]->IsDisabled())
                break;
            m_nPressed = part;
            if (part >= PartCustom)
                m_tabElements[static_cast<size_t>(part - PartCustom)]->SetPressed(TRUE);
            SetCapture();
            Invalidate(FALSE);
        }
        *pResult = 0;
        return TRUE;
    }
    case WM_LBUTTONDBLCLK:
        if (HitPart(point) == PartNone && frame && (frame->GetStyle() & WS_MAXIMIZEBOX))
            frame->SendMessage(WM_SYSCOMMAND, frame->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONUP: {
        const int pressed = m_nPressed;
        m_nPressed = PartNone;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (pressed >= PartCustom)
            m_tabElements[static_cast<size_t>(pressed - PartCustom)]->SetPressed(FALSE);
        Invalidate(FALSE);
        if (pressed && HitPart(point) == pressed && frame) {
            switch (pressed) {
            case PartMinimize:
                frame->PostMessage(WM_SYSCOMMAND, SC_MINIMIZE);
                break;
            case PartMaximize:
                frame->PostMessage(WM_SYSCOMMAND, frame->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE);
                break;
            case PartClose:
                frame->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
                break;
            default:
                m_tabElements[static_cast<size_t>(pressed - PartCustom)]->OnClick(point);
                break;
            }
        }
        *pResult = 0;
        return TRUE;
    }
    case WM_CAPTURECHANGED:
        if (m_nPressed && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            if (m_nPressed >= PartCustom)
                m_tabElements[static_cast<size_t>(m_nPressed - PartCustom)]->SetPressed(FALSE);
            m_nPressed = PartNone;
            Invalidate(FALSE);
        }
        *pResult = 0;
        return TRUE;
    case WM_RBUTTONUP:
        if (HitPart(point) == PartNone && frame) {
            CPoint screen = point;
            ClientToScreen(&screen);
            const UINT command = ::TrackPopupMenu(::GetSystemMenu(frame->m_hWnd, FALSE), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                                  screen.y, 0, frame->m_hWnd, nullptr);
            if (command)
                frame->PostMessage(WM_SYSCOMMAND, command);
        }
        *pResult = 0;
        return TRUE;
    default:
        if (message == BCGM_CHANGEVISUALMANAGER) {
            RecalcLayout();
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    return CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

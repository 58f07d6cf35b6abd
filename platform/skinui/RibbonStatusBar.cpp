#include "RibbonStatusBar.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "SkinControls.h"
#include "VisualManager.h"

namespace {

// A status element's state, as the frame's update handlers set it.
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
    void SetText(LPCTSTR lpszText) override
    {
        if (CString(element->GetText()) != (lpszText ? lpszText : L"")) {
            element->OnSetText(lpszText);
            element->Redraw();
        }
    }
};

const int kGap = 2;

} // namespace

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonStatusBarPane

IMPLEMENT_DYNCREATE(CBCGPRibbonStatusBarPane, CBCGPRibbonButton)

CBCGPRibbonStatusBarPane::CBCGPRibbonStatusBarPane(UINT nCmdID, LPCTSTR lpszText, BOOL bIsStatic, HICON hIcon,
                                                   LPCTSTR lpszAlmostLargeText)
    : CBCGPRibbonButton(nCmdID, lpszText, hIcon), m_bIsStatic(bIsStatic),
      m_strAlmostLargeText(lpszAlmostLargeText ? lpszAlmostLargeText : L"")
{
}

CSize CBCGPRibbonStatusBarPane::GetRegularSize(CDC* pDC)
{
    // Sized to the longer of its text and the text it is meant to hold at most.
    const CString text = m_strText;
    if (m_strAlmostLargeText.GetLength() > 0) {
        CFont* old = pDC->SelectObject(&globalData.fontRegular);
        const bool almostWider = pDC->GetTextExtent(m_strAlmostLargeText).cx > pDC->GetTextExtent(text).cx;
        pDC->SelectObject(old);
        if (almostWider)
            m_strText = m_strAlmostLargeText;
    }
    CSize size = CBCGPRibbonButton::GetRegularSize(pDC);
    m_strText = text;
    size.cx += 4;
    return size;
}

void CBCGPRibbonStatusBarPane::OnDraw(CDC* pDC)
{
    if (!m_bIsStatic)
        CBCGPVisualManager::GetInstance()->OnFillRibbonButton(pDC, m_rect, m_bIsHighlighted && !m_bIsDisabled,
                                                              m_bIsPressed && !m_bIsDisabled, m_bIsChecked, FALSE);
    CRect content = m_rect;
    content.DeflateRect(6, 0);
    if (m_hIcon) {
        const int y = content.top + (content.Height() - 16) / 2;
        ::DrawIconEx(pDC->m_hDC, content.left, y, m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        content.left += 16 + 5;
    }
    if (!m_strText.IsEmpty() && (m_bShowText || !m_hIcon))
        DrawText(pDC, m_strText, content, static_cast<UINT>(m_nTextAlign));
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonStatusBar

IMPLEMENT_DYNCREATE(CBCGPRibbonStatusBar, CBCGPBaseControlBar)

CBCGPRibbonStatusBar::CBCGPRibbonStatusBar() = default;

CBCGPRibbonStatusBar::~CBCGPRibbonStatusBar() = default;

BOOL CBCGPRibbonStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CreateBar(nullptr, dwStyle | CBRS_TOOLTIPS, CRect(0, 0, 0, 0), pParentWnd, nID, 0))
        return FALSE;
    if (m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        m_toolTip.SetMaxTipWidth(400);
    return TRUE;
}

void CBCGPRibbonStatusBar::Add(std::vector<Entry>& list, CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible)
{
    if (!pElement)
        return;
    pElement->SetParentWnd(this);
    pElement->SetVisible(bIsVisible);
    list.push_back(Entry{ std::unique_ptr<CBCGPBaseRibbonElement>(pElement), lpszLabel ? lpszLabel : L"" });
    if (m_hWnd)
        RecalcLayout();
}

void CBCGPRibbonStatusBar::AddElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible)
{
    Add(m_elements, pElement, lpszLabel, bIsVisible);
}

void CBCGPRibbonStatusBar::AddExtendedElement(CBCGPBaseRibbonElement* pElement, LPCTSTR lpszLabel, BOOL bIsVisible)
{
    Add(m_elementsEx, pElement, lpszLabel, bIsVisible);
}

void CBCGPRibbonStatusBar::AddSeparator()
{
    Add(m_elements, new CBCGPRibbonSeparator, nullptr, TRUE);
}

void CBCGPRibbonStatusBar::RemoveAll()
{
    m_pHot = m_pPressed = nullptr;
    m_elements.clear();
    m_elementsEx.clear();
    if (m_hWnd)
        RecalcLayout();
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::GetElement(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_elements[static_cast<size_t>(nIndex)].element.get() : nullptr;
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::GetExElement(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetExCount() ? m_elementsEx[static_cast<size_t>(nIndex)].element.get() : nullptr;
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::FindElement(UINT uiID) const
{
    for (const auto* list : { &m_elements, &m_elementsEx })
        for (const Entry& entry : *list)
            if (entry.element->GetID() == uiID && !entry.element->IsSeparator())
                return entry.element.get();
    return nullptr;
}

CString CBCGPRibbonStatusBar::GetLabel(const CBCGPBaseRibbonElement* pElement) const
{
    for (const auto* list : { &m_elements, &m_elementsEx })
        for (const Entry& entry : *list)
            if (entry.element.get() == pElement)
                return entry.label;
    return CString();
}

BOOL CBCGPRibbonStatusBar::IsExtendedElement(const CBCGPBaseRibbonElement* pElement) const
{
    for (const Entry& entry : m_elementsEx)
        if (entry.element.get() == pElement)
            return TRUE;
    return FALSE;
}

CBCGPBaseRibbonElement* CBCGPRibbonStatusBar::HitTest(CPoint point) const
{
    for (const auto* list : { &m_elements, &m_elementsEx })
        for (const Entry& entry : *list)
            if (entry.element->IsVisible() && entry.element->GetRect().PtInRect(point))
                return entry.element.get();
    return nullptr;
}

CSize CBCGPRibbonStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, globalData.GetTextHeight() + 12);
}

void CBCGPRibbonStatusBar::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    const int top = client.top + 2, bottom = client.bottom - 1;
    // The extended elements from the right edge inward.
    int x = client.right - 4;
    for (auto it = m_elementsEx.rbegin(); it != m_elementsEx.rend(); ++it) {
        CBCGPBaseRibbonElement* element = it->element.get();
        if (!element->IsVisible()) {
            element->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        const int width = element->GetRegularSize(&dc).cx;
        element->SetRect(CRect(x - width, top, x, bottom));
        x -= width + kGap;
    }
    m_rectExtended = m_elementsEx.empty() ? CRect(client.right, client.top, client.right, client.bottom)
                                          : CRect(x - 4, client.top, client.right, client.bottom);
    // The main ones from the left, up to the extended band; what does not fit is hidden.
    int left = client.left + 4;
    for (Entry& entry : m_elements) {
        CBCGPBaseRibbonElement* element = entry.element.get();
        const int width = element->IsVisible() ? element->GetRegularSize(&dc).cx : 0;
        if (!element->IsVisible() || left + width > m_rectExtended.left - 2) {
            element->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        element->SetRect(CRect(left, top, left + width, bottom));
        left += width + kGap;
    }
    if (m_toolTip.m_hWnd) {
        while (m_toolTip.GetToolCount() > 0) {
            TOOLINFOW info = { sizeof info };
            if (!m_toolTip.SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
                break;
            m_toolTip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
        UINT_PTR tool = 1;
        for (const auto* list : { &m_elements, &m_elementsEx }) {
            for (const Entry& entry : *list) {
                const CBCGPBaseRibbonElement* element = entry.element.get();
                CString tip = element->GetToolTipText();
                if (tip.IsEmpty() && !element->IsStatic())
                    tip = entry.label;
                const CRect r = element->GetRect();
                if (!tip.IsEmpty() && !r.IsRectEmpty())
                    m_toolTip.AddTool(this, tip, &r, tool);
                ++tool;
            }
        }
    }
    Invalidate(FALSE);
}

void CBCGPRibbonStatusBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillRibbonStatusBar(pDC, client);
    if (!m_elementsEx.empty() && !globalData.IsPlainDrawing()) {
        // The extended band a shade apart from the message area.
        CRect band = m_rectExtended;
        band.top += 1;
        pDC->FillSolidRect(band, skinui::Darker(globalData.clrBarFace, 0.03));
    }
    for (const auto* list : { &m_elements, &m_elementsEx })
        for (const Entry& entry : *list)
            if (entry.element->IsVisible() && !entry.element->GetRect().IsRectEmpty())
                entry.element->OnDraw(pDC);
}

void CBCGPRibbonStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    ElementCmdUI state;
    state.m_pOther = this;
    for (const auto* list : { &m_elements, &m_elementsEx }) {
        for (const Entry& entry : *list) {
            CBCGPBaseRibbonElement* element = entry.element.get();
            if (element->GetID() == 0 || element->IsSeparator())
                continue;
            state.element = element;
            state.m_nID = element->GetID();
            // Panes that only show text stay as they are without a handler.
            state.DoUpdate(pTarget, bDisableIfNoHndler && !element->IsStatic());
        }
    }
}

void CBCGPRibbonStatusBar::SetHot(CBCGPBaseRibbonElement* pElement)
{
    if (pElement && pElement->IsStatic())
        pElement = nullptr;
    if (pElement == m_pHot)
        return;
    if (m_pHot) {
        m_pHot->SetHighlighted(FALSE);
        m_pHot->OnMouseMove(CPoint(-1, -1));
        m_pHot->Redraw();
    }
    m_pHot = pElement;
    if (m_pHot) {
        m_pHot->SetHighlighted(TRUE);
        m_pHot->Redraw();
    }
}

BOOL CBCGPRibbonStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_toolTip.m_hWnd && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = { m_hWnd, message, wParam, lParam };
        m_toolTip.RelayEvent(&msg);
    }
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_SIZE:
        CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
        RecalcLayout();
        *pResult = 0;
        return TRUE;
    case WM_MOUSEMOVE:
        m_hover.Track(m_hWnd);
        if (m_pPressed) {
            m_pPressed->OnMouseMove(point);
        } else {
            SetHot(HitTest(point));
            if (m_pHot)
                m_pHot->OnMouseMove(point);
        }
        *pResult = 0;
        return TRUE;
    case WM_MOUSELEAVE:
        m_hover.Leave();
        if (!m_pPressed)
            SetHot(nullptr);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        CBCGPBaseRibbonElement* element = HitTest(point);
        if (element && !element->IsStatic() && !element->IsDisabled()) {
            SetHot(element);
            m_pPressed = element;
            SetCapture();
            element->OnLButtonDown(point);
        }
        *pResult = 0;
        return TRUE;
    }
    case WM_LBUTTONUP:
        if (CBCGPBaseRibbonElement* element = m_pPressed) {
            m_pPressed = nullptr;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            element->OnLButtonUp(point);
            SetHot(HitTest(point));
        }
        *pResult = 0;
        return TRUE;
    case WM_CAPTURECHANGED:
        if (m_pPressed && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            CBCGPBaseRibbonElement* element = m_pPressed;
            m_pPressed = nullptr;
            element->OnLButtonUp(CPoint(-32000, -32000));
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

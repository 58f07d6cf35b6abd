#include "RibbonElement.h"
#include <algorithm>
#include "GlobalData.h"
#include "VisualManager.h"

namespace skinui {

CRect ProgressChunk(const CRect& rect, int nMin, int nMax, int nPos)
{
    CRect chunk = rect;
    if (nMax <= nMin) {
        chunk.right = chunk.left;
        return chunk;
    }
    const int pos = std::max(nMin, std::min(nMax, nPos));
    chunk.right = chunk.left + static_cast<int>(static_cast<long long>(rect.Width()) * (pos - nMin) / (nMax - nMin));
    return chunk;
}

} // namespace skinui

// ---------------------------------------------------------------------------------------------
// CBCGPBaseRibbonElement

IMPLEMENT_DYNAMIC(CBCGPBaseRibbonElement, CObject)

CBCGPBaseRibbonElement::CBCGPBaseRibbonElement() = default;

CBCGPBaseRibbonElement::~CBCGPBaseRibbonElement() = default;

void CBCGPBaseRibbonElement::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText ? lpszText : L"";
}

CSize CBCGPBaseRibbonElement::GetRegularSize(CDC*)
{
    return CSize(0, 0);
}

void CBCGPBaseRibbonElement::OnDraw(CDC*)
{
}

void CBCGPBaseRibbonElement::DrawText(CDC* pDC, const CString& text, CRect rect, UINT nFormat)
{
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    pDC->SetTextColor(m_bOnCaption ? manager->GetRibbonCaptionTextColor(TRUE) : manager->GetRibbonStatusBarTextColor(m_bIsDisabled));
    pDC->DrawText(text, rect, nFormat | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SelectObject(old);
}

void CBCGPBaseRibbonElement::OnMouseMove(CPoint)
{
}

void CBCGPBaseRibbonElement::OnLButtonDown(CPoint)
{
    if (!IsStatic() && !m_bIsDisabled) {
        m_bIsPressed = TRUE;
        Redraw();
    }
}

void CBCGPBaseRibbonElement::OnLButtonUp(CPoint point)
{
    const BOOL pressed = m_bIsPressed;
    m_bIsPressed = FALSE;
    Redraw();
    if (pressed && m_rect.PtInRect(point) && !m_bIsDisabled)
        OnClick(point);
}

void CBCGPBaseRibbonElement::OnClick(CPoint)
{
    NotifyCommand();
}

void CBCGPBaseRibbonElement::OnEnable(BOOL bEnable)
{
    if (m_bIsDisabled != !bEnable) {
        m_bIsDisabled = !bEnable;
        Redraw();
    }
}

void CBCGPBaseRibbonElement::OnCheck(BOOL bCheck)
{
    if (m_bIsChecked != (bCheck != FALSE)) {
        m_bIsChecked = bCheck != FALSE;
        Redraw();
    }
}

BOOL CBCGPBaseRibbonElement::NotifyCommand()
{
    if (m_nID == 0 || !m_pParentWnd || !m_pParentWnd->m_hWnd)
        return FALSE;
    CWnd* target = m_pParentWnd->GetParentFrame();
    if (!target)
        target = m_pParentWnd->GetParent();
    // Posted: the handler may change the bar and its elements.
    return target && target->PostMessage(WM_COMMAND, MAKEWPARAM(m_nID, 0), 0);
}

void CBCGPBaseRibbonElement::Redraw()
{
    if (m_pParentWnd && m_pParentWnd->m_hWnd && !m_rect.IsRectEmpty())
        m_pParentWnd->InvalidateRect(&m_rect, FALSE);
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonButton

IMPLEMENT_DYNCREATE(CBCGPRibbonButton, CBCGPBaseRibbonElement)

CBCGPRibbonButton::CBCGPRibbonButton(UINT nID, LPCTSTR lpszText, HICON hIcon, BOOL bAutoDestroyIcon)
    : m_hIcon(hIcon), m_bAutoDestroyIcon(bAutoDestroyIcon)
{
    m_nID = nID;
    SetText(lpszText);
}

CBCGPRibbonButton::~CBCGPRibbonButton()
{
    if (m_hIcon && m_bAutoDestroyIcon)
        ::DestroyIcon(m_hIcon);
}

void CBCGPRibbonButton::SetIcon(HICON hIcon, BOOL bAutoDestroyIcon)
{
    if (m_hIcon && m_bAutoDestroyIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
    m_bAutoDestroyIcon = bAutoDestroyIcon;
}

CSize CBCGPRibbonButton::GetRegularSize(CDC* pDC)
{
    int width = 8;
    if (m_hIcon)
        width += 16;
    if (!m_strText.IsEmpty() && (m_bShowText || !m_hIcon)) {
        CFont* old = pDC->SelectObject(&globalData.fontRegular);
        width += pDC->GetTextExtent(m_strText).cx + (m_hIcon ? 6 : 0);
        pDC->SelectObject(old);
    }
    return CSize(width, globalData.GetTextHeight() + 8);
}

void CBCGPRibbonButton::OnDraw(CDC* pDC)
{
    if (!IsStatic())
        CBCGPVisualManager::GetInstance()->OnFillRibbonButton(pDC, m_rect, m_bIsHighlighted && !m_bIsDisabled,
                                                              m_bIsPressed && !m_bIsDisabled, m_bIsChecked, m_bOnCaption);
    CRect content = m_rect;
    content.DeflateRect(4, 0);
    if (m_hIcon) {
        const int y = content.top + (content.Height() - 16) / 2;
        const int x = (m_strText.IsEmpty() || !m_bShowText) ? content.left + (content.Width() - 16) / 2 : content.left;
        ::DrawIconEx(pDC->m_hDC, x, y, m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
        content.left = x + 16 + 6;
    }
    if (!m_strText.IsEmpty() && (m_bShowText || !m_hIcon))
        DrawText(pDC, m_strText, content, m_hIcon ? DT_LEFT : DT_CENTER);
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonCaptionCustomButton

IMPLEMENT_DYNCREATE(CBCGPRibbonCaptionCustomButton, CBCGPRibbonButton)

CBCGPRibbonCaptionCustomButton::CBCGPRibbonCaptionCustomButton(UINT nID, HICON hIcon, LPCTSTR lpszText, BOOL bAutoDestroyIcon)
    : CBCGPRibbonButton(nID, lpszText, hIcon, bAutoDestroyIcon)
{
    m_bOnCaption = TRUE;
}

CSize CBCGPRibbonCaptionCustomButton::GetRegularSize(CDC* pDC)
{
    CSize size = CBCGPRibbonButton::GetRegularSize(pDC);
    // As wide as a window button at least, and with room round the text.
    size.cx = std::max<int>(size.cx + 12, 40);
    return size;
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonLabel

IMPLEMENT_DYNCREATE(CBCGPRibbonLabel, CBCGPBaseRibbonElement)

CBCGPRibbonLabel::CBCGPRibbonLabel(LPCTSTR lpszText, BOOL)
{
    SetText(lpszText);
}

CSize CBCGPRibbonLabel::GetRegularSize(CDC* pDC)
{
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    const CSize text = pDC->GetTextExtent(m_strText.IsEmpty() ? CString(L" ") : m_strText);
    pDC->SelectObject(old);
    return CSize(text.cx + 10, globalData.GetTextHeight() + 8);
}

void CBCGPRibbonLabel::OnDraw(CDC* pDC)
{
    CRect text = m_rect;
    text.DeflateRect(5, 0);
    DrawText(pDC, m_strText, text, DT_LEFT);
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonCheckBox

IMPLEMENT_DYNCREATE(CBCGPRibbonCheckBox, CBCGPBaseRibbonElement)

CBCGPRibbonCheckBox::CBCGPRibbonCheckBox(UINT nID, LPCTSTR lpszText)
{
    m_nID = nID;
    SetText(lpszText);
}

CSize CBCGPRibbonCheckBox::GetRegularSize(CDC* pDC)
{
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    const CSize text = pDC->GetTextExtent(m_strText);
    pDC->SelectObject(old);
    return CSize(text.cx + 13 + 6 + 10, globalData.GetTextHeight() + 8);
}

void CBCGPRibbonCheckBox::OnDraw(CDC* pDC)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillRibbonButton(pDC, m_rect, m_bIsHighlighted && !m_bIsDisabled, m_bIsPressed && !m_bIsDisabled, FALSE, FALSE);
    const int y = m_rect.CenterPoint().y - 6;
    CRect box(m_rect.left + 5, y, m_rect.left + 5 + 13, y + 13);
    manager->OnDrawCheckBox(pDC, box, m_bIsHighlighted, m_bIsChecked ? 1 : 0, !m_bIsDisabled, FALSE);
    CRect text = m_rect;
    text.left = box.right + 6;
    DrawText(pDC, m_strText, text, DT_LEFT);
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonProgressBar

IMPLEMENT_DYNCREATE(CBCGPRibbonProgressBar, CBCGPBaseRibbonElement)

CBCGPRibbonProgressBar::CBCGPRibbonProgressBar(UINT nID, int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
{
    m_nID = nID;
}

CSize CBCGPRibbonProgressBar::GetRegularSize(CDC*)
{
    return CSize(m_nWidth + 8, std::max<int>(m_nHeight, globalData.GetTextHeight() + 8));
}

void CBCGPRibbonProgressBar::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = std::max(nMin, nMax);
    m_nPos = std::max(m_nMin, std::min(m_nMax, m_nPos));
}

void CBCGPRibbonProgressBar::SetPos(int nPos, BOOL bRedraw)
{
    if (m_bInfiniteMode) {
        // The block wraps round the range.
        const int span = m_nMax - m_nMin + 1;
        m_nPos = span > 0 ? m_nMin + ((nPos - m_nMin) % span + span) % span : m_nMin;
    } else {
        m_nPos = std::max(m_nMin, std::min(m_nMax, nPos));
    }
    if (bRedraw)
        Redraw();
}

void CBCGPRibbonProgressBar::OnDraw(CDC* pDC)
{
    CRect bar = m_rect;
    bar.DeflateRect(4, 0);
    const int height = std::min<int>(m_nHeight - 8, 14);
    bar.top = m_rect.CenterPoint().y - height / 2;
    bar.bottom = bar.top + height;
    CRect chunk = skinui::ProgressChunk(bar, m_nMin, m_nMax, m_nPos);
    if (m_bInfiniteMode) {
        const int block = bar.Width() / 5;
        const int x = chunk.right;
        chunk = CRect(std::max<int>(bar.left, x - block), bar.top, std::min<int>(bar.right, x), bar.bottom);
    }
    CBCGPVisualManager::GetInstance()->OnDrawRibbonProgressBar(pDC, bar, chunk, m_bInfiniteMode);
}

// ---------------------------------------------------------------------------------------------
// CBCGPRibbonSeparator

IMPLEMENT_DYNCREATE(CBCGPRibbonSeparator, CBCGPBaseRibbonElement)

CSize CBCGPRibbonSeparator::GetRegularSize(CDC*)
{
    return CSize(7, globalData.GetTextHeight() + 8);
}

void CBCGPRibbonSeparator::OnDraw(CDC* pDC)
{
    CBCGPVisualManager::GetInstance()->OnDrawSeparator(pDC, m_pParentWnd, m_rect, TRUE);
}

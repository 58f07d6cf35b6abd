#include "ToolbarButton.h"
#include "GlobalData.h"
#include "PopupMenu.h"
#include "ToolBar.h"
#include "ToolBarImages.h"
#include "VisualManager.h"

namespace {

// The gap between image and text, and round the text of text buttons.
const int kTextGap = 4;

CSize TextExtent(CDC* pDC, const CString& text)
{
    if (text.IsEmpty())
        return CSize(0, 0);
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    CString shown = text;
    shown.Remove(L'&');
    const CSize size = pDC->GetTextExtent(shown);
    pDC->SelectObject(old);
    return size;
}

} // namespace

namespace skinui {

HMENU CopyMenu(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    HMENU copy = ::IsMenu(hMenu) && ::GetMenuItemCount(hMenu) >= 0 ? ::CreatePopupMenu() : nullptr;
    if (!copy)
        return nullptr;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = { sizeof info };
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.hSubMenu)
            info.hSubMenu = CopyMenu(info.hSubMenu);
        info.dwTypeData = text;
        ::InsertMenuItemW(copy, static_cast<UINT>(i), TRUE, &info);
    }
    return copy;
}

} // namespace skinui

// ---------------------------------------------------------------------------------------------
// CBCGPToolbarButton

IMPLEMENT_DYNCREATE(CBCGPToolbarButton, CObject)

CBCGPToolbarButton::CBCGPToolbarButton() = default;

CBCGPToolbarButton::CBCGPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
    : m_nID(uiID), m_iImage(iImage), m_strText(lpszText ? lpszText : L""), m_bUserButton(bUserButton), m_bLocked(bLocked)
{
    if (uiID == 0)
        m_nStyle = TBBS_SEPARATOR;
}

CBCGPToolbarButton::~CBCGPToolbarButton() = default;

void CBCGPToolbarButton::CopyFrom(const CBCGPToolbarButton& src)
{
    m_nID = src.m_nID;
    m_iImage = src.m_iImage;
    m_strText = src.m_strText;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bUserButton = src.m_bUserButton;
    m_bLocked = src.m_bLocked;
    m_bWrap = src.m_bWrap;
    m_bTextBelow = src.m_bTextBelow;
    m_nStyle = src.m_nStyle;
    m_bVisible = src.m_bVisible;
}

void CBCGPToolbarButton::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nID << m_iImage << m_strText << m_nStyle << static_cast<int>(m_bText) << static_cast<int>(m_bImage)
           << static_cast<int>(m_bUserButton);
    } else {
        UINT id = 0, style = 0;
        int iImage = 0, text = 0, image = 0, user = 0;
        CString label;
        ar >> id >> iImage >> label >> style >> text >> image >> user;
        // A state cut short leaves the button as it was (and so do the subclasses after it).
        if (ar.IsTruncated())
            return;
        m_nID = id;
        m_iImage = iImage;   // an index past the bar's images draws nothing
        m_strText = label;
        m_nStyle = style;
        m_bText = text != 0;
        m_bImage = image != 0;
        m_bUserButton = user != 0;
    }
}

void CBCGPToolbarButton::SetRect(const CRect& rect)
{
    m_rect = rect;
    OnMove();
}

void CBCGPToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    m_pWndParent = pWndParent;
}

void CBCGPToolbarButton::OnShow(BOOL bShow)
{
    if (HWND hwnd = GetHwnd())
        ::ShowWindow(hwnd, bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

BOOL CBCGPToolbarButton::NotifyCommand(int)
{
    return FALSE;
}

BOOL CBCGPToolbarButton::OnClick(CWnd*, BOOL)
{
    return FALSE;
}

SIZE CBCGPToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (IsSeparator())
        return bHorz ? CSize(8, sizeDefault.cy) : CSize(sizeDefault.cx, 8);
    CSize size = sizeDefault;
    if (!m_bImage || m_iImage < 0)
        size.cx = 0;
    if (m_bText && !m_strText.IsEmpty()) {
        const CSize text = TextExtent(pDC, m_strText);
        if (m_bTextBelow) {
            size.cx = std::max<int>(size.cx, text.cx + 2 * kTextGap);
            size.cy += text.cy + 2;
        } else {
            size.cx += text.cx + 2 * kTextGap + (size.cx > 0 ? 0 : kTextGap);
            size.cy = std::max<int>(size.cy, text.cy + 6);
        }
    }
    if (size.cx == 0)
        size.cx = sizeDefault.cx;
    return size;
}

void CBCGPToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz, BOOL, BOOL bHighlight,
                                BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    DrawFace(pDC, rect, pImages, bHorz, bHighlight, bDrawBorder, bGrayDisabledButtons);
}

void CBCGPToolbarButton::DrawFace(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL, BOOL bHighlight,
                                  BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const BOOL disabled = IsDisabled();
    CBCGPVisualManager::BCGBUTTON_STATE state = CBCGPVisualManager::ButtonsIsRegular;
    if (!disabled && (m_nStyle & TBBS_PRESSED))
        state = CBCGPVisualManager::ButtonsIsPressed;
    else if (!disabled && bHighlight)
        state = CBCGPVisualManager::ButtonsIsHighlighted;
    if (bDrawBorder)
        manager->OnFillButtonInterior(pDC, this, rect, state);

    CRect content = rect;
    const bool showImage = m_bImage && m_iImage >= 0 && pImages && pImages->IsValid() && m_iImage < pImages->GetCount();
    const bool showText = m_bText && !m_strText.IsEmpty();
    if (showImage) {
        const CSize image = pImages->GetImageSize();
        int x = content.left + (content.Width() - image.cx) / 2;
        int y = content.top + (content.Height() - image.cy) / 2;
        if (showText && !m_bTextBelow)
            x = content.left + kTextGap;
        else if (showText)
            y = content.top + 3;
        pImages->Draw(pDC, x, y, m_iImage, FALSE, disabled && bGrayDisabledButtons);
        if (showText && !m_bTextBelow)
            content.left = x + image.cx;
        else if (showText)
            content.top = y + image.cy;
    }
    if (showText) {
        CFont* old = pDC->SelectObject(&globalData.fontRegular);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(manager->GetToolbarButtonTextColor(this, state));
        CRect text = content;
        text.DeflateRect(kTextGap, 0);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        format |= (showImage && !m_bTextBelow) ? DT_LEFT : DT_CENTER;
        pDC->DrawText(m_strText, text, format);
        pDC->SelectObject(old);
    }
}

// ---------------------------------------------------------------------------------------------
// CBCGPToolbarMenuButton

IMPLEMENT_DYNCREATE(CBCGPToolbarMenuButton, CBCGPToolbarButton)

CBCGPToolbarMenuButton::CBCGPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
    : CBCGPToolbarButton(uiID, iImage, lpszText, bUserButton)
{
    m_nStyle = TBBS_BUTTON;
    m_hMenu = skinui::CopyMenu(hMenu);
}

CBCGPToolbarMenuButton::~CBCGPToolbarMenuButton()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

void CBCGPToolbarMenuButton::SetMenu(HMENU hMenu)
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = skinui::CopyMenu(hMenu);
}

void CBCGPToolbarMenuButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    if (const auto* menu = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, const_cast<CBCGPToolbarButton*>(&src))) {
        SetMenu(menu->m_hMenu);
        m_bMenuBarItem = menu->m_bMenuBarItem;
        m_bDrawDownArrow = menu->m_bDrawDownArrow;
    }
}

void CBCGPToolbarMenuButton::Serialize(CArchive& ar)
{
    CBCGPToolbarButton::Serialize(ar);
    // The items: count, then per item id and text (sub-menus are not stored: they come from the
    // resources again).
    if (ar.IsStoring()) {
        const int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
        ar << count;
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            ::GetMenuStringW(m_hMenu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
            ar << ::GetMenuItemID(m_hMenu, i) << CString(text);
        }
    } else {
        int count = 0;
        ar >> count;
        HMENU menu = ::CreatePopupMenu();
        // The count is checked by the items there are, up to a bound no menu reaches.
        for (int i = 0; i < count && i < 4096; ++i) {
            UINT id = 0;
            CString text;
            ar >> id >> text;
            if (ar.IsTruncated())
                break;
            ::AppendMenuW(menu, id ? MF_STRING : MF_SEPARATOR, id, text);
        }
        if (ar.IsTruncated()) {
            ::DestroyMenu(menu);
            return;
        }
        if (m_hMenu)
            ::DestroyMenu(m_hMenu);
        m_hMenu = menu;
    }
}

SIZE CBCGPToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_bMenuBarItem) {
        const CSize text = TextExtent(pDC, m_strText);
        return bHorz ? CSize(text.cx + 16, std::max<int>(sizeDefault.cy, text.cy + 8))
                     : CSize(sizeDefault.cx, text.cx + 16);
    }
    CSize size = CBCGPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    if (m_hMenu && m_bDrawDownArrow)
        size.cx += 12;
    return size;
}

void CBCGPToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz, BOOL, BOOL bHighlight,
                                    BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    if (m_bMenuBarItem) {
        const BOOL disabled = IsDisabled();
        CBCGPVisualManager::BCGBUTTON_STATE state = m_bDroppedDown ? CBCGPVisualManager::ButtonsIsPressed
                                                    : bHighlight && !disabled ? CBCGPVisualManager::ButtonsIsHighlighted
                                                                              : CBCGPVisualManager::ButtonsIsRegular;
        manager->OnFillButtonInterior(pDC, this, rect, state);
        CFont* old = pDC->SelectObject(&globalData.fontRegular);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(manager->GetToolbarButtonTextColor(this, state));
        CRect text = rect;
        pDC->DrawText(m_strText, text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        pDC->SelectObject(old);
        return;
    }
    CRect face = rect;
    const BOOL arrow = m_hMenu && m_bDrawDownArrow;
    if (arrow)
        face.right -= 12;
    const UINT style = m_nStyle;
    if (m_bDroppedDown)
        m_nStyle |= TBBS_PRESSED;
    if (bDrawBorder) {
        const BOOL disabled = IsDisabled();
        manager->OnFillButtonInterior(pDC, this, rect,
                                      m_bDroppedDown ? CBCGPVisualManager::ButtonsIsPressed
                                      : bHighlight && !disabled ? CBCGPVisualManager::ButtonsIsHighlighted
                                                                : CBCGPVisualManager::ButtonsIsRegular);
    }
    DrawFace(pDC, face, pImages, bHorz, FALSE, FALSE, bGrayDisabledButtons);
    m_nStyle = style;
    if (arrow) {
        const CPoint c(rect.right - 7, rect.CenterPoint().y);
        const COLORREF color = IsDisabled() ? globalData.clrGrayedText : globalData.clrBarText;
        for (int i = 0; i < 3; ++i)
            pDC->FillSolidRect(CRect(c.x - 2 + i, c.y - 1 + i, c.x + 3 - i, c.y + i), color);
    }
}

BOOL CBCGPToolbarMenuButton::OnClick(CWnd*, BOOL)
{
    if (!m_hMenu)
        return FALSE;
    return OnDropDown();
}

BOOL CBCGPToolbarMenuButton::OnDropDown()
{
    CWnd* parent = m_pWndParent;
    if (!m_hMenu || !parent || !parent->m_hWnd || m_bDroppedDown)
        return FALSE;
    CRect rect = m_rect;
    parent->ClientToScreen(&rect);
    auto* menu = new CBCGPPopupMenu;
    menu->m_pParentBar = DYNAMIC_DOWNCAST(CBCGPToolBar, parent);
    m_bDroppedDown = TRUE;
    parent->InvalidateRect(&m_rect);
    // The bar's commands go to its frame: the menu's message window is the bar's top frame.
    if (!menu->Create(parent, rect.left, rect.bottom, m_hMenu, TRUE, FALSE)) {
        m_bDroppedDown = FALSE;
        parent->InvalidateRect(&m_rect);
        return FALSE;
    }
    return TRUE;
}

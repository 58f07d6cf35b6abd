#include "EditListBox.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "SkinControls.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
const UINT kListId = 1;
const UINT kStandard[] = {BGCEDITLISTBOX_BTN_NEW_ID, BGCEDITLISTBOX_BTN_DELETE_ID, BGCEDITLISTBOX_BTN_UP_ID,
                          BGCEDITLISTBOX_BTN_DOWN_ID};
const UINT kStandardFlags[] = {BGCEDITLISTBOX_BTN_NEW, BGCEDITLISTBOX_BTN_DELETE, BGCEDITLISTBOX_BTN_UP,
                               BGCEDITLISTBOX_BTN_DOWN};

void Triangle(CDC* pDC, CPoint centre, bool up, COLORREF color)
{
    // A 7x4 solid arrow head.
    const int d = up ? -1 : 1;
    const POINT pts[] = {{centre.x - 4, centre.y - 2 * d}, {centre.x + 4, centre.y - 2 * d}, {centre.x, centre.y + 2 * d}};
    const win32::GdiObject<HBRUSH> brush(::CreateSolidBrush(color));
    const win32::GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, color));
    const win32::ScopedSelect selectBrush(pDC->m_hDC, brush.Get()), selectPen(pDC->m_hDC, pen.Get());
    ::Polygon(pDC->m_hDC, pts, 3);
}
} // namespace

IMPLEMENT_DYNAMIC(CBCGPEditListBox, CWnd)

CBCGPEditListBox::CBCGPEditListBox() = default;

CBCGPEditListBox::~CBCGPEditListBox()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CBCGPEditListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(globalData.RegisterWindowClass(L"BCGPEditListBox"), L"", dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect,
                      pParentWnd, nID))
        return FALSE;
    Init();
    return TRUE;
}

void CBCGPEditListBox::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    Init();
}

void CBCGPEditListBox::Init()
{
    if (m_list.GetSafeHwnd() || !m_hWnd)
        return;
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (m_buttons.empty())
        SetStandardButtons();
    m_list.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                      LVS_EDITLABELS,
                  GetListRect(), this, kListId);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    m_list.InsertColumn(0, L"", LVCFMT_LEFT, std::max(10, GetListRect().Width() - ::GetSystemMetrics(SM_CXVSCROLL)));
    m_list.SetBkColor(globalData.clrWindow);
    m_list.SetTextBkColor(globalData.clrWindow);
    m_list.SetTextColor(globalData.clrWindowText);
    Invalidate();
}

HFONT CBCGPEditListBox::Font() const
{
    if (CWnd* parent = GetParent())
        if (HFONT font = reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT)))
            return font;
    return static_cast<HFONT>(globalData.fontRegular.GetSafeHandle());
}

BOOL CBCGPEditListBox::SetStandardButtons(UINT uiBtns)
{
    m_buttons.clear();
    for (size_t i = 0; i < std::size(kStandard); ++i)
        if (uiBtns & kStandardFlags[i])
            m_buttons.push_back(kStandard[i]);
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

UINT CBCGPEditListBox::GetButtonID(int iButton) const
{
    return iButton >= 0 && iButton < GetButtonsCount() ? m_buttons[iButton] : 0;
}

int CBCGPEditListBox::GetButtonNum(UINT uiID) const
{
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), uiID);
    return it == m_buttons.end() ? -1 : static_cast<int>(it - m_buttons.begin());
}

CRect CBCGPEditListBox::GetCaptionRect() const
{
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    // Room for the caption's text line and a little air round the buttons.
    const int height = std::max(24, globalData.GetTextHeight() + 10);
    client.bottom = std::min(client.bottom, client.top + height);
    return client;
}

CRect CBCGPEditListBox::GetListRect() const
{
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(1, 1);
    client.top = std::min(client.bottom, GetCaptionRect().bottom + 1);
    return client;
}

CRect CBCGPEditListBox::GetButtonRect(int iButton) const
{
    if (iButton < 0 || iButton >= GetButtonsCount())
        return CRect();
    const CRect caption = GetCaptionRect();
    const int size = caption.Height() - 4;
    // Laid out from the right, the first button leftmost.
    const int right = caption.right - 2 - (GetButtonsCount() - 1 - iButton) * (size + 1);
    return CRect(right - size, caption.top + 2, right, caption.top + 2 + size);
}

BOOL CBCGPEditListBox::IsButtonEnabled(int iButton) const
{
    if (!IsWindowEnabled())
        return FALSE;
    const int sel = GetSelItem();
    switch (GetButtonID(iButton)) {
    case BGCEDITLISTBOX_BTN_DELETE_ID:
        return sel >= 0;
    case BGCEDITLISTBOX_BTN_UP_ID:
        return sel > 0;
    case BGCEDITLISTBOX_BTN_DOWN_ID:
        return sel >= 0 && sel < GetCount() - 1;
    default:
        return TRUE;
    }
}

int CBCGPEditListBox::HitButton(CPoint pt) const
{
    for (int i = 0; i < GetButtonsCount(); ++i)
        if (GetButtonRect(i).PtInRect(pt))
            return i;
    return -1;
}

int CBCGPEditListBox::AddItem(const CString& strText, DWORD_PTR dwData, int iIndex)
{
    if (!m_list.GetSafeHwnd())
        return -1;
    const int count = GetCount();
    const int at = iIndex < 0 || iIndex > count ? count : iIndex;
    const int item = m_list.InsertItem(at, strText);
    if (item >= 0)
        m_list.SetItemData(item, dwData);
    RedrawButtons();
    return item;
}

BOOL CBCGPEditListBox::RemoveItem(int iIndex)
{
    if (!m_list.GetSafeHwnd() || iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    const BOOL removed = m_list.DeleteItem(iIndex);
    RedrawButtons();
    return removed;
}

void CBCGPEditListBox::RemoveAll()
{
    if (m_list.GetSafeHwnd())
        m_list.DeleteAllItems();
    RedrawButtons();
}

int CBCGPEditListBox::GetCount() const
{
    return m_list.GetSafeHwnd() ? m_list.GetItemCount() : 0;
}

CString CBCGPEditListBox::GetItemText(int iIndex) const
{
    return iIndex >= 0 && iIndex < GetCount() ? m_list.GetItemText(iIndex, 0) : CString();
}

BOOL CBCGPEditListBox::SetItemText(int iIndex, const CString& strText)
{
    return iIndex >= 0 && iIndex < GetCount() && m_list.SetItemText(iIndex, 0, strText);
}

DWORD_PTR CBCGPEditListBox::GetItemData(int iIndex) const
{
    return iIndex >= 0 && iIndex < GetCount() ? m_list.GetItemData(iIndex) : 0;
}

BOOL CBCGPEditListBox::SetItemData(int iIndex, DWORD_PTR dwData)
{
    return iIndex >= 0 && iIndex < GetCount() && m_list.SetItemData(iIndex, dwData);
}

int CBCGPEditListBox::GetSelItem() const
{
    return m_list.GetSafeHwnd() ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CBCGPEditListBox::SelectItem(int iItem)
{
    if (iItem < 0 || iItem >= GetCount())
        return FALSE;
    m_list.SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(iItem, FALSE);
    RedrawButtons();
    return TRUE;
}

BOOL CBCGPEditListBox::EditItem(int iIndex)
{
    if (iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    SelectItem(iIndex);
    m_list.SetFocus();
    return m_list.SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(iIndex)) != 0;
}

BOOL CBCGPEditListBox::MoveItem(int iFrom, int iTo)
{
    if (iFrom < 0 || iFrom >= GetCount() || iTo < 0 || iTo >= GetCount() || iFrom == iTo)
        return FALSE;
    const CString text = GetItemText(iFrom);
    const DWORD_PTR data = GetItemData(iFrom);
    m_list.DeleteItem(iFrom);
    const int item = m_list.InsertItem(iTo, text);
    m_list.SetItemData(item, data);
    SelectItem(item);
    return TRUE;
}

void CBCGPEditListBox::OnClickButton(int iButton)
{
    const int sel = GetSelItem();
    switch (GetButtonID(iButton)) {
    case BGCEDITLISTBOX_BTN_NEW_ID: {
        const int item = AddItem(L"");
        if (item >= 0) {
            m_iNewItem = item;
            if (!EditItem(item))
                m_iNewItem = -1;
        }
        break;
    }
    case BGCEDITLISTBOX_BTN_DELETE_ID:
        if (sel >= 0 && OnBeforeRemoveItem(sel)) {
            RemoveItem(sel);
            SelectItem(std::min(sel, GetCount() - 1));
        }
        break;
    case BGCEDITLISTBOX_BTN_UP_ID:
        if (MoveItem(sel, sel - 1))
            OnAfterMoveItemUp(sel - 1);
        break;
    case BGCEDITLISTBOX_BTN_DOWN_ID:
        if (MoveItem(sel, sel + 1))
            OnAfterMoveItemDown(sel + 1);
        break;
    default:
        break;
    }
}

BOOL CBCGPEditListBox::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr->idFrom != kListId)
        return CWnd::OnNotify(wParam, lParam, pResult);
    switch (hdr->code) {
    case LVN_ENDLABELEDITW: {
        const NMLVDISPINFOW* info = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
        const int item = info->item.iItem;
        const bool named = info->item.pszText && info->item.pszText[0];
        const bool wasNew = item == m_iNewItem;
        m_iNewItem = -1;
        if (named) {
            m_list.SetItemText(item, 0, info->item.pszText);
            if (wasNew)
                OnAfterAddItem(item);
            else
                OnAfterRenameItem(item);
        } else if (wasNew) {
            // A new item left without a name is not kept.
            RemoveItem(item);
        }
        *pResult = named;
        return TRUE;
    }
    case LVN_ITEMCHANGED:
        if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE) {
            RedrawButtons();
            OnSelectionChanged();
        }
        break;
    case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
        const bool alt = ::GetKeyState(VK_MENU) < 0;
        UINT id = 0;
        if (key == VK_INSERT)
            id = BGCEDITLISTBOX_BTN_NEW_ID;
        else if (key == VK_DELETE)
            id = BGCEDITLISTBOX_BTN_DELETE_ID;
        else if (alt && key == VK_UP)
            id = BGCEDITLISTBOX_BTN_UP_ID;
        else if (alt && key == VK_DOWN)
            id = BGCEDITLISTBOX_BTN_DOWN_ID;
        else if (key == VK_F2)
            EditItem(GetSelItem());
        const int button = id ? GetButtonNum(id) : -1;
        if (button >= 0 && IsButtonEnabled(button))
            OnClickButton(button);
        break;
    }
    case NM_DBLCLK:
        EditItem(GetSelItem());
        break;
    default:
        break;
    }
    *pResult = 0;
    return TRUE;
}

void CBCGPEditListBox::Layout()
{
    if (!m_list.GetSafeHwnd())
        return;
    const CRect r = GetListRect();
    m_list.MoveWindow(r);
    m_list.SetColumnWidth(0, std::max(10, r.Width() - ::GetSystemMetrics(SM_CXVSCROLL)));
}

void CBCGPEditListBox::RedrawButtons()
{
    if (m_hWnd)
        InvalidateRect(GetCaptionRect(), FALSE);
}

void CBCGPEditListBox::DrawButton(CDC* pDC, int iButton)
{
    const CRect r = GetButtonRect(iButton);
    const BOOL enabled = IsButtonEnabled(iButton);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const COLORREF accent = manager->GetAccentColor();
    const int hot = m_hover.Hot();
    if (enabled && iButton == m_nPressed && iButton == hot)
        CBCGPDrawManager(*pDC).DrawRect(r, skinui::Lighter(accent, 0.6), skinui::Lighter(accent, 0.3));
    else if (enabled && (iButton == hot || iButton == m_nPressed))
        CBCGPDrawManager(*pDC).DrawRect(r, skinui::Lighter(accent, 0.82), skinui::Lighter(accent, 0.5));
    const COLORREF ink = enabled ? globalData.clrBarText : globalData.clrGrayedText;
    const CPoint c = r.CenterPoint();
    switch (GetButtonID(iButton)) {
    case BGCEDITLISTBOX_BTN_NEW_ID:
        // A plus in the accent colour: the one button that adds.
        pDC->FillSolidRect(c.x - 5, c.y - 1, 10, 2, enabled ? accent : ink);
        pDC->FillSolidRect(c.x - 1, c.y - 5, 2, 10, enabled ? accent : ink);
        break;
    case BGCEDITLISTBOX_BTN_DELETE_ID: {
        const win32::GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 2, ink));
        const win32::ScopedSelect selected(pDC->m_hDC, pen.Get());
        pDC->MoveTo(c.x - 4, c.y - 4);
        pDC->LineTo(c.x + 4, c.y + 4);
        pDC->MoveTo(c.x + 4, c.y - 4);
        pDC->LineTo(c.x - 4, c.y + 4);
        break;
    }
    case BGCEDITLISTBOX_BTN_UP_ID:
        Triangle(pDC, c, true, ink);
        break;
    case BGCEDITLISTBOX_BTN_DOWN_ID:
        Triangle(pDC, c, false, ink);
        break;
    default:
        break;
    }
}

void CBCGPEditListBox::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const COLORREF border = manager->GetControlBorderColor(FALSE, !IsWindowEnabled());
    CBCGPDrawManager(*pDC).DrawRect(client, (COLORREF)-1, border);
    const CRect caption = GetCaptionRect();
    pDC->FillSolidRect(caption, globalData.clrBarFace);
    pDC->FillSolidRect(caption.left, caption.bottom, caption.Width(), 1, border);
    CString text;
    GetWindowText(text);
    CRect textRect = caption;
    textRect.left += 6;
    textRect.right = GetButtonsCount() ? GetButtonRect(0).left - 4 : caption.right - 4;
    {
        const win32::ScopedSelect font(pDC->m_hDC, Font());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(IsWindowEnabled() ? globalData.clrBarText : globalData.clrGrayedText);
        pDC->DrawText(text, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    for (int i = 0; i < GetButtonsCount(); ++i)
        DrawButton(pDC, i);
    if (!m_list.GetSafeHwnd())
        pDC->FillSolidRect(GetListRect(), globalData.clrWindow);
}

LRESULT CBCGPEditListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_NCHITTEST:
        // A static placeholder would let the mouse through to the dialog.
        return HTCLIENT;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
        if (m_list.GetSafeHwnd())
            m_list.SetFocus();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        // Buffered, so that hovering over the buttons does not flicker.
        skinui::PaintBuffered(this, [this](CDC* dc) { Paint(dc); }, true);
        return 0;
    case WM_SIZE:
        Layout();
        Invalidate(FALSE);
        break;
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_ENABLE && m_list.GetSafeHwnd())
            m_list.EnableWindow(static_cast<BOOL>(wParam));
        Invalidate(FALSE);
        return result;
    }
    case WM_MOUSEMOVE:
        if (m_hover.Move(m_hWnd, HitButton(pt)))
            RedrawButtons();
        return 0;
    case WM_MOUSELEAVE:
        if (m_hover.Leave())
            RedrawButtons();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_nPressed = HitButton(pt);
        if (m_nPressed >= 0) {
            SetCapture();
            RedrawButtons();
        }
        return 0;
    case WM_LBUTTONUP: {
        const int pressed = m_nPressed;
        m_nPressed = -1;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        RedrawButtons();
        if (pressed >= 0 && HitButton(pt) == pressed && IsButtonEnabled(pressed))
            OnClickButton(pressed);
        return 0;
    }
    case WM_CAPTURECHANGED:
        m_nPressed = -1;
        RedrawButtons();
        break;
    default:
        if (message == BCGM_CHANGEVISUALMANAGER && m_list.GetSafeHwnd()) {
            m_list.SetBkColor(globalData.clrWindow);
            m_list.SetTextBkColor(globalData.clrWindow);
            m_list.SetTextColor(globalData.clrWindowText);
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

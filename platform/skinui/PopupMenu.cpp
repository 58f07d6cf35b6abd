#include "PopupMenu.h"
#include <algorithm>
#include "BCGPFrameWnd.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "ToolBar.h"
#include "VisualManager.h"

namespace {

const int kGutter = 34;       // the check column (and the command images)
const int kArrowColumn = 22;  // the sub-menu arrow
const int kSeparatorHeight = 7;

// A menu item's state as the command route sets it.
class MenuItemCmdUI : public CCmdUI {
public:
    bool* disabled = nullptr;
    bool* checked = nullptr;
    bool* radio = nullptr;
    CString* text = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        *disabled = !bOn;
    }
    void SetCheck(int nCheck) override
    {
        *checked = nCheck != 0;
        *radio = false;
    }
    void SetRadio(BOOL bOn) override
    {
        *checked = bOn != FALSE;
        *radio = bOn != FALSE;
    }
    void SetText(LPCTSTR lpszText) override
    {
        // The text before a tab; the accelerator part stays.
        CString value = lpszText ? lpszText : L"";
        const int tab = value.Find(L'\t');
        *text = tab >= 0 ? value.Left(tab) : value;
    }
};

}  // namespace

// The open menus of the thread, outermost first, and the keyboard hook that serves them.
struct PopupMenuSession {
    static std::vector<CBCGPPopupMenu*>& Menus()
    {
        static std::vector<CBCGPPopupMenu*> menus;
        return menus;
    }
    static HHOOK& Hook()
    {
        static HHOOK hook = nullptr;
        return hook;
    }
    static UINT& LastCommand()
    {
        static UINT command = 0;
        return command;
    }
    static CBCGPPopupMenu* MenuAt(POINT screen)
    {
        auto& menus = Menus();
        for (auto it = menus.rbegin(); it != menus.rend(); ++it) {
            CRect r;
            (*it)->GetWindowRect(&r);
            if (r.PtInRect(screen))
                return *it;
        }
        return nullptr;
    }
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && !(lParam & 0x80000000) && !Menus().empty()) {
            if (Menus().back()->HandleKey(static_cast<UINT>(wParam)))
                return 1;
        }
        return ::CallNextHookEx(Hook(), code, wParam, lParam);
    }
    static void Opened(CBCGPPopupMenu* menu)
    {
        Menus().push_back(menu);
        if (!Hook())
            Hook() = ::SetWindowsHookExW(WH_KEYBOARD, KeyboardProc, nullptr, ::GetCurrentThreadId());
    }
    static void Closed(CBCGPPopupMenu* menu)
    {
        auto& menus = Menus();
        menus.erase(std::remove(menus.begin(), menus.end(), menu), menus.end());
        if (menus.empty() && Hook()) {
            ::UnhookWindowsHookEx(Hook());
            Hook() = nullptr;
        }
    }
};

IMPLEMENT_DYNAMIC(CBCGPPopupMenu, CWnd)

BOOL CBCGPPopupMenu::m_bForceMenuFocus = TRUE;

CBCGPPopupMenu::CBCGPPopupMenu() = default;

CBCGPPopupMenu::~CBCGPPopupMenu()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

CBCGPPopupMenu* CBCGPPopupMenu::GetActiveMenu()
{
    auto& menus = PopupMenuSession::Menus();
    return menus.empty() ? nullptr : menus.back();
}

CBCGPPopupMenu* CBCGPPopupMenu::GetTopMenu()
{
    auto& menus = PopupMenuSession::Menus();
    return menus.empty() ? nullptr : menus.front();
}

UINT CBCGPPopupMenu::GetLastTrackedCommand()
{
    return PopupMenuSession::LastCommand();
}

CWnd* CBCGPPopupMenu::GetMessageWnd() const
{
    return m_hWndMessage ? CWnd::FromHandle(m_hWndMessage) : nullptr;
}

void CBCGPPopupMenu::ReadItems()
{
    m_items.clear();
    const int count = m_hMenu ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = { sizeof info };
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!::GetMenuItemInfoW(m_hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        Item item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.id = info.wID;
        item.hSubMenu = info.hSubMenu;
        item.disabled = (info.fState & MFS_DISABLED) != 0;
        item.checked = (info.fState & MFS_CHECKED) != 0;
        item.radio = (info.fType & MFT_RADIOCHECK) != 0;
        item.isDefault = (info.fState & MFS_DEFAULT) != 0;
        CString value = text;
        const int tab = value.Find(L'\t');
        item.text = tab >= 0 ? value.Left(tab) : value;
        item.accel = tab >= 0 ? value.Mid(tab + 1) : CString();
        m_items.push_back(item);
    }
}

void CBCGPPopupMenu::UpdateStates()
{
    CWnd* target = CWnd::FromHandlePermanent(m_hWndMessage);
    if (!target)
        return;
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, target);
    const BOOL disableIfNoHandler = frame ? frame->m_bAutoMenuEnable : FALSE;
    MenuItemCmdUI state;
    state.m_nIndexMax = static_cast<UINT>(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i) {
        Item& item = m_items[i];
        if (item.separator || item.hSubMenu || item.id == 0)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = item.id;
        state.disabled = &item.disabled;
        state.checked = &item.checked;
        state.radio = &item.radio;
        state.text = &item.text;
        state.DoUpdate(target, disableIfNoHandler);
    }
}

void CBCGPPopupMenu::Measure(CSize& size)
{
    CClientDC dc(CWnd::GetDesktopWindow());
    CFont* old = dc.SelectObject(&globalData.fontRegular);
    const int lineHeight = std::max(globalData.GetTextHeight() + 10, 24);
    int textWidth = 80, accelWidth = 0, y = 3;
    for (Item& item : m_items) {
        item.top = y;
        item.height = item.separator ? kSeparatorHeight : lineHeight;
        y += item.height;
        if (item.separator)
            continue;
        CString shown = item.text;
        shown.Remove(L'&');
        textWidth = std::max<int>(textWidth, dc.GetTextExtent(shown).cx);
        if (!item.accel.IsEmpty())
            accelWidth = std::max<int>(accelWidth, dc.GetTextExtent(item.accel).cx);
    }
    dc.SelectObject(old);
    size.cx = 2 + m_nLogoWidth + kGutter + textWidth + (accelWidth ? accelWidth + 32 : 0) + kArrowColumn + 2;
    size.cy = y + 3;
}

BOOL CBCGPPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL, BOOL bOwnMessage)
{
    if (m_hWnd || !hMenu || !::IsMenu(hMenu))
        return FALSE;
    // A new outermost menu replaces the menus that are open.
    if (!m_pParentMenu)
        while (CBCGPPopupMenu* top = GetTopMenu())
            top->CloseMenu();
    if (!m_pParentMenu)
        PopupMenuSession::LastCommand() = 0;
    m_hMenu = skinui::CopyMenu(hMenu);
    m_pParentWnd = pWndParent;
    m_bOwnMessage = bOwnMessage;
    if (m_pParentMenu) {
        m_hWndMessage = m_pParentMenu->m_hWndMessage;
    } else if (bOwnMessage && pWndParent) {
        m_hWndMessage = pWndParent->m_hWnd;
    } else if (auto* bar = DYNAMIC_DOWNCAST(CBCGPToolBar, pWndParent)) {
        CWnd* target = bar->GetCommandTarget();
        m_hWndMessage = target ? target->m_hWnd : nullptr;
    } else if (pWndParent) {
        // The frame the parent lives in: the top-level one.
        CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, pWndParent);
        if (!frame)
            frame = pWndParent->GetParentFrame();
        while (frame && frame->GetParentFrame())
            frame = frame->GetParentFrame();
        m_hWndMessage = frame ? frame->m_hWnd : pWndParent->GetTopLevelParent()->m_hWnd;
    }
    ReadItems();
    UpdateStates();
    if (CBCGPFrameWnd* frame = MessageFrame())
        frame->OnShowPopupMenu(this);
    CSize size;
    Measure(size);

    // On the monitor's work area: flipped left or up where it would not fit.
    CRect rect(CPoint(m_bRightAlign ? x - size.cx : x, y), size);
    MONITORINFO monitor = { sizeof monitor };
    ::GetMonitorInfoW(::MonitorFromPoint(CPoint(x, y), MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect work(monitor.rcWork);
    if (rect.right > work.right)
        rect.OffsetRect((m_pParentMenu ? x - size.cx - m_pParentMenu->GetItemRect(0).Width() : work.right - size.cx) - rect.left, 0);
    if (rect.left < work.left)
        rect.OffsetRect(work.left - rect.left, 0);
    if (rect.bottom > work.bottom)
        rect.OffsetRect(0, std::max<int>(work.top, work.bottom - size.cy) - rect.top);

    static LPCTSTR cls = AfxRegisterWndClass(CS_DROPSHADOW | CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
    HWND owner = pWndParent && pWndParent->m_hWnd ? pWndParent->GetTopLevelParent()->m_hWnd : nullptr;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls, L"", WS_POPUP, rect.left, rect.top, rect.Width(), rect.Height(), owner,
                  nullptr))
        return FALSE;
    PopupMenuSession::Opened(this);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture();
    // A menu that takes the keyboard starts on its first item.
    if (m_bForceMenuFocus && !m_pParentMenu)
        Move(1);
    return TRUE;
}

UINT CBCGPPopupMenu::GetMenuItemID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetMenuItemCount())
        return 0;
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    return item.hSubMenu ? static_cast<UINT>(-1) : item.id;
}

CString CBCGPPopupMenu::GetMenuItemText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetMenuItemCount() ? m_items[static_cast<size_t>(nIndex)].text : CString();
}

BOOL CBCGPPopupMenu::IsItemEnabled(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetMenuItemCount() && !m_items[static_cast<size_t>(nIndex)].disabled;
}

BOOL CBCGPPopupMenu::IsItemChecked(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetMenuItemCount() && m_items[static_cast<size_t>(nIndex)].checked;
}

CRect CBCGPPopupMenu::GetItemRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetMenuItemCount() || !m_hWnd)
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    return CRect(client.left + 2 + m_nLogoWidth, item.top, client.right - 2, item.top + item.height);
}

CBCGPFrameWnd* CBCGPPopupMenu::MessageFrame() const
{
    return DYNAMIC_DOWNCAST(CBCGPFrameWnd, CWnd::FromHandlePermanent(m_hWndMessage));
}

int CBCGPPopupMenu::ItemFromPoint(CPoint ptClient) const
{
    for (int i = 0; i < GetMenuItemCount(); ++i)
        if (GetItemRect(i).PtInRect(ptClient))
            return i;
    return -1;
}

void CBCGPPopupMenu::PaintMenu(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillMenuBackground(pDC, client);
    manager->OnDrawMenuBorder(pDC, client);
    if (m_nLogoWidth > 0)
        if (CBCGPFrameWnd* frame = MessageFrame())
            frame->OnDrawMenuLogo(pDC, this, CRect(client.left + 1, client.top + 1, client.left + 1 + m_nLogoWidth, client.bottom - 1));
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetMenuItemCount(); ++i) {
        const Item& item = m_items[static_cast<size_t>(i)];
        CRect r = GetItemRect(i);
        if (item.separator) {
            const int y = r.CenterPoint().y;
            pDC->FillSolidRect(CRect(r.left + kGutter, y, r.right - 4, y + 1), globalData.clrBarShadow);
            continue;
        }
        const BOOL hot = i == m_iHighlighted;
        if (hot)
            manager->OnHighlightMenuItem(pDC, r, item.disabled);
        CBCGPToolBarImages* images = nullptr;
        int image = -1;
        if (item.checked) {
            manager->OnDrawMenuCheck(pDC, CRect(r.left, r.top, r.left + kGutter, r.bottom), item.radio, item.disabled);
        } else if (!item.hSubMenu && skinui::FindCommandImage(item.id, images, image)) {
            // The command's tool-bar image, at most 20 pixels, in the check column.
            const CSize size = images->GetImageSize();
            const int side = std::min<int>(20, std::max<int>(size.cx, size.cy));
            const CPoint c(r.left + kGutter / 2, r.CenterPoint().y);
            images->DrawEx(pDC, CRect(c.x - side / 2, c.y - side / 2, c.x - side / 2 + side, c.y - side / 2 + side), image,
                           CRect(0, 0, 0, 0), item.disabled);
        }
        pDC->SetTextColor(manager->GetMenuItemTextColor(hot, item.disabled));
        CFont* itemFont = item.isDefault ? pDC->SelectObject(&globalData.fontBold) : nullptr;
        CRect text(r.left + kGutter, r.top, r.right - kArrowColumn, r.bottom);
        pDC->DrawText(item.text, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!item.accel.IsEmpty())
            pDC->DrawText(item.accel, text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        if (itemFont)
            pDC->SelectObject(itemFont);
        if (item.hSubMenu) {
            const COLORREF color = manager->GetMenuItemTextColor(hot, item.disabled);
            const CPoint c(r.right - kArrowColumn / 2, r.CenterPoint().y);
            for (int k = 0; k < 4; ++k)
                pDC->FillSolidRect(CRect(c.x - 2 + k, c.y - 3 + k, c.x - 1 + k, c.y + 4 - k), color);
        }
    }
    pDC->SelectObject(old);
}

void CBCGPPopupMenu::Highlight(int nIndex, BOOL bOpenSubMenu)
{
    if (nIndex >= 0 && m_items[static_cast<size_t>(nIndex)].separator)
        nIndex = -1;
    if (nIndex != m_iHighlighted) {
        if (m_pSubMenu)
            CloseSubMenu();
        m_iHighlighted = nIndex;
        Invalidate(FALSE);
    }
    if (bOpenSubMenu && nIndex >= 0 && m_items[static_cast<size_t>(nIndex)].hSubMenu && !m_pSubMenu &&
        !m_items[static_cast<size_t>(nIndex)].disabled)
        OpenSubMenu(nIndex);
}

void CBCGPPopupMenu::OpenSubMenu(int nIndex)
{
    CRect item = GetItemRect(nIndex);
    ClientToScreen(&item);
    auto* sub = new CBCGPPopupMenu;
    sub->m_pParentMenu = this;
    sub->m_bTrackMode = m_bTrackMode;
    m_pSubMenu = sub;
    if (!sub->Create(this, item.right, item.top - 3, m_items[static_cast<size_t>(nIndex)].hSubMenu, TRUE, m_bOwnMessage)) {
        m_pSubMenu = nullptr;
        delete sub;
    }
}

void CBCGPPopupMenu::CloseSubMenu()
{
    if (CBCGPPopupMenu* sub = m_pSubMenu) {
        m_pSubMenu = nullptr;
        sub->CloseMenu();
        if (m_hWnd)
            SetCapture();
    }
}

void CBCGPPopupMenu::CloseMenu(BOOL)
{
    if (m_pSubMenu) {
        CBCGPPopupMenu* sub = m_pSubMenu;
        m_pSubMenu = nullptr;
        sub->CloseMenu();
    }
    if (m_hWnd)
        DestroyWindow();
}

void CBCGPPopupMenu::Move(int nDelta)
{
    const int count = GetMenuItemCount();
    if (count == 0)
        return;
    int index = m_iHighlighted;
    for (int step = 0; step < count; ++step) {
        index = index < 0 ? (nDelta > 0 ? 0 : count - 1) : (index + nDelta + count) % count;
        if (!m_items[static_cast<size_t>(index)].separator) {
            Highlight(index, FALSE);
            return;
        }
    }
}

void CBCGPPopupMenu::ChooseItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetMenuItemCount())
        return;
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    if (item.separator || item.disabled)
        return;
    if (item.hSubMenu) {
        Highlight(nIndex, TRUE);
        if (m_pSubMenu)
            m_pSubMenu->Move(1);
        return;
    }
    Finish(item.id);
}

void CBCGPPopupMenu::Finish(UINT nCommand)
{
    PopupMenuSession::LastCommand() = nCommand;
    const HWND target = m_hWndMessage;
    const BOOL track = m_bTrackMode;
    if (CBCGPPopupMenu* top = GetTopMenu())
        top->CloseMenu();
    // Posted after the menus are gone, as a menu's command is.
    if (!track && nCommand && target && ::IsWindow(target))
        ::PostMessageW(target, WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
}

BOOL CBCGPPopupMenu::HandleKey(UINT nChar)
{
    switch (nChar) {
    case VK_ESCAPE:
        if (m_pParentMenu)
            m_pParentMenu->CloseSubMenu();
        else
            CloseMenu();
        return TRUE;
    case VK_UP:
        Move(-1);
        return TRUE;
    case VK_DOWN:
        Move(1);
        return TRUE;
    case VK_RIGHT:
        if (m_iHighlighted >= 0 && m_items[static_cast<size_t>(m_iHighlighted)].hSubMenu)
            ChooseItem(m_iHighlighted);
        return TRUE;
    case VK_LEFT:
        if (m_pParentMenu)
            m_pParentMenu->CloseSubMenu();
        return TRUE;
    case VK_RETURN:
    case VK_SPACE:
        if (m_iHighlighted >= 0)
            ChooseItem(m_iHighlighted);
        else
            CloseMenu();
        return TRUE;
    default:
        break;
    }
    // A mnemonic: the letter after '&'.
    const wchar_t key = static_cast<wchar_t>(::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR));
    if (key) {
        for (int i = 0; i < GetMenuItemCount(); ++i) {
            const CString& text = m_items[static_cast<size_t>(i)].text;
            const int amp = text.Find(L'&');
            if (amp >= 0 && amp + 1 < text.GetLength() && ::towupper(text[amp + 1]) == ::towupper(key)) {
                ChooseItem(i);
                return TRUE;
            }
        }
    }
    // Other keys do nothing while a menu is open.
    return TRUE;
}

LRESULT CBCGPPopupMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        skinui::PaintBuffered(this, [this](CDC* dc) { PaintMenu(dc); }, true);
        return 0;
    case WM_KEYDOWN:
        if (CBCGPPopupMenu* active = GetActiveMenu())
            active->HandleKey(static_cast<UINT>(wParam));
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        // The innermost menu holds the capture: the point goes to the menu under it.
        CPoint screen(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ClientToScreen(&screen);
        CBCGPPopupMenu* menu = PopupMenuSession::MenuAt(screen);
        if (menu) {
            CPoint pt = screen;
            menu->ScreenToClient(&pt);
            const int item = menu->ItemFromPoint(pt);
            if (message == WM_MOUSEMOVE)
                menu->Highlight(item, TRUE);
            else if (message == WM_LBUTTONUP || message == WM_RBUTTONUP)
                menu->ChooseItem(item);
            return 0;
        }
        CBCGPPopupMenu* top = GetTopMenu();
        CBCGPToolBar* bar = top ? top->m_pParentBar : nullptr;
        if (message == WM_MOUSEMOVE) {
            // Over another menu of the menu bar: that one opens instead.
            if (bar && bar->m_hWnd) {
                CPoint pt = screen;
                bar->ScreenToClient(&pt);
                auto* button = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, bar->GetButton(bar->HitTest(pt)));
                if (button && !button->IsDroppedDown() && button->GetMenu() && !button->IsDisabled()) {
                    top->CloseMenu();
                    button->OnDropDown();
                }
            }
            return 0;
        }
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
            if (top)
                top->CloseMenu();
        }
        return 0;
    }
    case WM_CAPTURECHANGED: {
        // Capture taken by a window that is none of the menus (another program, a dialog).
        HWND to = reinterpret_cast<HWND>(lParam);
        bool ours = false;
        for (CBCGPPopupMenu* menu : PopupMenuSession::Menus())
            ours = ours || menu->m_hWnd == to;
        if (!ours && to) {
            if (CBCGPPopupMenu* top = GetTopMenu())
                top->CloseMenu();
        }
        return 0;
    }
    case WM_CANCELMODE:
        if (CBCGPPopupMenu* top = GetTopMenu())
            top->CloseMenu();
        return 0;
    case WM_DESTROY: {
        PopupMenuSession::Closed(this);
        if (m_pParentMenu && m_pParentMenu->m_pSubMenu == this)
            m_pParentMenu->m_pSubMenu = nullptr;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (!m_pParentMenu && m_pParentBar && ::IsWindow(m_pParentBar->m_hWnd))
            m_pParentBar->OnPopupMenuClosed();
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CBCGPPopupMenu::PostNcDestroy()
{
    delete this;
}

namespace skinui {

UINT TrackPopupMenuModal(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    if (!hMenu)
        return 0;
    auto* popup = new CBCGPPopupMenu;
    popup->m_bTrackMode = TRUE;
    popup->SetRightAlign(bRightAlign);
    if (!popup->Create(pWndOwner, x, y, hMenu, TRUE, TRUE)) {
        delete popup;
        return 0;
    }
    const HWND hwnd = popup->m_hWnd;
    MSG msg;
    while (::IsWindow(hwnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the quit goes back for the main loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (CBCGPPopupMenu* top = CBCGPPopupMenu::GetTopMenu())
                top->CloseMenu();
            return 0;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return CBCGPPopupMenu::GetLastTrackedCommand();
}

} // namespace skinui

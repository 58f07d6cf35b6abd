#include "BCGPMDIFrameWnd.h"
#include <windowsx.h>
#include <algorithm>
#include "DockManager.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Workspace.h"

namespace {

// Posted to the frame when a child came, went, was activated or retitled.
UINT UpdateTabsMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"SkinUI.UpdateMDITabs");
    return message;
}

const DWORD kFrameBits = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The windows dialog, made in memory: a list of the children and its buttons.
enum { kListId = 100, kCloseWindowsId = 101 };

void AppendString(std::vector<WORD>& t, const wchar_t* s)
{
    do
        t.push_back(static_cast<WORD>(*s));
    while (*s++);
}

void AppendItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls, const wchar_t* text)
{
    while (t.size() % 2)   // items start on DWORD boundaries
        t.push_back(0);
    DLGITEMTEMPLATE item = { style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id };
    const WORD* raw = reinterpret_cast<const WORD*>(&item);
    t.insert(t.end(), raw, raw + sizeof item / sizeof(WORD));
    t.push_back(0xFFFF);
    t.push_back(cls);
    AppendString(t, text);
    t.push_back(0);   // no creation data
}

std::vector<WORD> WindowsDialogTemplate()
{
    std::vector<WORD> t;
    DLGTEMPLATE dlg = { DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 4, 0, 0, 270, 150 };
    const WORD* raw = reinterpret_cast<const WORD*>(&dlg);
    t.insert(t.end(), raw, raw + sizeof dlg / sizeof(WORD));
    t.push_back(0);   // no menu
    t.push_back(0);   // the dialog class
    AppendString(t, L"Windows");
    t.push_back(8);
    AppendString(t, L"MS Shell Dlg");
    AppendItem(t, LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 186, 136,
               kListId, 0x0083, L"");
    AppendItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 200, 7, 63, 14, IDOK, 0x0080, L"&Activate");
    AppendItem(t, BS_PUSHBUTTON | WS_TABSTOP, 200, 25, 63, 14, kCloseWindowsId, 0x0080, L"&Close Window(s)");
    AppendItem(t, BS_PUSHBUTTON | WS_TABSTOP, 200, 129, 63, 14, IDCANCEL, 0x0080, L"Close");
    return t;
}

void FillWindowsList(HWND dlg, CBCGPMDIFrameWnd* frame)
{
    HWND list = ::GetDlgItem(dlg, kListId);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    CMDIChildWnd* active = frame->MDIGetActive();
    for (HWND child = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(child)))
            continue;
        wchar_t title[256] = {};
        ::GetWindowTextW(child, title, 256);
        const LRESULT index = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
        ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(child));
        if (active && active->m_hWnd == child)
            ::SendMessageW(list, LB_SETSEL, TRUE, index);
    }
}

INT_PTR CALLBACK WindowsDialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* frame = reinterpret_cast<CBCGPMDIFrameWnd*>(::GetWindowLongPtrW(dlg, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dlg, DWLP_USER, lParam);
        FillWindowsList(dlg, reinterpret_cast<CBCGPMDIFrameWnd*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        HWND list = ::GetDlgItem(dlg, kListId);
        const UINT id = LOWORD(wParam);
        if (id == IDOK || (id == kListId && HIWORD(wParam) == LBN_DBLCLK)) {
            int index = 0;
            if (::SendMessageW(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index)) == 1) {
                HWND child = reinterpret_cast<HWND>(::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
                if (::IsWindow(child))
                    frame->MDIActivate(CWnd::FromHandle(child));
            }
            ::EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (id == kCloseWindowsId) {
            const int count = static_cast<int>(::SendMessageW(list, LB_GETSELCOUNT, 0, 0));
            std::vector<int> chosen(static_cast<size_t>(std::max(count, 0)));
            if (count > 0)
                ::SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(chosen.data()));
            std::vector<HWND> children;
            for (int index : chosen)
                children.push_back(reinterpret_cast<HWND>(::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0)));
            // A child may refuse (unsaved work it asks about); it then stays in the list.
            for (HWND child : children)
                if (::IsWindow(child))
                    ::SendMessageW(child, WM_CLOSE, 0, 0);
            FillWindowsList(dlg, frame);
            return TRUE;
        }
        if (id == IDCANCEL) {
            ::EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return FALSE;
}

} // namespace

namespace skinui {

void LayoutTabGroups(const RECT& client, int count, BOOL bVert, RECT* groups)
{
    if (count <= 0)
        return;
    std::vector<int> weights(static_cast<size_t>(count), 1);
    SplitAlong(client, bVert != FALSE, weights.data(), weights.size(), groups);
}

} // namespace skinui

// ---------------------------------------------------------------------------------------------
// CBCGPMDIFrameWnd

IMPLEMENT_DYNCREATE(CBCGPMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CBCGPMDIFrameWnd, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CBCGPMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CBCGPFrameBase::RecalcLayout(bNotify);
    UpdateMDITabbedGroups();
}

BOOL CBCGPMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    if (!CMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu))
        return FALSE;
    // Slid-out panes lie over the client: it must not paint over them.
    ::SetWindowLongPtrW(m_hWndMDIClient, GWL_STYLE, ::GetWindowLongPtrW(m_hWndMDIClient, GWL_STYLE) | WS_CLIPSIBLINGS);
    return TRUE;
}

void CBCGPMDIFrameWnd::EnableMDITabbedGroups(BOOL bEnable, const CBCGPMDITabParams& params)
{
    m_tabParams = params;
    if (bEnable == m_bTabbedGroups)
        return;
    m_bTabbedGroups = bEnable;
    if (!bEnable) {
        // Back to plain MDI: every child framed and shown again.
        for (Group& g : m_groups) {
            for (HWND child : g.children)
                if (::IsWindow(child)) {
                    SetChildFramed(child, true);
                    ::ShowWindow(child, SW_SHOWNOACTIVATE);
                }
            if (g.strip && g.strip->m_hWnd)
                g.strip->DestroyWindow();
        }
        m_groups.clear();
        if (m_hWndMDIClient)
            ::SetWindowLongPtrW(m_hWndMDIClient, GWL_EXSTYLE, ::GetWindowLongPtrW(m_hWndMDIClient, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    } else if (m_hWndMDIClient) {
        ::SetWindowLongPtrW(m_hWndMDIClient, GWL_EXSTYLE, ::GetWindowLongPtrW(m_hWndMDIClient, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    }
    if (m_hWndMDIClient)
        ::SetWindowPos(m_hWndMDIClient, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RecalcLayout();
}

void CBCGPMDIFrameWnd::SetChildFramed(HWND child, bool framed)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
    const DWORD wanted = framed ? (style | kFrameBits) : (style & ~kFrameBits & ~WS_MAXIMIZE);
    if (!framed && (style & WS_MAXIMIZE))
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    if (wanted != style) {
        ::SetWindowLongPtrW(child, GWL_STYLE, static_cast<LONG_PTR>(wanted));
        ::SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void CBCGPMDIFrameWnd::SyncGroups()
{
    std::vector<HWND> children;
    for (HWND child = m_hWndMDIClient ? ::GetWindow(m_hWndMDIClient, GW_CHILD) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(child)))
            children.push_back(child);
    const auto alive = [&children](HWND h) { return std::find(children.begin(), children.end(), h) != children.end(); };
    for (Group& g : m_groups)
        g.children.erase(std::remove_if(g.children.begin(), g.children.end(), [&](HWND h) { return !alive(h); }), g.children.end());
    CMDIChildWnd* activeChild = MDIGetActive();
    const HWND active = activeChild ? activeChild->m_hWnd : nullptr;
    int target = std::max(0, FindMDITabGroup(activeChild));
    // Children new to the tabs join the group the user works in; the z-order lists the newest
    // first, so they are added from the back.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (FindMDITabGroup(CWnd::FromHandle(*it)) < 0) {
            if (m_groups.empty())
                m_groups.emplace_back();
            target = std::min(target, static_cast<int>(m_groups.size()) - 1);
            m_groups[static_cast<size_t>(target)].children.push_back(*it);
        }
    for (auto it = m_groups.begin(); it != m_groups.end();) {
        if (it->children.empty() && m_groups.size() > 1) {
            if (it->strip && it->strip->m_hWnd)
                it->strip->DestroyWindow();
            it = m_groups.erase(it);
        } else {
            ++it;
        }
    }
    for (Group& g : m_groups) {
        if (std::find(g.children.begin(), g.children.end(), active) != g.children.end())
            g.active = active;
        if (std::find(g.children.begin(), g.children.end(), g.active) == g.children.end())
            g.active = g.children.empty() ? nullptr : g.children.front();
    }
}

void CBCGPMDIFrameWnd::UpdateMDITabbedGroups()
{
    if (!m_bTabbedGroups || !m_hWndMDIClient || m_inTabLayout)
        return;
    m_inTabLayout = true;
    SyncGroups();
    RECT client;
    ::GetClientRect(m_hWndMDIClient, &client);
    std::vector<RECT> rects(m_groups.size());
    skinui::LayoutTabGroups(client, static_cast<int>(m_groups.size()), m_bVertGroups, rects.data());
    const int stripHeight = CBCGPMDITabGroupWnd::GetHeight();
    for (size_t i = 0; i < m_groups.size(); ++i) {
        Group& g = m_groups[i];
        const CRect r(rects[i]);
        if (!g.strip) {
            g.strip = std::make_unique<CBCGPMDITabGroupWnd>(this, static_cast<int>(i));
            if (!g.strip->Create(m_hWndMDIClient)) {
                g.strip.reset();
                continue;
            }
        }
        g.strip->SetGroup(static_cast<int>(i));
        // A thin gap parts groups that stand side by side.
        const int gap = i + 1 < m_groups.size() ? 3 : 0;
        const CRect body(r.left, r.top + stripHeight, r.right - (m_bVertGroups ? gap : 0), r.bottom - (m_bVertGroups ? 0 : gap));
        g.strip->SetWindowPos(&CWnd::wndTop, r.left, r.top, body.Width(), stripHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        g.strip->Invalidate();
        for (HWND child : g.children) {
            SetChildFramed(child, false);
            if (child == g.active)
                ::SetWindowPos(child, HWND_BOTTOM, body.left, body.top, body.Width(), body.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
            else
                ::ShowWindow(child, SW_HIDE);
        }
    }
    m_inTabLayout = false;
}

std::vector<CMDIChildWnd*> CBCGPMDIFrameWnd::GetMDITabGroupChildren(int nGroup) const
{
    std::vector<CMDIChildWnd*> result;
    if (nGroup < 0 || nGroup >= GetMDITabGroupCount())
        return result;
    for (HWND child : m_groups[static_cast<size_t>(nGroup)].children)
        if (auto* frame = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(child)))
            result.push_back(frame);
    return result;
}

CMDIChildWnd* CBCGPMDIFrameWnd::GetMDITabGroupActive(int nGroup) const
{
    if (nGroup < 0 || nGroup >= GetMDITabGroupCount())
        return nullptr;
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(m_groups[static_cast<size_t>(nGroup)].active));
}

int CBCGPMDIFrameWnd::FindMDITabGroup(const CWnd* pChild) const
{
    if (!pChild)
        return -1;
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (std::find(m_groups[i].children.begin(), m_groups[i].children.end(), pChild->m_hWnd) != m_groups[i].children.end())
            return static_cast<int>(i);
    return -1;
}

void CBCGPMDIFrameWnd::TakeOutOfGroup(int nGroup, HWND child)
{
    Group& g = m_groups[static_cast<size_t>(nGroup)];
    const auto it = std::find(g.children.begin(), g.children.end(), child);
    if (it == g.children.end())
        return;
    // The neighbour of the child that leaves comes to the front.
    const size_t index = static_cast<size_t>(it - g.children.begin());
    g.children.erase(it);
    if (g.active == child)
        g.active = g.children.empty() ? nullptr : g.children[std::min(index, g.children.size() - 1)];
}

BOOL CBCGPMDIFrameWnd::MDITabNewGroup(BOOL bVert)
{
    if (!m_bTabbedGroups)
        return FALSE;
    SyncGroups();
    CMDIChildWnd* active = MDIGetActive();
    const int from = FindMDITabGroup(active);
    // A group of one child cannot give it away: there would be an empty group left.
    if (from < 0 || m_groups[static_cast<size_t>(from)].children.size() < 2)
        return FALSE;
    if (m_groups.size() > 1 && (bVert != FALSE) != (m_bVertGroups != FALSE))
        return FALSE;   // groups go all one way
    m_bVertGroups = bVert;
    TakeOutOfGroup(from, active->m_hWnd);
    Group made;
    made.children.push_back(active->m_hWnd);
    made.active = active->m_hWnd;
    m_groups.insert(m_groups.begin() + from + 1, std::move(made));
    UpdateMDITabbedGroups();
    return TRUE;
}

BOOL CBCGPMDIFrameWnd::MDITabMoveToNextGroup(BOOL bNext)
{
    if (!m_bTabbedGroups)
        return FALSE;
    SyncGroups();
    CMDIChildWnd* active = MDIGetActive();
    const int from = FindMDITabGroup(active);
    const int to = from + (bNext ? 1 : -1);
    if (from < 0 || to < 0 || to >= GetMDITabGroupCount())
        return FALSE;
    TakeOutOfGroup(from, active->m_hWnd);
    m_groups[static_cast<size_t>(to)].children.push_back(active->m_hWnd);
    m_groups[static_cast<size_t>(to)].active = active->m_hWnd;
    UpdateMDITabbedGroups();
    return TRUE;
}

BOOL CBCGPMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, UINT uiMenuTextResId, BOOL bShowAllways, BOOL bShowHelpButton,
                                           BOOL bShowSaveButton)
{
    CString text;
    if (!text.LoadString(uiMenuTextResId))
        text = L"&Windows...";
    return EnableWindowsDialog(uiMenuId, text, bShowAllways, bShowHelpButton, bShowSaveButton);
}

BOOL CBCGPMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, LPCTSTR lpszMenuText, BOOL, BOOL, BOOL)
{
    m_uiWindowsDlgMenuId = uiMenuId;
    m_strWindowsDlgMenuText = lpszMenuText ? lpszMenuText : L"&Windows...";
    // The item goes at the end of the window menu, once.
    if (HMENU window = m_hWnd ? FindWindowMenu(::GetMenu(m_hWnd)) : nullptr)
        if (::GetMenuState(window, uiMenuId, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
            ::AppendMenuW(window, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(window, MF_STRING, uiMenuId, m_strWindowsDlgMenuText);
        }
    return uiMenuId != 0;
}

void CBCGPMDIFrameWnd::ShowWindowsDialog()
{
    std::vector<WORD> tmpl = WindowsDialogTemplate();
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()), m_hWnd,
                              WindowsDialogProc, reinterpret_cast<LPARAM>(this));
}

void CBCGPMDIFrameWnd::OnDestroy()
{
    m_bTabbedGroups = FALSE;
    m_groups.clear();
    CMDIFrameWnd::OnDestroy();
}

BOOL CBCGPMDIFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == UpdateTabsMessage()) {
        UpdateMDITabbedGroups();
        *pResult = 0;
        return TRUE;
    }
    // The windows dialog's command when the program did not take it over.
    if (message == WM_COMMAND && lParam == 0 && m_uiWindowsDlgMenuId && LOWORD(wParam) == m_uiWindowsDlgMenuId &&
        !m_Impl.HasCommandHandler(m_uiWindowsDlgMenuId)) {
        ShowWindowsDialog();
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_INITMENUPOPUP && m_uiWindowsDlgMenuId) {
        const BOOL handled = CBCGPFrameBase::OnWndMsg(message, wParam, lParam, pResult);
        // The windows dialog is always there to open, with a handler of its own or not.
        ::EnableMenuItem(reinterpret_cast<HMENU>(wParam), m_uiWindowsDlgMenuId, MF_BYCOMMAND | MF_ENABLED);
        return handled;
    }
    return CBCGPFrameBase::OnWndMsg(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------------
// CBCGPMDIChildWnd

IMPLEMENT_DYNCREATE(CBCGPMDIChildWnd, CMDIChildWnd)

CBCGPMDIFrameWnd* CBCGPMDIChildWnd::GetBCGPMDIFrame() const
{
    return DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, GetMDIFrame());
}

void CBCGPMDIChildWnd::OnChangeVisualManager()
{
    if (!m_hWnd)
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->PostMessage(UpdateTabsMessage());
}

BOOL CBCGPMDIChildWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const BOOL handled = CMDIChildWnd::OnWndMsg(message, wParam, lParam, pResult);
    switch (message) {
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SETTEXT:
    case WM_MDIACTIVATE:
        if (CMDIFrameWnd* frame = GetMDIFrame(); frame && frame->m_hWnd)
            frame->PostMessage(UpdateTabsMessage());
        break;
    default:
        break;
    }
    return handled;
}

// ---------------------------------------------------------------------------------------------
// CBCGPMDITabGroupWnd

BOOL CBCGPMDITabGroupWnd::Create(HWND hWndMDIClient)
{
    const CString cls = globalData.RegisterWindowClass(L"BCGPMDITabs");
    return CreateEx(0, cls, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, hWndMDIClient, nullptr);
}

int CBCGPMDITabGroupWnd::GetHeight()
{
    return globalData.GetTextHeight() + 12;
}

CRect CBCGPMDITabGroupWnd::GetTabRect(int nIndex) const
{
    const std::vector<CMDIChildWnd*> children = m_pFrame->GetMDITabGroupChildren(m_nGroup);
    if (nIndex < 0 || nIndex >= static_cast<int>(children.size()))
        return CRect();
    CRect client;
    GetClientRect(&client);
    CClientDC dc(const_cast<CBCGPMDITabGroupWnd*>(this));
    CFont* old = dc.SelectObject(&globalData.fontRegular);
    std::vector<int> widths;
    int total = 0;
    for (CMDIChildWnd* child : children) {
        CString title;
        child->GetWindowText(title);
        const int w = dc.GetTextExtent(title).cx + 24 + 18 + (m_pFrame->GetMDITabParams().m_bTabIcons && child->GetIcon(FALSE) ? globalData.GetSmallIconSpace() : 0);
        widths.push_back(std::min(w, 260));
        total += widths.back();
    }
    dc.SelectObject(old);
    const int available = client.Width() - 4;
    int left = 2;
    for (int i = 0; i < nIndex; ++i)
        left += total > available ? widths[static_cast<size_t>(i)] * available / total : widths[static_cast<size_t>(i)];
    const int w = total > available ? widths[static_cast<size_t>(nIndex)] * available / total : widths[static_cast<size_t>(nIndex)];
    return CRect(left, client.top + 3, left + w, client.bottom);
}

CRect CBCGPMDITabGroupWnd::GetCloseRect(int nIndex) const
{
    const std::vector<CMDIChildWnd*> children = m_pFrame->GetMDITabGroupChildren(m_nGroup);
    if (nIndex < 0 || nIndex >= static_cast<int>(children.size()) || !m_pFrame->GetMDITabParams().m_bActiveTabCloseButton ||
        children[static_cast<size_t>(nIndex)] != m_pFrame->GetMDITabGroupActive(m_nGroup))
        return CRect();
    const CRect tab = GetTabRect(nIndex);
    const CPoint c(tab.right - 12, tab.CenterPoint().y);
    return CRect(c.x - 7, c.y - 7, c.x + 7, c.y + 7);
}

int CBCGPMDITabGroupWnd::TabFromPoint(CPoint pt) const
{
    const int count = static_cast<int>(m_pFrame->GetMDITabGroupChildren(m_nGroup).size());
    for (int i = 0; i < count; ++i)
        if (GetTabRect(i).PtInRect(pt))
            return i;
    return -1;
}

void CBCGPMDITabGroupWnd::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillTabArea(pDC, client, TRUE);
    const std::vector<CMDIChildWnd*> children = m_pFrame->GetMDITabGroupChildren(m_nGroup);
    CMDIChildWnd* front = m_pFrame->GetMDITabGroupActive(m_nGroup);
    CMDIChildWnd* active = m_pFrame->MDIGetActive();
    const auto [hot, closeHot] = m_hover.Hot();
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = 0; i < static_cast<int>(children.size()); ++i) {
        CMDIChildWnd* child = children[static_cast<size_t>(i)];
        CRect r = GetTabRect(i);
        const BOOL isFront = child == front;
        // The front tab of the group the user works in carries the accent; other groups' front
        // tabs stay light.
        if (isFront && child != active) {
            pDC->FillSolidRect(r, skinui::Mix(globalData.clrBarFace, manager->GetAccentColor(), 0.35));
        } else {
            manager->OnDrawTab(pDC, r, isFront, i == hot, TRUE);
        }
        r.left += 10;
        if (m_pFrame->GetMDITabParams().m_bTabIcons)
            if (HICON icon = child->GetIcon(FALSE)) {
                ::DrawIconEx(pDC->m_hDC, r.left, r.CenterPoint().y - globalData.GetSmallIconSize() / 2, icon, globalData.GetSmallIconSize(), globalData.GetSmallIconSize(), 0, nullptr, DI_NORMAL);
                r.left += globalData.GetSmallIconSpace();
            }
        CString title;
        child->GetWindowText(title);
        r.right -= 22;
        pDC->SetTextColor(isFront && child == active ? RGB(255, 255, 255) : manager->GetTabTextColor(isFront, i == hot));
        pDC->DrawText(title, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        const CRect close = GetCloseRect(i);
        if (!close.IsRectEmpty()) {
            const COLORREF glyph = child == active ? RGB(255, 255, 255) : globalData.clrBarText;
            if (closeHot)
                pDC->FillSolidRect(close, child == active ? skinui::Lighter(manager->GetAccentColor(), 0.25)
                                                          : skinui::Darker(globalData.clrBarFace, 0.1));
            const CPoint c = close.CenterPoint();
            CBCGPDrawManager dm(*pDC);
            dm.DrawLine(c.x - 3, c.y - 3, c.x + 4, c.y + 4, glyph);
            dm.DrawLine(c.x + 3, c.y - 3, c.x - 4, c.y + 4, glyph);
        }
    }
    pDC->SelectObject(old);
}

BOOL CBCGPMDITabGroupWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_ERASEBKGND:
        *pResult = 1;
        return TRUE;
    case WM_PAINT:
        skinui::PaintBuffered(this, [this](CDC* dc) { Paint(dc); });
        *pResult = 0;
        return TRUE;
    case WM_MOUSEMOVE: {
        const int hot = TabFromPoint(pt);
        if (m_hover.Move(m_hWnd, { hot, GetCloseRect(hot).PtInRect(pt) }))
            Invalidate();
        *pResult = 0;
        return TRUE;
    }
    case WM_MOUSELEAVE:
        if (m_hover.Leave())
            Invalidate();
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONUP: {
        const int tab = TabFromPoint(pt);
        const std::vector<CMDIChildWnd*> children = m_pFrame->GetMDITabGroupChildren(m_nGroup);
        if (tab >= 0) {
            CMDIChildWnd* child = children[static_cast<size_t>(tab)];
            // The close button and a middle click close the child; a click brings it up.
            if (message == WM_MBUTTONUP || GetCloseRect(tab).PtInRect(pt))
                child->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
            else
                m_pFrame->MDIActivate(child);
        }
        *pResult = 0;
        return TRUE;
    }
    default:
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
}

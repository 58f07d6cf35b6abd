#include "ControlBar.h"
#include "FrameWnd.h"
#include "Win32Owners.h"

namespace {

// A tool-bar button's command state.
class ToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ::SendMessageW(m_pOther->m_hWnd, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        // 2 (indeterminate) shows as a pressed-in button as well.
        ::SendMessageW(m_pOther->m_hWnd, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck ? TRUE : FALSE, 0));
        ::SendMessageW(m_pOther->m_hWnd, TB_INDETERMINATE, m_nID, MAKELPARAM(nCheck == 2 ? TRUE : FALSE, 0));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}
};

} // namespace

// A status-bar pane's command state: a disabled pane shows no text.
class StatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CStatusBar::Pane& pane = bar->m_panes[m_nIndex];
        if (pane.enabled != (bOn != FALSE)) {
            pane.enabled = bOn != FALSE;
            bar->SetPaneText(static_cast<int>(m_nIndex), pane.text);
        }
    }
    void SetCheck(int nCheck) override
    {
        // A checked pane looks raised.
        const CStatusBar::Pane& pane = bar->m_panes[m_nIndex];
        ::SendMessageW(bar->m_hWnd, SB_SETTEXTW, m_nIndex | (nCheck ? SBT_POPOUT : 0),
                       reinterpret_cast<LPARAM>(pane.enabled ? pane.text.GetString() : L""));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override { bar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }
};

// ---------------------------------------------------------------------------------------------
// CControlBar

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

DWORD CControlBar::WindowStyle(DWORD dwStyle)
{
    return dwStyle & ~static_cast<DWORD>(CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY);
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    RECT r = {};
    if (m_hWnd)
        GetWindowRect(&r);
    return CSize(r.right - r.left, r.bottom - r.top);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    return GetParentFrame();
}

BOOL CControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_IDLEUPDATECMDUI) {
        CFrameWnd* frame = GetDockingFrame();
        if (frame && IsVisible())
            OnUpdateCmdUI(frame, static_cast<BOOL>(wParam));
        *pResult = 0;
        return TRUE;
    }
    if (CWnd::OnWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    // The bar's items are the frame's commands: what the bar does not handle goes there.
    if (message == WM_COMMAND || message == WM_NOTIFY) {
        HWND parent = ::GetParent(m_hWnd);
        if (parent) {
            *pResult = ::SendMessageW(parent, message, wParam, lParam);
            return TRUE;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// CToolBar

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY);
    // The frame places the bar: the control neither sizes nor places itself.
    const DWORD style = WindowStyle(dwStyle) | WS_CHILD | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                        ((m_dwStyle & CBRS_TOOLTIPS) ? TBSTYLE_TOOLTIPS : 0) |
                        ((m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CCS_VERT : 0);
    if (!CreateEx(0, TOOLBARCLASSNAMEW, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(nIDResource), RT_BITMAP);
    if (!module)
        return FALSE;
    const win32::GdiObject<HBITMAP> bitmap(
        static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(nIDResource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap.IsValid())
        return FALSE;
    BITMAP info = {};
    ::GetObjectW(bitmap.Get(), sizeof info, &info);
    TBADDBITMAP add = { module, nIDResource };
    return SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(info.bmWidth / 16), reinterpret_cast<LPARAM>(&add)) != -1;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount > 0 ? nIDCount : 0));
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& b = buttons[static_cast<size_t>(i)];
        b.idCommand = static_cast<int>(lpIDArray[i]);
        if (lpIDArray[i] == ID_SEPARATOR) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 6;   // the gap's width
        } else {
            b.fsStyle = BTNS_BUTTON;
            b.fsState = TBSTATE_ENABLED;
            b.iBitmap = image++;
        }
    }
    return buttons.empty() || SendMessage(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON b = {};
    return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b)) ? static_cast<UINT>(b.idCommand) : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON b = {};
    return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b)) ? b.fsState : 0;
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    const DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    // A few pixels of margin round the buttons.
    return bHorz ? CSize(0, HIWORD(size) + 6) : CSize(LOWORD(size) + 6, 0);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    ToolCmdUI state;
    state.m_pOther = this;
    const int count = GetCount();
    state.m_nIndexMax = static_cast<UINT>(count);
    for (int i = 0; i < count; ++i) {
        TBBUTTON b = {};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b)) || (b.fsStyle & BTNS_SEP))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(b.idCommand);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

// ---------------------------------------------------------------------------------------------
// CStatusBar

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALIGN_ANY;
    const DWORD style = WindowStyle(dwStyle) | WS_CHILD | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    return CreateEx(0, STATUSCLASSNAMEW, nullptr, style, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 1 || nIDCount > 255)
        return FALSE;
    m_panes.clear();
    {
        CClientDC dc(this);
        const win32::ScopedSelect font(dc.m_hDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
        for (int i = 0; i < nIDCount; ++i) {
            Pane pane = { lpIDArray[i], 0, CString(), true };
            if (pane.id != ID_SEPARATOR)
                pane.text.LoadString(pane.id);
            SIZE extent = {};
            ::GetTextExtentPoint32W(dc.m_hDC, pane.text, pane.text.GetLength(), &extent);
            pane.width = extent.cx + 12;
            m_panes.push_back(pane);
        }
    }
    ApplyPaneWidths();
    for (int i = 0; i < nIDCount; ++i)
        SetPaneText(i, m_panes[static_cast<size_t>(i)].text);
    return TRUE;
}

void CStatusBar::ApplyPaneWidths()
{
    if (m_panes.empty())
        return;
    RECT client;
    GetClientRect(&client);
    // Right edges: pane 0 takes the width the others leave.
    std::vector<int> edges(m_panes.size());
    int right = client.right;
    for (size_t i = m_panes.size(); i-- > 1;) {
        edges[i] = right;
        right -= m_panes[i].width;
    }
    edges[0] = std::max(right, 0);
    if (m_panes.size() > 0)
        edges[m_panes.size() - 1] = -1;   // to the right end
    SendMessage(SB_SETPARTS, m_panes.size(), reinterpret_cast<LPARAM>(edges.data()));
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].id : 0;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == nIDFind)
            return static_cast<int>(i);
    return -1;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.text = lpszNewText ? lpszNewText : L"";
    SendMessage(SB_SETTEXTW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pane.enabled ? pane.text.GetString() : L""));
    if (bUpdate)
        UpdateWindow();
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].text : CString();
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    CClientDC dc(this);
    const win32::ScopedSelect font(dc.m_hDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc.m_hDC, &metrics);
    return CSize(0, metrics.tmHeight + 8);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    StatusCmdUI state;
    state.bar = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    // Pane 0 shows the prompts: it has no command. The others are indicators, not commands:
    // no pane goes blank for want of a command handler.
    for (size_t i = 1; i < m_panes.size(); ++i) {
        if (m_panes[i].id == ID_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_panes[i].id;
        state.DoUpdate(pTarget, FALSE);
    }
}

BOOL CStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SIZE) {
        *pResult = DefWindowProc(message, wParam, lParam);
        ApplyPaneWidths();
        return TRUE;
    }
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------------------------
// CDialogBar

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace {
INT_PTR CALLBACK DialogBarProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}
} // namespace

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    if (m_hWnd || !pParentWnd)
        return FALSE;
    m_dwStyle = nStyle & CBRS_ALIGN_ANY;
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(nIDTemplate), RT_DIALOG);
    if (!module)
        return FALSE;
    appframe::BeginCreation(this, WC_DIALOG);
    HWND hwnd = ::CreateDialogParamW(module, MAKEINTRESOURCEW(nIDTemplate), pParentWnd->m_hWnd, DialogBarProc, 0);
    appframe::EndCreation();
    if (!hwnd || hwnd != m_hWnd) {
        if (hwnd)
            ::DestroyWindow(hwnd);
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    RECT r;
    GetWindowRect(&r);
    m_sizeDefault = CSize(r.right - r.left, r.bottom - r.top);
    if (nStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL, BOOL)
{
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

#include "ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// The size of the first version of the record, which every version of the control accepts.
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

TOOLINFOW ToolInfo(CWnd* wnd, UINT_PTR id)
{
    TOOLINFOW info = {};
    info.cbSize = kToolInfoSize;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = id;
    if (id == 0 && wnd) {
        // The window itself is the tool.
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
        info.hwnd = ::GetParent(wnd->m_hWnd) ? ::GetParent(wnd->m_hWnd) : wnd->m_hWnd;
    }
    return info;
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    HWND owner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    const BOOL created = CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr);
    if (created)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return created;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFOW info = ToolInfo(pWnd, nIDTool);
    if (lpRectTool)
        info.rect = *lpRectTool;
    else if (nIDTool != 0 && pWnd)
        ::GetClientRect(pWnd->m_hWnd, &info.rect);
    info.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    const CString text(MAKEINTRESOURCEW(nIDText));
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW info = ToolInfo(pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    const CString text(MAKEINTRESOURCEW(nIDText));
    UpdateTipText(text, pWnd, nIDTool);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

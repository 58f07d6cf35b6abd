#include "Edit.h"
#include <algorithm>
#include <string>
#include <shlobj.h>
#include <commdlg.h>
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}
} // namespace

IMPLEMENT_DYNCREATE(CBCGPEdit, CEdit)

BEGIN_MESSAGE_MAP(CBCGPEdit, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
    ON_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMove)
    ON_MESSAGE(WM_NCMOUSELEAVE, OnNcMouseLeave)
END_MESSAGE_MAP()

void CBCGPEdit::EnableBrowseButton(BOOL bEnable, LPCTSTR szLabel)
{
    m_Mode = bEnable ? BrowseMode_Default : BrowseMode_None;
    m_strLabel = szLabel ? szLabel : L"...";
    RefreshFrame();
}

void CBCGPEdit::EnableFolderBrowseButton(LPCTSTR lpszTitle, UINT ulBrowseFolderFlags)
{
    m_Mode = BrowseMode_Folder;
    m_strBrowseTitle = lpszTitle ? lpszTitle : L"";
    m_ulBrowseFolderFlags = ulBrowseFolderFlags;
    m_strLabel = L"...";
    RefreshFrame();
}

void CBCGPEdit::EnableFileBrowseButton(LPCTSTR lpszDefExt, LPCTSTR lpszFilter)
{
    m_Mode = BrowseMode_File;
    m_strDefExt = lpszDefExt ? lpszDefExt : L"";
    m_strFilter = lpszFilter ? lpszFilter : L"";
    m_strLabel = L"...";
    RefreshFrame();
}

void CBCGPEdit::RefreshFrame()
{
    m_nBrowseButtonWidth = m_Mode == BrowseMode_None ? 0 : static_cast<int>(20 * globalData.GetRibbonImageScale());
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CBCGPEdit::GetBrowseButtonRect() const
{
    if (m_Mode == BrowseMode_None || !m_hWnd)
        return CRect();
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    return CRect(client.right - window.left, client.top - window.top, client.right + m_nBrowseButtonWidth - window.left,
                 client.bottom - window.top);
}

void CBCGPEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (m_Mode != BrowseMode_None && m_nBrowseButtonWidth == 0)
        m_nBrowseButtonWidth = static_cast<int>(20 * globalData.GetRibbonImageScale());
    if (m_Mode != BrowseMode_None)
        lpncsp->rgrc[0].right = std::max(lpncsp->rgrc[0].left, lpncsp->rgrc[0].right - m_nBrowseButtonWidth);
}

void CBCGPEdit::OnNcPaint()
{
    Default();
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const BOOL disabled = !IsWindowEnabled();
    // The flat frame over the system's 3-D one, and the inner line in the field's colour.
    if ((GetExStyle() & WS_EX_CLIENTEDGE) || (GetStyle() & WS_BORDER)) {
        manager->OnDrawControlBorder(&dc, window, this, ::GetFocus() == m_hWnd, disabled);
        if (GetExStyle() & WS_EX_CLIENTEDGE) {
            CRect inner = window;
            inner.DeflateRect(1, 1);
            const BOOL editable = !disabled && !(GetStyle() & ES_READONLY);
            CBCGPDrawManager(dc).DrawRect(inner, (COLORREF)-1, editable ? globalData.clrWindow : globalData.clrBarLight);
        }
    }
    const CRect button = GetBrowseButtonRect();
    if (!button.IsRectEmpty()) {
        manager->OnDrawEditBrowseButton(&dc, button, m_browseHover.Hot(), FALSE, disabled);
        const win32::ScopedSelect font(dc.m_hDC, globalData.fontRegular.GetSafeHandle());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(disabled ? globalData.clrGrayedText : globalData.clrBarText);
        CRect text = button;
        dc.DrawText(m_strLabel, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

LRESULT CBCGPEdit::OnNcHitTest(CPoint point)
{
    CRect button = GetBrowseButtonRect();
    if (!button.IsRectEmpty()) {
        CRect window;
        GetWindowRect(&window);
        button.OffsetRect(window.left, window.top);
        if (button.PtInRect(point))
            return HTBORDER;
    }
    return CEdit::OnNcHitTest(point);
}

LRESULT CBCGPEdit::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    CRect button = GetBrowseButtonRect();
    if (wParam == HTBORDER && !button.IsRectEmpty() && IsWindowEnabled()) {
        CRect window;
        GetWindowRect(&window);
        button.OffsetRect(window.left, window.top);
        if (button.PtInRect(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))) {
            SetFocus();
            OnBrowse();
            return 0;
        }
    }
    return Default();
}

LRESULT CBCGPEdit::OnNcMouseMove(WPARAM wParam, LPARAM)
{
    if (m_browseHover.Move(m_hWnd, wParam == HTBORDER && m_Mode != BrowseMode_None))
        SendMessage(WM_NCPAINT, 1);
    return Default();
}

LRESULT CBCGPEdit::OnNcMouseLeave(WPARAM, LPARAM)
{
    if (m_browseHover.Leave())
        SendMessage(WM_NCPAINT, 1);
    return Default();
}

void CBCGPEdit::OnBrowse()
{
    CString text;
    GetWindowText(text);
    BOOL picked = FALSE;
    if (m_Mode == BrowseMode_Folder)
        picked = BrowseForFolder(text);
    else if (m_Mode == BrowseMode_File)
        picked = BrowseForFile(text);
    if (!picked)
        return;
    SetWindowText(text);
    SetModify(TRUE);
    OnAfterUpdate();
}

void CBCGPEdit::OnAfterUpdate() {}

BOOL CBCGPEdit::BrowseForFolder(CString& strFolder)
{
    BROWSEINFOW bi = {};
    bi.hwndOwner = m_hWnd;
    bi.lpszTitle = m_strBrowseTitle.IsEmpty() ? nullptr : m_strBrowseTitle.GetString();
    bi.ulFlags = m_ulBrowseFolderFlags;
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(strFolder.GetString());
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
    if (!pidl)
        return FALSE;
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = ::SHGetPathFromIDListW(pidl, path);
    ::CoTaskMemFree(pidl);
    if (ok)
        strFolder = path;
    return ok;
}

BOOL CBCGPEdit::BrowseForFile(CString& strFile)
{
    // "Text|*.txt|All|*.*||" becomes the double-zero list of the dialog.
    std::wstring filter(m_strFilter.GetString());
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    filter.push_back(L'\0');
    std::wstring buffer(32768, L'\0');
    wcsncpy_s(&buffer[0], buffer.size(), strFile.GetString(), _TRUNCATE);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : filter.c_str();
    ofn.lpstrFile = &buffer[0];
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&ofn))
        return FALSE;
    strFile = buffer.c_str();
    return TRUE;
}

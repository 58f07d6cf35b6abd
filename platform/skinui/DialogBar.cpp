#include "DialogBar.h"
#include <vector>
#include "GlobalData.h"
#include "VisualManager.h"

namespace {

// A dialog template as a child window: pop-up, caption and frame styles give way to WS_CHILD.
std::vector<BYTE> ChildTemplate(HINSTANCE module, UINT id)
{
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL data = res ? ::LoadResource(module, res) : nullptr;
    const BYTE* bytes = data ? static_cast<const BYTE*>(::LockResource(data)) : nullptr;
    const DWORD size = res ? ::SizeofResource(module, res) : 0;
    if (!bytes || size < sizeof(DLGTEMPLATE))
        return {};
    std::vector<BYTE> copy(bytes, bytes + size);
    const bool extended = size >= 16 && reinterpret_cast<const WORD*>(copy.data())[1] == 0xFFFF;
    DWORD* style = reinterpret_cast<DWORD*>(copy.data() + (extended ? 12 : 0));
    *style = (*style & ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE |
                                          DS_CENTER | WS_BORDER)) |
             WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return copy;
}

INT_PTR CALLBACK DialogBarProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

} // namespace

IMPLEMENT_DYNCREATE(CBCGPDialogBar, CBCGPDockingControlBar)

CBCGPDialogBar::CBCGPDialogBar() = default;

CBCGPDialogBar::~CBCGPDialogBar() = default;

BOOL CBCGPDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(L"", pParentWnd, TRUE, nIDTemplate, nStyle, nID);
}

BOOL CBCGPDialogBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, UINT nIDTemplate, UINT nStyle, UINT nID,
                            DWORD dwTabbedStyle, DWORD dwBCGStyle)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(nIDTemplate), RT_DIALOG);
    std::vector<BYTE> tmpl = module ? ChildTemplate(module, nIDTemplate) : std::vector<BYTE>();
    if (tmpl.empty())
        return FALSE;
    m_bHasGripper = bHasGripper;
    m_dwTabbedStyle = dwTabbedStyle;
    m_dwStyle = nStyle & CBRS_BCGP_BAR_STYLES;
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_TOP;
    m_dwControlBarStyle = dwBCGStyle;
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (!m_pDockSite)
        m_pDockSite = pParentWnd->GetParentFrame();
    m_bUserVisible = (nStyle & WS_VISIBLE) != 0;
    appframe::BeginCreation(this, WC_DIALOG);
    HWND hwnd = ::CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()), pParentWnd->m_hWnd,
                                             DialogBarProc, 0);
    appframe::EndCreation();
    if (!hwnd || hwnd != m_hWnd) {
        if (hwnd)
            ::DestroyWindow(hwnd);
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    SetWindowText(lpszWindowName ? lpszWindowName : L"");
    // The template's size is the client area; the caption and the sizing edge come on top.
    CRect window, client;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    GetClientRect(&client);
    m_sizeTemplate = window.Size();
    m_sizeDocked = CSize(m_sizeTemplate.cx + window.Width() - client.Width(), m_sizeTemplate.cy + window.Height() - client.Height());
    m_sizeDefault = m_sizeDocked;
    SetWindowPos(nullptr, 0, 0, m_sizeDocked.cx, m_sizeDocked.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pLayout)
        m_pLayout->SetInitialState();
    SetCaptionButtons();
    if (nStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CBCGPDialogBar::EnableVisualManagerStyle(BOOL bEnable)
{
    m_bVisualManagerStyle = bEnable;
    if (m_hWnd && bEnable && m_skinnedControls.empty())
        skinui::SubclassSkinnedControls(m_hWnd, {}, m_skinnedControls);
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CBCGPDialogBar::EnableLayout(BOOL bEnable)
{
    if (!bEnable) {
        m_pLayout.reset();
        return;
    }
    if (!m_pLayout)
        m_pLayout = std::make_unique<CBCGPStaticLayout>(this);
}

BOOL CBCGPDialogBar::OnInitDialog()
{
    return TRUE;
}

void CBCGPDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CBCGPDialogBar::HasCaption() const
{
    return CBCGPDockingControlBar::HasCaption() && GetWindowTextLength() > 0;
}

void CBCGPDialogBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (m_bVisualManagerStyle)
        CBCGPVisualManager::GetInstance()->OnFillDialog(pDC, this, client);
    else
        pDC->FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
}

BOOL CBCGPDialogBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_INITDIALOG:
        if (m_bVisualManagerStyle)
            skinui::SubclassSkinnedControls(m_hWnd, {}, m_skinnedControls);
        *pResult = OnInitDialog();
        return TRUE;
    case WM_SIZE:
        if (m_pLayout)
            m_pLayout->AdjustLayout();
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (m_bVisualManagerStyle) {
            *pResult = reinterpret_cast<LRESULT>(skinui::SkinCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                                      CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                                                                      message - WM_CTLCOLORMSGBOX, this));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CBCGPDockingControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

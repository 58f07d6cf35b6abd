#include "DropDownToolBar.h"
#include "GlobalData.h"
#include "VisualManager.h"

namespace {

const UINT_PTR kHoldTimer = 0xDD01;
const int kArrowZone = 10;   // the corner of the button that opens the palette at once
const int kPad = 3;

CBCGPDropDownFrame* g_palette = nullptr;
// The button being held down, waiting for the palette to open.
CBCGPDropDownToolbarButton* g_held = nullptr;

void CALLBACK HoldTimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    CBCGPDropDownToolbarButton* button = g_held;
    g_held = nullptr;
    if (!button || ::GetKeyState(VK_LBUTTON) >= 0)
        return;
    // The bar lets go of its pressed button before the palette takes the mouse.
    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    button->DropDown();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CBCGPDropDownToolBar

IMPLEMENT_DYNCREATE(CBCGPDropDownToolBar, CBCGPToolBar)

CBCGPDropDownToolBar::CBCGPDropDownToolBar() = default;

CBCGPDropDownToolBar::~CBCGPDropDownToolBar() = default;

CSize CBCGPDropDownToolBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------------------------
// CBCGPDropDownToolbarButton

IMPLEMENT_DYNCREATE(CBCGPDropDownToolbarButton, CBCGPToolbarButton)

UINT CBCGPDropDownToolbarButton::m_uiShowBarDelay = 400;

CBCGPDropDownToolbarButton::CBCGPDropDownToolbarButton() = default;

CBCGPDropDownToolbarButton::CBCGPDropDownToolbarButton(LPCTSTR lpszName, CBCGPDropDownToolBar* pToolBar)
    : m_pToolBar(pToolBar), m_strName(lpszName ? lpszName : L"")
{
    m_strText = m_strName;
    if (m_pToolBar) {
        for (int i = 0; i < m_pToolBar->GetCount(); ++i) {
            CBCGPToolbarButton* first = m_pToolBar->GetButton(i);
            if (first && !first->IsSeparator()) {
                m_nID = first->m_nID;
                m_iImage = first->m_iImage;
                break;
            }
        }
    }
}

CBCGPDropDownToolbarButton::~CBCGPDropDownToolbarButton()
{
    if (g_held == this)
        g_held = nullptr;
    if (g_palette && g_palette->m_pButton == this)
        g_palette->ClosePalette();
}

void CBCGPDropDownToolbarButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    if (auto* drop = DYNAMIC_DOWNCAST(CBCGPDropDownToolbarButton, const_cast<CBCGPToolbarButton*>(&src))) {
        m_pToolBar = drop->m_pToolBar;
        m_strName = drop->m_strName;
    }
}

void CBCGPDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz, BOOL,
                                        BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    // The image comes from the drop-down bar's strip, where the current command lives.
    CBCGPToolBarImages* images = pImages;
    if (m_pToolBar) {
        CBCGPToolBarImages* own = bHighlight || !m_pToolBar->GetColdImages()->IsValid() ? m_pToolBar->GetImages()
                                                                                         : m_pToolBar->GetColdImages();
        if (own && own->IsValid())
            images = own;
    }
    const BOOL text = m_bText;
    m_bText = FALSE;   // the name is the tool tip; the face shows the image
    if (IsDroppedDown())
        m_nStyle |= TBBS_PRESSED;
    DrawFace(pDC, rect, images, bHorz, bHighlight, bDrawBorder, bGrayDisabledButtons);
    if (IsDroppedDown())
        m_nStyle &= ~static_cast<UINT>(TBBS_PRESSED);
    m_bText = text;
    // The corner mark that says there is more.
    const COLORREF color = IsDisabled() ? globalData.clrGrayedText : globalData.clrBarText;
    for (int i = 0; i < 4; ++i)
        pDC->FillSolidRect(CRect(rect.right - 3 - i, rect.bottom - 6 + i, rect.right - 2, rect.bottom - 5 + i), color);
}

BOOL CBCGPDropDownToolbarButton::IsDroppedDown() const
{
    return g_palette && g_palette->m_pButton == this;
}

BOOL CBCGPDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL)
{
    if (!m_pToolBar || !pWnd || !pWnd->m_hWnd)
        return FALSE;
    POINT cursor;
    ::GetCursorPos(&cursor);
    pWnd->ScreenToClient(&cursor);
    if (cursor.x >= m_rect.right - kArrowZone && cursor.y >= m_rect.bottom - kArrowZone && m_rect.PtInRect(cursor))
        return DropDown();
    g_held = this;
    ::SetTimer(pWnd->m_hWnd, kHoldTimer, m_uiShowBarDelay, HoldTimerProc);
    return FALSE;
}

BOOL CBCGPDropDownToolbarButton::OnClickUp()
{
    if (g_held == this && m_pWndParent && m_pWndParent->m_hWnd)
        ::KillTimer(m_pWndParent->m_hWnd, kHoldTimer);
    g_held = nullptr;
    return FALSE;
}

void CBCGPDropDownToolbarButton::OnClickUpOutside()
{
    OnClickUp();
}

BOOL CBCGPDropDownToolbarButton::SetDefaultCommand(UINT uiCmd)
{
    const int index = m_pToolBar ? m_pToolBar->CommandToIndex(uiCmd) : -1;
    if (index < 0)
        return FALSE;
    m_nID = uiCmd;
    m_iImage = m_pToolBar->GetButton(index)->m_iImage;
    if (m_pWndParent && m_pWndParent->m_hWnd)
        m_pWndParent->InvalidateRect(&m_rect);
    return TRUE;
}

BOOL CBCGPDropDownToolbarButton::DropDown()
{
    auto* bar = DYNAMIC_DOWNCAST(CBCGPToolBar, m_pWndParent);
    if (!m_pToolBar || !bar || !bar->m_hWnd || IsDroppedDown())
        return FALSE;
    if (g_palette)
        g_palette->ClosePalette();
    CRect rect = m_rect;
    bar->ClientToScreen(&rect);
    auto* palette = new CBCGPDropDownFrame(this, bar);
    if (!palette->Open(rect)) {
        delete palette;
        return FALSE;
    }
    bar->InvalidateRect(&m_rect);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CBCGPDropDownFrame

IMPLEMENT_DYNAMIC(CBCGPDropDownFrame, CWnd)

CBCGPDropDownFrame::CBCGPDropDownFrame(CBCGPDropDownToolbarButton* pButton, CBCGPToolBar* pParentBar)
    : m_pButton(pButton), m_pParentBar(pParentBar)
{
}

CBCGPDropDownFrame* CBCGPDropDownFrame::GetActive()
{
    return g_palette;
}

int CBCGPDropDownFrame::GetButtonCount() const
{
    CBCGPDropDownToolBar* bar = m_pButton ? m_pButton->GetDropDownToolBar() : nullptr;
    return bar ? bar->GetCount() : 0;
}

CRect CBCGPDropDownFrame::GetButtonRect(int nIndex) const
{
    CBCGPDropDownToolBar* bar = m_pButton->GetDropDownToolBar();
    const CSize size = bar->GetButtonSize();
    // One row, separators as narrow gaps.
    int x = kPad;
    for (int i = 0; i < bar->GetCount(); ++i) {
        const int width = bar->GetButton(i)->IsSeparator() ? 7 : size.cx;
        if (i == nIndex)
            return CRect(x, kPad, x + width, kPad + size.cy);
        x += width;
    }
    return CRect(0, 0, 0, 0);
}

BOOL CBCGPDropDownFrame::Open(const CRect& rectButtonScreen)
{
    const int count = GetButtonCount();
    if (count == 0)
        return FALSE;
    const CRect last = GetButtonRect(count - 1);
    const CSize size(last.right + kPad, last.bottom + kPad);
    // Below a button of a horizontal bar, beside one of a vertical bar.
    const BOOL horz = m_pParentBar->IsHorizontal();
    CPoint at = horz ? CPoint(rectButtonScreen.left, rectButtonScreen.bottom) : CPoint(rectButtonScreen.right, rectButtonScreen.top);
    MONITORINFO monitor = { sizeof monitor };
    ::GetMonitorInfoW(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    at.x = std::max<int>(monitor.rcWork.left, std::min<int>(at.x, monitor.rcWork.right - size.cx));
    at.y = std::max<int>(monitor.rcWork.top, std::min<int>(at.y, monitor.rcWork.bottom - size.cy));
    static LPCTSTR cls = AfxRegisterWndClass(CS_DROPSHADOW | CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls, L"", WS_POPUP, at.x, at.y, size.cx, size.cy,
                  m_pParentBar->GetTopLevelParent()->m_hWnd, nullptr))
        return FALSE;
    g_palette = this;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture();
    return TRUE;
}

void CBCGPDropDownFrame::PaintPalette(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillMenuBackground(pDC, client);
    manager->OnDrawMenuBorder(pDC, client);
    CBCGPDropDownToolBar* bar = m_pButton->GetDropDownToolBar();
    for (int i = 0; i < bar->GetCount(); ++i) {
        CBCGPToolbarButton* button = bar->GetButton(i);
        const CRect r = GetButtonRect(i);
        if (button->IsSeparator()) {
            manager->OnDrawSeparator(pDC, bar, r, TRUE);
            continue;
        }
        const UINT style = button->GetStyle();
        // The current command shows checked.
        button->SetStyle(button->m_nID == m_pButton->m_nID ? (style | TBBS_CHECKED) : (style & ~static_cast<UINT>(TBBS_CHECKED)));
        CBCGPToolBarImages* images = i == m_iHot || !bar->GetColdImages()->IsValid() ? bar->GetImages() : bar->GetColdImages();
        button->OnDraw(pDC, r, images, TRUE, FALSE, i == m_iHot, TRUE, TRUE);
        button->SetStyle(style);
    }
}

void CBCGPDropDownFrame::ChooseButton(int nIndex)
{
    CBCGPDropDownToolBar* bar = m_pButton->GetDropDownToolBar();
    CBCGPToolbarButton* chosen = bar->GetButton(nIndex);
    if (!chosen || chosen->IsSeparator() || chosen->IsDisabled())
        return;
    CBCGPDropDownToolbarButton* button = m_pButton;
    CBCGPToolBar* parentBar = m_pParentBar;
    const UINT id = chosen->m_nID;
    button->SetDefaultCommand(id);
    ClosePalette();
    parentBar->OnSendCommand(button);
}

void CBCGPDropDownFrame::ClosePalette()
{
    if (m_hWnd)
        DestroyWindow();
}

LRESULT CBCGPDropDownFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    auto hit = [this](CPoint pt) {
        for (int i = 0; i < GetButtonCount(); ++i)
            if (GetButtonRect(i).PtInRect(pt))
                return i;
        return -1;
    };
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC dc(this);
        PaintPalette(&dc);
        return 0;
    }
    case WM_MOUSEMOVE: {
        const int now = hit(point);
        if (now != m_iHot) {
            m_iHot = now;
            Invalidate(FALSE);
        }
        return 0;
    }
    case WM_LBUTTONDOWN: {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point))
            ClosePalette();
        return 0;
    }
    case WM_LBUTTONUP: {
        // The release that ends the hold which opened the palette lands outside it: ignored.
        const int index = hit(point);
        if (index >= 0)
            ChooseButton(index);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            ClosePalette();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) && reinterpret_cast<HWND>(lParam) != m_hWnd)
            ClosePalette();
        return 0;
    case WM_CANCELMODE:
        ClosePalette();
        return 0;
    case WM_DESTROY:
        if (g_palette == this)
            g_palette = nullptr;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (m_pParentBar && ::IsWindow(m_pParentBar->m_hWnd))
            m_pParentBar->Invalidate();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CBCGPDropDownFrame::PostNcDestroy()
{
    delete this;
}

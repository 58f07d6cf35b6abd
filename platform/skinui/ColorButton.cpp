#include "ColorButton.h"
#include <algorithm>
#include "Color.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
const int kMargin = 4;
const int kEntryHeight = 24;
// The palette tells its button of the pick by a posted message, so that the palette's window
// is gone only after its own message handling returned.
const UINT kPaletteDone = ::RegisterWindowMessageW(L"SkinUI.ColorPaletteDone");
} // namespace

skinui::PaletteLayout skinui::LayoutPalette(int nColors, int nColumns, int nCell, BOOL bAutomatic, BOOL bOther)
{
    PaletteLayout layout;
    nColumns = std::max(1, nColumns);
    nColors = std::max(0, nColors);
    const int rows = (nColors + nColumns - 1) / nColumns;
    const int width = kMargin * 2 + nColumns * nCell;
    int y = kMargin;
    if (bAutomatic) {
        layout.automatic = CRect(kMargin, y, width - kMargin, y + kEntryHeight);
        y += kEntryHeight + kMargin;
    }
    for (int i = 0; i < nColors; ++i) {
        const int x = kMargin + (i % nColumns) * nCell, top = y + (i / nColumns) * nCell;
        layout.cells.emplace_back(x, top, x + nCell, top + nCell);
    }
    y += rows * nCell;
    if (bOther) {
        y += kMargin;
        layout.other = CRect(kMargin, y, width - kMargin, y + kEntryHeight);
        y += kEntryHeight;
    }
    layout.size = CSize(width, y + kMargin);
    return layout;
}

int skinui::HitTestPalette(const PaletteLayout& layout, CPoint pt)
{
    if (layout.automatic.PtInRect(pt))
        return kHitAutomatic;
    if (layout.other.PtInRect(pt))
        return kHitOther;
    for (size_t i = 0; i < layout.cells.size(); ++i)
        if (layout.cells[i].PtInRect(pt))
            return static_cast<int>(i);
    return kHitNone;
}

// The drop-down palette of a colour button.
class CColorPalettePopup : public CWnd {
public:
    explicit CColorPalettePopup(CBCGPColorButton* button) : m_button(button) {}

    BOOL Open()
    {
        const int cell = std::max(16, static_cast<int>(18 * globalData.GetRibbonImageScale()));
        m_layout = skinui::LayoutPalette(static_cast<int>(m_button->m_Colors.size()), m_button->m_nColumns, cell,
                                         m_button->m_bAutomatic, m_button->m_bOther);
        CRect anchor;
        m_button->GetWindowRect(&anchor);
        MONITORINFO mi = {sizeof(mi)};
        ::GetMonitorInfoW(::MonitorFromRect(&anchor, MONITOR_DEFAULTTONEAREST), &mi);
        const CRect work(mi.rcWork);
        CPoint pt(anchor.left, anchor.bottom);
        if (pt.y + m_layout.size.cy > work.bottom)
            pt.y = anchor.top - m_layout.size.cy;
        pt.x = std::max(work.left, std::min(pt.x, work.right - m_layout.size.cx));
        return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, globalData.RegisterWindowClass(L"SkinUI.ColorPalette"), L"",
                        WS_POPUP | WS_VISIBLE, pt.x, pt.y, m_layout.size.cx, m_layout.size.cy, m_button->GetSafeHwnd(), nullptr);
    }

    const skinui::PaletteLayout& Layout() const { return m_layout; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            Paint(&dc);
            return 0;
        }
        case WM_ERASEBKGND:
            return TRUE;
        case WM_MOUSEMOVE: {
            const int hot = skinui::HitTestPalette(m_layout, CPoint(GET_X_LPARAM_(lParam), GET_Y_LPARAM_(lParam)));
            if (hot != m_hot) {
                m_hot = hot;
                Invalidate(FALSE);
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const int hit = skinui::HitTestPalette(m_layout, CPoint(GET_X_LPARAM_(lParam), GET_Y_LPARAM_(lParam)));
            if (hit != skinui::kHitNone)
                Finish(hit);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE)
                Finish(skinui::kHitNone);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
                Finish(skinui::kHitNone);
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    static int GET_X_LPARAM_(LPARAM l) { return static_cast<short>(LOWORD(l)); }
    static int GET_Y_LPARAM_(LPARAM l) { return static_cast<short>(HIWORD(l)); }

    void Finish(int hit)
    {
        if (m_finished)
            return;
        m_finished = true;
        ShowWindow(SW_HIDE);
        m_button->PostMessage(kPaletteDone, static_cast<WPARAM>(hit));
    }

    void Paint(CDC* pDC)
    {
        CRect client;
        GetClientRect(&client);
        CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
        CBCGPDrawManager dm(*pDC);
        dm.DrawRect(client, globalData.clrWindow, globalData.clrBarShadow);
        const win32::ScopedSelect font(pDC->m_hDC, globalData.fontRegular.GetSafeHandle());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(globalData.clrWindowText);
        auto entry = [&](const CRect& r, const CString& text, bool hot, COLORREF swatch) {
            if (r.IsRectEmpty())
                return;
            dm.DrawRect(r, hot ? skinui::Lighter(manager->GetAccentColor(), 0.82) : globalData.clrWindow,
                        hot ? manager->GetAccentColor() : globalData.clrBarShadow);
            CRect textRect = r;
            if (swatch != (COLORREF)-1) {
                CRect sw(r.left + 4, r.top + 4, r.left + r.Height() - 4, r.bottom - 4);
                dm.DrawRect(sw, swatch, globalData.clrBarShadow);
                textRect.left = sw.right;
            }
            pDC->DrawText(text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        };
        entry(m_layout.automatic, m_button->m_strAutoColorText, m_hot == skinui::kHitAutomatic, m_button->m_ColorAutomatic);
        entry(m_layout.other, m_button->m_strOtherText, m_hot == skinui::kHitOther, (COLORREF)-1);
        for (size_t i = 0; i < m_layout.cells.size(); ++i) {
            CRect cell = m_layout.cells[i];
            const bool selected = !m_button->m_bAutomaticPicked && m_button->m_Colors[i] == m_button->m_Color;
            if (static_cast<int>(i) == m_hot || selected)
                dm.DrawRect(cell, (COLORREF)-1, manager->GetAccentColor());
            cell.DeflateRect(2, 2);
            dm.DrawRect(cell, m_button->m_Colors[i], skinui::Darker(m_button->m_Colors[i], 0.25));
        }
    }

    CBCGPColorButton* m_button;
    skinui::PaletteLayout m_layout;
    int m_hot = skinui::kHitNone;
    bool m_finished = false;
};

IMPLEMENT_DYNCREATE(CBCGPColorButton, CBCGPButton)

BEGIN_MESSAGE_MAP(CBCGPColorButton, CBCGPButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_REGISTERED_MESSAGE(kPaletteDone, OnPaletteDone)
END_MESSAGE_MAP()

CBCGPColorButton::CBCGPColorButton()
{
    int count = 0;
    const COLORREF* colors = CBCGPColor::GetRGBArray(count);
    m_Colors.assign(colors, colors + count);
}

CBCGPColorButton::~CBCGPColorButton()
{
    ClosePopup();
}

void CBCGPColorButton::ClosePopup()
{
    if (m_pPopup) {
        m_pPopup->DestroyWindow();
        delete m_pPopup;
        m_pPopup = nullptr;
    }
}

CWnd* CBCGPColorButton::GetPopup() const
{
    return m_pPopup;
}

void CBCGPColorButton::SetColor(COLORREF color)
{
    m_Color = color;
    m_bAutomaticPicked = FALSE;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CBCGPColorButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable)
{
    m_bAutomatic = bEnable;
    m_strAutoColorText = lpszLabel ? lpszLabel : L"";
    m_ColorAutomatic = colorAutomatic;
}

void CBCGPColorButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable)
{
    m_bOther = bEnable;
    m_strOtherText = lpszLabel ? lpszLabel : L"";
    m_bAltColorDlg = bAltColorDlg;
}

void CBCGPColorButton::SetPalette(CPalette* pPalette)
{
    if (!pPalette || !pPalette->GetSafeHandle())
        return;
    const int count = pPalette->GetEntryCount();
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(std::max(count, 0)));
    if (count > 0)
        pPalette->GetPaletteEntries(0, static_cast<UINT>(count), entries.data());
    m_Colors.clear();
    for (const PALETTEENTRY& e : entries)
        m_Colors.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
}

void CBCGPColorButton::SetColors(const COLORREF* pColors, int nCount)
{
    m_Colors.assign(pColors, pColors + std::max(nCount, 0));
}

void CBCGPColorButton::SetColumnsNumber(int nColumns)
{
    m_nColumns = std::max(1, nColumns);
}

void CBCGPColorButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    const BOOL disabled = (uiState & ODS_DISABLED) != 0;
    CRect swatch = rect;
    swatch.DeflateRect(3, 3);
    const int arrow = std::min(14, swatch.Width() / 3);
    CRect arrowRect(swatch.right - arrow, swatch.top, swatch.right, swatch.bottom);
    swatch.right -= arrow + 2;
    CBCGPDrawManager dm(*pDC);
    const COLORREF color = m_bAutomaticPicked ? m_ColorAutomatic : m_Color;
    dm.DrawRect(swatch, disabled ? globalData.clrBarFace : color, disabled ? globalData.clrBarShadow : skinui::Darker(globalData.clrBarShadow, 0.2));
    CBCGPVisualManager::GetInstance()->OnDrawComboDropButton(pDC, arrowRect, disabled, m_pPopup != nullptr, IsHighlighted());
}

BOOL CBCGPColorButton::OnOtherColor(COLORREF& color)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = m_hWnd;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | (m_bAltColorDlg ? CC_FULLOPEN : 0);
    if (!::ChooseColorW(&cc))
        return FALSE;
    color = cc.rgbResult;
    return TRUE;
}

void CBCGPColorButton::OnClicked()
{
    if (m_pPopup) {
        ClosePopup();
        return;
    }
    m_pPopup = new CColorPalettePopup(this);
    if (!m_pPopup->Open()) {
        delete m_pPopup;
        m_pPopup = nullptr;
    }
    Invalidate(FALSE);
}

LRESULT CBCGPColorButton::OnPaletteDone(WPARAM wParam, LPARAM)
{
    ClosePopup();
    OnPalettePicked(static_cast<int>(wParam));
    Invalidate(FALSE);
    return 0;
}

void CBCGPColorButton::OnPalettePicked(int nHit)
{
    bool changed = false;
    if (nHit == skinui::kHitAutomatic) {
        m_Color = m_ColorAutomatic;
        m_bAutomaticPicked = TRUE;
        changed = true;
    } else if (nHit == skinui::kHitOther) {
        COLORREF color = m_Color;
        if (OnOtherColor(color)) {
            SetColor(color);
            changed = true;
        }
    } else if (nHit >= 0 && static_cast<size_t>(nHit) < m_Colors.size()) {
        SetColor(m_Colors[static_cast<size_t>(nHit)]);
        changed = true;
    }
    // The parent hears of a new colour as a click; the click that opened the palette was kept
    // from it.
    if (changed && ::GetParent(m_hWnd)) {
        m_bNotifying = TRUE;
        ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
        m_bNotifying = FALSE;
    }
}

BOOL CBCGPColorButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Our own notification of a new colour goes past the reflection to the parent.
    if (m_bNotifying && message == WM_COMMAND)
        return FALSE;
    return CBCGPButton::OnChildNotify(message, wParam, lParam, pResult);
}

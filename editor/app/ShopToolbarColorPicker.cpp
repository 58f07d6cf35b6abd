#include "ShopToolbarColorPicker.h"
#include <cmath>
#include "ToolPaletteIds.h"

CSharedBitmap::CSharedBitmap() : m_images(std::make_shared<CBCGPToolBarImages>()) {}

CSharedBitmap::~CSharedBitmap() = default;

namespace colorpicker {

namespace {
RECT ScaledRect(int l, int t, int r, int b, double scale)
{
    auto s = [scale](int v) { return static_cast<LONG>(std::lround(v * scale)); };
    return RECT{ s(l), s(t), s(r), s(b) };
}

bool Inside(const RECT& r, POINT p, int shrink)
{
    return p.x >= r.left + shrink && p.x < r.right - shrink && p.y >= r.top + shrink && p.y < r.bottom - shrink;
}
} // namespace

Layout LayoutFor(bool narrow, double scale)
{
    auto s = [scale](int v) { return static_cast<LONG>(std::lround(v * scale)); };
    if (narrow)
        return Layout{ ScaledRect(1, 15, 23, 37, scale), ScaledRect(11, 25, 33, 47, scale), ScaledRect(3, 1, 14, 12, scale),
                       ScaledRect(19, 1, 30, 12, scale), SIZE{ s(34), s(48) } };
    return Layout{ ScaledRect(3, 3, 31, 31, scale), ScaledRect(16, 15, 45, 44, scale), ScaledRect(2, 35, 13, 46, scale),
                   ScaledRect(33, 2, 44, 13, scale), SIZE{ s(47), s(47) } };
}

Part HitTest(const Layout& layout, POINT point)
{
    if (Inside(layout.fore, point, 2))
        return kForeground;
    if (Inside(layout.back, point, 2))
        return kBackground;
    if (Inside(layout.reset, point, 0))
        return kReset;
    if (Inside(layout.swap, point, 0))
        return kSwap;
    return kNone;
}

} // namespace colorpicker

IMPLEMENT_DYNCREATE(CShopToolbarColorPicker, CBCGPToolbarButton)

CShopToolbarColorPicker::CShopToolbarColorPicker() = default;

CShopToolbarColorPicker::CShopToolbarColorPicker(UINT uiID) : CBCGPToolbarButton(uiID, -1) {}

CShopToolbarColorPicker::~CShopToolbarColorPicker() = default;

void CShopToolbarColorPicker::Serialize(CArchive& ar)
{
    CBCGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_foreColor) << static_cast<DWORD>(m_backColor);
    } else {
        DWORD fore = 0, back = 0;
        ar >> fore >> back;
        m_foreColor = fore;
        m_backColor = back;
    }
}

void CShopToolbarColorPicker::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    if (const auto* other = DYNAMIC_DOWNCAST(CShopToolbarColorPicker, const_cast<CBCGPToolbarButton*>(&src))) {
        m_foreColor = other->m_foreColor;
        m_backColor = other->m_backColor;
        m_images = other->m_images;
        m_narrow = other->m_narrow;
    }
}

colorpicker::Layout CShopToolbarColorPicker::GetLayout() const
{
    return colorpicker::LayoutFor(m_narrow != FALSE, globalData.GetRibbonImageScale());
}

SIZE CShopToolbarColorPicker::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    // Listed outside a tool bar (a menu, a customisation list) it is an ordinary button.
    if (!DYNAMIC_DOWNCAST(CBCGPToolBar, m_pWndParent))
        return CBCGPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    return GetLayout().size;
}

void CShopToolbarColorPicker::OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    const colorpicker::Layout layout = GetLayout();
    auto place = [&rect](const RECT& r) {
        CRect placed(r);
        placed.OffsetRect(rect.TopLeft());
        return placed;
    };
    const CBCGPToolBarImages* images = m_images.Get();
    if (images && images->IsValid()) {
        images->DrawEx(pDC, place(layout.reset), 0, CRect(0, 0, 11, 11));
        images->DrawEx(pDC, place(layout.swap), 0, CRect(11, 0, 22, 11));
    }
    COLORREF fill = RGB(192, 192, 192);
    COLORREF line = RGB(255, 255, 255);
    if (globalData.IsPlainDrawing()) {
        fill = globalData.clrBtnFace;
        line = globalData.clrBtnText;
    }
    CPen pen(PS_SOLID, 1, line);
    CPen* oldPen = pDC->SelectObject(&pen);
    auto swatch = [&](const RECT& r, COLORREF color) {
        CRect outer = place(r);
        pDC->FillSolidRect(outer, fill);
        CBrush brush(color);
        CBrush* oldBrush = pDC->SelectObject(&brush);
        CRect inner = outer;
        inner.DeflateRect(1, 1);
        pDC->Rectangle(inner);
        pDC->SelectObject(oldBrush);
    };
    swatch(layout.back, m_backColor);
    swatch(layout.fore, m_foreColor);
    pDC->SelectObject(oldPen);
}

bool CShopToolbarColorPicker::ChooseColor(COLORREF initial, COLORREF& chosen)
{
    CColorDialog dialog(initial, CC_FULLOPEN | CC_ANYCOLOR, m_pWndParent);
    if (dialog.DoModal() != IDOK)
        return false;
    chosen = dialog.GetColor();
    return true;
}

BOOL CShopToolbarColorPicker::OnClick(CWnd* pWnd, BOOL)
{
    CWnd* parent = m_pWndParent ? m_pWndParent : pWnd;
    if (!parent || !parent->m_hWnd)
        return TRUE;
    // The point of the press in a tool bar, else where the pointer is.
    CPoint point;
    if (auto* bar = DYNAMIC_DOWNCAST(CBCGPToolBar, parent)) {
        point = bar->GetClickPoint();
    } else {
        ::GetCursorPos(&point);
        parent->ScreenToClient(&point);
    }
    point -= m_rect.TopLeft();
    COLORREF chosen = 0;
    switch (colorpicker::HitTest(GetLayout(), point)) {
    case colorpicker::kForeground:
        if (!ChooseColor(m_foreColor, chosen))
            return FALSE;
        SetForeColor(chosen);
        return TRUE;
    case colorpicker::kBackground:
        if (!ChooseColor(m_backColor, chosen))
            return FALSE;
        SetBackColor(chosen);
        return TRUE;
    case colorpicker::kReset:
        ResetColors();
        return TRUE;
    case colorpicker::kSwap:
        SwapColors();
        return TRUE;
    default:
        return TRUE;
    }
}

void CShopToolbarColorPicker::Redraw()
{
    if (m_pWndParent && m_pWndParent->m_hWnd)
        m_pWndParent->InvalidateRect(&m_rect);
}

void CShopToolbarColorPicker::Changed(int which, COLORREF color)
{
    if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd)
        main->PostMessage(colorpicker::kColorMessage, static_cast<WPARAM>(which), static_cast<LPARAM>(color));
}

void CShopToolbarColorPicker::SetForeColor(COLORREF color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    Redraw();
    Changed(0, color);
}

void CShopToolbarColorPicker::SetBackColor(COLORREF color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    Redraw();
    Changed(1, color);
}

void CShopToolbarColorPicker::ResetColors()
{
    SetForeColor(RGB(0, 0, 0));
    SetBackColor(RGB(255, 255, 255));
}

void CShopToolbarColorPicker::SwapColors()
{
    std::swap(m_foreColor, m_backColor);
    Redraw();
    Changed(0, m_foreColor);
    Changed(1, m_backColor);
}

void CShopToolbarColorPicker::SetNarrowLayout(BOOL narrow)
{
    narrow = narrow ? TRUE : FALSE;
    if (narrow == m_narrow)
        return;
    m_narrow = narrow;
    if (auto* bar = DYNAMIC_DOWNCAST(CBCGPToolBar, m_pWndParent); bar && bar->m_hWnd)
        bar->AdjustLayout();
}

BOOL CShopToolbarColorPicker::LoadImages()
{
    CBCGPToolBarImages* images = m_images.Get();
    images->Clear();
    const BOOL loaded = images->Load(IDB_COLOR_PICKER_ICONS);
    Redraw();
    return loaded;
}

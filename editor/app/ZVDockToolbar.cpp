#include "ZVDockToolbar.h"
#include <algorithm>
#include <cmath>
#include "PaletteMiniFrame.h"
#include "ShopToolbarColorPicker.h"
#include "ToolPaletteIds.h"

namespace palette {

LayoutResult LayoutButtons(const LayoutInput& in)
{
    LayoutResult out;
    out.rects.assign(in.items.size(), RECT{});
    const int columns = std::max(1, in.columns);
    int left = in.client.left;
    int top = in.client.top;
    if (in.captionFlags & kCaptionText)
        top += in.captionHeight + 4;
    if (in.captionFlags & kCaptionDocked) {
        left += in.frameMargins.left;
        top += in.frameMargins.top;
    } else {
        left += 1;
    }
    const int limit = in.buttonWidth * columns * 11 / 10;

    struct Row {
        std::vector<size_t> items;
        int width = 0, height = 0;
        bool separator = false;
    };
    std::vector<Row> rows;
    bool rowOpen = false;   // the last row still takes buttons
    bool lastWasSeparator = false;
    for (size_t i = 0; i < in.items.size(); ++i) {
        const LayoutItem& item = in.items[i];
        if (item.separator) {
            if (lastWasSeparator)
                continue;
            lastWasSeparator = true;
            Row row;
            row.items.push_back(i);
            row.height = item.size.cy;
            row.separator = true;
            rows.push_back(row);
            rowOpen = false;
            continue;
        }
        lastWasSeparator = false;
        const bool wide = item.size.cx > limit;
        if (wide || !rowOpen || rows.back().width + item.size.cx > limit) {
            rows.emplace_back();
            rowOpen = !wide;
        }
        Row& row = rows.back();
        row.items.push_back(i);
        row.width += item.size.cx;
        row.height = std::max<int>(row.height, item.size.cy);
    }

    int totalWidth = 0, totalHeight = 0;
    for (const Row& row : rows) {
        totalWidth = std::max(totalWidth, row.width);
        totalHeight += row.height;
    }
    int y = top;
    for (const Row& row : rows) {
        if (row.separator) {
            out.rects[row.items[0]] = RECT{ left, y, left + totalWidth, y + row.height };
        } else {
            int x = left + (totalWidth - row.width) / 2;
            for (size_t i : row.items) {
                const SIZE s = in.items[i].size;
                const int by = y + (row.height - s.cy) / 2;
                out.rects[i] = RECT{ x, by, x + s.cx, by + s.cy };
                x += s.cx;
            }
        }
        y += row.height;
    }
    // The frame picture needs its right and bottom edges too, a floating bar a pixel.
    const bool docked = (in.captionFlags & kCaptionDocked) != 0;
    out.size.cx = left + totalWidth + (docked ? in.frameMargins.right : 1) + (in.layoutToggle ? 1 : 0);
    out.size.cy = top + totalHeight + (docked ? in.frameMargins.bottom : 1);
    return out;
}

} // namespace palette

namespace {
int Scaled(int value)
{
    return static_cast<int>(std::lround(value * globalData.GetRibbonImageScale()));
}
} // namespace

IMPLEMENT_DYNCREATE(CZVDockToolbar, CBCGPToolBar)

BEGIN_MESSAGE_MAP(CZVDockToolbar, CBCGPToolBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZVDockToolbar::CZVDockToolbar()
{
    m_captionHeight = Scaled(23);
    CBCGPControlRendererParams params(IDB_PALETTE_FRAME, CRect(0, 0, 46, 15), CRect(5, 10, 5, 4));
    // Without its picture the renderer still gives the margins; the bar is drawn without a frame.
    m_renderer.Create(params);
}

CZVDockToolbar::~CZVDockToolbar() = default;

int CZVDockToolbar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pMiniFrameRTC = RUNTIME_CLASS(CPaletteMiniFrame);
    LOGFONTW font = {};
    font.lfHeight = 120;
    font.lfWeight = 900;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    wcscpy_s(font.lfFaceName, L"Trebuchet MS");
    m_captionFont.CreatePointFontIndirect(&font);
    return 0;
}

void CZVDockToolbar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // No border or caption outside the client area: the bar draws its own.
}

void CZVDockToolbar::OnDestroy()
{
    m_captionFont.DeleteObject();
    CBCGPToolBar::OnDestroy();
}

UINT CZVDockToolbar::GetCaptionFlags() const
{
    if (IsHorizontal() || !m_hWnd)
        return 0;
    UINT flags = 0;
    if (GetWindowTextLength() > 0)
        flags |= palette::kCaptionText;
    if (IsDocked())
        flags |= palette::kCaptionDocked;
    return flags;
}

void CZVDockToolbar::LayoutButtons(SIZE* result, int columns, BOOL measureOnly)
{
    palette::LayoutInput in;
    if (m_hWnd)
        GetClientRect(&in.client);
    in.buttonWidth = m_sizeButton.cx;
    in.columns = columns;
    in.captionHeight = m_captionHeight;
    in.captionFlags = GetCaptionFlags();
    in.frameMargins = m_renderer.GetParams().m_rectCorners;
    in.layoutToggle = m_layoutToggle != 0;
    CClientDC dc(m_hWnd ? static_cast<CWnd*>(this) : CWnd::GetDesktopWindow());
    std::vector<CBCGPToolbarButton*> shown;
    for (int i = 0; i < GetCount(); ++i) {
        CBCGPToolbarButton* button = GetButton(i);
        if (button->IsHidden()) {
            if (!measureOnly) {
                button->SetRect(CRect(0, 0, 0, 0));
                button->OnShow(FALSE);
            }
            continue;
        }
        in.items.push_back({ button->OnCalculateSize(&dc, m_sizeButton, FALSE), button->IsSeparator() != FALSE });
        shown.push_back(button);
    }
    const palette::LayoutResult out = palette::LayoutButtons(in);
    if (result)
        *result = out.size;
    if (measureOnly)
        return;
    for (size_t i = 0; i < shown.size(); ++i) {
        const CRect r(out.rects[i]);
        shown[i]->SetRect(r);
        shown[i]->OnShow(!r.IsRectEmpty());
    }
}

CSize CZVDockToolbar::CalcSize(BOOL)
{
    SIZE size = {};
    LayoutButtons(&size, m_columns, TRUE);
    return size;
}

void CZVDockToolbar::AdjustLocations()
{
    if (!m_hWnd)
        return;
    SIZE dummy;
    LayoutButtons(&dummy, m_columns, FALSE);
    UpdateTooltips();
}

void CZVDockToolbar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex == m_pressedIndex)
        nStyle |= TBBS_CHECKED;
    else
        nStyle &= ~static_cast<UINT>(TBBS_CHECKED);
    CBCGPToolBar::SetButtonStyle(nIndex, nStyle);
}

void CZVDockToolbar::ApplyPressedState()
{
    for (int i = 0; i < GetCount(); ++i)
        SetButtonStyle(i, GetButtonStyle(i));
}

void CZVDockToolbar::SetCheckedCommand(UINT command)
{
    if (command == static_cast<UINT>(-1)) {
        m_pressedIndex = -1;
    } else {
        const int index = CommandToIndex(command);
        if (index >= 0)
            m_pressedIndex = index;
    }
    ApplyPressedState();
    if (m_hWnd)
        Invalidate();
}

void CZVDockToolbar::UpdateColorButtonLayout()
{
    const int index = CommandToIndex(kColorCommand);
    if (auto* picker = DYNAMIC_DOWNCAST(CShopToolbarColorPicker, GetButton(index)))
        picker->SetNarrowLayout(m_columns == 1);
}

void CZVDockToolbar::SetColumns(int n)
{
    if (n == m_columns || n < 1)
        return;
    m_columns = n;
    // The colour button is too wide for a single column in its square form.
    UpdateColorButtonLayout();
    if (!m_hWnd)
        return;
    // A size one pixel off makes the dock layout see a change even when the width stays.
    m_layoutToggle = m_layoutToggle ? 0 : 1;
    if (CBCGPMiniFrameWnd* mini = GetParentMiniFrame())
        mini->RecalcLayout();
    else if (CFrameWnd* frame = GetDockSiteFrameWnd(); frame && frame->m_hWnd)
        frame->RecalcLayout();
    AdjustLocations();
    if (CWnd* parent = GetParent())
        parent->Invalidate();
    Invalidate();
}

void CZVDockToolbar::OnFillBackground(CDC* pDC)
{
    if (globalData.IsPlainDrawing())
        return;
    CRect clip;
    pDC->GetClipBox(&clip);
    CBCGPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, clip, clip);
}

void CZVDockToolbar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (globalData.IsPlainDrawing())
        pDC->FillSolidRect(client, globalData.clrBarFace);
    OnFillBackground(pDC);
    const UINT flags = GetCaptionFlags();
    if (flags & palette::kCaptionDocked)
        m_renderer.Draw(pDC, client, 0, 255);
    if (flags & palette::kCaptionText) {
        CRect band(client.left, client.top + 1, client.right, client.top + 1 + m_captionHeight);
        COLORREF text = globalData.clrBarText;
        if (!globalData.IsPlainDrawing()) {
            CBCGPDrawManager(*pDC).FillGradient(band, 0x6F3915, 0xCA7030, TRUE);
            text = RGB(255, 255, 255);
        }
        CString caption;
        GetWindowText(caption);
        CFont* old = pDC->SelectObject(m_captionFont.m_hObject ? &m_captionFont : &globalData.fontBold);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(text);
        CRect textRect = band;
        textRect.DeflateRect(1, 2);
        pDC->DrawText(caption, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        pDC->SelectObject(old);
    }
    DrawButtons(pDC);
}

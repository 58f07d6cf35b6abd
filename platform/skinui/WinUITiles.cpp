#include "WinUITiles.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "GraphicsManager.h"
#include "SkinControls.h"

const UINT BCGM_ON_CLICK_WINUI_UI_TILE = ::RegisterWindowMessageW(L"SkinUI.OnClickWinUITile");
const UINT BCGM_ON_CLICK_WINUI_UI_CAPTION_BUTTON = ::RegisterWindowMessageW(L"SkinUI.OnClickWinUICaptionButton");

namespace {

const int kGap = 8;         // between tiles
const int kGroupGap = 48;   // between groups
const int kMargin = 24;     // round the content
const int kScrollBar = 6;

int GroupCaptionHeight()
{
    return globalData.GetTextHeight() + 14;
}

// A font of the text format, or of the regular font at the given pixel height.
void MakeFont(CFont& font, const CBCGPTextFormat& tf, int fallbackHeight, int weight)
{
    LOGFONTW lf = {};
    if (!tf.IsEmpty()) {
        tf.ExportToLogFont(lf);
    } else {
        globalData.fontRegular.GetLogFont(&lf);
        lf.lfHeight = -fallbackHeight;
        lf.lfWeight = weight;
    }
    lf.lfQuality = CLEARTYPE_QUALITY;
    font.CreateFontIndirect(&lf);
}

COLORREF Opaque(const CBCGPColor& color, COLORREF fallback)
{
    return color.IsNull() ? fallback : static_cast<COLORREF>(color);
}

void DrawBadge(CDC* pDC, const CRect& rect, BCGP_WINUI_BADGE_GLYPH glyph, int number, COLORREF color)
{
    CBCGPDrawManager dm(*pDC);
    const CPoint c = rect.CenterPoint();
    if (number >= 0) {
        CString text;
        text.Format(L"%d", number);
        CFont* old = pDC->SelectObject(&globalData.fontBold);
        pDC->SetTextColor(color);
        CRect r = rect;
        pDC->DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        pDC->SelectObject(old);
        return;
    }
    CPen pen(PS_SOLID, 2, color);
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush fill(color);
    switch (glyph) {
    case BCGP_AVAILABLE:
    case BCGP_NEW_MESSAGE: {
        CBrush* oldBrush = pDC->SelectObject(&fill);
        pDC->Ellipse(c.x - 5, c.y - 5, c.x + 6, c.y + 6);
        pDC->SelectObject(oldBrush);
        break;
    }
    case BCGP_PLAYING: {
        CBrush* oldBrush = pDC->SelectObject(&fill);
        POINT pts[] = { { c.x - 4, c.y - 6 }, { c.x + 6, c.y }, { c.x - 4, c.y + 6 } };
        pDC->Polygon(pts, 3);
        pDC->SelectObject(oldBrush);
        break;
    }
    case BCGP_PAUSED:
        dm.DrawRect(CRect(c.x - 5, c.y - 6, c.x - 1, c.y + 6), color, (COLORREF)-1);
        dm.DrawRect(CRect(c.x + 2, c.y - 6, c.x + 6, c.y + 6), color, (COLORREF)-1);
        break;
    case BCGP_ERROR:
    case BCGP_UNAVAILABLE:
        pDC->MoveTo(c.x - 5, c.y - 5);
        pDC->LineTo(c.x + 6, c.y + 6);
        pDC->MoveTo(c.x + 5, c.y - 5);
        pDC->LineTo(c.x - 6, c.y + 6);
        break;
    case BCGP_BUSY:
        pDC->MoveTo(c.x - 6, c.y);
        pDC->LineTo(c.x + 7, c.y);
        break;
    case BCGP_AWAY:
        pDC->Arc(c.x - 7, c.y - 7, c.x + 8, c.y + 8, c.x, c.y - 7, c.x, c.y - 7);
        pDC->MoveTo(c.x, c.y - 4);
        pDC->LineTo(c.x, c.y);
        pDC->LineTo(c.x + 4, c.y);
        break;
    case BCGP_ACTIVITY:
        for (int i = -1; i <= 1; ++i)
            dm.DrawRect(CRect(c.x + i * 5 - 1, c.y - 1, c.x + i * 5 + 2, c.y + 2), color, (COLORREF)-1);
        break;
    case BCGP_ALERT:
    case BCGP_ATTENTION:
        dm.DrawRect(CRect(c.x - 1, c.y - 7, c.x + 2, c.y + 3), color, (COLORREF)-1);
        dm.DrawRect(CRect(c.x - 1, c.y + 5, c.x + 2, c.y + 8), color, (COLORREF)-1);
        break;
    default:
        break;
    }
    pDC->SelectObject(oldPen);
}

} // namespace

namespace skinui {

int LayoutTiles(const std::vector<TileSlot>& tiles, const CRect& area, CSize square, int gap, int groupGap, int captionHeight,
                bool horizontal, std::vector<CRect>& rects, std::vector<TileGroupLayout>& groups)
{
    rects.assign(tiles.size(), CRect());
    groups.clear();
    const int wideWidth = square.cx * 2 + gap;
    // Groups in the order of their first tile.
    std::vector<int> order;
    for (const TileSlot& tile : tiles)
        if (std::find(order.begin(), order.end(), tile.group) == order.end())
            order.push_back(tile.group);
    int along = horizontal ? area.left : area.top;
    int extent = 0;
    for (int group : order) {
        const int left = horizontal ? along : area.left;
        const int top = (horizontal ? area.top : along) + captionHeight;
        int maxRight = left, maxBottom = top;
        if (horizontal) {
            // Columns two squares wide, filled top to bottom; a wide tile takes a whole row of
            // its column, two squares share one.
            const int rows = std::max(1, static_cast<int>((area.bottom - top + gap) / (square.cy + gap)));
            int column = 0, row = 0;
            bool half = false;
            for (size_t i = 0; i < tiles.size(); ++i) {
                if (tiles[i].group != group)
                    continue;
                if (tiles[i].wide && half) {
                    half = false;
                    ++row;
                }
                if (row >= rows) {
                    row = 0;
                    ++column;
                }
                int x = left + column * (wideWidth + gap);
                const int y = top + row * (square.cy + gap);
                if (half)
                    x += square.cx + gap;
                rects[i] = CRect(x, y, x + (tiles[i].wide ? wideWidth : square.cx), y + square.cy);
                if (tiles[i].wide || half) {
                    half = false;
                    ++row;
                } else {
                    half = true;
                }
                maxRight = std::max<int>(maxRight, rects[i].right);
                maxBottom = std::max<int>(maxBottom, rects[i].bottom);
            }
        } else {
            // Rows filled left to right, wrapping at the width.
            int x = left, y = top;
            for (size_t i = 0; i < tiles.size(); ++i) {
                if (tiles[i].group != group)
                    continue;
                const int width = tiles[i].wide ? wideWidth : square.cx;
                if (x > left && x + width > area.right) {
                    x = left;
                    y += square.cy + gap;
                }
                rects[i] = CRect(x, y, x + width, y + square.cy);
                x += width + gap;
                maxRight = std::max<int>(maxRight, rects[i].right);
                maxBottom = std::max<int>(maxBottom, rects[i].bottom);
            }
        }
        TileGroupLayout g;
        g.group = group;
        if (horizontal) {
            g.captionRect = CRect(left, area.top, std::max(maxRight, left + wideWidth), area.top + captionHeight);
            along = maxRight + groupGap;
            extent = maxRight - area.left;
        } else {
            g.captionRect = CRect(area.left, along, area.right, along + captionHeight);
            along = maxBottom + groupGap;
            extent = maxBottom - area.top;
        }
        groups.push_back(g);
    }
    return extent;
}

} // namespace skinui

// ---------------------------------------------------------------------------------------------
// CBCGPWinUITile

IMPLEMENT_DYNCREATE(CBCGPWinUITile, CObject)

CBCGPWinUITile::CBCGPWinUITile() = default;

CBCGPWinUITile::CBCGPWinUITile(const CString& strName, BCGP_WINUI_TILE_TYPE type, const CBCGPColor& colorText,
                               const CBCGPBrush& brushBackground, const CBCGPColor& colorBorder)
    : m_strName(strName), m_type(type), m_colorText(colorText), m_brushBackground(brushBackground), m_colorBorder(colorBorder)
{
}

CBCGPWinUITile::~CBCGPWinUITile() = default;

void CBCGPWinUITile::SetImage(const CBCGPImage& image, int nImageEffect, int nAnimationTime, BOOL)
{
    m_image = image;
    m_nImageEffect = nImageEffect;
    m_nAnimationTime = nAnimationTime;
    Redraw();
}

void CBCGPWinUITile::Redraw()
{
    CWnd* owner = m_pParent ? m_pParent->GetOwner() : nullptr;
    if (owner && owner->m_hWnd && !m_rect.IsRectEmpty())
        owner->InvalidateRect(&m_rect, FALSE);
}

void CBCGPWinUITile::OnDraw(CDC* pDC, BOOL bHot, BOOL bPressed)
{
    CRect rect = m_rect;
    if (bPressed)
        rect.DeflateRect(2, 2);
    const BOOL rounded = m_pParent && m_pParent->IsRoundedShapes();
    CBCGPGraphicsManager gm(pDC);
    CBCGPBrush back = m_brushBackground;
    if (back.IsEmpty())
        back = CBCGPBrush(CBCGPColor(globalData.clrHilite));
    if (rounded)
        gm.FillRoundedRectangle(rect, 6, back);
    else
        gm.FillRectangle(rect, back);

    const COLORREF text = Opaque(m_colorText, RGB(255, 255, 255));
    const CSize image = m_image.GetSize();
    const int nameHeight = globalData.GetTextHeight() + 12;
    if (!m_image.IsEmpty()) {
        // Centred above the name, scaled down (never up) to fit.
        CRect room = rect;
        room.DeflateRect(12, 10);
        room.bottom -= m_strName.IsEmpty() ? 0 : nameHeight - 8;
        // Beside the words on a wide tile, below the title on a square one.
        if (m_type == BCGP_TILE_WIDE && !m_strText.IsEmpty())
            room.left = rect.left + rect.Width() * 11 / 20;
        else if (!m_strHeader.IsEmpty())
            room.top += globalData.GetTextHeight() + 10;
        double scale = 1.0;
        if (image.cx > room.Width() || image.cy > room.Height())
            scale = std::min(room.Width() / static_cast<double>(image.cx), room.Height() / static_cast<double>(image.cy));
        const int w = std::max(1, static_cast<int>(image.cx * scale)), h = std::max(1, static_cast<int>(image.cy * scale));
        const CPoint c = room.CenterPoint();
        m_image.Draw(pDC, CRect(c.x - w / 2, c.y - h / 2, c.x - w / 2 + w, c.y - h / 2 + h));
    }
    if (!m_strHeader.IsEmpty() || !m_strText.IsEmpty()) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(text);
        CRect room(rect.left + 12, rect.top + 10, rect.right - 12, rect.bottom - nameHeight);
        if (m_type == BCGP_TILE_WIDE && !m_strText.IsEmpty() && !m_image.IsEmpty())
            room.right = rect.left + rect.Width() * 11 / 20;
        if (!m_strHeader.IsEmpty()) {
            CFont font;
            // Set apart by its size: a bold face may lack the glyphs that the linked faces give
            // the regular one.
            MakeFont(font, CBCGPTextFormat(), globalData.GetTextHeight() + 6, FW_NORMAL);
            CFont* old = pDC->SelectObject(&font);
            CRect header = room;
            pDC->DrawText(m_strHeader, header, DT_SINGLELINE | DT_TOP | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
            room.top += pDC->GetTextExtent(L"Ag", 2).cy + 6;
            pDC->SelectObject(old);
        }
        if (!m_strText.IsEmpty()) {
            CFont* old = pDC->SelectObject(&globalData.fontRegular);
            pDC->DrawText(m_strText, room, DT_TOP | DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_END_ELLIPSIS);
            pDC->SelectObject(old);
        }
    }
    if (!m_strName.IsEmpty()) {
        CFont* old = pDC->SelectObject(&globalData.fontRegular);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(text);
        // The badge's corner is kept clear only when there is a badge.
        const bool badge = m_badgeGlyph != BCGP_NONE || m_nBadgeNumber >= 0;
        CRect name(rect.left + 10, rect.bottom - nameHeight, rect.right - (badge ? 30 : 10), rect.bottom - 4);
        pDC->DrawText(m_strName, name, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        pDC->SelectObject(old);
    }
    if (m_badgeGlyph != BCGP_NONE || m_nBadgeNumber >= 0)
        DrawBadge(pDC, CRect(rect.right - 28, rect.bottom - nameHeight, rect.right - 8, rect.bottom - 4), m_badgeGlyph,
                  m_nBadgeNumber, text);

    // The border; hot tiles get a lighter, thicker one.
    COLORREF border = Opaque(m_colorBorder, (COLORREF)-1);
    if (bHot)
        border = skinui::Lighter(border != (COLORREF)-1 ? border : static_cast<COLORREF>(back.GetColor()), 0.45);
    if (border != (COLORREF)-1) {
        CBCGPBrush line{ CBCGPColor(border) };
        if (rounded)
            gm.DrawRoundedRectangle(rect, 6, line, bHot ? 2.0 : 1.0);
        else
            gm.DrawRectangle(rect, line, bHot ? 2.0 : 1.0);
    }
}

// ---------------------------------------------------------------------------------------------
// CBCGPScrollBarColorTheme

CBCGPScrollBarColorTheme::CBCGPScrollBarColorTheme(COLORREF clrBase)
    : m_clrFace(skinui::Lighter(clrBase, 0.3)), m_clrThumb(skinui::Darker(clrBase, 0.25)), m_clrThumbHot(skinui::Darker(clrBase, 0.4))
{
}

// ---------------------------------------------------------------------------------------------
// CBCGPWinUITiles

IMPLEMENT_DYNCREATE(CBCGPWinUITiles, CObject)

CBCGPWinUITiles::CBCGPWinUITiles() = default;

CBCGPWinUITiles::~CBCGPWinUITiles() = default;

void CBCGPWinUITiles::Add(CBCGPWinUITile* pTile, int nGroup)
{
    if (!pTile)
        return;
    pTile->m_nGroup = nGroup;
    pTile->m_pParent = this;
    m_tiles.emplace_back(pTile);
    AdjustLayout();
}

BOOL CBCGPWinUITiles::Remove(CBCGPWinUITile* pTile)
{
    for (auto it = m_tiles.begin(); it != m_tiles.end(); ++it) {
        if (it->get() == pTile) {
            m_tiles.erase(it);
            AdjustLayout();
            return TRUE;
        }
    }
    return FALSE;
}

void CBCGPWinUITiles::RemoveAll()
{
    m_tiles.clear();
    AdjustLayout();
}

CBCGPWinUITile* CBCGPWinUITiles::GetTile(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_tiles[static_cast<size_t>(nIndex)].get() : nullptr;
}

CBCGPWinUITile* CBCGPWinUITiles::HitTest(CPoint point) const
{
    for (const auto& tile : m_tiles)
        if (tile->m_rect.PtInRect(point))
            return tile.get();
    return nullptr;
}

void CBCGPWinUITiles::SetGroupCaption(int nGroup, const CString& strCaption)
{
    for (auto& caption : m_groupCaptions) {
        if (caption.first == nGroup) {
            caption.second = strCaption;
            AdjustLayout();
            return;
        }
    }
    m_groupCaptions.emplace_back(nGroup, strCaption);
    AdjustLayout();
}

CString CBCGPWinUITiles::GetGroupCaption(int nGroup) const
{
    for (const auto& caption : m_groupCaptions)
        if (caption.first == nGroup)
            return caption.second;
    return CString();
}

void CBCGPWinUITiles::AddCaptionButton(UINT nID, const CBCGPImage& image, const CString& strName)
{
    m_captionButtons.push_back({ nID, image, strName, CRect() });
    AdjustLayout();
}

UINT CBCGPWinUITiles::GetCaptionButtonID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCaptionButtonCount() ? m_captionButtons[nIndex].id : 0;
}

CString CBCGPWinUITiles::GetCaptionButtonName(UINT nID) const
{
    for (const auto& button : m_captionButtons)
        if (button.id == nID)
            return button.name;
    return CString();
}

BOOL CBCGPWinUITiles::SetCaptionButtonName(UINT nID, const CString& strName)
{
    for (auto& button : m_captionButtons)
        if (button.id == nID) {
            button.name = strName;
            return TRUE;
        }
    return FALSE;
}

CRect CBCGPWinUITiles::GetCaptionButtonRect(UINT nID) const
{
    for (const auto& button : m_captionButtons)
        if (button.id == nID)
            return button.rect;
    return CRect();
}

UINT CBCGPWinUITiles::CaptionButtonHitTest(CPoint point) const
{
    for (const auto& button : m_captionButtons)
        if (button.rect.PtInRect(point))
            return button.id;
    return 0;
}

void CBCGPWinUITiles::DrawCaptionButtons(CDC* pDC, UINT nHot, UINT nPressed)
{
    for (const auto& button : m_captionButtons) {
        CRect r = button.rect;
        if (button.id == nHot || button.id == nPressed) {
            const COLORREF base = m_clrCaption != (COLORREF)-1 ? m_clrCaption : globalData.clrBarText;
            CBCGPGraphicsManager gm(pDC);
            gm.FillRectangle(r, CBCGPBrush(CBCGPColor(base), button.id == nPressed ? 0.35 : 0.2));
        }
        if (button.image.IsEmpty())
            continue;
        // In the caption's colour (the pictures are one-colour line art), centred, scaled down
        // (never up) to fit.
        CBCGPImage image = button.image;
        if (m_clrCaption != (COLORREF)-1)
            image.Colorize(m_clrCaption, 1.0);
        const CSize size = image.GetSize();
        CRect room = r;
        room.DeflateRect(4, 4);
        double scale = 1.0;
        if (size.cx > room.Width() || size.cy > room.Height())
            scale = std::min(room.Width() / static_cast<double>(size.cx), room.Height() / static_cast<double>(size.cy));
        const int w = std::max(1, static_cast<int>(size.cx * scale)), h = std::max(1, static_cast<int>(size.cy * scale));
        const CPoint c = room.CenterPoint();
        image.Draw(pDC, CRect(c.x - w / 2, c.y - h / 2, c.x - w / 2 + w, c.y - h / 2 + h));
    }
}

void CBCGPWinUITiles::SetSquareSize(const CSize& size)
{
    m_sizeSquare = CSize(std::max<int>(16, size.cx), std::max<int>(16, size.cy));
    AdjustLayout();
}

void CBCGPWinUITiles::Redraw()
{
    if (m_pOwner && m_pOwner->m_hWnd)
        m_pOwner->Invalidate(FALSE);
}

void CBCGPWinUITiles::SetScrollOffset(int nOffset)
{
    const int offset = std::max(0, std::min(nOffset, m_nScrollRange));
    if (offset != m_nScrollOffset) {
        m_nScrollOffset = offset;
        AdjustLayout();
    }
}

void CBCGPWinUITiles::AdjustLayout()
{
    if (!m_pOwner || !m_pOwner->m_hWnd)
        return;
    CRect client;
    m_pOwner->GetClientRect(&client);
    CRect area = client;
    area.DeflateRect(kMargin, kMargin);
    m_rectCaption = CRect(0, 0, 0, 0);
    if (!m_strCaption.IsEmpty() || !m_captionButtons.empty()) {
        const int height = globalData.GetTextHeight() * 2 + 8;
        m_rectCaption = CRect(area.left, area.top, area.right, area.top + height);
        area.top += height + 8;
        // The buttons are squares of the caption's height, from the right end leftwards.
        int right = client.right - 8;
        for (auto& button : m_captionButtons) {
            button.rect = CRect(right - height, client.top + 4, right, client.top + 4 + height);
            right -= height + 2;
        }
        m_rectCaption.right = std::max<LONG>(m_rectCaption.left, std::min<LONG>(m_rectCaption.right, right - 8));
    }
    area.bottom -= kScrollBar + 4;
    const bool anyCaption = std::any_of(m_groupCaptions.begin(), m_groupCaptions.end(), [](const auto& c) { return !c.second.IsEmpty(); });
    std::vector<skinui::TileSlot> slots;
    for (const auto& tile : m_tiles)
        slots.push_back({ tile->m_nGroup, tile->m_type == BCGP_TILE_WIDE });
    std::vector<CRect> rects;
    const int extent = skinui::LayoutTiles(slots, area, m_sizeSquare, kGap, kGroupGap, anyCaption ? GroupCaptionHeight() : 0,
                                           m_bHorizontalLayout != FALSE, rects, m_groupRects);
    const int visible = m_bHorizontalLayout ? area.Width() : area.Height();
    m_nScrollRange = std::max(0, extent - visible);
    m_nScrollOffset = std::min(m_nScrollOffset, m_nScrollRange);
    const CSize shift = m_bHorizontalLayout ? CSize(-m_nScrollOffset, 0) : CSize(0, -m_nScrollOffset);
    for (size_t i = 0; i < m_tiles.size(); ++i) {
        m_tiles[i]->m_rect = rects[i];
        m_tiles[i]->m_rect.OffsetRect(shift);
    }
    for (auto& group : m_groupRects)
        group.captionRect.OffsetRect(shift);
    m_pOwner->Invalidate(FALSE);
}

void CBCGPWinUITiles::OnDraw(CDC* pDC, const CRect& rectClient, CBCGPWinUITile* pHot, CBCGPWinUITile* pPressed)
{
    if (m_brFill.IsEmpty())
        pDC->FillSolidRect(rectClient, globalData.clrWindow);
    else
        m_brFill.Fill(pDC, rectClient);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_clrCaption != (COLORREF)-1 ? m_clrCaption : globalData.clrBarText);
    if (!m_rectCaption.IsRectEmpty() && !m_strCaption.IsEmpty()) {
        CFont font;
        MakeFont(font, CBCGPTextFormat(), globalData.GetTextHeight() * 2, FW_LIGHT);
        CFont* old = pDC->SelectObject(&font);
        CRect r = m_rectCaption;
        pDC->DrawText(m_strCaption, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        pDC->SelectObject(old);
    }
    {
        CFont font;
        MakeFont(font, m_tfCaption, globalData.GetTextHeight() + 3, FW_NORMAL);
        CFont* old = pDC->SelectObject(&font);
        for (const auto& group : m_groupRects) {
            CRect r = group.captionRect;
            pDC->DrawText(GetGroupCaption(group.group), r, DT_SINGLELINE | DT_TOP | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        pDC->SelectObject(old);
    }
    for (const auto& tile : m_tiles)
        if (CRect().IntersectRect(tile->m_rect, rectClient))
            tile->OnDraw(pDC, tile.get() == pHot, tile.get() == pPressed);
    if (m_nScrollRange > 0) {
        // A thin bar along the scroll direction: its thumb shows the visible part.
        const COLORREF face = m_scrollTheme.m_clrFace != (COLORREF)-1 ? m_scrollTheme.m_clrFace : globalData.clrBarLight;
        const COLORREF thumb = m_scrollTheme.m_clrThumb != (COLORREF)-1 ? m_scrollTheme.m_clrThumb : globalData.clrBarShadow;
        const int thickness = m_nScrollBarStyle == 0 ? kScrollBar : kScrollBar * 2;
        const BOOL horz = m_bHorizontalLayout;
        CRect bar = horz ? CRect(rectClient.left + kMargin, rectClient.bottom - thickness - 4, rectClient.right - kMargin,
                                 rectClient.bottom - 4)
                         : CRect(rectClient.right - thickness - 4, rectClient.top + kMargin, rectClient.right - 4,
                                 rectClient.bottom - kMargin);
        pDC->FillSolidRect(bar, face);
        const int length = horz ? bar.Width() : bar.Height();
        const int total = length + m_nScrollRange;
        const int thumbLength = std::max(20, MulDiv(length, length, total));
        const int thumbStart = MulDiv(length - thumbLength, m_nScrollOffset, m_nScrollRange);
        CRect t = horz ? CRect(bar.left + thumbStart, bar.top, bar.left + thumbStart + thumbLength, bar.bottom)
                       : CRect(bar.left, bar.top + thumbStart, bar.right, bar.top + thumbStart + thumbLength);
        pDC->FillSolidRect(t, thumb);
    }
}

// ---------------------------------------------------------------------------------------------
// CBCGPWinUITilesCtrl

IMPLEMENT_DYNCREATE(CBCGPWinUITilesCtrl, CWnd)

CBCGPWinUITilesCtrl::CBCGPWinUITilesCtrl() = default;

CBCGPWinUITilesCtrl::~CBCGPWinUITilesCtrl() = default;

BOOL CBCGPWinUITilesCtrl::Create(const CRect& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    static LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, L"", dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    if (m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) {
        m_toolTip.SetMaxTipWidth(320);
        m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKW, nullptr, 1);
    }
    CBCGPWinUITiles* tiles = GetWinUITiles();
    tiles->SetOwner(this);
    tiles->AdjustLayout();
    return TRUE;
}

CBCGPWinUITiles* CBCGPWinUITilesCtrl::GetWinUITiles()
{
    if (!m_pWinUITiles) {
        m_pWinUITiles = std::make_unique<CBCGPWinUITiles>();
        m_pWinUITiles->SetOwner(this);
    }
    return m_pWinUITiles.get();
}

void CBCGPWinUITilesCtrl::ClickTile(CBCGPWinUITile* pTile)
{
    if (!pTile || !m_hWnd)
        return;
    if (CWnd* parent = GetParent())
        parent->SendMessage(BCGM_ON_CLICK_WINUI_UI_TILE, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(pTile));
}

void CBCGPWinUITilesCtrl::ClickCaptionButton(UINT nID)
{
    if (!nID || !m_hWnd)
        return;
    if (CWnd* parent = GetParent())
        parent->SendMessage(BCGM_ON_CLICK_WINUI_UI_CAPTION_BUTTON, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(nID));
}

void CBCGPWinUITilesCtrl::UpdateToolTip()
{
    if (!m_toolTip.m_hWnd)
        return;
    // One tool for the whole window; its text follows the tile or caption button under the mouse.
    CRect client;
    GetClientRect(&client);
    CRect tool = GetHotTile() ? GetHotTile()->GetRect() : client;
    if (m_hoverButton.Hot())
        tool = GetWinUITiles()->GetCaptionButtonRect(m_hoverButton.Hot());
    m_toolTip.SetToolRect(this, 1, &tool);
    m_toolTip.Pop();
}

LRESULT CBCGPWinUITilesCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_toolTip.m_hWnd && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = { m_hWnd, message, wParam, lParam };
        m_toolTip.RelayEvent(&msg);
    }
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CBCGPWinUITiles* tiles = GetWinUITiles();
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CRect client;
        GetClientRect(&client);
        skinui::PaintBuffered(this, [&](CDC* dc) {
            tiles->OnDraw(dc, client, GetHotTile(), m_pPressed);
            tiles->DrawCaptionButtons(dc, m_hoverButton.Hot(), m_nPressedButton);
        });
        return 0;
    }
    case WM_SIZE:
        tiles->AdjustLayout();
        break;
    case WM_MOUSEMOVE: {
        const bool tileChanged = m_hover.Move(m_hWnd, tiles->HitTest(point));
        const bool buttonChanged = m_hoverButton.Move(m_hWnd, tiles->CaptionButtonHitTest(point));
        if (tileChanged || buttonChanged) {
            UpdateToolTip();
            Invalidate(FALSE);
        }
        return 0;
    }
    case WM_MOUSELEAVE: {
        const bool tileLeft = m_hover.Leave();
        if (m_hoverButton.Leave() || tileLeft)
            Invalidate(FALSE);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_nPressedButton = tiles->CaptionButtonHitTest(point);
        if (m_nPressedButton) {
            SetCapture();
            Invalidate(FALSE);
            return 0;
        }
        m_pPressed = tiles->HitTest(point);
        if (m_pPressed) {
            SetCapture();
            Invalidate(FALSE);
        }
        if (GetStyle() & WS_TABSTOP)
            SetFocus();
        return 0;
    case WM_LBUTTONUP: {
        if (const UINT button = m_nPressedButton) {
            m_nPressedButton = 0;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            Invalidate(FALSE);
            if (tiles->CaptionButtonHitTest(point) == button)
                ClickCaptionButton(button);
            return 0;
        }
        CBCGPWinUITile* pressed = m_pPressed;
        m_pPressed = nullptr;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Invalidate(FALSE);
        if (pressed && tiles->HitTest(point) == pressed)
            ClickTile(pressed);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if ((m_pPressed || m_nPressedButton) && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_pPressed = nullptr;
            m_nPressedButton = 0;
            Invalidate(FALSE);
        }
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        const int delta = static_cast<short>(HIWORD(wParam));
        tiles->SetScrollOffset(tiles->GetScrollOffset() - delta * tiles->GetSquareSize().cx / 2 / WHEEL_DELTA * (message == WM_MOUSEHWHEEL ? -1 : 1));
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (m_toolTip.m_hWnd && header->hwndFrom == m_toolTip.m_hWnd && header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            static CString text;
            text.Empty();
            if (const UINT button = m_hoverButton.Hot()) {
                text = tiles->GetCaptionButtonName(button);
            } else if (CBCGPWinUITile* hot = GetHotTile()) {
                text = hot->GetToolTipText();
                if (!hot->GetToolTipDescription().IsEmpty())
                    text += (text.IsEmpty() ? L"" : L"\r\n") + hot->GetToolTipDescription();
            }
            info->lpszText = const_cast<LPWSTR>(text.GetString());
            return 0;
        }
        break;
    }
    default:
        if (message == BCGM_CHANGEVISUALMANAGER) {
            Invalidate(FALSE);
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

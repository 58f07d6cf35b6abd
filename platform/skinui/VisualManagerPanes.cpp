// The visual manager's drawing of docking panes, tab strips, auto-hide strips, mini frames and
// outlook-bar buttons: flat faces with the look's accent colour on what is active.
#include "VisualManager.h"
#include "DrawManager.h"
#include "GlobalData.h"

void CBCGPVisualManager::OnDrawPaneCaption(CDC* pDC, CBCGPDockingControlBar*, BOOL bActive, CRect rectCaption)
{
    pDC->FillSolidRect(rectCaption, bActive ? GetAccentColor() : skinui::Darker(globalData.clrBarFace, 0.04));
}

COLORREF CBCGPVisualManager::GetPaneCaptionTextColor(BOOL bActive)
{
    return bActive ? RGB(255, 255, 255) : globalData.clrBarText;
}

CSize CBCGPVisualManager::GetCaptionButtonSize() const
{
    const int side = static_cast<int>(14 * globalData.GetRibbonImageScale() + 0.5);
    return CSize(side, side);
}

void CBCGPVisualManager::OnDrawPaneCaptionButton(CDC* pDC, CRect rect, UINT nHit, BOOL bPinned, BOOL bActive, BOOL bHighlighted,
                                                 BOOL bPressed)
{
    const COLORREF back = bActive ? GetAccentColor() : skinui::Darker(globalData.clrBarFace, 0.04);
    COLORREF glyph = GetPaneCaptionTextColor(bActive);
    if (bHighlighted || bPressed)
        pDC->FillSolidRect(rect, bActive ? skinui::Lighter(back, bPressed ? 0.35 : 0.2) : skinui::Darker(back, bPressed ? 0.2 : 0.1));
    const CPoint c = rect.CenterPoint();
    CBCGPDrawManager dm(*pDC);
    if (nHit == HTCLOSE) {
        dm.DrawLine(c.x - 4, c.y - 4, c.x + 4, c.y + 4, glyph);
        dm.DrawLine(c.x + 4, c.y - 4, c.x - 4, c.y + 4, glyph);
        dm.DrawLine(c.x - 3, c.y - 4, c.x + 5, c.y + 4, glyph);
        dm.DrawLine(c.x + 5, c.y - 4, c.x - 3, c.y + 4, glyph);
    } else if (nHit == HTMAXBUTTON) {
        // A push pin: upright when the pane stays, lying down when it hides itself.
        if (bPinned) {
            dm.DrawRect(CRect(c.x - 3, c.y - 4, c.x + 3, c.y + 2), (COLORREF)-1, glyph);
            dm.DrawLine(c.x - 5, c.y + 2, c.x + 6, c.y + 2, glyph);
            dm.DrawLine(c.x, c.y + 2, c.x, c.y + 6, glyph);
            dm.DrawLine(c.x + 1, c.y - 4, c.x + 1, c.y + 2, glyph);
        } else {
            dm.DrawRect(CRect(c.x - 2, c.y - 3, c.x + 4, c.y + 3), (COLORREF)-1, glyph);
            dm.DrawLine(c.x - 2, c.y - 5, c.x - 2, c.y + 6, glyph);
            dm.DrawLine(c.x - 6, c.y, c.x - 2, c.y, glyph);
            dm.DrawLine(c.x - 2, c.y + 1, c.x + 4, c.y + 1, glyph);
        }
    }
}

void CBCGPVisualManager::OnFillTabArea(CDC* pDC, CRect rect, BOOL bTop)
{
    pDC->FillSolidRect(rect, globalData.clrBarFace);
    CRect line = rect;
    if (bTop)
        line.top = line.bottom - 2;
    else
        line.bottom = line.top + 1;
    pDC->FillSolidRect(line, bTop ? GetAccentColor() : skinui::Darker(globalData.clrBarFace, 0.15));
}

void CBCGPVisualManager::OnDrawTab(CDC* pDC, CRect rect, BOOL bActive, BOOL bHighlighted, BOOL bTop)
{
    if (bActive) {
        pDC->FillSolidRect(rect, bTop ? GetAccentColor() : globalData.clrWindow);
        if (!bTop) {
            CRect mark = rect;
            mark.top = mark.bottom - 2;
            pDC->FillSolidRect(mark, GetAccentColor());
        }
    } else if (bHighlighted) {
        pDC->FillSolidRect(rect, skinui::Mix(globalData.clrBarFace, GetAccentColor(), 0.25));
    }
}

COLORREF CBCGPVisualManager::GetTabTextColor(BOOL bActive, BOOL bHighlighted, BOOL bTop)
{
    if (bActive)
        return bTop ? skinui::ReadableOn(globalData.clrBarText, GetAccentColor(), RGB(255, 255, 255)) : globalData.clrBarText;
    return bHighlighted ? GetAccentColor() : skinui::Mix(globalData.clrBarText, globalData.clrBarFace, 0.3);
}

void CBCGPVisualManager::OnDrawAutoHideButton(CDC* pDC, CRect rect, DWORD dwAlignment, BOOL bHighlighted)
{
    // A bar along the edge of the button that faces the frame's border.
    CRect mark = rect;
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_LEFT: mark.right = mark.left + 4; break;
    case CBRS_ALIGN_RIGHT: mark.left = mark.right - 4; break;
    case CBRS_ALIGN_TOP: mark.bottom = mark.top + 4; break;
    default: mark.top = mark.bottom - 4; break;
    }
    pDC->FillSolidRect(mark, bHighlighted ? GetAccentColor() : skinui::Darker(globalData.clrBarFace, 0.2));
}

void CBCGPVisualManager::OnDrawMiniFrame(CDC* pDC, CRect rectWindow, CRect rectCaption, BOOL bActive)
{
    pDC->FillSolidRect(rectWindow, globalData.clrBarFace);
    CBCGPDrawManager(*pDC).DrawRect(rectWindow, (COLORREF)-1, bActive ? GetAccentColor() : skinui::Darker(globalData.clrBarFace, 0.3));
    pDC->FillSolidRect(rectCaption, bActive ? GetAccentColor() : skinui::Darker(globalData.clrBarFace, 0.04));
}

void CBCGPVisualManager::OnFillOutlookButton(CDC* pDC, CRect rect, BOOL bActive, BOOL bHighlighted)
{
    COLORREF fill = globalData.clrBarFace;
    if (bActive)
        fill = skinui::Mix(globalData.clrBarFace, GetAccentColor(), 0.3);
    else if (bHighlighted)
        fill = skinui::Mix(globalData.clrBarFace, GetAccentColor(), 0.15);
    pDC->FillSolidRect(rect, fill);
    CRect line = rect;
    line.bottom = line.top + 1;
    pDC->FillSolidRect(line, skinui::Darker(globalData.clrBarFace, 0.12));
    if (bActive) {
        CRect mark = rect;
        mark.right = mark.left + 3;
        pDC->FillSolidRect(mark, GetAccentColor());
    }
}

// The visual manager's drawing of bars, buttons, menus, the caption band and the status bar.
// Every look draws flat faces in its own colours (globalData and the accent), so the base
// manager's drawing serves them all; plain drawing (low colour, high contrast) keeps to system
// colours.
#include "VisualManager.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "ToolbarButton.h"

namespace {

COLORREF HotFill(COLORREF accent)
{
    return skinui::Lighter(accent, 0.82);
}

COLORREF PressedFill(COLORREF accent)
{
    return skinui::Lighter(accent, 0.62);
}

} // namespace

void CBCGPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rect, BOOL bHorz, CWnd*)
{
    // A column (or row) of dots.
    const COLORREF dot = globalData.clrBarShadow;
    const CPoint c = rect.CenterPoint();
    for (int i = -2; i <= 2; ++i) {
        const int x = bHorz ? c.x - 1 : c.x + i * 4 - 1;
        const int y = bHorz ? c.y + i * 4 - 1 : c.y - 1;
        pDC->FillSolidRect(CRect(x, y, x + 2, y + 2), dot);
    }
}

void CBCGPVisualManager::OnDrawSeparator(CDC* pDC, CWnd*, CRect rect, BOOL bHorz)
{
    const CPoint c = rect.CenterPoint();
    if (bHorz)
        pDC->FillSolidRect(CRect(c.x, rect.top + 3, c.x + 1, rect.bottom - 3), globalData.clrBarShadow);
    else
        pDC->FillSolidRect(CRect(rect.left + 3, c.y, rect.right - 3, c.y + 1), globalData.clrBarShadow);
}

void CBCGPVisualManager::OnFillButtonInterior(CDC* pDC, CBCGPToolbarButton* pButton, CRect rect, BCGBUTTON_STATE state)
{
    const BOOL checked = pButton && pButton->IsChecked();
    if (state == ButtonsIsRegular && !checked)
        return;
    const COLORREF accent = GetAccentColor();
    if (globalData.IsPlainDrawing()) {
        pDC->FillSolidRect(rect, state == ButtonsIsPressed || checked ? globalData.clrBarShadow : globalData.clrBarLight);
        CBCGPDrawManager(*pDC).DrawRect(rect, (COLORREF)-1, globalData.clrBarDkShadow);
        return;
    }
    COLORREF fill = HotFill(accent);
    if (state == ButtonsIsPressed)
        fill = PressedFill(accent);
    else if (checked)
        fill = state == ButtonsIsHighlighted ? skinui::Lighter(accent, 0.7) : skinui::Lighter(accent, 0.75);
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, skinui::Lighter(accent, checked || state == ButtonsIsPressed ? 0.3 : 0.5));
}

COLORREF CBCGPVisualManager::GetToolbarButtonTextColor(CBCGPToolbarButton* pButton, BCGBUTTON_STATE)
{
    return pButton && pButton->IsDisabled() ? globalData.clrGrayedText : globalData.clrBarText;
}

void CBCGPVisualManager::OnFillMenuBackground(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(rect, globalData.IsPlainDrawing() ? globalData.clrBtnFace : skinui::Lighter(globalData.clrBarFace, 0.6));
}

void CBCGPVisualManager::OnDrawMenuBorder(CDC* pDC, CRect rect)
{
    CBCGPDrawManager(*pDC).DrawRect(rect, (COLORREF)-1, globalData.clrBarShadow);
}

void CBCGPVisualManager::OnHighlightMenuItem(CDC* pDC, CRect rect, BOOL bDisabled)
{
    const COLORREF accent = GetAccentColor();
    if (globalData.IsPlainDrawing()) {
        pDC->FillSolidRect(rect, globalData.clrHilite);
        return;
    }
    CBCGPDrawManager(*pDC).DrawRect(rect, bDisabled ? globalData.clrBarLight : HotFill(accent),
                                    bDisabled ? globalData.clrBarShadow : skinui::Lighter(accent, 0.5));
}

COLORREF CBCGPVisualManager::GetMenuItemTextColor(BOOL bHighlighted, BOOL bDisabled)
{
    if (bDisabled)
        return globalData.clrGrayedText;
    if (bHighlighted && globalData.IsPlainDrawing())
        return globalData.clrTextHilite;
    return globalData.clrBarText;
}

void CBCGPVisualManager::OnDrawMenuCheck(CDC* pDC, CRect rect, BOOL bRadio, BOOL bDisabled)
{
    const COLORREF color = bDisabled ? globalData.clrGrayedText : globalData.clrBarText;
    CBCGPDrawManager dm(*pDC);
    const CPoint c = rect.CenterPoint();
    if (bRadio) {
        dm.DrawRect(CRect(c.x - 3, c.y - 3, c.x + 3, c.y + 3), color, (COLORREF)-1);
        return;
    }
    // A tick: down-right two steps then up-right four.
    for (int i = 0; i < 3; ++i) {
        dm.DrawLine(c.x - 4 + i, c.y - 1 + i, c.x - 4 + i, c.y + 2 + i, color);
    }
    for (int i = 0; i < 5; ++i) {
        dm.DrawLine(c.x - 1 + i, c.y + 1 - i, c.x - 1 + i, c.y + 4 - i, color);
    }
}

void CBCGPVisualManager::OnFillRibbonCaption(CDC* pDC, CRect rect, BOOL bActive)
{
    if (globalData.IsPlainDrawing()) {
        pDC->FillSolidRect(rect, bActive ? globalData.clrActiveCaption : globalData.clrBarFace);
        return;
    }
    // The bar's face, as the window buttons draw on it; the title's colour shows the activation.
    pDC->FillSolidRect(rect, globalData.clrBarFace);
}

COLORREF CBCGPVisualManager::GetRibbonCaptionTextColor(BOOL bActive)
{
    if (globalData.IsPlainDrawing())
        return bActive ? globalData.clrCaptionText : globalData.clrGrayedText;
    return bActive ? globalData.clrBarText : globalData.clrGrayedText;
}

void CBCGPVisualManager::OnFillRibbonStatusBar(CDC* pDC, CRect rect)
{
    if (globalData.IsPlainDrawing()) {
        pDC->FillSolidRect(rect, globalData.clrBarFace);
        return;
    }
    pDC->FillSolidRect(rect, globalData.clrBarFace);
    pDC->FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), globalData.clrBarShadow);
}

COLORREF CBCGPVisualManager::GetRibbonStatusBarTextColor(BOOL bDisabled)
{
    return bDisabled ? globalData.clrGrayedText : globalData.clrBarText;
}

void CBCGPVisualManager::OnFillRibbonButton(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bPressed, BOOL bChecked, BOOL bOnCaption)
{
    if (!bHighlighted && !bPressed && !bChecked)
        return;
    if (bOnCaption && !globalData.IsPlainDrawing()) {
        // As the window buttons beside them.
        pDC->FillSolidRect(rect, skinui::Darker(globalData.clrBarFace, bPressed ? 0.2 : 0.1));
        return;
    }
    const COLORREF accent = GetAccentColor();
    COLORREF fill = bPressed ? PressedFill(accent) : bChecked ? skinui::Lighter(accent, 0.72) : HotFill(accent);
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, skinui::Lighter(accent, 0.45));
}

void CBCGPVisualManager::OnDrawRibbonSliderZoomButton(CDC* pDC, CRect rect, BOOL bZoomIn, BOOL bHighlighted, BOOL bPressed,
                                                      BOOL bDisabled)
{
    OnFillRibbonButton(pDC, rect, bHighlighted && !bDisabled, bPressed && !bDisabled, FALSE, FALSE);
    const COLORREF color = bDisabled ? globalData.clrGrayedText : globalData.clrBarText;
    const CPoint c = rect.CenterPoint();
    CBCGPDrawManager dm(*pDC);
    dm.DrawRect(CRect(c.x - 4, c.y, c.x + 5, c.y + 1), color, (COLORREF)-1);
    if (bZoomIn)
        dm.DrawRect(CRect(c.x, c.y - 4, c.x + 1, c.y + 5), color, (COLORREF)-1);
}

void CBCGPVisualManager::OnDrawRibbonSliderChannel(CDC* pDC, CRect rect)
{
    const CPoint c = rect.CenterPoint();
    pDC->FillSolidRect(CRect(rect.left, c.y, rect.right, c.y + 1), globalData.clrBarDkShadow);
}

void CBCGPVisualManager::OnDrawRibbonSliderThumb(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled)
{
    COLORREF fill = globalData.clrBarText;
    if (bDisabled)
        fill = globalData.clrGrayedText;
    else if (bPressed)
        fill = GetAccentColor();
    else if (bHighlighted)
        fill = skinui::Lighter(GetAccentColor(), 0.2);
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, (COLORREF)-1);
}

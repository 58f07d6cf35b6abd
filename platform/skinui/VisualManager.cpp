#include "VisualManager.h"
#include <algorithm>
#include <memory>
#include "Button.h"
#include "DrawManager.h"
#include "GlobalData.h"
#include "SkinControls.h"
#include "Win32Owners.h"

const UINT BCGM_CHANGEVISUALMANAGER = ::RegisterWindowMessageW(L"SkinUI.ChangeVisualManager");

namespace {
std::unique_ptr<CBCGPVisualManager> g_manager;
COLORREF g_accent = RGB(0, 122, 204);

void FillRect(CDC* pDC, const CRect& rect, COLORREF color)
{
    pDC->FillSolidRect(rect, color);
}

void Frame(CDC* pDC, const CRect& rect, COLORREF color)
{
    CBCGPDrawManager(*pDC).DrawRect(rect, (COLORREF)-1, color);
}

BOOL CALLBACK NotifyChild(HWND hWnd, LPARAM)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hWnd, BCGM_CHANGEVISUALMANAGER, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
    return TRUE;
}

BOOL CALLBACK NotifyTopLevel(HWND hWnd, LPARAM)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process != ::GetCurrentProcessId())
        return TRUE;
    NotifyChild(hWnd, 0);
    ::EnumChildWindows(hWnd, NotifyChild, 0);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}
} // namespace

IMPLEMENT_DYNCREATE(CBCGPVisualManager, CObject)
IMPLEMENT_DYNCREATE(CBCGPVisualManager2003, CBCGPVisualManager)
IMPLEMENT_DYNCREATE(CBCGPVisualManagerVS2012, CBCGPVisualManager2003)
IMPLEMENT_DYNCREATE(CBCGPVisualManager2013, CBCGPVisualManagerVS2012)

CBCGPVisualManager::CBCGPVisualManager() = default;
CBCGPVisualManager::~CBCGPVisualManager() = default;

void CBCGPVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    if (!pRTI || !pRTI->IsDerivedFrom(RUNTIME_CLASS(CBCGPVisualManager)))
        pRTI = RUNTIME_CLASS(CBCGPVisualManager);
    std::unique_ptr<CObject> made(pRTI->CreateObject());
    if (!made)
        return;   // not creatable: keep the current look
    g_manager.reset(static_cast<CBCGPVisualManager*>(made.release()));
    RecalcGlobalColors();
}

CBCGPVisualManager* CBCGPVisualManager::GetInstance()
{
    if (!g_manager) {
        g_manager = std::make_unique<CBCGPVisualManager>();
        globalData.UpdateSysColors();
        g_manager->OnUpdateSystemColors();
        g_manager->ModifyGlobalColors();
        globalData.RebuildBrushes();
    }
    return g_manager.get();
}

void CBCGPVisualManager::RecalcGlobalColors()
{
    CBCGPVisualManager* manager = GetInstance();
    globalData.UpdateSysColors();
    manager->OnUpdateSystemColors();
    globalData.RebuildBrushes();
    // After the brushes, so that a hook that makes a brush of its own keeps it.
    manager->ModifyGlobalColors();
    RedrawAll();
}

void CBCGPVisualManager::RedrawAll()
{
    ::EnumWindows(NotifyTopLevel, 0);
}

void CBCGPVisualManager::OnUpdateSystemColors() {}
void CBCGPVisualManager::ModifyGlobalColors() {}

COLORREF CBCGPVisualManager::GetAccentColor()
{
    return globalData.clrHilite;
}

void CBCGPVisualManager::OnFillDialog(CDC* pDC, CWnd* pDlg, CRect rect)
{
    ::FillRect(pDC->m_hDC, rect, GetDlgBackBrush(pDlg));
}

CBrush& CBCGPVisualManager::GetDlgBackBrush(CWnd*)
{
    return globalData.brBarFace;
}

COLORREF CBCGPVisualManager::GetDlgTextColor(CWnd*)
{
    return globalData.clrBarText;
}

void CBCGPVisualManager::OnDrawPushButton(CDC* pDC, CRect rect, CBCGPButton*, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled,
                                          BOOL bDefault)
{
    const COLORREF accent = GetAccentColor();
    COLORREF fill = skinui::Lighter(globalData.clrBarFace, 0.35);
    if (bPressed)
        fill = skinui::Lighter(accent, 0.6);
    else if (bHighlighted)
        fill = skinui::Lighter(accent, 0.82);
    const COLORREF border = bDisabled ? skinui::Lighter(globalData.clrBarShadow, 0.4)
                            : (bDefault || bHighlighted || bPressed) ? accent : globalData.clrBarShadow;
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, border);
    if (bDefault && !bDisabled) {
        rect.DeflateRect(1, 1);
        Frame(pDC, rect, skinui::Lighter(accent, 0.5));
    }
}

COLORREF CBCGPVisualManager::GetButtonTextColor(CBCGPButton*, BOOL bDisabled)
{
    return bDisabled ? globalData.clrGrayedText : globalData.clrBarText;
}

void CBCGPVisualManager::OnDrawCheckBox(CDC* pDC, CRect rect, BOOL bHighlighted, int nState, BOOL bEnabled, BOOL bRadio)
{
    const COLORREF border = !bEnabled ? globalData.clrBarShadow : bHighlighted ? GetAccentColor() : globalData.clrBarDkShadow;
    CBCGPDrawManager dm(*pDC);
    dm.DrawRect(rect, globalData.clrWindow, border);
    if (nState) {
        CRect mark = rect;
        mark.DeflateRect(3, 3);
        const COLORREF fill = skinui::ReadableOn(GetAccentColor(), globalData.clrWindow, globalData.clrWindowText);
        dm.DrawRect(mark, bEnabled ? fill : globalData.clrBarShadow, (COLORREF)-1);
    }
    (void)bRadio;
}

COLORREF CBCGPVisualManager::GetControlBorderColor(BOOL bHighlighted, BOOL bDisabled)
{
    if (bDisabled)
        return skinui::Lighter(globalData.clrBarShadow, 0.3);
    return bHighlighted ? GetAccentColor() : globalData.clrBarShadow;
}

void CBCGPVisualManager::OnDrawControlBorder(CDC* pDC, CRect rect, CWnd*, BOOL bHighlighted, BOOL bDisabled)
{
    Frame(pDC, rect, GetControlBorderColor(bHighlighted, bDisabled));
}

void CBCGPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted)
{
    COLORREF fill = globalData.clrWindow;
    if (bIsDropped)
        fill = skinui::Lighter(GetAccentColor(), 0.6);
    else if (bIsHighlighted)
        fill = skinui::Lighter(GetAccentColor(), 0.82);
    FillRect(pDC, rect, fill);
    // A dark window colour (a black skin) would swallow the bar's dark text colour.
    DrawArrow(pDC, rect, 1,
              bDisabled ? globalData.clrGrayedText : skinui::ReadableOn(globalData.clrBarText, fill, globalData.clrWindowText));
}

void CBCGPVisualManager::OnDrawEditBrowseButton(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled)
{
    COLORREF fill = skinui::Lighter(globalData.clrBarFace, 0.35);
    if (bPressed)
        fill = skinui::Lighter(GetAccentColor(), 0.6);
    else if (bHighlighted && !bDisabled)
        fill = skinui::Lighter(GetAccentColor(), 0.82);
    FillRect(pDC, rect, fill);
    CBCGPDrawManager(*pDC).DrawLine(rect.left, rect.top, rect.left, rect.bottom, GetControlBorderColor(FALSE, bDisabled));
}

void CBCGPVisualManager::OnDrawCaptionButton(CDC* pDC, CRect rect, BCGP_CAPTION_BUTTON nButton, BOOL bHighlighted, BOOL bPressed,
                                             BOOL bDisabled)
{
    COLORREF fill = globalData.clrBarFace, glyph = bDisabled ? globalData.clrGrayedText : globalData.clrBarText;
    if (bHighlighted || bPressed) {
        fill = nButton == BCGP_CAPTION_CLOSE ? RGB(232, 17, 35) : skinui::Darker(globalData.clrBarFace, bPressed ? 0.2 : 0.1);
        if (nButton == BCGP_CAPTION_CLOSE)
            glyph = RGB(255, 255, 255);
    }
    FillRect(pDC, rect, fill);
    const CPoint c = rect.CenterPoint();
    CBCGPDrawManager dm(*pDC);
    switch (nButton) {
    case BCGP_CAPTION_CLOSE:
        dm.DrawLine(c.x - 4, c.y - 4, c.x + 5, c.y + 5, glyph);
        dm.DrawLine(c.x + 4, c.y - 4, c.x - 5, c.y + 5, glyph);
        break;
    case BCGP_CAPTION_MINIMIZE:
        dm.DrawLine(c.x - 5, c.y, c.x + 5, c.y, glyph);
        break;
    case BCGP_CAPTION_MAXIMIZE:
        dm.DrawRect(CRect(c.x - 5, c.y - 5, c.x + 5, c.y + 5), (COLORREF)-1, glyph);
        break;
    case BCGP_CAPTION_RESTORE:
        dm.DrawRect(CRect(c.x - 5, c.y - 3, c.x + 3, c.y + 5), (COLORREF)-1, glyph);
        dm.DrawLine(c.x - 3, c.y - 5, c.x + 5, c.y - 5, glyph);
        dm.DrawLine(c.x + 5, c.y - 5, c.x + 5, c.y + 3, glyph);
        break;
    }
}

COLORREF CBCGPVisualManager::GetTreeControlFillColor(CBCGPTreeCtrl*, BOOL bIsSelected, BOOL bIsFocused, BOOL bIsDisabled)
{
    if (bIsSelected)
        return bIsFocused && !bIsDisabled ? GetAccentColor() : globalData.clrBarShadow;
    return globalData.clrWindow;
}

COLORREF CBCGPVisualManager::GetTreeControlTextColor(CBCGPTreeCtrl*, BOOL bIsSelected, BOOL bIsFocused, BOOL bIsDisabled)
{
    if (bIsDisabled)
        return globalData.clrGrayedText;
    if (bIsSelected && bIsFocused)
        return RGB(255, 255, 255);
    return globalData.clrWindowText;
}

void CBCGPVisualManager::OnDrawProgressBar(CDC* pDC, CBCGPProgressCtrl*, CRect rectProgress, CRect rectChunk, BOOL bInfinite)
{
    OnDrawRibbonProgressBar(pDC, rectProgress, rectChunk, bInfinite);
}

void CBCGPVisualManager::OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL)
{
    CBCGPDrawManager dm(*pDC);
    dm.DrawRect(rectProgress, globalData.clrWindow, globalData.clrBarShadow);
    if (!rectChunk.IsRectEmpty())
        dm.DrawRect(rectChunk, GetAccentColor(), (COLORREF)-1);
}

void CBCGPVisualManager::OnScrollBarFillBackground(CDC* pDC, CBCGPScrollBar*, CRect rect, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    FillRect(pDC, rect, skinui::Lighter(globalData.clrBarFace, 0.4));
}

void CBCGPVisualManager::OnScrollBarDrawThumb(CDC* pDC, CBCGPScrollBar*, CRect rect, BOOL bHorz, BOOL bHighlighted, BOOL bPressed,
                                              BOOL bDisabled)
{
    if (bDisabled)
        return;
    // A slim bar inside the track, as flat looks have it.
    rect.DeflateRect(bHorz ? 0 : 3, bHorz ? 3 : 0);
    const COLORREF fill = bPressed ? skinui::Darker(globalData.clrBarShadow, 0.25)
                          : bHighlighted ? skinui::Darker(globalData.clrBarShadow, 0.1) : globalData.clrBarShadow;
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, (COLORREF)-1);
}

void CBCGPVisualManager::OnScrollBarDrawButton(CDC* pDC, CBCGPScrollBar*, CRect rect, BOOL bHorz, BOOL bHighlighted, BOOL bPressed,
                                               BOOL bFirst, BOOL bDisabled)
{
    COLORREF fill = skinui::Lighter(globalData.clrBarFace, 0.4);
    if (bPressed)
        fill = skinui::Darker(fill, 0.2);
    else if (bHighlighted)
        fill = skinui::Darker(fill, 0.1);
    FillRect(pDC, rect, fill);
    const int direction = bHorz ? (bFirst ? 2 : 3) : (bFirst ? 0 : 1);
    DrawArrow(pDC, rect, direction, bDisabled ? globalData.clrGrayedText : skinui::Darker(globalData.clrBarShadow, 0.3));
}

COLORREF CBCGPVisualManager::GetSliderChannelColor()
{
    return globalData.clrBarShadow;
}

COLORREF CBCGPVisualManager::GetSliderSelectionColor()
{
    return skinui::Lighter(GetAccentColor(), 0.4);
}

void CBCGPVisualManager::OnDrawSliderChannel(CDC* pDC, CBCGPSliderCtrl* pSlider, BOOL bVert, CRect rect, BOOL)
{
    // A thin line centred in the channel the control reports.
    CRect line = rect;
    if (bVert) {
        const int c = line.CenterPoint().x;
        line.left = c - 1;
        line.right = c + 1;
    } else {
        const int c = line.CenterPoint().y;
        line.top = c - 1;
        line.bottom = c + 1;
    }
    CBCGPDrawManager dm(*pDC);
    dm.DrawRect(line, GetSliderChannelColor(), (COLORREF)-1);
    if (pSlider && pSlider->GetSafeHwnd() && (pSlider->GetStyle() & TBS_ENABLESELRANGE)) {
        int start = 0, end = 0;
        start = static_cast<int>(pSlider->SendMessage(TBM_GETSELSTART));
        end = static_cast<int>(pSlider->SendMessage(TBM_GETSELEND));
        int lo = 0, hi = 0;
        pSlider->GetRange(lo, hi);
        if (hi > lo && end > start) {
            CRect sel = line;
            const int length = bVert ? rect.Height() : rect.Width();
            const int a = MulDiv(start - lo, length, hi - lo), b = MulDiv(end - lo, length, hi - lo);
            if (bVert) {
                sel.top = rect.top + a;
                sel.bottom = rect.top + b;
            } else {
                sel.left = rect.left + a;
                sel.right = rect.left + b;
            }
            dm.DrawRect(sel, GetSliderSelectionColor(), (COLORREF)-1);
        }
    }
}

void CBCGPVisualManager::OnDrawSliderThumb(CDC* pDC, CBCGPSliderCtrl*, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                           BOOL bIsDisabled, BOOL, BOOL, BOOL, BOOL)
{
    COLORREF fill = GetAccentColor();
    if (bIsDisabled)
        fill = globalData.clrBarShadow;
    else if (bIsPressed)
        fill = skinui::Darker(fill, 0.2);
    else if (bIsHighlighted)
        fill = skinui::Lighter(fill, 0.2);
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, (COLORREF)-1);
}

void CBCGPVisualManager::OnFillPopupWindowBackground(CDC* pDC, CRect rect)
{
    FillRect(pDC, rect, globalData.clrWindow);
}

void CBCGPVisualManager::OnDrawPopupWindowBorder(CDC* pDC, CRect rect)
{
    Frame(pDC, rect, globalData.clrBarShadow);
}

COLORREF CBCGPVisualManager::GetPopupWindowTextColor()
{
    return globalData.clrWindowText;
}

void CBCGPVisualManager::OnDrawSpinButton(CDC* pDC, CRect rect, BOOL bUp, BOOL bHorz, BOOL bHighlighted, BOOL bPressed,
                                          BOOL bDisabled)
{
    COLORREF fill = skinui::Lighter(globalData.clrBarFace, 0.35);
    if (bPressed)
        fill = skinui::Lighter(GetAccentColor(), 0.6);
    else if (bHighlighted)
        fill = skinui::Lighter(GetAccentColor(), 0.82);
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, globalData.clrBarShadow);
    const int direction = bHorz ? (bUp ? 3 : 2) : (bUp ? 0 : 1);
    DrawArrow(pDC, rect, direction, bDisabled ? globalData.clrGrayedText : globalData.clrBarText);
}

void CBCGPVisualManager::OnDrawSplitterBar(CDC* pDC, CRect rect)
{
    FillRect(pDC, rect, globalData.clrBarFace);
}

void CBCGPVisualManager::OnFillBarBackground(CDC* pDC, CBCGPBaseControlBar*, CRect rectClient, CRect, BOOL)
{
    FillRect(pDC, rectClient, globalData.clrBarFace);
}

void CBCGPVisualManager::DrawArrow(CDC* pDC, CRect rect, int nDirection, COLORREF clr)
{
    // A small solid triangle centred in the rectangle: 0 up, 1 down, 2 left, 3 right.
    const CPoint c = rect.CenterPoint();
    const int h = std::max(2, std::min(rect.Width(), rect.Height()) / 5);
    POINT pts[3];
    switch (nDirection) {
    case 0: pts[0] = {c.x - h, c.y + h / 2}; pts[1] = {c.x + h, c.y + h / 2}; pts[2] = {c.x, c.y - h / 2 - 1}; break;
    case 1: pts[0] = {c.x - h, c.y - h / 2}; pts[1] = {c.x + h, c.y - h / 2}; pts[2] = {c.x, c.y + h / 2 + 1}; break;
    case 2: pts[0] = {c.x + h / 2, c.y - h}; pts[1] = {c.x + h / 2, c.y + h}; pts[2] = {c.x - h / 2 - 1, c.y}; break;
    default: pts[0] = {c.x - h / 2, c.y - h}; pts[1] = {c.x - h / 2, c.y + h}; pts[2] = {c.x + h / 2 + 1, c.y}; break;
    }
    const win32::GdiObject<HBRUSH> brush(::CreateSolidBrush(clr));
    const win32::GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, clr));
    const win32::ScopedSelect selectBrush(pDC->m_hDC, brush.Get()), selectPen(pDC->m_hDC, pen.Get());
    ::Polygon(pDC->m_hDC, pts, 3);
}

// 2003: soft blue-grey faces and gentle gradients.

void CBCGPVisualManager2003::OnUpdateSystemColors()
{
    if (globalData.IsPlainDrawing())
        return;
    globalData.clrBarFace = globalData.clrBtnFace = RGB(221, 231, 242);
    globalData.clrBarShadow = RGB(158, 178, 204);
    globalData.clrBarDkShadow = RGB(110, 130, 160);
    globalData.clrBarHilite = RGB(255, 255, 255);
    globalData.clrBarLight = RGB(236, 242, 249);
    globalData.clrBarText = globalData.clrBtnText = RGB(21, 35, 56);
    globalData.clrBarWindow = RGB(250, 252, 255);
    globalData.clrWindow = RGB(255, 255, 255);
    globalData.clrWindowText = RGB(0, 0, 0);
    globalData.clrHilite = RGB(51, 94, 168);
    globalData.clrTextHilite = RGB(255, 255, 255);
}

COLORREF CBCGPVisualManager2003::GetAccentColor()
{
    return RGB(51, 94, 168);
}

void CBCGPVisualManager2003::OnFillDialog(CDC* pDC, CWnd* pDlg, CRect rect)
{
    // Flat: static texts and check boxes draw over the same brush.
    CBCGPVisualManager::OnFillDialog(pDC, pDlg, rect);
}

void CBCGPVisualManager2003::OnDrawPushButton(CDC* pDC, CRect rect, CBCGPButton* pButton, BOOL bHighlighted, BOOL bPressed,
                                              BOOL bDisabled, BOOL bDefault)
{
    if (globalData.IsPlainDrawing()) {
        CBCGPVisualManager::OnDrawPushButton(pDC, rect, pButton, bHighlighted, bPressed, bDisabled, bDefault);
        return;
    }
    COLORREF top = RGB(255, 255, 255), bottom = globalData.clrBarLight;
    if (bPressed) {
        top = RGB(254, 145, 78);
        bottom = RGB(255, 211, 142);
    } else if (bHighlighted) {
        top = RGB(255, 244, 204);
        bottom = RGB(255, 208, 145);
    }
    CBCGPDrawManager dm(*pDC);
    dm.FillGradient(rect, bottom, top, TRUE);
    dm.DrawRect(rect, (COLORREF)-1, bDisabled ? globalData.clrBarShadow : bDefault ? globalData.clrBarDkShadow : globalData.clrBarShadow);
}

void CBCGPVisualManager2003::OnDrawProgressBar(CDC* pDC, CBCGPProgressCtrl*, CRect rectProgress, CRect rectChunk, BOOL bInfinite)
{
    OnDrawRibbonProgressBar(pDC, rectProgress, rectChunk, bInfinite);
}

void CBCGPVisualManager2003::OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite)
{
    if (globalData.IsPlainDrawing()) {
        CBCGPVisualManager::OnDrawRibbonProgressBar(pDC, rectProgress, rectChunk, bInfinite);
        return;
    }
    CBCGPDrawManager dm(*pDC);
    dm.DrawRect(rectProgress, globalData.clrWindow, globalData.clrBarShadow);
    if (!rectChunk.IsRectEmpty())
        dm.FillGradient(rectChunk, RGB(51, 94, 168), RGB(125, 166, 223), TRUE);
}

void CBCGPVisualManager2003::OnFillPopupWindowBackground(CDC* pDC, CRect rect)
{
    CBCGPDrawManager(*pDC).FillGradient(rect, globalData.clrBarFace, RGB(255, 255, 255), TRUE);
}

// VS2012: flat, light grey, with the accent colour of the process.

void CBCGPVisualManagerVS2012::SetAccentColor(AccentColor color)
{
    static const COLORREF kAccents[] = {
        RGB(0, 122, 204),  // blue
        RGB(160, 80, 0),   // brown
        RGB(51, 153, 51),  // green
        RGB(141, 188, 35), // lime
        RGB(216, 0, 115),  // magenta
        RGB(241, 108, 33), // orange
        RGB(230, 113, 184),// pink
        RGB(104, 33, 122), // purple
        RGB(229, 20, 0),   // red
        RGB(0, 171, 169),  // teal
    };
    const size_t index = static_cast<size_t>(color);
    SetAccentColorRGB(index < std::size(kAccents) ? kAccents[index] : kAccents[0]);
}

void CBCGPVisualManagerVS2012::SetAccentColorRGB(COLORREF color)
{
    g_accent = color & 0xFFFFFF;
    // The current look may use it already.
    if (g_manager && g_manager->IsKindOf(RUNTIME_CLASS(CBCGPVisualManagerVS2012)))
        RecalcGlobalColors();
}

COLORREF CBCGPVisualManagerVS2012::GetAccentColorRGB()
{
    return g_accent;
}

COLORREF CBCGPVisualManagerVS2012::GetAccentColor()
{
    return globalData.IsPlainDrawing() ? globalData.clrHilite : g_accent;
}

void CBCGPVisualManagerVS2012::OnUpdateSystemColors()
{
    if (globalData.IsPlainDrawing())
        return;
    globalData.clrBarFace = globalData.clrBtnFace = RGB(239, 239, 242);
    globalData.clrBarShadow = RGB(204, 206, 219);
    globalData.clrBarDkShadow = RGB(160, 160, 170);
    globalData.clrBarHilite = RGB(255, 255, 255);
    globalData.clrBarLight = RGB(245, 245, 247);
    globalData.clrBarText = globalData.clrBtnText = RGB(30, 30, 30);
    globalData.clrGrayedText = RGB(162, 164, 165);
    globalData.clrBarWindow = RGB(246, 246, 246);
    globalData.clrWindow = RGB(255, 255, 255);
    globalData.clrWindowText = RGB(30, 30, 30);
    globalData.clrHilite = g_accent;
    globalData.clrTextHilite = RGB(255, 255, 255);
    globalData.clrHotLinkText = g_accent;
}

void CBCGPVisualManagerVS2012::OnFillDialog(CDC* pDC, CWnd* pDlg, CRect rect)
{
    CBCGPVisualManager::OnFillDialog(pDC, pDlg, rect);
}

void CBCGPVisualManagerVS2012::OnDrawPushButton(CDC* pDC, CRect rect, CBCGPButton* pButton, BOOL bHighlighted, BOOL bPressed,
                                                BOOL bDisabled, BOOL bDefault)
{
    CBCGPVisualManager::OnDrawPushButton(pDC, rect, pButton, bHighlighted, bPressed, bDisabled, bDefault);
}

void CBCGPVisualManagerVS2012::OnDrawProgressBar(CDC* pDC, CBCGPProgressCtrl* pProgress, CRect rectProgress, CRect rectChunk,
                                                 BOOL bInfinite)
{
    CBCGPVisualManager::OnDrawProgressBar(pDC, pProgress, rectProgress, rectChunk, bInfinite);
}

void CBCGPVisualManagerVS2012::OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite)
{
    CBCGPVisualManager::OnDrawRibbonProgressBar(pDC, rectProgress, rectChunk, bInfinite);
}

void CBCGPVisualManagerVS2012::OnFillPopupWindowBackground(CDC* pDC, CRect rect)
{
    CBCGPVisualManager::OnFillPopupWindowBackground(pDC, rect);
}

void CBCGPVisualManagerVS2012::OnDrawPopupWindowBorder(CDC* pDC, CRect rect)
{
    Frame(pDC, rect, GetAccentColor());
}

// 2013: white and light grey, the accent on selections.

void CBCGPVisualManager2013::OnUpdateSystemColors()
{
    CBCGPVisualManagerVS2012::OnUpdateSystemColors();
    if (globalData.IsPlainDrawing())
        return;
    globalData.clrBarFace = globalData.clrBtnFace = RGB(248, 248, 248);
    globalData.clrBarShadow = RGB(198, 198, 198);
    globalData.clrBarDkShadow = RGB(171, 171, 171);
    globalData.clrBarLight = RGB(252, 252, 252);
    globalData.clrBarText = globalData.clrBtnText = RGB(38, 38, 38);
    globalData.clrBarWindow = RGB(255, 255, 255);
    globalData.clrWindowText = RGB(38, 38, 38);
}

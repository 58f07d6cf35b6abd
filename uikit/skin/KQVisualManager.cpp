#include "KQVisualManager.h"
#include <iterator>

namespace {
const COLORREF kNone = static_cast<COLORREF>(-1);
const COLORREF kBarText = RGB(30, 30, 30);
const COLORREF kBlue = RGB(187, 216, 255);

// Skin 0 keeps the framework's colours but for the text and a darker blue accent; skin 1 is
// the framework's look untouched; 2 to 6 colour everything from their base.
const KQSkinEntry kSkins[] = {
    {kNone, CBCGPDrawManager::ColorMakeDarker(kBlue, 0.3), false},
    {kNone, kNone, false},
    {RGB(255, 200, 230), kNone, true},
    {RGB(242, 213, 154), RGB(255, 128, 0), true},
    {RGB(201, 241, 211), kNone, true},
    {kBlue, kNone, true},
    {RGB(189, 170, 253), kNone, true},
};

unsigned int* g_pSkin = nullptr;   // the program's; never written here

KQSkinColors ReadGlobalColors()
{
    KQSkinColors c;
    c.barFace = globalData.clrBarFace;
    c.barShadow = globalData.clrBarShadow;
    c.barHilite = globalData.clrBarHilite;
    c.barDkShadow = globalData.clrBarDkShadow;
    c.barLight = globalData.clrBarLight;
    c.barText = globalData.clrBarText;
    c.barWindow = globalData.clrBarWindow;
    c.window = globalData.clrWindow;
    c.windowText = globalData.clrWindowText;
    c.textHilite = globalData.clrTextHilite;
    c.accent = CBCGPVisualManagerVS2012::GetAccentColorRGB();
    c.flatLook = globalData.m_bMenuFlatLook;
    return c;
}

void WriteGlobalColors(const KQSkinColors& c)
{
    globalData.clrBarFace = c.barFace;
    globalData.clrBarShadow = c.barShadow;
    globalData.clrBarHilite = c.barHilite;
    globalData.clrBarDkShadow = c.barDkShadow;
    globalData.clrBarLight = c.barLight;
    globalData.clrBarText = c.barText;
    globalData.clrBarWindow = c.barWindow;
    globalData.clrWindow = c.window;
    globalData.clrWindowText = c.windowText;
    globalData.clrTextHilite = c.textHilite;
    globalData.m_bMenuFlatLook = c.flatLook;
}

void RebuildBarFaceBrush()
{
    globalData.brBarFace.DeleteObject();
    globalData.brBarFace.CreateSolidBrush(globalData.clrBarFace);
}

BOOL PlainDrawing()
{
    return globalData.IsPlainDrawing();
}
} // namespace

const KQSkinEntry* GetKQSkinTable(int& nCount)
{
    nCount = static_cast<int>(std::size(kSkins));
    return kSkins;
}

KQSkinColors ApplyKQSkin(unsigned int nSkin, const KQSkinColors& current)
{
    KQSkinColors c = current;
    if (nSkin >= std::size(kSkins))
        return c;
    const KQSkinEntry& skin = kSkins[nSkin];
    if (!skin.fullSet) {
        if (skin.accent == kNone)
            return c;   // the framework's own colours
        c.barText = kBarText;
        c.accent = skin.accent;
        c.flatLook = TRUE;
        return c;
    }
    const COLORREF b = skin.base;
    c.barText = kBarText;
    c.barFace = b;
    c.barShadow = CBCGPDrawManager::ColorMakeDarker(b, 0.1);
    c.barHilite = CBCGPDrawManager::ColorMakeLighter(b, 0.3);
    c.textHilite = CBCGPDrawManager::ColorMakeLighter(b, 0.2);
    c.barDkShadow = RGB(192, 192, 192);
    c.barLight = CBCGPDrawManager::ColorMakeLighter(b, 0.02);
    c.window = CBCGPDrawManager::ColorMakePale(b, 0.97);
    c.accent = skin.accent != kNone ? skin.accent : CBCGPDrawManager::ColorMakeDarker(b, 0.3);
    return c;
}

void SetSkinVar(unsigned int* pSkin)
{
    g_pSkin = pSkin;
}

unsigned int GetKQSkin()
{
    return g_pSkin ? *g_pSkin : 1;
}

IMPLEMENT_DYNCREATE(CKQVisualManager, CBCGPVisualManager2013)

CKQVisualManager::~CKQVisualManager() = default;

void CKQVisualManager::SetBlackStyle()
{
    CBCGPVisualManagerVS2012::SetAccentColorRGB(RGB(80, 80, 80));
    globalData.clrWindow = globalData.clrBarWindow = RGB(50, 50, 50);
    globalData.clrWindowText = RGB(255, 255, 255);
}

void CKQVisualManager::ModifyGlobalColors()
{
    if (m_bInModifyColors)
        return;
    m_bInModifyColors = 1;
    const KQSkinColors before = ReadGlobalColors();
    const KQSkinColors after = ApplyKQSkin(GetKQSkin(), before);
    // The accent first: setting it makes the framework recompute its colours (this call is
    // then refused by the flag), which would overwrite colours written before it.
    if (after.accent != before.accent)
        CBCGPVisualManagerVS2012::SetAccentColorRGB(after.accent);
    WriteGlobalColors(after);
    RebuildBarFaceBrush();
    m_bInModifyColors = 0;
}

void CKQVisualManager::OnDrawCaptionButton(CDC* pDC, CRect rect, BCGP_CAPTION_BUTTON nButton, BOOL bHighlighted, BOOL bPressed,
                                           BOOL bDisabled)
{
    CBCGPVisualManager2013::OnDrawCaptionButton(pDC, rect, nButton, bHighlighted, bPressed, bDisabled);
}

COLORREF CKQVisualManager::GetTreeControlFillColor(CBCGPTreeCtrl*, BOOL, BOOL, BOOL)
{
    return globalData.clrWindow;
}

COLORREF CKQVisualManager::GetTreeControlTextColor(CBCGPTreeCtrl*, BOOL, BOOL, BOOL)
{
    return globalData.clrWindowText;
}

void CKQVisualManager::OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite)
{
    CBCGPVisualManager2003::OnDrawRibbonProgressBar(pDC, rectProgress, rectChunk, bInfinite);
}

void CKQVisualManager::OnScrollBarDrawThumb(CDC* pDC, CBCGPScrollBar*, CRect rect, BOOL, BOOL bHighlighted, BOOL bPressed,
                                            BOOL bDisabled)
{
    if (PlainDrawing())
        return;
    const COLORREF fill = bDisabled ? globalData.clrBarHilite : bHighlighted ? globalData.clrBarFace : globalData.clrBarLight;
    const COLORREF border = bPressed ? globalData.clrBarHilite : CBCGPVisualManager::GetControlBorderColor(FALSE, FALSE);
    CBCGPDrawManager(*pDC).DrawRect(rect, fill, border);
}

void CKQVisualManager::OnDrawSliderChannel(CDC* pDC, CBCGPSliderCtrl* pSlider, BOOL bVert, CRect rect, BOOL bDrawOnGlass)
{
    if (PlainDrawing()) {
        CBCGPVisualManager::OnDrawSliderChannel(pDC, pSlider, bVert, rect, bDrawOnGlass);
        return;
    }
    const bool live = pSlider && pSlider->GetSafeHwnd();
    const COLORREF c = live && pSlider->IsWindowEnabled() ? GetAccentColor() : globalData.clrBarDkShadow;
    CBCGPDrawManager dm(*pDC);
    if (!live || !(pSlider->GetStyle() & TBS_ENABLESELRANGE)) {
        dm.DrawRect(rect, c, c);
        return;
    }
    dm.DrawRect(rect, CBCGPVisualManager::GetSliderChannelColor(), kNone);
    int lo = 0, hi = 0;
    pSlider->GetRange(lo, hi);
    const int start = static_cast<int>(pSlider->SendMessage(TBM_GETSELSTART));
    const int end = static_cast<int>(pSlider->SendMessage(TBM_GETSELEND));
    if (hi > lo && end > start) {
        CRect sel = rect;
        const int length = bVert ? rect.Height() : rect.Width();
        const int a = MulDiv(start - lo, length, hi - lo), b = MulDiv(end - lo, length, hi - lo);
        if (bVert) {
            sel.top = rect.top + a;
            sel.bottom = rect.top + b;
            sel.DeflateRect(1, 0);
        } else {
            sel.left = rect.left + a;
            sel.right = rect.left + b;
            sel.DeflateRect(0, 1);
        }
        dm.DrawRect(sel, CBCGPVisualManager::GetSliderSelectionColor(), kNone);
    }
    dm.DrawRect(rect, kNone, globalData.clrBarShadow);
}

CRect KQSliderThumbShape(CRect rect, BOOL bVert)
{
    CRect r;
    if (bVert) {
        rect.DeflateRect(2, 1);
        r.left = (rect.left + rect.right) / 2 - rect.Height();
        r.right = r.left + 2 * rect.Height();
        r.top = (rect.top + rect.bottom) / 2 - 2;
        r.bottom = (r.top + rect.bottom) / 2 + 2;
    } else {
        rect.DeflateRect(1, 2);
        r.top = (rect.top + rect.bottom) / 2 - rect.Width();
        r.bottom = r.top + 2 * rect.Width();
        r.left = (rect.left + rect.right) / 2 - 2;
        r.right = (r.left + rect.right) / 2 + 2;
    }
    return r;
}

void CKQVisualManager::OnDrawSliderThumb(CDC* pDC, CBCGPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                         BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop, BOOL bRightBottom, BOOL bDrawOnGlass)
{
    if (PlainDrawing()) {
        CBCGPVisualManager::OnDrawSliderThumb(pDC, pSlider, rect, bIsHighlighted, bIsPressed, bIsDisabled, bVert, bLeftTop,
                                              bRightBottom, bDrawOnGlass);
        return;
    }
    const COLORREF fill = bIsDisabled ? globalData.clrBarDkShadow : GetAccentColor();
    const COLORREF border = bIsDisabled ? globalData.clrBarDkShadow : globalData.clrBarShadow;
    CBCGPDrawManager(*pDC).DrawRect(KQSliderThumbShape(rect, bVert), fill, border);
}

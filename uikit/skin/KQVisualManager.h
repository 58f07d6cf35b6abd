#pragma once
// CKQVisualManager: the programs' look. The skin number lives in the program (SetSkinVar hands
// its address over once); whenever the framework recomputes its colours, the manager turns the
// number into the framework's global colours through the skin table, and draws scroll-bar
// thumbs and sliders in those colours.
#include "SkinUI.h"
#include "ZVUILibDef.h"

// The colours a skin decides, as the framework holds them in globalData (and the accent).
struct ZVUILIB_API KQSkinColors {
    COLORREF barFace, barShadow, barHilite, barDkShadow, barLight, barText, barWindow;
    COLORREF window, windowText, textHilite, accent;
    // The global data's flat-look flag, which skin 0 raises.
    BOOL flatLook;
};

// One skin: its base colour (-1 for the skins without one), its accent (-1: the base colour
// made darker by 0.3) and whether it sets the full set of colours.
struct KQSkinEntry {
    COLORREF base;
    COLORREF accent;
    bool fullSet;
};
// The skins in order of their numbers; numbers past the end change nothing.
ZVUILIB_API const KQSkinEntry* GetKQSkinTable(int& nCount);
// The colours of skin nSkin laid over the current ones.
ZVUILIB_API KQSkinColors ApplyKQSkin(unsigned int nSkin, const KQSkinColors& current);

// The program's skin number; the library reads it through the pointer and never writes it.
// Without a pointer the skin reads as 1, the framework's own colours.
ZVUILIB_API void SetSkinVar(unsigned int* pSkin);
ZVUILIB_API unsigned int GetKQSkin();

class ZVUILIB_API CKQVisualManager : public CBCGPVisualManager2013 {
    DECLARE_DYNCREATE(CKQVisualManager)
public:
    CKQVisualManager() = default;
    ~CKQVisualManager() override;

    // A dark style: grey accent, dark windows, white text.
    static void SetBlackStyle();

    void OnDrawCaptionButton(CDC* pDC, CRect rect, BCGP_CAPTION_BUTTON nButton, BOOL bHighlighted, BOOL bPressed,
                             BOOL bDisabled) override;
    COLORREF GetTreeControlFillColor(CBCGPTreeCtrl* pTreeCtrl, BOOL bIsSelected = FALSE, BOOL bIsFocused = FALSE,
                                     BOOL bIsDisabled = FALSE) override;
    COLORREF GetTreeControlTextColor(CBCGPTreeCtrl* pTreeCtrl, BOOL bIsSelected = FALSE, BOOL bIsFocused = FALSE,
                                     BOOL bIsDisabled = FALSE) override;
    void OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite) override;
    void OnScrollBarDrawThumb(CDC* pDC, CBCGPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted, BOOL bPressed,
                              BOOL bDisabled) override;
    void OnDrawSliderChannel(CDC* pDC, CBCGPSliderCtrl* pSlider, BOOL bVert, CRect rect, BOOL bDrawOnGlass) override;
    void OnDrawSliderThumb(CDC* pDC, CBCGPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed, BOOL bIsDisabled,
                           BOOL bVert, BOOL bLeftTop, BOOL bRightBottom, BOOL bDrawOnGlass) override;
    void ModifyGlobalColors() override;

    BOOL IsInModifyColors() const { return m_bInModifyColors; }

protected:
    BYTE m_bInModifyColors = 0;
};

// The thumb of a slider as the manager draws it, from the thumb rectangle the slider reports.
ZVUILIB_API CRect KQSliderThumbShape(CRect rect, BOOL bVert);

#pragma once
// globalData: the colours, brushes, fonts and screen facts that every skinned window paints
// with. The system's values are read first; the current visual manager then lays its own look
// over them (see CBCGPVisualManager::RecalcGlobalColors).
#include "AppFrame.h"
#include "SkinUIDef.h"

struct SKINUI_API BCGPGLOBAL_DATA {
    BCGPGLOBAL_DATA();
    ~BCGPGLOBAL_DATA();
    BCGPGLOBAL_DATA(const BCGPGLOBAL_DATA&) = delete;
    BCGPGLOBAL_DATA& operator=(const BCGPGLOBAL_DATA&) = delete;

    // Colours (COLORREF, red in the low byte).
    COLORREF clrBarFace = 0, clrBarShadow = 0, clrBarHilite = 0, clrBarDkShadow = 0, clrBarLight = 0;
    COLORREF clrBarText = 0, clrBarWindow = 0;
    COLORREF clrBtnFace = 0, clrBtnText = 0, clrGrayedText = 0;
    COLORREF clrWindow = 0, clrWindowText = 0, clrWindowFrame = 0;
    COLORREF clrHilite = 0, clrTextHilite = 0, clrHotLinkText = 0, clrHotText = 0;
    COLORREF clrActiveCaption = 0, clrCaptionText = 0;

    // Solid brushes of the colours above; RebuildBrushes makes them again.
    CBrush brBarFace, brBtnFace, brWindow, brHilite, brBarShadow, brBarLight;

    // Fonts: regular (menus, bars, controls), bold, underlined (links), the dialog font, the
    // icon-title font and a vertical one.
    CFont fontRegular, fontBold, fontUnderline, fontDialog, fontIconTitle, fontSmall;

    int m_nBitsPerPixel = 32;
    BOOL m_bIsBlackHighContrast = FALSE;
    BOOL m_bIsWhiteHighContrast = FALSE;
    BOOL m_bUseSystemFont = FALSE;
    // A flag a look may raise to ask for its flat menu-bar style; the default looks ignore it.
    BOOL m_bMenuFlatLook = FALSE;
    // 1.0 at 96 dpi.
    double m_dblImageScale = 1.0;
    BOOL m_bIsImageScalingOn = TRUE;
    HCURSOR m_hcurHand = nullptr;

    // Fills the colours from the system and measures the screen.
    void UpdateSysColors();
    void RebuildBrushes();
    void UpdateFonts();

    double GetRibbonImageScale() const { return m_bIsImageScalingOn ? m_dblImageScale : 1.0; }
    // The side of a small icon (16 at 96 dpi) as captions and tabs draw it, and the room it takes
    // beside its text.
    int GetSmallIconSize() const { return static_cast<int>(16 * GetRibbonImageScale() + 0.5); }
    int GetSmallIconSpace() const { return GetSmallIconSize() + 4; }
    BOOL IsHighContrastMode() const { return m_bIsBlackHighContrast || m_bIsWhiteHighContrast; }
    // Low colour displays and high contrast get the system's plain drawing.
    BOOL IsPlainDrawing() const { return m_nBitsPerPixel <= 8 || IsHighContrastMode(); }
    BOOL bIsWindowsVista() const;
    BOOL bIsWindows8() const;
    BOOL IsDwmCompositionEnabled() const;
    int GetTextHeight() const { return m_nTextHeight; }
    // A window class of the given style with no background brush, registered once.
    CString RegisterWindowClass(LPCTSTR lpszClassNamePrefix);

private:
    int m_nTextHeight = 16;
};

extern SKINUI_API BCGPGLOBAL_DATA globalData;

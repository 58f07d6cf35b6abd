#pragma once
// CBCGPVisualManager: paints every skinned window. One instance per process, made from the
// class given to SetDefaultManager; switching it recomputes globalData and repaints every
// window of the process. The looks form one chain, each refining the one before:
// CBCGPVisualManager (plain system colours) <- 2003 (soft gradients) <- VS2012 (flat, accent
// colour) <- 2013 (flat, white, accent colour).
#include "AppFrame.h"
#include "SkinUIDef.h"

class CBCGPButton;
class CBCGPEdit;
class CBCGPProgressCtrl;
class CBCGPScrollBar;
class CBCGPSliderCtrl;
class CBCGPTreeCtrl;
class CBCGPPopupWindow;
class CBCGPToolbarButton;
class CBCGPBaseControlBar;
class CBCGPDockingControlBar;

// Caption buttons a look may draw.
enum BCGP_CAPTION_BUTTON { BCGP_CAPTION_CLOSE = 0, BCGP_CAPTION_MINIMIZE, BCGP_CAPTION_MAXIMIZE, BCGP_CAPTION_RESTORE };

class SKINUI_API CBCGPVisualManager : public CObject {
    DECLARE_DYNCREATE(CBCGPVisualManager)
public:
    CBCGPVisualManager();
    ~CBCGPVisualManager() override;

    // Makes a manager of the class the current one (null: the plain manager), recomputes the
    // colours and repaints every window of the process.
    static void SetDefaultManager(CRuntimeClass* pRTI);
    // The current manager; made (plain) on first use.
    static CBCGPVisualManager* GetInstance();
    // Recomputes globalData (system values, the look's colours, ModifyGlobalColors) and
    // repaints every window of the process; called on switches and system colour changes.
    static void RecalcGlobalColors();
    static void RedrawAll();

    // The look's colours laid over the system's in globalData.
    virtual void OnUpdateSystemColors();
    // A last chance for a subclass to change the global colours; the default changes nothing.
    virtual void ModifyGlobalColors();

    // Dialogs and pages.
    virtual void OnFillDialog(CDC* pDC, CWnd* pDlg, CRect rect);
    virtual CBrush& GetDlgBackBrush(CWnd* pDlg);
    virtual COLORREF GetDlgTextColor(CWnd* pDlg);
    // Push buttons: background and border; text colour.
    virtual void OnDrawPushButton(CDC* pDC, CRect rect, CBCGPButton* pButton, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled,
                                  BOOL bDefault);
    virtual COLORREF GetButtonTextColor(CBCGPButton* pButton, BOOL bDisabled);
    virtual void OnDrawCheckBox(CDC* pDC, CRect rect, BOOL bHighlighted, int nState, BOOL bEnabled, BOOL bRadio);
    // The frame of edits, combo boxes, lists and trees.
    virtual void OnDrawControlBorder(CDC* pDC, CRect rect, CWnd* pWndCtrl, BOOL bHighlighted, BOOL bDisabled);
    virtual COLORREF GetControlBorderColor(BOOL bHighlighted, BOOL bDisabled);
    virtual void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted);
    virtual void OnDrawEditBrowseButton(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled);
    virtual void OnDrawCaptionButton(CDC* pDC, CRect rect, BCGP_CAPTION_BUTTON nButton, BOOL bHighlighted, BOOL bPressed,
                                     BOOL bDisabled);
    // Tree colours.
    virtual COLORREF GetTreeControlFillColor(CBCGPTreeCtrl* pTreeCtrl, BOOL bIsSelected = FALSE, BOOL bIsFocused = FALSE,
                                             BOOL bIsDisabled = FALSE);
    virtual COLORREF GetTreeControlTextColor(CBCGPTreeCtrl* pTreeCtrl, BOOL bIsSelected = FALSE, BOOL bIsFocused = FALSE,
                                             BOOL bIsDisabled = FALSE);
    // Progress bars (the status bar's too).
    virtual void OnDrawProgressBar(CDC* pDC, CBCGPProgressCtrl* pProgress, CRect rectProgress, CRect rectChunk, BOOL bInfinite);
    virtual void OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite);
    // Scroll bars.
    virtual void OnScrollBarFillBackground(CDC* pDC, CBCGPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                                           BOOL bPressed, BOOL bFirst, BOOL bDisabled);
    virtual void OnScrollBarDrawThumb(CDC* pDC, CBCGPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                                      BOOL bPressed, BOOL bDisabled);
    virtual void OnScrollBarDrawButton(CDC* pDC, CBCGPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                                       BOOL bPressed, BOOL bFirst, BOOL bDisabled);
    // Sliders: the channel and the thumb.
    virtual void OnDrawSliderChannel(CDC* pDC, CBCGPSliderCtrl* pSlider, BOOL bVert, CRect rect, BOOL bDrawOnGlass);
    virtual void OnDrawSliderThumb(CDC* pDC, CBCGPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                   BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop, BOOL bRightBottom, BOOL bDrawOnGlass);
    virtual COLORREF GetSliderChannelColor();
    virtual COLORREF GetSliderSelectionColor();
    // Pop-up notes.
    virtual void OnFillPopupWindowBackground(CDC* pDC, CRect rect);
    virtual void OnDrawPopupWindowBorder(CDC* pDC, CRect rect);
    virtual COLORREF GetPopupWindowTextColor();
    // Spin buttons: one arrow half.
    virtual void OnDrawSpinButton(CDC* pDC, CRect rect, BOOL bUp, BOOL bHorz, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled);
    // The splitter bar between panes.
    virtual void OnDrawSplitterBar(CDC* pDC, CRect rect);
    // Bars and panes: the background of a bar's client area (bNCArea: of its frame).
    virtual void OnFillBarBackground(CDC* pDC, CBCGPBaseControlBar* pBar, CRect rectClient, CRect rectClip, BOOL bNCArea = FALSE);
    // Bars, buttons and menus (tool bars, menu bar, pop-up menus, status bar, caption bar).
    enum BCGBUTTON_STATE { ButtonsIsRegular, ButtonsIsPressed, ButtonsIsHighlighted };
    virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CWnd* pBar);
    virtual void OnDrawSeparator(CDC* pDC, CWnd* pBar, CRect rect, BOOL bHorz);
    // The background and frame of a button in a bar (checked buttons too).
    virtual void OnFillButtonInterior(CDC* pDC, CBCGPToolbarButton* pButton, CRect rect, BCGBUTTON_STATE state);
    virtual COLORREF GetToolbarButtonTextColor(CBCGPToolbarButton* pButton, BCGBUTTON_STATE state);
    virtual void OnFillMenuBackground(CDC* pDC, CRect rect);
    virtual void OnDrawMenuBorder(CDC* pDC, CRect rect);
    virtual void OnHighlightMenuItem(CDC* pDC, CRect rect, BOOL bDisabled);
    virtual COLORREF GetMenuItemTextColor(BOOL bHighlighted, BOOL bDisabled);
    virtual void OnDrawMenuCheck(CDC* pDC, CRect rect, BOOL bRadio, BOOL bDisabled);
    // The ribbon caption band and its status bar; a ribbon element's hot or pressed face.
    virtual void OnFillRibbonCaption(CDC* pDC, CRect rect, BOOL bActive);
    virtual COLORREF GetRibbonCaptionTextColor(BOOL bActive);
    virtual void OnFillRibbonStatusBar(CDC* pDC, CRect rect);
    virtual COLORREF GetRibbonStatusBarTextColor(BOOL bDisabled);
    virtual void OnFillRibbonButton(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bPressed, BOOL bChecked, BOOL bOnCaption);
    virtual void OnDrawRibbonSliderZoomButton(CDC* pDC, CRect rect, BOOL bZoomIn, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled);
    virtual void OnDrawRibbonSliderChannel(CDC* pDC, CRect rect);
    virtual void OnDrawRibbonSliderThumb(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled);
    // Docking panes: the caption and its buttons (nHit HTCLOSE, HTMAXBUTTON for the pin; bPinned:
    // the pane is auto-hidden), tab strips of tab groups and MDI tabs, auto-hide buttons, mini
    // frames and outlook-bar buttons.
    virtual void OnDrawPaneCaption(CDC* pDC, CBCGPDockingControlBar* pBar, BOOL bActive, CRect rectCaption);
    virtual COLORREF GetPaneCaptionTextColor(BOOL bActive);
    virtual void OnDrawPaneCaptionButton(CDC* pDC, CRect rect, UINT nHit, BOOL bPinned, BOOL bActive, BOOL bHighlighted,
                                         BOOL bPressed);
    // The size of a caption button of panes and mini frames, at the screen's scale.
    virtual CSize GetCaptionButtonSize() const;
    virtual void OnFillTabArea(CDC* pDC, CRect rect, BOOL bTop);
    virtual void OnDrawTab(CDC* pDC, CRect rect, BOOL bActive, BOOL bHighlighted, BOOL bTop);
    // The text over a tab as OnDrawTab filled it: the front tab of a top row sits on the accent
    // colour, so its text turns white where the bar's text would not show on it.
    virtual COLORREF GetTabTextColor(BOOL bActive, BOOL bHighlighted, BOOL bTop = FALSE);
    virtual void OnDrawAutoHideButton(CDC* pDC, CRect rect, DWORD dwAlignment, BOOL bHighlighted);
    virtual void OnDrawMiniFrame(CDC* pDC, CRect rectWindow, CRect rectCaption, BOOL bActive);
    virtual void OnFillOutlookButton(CDC* pDC, CRect rect, BOOL bActive, BOOL bHighlighted);
    // The look's accent: selections, focused frames, slider channels.
    virtual COLORREF GetAccentColor();
    // Whether the look draws its windows' captions itself over a glass frame; ours never do.
    virtual BOOL IsDWMCaptionSupported() const { return FALSE; }

protected:
    static void DrawArrow(CDC* pDC, CRect rect, int nDirection, COLORREF clr);
};

// Soft vertical gradients on bluish faces.
class SKINUI_API CBCGPVisualManager2003 : public CBCGPVisualManager {
    DECLARE_DYNCREATE(CBCGPVisualManager2003)
public:
    void OnUpdateSystemColors() override;
    void OnFillDialog(CDC* pDC, CWnd* pDlg, CRect rect) override;
    void OnDrawPushButton(CDC* pDC, CRect rect, CBCGPButton* pButton, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled,
                          BOOL bDefault) override;
    void OnDrawProgressBar(CDC* pDC, CBCGPProgressCtrl* pProgress, CRect rectProgress, CRect rectChunk, BOOL bInfinite) override;
    void OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite) override;
    void OnFillPopupWindowBackground(CDC* pDC, CRect rect) override;
    COLORREF GetAccentColor() override;
};

// Flat surfaces and one accent colour, settable for the process.
class SKINUI_API CBCGPVisualManagerVS2012 : public CBCGPVisualManager2003 {
    DECLARE_DYNCREATE(CBCGPVisualManagerVS2012)
public:
    enum AccentColor { VS2012_Blue, VS2012_Brown, VS2012_Green, VS2012_Lime, VS2012_Magenta, VS2012_Orange, VS2012_Pink,
                       VS2012_Purple, VS2012_Red, VS2012_Teal };
    static void SetAccentColor(AccentColor color);
    static void SetAccentColorRGB(COLORREF color);
    static COLORREF GetAccentColorRGB();

    void OnUpdateSystemColors() override;
    void OnFillDialog(CDC* pDC, CWnd* pDlg, CRect rect) override;
    void OnDrawPushButton(CDC* pDC, CRect rect, CBCGPButton* pButton, BOOL bHighlighted, BOOL bPressed, BOOL bDisabled,
                          BOOL bDefault) override;
    void OnDrawProgressBar(CDC* pDC, CBCGPProgressCtrl* pProgress, CRect rectProgress, CRect rectChunk, BOOL bInfinite) override;
    void OnDrawRibbonProgressBar(CDC* pDC, CRect rectProgress, CRect rectChunk, BOOL bInfinite) override;
    void OnFillPopupWindowBackground(CDC* pDC, CRect rect) override;
    void OnDrawPopupWindowBorder(CDC* pDC, CRect rect) override;
    COLORREF GetAccentColor() override;
};

// Flat and white, with the accent colour on selections and captions.
class SKINUI_API CBCGPVisualManager2013 : public CBCGPVisualManagerVS2012 {
    DECLARE_DYNCREATE(CBCGPVisualManager2013)
public:
    void OnUpdateSystemColors() override;
};

#pragma once
// CBCGPButton: a push button drawn by the visual manager, with an optional image beside its
// text, hover tracking and flat styles. Check boxes and radio buttons keep the system's
// behaviour and get the skin's background from their dialog. CBCGPURLLinkButton: a text link
// that opens its address with the shell.
#include "AppFrame.h"
#include "HoverTracker.h"
#include "SkinUIDef.h"

class SKINUI_API CBCGPButton : public CButton {
    DECLARE_DYNCREATE(CBCGPButton)
public:
    enum FlatStyle { BUTTONSTYLE_3D = 0, BUTTONSTYLE_FLAT = 1, BUTTONSTYLE_SEMIFLAT = 2, BUTTONSTYLE_NOBORDERS = 3 };
    CBCGPButton() = default;
    ~CBCGPButton() override;

    FlatStyle m_nFlatStyle = BUTTONSTYLE_3D;
    BOOL m_bTransparent = FALSE;
    BOOL m_bDrawFocus = TRUE;
    BOOL m_bRightImage = FALSE;
    // Images are scaled with the screen (globalData's image scale).
    BOOL m_bAutoScale = TRUE;

    // The image beside the text; the button owns it when bAutoDestroy. Pixels of the image's
    // top-left colour are transparent unless it carries alpha.
    void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr);
    void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0);
    void SetImage(HICON hIcon, BOOL bAutoDestroy = TRUE);
    BOOL HasImage() const { return m_hBitmap || m_hIcon; }
    CSize GetImageSize() const;
    void SetFaceColor(COLORREF crFace, BOOL bRedraw = TRUE);
    void SetTextColor(COLORREF clrText) { m_clrText = clrText; }
    void SetTooltip(LPCTSTR lpszToolTipText) { m_strTooltip = lpszToolTipText ? lpszToolTipText : L""; }

    // Fits the button to its image and text; returns the size (bCalcOnly: nothing moves).
    virtual CSize SizeToContent(BOOL bCalcOnly = FALSE);
    BOOL IsHighlighted() const { return m_hover.Hot(); }
    BOOL IsPressed() const { return m_bPushed; }
    BOOL IsPushButton() const { return m_bPushButton; }

    // Paints the whole button into the device (what WM_DRAWITEM and WM_PRINTCLIENT do).
    void Render(CDC* pDC, CRect rect, UINT uiState);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    virtual void OnFillBackground(CDC* pDC, const CRect& rectClient);
    virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void OnDrawFocusRect(CDC* pDC, const CRect& rectClient);
    virtual void OnDraw(CDC* pDC, const CRect& rect, UINT uiState);
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    HBITMAP m_hBitmap = nullptr, m_hBitmapHot = nullptr;
    HICON m_hIcon = nullptr;
    BOOL m_bAutoDestroyImage = TRUE;
    COLORREF m_clrFace = (COLORREF)-1, m_clrText = (COLORREF)-1;
    CString m_strTooltip;
    BOOL m_bPushed = FALSE;
    skinui::HoverTracker<BOOL> m_hover;
    BOOL m_bPushButton = TRUE;

private:
    void FreeImages();
    void DrawImage(CDC* pDC, CRect rect, BOOL bDisabled);
};

class SKINUI_API CBCGPURLLinkButton : public CBCGPButton {
    DECLARE_DYNCREATE(CBCGPURLLinkButton)
public:
    CBCGPURLLinkButton();
    void SetURL(LPCTSTR lpszURL) { m_strURL = lpszURL ? lpszURL : L""; }
    void SetURLPrefix(LPCTSTR lpszPrefix) { m_strPrefix = lpszPrefix ? lpszPrefix : L""; }
    const CString& GetURL() const { return m_strURL; }
    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;
    // The address that a click opens: the prefix and the URL, or the text when there is none.
    CString GetTarget() const;

protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    // Opens the target with the shell; a subclass may go elsewhere.
    virtual void OpenTarget(const CString& target);
    afx_msg void OnClicked();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CString m_strURL, m_strPrefix;
};

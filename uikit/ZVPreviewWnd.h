#pragma once
// CZVPreviewWnd: one picture fitted and centred on a background of the skin's face colour
// mixed with mid grey; a placeholder picture while it has none; an optional cursor of its own.
#include "SkinUI.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CZVPreviewWnd : public CWnd {
    DECLARE_DYNAMIC(CZVPreviewWnd)
public:
    CZVPreviewWnd();
    ~CZVPreviewWnd() override;

    using CWnd::Create;
    // A child window of a class of its own.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Forgets the picture; the placeholder shows again.
    void Reset();
    // The window owns the cursor from now on and destroys it.
    void SetNewCursor(HICON hCursor);
    // The background of a face colour: each channel halfway to mid grey.
    static COLORREF BackgroundColor(COLORREF face);

    BOOL m_bCustomCursor = FALSE;
    HICON m_hCursor = nullptr;
    CBitmap m_bmpBack;                // what the last paint drew
    CZVImage m_image;                 // the picture shown; owners write it directly
    CZVImage m_imgPlaceholder;        // the placeholder at the size it shows
    CZVImage m_imgPlaceholderSrc;     // the placeholder as loaded

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

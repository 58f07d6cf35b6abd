#pragma once
// CShopToolbarColorPicker: the tool palette's button of the two working colours, foreground
// over background as overlapping swatches, with a reset icon (black over white) and a swap
// icon. A click on a swatch opens the system colour dialog. Each change is posted to the main
// window as WM_APP + 1 (wParam 0 foreground, 1 background; lParam the colour); a setter given
// the colour it holds posts nothing, which ends the round trip through the frame, whose handler
// of that message calls the setters again.
#include <memory>
#include "SkinUI.h"

// The icon list a button shares with its copies in tool bars.
class CSharedBitmap {
public:
    CSharedBitmap();
    virtual ~CSharedBitmap();
    CSharedBitmap(const CSharedBitmap& other) = default;
    CSharedBitmap& operator=(const CSharedBitmap& other) = default;
    CBCGPToolBarImages* Get() const { return m_images.get(); }
    long UseCount() const { return m_images.use_count(); }

private:
    std::shared_ptr<CBCGPToolBarImages> m_images;
};

namespace colorpicker {

enum Part { kNone, kForeground, kBackground, kReset, kSwap };

// The places of the parts relative to the button's top-left corner, and its size, at a scale
// (1.0 at 96 dpi).
struct Layout {
    RECT fore, back, reset, swap;
    SIZE size;
};
Layout LayoutFor(bool narrow, double scale);
// The part a click at a point (relative to the button) is for: the swatches shrunk by 2 pixels,
// the foreground first, then the icons.
Part HitTest(const Layout& layout, POINT point);

constexpr UINT kColorMessage = WM_APP + 1;

} // namespace colorpicker

class CShopToolbarColorPicker : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CShopToolbarColorPicker)
public:
    CShopToolbarColorPicker();
    explicit CShopToolbarColorPicker(UINT uiID);
    ~CShopToolbarColorPicker() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CBCGPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;

    void SetForeColor(COLORREF color);
    void SetBackColor(COLORREF color);
    COLORREF GetForeColor() const { return m_foreColor; }
    COLORREF GetBackColor() const { return m_backColor; }
    // Black over white; a post only for a colour that changed.
    void ResetColors();
    // Exchanges the colours and posts both, foreground first, even when they are equal.
    void SwapColors();
    // The tall form for a palette one button wide; the bar lays out again.
    void SetNarrowLayout(BOOL narrow);
    BOOL IsNarrowLayout() const { return m_narrow; }
    // The reset and swap icons from their PNG resource.
    BOOL LoadImages();
    const CSharedBitmap& GetSharedImages() const { return m_images; }
    // The parts' places for the current layout, relative to the button.
    colorpicker::Layout GetLayout() const;

private:
    // Asks the system colour dialog for a colour starting at initial; false when cancelled.
    bool ChooseColor(COLORREF initial, COLORREF& chosen);
    void Changed(int which, COLORREF color);
    void Redraw();

    COLORREF m_foreColor = RGB(0, 0, 0);
    COLORREF m_backColor = RGB(255, 255, 255);
    CSharedBitmap m_images;
    BOOL m_narrow = FALSE;
};

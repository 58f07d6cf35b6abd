#pragma once
// Tiles: a panel of coloured squares and wide tiles in captioned groups, scrolled along its
// length when they do not fit.
//   CBCGPWinUITile       one tile: name, colours, picture, badge, tool tip, user data
//   CBCGPWinUITiles      the collection (owns its tiles): groups, captions, base tile size, fill
//   CBCGPWinUITilesCtrl  the window that shows a collection; a click on a tile sends
//                        BCGM_ON_CLICK_WINUI_UI_TILE to its parent
#include <memory>
#include <vector>
#include "AppFrame.h"
#include "Color.h"
#include "HoverTracker.h"
#include "Image.h"
#include "SkinUIDef.h"
#include "TextFormat.h"

// Sent to the tiles control's parent when a tile is clicked: wParam the control's id, lParam
// the CBCGPWinUITile*.
SKINUI_API extern const UINT BCGM_ON_CLICK_WINUI_UI_TILE;
// Sent to the tiles control's parent when a caption button is clicked: wParam the control's id,
// lParam the button's id.
SKINUI_API extern const UINT BCGM_ON_CLICK_WINUI_UI_CAPTION_BUTTON;

enum BCGP_WINUI_TILE_TYPE { BCGP_TILE_REGULAR = 0, BCGP_TILE_WIDE = 1 };

// A status glyph in the tile's lower right corner.
enum BCGP_WINUI_BADGE_GLYPH {
    BCGP_NONE = -1,
    BCGP_ACTIVITY, BCGP_ALERT, BCGP_AVAILABLE, BCGP_AWAY, BCGP_BUSY, BCGP_NEW_MESSAGE, BCGP_PAUSED, BCGP_PLAYING,
    BCGP_UNAVAILABLE, BCGP_ERROR, BCGP_ATTENTION
};

class CBCGPWinUITiles;

class SKINUI_API CBCGPWinUITile : public CObject {
    DECLARE_DYNCREATE(CBCGPWinUITile)
public:
    CBCGPWinUITile();
    CBCGPWinUITile(const CString& strName, BCGP_WINUI_TILE_TYPE type = BCGP_TILE_REGULAR,
                   const CBCGPColor& colorText = CBCGPColor(1.0, 1.0, 1.0), const CBCGPBrush& brushBackground = CBCGPBrush(),
                   const CBCGPColor& colorBorder = CBCGPColor(0, 0, 0, 0));
    ~CBCGPWinUITile() override;

    const CString& GetName() const { return m_strName; }
    void SetName(const CString& strName) { m_strName = strName; Redraw(); }
    // A title in the tile's top left corner and, below it, a description (lines split by "\r\n");
    // the name stays at the bottom.
    const CString& GetHeader() const { return m_strHeader; }
    void SetHeader(const CString& strHeader) { m_strHeader = strHeader; Redraw(); }
    const CString& GetText() const { return m_strText; }
    void SetText(const CString& strText) { m_strText = strText; Redraw(); }
    BCGP_WINUI_TILE_TYPE GetType() const { return m_type; }
    void SetType(BCGP_WINUI_TILE_TYPE type) { m_type = type; }
    const CBCGPColor& GetTextColor() const { return m_colorText; }
    void SetTextColor(const CBCGPColor& color) { m_colorText = color; Redraw(); }
    const CBCGPBrush& GetBackgroundBrush() const { return m_brushBackground; }
    void SetBackgroundBrush(const CBCGPBrush& brush) { m_brushBackground = brush; Redraw(); }
    const CBCGPColor& GetBorderColor() const { return m_colorBorder; }
    void SetBorderColor(const CBCGPColor& color) { m_colorBorder = color; Redraw(); }
    // The picture, drawn centred (scaled down to fit); the effect and the time of its entrance
    // are kept for the caller (tiles show their pictures at once).
    void SetImage(const CBCGPImage& image, int nImageEffect = 0, int nAnimationTime = 1000, BOOL bRepeat = FALSE);
    const CBCGPImage& GetImage() const { return m_image; }
    int GetImageEffect() const { return m_nImageEffect; }
    void SetBadgeGlyph(BCGP_WINUI_BADGE_GLYPH glyph) { m_badgeGlyph = glyph; m_nBadgeNumber = -1; Redraw(); }
    BCGP_WINUI_BADGE_GLYPH GetBadgeGlyph() const { return m_badgeGlyph; }
    // A number in the badge instead of a glyph (-1: none).
    void SetBadgeNumber(int nNumber) { m_nBadgeNumber = nNumber; if (nNumber >= 0) m_badgeGlyph = BCGP_NONE; Redraw(); }
    int GetBadgeNumber() const { return m_nBadgeNumber; }
    void SetUserData(DWORD_PTR dwUserData) { m_dwUserData = dwUserData; }
    DWORD_PTR GetUserData() const { return m_dwUserData; }
    void SetToolTipText(const CString& strText) { m_strToolTipText = strText; }
    const CString& GetToolTipText() const { return m_strToolTipText; }
    void SetToolTipDescription(const CString& strText) { m_strToolTipDescription = strText; }
    const CString& GetToolTipDescription() const { return m_strToolTipDescription; }

    int GetGroupID() const { return m_nGroup; }
    // The tile's place in the control (client coordinates, scrolling applied); empty before layout.
    CRect GetRect() const { return m_rect; }
    CBCGPWinUITiles* GetParentTiles() const { return m_pParent; }
    void Redraw();

    // Draws the tile in m_rect; hot and pressed show the mouse over or down on it.
    virtual void OnDraw(CDC* pDC, BOOL bHot, BOOL bPressed);

protected:
    friend class CBCGPWinUITiles;
    CString m_strName, m_strHeader, m_strText;
    BCGP_WINUI_TILE_TYPE m_type = BCGP_TILE_REGULAR;
    CBCGPColor m_colorText{1.0, 1.0, 1.0};
    CBCGPBrush m_brushBackground;
    CBCGPColor m_colorBorder{0, 0, 0, 0};
    CBCGPImage m_image;
    int m_nImageEffect = 0, m_nAnimationTime = 1000;
    BCGP_WINUI_BADGE_GLYPH m_badgeGlyph = BCGP_NONE;
    int m_nBadgeNumber = -1;
    DWORD_PTR m_dwUserData = 0;
    CString m_strToolTipText, m_strToolTipDescription;
    int m_nGroup = 0;
    CRect m_rect;
    CBCGPWinUITiles* m_pParent = nullptr;
};

// The colours of the tiles' scroll bar.
struct SKINUI_API CBCGPScrollBarColorTheme {
    CBCGPScrollBarColorTheme() = default;
    // Channel and thumb shades of one base colour.
    explicit CBCGPScrollBarColorTheme(COLORREF clrBase);
    COLORREF m_clrFace = (COLORREF)-1, m_clrThumb = (COLORREF)-1, m_clrThumbHot = (COLORREF)-1;
};

namespace skinui {
// Places tiles in groups. Horizontal layout: groups side by side, each filling columns top to
// bottom within the height; vertical layout: groups one below the other, each filling rows left to
// right within the width. A wide tile is two squares and a gap wide. Returns the rectangles (in
// order, before scrolling) and the total extent along the scroll direction.
struct TileSlot {
    int group;
    bool wide;
};
struct TileGroupLayout {
    int group;
    CRect captionRect;
};
SKINUI_API int LayoutTiles(const std::vector<TileSlot>& tiles, const CRect& area, CSize square, int gap, int groupGap,
                           int captionHeight, bool horizontal, std::vector<CRect>& rects, std::vector<TileGroupLayout>& groups);
} // namespace skinui

class SKINUI_API CBCGPWinUITiles : public CObject {
    DECLARE_DYNCREATE(CBCGPWinUITiles)
public:
    CBCGPWinUITiles();
    ~CBCGPWinUITiles() override;

    // The collection takes the tile.
    void Add(CBCGPWinUITile* pTile, int nGroup = 0);
    BOOL Remove(CBCGPWinUITile* pTile);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_tiles.size()); }
    CBCGPWinUITile* GetTile(int nIndex) const;
    // The tile under the client point, or null.
    CBCGPWinUITile* HitTest(CPoint point) const;

    void SetCaption(const CString& strCaption) { m_strCaption = strCaption; AdjustLayout(); }
    // The caption's text colour; -1: the bars' text colour.
    void SetCaptionForegroundColor(COLORREF color) { m_clrCaption = color; Redraw(); }
    COLORREF GetCaptionForegroundColor() const { return m_clrCaption; }
    // Buttons at the right end of the caption row, the first added rightmost; the name is the
    // button's tool tip. A one-colour picture is drawn in the caption's colour when one is set.
    void AddCaptionButton(UINT nID, const CBCGPImage& image, const CString& strName);
    int GetCaptionButtonCount() const { return static_cast<int>(m_captionButtons.size()); }
    UINT GetCaptionButtonID(int nIndex) const;
    CString GetCaptionButtonName(UINT nID) const;
    BOOL SetCaptionButtonName(UINT nID, const CString& strName);
    // The button's place in the control; empty for an unknown id or before layout.
    CRect GetCaptionButtonRect(UINT nID) const;
    // The id of the caption button under the client point, 0 for none.
    UINT CaptionButtonHitTest(CPoint point) const;
    const CString& GetCaption() const { return m_strCaption; }
    void SetGroupCaption(int nGroup, const CString& strCaption);
    CString GetGroupCaption(int nGroup) const;
    // The font of the captions; empty: the regular font, larger.
    void SetCaptionTextFormat(const CBCGPTextFormat& tf) { m_tfCaption = tf; Redraw(); }
    const CBCGPTextFormat& GetCaptionTextFormat() const { return m_tfCaption; }
    // The size of a regular tile (a wide one is two and a gap wide).
    void SetSquareSize(const CSize& size);
    CSize GetSquareSize() const { return m_sizeSquare; }
    void SetHorizontalLayout(BOOL bSet = TRUE) { m_bHorizontalLayout = bSet; AdjustLayout(); }
    BOOL IsHorizontalLayout() const { return m_bHorizontalLayout; }
    void SetRoundedShapes(BOOL bSet = TRUE) { m_bRoundedShapes = bSet; Redraw(); }
    BOOL IsRoundedShapes() const { return m_bRoundedShapes; }
    // The background of the whole control.
    void SetFillBrush(const CBCGPBrush& brush) { m_brFill = brush; Redraw(); }
    const CBCGPBrush& GetFillBrush() const { return m_brFill; }
    void SetScrollBarColorTheme(const CBCGPScrollBarColorTheme& theme) { m_scrollTheme = theme; Redraw(); }
    const CBCGPScrollBarColorTheme& GetScrollBarColorTheme() const { return m_scrollTheme; }
    // 0: the thin flat bar; 1: a wider one.
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; Redraw(); }
    int GetScrollBarStyle() const { return m_nScrollBarStyle; }

    // The control that shows the collection (set by the control).
    void SetOwner(CWnd* pWnd) { m_pOwner = pWnd; }
    CWnd* GetOwner() const { return m_pOwner; }
    // Places the tiles in the owner's client area.
    void AdjustLayout();
    void Redraw();
    // Scrolling along the layout's direction, in pixels; kept within the content.
    void SetScrollOffset(int nOffset);
    int GetScrollOffset() const { return m_nScrollOffset; }
    int GetScrollRange() const { return m_nScrollRange; }
    virtual void OnDraw(CDC* pDC, const CRect& rectClient, CBCGPWinUITile* pHot, CBCGPWinUITile* pPressed);
    // The caption buttons; hot and pressed are button ids (0: none).
    void DrawCaptionButtons(CDC* pDC, UINT nHot, UINT nPressed);

protected:
    struct CaptionButton {
        UINT id;
        CBCGPImage image;
        CString name;
        CRect rect;
    };
    std::vector<CaptionButton> m_captionButtons;
    COLORREF m_clrCaption = (COLORREF)-1;
    std::vector<std::unique_ptr<CBCGPWinUITile>> m_tiles;
    std::vector<std::pair<int, CString>> m_groupCaptions;
    std::vector<skinui::TileGroupLayout> m_groupRects;
    CString m_strCaption;
    CBCGPTextFormat m_tfCaption;
    CSize m_sizeSquare{150, 150};
    BOOL m_bHorizontalLayout = TRUE, m_bRoundedShapes = FALSE;
    CBCGPBrush m_brFill;
    CBCGPScrollBarColorTheme m_scrollTheme;
    int m_nScrollBarStyle = 0;
    CWnd* m_pOwner = nullptr;   // not owned
    int m_nScrollOffset = 0, m_nScrollRange = 0;
    CRect m_rectCaption;
};

class SKINUI_API CBCGPWinUITilesCtrl : public CWnd {
    DECLARE_DYNCREATE(CBCGPWinUITilesCtrl)
public:
    CBCGPWinUITilesCtrl();
    ~CBCGPWinUITilesCtrl() override;

    virtual BOOL Create(const CRect& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    // The collection, made on first use; subclasses make their own kind and keep it in
    // m_pWinUITiles (the control owns it).
    virtual CBCGPWinUITiles* GetWinUITiles();
    // Clicks the tile as the mouse would: the parent hears of it.
    void ClickTile(CBCGPWinUITile* pTile);
    // Clicks the caption button as the mouse would: the parent hears of it.
    void ClickCaptionButton(UINT nID);
    CBCGPWinUITile* GetHotTile() const { return m_hover.Hot(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void UpdateToolTip();
    std::unique_ptr<CBCGPWinUITiles> m_pWinUITiles;
    skinui::HoverTracker<CBCGPWinUITile*> m_hover{ nullptr };
    CBCGPWinUITile* m_pPressed = nullptr;
    skinui::HoverTracker<UINT> m_hoverButton{ 0u };
    UINT m_nPressedButton = 0;
    CToolTipCtrl m_toolTip;
};

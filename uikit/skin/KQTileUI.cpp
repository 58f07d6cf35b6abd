#include "KQTileUI.h"
#include <algorithm>
#include "ZVImage.h"

namespace {
const int kTileGap = 8;      // the collection's gap between tiles (a wide tile spans one)
const int kTileMargin = 4;   // inside a tile's border, where its texture begins
} // namespace

CKQWinTile::CKQWinTile()
{
    CommonInit();
}

CKQWinTile::CKQWinTile(const CString& strName, BCGP_WINUI_TILE_TYPE type, const CBCGPColor& colorText,
                       const CBCGPBrush& brushBackground, const CBCGPColor& colorBorder)
    : CBCGPWinUITile(strName, type, colorText, brushBackground, colorBorder)
{
    CommonInit();
}

void CKQWinTile::CommonInit()
{
    std::fill(std::begin(m_nAnimationRes), std::end(m_nAnimationRes), 0u);
}

void CKQWinTile::SetAnimationRes(unsigned int nFirstRes, int nCount)
{
    const int count = std::min(nCount, kMaxAnimation);
    for (int i = 0; i < count; ++i)
        m_nAnimationRes[i] = nFirstRes + i;
}

CKQWinUITiles::CKQWinUITiles()
{
    LOGFONTW lf = {};
    globalData.fontRegular.GetLogFont(&lf);
    CBCGPTextFormat tf(lf);
    m_tfCaption = CBCGPTextFormat(tf.GetFontFamily(), 16.0f, tf.GetFontWeight(), tf.IsItalic());
    m_bRoundedShapes = FALSE;
    m_nScrollBarStyle = 0;
    m_bHorizontalLayout = TRUE;
}

IMPLEMENT_DYNCREATE(CKQTileUI, CBCGPWinUITilesCtrl)

BEGIN_MESSAGE_MAP(CKQTileUI, CBCGPWinUITilesCtrl)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CKQTileUI::CKQTileUI() = default;
CKQTileUI::~CKQTileUI() = default;

int CKQTileUI::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CBCGPWinUITilesCtrl::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

CBCGPWinUITiles* CKQTileUI::GetWinUITiles()
{
    if (!m_pWinUITiles) {
        m_pWinUITiles = std::make_unique<CKQWinUITiles>();
        m_pWinUITiles->SetOwner(this);
    }
    return m_pWinUITiles.get();
}

CKQWinTile* CKQTileUI::AddTile(const CString& strCaption, unsigned int nImageRes, const CBCGPColor& clrBack,
                               const CBCGPColor& clrText, int nGroup, unsigned int nCommand, BCGP_WINUI_TILE_TYPE type,
                               BCGP_WINUI_BADGE_GLYPH glyph)
{
    CBCGPWinUITiles* tiles = GetWinUITiles();
    auto* tile = new CKQWinTile(strCaption, type, clrText, CBCGPBrush(clrBack, 1.0), CBCGPColor(0, 0, 0, 0));
    CBCGPColor border = tile->GetBackgroundBrush().GetColor();
    border.MakeLighter(0.15);
    tile->SetBorderColor(border);
    CBCGPImage image(nImageRes, AfxGetResourceHandle());
    image.Resize(tiles->GetSquareSize());
    tile->SetImage(image, 0, 1000, TRUE);
    tile->SetUserData(nCommand);
    tile->SetBadgeGlyph(glyph);
    tile->SetToolTipText(strCaption);
    if (CFrameWnd* frame = GetParentFrame(); frame && nCommand != 0) {
        CString description;
        frame->GetMessageString(nCommand, description);
        tile->SetToolTipDescription(description);
    }
    tiles->Add(tile, nGroup);
    m_lstTiles.AddTail(tile);
    return tile;
}

void CKQTileUI::ChangeSkin()
{
    CBCGPWinUITiles* tiles = GetWinUITiles();
    const CBCGPColor window(globalData.clrWindow);
    CBCGPBrush fill;
    if (m_nBackgroundRes >= 1) {
        fill = CBCGPBrush(CBCGPImage(static_cast<UINT>(m_nBackgroundRes), AfxGetResourceHandle()), window, TRUE);
    } else if (!m_strBackground.IsEmpty()) {
        // A file that does not load leaves an empty picture over the window colour.
        CBCGPImage picture;
        CZVImage image;
        if (image.LoadFile(m_strBackground) &&
            image.Resample(static_cast<long>(m_szBackground.cx), static_cast<long>(m_szBackground.cy), 1)) {
            if (HBITMAP bitmap = image.MakeBitmap()) {
                picture = CBCGPImage(bitmap);
                ::DeleteObject(bitmap);
            }
        }
        fill = CBCGPBrush(picture, window, TRUE);
    } else {
        m_brFill.SetColors(window, CBCGPColor(globalData.clrBarFace), CBCGPBrush::BCGP_GRADIENT_RADIAL_TOP, 1.0);
        fill = m_brFill;
    }
    tiles->SetFillBrush(fill);
    tiles->SetScrollBarColorTheme(CBCGPScrollBarColorTheme(globalData.clrBarFace));
    ModifyTiles();
}

void CKQTileUI::ModifyTiles()
{
    CBCGPWinUITiles* tiles = GetWinUITiles();
    tiles->SetScrollBarStyle(0);
    if (m_nTileTextureRes < 0)
        return;   // the tiles keep the colours AddTile gave them
    const CBCGPColor c = m_brFill.GetColor();
    for (int i = 0; i < tiles->GetCount(); ++i) {
        CBCGPWinUITile* tile = tiles->GetTile(i);
        CBCGPImage texture(static_cast<UINT>(m_nTileTextureRes), AfxGetResourceHandle());
        CSize size = tile->GetRect().Size();
        if (size.cx <= 0 || size.cy <= 0) {
            // Not laid out yet: the tile's size from the collection's squares.
            const CSize square = tiles->GetSquareSize();
            size = tile->GetType() == BCGP_TILE_WIDE ? CSize(square.cx * 2 + kTileGap, square.cy) : square;
        }
        texture.Resize(CSize(std::max(1L, size.cx - 2 * kTileMargin), std::max(1L, size.cy - 2 * kTileMargin)));
        texture.Colorize(c, 0.75);
        tile->SetBackgroundBrush(CBCGPBrush(texture, c, TRUE));
        CBCGPColor border = c;
        border.MakeDarker(0.15);
        tile->SetBorderColor(border);
    }
}

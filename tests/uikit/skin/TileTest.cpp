// Tile panels: tiles as AddTile makes them, the background and textures of ChangeSkin, and the
// animation ids of a tile.
#include <algorithm>
#include <string>
#include "KQTileUI.h"
#include "KQVisualManager.h"
#include "SkinKitIds.h"
#include "SkinKitTest.h"
#include "TestSupport.h"

namespace {

// A 24-bit BMP file of one colour.
std::string SolidBmp(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const int size = 54 + stride * height;
    std::string bmp(size, '\0');
    auto put32 = [&](int at, int v) { for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bmp[54 + y * stride + x * 3] = 50;
            bmp[54 + y * stride + x * 3 + 1] = 100;
            bmp[54 + y * stride + x * 3 + 2] = static_cast<char>(200);
        }
    return bmp;
}

// A frame with a tile panel filling it.
struct TileFrame {
    CFrameWnd* frame = new CFrameWnd;
    CKQTileUI tiles;
    TileFrame()
    {
        EXPECT_TRUE(frame->Create(nullptr, L"Tiles", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 500)));
        EXPECT_TRUE(tiles.Create(CRect(0, 0, 780, 460), frame, 1));
    }
    ~TileFrame()
    {
        tiles.DestroyWindow();
        frame->DestroyWindow();
    }
};
} // namespace

TEST(Tiles, AddTileBorderPictureTipDataAndDescription)
{
    TileFrame f;
    const CBCGPColor back(RGB(40, 90, 160));
    CKQWinTile* tile = f.tiles.AddTile(L"Folders", IDB_TEST_TILE, back, CBCGPColor(RGB(255, 255, 255)), 2, ID_TEST_TILE_COMMAND,
                                       BCGP_TILE_WIDE, BCGP_NEW_MESSAGE);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(ColorText(tile->GetBorderColor()), ColorText(CBCGPDrawManager::ColorMakeLighter(RGB(40, 90, 160), 0.15)));
    EXPECT_EQ(ColorText(tile->GetBackgroundBrush().GetColor()), ColorText(RGB(40, 90, 160)));
    EXPECT_EQ(tile->GetImage().GetSize(), f.tiles.GetWinUITiles()->GetSquareSize());
    EXPECT_EQ(tile->GetToolTipText(), CString(L"Folders"));
    EXPECT_EQ(tile->GetToolTipDescription(), CString(L"Opens a folder of pictures"));
    EXPECT_EQ(tile->GetUserData(), static_cast<DWORD_PTR>(ID_TEST_TILE_COMMAND));
    EXPECT_EQ(tile->GetBadgeGlyph(), BCGP_NEW_MESSAGE);
    EXPECT_EQ(tile->GetGroupID(), 2);
    EXPECT_EQ(tile->GetType(), BCGP_TILE_WIDE);
    ASSERT_EQ(f.tiles.m_lstTiles.GetCount(), 1);
    EXPECT_EQ(f.tiles.m_lstTiles.GetAt(0).Get(), tile);

    // Without a command there is no description.
    CKQWinTile* plain = f.tiles.AddTile(L"Plain", IDB_TEST_TILE, back, CBCGPColor(RGB(0, 0, 0)), 0, 0);
    EXPECT_TRUE(plain->GetToolTipDescription().IsEmpty());
    EXPECT_EQ(f.tiles.GetWinUITiles()->GetCount(), 2);
    EXPECT_NE(dynamic_cast<CKQWinUITiles*>(f.tiles.GetWinUITiles()), nullptr);
}

TEST(Tiles, ABackgroundFileThatDoesNotLoadLeavesAnEmptyPicture)
{
    TileFrame f;
    f.tiles.m_strBackground = L"C:\\no such folder\\background.jpg";
    f.tiles.m_szBackground.cx = 800;
    f.tiles.m_szBackground.cy = 500;
    f.tiles.ChangeSkin();
    const CBCGPBrush& fill = f.tiles.GetWinUITiles()->GetFillBrush();
    EXPECT_TRUE(fill.GetTextureImage().IsEmpty());
    EXPECT_EQ(ColorText(fill.GetColor()), ColorText(globalData.clrWindow));
    f.tiles.UpdateWindow();
}

TEST(Tiles, ABackgroundFileIsResampledToTheGivenSize)
{
    TileFrame f;
    testsupport::TempFolder dir;
    const std::wstring path = dir.At(L"back.bmp");
    ASSERT_TRUE(testsupport::TempFolder::Put(path, SolidBmp(30, 20)));
    f.tiles.m_strBackground = path.c_str();
    f.tiles.m_szBackground.cx = 120.7;
    f.tiles.m_szBackground.cy = 80.2;
    f.tiles.ChangeSkin();
    EXPECT_EQ(f.tiles.GetWinUITiles()->GetFillBrush().GetTextureImage().GetSize(), CSize(120, 80));
}

TEST(Tiles, WithoutBackgroundTheGradientRunsFromWindowToBarFace)
{
    TileFrame f;
    f.tiles.ChangeSkin();
    EXPECT_EQ(ColorText(f.tiles.m_brFill.GetColor()), ColorText(globalData.clrWindow));
    EXPECT_EQ(ColorText(f.tiles.m_brFill.GetGradientColor()), ColorText(globalData.clrBarFace));
    EXPECT_EQ(f.tiles.m_brFill.GetGradientType(), CBCGPBrush::BCGP_GRADIENT_RADIAL_TOP);
    EXPECT_EQ(ColorText(f.tiles.GetWinUITiles()->GetFillBrush().GetColor()), ColorText(globalData.clrWindow));
    EXPECT_EQ(f.tiles.GetWinUITiles()->GetScrollBarColorTheme().m_clrFace,
              CBCGPScrollBarColorTheme(globalData.clrBarFace).m_clrFace);
}

TEST(Tiles, TexturesTakeTheFillColourAndTilesWithoutKeepTheirs)
{
    TileFrame f;
    const COLORREF back = RGB(40, 90, 160);
    CKQWinTile* tile = f.tiles.AddTile(L"A", IDB_TEST_TILE, CBCGPColor(back), CBCGPColor(RGB(255, 255, 255)), 0, 0);
    f.tiles.ChangeSkin();   // no texture
    EXPECT_EQ(ColorText(tile->GetBackgroundBrush().GetColor()), ColorText(back));
    EXPECT_TRUE(tile->GetBackgroundBrush().GetTextureImage().IsEmpty());

    f.tiles.m_nTileTextureRes = IDB_TEST_TEXTURE;
    f.tiles.ChangeSkin();
    const COLORREF c = f.tiles.m_brFill.GetColor();
    EXPECT_EQ(ColorText(tile->GetBackgroundBrush().GetColor()), ColorText(c));
    EXPECT_FALSE(tile->GetBackgroundBrush().GetTextureImage().IsEmpty());
    EXPECT_EQ(ColorText(tile->GetBorderColor()), ColorText(CBCGPDrawManager::ColorMakeDarker(c, 0.15)));
    // Colourised at 0.75: an opaque pixel of the texture lies three quarters of the way to c.
    const skinui::Pixels& px = tile->GetBackgroundBrush().GetTextureImage().GetImages()->GetPixels();
    const auto opaque = std::find_if(px.data.begin(), px.data.end(), [](uint32_t p) { return (p >> 24) == 255; });
    ASSERT_NE(opaque, px.data.end());
    EXPECT_NEAR(static_cast<int>((*opaque >> 16) & 0xFF), GetRValue(c), 0.25 * 255 + 1);
    f.tiles.UpdateWindow();
}

TEST(Tiles, AnimationIdsHoldAtMostSeven)
{
    const struct {
        int count;
        unsigned int expected[7];
    } cases[] = {
        {3, {100, 101, 102, 9, 9, 9, 9}},
        {12, {100, 101, 102, 103, 104, 105, 106}},
        {0, {9, 9, 9, 9, 9, 9, 9}},
        {-4, {9, 9, 9, 9, 9, 9, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        // Guards on both sides catch a write past the ids.
        struct {
            unsigned int before = 0xFEEDu;
            CKQWinTile tile;
            unsigned int after = 0xFEEDu;
        } probe;
        EXPECT_EQ(std::count(std::begin(probe.tile.m_nAnimationRes), std::end(probe.tile.m_nAnimationRes), 0u), 7);
        std::fill(std::begin(probe.tile.m_nAnimationRes), std::end(probe.tile.m_nAnimationRes), 9u);
        probe.tile.SetAnimationRes(100, c.count);
        EXPECT_TRUE(std::equal(std::begin(c.expected), std::end(c.expected), probe.tile.m_nAnimationRes));
        EXPECT_EQ(probe.after, 0xFEEDu);
    }
}

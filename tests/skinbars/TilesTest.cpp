// Tiles: layout, clicks and the click message.
#include "BarsTestApp.h"

namespace {

// A parent that records the tiles it hears of.
class CTileHost : public CWnd {
public:
    std::vector<std::pair<WPARAM, CBCGPWinUITile*>> clicks;
    std::vector<std::pair<WPARAM, LPARAM>> buttonClicks;
    BOOL Make()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"Tiles", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 900, 500, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == BCGM_ON_CLICK_WINUI_UI_TILE) {
            clicks.emplace_back(wParam, reinterpret_cast<CBCGPWinUITile*>(lParam));
            return 0;
        }
        if (message == BCGM_ON_CLICK_WINUI_UI_CAPTION_BUTTON) {
            buttonClicks.emplace_back(wParam, lParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(Tiles, ClickSendsTheTileToTheParent)
{
    CTileHost host;
    ASSERT_TRUE(host.Make());
    CBCGPWinUITilesCtrl tiles;
    ASSERT_TRUE(tiles.Create(CRect(0, 0, 860, 440), &host, 1234));
    CBCGPWinUITiles* collection = tiles.GetWinUITiles();
    collection->SetSquareSize(CSize(120, 120));
    collection->SetGroupCaption(0, L"Edit");
    collection->SetGroupCaption(1, L"Batch");
    std::vector<CBCGPWinUITile*> made;
    const wchar_t* names[] = { L"Editor", L"Collage", L"Effects", L"Resize", L"Rename" };
    for (int i = 0; i < 5; ++i) {
        auto* tile = new CBCGPWinUITile(names[i], i == 1 ? BCGP_TILE_WIDE : BCGP_TILE_REGULAR, CBCGPColor(RGB(255, 255, 255)),
                                        CBCGPBrush(CBCGPColor(RGB(0, 120, 215))));
        tile->SetUserData(100 + i);
        tile->SetToolTipText(names[i]);
        tile->SetBadgeGlyph(i == 4 ? BCGP_NEW_MESSAGE : BCGP_NONE);
        collection->Add(tile, i < 3 ? 0 : 1);
        made.push_back(tile);
    }
    EXPECT_EQ(collection->GetCount(), 5);
    EXPECT_EQ(made[1]->GetRect().Width(), 2 * 120 + 8);
    EXPECT_EQ(made[3]->GetGroupID(), 1);
    // The second group starts right of the first.
    EXPECT_GT(made[3]->GetRect().left, made[1]->GetRect().right);
    tiles.RedrawWindow();

    ClickAt(&tiles, made[2]->GetRect().CenterPoint());
    ASSERT_EQ(host.clicks.size(), 1u);
    EXPECT_EQ(host.clicks[0].first, 1234u);
    EXPECT_EQ(host.clicks[0].second, made[2]);
    EXPECT_EQ(host.clicks[0].second->GetUserData(), 102u);
    // Down on one tile and up on another is no click; nor is a click between tiles.
    const CPoint a = made[0]->GetRect().CenterPoint(), b = made[4]->GetRect().CenterPoint();
    tiles.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    tiles.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
    ClickAt(&tiles, CPoint(2, 2));
    EXPECT_EQ(host.clicks.size(), 1u);
    host.DestroyWindow();
}

TEST(Tiles, LayoutFillsColumnsAndKeepsWideTilesWhole)
{
    // Horizontal: columns two squares wide, three rows high; a wide tile after a lone square
    // starts the next row.
    const std::vector<skinui::TileSlot> slots = {
        { 0, false }, { 0, true }, { 0, false }, { 0, false }, { 0, false }, { 1, false },
    };
    std::vector<CRect> rects;
    std::vector<skinui::TileGroupLayout> groups;
    const int extent = skinui::LayoutTiles(slots, CRect(0, 0, 1000, 350), CSize(100, 100), 10, 40, 20, true, rects, groups);
    EXPECT_EQ(rects[0], CRect(0, 20, 100, 120));
    EXPECT_EQ(rects[1], CRect(0, 130, 210, 230));
    EXPECT_EQ(rects[2], CRect(0, 240, 100, 340));
    EXPECT_EQ(rects[3], CRect(110, 240, 210, 340));
    EXPECT_EQ(rects[4], CRect(220, 20, 320, 120));   // the next column
    EXPECT_EQ(rects[5].left, 320 + 40);               // the next group
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].captionRect.left, 360);
    EXPECT_EQ(extent, 460);
    // Vertical: rows wrap at the width; groups stack.
    skinui::LayoutTiles(slots, CRect(0, 0, 330, 1000), CSize(100, 100), 10, 40, 0, false, rects, groups);
    EXPECT_EQ(rects[1], CRect(110, 0, 320, 100));
    EXPECT_EQ(rects[2], CRect(0, 110, 100, 210));
    EXPECT_EQ(rects[5].top, 210 + 40);
}

} // namespace

TEST(Tiles, CaptionButtonsSitRightToLeftAndSendTheirIds)
{
    CTileHost host;
    ASSERT_TRUE(host.Make());
    CBCGPWinUITilesCtrl tiles;
    ASSERT_TRUE(tiles.Create(CRect(0, 0, 860, 440), &host, 77));
    CBCGPWinUITiles* collection = tiles.GetWinUITiles();
    collection->SetCaption(L"Start");
    collection->AddCaptionButton(641, CBCGPImage(), L"Exit");
    collection->AddCaptionButton(336, CBCGPImage(), L"Help");
    ASSERT_EQ(collection->GetCaptionButtonCount(), 2);
    EXPECT_EQ(collection->GetCaptionButtonID(0), 641u);
    EXPECT_EQ(collection->GetCaptionButtonID(2), 0u);
    const CRect exit = collection->GetCaptionButtonRect(641), help = collection->GetCaptionButtonRect(336);
    ASSERT_FALSE(exit.IsRectEmpty());
    EXPECT_GT(exit.left, help.right - 1) << "the first added is rightmost";
    EXPECT_LE(exit.right, 860);
    EXPECT_TRUE(collection->GetCaptionButtonRect(999).IsRectEmpty());
    EXPECT_EQ(collection->CaptionButtonHitTest(exit.CenterPoint()), 641u);
    EXPECT_EQ(collection->CaptionButtonHitTest(CPoint(2, 300)), 0u);
    EXPECT_TRUE(collection->SetCaptionButtonName(336, L"Hilfe"));
    EXPECT_FALSE(collection->SetCaptionButtonName(999, L"None"));
    EXPECT_EQ(std::wstring(collection->GetCaptionButtonName(336)), L"Hilfe");

    ClickAt(&tiles, help.CenterPoint());
    ASSERT_EQ(host.buttonClicks.size(), 1u);
    EXPECT_EQ(host.buttonClicks[0].first, 77u);
    EXPECT_EQ(host.buttonClicks[0].second, 336);
    // Down on one button and up on the other is no click.
    tiles.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(help.CenterPoint().x, help.CenterPoint().y));
    tiles.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(exit.CenterPoint().x, exit.CenterPoint().y));
    EXPECT_EQ(host.buttonClicks.size(), 1u);
    EXPECT_TRUE(host.clicks.empty());
    host.DestroyWindow();
}

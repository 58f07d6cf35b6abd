// The arithmetic of docking: columns split along their edge, docking zones, centred floating
// rectangles and MDI tab groups.
#include <gtest/gtest.h>
#include <climits>
#include "SkinUI.h"

TEST(DockLayout, SplitAlongSharesByWeightAndCoversTheColumn)
{
    struct Case {
        RECT rect;
        bool horizontalEdge;
        std::vector<int> weights;
        std::vector<RECT> parts;
    };
    const Case cases[] = {
        { { 0, 0, 200, 300 }, false, { 1, 2 }, { { 0, 0, 200, 100 }, { 0, 100, 200, 300 } } },
        { { 10, 5, 310, 105 }, true, { 100, 100, 100 }, { { 10, 5, 110, 105 }, { 110, 5, 210, 105 }, { 210, 5, 310, 105 } } },
        // Rounding leaves the rest to the last; a weight of 0 still gets a share.
        { { 0, 0, 100, 10 }, true, { 1, 1, 1 }, { { 0, 0, 33, 10 }, { 33, 0, 66, 10 }, { 66, 0, 100, 10 } } },
        { { 0, 0, 90, 10 }, true, { 0, 2 }, { { 0, 0, 30, 10 }, { 30, 0, 90, 10 } } },
    };
    for (const Case& c : cases) {
        std::vector<RECT> parts(c.weights.size());
        skinui::SplitAlong(c.rect, c.horizontalEdge, c.weights.data(), c.weights.size(), parts.data());
        for (size_t i = 0; i < parts.size(); ++i)
            EXPECT_TRUE(EqualRect(&parts[i], &c.parts[i])) << i << ": " << parts[i].left << "," << parts[i].top << ","
                                                           << parts[i].right << "," << parts[i].bottom;
    }
}

TEST(DockLayout, DockZoneIsTheNearestEdgeWithinTheZone)
{
    const RECT area = { 100, 100, 500, 400 };
    struct Case {
        POINT pt;
        DWORD side;
    };
    const Case cases[] = {
        { { 110, 250 }, CBRS_ALIGN_LEFT },  { { 490, 250 }, CBRS_ALIGN_RIGHT }, { { 300, 105 }, CBRS_ALIGN_TOP },
        { { 300, 395 }, CBRS_ALIGN_BOTTOM }, { { 300, 250 }, 0 },               { { 50, 250 }, 0 },
        { { 102, 110 }, CBRS_ALIGN_LEFT },  // a corner: the nearer edge
        { { 500, 250 }, 0 },                // right and bottom edges are outside
    };
    for (const Case& c : cases)
        EXPECT_EQ(skinui::DockZoneAtPoint(area, c.pt, 30), c.side) << c.pt.x << "," << c.pt.y;
}

TEST(DockLayout, CenteredRectByFractionOrSize)
{
    const RECT bySize = skinui::CenteredRect({ 1920, 1080 }, 0, { 800, 600 });
    EXPECT_EQ(bySize.left, 560);
    EXPECT_EQ(bySize.top, 240);
    EXPECT_EQ(bySize.right, 1360);
    EXPECT_EQ(bySize.bottom, 840);
    const RECT byFraction = skinui::CenteredRect({ 1920, 1080 }, 0.6, { 0, 0 });
    EXPECT_EQ(byFraction.left, 384);
    EXPECT_EQ(byFraction.top, 216);
    EXPECT_EQ(byFraction.right, 1536);
    EXPECT_EQ(byFraction.bottom, 864);
}

TEST(DockLayout, StoredPlaceIsUsableOnAScreenAtASaneSize)
{
    const LONG cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        RECT rect;
        bool usable;
    };
    const Case cases[] = {
        { { 20, 20, 920, 670 }, true },
        { { cx - 10, cy - 10, cx + 500, cy + 500 }, true },   // partly on the screen
        { { 0, 0, 49, 400 }, false },                           // too narrow
        { { 100, 100, 50, 400 }, false },                       // turned inside out
        { { -100000, -100000, -99000, -99000 }, false },        // off every screen
        { { 0, 0, LONG_MAX, LONG_MAX }, false },                // no screen is that large
        { { LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX }, false },  // wider than 32 bits hold
    };
    for (const Case& c : cases)
        EXPECT_EQ(skinui::IsUsableScreenRect(c.rect, 50), c.usable)
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
}

TEST(DockLayout, DockBarIdsNameSides)
{
    EXPECT_EQ(skinui::AlignmentOfDockBar(AFX_IDW_DOCKBAR_LEFT), static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(skinui::AlignmentOfDockBar(AFX_IDW_DOCKBAR_RIGHT), static_cast<DWORD>(CBRS_ALIGN_RIGHT));
    EXPECT_EQ(skinui::AlignmentOfDockBar(AFX_IDW_DOCKBAR_TOP), static_cast<DWORD>(CBRS_ALIGN_TOP));
    EXPECT_EQ(skinui::AlignmentOfDockBar(AFX_IDW_DOCKBAR_BOTTOM), static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(skinui::AlignmentOfDockBar(0), 0u);
}

TEST(DockLayout, TabGroupsShareTheClientEqually)
{
    RECT groups[2];
    skinui::LayoutTabGroups({ 0, 0, 601, 400 }, 2, TRUE, groups);
    EXPECT_EQ(groups[0].right, 300);
    EXPECT_EQ(groups[1].left, 300);
    EXPECT_EQ(groups[1].right, 601);
    skinui::LayoutTabGroups({ 0, 0, 600, 400 }, 2, FALSE, groups);
    EXPECT_EQ(groups[0].bottom, 200);
    EXPECT_EQ(groups[1].top, 200);
}

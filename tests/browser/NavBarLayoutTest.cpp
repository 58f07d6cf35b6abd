// The viewer's navigation bar: where its buttons go at the screen's scales, which show, and that
// none covers another.
#include <gtest/gtest.h>
#include <algorithm>
#include "NavBarLayout.h"
#include "ViewerLayout.h"

namespace {

using namespace viewer;

NavBarInput Bar(int workAreaWidth, int clientWidth, bool close, bool folder)
{
    NavBarInput in;
    in.scale = ScreenScale(workAreaWidth);
    in.width = clientWidth;
    in.height = NavBarRowHeight(workAreaWidth);
    in.backgroundWidth = 180;
    in.backgroundHeight = 80;
    in.separatorWidth = 100;
    in.separatorHeight = 80;
    in.closeShown = close;
    in.folderShown = folder;
    return in;
}

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }
bool Empty(const RECT& r) { return Width(r) <= 0 || Height(r) <= 0; }

TEST(NavBarLayout, SizesDoubleOnAFourKScreenAndPlayIsCentred)
{
    struct Row {
        int workArea, client;
        LONG button, playW, playH, rowHeight;
    } const rows[] = {{1366, 1092, 40, 54, 55, 80}, {1920, 1536, 40, 54, 55, 80}, {3840, 3072, 80, 108, 110, 160}};
    for (const Row& r : rows) {
        const NavBarInput in = Bar(r.workArea, r.client, true, true);
        EXPECT_EQ(r.rowHeight, in.height) << r.workArea;
        const NavBarPlaces places = LayoutNavBar(in);
        const RECT& play = places.buttons[NAV_PLAY];
        EXPECT_EQ(r.playW, Width(play)) << r.workArea;
        EXPECT_EQ(r.playH, Height(play)) << r.workArea;
        EXPECT_EQ(r.client / 2, (play.left + play.right) / 2) << r.workArea;
        for (int b = 0; b < NAV_BUTTON_COUNT; ++b) {
            const RECT& rc = places.buttons[b];
            if (b == NAV_PLAY)
                continue;
            EXPECT_EQ(r.button, Width(rc)) << r.workArea << " button " << b;
            EXPECT_EQ(r.button, Height(rc)) << r.workArea << " button " << b;
            EXPECT_GE(rc.top, 0) << b;
            EXPECT_LE(rc.bottom, in.height) << b;
        }
        // Previous ends 3 s before Play, Next starts 2 s after it.
        const LONG s = r.button / 40;
        EXPECT_EQ(play.left - 3 * s, places.buttons[NAV_PREVIOUS].right) << r.workArea;
        EXPECT_EQ(play.right + 2 * s, places.buttons[NAV_NEXT].left) << r.workArea;
        // Close ends as far from the right edge as the 40 s buttons stand from top and bottom.
        EXPECT_EQ(r.client - (r.rowHeight - r.button) / 2, places.buttons[NAV_CLOSE].right) << r.workArea;
        EXPECT_EQ(places.buttons[NAV_CLOSE].left - 10 * s, places.buttons[NAV_FOLDER].right) << r.workArea;
    }
}

TEST(NavBarLayout, ButtonsRunLeftToRightWithoutCoveringEachOther)
{
    const NavButton order[] = {NAV_EDIT, NAV_EXPORT, NAV_DELETE, NAV_SAVE, NAV_ROTATE_LEFT, NAV_ROTATE_RIGHT,
                               NAV_PREVIOUS, NAV_PLAY, NAV_NEXT, NAV_ZOOM_OUT, NAV_ZOOM_IN, NAV_DISPLAY_OPTION,
                               NAV_MUSIC, NAV_OPTION, NAV_FULL_SCREEN, NAV_FOLDER, NAV_CLOSE};
    for (int workArea : {1920, 3840}) {
        const NavBarPlaces places = LayoutNavBar(Bar(workArea, workArea, true, true));
        const LONG s = workArea / 1920;
        for (size_t i = 1; i < sizeof order / sizeof order[0]; ++i) {
            const RECT &before = places.buttons[order[i - 1]], &after = places.buttons[order[i]];
            // Neighbours in a group share one edge pixel.
            EXPECT_GE(after.left, before.right - s) << workArea << ": " << order[i - 1] << " then " << order[i];
        }
        // The separators lie between the groups of a side, the background under the middle three.
        EXPECT_LT((places.separators[0].left + places.separators[0].right) / 2, places.buttons[NAV_SAVE].left);
        EXPECT_GT((places.separators[0].left + places.separators[0].right) / 2, places.buttons[NAV_DELETE].right - s);
        EXPECT_GT((places.separators[1].left + places.separators[1].right) / 2, places.buttons[NAV_DISPLAY_OPTION].right - s);
        EXPECT_LT((places.separators[1].left + places.separators[1].right) / 2, places.buttons[NAV_MUSIC].left + s);
        EXPECT_LE(places.background.left, places.buttons[NAV_PREVIOUS].left);
        EXPECT_GE(places.background.right, places.buttons[NAV_NEXT].right);
        EXPECT_EQ(180 * s, Width(places.background));
    }
}

TEST(NavBarLayout, FolderAndCloseShowOnlyWhenAsked)
{
    struct Row {
        bool close, folder;
    } const rows[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const Row& r : rows) {
        const NavBarInput in = Bar(1920, 1536, r.close, r.folder);
        const NavBarPlaces places = LayoutNavBar(in);
        EXPECT_EQ(!r.close, Empty(places.buttons[NAV_CLOSE])) << r.close << r.folder;
        EXPECT_EQ(!r.folder, Empty(places.buttons[NAV_FOLDER])) << r.close << r.folder;
        // Without Close, Folder takes its place at the edge.
        if (r.folder && !r.close)
            EXPECT_EQ(1536 - 20, places.buttons[NAV_FOLDER].right);
    }
}

} // namespace

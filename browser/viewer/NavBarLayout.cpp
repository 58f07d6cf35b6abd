#include "NavBarLayout.h"

namespace viewer {

namespace {

RECT At(float left, float top, float width, float height)
{
    const LONG x = static_cast<LONG>(left), y = static_cast<LONG>(top);
    return RECT{x, y, x + static_cast<LONG>(width), y + static_cast<LONG>(height)};
}

} // namespace

NavBarPlaces LayoutNavBar(const NavBarInput& in)
{
    NavBarPlaces out;
    const float s = in.scale, c = in.width / 2.0f, h = static_cast<float>(in.height);
    const float side = kNavButtonSize.cx * s;
    const float top = (h - side) / 2 + 2 * s;
    const float b = in.backgroundWidth * s, p = in.separatorWidth * s;

    out.buttons[NAV_PLAY] = At(c - 27 * s, (h - kNavPlaySize.cy * s) / 2 + 3 * s, kNavPlaySize.cx * s, kNavPlaySize.cy * s);
    out.buttons[NAV_PREVIOUS] = At(c - 27 * s - 43 * s, top, side, side);
    out.buttons[NAV_NEXT] = At(c + 27 * s + 2 * s, top, side, side);

    // Each next button of a group stands 39 s on, so that neighbours share their edge pixel.
    const struct {
        float first;
        NavButton buttons[3];
    } groups[] = {
        {c - b / 2 - 2 * p - 40 * s + 2 * s, {NAV_EDIT, NAV_EXPORT, NAV_DELETE}},
        {c - b / 2 - p - 18 * s, {NAV_SAVE, NAV_ROTATE_LEFT, NAV_ROTATE_RIGHT}},
        {c + b / 2 + 22 * s, {NAV_ZOOM_OUT, NAV_ZOOM_IN, NAV_DISPLAY_OPTION}},
        {c + b / 2 + p + 40 * s + 2 * s, {NAV_MUSIC, NAV_OPTION, NAV_FULL_SCREEN}},
    };
    for (const auto& group : groups)
        for (int i = 0; i < 3; ++i)
            out.buttons[group.buttons[i]] = At(group.first + 39 * s * i, top, side, side);

    out.background = At(c - b / 2, (h - in.backgroundHeight * s) / 2, b, in.backgroundHeight * s);
    // A separator is centred in the gap between the two groups of a side.
    const float groupWidth = side + 2 * 39 * s;
    const float gaps[2] = {(groups[0].first + groupWidth + groups[1].first) / 2,
                           (groups[2].first + groupWidth + groups[3].first) / 2};
    for (int i = 0; i < 2; ++i)
        out.separators[i] = At(gaps[i] - p / 2, (h - in.separatorHeight * s) / 2, p, in.separatorHeight * s);

    const float closeRight = in.width - (h - side) / 2, closeWidth = in.closeWidth * s;
    if (in.closeShown)
        out.buttons[NAV_CLOSE] = At(closeRight - closeWidth, top, closeWidth, side);
    if (in.folderShown) {
        const float folderRight = in.closeShown ? closeRight - closeWidth - 10 * s : closeRight;
        out.buttons[NAV_FOLDER] = At(folderRight - side, top, side, side);
    }
    return out;
}

} // namespace viewer

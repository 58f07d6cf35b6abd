#include "ViewerLayout.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace viewer {

float ScreenScale(int workAreaWidth)
{
    return std::max(1.0f, workAreaWidth / 1920.0f);
}

int NavBarRowHeight(int workAreaWidth)
{
    return static_cast<int>(80 * ScreenScale(workAreaWidth));
}

SIZE StripCellSize(int workAreaWidth)
{
    const float s = ScreenScale(workAreaWidth);
    return SIZE{static_cast<LONG>(120 * s), static_cast<LONG>(100 * s)};
}

int NormalizeAngle(int degrees)
{
    int a = degrees % 360;
    if (a < 0)
        a += 360;
    return a;
}

static bool Turned(int angle)
{
    return angle == 90 || angle == 270;
}

bool LayoutPicture(PicturePlace& place, const PictureFrame& frame)
{
    int sw = frame.sourceWidth, sh = frame.sourceHeight;
    if (Turned(frame.angle))
        std::swap(sw, sh);
    place.width = static_cast<int>(sw * place.zoom);
    place.height = static_cast<int>(sh * place.zoom);
    const int fw = frame.fitRect.right - frame.fitRect.left;
    const int fh = frame.fitRect.bottom - frame.fitRect.top;
    bool fitted = false;
    if (frame.fitMode && fw > 0 && fh > 0 && place.width > 0 && place.height > 0) {
        if (place.width <= fw && place.height <= fh) {
            place.x = (fw - place.width) / 2;
            place.y = (fh - place.height) / 2;
        } else {
            const double aspect = static_cast<double>(place.width) / place.height;
            if (aspect > static_cast<double>(fw) / fh) {
                place.width = fw;
                place.height = std::max(1, static_cast<int>(fw / aspect));
                place.x = 0;
                place.y = (fh - place.height) / 2;
            } else {
                place.height = fh;
                place.width = std::max(1, static_cast<int>(fh * aspect));
                place.y = 0;
                place.x = (fw - place.width) / 2;
            }
        }
        place.x += frame.fitRect.left;
        place.y += frame.fitRect.top;
        // The zoom of the sides as displayed: after a quarter turn the displayed width is the
        // source's height.
        if (sw > 0)
            place.zoom = static_cast<float>(place.width) / sw;
        fitted = true;
    } else {
        if (place.width < frame.clientWidth || frame.keepCentred)
            place.x = (frame.clientWidth - place.width) / 2;
        if (place.height < frame.clientHeight || frame.keepCentred)
            place.y = (frame.clientHeight - place.height) / 2;
    }
    if (place.zoom != 0) {
        place.centreX = static_cast<int>((frame.clientWidth / 2 - place.x) / place.zoom);
        place.centreY = static_cast<int>((frame.clientHeight / 2 - place.y) / place.zoom);
    }
    return fitted;
}

float ZoomInStep(float zoom)
{
    return zoom < 100.0f ? zoom * 1.1f : zoom;
}

float ZoomOutStep(float zoom, int sourceWidth, int sourceHeight)
{
    if (static_cast<int>(sourceWidth * (zoom - 0.1f)) < 10 || static_cast<int>(sourceHeight * (zoom - 0.1f)) < 10)
        return zoom;
    return zoom / 1.1f;
}

void ZoomAboutCentre(PicturePlace& place, const PictureFrame& frame, bool leavingFit)
{
    if (leavingFit) {
        int sw = frame.sourceWidth, sh = frame.sourceHeight;
        if (Turned(frame.angle))
            std::swap(sw, sh);
        place.centreX = sw / 2;
        place.centreY = sh / 2;
    }
    place.x = static_cast<int>(frame.clientWidth / 2 - place.centreX * place.zoom);
    place.y = static_cast<int>(frame.clientHeight / 2 - place.centreY * place.zoom);
}

StripWindow PlaceStripWindow(const StripWindow& old, bool dirty, int current, int count,
                             int direction, int usableHeight, int thumbHeight)
{
    StripWindow w = old;
    w.rows = std::max(0, usableHeight / (thumbHeight + kStripGap));
    if (current < old.first || current >= old.end)
        dirty = true;
    if (!dirty)
        return w;
    const int span = 2 * w.rows;
    if (direction < 0) {
        w.first = std::max(0, current - span + 1);
        w.end = std::min(count, w.first + span);
    } else {
        w.end = std::min(count, std::max(current, 0) + span);
        w.first = std::max(0, w.end - span);
    }
    w.middle = w.first + (w.end - w.first) / 2;
    return w;
}

void LayoutStripCells(std::vector<StripCell>& cells, const StripWindow& window, int current,
                      int clientWidth, int usableHeight, SIZE thumb)
{
    cells.clear();
    const int step = thumb.cy + kStripGap;
    const int y0 = (kStripGap + usableHeight - step * window.rows) / 2;
    for (int i = window.first; i < window.end; ++i) {
        const bool left = i < window.middle;
        const int row = left ? i - window.first : i - window.middle;
        const int x = left ? kStripMargin : clientWidth - kStripMargin - thumb.cx;
        StripCell cell{{x, y0 + row * step, x + thumb.cx, y0 + row * step + thumb.cy}, i};
        if (i == current) {
            cell.rect.top -= thumb.cy / 8;
            cell.rect.bottom += thumb.cy / 8;
            if (left)
                cell.rect.right += thumb.cx / 4;
            else
                cell.rect.left -= thumb.cx / 4;
        }
        cells.push_back(cell);
    }
}

bool InPreviousZone(POINT pt, const ZoneFrame& f)
{
    if (f.freeView || pt.x < 0)
        return false;
    int edge = f.clientWidth / 10;
    if (f.stripShown) {
        if (pt.x <= kStripMargin + f.thumbWidth)
            return false;
        edge += kStripMargin + f.thumbWidth;
    }
    return pt.x < std::max(edge, static_cast<int>(f.picture.left) - 10);
}

bool InNextZone(POINT pt, const ZoneFrame& f)
{
    if (f.freeView || pt.x >= f.clientWidth)
        return false;
    int edge = f.clientWidth - f.clientWidth / 10;
    if (f.stripShown) {
        if (pt.x >= f.clientWidth - kStripMargin - f.thumbWidth)
            return false;
        edge -= f.thumbWidth + kStripMargin;
    }
    return pt.x >= std::min(edge, static_cast<int>(f.picture.right) + 10);
}

RECT StripBadgeRect(unsigned stateBit, const RECT& cell, SIZE badge)
{
    switch (stateBit) {
    case 0x80: return RECT{cell.right - badge.cx, cell.top, cell.right, cell.top + badge.cy};
    case 0x40: return RECT{cell.left, cell.top, cell.left + badge.cx, cell.top + badge.cy};
    case 0x100: return RECT{cell.right - badge.cx, cell.bottom - badge.cy, cell.right, cell.bottom};
    default: return RECT{};
    }
}

unsigned StripBadgeBits(unsigned state)
{
    unsigned bits = state & (0x40 | 0x80 | 0x100);
    if (bits & 0x80)
        bits &= ~0x40u;
    return bits;
}

int StripHitTest(POINT pt, const std::vector<StripCell>& cells, int count, const ZoneFrame& f)
{
    if (!f.stripShown || pt.x < kStripMargin || pt.x > f.clientWidth - kStripMargin)
        return -1;
    // The current cell reaches a quarter of a cell towards the picture.
    const int reach = f.thumbWidth + f.thumbWidth / 4;
    if (pt.x > kStripMargin + reach && pt.x < f.clientWidth - kStripMargin - reach)
        return -1;
    for (int i = 0; i < count && i < static_cast<int>(cells.size()); ++i) {
        if (PtInRect(&cells[i].rect, pt))
            return cells[i].index;
    }
    return -1;
}

static RECT Offset(RECT rc, int dx)
{
    OffsetRect(&rc, dx, 0);
    return rc;
}

void SlideRects(int step, int clientWidth, int direction, const RECT& previous, const RECT& next,
                RECT& previousOut, RECT& nextOut)
{
    const int moved = step * clientWidth / kTransitionSteps;
    previousOut = Offset(previous, -moved * direction);
    nextOut = Offset(next, direction * (clientWidth - moved));
}

void GrowRects(int step, const RECT& previous, const RECT& next, RECT& previousOut, RECT& nextOut)
{
    const int nw = next.right - next.left, nh = next.bottom - next.top;
    nextOut = RECT{next.left, next.top, next.left + nw * step / kTransitionSteps,
                   next.top + nh * step / kTransitionSteps};
    const int pw = (previous.right - previous.left) * (kTransitionSteps - step) / kTransitionSteps;
    const int ph = (previous.bottom - previous.top) * (kTransitionSteps - step) / kTransitionSteps;
    previousOut = RECT{previous.right - pw, previous.bottom - ph, previous.right, previous.bottom};
}

unsigned FrameIntervalMs(unsigned delayHundredths)
{
    return std::max(10u, delayHundredths) * 10;
}

std::wstring AniBarCaption(int frames, unsigned delayHundredths)
{
    wchar_t text[64];
    swprintf(text, 64, L"%dF x %.2fs", frames, std::max(10u, delayHundredths) * 0.01);
    return text;
}

bool IsQuickMove(unsigned now, unsigned lastNavigate)
{
    return now - lastNavigate < kQuickNavigateMs;
}

bool WheelMayStep(unsigned now, unsigned lastWheel)
{
    return now - lastWheel >= kWheelStepMs;
}

KeyAction KeyToAction(UINT vk, bool ctrl)
{
    struct Row {
        UINT vk;
        KeyAction withCtrl, plain;
    };
    static const Row rows[] = {
        {VK_LEFT, KeyAction::RotateLeft, KeyAction::Previous},
        {VK_UP, KeyAction::ZoomIn, KeyAction::Previous},
        {VK_RIGHT, KeyAction::RotateRight, KeyAction::Next},
        {VK_DOWN, KeyAction::ZoomOut, KeyAction::Next},
        {VK_PRIOR, KeyAction::None, KeyAction::Previous},
        {VK_NEXT, KeyAction::None, KeyAction::Next},
        {VK_HOME, KeyAction::None, KeyAction::First},
        {VK_END, KeyAction::None, KeyAction::Last},
        {'S', KeyAction::Save, KeyAction::None},
        {VK_RETURN, KeyAction::None, KeyAction::ToggleFullScreen},
        {VK_SPACE, KeyAction::None, KeyAction::SlideShow},
        {VK_DELETE, KeyAction::None, KeyAction::Delete},
        {VK_ESCAPE, KeyAction::None, KeyAction::Escape},
    };
    for (const Row& r : rows) {
        if (r.vk == vk)
            return ctrl ? r.withCtrl : r.plain;
    }
    return KeyAction::None;
}

static double Distance(POINT a, POINT b)
{
    return std::hypot(static_cast<double>(a.x - b.x), static_cast<double>(a.y - b.y));
}

TouchAction TouchGestures::Feed(const TouchRecord& r, bool freeView)
{
    const int n = std::min(std::max(r.count, 0), 5);
    switch (r.event) {
    case TouchEvent::Down:
        if (!m_down) {
            m_start = r.points[0];
            m_swiped = false;
        }
        m_down = true;
        for (int i = 0; i < n; ++i) {
            m_first[i] = m_latest[i] = r.points[i];
            m_hasFirst[i] = m_active[i] = true;
        }
        if (n > 1)
            m_multi = true;
        return TouchAction::None;
    case TouchEvent::Move: {
        m_twoFingers = n > 1;
        if (n > 1)
            m_multi = true;
        for (int i = 0; i < n; ++i) {
            if (!m_hasFirst[i]) {
                m_first[i] = r.points[i];
                m_hasFirst[i] = m_active[i] = true;
            }
            m_latest[i] = r.points[i];
        }
        if (m_active[0] && m_active[1]) {
            const double before = Distance(m_first[0], m_first[1]);
            const double now = Distance(m_latest[0], m_latest[1]);
            if (std::fabs(now - before) > 10) {
                m_first[0] = m_latest[0];
                m_first[1] = m_latest[1];
                return now > before ? TouchAction::ZoomIn : TouchAction::ZoomOut;
            }
            return TouchAction::None;
        }
        // One finger: a horizontal swipe of more than 100 pixels moves once per touch.
        if (m_down && !m_multi && !freeView && !m_swiped && n > 0) {
            const int dx = r.points[0].x - m_start.x;
            if (std::abs(dx) > 100) {
                m_swiped = true;
                return dx > 0 ? TouchAction::Previous : TouchAction::Next;
            }
        }
        return TouchAction::None;
    }
    case TouchEvent::Up:
        *this = TouchGestures();
        return TouchAction::None;
    }
    return TouchAction::None;
}

} // namespace viewer

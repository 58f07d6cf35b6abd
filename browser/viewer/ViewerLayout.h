#pragma once
// The picture viewer's arithmetic, apart from its windows: the scale of the screen, where the
// picture goes (fitted or free), the zoom steps, the thumbnail strip down both sides, the click
// zones, the transition rectangles, the keys and the touch gestures.
#include <windows.h>
#include <string>
#include <vector>

namespace viewer {

// Screen scale: the work area's width over 1920, never below 1.
float ScreenScale(int workAreaWidth);
int NavBarRowHeight(int workAreaWidth);
SIZE StripCellSize(int workAreaWidth);

const int kStripMargin = 15; // a column's distance from the window's edge
const int kStripGap = 22;    // vertical gap between cells

// Where the shown picture sits. zoom is displayed pixels per source pixel; (centreX, centreY)
// is the client centre in source pixels, kept so that a zoom stays about the centre.
struct PicturePlace {
    float zoom = 1.0f;
    int x = 0, y = 0;
    int centreX = 0, centreY = 0;
    int width = 0, height = 0;
};

struct PictureFrame {
    int sourceWidth = 0, sourceHeight = 0;
    int angle = 0;             // 0, 90, 180 or 270
    bool fitMode = true;       // shrink to fit, never enlarge
    bool keepCentred = false;  // centre even on the axes where the picture is larger
    RECT fitRect = {};
    int clientWidth = 0, clientHeight = 0;
};

// Quarter turns kept in 0..270.
int NormalizeAngle(int degrees);
// Lays the picture out; in fit mode the zoom becomes the fitted one. Returns true when the
// layout fitted the picture (the caller leaves free view then).
bool LayoutPicture(PicturePlace& place, const PictureFrame& frame);

// Zoom steps of 10 %: in stops at 100, out before either side gets below 10 pixels.
float ZoomInStep(float zoom);
float ZoomOutStep(float zoom, int sourceWidth, int sourceHeight);
// After a zoom change: leaving fit mode zooms about the picture's middle, else about the kept
// centre; the picture is placed so that the centre stays in the middle of the client.
void ZoomAboutCentre(PicturePlace& place, const PictureFrame& frame, bool leavingFit);

// The strip: list items first..end-1 shown, first..middle-1 in the left column.
struct StripWindow {
    int first = 0, end = 0, middle = 0, rows = 0;
};
// direction +1 after a move forward, -1 after a move back; dirty forces a new window.
StripWindow PlaceStripWindow(const StripWindow& old, bool dirty, int current, int count,
                             int direction, int usableHeight, int thumbHeight);

struct StripCell {
    RECT rect;
    int index;
};
// Cells of the window's items; the current one is enlarged towards the picture.
void LayoutStripCells(std::vector<StripCell>& cells, const StripWindow& window, int current,
                      int clientWidth, int usableHeight, SIZE thumb);

// Where a state badge of a strip cell goes: the downloading mark (0x80) at the cell's top right,
// the not-downloaded mark (0x40) at its top left, the failure mark (0x100) at its bottom right.
// Empty for any other bit.
RECT StripBadgeRect(unsigned stateBit, const RECT& cell, SIZE badge);
// The badge bits a strip cell of that item state shows, as the list shows them: an item on its
// way shows the downloading mark instead of the not-downloaded one.
unsigned StripBadgeBits(unsigned state);

// Click zones beside the picture (previous on the left, next on the right) and the strip's hit
// test. stripShown: the strip is visible and no start-up picture is pending.
struct ZoneFrame {
    int clientWidth = 0, clientHeight = 0;
    int thumbWidth = 0;
    bool stripShown = true;
    bool freeView = false;
    RECT picture = {};
};
bool InPreviousZone(POINT pt, const ZoneFrame& frame);
bool InNextZone(POINT pt, const ZoneFrame& frame);
int StripHitTest(POINT pt, const std::vector<StripCell>& cells, int count, const ZoneFrame& frame);

// Transitions run 8 steps (0..7 drawn, 8 the final picture). Each gives the rectangles the
// previous and the new picture are drawn into at the step.
const int kTransitionSteps = 8;
void SlideRects(int step, int clientWidth, int direction, const RECT& previous, const RECT& next,
                RECT& previousOut, RECT& nextOut);
void GrowRects(int step, const RECT& previous, const RECT& next, RECT& previousOut, RECT& nextOut);

// Animation: a frame delay in hundredths of a second, at least 10.
unsigned FrameIntervalMs(unsigned delayHundredths);
std::wstring AniBarCaption(int frames, unsigned delayHundredths);

// Navigation timing: moves closer than this give no transition; the wheel steps at most this often.
const unsigned kQuickNavigateMs = 600;
const unsigned kWheelStepMs = 150;
bool IsQuickMove(unsigned now, unsigned lastNavigate);
bool WheelMayStep(unsigned now, unsigned lastWheel);

// What a key does in the picture window.
enum class KeyAction {
    None, Previous, Next, First, Last, ZoomIn, ZoomOut, RotateLeft, RotateRight, Save,
    ToggleFullScreen, SlideShow, Delete, Escape
};
KeyAction KeyToAction(UINT vk, bool ctrl);

// Touch: records of up to five inputs, fed one event at a time.
enum class TouchEvent { Down, Move, Up };
struct TouchRecord {
    TouchEvent event = TouchEvent::Down;
    int count = 0;
    POINT points[5] = {};
};
enum class TouchAction { None, ZoomIn, ZoomOut, Previous, Next };

class TouchGestures {
public:
    // freeView: the user is zooming or dragging, so a swipe does not navigate.
    TouchAction Feed(const TouchRecord& record, bool freeView);
    bool IsDown() const { return m_down; }
    bool IsMultiTouch() const { return m_multi; }
    // Two fingers moved: the caller leaves free view.
    bool TwoFingers() const { return m_twoFingers; }

private:
    POINT m_start = {};
    POINT m_first[5] = {};
    POINT m_latest[5] = {};
    bool m_hasFirst[5] = {};
    bool m_active[5] = {};
    bool m_down = false;
    bool m_multi = false;
    bool m_swiped = false;
    bool m_twoFingers = false;
};

} // namespace viewer

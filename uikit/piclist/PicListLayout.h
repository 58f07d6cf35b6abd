#pragma once
// The picture list's arithmetic apart from its window: the grid of cells for a client size and
// the strip of tool buttons with its hit tests.
#include <windows.h>
#include <vector>
#include "ZVUILibDef.h"

// Space above the first row and between rows.
const int kListRowGap = 10;

struct KQListLayoutInput {
    int clientWidth = 0, clientHeight = 0; // the list's area, without the tool strip
    int scrollBarWidth = 0;
    int cellWidth = 0, cellHeight = 0;
    int itemCount = 0;
    int scrollPos = 0;                     // asked for; the result holds it clamped
};

struct KQListLayout {
    int width = 0;           // the width the columns share (the client less a needed scroll bar)
    int columns = 1, gap = kListRowGap, left = 0; // left: x of the first column
    int pitch = 0;           // cell height + row gap
    int rows = 0, contentHeight = kListRowGap;
    bool scrollBar = false;
    int scrollPos = 0;
    // The rows that show: the first, its y (0 or above the top), how many, and the entries.
    int firstRow = 0, firstRowY = 0, visibleRows = 0, firstIndex = -1, visibleCount = 0;
};

// The position clamped to 0 .. content - client + 1; 0 when the content fits.
ZVUILIB_API int ClampListScroll(int pos, int contentHeight, int clientHeight);
// Columns and gap: the wide layout (gaps of 100) unless it would leave gaps wider than a cell,
// then the narrow one (gaps of 10); a gap is never below 10. The scroll bar is taken off the
// width only when the content needs it.
ZVUILIB_API KQListLayout ComputeListLayout(const KQListLayoutInput& in);
// The visible rows of a layout for a scroll position (fills the second group of fields).
ZVUILIB_API void ComputeVisibleRange(KQListLayout& layout, int clientHeight, int itemCount);
// The cell rectangle of the visible entry index (list coordinates).
ZVUILIB_API RECT ListCellRect(const KQListLayout& layout, int index, int cellWidth, int cellHeight);
// The row pitch and the scroll position kept on a row boundary after a change of cell height.
ZVUILIB_API int ListScrollAfterPitchChange(int pos, int pitch);

// The picture box and text box of a cell.
struct KQCellBoxes {
    RECT picture, text;
};
// listMode: square picture at the left, text beside; else the text lines at the bottom.
ZVUILIB_API KQCellBoxes ComputeCellBoxes(const RECT& cell, bool listMode, bool anyText, int textLines, int lineHeight);

// Where the tool strip lies.
enum KQ_LIST_TOOLBAR_TYPE { KQ_TOOLBAR_NONE = 0, KQ_TOOLBAR_TOP = 1, KQ_TOOLBAR_BOTTOM = 2 };
// How its buttons are placed: 1 from the left, any other value centred.
enum KQ_BT_ALIGN { KQ_BT_ALIGN_CENTER = 0, KQ_BT_ALIGN_LEFT = 1 };

struct KQStripGeometry {
    int stripWidth = 0;
    int buttonWidth = 24, buttonHeight = 24;
    int margin = 8, space = 40;
    int align = KQ_BT_ALIGN_CENTER;
};
// The buttons' rectangles in strip coordinates; textWidths (empty when no text is shown) widen
// each by the margin and its text.
ZVUILIB_API std::vector<RECT> LayoutStripButtons(const KQStripGeometry& g, int count, const std::vector<int>& textWidths);
// Whether a point of the window's client area (y) lies in the strip; listHeight is the height of
// the item area, stripHeight the strip's. The strip's rows are listHeight .. (bottom) or
// 0 .. stripHeight - 1 (top).
ZVUILIB_API bool PointInStrip(int type, int y, int listHeight, int stripHeight);

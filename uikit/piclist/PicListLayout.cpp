#include "PicListLayout.h"
#include <algorithm>

int ClampListScroll(int pos, int contentHeight, int clientHeight)
{
    if (contentHeight <= clientHeight)
        return 0;
    return std::max(0, std::min(pos, contentHeight - clientHeight + 1));
}

namespace {
struct Columns {
    int columns, gap;
};

Columns FitColumns(int width, int cellWidth, int between)
{
    const int columns = (width - between) / (cellWidth + between);
    if (columns < 2)
        return {std::max(columns, 1), (width - cellWidth) / 2};
    return {columns, width / columns - cellWidth};
}

// The columns for one width; the wide layout only while its gaps stay narrower than a cell.
Columns ChooseColumns(int width, int cellWidth)
{
    const Columns wide = FitColumns(width, cellWidth, 100);
    const Columns narrow = FitColumns(width, cellWidth, 10);
    Columns chosen = (wide.columns + 1) * wide.gap >= cellWidth ? narrow : wide;
    chosen.gap = std::max(chosen.gap, 10);
    return chosen;
}
} // namespace

KQListLayout ComputeListLayout(const KQListLayoutInput& in)
{
    KQListLayout out;
    out.pitch = in.cellHeight + kListRowGap;
    const int count = std::max(in.itemCount, 0);
    for (int pass = 0; pass < 2; ++pass) {
        out.width = in.clientWidth - (pass == 0 ? in.scrollBarWidth : 0);
        const Columns c = ChooseColumns(out.width, std::max(in.cellWidth, 1));
        out.columns = c.columns;
        out.gap = c.gap;
        out.rows = (count + out.columns - 1) / out.columns;
        out.contentHeight = out.rows * out.pitch + kListRowGap;
        out.scrollBar = in.clientHeight < out.contentHeight;
        if (out.scrollBar || in.scrollBarWidth == 0)
            break;
    }
    // A single column stands in the middle; several share the width with half a gap at each side.
    out.left = out.columns == 1 ? std::max((out.width - in.cellWidth) / 2, out.gap / 2) : out.gap / 2;
    out.scrollPos = out.scrollBar ? ClampListScroll(in.scrollPos, out.contentHeight, in.clientHeight) : 0;
    ComputeVisibleRange(out, in.clientHeight, count);
    return out;
}

void ComputeVisibleRange(KQListLayout& layout, int clientHeight, int itemCount)
{
    layout.firstIndex = -1;
    layout.visibleCount = 0;
    layout.visibleRows = 0;
    if (layout.pitch <= 0 || clientHeight <= 0)
        return;
    // The content starts one row gap down: position p shows content row (p - 10) / pitch.
    const int offset = layout.scrollPos - kListRowGap;
    const int into = ((offset % layout.pitch) + layout.pitch) % layout.pitch;
    layout.firstRow = offset < 0 ? 0 : offset / layout.pitch;
    layout.firstRowY = offset < 0 ? -offset : -into;
    const int span = clientHeight - layout.firstRowY;
    layout.visibleRows = span <= 0 ? 0 : (span + layout.pitch - 1) / layout.pitch;
    const int first = layout.firstRow * layout.columns;
    const int last = std::min(itemCount, (layout.firstRow + layout.visibleRows) * layout.columns);
    if (first < last) {
        layout.firstIndex = first;
        layout.visibleCount = last - first;
    }
}

RECT ListCellRect(const KQListLayout& layout, int index, int cellWidth, int cellHeight)
{
    const int columns = std::max(layout.columns, 1);
    const int row = index / columns - layout.firstRow, column = index % columns;
    RECT r;
    r.left = layout.left + column * (cellWidth + layout.gap);
    r.top = layout.firstRowY + row * layout.pitch;
    r.right = r.left + cellWidth;
    r.bottom = r.top + cellHeight;
    return r;
}

int ListScrollAfterPitchChange(int pos, int pitch)
{
    if (pitch <= 0 || pos <= kListRowGap)
        return 0;
    return (pos - kListRowGap) / pitch * pitch;
}

KQCellBoxes ComputeCellBoxes(const RECT& cell, bool listMode, bool anyText, int textLines, int lineHeight)
{
    KQCellBoxes boxes = {cell, cell};
    if (!anyText) {
        boxes.text.top = boxes.text.bottom = cell.bottom;
        return boxes;
    }
    if (listMode) {
        const int side = cell.bottom - cell.top;
        boxes.picture.right = cell.left + side;
        boxes.text.left = boxes.picture.right + 5;
        return boxes;
    }
    boxes.picture.bottom = cell.bottom - textLines * lineHeight;
    boxes.text.top = boxes.picture.bottom;
    return boxes;
}

std::vector<RECT> LayoutStripButtons(const KQStripGeometry& g, int count, const std::vector<int>& textWidths)
{
    std::vector<RECT> rects;
    // Centred, the texts count too: a row with texts would otherwise run off the right edge.
    int row = (g.buttonWidth + g.space) * count - g.space;
    for (int i = 0; i < count && size_t(i) < textWidths.size(); ++i)
        row += g.margin + textWidths[size_t(i)];
    int x = g.align == KQ_BT_ALIGN_LEFT ? g.margin : (g.stripWidth - row) / 2;
    for (int i = 0; i < count; ++i) {
        RECT r = {x, g.margin, x + g.buttonWidth, g.margin + g.buttonHeight};
        if (size_t(i) < textWidths.size())
            r.right += g.margin + textWidths[size_t(i)];
        rects.push_back(r);
        x = r.right + g.space;
    }
    return rects;
}

bool PointInStrip(int type, int y, int listHeight, int stripHeight)
{
    if (type == KQ_TOOLBAR_BOTTOM)
        return y >= listHeight;
    if (type == KQ_TOOLBAR_TOP)
        return y < stripHeight;
    return false;
}

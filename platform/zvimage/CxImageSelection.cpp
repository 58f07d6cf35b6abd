// CxImage: the selection mask and its bounding box.
#include "CxImage.h"
#include <algorithm>
#include <cstring>
#include <vector>
#include "MaskRaster.h"

using namespace zvimage;

bool CxImage::SelectionCreate()
{
    if (!IsValid())
        return false;
    if (m_selection)
        return true;
    m_selection.reset(static_cast<BYTE*>(std::calloc(1, static_cast<size_t>(m_width) * m_height)));
    m_info.selectionBox = RECT{0, 0, 0, 0};
    return m_selection != nullptr;
}

bool CxImage::SelectionDelete()
{
    m_selection.reset();
    m_info.selectionBox = RECT{0, 0, 0, 0};
    return true;
}

bool CxImage::SelectionClear(BYTE level)
{
    if (!SelectionCreate())
        return false;
    std::memset(m_selection.get(), level, static_cast<size_t>(m_width) * m_height);
    m_info.selectionBox = level ? RECT{0, static_cast<LONG>(m_height), static_cast<LONG>(m_width), 0} : RECT{0, 0, 0, 0};
    return true;
}

void CxImage::RecalcSelectionBox()
{
    RECT box = {LONG_MAX, 0, 0, LONG_MAX};
    bool any = false;
    const BYTE* m = m_selection.get();
    for (DWORD y = 0; m && y < m_height; ++y) {
        const BYTE* row = m + static_cast<size_t>(y) * m_width;
        long first = -1, last = -1;
        for (DWORD x = 0; x < m_width; ++x)
            if (row[x]) {
                if (first < 0)
                    first = x;
                last = x;
            }
        if (first < 0)
            continue;
        any = true;
        box.left = std::min<LONG>(box.left, first);
        box.right = std::max<LONG>(box.right, last + 1);
        box.bottom = std::min<LONG>(box.bottom, y);
        box.top = std::max<LONG>(box.top, y + 1);
    }
    m_info.selectionBox = any ? box : RECT{0, 0, 0, 0};
}

bool CxImage::SelectionAddRect(RECT rect, BYTE level)
{
    if (!SelectionCreate())
        return false;
    const long left = std::max<long>(0, std::min(rect.left, rect.right));
    const long right = std::min<long>(m_width, std::max(rect.left, rect.right));
    const long top = std::max<long>(0, std::min(rect.top, rect.bottom));
    const long bottom = std::min<long>(m_height, std::max(rect.top, rect.bottom));
    if (left >= right || top >= bottom)
        return false;
    for (long row = top; row < bottom; ++row) {
        BYTE* m = SelectionGetPointer(left, m_height - 1 - row);
        for (long x = left; x < right; ++x, ++m)
            *m = std::max(*m, level);
    }
    RecalcSelectionBox();
    return true;
}

bool CxImage::SelectionAddEllipse(RECT rect, BYTE level)
{
    if (!SelectionCreate())
        return false;
    const long left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
    const long top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
    const bool touched = FillEllipse(m_selection.get(), m_width, m_height, left, static_cast<long>(m_height) - bottom,
                                     right, static_cast<long>(m_height) - top, level);
    RecalcSelectionBox();
    return touched;
}

bool CxImage::SelectionAddPolygon(const POINT* points, long count, BYTE level)
{
    if (!points || count < 1 || !SelectionCreate())
        return false;
    std::vector<ZVPOINTF> fpoints(count);
    for (long i = 0; i < count; ++i)
        fpoints[i] = ZVPOINTF{static_cast<float>(points[i].x), static_cast<float>(points[i].y)};
    const bool touched = FillPolygon(m_selection.get(), m_width, m_height, fpoints.data(), count, level);
    RecalcSelectionBox();
    return touched;
}

bool CxImage::SelectionCopy(const CxImage& from)
{
    if (!from.m_selection || from.m_width != m_width || from.m_height != m_height)
        return false;
    if (!SelectionCreate())
        return false;
    std::memcpy(m_selection.get(), from.m_selection.get(), static_cast<size_t>(m_width) * m_height);
    m_info.selectionBox = from.m_info.selectionBox;
    return true;
}

BYTE CxImage::SelectionGet(long x, long y) const
{
    if (!m_selection || !IsInside(x, y))
        return 0;
    return m_selection.get()[static_cast<size_t>(y) * m_width + x];
}

BYTE* CxImage::SelectionGetPointer(long x, long y) const
{
    if (!m_selection || !IsInside(x, y))
        return nullptr;
    return m_selection.get() + static_cast<size_t>(y) * m_width + x;
}

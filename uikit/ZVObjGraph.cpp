#include "ZVObjGraph.h"
#include <algorithm>

CZVObjGraph::~CZVObjGraph() = default;

void CZVObjGraph::SetGraphObjPos(int x, int y)
{
    m_ptPos.x = x;
    m_ptPos.y = y;
}

void CZVObjGraph::SetGraphObjPos(POINT pt)
{
    m_ptPos = pt;
}

void CZVObjGraph::Canvas_to_Layer(POINT& pt) const
{
    pt.x -= m_ptPos.x;
    pt.y -= m_ptPos.y;
}

void CZVObjGraph::Canvas_to_Layer(RECT& rc) const
{
    ::OffsetRect(&rc, -m_ptPos.x, -m_ptPos.y);
}

void CZVObjGraph::Layer_to_Canvas(POINT& pt) const
{
    pt.x += m_ptPos.x;
    pt.y += m_ptPos.y;
}

void CZVObjGraph::Layer_to_Canvas(RECT& rc) const
{
    ::OffsetRect(&rc, m_ptPos.x, m_ptPos.y);
}

RECT CZVObjGraph::CalcFitWindowSize(SIZE sz, RECT rc)
{
    // Widths in 64 bits: a rectangle spanning most of the int range stays positive.
    const long long W = static_cast<long long>(rc.right) - rc.left, H = static_cast<long long>(rc.bottom) - rc.top;
    if (sz.cx <= 0 || sz.cy <= 0 || W < 1 || H < 1)
        return RECT{0, 0, 0, 0};
    long long w = sz.cx, h = sz.cy;
    if (w > W || h > H) {
        const double s = std::min(static_cast<double>(W) / sz.cx, static_cast<double>(H) / sz.cy);
        w = std::max(1LL, static_cast<long long>(sz.cx * s));
        h = std::max(1LL, static_cast<long long>(sz.cy * s));
    }
    const long left = static_cast<long>(rc.left + (W - w) / 2), top = static_cast<long>(rc.top + (H - h) / 2);
    return RECT{left, top, static_cast<long>(left + w), static_cast<long>(top + h)};
}

#pragma once
// CZVObjGraph: an object's position on a canvas, with conversions between canvas and layer
// coordinates, and the fitting of a picture into a rectangle that the views and dialogs share.
#include <windows.h>
#include "ZVUILibDef.h"

class ZVUILIB_API CZVObjGraph {
public:
    CZVObjGraph() = default;
    CZVObjGraph(const CZVObjGraph& other) = default;
    CZVObjGraph& operator=(const CZVObjGraph& other) = default;
    virtual ~CZVObjGraph();

    void SetGraphObjPos(int x, int y);
    void SetGraphObjPos(POINT pt);
    POINT GetGraphObjPos() const { return m_ptPos; }

    void Canvas_to_Layer(POINT& pt) const;
    void Canvas_to_Layer(RECT& rc) const;
    void Layer_to_Canvas(POINT& pt) const;
    void Layer_to_Canvas(RECT& rc) const;

    // The rectangle of a picture of size sz centred in rc, shrunk to fit with its proportions
    // (never enlarged); empty (0, 0, 0, 0) for an empty or negative size or an empty rectangle.
    static RECT CalcFitWindowSize(SIZE sz, RECT rc);

protected:
    POINT m_ptPos = {0, 0};
};

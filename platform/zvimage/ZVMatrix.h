#pragma once
// A 2-D affine transform applied to row vectors: x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
// Prepend puts a new operation before the existing ones, append after them.
#include "ZVImageDef.h"

enum ZVMatrixOrder { ZVMatrixOrderPrepend = 0, ZVMatrixOrderAppend = 1 };

class ZVIMAGE_API CZVMatrix {
public:
    CZVMatrix() { Reset(); }
    CZVMatrix(float m11, float m12, float m21, float m22, float dx, float dy);
    void Reset();
    void Multiply(const CZVMatrix& other, ZVMatrixOrder order = ZVMatrixOrderPrepend);
    void Scale(float sx, float sy, ZVMatrixOrder order = ZVMatrixOrderPrepend);
    void Translate(float dx, float dy, ZVMatrixOrder order = ZVMatrixOrderPrepend);
    // Degrees, clockwise on a picture whose y grows downwards.
    void Rotate(float degrees, ZVMatrixOrder order = ZVMatrixOrderPrepend);
    void RotateAt(float degrees, const ZVPOINTF& centre, ZVMatrixOrder order = ZVMatrixOrderPrepend);
    void TransformPoints(ZVPOINTF* points, long count) const;
    ZVPOINTF TransformPoint(ZVPOINTF p) const;
    // m11, m12, m21, m22, dx, dy.
    void GetElements(float* elements) const;
    bool IsIdentity() const;

private:
    double m_m[6];
};

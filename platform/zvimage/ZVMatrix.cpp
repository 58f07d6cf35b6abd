// CZVMatrix: affine transforms in double precision, handed out in single precision.
#include "ZVMatrix.h"
#include <cmath>

namespace {

// a then b, for row vectors: the product a x b.
void Product(const double* a, const double* b, double* out)
{
    const double r[6] = {
        a[0] * b[0] + a[1] * b[2],        a[0] * b[1] + a[1] * b[3],
        a[2] * b[0] + a[3] * b[2],        a[2] * b[1] + a[3] * b[3],
        a[4] * b[0] + a[5] * b[2] + b[4], a[4] * b[1] + a[5] * b[3] + b[5]};
    for (int i = 0; i < 6; ++i)
        out[i] = r[i];
}

} // namespace

CZVMatrix::CZVMatrix(float m11, float m12, float m21, float m22, float dx, float dy)
    : m_m{m11, m12, m21, m22, dx, dy}
{
}

void CZVMatrix::Reset()
{
    m_m[0] = 1; m_m[1] = 0; m_m[2] = 0; m_m[3] = 1; m_m[4] = 0; m_m[5] = 0;
}

void CZVMatrix::Multiply(const CZVMatrix& other, ZVMatrixOrder order)
{
    if (order == ZVMatrixOrderAppend)
        Product(m_m, other.m_m, m_m);
    else
        Product(other.m_m, m_m, m_m);
}

void CZVMatrix::Scale(float sx, float sy, ZVMatrixOrder order)
{
    Multiply(CZVMatrix(sx, 0, 0, sy, 0, 0), order);
}

void CZVMatrix::Translate(float dx, float dy, ZVMatrixOrder order)
{
    Multiply(CZVMatrix(1, 0, 0, 1, dx, dy), order);
}

void CZVMatrix::Rotate(float degrees, ZVMatrixOrder order)
{
    const double t = degrees * 3.14159265358979323846 / 180.0;
    CZVMatrix r;
    const double c = std::cos(t), s = std::sin(t);
    r.m_m[0] = c; r.m_m[1] = s; r.m_m[2] = -s; r.m_m[3] = c;
    Multiply(r, order);
}

void CZVMatrix::RotateAt(float degrees, const ZVPOINTF& centre, ZVMatrixOrder order)
{
    // Move the centre to the origin, turn, move back: one operation in either order.
    CZVMatrix op;
    op.Translate(-centre.x, -centre.y, ZVMatrixOrderAppend);
    op.Rotate(degrees, ZVMatrixOrderAppend);
    op.Translate(centre.x, centre.y, ZVMatrixOrderAppend);
    Multiply(op, order);
}

ZVPOINTF CZVMatrix::TransformPoint(ZVPOINTF p) const
{
    return ZVPOINTF{static_cast<float>(p.x * m_m[0] + p.y * m_m[2] + m_m[4]),
                    static_cast<float>(p.x * m_m[1] + p.y * m_m[3] + m_m[5])};
}

void CZVMatrix::TransformPoints(ZVPOINTF* points, long count) const
{
    for (long i = 0; points && i < count; ++i)
        points[i] = TransformPoint(points[i]);
}

void CZVMatrix::GetElements(float* elements) const
{
    for (int i = 0; i < 6; ++i)
        elements[i] = static_cast<float>(m_m[i]);
}

bool CZVMatrix::IsIdentity() const
{
    return m_m[0] == 1 && m_m[1] == 0 && m_m[2] == 0 && m_m[3] == 1 && m_m[4] == 0 && m_m[5] == 0;
}

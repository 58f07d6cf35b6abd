#include "KQImageFile.h"
#include <algorithm>

namespace {
long Width(const RECT& r)
{
    return r.right - r.left;
}
long Height(const RECT& r)
{
    return r.bottom - r.top;
}

void DrawInto(const CZVImage& picture, HDC dc, const RECT& rect)
{
    if (dc)
        picture.Draw(dc, rect, nullptr, true);
}

// The busy flag for the length of a draw.
class BusyScope {
public:
    explicit BusyScope(std::atomic<bool>& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::atomic<bool>& m_busy;
};
} // namespace

RECT FitPictureRect(long width, long height, const RECT& box)
{
    RECT fit = box;
    if (width <= 0 || height <= 0 || Width(box) <= 0 || Height(box) <= 0)
        return fit;
    const float scale = float(width) / float(height);
    long w, h;
    if (scale > float(Width(box)) / float(Height(box))) {
        w = Width(box);
        h = long(float(Width(box)) / scale);
    } else {
        h = Height(box);
        w = long(float(Height(box)) * scale);
    }
    if (w >= width && h >= height) {
        w = width;
        h = height;
    }
    fit.left = box.left + (Width(box) - w) / 2;
    fit.top = box.top + (Height(box) - h) / 2;
    fit.right = fit.left + w;
    fit.bottom = fit.top + h;
    return fit;
}

CKQImageFile::CKQImageFile() = default;

CKQImageFile::CKQImageFile(const CKQImageFile& src) : CZVImage(src)
{
    m_pSmallImage = src.m_pSmallImage ? new CZVImage(*src.m_pSmallImage) : nullptr;
    m_nAnimateSteps = src.m_nAnimateSteps;
    m_bAnimate = src.m_bAnimate.load();
}

// The scaled copy is copied, not shared: each picture frees its own.
CKQImageFile& CKQImageFile::operator=(const CKQImageFile& src)
{
    if (this == &src)
        return *this;
    CZVImage::operator=(src);
    ClearSmallImage();
    m_pSmallImage = src.m_pSmallImage ? new CZVImage(*src.m_pSmallImage) : nullptr;
    m_nAnimateSteps = src.m_nAnimateSteps;
    m_bAnimate = src.m_bAnimate.load();
    return *this;
}

CKQImageFile::~CKQImageFile()
{
    delete m_pSmallImage;
}

void CKQImageFile::DrawAutoFit(HDC dc, const RECT& box, RECT* used, bool animate)
{
    RECT rect = FitPictureRect(long(GetWidth()), long(GetHeight()), box);
    if (animate && m_nAnimateSteps >= 1) {
        const long dx = m_nAnimateSteps * (Width(rect) / 8) / 2, dy = m_nAnimateSteps * (Height(rect) / 8) / 2;
        InflateRect(&rect, -dx, -dy);
        DrawInto(*this, dc, rect);
        return;
    }
    if (used)
        *used = rect;
    if (m_bBusy) {
        DrawInto(*this, dc, rect);
        return;
    }
    BusyScope busy(m_bBusy);
    const long w = Width(rect), h = Height(rect);
    if (m_pSmallImage && long(m_pSmallImage->GetWidth()) == w && long(m_pSmallImage->GetHeight()) == h) {
        DrawInto(*m_pSmallImage, dc, rect);
    } else if (w >= long(GetWidth()) && h >= long(GetHeight())) {
        DrawInto(*this, dc, rect);
    } else if (m_pSmallImage && long(m_pSmallImage->GetWidth()) >= w && long(m_pSmallImage->GetHeight()) >= h) {
        DrawInto(*m_pSmallImage, dc, rect);
    } else if (w > 0 && h > 0) {
        delete m_pSmallImage;
        m_pSmallImage = new CZVImage;
        m_pSmallImage->Copy(*this);
        m_pSmallImage->Zoom(w, h);
        DrawInto(*m_pSmallImage, dc, rect);
    }
}

void CKQImageFile::DrawFullSupport(HDC dc, const RECT& box, bool animate)
{
    const long bw = Width(box), bh = Height(box);
    if (animate && m_nAnimateSteps >= 1) {
        RECT rect = box;
        const long d = m_nAnimateSteps * (bw / 8) / 2;
        InflateRect(&rect, -d, -d);
        DrawInto(m_pSmallImage ? *m_pSmallImage : *this, dc, rect);
        return;
    }
    if (m_bBusy) {
        DrawInto(*this, dc, box);
        return;
    }
    BusyScope busy(m_bBusy);
    if (m_pSmallImage && long(m_pSmallImage->GetWidth()) == bw && long(m_pSmallImage->GetHeight()) == bh) {
        DrawInto(*m_pSmallImage, dc, box);
    } else if (bw >= long(GetWidth()) && bh >= long(GetHeight())) {
        DrawInto(*this, dc, box);
    } else if (bw > 0 && bh > 0) {
        // Scaled so that it covers the box on both sides, then the overflow cut off evenly.
        const double scale = std::max(double(bw) / GetWidth(), double(bh) / GetHeight());
        const long cw = std::max(bw, long(GetWidth() * scale + 0.5)), ch = std::max(bh, long(GetHeight() * scale + 0.5));
        CZVImage covering;
        covering.Copy(*this);
        covering.Resample(cw, ch, 1);
        const long x = (long(covering.GetWidth()) - bw) / 2, y = (long(covering.GetHeight()) - bh) / 2;
        if (!m_pSmallImage)
            m_pSmallImage = new CZVImage;
        covering.Crop(x, y, x + bw, y + bh, m_pSmallImage);
        DrawInto(*m_pSmallImage, dc, box);
    }
}

void CKQImageFile::ClearSmallImage()
{
    while (m_bBusy)
        Sleep(20);
    delete m_pSmallImage;
    m_pSmallImage = nullptr;
}

void CKQImageFile::EnableAnimate()
{
    m_bAnimate = 1;
    m_nAnimateSteps = 8;
}

#include "BatchPreview.h"
#include "ImageMath.h"

CRect PictureBoxArea(CZVImageStatic& box)
{
    CRect area;
    box.GetWindowRect(&area);
    if (CWnd* parent = box.GetParent())
        parent->ScreenToClient(&area);
    return area;
}

void ShowPictureFitted(CZVImageStatic& box, const CRect& area, CZVImage& picture)
{
    CRect fitted = area;
    if (picture.IsValid())
        fitted = zvimage::FitRect(long(picture.GetWidth()), long(picture.GetHeight()), area, true);
    box.SetWindowPos(nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* parent = box.GetParent())
        parent->RedrawWindow(&area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (picture.IsValid())
        box.ShowPic(picture, true);
}

#pragma once
// CZVImageStatic: an owner-drawn static control (SS_OWNERDRAW) showing a picture file, a
// picture object or a PNG resource stretched over its client area, with an optional caption
// centred over it.
#include "SkinUI.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CZVImageStatic : public CStatic {
    DECLARE_DYNAMIC(CZVImageStatic)
public:
    CZVImageStatic() = default;
    ~CZVImageStatic() override;

    // Each of these redraws the parent (and this control with it) when bRedraw. Loading a file
    // or a resource clears the caption.
    bool ShowPic(const wchar_t* path, bool bRedraw);
    bool ShowPic(CZVImage& image, bool bRedraw);
    bool ShowPNGPic(unsigned int nResId, HINSTANCE hModule, bool bRedraw);
    // Whether a picture was shown.
    bool ClosePicFile();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CZVImage m_image;
    CString m_strText;   // the caption, set by the owner

private:
    void RedrawParent();
};

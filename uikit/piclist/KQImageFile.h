#pragma once
// CKQImageFile: the thumbnail of a list entry, with one copy scaled to the size it was last
// drawn at, so that repaints at an unchanged cell size draw without rescaling.
#include <windows.h>
#include <atomic>
#include <cstdint>
#include "ZVImage.h"
#include "ZVUILibDef.h"

// The rectangle a picture of width x height takes fitted into box, centred, never enlarged.
ZVUILIB_API RECT FitPictureRect(long width, long height, const RECT& box);

class ZVUILIB_API CKQImageFile : public CZVImage {
public:
    CKQImageFile();
    CKQImageFile(const CKQImageFile& src);
    CKQImageFile& operator=(const CKQImageFile& src);
    ~CKQImageFile() override;

    // A null dc only prepares the scaled copy.
    void DrawAutoFit(HDC dc, const RECT& box, RECT* used = nullptr, bool animate = false) override;
    void DrawFullSupport(HDC dc, const RECT& box, bool animate = false) override;
    // Waits while another thread draws the scaled copy, then drops it.
    void ClearSmallImage();
    void EnableAnimate();

    CZVImage* m_pSmallImage = nullptr; // owned
    int32_t m_nAnimateSteps = 0;
    std::atomic<uint8_t> m_bAnimate{0};
    std::atomic<bool> m_bBusy{false};
};

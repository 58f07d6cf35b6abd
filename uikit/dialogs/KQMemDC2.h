#pragma once
// CKQMemDC2: flicker-free drawing. Drawing goes to an off-screen bitmap of the target's clip
// box, in the target's coordinates, and is copied to the target when the object goes out of
// scope; on a printer it goes straight to the target. An empty clip box draws nowhere.
#include "AppFrame.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQMemDC2 : public CDC {
public:
    explicit CKQMemDC2(CDC* pDC);
    ~CKQMemDC2() override;
    CKQMemDC2(const CKQMemDC2&) = delete;
    CKQMemDC2& operator=(const CKQMemDC2&) = delete;

    // Whether drawing goes off-screen (false on a printer and for an empty clip box).
    BOOL IsMemDC() const { return m_bMemDC; }

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};

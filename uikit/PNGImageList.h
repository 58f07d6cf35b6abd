#pragma once
// CPNGImageList: a picture holding a horizontal strip of equal animation frames, drawn one
// frame at a time.
#include "AppFrame.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CPNGImageList : public CZVImage {
public:
    CPNGImageList() = default;
    CPNGImageList(const CPNGImageList& other) = default;
    CPNGImageList& operator=(const CPNGImageList& other) = default;
    ~CPNGImageList() override;

    // A frame count below 1 counts as 1 (the whole strip one frame).
    bool Load(int nFrames, unsigned int nResId, HINSTANCE hModule);
    bool Load(int nFrames, const wchar_t* path);
    // Splits the picture already held into the frames; the first is current.
    void LoadImageList(int nFrames);
    // The next frame, the first after the last.
    void OnTimer();
    // The current frame centred in rc.
    void DrawImage(HDC hdc, CRect rc);

    int GetCurFrame() const { return m_nCurFrame; }
    int GetFrameCount() const { return m_nFrameCount; }
    int GetFrameWidth() const { return m_nFrameWidth; }

protected:
    int m_nCurFrame = 0;
    int m_nFrameCount = 0;
    int m_nFrameWidth = 0;
};

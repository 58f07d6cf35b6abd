#include "PNGImageList.h"

CPNGImageList::~CPNGImageList() = default;

bool CPNGImageList::Load(int nFrames, unsigned int nResId, HINSTANCE hModule)
{
    if (!LoadPNG(nResId, hModule))
        return false;
    LoadImageList(nFrames);
    return true;
}

bool CPNGImageList::Load(int nFrames, const wchar_t* path)
{
    if (!path || !CxImage::Load(path, CXIMAGE_FORMAT_PNG))
        return false;
    LoadImageList(nFrames);
    return true;
}

void CPNGImageList::LoadImageList(int nFrames)
{
    m_nFrameCount = nFrames < 1 ? 1 : nFrames;
    m_nCurFrame = 0;
    m_nFrameWidth = static_cast<int>(GetWidth()) / m_nFrameCount;
}

void CPNGImageList::OnTimer()
{
    if (m_nFrameCount > 0)
        m_nCurFrame = (m_nCurFrame + 1) % m_nFrameCount;
}

void CPNGImageList::DrawImage(HDC hdc, CRect rc)
{
    if (!IsValid() || m_nFrameWidth <= 0)
        return;
    const int height = static_cast<int>(GetHeight());
    const int x = rc.left + (rc.Width() - m_nFrameWidth) / 2, y = rc.top + (rc.Height() - height) / 2;
    // The whole strip, moved so that the current frame lies in the clip.
    const RECT clip = {x, y, x + m_nFrameWidth, y + height};
    Draw(hdc, x - m_nCurFrame * m_nFrameWidth, y, -1, -1, &clip);
}

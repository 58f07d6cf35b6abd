#include "ToolHostTestFrame.h"
#include <cstring>

IMPLEMENT_DYNAMIC(CToolHostTestFrame, CFrameWnd)

CPicEditView* ToolHostTestFrameView(CWnd* frame)
{
    return &static_cast<CToolHostTestFrame*>(frame)->view;
}

bool SamePixels(const CZVImage& a, const CZVImage& b)
{
    if (!a.IsValid() || !b.IsValid() || a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() ||
        a.GetBpp() != b.GetBpp())
        return false;
    const size_t rowBytes = size_t(a.GetWidth()) * a.GetBpp() / 8;
    for (DWORD y = 0; y < a.GetHeight(); ++y)
        if (std::memcmp(a.GetBits(y), b.GetBits(y), rowBytes) != 0)
            return false;
    return true;
}

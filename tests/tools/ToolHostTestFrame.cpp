#include "ToolHostTestFrame.h"
#include <cstring>

IMPLEMENT_DYNAMIC(CToolHostTestFrame, CFrameWnd)

CPicEditView* ToolHostTestFrameView(CWnd* frame)
{
    return &static_cast<CToolHostTestFrame*>(frame)->view;
}


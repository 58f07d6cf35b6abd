#pragma once
#include "SamePicturePixels.h"
// A mode frame for the shared editing dialogs' tests: a frame window whose view is one edit view.
#include "AppFrame.h"
#include "PicEditView.h"

class CToolHostTestFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CToolHostTestFrame)
public:
    CPicEditView view;
};

// The view getter to register the frame class with.
CPicEditView* ToolHostTestFrameView(CWnd* frame);


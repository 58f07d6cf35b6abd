#pragma once
// CAniCtrlToolbar: the viewer's floating animation bar (step back, play from the start,
// play/pause, step forward); its caption gives the frame count and the frame delay. The viewer
// frame handles its commands.
#include "SkinUI.h"

class CAniCtrlToolbar : public CBCGPToolBar {
public:
    // Made floating and hidden over the frame.
    bool CreateFloating(CFrameWnd* frame);
    // Shows the bar with the caption at the bottom left of the picture area, or hides it.
    void Place(bool shown, const wchar_t* caption, const CRect& pictureArea, bool fullScreen);
};

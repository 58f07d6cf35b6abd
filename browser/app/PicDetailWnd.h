#pragma once
// CPicDetailWnd: the main bar's panel with the details of the picture focused in the list, or a
// placeholder picture when there is none. It paints into its own picture and copies it out.
#include "AppFrame.h"
#include "KQMemDC.h"
#include "ZVImage.h"
#include "PicDetailLayout.h"

class CKQListFile;

class CPicDetailWnd : public CStatic {
public:
    // placeholderId: a PNG resource of the module, 0 for none.
    void Init(UINT placeholderId = 0);
    void SetInfo(const CKQListFile* item);
    void SetDetails(const PicDetails& details);
    // The frame's details switch: off, a focused picture leaves the panel blank.
    void ShowText(bool show);
    void Paint();

    CKQMemDC memDC;
    CFont textFont;
    int charWidth = 0, charHeight = 0;
    int margin = 10;
    COLORREF backColour = RGB(255, 255, 255);
    COLORREF labelColour = RGB(0x48, 0x48, 0x48);
    COLORREF valueColour = RGB(0, 0, 0);
    CZVImage placeholder;
    int placeholderWidth = 0, placeholderHeight = 0;
    int clientWidth = 0, clientHeight = 0;
    PicDetails details;
    bool showText = true;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void MeasureChar();
};

#pragma once
// CChildFrame: the editor's window of one open picture, an MDI child filled by its picture edit
// view. It marks its title while the picture has unsaved changes, asks before it closes with
// changes, and hands the editor frame's tool settings to its view when it becomes active.
#include "BCGPMDIFrameWnd.h"
#include "PicEditView.h"

// The brush kind that a paint tool sets up, 0 for tools without a brush.
int BrushKindForTool(int tool);
// The brush cursor's hot spot for a brush of that size at that zoom.
int BrushCursorRadius(int size, float zoom);

class CChildFrame : public CBCGPMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // " *" after the title, once.
    void MarkTitle();
    // The stored title back after a save.
    void ClearTitleMark();
    // A new stored title (the file saved under a new name), unmarked.
    void SetDocumentTitle(const wchar_t* title);
    // The editor frame's tool, crop ratio and brush settings into the view; the layer list reloads.
    void HandOverTools();

    int32_t titleMarked = 0;
    CPicEditView view;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnFileClose();
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

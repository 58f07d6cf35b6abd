#pragma once
// The editor frame's new-picture commands with their update rules: File > New, Layer > New >
// Blank and File > From Camera. The frame keeps one as a member and offers it its commands
// first (from OnCmdMsg); what the commands need of the frame goes through INewPictureFrame.
#include "AppFrame.h"

class CPicEditView;

class INewPictureFrame {
public:
    virtual ~INewPictureFrame();
    // The edit view of the active picture window, or null.
    virtual CPicEditView* GetActiveEditView() = 0;
    // A new picture window, hidden until its picture is made; its view, or null.
    virtual CPicEditView* CreatePictureWindow() = 0;
    virtual void ShowPictureWindow(CPicEditView& view) = 0;
    // Closes the window of a picture that could not be made.
    virtual void DiscardPictureWindow(CPicEditView& view) = 0;
    // Opens a picture file in a picture window of its own; false when it could not be opened.
    virtual bool OpenFileInEditor(const wchar_t* path) = 0;
    // A picture opened from a file the program made itself (the camera's snapshot) takes the next
    // untitled name and counts as new: Save asks for a name instead of writing over that file.
    virtual void NameAsUntitled(CPicEditView& view) = 0;
    virtual void SelectPointerTool() = 0;
};

class CNewPictureCommands : public CCmdTarget {
public:
    explicit CNewPictureCommands(INewPictureFrame& frame) : m_frame(frame) {}

    afx_msg void OnFileNew();
    afx_msg void OnLayerNewBlank();
    afx_msg void OnFileFromCamera();
    afx_msg void OnUpdateLayerNewBlank(CCmdUI* pCmdUI);
    afx_msg void OnUpdateFileFromCamera(CCmdUI* pCmdUI);

protected:
    DECLARE_MESSAGE_MAP()

private:
    INewPictureFrame& m_frame;
};

#pragma once
// The editor frame's canvas and layer dialog commands: Image > Canvas size, View > Set the grid
// width, Layer > Insert new background > Blank, Layer > Export layer, Layer > Transform > Rotate,
// Layer > Rename layer and Layer > Options. Each runs its dialog through Dialogs() on the active
// picture view and applies the result; a command whose dialog is not available is not handled,
// so that the frame disables its item. The frame keeps one as a member and offers it its
// commands (from OnCmdMsg); the enable rules stay the frame's.
#include <functional>
#include "AppFrame.h"
#include "EditorDialogs.h"

class CPicEditView;

class CLayerDialogCommands : public CCmdTarget {
public:
    explicit CLayerDialogCommands(std::function<CPicEditView*()> activeView);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnCanvasSize();
    afx_msg void OnGridWidth();
    afx_msg void OnNewBackground();
    afx_msg void OnExportLayer();
    afx_msg void OnLayerRotate();
    afx_msg void OnRenameLayer();
    afx_msg void OnLayerOptions();

    // Where an exported layer goes: the save dialog for the type's filter (false: cancelled).
    // Replaceable, so that tests need no system dialog.
    std::function<bool(CWnd* parent, int type, CString& path)> chooseExportPath;
    // Tells the user something went wrong (a message box unless replaced).
    std::function<void(const CString& text)> tell;

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::function<CPicEditView*()> m_activeView;
};

// The dialog behind a command of the group; false for another command.
bool DialogOfLayerCommand(UINT id, EditorDialog& kind);

#pragma once
// What the ToolsDemo switches share: the editor's part (a frame whose client is one edit view
// showing a picture, registered as the editor) and the reading of their arguments.
#include <memory>
#include "AppFrame.h"
#include "PicEditView.h"

class CDemoEditorFrame : public CWnd {
    DECLARE_DYNAMIC(CDemoEditorFrame)
public:
    CPicEditView view;
};

// A visible frame (1000 x 720 unless said) with the picture, the application's main window;
// null (and said on stderr) when the window or the picture fails.
std::unique_ptr<CDemoEditorFrame> OpenDemoEditorFrame(const wchar_t* picture, const wchar_t* title, int width = 1000,
                                                      int height = 720);

// The argument after the switch, or null; whether the switch is given.
const wchar_t* SwitchValue(int argc, wchar_t** argv, const wchar_t* name);
bool HasSwitch(int argc, wchar_t** argv, const wchar_t* name);
// The language file of /lang NAME, when given.
void LoadDemoLanguage(int argc, wchar_t** argv);

#pragma once
// IEditorHost: what the picture edit view needs from the editor frame that hosts it. The editor
// frame registers itself while it exists; without a host the view keeps its own defaults (no
// fixed crop size, no status texts, default shape settings, no brush file).
#include <windows.h>
#include "AppFrame.h"
#include "ShapeSettings.h"

// Status-bar elements of the editor frame.
const UINT ID_STATUS_POSITION = 32963;
const UINT ID_STATUS_RECT = 32964;
// Posted to the colour target with lParam = the shape's outline colour.
const UINT WM_EDITOR_SHAPE_COLOUR = 0x8001;

// The editor frame's current tool and the settings its paint tools draw with.
struct EditorToolState {
    int tool = 0;
    float cropAspect = 0;   // height / width of the crop tool, 0 when free
    int penSize = 50;       // the pen option dialog's size, for the brush tools
};

class IEditorHost {
public:
    virtual ~IEditorHost() = default;
    // The crop options: the fixed size in picture pixels (-1 each when free), and the fields
    // that show the size being dragged.
    virtual int GetFixedCropWidth() = 0;
    virtual int GetFixedCropHeight() = 0;
    virtual void SetCropFields(int width, int height) = 0;
    virtual void SetStatusText(UINT element, const wchar_t* text) = 0;
    virtual void RefreshLayerList() = 0;
    virtual ShapeSettings GetShapeSettings() = 0;
    virtual void SetShapeSettings(const ShapeSettings& settings) = 0;
    // The line tool's pen: width, dash, line ends and alpha; a default line without settings.
    virtual ShapeSettings GetLineSettings() { return DefaultLineSettings(); }
    virtual void SetShapeSize(int width, int height) = 0;
    virtual void SelectDefaultTool() = 0;
    virtual void ShowShapeOptions() = 0;
    virtual CStringW GetBrushFile() = 0;
    virtual HWND GetColourTarget() = 0;
    // The editor frame's tool settings that an activated picture window takes over; false
    // when the host keeps none.
    virtual bool GetToolState(EditorToolState& state) { (void)state; return false; }
    // Opens (or raises) the page maker with the page template written at the path.
    virtual void OpenPageMaker(const wchar_t* templatePath) { (void)templatePath; }
    // Runs the text sheet over the active picture (false: on its current text layer).
    virtual void RunTextSheet(bool newText) { (void)newText; }
};

// The registered host, or null.
IEditorHost* GetEditorHost();
void SetEditorHost(IEditorHost* host);

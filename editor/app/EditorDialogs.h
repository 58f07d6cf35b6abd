#pragma once
// EditorDialogs: the editor frame runs the editing dialogs through this seam, one operation per
// call with a record of what goes in and comes out. Dialogs() is the one in use: the standard
// set, or whatever a test put in place with SetEditorDialogs(). An operation whose dialog is
// not available answers NotAvailable at once, and the frame disables its menu items.
#include <string>
#include <windows.h>

class CWnd;
class CPicEditView;

enum class EditorDialog {
    // Canvas and layers.
    CanvasSize, Grid, NewBackground, ExportLayer, LayerOptions, LayerRotate, RenameLayer,
    // Effects on the current layer or the whole picture.
    EffectOneOption, EffectTwoOption, EffectProcessing, EffectBlinds, EffectLensFlare,
    EffectSupernova, EffectThreshold, EffectTransparentColor, RotatePicture,
    // Text.
    TextSheet,
};

enum class DialogResult { NotAvailable, Cancelled, Ok };

// What a dialog's DoModal answer means to the frame.
inline DialogResult DialogResultOf(INT_PTR result)
{
    return result == IDOK ? DialogResult::Ok : DialogResult::Cancelled;
}

// Canvas size. In: the background's size and whether it has its own alpha. Out: the new size,
// the margin mode (1: by anchor), the anchor (0-8, rows of three from the top left), the four
// margins and the colour of the added border.
struct CanvasSizeRecord {
    int width = 0, height = 0;
    bool hasAlpha = false;
    int newWidth = 0, newHeight = 0;
    int marginMode = 0;
    int anchor = 4;
    int left = 0, right = 0, top = 0, bottom = 0;
    COLORREF border = RGB(255, 255, 255);
    // Out: the added border is transparent (the dialog's automatic transparency, which starts
    // as hasAlpha).
    bool transparent = false;
};

// Grid. The cell as floats and as whole numbers (truncated), the grid option and the picture's
// size as the limits; all but the limits come back.
struct GridRecord {
    float cellWidth = 0, cellHeight = 0;
    int cellWidthPixels = 0, cellHeightPixels = 0;
    int option = 0;
    int pictureWidth = 0, pictureHeight = 0;
};

// New background: its colour, white unless the caller says otherwise.
struct NewBackgroundRecord {
    COLORREF color = RGB(255, 255, 255);
};

// Export layer: the chosen type (0 PNG, 1 JPG, 2 GIF, 3 BMP, 4 ICO, 5 TGA, 6 WEBP).
struct ExportLayerRecord {
    int type = 0;
};

// Layer options. The dialog applies its values to the current layer of `view` while it is open.
struct LayerOptionsRecord {
    int width = 0, height = 0;
    int opacity = 100;   // percent
    int angle = 0;       // whole degrees, 0-359
    int x = 0, y = 0;    // picture pixels
    bool keepRatio = false;
};

// Layer rotation in whole degrees; Ok means the current layer was turned and must be committed.
struct LayerRotateRecord {
    int angle = 0;
};

struct RenameLayerRecord {
    std::wstring name;
};

// An effect dialog: which one (`kind`, one of the Effect… members or RotatePicture), the effect
// index inside its dialog and up to two start values; for the processing dialog `value1` is the
// automatic flag (1: no OK button, closes when done); for the rotation it is the angle in
// degrees, in and out. Ok means the layer (or, for the rotation, the background) was changed and
// must be committed.
struct EffectRecord {
    EditorDialog kind = EditorDialog::EffectOneOption;
    int index = 0;
    int value1 = 0, value2 = 0;
};

// The text sheet over the active view: its result and whether it added a text layer.
struct TextSheetRecord {
    bool newText = true;   // false: the current text layer's style is already the shared style
    INT_PTR result = IDCANCEL;
    bool addedLayer = false;
};

class EditorDialogs {
public:
    virtual ~EditorDialogs();

    // Whether the dialog can be shown at all; the frame disables the items of those that can't.
    virtual bool IsAvailable(EditorDialog kind) const;

    virtual DialogResult CanvasSize(CWnd* parent, CanvasSizeRecord& record);
    virtual DialogResult Grid(CWnd* parent, GridRecord& record);
    virtual DialogResult NewBackground(CWnd* parent, NewBackgroundRecord& record);
    virtual DialogResult ExportLayer(CWnd* parent, ExportLayerRecord& record);
    virtual DialogResult LayerOptions(CPicEditView& view, LayerOptionsRecord& record);
    virtual DialogResult LayerRotate(CPicEditView& view, LayerRotateRecord& record);
    virtual DialogResult RenameLayer(CWnd* parent, RenameLayerRecord& record);
    virtual DialogResult Effect(CPicEditView& view, EffectRecord& record);
    virtual DialogResult TextSheet(CPicEditView& view, TextSheetRecord& record);
};

// The standard dialogs. Each group of dialogs lives in a file of its own
// (EditorDialogsCanvas.cpp, EditorDialogsEffects.cpp, EditorDialogsText.cpp) with the answer
// to IsAvailable for its members.
class StandardEditorDialogs : public EditorDialogs {
public:
    bool IsAvailable(EditorDialog kind) const override;

    DialogResult CanvasSize(CWnd* parent, CanvasSizeRecord& record) override;
    DialogResult Grid(CWnd* parent, GridRecord& record) override;
    DialogResult NewBackground(CWnd* parent, NewBackgroundRecord& record) override;
    DialogResult ExportLayer(CWnd* parent, ExportLayerRecord& record) override;
    DialogResult LayerOptions(CPicEditView& view, LayerOptionsRecord& record) override;
    DialogResult LayerRotate(CPicEditView& view, LayerRotateRecord& record) override;
    DialogResult RenameLayer(CWnd* parent, RenameLayerRecord& record) override;
    DialogResult Effect(CPicEditView& view, EffectRecord& record) override;
    DialogResult TextSheet(CPicEditView& view, TextSheetRecord& record) override;

    // The groups' answers to IsAvailable.
    static bool CanvasDialogAvailable(EditorDialog kind);
    static bool EffectDialogAvailable(EditorDialog kind);
    static bool TextDialogAvailable(EditorDialog kind);
};

// The dialogs in use: the standard ones unless others were put in place.
EditorDialogs& Dialogs();
// Puts other dialogs in place (null: the standard ones again); returns the ones before.
EditorDialogs* SetEditorDialogs(EditorDialogs* dialogs);

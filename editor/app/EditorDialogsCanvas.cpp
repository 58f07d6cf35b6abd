// The standard canvas and layer dialogs of the editor frame.
#include "AppFrame.h"
#include "EditorDialogs.h"

bool StandardEditorDialogs::CanvasDialogAvailable(EditorDialog)
{
    return false;
}

DialogResult StandardEditorDialogs::CanvasSize(CWnd* parent, CanvasSizeRecord& record)
{
    return EditorDialogs::CanvasSize(parent, record);
}

DialogResult StandardEditorDialogs::Grid(CWnd* parent, GridRecord& record)
{
    return EditorDialogs::Grid(parent, record);
}

DialogResult StandardEditorDialogs::NewBackground(CWnd* parent, NewBackgroundRecord& record)
{
    return EditorDialogs::NewBackground(parent, record);
}

DialogResult StandardEditorDialogs::ExportLayer(CWnd* parent, ExportLayerRecord& record)
{
    return EditorDialogs::ExportLayer(parent, record);
}

DialogResult StandardEditorDialogs::LayerOptions(CPicEditView& view, LayerOptionsRecord& record)
{
    return EditorDialogs::LayerOptions(view, record);
}

DialogResult StandardEditorDialogs::LayerRotate(CPicEditView& view, LayerRotateRecord& record)
{
    return EditorDialogs::LayerRotate(view, record);
}

DialogResult StandardEditorDialogs::RenameLayer(CWnd* parent, RenameLayerRecord& record)
{
    return EditorDialogs::RenameLayer(parent, record);
}

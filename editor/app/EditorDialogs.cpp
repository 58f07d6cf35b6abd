#include "AppFrame.h"
#include "EditorDialogs.h"

EditorDialogs::~EditorDialogs() = default;

bool EditorDialogs::IsAvailable(EditorDialog) const { return false; }
DialogResult EditorDialogs::CanvasSize(CWnd*, CanvasSizeRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::Grid(CWnd*, GridRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::NewBackground(CWnd*, NewBackgroundRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::ExportLayer(CWnd*, ExportLayerRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::LayerOptions(CPicEditView&, LayerOptionsRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::LayerRotate(CPicEditView&, LayerRotateRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::RenameLayer(CWnd*, RenameLayerRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::Effect(CPicEditView&, EffectRecord&) { return DialogResult::NotAvailable; }
DialogResult EditorDialogs::TextSheet(CPicEditView&, TextSheetRecord&) { return DialogResult::NotAvailable; }

bool StandardEditorDialogs::IsAvailable(EditorDialog kind) const
{
    return CanvasDialogAvailable(kind) || EffectDialogAvailable(kind) || TextDialogAvailable(kind);
}

namespace {
EditorDialogs* installedDialogs = nullptr;
}

EditorDialogs& Dialogs()
{
    static StandardEditorDialogs standard;
    return installedDialogs ? *installedDialogs : standard;
}

EditorDialogs* SetEditorDialogs(EditorDialogs* dialogs)
{
    EditorDialogs* before = installedDialogs;
    installedDialogs = dialogs;
    return before;
}

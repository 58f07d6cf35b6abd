// The standard effect dialogs of the editor frame.
#include "AppFrame.h"
#include "EditorDialogs.h"

bool StandardEditorDialogs::EffectDialogAvailable(EditorDialog)
{
    return false;
}

DialogResult StandardEditorDialogs::Effect(CPicEditView& view, EffectRecord& record)
{
    return EditorDialogs::Effect(view, record);
}

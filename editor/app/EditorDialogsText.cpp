// The standard text sheet of the editor frame.
#include "AppFrame.h"
#include "EditorDialogs.h"

bool StandardEditorDialogs::TextDialogAvailable(EditorDialog)
{
    return false;
}

DialogResult StandardEditorDialogs::TextSheet(CPicEditView& view, TextSheetRecord& record)
{
    return EditorDialogs::TextSheet(view, record);
}

// The standard text sheet of the editor frame.
#include "AppFrame.h"
#include "EditorDialogs.h"
#include "TextPropSheet.h"
#include "ToolHost.h"

bool StandardEditorDialogs::TextDialogAvailable(EditorDialog kind)
{
    return kind == EditorDialog::TextSheet;
}

// The sheet finds the view through the frame that is the application's main window; `view` is
// that frame's active view.
DialogResult StandardEditorDialogs::TextSheet(CPicEditView& view, TextSheetRecord& record)
{
    (void)view;
    CToolHost host;
    if (!FindToolHost(host))
        return DialogResult::NotAvailable;
    const TextSheetRun run = RunTextPropSheet(host, record.newText);
    record.result = run.result;
    record.addedLayer = run.addedLayer;
    return DialogResultOf(run.result);
}

// The standard effect dialogs of the editor frame.
#include "AppFrame.h"
#include "DlgEditorEffectBlinds.h"
#include "DlgEditorEffectLensFlare.h"
#include "DlgEditorEffectOneOption.h"
#include "DlgEditorEffectProcessing.h"
#include "DlgEditorEffectSupernova.h"
#include "DlgEditorEffectTransparentColor.h"
#include "DlgEditorEffectTwoOption.h"
#include "DlgEditorRotate.h"
#include "DlgEditorThreshold.h"
#include "EditorDialogs.h"

bool StandardEditorDialogs::EffectDialogAvailable(EditorDialog kind)
{
    switch (kind) {
    case EditorDialog::EffectOneOption:
    case EditorDialog::EffectTwoOption:
    case EditorDialog::EffectProcessing:
    case EditorDialog::EffectBlinds:
    case EditorDialog::EffectLensFlare:
    case EditorDialog::EffectSupernova:
    case EditorDialog::EffectThreshold:
    case EditorDialog::EffectTransparentColor:
    case EditorDialog::RotatePicture:
        return true;
    default:
        return false;
    }
}

// The dialogs find the view through the frame that is the application's main window; `view`
// is that frame's active view.
DialogResult StandardEditorDialogs::Effect(CPicEditView& view, EffectRecord& record)
{
    (void)view;
    switch (record.kind) {
    case EditorDialog::EffectOneOption: {
        CDlgEditorEffectOneOption dialog;
        dialog.m_options.effectIndex = record.index;
        dialog.m_options.value = record.value1;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectTwoOption: {
        CDlgEditorEffectTwoOption dialog;
        dialog.m_options.effectIndex = record.index;
        dialog.m_options.firstValue = record.value1;
        dialog.m_options.secondValue = record.value2;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectProcessing: {
        CDlgEditorEffectProcessing dialog;
        dialog.m_options.effectIndex = record.index;
        dialog.m_options.autoClose = record.value1;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectBlinds: {
        CDlgEditorEffectBlinds dialog;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectLensFlare: {
        CDlgEditorEffectLensFlare dialog;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectSupernova: {
        CDlgEditorEffectSupernova dialog;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectThreshold: {
        CDlgEditorThreshold dialog;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::EffectTransparentColor: {
        CDlgEditorEffectTransparentColor dialog;
        return DialogResultOf(dialog.DoModal());
    }
    case EditorDialog::RotatePicture: {
        // The canvas follows the turned picture's size.
        CDlgEditorRotate dialog;
        dialog.m_bRefit = 1;
        dialog.m_options.angle = record.value1;
        const DialogResult result = DialogResultOf(dialog.DoModal());
        record.value1 = dialog.m_options.angle;
        return result;
    }
    default:
        return EditorDialogs::Effect(view, record);
    }
}

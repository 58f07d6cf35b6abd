// The standard canvas and layer dialogs of the editor frame.
#include "AppFrame.h"
#include "DlgEditorExpand.h"
#include "DlgEditorExportLayer.h"
#include "DlgEditorGrid.h"
#include "DlgEditorInsertNewBG.h"
#include "DlgEditorLayerOptions.h"
#include "DlgEditorLayerRotate.h"
#include "DlgEditorRenLayer.h"
#include "EditorDialogs.h"
#include "PicEditView.h"

bool StandardEditorDialogs::CanvasDialogAvailable(EditorDialog kind)
{
    switch (kind) {
    case EditorDialog::CanvasSize:
    case EditorDialog::Grid:
    case EditorDialog::NewBackground:
    case EditorDialog::ExportLayer:
    case EditorDialog::LayerOptions:
    case EditorDialog::LayerRotate:
    case EditorDialog::RenameLayer:
        return true;
    default:
        return false;
    }
}

DialogResult StandardEditorDialogs::CanvasSize(CWnd* parent, CanvasSizeRecord& record)
{
    CDlgEditorExpand dialog(parent);
    dialog.m_width = dialog.m_newWidth = record.width;
    dialog.m_height = dialog.m_newHeight = record.height;
    dialog.m_transparent = record.hasAlpha ? TRUE : FALSE;
    dialog.m_color = record.border;
    dialog.m_anchor = record.anchor;
    if (dialog.DoModal() != IDOK)
        return DialogResult::Cancelled;
    record.newWidth = dialog.m_newWidth;
    record.newHeight = dialog.m_newHeight;
    record.marginMode = dialog.m_mode;
    record.anchor = dialog.m_anchor;
    record.left = dialog.m_left;
    record.right = dialog.m_right;
    record.top = dialog.m_top;
    record.bottom = dialog.m_bottom;
    record.border = dialog.m_color;
    record.transparent = dialog.m_transparent != FALSE;
    return DialogResult::Ok;
}

DialogResult StandardEditorDialogs::Grid(CWnd* parent, GridRecord& record)
{
    CDlgEditorGrid dialog(parent);
    dialog.m_exactWidth = record.cellWidth;
    dialog.m_exactHeight = record.cellHeight;
    dialog.m_gridWidth = record.cellWidthPixels;
    dialog.m_gridHeight = record.cellHeightPixels;
    dialog.m_preset = record.option;
    dialog.m_canvasWidth = record.pictureWidth;
    dialog.m_canvasHeight = record.pictureHeight;
    if (dialog.DoModal() != IDOK)
        return DialogResult::Cancelled;
    record.cellWidth = dialog.m_exactWidth;
    record.cellHeight = dialog.m_exactHeight;
    record.cellWidthPixels = dialog.m_gridWidth;
    record.cellHeightPixels = dialog.m_gridHeight;
    record.option = dialog.m_preset;
    return DialogResult::Ok;
}

DialogResult StandardEditorDialogs::NewBackground(CWnd* parent, NewBackgroundRecord& record)
{
    CDlgEditorInsertNewBG dialog(parent);
    dialog.m_color = record.color;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        record.color = dialog.m_color;
    return DialogResultOf(result);
}

DialogResult StandardEditorDialogs::ExportLayer(CWnd* parent, ExportLayerRecord& record)
{
    CDlgEditorExportLayer dialog(parent);
    dialog.m_type = record.type;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        record.type = dialog.m_type;
    return DialogResultOf(result);
}

DialogResult StandardEditorDialogs::LayerOptions(CPicEditView& view, LayerOptionsRecord& record)
{
    CDlgEditorLayerOptions dialog(&view);
    dialog.m_width = dialog.m_layerWidth = record.width;
    dialog.m_height = dialog.m_layerHeight = record.height;
    dialog.m_opacity = record.opacity;
    dialog.m_angle = record.angle;
    dialog.m_keepRatio = record.keepRatio ? TRUE : FALSE;
    dialog.m_x = record.x;
    dialog.m_y = record.y;
    dialog.m_document = &view.doc;
    dialog.m_onPreview = [&] { view.PreviewLayerOptions(dialog); };
    dialog.m_onRestored = [&] { view.RequestRedraw(); };
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) {
        record.width = dialog.m_width;
        record.height = dialog.m_height;
        record.opacity = dialog.m_opacity;
        record.angle = dialog.m_angle;
        record.keepRatio = dialog.m_keepRatio != FALSE;
        record.x = dialog.m_x;
        record.y = dialog.m_y;
    }
    return DialogResultOf(result);
}

DialogResult StandardEditorDialogs::LayerRotate(CPicEditView& view, LayerRotateRecord& record)
{
    CDlgEditorLayerRotate dialog(&view);
    dialog.m_view = &view;
    dialog.m_angle = record.angle;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        record.angle = dialog.m_angle;
    return DialogResultOf(result);
}

DialogResult StandardEditorDialogs::RenameLayer(CWnd* parent, RenameLayerRecord& record)
{
    CDlgEditorRenLayer dialog(parent);
    dialog.m_name = record.name.c_str();
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        record.name = static_cast<const wchar_t*>(dialog.m_name);
    return DialogResultOf(result);
}

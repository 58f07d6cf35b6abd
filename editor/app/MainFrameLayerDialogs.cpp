// The editor frame's canvas and layer dialog commands.
#include "MainFrameLayerDialogs.h"
#include <algorithm>
#include "CanvasDialogRules.h"
#include "DlgEditorExportLayer.h"
#include "LayerInfo.h"
#include "MainFrameIds.h"
#include "MessageBox.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CLayerDialogCommands, CCmdTarget)
    ON_COMMAND(ID_IMAGE_CANVAS_SIZE, OnCanvasSize)
    ON_COMMAND(ID_VIEW_GRID_WIDTH, OnGridWidth)
    ON_COMMAND(ID_LAYER_NEW_BACKGROUND, OnNewBackground)
    ON_COMMAND(ID_LAYER_EXPORT, OnExportLayer)
    ON_COMMAND(ID_LAYER_ROTATE_DIALOG, OnLayerRotate)
    ON_COMMAND(ID_LAYER_RENAME_DIALOG, OnRenameLayer)
    ON_COMMAND(ID_LAYER_OPTIONS_DIALOG, OnLayerOptions)
END_MESSAGE_MAP()

namespace {

struct LayerCommandDialog {
    UINT id;
    EditorDialog kind;
};

const LayerCommandDialog kLayerCommandDialogs[] = {
    {ID_IMAGE_CANVAS_SIZE, EditorDialog::CanvasSize},     {ID_VIEW_GRID_WIDTH, EditorDialog::Grid},
    {ID_LAYER_NEW_BACKGROUND, EditorDialog::NewBackground}, {ID_LAYER_EXPORT, EditorDialog::ExportLayer},
    {ID_LAYER_ROTATE_DIALOG, EditorDialog::LayerRotate},  {ID_LAYER_RENAME_DIALOG, EditorDialog::RenameLayer},
    {ID_LAYER_OPTIONS_DIALOG, EditorDialog::LayerOptions},
};

bool AskExportPath(CWnd* parent, int type, CString& path)
{
    const CString filter = CDlgEditorExportLayer::GetFileFilter(type);
    const CString title = TranslateString(L"Export layer");
    CFileDialog dialog(FALSE, ExportExtension(type), nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return !path.IsEmpty();
}

void TellUser(const CString& text)
{
    BCGPMessageBox(text, MB_OK | MB_ICONWARNING);
}

// The current layer that the layer commands work on: present, above the background, unlocked.
CLayerInfo* EditableUpperLayer(CPicEditView& view)
{
    CLayerInfo* layer = view.doc.layers.GetCurrentLayer();
    return layer && layer->id > 0 && !layer->locked ? layer : nullptr;
}

} // namespace

bool DialogOfLayerCommand(UINT id, EditorDialog& kind)
{
    for (const LayerCommandDialog& entry : kLayerCommandDialogs)
        if (entry.id == id) {
            kind = entry.kind;
            return true;
        }
    return false;
}

CLayerDialogCommands::CLayerDialogCommands(std::function<CPicEditView*()> activeView)
    : chooseExportPath(AskExportPath), tell(TellUser), m_activeView(std::move(activeView))
{
}

BOOL CLayerDialogCommands::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    EditorDialog kind;
    if (nCode == CN_COMMAND && DialogOfLayerCommand(nID, kind) && !Dialogs().IsAvailable(kind))
        return FALSE;
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CLayerDialogCommands::OnCanvasSize()
{
    CPicEditView* view = m_activeView();
    if (!view || !view->doc.layers.GetLayer(0))
        return;
    CLayerDocument& doc = view->doc;
    const int savedId = doc.layers.currentId;
    // The background is current while the dialog is up, and stays so when it is cancelled.
    doc.layers.currentId = 0;
    CanvasSizeRecord record;
    record.width = doc.GetCurrentLayerWidth();
    record.height = doc.GetCurrentLayerHeight();
    record.hasAlpha = doc.layers.GetLayer(0)->ownAlpha != 0;
    if (Dialogs().CanvasSize(AfxGetMainWnd(), record) != DialogResult::Ok)
        return;
    CLayerInfo* background = doc.layers.GetLayer(0);
    if (!background)
        return;
    const CanvasMargins m = record.marginMode == 1
                                ? AnchorMargins(record.anchor, record.newWidth, record.newHeight, record.width, record.height)
                                : CanvasMargins{record.left, record.top, record.right, record.bottom};
    const RGBQUAD fill = {GetBValue(record.border), GetGValue(record.border), GetRValue(record.border),
                          static_cast<BYTE>(record.transparent ? 0 : 255)};
    // The library refuses margins that would leave no picture; the canvas then stays as it was.
    if (!background->displayed.ExpandFF(m.left, m.top, m.right, m.bottom, fill)) {
        doc.layers.currentId = savedId;
        return;
    }
    background->width = static_cast<int32_t>(background->displayed.GetWidth());
    background->height = static_cast<int32_t>(background->displayed.GetHeight());
    if (record.transparent)
        background->ownAlpha = 1;
    if (background->source.IsValid())
        background->source.Copy(background->displayed);
    // Upper layers keep their size and place on the grown canvas.
    doc.rescaleX = doc.rescaleY = 1.0f;
    view->RefitCanvas();
    doc.CommitCurrentLayer(TRUE);
    doc.layers.currentId = savedId;
    view->RequestRedraw();
}

void CLayerDialogCommands::OnGridWidth()
{
    CPicEditView* view = m_activeView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    GridRecord record;
    record.cellWidth = doc.gridCellWidth;
    record.cellHeight = doc.gridCellHeight;
    record.cellWidthPixels = static_cast<int>(doc.gridCellWidth);
    record.cellHeightPixels = static_cast<int>(doc.gridCellHeight);
    record.option = doc.canvasSpare;
    record.pictureWidth = doc.docWidth;
    record.pictureHeight = doc.docHeight;
    if (Dialogs().Grid(AfxGetMainWnd(), record) != DialogResult::Ok)
        return;
    // A typed size has no exact cell: whole pixels. The drawing steps by the cell, so a cell is
    // never less than a pixel.
    const bool exact = record.cellWidth != 0.0f;
    doc.gridCellWidth = std::max(1.0f, exact ? record.cellWidth : static_cast<float>(record.cellWidthPixels));
    doc.gridCellHeight = std::max(1.0f, exact ? record.cellHeight : static_cast<float>(record.cellHeightPixels));
    doc.canvasSpare = record.option;
    view->Invalidate(TRUE);
}

void CLayerDialogCommands::OnNewBackground()
{
    CPicEditView* view = m_activeView();
    if (!view || !view->doc.layers.GetLayer(0))
        return;
    NewBackgroundRecord record;
    if (Dialogs().NewBackground(AfxGetMainWnd(), record) != DialogResult::Ok)
        return;
    const RGBQUAD colour = {GetBValue(record.color), GetGValue(record.color), GetRValue(record.color), 255};
    if (!view->doc.NewDocument(colour, view->doc.docWidth, view->doc.docHeight))
        return;
    view->currentChanged = 1;
    view->RequestRedraw();
    view->NotifyLayersChanged();
}

void CLayerDialogCommands::OnExportLayer()
{
    CPicEditView* view = m_activeView();
    if (!view)
        return;
    const CLayerInfo* layer = view->doc.layers.GetCurrentLayer();
    if (!layer || layer->id <= 0)
        return;
    ExportLayerRecord record;
    if (Dialogs().ExportLayer(AfxGetMainWnd(), record) != DialogResult::Ok)
        return;
    CString path;
    if (!chooseExportPath || !chooseExportPath(AfxGetMainWnd(), record.type, path))
        return;
    if (!view->doc.SaveCurrentLayerImage(path, ExportTypeToImageFormat(record.type)) && tell)
        tell(CString(TranslateString(L"The layer could not be written:")) + L"\n" + path);
}

void CLayerDialogCommands::OnLayerRotate()
{
    CPicEditView* view = m_activeView();
    if (!view)
        return;
    const CLayerInfo* layer = EditableUpperLayer(*view);
    if (!layer)
        return;
    const uint32_t serial = layer->serial;
    const float angle = layer->angle;
    LayerRotateRecord record;
    const DialogResult result = Dialogs().LayerRotate(*view, record);
    CLayerInfo* current = view->doc.layers.GetLayerBySerial(serial);
    if (!current || current->locked)
        return;
    if (result == DialogResult::Ok) {
        view->doc.CommitCurrentLayer(FALSE);
    } else if (current->angle != angle) {
        // The dialog turned the layer while it was up.
        current->SetAngle(angle);
        view->doc.CalcLayerTracker(current);
        view->RequestRedraw();
    }
}

void CLayerDialogCommands::OnRenameLayer()
{
    CPicEditView* view = m_activeView();
    if (!view)
        return;
    const CLayerInfo* layer = EditableUpperLayer(*view);
    if (!layer)
        return;
    const uint32_t serial = layer->serial;
    RenameLayerRecord record;
    record.name = static_cast<const wchar_t*>(layer->name);
    if (Dialogs().RenameLayer(AfxGetMainWnd(), record) != DialogResult::Ok)
        return;
    if (CLayerInfo* renamed = view->doc.layers.GetLayerBySerial(serial)) {
        renamed->name = record.name.c_str();
        view->NotifyLayersChanged();
    }
}

void CLayerDialogCommands::OnLayerOptions()
{
    CPicEditView* view = m_activeView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    const CLayerInfo* layer = EditableUpperLayer(*view);
    if (!layer)
        return;
    // Kept whole for a cancel: alpha byte, size, angle, place, origin and keep-aspect exactly as
    // they were, whatever the dialog previewed.
    const CLayerInfo opened(*layer);
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    LayerOptionsRecord record;
    record.width = layer->width;
    record.height = layer->height;
    record.opacity = doc.GetCurrentLayerOpacity();
    record.angle = AngleToDegrees(layer->angle);
    record.x = static_cast<int>((layer->location.x - doc.canvasRect.left) / zoom);
    record.y = static_cast<int>((layer->location.y - doc.canvasRect.top) / zoom);
    record.keepRatio = layer->keepAspect != 0;
    const DialogResult result = Dialogs().LayerOptions(*view, record);
    CLayerInfo* current = doc.layers.GetLayerBySerial(opened.serial);
    if (!current || current->locked)
        return;
    if (result == DialogResult::Ok) {
        doc.CommitCurrentLayer(FALSE);
        view->NotifyLayersChanged();
        return;
    }
    const int id = current->id;
    doc.layers.ReplaceLayer(id, opened);
    doc.CalcLayerTracker(doc.layers.GetLayer(id));
    view->RequestRedraw();
}

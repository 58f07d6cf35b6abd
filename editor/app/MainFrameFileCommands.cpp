// CMainFrame: the File menu, "Select all", the Image menu's resize and quarter turns and the Layer
// menu's commands that need no dialog of their own.
#include <shellapi.h>
#include <vector>
#include "DlgEditorResize.h"
#include "EditorAppState.h"
#include "EditorUtils.h"
#include "FrameCommandMath.h"
#include "LumivoToolsApp.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "MessageBox.h"
#include "ZVUILibApp.h"

namespace {

// The open dialog's name buffer: room for a long multi-selection.
const DWORD kOpenNameBuffer = 260000;
// The selection tool "Select all" leaves the view with.
const int kSelectAllTool = 11;

} // namespace

// ---- the last-used folder ----

void CMainFrame::RememberFolderOf(const wchar_t* path)
{
    const std::wstring folder = FolderOfPath(path ? path : L"");
    if (folder.empty())
        return;
    GetEditorAppState().currentFolder = folder.c_str();
    if (CLumivoToolsApp* app = GetLumivoToolsApp())
        app->m_strCurrentDirectory = folder.c_str();
}

CString CMainFrame::LastUsedFolder()
{
    const CStringW& folder = GetEditorAppState().currentFolder;
    if (!folder.IsEmpty())
        return CString(static_cast<const wchar_t*>(folder));
    CLumivoToolsApp* app = GetLumivoToolsApp();
    return app ? app->m_strCurrentDirectory : CString();
}

// ---- File ----

void CMainFrame::OnFileOpen()
{
    const CString filter(GetOpenFileFilter().GetString());
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, filter, this);
    std::vector<wchar_t> names(kOpenNameBuffer, L'\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = kOpenNameBuffer;
    const CString title = TranslateString(L"Open");
    dialog.m_ofn.lpstrTitle = title;
    const CString folder = LastUsedFolder();
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : static_cast<const wchar_t*>(folder);
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<CString> paths;
    for (POSITION at = dialog.GetStartPosition(); at;)
        paths.push_back(dialog.GetNextPathName(at));
    if (!paths.empty())
        RememberFolderOf(paths.front());
    OpenFilesInEditor(paths);
    SelectPointerTool();
}

void CMainFrame::NameAsUntitled(CPicEditView& view)
{
    auto* child = DYNAMIC_DOWNCAST(CChildFrame, view.GetParent());
    if (!child)
        return;
    child->SetDocumentTitle(UntitledTitle(TranslateString(L"Untitled"), toolSettings.untitledCounter++).c_str());
    view.filePath.Empty();
    view.askBeforeOverwrite = 0;
    view.modified = 1;
}

void CMainFrame::OnFileFromClipboard()
{
    // The window stays hidden until its picture is made; without one it goes again.
    CPicEditView* view = CreatePictureWindow();
    if (!view)
        return;
    if (!view->NewDocumentFromClipboard()) {
        DiscardPictureWindow(*view);
        BCGPMessageBox(TranslateString(L"Fail to load !"), MB_OK | MB_ICONWARNING);
        return;
    }
    ShowPictureWindow(*view);
}

void CMainFrame::OnUpdateFileFromClipboard(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsClipboardImageAvailable());
}

void CMainFrame::OnFileSave()
{
    if (CPicEditView* view = ActiveEditView())
        view->Save();
}

void CMainFrame::OnFileSaveAs()
{
    if (CPicEditView* view = ActiveEditView())
        view->SaveAs(L"Save As");
}

void CMainFrame::OnFileShapeToPage()
{
    if (CPicEditView* view = ActiveEditView())
        view->ExportShapeToPage();
}

void CMainFrame::OnEditSelectAll()
{
    if (CPicEditView* view = ActiveEditView()) {
        view->tool = kSelectAllTool;
        view->SelectAll();
    }
}

void CMainFrame::OnDropFiles(HDROP drop)
{
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<CString> paths;
    for (UINT i = 0; i < count; ++i) {
        // Each name at its own length: a long path is not cut.
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
        paths.emplace_back(path.c_str());
    }
    ::DragFinish(drop);
    OpenFilesInEditor(paths);
    SelectPointerTool();
    SetActiveWindow();
}

// ---- Image ----

void CMainFrame::OnImageResize()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    const int32_t saved = doc.layers.currentId;
    // The size is the background's; a cancelled dialog leaves it the current layer.
    doc.layers.currentId = 0;
    int width = doc.GetCurrentLayerWidth();
    int height = doc.GetCurrentLayerHeight();
    CLayerInfo* background = doc.layers.GetLayer(0);
    int dpi = background ? static_cast<int>(background->displayed.GetXDPI()) : 0;
    if (!ShowDlgResize(&width, &height, &dpi, 0))
        return;
    doc.SetImageDPI(dpi);
    view->ResizeLayer(width, height);
    view->RefitCanvas();
    doc.CommitCurrentLayer(TRUE);
    doc.layers.currentId = saved;
    view->RequestRedraw();
}

void CMainFrame::RotatePicture(bool left)
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    doc.layers.currentId = 0;
    CLayerInfo* background = doc.layers.GetLayer(0);
    if (!background || !background->displayed.IsValid())
        return;
    if (!(left ? background->displayed.RotateLeft() : background->displayed.RotateRight()))
        return;
    background->width = static_cast<int32_t>(background->displayed.GetWidth());
    background->height = static_cast<int32_t>(background->displayed.GetHeight());
    background->source.Copy(background->displayed);
    view->RefitCanvas();
    doc.CommitCurrentLayer(TRUE);
    view->RequestRedraw();
}

void CMainFrame::OnImageRotateLeft()
{
    RotatePicture(true);
}

void CMainFrame::OnImageRotateRight()
{
    RotatePicture(false);
}

// ---- Layer ----

void CMainFrame::OnLayerOpenAsLayer()
{
    if (CPicEditView* view = ActiveEditView())
        view->OpenAsLayers();
}

void CMainFrame::OnLayerNewText()
{
    // The text tool's own command, wherever it is handled.
    if (ActiveEditView())
        SendMessage(WM_COMMAND, ID_TOOL_TEXT_COMMAND);
}

void CMainFrame::OnLayerDuplicate()
{
    if (CPicEditView* view = ActiveEditView())
        view->DuplicateLayerImage();
}

void CMainFrame::OnLayerDelete()
{
    if (CPicEditView* view = ActiveEditView())
        view->DeleteSelectionOrLayer();
}

void CMainFrame::OnLayerConvertText()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    view->doc.RasterizeCurrentLayer();
    view->NotifyLayersChanged();
    view->RequestRedraw();
}

void CMainFrame::OnUpdateLayerConvertText(CCmdUI* pCmdUI)
{
    CPicEditView* view = ActiveEditView();
    const int32_t kind = view ? view->doc.layers.currentType : 0;
    pCmdUI->Enable(view && (kind == LAYER_TEXT || kind == LAYER_SHAPE));
}

void CMainFrame::OnLayerTransparentBackground()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    if (!doc.NewDocument(RGBQUAD{0xFF, 0xFF, 0xFF, 0}, doc.docWidth, doc.docHeight))
        return;
    view->currentChanged = 1;
    view->RequestRedraw();
    view->NotifyLayersChanged();
}

void CMainFrame::TurnLayer(bool left)
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    CLayerDocument& doc = view->doc;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer)
        return;
    layer->angle = QuarterTurn(layer->angle, left);
    layer->RenderImage();
    if (layer->zoomedCopy.IsValid())
        layer->zoomedCopy.Destroy();
    view->RequestRedraw();
    doc.CommitCurrentLayer(TRUE);
}

void CMainFrame::OnLayerTurnLeft()
{
    TurnLayer(true);
}

void CMainFrame::OnLayerTurnRight()
{
    TurnLayer(false);
}

void CMainFrame::OnLayerCrop()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    // What the clipboard held before is never pasted: only a copy that worked is.
    if (view->CopyToClipboard())
        view->PasteAsLayer();
    view->ClearSelection();
    SelectPointerTool();
}

void CMainFrame::ShowAllLayers(bool show)
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    view->doc.layers.ShowAllLayers(show);
    view->RequestRedraw();
    view->NotifyLayersChanged();
}

void CMainFrame::OnLayerHideAll()
{
    ShowAllLayers(false);
}

void CMainFrame::OnLayerShowAll()
{
    ShowAllLayers(true);
}

void CMainFrame::MergeLayers(void (CLayerDocument::*merge)())
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    view->GetClientRect(&view->doc.viewRect);
    (view->doc.*merge)();
    view->frame.Reset();
    view->NotifyLayersChanged();
    view->RequestRedraw();
}

void CMainFrame::OnLayerMergeVisible()
{
    MergeLayers(&CLayerDocument::MergeVisibleLayers);
}

void CMainFrame::OnLayerMergeAll()
{
    MergeLayers(&CLayerDocument::FlattenImage);
}

void CMainFrame::OnLayerShadow()
{
    if (CPicEditView* view = ActiveEditView())
        view->EditLayerShadow();
}

// The picture edit view's intake: the operations that put a picture into the view. Each sets the
// view rectangle, runs the document operation and, only when it succeeded, resets the scrolling,
// re-lays out the canvas and tells the layer list; a failure leaves the document and the view
// as they were.
#include "EditorUtils.h"
#include "MessageBox.h"
#include "OpenTimes.h"
#include "PicEditView.h"
#include "PictureReadAhead.h"
#include "ZVUILibApp.h"

void CPicEditView::BeginIntake()
{
    if (m_hWnd)
        GetClientRect(&doc.viewRect);
}

void CPicEditView::FinishIntake(bool relayout, bool markCurrent, bool refreshList)
{
    doc.hPos = 0;
    doc.vPos = 0;
    doc.hPosRatio = 0;
    doc.vPosRatio = 0;
    if (hBar.m_hWnd)
        hBar.SetScrollPos(0, TRUE);
    if (vBar.m_hWnd)
        vBar.SetScrollPos(0, TRUE);
    if (relayout && m_hWnd)
        SendMessage(WM_SIZE, SIZE_MAXSHOW, 0);
    if (markCurrent)
        currentChanged = 1;
    if (refreshList)
        NotifyLayersChanged();
}

bool CPicEditView::IsModified()
{
    return modified != 0 || doc.history.savedPosition != doc.history.position;
}

BOOL CPicEditView::OpenFile(const wchar_t* path)
{
    filePath = path ? path : L"";
    return OpenImageFile(path);
}

BOOL CPicEditView::OpenImage(const CZVImage& picture)
{
    BeginIntake();
    if (!doc.OpenImage(picture))
        return FALSE;
    FinishIntake(true, false, false);
    return TRUE;
}

BOOL CPicEditView::OpenReadFile(const wchar_t* path, std::unique_ptr<ReadPicture> picture)
{
    filePath = path ? path : L"";
    return picture && path && *path && OpenReadLayer(picture->layer, std::move(picture->undoStart));
}

BOOL CPicEditView::OpenImageFile(const wchar_t* path)
{
    if (!path || !*path)
        return FALSE;
    CLayerInfo layer;
    return CLayerDocument::ReadBackgroundLayer(path, doc.keepSource != 0, layer) && OpenReadLayer(layer);
}

BOOL CPicEditView::OpenReadLayer(CLayerInfo& layer, std::shared_ptr<PreparedPictures> undoStart)
{
    BeginIntake();
    {
        open_times::Scope timed("document");
        if (!doc.OpenReadLayer(layer, std::move(undoStart)))
            return FALSE;
    }
    {
        open_times::Scope timed("lay-out");
        FinishIntake(true, true, true);
    }
    if (doc.history.limit < 2 && IsLowMemorySystem())
        BCGPMessageBox(TranslateString(L"Out of memory"), MB_OK | MB_ICONWARNING);
    return TRUE;
}

BOOL CPicEditView::NewDocument(RGBQUAD colour, int width, int height, int dpi, BYTE alpha)
{
    BeginIntake();
    if (!doc.NewBlankDocument(colour, width, height, dpi, alpha))
        return FALSE;
    FinishIntake(false, false, false);
    RequestRedraw();
    return TRUE;
}

BOOL CPicEditView::SetBackgroundImage(CZVImage& picture)
{
    BeginIntake();
    if (!doc.SetBackgroundImage(picture))
        return FALSE;
    FinishIntake(true, true, true);
    return TRUE;
}

BOOL CPicEditView::ReopenWithImage(const CZVImage& picture)
{
    // An empty picture would put a background without pixels under the layers.
    if (!picture.IsValid())
        return FALSE;
    BeginIntake();
    // The picture goes below the layers and the old background becomes a picture layer again, as
    // when the document was first made; the history is neither emptied nor written (the redo
    // that calls this has moved its layer ids up already).
    if (!doc.InsertBackground(picture, TRUE))
        return FALSE;
    FinishIntake(true, true, true);
    return TRUE;
}

BOOL CPicEditView::RefitCanvas()
{
    if (!doc.layers.GetLayer(0))
        return FALSE;
    BeginIntake();
    doc.RefitCanvas();
    FinishIntake(false, false, true);
    return TRUE;
}

BOOL CPicEditView::CopyToBackgroundSource(const CZVImage& picture)
{
    CLayerInfo* background = doc.layers.GetLayer(0);
    if (!background)
        return FALSE;
    background->source = picture;
    return TRUE;
}

void CPicEditView::OnDropFile(const wchar_t* path)
{
    if (m_hWnd)
        SetFocus();
    if (IsModified()) {
        const int answer = BCGPMessageBox(TranslateString(L"Save changes before continuing ?"), MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES && !SaveBeforeReplace())
            return;
    }
    filePath = path ? path : L"";
    OpenImageFile(path);
}

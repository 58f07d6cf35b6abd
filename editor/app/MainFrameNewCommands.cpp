// The editor frame's new-picture commands.
#include "MainFrameNewCommands.h"
#include "CameraDS.h"
#include "ClipboardImageSize.h"
#include "DlgEditorBlank.h"
#include "DlgEditorCamera.h"
#include "DlgEditorCreateFile.h"
#include "LumivoToolsIds.h"
#include "MessageBox.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"

INewPictureFrame::~INewPictureFrame() = default;

BEGIN_MESSAGE_MAP(CNewPictureCommands, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW_PICTURE, OnFileNew)
    ON_COMMAND(ID_LAYER_NEW_BLANK, OnLayerNewBlank)
    ON_COMMAND(ID_FILE_FROM_CAMERA, OnFileFromCamera)
    ON_UPDATE_COMMAND_UI(ID_LAYER_NEW_BLANK, OnUpdateLayerNewBlank)
    ON_UPDATE_COMMAND_UI(ID_FILE_FROM_CAMERA, OnUpdateFileFromCamera)
END_MESSAGE_MAP()

void CNewPictureCommands::OnFileNew()
{
    // The dialog comes first: a cancelled New leaves no empty window behind.
    NewDocumentRequest request;
    if (!AskNewDocument(AfxGetMainWnd(), request))
        return;
    CPicEditView* view = m_frame.CreatePictureWindow();
    if (!view)
        return;
    BOOL made = FALSE;
    if (request.paste) {
        CZVImage picture;
        made = ReadClipboardPicture(view->GetSafeHwnd(), picture) && view->OpenImage(picture);
    } else {
        made = view->NewDocument(request.fill, request.width, request.height, request.dpi, request.alpha);
    }
    if (!made) {
        m_frame.DiscardPictureWindow(*view);
        BCGPMessageBox(TranslateString(L"Fail to load !"), MB_OK | MB_ICONWARNING);
        return;
    }
    view->doc.SetImageDPI(request.dpi);
    view->NotifyLayersChanged();
    m_frame.ShowPictureWindow(*view);
    // Never saved: closing asks about it.
    view->modified = 1;
    m_frame.SelectPointerTool();
}

void CNewPictureCommands::OnLayerNewBlank()
{
    CPicEditView* view = m_frame.GetActiveEditView();
    if (!view || !view->doc.layers.GetCurrentLayer())
        return;
    if (!NewBlankLayer(AfxGetMainWnd(), view->doc))
        return;
    view->RequestRedraw();
    view->currentChanged = 1;
    view->NotifyLayersChanged();
}

void CNewPictureCommands::OnFileFromCamera()
{
    // The dialog saved the snapshot when it says so; nothing is grabbed again here. The snapshot
    // opens in the one window the opening makes, as a new picture of its own.
    CString path;
    if (!TakeCameraSnapshot(AfxGetMainWnd(), path))
        return;
    if (m_frame.OpenFileInEditor(path)) {
        if (CPicEditView* view = m_frame.GetActiveEditView())
            m_frame.NameAsUntitled(*view);
    }
    m_frame.SelectPointerTool();
}

void CNewPictureCommands::OnUpdateLayerNewBlank(CCmdUI* pCmdUI)
{
    CPicEditView* view = m_frame.GetActiveEditView();
    pCmdUI->Enable(view && view->doc.layers.GetCurrentLayer());
}

void CNewPictureCommands::OnUpdateFileFromCamera(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CCameraDS::CameraCount() > 0);
}

// CMainFrame: the status bar's buttons and their menu twins: the current layer's histogram, the
// flattened picture copied to the clipboard, the picture mailed or printed, the zoom menu.
#include "DlgHistogram.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "MessageBox.h"
#include "ZVUILibApp.h"

namespace {

// Hands a DIB to the clipboard on behalf of owner. On failure the handle stays the caller's.
bool PutDibOnClipboard(HWND owner, HANDLE dib)
{
    if (!dib || !::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    const bool taken = ::SetClipboardData(CF_DIB, dib) != nullptr;
    ::CloseClipboard();
    return taken;
}

} // namespace

void CMainFrame::OnHistogram()
{
    CPicEditView* view = ActiveEditView();
    if (!view || view->doc.layers.layers.empty())
        return;
    ShowDlgHistogram(view->doc.GetCurrentLayerImage());
}

void CMainFrame::OnCopyFlattened()
{
    CPicEditView* view = ActiveEditView();
    if (!view || view->doc.zoom <= 0)
        return;
    CZVImage flat;
    {
        CDocumentLockScope hold(view->doc.lock);
        const RECT canvas = view->doc.canvasRect;
        view->doc.layers.RenderFlattened(&flat, canvas, canvas, 1.0f / view->doc.zoom);
    }
    HANDLE dib = flat.IsValid() ? flat.CopyToHandle() : nullptr;
    if (PutDibOnClipboard(m_hWnd, dib))
        return;
    if (dib)
        ::GlobalFree(dib);
    BCGPMessageBox(TranslateString(L"Unable to set clipboard data"));
}

void CMainFrame::OnEmail()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    // The mail carries the file as it is on disk: a change not saved, or a save that was
    // cancelled or failed, would send an older picture or none, so nothing goes then.
    if (view->doc.layers.currentId >= 0 && view->IsModified()) {
        const BOOL saved = view->filePath.IsEmpty() ? view->SaveAs(L"Save") : view->Save();
        if (!saved)
            return;
    }
    view->SendByMail();
}

void CMainFrame::OnPrint()
{
    if (CPicEditView* view = ActiveEditView())
        view->PrintImage();
}

void CMainFrame::OnZoomPane()
{
    if (!zoomPane || !zoomMenu || !statusBar.m_hWnd)
        return;
    CPoint corner = zoomPane->GetRect().TopLeft();
    statusBar.ClientToScreen(&corner);
    if (CBCGPContextMenuManager* menus = g_pContextMenuManager)
        menus->ShowPopupMenu(::GetSubMenu(zoomMenu, 0), corner.x, corner.y, this, FALSE, FALSE);
}

// The picture edit view's clipboard: the current layer, cut to the selection, goes out as a DIB
// and, when it has transparency or a selection, as the editor's private block; a paste adds the
// clipboard's picture as a new layer at the top left of the visible part of the canvas.
#include "ClipboardPicture.h"
#include "MessageBox.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"

BOOL CPicEditView::CopyToClipboard()
{
    if (!ApplySelection())
        return FALSE;
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || !layer->displayed.IsValid())
        return FALSE;
    CZVImage picture(layer->displayed);
    if (picture.SelectionIsValid()) {
        if (tool == 5 || tool == 6 || (tool >= 8 && tool <= 12)) {
            picture.CropPolygon();
        } else if (tool == 4) {
            // The box counts rows upward; the crop takes them from the top.
            RECT box;
            picture.SelectionGetBox(box);
            const LONG height = static_cast<LONG>(picture.GetHeight());
            CZVImage cut;
            if (picture.Crop(RECT{box.left, height - box.top, box.right, height - box.bottom}, &cut))
                picture.Transfer(cut);
        }
    }
    const bool privateBlock =
        picture.IsValid() && (picture.SelectionIsValid() || picture.IsTransparent() || picture.AlphaIsValid());
    const ClipboardWrite written = WriteClipboardPicture(m_hWnd, picture, privateBlock);
    for (int i = 0; i < written.failedSets; ++i)
        BCGPMessageBox(TranslateString(L"Unable to set clipboard data"), MB_OK | MB_ICONWARNING);
    return written.opened && written.failedSets == 0;
}

void CPicEditView::PasteAsLayer()
{
    CZVImage picture;
    if (!ReadClipboardPicture(m_hWnd, picture) || !picture.IsValid())
        return;
    // Whatever the source's depth, a layer holds 24 bits and an alpha plane.
    const bool ownAlpha = picture.AlphaIsValid();
    if (picture.GetBpp() != 24 && !picture.IncreaseBpp(24))
        return;
    if (!ownAlpha) {
        if (!picture.AlphaCreate())
            return;
        picture.AlphaSet(255);
    }
    if (!doc.AddImageLayer(picture, ownAlpha))
        return;
    RequestRedraw();
    currentChanged = 1;
    NotifyLayersChanged();
}

// The list's mouse: the two buttons on the hovered item, the tip of the hovered picture and the
// tool bar that folds back when the pointer comes near it.
#include "PictureListView.h"
#include "BrowserUtil.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

namespace {
// The buttons keep this far from the cell's corners.
const int kButtonInset = 2;

bool LoadListPicture(CKQImageFile& picture, UINT id, int side)
{
    picture.ClearSmallImage();
    if (!picture.LoadPNG(id, appframe::FindResourceModule(MAKEINTRESOURCEW(id), L"PNG")))
        return false;
    return side <= 0 || (int(picture.GetWidth()) == side && int(picture.GetHeight()) == side) || picture.Zoom(side, side);
}
} // namespace

CPictureListView::ItemButtonArt CPictureListView::ItemButtonArtFor(int itemSize)
{
    if (itemSize <= 96)
        return {IDP_ITEM_MENU_SMALL, IDP_ITEM_EXPORT_SMALL, 24};
    if (itemSize <= 192)
        return {IDP_ITEM_MENU_MEDIUM, IDP_ITEM_EXPORT, 44};
    return {IDP_ITEM_MENU_LARGE, IDP_ITEM_EXPORT, 64};
}

void CPictureListView::RecalclayoutTagSize()
{
    CKQPicListView::RecalclayoutTagSize();
    const ItemButtonArt art = ItemButtonArtFor(std::min(int(m_nBoxWidth), int(m_nBoxHeight)));
    if (art.leftId == m_itemButtonArt.leftId && m_imgItemMenu.IsValid())
        return;
    m_itemButtonArt = art;
    LoadListPicture(m_imgItemMenu, art.leftId, 0);
    m_szItemMenu = CSize(long(m_imgItemMenu.GetWidth()), long(m_imgItemMenu.GetHeight()));
    LoadListPicture(m_imgItemExport, art.rightId, art.rightSize);
    LoadListPicture(m_imgItemMenuHot, IDP_ITEM_MENU_HOT, art.rightSize);
    LoadListPicture(m_imgItemExportHot, IDP_ITEM_EXPORT_HOT, art.rightSize);
    m_szItemExport = CSize(art.rightSize, art.rightSize);
}

bool CPictureListView::GetItemButtonRects(int index, CRect* left, CRect* right)
{
    if (left)
        left->SetRectEmpty();
    if (right)
        right->SetRectEmpty();
    if (index < 0 || index == m_nDownloadMore)
        return false;
    const KQ_PIC_LIST_VISIBLE* cell = nullptr;
    for (const KQ_PIC_LIST_VISIBLE& v : m_visible)
        if (v.index == index)
            cell = &v;
    if (!cell || !cell->item.pImage || cell->item.pImage == &m_imgLoading[0] || cell->item.pImage == &m_imgLoading[1])
        return false;
    CRect r(cell->rect);
    r.DeflateRect(kButtonInset, kButtonInset);
    const int top = m_nType == KQ_TOOLBAR_TOP ? m_nHeight : 0;
    r.OffsetRect(0, top);
    if (right)
        *right = CRect(r.right - m_szItemExport.cx, r.top, r.right, r.top + m_szItemExport.cy);
    if (left && !(cell->item.nState & KQLS_FOLDER))
        *left = CRect(r.left, r.top, r.left + m_szItemMenu.cx, r.top + m_szItemMenu.cy);
    return true;
}

void CPictureListView::DrawFocusRect(const CRect& rect, KQ_PIC_LIST_VISIBLE* cell)
{
    CKQPicListView::DrawFocusRect(rect, cell);
    CRect left, right;
    if (!cell || m_bSingleSelect || !GetItemButtonRects(cell->index, &left, &right)) {
        m_nButtonsUnderItem = -1;
        return;
    }
    // Painted in the list's bitmap, which has no tool strip above it.
    const int top = m_nType == KQ_TOOLBAR_TOP ? m_nHeight : 0;
    left.OffsetRect(0, -top);
    right.OffsetRect(0, -top);
    // What lies under the buttons, kept for a button that only lights or goes dark.
    ::GdiFlush();
    m_nButtonsUnderItem = cell->index;
    m_buttonsUnder.Save(0, left, m_memDC.GetBits(), m_memDC.GetWidth(), m_memDC.GetHeight(), m_memDC.GetBitsPerPixel());
    m_buttonsUnder.Save(1, right, m_memDC.GetBits(), m_memDC.GetWidth(), m_memDC.GetHeight(), m_memDC.GetBitsPerPixel());
    DrawItemButtons(left, right);
}

// In the list's bitmap; the left one is empty for a folder.
void CPictureListView::DrawItemButtons(const CRect& left, const CRect& right)
{
    const HDC dc = m_memDC.m_hDC;
    if (!left.IsRectEmpty()) {
        const CKQImageFile& picture = m_bOverItemMenu && m_imgItemMenuHot.IsValid() ? m_imgItemMenuHot : m_imgItemMenu;
        if (picture.IsValid()) {
            CRect at(left.TopLeft(), CSize(long(picture.GetWidth()), long(picture.GetHeight())));
            picture.Draw(dc, at, nullptr, true);
        }
    }
    const CKQImageFile& picture = m_bOverItemExport && m_imgItemExportHot.IsValid() ? m_imgItemExportHot : m_imgItemExport;
    if (picture.IsValid())
        picture.Draw(dc, right, nullptr, true);
}

bool CPictureListView::TestItemBTClicked(int index, const CPoint& point)
{
    if (index != m_nHover)
        return false;
    CRect left, right;
    if (!GetItemButtonRects(index, &left, &right))
        return false;
    const bool folder = (GetItemState(index) & KQLS_FOLDER) != 0;
    UINT menu = 0;
    CPoint at;
    if (right.PtInRect(point)) {
        menu = IDR_MENU_EXPORT;
        at = CPoint(right.left, right.bottom);
    } else if (!left.IsRectEmpty() && left.PtInRect(point)) {
        menu = IDR_MENU_EDIT;
        at = CPoint(left.left, left.bottom);
    } else {
        return false;
    }
    ClientToScreen(&at);
    m_ptLastMenu = at;
    if (m_showItemMenu)
        m_showItemMenu(menu, at, folder);
    return true;
}

void CPictureListView::OnMouseMove(UINT flags, CPoint point)
{
    CKQPicListView::OnMouseMove(flags, point);
    CRect left, right;
    const bool buttons = GetItemButtonRects(m_nHover, &left, &right);
    const bool overExport = buttons && right.PtInRect(point);
    const bool overMenu = buttons && !left.IsRectEmpty() && left.PtInRect(point);
    if (overExport != m_bOverItemExport || overMenu != m_bOverItemMenu) {
        m_bOverItemExport = overExport;
        m_bOverItemMenu = overMenu;
        RedrawItemButtons();
    }
    // The tool bar that opened its second row by itself folds back once the pointer is near it.
    auto* frame = dynamic_cast<CMainFrame*>(GetParent());
    CRect client;
    GetClientRect(&client);
    if (frame && point.y < client.Height() / 6 && frame->m_wndToolBar.GetSafeHwnd() && frame->m_wndToolBar.m_bExpanded &&
        frame->m_wndToolBar.m_bHoverExpanded)
        frame->m_wndToolBar.Collapse();
}

// A button that lights or goes dark changes its own square alone: what lay under the buttons
// when they were last drawn is put back, the buttons are drawn on it again and only their
// squares are shown again, which is what a repaint of the whole list would show.
void CPictureListView::RedrawItemButtons()
{
    // The underlay must be of the cell where it is now, with nothing drawn over it since.
    CRect left, right;
    const int top = m_nType == KQ_TOOLBAR_TOP ? m_nHeight : 0;
    const bool placed = GetItemButtonRects(m_nHover, &left, &right);
    left.OffsetRect(0, -top);
    right.OffsetRect(0, -top);
    const CRect bitmap(0, 0, m_memDC.GetWidth(), m_memDC.GetHeight());
    const bool kept = placed && m_nButtonsUnderItem == m_nHover && m_memDC.GetBits() && !m_bLoading &&
                      m_strSplash.IsEmpty() && !m_animate.IsVisabled() && !m_bBand && !m_bDragging &&
                      m_buttonsUnder.bitmapWidth == bitmap.Width() && m_buttonsUnder.bitmapHeight == bitmap.Height() &&
                      m_buttonsUnder.rect[0] == (left & bitmap) && m_buttonsUnder.rect[1] == (right & bitmap);
    if (!kept) {
        DrawListView();
        return;
    }
    ::GdiFlush();
    for (int k = 0; k < 2; ++k) {
        const CRect& r = m_buttonsUnder.rect[k];
        if (r.IsRectEmpty())
            continue;
        m_buttonsUnder.Restore(k, m_memDC.GetBits(), m_memDC.GetWidth(), m_memDC.GetBitsPerPixel());
        CRect shown(r);
        shown.OffsetRect(0, top);
        InvalidateRect(&shown, FALSE);
    }
    DrawItemButtons(left, right);
}

void CPictureListView::ButtonsUnder::Save(int k, const CRect& r, const BYTE* bits, int width, int height, int bpp)
{
    bitmapWidth = width;
    bitmapHeight = height;
    rect[k] = r & CRect(0, 0, width, height);
    pixels[k].clear();
    if (rect[k].IsRectEmpty())
        return;
    const size_t stride = size_t((width * bpp + 31) / 32 * 4), row = size_t(rect[k].Width() * bpp / 8);
    for (int y = rect[k].top; y < rect[k].bottom; ++y) {
        const BYTE* from = bits + stride * size_t(y) + size_t(rect[k].left * bpp / 8);
        pixels[k].insert(pixels[k].end(), from, from + row);
    }
}

void CPictureListView::ButtonsUnder::Restore(int k, BYTE* bits, int width, int bpp) const
{
    const size_t stride = size_t((width * bpp + 31) / 32 * 4), row = size_t(rect[k].Width() * bpp / 8);
    const BYTE* from = pixels[k].data();
    for (int y = rect[k].top; y < rect[k].bottom; ++y, from += row)
        memcpy(bits + stride * size_t(y) + size_t(rect[k].left * bpp / 8), from, row);
}

std::wstring CPictureListView::HoverTipText(const wchar_t* name, int width, int height, uint64_t size)
{
    wchar_t sizeText[256] = {};
    FormatSizeText64(false, sizeText, size);
    wchar_t text[512] = {};
    _snwprintf(text, 511, L"%ls\r\n%d x %d  %ls", name ? name : L"", width, height, sizeText);
    return text;
}

// A picture shows its details in the pane and its name, size and file size in the tip; folders,
// Download More and anything hovered while the folder is read keep the base's tip.
void CPictureListView::OnHoverItem(KQ_PIC_LIST_ITEM* item)
{
    if (!item || item->pImage == &m_imgLoading[0] || item->pImage == &m_imgLoading[1])
        return;
    const bool picture = item->pInfo && !(item->nState & KQLS_FOLDER) && item->pImage != &m_imgDownloadMore;
    if (!picture || IsScanning()) {
        CKQPicListView::OnHoverItem(item);
        return;
    }
    if (m_hovered)
        m_hovered(item);
    if (item->strText.GetLength() > 0 && m_pToolTipCtrl && m_pToolTipCtrl->GetSafeHwnd()) {
        m_strHoverTip = HoverTipText(item->strText.GetString(), int(item->pInfo->nWidth), int(item->pInfo->nHeight),
                                     item->pInfo->nFileSize);
        // A tip on screen goes, to come back over the new item after the usual wait with its
        // text; a hidden one only takes the text, which saves the pointer two round trips to the
        // tip at every item it crosses.
        const bool shown = m_pToolTipCtrl->IsWindowVisible() != FALSE;
        if (shown)
            m_pToolTipCtrl->Activate(FALSE);
        m_pToolTipCtrl->UpdateTipText(m_strHoverTip.c_str(), this);
        if (shown)
            m_pToolTipCtrl->Activate(TRUE);
    }
}

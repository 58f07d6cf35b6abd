// The window of the picture list: layout, painting, scrolling, timers and the private messages.
// Everything runs on the window's thread; the scan and preview threads reach it by posting.
#include <algorithm>
#include "FileIO.h"
#include "KQPicListView.h"
#include "PhotoDate.h"
#include "UIKitIds.h"
#include "ZVUILibApp.h"

namespace {
const UINT_PTR kRepaintTimer = 0;
const UINT_PTR kAnimateTimer = 2;
const UINT kAnimateMilliseconds = 40;
const UINT kScrollBarId = 100;
const COLORREF kGrey = RGB(128, 128, 128);
// From this content height on, the scroll messages' 16-bit position would overflow.
const int kTrackPosLimit = 30001;

// Cell width by icon size; the picture box is three quarters as high.
const int kCellWidths[] = {200, 128, 192, 256, 342};

// Badge pictures by cell size: s <= 96, 96 < s <= 192, s > 192. A zoom of 0 takes the
// picture's natural size; -1 zooms to s / 4.
struct BadgeRow {
    CKQPicListView::Badge badge;
    unsigned int ids[3];
    int zoom[3];
};
const BadgeRow kBadges[] = {
    {CKQPicListView::BADGE_CLOSE, {IDB_KQ_PLV_CLOSE, IDB_KQ_PLV_CLOSE, IDB_KQ_PLV_CLOSE}, {24, -1, 0}},
    {CKQPicListView::BADGE_ADD, {IDB_KQ_PLV_ADD_S, IDB_KQ_PLV_ADD_L, IDB_KQ_PLV_ADD_L}, {0, -1, 0}},
    {CKQPicListView::BADGE_SELECT, {IDB_KQ_PLV_SELECT, IDB_KQ_PLV_SELECT, IDB_KQ_PLV_SELECT}, {24, -1, 0}},
    {CKQPicListView::BADGE_CUT, {IDB_KQ_PLV_CUT_S, IDB_KQ_PLV_CUT_M, IDB_KQ_PLV_CUT_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_COPY, {IDB_KQ_PLV_COPY_S, IDB_KQ_PLV_COPY_M, IDB_KQ_PLV_COPY_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_READONLY, {IDB_KQ_PLV_READONLY_S, IDB_KQ_PLV_READONLY_M, IDB_KQ_PLV_READONLY_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_HIDDEN, {IDB_KQ_PLV_HIDDEN_S, IDB_KQ_PLV_HIDDEN_M, IDB_KQ_PLV_HIDDEN_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_FAVORITE, {IDB_KQ_PLV_FAVORITE_S, IDB_KQ_PLV_FAVORITE_M, IDB_KQ_PLV_FAVORITE_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_DOWNLOAD, {IDB_KQ_PLV_DOWNLOAD_S, IDB_KQ_PLV_DOWNLOAD_S, IDB_KQ_PLV_DOWNLOAD_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_DOWNLOADING, {IDB_KQ_PLV_DOWNLOADING_S, IDB_KQ_PLV_DOWNLOADING_S, IDB_KQ_PLV_DOWNLOADING_L}, {0, 0, 0}},
    {CKQPicListView::BADGE_ALERT, {IDB_KQ_PLV_ALERT_S, IDB_KQ_PLV_ALERT_S, IDB_KQ_PLV_ALERT_L}, {0, 0, 0}},
};

// The folder picture by the smaller side of a cell.
unsigned int FolderPictureFor(int s)
{
    if (s >= 256)
        return IDB_KQ_PLV_FOLDER_256;
    if (s >= 192)
        return IDB_KQ_PLV_FOLDER_192;
    if (s >= 144)
        return IDB_KQ_PLV_FOLDER_144;
    if (s >= 96)
        return IDB_KQ_PLV_FOLDER_96;
    if (s >= 64)
        return IDB_KQ_PLV_FOLDER_64;
    return IDB_KQ_PLV_FOLDER_48;
}

bool IsAnimating(const CKQImageFile* picture, int animate)
{
    return picture && animate && picture->m_bAnimate && picture->m_nAnimateSteps > 0;
}
} // namespace

BEGIN_MESSAGE_MAP(CKQPicListView, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSELEAVE()
    ON_WM_SETCURSOR()
    ON_WM_CONTEXTMENU()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(KQLV_MSG_PREVIEW_TIMER, OnPreviewTimer)
    ON_MESSAGE(KQLV_MSG_UPDATE_VIEW, OnUpdateView)
    ON_MESSAGE(KQLV_MSG_UPDATE_FOLDER, OnUpdateFolder)
    ON_MESSAGE(KQLV_MSG_FOLDER_CHANGED, OnFolderChanged)
    ON_MESSAGE(KQLV_MSG_SHOW_LOADING, OnShowLoading)
END_MESSAGE_MAP()

BOOL CKQPicListView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CKQPicListView::PreTranslateMessage(MSG* pMsg)
{
    if (m_pToolTipCtrl && m_pToolTipCtrl->GetSafeHwnd())
        m_pToolTipCtrl->RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

int CKQPicListView::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_nScrollBarWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    if (CBCGPTooltipManager::CreateToolTip(m_pToolTipCtrl, this, BCGP_TOOLTIP_TYPE_DEFAULT) && m_pToolTipCtrl) {
        m_pToolTipCtrl->Activate(TRUE);
        m_pToolTipCtrl->AddTool(this, L"");
        m_pToolTipCtrl->SetMaxTipWidth(150);
        m_pToolTipCtrl->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    m_wndScrollBar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, m_nScrollBarWidth, 10), this, kScrollBarId);
    m_clrBackground = globalData.clrWindow;
    m_clrText = globalData.clrWindowText;
    LOGFONTW lf = {};
    if (globalData.fontIconTitle.m_hObject && ::GetObjectW(globalData.fontIconTitle.m_hObject, sizeof(lf), &lf))
        m_font.CreateFontIndirect(&lf);
    else
        m_font.CreateStockObject(DEFAULT_GUI_FONT);
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_font);
        m_szLine = dc.GetTextExtent(L"O", 1);
        dc.SelectObject(old);
    }
    m_memDC.CreateCompatibleDC(nullptr);
    m_pOwner = this;
    m_pToolTip = m_pToolTipCtrl;
    m_pBkColor = &m_clrBackground;
    m_pFont = &m_font;
    m_nScrollPos = 0;
    m_nIconSize = -1;
    ChangeIconSize(KQ_LS_ICON_MEDIUM, false);
    m_visible.clear();
    m_nHover = -1;
    const HMODULE module = GetZVUILibModule();
    m_imgBackground.LoadPNG(IDB_KQ_PLV_BACKGROUND, module);
    m_imgFolder.LoadPNG(IDB_KQ_PLV_FOLDER_256, module);
    m_imgLoading[0].LoadPNG(IDB_KQ_PLV_LOADING, module);
    m_imgLoading[1].LoadPNG(IDB_KQ_PLV_LOADING2, module);
    m_imgBroken.LoadPNG(IDB_KQ_PLV_BROKEN, module);
    m_imgLargeFolder.LoadPNG(IDB_KQ_PLV_FOLDER_LARGE, module);
    m_animate.SetOwner(this);
    m_animate.OnCreate();
    RecalclayoutTagSize();
    m_bWindowAlive = true;
    return 0;
}

void CKQPicListView::OnDestroy()
{
    m_bWindowAlive = false;
    StopAll();
    KillTimer(kRepaintTimer);
    KillTimer(kAnimateTimer);
    m_animate.ShowLoading(false);
    m_animate.OnDestroy();
    CBCGPTooltipManager::DeleteToolTip(m_pToolTipCtrl);
    m_pToolTip = nullptr;
    CWnd::OnDestroy();
}

// A minimised window has an empty client: it keeps no bitmap and paints nothing.
void CKQPicListView::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_nClientWidth = cx;
    m_nClientHeight = cy;
    if (m_nType != KQ_TOOLBAR_NONE) {
        m_nClientHeight = std::max(0, cy - m_nHeight);
        m_dcToolBar.AdjustGDIBitmap(cx, std::min(cy, m_nHeight), 32);
    }
    m_memDC.AdjustGDIBitmap(cx, m_nClientHeight, 32);
    RequestPreviewUpdate();
    Recalclayout();
    DrawListView();
}

BOOL CKQPicListView::OnEraseBkgnd(CDC* /*pDC*/)
{
    return FALSE;
}

void CKQPicListView::OnPaint()
{
    CPaintDC dc(this);
    const int strip = m_dcToolBar.GetBits() ? m_dcToolBar.GetHeight() : 0;
    const int listTop = m_nType == KQ_TOOLBAR_TOP ? strip : 0;
    if (m_memDC.GetBits())
        ::BitBlt(dc.m_hDC, 0, listTop, m_memDC.GetWidth(), m_memDC.GetHeight(), m_memDC.m_hDC, 0, 0, SRCCOPY);
    if (strip && m_nType != KQ_TOOLBAR_NONE) {
        const int top = m_nType == KQ_TOOLBAR_TOP ? 0 : m_nClientHeight;
        ::BitBlt(dc.m_hDC, 0, top, m_dcToolBar.GetWidth(), strip, m_dcToolBar.m_hDC, 0, 0, SRCCOPY);
    }
}

// ---------------------------------------------------------------------------------------------
// Layout

void CKQPicListView::ChangeIconSize(KQ_LS_ICON_SIZE size, bool redraw)
{
    const int index = int(size);
    if (index < 0 || index > 4)
        return;
    m_nIconSize = index;
    m_bListMode = index == 0;
    int width = kCellWidths[index], height = width * 3 / 4;
    if (m_bListMode) {
        height = 64;
        if (!m_bShowName && !m_bShowSize && !m_bShowDate)
            width = 64;
    } else {
        if (m_bShowName)
            height += 2 * m_szLine.cy;
        if (m_bShowSize || m_bShowDate)
            height += m_szLine.cy;
    }
    ChangeIconSize(width, height, redraw);
}

void CKQPicListView::ChangeIconSize(int width, int height, bool redraw)
{
    m_nCellWidth = width;
    m_nCellHeight = height;
    if (m_bListMode) {
        m_nBoxWidth = height;
        m_nBoxHeight = height;
    } else {
        int box = height;
        if (m_bShowName)
            box -= 2 * m_szLine.cy;
        if (m_bShowSize || m_bShowDate)
            box -= m_szLine.cy;
        m_nBoxWidth = width;
        m_nBoxHeight = box;
    }
    const int pitch = height + kListRowGap;
    m_nScrollPos = ListScrollAfterPitchChange(m_nScrollPos, pitch);
    if (m_wndScrollBar.GetSafeHwnd())
        m_wndScrollBar.SetScrollPos(m_nScrollPos, FALSE);
    RecalclayoutTagSize();
    Recalclayout();
    if (redraw)
        PostUpdateView();
}

void CKQPicListView::Recalclayout()
{
    KQListLayoutInput in;
    in.clientWidth = m_nClientWidth;
    in.clientHeight = m_nClientHeight;
    in.scrollBarWidth = m_nScrollBarWidth;
    in.cellWidth = m_nCellWidth;
    in.cellHeight = m_nCellHeight;
    in.itemCount = GetItemCount();
    in.scrollPos = m_nScrollPos;
    m_layout = ComputeListLayout(in);
    m_nScrollPos = m_layout.scrollPos;
    m_nColumns = m_layout.columns;
    RecalclayoutIcon(true);
    if (m_wndScrollBar.GetSafeHwnd()) {
        if (m_layout.scrollBar && !m_bLoading && !m_animate.IsVisabled() && m_strSplash.IsEmpty()) {
            const int top = m_nType == KQ_TOOLBAR_TOP ? m_nHeight : 0;
            const int height = m_nClientHeight + (m_nType == KQ_TOOLBAR_BOTTOM ? m_nHeight : 0);
            // Moved only when its place changes: each scroll step comes through here.
            const CRect place(m_layout.width, top, m_layout.width + m_nScrollBarWidth, top + height);
            CRect now;
            m_wndScrollBar.GetWindowRect(&now);
            ScreenToClient(&now);
            if (!::EqualRect(&now, &place) || !m_wndScrollBar.IsWindowVisible())
                m_wndScrollBar.SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            // The bar is drawn with the next paint, not here: a layout step (a folder filled,
            // each scroll step) does not wait for the bar's drawing.
            SCROLLINFO si = {sizeof(si), SIF_ALL, 0, m_layout.contentHeight, UINT(m_nClientHeight), m_nScrollPos, m_nScrollPos};
            m_wndScrollBar.SetScrollInfo(&si, FALSE);
            m_wndScrollBar.Invalidate(FALSE);
            m_bScrollBarShown = true;
        } else if (m_bScrollBarShown || m_wndScrollBar.IsWindowVisible()) {
            m_wndScrollBar.ShowWindow(SW_HIDE);
            m_bScrollBarShown = false;
        }
    }
    if (m_nType != KQ_TOOLBAR_NONE)
        CKQPLVToolBar::Recalclayout();
}

void CKQPicListView::RecalclayoutIcon(bool lock)
{
    if (lock)
        Lock();
    const int count = GetItemCount();
    ComputeVisibleRange(m_layout, m_nClientHeight, count);
    m_visible.resize(size_t(std::max(m_layout.visibleCount, 0)));
    int filled = 0;
    for (int k = 0; k < m_layout.visibleCount; ++k) {
        KQ_PIC_LIST_VISIBLE& cell = m_visible[size_t(filled)];
        const int index = m_layout.firstIndex + k;
        cell.item = KQ_PIC_LIST_ITEM();
        if (!GetItem(index, &cell.item))
            break;
        cell.index = index;
        cell.rect = ListCellRect(m_layout, index, m_nCellWidth, m_nCellHeight);
        ++filled;
    }
    m_visible.resize(size_t(filled));
    const int first = filled ? m_visible.front().index : -1;
    const bool moved = first != m_nFirstVisible || filled != m_nVisibleCount;
    m_nVisibleCount = filled;
    m_nFirstVisible = first;
    if (lock)
        Unlock();
    // The preview thread loads what shows; it hears of a new range only when there is one.
    if (moved)
        RequestPreviewUpdate();
}

void CKQPicListView::RequestPreviewUpdate()
{
    UpdatePreviewImageList(std::max(int(m_nFirstVisible), 0), m_nVisibleCount, false);
}

bool CKQPicListView::RecalclayoutTagSize(CZVImage& picture, int size, unsigned int resId, HINSTANCE module)
{
    if (!picture.LoadPNG(resId, module ? module : GetZVUILibModule()))
        return false;
    return size <= 0 || picture.Zoom(size, size);
}

bool CKQPicListView::RecalclayoutTagSize(CZVImage& picture, CSize& size, unsigned int resId, HINSTANCE module)
{
    if (!picture.LoadPNG(resId, module ? module : GetZVUILibModule())) {
        size = CSize(0, 0);
        return false;
    }
    size = CSize(long(picture.GetWidth()), long(picture.GetHeight()));
    return true;
}

// Badges of a natural size grow with the screen's image scale, so that they stay legible at
// high resolutions; those zoomed to a quarter of the cell follow the cell already.
void CKQPicListView::RecalclayoutTagSize()
{
    const int s = std::min(m_nCellWidth, m_nCellHeight);
    const int column = s <= 96 ? 0 : s <= 192 ? 1 : 2;
    const double scale = std::max(1.0, globalData.m_dblImageScale);
    m_imgFolder.LoadPNG(FolderPictureFor(s), GetZVUILibModule());
    m_imgFolder.ClearSmallImage();
    for (const BadgeRow& row : kBadges) {
        CKQImageFile& picture = m_imgBadge[row.badge];
        CSize& size = m_szBadge[row.badge];
        picture.ClearSmallImage();
        const int zoom = row.zoom[column];
        if (zoom == -1) {
            RecalclayoutTagSize(picture, s / 4, row.ids[column], nullptr);
            size = CSize(s / 4, s / 4);
        } else if (zoom > 0) {
            const int side = int(zoom * scale);
            RecalclayoutTagSize(picture, side, row.ids[column], nullptr);
            size = CSize(side, side);
        } else if (RecalclayoutTagSize(picture, size, row.ids[column], nullptr) && scale > 1.0) {
            size = CSize(int(size.cx * scale), int(size.cy * scale));
            picture.Zoom(size.cx, size.cy);
        }
    }
}

bool CKQPicListView::IsItemVisible(int index)
{
    return IndexToScrIndex(index) >= 0;
}

int CKQPicListView::IndexToScrIndex(int index)
{
    for (size_t i = 0; i < m_visible.size(); ++i)
        if (m_visible[i].index == index)
            return int(i);
    return -1;
}

// The point is in the window's client coordinates.
int CKQPicListView::GetItemOnPoint(const CPoint& point, int* cell)
{
    CPoint local = point;
    if (m_nType == KQ_TOOLBAR_TOP)
        local.y -= m_nHeight;
    for (size_t i = 0; i < m_visible.size(); ++i)
        if (m_visible[i].rect.PtInRect(local)) {
            if (cell)
                *cell = int(i);
            return m_visible[i].index;
        }
    if (cell)
        *cell = -1;
    return -1;
}

bool CKQPicListView::EnsureVisible(int index, bool redraw)
{
    Recalclayout();
    if (m_visible.empty())
        return false;
    if (IsItemVisible(index))
        return true;
    if (index < 0 || index >= GetItemCount())
        return false;
    m_nScrollPos = ClampListScroll(index / std::max(m_layout.columns, 1) * m_layout.pitch + kListRowGap,
                                   m_layout.contentHeight, m_nClientHeight);
    Recalclayout();
    if (IsItemVisible(index))
        m_nHover = index;
    if (redraw)
        DrawListView();
    return true;
}

void CKQPicListView::ScrollTo(int pos)
{
    m_nScrollPos = m_layout.scrollBar ? ClampListScroll(pos, m_layout.contentHeight, m_nClientHeight) : 0;
    Recalclayout();
    RequestPreviewUpdate();
    DrawListView();
}

// ---------------------------------------------------------------------------------------------
// Painting

void CKQPicListView::DrawListView()
{
    if (!m_memDC.GetBits() || !m_hWnd)
        return;
    const CRect client(0, 0, m_memDC.GetWidth(), m_memDC.GetHeight());
    if (m_bTileBackground && m_imgBackground.IsValid())
        m_imgBackground.Tile(m_memDC.m_hDC, &client);
    else
        m_memDC.FillSolidRect(&client, m_clrBackground);
    const bool strip = m_nType != KQ_TOOLBAR_NONE && m_dcToolBar.GetBits();
    if (m_bLoading) {
        m_animate.OnDrawLoading(&m_memDC, client);
        if (strip)
            DrawToolBar(m_nClientWidth, m_nHeight);
        return;
    }
    if (!m_strSplash.IsEmpty() || m_animate.IsVisabled()) {
        m_animate.OnDrawSplash(&m_memDC, client);
        if (strip)
            DrawToolBar(m_nClientWidth, m_nHeight);
        Invalidate(FALSE);
        return;
    }
    Lock();
    // The pictures are taken again under this lock: those of the last layout may have been
    // replaced by the preview thread since.
    RecalclayoutIcon(false);
    bool animating = false;
    for (KQ_PIC_LIST_VISIBLE& cell : m_visible) {
        if (!cell.item.pImage)
            continue;
        animating = animating || IsAnimating(cell.item.pImage, m_nAnimate);
        DrawListIcon(&cell);
        if (!m_bSingleSelect && cell.index == m_nHover)
            DrawFocusRect(cell.rect, &cell);
    }
    DrawInteraction();
    if (animating && !m_bAnimating) {
        SetTimer(kAnimateTimer, kAnimateMilliseconds, nullptr);
        m_bAnimating = true;
    }
    if (strip)
        DrawToolBar(m_nClientWidth, m_nHeight);
    Unlock();
    Invalidate(FALSE);
    UpdateWindow();
}

void CKQPicListView::DrawListIcon(KQ_PIC_LIST_VISIBLE* cell)
{
    if (!cell || !m_memDC.GetBits())
        return;
    HDC dc = m_memDC.m_hDC;
    if (!m_bTileBackground)
        m_memDC.FillSolidRect(&cell->rect, m_clrBackground);
    const bool anyText = m_bShowName || m_bShowSize || m_bShowDate;
    const bool fileLine = m_bShowSize || m_bShowDate;
    const int lines = (m_bShowName ? m_nNameLines : 0) + (fileLine ? 1 : 0);
    const KQCellBoxes boxes = ComputeCellBoxes(cell->rect, m_bListMode, anyText, lines, m_szLine.cy);
    const CRect picture(boxes.picture), text(boxes.text);
    CKQImageFile* image = cell->item.pImage;
    CBCGPDrawManager dm(m_memDC);
    CRect drawn(picture);
    const bool animating = IsAnimating(image, m_nAnimate);
    if (image == &m_imgFolder || (cell->item.nState & KQLS_FOLDER)) {
        DrawFolderIcon(dm, cell, picture, &drawn);
    } else if (image == &m_imgLoading[0] || m_nFitMode == 0) {
        RECT used = picture;
        image->DrawAutoFit(dc, picture, &used, animating);
        drawn = used;
    } else if (long(image->GetWidth()) >= picture.Width() && long(image->GetHeight()) >= picture.Height()) {
        image->DrawFullSupport(dc, picture, animating);
    } else {
        RECT used = picture;
        image->DrawAutoFit(dc, picture, &used, animating);
        drawn = used;
    }
    if (!animating && !image->AlphaIsValid())
        dm.DrawShadow(drawn, std::max(m_nIconSize, 0) + 1, 100, 50);
    if (m_bListMode)
        DrawItemHorzText(picture, text, cell);
    else if (anyText)
        DrawItemText(picture, text, cell);
    const uint32_t state = cell->item.nState;
    const CRect& r = cell->rect;
    if (state & KQLS_CUT)
        DrawItemCut(picture, text, r);
    if (state & KQLS_COPIED)
        DrawItemCopy(picture, text, r);
    if (state & KQLS_SELECTED) {
        if (m_bSingleSelect)
            DrawFocusRect(r, cell);
        else
            DrawItemSelect(picture, text, r);
    }
    if (state & KQLS_READONLY)
        DrawItemReadOnly(picture, text, r);
    if (state & KQLS_HIDDEN)
        DrawItemHidden(picture, text, r);
    if (state & KQLS_DOWNLOADING)
        DrawItemDownloading(picture, text, r);
    else if (state & KQLS_DOWNLOAD)
        DrawItemDownload(picture, text, r);
    if (state & KQLS_ALERT)
        DrawItemAlert(picture, text, r);
    if (state & KQLS_FAVORITE)
        DrawItemFavorite(picture, text, r);
    if (state & KQLS_CLOSE_BUTTON)
        DrawItemCloseBT(picture, text, r);
    if (state & KQLS_ADD_BUTTON)
        DrawItemAddBT(picture, text, r);
}

void CKQPicListView::DrawBadge(Badge badge, const CRect& /*picture*/, const CRect& text, const CRect& cell)
{
    const CKQImageFile& image = m_imgBadge[badge];
    const CSize size = m_szBadge[badge];
    if (!image.IsValid() || size.cx <= 0)
        return;
    CRect at;
    switch (badge) {
    case BADGE_CUT:
    case BADGE_COPY:
        at = CRect(text.left, text.bottom - size.cy, text.left + size.cx, text.bottom);
        break;
    case BADGE_SELECT:
        at = CRect(text.right - size.cx, text.bottom - size.cy, text.right, text.bottom);
        break;
    case BADGE_READONLY:
    case BADGE_HIDDEN:
    case BADGE_FAVORITE:
        at = CRect(cell.left, cell.top, cell.left + size.cx, cell.top + size.cy);
        break;
    case BADGE_DOWNLOAD:
    case BADGE_DOWNLOADING:
    case BADGE_CLOSE:
        at = CRect(cell.right - size.cx, cell.top, cell.right, cell.top + size.cy);
        break;
    default: // alert, add
        at = CRect(cell.left, cell.bottom - size.cy, cell.left + size.cx, cell.bottom);
        break;
    }
    image.Draw(m_memDC.m_hDC, at, nullptr, true);
}

namespace {
// Draws a name in the box: on one line when it fits, else wrapped with an ellipsis at the end
// (and within words when it is very long).
void DrawName(HDC dc, const wchar_t* text, int length, CRect box, int wrapFactor)
{
    SIZE extent = {0, 0};
    ::GetTextExtentPoint32W(dc, text, length, &extent);
    const UINT common = DT_CENTER | DT_NOPREFIX;
    if (extent.cx <= box.Width()) {
        ::DrawTextW(dc, text, length, &box, common | DT_VCENTER | DT_SINGLELINE);
    } else if (extent.cx < wrapFactor * box.Width()) {
        ::DrawTextW(dc, text, length, &box, common | DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
    } else {
        ::DrawTextW(dc, text, length, &box, common | DT_WORDBREAK | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_EDITCONTROL);
    }
}

ALT::TString<wchar_t, 0, 8> FileLine(const IMAGR_FILE_INFO& info, bool size, bool date, bool listMode)
{
    ALT::TString<wchar_t, 0, 8> line;
    if (size) {
        wchar_t text[256] = {};
        FormatFileSize(int64_t(info.nFileSize), text);
        line += text;
        line += L"  ";
    }
    if (date) {
        if (listMode) {
            wchar_t text[32] = {};
            const __time64_t t = info.tLastWrite;
            struct tm local = {};
            if (_localtime64_s(&local, &t) == 0)
                wcsftime(text, 32, L"%Y-%m-%d", &local);
            line += text;
        } else {
            ALT::TString<wchar_t, 0, 8> text;
            TimeToStr(info.tLastWrite, text);
            line += text;
        }
    }
    return line;
}
} // namespace

namespace {
// The texts of a cell: the name (wrapped when long) and, for a file, its size and date in grey on
// the last line. List rows inset the name less and wrap it later.
struct EntryTextStyle {
    HFONT font;
    COLORREF text;
    int lineHeight;
    bool name, size, date, listMode;
};

void PaintEntryText(HDC dc, const EntryTextStyle& style, const CRect& box, const KQ_PIC_LIST_ITEM& item)
{
    HGDIOBJ old = ::SelectObject(dc, style.font);
    ::SetBkMode(dc, TRANSPARENT);
    const bool isFile = !(item.nState & KQLS_FOLDER);
    const bool fileLine = style.size || style.date;
    CRect name(box);
    if (isFile && fileLine)
        name.bottom -= style.lineHeight;
    name.DeflateRect(style.listMode ? 3 : 5, 0);
    if (style.name) {
        ::SetTextColor(dc, style.text);
        DrawName(dc, item.strText.GetString(), item.strText.GetLength(), name, style.listMode ? 3 : 2);
    }
    if (fileLine && isFile && item.pInfo) {
        const auto line = FileLine(*item.pInfo, style.size, style.date, style.listMode);
        CRect strip(box.left, box.bottom - style.lineHeight, box.right, box.bottom);
        ::SetTextColor(dc, kGrey);
        ::DrawTextW(dc, line.GetString(), line.GetLength(), &strip, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    ::SelectObject(dc, old);
}
} // namespace

void CKQPicListView::DrawItemText(const CRect& /*picture*/, const CRect& text, KQ_PIC_LIST_VISIBLE* cell)
{
    const EntryTextStyle style = {HFONT(m_font.m_hObject), m_clrText, int(m_szLine.cy), m_bShowName, m_bShowSize, m_bShowDate, false};
    PaintEntryText(m_memDC.m_hDC, style, text, cell->item);
}

void CKQPicListView::DrawItemHorzText(const CRect& /*picture*/, const CRect& text, KQ_PIC_LIST_VISIBLE* cell)
{
    const EntryTextStyle style = {HFONT(m_font.m_hObject), m_clrText, int(m_szLine.cy), m_bShowName, m_bShowSize, m_bShowDate, true};
    PaintEntryText(m_memDC.m_hDC, style, text, cell->item);
}

void CKQPicListView::DrawFolderItemText(const CRect& area, KQ_PIC_LIST_VISIBLE* cell)
{
    HDC dc = m_memDC.m_hDC;
    CRect box(area);
    if (m_strFolder.IsEmpty() || !m_folderBrowser.m_pFileIO->IsDir(m_strFolder.GetString()))
        box.top = std::max(box.top, box.bottom - 2 * m_szLine.cy);
    const int s = std::min(box.Width(), box.Height());
    const int lines = std::min((box.Height() / 2) / std::max(int(m_szLine.cy), 1), 3);
    const int height = std::min(s, lines * int(m_szLine.cy));
    CRect text(0, 0, s, height);
    text.OffsetRect(box.left + (box.Width() - s) / 2, box.top + (box.Height() - height) / 2 + m_szLine.cy / 2);
    text.DeflateRect(10, 0);
    HGDIOBJ old = ::SelectObject(dc, m_font.m_hObject);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    const auto& name = cell->item.strText;
    SIZE extent = {0, 0};
    ::GetTextExtentPoint32W(dc, name.GetString(), name.GetLength(), &extent);
    if (extent.cx <= text.Width())
        ::DrawTextW(dc, name.GetString(), name.GetLength(), &text, DT_CENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_NOPREFIX);
    else
        ::DrawTextW(dc, name.GetString(), name.GetLength(), &text,
                    DT_CENTER | DT_WORDBREAK | DT_WORD_ELLIPSIS | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SelectObject(dc, old);
}

void CKQPicListView::DrawFocusRect(const CRect& rect, KQ_PIC_LIST_VISIBLE* /*cell*/)
{
    CRect r(rect);
    r.InflateRect(5, 5);
    CBCGPDrawManager dm(m_memDC);
    dm.HighlightRect(r, 30, (COLORREF)-1, 0, globalData.clrHilite);
    r.InflateRect(1, 1);
    dm.DrawRect(r, (COLORREF)-1, globalData.clrHilite);
}

void CKQPicListView::DrawFolderIcon(CBCGPDrawManager& dm, KQ_PIC_LIST_VISIBLE* cell, const CRect& box, CRect* drawn)
{
    HDC dc = m_memDC.m_hDC;
    // The folder's previews; the entry's own picture when it has one (SetFolderImage).
    ALT::TList<CKQImageFile>* previews = nullptr;
    int folderIndex = cell->index;
    if (folderIndex >= 0 && folderIndex < m_folderBrowser.m_lstFolder.GetCount())
        previews = m_folderBrowser.m_lstFolder.GetAt(folderIndex)->m_pPreviews;
    const bool havePreviews = previews && previews->GetCount() > 0;
    CKQImageFile* folderPicture = cell->item.pImage ? cell->item.pImage : &m_imgFolder;
    // At the largest size without name lines every plain folder takes the large picture with its
    // name below, previews or not, so that the folders of a list look alike; a folder with a
    // picture of its own (a system icon) keeps it.
    const bool large = m_nIconSize == 4 && !m_bShowName && (havePreviews || folderPicture == &m_imgFolder);
    RECT used = box;
    if (large && m_imgLargeFolder.IsValid()) {
        m_imgLargeFolder.DrawAutoFit(dc, box, &used, false);
        CRect strip(cell->rect.left, used.bottom - (used.bottom - used.top) / 10 - 2, cell->rect.right, cell->rect.bottom);
        HGDIOBJ old = ::SelectObject(dc, m_font.m_hObject);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, m_clrText);
        ::DrawTextW(dc, cell->item.strText.GetString(), cell->item.strText.GetLength(), &strip,
                    DT_CENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_NOPREFIX);
        ::SelectObject(dc, old);
    } else {
        folderPicture->DrawAutoFit(dc, box, &used, false);
    }
    if (drawn)
        *drawn = used;
    if (havePreviews) {
        const int count = std::min(previews->GetCount(), m_nIconSize >= 2 ? 4 : 1);
        CRect area(box.left + box.Width() / 8, box.top + box.Height() / 3, box.right - box.Width() / 8,
                   box.bottom - box.Height() / 8);
        if (large) {
            area.DeflateRect(box.Width() / 20, 0);
            area.top += box.Height() / 10;
            area.bottom -= box.Height() / 16;
        }
        const int g = std::max(m_nIconSize, 0) / 2;
        const int mx = (area.left + area.right) / 2, my = (area.top + area.bottom) / 2;
        std::vector<CRect> places;
        auto first = previews->Begin();
        if (count == 1) {
            places.push_back(area);
        } else if (count == 2) {
            if (first->GetWidth() > first->GetHeight()) {
                places.push_back(CRect(area.left, area.top, area.right, my - g));
                places.push_back(CRect(area.left, my + g, area.right, area.bottom));
            } else {
                places.push_back(CRect(area.left, area.top, mx - g, area.bottom));
                places.push_back(CRect(mx + g, area.top, area.right, area.bottom));
            }
        } else {
            places.push_back(CRect(area.left, area.top, mx - g, my - g));
            places.push_back(CRect(mx + g, area.top, area.right, my - g));
            places.push_back(CRect(area.left, my + g, mx - g, area.bottom));
            places.push_back(CRect(mx + g, my + g, area.right, area.bottom));
        }
        auto it = first;
        for (int k = 0; k < count && it != previews->End(); ++k, it.Next()) {
            RECT at = places[size_t(k)];
            it->DrawAutoFit(dc, places[size_t(k)], &at, false);
            if (m_nIconSize > 0 && !it->AlphaIsValid())
                dm.DrawShadow(CRect(at), m_nIconSize, 100, 50);
        }
    }
    if (!m_bShowName && m_nIconSize >= 1 && !havePreviews && !(large && m_imgLargeFolder.IsValid()))
        DrawFolderItemText(box, cell);
}

void CKQPicListView::ShowSplash(const wchar_t* text, int pictureId)
{
    m_strSplash = text ? text : L"";
    m_nSplashRes = pictureId;
    m_animate.SetSplashPage(text, pictureId < 0 ? CAnimateImage::kNoSplash : unsigned(pictureId));
    if (m_hWnd) {
        Recalclayout();
        DrawListView();
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

void CKQPicListView::OnTimer(UINT_PTR id)
{
    if (OnInputTimer(id))
        return;
    if (id == kRepaintTimer) {
        if (m_bRepaintNeeded.exchange(false))
            PostUpdateView();
        return;
    }
    if (id == kAnimateTimer) {
        bool stepped = false;
        Lock();
        for (KQ_PIC_LIST_VISIBLE& cell : m_visible) {
            CKQImageFile* picture = cell.item.pImage;
            if (!IsAnimating(picture, m_nAnimate))
                continue;
            --picture->m_nAnimateSteps;
            stepped = true;
            if (picture->m_nAnimateSteps <= 0) {
                picture->m_bAnimate = 0;
                m_bRepaintNeeded = true;
            }
            DrawListIcon(&cell);
            if (!m_bSingleSelect && cell.index == m_nHover)
                DrawFocusRect(cell.rect, &cell);
        }
        Unlock();
        if (stepped) {
            Invalidate(FALSE);
            UpdateWindow();
        } else {
            KillTimer(kAnimateTimer);
            m_bAnimating = false;
        }
        return;
    }
    if (id == CAnimateImage::kTimerId) {
        m_animate.OnTimer();
        DrawListView();
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    CWnd::OnTimer(id);
}

void CKQPicListView::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (IsOperateDisabled(1)) {
        CWnd::OnVScroll(code, pos, bar);
        return;
    }
    const int pitch = std::max(m_layout.pitch, 1);
    int target = m_nScrollPos;
    switch (code) {
    case SB_LINEUP:
        target -= pitch / 6;
        break;
    case SB_LINEDOWN:
        target += pitch / 6;
        break;
    case SB_PAGEUP:
        target -= m_nClientHeight - m_nClientHeight % pitch;
        break;
    case SB_PAGEDOWN:
        target += m_nClientHeight - m_nClientHeight % pitch;
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = m_layout.contentHeight;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        if (m_layout.contentHeight >= kTrackPosLimit) {
            SCROLLINFO si = {sizeof(si), SIF_TRACKPOS};
            ::GetScrollInfo(m_wndScrollBar.GetSafeHwnd(), SB_CTL, &si);
            target = si.nTrackPos;
        } else {
            target = int(pos);
        }
        break;
    default:
        return;
    }
    ScrollTo(target);
}

BOOL CKQPicListView::OnMouseWheel(UINT /*flags*/, short delta, CPoint /*pt*/)
{
    if (IsOperateDisabled(1))
        return TRUE;
    const int step = m_layout.pitch / 6;
    ScrollTo(m_nScrollPos + (delta > 0 ? -step : step));
    return TRUE;
}

LRESULT CKQPicListView::OnUpdateView(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Recalclayout();
    DrawListView();
    return 0;
}

LRESULT CKQPicListView::OnUpdateFolder(WPARAM wParam, LPARAM lParam)
{
    UpdateFolder(reinterpret_cast<const wchar_t*>(lParam), wParam != 0);
    return 0;
}

LRESULT CKQPicListView::OnFolderChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CKQPicListView::OnShowLoading(WPARAM wParam, LPARAM /*lParam*/)
{
    m_bLoading = wParam != 0;
    m_animate.ShowLoading(m_bLoading);
    if (m_bLoading) {
        if (m_wndScrollBar.GetSafeHwnd())
            m_wndScrollBar.ShowWindow(SW_HIDE);
        m_bScrollBarShown = false;
        DrawListView();
    } else {
        Recalclayout();
        DrawListView();
    }
    return 0;
}

#include "GenericPicker.h"
#include <algorithm>
#include "SkinUI.h"
#include "ZVUILibApp.h"

namespace picker {

int Rows(int count, int columns)
{
    if (columns <= 0 || count <= 0)
        return 0;
    return (count + columns - 1) / columns;
}

SIZE PopupSize(int columns, int rows, SIZE cellSize, SIZE edge, bool extraRow)
{
    if (extraRow)
        ++rows;
    return SIZE{columns * (cellSize.cx + 2 * edge.cx) + 2 * edge.cx, rows * (cellSize.cy + 2 * edge.cy) + 2 * edge.cy};
}

RECT CellRect(int column, int row, SIZE cellSize, SIZE edge)
{
    const LONG left = edge.cx + column * (cellSize.cx + 2 * edge.cx) + edge.cx;
    const LONG top = edge.cy + row * (cellSize.cy + 2 * edge.cy) + edge.cy;
    return RECT{left, top, left + cellSize.cx, top + cellSize.cy};
}

bool CellAt(POINT p, int columns, int rows, SIZE cellSize, SIZE edge, int* column, int* row)
{
    const int pitchX = cellSize.cx + 2 * edge.cx, pitchY = cellSize.cy + 2 * edge.cy;
    if (pitchX <= 0 || pitchY <= 0 || p.x < edge.cx || p.y < edge.cy)
        return false;
    const int c = (p.x - edge.cx) / pitchX, r = (p.y - edge.cy) / pitchY;
    if (c >= columns || r >= rows)
        return false;
    *column = c;
    *row = r;
    return true;
}

RECT PopupPlace(const RECT& button, SIZE size, const RECT& work)
{
    RECT r{button.left, button.bottom, button.left + size.cx, button.bottom + size.cy};
    if (r.right > work.right) {
        r.left = work.right - size.cx;
        r.right = work.right;
    }
    if (r.left < work.left) {
        r.left = work.left;
        r.right = work.left + size.cx;
    }
    if (r.bottom > work.bottom) {
        r.bottom = button.top;
        r.top = button.top - size.cy;
    }
    return r;
}

BOOL LoadStrip(CImageList& list, HBITMAP strip)
{
    if (!list.GetSafeHandle() && !list.Create(24, 24, ILC_COLOR24 | ILC_MASK, 0, 8))
        return FALSE;
    list.RemoveAll();
    if (!strip)
        return FALSE;
    const int added = ImageList_AddMasked(list.GetSafeHandle(), strip, RGB(255, 255, 255));
    ::DeleteObject(strip);
    return added >= 0;
}

HBITMAP LoadStripResource(UINT id)
{
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        bitmap = static_cast<HBITMAP>(::LoadImageW(GetZVUILibModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return bitmap;
}

} // namespace picker

namespace {
const COLORREF kHover = RGB(150, 200, 255);
const int kHoverPercent = 30;
} // namespace

// The pop-up grid.

IMPLEMENT_DYNAMIC(CGenericPickerPopup, CWnd)

BEGIN_MESSAGE_MAP(CGenericPickerPopup, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
END_MESSAGE_MAP()

CGenericPickerPopup::CGenericPickerPopup(CGenericPicker* picker, LPARAM startCell)
    : m_pPicker(picker), m_cellStart(startCell), m_cellHover(startCell)
{
    m_sizeEdge = CSize(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
}

CGenericPickerPopup::~CGenericPickerPopup() = default;

BOOL CGenericPickerPopup::Create(CPoint)
{
    CRect button;
    m_pPicker->GetWindowRect(&button);
    m_sizeCell = button.Size();
    m_pPicker->MeasureSubItem(m_sizeCell);
    const SIZE size = picker::PopupSize(m_pPicker->GetColumns(), m_pPicker->GetRows(), m_sizeCell, m_sizeEdge,
                                        m_pPicker->ShowDefaultItem() != FALSE);
    // The work area of the monitor that holds the button, not only the primary screen.
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromRect(&button, MONITOR_DEFAULTTONEAREST), &monitor);
    m_rectWindow = picker::PopupPlace(button, size, monitor.rcWork);

    static const CString kClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC | CS_HREDRAW | CS_VREDRAW,
                                                      ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, L"", WS_POPUP | WS_VISIBLE, m_rectWindow, m_pPicker->GetParent(), 0))
        return FALSE;
    m_bMade = true;
    SetActiveWindow();
    SetFocus();
    SetCapture();
    return TRUE;
}

// A pop-up that never came up is deleted by the picker that made it.
void CGenericPickerPopup::PostNcDestroy()
{
    if (m_bMade)
        delete this;
}

BOOL CGenericPickerPopup::OnEraseBkgnd(CDC*) { return TRUE; }

void CGenericPickerPopup::OnPaint()
{
    skinui::PaintBuffered(this, [this](CDC* dc) {
        CRect client;
        GetClientRect(&client);
        ::FillRect(dc->GetSafeHdc(), client, ::GetSysColorBrush(COLOR_3DHILIGHT));
        const int columns = m_pPicker->GetColumns(), rows = m_pPicker->GetRows();
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                if (!m_pPicker->IsCellValid(column, row))
                    continue;
                DrawItemSubStruct item;
                item.rect = picker::CellRect(column, row, m_sizeCell, m_sizeEdge);
                item.pDC = dc;
                item.nRow = row;
                item.nColumn = column;
                const bool hovered = column == picker::CellColumn(m_cellHover) && row == picker::CellRow(m_cellHover);
                m_pPicker->DrawSubItem(item);
                if (hovered) {
                    CRect cell = item.rect;
                    cell.InflateRect(m_sizeEdge);
                    CBCGPDrawManager dm(*dc);
                    dm.HighlightRect(cell, kHoverPercent, (COLORREF)-1, 0, kHover);
                    dm.DrawRect(cell, (COLORREF)-1, kHover);
                }
            }
        }
        ::DrawEdge(dc->GetSafeHdc(), client, EDGE_RAISED, BF_RECT);
    });
}

void CGenericPickerPopup::Hover(int column, int row)
{
    const LPARAM cell = picker::PackCell(column, row);
    if (cell == m_cellHover)
        return;
    m_cellHover = cell;
    m_pPicker->SendMessage(WM_KQ_PICKER_SELCHANGE, static_cast<WPARAM>(cell));
    Invalidate(FALSE);
}

void CGenericPickerPopup::OnMouseMove(UINT, CPoint point)
{
    int column = 0, row = 0;
    if (picker::CellAt(point, m_pPicker->GetColumns(), m_pPicker->GetRows(), m_sizeCell, m_sizeEdge, &column, &row) &&
        m_pPicker->IsCellValid(column, row))
        Hover(column, row);
}

void CGenericPickerPopup::OnLButtonUp(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        End(false);
        return;
    }
    OnMouseMove(0, point);
    End(true);
}

// The keys of a drop-down list: arrows move over the valid cells, Enter picks, Escape cancels.
void CGenericPickerPopup::OnKeyDown(UINT nChar, UINT, UINT)
{
    int column = std::max(0, picker::CellColumn(m_cellHover)), row = std::max(0, picker::CellRow(m_cellHover));
    const int columns = m_pPicker->GetColumns(), rows = m_pPicker->GetRows();
    int dx = 0, dy = 0;
    switch (nChar) {
    case VK_LEFT:
        dx = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    case VK_RETURN:
        End(true);
        return;
    case VK_ESCAPE:
        End(false);
        return;
    default:
        return;
    }
    const int c = column + dx, r = row + dy;
    if (c >= 0 && c < columns && r >= 0 && r < rows && m_pPicker->IsCellValid(c, r))
        Hover(c, r);
}

void CGenericPickerPopup::OnActivate(UINT nState, CWnd*, BOOL)
{
    if (nState == WA_INACTIVE)
        End(false);
}

LRESULT CGenericPickerPopup::OnCaptureChanged(WPARAM, LPARAM) { return 0; }

LRESULT CGenericPickerPopup::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTARROWS; }

void CGenericPickerPopup::Dismiss()
{
    m_bEnded = true;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DestroyWindow();
}

void CGenericPickerPopup::End(bool ok)
{
    // Releasing the capture and closing deactivate the pop-up: the picker hears only the first end.
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    HWND picker = m_pPicker->GetSafeHwnd();
    ::SendMessageW(picker, ok ? WM_KQ_PICKER_SELENDOK : WM_KQ_PICKER_SELENDCANCEL, static_cast<WPARAM>(ok ? m_cellHover : m_cellStart), 0);
    DestroyWindow();
}

// The button.

IMPLEMENT_DYNAMIC(CGenericPicker, CButton)

BEGIN_MESSAGE_MAP(CGenericPicker, CButton)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_MESSAGE(WM_KQ_PICKER_SELENDOK, OnSelEndOK)
    ON_MESSAGE(WM_KQ_PICKER_SELENDCANCEL, OnSelEndCancel)
    ON_MESSAGE(WM_KQ_PICKER_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CGenericPicker::CGenericPicker() : m_cellCur(picker::PackCell(-1, -1)), m_cellPrev(picker::PackCell(-1, -1)) {}

CGenericPicker::~CGenericPicker()
{
    // An open grid holds a pointer to this picker: it closes first.
    if (::IsWindow(m_hPopup))
        if (auto* popup = dynamic_cast<CGenericPickerPopup*>(CWnd::FromHandlePermanent(m_hPopup)))
            popup->Dismiss();
}

BOOL CGenericPicker::IsCellValid(int, int) { return TRUE; }

void CGenericPicker::SetCurSel(LPARAM cell)
{
    m_cellCur = cell;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CGenericPicker::NotifyParent(UINT code)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGenericPicker::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    SetWindowSize();
}

int CGenericPicker::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetWindowSize();
    return 0;
}

void CGenericPicker::SetWindowSize()
{
    const int edgeX = ::GetSystemMetrics(SM_CXEDGE), edgeY = ::GetSystemMetrics(SM_CYEDGE);
    const int arrow = std::max(std::max(5 * edgeX, ::GetSystemMetrics(SM_CXHTHUMB)), std::max(5 * edgeY, ::GetSystemMetrics(SM_CYVTHUMB)));
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);
    rect.right = rect.left + std::max<int>(rect.Width(), 2 * (arrow + edgeX));
    rect.bottom = rect.top + std::max<int>(rect.Height(), arrow + 2 * edgeY);
    MoveWindow(rect);
    GetClientRect(&rect);
    m_rectArrow.SetRect(rect.right - arrow - edgeX, rect.top + edgeY, rect.right + 2 * edgeX, rect.bottom - edgeY);
}

void CGenericPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect = lpDrawItemStruct->rcItem;
    ::FillRect(dc->GetSafeHdc(), rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    CBCGPDrawManager(*dc).DrawRect(rect, (COLORREF)-1, manager->GetControlBorderColor(FALSE, (lpDrawItemStruct->itemState & ODS_DISABLED) != 0));
    CRect arrow = m_rectArrow;
    arrow.right = std::min(arrow.right, rect.right - 1);
    manager->OnDrawComboDropButton(dc, arrow, (lpDrawItemStruct->itemState & ODS_DISABLED) != 0, m_bPopupOpen, FALSE);
    const int column = picker::CellColumn(m_cellCur), row = picker::CellRow(m_cellCur);
    if (column >= 0 && row >= 0) {
        DrawItemSubStruct item;
        item.rect.SetRect(rect.left + 2, rect.top + 2, m_rectArrow.left - 1, rect.bottom - 2);
        item.pDC = dc;
        item.nRow = row;
        item.nColumn = column;
        DrawSubItem(item);
    }
    if (lpDrawItemStruct->itemState & ODS_FOCUS) {
        CRect focus(rect.left + 2, rect.top + 2, m_rectArrow.left - 1, rect.bottom - 2);
        ::DrawFocusRect(dc->GetSafeHdc(), focus);
    }
}

void CGenericPicker::OnClicked()
{
    m_bPopupOpen = TRUE;
    CRect rect;
    GetWindowRect(&rect);
    auto* popup = new CGenericPickerPopup(this, m_cellCur);
    if (!popup->Create(CPoint(rect.left, rect.bottom))) {
        m_bPopupOpen = FALSE;
        delete popup;
        return;
    }
    m_hPopup = popup->GetSafeHwnd();
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_KQ_PICKER_DROPDOWN, static_cast<WPARAM>(m_cellCur), GetDlgCtrlID());
}

LRESULT CGenericPicker::OnSelChange(WPARAM wParam, LPARAM)
{
    SetCurSel(static_cast<LPARAM>(wParam));
    NotifyParent(CBN_SELCHANGE);
    return 0;
}

LRESULT CGenericPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    m_bPopupOpen = FALSE;
    m_cellPrev = m_cellCur;
    SetCurSel(static_cast<LPARAM>(wParam));
    NotifyParent(CBN_CLOSEUP);
    NotifyParent(CBN_SELENDOK);
    if (m_cellCur != m_cellPrev)
        NotifyParent(CBN_SELCHANGE);
    return 0;
}

LRESULT CGenericPicker::OnSelEndCancel(WPARAM wParam, LPARAM)
{
    m_bPopupOpen = FALSE;
    SetCurSel(static_cast<LPARAM>(wParam));
    NotifyParent(CBN_CLOSEUP);
    NotifyParent(CBN_SELENDCANCEL);
    return 0;
}

// The image-list picker.

IMPLEMENT_DYNAMIC(CImageListPicker, CGenericPicker)

CImageListPicker::CImageListPicker() = default;
CImageListPicker::~CImageListPicker() = default;

BOOL CImageListPicker::LoadImageW(UINT nBitmapID) { return picker::LoadStrip(m_imageList, picker::LoadStripResource(nBitmapID)); }

BOOL CImageListPicker::LoadImageW(const wchar_t* path)
{
    HBITMAP strip = static_cast<HBITMAP>(::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    return picker::LoadStrip(m_imageList, strip);
}

int CImageListPicker::GetRows() { return picker::Rows(m_imageList.GetSafeHandle() ? m_imageList.GetImageCount() : 0, m_nColumns); }

BOOL CImageListPicker::IsCellValid(int column, int row)
{
    const int count = m_imageList.GetSafeHandle() ? m_imageList.GetImageCount() : 0;
    return column >= 0 && row >= 0 && column < m_nColumns && m_nColumns * row + column < count;
}

int CImageListPicker::GetIndex() const
{
    const int count = m_imageList.GetSafeHandle() ? m_imageList.GetImageCount() : 0;
    const int index = m_nColumns * picker::CellRow(m_cellCur) + picker::CellColumn(m_cellCur);
    return index >= count ? count - 1 : index;
}

void CImageListPicker::SetIndex(int index)
{
    SetCurSel(index >= 0 ? picker::PackCell(index % m_nColumns, index / m_nColumns) : picker::PackCell(0, 0));
}

void CImageListPicker::MeasureSubItem(CSize& size) { size = CSize(26, 26); }

void CImageListPicker::DrawSubItem(const DrawItemSubStruct& item)
{
    const int index = m_nColumns * item.nRow + item.nColumn;
    if (m_imageList.GetSafeHandle() && index >= 0 && index < m_imageList.GetImageCount())
        ImageList_Draw(m_imageList.GetSafeHandle(), index, item.pDC->GetSafeHdc(), item.rect.left + 2,
                       item.rect.top + (item.rect.Height() - 22) / 2, ILD_TRANSPARENT);
    CBCGPDrawManager(*item.pDC).DrawRect(item.rect, (COLORREF)-1, globalData.clrBarShadow);
}

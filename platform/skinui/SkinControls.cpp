#include "SkinControls.h"
#include <algorithm>
#include <map>
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
// The parent's skin behind a control's own drawing.
void FillParentBackground(CWnd* control, CDC* pDC, const CRect& rect)
{
    ::FillRect(pDC->m_hDC, rect, CBCGPVisualManager::GetInstance()->GetDlgBackBrush(control->GetParent()));
}
} // namespace

// Slider.

IMPLEMENT_DYNCREATE(CBCGPSliderCtrl, CSliderCtrl)

BEGIN_MESSAGE_MAP(CBCGPSliderCtrl, CSliderCtrl)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

void CBCGPSliderCtrl::Render(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    FillParentBackground(this, pDC, client);
    const BOOL vert = (GetStyle() & TBS_VERT) != 0;
    CRect channel, thumb;
    GetChannelRect(&channel);
    GetThumbRect(&thumb);
    // The control reports a vertical channel lying down.
    if (vert && channel.Width() > channel.Height())
        channel = CRect(channel.top, channel.left, channel.bottom, channel.right);
    manager->OnDrawSliderChannel(pDC, this, vert, channel, m_bOnGlass);
    const BOOL style3 = (GetStyle() & TBS_BOTH) != 0;
    manager->OnDrawSliderThumb(pDC, this, thumb, m_thumbHover.Hot(), ::GetCapture() == m_hWnd, !IsWindowEnabled(), vert,
                               style3 || (GetStyle() & TBS_LEFT), style3 || !(GetStyle() & TBS_LEFT), m_bOnGlass);
    if (m_bDrawFocus && ::GetFocus() == m_hWnd && !(SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS))
        pDC->DrawFocusRect(client);
}

void CBCGPSliderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect thumb;
    GetThumbRect(&thumb);
    if (m_thumbHover.Move(m_hWnd, thumb.PtInRect(point)))
        Invalidate(FALSE);
    CSliderCtrl::OnMouseMove(nFlags, point);
}

void CBCGPSliderCtrl::OnMouseLeave()
{
    if (m_thumbHover.Leave())
        Invalidate(FALSE);
    CSliderCtrl::OnMouseLeave();
}

// Progress bar.

IMPLEMENT_DYNCREATE(CBCGPProgressCtrl, CProgressCtrl)

void CBCGPProgressCtrl::Render(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    int lower = 0, upper = 0;
    GetRange(lower, upper);
    const int pos = GetPos();
    const BOOL infinite = (GetStyle() & PBS_MARQUEE) != 0;
    const BOOL vert = (GetStyle() & PBS_VERTICAL) != 0;
    CRect chunk = client;
    chunk.DeflateRect(1, 1);
    if (infinite) {
        // A quarter-long block that runs along with the position the marquee advances.
        const int length = (vert ? chunk.Height() : chunk.Width());
        const int block = std::max(1, length / 4);
        const int offset = length > 0 ? static_cast<int>((::GetTickCount() / 10) % static_cast<DWORD>(length + block)) - block : 0;
        if (vert) {
            chunk.bottom = std::min<LONG>(chunk.bottom, chunk.bottom - offset);
            chunk.top = std::max<LONG>(chunk.top, chunk.bottom - block);
        } else {
            chunk.left = std::max<LONG>(chunk.left, chunk.left + offset);
            chunk.right = std::min<LONG>(chunk.right, chunk.left + block);
        }
    } else {
        const int span = upper - lower;
        const int done = span > 0 ? std::clamp(pos - lower, 0, span) : 0;
        if (vert)
            chunk.top = chunk.bottom - (span > 0 ? MulDiv(chunk.Height(), done, span) : 0);
        else
            chunk.right = chunk.left + (span > 0 ? MulDiv(chunk.Width(), done, span) : 0);
    }
    CBCGPVisualManager::GetInstance()->OnDrawProgressBar(pDC, this, client, chunk, infinite);
}

// Scroll bar.

IMPLEMENT_DYNCREATE(CBCGPScrollBar, CScrollBar)

void CBCGPScrollBar::PartRects(CRect& first, CRect& thumb, CRect& last) const
{
    CRect client;
    GetClientRect(&client);
    const BOOL horz = (GetStyle() & SBS_VERT) == 0;
    const int length = horz ? client.Width() : client.Height();
    const int thickness = horz ? client.Height() : client.Width();
    const int button = std::min(thickness, length / 2);
    first = horz ? CRect(client.left, client.top, client.left + button, client.bottom)
                 : CRect(client.left, client.top, client.right, client.top + button);
    last = horz ? CRect(client.right - button, client.top, client.right, client.bottom)
                : CRect(client.left, client.bottom - button, client.right, client.bottom);
    thumb.SetRectEmpty();
    SCROLLBARINFO sbi = {sizeof(sbi)};
    if (::GetScrollBarInfo(m_hWnd, OBJID_CLIENT, &sbi) && sbi.xyThumbBottom > sbi.xyThumbTop &&
        !(sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        thumb = horz ? CRect(client.left + sbi.xyThumbTop, client.top, client.left + sbi.xyThumbBottom, client.bottom)
                     : CRect(client.left, client.top + sbi.xyThumbTop, client.right, client.top + sbi.xyThumbBottom);
}

CBCGPScrollBar::Part CBCGPScrollBar::HitTest(CPoint pt) const
{
    CRect client, first, thumb, last;
    GetClientRect(&client);
    PartRects(first, thumb, last);
    if (first.PtInRect(pt))
        return PartFirstButton;
    if (last.PtInRect(pt))
        return PartLastButton;
    if (thumb.PtInRect(pt))
        return PartThumb;
    return client.PtInRect(pt) ? PartTrack : PartNone;
}

void CBCGPScrollBar::Render(CDC* pDC)
{
    CRect client, first, thumb, last;
    GetClientRect(&client);
    PartRects(first, thumb, last);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const BOOL horz = (GetStyle() & SBS_VERT) == 0;
    const BOOL disabled = !IsWindowEnabled();
    SCROLLBARINFO sbi = {sizeof(sbi)};
    const BOOL info = ::GetScrollBarInfo(m_hWnd, OBJID_CLIENT, &sbi);
    // Flat looks light the whole bar up while the mouse is over it, and its part more.
    const Part hot = m_hover.Hot();
    const BOOL overBar = hot != PartNone && !disabled;
    manager->OnScrollBarFillBackground(pDC, this, client, horz, overBar, FALSE, FALSE, disabled);
    const BOOL firstPressed = info && (sbi.rgstate[1] & STATE_SYSTEM_PRESSED);
    const BOOL lastPressed = info && (sbi.rgstate[5] & STATE_SYSTEM_PRESSED);
    manager->OnScrollBarDrawButton(pDC, this, first, horz, hot == PartFirstButton && !disabled, firstPressed, TRUE, disabled);
    manager->OnScrollBarDrawButton(pDC, this, last, horz, hot == PartLastButton && !disabled, lastPressed, FALSE, disabled);
    if (!thumb.IsRectEmpty())
        manager->OnScrollBarDrawThumb(pDC, this, thumb, horz, hot == PartThumb && !disabled,
                                      info && (sbi.rgstate[3] & STATE_SYSTEM_PRESSED) != 0, disabled);
}

LRESULT CBCGPScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if ((message == WM_MOUSEMOVE && m_hover.Move(m_hWnd, HitTest(pt))) || (message == WM_MOUSELEAVE && m_hover.Leave()))
        Invalidate(FALSE);
    const LRESULT result = CScrollBar::WindowProc(message, wParam, lParam);
    // The system control draws itself while it tracks and on position changes; the skin goes
    // over it right after.
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_ENABLE:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETSCROLLINFO:
    case SBM_ENABLE_ARROWS:
        if (m_hWnd) {
            Invalidate(FALSE);
            UpdateWindow();
        }
        break;
    }
    return result;
}

// Spin buttons.

IMPLEMENT_DYNCREATE(CBCGPSpinButtonCtrl, CSpinButtonCtrl)

int CBCGPSpinButtonCtrl::ButtonAt(CPoint pt) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(pt))
        return 0;
    const BOOL horz = (GetStyle() & UDS_HORZ) != 0;
    return horz ? (pt.x >= client.left + client.Width() / 2 ? 1 : 2) : (pt.y < client.top + client.Height() / 2 ? 1 : 2);
}

void CBCGPSpinButtonCtrl::Render(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    FillParentBackground(this, pDC, client);
    const BOOL horz = (GetStyle() & UDS_HORZ) != 0;
    const BOOL disabled = !IsWindowEnabled();
    CRect up = client, down = client;
    if (horz) {
        // Right half increases.
        up.left = down.right = client.left + client.Width() / 2;
    } else {
        up.bottom = down.top = client.top + client.Height() / 2;
    }
    manager->OnDrawSpinButton(pDC, up, TRUE, horz, m_hover.Hot() == 1 && !disabled, m_nPressed == 1, disabled);
    manager->OnDrawSpinButton(pDC, down, FALSE, horz, m_hover.Hot() == 2 && !disabled, m_nPressed == 2, disabled);
}

LRESULT CBCGPSpinButtonCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (message == WM_LBUTTONDOWN) {
        m_nPressed = ButtonAt(pt);
    } else if (message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) {
        m_nPressed = 0;
    } else if ((message == WM_MOUSEMOVE && m_hover.Move(m_hWnd, ButtonAt(pt))) || (message == WM_MOUSELEAVE && m_hover.Leave())) {
        Invalidate(FALSE);
    }
    const LRESULT result = CSpinButtonCtrl::WindowProc(message, wParam, lParam);
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_ENABLE) && m_hWnd)
        Invalidate(FALSE);
    return result;
}

// Combo box.

IMPLEMENT_DYNCREATE(CBCGPComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CBCGPComboBox, CComboBox)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

LRESULT CBCGPComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
    // The system control paints its text at once on these; the skin goes over it.
    switch (message) {
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case CB_SHOWDROPDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_COMMAND:
    case WM_SETTEXT:
        if (m_hWnd)
            Invalidate(FALSE);
        break;
    }
    return result;
}

void CBCGPComboBox::Render(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const BOOL disabled = !IsWindowEnabled();
    const BOOL focused = ::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus());
    const BOOL dropList = (GetStyle() & 3) == CBS_DROPDOWNLIST;
    pDC->FillSolidRect(client, disabled ? globalData.clrBarLight : globalData.clrWindow);
    const int buttonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    CRect button(client.right - 1 - buttonWidth, client.top + 1, client.right - 1, client.bottom - 1);
    if (dropList) {
        CRect text(client.left + 1, client.top + 1, button.left, client.bottom - 1);
        CString value;
        const int sel = GetCurSel();
        if (sel >= 0)
            GetLBText(sel, value);
        if (focused && !GetDroppedState()) {
            text.DeflateRect(2, 2);
            pDC->FillSolidRect(text, globalData.clrHilite);
            pDC->SetTextColor(globalData.clrTextHilite);
        } else {
            pDC->SetTextColor(disabled ? globalData.clrGrayedText : globalData.clrWindowText);
        }
        CFont* font = GetFont();
        const win32::ScopedSelect selected(pDC->m_hDC, font && font->GetSafeHandle() ? font->GetSafeHandle() : globalData.fontRegular.GetSafeHandle());
        pDC->SetBkMode(TRANSPARENT);
        CRect inner = text;
        inner.left += 3;
        pDC->DrawText(value, &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    manager->OnDrawComboDropButton(pDC, button, disabled, GetDroppedState(), m_hover.Hot());
    manager->OnDrawControlBorder(pDC, client, this, m_hover.Hot() || focused, disabled);
}

BOOL CBCGPComboBox::IsSkinPainted() const
{
    return !(GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE));
}

void CBCGPComboBox::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hover.Move(m_hWnd, TRUE))
        Invalidate(FALSE);
    CComboBox::OnMouseMove(nFlags, point);
}

void CBCGPComboBox::OnMouseLeave()
{
    if (m_hover.Leave())
        Invalidate(FALSE);
    CComboBox::OnMouseLeave();
}

// Font combo box.

IMPLEMENT_DYNCREATE(CBCGPFontComboBox, CBCGPComboBox)

namespace {
struct FontQuery {
    int types;
    BYTE pitch;
    std::map<std::wstring, CBCGPFontDesc> fonts;   // sorted by name
};

int CALLBACK CollectFont(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM data)
{
    auto* query = reinterpret_cast<FontQuery*>(data);
    const std::wstring name = lf->lfFaceName;
    // Vertical variants ("@name") are not offered.
    if (name.empty() || name[0] == L'@' || !(static_cast<int>(type) & query->types))
        return 1;
    if (query->pitch != DEFAULT_PITCH && (lf->lfPitchAndFamily & 3) != (query->pitch & 3))
        return 1;
    if (query->fonts.count(name))
        return 1;
    CBCGPFontDesc desc;
    desc.m_strName = name.c_str();
    desc.m_nCharSet = lf->lfCharSet;
    desc.m_nPitchAndFamily = lf->lfPitchAndFamily;
    desc.m_nType = static_cast<int>(type);
    query->fonts.emplace(name, desc);
    return 1;
}
} // namespace

CBCGPFontComboBox::~CBCGPFontComboBox()
{
    for (CBCGPFontDesc* desc : m_fonts)
        delete desc;
}

void CBCGPFontComboBox::ClearFonts()
{
    if (m_hWnd)
        ResetContent();
    for (CBCGPFontDesc* desc : m_fonts)
        delete desc;
    m_fonts.clear();
}

BOOL CBCGPFontComboBox::Setup(int nFontType, BYTE nCharSet, BYTE nPitchAndFamily)
{
    if (!m_hWnd)
        return FALSE;
    ClearFonts();
    FontQuery query{nFontType, nPitchAndFamily, {}};
    LOGFONTW lf = {};
    lf.lfCharSet = nCharSet;
    ::EnumFontFamiliesExW(win32::ScreenDc(::GetDC(nullptr)).Get(), &lf, CollectFont, reinterpret_cast<LPARAM>(&query), 0);
    for (auto& entry : query.fonts) {
        auto* desc = new CBCGPFontDesc(entry.second);
        m_fonts.push_back(desc);
        const int index = AddString(desc->m_strName);
        if (index >= 0)
            SetItemDataPtr(index, desc);
    }
    return !m_fonts.empty();
}

BOOL CBCGPFontComboBox::SelectFont(LPCTSTR lpszName, BYTE nCharSet)
{
    if (!lpszName || !m_hWnd)
        return FALSE;
    for (int start = -1;;) {
        const int index = FindStringExact(start, lpszName);
        if (index < 0 || index <= start)
            return FALSE;
        auto* desc = static_cast<CBCGPFontDesc*>(GetItemDataPtr(index));
        if (nCharSet == DEFAULT_CHARSET || (desc && desc->m_nCharSet == nCharSet)) {
            SetCurSel(index);
            return TRUE;
        }
        start = index;
    }
}

CBCGPFontDesc* CBCGPFontComboBox::GetSelFont() const
{
    const int sel = GetCurSel();
    if (sel < 0)
        return nullptr;
    void* data = GetItemDataPtr(sel);
    return data == reinterpret_cast<void*>(CB_ERR) ? nullptr : static_cast<CBCGPFontDesc*>(data);
}

// List control.

IMPLEMENT_DYNCREATE(CBCGPListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CBCGPListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_REGISTERED_MESSAGE(BCGM_CHANGEVISUALMANAGER, OnChangeVisualManager)
END_MESSAGE_MAP()

void CBCGPListCtrl::ApplyColors()
{
    SetBkColor(globalData.clrWindow);
    SetTextBkColor(globalData.clrWindow);
    SetTextColor(globalData.clrWindowText);
    Invalidate();
}

void CBCGPListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // Windows made through Create get their colours in OnCreate.
    if (m_hWnd && ::IsWindowVisible(m_hWnd))
        ApplyColors();
}

int CBCGPListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ApplyColors();
    return 0;
}

LRESULT CBCGPListCtrl::OnChangeVisualManager(WPARAM, LPARAM)
{
    ApplyColors();
    return 0;
}

namespace {
struct SortContext {
    CBCGPListCtrl* list;
    int column;
    BOOL ascending;
};

int CALLBACK CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM data)
{
    const auto* context = reinterpret_cast<const SortContext*>(data);
    const int result = context->list->OnCompareItems(lParam1, lParam2, context->column);
    return context->ascending ? result : -result;
}
} // namespace

int CBCGPListCtrl::OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    const CString a = GetItemText(static_cast<int>(lParam1), iColumn);
    const CString b = GetItemText(static_cast<int>(lParam2), iColumn);
    return _wcsicmp(a, b);
}

void CBCGPListCtrl::Sort(int iColumn, BOOL bAscending, BOOL)
{
    m_iSortedColumn = iColumn;
    m_bAscending = bAscending;
    SortContext context{this, iColumn, bAscending};
    // By row index, so that OnCompareItems can read the rows.
    SendMessage(LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(&CompareRows));
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    const int count = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == iColumn)
            item.fmt |= bAscending ? HDF_SORTUP : HDF_SORTDOWN;
        ::SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void CBCGPListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    Sort(column, column == m_iSortedColumn ? !m_bAscending : TRUE);
    *pResult = 0;
}

// Tree control.

IMPLEMENT_DYNCREATE(CBCGPTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CBCGPTreeCtrl, CTreeCtrl)
    ON_WM_CREATE()
    ON_REGISTERED_MESSAGE(BCGM_CHANGEVISUALMANAGER, OnChangeVisualManager)
END_MESSAGE_MAP()

void CBCGPTreeCtrl::ApplyColors()
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    SetBkColor(manager->GetTreeControlFillColor(this));
    SetTextColor(manager->GetTreeControlTextColor(this));
    Invalidate();
}

void CBCGPTreeCtrl::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    if (m_hWnd && ::IsWindowVisible(m_hWnd))
        ApplyColors();
}

int CBCGPTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ApplyColors();
    return 0;
}

LRESULT CBCGPTreeCtrl::OnChangeVisualManager(WPARAM, LPARAM)
{
    ApplyColors();
    return 0;
}

IMPLEMENT_DYNCREATE(CBCGPStatic, CStatic)

#include "ToolbarComboBoxButton.h"
#include <algorithm>
#include <cwchar>
#include "GlobalData.h"
#include "ToolBar.h"
#include "Win32Owners.h"

namespace {

// The drop-down list's height below the box.
const int kDropHeight = 220;

// Owner-drawn list styles need a drawing parent; the bar's combo boxes draw their strings plainly.
DWORD PlainComboStyle(DWORD style)
{
    return style & ~static_cast<DWORD>(CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE);
}

int CALLBACK CollectRasterHeights(const LOGFONTW*, const TEXTMETRICW* tm, DWORD type, LPARAM data)
{
    auto* heights = reinterpret_cast<std::vector<int>*>(data);
    if (type & RASTER_FONTTYPE)
        heights->push_back(tm->tmHeight - tm->tmInternalLeading);
    else
        heights->clear(), heights->push_back(-1);   // scalable: the standard steps
    return (type & RASTER_FONTTYPE) ? 1 : 0;
}

} // namespace

namespace skinui {

std::vector<int> FontSizeSteps(const std::vector<int>& rasterHeights, int nLogPixelsY)
{
    static const int kSteps[] = { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };
    std::vector<int> sizes;
    for (int height : rasterHeights) {
        if (height > 0 && nLogPixelsY > 0)
            sizes.push_back(MulDiv(height, 72, nLogPixelsY));
    }
    if (sizes.empty())
        return std::vector<int>(std::begin(kSteps), std::end(kSteps));
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

int ParseTwips(const CString& text)
{
    CString value = text;
    value.Trim();
    if (value.IsEmpty())
        return -1;
    wchar_t* end = nullptr;
    const double points = std::wcstod(value.GetString(), &end);
    if (!end || *end != 0 || !(points >= 1.0 && points <= 1638.0))
        return -1;
    return static_cast<int>(points * 20.0 + 0.5);
}

} // namespace skinui

// ---------------------------------------------------------------------------------------------
// CBCGPToolbarComboBoxButton

IMPLEMENT_DYNCREATE(CBCGPToolbarComboBoxButton, CBCGPToolbarControlButton)

CBCGPToolbarComboBoxButton::CBCGPToolbarComboBoxButton() : CBCGPToolbarControlButton(CBS_DROPDOWNLIST)
{
}

CBCGPToolbarComboBoxButton::CBCGPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarControlButton(uiID, iImage, dwStyle, iWidth)
{
}

void CBCGPToolbarComboBoxButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarControlButton::CopyFrom(src);
    if (auto* combo = DYNAMIC_DOWNCAST(CBCGPToolbarComboBoxButton, const_cast<CBCGPToolbarButton*>(&src))) {
        m_items = combo->m_items;
        m_iSelIndex = combo->m_iSelIndex;
        m_strEdit = combo->m_strEdit;
    }
}

void CBCGPToolbarComboBoxButton::Serialize(CArchive& ar)
{
    CBCGPToolbarControlButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_items.size());
        for (const ComboItem& item : m_items)
            ar << item.text << static_cast<ULONGLONG>(item.data);
        ar << m_iSelIndex << m_strEdit;
    } else {
        // The count is checked by the items there are: each takes bytes of the archive.
        int count = 0;
        ar >> count;
        std::vector<ComboItem> items;
        for (int i = 0; i < count && !ar.IsTruncated(); ++i) {
            ComboItem item;
            ULONGLONG data = 0;
            ar >> item.text >> data;
            item.data = static_cast<DWORD_PTR>(data);
            items.push_back(item);
        }
        int sel = -1;
        CString text;
        ar >> sel >> text;
        if (ar.IsTruncated())
            return;
        m_items = std::move(items);
        m_iSelIndex = sel >= 0 && sel < static_cast<int>(m_items.size()) ? sel : -1;
        m_strEdit = text;
    }
}

CComboBox* CBCGPToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* combo = new CBCGPComboBox;
    if (!combo->Create(PlainComboStyle(m_dwStyle) | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete combo;
        return nullptr;
    }
    return combo;
}

CWnd* CBCGPToolbarComboBoxButton::CreateControl(CWnd* pWndParent)
{
    CRect rect = m_rect.IsRectEmpty() ? CRect(0, 0, m_iWidth, 22) : m_rect;
    rect.bottom = rect.top + kDropHeight;
    return CreateCombo(pWndParent, rect);
}

void CBCGPToolbarComboBoxButton::FillCombo()
{
    CComboBox* combo = GetComboBox();
    combo->ResetContent();
    for (const ComboItem& item : m_items) {
        const int index = combo->AddString(item.text);
        if (index >= 0)
            combo->SetItemData(index, item.data);
    }
    if (m_iSelIndex >= 0)
        combo->SetCurSel(m_iSelIndex);
    else if (!m_strEdit.IsEmpty())
        combo->SetWindowText(m_strEdit);
}

void CBCGPToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CBCGPToolbarControlButton::OnChangeParentWnd(pWndParent);
    if (GetComboBox())
        FillCombo();
}

void CBCGPToolbarComboBoxButton::OnMove()
{
    if (!GetHwnd() || m_rect.IsRectEmpty())
        return;
    CRect box;
    GetComboBox()->GetWindowRect(&box);
    const int height = box.Height() > 0 && box.Height() < m_rect.Height() + 8 ? box.Height() : m_rect.Height() - 2;
    const int top = m_rect.top + (m_rect.Height() - height) / 2;
    GetComboBox()->MoveWindow(m_rect.left, top, m_rect.Width(), kDropHeight);
}

BOOL CBCGPToolbarComboBoxButton::NotifyCommand(int iNotifyCode)
{
    CComboBox* combo = GetComboBox();
    if (!combo)
        return FALSE;
    switch (iNotifyCode) {
    case CBN_SELENDOK:
    case CBN_SELCHANGE: {
        m_iSelIndex = combo->GetCurSel();
        if (m_iSelIndex >= 0)
            combo->GetLBText(m_iSelIndex, m_strEdit);
        // A choice is also the button's command.
        if (iNotifyCode == CBN_SELENDOK)
            if (auto* bar = DYNAMIC_DOWNCAST(CBCGPToolBar, m_pWndParent))
                if (CWnd* target = bar->GetCommandTarget(); target && target->m_hWnd)
                    target->PostMessage(WM_COMMAND, MAKEWPARAM(m_nID, 0), 0);
        return TRUE;
    }
    case CBN_EDITCHANGE:
        combo->GetWindowText(m_strEdit);
        m_iSelIndex = -1;
        return TRUE;
    case CBN_KILLFOCUS:
        combo->GetWindowText(m_strEdit);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CBCGPToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD_PTR dwData)
{
    m_items.push_back(ComboItem{ lpszItem ? lpszItem : L"", dwData });
    if (GetHwnd()) {
        const int index = GetComboBox()->AddString(m_items.back().text);
        if (index >= 0)
            GetComboBox()->SetItemData(index, dwData);
    }
    return static_cast<INT_PTR>(m_items.size()) - 1;
}

LPCTSTR CBCGPToolbarComboBoxButton::GetItem(int iIndex) const
{
    if (iIndex < 0)
        iIndex = m_iSelIndex;
    return iIndex >= 0 && iIndex < static_cast<int>(m_items.size()) ? m_items[static_cast<size_t>(iIndex)].text.GetString() : nullptr;
}

DWORD_PTR CBCGPToolbarComboBoxButton::GetItemData(int iIndex) const
{
    if (iIndex < 0)
        iIndex = m_iSelIndex;
    return iIndex >= 0 && iIndex < static_cast<int>(m_items.size()) ? m_items[static_cast<size_t>(iIndex)].data : 0;
}

void CBCGPToolbarComboBoxButton::RemoveAllItems()
{
    m_items.clear();
    m_iSelIndex = -1;
    if (GetHwnd())
        GetComboBox()->ResetContent();
}

BOOL CBCGPToolbarComboBoxButton::SelectItem(int iIndex, BOOL)
{
    if (iIndex < -1 || iIndex >= static_cast<int>(m_items.size()))
        return FALSE;
    m_iSelIndex = iIndex;
    m_strEdit = iIndex >= 0 ? m_items[static_cast<size_t>(iIndex)].text : CString();
    if (GetHwnd())
        GetComboBox()->SetCurSel(iIndex);
    return TRUE;
}

BOOL CBCGPToolbarComboBoxButton::SelectItem(LPCTSTR lpszText)
{
    for (size_t i = 0; lpszText && i < m_items.size(); ++i)
        if (m_items[i].text.CompareNoCase(lpszText) == 0)
            return SelectItem(static_cast<int>(i));
    return FALSE;
}

BOOL CBCGPToolbarComboBoxButton::SelectItem(DWORD_PTR dwData)
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].data == dwData)
            return SelectItem(static_cast<int>(i));
    return FALSE;
}

void CBCGPToolbarComboBoxButton::SetText(LPCTSTR lpszText)
{
    m_strEdit = lpszText ? lpszText : L"";
    m_iSelIndex = -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].text == m_strEdit)
            m_iSelIndex = static_cast<int>(i);
    if (GetHwnd()) {
        if (m_iSelIndex >= 0)
            GetComboBox()->SetCurSel(m_iSelIndex);
        else
            GetComboBox()->SetWindowText(m_strEdit);
    }
}

// ---------------------------------------------------------------------------------------------
// CBCGPToolbarFontCombo

IMPLEMENT_DYNCREATE(CBCGPToolbarFontCombo, CBCGPToolbarComboBoxButton)

CBCGPToolbarFontCombo::CBCGPToolbarFontCombo() = default;

CBCGPToolbarFontCombo::CBCGPToolbarFontCombo(UINT uiID, int iImage, int nFontType, BYTE nCharSet, DWORD dwStyle, int iWidth,
                                             BYTE nPitchAndFamily)
    : CBCGPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth), m_nFontType(nFontType), m_nCharSet(nCharSet),
      m_nPitchAndFamily(nPitchAndFamily)
{
}

void CBCGPToolbarFontCombo::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarComboBoxButton::CopyFrom(src);
    if (auto* font = DYNAMIC_DOWNCAST(CBCGPToolbarFontCombo, const_cast<CBCGPToolbarButton*>(&src))) {
        m_nFontType = font->m_nFontType;
        m_nCharSet = font->m_nCharSet;
        m_nPitchAndFamily = font->m_nPitchAndFamily;
    }
}

CComboBox* CBCGPToolbarFontCombo::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* combo = new CBCGPFontComboBox;
    if (!combo->Create(PlainComboStyle(m_dwStyle) | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_SORT, rect, pWndParent,
                       m_nID)) {
        delete combo;
        return nullptr;
    }
    return combo;
}

void CBCGPToolbarFontCombo::FillCombo()
{
    auto* combo = static_cast<CBCGPFontComboBox*>(GetComboBox());
    combo->Setup(m_nFontType, m_nCharSet, m_nPitchAndFamily);
    // The button's items are the control's fonts.
    m_items.clear();
    for (int i = 0; i < combo->GetCount(); ++i) {
        CString name;
        combo->GetLBText(i, name);
        m_items.push_back(ComboItem{ name, 0 });
    }
    if (!m_strEdit.IsEmpty())
        SetFont(m_strEdit);
}

BOOL CBCGPToolbarFontCombo::SetFont(LPCTSTR lpszName, BYTE nCharSet, BOOL)
{
    if (!lpszName)
        return FALSE;
    m_strEdit = lpszName;
    m_iSelIndex = -1;
    auto* combo = static_cast<CBCGPFontComboBox*>(GetComboBox());
    if (!combo || !combo->m_hWnd)
        return FALSE;
    if (combo->SelectFont(lpszName, nCharSet)) {
        m_iSelIndex = combo->GetCurSel();
        return TRUE;
    }
    combo->SetWindowText(lpszName);
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// CBCGPToolbarFontSizeCombo

IMPLEMENT_DYNCREATE(CBCGPToolbarFontSizeCombo, CBCGPToolbarComboBoxButton)

CBCGPToolbarFontSizeCombo::CBCGPToolbarFontSizeCombo() = default;

CBCGPToolbarFontSizeCombo::CBCGPToolbarFontSizeCombo(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth)
{
}

void CBCGPToolbarFontSizeCombo::RebuildFontSizes(const CString& strFontName)
{
    std::vector<int> heights;
    win32::ScreenDc screen(::GetDC(nullptr));
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(lf.lfFaceName, strFontName.GetString(), LF_FACESIZE);
    if (!strFontName.IsEmpty())
        ::EnumFontFamiliesExW(screen.Get(), &lf, CollectRasterHeights, reinterpret_cast<LPARAM>(&heights), 0);
    const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    screen.Reset();
    const CString text = m_strEdit;
    RemoveAllItems();
    for (int size : skinui::FontSizeSteps(heights, dpi)) {
        CString item;
        item.Format(L"%d", size);
        AddItem(item, static_cast<DWORD_PTR>(size));
    }
    SetText(text);
}

int CBCGPToolbarFontSizeCombo::GetTwipSize() const
{
    CString text = m_strEdit;
    if (CComboBox* combo = GetComboBox(); combo && combo->m_hWnd)
        combo->GetWindowText(text);
    return skinui::ParseTwips(text);
}

void CBCGPToolbarFontSizeCombo::SetTwipSize(int nSize)
{
    if (nSize < 0) {
        SetText(L"");
        return;
    }
    CString text;
    if (nSize % 20 == 0)
        text.Format(L"%d", nSize / 20);
    else
        text.Format(L"%.1f", nSize / 20.0);
    SetText(text);
}

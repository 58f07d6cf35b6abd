#include "ShellBreadcrumb.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "PopupMenu.h"
#include "ShellManager.h"
#include "SkinControls.h"
#include "ToolbarButton.h"
#include "VisualManager.h"

struct BreadcrumbItem {
    CString text;
    int image = -1;
    LPARAM data = 0;
    BreadcrumbItem* parent = nullptr;
    std::vector<std::unique_ptr<BreadcrumbItem>> children;
    bool loaded = false;   // OnLoadSubItems ran (or children were inserted by hand)
};

namespace {

const int kArrowWidth = 16;
const int kPadding = 8;
const UINT kEditId = 1;

// The shell's display name of an absolute list.
CString DisplayName(LPCITEMIDLIST pidl)
{
    SHFILEINFOW info = {};
    if (pidl && ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return info.szDisplayName;
    return CString();
}

bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    IShellFolder* desktop = nullptr;
    if (!a || !b || FAILED(::SHGetDesktopFolder(&desktop)))
        return false;
    const HRESULT hr = desktop->CompareIDs(0, a, b);
    desktop->Release();
    return SUCCEEDED(hr) && static_cast<short>(HRESULT_CODE(hr)) == 0;
}

CBCGPShellManager& ShellHelpers()
{
    // The program's manager when it made one; else one of our own for the process.
    static CBCGPShellManager fallback;
    return g_pShellManager ? *g_pShellManager : fallback;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CBCGPBreadcrumb

IMPLEMENT_DYNCREATE(CBCGPBreadcrumb, CWnd)

CBCGPBreadcrumb::CBCGPBreadcrumb() : m_root(std::make_unique<BreadcrumbItem>())
{
    m_root->loaded = false;
    m_hSelected = m_root.get();
}

CBCGPBreadcrumb::~CBCGPBreadcrumb()
{
    // Subclasses release their item data in their own destructors (OnDeleteItem is theirs).
}

BOOL CBCGPBreadcrumb::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    static LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, L"", dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    Layout();
    return TRUE;
}

HBREADCRUMBITEM CBCGPBreadcrumb::GetRootItem() const
{
    return m_root.get();
}

void CBCGPBreadcrumb::SetItemText(HBREADCRUMBITEM hItem, const CString& strText)
{
    if (!hItem)
        return;
    hItem->text = strText;
    Layout();
}

CString CBCGPBreadcrumb::GetItemText(HBREADCRUMBITEM hItem) const
{
    return hItem ? hItem->text : CString();
}

LPARAM CBCGPBreadcrumb::GetItemData(HBREADCRUMBITEM hItem) const
{
    return hItem ? hItem->data : 0;
}

void CBCGPBreadcrumb::SetItemData(HBREADCRUMBITEM hItem, LPARAM lParam)
{
    if (hItem)
        hItem->data = lParam;
}

HBREADCRUMBITEM CBCGPBreadcrumb::GetItemParent(HBREADCRUMBITEM hItem) const
{
    return hItem ? hItem->parent : nullptr;
}

HBREADCRUMBITEM CBCGPBreadcrumb::InsertItem(HBREADCRUMBITEM hParent, const CString& strText, int iImage, LPARAM lParam)
{
    BreadcrumbItem* parent = hParent ? hParent : m_root.get();
    auto item = std::make_unique<BreadcrumbItem>();
    item->text = strText;
    item->image = iImage;
    item->data = lParam;
    item->parent = parent;
    parent->children.push_back(std::move(item));
    return parent->children.back().get();
}

void CBCGPBreadcrumb::DeleteChildren(BreadcrumbItem* item)
{
    for (auto& child : item->children) {
        DeleteChildren(child.get());
        OnDeleteItem(child.get());
    }
    item->children.clear();
}

BOOL CBCGPBreadcrumb::DeleteItem(HBREADCRUMBITEM hItem)
{
    if (!hItem || hItem == m_root.get() || !hItem->parent)
        return FALSE;
    // The selection moves up out of what goes.
    for (BreadcrumbItem* p = m_hSelected; p; p = p->parent) {
        if (p == hItem) {
            m_hSelected = hItem->parent;
            break;
        }
    }
    DeleteChildren(hItem);
    OnDeleteItem(hItem);
    auto& siblings = hItem->parent->children;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [hItem](const auto& c) { return c.get() == hItem; }),
                   siblings.end());
    Layout();
    return TRUE;
}

int CBCGPBreadcrumb::GetSubItemsCount(HBREADCRUMBITEM hParent)
{
    BreadcrumbItem* parent = hParent ? hParent : m_root.get();
    if (!parent->loaded) {
        parent->loaded = true;
        OnLoadSubItems(parent);
    }
    return static_cast<int>(parent->children.size());
}

HBREADCRUMBITEM CBCGPBreadcrumb::GetSubItem(HBREADCRUMBITEM hParent, int nIndex)
{
    BreadcrumbItem* parent = hParent ? hParent : m_root.get();
    if (nIndex < 0 || nIndex >= GetSubItemsCount(parent))
        return nullptr;
    return parent->children[static_cast<size_t>(nIndex)].get();
}

HBREADCRUMBITEM CBCGPBreadcrumb::GetSubItemByName(HBREADCRUMBITEM hParent, const CString& strText)
{
    BreadcrumbItem* parent = hParent ? hParent : m_root.get();
    const int count = GetSubItemsCount(parent);
    for (int i = 0; i < count; ++i)
        if (parent->children[static_cast<size_t>(i)]->text.CompareNoCase(strText) == 0)
            return parent->children[static_cast<size_t>(i)].get();
    return nullptr;
}

void CBCGPBreadcrumb::ResetItem(HBREADCRUMBITEM hItem)
{
    BreadcrumbItem* item = hItem ? hItem : m_root.get();
    // The selection, when it lies below, comes back up to the item.
    for (BreadcrumbItem* p = m_hSelected; p; p = p->parent) {
        if (p->parent == item) {
            m_hSelected = item;
            break;
        }
    }
    DeleteChildren(item);
    item->loaded = false;
    Layout();
}

void CBCGPBreadcrumb::SelectItem(HBREADCRUMBITEM hItem)
{
    if (!hItem)
        hItem = m_root.get();
    const bool changed = hItem != m_hSelected;
    m_hSelected = hItem;
    Layout();
    if (changed)
        OnSelectionChanged(hItem);
}

CString CBCGPBreadcrumb::GetItemPath(HBREADCRUMBITEM hItem, TCHAR delimiter) const
{
    CString path;
    for (BreadcrumbItem* p = hItem; p && p->parent; p = p->parent)
        path = p->text + (path.IsEmpty() ? CString() : CString(delimiter) + path);
    return path;
}

BOOL CBCGPBreadcrumb::SelectPath(const CString& strPath, TCHAR delimiter)
{
    BreadcrumbItem* item = m_root.get();
    int start = 0;
    const wchar_t delimiters[2] = { delimiter, 0 };
    for (CString step = strPath.Tokenize(delimiters, start); start >= 0 && !step.IsEmpty(); step = strPath.Tokenize(delimiters, start)) {
        item = GetSubItemByName(item, step);
        if (!item)
            return FALSE;
    }
    SelectItem(item);
    return TRUE;
}

void CBCGPBreadcrumb::OnLoadSubItems(HBREADCRUMBITEM)
{
}

void CBCGPBreadcrumb::OnDeleteItem(HBREADCRUMBITEM)
{
}

void CBCGPBreadcrumb::OnSelectionChanged(HBREADCRUMBITEM)
{
    if (!m_hWnd)
        return;
    NMHDR header = { m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), BCCN_SELECTIONCHANGED };
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

CRect CBCGPBreadcrumb::GetItemRect(HBREADCRUMBITEM hItem) const
{
    for (const Step& step : m_steps)
        if (step.item == hItem)
            return CRect(step.text.left, step.text.top, step.arrow.right, step.text.bottom);
    return CRect(0, 0, 0, 0);
}

void CBCGPBreadcrumb::Layout()
{
    m_steps.clear();
    m_hover.Set(-1);
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(2, 2);
    std::vector<BreadcrumbItem*> path;
    for (BreadcrumbItem* p = m_hSelected; p; p = p->parent)
        path.insert(path.begin(), p);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&globalData.fontRegular);
    std::vector<int> widths;
    int total = 0;
    for (BreadcrumbItem* item : path) {
        const int width = (item->text.IsEmpty() ? 0 : dc.GetTextExtent(item->text).cx + 2 * kPadding);
        widths.push_back(width);
        total += width + kArrowWidth;
    }
    dc.SelectObject(old);
    // Leading steps give way when the path is too long; the selected one always shows.
    size_t first = 0;
    const int room = client.Width() - 24;
    while (first + 1 < path.size() && total > room) {
        total -= widths[first] + kArrowWidth;
        ++first;
    }
    int x = client.left;
    for (size_t i = first; i < path.size(); ++i) {
        Step step;
        step.item = path[i];
        step.text = CRect(x, client.top, x + widths[i], client.bottom);
        x += widths[i];
        step.arrow = CRect(x, client.top, x + kArrowWidth, client.bottom);
        x += kArrowWidth;
        m_steps.push_back(step);
    }
    Invalidate(FALSE);
}

CRect CBCGPBreadcrumb::GetInplaceEditRect() const
{
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(3, 3);
    return client;
}

CEdit* CBCGPBreadcrumb::CreateInplaceEdit(CWnd* pParent, const CRect& rect, UINT uiControlID)
{
    auto* edit = new CEdit;
    if (!edit->Create(WS_CHILD | ES_AUTOHSCROLL, rect, pParent, uiControlID)) {
        delete edit;
        return nullptr;
    }
    edit->SetFont(&globalData.fontRegular, FALSE);
    return edit;
}

void CBCGPBreadcrumb::StartEdit()
{
    if (m_pEdit || !m_hWnd)
        return;
    m_pEdit.reset(CreateInplaceEdit(this, GetInplaceEditRect(), kEditId));
    if (!m_pEdit)
        return;
    m_pEdit->SetWindowText(GetSelectedPath(L'\\'));
    m_pEdit->SendMessage(EM_SETSEL, 0, -1);
    m_pEdit->SendMessage(EM_SCROLLCARET);
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetFocus();
}

void CBCGPBreadcrumb::EndEdit(BOOL bAccept)
{
    if (!m_pEdit)
        return;
    CString text;
    m_pEdit->GetWindowText(text);
    // Destroyed first: selecting may lay the bar out again.
    std::unique_ptr<CEdit> edit = std::move(m_pEdit);
    edit->DestroyWindow();
    if (bAccept && !text.IsEmpty() && !SelectPath(text, L'\\'))
        ::MessageBeep(MB_ICONWARNING);
    Invalidate(FALSE);
}

void CBCGPBreadcrumb::ShowSubItemsMenu(HBREADCRUMBITEM hItem)
{
    const int count = GetSubItemsCount(hItem);
    if (count == 0)
        return;
    CMenu menu;
    menu.CreatePopupMenu();
    // Long lists are cut: a folder with thousands of sub-folders is reached by typing its path.
    const int shown = std::min(count, 500);
    for (int i = 0; i < shown; ++i)
        menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(i) + 1, hItem->children[static_cast<size_t>(i)]->text);
    CRect rect = GetItemRect(hItem);
    ClientToScreen(&rect);
    // Steps may change while the menu is open (a reload): the choice is looked up again after.
    const UINT command = skinui::TrackPopupMenuModal(menu.m_hMenu, rect.right - kArrowWidth, rect.bottom, this);
    if (command >= 1 && static_cast<int>(command) <= static_cast<int>(hItem->children.size()))
        SelectItem(hItem->children[command - 1].get());
}

void CBCGPBreadcrumb::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    pDC->FillSolidRect(client, globalData.clrWindow);
    const int hot = m_hover.Hot();
    manager->OnDrawControlBorder(pDC, client, this, hot >= 0, !IsWindowEnabled());
    CFont* old = pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    for (size_t i = 0; i < m_steps.size(); ++i) {
        const Step& step = m_steps[i];
        const bool hotText = hot == static_cast<int>(i * 2), hotArrow = hot == static_cast<int>(i * 2 + 1);
        if (hotText || hotArrow) {
            CRect whole(step.text.left, step.text.top, step.arrow.right, step.text.bottom);
            manager->OnFillRibbonButton(pDC, whole, TRUE, FALSE, FALSE, FALSE);
            if (hotArrow && !step.text.IsRectEmpty())
                pDC->FillSolidRect(CRect(step.arrow.left, step.arrow.top + 2, step.arrow.left + 1, step.arrow.bottom - 2),
                                   skinui::Lighter(manager->GetAccentColor(), 0.45));
        }
        pDC->SetTextColor(globalData.clrWindowText);
        CRect text = step.text;
        pDC->DrawText(step.item->text, text, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        // The arrow: right-pointing, or down while its list could open.
        const CPoint c = step.arrow.CenterPoint();
        const COLORREF color = globalData.clrBarDkShadow;
        for (int k = 0; k < 4; ++k)
            pDC->FillSolidRect(CRect(c.x - 1 + k, c.y - 3 + k, c.x + k, c.y + 4 - k), color);
    }
    pDC->SelectObject(old);
}

LRESULT CBCGPBreadcrumb::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    auto hitPart = [this](CPoint pt) {
        for (size_t i = 0; i < m_steps.size(); ++i) {
            if (m_steps[i].text.PtInRect(pt))
                return static_cast<int>(i * 2);
            if (m_steps[i].arrow.PtInRect(pt))
                return static_cast<int>(i * 2 + 1);
        }
        return -1;
    };
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        skinui::PaintBuffered(this, [this](CDC* dc) { Paint(dc); });
        return 0;
    case WM_SIZE:
        Layout();
        if (m_pEdit && m_pEdit->m_hWnd) {
            const CRect r = GetInplaceEditRect();
            m_pEdit->MoveWindow(&r);
        }
        break;
    case WM_MOUSEMOVE:
        if (m_hover.Move(m_hWnd, hitPart(point)))
            Invalidate(FALSE);
        return 0;
    case WM_MOUSELEAVE:
        if (m_hover.Leave())
            Invalidate(FALSE);
        return 0;
    case WM_LBUTTONUP: {
        const int part = hitPart(point);
        if (part < 0) {
            StartEdit();
        } else {
            HBREADCRUMBITEM item = m_steps[static_cast<size_t>(part / 2)].item;
            if (part % 2)
                ShowSubItemsMenu(item);
            else
                SelectItem(item);
        }
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_KILLFOCUS && m_pEdit) {
            EndEdit(FALSE);
            return 0;
        }
        break;
    case WM_SETFONT:
        return 0;
    case WM_ENABLE:
        Invalidate(FALSE);
        break;
    default:
        if (message == BCGM_CHANGEVISUALMANAGER) {
            Invalidate(FALSE);
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// CBCGPShellBreadcrumb

IMPLEMENT_DYNCREATE(CBCGPShellBreadcrumb, CBCGPBreadcrumb)

CBCGPShellBreadcrumb::CBCGPShellBreadcrumb()
{
    LPITEMIDLIST desktop = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) && desktop) {
        m_root->data = reinterpret_cast<LPARAM>(desktop);
        m_root->text = DisplayName(desktop);
    }
}

CBCGPShellBreadcrumb::~CBCGPShellBreadcrumb()
{
    DeleteChildren(m_root.get());
    OnDeleteItem(m_root.get());
}

BOOL CBCGPShellBreadcrumb::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    return CBCGPBreadcrumb::Create(rect, pParentWnd, nID, dwStyle);
}

LPCITEMIDLIST CBCGPShellBreadcrumb::GetShellItem(HBREADCRUMBITEM hItem) const
{
    return hItem ? reinterpret_cast<LPCITEMIDLIST>(hItem->data) : nullptr;
}

void CBCGPShellBreadcrumb::OnDeleteItem(HBREADCRUMBITEM hItem)
{
    if (hItem && hItem->data) {
        ShellHelpers().FreeItem(reinterpret_cast<LPITEMIDLIST>(hItem->data));
        hItem->data = 0;
    }
}

HBREADCRUMBITEM CBCGPShellBreadcrumb::InsertShellItem(HBREADCRUMBITEM hParent, LPITEMIDLIST pidlAbsolute)
{
    CString name = DisplayName(pidlAbsolute);
    if (name.IsEmpty())
        name = L"???";
    return InsertItem(hParent, name, -1, reinterpret_cast<LPARAM>(pidlAbsolute));
}

void CBCGPShellBreadcrumb::OnLoadSubItems(HBREADCRUMBITEM hItem)
{
    LPCITEMIDLIST pidl = GetShellItem(hItem);
    IShellFolder* desktop = nullptr;
    if (!pidl || FAILED(::SHGetDesktopFolder(&desktop)))
        return;
    IShellFolder* folder = nullptr;
    HRESULT hr = ShellHelpers().GetItemCount(pidl) == 0
                     ? (desktop->AddRef(), folder = desktop, S_OK)
                     : desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    desktop->Release();
    if (FAILED(hr) || !folder)
        return;
    IEnumIDList* list = nullptr;
    hr = folder->EnumObjects(m_hWnd, m_dwShellFlags, &list);
    if (hr == S_OK && list) {
        std::vector<std::pair<CString, LPITEMIDLIST>> children;
        LPITEMIDLIST child = nullptr;
        ULONG fetched = 0;
        while (list->Next(1, &child, &fetched) == S_OK && fetched == 1) {
            LPITEMIDLIST absolute = ShellHelpers().ConcatenateItem(pidl, child);
            ShellHelpers().FreeItem(child);
            if (!absolute)
                continue;
            CString name = DisplayName(absolute);
            children.emplace_back(name.IsEmpty() ? CString(L"???") : name, absolute);
        }
        list->Release();
        // File-system folders in name order; the desktop's own items keep the shell's order.
        if (ShellHelpers().GetItemCount(pidl) > 0)
            std::sort(children.begin(), children.end(),
                      [](const auto& a, const auto& b) { return a.first.CompareNoCase(b.first) < 0; });
        for (auto& entry : children)
            InsertItem(hItem, entry.first, -1, reinterpret_cast<LPARAM>(entry.second));
    }
    folder->Release();
}

BOOL CBCGPShellBreadcrumb::SelectShellItem(LPCITEMIDLIST lpidl)
{
    if (!lpidl)
        return FALSE;
    const UINT count = ShellHelpers().GetItemCount(lpidl);
    HBREADCRUMBITEM item = m_root.get();
    // Down the list one entry at a time: each prefix is a step.
    for (UINT depth = 1; depth <= count; ++depth) {
        UINT size = 0;
        LPCITEMIDLIST p = lpidl;
        for (UINT i = 0; i < depth; ++i) {
            size += p->mkid.cb;
            p = ShellHelpers().GetNextItem(p);
        }
        LPITEMIDLIST prefix = ShellHelpers().CreateItem(size + sizeof(USHORT));
        if (!prefix)
            return FALSE;
        memcpy(prefix, lpidl, size);
        HBREADCRUMBITEM found = nullptr;
        const int subItems = GetSubItemsCount(item);
        for (int i = 0; i < subItems && !found; ++i) {
            HBREADCRUMBITEM sub = item->children[static_cast<size_t>(i)].get();
            if (SameItem(GetShellItem(sub), prefix))
                found = sub;
        }
        if (found) {
            ShellHelpers().FreeItem(prefix);
        } else {
            // A folder the enumeration does not list (hidden ones, for one): added as a step.
            found = InsertShellItem(item, prefix);
        }
        item = found;
    }
    SelectItem(item);
    return TRUE;
}

BOOL CBCGPShellBreadcrumb::SelectPath(const CString& strPath, TCHAR)
{
    CString path = strPath;
    path.Trim();
    if (path.IsEmpty())
        return FALSE;
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(ShellHelpers().ItemFromPath(path, pidl)) || !pidl)
        return FALSE;
    const BOOL selected = SelectShellItem(pidl);
    ShellHelpers().FreeItem(pidl);
    return selected;
}

CString CBCGPShellBreadcrumb::GetItemPath(HBREADCRUMBITEM hItem, TCHAR delimiter) const
{
    CString path;
    if (ShellHelpers().GetPathFromItem(GetShellItem(hItem), path)) {
        if (delimiter != L'\\')
            path.Replace(L'\\', delimiter);
        return path;
    }
    return CBCGPBreadcrumb::GetItemPath(hItem, delimiter);
}

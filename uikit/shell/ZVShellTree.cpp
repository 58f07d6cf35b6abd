#include "ZVShellTree.h"
#include <dbt.h>
#include <uxtheme.h>
#include <cstdlib>
#include <shlwapi.h>
#include "KQPPopupWindow.h"
#include "UIKitIds.h"
#include "ZVUILibApp.h"
#include "ZVUILibAppIds.h"

const wchar_t kZVFavoriteRegRoot[] = L"Software\\LumivoUserData\\LumivoShow\\FavoriteData\\";
IContextMenu2* CZVShellTree::m_pContextMenu2 = nullptr;

namespace {
// Volumes arriving and leaving.
const GUID kVolumeInterface = {0x53f5630d, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};

ZVTreeItemData* NewItemData(IShellFolder* folder, LPITEMIDLIST fq, LPITEMIDLIST rel)
{
    auto* data = static_cast<ZVTreeItemData*>(::GlobalAlloc(GPTR, sizeof(ZVTreeItemData)));
    if (!data)
        return nullptr;
    data->pParentFolder = folder;
    if (folder)
        folder->AddRef();
    data->pidlFQ = fq;
    data->pidlRel = rel;
    return data;
}

void FreeItemData(ZVTreeItemData* data)
{
    if (!data)
        return;
    if (g_pShellManager) {
        g_pShellManager->FreeItem(data->pidlFQ);
        g_pShellManager->FreeItem(data->pidlRel);
    } else {
        ::CoTaskMemFree(data->pidlFQ);
        ::CoTaskMemFree(data->pidlRel);
    }
    if (data->pParentFolder)
        data->pParentFolder->Release();
    ::GlobalFree(data);
}

// The shell's name of an absolute list.
CString DisplayName(LPCITEMIDLIST pidl)
{
    SHFILEINFOW info = {};
    if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return CString();
    return info.szDisplayName;
}

// Whether the drive or network share of a path is reachable now.
bool RootReachable(const CString& path)
{
    wchar_t root[MAX_PATH] = {};
    lstrcpynW(root, path, MAX_PATH);
    if (!::PathStripToRootW(root) || !root[0])
        return false;
    return ::GetFileAttributesW(root) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

BEGIN_MESSAGE_MAP(CZVShellTree, CBCGPTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemexpanding)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteitem)
    ON_WM_CONTEXTMENU()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_DEVICECHANGE, OnDeviceChangeMessage)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZVShellTree::CZVShellTree(const wchar_t* favoriteRoot)
{
    m_favorites.SetRootRegPath(favoriteRoot);
    m_favorites.LoadSetting();
}

CZVShellTree::~CZVShellTree()
{
    if (m_hTreeImages)
        ImageList_Destroy(m_hTreeImages);
}

int CZVShellTree::TreeImage(int nSystemIndex)
{
    if (nSystemIndex < 0 || !m_hSysImageList || !m_hTreeImages)
        return nSystemIndex;
    const auto known = m_treeImageOf.find(nSystemIndex);
    if (known != m_treeImageOf.end())
        return known->second;
    HICON icon = ImageList_GetIcon(m_hSysImageList, nSystemIndex, ILD_NORMAL);
    if (!icon)
        return -1;
    const int image = ImageList_AddIcon(m_hTreeImages, icon);
    ::DestroyIcon(icon);
    m_treeImageOf[nSystemIndex] = image;
    return image;
}

void CZVShellTree::InitStyle()
{
    RegisterDeviceNotify();
    if (!g_pShellManager)
        return;
    InitTree();
    NONCLIENTMETRICSW metrics = {sizeof(metrics)};
    LOGFONTW lf = {};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        SetIndent(2 * std::abs(lf.lfHeight));
    if (globalData.bIsWindowsVista()) {
        SendMessage(TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
        ::SetWindowTheme(m_hWnd, L"explorer", nullptr);
    }
}

void CZVShellTree::RegisterDeviceNotify()
{
    if (m_hDevNotify)
        return;
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kVolumeInterface;
    m_hDevNotify = ::RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CZVShellTree::InitTree()
{
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    SHFILEINFOW info = {};
    m_hSysImageList = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(windows, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (m_hSysImageList && !m_hTreeImages) {
        m_hTreeImages = ImageList_Create(16, 16, ILC_COLOR32, 32, 32);
        m_nFirstOwnIcon = 0;
        m_ownIcons.SetImageSize(CSize(16, 16));
        if (m_ownIcons.Load(IDB_ZV_TREE_ICONS, GetZVUILibModule()))
            for (int i = 0; i < m_ownIcons.GetCount(); ++i)
                if (HICON icon = m_ownIcons.ExtractIcon(i)) {
                    ImageList_AddIcon(m_hTreeImages, icon);
                    ::DestroyIcon(icon);
                }
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_hTreeImages));
    }
    Refresh();
}

void CZVShellTree::Refresh()
{
    DeleteAllItems();
    GetRootItems();
    SendMessage(TVM_SETSCROLLTIME, 100);
}

void CZVShellTree::SetFlags(DWORD dwFlags, BOOL bRefresh)
{
    m_dwFlags = dwFlags;
    if (bRefresh && m_hWnd)
        Refresh();
}

BOOL CZVShellTree::GetRootItems()
{
    // Inserted in this order; remembered as Pictures, Documents, Network, Computer.
    m_hPictures = AddRootItem(CSIDL_MYPICTURES);
    m_hDocuments = AddRootItem(CSIDL_PERSONAL);
    m_hComputer = AddRootItem(CSIDL_DRIVES);
    m_hNetwork = AddRootItem(CSIDL_NETWORK);
    m_hDesktop = AddDesktopItems();
    if (m_bShowFavorites)
        AddAllFavorite();
    return TRUE;
}

HTREEITEM CZVShellTree::InsertShellItem(HTREEITEM hParent, ZVTreeItemData* pData, const CString& strText, int nImage, int nSelected,
                                        BOOL bHasChildren, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    tvis.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelected;
    tvis.item.lParam = reinterpret_cast<LPARAM>(pData);
    tvis.item.cChildren = bHasChildren ? 1 : 0;
    HTREEITEM item = InsertItem(&tvis);
    if (!item)
        FreeItemData(pData);
    return item;
}

HTREEITEM CZVShellTree::AddRootItem(int nFolder)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    LPITEMIDLIST pidl = nullptr;
    HTREEITEM item = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, nFolder, &pidl)) && pidl) {
        LPITEMIDLIST copy = g_pShellManager ? g_pShellManager->CopyItem(pidl) : ::ILClone(pidl);
        ZVTreeItemData* data = NewItemData(desktop, copy, pidl);
        if (data) {
            const CString text = OnGetItemText(data, nullptr);
            item = InsertShellItem(TVI_ROOT, data, text, OnGetItemIcon(data, FALSE), OnGetItemIcon(data, TRUE), TRUE);
        } else {
            ::CoTaskMemFree(copy);
            ::CoTaskMemFree(pidl);
        }
    }
    desktop->Release();
    return item;
}

HTREEITEM CZVShellTree::AddDesktopItems()
{
    HTREEITEM desktop = AddRootItem(CSIDL_DESKTOP);
    if (!desktop)
        return nullptr;
    const CString name = GetItemText(desktop);
    m_strPicturesPath = name + L"\\" + (m_hPictures ? GetItemText(m_hPictures) : CString());
    m_strDocumentsPath = name + L"\\" + (m_hDocuments ? GetItemText(m_hDocuments) : CString());
    m_strNetworkPath = name + L"\\" + (m_hNetwork ? GetItemText(m_hNetwork) : CString());
    m_strComputerPath = name + L"\\" + (m_hComputer ? GetItemText(m_hComputer) : CString());
    return desktop;
}

void CZVShellTree::AddAllFavorite()
{
    CFavoriteFolder::FolderMap& folders = m_favorites.GetFolders();
    for (CFavoriteFolder::FolderMap::Iter it = folders.Begin(); !it.IsEnd();) {
        ST_FavFolder& fav = it.GetValue();
        if (AddFavoriteItemToTree(&fav, FALSE)) {
            it.Next();
            continue;
        }
        // A folder on a disk or share that is not there now (removable, network) stays a
        // favourite for when it comes back; one whose disk is there but folder gone is dropped.
        if (!RootReachable(CString(fav.path.GetString()))) {
            it.Next();
            continue;
        }
        if (!m_favorites.Remove(it))
            it.Next();
    }
}

HTREEITEM CZVShellTree::InsertPathItem(const wchar_t* path, const CString& strText, int nImage, HTREEITEM hInsertAfter)
{
    IShellFolder* desktop = nullptr;
    if (!path || !*path || FAILED(::SHGetDesktopFolder(&desktop)))
        return nullptr;
    LPITEMIDLIST pidl = nullptr;
    const HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(path), nullptr, &pidl, nullptr);
    if (FAILED(hr) || !pidl) {
        desktop->Release();
        return nullptr;
    }
    LPITEMIDLIST copy = g_pShellManager ? g_pShellManager->CopyItem(pidl) : ::ILClone(pidl);
    ZVTreeItemData* data = NewItemData(desktop, copy, pidl);
    desktop->Release();
    if (!data) {
        ::CoTaskMemFree(copy);
        ::CoTaskMemFree(pidl);
        return nullptr;
    }
    const CString text = strText.IsEmpty() ? OnGetItemText(copy) : strText;
    return InsertShellItem(TVI_ROOT, data, text, nImage, nImage, TRUE, hInsertAfter);
}

int CZVShellTree::AddTreeIcon(HICON icon)
{
    if (!icon || !m_hTreeImages)
        return -1;
    return ImageList_AddIcon(m_hTreeImages, icon);
}

BOOL CZVShellTree::AddFavoriteItemToTree(ST_FavFolder* pFav, BOOL bNotify)
{
    if (!pFav)
        return FALSE;
    const CString name = pFav->name.GetLength() > 0 ? CString(pFav->name.GetString()) : CString();
    HTREEITEM item = InsertPathItem(pFav->path.GetString(), name, pFav->icon + m_nFirstOwnIcon, TVI_LAST);
    if (!item)
        return FALSE;
    const CString text = GetItemText(item);
    pFav->item = item;
    if (bNotify) {
        EnsureVisible(item);
        CRect rect;
        if (GetItemRect(item, &rect, TRUE)) {
            ClientToScreen(&rect);
            CPoint place(rect.left, rect.bottom + rect.Height() / 4);
            CString note = TranslateString(L"Add Favorite");
            note += L"\n\"" + text + L"\"";
            PopupNotifyWnd(note, 2, ::LoadIconW(GetZVUILibModule(), MAKEINTRESOURCEW(IDI_ZVUILIB_SMALL)), &place);
        }
    }
    return TRUE;
}

void CZVShellTree::OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    *pResult = 0;
    if (m_bCollapsing)
        return;
    HTREEITEM item = nm->itemNew.hItem;
    if (nm->action & TVE_COLLAPSE) {
        if (IsSubItem(item, GetSelectedItem()) && GetSelectedItem() != item)
            SelectItem(item);
        // Collapse-reset: the children go, to be read from the disk again when it opens.
        m_bCollapsing = TRUE;
        while (HTREEITEM child = GetChildItem(item))
            DeleteItem(child);
        m_bCollapsing = FALSE;
        TVITEMW tvi = {TVIF_CHILDREN | TVIF_STATE, item};
        tvi.cChildren = 1;   // announced, so that it can open again
        tvi.state = 0;
        tvi.stateMask = TVIS_EXPANDEDONCE | TVIS_EXPANDED;
        SetItem(&tvi);
        return;
    }
    if (!GetChildItem(item))
        GetChildItems(item);
}

BOOL CZVShellTree::GetChildItems(HTREEITEM hItem)
{
    auto* data = reinterpret_cast<ZVTreeItemData*>(GetItemData(hItem));
    if (!data || !data->pidlRel)
        return FALSE;
    const HCURSOR cursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    SetRedraw(FALSE);
    IShellFolder* folder = nullptr;
    HRESULT hr;
    if (!data->pParentFolder || (g_pShellManager ? g_pShellManager->GetItemCount(data->pidlFQ) : 1) == 0) {
        hr = ::SHGetDesktopFolder(&folder);   // the Desktop itself
    } else {
        hr = data->pParentFolder->BindToObject(data->pidlRel, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    }
    if (FAILED(hr) || !folder) {
        SetRedraw(TRUE);
        ::SetCursor(cursor);
        return FALSE;
    }
    EnumObjects(hItem, folder, data->pidlFQ);
    folder->Release();
    TVSORTCB sort = {hItem, CompareProc, 0};
    SortChildrenCB(&sort);
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    ::SetCursor(cursor);
    return TRUE;
}

HRESULT CZVShellTree::EnumObjects(HTREEITEM hParent, IShellFolder* pFolder, LPITEMIDLIST pidlParent)
{
    IEnumIDList* items = nullptr;
    HRESULT hr = pFolder->EnumObjects(m_hWnd, m_dwFlags, &items);
    if (FAILED(hr) || !items)
        return hr;
    LPITEMIDLIST rel = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &rel, &fetched) == S_OK && rel) {
        if (IsControlPanel(pFolder, rel)) {
            ::CoTaskMemFree(rel);
            continue;
        }
        ULONG attributes = SFGAO_HASSUBFOLDER | SFGAO_FOLDER | SFGAO_DISPLAYATTRMASK | SFGAO_CANRENAME | SFGAO_SHARE;
        LPCITEMIDLIST one = rel;
        pFolder->GetAttributesOf(1, &one, &attributes);
        LPITEMIDLIST fq = g_pShellManager ? g_pShellManager->ConcatenateItem(pidlParent, rel) : ::ILCombine(pidlParent, rel);
        ZVTreeItemData* data = NewItemData(pFolder, fq, rel);
        if (!data) {
            ::CoTaskMemFree(fq);
            ::CoTaskMemFree(rel);
            continue;
        }
        const CString text = OnGetItemText(data, hParent);
        HTREEITEM item = InsertShellItem(hParent, data, text, OnGetItemIcon(data, FALSE), OnGetItemIcon(data, TRUE),
                                         (attributes & SFGAO_HASSUBFOLDER) != 0);
        if (item && (attributes & SFGAO_SHARE))
            SetItemState(item, INDEXTOOVERLAYMASK(1), TVIS_OVERLAYMASK);
    }
    items->Release();
    return S_OK;
}

BOOL CZVShellTree::IsControlPanel(IShellFolder* pFolder, LPCITEMIDLIST pidl)
{
    // By the parsing name: the Control Panel (classic and category views) and the Recycle Bin.
    static const wchar_t* const kHidden[] = {
        L"::{21EC2020-3AEA-1069-A2DD-08002B30309D}",   // Control Panel
        L"::{26EE0668-A00A-44D7-9371-BEB064C98683}",   // Control Panel, category view
        L"::{645FF040-5081-101B-9F08-00AA002F954E}",   // Recycle Bin
    };
    STRRET str = {};
    if (FAILED(pFolder->GetDisplayNameOf(pidl, SHGDN_FORPARSING, &str)))
        return FALSE;
    wchar_t name[MAX_PATH] = {};
    if (FAILED(::StrRetToBufW(&str, pidl, name, MAX_PATH)))
        return FALSE;
    for (const wchar_t* hidden : kHidden)
        if (::StrStrIW(name, hidden))
            return TRUE;
    return FALSE;
}

int CALLBACK CZVShellTree::CompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    auto* a = reinterpret_cast<ZVTreeItemData*>(lParam1);
    auto* b = reinterpret_cast<ZVTreeItemData*>(lParam2);
    if (!a || !b || !a->pParentFolder)
        return 0;
    const HRESULT hr = a->pParentFolder->CompareIDs(0, a->pidlRel, b->pidlRel);
    if (FAILED(hr))
        return 0;
    return static_cast<short>(HRESULT_CODE(hr));
}

CString CZVShellTree::OnGetItemText(LPCITEMIDLIST pidl)
{
    const CString name = DisplayName(pidl);
    return name.IsEmpty() ? CString(L"???") : name;
}

CString CZVShellTree::OnGetItemText(ZVTreeItemData* pItem, HTREEITEM hItem)
{
    CString text = OnGetItemText(pItem->pidlFQ);
    if (!hItem)
        return text;
    for (int i = 0; i < m_lstTranslateItems.GetCount(); ++i)
        if (IsSubItem(m_lstTranslateItems.GetAt(i).Get(), hItem))
            return TranslateString(text);
    return text;
}

int CZVShellTree::OnGetItemIcon(ZVTreeItemData* pItem, BOOL bSelected)
{
    // The shortcut overlay is not asked of the shell: some shells answer the overlay's own
    // index for it. Folders here are seldom shortcuts.
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (bSelected ? SHGFI_OPENICON : 0);
    if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pItem->pidlFQ), 0, &info, sizeof(info), flags))
        return -1;
    return TreeImage(info.iIcon);
}

int CZVShellTree::GetFolderIcon(LPCTSTR lpszPath, BOOL bOpen)
{
    SHFILEINFOW info = {};
    if (!::SHGetFileInfoW(lpszPath, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (bOpen ? SHGFI_OPENICON : 0)))
        return -1;
    return info.iIcon;
}

int CZVShellTree::GetFolderIcon(int nFolder, BOOL bOpen)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, nFolder, &pidl)) || !pidl)
        return 0;
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (bOpen ? SHGFI_OPENICON : 0);
    const int icon = ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info), flags) ? info.iIcon : -1;
    ::CoTaskMemFree(pidl);
    return icon;
}

BOOL CZVShellTree::GetItemPath(CString& strPath, HTREEITEM hItem)
{
    strPath.Empty();
    if (!hItem)
        hItem = GetSelectedItem();
    if (!hItem)
        return FALSE;
    auto* data = reinterpret_cast<ZVTreeItemData*>(GetItemData(hItem));
    if (!data || !data->pidlFQ || !data->pidlRel)
        return FALSE;
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(data->pidlFQ, path))
        return FALSE;
    strPath = path;
    return TRUE;
}

BOOL CZVShellTree::IsSubItem(HTREEITEM hAncestor, HTREEITEM hItem)
{
    for (; hItem; hItem = GetParentItem(hItem))
        if (hItem == hAncestor)
            return TRUE;
    return FALSE;
}

HTREEITEM CZVShellTree::GetChildItemByName(HTREEITEM hParent, const CString& strName)
{
    for (HTREEITEM child = GetChildItem(hParent); child; child = GetNextSiblingItem(child))
        if (GetItemText(child) == strName)
            return child;
    return nullptr;
}

void CZVShellTree::OnDeleteitem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    FreeItemData(reinterpret_cast<ZVTreeItemData*>(nm->itemOld.lParam));
    *pResult = 0;
}

void CZVShellTree::OnDestroy()
{
    // While the parent still hears the deletions, so that every record is freed.
    DeleteAllItems();
    if (m_hDevNotify) {
        ::UnregisterDeviceNotification(m_hDevNotify);
        m_hDevNotify = nullptr;
    }
    CBCGPTreeCtrl::OnDestroy();
}

void CZVShellTree::OnRButtonDown(UINT, CPoint point)
{
    SetFocus();
    if (HTREEITEM item = HitTest(point))
        SelectItem(item);
}

void CZVShellTree::OnContextMenu(CWnd*, CPoint point)
{
    if (m_bContextMenu)
        OnShowContextMenu(point);
    else
        Default();
}

void CZVShellTree::OnShowContextMenu(CPoint point)
{
    HTREEITEM item = nullptr;
    if (point == CPoint(-1, -1)) {
        item = GetSelectedItem();
        CRect rect;
        if (item && GetItemRect(item, &rect, TRUE)) {
            point = CPoint(rect.left, rect.bottom);
            ClientToScreen(&point);
        }
    } else {
        CPoint client = point;
        ScreenToClient(&client);
        item = HitTest(client);
    }
    auto* data = item ? reinterpret_cast<ZVTreeItemData*>(GetItemData(item)) : nullptr;
    if (!data || !data->pParentFolder)
        return;
    IContextMenu* menu = nullptr;
    LPCITEMIDLIST rel = data->pidlRel;
    if (FAILED(data->pParentFolder->GetUIObjectOf(m_hWnd, 1, &rel, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&menu))))
        return;
    HMENU popup = ::CreatePopupMenu();
    if (popup && SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE))) {
        menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&m_pContextMenu2));
        const UINT command = ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd,
                                              nullptr);
        if (m_pContextMenu2) {
            m_pContextMenu2->Release();
            m_pContextMenu2 = nullptr;
        }
        if (command) {
            CMINVOKECOMMANDINFO invoke = {sizeof(invoke)};
            invoke.hwnd = m_hWnd;
            invoke.lpVerb = MAKEINTRESOURCEA(command - 1);
            invoke.nShow = SW_SHOWNORMAL;
            menu->InvokeCommand(&invoke);
            if (CWnd* parent = GetParent())
                parent->SendMessage(BCGPM_ON_AFTER_SHELL_COMMAND, command);
            SetFocus();
        }
    }
    if (popup)
        ::DestroyMenu(popup);
    menu->Release();
}

LRESULT CZVShellTree::OnDeviceChangeMessage(WPARAM, LPARAM)
{
    if (m_hComputer && GetSelectedItem() == m_hComputer) {
        LockWindowUpdate();
        m_bCollapsing = TRUE;
        Expand(m_hComputer, TVE_COLLAPSE | TVE_COLLAPSERESET);
        while (HTREEITEM child = GetChildItem(m_hComputer))
            DeleteItem(child);
        m_bCollapsing = FALSE;
        GetChildItems(m_hComputer);
        Expand(m_hComputer, TVE_EXPAND);
        OnDeviceChange();
        UnlockWindowUpdate();
        RedrawWindow();
    }
    return TRUE;
}

LRESULT CZVShellTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pContextMenu2 && (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_INITMENUPOPUP)) {
        m_pContextMenu2->HandleMenuMsg(message, wParam, lParam);
        return 0;
    }
    return CBCGPTreeCtrl::WindowProc(message, wParam, lParam);
}

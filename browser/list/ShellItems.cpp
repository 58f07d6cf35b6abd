// Folder-tree items without a path of their own (Computer, Network): the list shows the shell's
// children of the item, folders with the system's icons.
#include "PictureListView.h"
#include <commoncontrols.h>
#include "PathFunc.h"
#include "ZVShellTree.h"

namespace {

struct PidlFree {
    void operator()(ITEMIDLIST* pidl) const { ::CoTaskMemFree(pidl); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// The item's folder: the desktop for an item without a parent folder (the desktop itself) or
// bound from its parent.
IShellFolder* BindTreeItem(const ZVTreeItemData* data)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop)
        return nullptr;
    if (!data || !data->pidlFQ || !data->pidlFQ->mkid.cb)
        return desktop;
    IShellFolder* folder = nullptr;
    IShellFolder* parent = data->pParentFolder ? data->pParentFolder : desktop;
    LPCITEMIDLIST relative = data->pParentFolder && data->pidlRel ? data->pidlRel : data->pidlFQ;
    if (FAILED(parent->BindToObject(relative, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
        folder = nullptr;
    desktop->Release();
    return folder;
}

// IImageList's interface id, which the import libraries do not all carry.
const IID kImageListId = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

int SystemIconIndex(LPCITEMIDLIST absolute)
{
    SHFILEINFOW info = {};
    if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX))
        return -1;
    return info.iIcon;
}

// The system's icon at the list's size: the large icons for list rows, the extra-large for
// small thumbnails, the jumbo ones above (the extra-large where there are none).
HICON SystemIcon(int index, int iconSize)
{
    const int wanted = iconSize <= 0 ? SHIL_LARGE : iconSize == 1 ? SHIL_EXTRALARGE : SHIL_JUMBO;
    for (int list : {wanted, int(SHIL_EXTRALARGE), int(SHIL_LARGE)}) {
        IImageList* images = nullptr;
        if (FAILED(::SHGetImageList(list, kImageListId, reinterpret_cast<void**>(&images))) || !images)
            continue;
        HICON icon = nullptr;
        const HRESULT hr = images->GetIcon(index, ILD_TRANSPARENT, &icon);
        images->Release();
        if (SUCCEEDED(hr) && icon)
            return icon;
    }
    return nullptr;
}

} // namespace

std::vector<CPictureListView::ShellChild> CPictureListView::ReadShellChildren(CZVShellTree& tree, HTREEITEM item)
{
    std::vector<ShellChild> children;
    auto* data = reinterpret_cast<ZVTreeItemData*>(tree.GetItemData(item));
    IShellFolder* folder = BindTreeItem(data);
    if (!folder)
        return children;
    // Children of the two special roots without a path of their own are named below the root.
    std::wstring rootPath;
    if (item == tree.GetPicturesItem() || item == tree.GetDocumentsItem()) {
        CString path;
        if (tree.GetItemPath(path, item))
            rootPath = path.GetString();
    }
    IEnumIDList* items = nullptr;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK && items) {
        LPITEMIDLIST child = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &child, &fetched) == S_OK && child) {
            Pidl relative(child);
            Pidl absolute(data && data->pidlFQ ? ::ILCombine(data->pidlFQ, relative.get()) : ::ILClone(relative.get()));
            if (!absolute)
                continue;
            SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM;
            LPCITEMIDLIST one = relative.get();
            if (FAILED(folder->GetAttributesOf(1, &one, &attributes)))
                continue;
            ShellChild entry;
            entry.name = tree.OnGetItemText(absolute.get()).GetString();
            wchar_t path[MAX_PATH] = {};
            if (::SHGetPathFromIDListW(absolute.get(), path))
                entry.path = path;
            else if (!rootPath.empty())
                entry.path = rootPath + L"\\" + entry.name;
            if (attributes & SFGAO_FOLDER) {
                entry.folder = true;
                entry.systemIcon = SystemIconIndex(absolute.get());
            } else if (!(attributes & SFGAO_STREAM)) {
                continue;
            }
            children.push_back(entry);
        }
        items->Release();
    }
    folder->Release();
    // Folders first, in the shell's order, as the list keeps them.
    std::stable_partition(children.begin(), children.end(), [](const ShellChild& c) { return c.folder; });
    return children;
}

void CPictureListView::ShowShellItem(CZVShellTree& tree, HTREEITEM item)
{
    m_hShellItem = item;
    m_pShellTree = &tree;
    if (m_bOnline)
        SwitchViewSettings(true);
    StopAll();
    ShowSplash(nullptr, -1);
    RemoveAllItem();
    m_strFolder = String();
    std::vector<ShellChild> children = ReadShellChildren(tree, item);
    bool pictures = false;
    for (ShellChild& child : children) {
        child.picture = !child.folder && !child.path.empty() && !m_strFilter.IsEmpty() &&
                        MatchWildcardList(m_strFilter.GetString(), GetFileNamePart(child.path.c_str()));
        pictures = pictures || child.picture;
    }
    Lock();
    m_shellChildren = children;
    for (const ShellChild& child : children) {
        if (child.folder) {
            CKQListFolder entry(child.name.c_str());
            m_folderBrowser.m_lstFolder.AddTail(entry);
        } else {
            CKQListFile entry(child.name.c_str());
            entry.m_pImage = nullptr;
            m_folderBrowser.m_lstFile.AddTail(entry);
        }
    }
    Unlock();
    m_bShellIconsPending = true;
    ChangeIconSize(static_cast<KQ_LS_ICON_SIZE>(m_nIconSize < 0 ? 0 : m_nIconSize), false);
    // Picture files load their thumbnails as a folder's do, on the list's preview thread.
    if (pictures) {
        m_bPreviewStop = false;
        m_bPreviewUpdate = true;
        try {
            m_pPreviewThread.reset(new std::thread(&CKQPicListView::UpdatePreviewThread, this));
        } catch (...) {
            m_pPreviewThread.reset();
        }
    }
    SendMessage(KQLV_MSG_FOLDER_CHANGED, 1, reinterpret_cast<LPARAM>(item));
    SendMessage(KQLV_MSG_UPDATE_VIEW);
}

void CPictureListView::ChangeIconSize(int width, int height, bool redraw)
{
    if (m_hShellItem) {
        const int iconSize = m_nIconSize < 0 ? 0 : m_nIconSize;
        int folderIndex = 0;
        int iconHeight = 0;
        for (const ShellChild& child : m_shellChildren) {
            if (!child.folder)
                continue;
            if (child.systemIcon >= 0) {
                if (HICON icon = SystemIcon(child.systemIcon, iconSize)) {
                    ICONINFO info = {};
                    if (::GetIconInfo(icon, &info)) {
                        BITMAP bitmap = {};
                        if (info.hbmColor && ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap))
                            iconHeight = std::max(iconHeight, int(bitmap.bmHeight));
                        if (info.hbmColor)
                            ::DeleteObject(info.hbmColor);
                        if (info.hbmMask)
                            ::DeleteObject(info.hbmMask);
                    }
                    SetFolderImage(folderIndex, icon);
                    ::DestroyIcon(icon);
                }
            }
            ++folderIndex;
        }
        // Cells too low for the icons grow to hold them and their texts.
        if (m_bShellIconsPending && iconSize > 0 && height < iconHeight) {
            height = width + (m_bShowName ? 2 * m_szLine.cy : 0) + (m_bShowSize || m_bShowDate ? m_szLine.cy : 0);
        }
    }
    CKQPicListView::ChangeIconSize(width, height, redraw);
}

void CPictureListView::ForgetShellItem()
{
    m_hShellItem = nullptr;
    m_bShellIconsPending = false;
    Lock();
    m_shellChildren.clear();
    Unlock();
}

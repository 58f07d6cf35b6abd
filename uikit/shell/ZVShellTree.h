#pragma once
// CZVShellTree: the folder tree of both programs over the shell's namespace: Pictures,
// Documents, Computer, Network and the Desktop at the top, then the user's favourite folders;
// children are read from the shell when a folder opens. Each item holds a ZVTreeItemData
// (allocated with GlobalAlloc) that is released when the item goes.
#include <shlobj.h>
#include <map>
#include "FavoriteFolder.h"
#include "SkinUI.h"
#include "TList.h"
#include "ZVUILibDef.h"

struct ZVTreeItemData {
    IShellFolder* pParentFolder;   // referenced; null for the desktop
    LPITEMIDLIST pidlFQ;           // absolute
    LPITEMIDLIST pidlRel;          // relative to the parent folder
};

// Where the favourites live below HKEY_CURRENT_USER unless a tree is given another root.
ZVUILIB_API extern const wchar_t kZVFavoriteRegRoot[];

class ZVUILIB_API CZVShellTree : public CBCGPTreeCtrl {
public:
    explicit CZVShellTree(const wchar_t* favoriteRoot = kZVFavoriteRegRoot);
    ~CZVShellTree() override;

    void InitStyle();
    void InitTree();
    void Refresh();
    void SetFlags(DWORD dwFlags, BOOL bRefresh);
    DWORD GetFlags() const { return m_dwFlags; }
    void EnableContextMenu(BOOL bEnable) { m_bContextMenu = bEnable; }
    void ShowFavorites(BOOL bShow) { m_bShowFavorites = bShow; }

    virtual BOOL GetRootItems();
    HTREEITEM AddRootItem(int nFolder);
    HTREEITEM AddDesktopItems();
    void AddAllFavorite();
    BOOL AddFavoriteItemToTree(ST_FavFolder* pFav, BOOL bNotify);
    BOOL GetChildItems(HTREEITEM hItem);
    virtual HRESULT EnumObjects(HTREEITEM hParent, IShellFolder* pFolder, LPITEMIDLIST pidlParent);
    static int CALLBACK CompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    static BOOL IsControlPanel(IShellFolder* pFolder, LPCITEMIDLIST pidl);

    virtual CString OnGetItemText(LPCITEMIDLIST pidl);
    virtual CString OnGetItemText(ZVTreeItemData* pItem, HTREEITEM hItem);
    virtual int OnGetItemIcon(ZVTreeItemData* pItem, BOOL bSelected);
    static int GetFolderIcon(LPCTSTR lpszPath, BOOL bOpen);
    static int GetFolderIcon(int nFolder, BOOL bOpen);
    // Called after Computer was rebuilt for a device change; a hook for derived trees.
    virtual void OnDeviceChange() {}

    BOOL GetItemPath(CString& strPath, HTREEITEM hItem = nullptr);
    BOOL IsSubItem(HTREEITEM hAncestor, HTREEITEM hItem);
    HTREEITEM GetChildItemByName(HTREEITEM hParent, const CString& strName);
    void OnShowContextMenu(CPoint point);
    void RegisterDeviceNotify();

    HTREEITEM GetPicturesItem() const { return m_hPictures; }
    HTREEITEM GetDocumentsItem() const { return m_hDocuments; }
    HTREEITEM GetNetworkItem() const { return m_hNetwork; }
    HTREEITEM GetComputerItem() const { return m_hComputer; }
    HTREEITEM GetDesktopItem() const { return m_hDesktop; }
    CFavoriteFolder& GetFavorites() { return m_favorites; }

    // Items whose sub-trees show translated names (filled by derived trees).
    ALT::TList<HTREEITEM> m_lstTranslateItems;
    static IContextMenu2* m_pContextMenu2;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteitem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    // WM_DEVICECHANGE: rebuilds Computer while it is the selected item; always TRUE.
    afx_msg LRESULT OnDeviceChangeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    HTREEITEM InsertShellItem(HTREEITEM hParent, ZVTreeItemData* pData, const CString& strText, int nImage, int nSelected,
                              BOOL bHasChildren, HTREEITEM hInsertAfter = TVI_LAST);
    // A top-level item over a folder of the disk, with one child announced, inserted after
    // hInsertAfter; an empty text takes the shell's name. Null when the path does not parse.
    HTREEITEM InsertPathItem(const wchar_t* path, const CString& strText, int nImage, HTREEITEM hInsertAfter);
    // An icon of a derived tree added to the tree's images; its image index, or -1.
    int AddTreeIcon(HICON icon);

    HTREEITEM m_hPictures = nullptr, m_hDocuments = nullptr, m_hNetwork = nullptr, m_hComputer = nullptr;
    HTREEITEM m_hDesktop = nullptr;
    CFavoriteFolder m_favorites;
    // The tree's images: its own icons first, then each system icon it shows, copied from the
    // system list on first use. The system list is shared with the shell, which appends to it
    // as it meets new icons, so icons of ours appended there would be taken over.
    int TreeImage(int nSystemIndex);
    HIMAGELIST m_hSysImageList = nullptr;   // the shell's; not owned
    HIMAGELIST m_hTreeImages = nullptr;      // owned
    std::map<int, int> m_treeImageOf;        // system index -> tree image
    int m_nFirstOwnIcon = 0;
    CBCGPToolBarImages m_ownIcons;
    // The display paths of the roots ("Desktop\Pictures"...); the third is left empty here for a
    // root of a derived tree (the browser keeps its online materials' folder in it).
    CString m_strPicturesPath, m_strDocumentsPath, m_strExtraPath, m_strNetworkPath, m_strComputerPath;
    BOOL m_bShowFavorites = TRUE;
    BOOL m_bContextMenu = FALSE;
    DWORD m_dwFlags = SHCONTF_FOLDERS;
    HDEVNOTIFY m_hDevNotify = nullptr;
    BOOL m_bCollapsing = FALSE;
};

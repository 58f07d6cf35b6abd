#pragma once
// CBCGPBreadcrumb: an address bar of items: the path from the root to the selected item, each
// step a button with an arrow that lists its sub-items. A click on a step selects it, a click
// on the empty part opens an edit box for a typed path. Sub-items may be loaded when first needed
// (OnLoadSubItems). CBCGPShellBreadcrumb: the same over the shell's folders, from the desktop.
#include <shlobj.h>
#include <memory>
#include <vector>
#include "AppFrame.h"
#include "HoverTracker.h"
#include "SkinUIDef.h"

struct BreadcrumbItem;
typedef BreadcrumbItem* HBREADCRUMBITEM;

// WM_NOTIFY code sent to the parent after the selection changed.
#define BCCN_SELECTIONCHANGED (0U - 1850U)

class SKINUI_API CBCGPBreadcrumb : public CWnd {
    DECLARE_DYNCREATE(CBCGPBreadcrumb)
public:
    CBCGPBreadcrumb();
    ~CBCGPBreadcrumb() override;

    virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

    HBREADCRUMBITEM GetRootItem() const;
    void SetItemText(HBREADCRUMBITEM hItem, const CString& strText);
    CString GetItemText(HBREADCRUMBITEM hItem) const;
    LPARAM GetItemData(HBREADCRUMBITEM hItem) const;
    void SetItemData(HBREADCRUMBITEM hItem, LPARAM lParam);
    HBREADCRUMBITEM GetItemParent(HBREADCRUMBITEM hItem) const;
    // A sub-item at the end of hParent's (the root when null).
    HBREADCRUMBITEM InsertItem(HBREADCRUMBITEM hParent, const CString& strText, int iImage = -1, LPARAM lParam = 0);
    BOOL DeleteItem(HBREADCRUMBITEM hItem);
    // Sub-items, loaded first when they have not been.
    int GetSubItemsCount(HBREADCRUMBITEM hParent);
    HBREADCRUMBITEM GetSubItem(HBREADCRUMBITEM hParent, int nIndex);
    HBREADCRUMBITEM GetSubItemByName(HBREADCRUMBITEM hParent, const CString& strText);
    // Drops the sub-items; they are loaded again when next needed.
    void ResetItem(HBREADCRUMBITEM hItem);

    HBREADCRUMBITEM GetSelectedItem() const { return m_hSelected; }
    void SelectItem(HBREADCRUMBITEM hItem);
    // The texts from below the root to the item, joined by the delimiter.
    virtual CString GetItemPath(HBREADCRUMBITEM hItem, TCHAR delimiter = L'\\') const;
    CString GetSelectedPath(TCHAR delimiter = L'\\') const { return GetItemPath(m_hSelected, delimiter); }
    // Selects the item of the path (sub-item texts, case-insensitive, from the root); FALSE, and
    // the selection unchanged, when a step is missing.
    virtual BOOL SelectPath(const CString& strPath, TCHAR delimiter = L'\\');

    // The edit box for a typed path: where it goes and what it is.
    CRect GetInplaceEditRect() const;
    virtual CEdit* CreateInplaceEdit(CWnd* pParent, const CRect& rect, UINT uiControlID);
    void StartEdit();
    void EndEdit(BOOL bAccept);
    CEdit* GetInplaceEdit() const { return m_pEdit.get(); }
    // The step rectangles of the items on the path (client coordinates; empty when not shown).
    CRect GetItemRect(HBREADCRUMBITEM hItem) const;

protected:
    // Fills hItem's sub-items when first asked; nothing by default.
    virtual void OnLoadSubItems(HBREADCRUMBITEM hItem);
    // After the selection changed; the default tells the parent (BCCN_SELECTIONCHANGED).
    virtual void OnSelectionChanged(HBREADCRUMBITEM hSelectedItem);
    // An item is going away: its data may need releasing.
    virtual void OnDeleteItem(HBREADCRUMBITEM hItem);
    // Shows the sub-items of a step as a menu below its arrow.
    void ShowSubItemsMenu(HBREADCRUMBITEM hItem);
    void Layout();
    void Paint(CDC* pDC);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DeleteChildren(BreadcrumbItem* item);

    std::unique_ptr<BreadcrumbItem> m_root;
    HBREADCRUMBITEM m_hSelected = nullptr;
    struct Step {
        HBREADCRUMBITEM item;
        CRect text, arrow;
    };
    std::vector<Step> m_steps;
    skinui::HoverTracker<int> m_hover{ -1 };   // step * 2 (text) or step * 2 + 1 (arrow)
    std::unique_ptr<CEdit> m_pEdit;
};

class SKINUI_API CBCGPShellBreadcrumb : public CBCGPBreadcrumb {
    DECLARE_DYNCREATE(CBCGPShellBreadcrumb)
public:
    CBCGPShellBreadcrumb();
    ~CBCGPShellBreadcrumb() override;

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP) override;
    // Selects the folder of the absolute list, adding the steps to it.
    BOOL SelectShellItem(LPCITEMIDLIST lpidl);
    // A file-system path (or any the shell can parse).
    BOOL SelectPath(const CString& strPath, TCHAR delimiter = L'\\') override;
    // The item's absolute list (owned by the breadcrumb), or null.
    LPCITEMIDLIST GetShellItem(HBREADCRUMBITEM hItem) const;
    // The file-system path of a folder item; the display names joined for virtual folders.
    CString GetItemPath(HBREADCRUMBITEM hItem, TCHAR delimiter = L'\\') const override;
    // Flags of the folder enumeration (SHCONTF_...); folders only by default.
    void SetShellFlags(DWORD dwFlags) { m_dwShellFlags = dwFlags; }
    DWORD GetShellFlags() const { return m_dwShellFlags; }

protected:
    void OnLoadSubItems(HBREADCRUMBITEM hItem) override;
    void OnDeleteItem(HBREADCRUMBITEM hItem) override;
    HBREADCRUMBITEM InsertShellItem(HBREADCRUMBITEM hParent, LPITEMIDLIST pidlAbsolute);
    DWORD m_dwShellFlags = SHCONTF_FOLDERS;
};

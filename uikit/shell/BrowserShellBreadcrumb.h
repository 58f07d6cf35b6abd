#pragma once
// CBrowserShellBreadcrumb: the address bar above a picture list: the folder the user picks in
// it opens in the list. It reaches the list through IKQFolderListTarget, which the picture
// list implements.
#include "SkinUI.h"
#include "ZVUILibDef.h"

// What the breadcrumb needs of the picture list it drives.
class IKQFolderListTarget {
public:
    virtual ~IKQFolderListTarget() = default;
    // The folder the list shows; empty while it shows none.
    virtual CString GetCurrentFolder() const = 0;
    // Opens the folder in the list.
    virtual void UpdateFolder(const CString& strPath, bool bKeepEntries) = 0;
};

class ZVUILIB_API CBrowserShellBreadcrumb : public CBCGPShellBreadcrumb {
public:
    CBrowserShellBreadcrumb();
    ~CBrowserShellBreadcrumb() override;

    // Under the selected item, the sub-item named strOld is renamed and the children are read
    // again; nothing without a selection or such a sub-item.
    void RenameChildItem(const CString& strOld, const CString& strNew);
    // Reads the selected item's children again (after a folder was made in it).
    void UpdateNewFolder();

    IKQFolderListTarget* m_pListView = nullptr;   // set by the owner; not owned

protected:
    void OnSelectionChanged(HBREADCRUMBITEM hSelectedItem) override;
};

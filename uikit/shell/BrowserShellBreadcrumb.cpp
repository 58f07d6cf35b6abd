#include "BrowserShellBreadcrumb.h"

CBrowserShellBreadcrumb::CBrowserShellBreadcrumb() = default;
CBrowserShellBreadcrumb::~CBrowserShellBreadcrumb() = default;

void CBrowserShellBreadcrumb::OnSelectionChanged(HBREADCRUMBITEM hSelectedItem)
{
    CString path = GetItemPath(hSelectedItem, L'\\');
    if (path.GetLength() > 0 && path[path.GetLength() - 1] == L'\\')
        path.Delete(path.GetLength() - 1);
    if (m_pListView) {
        const CString current = m_pListView->GetCurrentFolder();
        if (!current.IsEmpty() && current != path)
            m_pListView->UpdateFolder(path, false);
    }
    CBCGPShellBreadcrumb::OnSelectionChanged(hSelectedItem);
}

void CBrowserShellBreadcrumb::RenameChildItem(const CString& strOld, const CString& strNew)
{
    HBREADCRUMBITEM selected = GetSelectedItem();
    if (!selected)
        return;
    HBREADCRUMBITEM child = GetSubItemByName(selected, strOld);
    if (!child)
        return;
    SetItemText(child, strNew);
    ResetItem(selected);
}

void CBrowserShellBreadcrumb::UpdateNewFolder()
{
    if (HBREADCRUMBITEM selected = GetSelectedItem())
        ResetItem(selected);
}

#include "ListBatchCommandHost.h"
#include "KQPPopupWindow.h"
#include "KQPicListView.h"
#include "SkinUI.h"
#include "ZVUILibApp.h"

CListBatchCommandHost::CListBatchCommandHost(CKQPicListView& list, CBatchEngine& engine, HICON icon,
                                             std::function<bool()> online)
    : m_list(list), m_engine(engine), m_icon(icon), m_online(std::move(online))
{
}

bool CListBatchCommandHost::HasSelection()
{
    return m_list.GetNextSelectItem(-1) >= 0;
}

bool CListBatchCommandHost::IsHoverItemFile()
{
    return m_list.IsHoverItemFile();
}

std::wstring CListBatchCommandHost::CurrentFolder()
{
    return m_list.GetCurrentFolder().GetString();
}

std::wstring CListBatchCommandHost::SampleCandidate()
{
    for (int i = m_list.GetNextSelectItem(-1); i >= 0; i = m_list.GetNextSelectItem(i))
        if (!(m_list.GetItemState(i) & KQLS_FOLDER))
            return m_list.GetItemFullFileName(i).GetString();
    const int hovered = m_list.GetHoverItem(false, false);
    if (hovered >= 0 && !(m_list.GetItemState(hovered) & KQLS_FOLDER))
        return m_list.GetItemFullFileName(hovered).GetString();
    return std::wstring();
}

std::vector<BatchCommandHost::FolderItem> CListBatchCommandHost::FolderItems()
{
    std::vector<FolderItem> folders;
    // The folders come first in the list.
    const int count = m_list.GetItemCount();
    for (int i = 0; i < count; ++i) {
        const unsigned state = m_list.GetItemState(i);
        if (!(state & KQLS_FOLDER))
            break;
        folders.push_back(FolderItem{i, m_list.GetItemText(i).GetString(), (state & KQLS_SELECTED) != 0});
    }
    return folders;
}

void CListBatchCommandHost::DeselectItem(int index)
{
    m_list.SetItemState(index, 0, KQLS_SELECTED);
}

void CListBatchCommandHost::ShowNote(const wchar_t* text)
{
    CPoint at;
    ::GetCursorPos(&at);
    PopupNotifyWnd(text, 2, m_icon, &at);
}

bool CListBatchCommandHost::AskYesNo(const wchar_t* text)
{
    return BCGPMessageBox(m_list.GetSafeHwnd(), text, TranslateString(L"Batch"), MB_YESNO | MB_ICONEXCLAMATION) != IDNO;
}

#pragma once
// The batch commands' view of a picture list: its selection, the item under the mouse, its
// folder items, the notes at the mouse and the questions in a message box. The engine that
// runs the batch is the list's.
#include <functional>
#include "BatchCommands.h"

class CKQPicListView;

class CListBatchCommandHost : public BatchCommandHost {
public:
    // online: whether the list shows online materials now; none: never.
    CListBatchCommandHost(CKQPicListView& list, CBatchEngine& engine, HICON icon,
                          std::function<bool()> online = nullptr);

    CBatchEngine& Engine() override { return m_engine; }
    bool HasSelection() override;
    bool IsHoverItemFile() override;
    bool IsOnline() override { return m_online && m_online(); }
    std::wstring CurrentFolder() override;
    std::wstring SampleCandidate() override;
    std::vector<FolderItem> FolderItems() override;
    void DeselectItem(int index) override;
    void ShowNote(const wchar_t* text) override;
    bool AskYesNo(const wchar_t* text) override;

private:
    CKQPicListView& m_list;
    CBatchEngine& m_engine;
    HICON m_icon;
    std::function<bool()> m_online;
};

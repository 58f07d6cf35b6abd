#pragma once
// The condition-select dialog: selects (or deselects) the files of the picture list by name,
// file size and picture size. It starts no run.
#include "ConditionSelect.h"
#include "KQDialog.h"

class CKQPicListView;
class ProfileStore;

// Applies the conditions to the list's files (folders are left alone) under the list's lock;
// matching files are selected, or deselected with condition.deselect. The number changed.
int ApplyConditionSelect(CKQPicListView& list, const ConditionSelect& condition);

class CDlgConditionSelect : public CKQDialog {
public:
    // list: the list OK applies the conditions to; none for a dialog that only reads them.
    CDlgConditionSelect(ProfileStore& profile, CKQPicListView* list, CWnd* parent = nullptr);

    ConditionSelect m_condition;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnCondition();
    DECLARE_MESSAGE_MAP()

private:
    void EnableEdits();
    void ShowBound(int id, int value);
    int ReadBound(int id) const;

    ProfileStore& m_profile;
    CKQPicListView* m_list;
    CBCGPButton m_ok;
};

#pragma once
// The rename dialog: the name pattern, its delimiter, the number, date and time formats, with a
// preview of the rule on "MyPicture.jpg". OK stores the rule in the rename object and starts a
// rename run on it.
#include <string>
#include "BatchRenameMethod.h"
#include "KQDialog.h"

class ProfileStore;

// The twelve patterns the combo offers, as tags in order.
const int kRenamePatternCount = 12;
std::wstring RenamePatternText(const CBatchRenameMethod& method, int index);

class CDlgBatchRename : public CKQDialog {
public:
    CDlgBatchRename(CBatchRenameMethod& method, ProfileStore& profile, CWnd* parent = nullptr);

    // The preview's clock; the rename object's when not set.
    CBatchRenameMethod::Clock m_clock;
    std::wstring PreviewText() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChange();
    afx_msg void OnAddVariable();
    afx_msg void OnMore();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // The dialog's values into a rule object.
    void ReadInto(CBatchRenameMethod& method) const;
    void UpdatePreview();
    std::wstring ComboText(int id) const;

    CBatchRenameMethod& m_method;
    ProfileStore& m_profile;
    CBrush m_white;
    bool m_ready = false;
};

#pragma once
// The pictures a run could not handle, each with its reason; Copy puts the list on the
// clipboard as text.
#include <vector>
#include "BatchEngine.h"
#include "KQDialog.h"

class CDlgBatchReport : public CKQDialog {
public:
    explicit CDlgBatchReport(const BatchSummary& summary, CWnd* parent = nullptr);

    // The list as Copy puts it on the clipboard.
    std::wstring CopyText() const;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnCopy();
    DECLARE_MESSAGE_MAP()

private:
    BatchSummary m_summary;
};

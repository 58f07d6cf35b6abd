#pragma once
// CDlgLumivoTools: shown instead of a start of the editor when it is not installed; Download
// opens the maker's home page.
#include "SkinUI.h"

class CDlgLumivoTools : public CBCGPDialog {
public:
    explicit CDlgLumivoTools(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    HICON m_hIcon = nullptr;
};

// Shows the dialog modally; 0.
int ShowInstallToolsDialog();

#pragma once
// CDlgEditorRenLayer: a new name for a layer. The caller sets the name, runs the dialog and on
// OK reads the edited one.
#include "KQDialog.h"

class CDlgEditorRenLayer : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorRenLayer)
public:
    explicit CDlgEditorRenLayer(CWnd* pParent = nullptr);
    ~CDlgEditorRenLayer() override;

    CString m_name;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

#pragma once
// CDlgEditorLine: the line tool's start and end styles, width and alpha. Changes are only
// stored in the frame's line settings; the line tool reads them when it draws.
#include "KQComboBox.h"
#include "KQDialog.h"
#include "KQNumEdit.h"

struct EditorToolSettings;

class CDlgEditorLine : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorLine)
public:
    explicit CDlgEditorLine(EditorToolSettings* settings);
    ~CDlgEditorLine() override;

    void LoadSettings();
    void UpdateTexts();

    int m_startStyle = 0;
    int m_endStyle = 0;
    int m_width = 5;
    int m_alpha = 100;   // percent

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnStyle();
    afx_msg void OnEdited();
    DECLARE_MESSAGE_MAP()

private:
    void ShowValues();
    void Store();

    EditorToolSettings* m_settings;   // the frame's, borrowed
    bool m_quiet = false;
    CKQComboBox m_start, m_end;
    CKQNumEdit m_widthEdit, m_alphaEdit;
};

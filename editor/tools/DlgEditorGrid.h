#pragma once
// CDlgEditorGrid: the size of the grid's cells, from a preset (square cells of fixed sides, or
// the canvas divided into equal cells) or typed.
#include "KQDialog.h"
#include "KQNumSpinCtrl.h"

class CDlgEditorGrid : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorGrid)
public:
    explicit CDlgEditorGrid(CWnd* pParent = nullptr);
    ~CDlgEditorGrid() override;

    float m_exactWidth = 0, m_exactHeight = 0;   // a divided canvas's cell; 0: whole-pixel cells
    int m_preset = 0;                            // set by the caller, read back
    int m_canvasWidth = 0, m_canvasHeight = 0;   // set by the caller
    int m_gridWidth = 0, m_gridHeight = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPreset();
    afx_msg void OnSizeTyped();
    DECLARE_MESSAGE_MAP()

private:
    void ShowSize();

    CComboBox m_presets;
    CKQNumSpinCtrl m_spinWidth, m_spinHeight;
    bool m_updating = false;
};

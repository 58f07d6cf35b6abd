#pragma once
// CDlgEditorLayerRotate: turns the current layer of the active canvas by whole degrees on a dial,
// in an edit or from presets, previewing on the layer. It closes at once (IDCANCEL) when the
// canvas has no current layer or it is locked. The caller records the turn after OK.
#include "KQDialog.h"
#include "KQNumSpinCtrl.h"
#include "RoundSliderCtrl.h"

class CLayeredViewWnd;

class CDlgEditorLayerRotate : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorLayerRotate)
public:
    explicit CDlgEditorLayerRotate(CWnd* pParent = nullptr);
    ~CDlgEditorLayerRotate() override;

    int m_angle = 0;   // degrees
    // The canvas the turn shows on; null: the view of the main window's mode.
    CLayeredViewWnd* m_view = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDialReleased(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnAngleEdited();
    afx_msg void OnPreset();
    DECLARE_MESSAGE_MAP()

private:
    void ShowAngle(bool inEdit);
    void Preview();

    CRoundSliderCtrl m_dial;
    CKQNumSpinCtrl m_spin;
    CComboBox m_presets;
    bool m_updating = false;
};

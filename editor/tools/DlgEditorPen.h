#pragma once
// CDlgEditorPen: the size of the retouch brushes (mosaic, red eye, lighten, darken, sharpen,
// blur, grey scale, blur brush, stamp) and the mosaic's cell size. It acts when a slider is let
// go; typing into its edits alone changes nothing.
#include "KQDialog.h"
#include "KQNumEdit.h"

struct EditorToolSettings;

class CDlgEditorPen : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorPen)
public:
    explicit CDlgEditorPen(EditorToolSettings* settings);
    ~CDlgEditorPen() override;

    // The retouch brush, 0 (mosaic) to 8 (stamp); only the mosaic shows the cell size.
    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    void LoadSettings();
    void UpdateTexts();
    // Stores the sizes and hands them to the active view's brush.
    void ApplySettings();

    int m_size = 50;
    int m_mosaicSize = 8;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnSizeReleased(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMosaicReleased(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int& StoredSize();

    EditorToolSettings* m_settings;   // the frame's, borrowed
    int m_mode = 0;
    CKQNumEdit m_sizeEdit, m_mosaicEdit;
    CSliderCtrl m_sizeSlider, m_mosaicSlider;
};

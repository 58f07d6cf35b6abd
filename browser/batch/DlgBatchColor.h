#pragma once
// The colour dialog: brightness, contrast, saturation and hue from -100 to 100, each a slider
// with a number and a spin, over a live preview of the sample.
#include <string>
#include "BatchCommands.h"
#include "KQDialog.h"
#include "ZVImageStatic.h"

class CDlgBatchColor : public CKQDialog {
public:
    explicit CDlgBatchColor(const std::wstring& samplePath, CWnd* parent = nullptr);

    BatchColorValues m_values;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnEdited();
    DECLARE_MESSAGE_MAP()

private:
    int* Value(int index);
    void ReadEdits();
    void UpdatePreview();

    std::wstring m_samplePath;
    CZVImage m_sample; // fitted to the picture box
    CZVImageStatic m_picture;
    CRect m_pictureArea;
    CSliderCtrl m_sliders[4];
    bool m_updating = false;
};

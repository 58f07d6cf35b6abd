#pragma once
// CFuncMaterialBar: the editor's "Material" pane: a category choice over the material pictures of
// that category's folder.
#include "FuncFrameBar.h"

class CFuncMaterialBar : public CFuncFrameBar {
public:
    void AdjustLayout() override;
    // The combo's font: the visual manager's regular font, 30 units high.
    void SetComboFont();

    CBCGPComboBox combo;
    CFont comboFont;
    int32_t comboHeight = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnCategoryChange();
    DECLARE_MESSAGE_MAP()
};

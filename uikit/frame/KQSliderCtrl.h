#pragma once
// CKQSliderCtrl: the skinned slider, painted through its own WM_PAINT handler so that derived
// sliders can draw over it.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQSliderCtrl : public CBCGPSliderCtrl {
    DECLARE_DYNCREATE(CKQSliderCtrl)
public:
    CKQSliderCtrl() = default;
    ~CKQSliderCtrl() override;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

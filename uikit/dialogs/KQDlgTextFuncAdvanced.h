#pragma once
// CKQDlgTextFuncAdvanced: the "Advanced" page of the text options sheet: the effect kind, the
// text and gradient colours, the two outlines and the shadow. The page is filled from the
// record each time it shows, and every change goes into the record at once.
#include <vector>
#include "KQNumEdit.h"
#include "SkinUI.h"
#include "WordArtInfo.h"
#include "ZVUILibDef.h"

// The controls of an Advanced page's template; a sheet with its own template passes its own.
// The number edits and their spins go in the order of m_edits: thickness 1, alpha 1,
// thickness 2, alpha 2, shadow thickness, shadow alpha, shadow X, shadow Y.
struct KQTextAdvancedIds {
    UINT effect, textColor, gradientCheck, gradientColor, outlineColor1, outlineColor2, shadowCheck, shadowColor;
    UINT edits[8], spins[8];
    // Labels and group boxes.
    UINT effectGroup, effectLabel, textColorLabel, gradientLabel, outlineGroup, outline1Label, thickness1Label,
        alpha1Label, outline2Label, thickness2Label, alpha2Label, shadowGroup, shadowColorLabel, shadowThicknessLabel,
        shadowAlphaLabel, shadowXLabel, shadowYLabel;
};
ZVUILIB_API const KQTextAdvancedIds& KQLibraryTextAdvancedIds();

class ZVUILIB_API CKQDlgTextFuncAdvanced : public CBCGPPropertyPage {
    DECLARE_DYNAMIC(CKQDlgTextFuncAdvanced)
public:
    CKQDlgTextFuncAdvanced();
    // A page on another module's template with its own control ids.
    CKQDlgTextFuncAdvanced(UINT templateId, HINSTANCE module, const KQTextAdvancedIds& ids);
    ~CKQDlgTextFuncAdvanced() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    int m_nOutlineThickness1 = 4;
    int m_nOutlineThickness2 = 4;
    BYTE m_nOutlineAlpha1 = 255;   // percent once the page is filled
    BYTE m_nOutlineAlpha2 = 255;
    int m_nShadowThickness = 4;
    BYTE m_nShadowAlpha = 255;
    CBCGPColorButton m_btnOutlineColor1, m_btnOutlineColor2, m_btnShadowColor, m_btnGradientColor, m_btnTextColor;
    int m_nShadowX = 4;
    int m_nShadowY = 4;
    CBCGPComboBox m_comboEffect;
    int m_bGradient = 0;
    int m_bShadow = 0;
    CBCGPSpinButtonCtrl m_spins[8];
    CKQNumEdit m_edits[8];
    CWordArtInfo* m_pWordArt = nullptr;

protected:
    // After the page changed the record.
    virtual void OnRecordChanged() {}

    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTextColor();
    afx_msg void OnGradientColor();
    afx_msg void OnOutlineColor1();
    afx_msg void OnOutlineColor2();
    afx_msg void OnShadowColor();
    afx_msg void OnSelchangeEffect();
    afx_msg void OnGradientCheck();
    afx_msg void OnShadowCheck();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnChangeNumber(int index);
    DECLARE_MESSAGE_MAP()

    void SetupColorButtons();
    void EnableSecondOutline(bool enable);
    void EnableGradientRow(bool enable);
    void EnableShadowRow(bool enable);
    void EnableItems(const std::vector<UINT>& ids, bool enable);

    const KQTextAdvancedIds& m_ids;
    bool m_bFilling = false;   // the edits' change notices come from the page's own filling
};

#pragma once
// CDlgEditorResize: a picture's new size in pixels, centimetres or inches at a resolution,
// width and height coupled when the aspect is kept; behind ShowDlgResize.
#include "KQDialog.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"

class ZVUILIB_API CDlgEditorResize : public CKQDialog {
public:
    explicit CDlgEditorResize(CWnd* pParent = nullptr);
    ~CDlgEditorResize() override;

    BOOL OnInitDialog() override;
    void ChangeLanguage();

    int m_nUnit = 0;               // 0 pixels, 1 cm, 2 inches
    int m_nResolutionUnit = 0;     // 0 pixels/inch, 1 pixels/cm
    int m_nPicWidth = 0, m_nPicHeight = 0;
    double m_dWidth = 0, m_dHeight = 0;
    int m_bKeepAspect = 1;
    float m_fAspect = 1.0f;
    CKQNumSpinCtrl m_spinWidth, m_spinHeight;
    CKQNumEdit m_editWidth, m_editHeight;
    CBCGPComboBox m_comboUnit;
    CKQNumEdit m_editResolution;
    double m_dResolution = 72.0;
    CKQNumSpinCtrl m_spinResolution;
    CBCGPComboBox m_comboResolutionUnit;
    int m_bPixelsOnly = 0;         // hides the unit and resolution controls

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnEnChangeEditWidth();
    afx_msg void OnEnChangeEditHeight();
    afx_msg void OnCbnSelchangeComboPixels();
    afx_msg void OnCbnSelchangeComboDpi();
    DECLARE_MESSAGE_MAP()

private:
    // Writes width and height into the controls without their change handlers running.
    void ShowSize();
    void SetSizeDecimals(int decimals);
    void ReadControls();
    void OnSizeEdited(bool widthEdited);
    bool m_bUpdating = false;
};

// Runs the resize dialog on a picture of *width x *height pixels at *resolution pixels per inch;
// option 1 asks for pixels only. On OK writes back the size in pixels and the resolution in
// pixels per inch (truncated) and returns 1; else 0 with nothing written.
ZVUILIB_API int ShowDlgResize(int* width, int* height, int* resolution, int option);

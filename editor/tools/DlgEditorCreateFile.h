#pragma once
// CDlgEditorCreateFile: the size of a new document in pixels, centimetres or inches at a
// resolution, its background, and whether it takes the clipboard's picture; 21 preset sizes,
// the first the clipboard picture's.
#include "KQDialog.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"
#include "NewPictureRules.h"

class CDlgEditorCreateFile : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorCreateFile)
public:
    explicit CDlgEditorCreateFile(CWnd* pParent = nullptr);
    ~CDlgEditorCreateFile() override;

    // The result, read after IDOK.
    int m_nUnit = newpicture::UNIT_PIXELS;
    int m_nResolutionUnit = newpicture::RES_PER_INCH;
    double m_dWidth = 800, m_dHeight = 600;
    float m_fRatio = 800.0f / 600.0f;      // 0: no ratio to keep
    float m_fPresetWidth = 800, m_fPresetHeight = 600;
    BOOL m_bKeepRatio = FALSE;
    BOOL m_bTransparent = FALSE;
    COLORREF m_crBackground = RGB(255, 255, 255);
    double m_dResolution = 72;
    BOOL m_bPaste = FALSE;
    // The new document's size in pixels from the result.
    newpicture::SizeI GetPixelSize() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnColor();
    afx_msg void OnWidthChange();
    afx_msg void OnHeightChange();
    afx_msg void OnUnitChange();
    afx_msg void OnResolutionUnitChange();
    afx_msg void OnPresetChange();
    DECLARE_MESSAGE_MAP()

private:
    void ApplyPreset(int index);
    void OnSizeEdited(bool widthEdited);
    // Ranges, decimals and values of the controls from the members, without the change
    // handlers reacting.
    void ShowUnit();
    void ShowValues();
    void ReadValues();

    CKQNumEdit m_editWidth, m_editHeight, m_editResolution;
    CKQNumSpinCtrl m_spinWidth, m_spinHeight, m_spinResolution;
    CBCGPComboBox m_comboUnit, m_comboResolutionUnit, m_comboPreset;
    CBCGPColorButton m_btnColor;
    bool m_bUpdating = false;
};

// What File > New makes, read from the dialog after OK.
struct NewDocumentRequest {
    bool paste = false;   // the clipboard's picture instead of a blank canvas
    RGBQUAD fill = {255, 255, 255, 0};
    int width = 0, height = 0;
    int dpi = 72;
    BYTE alpha = 255;   // the canvas's opacity
};
// The dialog; false when it was not closed with OK.
bool AskNewDocument(CWnd* parent, NewDocumentRequest& request);

// File > New on a document: the dialog, then after OK a blank canvas of the chosen size,
// resolution and background, or the clipboard's picture when the paste box was ticked. FALSE
// when cancelled or when no document was made (the document is then as it was).
class CLayerDocument;
BOOL NewDocumentFromDialog(CWnd* parent, CLayerDocument& document);

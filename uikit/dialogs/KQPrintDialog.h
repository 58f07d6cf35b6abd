#pragma once
// CKQPrintDialog: the library's print dialog, also the base of the editor's. The user picks the photo size (free or
// a standard one), the number of photos on the page, the gap between them and where the block
// stands; the preview shows the page laid out as it will print.
#include "DialogRules.h"
#include "KQDialog.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"
#include "ZVImage.h"
#include "ZVPreviewWnd.h"

class ZVUILIB_API CKQPrintDialog : public CKQDialog {
    DECLARE_DYNAMIC(CKQPrintDialog)
public:
    explicit CKQPrintDialog(CWnd* pParent = nullptr);
    ~CKQPrintDialog() override;

    BOOL OnInitDialog() override;

    // The printer's page (the application's default printer without a dialog); without a
    // printer a stand-in page, A4 portrait at 300 dpi.
    void ReadPrinter(CPrintDialog* pDialog);
    // Chooses an entry of the size list as the user would.
    void SelectSize(int index);
    // The layout the preview shows, in preview pixels.
    printlayout::Layout PreviewLayout();

    CZVImage m_image;
    CZVImage m_previewImage;
    int m_nPaperWidth = 0, m_nPaperHeight = 0;
    CZVPreviewWnd m_wndPreview;
    int m_nUnit = printlayout::UNIT_CM;
    int m_nResolutionUnit = 0;
    double m_dWidth = 800.0, m_dHeight = 600.0;
    double m_dPaperWidth = 0, m_dPaperHeight = 0;
    int m_nPixelWidth = 800, m_nPixelHeight = 600;
    // The picture's own size: m_image shrinks to the preview once the dialog is up.
    int m_nImageWidth = 800, m_nImageHeight = 600;
    double m_dAutoWidth = 800.0, m_dAutoHeight = 600.0;
    float m_fAspect = 800.0f / 600.0f;
    int m_bKeepAspect = 1;
    double m_dResolution = 72.0;
    float m_fPreviewScale = 1.0f;
    short m_nPrinterDpi = 0;
    bool m_bHasPrinter = false;
    CKQNumEdit m_editWidth, m_editHeight;
    CKQNumSpinCtrl m_spinWidth, m_spinHeight;
    CBCGPComboBox m_comboUnit;
    CString m_strResolution;
    int m_bCenter = 0;
    double m_dLeft = 0, m_dMaxLeft = 0, m_dTop = 0, m_dMaxTop = 0;
    CKQNumEdit m_editLeft, m_editTop;
    CKQNumSpinCtrl m_spinLeft, m_spinTop;
    CBCGPComboBox m_comboSize;
    CKQNumEdit m_editCount;
    CKQNumSpinCtrl m_spinCount;
    int m_nCount = 1;
    int m_nMaxCount = 1;
    CKQNumEdit m_editThickness;
    double m_dThickness = 0.1;
    double m_dMaxThickness = 0;
    CKQNumSpinCtrl m_spinThickness;
    CString m_strPaper;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPrintSetup();
    afx_msg void OnChangeWidth();
    afx_msg void OnChangeHeight();
    afx_msg void OnSelchangeUnit();
    afx_msg void OnChangeOffset();
    afx_msg void OnClickCenter();
    afx_msg void OnSelchangeSize();
    afx_msg void OnChangeLayout();
    afx_msg LRESULT OnValueCommitted(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void UpdatePaperText();
    void SetResolutionText();
    void UpdateMaxCount();
    // The print resolution that the photo's width gives the picture (2 decimals here).
    virtual void UpdateResolution();
    // Whether a standard size also sets the photos per page to as many as fill a page.
    virtual bool PresetSetsCount() const { return true; }
    void ShowResolutionAndFitCount();
    void UpdatePreview();
    void TranslateControls();
    // The fitted page in the preview, and its scale (printer pixels per preview pixel).
    CRect PreviewPage();
    // Printer pixels per unit of length; 0 without a resolution.
    double PrinterPerUnit() const;
    // Picture pixels per unit of length at the print resolution.
    double PicturePerUnit() const;
    SIZE PreviewCell() const;
    int PreviewGap() const;
    // The size checks after the width or height changed: at least 1, at most the paper.
    void ApplySizeChange();
    // Exchanges without the change handlers running.
    void ToControls();
    bool m_bUpdating = false;
};

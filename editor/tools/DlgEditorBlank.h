#pragma once
// CDlgEditorBlank: the size and colour of a new blank layer, the ratio of a basis size kept on
// request.
#include "KQDialog.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"
#include "NewPictureRules.h"

class CDlgEditorBlank : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorBlank)
public:
    explicit CDlgEditorBlank(CWnd* pParent = nullptr);
    ~CDlgEditorBlank() override;

    // Set by the creator: the size shown first and the basis whose proportions are kept.
    int m_nWidth = 0, m_nHeight = 0;
    int m_nRatioWidth = 0, m_nRatioHeight = 0;
    float m_fRatio = 0;            // basis width ÷ height; 0: no ratio
    BOOL m_bKeepRatio = FALSE;
    BOOL m_bTransparent = FALSE;
    COLORREF m_crColor = RGB(255, 255, 255);

    // The new layer's fill: the colour with alpha 255, or white with alpha 0 when automatic
    // transparency is on.
    RGBQUAD GetFillColor() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnColor();
    afx_msg void OnWidthChange();
    afx_msg void OnHeightChange();
    DECLARE_MESSAGE_MAP()

private:
    void OnSizeEdited(bool widthEdited);

    CKQNumEdit m_editWidth, m_editHeight;
    CKQNumSpinCtrl m_spinWidth, m_spinHeight;
    CBCGPColorButton m_btnColor;
    bool m_bUpdating = false;
};

// The fill of a blank layer as the dialog's result gives it.
RGBQUAD BlankLayerFill(COLORREF color, bool transparent);

// Layer > New > Blank on a document: the background becomes current, the dialog opens with its
// size as the size and the basis, and after OK a layer of the chosen size and fill goes on top
// (the caller refreshes its layer list). FALSE when cancelled or when the layer was not made.
class CLayerDocument;
BOOL NewBlankLayer(CWnd* parent, CLayerDocument& document);

#pragma once
// CDlgEditorLayerOptions: a layer's opacity, angle, size (its proportions kept on request) and
// place. Every change calls m_onPreview with the dialog's values, so that the caller shows them
// live on its canvas. Given the document, the dialog keeps its current layer as it was on opening
// and puts it back exactly on Cancel (or Esc, or closing), whoever previewed on it.
#include <functional>
#include <memory>
#include "KQDialog.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"

class CLayerDocument;
class CLayerInfo;

class CDlgEditorLayerOptions : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorLayerOptions)
public:
    explicit CDlgEditorLayerOptions(CWnd* pParent = nullptr);
    ~CDlgEditorLayerOptions() override;

    // Filled by the caller.
    int m_width = 0, m_height = 0;
    int m_layerWidth = 0, m_layerHeight = 0;   // the ratio's basis
    float m_ratio = 0;   // m_layerWidth / m_layerHeight, taken on opening; 0: none
    int m_opacity = 100;   // percent
    int m_angle = 0;   // degrees
    BOOL m_keepRatio = FALSE;
    int m_x = 0, m_y = 0;   // picture pixels

    std::function<void()> m_onPreview;
    // The document whose current layer is previewed on; and what is called after Cancel put the
    // layer back (the canvas's redraw). Both optional.
    CLayerDocument* m_document = nullptr;
    std::function<void()> m_onRestored;

    // The values the dialog opened with, so that a preview leaves alone what was not edited.
    int m_openOpacity = 0, m_openAngle = 0, m_openX = 0, m_openY = 0;
    // The layer as it was on opening; null without a document or layer.
    const CLayerInfo* OpenedLayer() const { return m_opened.get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnWidthChange();
    afx_msg void OnHeightChange();
    afx_msg void OnOpacitySlider(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAngleSlider(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOpacityEdited();
    afx_msg void OnAngleEdited();
    afx_msg void OnKeepRatio();
    afx_msg void OnPlaceEdited();
    DECLARE_MESSAGE_MAP()

private:
    void OnSizeEdited(bool widthEdited);
    void Preview();

    CKQNumEdit m_editOpacity, m_editAngle, m_editWidth, m_editHeight;
    CKQNumSpinCtrl m_spinOpacity, m_spinAngle, m_spinWidth, m_spinHeight;
    CSliderCtrl m_opacitySlider, m_angleSlider;
    bool m_updating = false;
    std::unique_ptr<CLayerInfo> m_opened;
};

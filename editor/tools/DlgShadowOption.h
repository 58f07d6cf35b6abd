#pragma once
// CDlgShadowOption: the drop shadow of a layer (on, colour, angle, opacity and distance). While it
// runs it previews its values on the current layer of the document it was given; the caller
// writes the final values on OK and puts the old ones back on Cancel.
#include <functional>
#include "KQDialog.h"
#include "RoundSliderCtrl.h"

class CLayerDocument;

// The shadow's offsets for an angle in degrees and a distance: along the sides of a square of
// half-diagonal distance (angle 0 straight down, 90 to the left).
POINT ShadowOffsets(int angle, int distance);

class CDlgShadowOption : public CKQDialog {
    DECLARE_DYNAMIC(CDlgShadowOption)
public:
    explicit CDlgShadowOption(CWnd* pParent = nullptr);
    ~CDlgShadowOption() override;

    int m_offsetX = 0;
    int m_offsetY = 0;
    RGBQUAD m_colour = {0x80, 0x80, 0x80, 180};   // rgbReserved: the opacity as alpha
    BOOL m_on = FALSE;
    int m_angle = 0;
    int m_opacity = 0;   // percent
    int m_distance = 30;

    // The document whose current layer shows the values while the dialog runs, and what is
    // called after each preview (the view's redraw). Both optional.
    CLayerDocument* m_previewDocument = nullptr;
    std::function<void()> m_onPreview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnShadowOn();
    afx_msg void OnColour();
    afx_msg void OnAngleReleased(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnOpacityReleased(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnOpacityEdited();
    afx_msg void OnDistanceEdited();
    afx_msg void OnDistanceReleased(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetOpacity(int percent);
    void TakeOffsets();
    void Preview();

    CBCGPColorButton m_btnColour;
    CRoundSliderCtrl m_dial;
    CSliderCtrl m_opacitySlider, m_distanceSlider;
    bool m_updating = false;
};

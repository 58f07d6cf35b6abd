#pragma once
// CDlgEditorShape: the shape tool's figure, border style and width, corner radius (rounded
// rectangles only), fill on or off, fill colour and alpha. Each change writes one field of the
// frame's shape settings and hands a copy to the active view, so that a selected shape layer
// takes it at once.
#include "GenericPicker.h"
#include "KQComboBox.h"
#include "KQDialog.h"
#include "KQNumEdit.h"

struct EditorToolSettings;
struct ShapeSettings;

class CDlgEditorShape : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorShape)
public:
    explicit CDlgEditorShape(EditorToolSettings* settings);
    ~CDlgEditorShape() override;

    void LoadSettings();
    void UpdateTexts();
    void ApplyShapeSettingsToActiveView();
    // The fill colour as when picked from the colour button.
    void ChooseFillColour(COLORREF colour);

    int m_kind = 0;
    int m_borderStyle = 0;
    int m_borderWidth = 5;
    int m_radius = 20;
    BOOL m_fill = FALSE;
    COLORREF m_fillColour = RGB(0, 0, 0);
    int m_alpha = 100;   // percent
    int m_radiusMax = 999;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnKindPicked();
    afx_msg void OnBorderStyle();
    afx_msg void OnWidthEdited();
    afx_msg void OnRadiusEdited();
    afx_msg void OnAlphaEdited();
    afx_msg void OnFill();
    afx_msg void OnColour();
    DECLARE_MESSAGE_MAP()

private:
    ShapeSettings* Shape();
    void OnEdited(int id);
    void ShowKindState();
    void ShowFillState();
    void ShowValues();

    EditorToolSettings* m_settings;   // the frame's, borrowed
    bool m_quiet = false;
    CImageListPicker m_picker;
    CKQComboBox m_styles;
    CKQNumEdit m_widthEdit, m_radiusEdit, m_alphaEdit;
    CBCGPColorButton m_colour;
};

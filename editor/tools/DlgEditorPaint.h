#pragma once
// CDlgEditorPaint: the brush (mode 0), the pen (mode 1) and the eraser (mode 2): stamp group and
// stamp, opacity, size, step and automatic step, and the eraser's transparent background. Every
// change is stored in the mode's brush record and handed to the active view.
#include "GenericPicker.h"
#include "KQDialog.h"
#include "KQNumEdit.h"

struct EditorBrushEntry;
struct EditorToolSettings;

class CDlgEditorPaint : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorPaint)
public:
    explicit CDlgEditorPaint(EditorToolSettings* settings);
    ~CDlgEditorPaint() override;

    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    void LoadSettings();
    void UpdateTexts();
    void ApplySettings();
    // A stamp group's menu command: its strip, picture 0, and applied.
    void ChooseGroup(int command);
    // A picture of the strip, as when picked.
    void ChooseStamp(int index);
    // The brush file of the current group, for the view's brush picture.
    const wchar_t* GetBrushFile() const;

    int m_group;
    int m_stamp = 0;
    int m_opacity = 100;   // percent
    int m_size = 50;
    int m_step = 10;
    BOOL m_autoStep = TRUE;
    BOOL m_transparent = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnGroupButton();
    afx_msg void OnGroupCommand(UINT id);
    afx_msg void OnStampPicked();
    afx_msg void OnEdited();
    afx_msg void OnChecked();
    DECLARE_MESSAGE_MAP()

private:
    EditorBrushEntry* Entry();
    // The group's strip in the picker and its translated name on the button.
    void ShowGroup();
    void ShowStepState();
    // The controls from the values, without hearing of it as the user's changes.
    void ShowValues();

    EditorToolSettings* m_settings;   // the frame's, borrowed
    int m_mode = 0;
    int m_shownStrip = 0;
    bool m_quiet = false;
    CImageListPicker m_picker;
    CKQNumEdit m_opacityEdit, m_sizeEdit, m_stepEdit;
};

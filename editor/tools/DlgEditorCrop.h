#pragma once
// CDlgEditorCrop: the crop tool's options: the crop frame's width and height in picture pixels,
// the aspect ratio list, and OK (crop) and Cancel (drop the frame). The picture view writes the
// frame's size into the edits while the user drags it and reads them back when it crops; only
// the user's own edits resize the frame.
#include "KQDialog.h"

class CDlgEditorRatio;
struct EditorToolSettings;

class CDlgEditorCrop : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorCrop)
public:
    explicit CDlgEditorCrop(EditorToolSettings* settings);
    ~CDlgEditorCrop() override;

    // Refills the ratio list with "Crop Freely" chosen, and makes the aspect free to match.
    void UpdateTexts();
    // The frame's size as the view drags it; the frame is not resized from it.
    void SetCropFields(int width, int height);
    // The size in the edits; -1 while there is none.
    int GetCropWidth() const;
    int GetCropHeight() const;
    // A ratio of the list, as when chosen; the last item asks for a ratio.
    void ChooseRatio(int item);
    // Runs the ratio dialog; tests replace it.
    virtual INT_PTR AskRatio(CDlgEditorRatio& dialog);

    unsigned m_width = 0;
    unsigned m_height = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnRatio();
    afx_msg void OnSizeEdited();
    DECLARE_MESSAGE_MAP()

private:
    void SetAspect(float aspect);

    EditorToolSettings* m_settings;   // the frame's, borrowed
    bool m_quiet = false;
    int m_ratio = 0;
};

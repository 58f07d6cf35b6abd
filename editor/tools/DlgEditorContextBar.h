#pragma once
// CDlgEditorContextBar: the editor frame's dialog bar under the tool bars that shows the options
// of the tool just picked: one of five option dialogs, made when the bar is, in the mode of the
// tool. The frame hands it its tool settings, which the dialogs read and write.
#include <memory>
#include "DlgEditorCrop.h"
#include "DlgEditorLine.h"
#include "DlgEditorPaint.h"
#include "DlgEditorPen.h"
#include "DlgEditorShape.h"
#include "ToolOptionTables.h"
#include "ZVDialogBar.h"

class CDlgEditorContextBar : public CZVDialogBar {
    DECLARE_DYNAMIC(CDlgEditorContextBar)
public:
    CDlgEditorContextBar();
    ~CDlgEditorContextBar() override;

    // The frame's settings, borrowed; set before the bar is created.
    EditorToolSettings* settings = nullptr;

    // Shows the options of a tool code (0 to 33): the dialog of its row, in its mode, reloaded
    // and translated; a code without a row leaves the bar as it is.
    void ShowToolOptions(int toolCode);
    // The last code handed in, -1 before the first.
    int GetToolOptions() const { return m_toolCode; }
    // The dialog shown, None before the first code with a row.
    ToolOptionDialog ShownDialog() const { return m_shown; }
    CWnd* DialogOf(ToolOptionDialog kind) const;
    // The brush file of the paint dialog's stamp group, empty before the dialog exists.
    CStringW GetBrushFile() const;

    std::unique_ptr<CDlgEditorPen> pen;
    std::unique_ptr<CDlgEditorPaint> paint;
    std::unique_ptr<CDlgEditorShape> shape;
    std::unique_ptr<CDlgEditorCrop> crop;
    std::unique_ptr<CDlgEditorLine> line;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    int m_toolCode = -1;
    ToolOptionDialog m_shown = ToolOptionDialog::None;
};

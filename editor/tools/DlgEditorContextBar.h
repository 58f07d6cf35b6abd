#pragma once
// CDlgEditorContextBar: the editor frame's dialog bar under the tool bars that shows the options
// of the tool just picked. It records which tool's options it shows; the option dialogs fill it.
#include "DialogBar.h"

class CDlgEditorContextBar : public CBCGPDialogBar {
public:
    // The tool code (0 to 33) whose options the bar shows; -1 before the first tool.
    void ShowToolOptions(int toolCode);
    int GetToolOptions() const { return m_toolCode; }

private:
    int m_toolCode = -1;
};

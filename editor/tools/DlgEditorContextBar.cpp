#include "DlgEditorContextBar.h"

void CDlgEditorContextBar::ShowToolOptions(int toolCode)
{
    if (toolCode < 0 || toolCode > 33)
        return;
    m_toolCode = toolCode;
}

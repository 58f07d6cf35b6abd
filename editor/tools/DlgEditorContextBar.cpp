#include "DlgEditorContextBar.h"
#include "ToolOptionsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorContextBar, CZVDialogBar)

BEGIN_MESSAGE_MAP(CDlgEditorContextBar, CZVDialogBar)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgEditorContextBar::CDlgEditorContextBar()
{
    EnableVisualManagerStyle(TRUE);
}

CDlgEditorContextBar::~CDlgEditorContextBar() = default;

BOOL CDlgEditorContextBar::OnInitDialog()
{
    CZVDialogBar::OnInitDialog();
    pen = std::make_unique<CDlgEditorPen>(settings);
    paint = std::make_unique<CDlgEditorPaint>(settings);
    shape = std::make_unique<CDlgEditorShape>(settings);
    crop = std::make_unique<CDlgEditorCrop>(settings);
    line = std::make_unique<CDlgEditorLine>(settings);
    pen->Create(IDD_TOOL_PEN, this);
    paint->Create(IDD_TOOL_PAINT, this);
    shape->Create(IDD_TOOL_SHAPE, this);
    crop->Create(IDD_TOOL_CROP, this);
    line->Create(IDD_TOOL_LINE, this);
    return TRUE;
}

void CDlgEditorContextBar::OnDestroy()
{
    for (CWnd* dialog : {static_cast<CWnd*>(pen.get()), static_cast<CWnd*>(paint.get()), static_cast<CWnd*>(shape.get()),
                         static_cast<CWnd*>(crop.get()), static_cast<CWnd*>(line.get())})
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
    pen.reset();
    paint.reset();
    shape.reset();
    crop.reset();
    line.reset();
    CZVDialogBar::OnDestroy();
}

CWnd* CDlgEditorContextBar::DialogOf(ToolOptionDialog kind) const
{
    switch (kind) {
    case ToolOptionDialog::Pen: return pen.get();
    case ToolOptionDialog::Paint: return paint.get();
    case ToolOptionDialog::Shape: return shape.get();
    case ToolOptionDialog::Crop: return crop.get();
    case ToolOptionDialog::Line: return line.get();
    case ToolOptionDialog::None: break;
    }
    return nullptr;
}

void CDlgEditorContextBar::ShowToolOptions(int toolCode)
{
    if (toolCode < 0 || toolCode > 33)
        return;
    m_toolCode = toolCode;
    const ToolOptionRow* row = FindToolOptionRow(toolCode);
    if (!row || !pen)
        return;
    for (ToolOptionDialog other : {ToolOptionDialog::Pen, ToolOptionDialog::Paint, ToolOptionDialog::Shape,
                                   ToolOptionDialog::Crop, ToolOptionDialog::Line})
        if (other != row->dialog && DialogOf(other)->m_hWnd)
            DialogOf(other)->ShowWindow(SW_HIDE);
    switch (row->dialog) {
    case ToolOptionDialog::Pen:
        pen->SetMode(row->mode);
        pen->LoadSettings();
        pen->UpdateTexts();
        break;
    case ToolOptionDialog::Paint:
        paint->SetMode(row->mode);
        paint->LoadSettings();
        paint->UpdateTexts();
        break;
    case ToolOptionDialog::Shape:
        shape->LoadSettings();
        shape->UpdateTexts();
        break;
    case ToolOptionDialog::Crop:
        crop->UpdateTexts();
        break;
    case ToolOptionDialog::Line:
        line->LoadSettings();
        line->UpdateTexts();
        break;
    case ToolOptionDialog::None:
        return;
    }
    m_shown = row->dialog;
    CWnd* shown = DialogOf(row->dialog);
    if (shown->m_hWnd)
        shown->ShowWindow(SW_SHOW);
}

CStringW CDlgEditorContextBar::GetBrushFile() const
{
    return paint ? CStringW(paint->GetBrushFile()) : CStringW();
}

// CMainFrame: the tool commands of the palette, its drop-down bars and the Crop menu entry, all
// run from the tool table.
#include "EditorToolTable.h"
#include "ChildFrame.h"
#include "DlgEditorShape.h"
#include "MainFrame.h"
#include "ShopToolbarColorPicker.h"

void CMainFrame::ShowContextBar(int options)
{
    if (!contextBar.m_hWnd)
        return;
    if (options >= 0) {
        contextBar.ShowToolOptions(options);
        contextBar.ShowControlBar(TRUE, TRUE, TRUE);
    } else {
        contextBar.ShowControlBar(FALSE, FALSE, TRUE);
    }
    contextBar.AdjustDockingLayout();
    RecalcLayout(TRUE);
}

void CMainFrame::ShowShapeToolOptions()
{
    CPicEditView* view = ActiveEditView();
    if (!view)
        return;
    ShowContextBar(0);
    view->DestroyBrushCursor();
    ShowFrames(*view, true);
}

void CMainFrame::SetCropFields(int width, int height)
{
    if (contextBar.crop)
        contextBar.crop->SetCropFields(width, height);
}

void CMainFrame::MarkToolCommand(UINT command)
{
    toolSettings.toolCommand = static_cast<int32_t>(command);
    if (toolPalette.m_hWnd)
        toolPalette.SetCheckedCommand(command);
}

void CMainFrame::RunToolCommand(const ToolCommand& c)
{
    CPicEditView* view = ActiveEditView();
    if (!view) {
        // Only the commands without options still hide the bar.
        if (!CommandShowsOptions(c))
            ShowContextBar(-1);
        return;
    }
    const bool brush = IsBrushCommand(c);
    const bool penType = IsPenTypeCommand(c);
    if (brush)
        ShowContextBar(c.options);
    // The pen-type commands mark their palette button last.
    if (penType)
        toolSettings.toolCommand = static_cast<int32_t>(c.command);
    else
        MarkToolCommand(c.command);
    toolSettings.toolKind = c.tool;
    view->tool = c.tool;

    switch (c.effect) {
    case ToolViewEffect::ClearSelection: view->ClearSelection(); break;
    case ToolViewEffect::Repaint: view->InvalidateRect(nullptr, TRUE); break;
    case ToolViewEffect::Background: view->doc.layers.currentId = 0; break;
    case ToolViewEffect::Text:
    case ToolViewEffect::None: break;
    }
    if (brush) {
        const BrushPick pick = PickBrush(c, toolSettings, view->typeSizes[1]);
        view->SetBrushOptions(c.brushType, pick.size, pick.stampIndex, pick.opacity, pick.autoStep, pick.step, 0);
        view->brushHotSpot = BrushCursorRadius(pick.size, view->doc.zoom);
        if (c.slot != BrushSlot::None)
            toolSettings.brushSlot = c.slot;
        if (c.source == BrushSource::Stamp)
            view->cloneState = 1;
        view->PrepareBrushImage();   // makes the brush cursor too
    } else {
        view->SetToolCursor();
    }

    // Frames show with the pointer only; each change asks for one redraw.
    ShowFrames(*view, c.tool == kToolPointer);
    if (!brush)
        ShowContextBar(c.options);
    if (penType)
        MarkToolCommand(static_cast<UINT>(toolSettings.toolCommand));
}

LRESULT CMainFrame::OnColorMessage(WPARAM which, LPARAM colour)
{
    // The button posts each change of its own back here; its setters post only a colour that
    // changed, so a colour from the view comes back once and then stops.
    auto* picker = toolPalette.m_hWnd ? DYNAMIC_DOWNCAST(CShopToolbarColorPicker,
                                                         toolPalette.GetButton(toolPalette.CommandToIndex(
                                                             CZVDockToolbar::kColorCommand)))
                                      : nullptr;
    if (!picker)
        return 0;
    const COLORREF c = static_cast<COLORREF>(colour);
    CPicEditView* view = ActiveEditView();
    if (which) {
        picker->SetBackColor(c);
        if (view)
            view->secondColour = CxImage::RGBtoRGBQUAD(c);
        return 0;
    }
    picker->SetForeColor(c);
    if (view)
        view->paintColour = CxImage::RGBtoRGBQUAD(c);
    toolSettings.shape.outlineColour = c;
    if (contextBar.shape)
        contextBar.shape->ApplyShapeSettingsToActiveView();
    toolSettings.line.outlineColour = c;
    return 0;
}

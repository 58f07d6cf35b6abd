#include "DlgEditorCrop.h"
#include "DlgEditorRatio.h"
#include "EditorToolSettings.h"
#include "PicEditView.h"
#include "ToolOptionWindows.h"
#include "ToolOptionsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorCrop, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorCrop, CKQDialog)
    ON_CBN_SELCHANGE(IDC_CROP_RATIO, OnRatio)
    ON_EN_CHANGE(IDC_OPTION_SIZE, OnSizeEdited)
    ON_EN_CHANGE(IDC_CROP_HEIGHT, OnSizeEdited)
END_MESSAGE_MAP()

CDlgEditorCrop::CDlgEditorCrop(EditorToolSettings* settings) : CKQDialog(IDD_TOOL_CROP), m_settings(settings) {}

CDlgEditorCrop::~CDlgEditorCrop() = default;

BOOL CDlgEditorCrop::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    UpdateTexts();
    return TRUE;
}

void CDlgEditorCrop::UpdateTexts()
{
    const ToolOptionText texts[] = {{IDC_CROP_WIDTH_LABEL, L"Width"}, {IDC_CROP_HEIGHT_LABEL, L"Height"},
                                    {IDC_CROP_RATIO_LABEL, L"Aspect Ratio"}, {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_CROP_RATIO));
    if (list) {
        list->ResetContent();
        int count = 0;
        const CropRatio* ratios = CropRatios(count);
        for (int i = 0; i < count; ++i)
            list->AddString(ratios[i].translated ? CString(TranslateString(ratios[i].text)) : CString(ratios[i].text));
    }
    // Wide enough for the longest translated item.
    if (list) {
        CClientDC dc(list);
        CFont* old = dc.SelectObject(list->GetFont());
        int widest = 0;
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetLBText(i, text);
            widest = std::max<int>(widest, dc.GetTextExtent(text).cx);
        }
        dc.SelectObject(old);
        CRect rect;
        list->GetWindowRect(&rect);
        const int needed = widest + ::GetSystemMetrics(SM_CXVSCROLL) + 12;
        if (needed > rect.Width())
            list->SetWindowPos(nullptr, 0, 0, needed, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayOutOptionDialog(*this, ToolOptionDialog::Crop, texts, 5);
    // The list shows "Crop Freely": the tracker and the stored aspect go free with it.
    m_ratio = kCropFreely;
    if (list)
        list->SetCurSel(m_ratio);
    SetAspect(0.0f);
}

void CDlgEditorCrop::SetCropFields(int width, int height)
{
    m_width = width < 0 ? 0u : static_cast<unsigned>(width);
    m_height = height < 0 ? 0u : static_cast<unsigned>(height);
    if (!m_hWnd)
        return;
    m_quiet = true;
    SetDlgItemInt(IDC_OPTION_SIZE, m_width, FALSE);
    SetDlgItemInt(IDC_CROP_HEIGHT, m_height, FALSE);
    m_quiet = false;
}

int CDlgEditorCrop::GetCropWidth() const
{
    return m_width ? static_cast<int>(m_width) : -1;
}

int CDlgEditorCrop::GetCropHeight() const
{
    return m_height ? static_cast<int>(m_height) : -1;
}

void CDlgEditorCrop::OnSizeEdited()
{
    if (m_quiet)
        return;
    m_width = GetDlgItemInt(IDC_OPTION_SIZE, nullptr, FALSE);
    m_height = GetDlgItemInt(IDC_CROP_HEIGHT, nullptr, FALSE);
    CPicEditView* view = ToolOptionView();
    if (!view)
        return;
    RECT frame = view->selectionTracker.m_rect;
    if (!ResizeCropFrame(frame, m_width, m_height, view->doc.zoom))
        return;
    view->selectionTracker.m_rect = frame;
    // The view re-places the frame from its canvas copy whenever the canvas moves or resizes.
    view->TrackerToCanvasRect();
    view->RequestRedraw();
    view->InvalidateRect(nullptr, FALSE);
}

INT_PTR CDlgEditorCrop::AskRatio(CDlgEditorRatio& dialog)
{
    return dialog.DoModal();
}

void CDlgEditorCrop::OnRatio()
{
    CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_CROP_RATIO));
    if (list)
        ChooseRatio(list->GetCurSel());
}

void CDlgEditorCrop::ChooseRatio(int item)
{
    int count = 0;
    const CropRatio* ratios = CropRatios(count);
    if (item < 0 || item >= count)
        return;
    CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_CROP_RATIO));
    float aspect = ratios[item].aspect;
    if (item == kCropAssign) {
        CDlgEditorRatio dialog(this);
        if (AskRatio(dialog) != IDOK || !AssignedAspect(dialog.m_width, dialog.m_height, aspect)) {
            // Nothing changes: the list goes back to the ratio in force.
            if (list)
                list->SetCurSel(m_ratio);
            return;
        }
    }
    m_ratio = item;
    if (list && list->GetCurSel() != item)
        list->SetCurSel(item);
    SetAspect(aspect);
}

void CDlgEditorCrop::SetAspect(float aspect)
{
    if (m_settings)
        m_settings->cropAspect = aspect;
    CPicEditView* view = ToolOptionView();
    if (!view)
        return;
    view->selectionTracker.SetAspect(aspect);
    view->RequestRedraw();
    if (view->m_hWnd)
        view->InvalidateRect(nullptr, FALSE);
}

void CDlgEditorCrop::OnOK()
{
    CPicEditView* view = ToolOptionView();
    if (view && view->CropToTracker())
        view->InvalidateRect(nullptr, FALSE);
}

void CDlgEditorCrop::OnCancel()
{
    CPicEditView* view = ToolOptionView();
    if (!view)
        return;
    view->selectionTracker.m_rect.SetRectEmpty();
    view->RequestRedraw();
    if (view->m_hWnd)
        view->InvalidateRect(nullptr, FALSE);
}

#include "DlgBatchColor.h"
#include <algorithm>
#include "BatchDialogIds.h"
#include "BatchPreview.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDlgBatchColor, CKQDialog)
    ON_WM_HSCROLL()
    ON_EN_CHANGE(IDC_BC_EDIT_0, OnEdited)
    ON_EN_CHANGE(IDC_BC_EDIT_0 + 1, OnEdited)
    ON_EN_CHANGE(IDC_BC_EDIT_0 + 2, OnEdited)
    ON_EN_CHANGE(IDC_BC_EDIT_0 + 3, OnEdited)
END_MESSAGE_MAP()

CDlgBatchColor::CDlgBatchColor(const std::wstring& samplePath, CWnd* parent)
    : CKQDialog(IDD_BATCH_COLOR, parent), m_samplePath(samplePath)
{
}

int* CDlgBatchColor::Value(int index)
{
    int* values[] = {&m_values.brightness, &m_values.contrast, &m_values.saturation, &m_values.hue};
    return values[index];
}

BOOL CDlgBatchColor::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    m_updating = true;
    SetWindowText(TranslateString(L"Color"));
    SetDlgItemText(IDOK, TranslateString(L"OK"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    const wchar_t* const labels[] = {L"Brightness", L"Contrast", L"Saturation", L"Hue"};
    for (int i = 0; i < 4; ++i) {
        SetDlgItemText(IDC_BC_LABEL_0 + i, TranslateString(labels[i]));
        m_sliders[i].SubclassDlgItem(IDC_BC_SLIDER_0 + i, this);
    }
    m_picture.SubclassDlgItem(IDC_BC_PICTURE, this);
    m_pictureArea = PictureBoxArea(m_picture);
    // Skinned once the controls of their own are attached; the skin sets the sliders up anew.
    EnableVisualManagerStyle(TRUE, TRUE);
    for (int i = 0; i < 4; ++i) {
        m_sliders[i].SetRange(-100, 100, TRUE);
        // The thumb is placed anew only when the position changes: without the detour a 0
        // would stay where the old range of 0 to 100 drew it.
        m_sliders[i].SetPos(*Value(i) == 100 ? -100 : 100);
        m_sliders[i].SetPos(*Value(i));
        GetDlgItem(IDC_BC_SPIN_0 + i)->SendMessage(UDM_SETRANGE32, WPARAM(-100), 100);
        SetDlgItemInt(IDC_BC_EDIT_0 + i, UINT(*Value(i)), TRUE);
    }
    // A copy the size of the box: a photo of many megapixels stays quick to adjust.
    CRect box;
    m_picture.GetClientRect(&box);
    if (m_sample.LoadFile(m_samplePath.c_str()))
        m_sample.ResampleInFrame(box.Width(), box.Height(), true);
    m_updating = false;
    UpdatePreview();
    return TRUE;
}

void CDlgBatchColor::UpdatePreview()
{
    if (!m_sample.IsValid())
        return;
    CZVImage shown = m_sample;
    if (m_values.brightness || m_values.contrast)
        shown.EffectBrightnessContrast(m_values.brightness, m_values.contrast);
    if (m_values.hue || m_values.saturation)
        shown.EffectHueSaturation(m_values.hue, m_values.saturation);
    ShowPictureFitted(m_picture, m_pictureArea, shown);
}

void CDlgBatchColor::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    // The preview follows when the slider is let go.
    if (nSBCode != TB_ENDTRACK && nSBCode != TB_THUMBPOSITION && nSBCode != TB_LINEUP && nSBCode != TB_LINEDOWN &&
        nSBCode != TB_PAGEUP && nSBCode != TB_PAGEDOWN && nSBCode != TB_TOP && nSBCode != TB_BOTTOM)
        return;
    for (int i = 0; i < 4; ++i) {
        if (pScrollBar && pScrollBar->GetSafeHwnd() == m_sliders[i].GetSafeHwnd()) {
            *Value(i) = m_sliders[i].GetPos();
            m_updating = true;
            SetDlgItemInt(IDC_BC_EDIT_0 + i, UINT(*Value(i)), TRUE);
            m_updating = false;
            UpdatePreview();
        }
    }
}

void CDlgBatchColor::ReadEdits()
{
    for (int i = 0; i < 4; ++i) {
        BOOL ok = FALSE;
        const int value = int(GetDlgItemInt(IDC_BC_EDIT_0 + i, &ok, TRUE));
        *Value(i) = ok ? std::clamp(value, -100, 100) : 0;
    }
}

void CDlgBatchColor::OnEdited()
{
    if (m_updating)
        return;
    ReadEdits();
    for (int i = 0; i < 4; ++i)
        m_sliders[i].SetPos(*Value(i));
    UpdatePreview();
}

void CDlgBatchColor::OnOK()
{
    ReadEdits();
    EndDialog(IDOK);
}

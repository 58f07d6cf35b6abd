#include "DlgEditorRotate.h"
#include "EffectOptionDialogsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorRotate, CEffectOptionDialog)

BEGIN_MESSAGE_MAP(CDlgEditorRotate, CEffectOptionDialog)
    ON_WM_HSCROLL()
    ON_CBN_SELCHANGE(IDC_FX_ANGLE_PRESETS, OnPreset)
    ON_BN_CLICKED(IDC_FX_BACKGROUND, OnBackground)
    ON_BN_CLICKED(IDC_FX_KEEP_SIZE, OnCheckBox)
    ON_BN_CLICKED(IDC_FX_AUTO_TRANSPARENT, OnCheckBox)
END_MESSAGE_MAP()

namespace {
const int kPresetAngles[kRotatePresetCount] = {0, 30, 45, 60, 90, 180, 270};
}

int RotatePresetAngle(int item)
{
    return item >= 0 && item < kRotatePresetCount ? kPresetAngles[item] : 0;
}

CDlgEditorRotate::CDlgEditorRotate()
    : CEffectOptionDialog(IDD_EDITOR_ROTATE),
      m_angle(IDC_FX_ANGLE_LABEL, IDC_FX_DIAL, IDC_FX_ANGLE_EDIT, IDC_FX_ANGLE_SPIN, m_options.angle)
{
    m_angle.UseSlider(m_dial);
    // The dial runs when its thumb is dropped.
    m_angle.releaseRuns = false;
    AddTriple(m_angle);
}

void CDlgEditorRotate::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FX_DIAL, m_dial);
    DDX_Control(pDX, IDC_FX_ANGLE_PRESETS, m_presets);
    DDX_Control(pDX, IDC_FX_BACKGROUND, m_background);
    CEffectOptionDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_FX_KEEP_SIZE, m_options.keepSize);
    DDX_Check(pDX, IDC_FX_AUTO_TRANSPARENT, m_options.autoTransparency);
}

void CDlgEditorRotate::InitOptions()
{
    m_dial.SetZero(0);
    m_dial.SetRadioButtonStyle(true);
    CBCGPVisualManager* theme = CBCGPVisualManager::GetInstance();
    m_dial.SetDialColor(theme->GetSliderChannelColor());
    m_dial.SetKnobColor(theme->GetAccentColor());
    m_dial.SetTextColor(theme->GetDlgTextColor(this));
    m_angle.SetRange({0, 360});
    m_presets.ResetContent();
    for (int angle : kPresetAngles) {
        CString text;
        text.Format(L"%d\x00B0", angle);
        m_presets.AddString(text);
    }
    m_presets.SetCurSel(0);
    SetUpColorButton(m_background, m_options.background, RGB(0, 0, 0));
    SetTexts(L"Rotate", {{IDC_FX_ANGLE_LABEL, L"Angle"},
                         {IDC_FX_BACKGROUND_LABEL, L"Background color"},
                         {IDC_FX_KEEP_SIZE, L"Keep original size"},
                         {IDC_FX_AUTO_TRANSPARENT, L"Automatic transparency"}});
}

void CDlgEditorRotate::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CEffectOptionDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!pScrollBar || pScrollBar->GetDlgCtrlID() != IDC_FX_DIAL)
        return;
    UpdateData(TRUE);
    m_angle.TakeSliderPos();
    WriteControls();
    if (nSBCode == SB_THUMBPOSITION)
        Rerun();
}

void CDlgEditorRotate::OnPreset()
{
    UpdateData(TRUE);
    m_options.angle = RotatePresetAngle(m_presets.GetCurSel());
    m_angle.SetSliderPos(m_options.angle);
    WriteControls();
    Rerun();
}

void CDlgEditorRotate::OnBackground()
{
    m_options.background = m_background.GetColor();
    Rerun();
}

// Both boxes run at once: an OK right after ticking one keeps a picture that matches it.
void CDlgEditorRotate::OnCheckBox()
{
    UpdateData(TRUE);
    WriteControls();
    Rerun();
}

std::unique_ptr<CProcessBase> CDlgEditorRotate::BuildOptionProcessor()
{
    RotateOptions options = m_options;
    options.angle = m_angle.Clamped();
    return BuildProcessor(options);
}

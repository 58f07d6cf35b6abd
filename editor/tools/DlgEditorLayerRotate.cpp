#include "DlgEditorLayerRotate.h"
#include <algorithm>
#include <iterator>
#include "CanvasDialogsIds.h"
#include "DlgControls.h"
#include "GlobalData.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "ToolHost.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorLayerRotate, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorLayerRotate, CKQDialog)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_ROTATE_DIAL, OnDialReleased)
    ON_WM_HSCROLL()
    ON_EN_CHANGE(IDC_ROTATE_ANGLE, OnAngleEdited)
    ON_CBN_SELCHANGE(IDC_ROTATE_PRESET, OnPreset)
END_MESSAGE_MAP()

namespace {
const int kPresetAngles[] = {0, 30, 45, 60, 90, 180, 270};
} // namespace

CDlgEditorLayerRotate::CDlgEditorLayerRotate(CWnd* pParent) : CKQDialog(IDD_LAYER_ROTATE, pParent) {}

CDlgEditorLayerRotate::~CDlgEditorLayerRotate() = default;

void CDlgEditorLayerRotate::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ROTATE_DIAL, m_dial);
    DDX_Control(pDX, IDC_ROTATE_SPIN, m_spin);
    DDX_Control(pDX, IDC_ROTATE_PRESET, m_presets);
    DDX_Text(pDX, IDC_ROTATE_ANGLE, m_angle);
}

BOOL CDlgEditorLayerRotate::OnInitDialog()
{
    m_updating = true;
    CKQDialog::OnInitDialog();
    if (!m_view) {
        CToolHost host;
        if (FindToolHost(host) && host.HasView())
            m_view = host.view;
    }
    if (m_view) {
        const CLayerInfo* layer = m_view->doc.layers.GetCurrentLayer();
        if (!layer || layer->locked) {
            SendMessage(WM_CLOSE);
            return FALSE;
        }
    }
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Rotate"));
    SetDlgItemText(IDC_ROTATE_LABEL, TranslateString(L"Angle"));
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    KQSetCtrlWidth(this);
    m_dial.SetRange(0, 360);
    m_dial.SetDialColor(globalData.clrBarFace);
    m_dial.SetKnobColor(globalData.clrBarShadow);
    m_dial.SetTextColor(globalData.clrBtnText);
    m_spin.SetRangeAndDelta(0, 360, 1);
    for (int angle : kPresetAngles) {
        CString text;
        text.Format(L"%d\u00B0", angle);
        m_presets.AddString(text);
    }
    m_presets.SetCurSel(0);
    ShowAngle(true);
    m_updating = false;
    return TRUE;
}

void CDlgEditorLayerRotate::ShowAngle(bool inEdit)
{
    const bool was = m_updating;
    m_updating = true;
    m_dial.SetPos(m_angle);
    m_dial.Invalidate();
    if (inEdit)
        SetDlgItemInt(IDC_ROTATE_ANGLE, static_cast<UINT>(m_angle), FALSE);
    m_updating = was;
}

void CDlgEditorLayerRotate::OnDialReleased(NMHDR*, LRESULT* pResult)
{
    m_angle = m_dial.GetPos();
    ShowAngle(true);
    Preview();
    *pResult = 0;
}

void CDlgEditorLayerRotate::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CKQDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!pScrollBar || pScrollBar->GetDlgCtrlID() != IDC_ROTATE_DIAL)
        return;
    // While the knob is dragged only the number follows; turning a big layer at every step
    // would lag behind the mouse.
    m_angle = m_dial.GetPos();
    ShowAngle(true);
    if (nSBCode == SB_THUMBPOSITION)
        Preview();
}

void CDlgEditorLayerRotate::OnAngleEdited()
{
    if (m_updating)
        return;
    m_angle = std::max(0, std::min(360, static_cast<int>(GetDlgItemInt(IDC_ROTATE_ANGLE, nullptr, FALSE))));
    ShowAngle(false);
    Preview();
}

void CDlgEditorLayerRotate::OnPreset()
{
    const int index = m_presets.GetCurSel();
    if (index < 0 || index >= static_cast<int>(std::size(kPresetAngles)))
        return;
    m_angle = kPresetAngles[index];
    ShowAngle(true);
    Preview();
}

void CDlgEditorLayerRotate::Preview()
{
    if (!m_updating && m_view)
        m_view->SetSelectedLayerAngle(m_angle);
}

#include "DlgEditorPen.h"
#include "EditorToolSettings.h"
#include "KQDataExchange.h"
#include "PicEditView.h"
#include "ToolOptionWindows.h"
#include "ToolOptionsIds.h"

IMPLEMENT_DYNAMIC(CDlgEditorPen, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorPen, CKQDialog)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_PEN_SIZE_SLIDER, OnSizeReleased)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_PEN_MOSAIC_SLIDER, OnMosaicReleased)
END_MESSAGE_MAP()

CDlgEditorPen::CDlgEditorPen(EditorToolSettings* settings) : CKQDialog(IDD_TOOL_PEN), m_settings(settings) {}

CDlgEditorPen::~CDlgEditorPen() = default;

void CDlgEditorPen::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPTION_SIZE, m_sizeEdit);
    DDX_Control(pDX, IDC_OPTION_SECOND, m_mosaicEdit);
    DDX_Control(pDX, IDC_PEN_SIZE_SLIDER, m_sizeSlider);
    DDX_Control(pDX, IDC_PEN_MOSAIC_SLIDER, m_mosaicSlider);
    KQ_DDX_Text(pDX, IDC_OPTION_SIZE, m_size);
    KQ_DDX_Text(pDX, IDC_OPTION_SECOND, m_mosaicSize);
}

BOOL CDlgEditorPen::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    m_sizeEdit.SetMinMax(3, 100);
    m_mosaicEdit.SetMinMax(1, 100);
    m_sizeSlider.SetRange(3, 100);
    m_mosaicSlider.SetRange(1, 100);
    m_sizeSlider.SetPos(m_size);
    m_mosaicSlider.SetPos(m_mosaicSize);
    UpdateTexts();
    return TRUE;
}

void CDlgEditorPen::SetMode(int mode)
{
    m_mode = mode < 0 || mode > kPenStamp ? 0 : mode;
    const int show = m_mode == kPenMosaic ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_PEN_MOSAIC_LABEL, IDC_OPTION_SECOND, IDC_PEN_MOSAIC_SLIDER})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show);
}

int& CDlgEditorPen::StoredSize()
{
    // Mode 0 is the mosaic, 1 the red eye, 2 to 8 lighten to stamp; the settings keep the red
    // eye apart and the others in the order of the modes.
    if (m_mode == kPenRedEye)
        return m_settings->redEyeSize;
    return m_settings->retouchSizes[m_mode == kPenMosaic ? 0 : m_mode - 1];
}

void CDlgEditorPen::LoadSettings()
{
    if (!m_settings)
        return;
    m_size = StoredSize();
    m_mosaicSize = m_settings->mosaicCell;
    if (!m_hWnd)
        return;
    UpdateData(FALSE);
    m_sizeSlider.SetPos(m_size);
    m_mosaicSlider.SetPos(m_mosaicSize);
}

void CDlgEditorPen::UpdateTexts()
{
    SetWindowText(TranslateString(L"Pen size"));
    const ToolOptionText texts[] = {{IDC_PEN_SIZE_LABEL, L"Pen size"}, {IDC_PEN_MOSAIC_LABEL, L"Mosaic size"}};
    LayOutOptionDialog(*this, ToolOptionDialog::Pen, texts, 2);
}

void CDlgEditorPen::OnSizeReleased(NMHDR*, LRESULT* pResult)
{
    m_size = m_sizeSlider.GetPos();
    UpdateData(FALSE);
    ApplySettings();
    *pResult = 0;
}

void CDlgEditorPen::OnMosaicReleased(NMHDR*, LRESULT* pResult)
{
    m_mosaicSize = m_mosaicSlider.GetPos();
    UpdateData(FALSE);
    ApplySettings();
    *pResult = 0;
}

void CDlgEditorPen::ApplySettings()
{
    if (m_settings) {
        m_settings->mosaicCell = m_mosaicSize;
        StoredSize() = m_size;
    }
    CPicEditView* view = ToolOptionView();
    if (!view)
        return;
    // An automatic step with step 0: the view steps by a quarter of the size.
    view->SetBrushOptions(view->brushType, m_size, 0, 255, TRUE, 0, 0);
    view->mosaicSize = m_mosaicSize;
}

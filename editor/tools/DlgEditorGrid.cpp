#include "DlgEditorGrid.h"
#include "CanvasDialogRules.h"
#include "CanvasDialogsIds.h"
#include "DlgControls.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorGrid, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorGrid, CKQDialog)
    ON_CBN_SELCHANGE(IDC_GRID_PRESET, OnPreset)
    ON_EN_CHANGE(IDC_GRID_WIDTH, OnSizeTyped)
    ON_EN_CHANGE(IDC_GRID_HEIGHT, OnSizeTyped)
END_MESSAGE_MAP()

CDlgEditorGrid::CDlgEditorGrid(CWnd* pParent) : CKQDialog(IDD_EDITOR_GRID, pParent) {}

CDlgEditorGrid::~CDlgEditorGrid() = default;

void CDlgEditorGrid::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRID_PRESET, m_presets);
    DDX_Control(pDX, IDC_GRID_WIDTH_SPIN, m_spinWidth);
    DDX_Control(pDX, IDC_GRID_HEIGHT_SPIN, m_spinHeight);
    DDX_Text(pDX, IDC_GRID_WIDTH, m_gridWidth);
    DDX_Text(pDX, IDC_GRID_HEIGHT, m_gridHeight);
}

BOOL CDlgEditorGrid::OnInitDialog()
{
    m_updating = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Set the grid width"));
    SetDlgItemText(IDC_GRID_WIDTH_LABEL, TranslateString(L"Width"));
    SetDlgItemText(IDC_GRID_HEIGHT_LABEL, TranslateString(L"Height"));
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    KQSetCtrlWidth(this);
    // The edits are plain: a divided big canvas shows its computed cell even above 999.
    m_spinWidth.SetRangeAndDelta(4, 999, 1);
    m_spinHeight.SetRangeAndDelta(4, 999, 1);
    for (int i = 0; i < kGridPresetCount; ++i)
        m_presets.AddString(CString(TranslateString(GridPresetWord(i))) + GridPresetSuffix(i));
    if (m_preset >= 0 && m_preset < kGridPresetCount)
        m_presets.SetCurSel(m_preset);
    ShowSize();
    m_updating = false;
    return TRUE;
}

void CDlgEditorGrid::ShowSize()
{
    const bool was = m_updating;
    m_updating = true;
    SetDlgItemInt(IDC_GRID_WIDTH, static_cast<UINT>(m_gridWidth), FALSE);
    SetDlgItemInt(IDC_GRID_HEIGHT, static_cast<UINT>(m_gridHeight), FALSE);
    m_updating = was;
}

void CDlgEditorGrid::OnPreset()
{
    const int index = m_presets.GetCurSel();
    GridCell cell;
    if (!GridPresetCell(index, m_canvasWidth, m_canvasHeight, cell))
        return;
    m_preset = index;
    m_gridWidth = cell.width;
    m_gridHeight = cell.height;
    m_exactWidth = cell.exactWidth;
    m_exactHeight = cell.exactHeight;
    ShowSize();
}

void CDlgEditorGrid::OnSizeTyped()
{
    if (m_updating)
        return;
    // Typed sizes are square cells of whole pixels.
    m_exactWidth = m_exactHeight = 0;
    m_gridWidth = static_cast<int>(GetDlgItemInt(IDC_GRID_WIDTH, nullptr, FALSE));
    m_gridHeight = static_cast<int>(GetDlgItemInt(IDC_GRID_HEIGHT, nullptr, FALSE));
}

#include "DlgEditorLine.h"
#include <algorithm>
#include "EditorToolSettings.h"
#include "ToolOptionWindows.h"
#include "ToolOptionsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorLine, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorLine, CKQDialog)
    ON_CBN_SELCHANGE(IDC_LINE_START, OnStyle)
    ON_CBN_SELCHANGE(IDC_LINE_END, OnStyle)
    ON_EN_CHANGE(IDC_OPTION_SIZE, OnEdited)
    ON_EN_CHANGE(IDC_OPTION_ALPHA, OnEdited)
END_MESSAGE_MAP()

CDlgEditorLine::CDlgEditorLine(EditorToolSettings* settings) : CKQDialog(IDD_TOOL_LINE), m_settings(settings) {}

CDlgEditorLine::~CDlgEditorLine() = default;

void CDlgEditorLine::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINE_START, m_start);
    DDX_Control(pDX, IDC_LINE_END, m_end);
    DDX_Control(pDX, IDC_OPTION_SIZE, m_widthEdit);
    DDX_Control(pDX, IDC_OPTION_ALPHA, m_alphaEdit);
}

BOOL CDlgEditorLine::OnInitDialog()
{
    m_quiet = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    LoadPngStrip(m_start.GetImageList(), IDB_BORDER_STYLES);
    LoadPngStrip(m_end.GetImageList(), IDB_LINE_ENDS);
    for (CKQComboBox* combo : {&m_start, &m_end}) {
        for (const wchar_t* item : {L"1", L"2", L"3"})
            combo->AddString(item);
        combo->SetItemHeight(-1, 24);
        combo->SetItemHeight(0, 32);
    }
    m_widthEdit.SetMinMax(1, 999);
    m_alphaEdit.SetMinMax(0, 100);
    const int spins[][4] = {{IDC_OPTION_WIDTH_SPIN, IDC_OPTION_SIZE, 1, 999}, {IDC_OPTION_ALPHA_SPIN, IDC_OPTION_ALPHA, 0, 100}};
    for (const auto& s : spins) {
        SendDlgItemMessage(s[0], UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, s[1])));
        SendDlgItemMessage(s[0], UDM_SETRANGE32, s[2], s[3]);
    }
    m_quiet = false;
    ShowValues();
    UpdateTexts();
    return TRUE;
}

void CDlgEditorLine::LoadSettings()
{
    if (m_settings) {
        m_startStyle = m_settings->line.lineStyle;
        m_endStyle = m_settings->line.lineOption;
        m_width = m_settings->line.outlineWidth;
        m_alpha = ByteToPercent(m_settings->line.fillAlpha & 0xFF);
    }
    if (m_hWnd)
        ShowValues();
}

void CDlgEditorLine::ShowValues()
{
    const bool was = m_quiet;
    m_quiet = true;
    m_start.SetCurSel(std::clamp(m_startStyle, 0, 2));
    m_end.SetCurSel(std::clamp(m_endStyle, 0, 2));
    SetDlgItemInt(IDC_OPTION_SIZE, static_cast<UINT>(m_width), FALSE);
    SetDlgItemInt(IDC_OPTION_ALPHA, static_cast<UINT>(m_alpha), FALSE);
    m_quiet = was;
}

void CDlgEditorLine::UpdateTexts()
{
    SetWindowText(TranslateString(L"Line Option"));
    const ToolOptionText texts[] = {{IDC_OPTION_BORDER_LABEL, L"Border"}, {IDC_OPTION_ALPHA_LABEL, L"Alpha"}};
    LayOutOptionDialog(*this, ToolOptionDialog::Line, texts, 2);
}

void CDlgEditorLine::OnStyle()
{
    m_startStyle = std::max(0, m_start.GetCurSel());
    m_endStyle = std::max(0, m_end.GetCurSel());
    Store();
}

void CDlgEditorLine::OnEdited()
{
    if (m_quiet)
        return;
    m_width = EditNumber(*this, IDC_OPTION_SIZE, 1, 999, m_width);
    m_alpha = EditNumber(*this, IDC_OPTION_ALPHA, 0, 100, m_alpha);
    Store();
}

void CDlgEditorLine::Store()
{
    if (!m_settings)
        return;
    m_settings->line.lineStyle = m_startStyle;
    m_settings->line.lineOption = m_endStyle;
    m_settings->line.outlineWidth = m_width;
    m_settings->line.fillAlpha = PercentToByte(m_alpha);
}

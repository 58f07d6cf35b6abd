#include "DlgEditorShape.h"
#include <algorithm>
#include "EditorToolSettings.h"
#include "PicEditView.h"
#include "ToolOptionWindows.h"
#include "ToolOptionsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorShape, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorShape, CKQDialog)
    ON_CONTROL(CBN_SELENDOK, IDC_OPTION_PICKER, OnKindPicked)
    ON_CBN_SELCHANGE(IDC_SHAPE_BORDER_STYLE, OnBorderStyle)
    ON_EN_CHANGE(IDC_OPTION_SIZE, OnWidthEdited)
    ON_EN_CHANGE(IDC_SHAPE_ROUND, OnRadiusEdited)
    ON_EN_CHANGE(IDC_OPTION_ALPHA, OnAlphaEdited)
    ON_BN_CLICKED(IDC_SHAPE_FILL, OnFill)
    ON_BN_CLICKED(IDC_SHAPE_COLOR, OnColour)
END_MESSAGE_MAP()

CDlgEditorShape::CDlgEditorShape(EditorToolSettings* settings) : CKQDialog(IDD_TOOL_SHAPE), m_settings(settings) {}

CDlgEditorShape::~CDlgEditorShape() = default;

void CDlgEditorShape::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPTION_PICKER, m_picker);
    DDX_Control(pDX, IDC_SHAPE_BORDER_STYLE, m_styles);
    DDX_Control(pDX, IDC_OPTION_SIZE, m_widthEdit);
    DDX_Control(pDX, IDC_SHAPE_ROUND, m_radiusEdit);
    DDX_Control(pDX, IDC_OPTION_ALPHA, m_alphaEdit);
    DDX_Control(pDX, IDC_SHAPE_COLOR, m_colour);
}

BOOL CDlgEditorShape::OnInitDialog()
{
    m_quiet = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    const CStringW strip = CStringW(GetKQDataFolder(L"Editor\\Shapes").GetString()) + L"\\shape.bmp";
    m_picker.LoadImageW(strip.GetString());
    m_picker.SetColumns(9);
    LoadPngStrip(m_styles.GetImageList(), IDB_BORDER_STYLES);
    for (const wchar_t* item : {L"1", L"2", L"3"})
        m_styles.AddString(item);
    m_styles.SetItemHeight(-1, 24);
    m_styles.SetItemHeight(0, 32);
    m_widthEdit.SetMinMax(0, 999);
    m_radiusEdit.SetMinMax(0, 999);
    m_alphaEdit.SetMinMax(0, 100);
    const int spins[][4] = {{IDC_OPTION_WIDTH_SPIN, IDC_OPTION_SIZE, 0, 999},
                            {IDC_SHAPE_ROUND_SPIN, IDC_SHAPE_ROUND, 0, 999},
                            {IDC_OPTION_ALPHA_SPIN, IDC_OPTION_ALPHA, 0, 100}};
    for (const auto& s : spins) {
        SendDlgItemMessage(s[0], UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, s[1])));
        SendDlgItemMessage(s[0], UDM_SETRANGE32, s[2], s[3]);
    }
    m_colour.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(0, 0, 0));
    m_colour.EnableOtherButton(TranslateString(L"Other"));
    m_colour.SetColumnsNumber(14);
    m_quiet = false;
    ShowValues();
    UpdateTexts();
    return TRUE;
}

ShapeSettings* CDlgEditorShape::Shape()
{
    return m_settings ? &m_settings->shape : nullptr;
}

void CDlgEditorShape::LoadSettings()
{
    if (const ShapeSettings* s = Shape()) {
        m_kind = s->shape;
        m_borderStyle = s->lineStyle;
        m_borderWidth = s->outlineWidth;
        m_radius = s->cornerRadius;
        m_fill = s->fillOn ? TRUE : FALSE;
        m_fillColour = s->fillColour;
        m_alpha = ByteToPercent(s->fillAlpha & 0xFF);
        m_radiusMax = std::max(0, std::min(s->width, s->height) / 2);
    }
    if (m_hWnd)
        ShowValues();
}

void CDlgEditorShape::ShowValues()
{
    const bool was = m_quiet;
    m_quiet = true;
    m_picker.SetIndex(m_kind);
    m_styles.SetCurSel(m_borderStyle >= 0 && m_borderStyle < 3 ? m_borderStyle : 0);
    m_radiusEdit.SetMinMax(0, m_radiusMax);
    SendDlgItemMessage(IDC_SHAPE_ROUND_SPIN, UDM_SETRANGE32, 0, m_radiusMax);
    SetDlgItemInt(IDC_OPTION_SIZE, static_cast<UINT>(m_borderWidth), FALSE);
    SetDlgItemInt(IDC_SHAPE_ROUND, static_cast<UINT>(m_radius), FALSE);
    SetDlgItemInt(IDC_OPTION_ALPHA, static_cast<UINT>(m_alpha), FALSE);
    CheckDlgButton(IDC_SHAPE_FILL, m_fill ? BST_CHECKED : BST_UNCHECKED);
    m_colour.SetColor(m_fillColour);
    ShowKindState();
    ShowFillState();
    m_quiet = was;
}

void CDlgEditorShape::ShowKindState()
{
    const int show = m_kind == SHAPE_ROUNDED_RECT ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_SHAPE_ROUND_LABEL, IDC_SHAPE_ROUND, IDC_SHAPE_ROUND_SPIN})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show);
}

void CDlgEditorShape::ShowFillState()
{
    for (int id : {IDC_SHAPE_COLOR, IDC_SHAPE_COLOR_LABEL, IDC_OPTION_ALPHA_LABEL, IDC_OPTION_ALPHA, IDC_OPTION_ALPHA_SPIN})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(m_fill);
}

void CDlgEditorShape::UpdateTexts()
{
    SetWindowText(TranslateString(L"Shape Option"));
    const ToolOptionText texts[] = {{IDC_OPTION_BORDER_LABEL, L"Border"}, {IDC_SHAPE_ROUND_LABEL, L"Round"},
                                    {IDC_SHAPE_FILL, L"Fill"},            {IDC_SHAPE_COLOR_LABEL, L"Color"},
                                    {IDC_OPTION_ALPHA_LABEL, L"Alpha"}};
    LayOutOptionDialog(*this, ToolOptionDialog::Shape, texts, 5);
}

void CDlgEditorShape::OnKindPicked()
{
    m_kind = m_picker.GetIndex();
    ShowKindState();
    if (ShapeSettings* s = Shape())
        s->shape = m_kind;
    ApplyShapeSettingsToActiveView();
}

void CDlgEditorShape::OnBorderStyle()
{
    m_borderStyle = std::max(0, m_styles.GetCurSel());
    if (ShapeSettings* s = Shape())
        s->lineStyle = m_borderStyle;
    ApplyShapeSettingsToActiveView();
}

void CDlgEditorShape::OnEdited(int id)
{
    if (m_quiet)
        return;
    ShapeSettings* s = Shape();
    switch (id) {
    case IDC_OPTION_SIZE:
        m_borderWidth = EditNumber(*this, id, 0, 999, m_borderWidth);
        if (s)
            s->outlineWidth = m_borderWidth;
        break;
    case IDC_SHAPE_ROUND:
        m_radius = EditNumber(*this, id, 0, m_radiusMax, m_radius);
        if (s)
            s->cornerRadius = m_radius;
        break;
    default:
        m_alpha = EditNumber(*this, id, 0, 100, m_alpha);
        if (s)
            s->fillAlpha = PercentToByte(m_alpha);
        break;
    }
    ApplyShapeSettingsToActiveView();
}

void CDlgEditorShape::OnWidthEdited()
{
    OnEdited(IDC_OPTION_SIZE);
}

void CDlgEditorShape::OnRadiusEdited()
{
    OnEdited(IDC_SHAPE_ROUND);
}

void CDlgEditorShape::OnAlphaEdited()
{
    OnEdited(IDC_OPTION_ALPHA);
}

void CDlgEditorShape::OnFill()
{
    m_fill = IsDlgButtonChecked(IDC_SHAPE_FILL) ? TRUE : FALSE;
    ShowFillState();
    if (ShapeSettings* s = Shape())
        s->fillOn = m_fill ? 1 : 0;
    ApplyShapeSettingsToActiveView();
}

void CDlgEditorShape::OnColour()
{
    ChooseFillColour(m_colour.GetColor());
}

void CDlgEditorShape::ChooseFillColour(COLORREF colour)
{
    m_fillColour = colour;
    if (m_colour.m_hWnd && m_colour.GetColor() != colour)
        m_colour.SetColor(colour);
    if (ShapeSettings* s = Shape())
        s->fillColour = colour;
    ApplyShapeSettingsToActiveView();
}

void CDlgEditorShape::ApplyShapeSettingsToActiveView()
{
    CPicEditView* view = ToolOptionView();
    const ShapeSettings* s = Shape();
    if (!view || !s || !view->m_hWnd)
        return;
    ShapeSettings copy = *s;
    view->SetShapeSettings(copy);
}

#include "DlgEditorPaint.h"
#include "BrushStroke.h"
#include "ChildFrame.h"
#include "EditorToolSettings.h"
#include "KQDataExchange.h"
#include "PicEditView.h"
#include "ToolOptionWindows.h"
#include "ToolOptionsIds.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorPaint, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorPaint, CKQDialog)
    ON_BN_CLICKED(IDC_PAINT_GROUP, OnGroupButton)
    ON_COMMAND_RANGE(ID_STAMP_DEFAULT, ID_STAMP_TRACK, OnGroupCommand)
    ON_CONTROL(CBN_SELENDOK, IDC_OPTION_PICKER, OnStampPicked)
    ON_EN_CHANGE(IDC_OPTION_SECOND, OnEdited)
    ON_EN_CHANGE(IDC_OPTION_SIZE, OnEdited)
    ON_EN_CHANGE(IDC_PAINT_STEP, OnEdited)
    ON_BN_CLICKED(IDC_PAINT_AUTO_STEP, OnChecked)
    ON_BN_CLICKED(IDC_PAINT_TRANSPARENT, OnChecked)
END_MESSAGE_MAP()

namespace {

const int kSpins[][4] = {
    // spin, buddy, low, high
    {IDC_PAINT_OPACITY_SPIN, IDC_OPTION_SECOND, 0, 100},
    {IDC_PAINT_SIZE_SPIN, IDC_OPTION_SIZE, 1, 300},
    {IDC_PAINT_STEP_SPIN, IDC_PAINT_STEP, 0, 300},
};

} // namespace

CDlgEditorPaint::CDlgEditorPaint(EditorToolSettings* settings)
    : CKQDialog(IDD_TOOL_PAINT), m_group(kStampDefault), m_settings(settings)
{
}

CDlgEditorPaint::~CDlgEditorPaint() = default;

void CDlgEditorPaint::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPTION_PICKER, m_picker);
    DDX_Control(pDX, IDC_OPTION_SECOND, m_opacityEdit);
    DDX_Control(pDX, IDC_OPTION_SIZE, m_sizeEdit);
    DDX_Control(pDX, IDC_PAINT_STEP, m_stepEdit);
}

BOOL CDlgEditorPaint::OnInitDialog()
{
    m_quiet = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    m_opacityEdit.SetMinMax(0, 100);
    m_sizeEdit.SetMinMax(1, 300);
    m_stepEdit.SetMinMax(0, 300);
    for (const auto& s : kSpins) {
        SendDlgItemMessage(s[0], UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, s[1])));
        SendDlgItemMessage(s[0], UDM_SETRANGE32, s[2], s[3]);
    }
    m_picker.SetColumns(4);
    m_quiet = false;
    SetMode(m_mode);
    ShowValues();
    UpdateTexts();
    return TRUE;
}

EditorBrushEntry* CDlgEditorPaint::Entry()
{
    if (!m_settings)
        return nullptr;
    return m_mode == kPaintPen ? &m_settings->pen : m_mode == kPaintEraser ? &m_settings->eraser : &m_settings->brush;
}

void CDlgEditorPaint::SetMode(int mode)
{
    m_mode = mode < kPaintBrush || mode > kPaintEraser ? kPaintBrush : mode;
    if (CWnd* check = GetDlgItem(IDC_PAINT_TRANSPARENT))
        check->ShowWindow(m_mode == kPaintEraser ? SW_SHOW : SW_HIDE);
}

void CDlgEditorPaint::LoadSettings()
{
    if (const EditorBrushEntry* e = Entry()) {
        m_group = FindStampGroup(e->stampGroup, m_mode) ? e->stampGroup : kStampDefault;
        m_stamp = e->stampIndex;
        m_opacity = ByteToPercent(e->opacity);
        m_size = e->size;
        m_step = e->step;
        m_autoStep = e->autoStep ? TRUE : FALSE;
        m_transparent = e->transparentBack ? TRUE : FALSE;
    }
    if (m_hWnd)
        ShowValues();
}

void CDlgEditorPaint::ShowValues()
{
    const bool was = m_quiet;
    m_quiet = true;
    ShowGroup();
    m_picker.SetIndex(m_stamp);
    SetDlgItemInt(IDC_OPTION_SECOND, static_cast<UINT>(m_opacity), FALSE);
    SetDlgItemInt(IDC_OPTION_SIZE, static_cast<UINT>(m_size), FALSE);
    SetDlgItemInt(IDC_PAINT_STEP, static_cast<UINT>(m_step), FALSE);
    CheckDlgButton(IDC_PAINT_AUTO_STEP, m_autoStep ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_PAINT_TRANSPARENT, m_transparent ? BST_CHECKED : BST_UNCHECKED);
    ShowStepState();
    m_quiet = was;
}

void CDlgEditorPaint::ShowGroup()
{
    const StampGroup* group = FindStampGroup(m_group, m_mode);
    if (!group || !m_hWnd)
        return;
    if (m_shownStrip != static_cast<int>(group->strip) && LoadPngStrip(m_picker.GetImageList(), group->strip))
        m_shownStrip = static_cast<int>(group->strip);
    m_picker.Invalidate(FALSE);
    SetDlgItemText(IDC_PAINT_GROUP, TranslateString(group->name));
}

void CDlgEditorPaint::ShowStepState()
{
    for (int id : {IDC_PAINT_STEP_LABEL, IDC_PAINT_STEP, IDC_PAINT_STEP_SPIN})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!m_autoStep);
}

void CDlgEditorPaint::UpdateTexts()
{
    static const wchar_t* const kTitles[3] = {L"Brush", L"Pen", L"Eraser"};
    static const wchar_t* const kSizes[3] = {L"Brush size", L"Pen size", L"Eraser size"};
    SetWindowText(TranslateString(kTitles[m_mode]));
    ShowGroup();
    const ToolOptionText texts[] = {{IDC_PAINT_OPACITY_LABEL, L"Opacity"}, {IDC_PEN_SIZE_LABEL, kSizes[m_mode]},
                                    {IDC_PAINT_STEP_LABEL, L"Step"},       {IDC_PAINT_AUTO_STEP, L"Automatic step"},
                                    {IDC_PAINT_TRANSPARENT, L"Transparent background"}};
    LayOutOptionDialog(*this, ToolOptionDialog::Paint, texts, 5);
    Invalidate();
}

const wchar_t* CDlgEditorPaint::GetBrushFile() const
{
    const StampGroup* group = FindStampGroup(m_group, m_mode);
    return group ? group->brushFile : L"";
}

void CDlgEditorPaint::OnGroupButton()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_STAMP_GROUP_MENU))
        return;
    HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    int count = 0;
    const StampGroup* groups = StampGroups(count);
    for (int i = 0; i < count; ++i)
        ::ModifyMenuW(popup, static_cast<UINT>(groups[i].command), MF_BYCOMMAND | MF_STRING,
                      static_cast<UINT_PTR>(groups[i].command), TranslateString(groups[i].name));
    CRect button;
    GetDlgItem(IDC_PAINT_GROUP)->GetWindowRect(&button);
    const UINT chosen = ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                         button.left, button.bottom, 0, m_hWnd, nullptr);
    if (chosen)
        ChooseGroup(static_cast<int>(chosen));
}

void CDlgEditorPaint::OnGroupCommand(UINT id)
{
    ChooseGroup(static_cast<int>(id));
}

void CDlgEditorPaint::ChooseGroup(int command)
{
    if (!FindStampGroup(command, m_mode))
        return;
    m_group = command;
    ShowGroup();
    ChooseStamp(0);
}

void CDlgEditorPaint::ChooseStamp(int index)
{
    m_stamp = index < 0 ? 0 : index;
    int size = 0;
    const bool was = m_quiet;
    m_quiet = true;
    m_picker.SetIndex(m_stamp);
    if (DefaultStampSize(m_mode, m_group, m_stamp, size)) {
        m_size = size;
        SetDlgItemInt(IDC_OPTION_SIZE, static_cast<UINT>(m_size), FALSE);
    }
    m_quiet = was;
    ApplySettings();
}

void CDlgEditorPaint::OnStampPicked()
{
    ChooseStamp(m_picker.GetIndex());
}

void CDlgEditorPaint::OnEdited()
{
    if (m_quiet)
        return;
    m_opacity = EditNumber(*this, IDC_OPTION_SECOND, 0, 100, m_opacity);
    m_size = EditNumber(*this, IDC_OPTION_SIZE, 1, 300, m_size);
    m_step = EditNumber(*this, IDC_PAINT_STEP, 0, 300, m_step);
    ApplySettings();
}

void CDlgEditorPaint::OnChecked()
{
    m_autoStep = IsDlgButtonChecked(IDC_PAINT_AUTO_STEP) ? TRUE : FALSE;
    m_transparent = IsDlgButtonChecked(IDC_PAINT_TRANSPARENT) ? TRUE : FALSE;
    ShowStepState();
    ApplySettings();
}

void CDlgEditorPaint::ApplySettings()
{
    const int opacity = PercentToByte(m_opacity);
    if (EditorBrushEntry* e = Entry()) {
        e->stampGroup = m_group;
        e->size = m_size;
        e->stampIndex = m_stamp;
        e->opacity = opacity;
        e->autoStep = m_autoStep ? 1 : 0;
        e->step = m_step;
        e->transparentBack = m_transparent ? 1 : 0;
    }
    CPicEditView* view = ToolOptionView();
    if (!view)
        return;
    if (m_mode != kPaintEraser) {
        view->SetBrushOptions(m_mode == kPaintBrush ? 1 : 2, m_size, m_stamp, opacity, m_autoStep, m_step, 0);
        return;
    }
    view->brushType = 3;
    view->brushSize = m_size;
    view->stampIndex = m_stamp;
    view->paintOpacity = static_cast<BYTE>(opacity);
    view->autoStep = m_autoStep ? 1 : 0;
    view->brushStep = BrushStepFor(m_size, m_autoStep != FALSE, m_step);
    view->brushStale = 1;
    view->brushRadius = BrushCursorRadius(m_size, view->doc.zoom);
    view->brushHotSpot = view->brushRadius;
    view->eraseTransparent = m_transparent ? 1 : 0;
}

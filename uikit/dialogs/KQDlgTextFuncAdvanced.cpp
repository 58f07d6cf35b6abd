#include "KQDlgTextFuncAdvanced.h"
#include "DlgControls.h"
#include <vector>
#include "KQTextPropIds.h"
#include "TextPageCommands.h"
#include "TextSheetRules.h"
#include "WordArtPresets.h"
#include "ZVUILibApp.h"

namespace {

// The ranges of the number edits in the order of m_edits (thickness 1, alpha 1, thickness 2,
// alpha 2, shadow thickness, shadow alpha, shadow X, Y): edit maximum, spin minimum and maximum.
struct NumberRange {
    int editMax, spinMin, spinMax;
};
const NumberRange kNumbers[8] = {
    {999, 1, 1000}, {100, 0, 100}, {999, 1, 1000}, {100, 0, 100},
    {999, 1, 1000}, {100, 0, 100}, {999, 0, 1000}, {999, 0, 1000},
};

const wchar_t* const kEffectNames[] = {L"Single Outline", L"Double Outline", L"Text Glow", L"Gradient Outline"};

// The translated texts of a page's labels, group boxes and check boxes.
struct PageLabel {
    UINT id;
    const wchar_t* text;
};
std::vector<PageLabel> Labels(const KQTextAdvancedIds& i)
{
    return {{i.effectGroup, L"Text Effect"},      {i.effectLabel, L"Text Effect"},
            {i.textColorLabel, L"Text Color"},    {i.gradientCheck, L"Gradient Text"},
            {i.gradientLabel, L"Color"},          {i.outlineGroup, L"Outline"},
            {i.outline1Label, L"Outline Color1"}, {i.thickness1Label, L"Thickness1"},
            {i.alpha1Label, L"Alpha1"},           {i.outline2Label, L"Outline Color2"},
            {i.thickness2Label, L"Thickness2"},   {i.alpha2Label, L"Alpha2"},
            {i.shadowGroup, L"Shadow"},           {i.shadowCheck, L"Enable Shadow"},
            {i.shadowThicknessLabel, L"Thickness"}, {i.shadowAlphaLabel, L"Alpha"},
            {i.shadowColorLabel, L"Shadow Color"}};
}

// What the effect kind, the gradient check and the shadow check enable.
std::vector<UINT> SecondOutline(const KQTextAdvancedIds& i)
{
    return {i.outlineColor2, i.edits[2], i.spins[2], i.edits[3], i.spins[3], i.outline2Label, i.thickness2Label, i.alpha2Label};
}
std::vector<UINT> GradientRow(const KQTextAdvancedIds& i)
{
    return {i.gradientColor, i.gradientLabel};
}
std::vector<UINT> ShadowRow(const KQTextAdvancedIds& i)
{
    std::vector<UINT> row = {i.shadowColor, i.shadowGroup, i.shadowColorLabel, i.shadowThicknessLabel,
                             i.shadowAlphaLabel, i.shadowXLabel, i.shadowYLabel};
    for (int k = 4; k < 8; ++k) {
        row.push_back(i.edits[k]);
        row.push_back(i.spins[k]);
    }
    return row;
}

} // namespace

const KQTextAdvancedIds& KQLibraryTextAdvancedIds()
{
    static const KQTextAdvancedIds ids = {
        IDC_KQ_EFFECT, IDC_KQ_TEXT_COLOR, IDC_KQ_GRADIENT_CHECK, IDC_KQ_GRADIENT_COLOR,
        IDC_KQ_OUTLINE1_COLOR, IDC_KQ_OUTLINE2_COLOR, IDC_KQ_SHADOW_CHECK, IDC_KQ_SHADOW_COLOR,
        {IDC_KQ_THICKNESS1, IDC_KQ_ALPHA1, IDC_KQ_THICKNESS2, IDC_KQ_ALPHA2, IDC_KQ_SHADOW_THICKNESS,
         IDC_KQ_SHADOW_ALPHA, IDC_KQ_SHADOW_X, IDC_KQ_SHADOW_Y},
        {IDC_KQ_THICKNESS1_SPIN, IDC_KQ_ALPHA1_SPIN, IDC_KQ_THICKNESS2_SPIN, IDC_KQ_ALPHA2_SPIN,
         IDC_KQ_SHADOW_THICKNESS_SPIN, IDC_KQ_SHADOW_ALPHA_SPIN, IDC_KQ_SHADOW_X_SPIN, IDC_KQ_SHADOW_Y_SPIN},
        IDC_KQ_EFFECT_GROUP, IDC_KQ_EFFECT_LABEL, IDC_KQ_TEXT_COLOR_LABEL, IDC_KQ_GRADIENT_LABEL,
        IDC_KQ_OUTLINE_GROUP, IDC_KQ_OUTLINE1_LABEL, IDC_KQ_THICKNESS1_LABEL, IDC_KQ_ALPHA1_LABEL,
        IDC_KQ_OUTLINE2_LABEL, IDC_KQ_THICKNESS2_LABEL, IDC_KQ_ALPHA2_LABEL, IDC_KQ_SHADOW_GROUP,
        IDC_KQ_SHADOW_COLOR_LABEL, IDC_KQ_SHADOW_THICKNESS_LABEL, IDC_KQ_SHADOW_ALPHA_LABEL,
        IDC_KQ_SHADOW_X_LABEL, IDC_KQ_SHADOW_Y_LABEL};
    return ids;
}

IMPLEMENT_DYNAMIC(CKQDlgTextFuncAdvanced, CBCGPPropertyPage)

// The controls' notices go through OnCommand, by the ids the page was made with.
BEGIN_MESSAGE_MAP(CKQDlgTextFuncAdvanced, CBCGPPropertyPage)
END_MESSAGE_MAP()

CKQDlgTextFuncAdvanced::CKQDlgTextFuncAdvanced()
    // The template is the library's, whichever module's resources are current.
    : CKQDlgTextFuncAdvanced(IDD_KQ_TEXTFUNC_ADVANCED, GetZVUILibModule(), KQLibraryTextAdvancedIds())
{
}

CKQDlgTextFuncAdvanced::CKQDlgTextFuncAdvanced(UINT templateId, HINSTANCE module, const KQTextAdvancedIds& ids)
    : CBCGPPropertyPage(templateId), m_ids(ids)
{
    m_psp.hInstance = module;
}

CKQDlgTextFuncAdvanced::~CKQDlgTextFuncAdvanced() = default;

void CKQDlgTextFuncAdvanced::DoDataExchange(CDataExchange* pDX)
{
    CBCGPPropertyPage::DoDataExchange(pDX);
    const UINT* e = m_ids.edits;
    DDX_Text(pDX, e[0], m_nOutlineThickness1);
    DDX_Text(pDX, e[2], m_nOutlineThickness2);
    DDX_Text(pDX, e[4], m_nShadowThickness);
    DDX_Text(pDX, e[6], m_nShadowX);
    DDX_Text(pDX, e[7], m_nShadowY);
    DDX_Text(pDX, e[1], m_nOutlineAlpha1);
    DDX_Text(pDX, e[3], m_nOutlineAlpha2);
    DDX_Text(pDX, e[5], m_nShadowAlpha);
    DDX_Check(pDX, m_ids.gradientCheck, m_bGradient);
    DDX_Check(pDX, m_ids.shadowCheck, m_bShadow);
    DDX_Control(pDX, m_ids.outlineColor1, m_btnOutlineColor1);
    DDX_Control(pDX, m_ids.outlineColor2, m_btnOutlineColor2);
    DDX_Control(pDX, m_ids.shadowColor, m_btnShadowColor);
    DDX_Control(pDX, m_ids.gradientColor, m_btnGradientColor);
    DDX_Control(pDX, m_ids.textColor, m_btnTextColor);
    DDX_Control(pDX, m_ids.effect, m_comboEffect);
    for (int i = 0; i < 8; ++i) {
        DDX_Control(pDX, m_ids.spins[i], m_spins[i]);
        DDX_Control(pDX, m_ids.edits[i], m_edits[i]);
    }
}

BOOL CKQDlgTextFuncAdvanced::OnInitDialog()
{
    m_bFilling = true;
    CBCGPPropertyPage::OnInitDialog();
    for (int i = 0; i < 8; ++i) {
        m_edits[i].SetMinMax(0, kNumbers[i].editMax);
        m_spins[i].SetBuddy(&m_edits[i]);
        m_spins[i].SetRange32(kNumbers[i].spinMin, kNumbers[i].spinMax);
    }
    for (const wchar_t* name : kEffectNames)
        m_comboEffect.AddString(TranslateString(name));
    m_comboEffect.SetCurSel(textsheet::EffectComboIndex(m_pWordArt->m_TextEffect));
    SetupColorButtons();
    for (const PageLabel& label : Labels(m_ids))
        SetDlgItemText(label.id, TranslateString(label.text));
    SetWindowText(TranslateString(L"Advanced"));
    KQSetCtrlWidth(this);
    m_bFilling = false;
    return TRUE;
}

void CKQDlgTextFuncAdvanced::SetupColorButtons()
{
    const CWordArtInfo& r = *m_pWordArt;
    const struct {
        CBCGPColorButton* button;
        COLORREF automatic;
        Gdiplus::Color colour;
    } buttons[] = {
        {&m_btnTextColor, RGB(255, 255, 255), r.m_clrText1},
        {&m_btnOutlineColor1, RGB(0, 0, 0), r.m_clrOutline1},
        {&m_btnOutlineColor2, RGB(0, 0, 0), r.m_clrOutline2},
        {&m_btnShadowColor, RGB(128, 128, 128), r.m_clrShadow},
        {&m_btnGradientColor, RGB(128, 128, 128), r.m_clrText2},
    };
    for (const auto& b : buttons) {
        b.button->EnableAutomaticButton(TranslateString(L"Automatic"), b.automatic);
        b.button->EnableOtherButton(TranslateString(L"Other"));
        b.button->SetColor(textsheet::ButtonColor(b.colour));
        b.button->SetColumnsNumber(14);
    }
}

BOOL CKQDlgTextFuncAdvanced::OnSetActive()
{
    m_bFilling = true;
    const CWordArtInfo& r = *m_pWordArt;
    m_comboEffect.SetCurSel(textsheet::EffectComboIndex(r.m_TextEffect));
    EnableSecondOutline(textsheet::SecondOutlineEnabled(r.m_TextEffect));
    SetupColorButtons();
    m_nOutlineThickness1 = r.m_nOutlineThickness1;
    m_nOutlineThickness2 = r.m_nOutlineThickness2;
    m_nShadowThickness = r.m_nShadowThickness;
    m_nShadowX = r.m_nShadowOffsetX;
    m_nShadowY = r.m_nShadowOffsetY;
    m_nOutlineAlpha1 = static_cast<BYTE>(textsheet::PercentFromAlpha(r.m_nOutlineAlpha1));
    m_nOutlineAlpha2 = static_cast<BYTE>(textsheet::PercentFromAlpha(r.m_nOutlineAlpha2));
    m_nShadowAlpha = static_cast<BYTE>(textsheet::PercentFromAlpha(r.m_nShadowAlpha));
    m_bGradient = r.m_bTextGradient ? 1 : 0;
    m_bShadow = r.m_bEnableShadow ? 1 : 0;
    EnableGradientRow(m_bGradient != 0);
    EnableShadowRow(m_bShadow != 0);
    UpdateData(FALSE);
    // The framework's part exchanges the data once more.
    const BOOL result = CBCGPPropertyPage::OnSetActive();
    m_bFilling = false;
    return result;
}

void CKQDlgTextFuncAdvanced::EnableItems(const std::vector<UINT>& ids, bool enable)
{
    for (UINT id : ids)
        if (CWnd* item = GetDlgItem(id))
            item->EnableWindow(enable);
}

void CKQDlgTextFuncAdvanced::EnableSecondOutline(bool enable)
{
    EnableItems(SecondOutline(m_ids), enable);
}

void CKQDlgTextFuncAdvanced::EnableGradientRow(bool enable)
{
    EnableItems(GradientRow(m_ids), enable);
}

void CKQDlgTextFuncAdvanced::EnableShadowRow(bool enable)
{
    EnableItems(ShadowRow(m_ids), enable);
}

void CKQDlgTextFuncAdvanced::OnTextColor()
{
    m_pWordArt->SetTextColor1(textsheet::RecordColor(m_btnTextColor.GetColor()));
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnGradientColor()
{
    m_pWordArt->SetTextColor2(textsheet::RecordColor(m_btnGradientColor.GetColor()));
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnOutlineColor1()
{
    m_pWordArt->SetOutlineColor1(textsheet::RecordColor(m_btnOutlineColor1.GetColor()));
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnOutlineColor2()
{
    m_pWordArt->SetOutlineColor2(textsheet::RecordColor(m_btnOutlineColor2.GetColor()));
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnShadowColor()
{
    m_pWordArt->SetShadowColor(textsheet::RecordColor(m_btnShadowColor.GetColor()));
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnSelchangeEffect()
{
    const int index = m_comboEffect.GetCurSel();
    if (index < 0)
        return;
    const TextEffect effect = textsheet::EffectFromComboIndex(index);
    m_pWordArt->SetTextEffect(effect);
    EnableSecondOutline(textsheet::SecondOutlineEnabled(effect));
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnGradientCheck()
{
    m_bGradient = IsDlgButtonChecked(m_ids.gradientCheck) == BST_CHECKED;
    m_pWordArt->EnableTextGradient(m_bGradient != 0);
    EnableGradientRow(m_bGradient != 0);
    OnRecordChanged();
}

void CKQDlgTextFuncAdvanced::OnShadowCheck()
{
    m_bShadow = IsDlgButtonChecked(m_ids.shadowCheck) == BST_CHECKED;
    m_pWordArt->SetEnableShadow(m_bShadow != 0);
    EnableShadowRow(m_bShadow != 0);
    OnRecordChanged();
}

BOOL CKQDlgTextFuncAdvanced::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (code == EN_CHANGE)
        for (int i = 0; i < 8; ++i)
            if (m_ids.edits[i] == id) {
                OnChangeNumber(i);
                return TRUE;
            }
    const TextPageCommand<CKQDlgTextFuncAdvanced> commands[] = {
        {m_ids.textColor, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnTextColor},
        {m_ids.gradientColor, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnGradientColor},
        {m_ids.outlineColor1, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnOutlineColor1},
        {m_ids.outlineColor2, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnOutlineColor2},
        {m_ids.shadowColor, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnShadowColor},
        {m_ids.effect, CBN_SELCHANGE, &CKQDlgTextFuncAdvanced::OnSelchangeEffect},
        {m_ids.gradientCheck, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnGradientCheck},
        {m_ids.shadowCheck, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnShadowCheck},
    };
    if (RunTextPageCommand(this, commands, wParam, lParam))
        return TRUE;
    return CBCGPPropertyPage::OnCommand(wParam, lParam);
}

// Edit index changed: its number goes into the record. A text that is not a number yet (empty,
// a lone '-') leaves the record as it is; the page's own filling is not a change.
void CKQDlgTextFuncAdvanced::OnChangeNumber(int index)
{
    if (m_bFilling || !m_pWordArt)
        return;
    CString text;
    GetDlgItemText(m_ids.edits[index], text);
    text.Trim();
    if (text.IsEmpty() || text == L"-")
        return;
    const int value = wordart::ParseInt(text);
    CWordArtInfo& r = *m_pWordArt;
    switch (index) {
    case 0: r.SetOutlineThickness1(m_nOutlineThickness1 = value); break;
    case 1: r.SetOutlineAlpha1(textsheet::AlphaFromPercent(m_nOutlineAlpha1 = static_cast<BYTE>(value))); break;
    case 2: r.SetOutlineThickness2(m_nOutlineThickness2 = value); break;
    case 3: r.SetOutlineAlpha2(textsheet::AlphaFromPercent(m_nOutlineAlpha2 = static_cast<BYTE>(value))); break;
    case 4: r.SetShadowThickness(m_nShadowThickness = value); break;
    case 5: r.SetShadowAlpha(textsheet::AlphaFromPercent(m_nShadowAlpha = static_cast<BYTE>(value))); break;
    case 6: r.SetShadowOffsetX(m_nShadowX = value); break;
    case 7: r.SetShadowOffsetY(m_nShadowY = value); break;
    default: return;
    }
    OnRecordChanged();
}

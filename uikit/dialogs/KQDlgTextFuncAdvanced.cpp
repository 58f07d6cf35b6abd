#include "KQDlgTextFuncAdvanced.h"
#include "DlgControls.h"
#include "KQTextPropIds.h"
#include "TextSheetRules.h"
#include "WordArtPresets.h"
#include "ZVUILibApp.h"

namespace {

// The number edits in the order of m_edits, with their spins, ranges and what they set.
struct NumberField {
    UINT edit, spin;
    int editMax, spinMin, spinMax;
    bool alpha;
};
const NumberField kNumbers[8] = {
    {IDC_KQ_THICKNESS1, IDC_KQ_THICKNESS1_SPIN, 999, 1, 1000, false},
    {IDC_KQ_ALPHA1, IDC_KQ_ALPHA1_SPIN, 100, 0, 100, true},
    {IDC_KQ_THICKNESS2, IDC_KQ_THICKNESS2_SPIN, 999, 1, 1000, false},
    {IDC_KQ_ALPHA2, IDC_KQ_ALPHA2_SPIN, 100, 0, 100, true},
    {IDC_KQ_SHADOW_THICKNESS, IDC_KQ_SHADOW_THICKNESS_SPIN, 999, 1, 1000, false},
    {IDC_KQ_SHADOW_ALPHA, IDC_KQ_SHADOW_ALPHA_SPIN, 100, 0, 100, true},
    {IDC_KQ_SHADOW_X, IDC_KQ_SHADOW_X_SPIN, 999, 0, 1000, false},
    {IDC_KQ_SHADOW_Y, IDC_KQ_SHADOW_Y_SPIN, 999, 0, 1000, false},
};

const wchar_t* const kEffectNames[] = {L"Single Outline", L"Double Outline", L"Text Glow", L"Gradient Outline"};

const UINT kSecondOutline[] = {IDC_KQ_OUTLINE2_COLOR, IDC_KQ_THICKNESS2, IDC_KQ_THICKNESS2_SPIN, IDC_KQ_ALPHA2,
                               IDC_KQ_ALPHA2_SPIN, IDC_KQ_OUTLINE2_LABEL, IDC_KQ_THICKNESS2_LABEL, IDC_KQ_ALPHA2_LABEL};
const UINT kGradientRow[] = {IDC_KQ_GRADIENT_COLOR, IDC_KQ_GRADIENT_LABEL};
const UINT kShadowRow[] = {IDC_KQ_SHADOW_COLOR, IDC_KQ_SHADOW_THICKNESS, IDC_KQ_SHADOW_THICKNESS_SPIN,
                           IDC_KQ_SHADOW_ALPHA, IDC_KQ_SHADOW_ALPHA_SPIN, IDC_KQ_SHADOW_X, IDC_KQ_SHADOW_X_SPIN,
                           IDC_KQ_SHADOW_Y, IDC_KQ_SHADOW_Y_SPIN, IDC_KQ_SHADOW_COLOR_LABEL,
                           IDC_KQ_SHADOW_THICKNESS_LABEL, IDC_KQ_SHADOW_ALPHA_LABEL, IDC_KQ_SHADOW_GROUP,
                           IDC_KQ_SHADOW_X_LABEL, IDC_KQ_SHADOW_Y_LABEL};

const struct {
    UINT id;
    const wchar_t* text;
} kLabels[] = {
    {IDC_KQ_EFFECT_GROUP, L"Text Effect"},    {IDC_KQ_EFFECT_LABEL, L"Text Effect"},
    {IDC_KQ_TEXT_COLOR_LABEL, L"Text Color"}, {IDC_KQ_GRADIENT_CHECK, L"Gradient Text"},
    {IDC_KQ_GRADIENT_LABEL, L"Color"},        {IDC_KQ_OUTLINE_GROUP, L"Outline"},
    {IDC_KQ_OUTLINE1_LABEL, L"Outline Color1"}, {IDC_KQ_THICKNESS1_LABEL, L"Thickness1"},
    {IDC_KQ_ALPHA1_LABEL, L"Alpha1"},         {IDC_KQ_OUTLINE2_LABEL, L"Outline Color2"},
    {IDC_KQ_THICKNESS2_LABEL, L"Thickness2"}, {IDC_KQ_ALPHA2_LABEL, L"Alpha2"},
    {IDC_KQ_SHADOW_GROUP, L"Shadow"},         {IDC_KQ_SHADOW_CHECK, L"Enable Shadow"},
    {IDC_KQ_SHADOW_THICKNESS_LABEL, L"Thickness"}, {IDC_KQ_SHADOW_ALPHA_LABEL, L"Alpha"},
    {IDC_KQ_SHADOW_COLOR_LABEL, L"Shadow Color"},
};

} // namespace

IMPLEMENT_DYNAMIC(CKQDlgTextFuncAdvanced, CBCGPPropertyPage)

BEGIN_MESSAGE_MAP(CKQDlgTextFuncAdvanced, CBCGPPropertyPage)
    ON_BN_CLICKED(IDC_KQ_TEXT_COLOR, OnTextColor)
    ON_BN_CLICKED(IDC_KQ_GRADIENT_COLOR, OnGradientColor)
    ON_BN_CLICKED(IDC_KQ_OUTLINE1_COLOR, OnOutlineColor1)
    ON_BN_CLICKED(IDC_KQ_OUTLINE2_COLOR, OnOutlineColor2)
    ON_BN_CLICKED(IDC_KQ_SHADOW_COLOR, OnShadowColor)
    ON_CBN_SELCHANGE(IDC_KQ_EFFECT, OnSelchangeEffect)
    ON_BN_CLICKED(IDC_KQ_GRADIENT_CHECK, OnGradientCheck)
    ON_BN_CLICKED(IDC_KQ_SHADOW_CHECK, OnShadowCheck)
END_MESSAGE_MAP()

CKQDlgTextFuncAdvanced::CKQDlgTextFuncAdvanced() : CBCGPPropertyPage(IDD_KQ_TEXTFUNC_ADVANCED)
{
    // The template is the library's, whichever module's resources are current.
    m_psp.hInstance = GetZVUILibModule();
}

CKQDlgTextFuncAdvanced::~CKQDlgTextFuncAdvanced() = default;

void CKQDlgTextFuncAdvanced::DoDataExchange(CDataExchange* pDX)
{
    CBCGPPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_KQ_THICKNESS1, m_nOutlineThickness1);
    DDX_Text(pDX, IDC_KQ_THICKNESS2, m_nOutlineThickness2);
    DDX_Text(pDX, IDC_KQ_SHADOW_THICKNESS, m_nShadowThickness);
    DDX_Text(pDX, IDC_KQ_SHADOW_X, m_nShadowX);
    DDX_Text(pDX, IDC_KQ_SHADOW_Y, m_nShadowY);
    DDX_Text(pDX, IDC_KQ_ALPHA1, m_nOutlineAlpha1);
    DDX_Text(pDX, IDC_KQ_ALPHA2, m_nOutlineAlpha2);
    DDX_Text(pDX, IDC_KQ_SHADOW_ALPHA, m_nShadowAlpha);
    DDX_Check(pDX, IDC_KQ_GRADIENT_CHECK, m_bGradient);
    DDX_Check(pDX, IDC_KQ_SHADOW_CHECK, m_bShadow);
    DDX_Control(pDX, IDC_KQ_OUTLINE1_COLOR, m_btnOutlineColor1);
    DDX_Control(pDX, IDC_KQ_OUTLINE2_COLOR, m_btnOutlineColor2);
    DDX_Control(pDX, IDC_KQ_SHADOW_COLOR, m_btnShadowColor);
    DDX_Control(pDX, IDC_KQ_GRADIENT_COLOR, m_btnGradientColor);
    DDX_Control(pDX, IDC_KQ_TEXT_COLOR, m_btnTextColor);
    DDX_Control(pDX, IDC_KQ_EFFECT, m_comboEffect);
    for (int i = 0; i < 8; ++i) {
        DDX_Control(pDX, kNumbers[i].spin, m_spins[i]);
        DDX_Control(pDX, kNumbers[i].edit, m_edits[i]);
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
    for (const auto& label : kLabels)
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

void CKQDlgTextFuncAdvanced::EnableItems(const UINT* ids, size_t count, bool enable)
{
    for (size_t i = 0; i < count; ++i)
        if (CWnd* item = GetDlgItem(ids[i]))
            item->EnableWindow(enable);
}

void CKQDlgTextFuncAdvanced::EnableSecondOutline(bool enable)
{
    EnableItems(kSecondOutline, sizeof(kSecondOutline) / sizeof(kSecondOutline[0]), enable);
}

void CKQDlgTextFuncAdvanced::EnableGradientRow(bool enable)
{
    EnableItems(kGradientRow, sizeof(kGradientRow) / sizeof(kGradientRow[0]), enable);
}

void CKQDlgTextFuncAdvanced::EnableShadowRow(bool enable)
{
    EnableItems(kShadowRow, sizeof(kShadowRow) / sizeof(kShadowRow[0]), enable);
}

void CKQDlgTextFuncAdvanced::OnTextColor()
{
    m_pWordArt->SetTextColor1(textsheet::RecordColor(m_btnTextColor.GetColor()));
}

void CKQDlgTextFuncAdvanced::OnGradientColor()
{
    m_pWordArt->SetTextColor2(textsheet::RecordColor(m_btnGradientColor.GetColor()));
}

void CKQDlgTextFuncAdvanced::OnOutlineColor1()
{
    m_pWordArt->SetOutlineColor1(textsheet::RecordColor(m_btnOutlineColor1.GetColor()));
}

void CKQDlgTextFuncAdvanced::OnOutlineColor2()
{
    m_pWordArt->SetOutlineColor2(textsheet::RecordColor(m_btnOutlineColor2.GetColor()));
}

void CKQDlgTextFuncAdvanced::OnShadowColor()
{
    m_pWordArt->SetShadowColor(textsheet::RecordColor(m_btnShadowColor.GetColor()));
}

void CKQDlgTextFuncAdvanced::OnSelchangeEffect()
{
    const int index = m_comboEffect.GetCurSel();
    if (index < 0)
        return;
    const TextEffect effect = textsheet::EffectFromComboIndex(index);
    m_pWordArt->SetTextEffect(effect);
    EnableSecondOutline(textsheet::SecondOutlineEnabled(effect));
}

void CKQDlgTextFuncAdvanced::OnGradientCheck()
{
    m_bGradient = IsDlgButtonChecked(IDC_KQ_GRADIENT_CHECK) == BST_CHECKED;
    m_pWordArt->EnableTextGradient(m_bGradient != 0);
    EnableGradientRow(m_bGradient != 0);
}

void CKQDlgTextFuncAdvanced::OnShadowCheck()
{
    m_bShadow = IsDlgButtonChecked(IDC_KQ_SHADOW_CHECK) == BST_CHECKED;
    m_pWordArt->SetEnableShadow(m_bShadow != 0);
    EnableShadowRow(m_bShadow != 0);
}

BOOL CKQDlgTextFuncAdvanced::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == EN_CHANGE)
        for (const NumberField& field : kNumbers)
            if (field.edit == LOWORD(wParam)) {
                OnChangeNumber(field.edit);
                return TRUE;
            }
    return CBCGPPropertyPage::OnCommand(wParam, lParam);
}

// One edit changed: its number goes into the record. A text that is not a number yet (empty,
// a lone '-') leaves the record as it is; the page's own filling is not a change.
void CKQDlgTextFuncAdvanced::OnChangeNumber(UINT nID)
{
    if (m_bFilling || !m_pWordArt)
        return;
    CString text;
    GetDlgItemText(nID, text);
    text.Trim();
    if (text.IsEmpty() || text == L"-")
        return;
    const int value = wordart::ParseInt(text);
    CWordArtInfo& r = *m_pWordArt;
    switch (nID) {
    case IDC_KQ_THICKNESS1: r.SetOutlineThickness1(m_nOutlineThickness1 = value); break;
    case IDC_KQ_THICKNESS2: r.SetOutlineThickness2(m_nOutlineThickness2 = value); break;
    case IDC_KQ_SHADOW_THICKNESS: r.SetShadowThickness(m_nShadowThickness = value); break;
    case IDC_KQ_SHADOW_X: r.SetShadowOffsetX(m_nShadowX = value); break;
    case IDC_KQ_SHADOW_Y: r.SetShadowOffsetY(m_nShadowY = value); break;
    case IDC_KQ_ALPHA1: r.SetOutlineAlpha1(textsheet::AlphaFromPercent(m_nOutlineAlpha1 = static_cast<BYTE>(value))); break;
    case IDC_KQ_ALPHA2: r.SetOutlineAlpha2(textsheet::AlphaFromPercent(m_nOutlineAlpha2 = static_cast<BYTE>(value))); break;
    case IDC_KQ_SHADOW_ALPHA: r.SetShadowAlpha(textsheet::AlphaFromPercent(m_nShadowAlpha = static_cast<BYTE>(value))); break;
    default: break;
    }
}

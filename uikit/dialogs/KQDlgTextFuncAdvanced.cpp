#include "KQDlgTextFuncAdvanced.h"
#include "DlgControls.h"
#include "KQTextPropIds.h"
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

const UINT kSecondOutline[] = {IDC_KQ_OUTLINE2_COLOR, IDC_KQ_THICKNESS2, IDC_KQ_THICKNESS2_SPIN, IDC_KQ_ALPHA2,
                               IDC_KQ_ALPHA2_SPIN, IDC_KQ_OUTLINE2_LABEL, IDC_KQ_THICKNESS2_LABEL, IDC_KQ_ALPHA2_LABEL};
const UINT kGradientRow[] = {IDC_KQ_GRADIENT_COLOR, IDC_KQ_GRADIENT_LABEL};
const UINT kShadowRow[] = {IDC_KQ_SHADOW_COLOR, IDC_KQ_SHADOW_THICKNESS, IDC_KQ_SHADOW_THICKNESS_SPIN,
                           IDC_KQ_SHADOW_ALPHA, IDC_KQ_SHADOW_ALPHA_SPIN, IDC_KQ_SHADOW_X, IDC_KQ_SHADOW_X_SPIN,
                           IDC_KQ_SHADOW_Y, IDC_KQ_SHADOW_Y_SPIN, IDC_KQ_SHADOW_COLOR_LABEL,
                           IDC_KQ_SHADOW_THICKNESS_LABEL, IDC_KQ_SHADOW_ALPHA_LABEL, IDC_KQ_SHADOW_GROUP,
                           IDC_KQ_SHADOW_X_LABEL, IDC_KQ_SHADOW_Y_LABEL};

const KQTextAdvancedIds::Label kLabels[] = {
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

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N])
{
    return N;
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
        kLabels, Count(kLabels), kSecondOutline, Count(kSecondOutline), kGradientRow, Count(kGradientRow),
        kShadowRow, Count(kShadowRow)};
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
    for (size_t i = 0; i < m_ids.labelCount; ++i)
        SetDlgItemText(m_ids.labels[i].id, TranslateString(m_ids.labels[i].text));
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
    EnableItems(m_ids.secondOutline, m_ids.secondOutlineCount, enable);
}

void CKQDlgTextFuncAdvanced::EnableGradientRow(bool enable)
{
    EnableItems(m_ids.gradientRow, m_ids.gradientRowCount, enable);
}

void CKQDlgTextFuncAdvanced::EnableShadowRow(bool enable)
{
    EnableItems(m_ids.shadowRow, m_ids.shadowRowCount, enable);
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
    const struct {
        UINT id, code;
        void (CKQDlgTextFuncAdvanced::*handler)();
    } handlers[] = {
        {m_ids.textColor, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnTextColor},
        {m_ids.gradientColor, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnGradientColor},
        {m_ids.outlineColor1, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnOutlineColor1},
        {m_ids.outlineColor2, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnOutlineColor2},
        {m_ids.shadowColor, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnShadowColor},
        {m_ids.effect, CBN_SELCHANGE, &CKQDlgTextFuncAdvanced::OnSelchangeEffect},
        {m_ids.gradientCheck, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnGradientCheck},
        {m_ids.shadowCheck, BN_CLICKED, &CKQDlgTextFuncAdvanced::OnShadowCheck},
    };
    if (lParam)
        for (const auto& h : handlers)
            if (h.id == id && h.code == code) {
                (this->*h.handler)();
                return TRUE;
            }
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

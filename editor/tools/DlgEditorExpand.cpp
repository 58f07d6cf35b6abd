#include "DlgEditorExpand.h"
#include "CanvasDialogRules.h"
#include "CanvasDialogsIds.h"
#include "DlgControls.h"
#include "NewPictureRules.h"
#include "ZVUILibApp.h"

using newpicture::AfterBlankEdit;
using newpicture::RatioOf;
using newpicture::SizeI;

IMPLEMENT_DYNAMIC(CDlgEditorExpand, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorExpand, CKQDialog)
    ON_BN_CLICKED(IDC_EXPAND_BY_SIZE, OnBySize)
    ON_BN_CLICKED(IDC_EXPAND_BY_SIDES, OnBySides)
    ON_EN_CHANGE(IDC_EXPAND_WIDTH, OnWidthChange)
    ON_EN_CHANGE(IDC_EXPAND_HEIGHT, OnHeightChange)
    ON_BN_CLICKED(IDC_EXPAND_COLOR, OnColor)
    ON_COMMAND_RANGE(IDC_EXPAND_ANCHOR_FIRST, IDC_EXPAND_ANCHOR_LAST, OnAnchor)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
END_MESSAGE_MAP()

namespace {

const int kMaxExpandSide = 6000;
const int kEditIds[6] = {IDC_EXPAND_WIDTH, IDC_EXPAND_HEIGHT, IDC_EXPAND_LEFT,
                         IDC_EXPAND_RIGHT, IDC_EXPAND_TOP,    IDC_EXPAND_BOTTOM};
const int kSpinIds[6] = {IDC_EXPAND_WIDTH_SPIN, IDC_EXPAND_HEIGHT_SPIN, IDC_EXPAND_LEFT_SPIN,
                         IDC_EXPAND_RIGHT_SPIN, IDC_EXPAND_TOP_SPIN,    IDC_EXPAND_BOTTOM_SPIN};

bool LoadAnchorPicture(UINT id, CZVImage& picture)
{
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    return resource && picture.LoadResource(resource, CXIMAGE_FORMAT_PNG, module);
}

} // namespace

CDlgEditorExpand::CDlgEditorExpand(CWnd* pParent) : CKQDialog(IDD_EDITOR_EXPAND, pParent) {}

CDlgEditorExpand::~CDlgEditorExpand() = default;

void CDlgEditorExpand::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    for (int i = 0; i < 6; ++i) {
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
        DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    }
    DDX_Control(pDX, IDC_EXPAND_COLOR, m_btnColor);
    DDX_Text(pDX, IDC_EXPAND_WIDTH, m_newWidth);
    DDX_Text(pDX, IDC_EXPAND_HEIGHT, m_newHeight);
    DDX_Text(pDX, IDC_EXPAND_LEFT, m_left);
    DDX_Text(pDX, IDC_EXPAND_RIGHT, m_right);
    DDX_Text(pDX, IDC_EXPAND_TOP, m_top);
    DDX_Text(pDX, IDC_EXPAND_BOTTOM, m_bottom);
    DDX_Check(pDX, IDC_EXPAND_KEEP_RATIO, m_keepRatio);
    DDX_Check(pDX, IDC_EXPAND_TRANSPARENT, m_transparent);
}

BOOL CDlgEditorExpand::OnInitDialog()
{
    m_updating = true;
    m_ratio = RatioOf(m_width, m_height);
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Expand Canvas"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_EXPAND_COLOR_LABEL, L"Background"}, {IDC_EXPAND_TRANSPARENT, L"Automatic transparency"},
                 {IDC_EXPAND_BY_SIZE, L"New dimension"},   {IDC_EXPAND_WIDTH_LABEL, L"Width"},
                 {IDC_EXPAND_HEIGHT_LABEL, L"Height"},     {IDC_EXPAND_KEEP_RATIO, L"Keep Ratio"},
                 {IDC_EXPAND_LOCATION_LABEL, L"Location"}, {IDC_EXPAND_BY_SIDES, L"Enlarge sides"},
                 {IDC_EXPAND_LEFT_LABEL, L"Left"},         {IDC_EXPAND_RIGHT_LABEL, L"Right"},
                 {IDC_EXPAND_TOP_LABEL, L"Top"},           {IDC_EXPAND_BOTTOM_LABEL, L"Bottom"},
                 {IDOK, L"Ok"},                            {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    KQSetCtrlWidth(this);
    for (int i = 0; i < 6; ++i) {
        m_edits[i].SetMinMax(0, kMaxExpandSide);
        m_spins[i].SetRangeAndDelta(0, kMaxExpandSide, 1);
    }
    m_btnColor.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(0, 0, 0));
    m_btnColor.EnableOtherButton(TranslateString(L"Other"));
    m_btnColor.SetColumnsNumber(14);
    m_btnColor.SetColor(m_color);
    // Each anchor button takes its picture's size.
    LoadAnchorPicture(IDB_ANCHOR, m_anchorPicture);
    LoadAnchorPicture(IDB_ANCHOR_CHOSEN, m_chosenPicture);
    if (m_anchorPicture.IsValid()) {
        const int w = static_cast<int>(m_anchorPicture.GetWidth()), h = static_cast<int>(m_anchorPicture.GetHeight());
        CRect first;
        GetDlgItem(IDC_EXPAND_ANCHOR_FIRST)->GetWindowRect(&first);
        ScreenToClient(&first);
        for (int i = 0; i < 9; ++i)
            GetDlgItem(IDC_EXPAND_ANCHOR_FIRST + i)
                ->SetWindowPos(nullptr, first.left + (i % 3) * (w + 4), first.top + (i / 3) * (h + 4), w + 2, h + 2,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_anchor < 0 || m_anchor > 8)
        m_anchor = 4;
    UpdateData(FALSE);
    SetMode(m_mode == 0 ? 0 : 1);
    m_updating = false;
    return TRUE;
}

void CDlgEditorExpand::SetMode(int mode)
{
    m_mode = mode;
    CheckDlgButton(IDC_EXPAND_BY_SIZE, mode == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_EXPAND_BY_SIDES, mode == 0 ? BST_CHECKED : BST_UNCHECKED);
    for (int id : ExpandSizeControls())
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(mode == 1);
    for (int id : ExpandMarginControls())
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(mode == 0);
}

void CDlgEditorExpand::OnBySize()
{
    SetMode(1);
}

void CDlgEditorExpand::OnBySides()
{
    SetMode(0);
}

void CDlgEditorExpand::SetAnchor(int anchor)
{
    if (anchor < 0 || anchor > 8)
        return;
    m_anchor = anchor;
    // Only the chosen anchor is a tab stop, as in a radio group.
    for (int i = 0; i < 9; ++i) {
        CWnd* button = GetDlgItem(IDC_EXPAND_ANCHOR_FIRST + i);
        if (i == anchor)
            button->ModifyStyle(0, WS_TABSTOP);
        else
            button->ModifyStyle(WS_TABSTOP, 0);
        button->Invalidate(FALSE);
    }
}

void CDlgEditorExpand::OnAnchor(UINT id)
{
    SetAnchor(static_cast<int>(id) - IDC_EXPAND_ANCHOR_FIRST);
}

BOOL CDlgEditorExpand::PreTranslateMessage(MSG* pMsg)
{
    // The arrow keys walk the nine anchors as the grid they are.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT ||
                                        pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN)) {
        const int focus = ::GetDlgCtrlID(::GetFocus());
        if (::GetParent(::GetFocus()) == m_hWnd && focus >= IDC_EXPAND_ANCHOR_FIRST && focus <= IDC_EXPAND_ANCHOR_LAST) {
            const int next = AnchorAfterKey(focus - IDC_EXPAND_ANCHOR_FIRST, static_cast<UINT>(pMsg->wParam));
            SetAnchor(next);
            GetDlgItem(IDC_EXPAND_ANCHOR_FIRST + next)->SetFocus();
            return TRUE;
        }
    }
    return CKQDialog::PreTranslateMessage(pMsg);
}

LRESULT CDlgEditorExpand::OnDrawItem(WPARAM, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const int nIDCtl = static_cast<int>(item->CtlID);
    if (nIDCtl < IDC_EXPAND_ANCHOR_FIRST || nIDCtl > IDC_EXPAND_ANCHOR_LAST)
        return Default();
    const RECT& r = item->rcItem;
    ::FillRect(item->hDC, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool chosen = nIDCtl - IDC_EXPAND_ANCHOR_FIRST == m_anchor;
    const CZVImage& picture = chosen ? m_chosenPicture : m_anchorPicture;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    if (picture.IsValid()) {
        const long w = static_cast<long>(picture.GetWidth()), h = static_cast<long>(picture.GetHeight());
        const long x = r.left + (r.right - r.left - w) / 2, y = r.top + (r.bottom - r.top - h) / 2;
        if (enabled) {
            picture.Draw(item->hDC, x, y);
        } else {
            // Greyed: grey and faint, the face showing through.
            CZVImage grey;
            grey.Copy(picture);
            grey.GrayScale();
            grey.AlphaSetMax(110);
            grey.Draw(item->hDC, x, y);
        }
    }
    if (item->itemState & ODS_FOCUS) {
        RECT focus = r;
        ::DrawFocusRect(item->hDC, &focus);
    }
    return TRUE;
}

void CDlgEditorExpand::OnSizeEdited(bool widthEdited)
{
    if (m_updating)
        return;
    m_updating = true;
    const SizeI before = {static_cast<int>(GetDlgItemInt(IDC_EXPAND_WIDTH, nullptr, FALSE)),
                          static_cast<int>(GetDlgItemInt(IDC_EXPAND_HEIGHT, nullptr, FALSE))};
    m_keepRatio = IsDlgButtonChecked(IDC_EXPAND_KEEP_RATIO) ? TRUE : FALSE;
    const SizeI after = AfterBlankEdit(before, widthEdited, m_keepRatio != FALSE, m_ratio);
    m_newWidth = after.width;
    m_newHeight = after.height;
    if (after.width != before.width)
        SetDlgItemInt(IDC_EXPAND_WIDTH, static_cast<UINT>(after.width), FALSE);
    if (after.height != before.height)
        SetDlgItemInt(IDC_EXPAND_HEIGHT, static_cast<UINT>(after.height), FALSE);
    m_updating = false;
}

void CDlgEditorExpand::OnWidthChange()
{
    OnSizeEdited(true);
}

void CDlgEditorExpand::OnHeightChange()
{
    OnSizeEdited(false);
}

void CDlgEditorExpand::OnColor()
{
    m_color = m_btnColor.GetColor();
}

#include "DlgConditionSelect.h"
#include <cwchar>
#include "BatchDialogIds.h"
#include "DlgControls.h"
#include "LumivoShowsIds.h"
#include "BatchSettings.h"
#include "KQNumEdit.h"
#include "KQPicListView.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDlgConditionSelect, CKQDialog)
    ON_BN_CLICKED(IDC_CS_NAME, OnCondition)
    ON_BN_CLICKED(IDC_CS_SIZE, OnCondition)
    ON_BN_CLICKED(IDC_CS_PICTURE, OnCondition)
END_MESSAGE_MAP()

int ApplyConditionSelect(CKQPicListView& list, const ConditionSelect& condition)
{
    int changed = 0;
    list.Lock();
    const int count = list.GetItemCount();
    for (int i = 0; i < count; ++i) {
        KQ_PIC_LIST_ITEM item = {};
        if (!list.GetItem(i, &item) || (item.nState & KQLS_FOLDER) || !item.pInfo)
            continue;
        const std::wstring name = item.strText.GetString();
        if (!condition.Matches(name, item.pInfo->nFileSize, int(item.pInfo->nWidth), int(item.pInfo->nHeight)))
            continue;
        const bool selected = (item.nState & KQLS_SELECTED) != 0;
        if (selected == !condition.deselect)
            continue;
        list.SetItemState(i, condition.deselect ? 0 : KQLS_SELECTED, condition.deselect ? KQLS_SELECTED : 0);
        ++changed;
    }
    list.Unlock();
    if (!condition.deselect) {
        const int first = list.GetNextSelectItem(-1);
        if (first >= 0)
            list.EnsureVisible(first, false);
    }
    if (list.GetSafeHwnd())
        list.PostMessage(WM_KQ_VALUE_SETTLED);
    return changed;
}

CDlgConditionSelect::CDlgConditionSelect(ProfileStore& profile, CKQPicListView* list, CWnd* parent)
    : CKQDialog(IDD_CONDITION_SELECT, parent), m_profile(profile), m_list(list)
{
    m_condition.Load(profile);
}

void CDlgConditionSelect::ShowBound(int id, int value)
{
    // No bound shows as an empty edit.
    SetDlgItemText(id, value > 0 ? std::to_wstring(value).c_str() : L"");
}

int CDlgConditionSelect::ReadBound(int id) const
{
    CString text;
    GetDlgItemText(id, text);
    return _wtoi(text.GetString());
}

BOOL CDlgConditionSelect::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    m_ok.SubclassDlgItem(IDOK, this);
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Condition Select"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDOK, L"OK"},         {IDCANCEL, L"Cancel"},       {IDC_CS_NAME, L"File Name"},
                 {IDC_CS_SIZE, L"File Size"}, {IDC_CS_PICTURE, L"Picture Size"}, {IDC_CS_DESELECT, L"Deselect"},
                 {IDC_CS_WIDTH_LABEL, L"Width"}, {IDC_CS_HEIGHT_LABEL, L"Height"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    SetBmpBTStyle(m_ok, IDB_ABOUT_OK);
    CheckDlgButton(IDC_CS_NAME, m_condition.byName ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CS_SIZE, m_condition.bySize ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CS_PICTURE, m_condition.byPictureSize ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CS_DESELECT, BST_UNCHECKED);
    SetDlgItemText(IDC_CS_PATTERN, m_condition.namePattern.c_str());
    ShowBound(IDC_CS_MIN_K, m_condition.minSizeK);
    ShowBound(IDC_CS_MAX_K, m_condition.maxSizeK);
    ShowBound(IDC_CS_MIN_WIDTH, m_condition.minWidth);
    ShowBound(IDC_CS_MAX_WIDTH, m_condition.maxWidth);
    ShowBound(IDC_CS_MIN_HEIGHT, m_condition.minHeight);
    ShowBound(IDC_CS_MAX_HEIGHT, m_condition.maxHeight);
    EnableEdits();
    return TRUE;
}

void CDlgConditionSelect::EnableEdits()
{
    const BOOL name = IsDlgButtonChecked(IDC_CS_NAME) == BST_CHECKED;
    const BOOL size = IsDlgButtonChecked(IDC_CS_SIZE) == BST_CHECKED;
    const BOOL picture = IsDlgButtonChecked(IDC_CS_PICTURE) == BST_CHECKED;
    GetDlgItem(IDC_CS_PATTERN)->EnableWindow(name);
    for (int id : {IDC_CS_MIN_K, IDC_CS_MAX_K})
        GetDlgItem(id)->EnableWindow(size);
    for (int id : {IDC_CS_MIN_WIDTH, IDC_CS_MAX_WIDTH, IDC_CS_MIN_HEIGHT, IDC_CS_MAX_HEIGHT})
        GetDlgItem(id)->EnableWindow(picture);
}

void CDlgConditionSelect::OnCondition()
{
    EnableEdits();
}

void CDlgConditionSelect::OnOK()
{
    m_condition.byName = IsDlgButtonChecked(IDC_CS_NAME) == BST_CHECKED;
    m_condition.bySize = IsDlgButtonChecked(IDC_CS_SIZE) == BST_CHECKED;
    m_condition.byPictureSize = IsDlgButtonChecked(IDC_CS_PICTURE) == BST_CHECKED;
    m_condition.deselect = IsDlgButtonChecked(IDC_CS_DESELECT) == BST_CHECKED;
    CString pattern;
    GetDlgItemText(IDC_CS_PATTERN, pattern);
    m_condition.namePattern = pattern.GetString();
    m_condition.minSizeK = ReadBound(IDC_CS_MIN_K);
    m_condition.maxSizeK = ReadBound(IDC_CS_MAX_K);
    m_condition.minWidth = ReadBound(IDC_CS_MIN_WIDTH);
    m_condition.maxWidth = ReadBound(IDC_CS_MAX_WIDTH);
    m_condition.minHeight = ReadBound(IDC_CS_MIN_HEIGHT);
    m_condition.maxHeight = ReadBound(IDC_CS_MAX_HEIGHT);
    m_condition.Save(m_profile);
    if (m_list)
        ApplyConditionSelect(*m_list, m_condition);
    EndDialog(IDOK);
}

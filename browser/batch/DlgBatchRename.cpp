#include "DlgBatchRename.h"
#include <algorithm>
#include "BatchDialogIds.h"
#include "ZVUILibApp.h"

namespace {

const RENAME_TAG kPatterns[kRenamePatternCount][3] = {
    {RENAME_TAG_DATE, RENAME_TAG_NUMBER, RENAME_TAG_COUNT},
    {RENAME_TAG_DATE, RENAME_TAG_FILE_NAME, RENAME_TAG_COUNT},
    {RENAME_TAG_DATE, RENAME_TAG_TIME, RENAME_TAG_FILE_NAME},
    {RENAME_TAG_DATE, RENAME_TAG_TIME, RENAME_TAG_NUMBER},
    {RENAME_TAG_FILE_NAME, RENAME_TAG_COUNT, RENAME_TAG_COUNT},
    {RENAME_TAG_FILE_NAME, RENAME_TAG_DATE, RENAME_TAG_TIME},
    {RENAME_TAG_FILE_NAME, RENAME_TAG_DATE, RENAME_TAG_COUNT},
    {RENAME_TAG_FILE_NAME, RENAME_TAG_NUMBER, RENAME_TAG_COUNT},
    {RENAME_TAG_NUMBER, RENAME_TAG_FILE_NAME, RENAME_TAG_COUNT},
    {RENAME_TAG_NUMBER, RENAME_TAG_DATE, RENAME_TAG_COUNT},
    {RENAME_TAG_NUMBER, RENAME_TAG_DATE, RENAME_TAG_TIME},
    {RENAME_TAG_MD5, RENAME_TAG_COUNT, RENAME_TAG_COUNT},
};
const RENAME_TAG kVariables[] = {RENAME_TAG_NUMBER, RENAME_TAG_DATE, RENAME_TAG_TIME, RENAME_TAG_FILE_NAME, RENAME_TAG_MD5};
const wchar_t* const kDelimiters[] = {L"Space", L"-", L"_", L"."};
const struct {
    const wchar_t* text;
    const wchar_t* format;
} kDateFormats[] = {{L"YYYY-MM-DD", L"%Y-%m-%d"}, {L"YYYY_MM_DD", L"%Y_%m_%d"}, {L"YYYY.MM.DD", L"%Y.%m.%d"},
                    {L"YYYY MM DD", L"%Y %m %d"}, {L"YYYYMMDD", L"%Y%m%d"}},
  kTimeFormats[] = {{L"HH-MM", L"%H-%M"}, {L"HH_MM", L"%H_%M"}, {L"HH.MM", L"%H.%M"}, {L"HH MM", L"%H %M"}, {L"HHMM", L"%H%M"}};
const wchar_t* const kNumberFormatTexts[] = {L"X", L"0X", L"00X", L"000X"};
const int kDateTypeButtons[] = {IDC_RN_PHOTO_DATE, IDC_RN_FILE_DATE, IDC_RN_CURRENT_DATE}; // by date type

} // namespace

std::wstring RenamePatternText(const CBatchRenameMethod& method, int index)
{
    std::wstring text;
    if (index < 0 || index >= kRenamePatternCount)
        return text;
    for (RENAME_TAG tag : kPatterns[index])
        if (tag != RENAME_TAG_COUNT)
            text += method.TagText(tag);
    return text;
}

BEGIN_MESSAGE_MAP(CDlgBatchRename, CKQDialog)
    ON_CBN_SELCHANGE(IDC_RN_PATTERN, OnChange)
    ON_CBN_EDITCHANGE(IDC_RN_PATTERN, OnChange)
    ON_CBN_SELCHANGE(IDC_RN_DELIMITER, OnChange)
    ON_CBN_EDITCHANGE(IDC_RN_DELIMITER, OnChange)
    ON_CBN_SELCHANGE(IDC_RN_DATE_FORMAT, OnChange)
    ON_CBN_SELCHANGE(IDC_RN_TIME_FORMAT, OnChange)
    ON_CBN_SELCHANGE(IDC_RN_NUMBER_FORMAT, OnChange)
    ON_EN_CHANGE(IDC_RN_START, OnChange)
    ON_EN_CHANGE(IDC_RN_REMOVE, OnChange)
    ON_BN_CLICKED(IDC_RN_FILE_DATE, OnChange)
    ON_BN_CLICKED(IDC_RN_CURRENT_DATE, OnChange)
    ON_BN_CLICKED(IDC_RN_PHOTO_DATE, OnChange)
    ON_BN_CLICKED(IDC_RN_IGNORE, OnChange)
    ON_BN_CLICKED(IDC_RN_ADD, OnAddVariable)
    ON_BN_CLICKED(IDC_RN_MORE, OnMore)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDlgBatchRename::CDlgBatchRename(CBatchRenameMethod& method, ProfileStore& profile, CWnd* parent)
    : CKQDialog(IDD_BATCH_RENAME, parent), m_method(method), m_profile(profile)
{
    m_white.CreateSolidBrush(RGB(255, 255, 255));
}

std::wstring CDlgBatchRename::ComboText(int id) const
{
    CString text;
    GetDlgItemText(id, text);
    return text.GetString();
}

BOOL CDlgBatchRename::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Rename"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDOK, L"OK"},
                 {IDCANCEL, L"Cancel"},
                 {IDC_RN_MORE, L"More"},
                 {IDC_RN_REMOVE_LABEL, L"Remove String"},
                 {IDC_RN_IGNORE, L"Ignore date and time characters"},
                 {IDC_RN_DATE_GROUP, L"Date"},
                 {IDC_RN_FORMAT_GROUP, L"Format"},
                 {IDC_RN_FILE_DATE, L"File Date"},
                 {IDC_RN_CURRENT_DATE, L"Current Date"},
                 {IDC_RN_PHOTO_DATE, L"Photo Date"},
                 {IDC_RN_PATTERN_LABEL, L"File Name"},
                 {IDC_RN_VARIABLE_LABEL, L"Variable"},
                 {IDC_RN_DELIMITER_LABEL, L"Delimiter"},
                 {IDC_RN_DATE_LABEL, L"Date"},
                 {IDC_RN_TIME_LABEL, L"Time"},
                 {IDC_RN_START_LABEL, L"Start Number"},
                 {IDC_RN_NUMBER_FORMAT_LABEL, L"Number Format"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));

    CComboBox* patterns = static_cast<CComboBox*>(GetDlgItem(IDC_RN_PATTERN));
    for (int i = 0; i < kRenamePatternCount; ++i)
        patterns->AddString(RenamePatternText(m_method, i).c_str());
    if (m_method.m_patternIndex >= 0 && m_method.m_patternIndex < kRenamePatternCount)
        patterns->SetCurSel(m_method.m_patternIndex);
    else
        SetDlgItemText(IDC_RN_PATTERN, m_method.m_pattern.c_str());
    CComboBox* variables = static_cast<CComboBox*>(GetDlgItem(IDC_RN_VARIABLE));
    for (RENAME_TAG tag : kVariables)
        variables->AddString(m_method.TagText(tag).c_str());
    variables->SetCurSel(0);
    CComboBox* delimiters = static_cast<CComboBox*>(GetDlgItem(IDC_RN_DELIMITER));
    for (const wchar_t* delimiter : kDelimiters)
        delimiters->AddString(TranslateString(delimiter));
    delimiters->SetCurSel(std::clamp(m_method.m_delimiterIndex, 0, 3));
    CComboBox* dates = static_cast<CComboBox*>(GetDlgItem(IDC_RN_DATE_FORMAT));
    for (const auto& format : kDateFormats)
        dates->AddString(format.text);
    dates->SetCurSel(std::clamp(m_method.m_dateFormatIndex, 0, 4));
    CComboBox* times = static_cast<CComboBox*>(GetDlgItem(IDC_RN_TIME_FORMAT));
    for (const auto& format : kTimeFormats)
        times->AddString(format.text);
    times->SetCurSel(std::clamp(m_method.m_timeFormatIndex, 0, 4));
    CComboBox* numbers = static_cast<CComboBox*>(GetDlgItem(IDC_RN_NUMBER_FORMAT));
    for (const wchar_t* format : kNumberFormatTexts)
        numbers->AddString(format);
    numbers->SetCurSel(std::clamp(m_method.m_numberFormat, 0, 3));
    GetDlgItem(IDC_RN_START_SPIN)->SendMessage(UDM_SETRANGE32, 0, 99999);
    SetDlgItemInt(IDC_RN_START, UINT(std::max(0, m_method.m_startNumber)), FALSE);
    CheckRadioButton(IDC_RN_FILE_DATE, IDC_RN_PHOTO_DATE, kDateTypeButtons[std::clamp(m_method.m_dateType, 0, 2)]);
    SetDlgItemText(IDC_RN_REMOVE, m_method.m_removeString.c_str());
    CheckDlgButton(IDC_RN_IGNORE, m_method.m_ignoreDateTimeChars ? BST_CHECKED : BST_UNCHECKED);

    // Opens collapsed, cut at the top of the format group.
    CRect group, window;
    GetDlgItem(IDC_RN_FORMAT_GROUP)->GetWindowRect(&group);
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), group.top - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_ready = true;
    UpdatePreview();
    return TRUE;
}

void CDlgBatchRename::ReadInto(CBatchRenameMethod& method) const
{
    const auto selection = [this](int id) { return static_cast<CComboBox*>(GetDlgItem(id))->GetCurSel(); };
    method.m_numberFormat = std::clamp(selection(IDC_RN_NUMBER_FORMAT), 0, 3);
    method.m_patternIndex = selection(IDC_RN_PATTERN);
    method.m_delimiterIndex = std::max(0, selection(IDC_RN_DELIMITER));
    method.m_dateFormatIndex = std::clamp(selection(IDC_RN_DATE_FORMAT), 0, 4);
    method.m_timeFormatIndex = std::clamp(selection(IDC_RN_TIME_FORMAT), 0, 4);
    method.m_dateFormat = kDateFormats[method.m_dateFormatIndex].format;
    method.m_timeFormat = kTimeFormats[method.m_timeFormatIndex].format;
    BOOL ok = FALSE;
    const int start = int(GetDlgItemInt(IDC_RN_START, &ok, FALSE));
    method.m_startNumber = ok ? std::max(0, start) : 0;
    method.m_removeString = ComboText(IDC_RN_REMOVE);
    method.m_ignoreDateTimeChars = IsDlgButtonChecked(IDC_RN_IGNORE) == BST_CHECKED;
    // The delimiter is the combo's text; the translated "Space" stands for one blank.
    std::wstring delimiter = ComboText(IDC_RN_DELIMITER);
    const int delimiterIndex = selection(IDC_RN_DELIMITER);
    if (delimiterIndex >= 0) {
        CString text;
        static_cast<CComboBox*>(GetDlgItem(IDC_RN_DELIMITER))->GetLBText(delimiterIndex, text);
        delimiter = text.GetString();
    }
    if (delimiter == TranslateString(L"Space"))
        delimiter = L" ";
    method.m_delimiter = delimiter;
    if (method.m_patternIndex >= 0) {
        CString text;
        static_cast<CComboBox*>(GetDlgItem(IDC_RN_PATTERN))->GetLBText(method.m_patternIndex, text);
        method.m_pattern = text.GetString();
    } else {
        method.m_pattern = ComboText(IDC_RN_PATTERN);
    }
    method.m_dateType = IsDlgButtonChecked(IDC_RN_FILE_DATE) == BST_CHECKED      ? RENAME_DATE_FILE
                        : IsDlgButtonChecked(IDC_RN_CURRENT_DATE) == BST_CHECKED ? RENAME_DATE_NOW
                                                                                   : RENAME_DATE_PHOTO;
}

std::wstring CDlgBatchRename::PreviewText() const
{
    CBatchRenameMethod preview;
    for (int tag = 0; tag < RENAME_TAG_COUNT; ++tag)
        preview.SetTagWord(RENAME_TAG(tag), m_method.TagText(RENAME_TAG(tag)).substr(1, m_method.TagText(RENAME_TAG(tag)).size() - 2));
    preview.m_clock = m_clock ? m_clock : m_method.m_clock;
    ReadInto(preview);
    preview.StartRenameRun();
    std::wstring target;
    preview.BuildNewName(kRenameSampleName, target);
    return std::wstring(kRenameSampleName) + L" -> " + target;
}

void CDlgBatchRename::UpdatePreview()
{
    SetDlgItemText(IDC_RN_PREVIEW, PreviewText().c_str());
}

void CDlgBatchRename::OnChange()
{
    if (m_ready)
        UpdatePreview();
}

void CDlgBatchRename::OnAddVariable()
{
    const int index = static_cast<CComboBox*>(GetDlgItem(IDC_RN_VARIABLE))->GetCurSel();
    if (index < 0 || index >= int(sizeof kVariables / sizeof kVariables[0]))
        return;
    const std::wstring text = ComboText(IDC_RN_PATTERN) + m_method.TagText(kVariables[index]);
    CComboBox* patterns = static_cast<CComboBox*>(GetDlgItem(IDC_RN_PATTERN));
    patterns->SetCurSel(-1);
    SetDlgItemText(IDC_RN_PATTERN, text.c_str());
    UpdatePreview();
}

void CDlgBatchRename::OnMore()
{
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    CRect last;
    GetDlgItem(IDC_RN_IGNORE)->GetWindowRect(&last);
    ScreenToClient(&last);
    // The full height: below the last control, with the margin the top has.
    const int full = window.Height() - client.Height() + last.bottom + last.Height();
    SetWindowPos(nullptr, 0, 0, window.Width(), full, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetDlgItem(IDC_RN_MORE)->ShowWindow(SW_HIDE);
}

HBRUSH CDlgBatchRename::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_EDIT) {
        pDC->SetBkColor(RGB(255, 255, 255));
        return static_cast<HBRUSH>(m_white.GetSafeHandle());
    }
    return CKQDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CDlgBatchRename::OnOK()
{
    ReadInto(m_method);
    m_method.m_pattern = ComboText(IDC_RN_PATTERN);
    m_method.SaveSetting(m_profile);
    m_method.StartRenameRun();
    m_method.m_names.RemoveAll();
    EndDialog(IDOK);
}

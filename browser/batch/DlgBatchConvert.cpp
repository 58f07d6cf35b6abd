#include "DlgBatchConvert.h"
#include <algorithm>
#include "BatchDialogIds.h"
#include "DlgControls.h"
#include "LocalFileIO.h"
#include "ShellService.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDlgBatchOutput, CKQDialog)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_BO_OVERWRITE, OnOverwrite)
    ON_BN_CLICKED(IDC_BO_TO_FOLDER, OnToFolder)
    ON_BN_CLICKED(IDC_BO_LIMIT, OnLimit)
    ON_BN_CLICKED(IDC_BO_BROWSE, OnBrowse)
END_MESSAGE_MAP()

namespace {

bool IsReadOnlyFolder(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

std::wstring QualityText(int quality)
{
    return quality <= 0 ? std::wstring(TranslateString(L"Automatic")) : std::to_wstring(quality);
}

} // namespace

CDlgBatchOutput::CDlgBatchOutput(UINT templateId, CBatchEngine& engine, const std::wstring& currentFolder,
                                 const wchar_t* section, int typeCount, const wchar_t* operation, ProfileStore& profile)
    : CKQDialog(templateId),
      m_engine(engine),
      m_currentFolder(currentFolder),
      m_section(section),
      m_typeCount(typeCount),
      m_operation(operation),
      m_profile(profile)
{
    m_settings.Load(profile, section, typeCount);
    engine.m_overwriteOriginal = m_settings.overwriteOriginal;
    engine.m_outputType = m_settings.fileType;
    m_folder = DefaultFolder();
}

std::wstring CDlgBatchOutput::DefaultFolder() const
{
    std::wstring folder = m_currentFolder;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return folder + L"\\Lumivo_" + TranslateString(m_operation);
}

BOOL CDlgBatchOutput::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    SetWindowText(TranslateString(m_operation));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_BO_TYPE_LABEL, L"File Type"},        {IDC_BO_LIMIT, L"Limit the maximum resolution"},
                 {IDC_BO_QUALITY_LABEL, L"Quality"},       {IDC_BO_OVERWRITE, L"Overwrite original file"},
                 {IDC_BO_TO_FOLDER, L"Output Folder"},     {IDC_BO_SCHEME_LABEL, L"Default Scheme"},
                 {IDC_BO_REMOVE_EXIF, L"Remove EXIF Data"}, {IDC_BO_TEST, L"Test"},
                 {IDOK, m_operation},                      {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        if (GetDlgItem(t.id))
            SetDlgItemText(t.id, TranslateString(t.text));
    m_resolutionSlider.SubclassDlgItem(IDC_BO_RES_SLIDER, this);
    m_qualitySlider.SubclassDlgItem(IDC_BO_QUALITY_SLIDER, this);
    m_browse.SubclassDlgItem(IDC_BO_BROWSE, this);
    SetBmpBTStyle(m_browse, IDB_BATCH_BROWSE);
    // Skinned once the controls of their own are attached.
    EnableVisualManagerStyle(TRUE, TRUE);
    m_resolutionSlider.SetRange(0, kResolutionStepCount - 1, TRUE);
    m_qualitySlider.SetRange(0, kQualityStepCount - 1, TRUE);
    CComboBox* types = static_cast<CComboBox*>(GetDlgItem(IDC_BO_TYPE));
    for (int i = 0; i < m_typeCount; ++i)
        types->AddString(kBatchImageTypes[i].name);
    SetDlgItemText(IDC_BO_FOLDER, m_folder.c_str());
    ShowSettings();
    return TRUE;
}

void CDlgBatchOutput::ShowSettings()
{
    static_cast<CComboBox*>(GetDlgItem(IDC_BO_TYPE))->SetCurSel(m_settings.fileType);
    CheckDlgButton(IDC_BO_LIMIT, m_settings.limitSize ? BST_CHECKED : BST_UNCHECKED);
    if (GetDlgItem(IDC_BO_REMOVE_EXIF))
        CheckDlgButton(IDC_BO_REMOVE_EXIF, m_settings.removeExif ? BST_CHECKED : BST_UNCHECKED);
    m_resolutionSlider.SetPos(StepPosition(kResolutionSteps, kResolutionStepCount,
                                           std::max(m_settings.maxWidth, m_settings.maxHeight)));
    m_qualitySlider.SetPos(StepPosition(kQualitySteps, kQualityStepCount, m_settings.quality));
    SetDlgItemInt(IDC_BO_WIDTH, UINT(std::max(0, m_settings.maxWidth)));
    SetDlgItemInt(IDC_BO_HEIGHT, UINT(std::max(0, m_settings.maxHeight)));
    SetDlgItemText(IDC_BO_RES_LABEL, std::to_wstring(kResolutionSteps[m_resolutionSlider.GetPos()]).c_str());
    SetDlgItemInt(IDC_BO_QUALITY, UINT(std::max(0, m_settings.quality)));
    SetDlgItemText(IDC_BO_QUALITY_VALUE, QualityText(m_settings.quality).c_str());
    CheckRadioButton(IDC_BO_OVERWRITE, IDC_BO_TO_FOLDER,
                     m_settings.overwriteOriginal == 1 ? IDC_BO_OVERWRITE : IDC_BO_TO_FOLDER);
    EnableControls();
}

void CDlgBatchOutput::EnableControls()
{
    const BOOL toFolder = m_settings.overwriteOriginal != 1;
    GetDlgItem(IDC_BO_FOLDER)->EnableWindow(toFolder);
    GetDlgItem(IDC_BO_BROWSE)->EnableWindow(toFolder);
    const BOOL limit = IsDlgButtonChecked(IDC_BO_LIMIT) == BST_CHECKED;
    for (int id : {IDC_BO_RES_SLIDER, IDC_BO_RES_LABEL, IDC_BO_WIDTH, IDC_BO_HEIGHT, IDC_BO_SIZE_X})
        GetDlgItem(id)->EnableWindow(limit);
}

void CDlgBatchOutput::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    const HWND from = pScrollBar ? pScrollBar->GetSafeHwnd() : nullptr;
    if (from == m_resolutionSlider.GetSafeHwnd()) {
        const int value = kResolutionSteps[std::clamp(m_resolutionSlider.GetPos(), 0, kResolutionStepCount - 1)];
        SetDlgItemInt(IDC_BO_WIDTH, UINT(value));
        SetDlgItemInt(IDC_BO_HEIGHT, UINT(value));
        SetDlgItemText(IDC_BO_RES_LABEL, std::to_wstring(value).c_str());
    } else if (from == m_qualitySlider.GetSafeHwnd()) {
        const int value = kQualitySteps[std::clamp(m_qualitySlider.GetPos(), 0, kQualityStepCount - 1)];
        SetDlgItemInt(IDC_BO_QUALITY, UINT(value));
        SetDlgItemText(IDC_BO_QUALITY_VALUE, QualityText(value).c_str());
    }
}

void CDlgBatchOutput::OnOverwrite()
{
    m_settings.overwriteOriginal = 1;
    EnableControls();
}

void CDlgBatchOutput::OnToFolder()
{
    m_settings.overwriteOriginal = 0;
    EnableControls();
}

void CDlgBatchOutput::OnLimit()
{
    EnableControls();
}

void CDlgBatchOutput::Say(const wchar_t* text)
{
    BCGPMessageBox(m_hWnd, TranslateString(text), TranslateString(m_operation), MB_OK | MB_ICONEXCLAMATION);
}

void CDlgBatchOutput::OnBrowse()
{
    wchar_t path[MAX_PATH] = {};
    wcsncpy(path, DefaultFolder().c_str(), MAX_PATH - 1);
    if (!SelectFolder(path, m_hWnd, TranslateString(L"Output Folder")))
        return;
    if (IsReadOnlyFolder(path))
        Say(L"Folder is readonly");
    SetDlgItemText(IDC_BO_FOLDER, path);
}

bool CDlgBatchOutput::Validate()
{
    BOOL translated = FALSE;
    const int width = int(GetDlgItemInt(IDC_BO_WIDTH, &translated, TRUE));
    const int height = translated ? int(GetDlgItemInt(IDC_BO_HEIGHT, &translated, TRUE)) : 0;
    if (!translated || width <= 0 || height <= 0) {
        Say(L"Invalid Value");
        return false;
    }
    CString folder;
    GetDlgItemText(IDC_BO_FOLDER, folder);
    m_folder = folder.GetString();
    if (IsReadOnlyFolder(m_folder)) {
        Say(L"Folder is readonly");
        return false;
    }
    const int type = static_cast<CComboBox*>(GetDlgItem(IDC_BO_TYPE))->GetCurSel();
    m_settings.fileType = type >= 0 && type < m_typeCount ? type : 0;
    m_settings.maxWidth = width;
    m_settings.maxHeight = height;
    m_settings.quality = std::clamp(int(GetDlgItemInt(IDC_BO_QUALITY, nullptr, FALSE)), 0, 100);
    m_settings.limitSize = IsDlgButtonChecked(IDC_BO_LIMIT) == BST_CHECKED;
    m_settings.overwriteOriginal = IsDlgButtonChecked(IDC_BO_OVERWRITE) == BST_CHECKED ? 1 : 0;
    if (GetDlgItem(IDC_BO_REMOVE_EXIF))
        m_settings.removeExif = IsDlgButtonChecked(IDC_BO_REMOVE_EXIF) == BST_CHECKED;

    m_engine.m_outputFolder = m_folder;
    m_engine.m_maxWidth = width;
    m_engine.m_maxHeight = height;
    m_engine.m_quality = m_settings.quality;
    m_engine.m_limitSize = m_settings.limitSize;
    m_engine.m_removeExif = m_settings.removeExif;
    m_engine.m_outputType = m_settings.fileType;
    m_engine.m_overwriteOriginal = m_settings.overwriteOriginal;
    m_settings.Save(m_profile, m_section);
    return true;
}

void CDlgBatchOutput::OnOK()
{
    if (!Validate())
        return;
    if (m_settings.overwriteOriginal != 1) {
        // A folder that cannot be made would send every picture into nothing.
        if (m_folder.empty() || (!GetLocalFileIO().IsDir(m_folder.c_str()) && !GetLocalFileIO().MakeDirTree(m_folder.c_str()))) {
            Say(L"Fail to create folder");
            return;
        }
    }
    m_engine.m_testOnly = false;
    EndDialog(IDOK);
}

CDlgBatchConvert::CDlgBatchConvert(CBatchEngine& engine, const std::wstring& currentFolder, ProfileStore& profile)
    : CDlgBatchOutput(IDD_BATCH_CONVERT, engine, currentFolder, kConvertSection, kBatchImageTypeCount, L"Convert", profile)
{
}

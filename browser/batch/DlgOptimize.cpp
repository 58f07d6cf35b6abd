#include "DlgOptimize.h"
#include "BatchDialogIds.h"
#include "ZVUILibApp.h"

const OptimizeScheme kOptimizeSchemes[kOptimizeSchemeCount] = {
    {L"Keep the original resolution", 0, false, 0},
    {L"Keep the original resolution and quality", 100, false, 0},
    {L"Limit the resolution in most mobile devices", 0, true, 1200},
    {L"Limit the resolution in most PC devices", 0, true, 1920},
};

BEGIN_MESSAGE_MAP(CDlgOptimize, CDlgBatchOutput)
    ON_CBN_SELCHANGE(IDC_BO_SCHEME, OnScheme)
    ON_BN_CLICKED(IDC_BO_TEST, OnTest)
END_MESSAGE_MAP()

CDlgOptimize::CDlgOptimize(CBatchEngine& engine, const std::wstring& currentFolder, ProfileStore& profile)
    : CDlgBatchOutput(IDD_OPTIMIZE, engine, currentFolder, kOptimizeSection, kOptimizeImageTypeCount, L"Optimize", profile)
{
}

BOOL CDlgOptimize::OnInitDialog()
{
    CDlgBatchOutput::OnInitDialog();
    CComboBox* schemes = static_cast<CComboBox*>(GetDlgItem(IDC_BO_SCHEME));
    for (const OptimizeScheme& scheme : kOptimizeSchemes)
        schemes->AddString(TranslateString(scheme.text));
    // The scheme list starts empty: the stored values need not be one of the schemes.
    GotoDlgCtrl(GetDlgItem(IDOK));
    return FALSE;
}

void CDlgOptimize::OnScheme()
{
    const int index = static_cast<CComboBox*>(GetDlgItem(IDC_BO_SCHEME))->GetCurSel();
    if (index < 0 || index >= kOptimizeSchemeCount)
        return;
    const OptimizeScheme& scheme = kOptimizeSchemes[index];
    m_settings.quality = scheme.quality;
    m_settings.limitSize = scheme.limit;
    if (scheme.limit)
        m_settings.maxWidth = m_settings.maxHeight = scheme.size;
    m_settings.removeExif = false;
    // The type and the destination stay as the user set them.
    const int type = static_cast<CComboBox*>(GetDlgItem(IDC_BO_TYPE))->GetCurSel();
    m_settings.fileType = type >= 0 ? type : 0;
    m_settings.overwriteOriginal = IsDlgButtonChecked(IDC_BO_OVERWRITE) == BST_CHECKED ? 1 : 0;
    if (!scheme.limit) {
        BOOL ok = FALSE;
        const int width = int(GetDlgItemInt(IDC_BO_WIDTH, &ok, TRUE));
        if (ok && width > 0)
            m_settings.maxWidth = width;
        const int height = int(GetDlgItemInt(IDC_BO_HEIGHT, &ok, TRUE));
        if (ok && height > 0)
            m_settings.maxHeight = height;
    }
    ShowSettings();
    RedrawWindow();
}

void CDlgOptimize::OnTest()
{
    if (!Validate())
        return;
    m_engine.m_testOnly = true;
    EndDialog(IDOK);
}

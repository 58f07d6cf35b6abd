#include "BatchDialogsUI.h"
#include "BatchRenameMethod.h"
#include "DlgBatchColor.h"
#include "DlgBatchConvert.h"
#include "DlgBatchRename.h"
#include "DlgBatchReport.h"
#include "DlgBatchRotate.h"
#include "DlgBatchWatermark.h"
#include "DlgOptimize.h"
#include "DlgOptimizeReport.h"
#include "DlgOrganize.h"
#include "ZVUILibApp.h"

std::wstring BatchSamplePicture()
{
    const std::wstring user = GetKQDataFolder(L"Sample\\Sample.webp").GetString();
    if (GetFileAttributesW(user.c_str()) != INVALID_FILE_ATTRIBUTES)
        return user;
    return CModulePathStr(L"Data\\Sample\\Sample.webp").GetString();
}

CBatchDialogsUI::CBatchDialogsUI(ProfileStore& profile) : m_profile(profile) {}

bool CBatchDialogsUI::Convert(CBatchEngine& engine, const std::wstring& currentFolder)
{
    CDlgBatchConvert dialog(engine, currentFolder, m_profile);
    return dialog.DoModal() == IDOK;
}

bool CBatchDialogsUI::Optimize(CBatchEngine& engine, const std::wstring& currentFolder)
{
    CDlgOptimize dialog(engine, currentFolder, m_profile);
    return dialog.DoModal() == IDOK;
}

bool CBatchDialogsUI::Rename()
{
    CDlgBatchRename dialog(BatchRenameMethod(), m_profile);
    return dialog.DoModal() == IDOK;
}

bool CBatchDialogsUI::Organize(CBatchEngine& engine, const std::wstring& currentFolder)
{
    CDlgOrganize dialog(engine, currentFolder);
    return dialog.DoModal() == IDOK;
}

bool CBatchDialogsUI::Watermark(const std::wstring& sample, std::wstring& arguments, std::wstring& tempFile)
{
    CDlgBatchWatermark dialog(sample, m_profile);
    const bool ok = dialog.DoModal() == IDOK;
    arguments = dialog.m_arguments;
    tempFile = dialog.m_tempFile;
    return ok;
}

bool CBatchDialogsUI::Color(const std::wstring& sample, BatchColorValues& values)
{
    CDlgBatchColor dialog(sample);
    if (dialog.DoModal() != IDOK)
        return false;
    values = dialog.m_values;
    return true;
}

bool CBatchDialogsUI::Rotate(const std::wstring& sample, std::wstring& command, std::wstring& arguments)
{
    CDlgBatchRotate dialog(sample);
    if (dialog.DoModal() != IDOK)
        return false;
    command = dialog.m_command;
    arguments = dialog.m_arguments;
    return true;
}

void ShowBatchEndReports(BatchOperation operation, const BatchSummary& summary, const CBatchEngine& engine,
                         CWnd* parent)
{
    if (summary.stopped)
        return;
    if (operation == BatchOperation::Optimize) {
        CDlgOptimizeReport report(engine.m_sizeBefore, engine.m_sizeAfter, engine.m_optimizedCount, parent);
        report.DoModal();
    }
    if (!summary.failures.empty()) {
        CDlgBatchReport report(summary, parent);
        report.DoModal();
    }
}

#include "BatchCommands.h"
#include <cwchar>
#include "BatchRenameMethod.h"
#include "BrowserUtil.h"
#include "ColorOrganizeTasks.h"
#include "ConvertTasks.h"
#include "ZVUILibApp.h"

const BatchOperationInfo kBatchOperations[kBatchOperationCount] = {
    {BatchOperation::Color, ID_BATCH_COLOR, L"Color", L"Color", 341},
    {BatchOperation::Optimize, ID_BATCH_OPTIMIZE, L"Optimize", L"Optimize", 286},
    {BatchOperation::Convert, ID_BATCH_CONVERT, L"Resize && Convert", nullptr, 307},
    {BatchOperation::Organize, ID_BATCH_ORGANIZE, L"Organize", L"Organize", 305},
    {BatchOperation::Watermark, ID_BATCH_WATERMARK, L"Watermark", L"Watermark", 288},
    {BatchOperation::Rename, ID_BATCH_RENAME, L"Rename", L"Rename", 289},
    {BatchOperation::Gray, ID_BATCH_GRAY, L"Gray", L"Gray", 290},
    {BatchOperation::Rotate, ID_BATCH_ROTATE, L"Rotate", L"Rotate", 293},
};

const BatchOperationInfo* FindBatchOperation(UINT command)
{
    for (const BatchOperationInfo& info : kBatchOperations)
        if (info.command == command)
            return &info;
    return nullptr;
}

namespace {

std::wstring WithoutTrailingSlash(std::wstring path)
{
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    const std::wstring x = WithoutTrailingSlash(a), y = WithoutTrailingSlash(b);
    return x.size() == y.size() && IsPathInFolder(x.c_str(), y.c_str());
}

} // namespace

BatchCommands::BatchCommands(BatchCommandHost& host, BatchDialogs& dialogs, std::wstring dataSample)
    : m_host(host), m_dialogs(dialogs), m_dataSample(std::move(dataSample))
{
}

bool BatchCommands::Confirm(const wchar_t* what)
{
    std::wstring text = TranslateString(what);
    text += L"!\n";
    text += TranslateString(L"Do you want to continue ?");
    return m_host.AskYesNo(text.c_str());
}

bool BatchCommands::ConfirmRenameFiles()
{
    return Confirm(L"This operation will rename your files");
}

bool BatchCommands::ConfirmMoveFiles()
{
    return Confirm(L"This operation will move your files");
}

bool BatchCommands::ConfirmModifyFiles()
{
    return Confirm(L"This operation will modify your files");
}

bool BatchCommands::CheckHoverPictureFile()
{
    if (m_host.HasSelection() || m_host.IsHoverItemFile())
        return true;
    m_host.ShowNote(TranslateString(L"Please select a picture file"));
    return false;
}

void BatchCommands::DeselectOutputFolder()
{
    CBatchEngine& engine = m_host.Engine();
    const std::wstring current = WithoutTrailingSlash(m_host.CurrentFolder());
    const std::wstring output = WithoutTrailingSlash(engine.m_outputFolder);
    if (current.empty() || output.size() <= current.size() + 1 || !IsPathInFolder(current.c_str(), output.c_str()))
        return;
    // The list shows the sub-folder of the current folder that holds the output, however deep
    // the output lies in it.
    std::wstring below = output.substr(current.size() + 1);
    const size_t slash = below.find(L'\\');
    if (slash != std::wstring::npos)
        below.resize(slash);
    for (const BatchCommandHost::FolderItem& item : m_host.FolderItems()) {
        if (item.selected && item.text.size() == below.size() && IsPathInFolder(item.text.c_str(), below.c_str())) {
            m_host.DeselectItem(item.index);
            return;
        }
    }
}

std::wstring BatchCommands::SamplePicture()
{
    const std::wstring candidate = m_host.SampleCandidate();
    if (!candidate.empty() && IsFile(candidate))
        return candidate;
    return m_dataSample;
}

bool BatchCommands::WritesOverOriginals(CBatchEngine& engine)
{
    return engine.m_overwriteOriginal == 1 || SameFolder(engine.m_outputFolder, m_host.CurrentFolder());
}

bool BatchCommands::Start(BatchOperation operation, CBatchEngine::BatchTask task)
{
    m_last = operation;
    return m_host.Engine().StartBatchTask(std::move(task));
}

bool BatchCommands::RunFromTile(BatchOperation operation)
{
    if (m_host.IsOnline()) {
        m_host.ShowNote(TranslateString(L"Only support local files"));
        return false;
    }
    if (m_host.Engine().IsOperateDisabled(true))
        return false;
    return Run(operation);
}

bool BatchCommands::Run(BatchOperation operation)
{
    if (!CheckHoverPictureFile())
        return false;
    CBatchEngine& engine = m_host.Engine();
    const std::wstring current = m_host.CurrentFolder();
    switch (operation) {
    case BatchOperation::Optimize:
    case BatchOperation::Convert: {
        const bool optimize = operation == BatchOperation::Optimize;
        if (!(optimize ? m_dialogs.Optimize(engine, current) : m_dialogs.Convert(engine, current)))
            return false;
        if (!(optimize && engine.m_testOnly) && WritesOverOriginals(engine) && !ConfirmModifyFiles())
            return false;
        DeselectOutputFolder();
        engine.m_optimizedCount = 0;
        engine.m_sizeBefore = 0;
        engine.m_sizeAfter = 0;
        if (optimize)
            return Start(operation, [&engine, current](int item, const wchar_t* path) {
                return OptimizeImages(engine, current, item, path);
            });
        return Start(operation, [&engine, current](int item, const wchar_t* path) {
            return ConvertImages(engine, current, item, path);
        });
    }
    case BatchOperation::Rename:
        if (!m_dialogs.Rename() || !ConfirmRenameFiles())
            return false;
        return Start(operation, [](int item, const wchar_t* path) { return BatchRenameMethod().RenameFiles(item, path); });
    case BatchOperation::Organize:
        if (!m_dialogs.Organize(engine, current))
            return false;
        if (engine.m_organizeMove == 1 && !ConfirmRenameFiles())
            return false;
        DeselectOutputFolder();
        return Start(operation, [&engine, current](int item, const wchar_t* path) {
            return OrganizeFiles(engine, current, item, path);
        });
    case BatchOperation::Color: {
        BatchColorValues values;
        if (!m_dialogs.Color(SamplePicture(), values) || values.IsNeutral() || !ConfirmModifyFiles())
            return false;
        engine.m_brightness = values.brightness;
        engine.m_contrast = values.contrast;
        engine.m_saturation = values.saturation;
        engine.m_hue = values.hue;
        return Start(operation, [&engine](int item, const wchar_t* path) { return AdjustColors(engine, item, path); });
    }
    case BatchOperation::Watermark: {
        std::wstring arguments, tempFile;
        const bool ok = m_dialogs.Watermark(SamplePicture(), arguments, tempFile);
        // The run owns the temporary file from here, started or not, so that it is never left.
        engine.m_tempFile = tempFile;
        if (!ok || !ConfirmModifyFiles()) {
            if (!tempFile.empty())
                DeleteFileW(tempFile.c_str());
            engine.m_tempFile.clear();
            return false;
        }
        m_last = operation;
        return engine.StartBatchCommand(L"Watermark", arguments.c_str());
    }
    case BatchOperation::Rotate: {
        std::wstring command, arguments;
        if (!m_dialogs.Rotate(SamplePicture(), command, arguments) || command.empty() || !ConfirmModifyFiles())
            return false;
        m_last = operation;
        return engine.StartBatchCommand(command.c_str(), arguments.empty() ? nullptr : arguments.c_str());
    }
    case BatchOperation::Gray:
        if (!ConfirmModifyFiles())
            return false;
        m_last = operation;
        return engine.StartBatchCommand(L"GrayScale", nullptr);
    }
    return false;
}

RotateCommand RotateCommandOf(RotateChoice choice)
{
    switch (choice) {
    case RotateChoice::Left: return RotateCommand{L"RotaryZoom", L"-90 1 1"};
    case RotateChoice::Right: return RotateCommand{L"RotaryZoom", L"90 1 1"};
    case RotateChoice::Half: return RotateCommand{L"RotaryZoom", L"180 1 1"};
    case RotateChoice::FlipHorizontal: return RotateCommand{L"Mirror", L""};
    case RotateChoice::FlipVertical: return RotateCommand{L"Flip", L""};
    }
    return RotateCommand{L"", L""};
}

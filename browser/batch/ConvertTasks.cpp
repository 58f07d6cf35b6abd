#include "ConvertTasks.h"
#include <windows.h>
#include "BatchEngine.h"
#include "BatchSettings.h"
#include "BrowserUtil.h"
#include "LocalFileIO.h"
#include "PictureType.h"
#include "ZVImage.h"

namespace {

uint64_t FileSizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

// Writes the picture beside target, then takes target's name or the next free tilde name
// without ever replacing what is there. final receives the name taken.
bool SaveToNewName(CZVImage& image, const std::wstring& target, DWORD type, std::wstring& final)
{
    const BrowserString temp = GetLocalFileIO().TempNameBeside(target.c_str());
    if (!image.SaveFile(temp.GetString(), type)) {
        DeleteFileW(temp.GetString());
        return false;
    }
    wchar_t name[MAX_PATH] = {};
    wcsncpy(name, target.c_str(), MAX_PATH - 1);
    const DWORD error = ClaimUniqueName(name, false, [&temp](const wchar_t* candidate) -> DWORD {
        return MoveFileExW(temp.GetString(), candidate, 0) ? ERROR_SUCCESS : GetLastError();
    });
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.GetString());
        return false;
    }
    final = name;
    return true;
}

} // namespace

int AutoQuality(int chosen, int width, int height, int sourceJpegQuality)
{
    int quality = chosen;
    if (quality <= 0) {
        const int larger = width > height ? width : height;
        quality = larger >= 2560 ? 90 : larger >= 1600 ? 80 : larger >= 800 ? 70 : 60;
        if (sourceJpegQuality > 0 && quality > sourceJpegQuality)
            quality = sourceJpegQuality;
    }
    return quality >= 100 ? 0 : quality;
}

bool MakeBatchTargetPath(const std::wstring& source, const std::wstring& currentFolder,
                         const std::wstring& outputFolder, bool overwriteOriginal, const wchar_t* extension,
                         std::wstring& target)
{
    const size_t slash = source.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : source.substr(0, slash);
    const std::wstring name = slash == std::wstring::npos ? source : source.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    const std::wstring title = dot == std::wstring::npos ? name : name.substr(0, dot);

    std::wstring base;
    if (overwriteOriginal) {
        base = folder;
    } else {
        base = outputFolder;
        while (!base.empty() && (base.back() == L'\\' || base.back() == L'/'))
            base.pop_back();
        std::wstring current = currentFolder;
        while (!current.empty() && (current.back() == L'\\' || current.back() == L'/'))
            current.pop_back();
        // Only a folder below the current one is mirrored; the rest goes straight in.
        if (!current.empty() && folder.size() > current.size() && IsPathInFolder(current.c_str(), folder.c_str()))
            base += folder.substr(current.size());
    }
    target = base.empty() ? std::wstring() : base + L"\\";
    target += title;
    target += L".";
    target += extension;
    return target.size() < MAX_PATH;
}

BatchItemResult SaveOptimizedImage(CBatchEngine& engine, const wchar_t* source, const std::wstring& target)
{
    const bool inPlace = SamePath(source, target);
    CZVImage image;
    // Decode just large enough to cover the limit; the resample below makes the exact size.
    // The larger side bounds both: a photo turned upright afterwards swaps its sides.
    if (engine.m_limitSize) {
        const DWORD side = DWORD(engine.m_maxWidth > engine.m_maxHeight ? engine.m_maxWidth : engine.m_maxHeight);
        image.SetShrinkOnLoad(side, side, true);
    }
    if (!image.LoadFile(source))
        return BatchItemResult::Failed(L"The picture cannot be read");
    const uint64_t sourceSize = FileSizeOf(source); // before an in-place save replaces it
    // Only the first frame is written: rewriting an animation in place would lose the rest.
    if (inPlace && image.GetNumFrames() > 1)
        return BatchItemResult::Failed(L"The picture has several frames and was left as it is");
    const bool jpegSource = image.GetType() == CXIMAGE_FORMAT_JPG;
    if (engine.m_removeExif) {
        // Without its orientation tag a turned photo would lie on its side.
        image.RotateExif();
        image.DisableEXIF();
    }
    if (engine.m_limitSize && !image.ResampleInFrame(engine.m_maxWidth, engine.m_maxHeight))
        return BatchItemResult::Failed(L"The picture cannot be resized");

    if (BatchImageTypeHasQuality(engine.m_outputType)) {
        const int quality = AutoQuality(engine.m_quality, int(image.GetWidth()), int(image.GetHeight()),
                                        jpegSource ? image.GetJpegQuality() : 0);
        if (quality > 0)
            image.SetJpegQuality(BYTE(quality));
    }
    const std::wstring folder = FolderOf(target);
    if (!folder.empty() && !GetLocalFileIO().IsDir(folder.c_str()) && !GetLocalFileIO().MakeDirTree(folder.c_str()))
        return BatchItemResult::Failed(L"The output folder cannot be created");

    const DWORD type = DWORD(BatchImageTypeAt(engine.m_outputType).code);
    std::wstring written = target;
    const bool saved = inPlace ? image.SaveFile(target.c_str(), type) : SaveToNewName(image, target, type, written);
    if (!saved)
        return BatchItemResult::Failed(L"The picture cannot be written");
    engine.m_sizeBefore += sourceSize;
    engine.m_sizeAfter += FileSizeOf(written);
    ++engine.m_optimizedCount;
    return BatchItemResult::Done();
}

namespace {

BatchItemResult RunPictureTask(CBatchEngine& engine, const std::wstring& currentFolder, const wchar_t* path,
                               const wchar_t* extension)
{
    engine.m_refreshIcon = false;
    const bool overwrite = engine.m_overwriteOriginal == 1;
    // "photo.JPEG" rewritten as JPG stays itself rather than gaining a "photo.jpg" beside it.
    if (overwrite && GetTypeFromFileName(path) == BatchImageTypeAt(engine.m_outputType).code)
        return SaveOptimizedImage(engine, path, path);
    std::wstring target;
    if (!MakeBatchTargetPath(path, currentFolder, engine.m_outputFolder, overwrite, extension, target))
        return BatchItemResult::Failed(L"The target path is too long");
    return SaveOptimizedImage(engine, path, target);
}

} // namespace

BatchItemResult ConvertImages(CBatchEngine& engine, const std::wstring& currentFolder, int, const wchar_t* path)
{
    if (!path) {
        engine.Host().PostFolderReload(1, currentFolder);
        return BatchItemResult::Done();
    }
    return RunPictureTask(engine, currentFolder, path, BatchImageTypeAt(engine.m_outputType).extension);
}

BatchItemResult OptimizeImages(CBatchEngine& engine, const std::wstring& currentFolder, int, const wchar_t* path)
{
    const wchar_t* extension = engine.m_outputType == 1 ? L"webp" : L"jpg";
    if (!path) {
        if (!engine.m_testOnly)
            engine.Host().PostFolderReload(1, currentFolder);
        return BatchItemResult::Done();
    }
    if (!engine.m_testOnly)
        return RunPictureTask(engine, currentFolder, path, extension);

    engine.m_refreshIcon = false;
    engine.m_deselectDone = false;
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return BatchItemResult::Failed(L"No temporary folder");
    std::wstring target = folder;
    if (!target.empty() && target.back() == L'\\')
        target.pop_back();
    // A name of its own per picture: several test runs, or browsers, may measure at once.
    target += L"\\_KQOptimized_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
              std::to_wstring(GetCurrentThreadId()) + L"." + extension;
    DeleteFileW(target.c_str());
    const BatchItemResult result = SaveOptimizedImage(engine, path, target);
    DeleteFileW(target.c_str());
    return result;
}

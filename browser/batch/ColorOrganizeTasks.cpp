#include "ColorOrganizeTasks.h"
#include <windows.h>
#include "BatchEngine.h"
#include "BrowserUtil.h"
#include "LocalFileIO.h"
#include "PhotoDate.h"
#include "PictureType.h"
#include "ZVImage.h"

BatchItemResult AdjustColors(CBatchEngine& engine, int, const wchar_t* path)
{
    if (!path)
        return BatchItemResult::Done();
    CZVImage image;
    if (!image.LoadFile(path))
        return BatchItemResult::Failed(L"The picture cannot be read");
    if (image.GetNumFrames() > 1)
        return BatchItemResult::Failed(L"The picture has several frames and was left as it is");
    if (engine.m_brightness != 0 || engine.m_contrast != 0)
        image.EffectBrightnessContrast(engine.m_brightness, engine.m_contrast);
    if (engine.m_saturation != 0 || engine.m_hue != 0)
        image.EffectHueSaturation(engine.m_hue, engine.m_saturation);
    // Written beside and put in the file's place in one step.
    if (!image.SaveFile(path, DWORD(GetTypeFromFileName(path))))
        return BatchItemResult::Failed(L"The picture cannot be written");
    return BatchItemResult::Done();
}

bool OrganizeFolderFor(const wchar_t* path, int organizeBy, std::wstring& subFolder)
{
    subFolder.clear();
    wchar_t text[64];
    if (organizeBy == 1) {
        CZVImage image;
        // The smallest decode the type allows: only the declared size is wanted.
        image.SetShrinkOnLoad(1, 1);
        if (!image.LoadFile(path) || image.GetOriginalWidth() == 0 || image.GetOriginalHeight() == 0)
            return false;
        swprintf(text, 64, L"\\%lux%lu", static_cast<unsigned long>(image.GetOriginalWidth()),
                 static_cast<unsigned long>(image.GetOriginalHeight()));
    } else {
        CTime taken;
        if (!GetPhotoDateEx(path, taken))
            return false;
        struct tm local;
        if (!taken.GetLocalTm(&local))
            return false;
        swprintf(text, 64, L"\\%04d\\%02d", local.tm_year + 1900, local.tm_mon + 1);
    }
    subFolder = text;
    return true;
}

BatchItemResult OrganizeFiles(CBatchEngine& engine, const std::wstring& currentFolder, int, const wchar_t* path)
{
    engine.m_refreshIcon = false;
    if (!path) {
        engine.Host().PostFolderReload(0, currentFolder);
        return BatchItemResult::Done();
    }
    std::wstring subFolder;
    if (!OrganizeFolderFor(path, engine.m_organizeBy, subFolder))
        return BatchItemResult::Failed(engine.m_organizeBy == 1 ? L"The picture size cannot be read"
                                                                : L"The picture has no date");
    std::wstring folder = engine.m_outputFolder;
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    folder += subFolder;
    if (!GetLocalFileIO().IsDir(folder.c_str()) && !GetLocalFileIO().MakeDirTree(folder.c_str()))
        return BatchItemResult::Failed(L"The folder cannot be created");
    const wchar_t* slash = wcsrchr(path, L'\\');
    const std::wstring full = folder + L"\\" + (slash ? slash + 1 : path);
    if (full.size() >= MAX_PATH)
        return BatchItemResult::Failed(L"The target path is too long");
    wchar_t target[MAX_PATH] = {};
    wcsncpy(target, full.c_str(), MAX_PATH - 1);
    // A move to another volume copies whole before it deletes the source.
    const DWORD error = engine.m_organizeMove == 1 ? MoveToUniqueName(path, target) : CopyToUniqueName(path, target);
    if (error != ERROR_SUCCESS)
        return BatchItemResult::Failed(L"The file cannot be copied or moved");
    BatchItemResult done = BatchItemResult::Done();
    if (engine.m_organizeMove == 1)
        done.newPath = target;
    return done;
}

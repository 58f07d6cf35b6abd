#include "ColorOrganizeTasks.h"
#include <windows.h>
#include <cstring>
#include "BatchEngine.h"
#include "BrowserUtil.h"
#include "LocalFileIO.h"
#include "PhotoDate.h"
#include "PictureType.h"
#include "Win32Owners.h"
#include "ZVImage.h"

namespace {

unsigned Le16(const BYTE* p) { return p[0] | (p[1] << 8); }
unsigned Be16(const BYTE* p) { return (p[0] << 8) | p[1]; }
unsigned Le24(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16); }
unsigned Be32(const BYTE* p) { return (unsigned(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

// Walks the JPEG markers up to the first frame header; only the markers' lengths are read.
bool JpegSize(HANDLE file, unsigned& width, unsigned& height)
{
    DWORD offset = 2;
    for (int markers = 0; markers < 1000; ++markers) {
        BYTE head[9];
        DWORD read = 0;
        if (SetFilePointer(file, LONG(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !ReadFile(file, head, sizeof head, &read, nullptr) || read < 4 || head[0] != 0xFF)
            return false;
        const BYTE marker = head[1];
        if (marker == 0xFF) { // fill byte
            ++offset;
            continue;
        }
        const unsigned length = Be16(head + 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (read < 9)
                return false;
            height = Be16(head + 5);
            width = Be16(head + 7);
            return width && height;
        }
        if (marker == 0xD9 || marker == 0xDA || length < 2)
            return false;
        offset += 2 + length;
    }
    return false;
}

} // namespace

bool ReadPictureHeaderSize(const wchar_t* path, unsigned& width, unsigned& height)
{
    width = height = 0;
    win32::FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid())
        return false;
    BYTE h[32] = {};
    DWORD read = 0;
    if (!ReadFile(file.Get(), h, sizeof h, &read, nullptr) || read < 26)
        return false;
    if (h[0] == 0xFF && h[1] == 0xD8)
        return JpegSize(file.Get(), width, height);
    if (memcmp(h, "\x89PNG\r\n\x1a\n", 8) == 0 && memcmp(h + 12, "IHDR", 4) == 0) {
        width = Be32(h + 16);
        height = Be32(h + 20);
    } else if (memcmp(h, "GIF8", 4) == 0) {
        width = Le16(h + 6);
        height = Le16(h + 8);
    } else if (h[0] == 'B' && h[1] == 'M') {
        width = Le16(h + 18) | (Le16(h + 20) << 16);
        const int rows = int(Le16(h + 22) | (Le16(h + 24) << 16));
        height = unsigned(rows < 0 ? -rows : rows); // negative: stored top-down
    } else if (memcmp(h, "RIFF", 4) == 0 && memcmp(h + 8, "WEBP", 4) == 0 && read >= 30) {
        if (memcmp(h + 12, "VP8X", 4) == 0) {
            width = Le24(h + 24) + 1;
            height = Le24(h + 27) + 1;
        } else if (memcmp(h + 12, "VP8L", 4) == 0 && h[20] == 0x2F) {
            const unsigned bits = h[21] | (h[22] << 8) | (h[23] << 16) | (unsigned(h[24]) << 24);
            width = (bits & 0x3FFF) + 1;
            height = ((bits >> 14) & 0x3FFF) + 1;
        } else if (memcmp(h + 12, "VP8 ", 4) == 0 && h[23] == 0x9D && h[24] == 0x01 && h[25] == 0x2A) {
            width = Le16(h + 26) & 0x3FFF;
            height = Le16(h + 28) & 0x3FFF;
        }
    }
    return width && height;
}

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
        unsigned width = 0, height = 0;
        if (!ReadPictureHeaderSize(path, width, height)) {
            // Other types: the smallest decode the library allows.
            CZVImage image;
            image.SetShrinkOnLoad(1, 1);
            if (!image.LoadFile(path))
                return false;
            width = image.GetOriginalWidth();
            height = image.GetOriginalHeight();
            if (!width || !height)
                return false;
        }
        swprintf(text, 64, L"\\%ux%u", width, height);
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

#include "ZipArchive.h"
#include <cstring>
#include <cwctype>
#include "LocalFileIO.h"

namespace {

const DWORD kBlock = 4096;
// Entry names are read into a buffer of this size; a longer name is refused, never cut.
const uLong kMaxNameBytes = 259;
const size_t kMaxPathChars = MAX_PATH - 1;
const int kUtf8Flag = 2048;

// The DOS date and time of a file's last write, in local time; 0 when it cannot be had.
uLong DosTimeOf(HANDLE file)
{
    FILETIME written, local;
    WORD date, time;
    if (!GetFileTime(file, nullptr, nullptr, &written) || !FileTimeToLocalFileTime(&written, &local) ||
        !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (uLong(date) << 16) | time;
}

// minizip cannot open an archive without entries: its end record stands at offset 0, which its
// search takes for "not found". Such an archive is exactly that record, all zeros after the mark.
bool IsEmptyArchive(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ScopeGuard closeFile(CloseHandle, file);
    const char expected[22] = {'P', 'K', 5, 6};
    char bytes[sizeof(expected) + 1];
    DWORD read = 0;
    return ReadFile(file, bytes, sizeof(bytes), &read, nullptr) && read == sizeof(expected) &&
           std::memcmp(bytes, expected, sizeof(expected)) == 0;
}

} // namespace

std::string WideToMultiByte(const std::wstring& text, UINT codePage)
{
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* usedDefault = utf8 ? nullptr : &lossy;
    const int length = WideCharToMultiByte(codePage, flags, text.c_str(), -1, nullptr, 0, nullptr, usedDefault);
    if (length <= 0 || lossy)
        return std::string();
    std::string out(size_t(length), '\0');
    if (WideCharToMultiByte(codePage, flags, text.c_str(), -1, &out[0], length, nullptr, usedDefault) != length || lossy)
        return std::string();
    out.resize(size_t(length) - 1);
    return out;
}

std::wstring MultiByteToWide(const std::string& text, UINT codePage)
{
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring out(size_t(length), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.c_str(), -1, &out[0], length) != length)
        return std::wstring();
    out.resize(size_t(length) - 1);
    return out;
}

BOOL ZipAddFile(zipFile archive, const wchar_t* entryName, const wchar_t* filePath, bool utf8, int level)
{
    const DWORD attributes = GetFileAttributesW(filePath);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    HANDLE file = CreateFileW(filePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    ScopeGuard closeFile(CloseHandle, file);

    zip_fileinfo info = {};
    info.dosDate = DosTimeOf(file);
    info.external_fa = attributes;
    const std::string name = WideToMultiByte(entryName, utf8 ? CP_UTF8 : CP_ACP);
    if (name.empty())
        return FALSE;
    // Level 9 makes minizip set the general-purpose bit that marks maximum compression; level 0
    // stores the entry.
    const int method = level == 0 ? 0 : Z_DEFLATED;
    if (zipOpenNewFileInZip4_64(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method, level, 0,
                                -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, utf8 ? kUtf8Flag : 0,
                                0) != ZIP_OK)
        return FALSE;
    ScopeGuard closeEntry(zipCloseFileInZip, archive);
    if (folder)
        return TRUE;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return FALSE;
    char buffer[kBlock];
    for (LONGLONG left = size.QuadPart; left > 0;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, DWORD(left < kBlock ? left : kBlock), &read, nullptr) || read == 0)
            return FALSE;
        if (zipWriteInFileInZip(archive, buffer, read) < 0)
            return FALSE;
        left -= read;
    }
    closeEntry.Dismiss();
    return zipCloseFileInZip(archive) == ZIP_OK;
}

BOOL ZipAddFolder(zipFile archive, const wchar_t* prefix, const wchar_t* pattern, bool utf8, int level)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return FALSE;
    ScopeGuard closeFind(FindClose, find);
    const std::wstring patternText = pattern;
    const size_t slash = patternText.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : patternText.substr(0, slash + 1);
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring entry = prefix + name;
        const std::wstring path = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!ZipAddFile(archive, (entry + L"/").c_str(), path.c_str(), utf8, level) ||
                !ZipAddFolder(archive, (entry + L"/").c_str(), (path + L"\\*").c_str(), utf8, level))
                return FALSE;
        } else if (!ZipAddFile(archive, entry.c_str(), path.c_str(), utf8, level)) {
            return FALSE;
        }
    } while (FindNextFileW(find, &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

BOOL ZipFolder(const wchar_t* pattern, const wchar_t* archivePath, int level)
{
    if (!pattern || !archivePath)
        return FALSE;
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    // The W functions take the path as it is: it never passes through the ANSI code page.
    zipFile archive = zipOpen2_64(archivePath, APPEND_STATUS_CREATE, nullptr, &io);
    if (!archive)
        return FALSE;
    const BOOL added = ZipAddFolder(archive, L"", pattern, true, level);
    const bool closed = zipClose(archive, nullptr) == ZIP_OK;
    if (added && closed)
        return TRUE;
    DeleteFileW(archivePath);
    return FALSE;
}

bool IsSafeEntryName(const std::wstring& name)
{
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"};
    if (name.empty() || name[0] == L'/' || name[0] == L'\\')
        return false;
    size_t begin = 0;
    while (begin < name.size()) {
        size_t end = name.find_first_of(L"/\\", begin);
        if (end == std::wstring::npos)
            end = name.size();
        const std::wstring segment = name.substr(begin, end - begin);
        if (segment.empty() || segment.back() == L'.' || segment.back() == L' ')
            return false;
        for (wchar_t c : segment)
            if (c < 0x20 || c == 0x7F || c == L':')
                return false;
        // A device name stays one with an extension ("NUL.txt") or trailing blanks ("NUL .txt").
        std::wstring stem = segment.substr(0, segment.find(L'.'));
        while (!stem.empty() && stem.back() == L' ')
            stem.pop_back();
        for (wchar_t& c : stem)
            c = wchar_t(std::towupper(c));
        for (const wchar_t* device : kDevices)
            if (stem == device)
                return false;
        if (stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
            ((stem[3] >= L'0' && stem[3] <= L'9') || stem[3] == 0xB9 || stem[3] == 0xB2 || stem[3] == 0xB3))
            return false;
        begin = end + 1;
    }
    return true;
}

namespace {

// Bytes that one extraction may still write.
struct UnzipBudget {
    uint64_t maxEntryBytes;
    uint64_t leftTotal;
};

BOOL UnzipCurrentEntry(unzFile archive, const std::wstring& folder, UnzipBudget& budget)
{
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.size_filename == 0 || info.size_filename > kMaxNameBytes)
        return FALSE;
    char rawName[kMaxNameBytes + 1] = {};
    if (unzGetCurrentFileInfo64(archive, &info, rawName, sizeof(rawName), nullptr, 0, nullptr, 0) != UNZ_OK ||
        std::strlen(rawName) != info.size_filename)
        return FALSE;
    const std::wstring name = MultiByteToWide(rawName, (info.flag & kUtf8Flag) ? CP_UTF8 : CP_ACP);
    if (!IsSafeEntryName(name) || folder.size() + name.size() > kMaxPathChars)
        return FALSE;
    // A stated size is only a first check; the bytes are counted as they come.
    if (info.uncompressed_size > budget.maxEntryBytes || info.uncompressed_size > budget.leftTotal)
        return FALSE;

    std::wstring path = folder;
    size_t begin = 0;
    for (size_t end; (end = name.find_first_of(L"/\\", begin)) != std::wstring::npos; begin = end + 1) {
        path += name.substr(begin, end - begin);
        path += L'\\';
        CreateDirectoryW(path.c_str(), nullptr);
    }
    if (begin == name.size())
        return TRUE;
    path += name.substr(begin);

    if (unzOpenCurrentFile(archive) != UNZ_OK)
        return FALSE;
    ScopeGuard closeEntry(unzCloseCurrentFile, archive);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    bool done = false;
    {
        ScopeGuard closeFile(CloseHandle, file);
        char buffer[kBlock];
        uint64_t written = 0;
        for (;;) {
            const int read = unzReadCurrentFile(archive, buffer, kBlock);
            if (read < 0)
                break;
            if (read == 0) {
                // The CRC is checked when the entry is closed.
                closeEntry.Dismiss();
                if (unzCloseCurrentFile(archive) != UNZ_OK)
                    break;
                FILETIME local, stamp;
                done = DosDateTimeToFileTime(HIWORD(info.dosDate), LOWORD(info.dosDate), &local) &&
                       LocalFileTimeToFileTime(&local, &stamp) && SetFileTime(file, &stamp, &stamp, &stamp);
                break;
            }
            written += uint64_t(read);
            if (written > budget.maxEntryBytes || uint64_t(read) > budget.leftTotal)
                break;
            budget.leftTotal -= uint64_t(read);
            DWORD put = 0;
            if (!WriteFile(file, buffer, DWORD(read), &put, nullptr) || put != DWORD(read))
                break;
        }
    }
    if (!done)
        DeleteFileW(path.c_str());
    return done ? TRUE : FALSE;
}

std::wstring WithSeparator(const wchar_t* folder)
{
    std::wstring out = folder;
    if (out.empty() || out.back() != L'\\')
        out += L'\\';
    return out;
}

} // namespace

BOOL UnzipEntry(unzFile archive, const wchar_t* folder)
{
    if (!archive || !folder)
        return FALSE;
    const UnzipLimits limits;
    UnzipBudget budget = {limits.maxEntryBytes, limits.maxTotalBytes};
    return UnzipCurrentEntry(archive, WithSeparator(folder), budget);
}

BOOL UnzipToFolder(const wchar_t* archivePath, const wchar_t* folder, const UnzipLimits& limits)
{
    if (!archivePath || !folder || !*folder)
        return FALSE;
    // A fresh folder: everything in it is ours to remove when the archive is refused.
    if (GetFileAttributesW(folder) != INVALID_FILE_ATTRIBUTES)
        return FALSE;
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    unzFile archive = unzOpen2_64(archivePath, &io);
    if (!archive)
        return IsEmptyArchive(archivePath) && CreateDirectoryW(folder, nullptr) ? TRUE : FALSE;
    ScopeGuard closeArchive(unzClose, archive);
    unz_global_info64 global;
    if (unzGetGlobalInfo64(archive, &global) != UNZ_OK || global.number_entry > limits.maxEntries)
        return FALSE;
    if (!CreateDirectoryW(folder, nullptr))
        return FALSE;
    const std::wstring root = WithSeparator(folder);
    UnzipBudget budget = {limits.maxEntryBytes, limits.maxTotalBytes};
    ULARGE_INTEGER freeBytes;
    if (GetDiskFreeSpaceExW(root.c_str(), &freeBytes, nullptr, nullptr) && freeBytes.QuadPart < budget.leftTotal)
        budget.leftTotal = freeBytes.QuadPart;

    bool ok = true;
    uint64_t count = 0;
    if (global.number_entry > 0) {
        int step = unzGoToFirstFile(archive);
        for (; ok && step == UNZ_OK; step = unzGoToNextFile(archive))
            ok = ++count <= limits.maxEntries && count <= global.number_entry &&
                 UnzipCurrentEntry(archive, root, budget);
        ok = ok && step == UNZ_END_OF_LIST_OF_FILE && count == global.number_entry;
    }
    if (ok)
        return TRUE;
    GetLocalFileIO().DeleteTree(folder, false);
    return FALSE;
}

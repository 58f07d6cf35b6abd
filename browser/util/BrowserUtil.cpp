#include "BrowserUtil.h"
#include <climits>
#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>
#include "FileIO.h"
#include "FormatPrintf.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "ShellService.h"

namespace {

// A name search gives up after this many numbers: a folder holding thousands of "name~N" is
// damage or an attack, and every try costs a look at the disk.
const int kMaxUniqueTries = 10000;
// A number longer than this after a tilde is part of the name, not a counter.
const int kMaxCounterDigits = 9;

bool NameTaken(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// The pieces of "folder\stem~N.ext"; folder keeps no trailing backslash.
struct NameParts {
    std::wstring folder;
    bool hasFolder = false;
    std::wstring stem;
    std::wstring extension;
    bool hasExtension = false;
    long first = 1;
};

NameParts SplitForNumbering(std::wstring path)
{
    NameParts parts;
    const size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) {
        parts.hasFolder = true;
        parts.folder = path.substr(0, slash);
        path.erase(0, slash + 1);
    }
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring::npos) {
        parts.hasExtension = true;
        parts.extension = path.substr(dot + 1);
        path.erase(dot);
    }
    // "name~3" goes on counting from 4.
    size_t digits = 0;
    while (digits < path.size() && iswdigit(path[path.size() - 1 - digits]))
        ++digits;
    const size_t tilde = path.size() - digits;
    if (digits > 0 && digits <= size_t(kMaxCounterDigits) && tilde > 0 && path[tilde - 1] == L'~') {
        parts.first = wcstol(path.c_str() + tilde, nullptr, 10) + 1;
        path.erase(tilde - 1);
    }
    parts.stem = path;
    return parts;
}

std::wstring NumberedName(const NameParts& parts, long number)
{
    std::wstring name;
    if (parts.hasFolder)
        name = parts.folder + L'\\';
    name += parts.stem + L'~' + std::to_wstring(number);
    if (parts.hasExtension)
        name += L'.' + parts.extension;
    return name;
}

UNIQUE_NAME_RES MakeUniqueName(wchar_t* path, bool folder)
{
    if (!path)
        return UNIQUE_NAME_NO_ROOM;
    std::wstring start(path, wcsnlen(path, MAX_PATH));
    if (start.empty() || start.size() >= size_t(MAX_PATH))
        return UNIQUE_NAME_NO_ROOM;
    if (!NameTaken(start.c_str()))
        return UNIQUE_NAME_FREE;
    if (folder)
        while (start.size() > 1 && start.back() == L'\\')
            start.pop_back();
    const NameParts parts = SplitForNumbering(start);
    for (long number = parts.first, tries = 0; tries < kMaxUniqueTries && number > 0; ++number, ++tries) {
        const std::wstring name = NumberedName(parts, number);
        if (name.size() >= size_t(MAX_PATH))
            return UNIQUE_NAME_NO_ROOM; // longer numbers only make it longer
        if (!NameTaken(name.c_str())) {
            wmemcpy(path, name.c_str(), name.size() + 1);
            return UNIQUE_NAME_CHANGED;
        }
    }
    return UNIQUE_NAME_NO_ROOM;
}

DWORD LastErrorOr(bool ok)
{
    return ok ? ERROR_SUCCESS : GetLastError();
}

} // namespace

int FormatSizeText64(bool exact, wchar_t* out, uint64_t size)
{
    if (!out)
        return 0;
    // No file comes near 2^63 bytes; the signed helpers take the size from here on.
    const int64_t bytes = size > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(size);
    FormatFileSize(bytes, out);
    if (exact) {
        wchar_t digits[kSizeTextCapacity];
        SizeText(digits, bytes);
        const size_t length = wcslen(out);
        _snwprintf(out + length, 256 - length, L" (%ls)", digits);
        out[255] = 0;
    }
    return int(wcslen(out));
}

void SizeText(wchar_t* out, int64_t value)
{
    if (!out)
        return;
    // The magnitude as unsigned, so that the most negative value has one too.
    uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    wchar_t reversed[kSizeTextCapacity];
    int n = 0;
    for (int group = 0;; ++group) {
        if (group > 0 && group % 3 == 0)
            reversed[n++] = L',';
        reversed[n++] = wchar_t(L'0' + magnitude % 10);
        magnitude /= 10;
        if (magnitude == 0)
            break;
    }
    if (value < 0)
        reversed[n++] = L'-';
    for (int i = 0; i < n; ++i)
        out[i] = reversed[n - 1 - i];
    out[n] = 0;
}

bool IsPathInFolder(const wchar_t* folder, const wchar_t* path)
{
    if (!folder || !path)
        return false;
    const size_t folderLength = wcslen(folder);
    const size_t pathLength = wcslen(path);
    if (folderLength == 0 || folderLength > pathLength || folderLength > size_t(INT_MAX))
        return false;
    if (CompareStringOrdinal(folder, int(folderLength), path, int(folderLength), TRUE) != CSTR_EQUAL)
        return false;
    // A folder written with its backslash ("C:\") already ends where a name begins.
    return path[folderLength] == 0 || path[folderLength] == L'\\' || folder[folderLength - 1] == L'\\';
}

UNIQUE_NAME_RES MakeUniqueFileName(wchar_t* path)
{
    return MakeUniqueName(path, false);
}

UNIQUE_NAME_RES MakeUniqueDirName(wchar_t* path)
{
    return MakeUniqueName(path, true);
}

DWORD ClaimUniqueName(wchar_t* path, bool folder, const std::function<DWORD(const wchar_t* name)>& claim)
{
    DWORD answer = ERROR_FILE_EXISTS;
    for (int tries = 0; tries < kMaxUniqueTries; ++tries) {
        if (MakeUniqueName(path, folder) == UNIQUE_NAME_NO_ROOM)
            return ERROR_FILENAME_EXCED_RANGE;
        answer = claim(path);
        // Taken between the look and the claim: the next search sees it and counts past it.
        if (answer != ERROR_FILE_EXISTS && answer != ERROR_ALREADY_EXISTS)
            return answer;
    }
    return answer;
}

DWORD CopyToUniqueName(const wchar_t* source, wchar_t* target)
{
    return ClaimUniqueName(target, false, [source](const wchar_t* name) {
        return LastErrorOr(CopyFileW(source, name, TRUE) != 0);
    });
}

DWORD MoveToUniqueName(const wchar_t* source, wchar_t* target)
{
    return ClaimUniqueName(target, false, [source](const wchar_t* name) {
        return LastErrorOr(MoveFileExW(source, name, MOVEFILE_COPY_ALLOWED) != 0);
    });
}

DWORD CreateUniqueDir(wchar_t* path)
{
    return ClaimUniqueName(path, true, [](const wchar_t* name) {
        return LastErrorOr(CreateDirectoryW(name, nullptr) != 0);
    });
}

bool ShellFileOperation(SHFILEOPSTRUCTW& op, const wchar_t* destination, const PathSet& sources, bool move, bool renameOnCollision)
{
    if (!destination || sources.GetCount() == 0)
        return false;
    const size_t destinationLength = wcslen(destination);
    if (destinationLength >= size_t(MAX_PATH))
        return false;
    // Both lists end in two terminators.
    std::vector<wchar_t> to(destination, destination + destinationLength);
    to.insert(to.end(), 2, L'\0');
    std::vector<wchar_t> from;
    for (PathSet::Iter it = sources.Begin(); !it.IsEnd(); it.Next()) {
        const BrowserString& path = it.GetKey();
        from.insert(from.end(), path.GetString(), path.GetString() + path.GetLength());
        from.push_back(L'\0');
    }
    from.push_back(L'\0');
    op.fFlags |= FOF_NOERRORUI;
    if (renameOnCollision)
        op.fFlags |= FOF_RENAMEONCOLLISION;
    // Each source gets its own target, in pairs, for a move of several files (Wine's shell gives
    // up moving them into one folder) and where a name is taken: not every shell renames on a
    // collision (Wine's refuses a copy onto the file itself), so the free "name~N" is made here.
    bool collided = false;
    if (renameOnCollision)
        for (PathSet::Iter it = sources.Begin(); !it.IsEnd() && !collided; it.Next()) {
            std::wstring target(destination);
            if (!target.empty() && target.back() != L'\\')
                target += L'\\';
            collided = GetFileAttributesW((target + GetFileNamePart(it.GetKey().GetString())).c_str()) != INVALID_FILE_ATTRIBUTES;
        }
    if ((move && sources.GetCount() > 1) || collided) {
        std::vector<wchar_t> pairs;
        for (PathSet::Iter it = sources.Begin(); !it.IsEnd(); it.Next()) {
            std::wstring target(destination);
            if (!target.empty() && target.back() != L'\\')
                target += L'\\';
            target += GetFileNamePart(it.GetKey().GetString());
            if (target.size() >= size_t(MAX_PATH))
                return false;
            wchar_t name[MAX_PATH] = {};
            wcscpy(name, target.c_str());
            if (renameOnCollision && GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES &&
                MakeUniqueFileName(name) != UNIQUE_NAME_CHANGED)
                return false;
            pairs.insert(pairs.end(), name, name + wcslen(name));
            pairs.push_back(L'\0');
        }
        pairs.push_back(L'\0');
        to.swap(pairs);
        op.fFlags |= FOF_MULTIDESTFILES;
    }
    op.wFunc = move ? FO_MOVE : FO_COPY;
    op.pFrom = from.data();
    op.pTo = to.data();
    const bool ok = zvui::Shell().FileOperation(op) == 0;
    // The lists die here; the record must not point at them.
    op.pFrom = nullptr;
    op.pTo = nullptr;
    return ok;
}

bool CopyMoveFile(SHFILEOPSTRUCTW& op, const wchar_t* destination, const wchar_t* source, bool move)
{
    if (!source)
        return false;
    PathSet one;
    one.Insert(BrowserString(source));
    return ShellFileOperation(op, destination, one, move, true);
}

bool DeletePathList(PathList& paths)
{
    bool all = true;
    for (PathList::Iter it = paths.Begin(); it != paths.End(); it.Next())
        if (!it->IsEmpty() && GetLocalFileIO().GetAttr(it->GetString()) != FILEIO_ATTR_INVALID)
            all = GetLocalFileIO().DeletePath(it->GetString()) && all;
    paths.RemoveAll();
    return all;
}

win32::RegKey OpenWallpaperMergeKey()
{
    win32::RegKey key;
    key.Create(HKEY_CURRENT_USER,
               L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Wallpapers\\KnownFolders\\0\\Windows Wallpapers\\MergeFolders",
               KEY_ALL_ACCESS);
    return key;
}

void AddWallpaperMergeFolder(const wchar_t* folder)
{
    win32::RegKey key = OpenWallpaperMergeKey();
    if (key.IsValid() && folder)
        RegSetValueExW(key.Get(), folder, 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), 0);
}

bool ReadBackgroundMusic0(BrowserString& out)
{
    return RegQueryString(L"HKCU\\Software\\Lumivo\\LumivoShows\\Browse\\BGMusic0", out, nullptr);
}

int AppendFormatA(char* buffer, size_t capacity, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list counting;
    va_copy(counting, args);
    const int count = FormatPrintf(nullptr, format, counting);
    va_end(counting);
    int result = count;
    if (buffer) {
        const size_t used = strnlen(buffer, capacity);
        if (count < 0 || used >= capacity || size_t(count) >= capacity - used)
            result = -1;
        else
            FormatPrintf(buffer + used, format, args);
    }
    va_end(args);
    return result;
}

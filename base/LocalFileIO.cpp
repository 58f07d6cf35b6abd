#include "LocalFileIO.h"
#include "PathFunc.h"
#include "Win32Owners.h"
#include "WStr.h"

namespace {

// Windows refuses such paths without long-path support; Wine would take them, so the limit is
// kept here to behave the same on both.
bool TooLong(const wchar_t* path, int limit = MAX_PATH)
{
    return !path || WStrLen(path) >= limit;
}

// CreateDirectoryW leaves room for an 8.3 name below the folder.
const int kMaxFolderPath = MAX_PATH - 12;

// Attribute-only access is not blocked by other programs' sharing modes; folders need the
// backup-semantics flag to be opened at all.
HANDLE OpenForAttributes(const wchar_t* path, DWORD access)
{
    if (TooLong(path))
        return INVALID_HANDLE_VALUE;
    return CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

uint32_t LibraryAttributes(DWORD system, bool withCompressed)
{
    uint32_t bits = 0;
    if (system & FILE_ATTRIBUTE_READONLY)
        bits |= FILEIO_ATTR_READONLY;
    if (system & FILE_ATTRIBUTE_HIDDEN)
        bits |= FILEIO_ATTR_HIDDEN;
    if (system & FILE_ATTRIBUTE_SYSTEM)
        bits |= FILEIO_ATTR_SYSTEM;
    if (system & FILE_ATTRIBUTE_DIRECTORY)
        bits |= FILEIO_ATTR_DIR;
    if (withCompressed && (system & FILE_ATTRIBUTE_COMPRESSED))
        bits |= FILEIO_ATTR_COMPRESSED;
    return bits;
}

void FillEntry(ST_FindData& data)
{
    const WIN32_FIND_DATAW& found = *data.system;
    WStrCopyN(data.name, found.cFileName, MAX_PATH);
    data.attributes = LibraryAttributes(found.dwFileAttributes, false);
    data.size = int64_t((uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
}

// Windows refuses to overwrite a read-only file by copying or renaming; Wine would not, so
// the rule is kept here.
bool IsReadOnlyFile(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDriveRoot(const wchar_t* path)
{
    const int length = WStrLen(path);
    return (length == 2 || (length == 3 && path[2] == L'\\')) && path[1] == L':';
}

} // namespace

bool CLocalFileIO::Open(const wchar_t* path, HANDLE& handle, DWORD flags)
{
    handle = INVALID_HANDLE_VALUE;
    if (TooLong(path))
        return false;
    const DWORD access = (flags & FILEIO_READWRITE) ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const DWORD share = FILE_SHARE_READ | ((flags & FILEIO_SHARE_WRITE) ? FILE_SHARE_WRITE : 0);
    handle = CreateFileW(path, access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

bool CLocalFileIO::Create(const wchar_t* path, HANDLE& handle, DWORD flags)
{
    handle = INVALID_HANDLE_VALUE;
    if (TooLong(path))
        return false;
    const DWORD share = ((flags & FILEIO_SHARE_READ) ? FILE_SHARE_READ : 0) | ((flags & FILEIO_SHARE_WRITE) ? FILE_SHARE_WRITE : 0);
    const DWORD disposition = (flags & FILEIO_READWRITE) ? CREATE_ALWAYS : CREATE_NEW;
    handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

// Missing parents first; false when the folder cannot be made or exists already.
bool CLocalFileIO::MakeDir(const wchar_t* path)
{
    if (TooLong(path, kMaxFolderPath))
        return false;
    ALT::TString<wchar_t, 0, 8> parent;
    parent.Reserve(WStrLen(path) + 1, nullptr);
    if (GetParentFolderTrimmed(path, parent.GetBuffer()) > 0 && !IsDir(parent.GetBuffer()))
        MakeDir(parent.GetBuffer());
    return CreateDirectoryW(path, nullptr) != FALSE;
}

// A path too long to be made is refused before any of its parents is.
bool CLocalFileIO::MakeDirTree(const wchar_t* path)
{
    if (TooLong(path, kMaxFolderPath))
        return false;
    return CFileIO::MakeDirTree(path);
}

bool CLocalFileIO::Close(HANDLE handle)
{
    return handle != INVALID_HANDLE_VALUE && CloseHandle(handle) != FALSE;
}

DWORD CLocalFileIO::Read(HANDLE handle, void* buffer, DWORD count)
{
    DWORD read = 0;
    if (!ReadFile(handle, buffer, count, &read, nullptr))
        return 0;
    return read;
}

DWORD CLocalFileIO::ReadAt(HANDLE handle, void* buffer, DWORD count, int64_t offset)
{
    if (Seek(handle, offset, 0) == -1)
        return 0;
    return Read(handle, buffer, count);
}

DWORD CLocalFileIO::Write(HANDLE handle, const void* buffer, DWORD count)
{
    DWORD written = 0;
    if (!WriteFile(handle, buffer, count, &written, nullptr))
        return 0;
    return written;
}

DWORD CLocalFileIO::WriteAt(HANDLE handle, const void* buffer, DWORD count, int64_t offset)
{
    if (Seek(handle, offset, 0) == -1)
        return 0;
    return Write(handle, buffer, count);
}

int64_t CLocalFileIO::Seek(HANDLE handle, int64_t offset, int origin)
{
    static const DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (origin < 0 || origin > 2)
        return -1;
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle, distance, &position, kMethods[origin]))
        return -1;
    return position.QuadPart;
}

int64_t CLocalFileIO::GetSize(HANDLE handle)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle, &size))
        return -1;
    return size.QuadPart;
}

bool CLocalFileIO::SetSize(HANDLE handle, int64_t size)
{
    return Seek(handle, size, 0) != -1 && SetEndOfFile(handle) != FALSE;
}

bool CLocalFileIO::Copy(const wchar_t* source, const wchar_t* target)
{
    return !TooLong(source) && !TooLong(target) && !IsReadOnlyFile(target) && CopyFileW(source, target, FALSE) != FALSE;
}

bool CLocalFileIO::Delete(const wchar_t* path)
{
    return !TooLong(path) && DeleteFileW(path) != FALSE;
}

bool CLocalFileIO::Move(const wchar_t* source, const wchar_t* target)
{
    return !TooLong(source) && !TooLong(target) && MoveFileW(source, target) != FALSE;
}

bool CLocalFileIO::GetTimes(const wchar_t* path, FILETIME* modified, FILETIME* created, FILETIME* accessed)
{
    win32::FileHandle file(OpenForAttributes(path, FILE_READ_ATTRIBUTES));
    return file.IsValid() && GetFileTime(file.Get(), created, accessed, modified) != FALSE;
}

bool CLocalFileIO::GetHandleTime(HANDLE handle, FILETIME* modified)
{
    return handle != INVALID_HANDLE_VALUE && GetFileTime(handle, nullptr, nullptr, modified) != FALSE;
}

bool CLocalFileIO::SetTimes(const wchar_t* path, const FILETIME* modified, const FILETIME* created, const FILETIME* accessed)
{
    win32::FileHandle file(OpenForAttributes(path, FILE_WRITE_ATTRIBUTES));
    return file.IsValid() && SetFileTime(file.Get(), created, accessed, modified) != FALSE;
}

// A drive root whose attributes cannot be read (an empty card reader) still counts as a folder.
bool CLocalFileIO::IsDir(const wchar_t* path)
{
    if (TooLong(path))
        return false;
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!IsDriveRoot(path))
        return false;
    const wchar_t root[4] = {path[0], L':', L'\\', 0};
    return GetDriveTypeW(root) != DRIVE_NO_ROOT_DIR;
}

bool CLocalFileIO::RemoveDir(const wchar_t* path)
{
    return !TooLong(path) && RemoveDirectoryW(path) != FALSE;
}

uint32_t CLocalFileIO::GetAttr(const wchar_t* path)
{
    if (TooLong(path))
        return FILEIO_ATTR_INVALID;
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FILEIO_ATTR_INVALID;
    return LibraryAttributes(attributes, true);
}

// A folder named without wildcards lists its entries. A record still holding a search (its
// FindClose forgotten) is closed first rather than leaked.
bool CLocalFileIO::FindFirst(const wchar_t* path, ST_FindData& data)
{
    if (data.system)
        FindClose(data);
    data.name[0] = 0;
    ALT::TString<wchar_t, 0, 8> pattern(path);
    if (!WStrFindChar(path, L'*') && !WStrFindChar(path, L'?') && IsDir(path))
        pattern = Join(path, L"*");
    if (TooLong(pattern.GetBuffer()))
        return false;
    data.system = new WIN32_FIND_DATAW();
    data.search = FindFirstFileW(pattern.GetBuffer(), data.system);
    if (data.search == INVALID_HANDLE_VALUE) {
        delete data.system;
        data.system = nullptr;
        return false;
    }
    FillEntry(data);
    return true;
}

bool CLocalFileIO::FindNext(ST_FindData& data)
{
    if (data.search == INVALID_HANDLE_VALUE || !data.system || !FindNextFileW(data.search, data.system)) {
        data.name[0] = 0;
        return false;
    }
    FillEntry(data);
    return true;
}

bool CLocalFileIO::FindClose(ST_FindData& data)
{
    const bool searching = data.search != INVALID_HANDLE_VALUE;
    if (searching)
        ::FindClose(data.search);
    delete data.system;
    data.system = nullptr;
    data.search = INVALID_HANDLE_VALUE;
    data.name[0] = 0;
    return searching;
}

void CLocalFileIO::Flush(HANDLE handle)
{
    FlushFileBuffers(handle);
}

bool CLocalFileIO::Touch(const wchar_t* path, bool creationToo)
{
    win32::FileHandle file(OpenForAttributes(path, FILE_WRITE_ATTRIBUTES));
    if (!file.IsValid())
        return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetFileTime(file.Get(), creationToo ? &now : nullptr, &now, &now);
    return true;
}

bool CLocalFileIO::Exists(const wchar_t* path)
{
    if (TooLong(path))
        return false;
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CLocalFileIO::Replace(const wchar_t* source, const wchar_t* target)
{
    return !TooLong(source) && !TooLong(target) && !IsReadOnlyFile(target) &&
           MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

CLocalFileIO& GetLocalFileIO()
{
    static CLocalFileIO instance;
    return instance;
}

#include "FileIO.h"
#include <atomic>
#include <cwchar>
#include <memory>
#include "MD5.h"
#include "PathFunc.h"
#include "WStr.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> WString;

// A handle of a CFileIO, closed on scope exit unless closed before.
class ScopedFile {
public:
    explicit ScopedFile(CFileIO* io) : m_io(io) {}
    ~ScopedFile() { Close(); }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    bool Open(const wchar_t* path, DWORD flags) { return m_open = m_io->Open(path, m_handle, flags); }
    bool Create(const wchar_t* path, DWORD flags) { return m_open = m_io->Create(path, m_handle, flags); }
    HANDLE Get() const { return m_handle; }
    bool Close()
    {
        if (!m_open)
            return false;
        m_open = false;
        return m_io->Close(m_handle);
    }

private:
    CFileIO* m_io;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_open = false;
};

// An enumeration ended on scope exit.
class ScopedFind {
public:
    explicit ScopedFind(CFileIO* io) : m_io(io) {}
    ~ScopedFind()
    {
        if (m_open)
            m_io->FindClose(m_data);
    }
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;
    bool First(const wchar_t* path) { return m_open = m_io->FindFirst(path, m_data); }
    bool Next() { return m_io->FindNext(m_data); }
    const ST_FindData& Data() const { return m_data; }
    // "." and ".." are listed like any entry; the tree operations skip them.
    bool IsDots() const
    {
        const wchar_t* n = m_data.name;
        return n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0));
    }
    // A junction or symbolic link to a folder: its target lies outside the tree.
    bool IsLink() const
    {
        return m_data.system && (m_data.system->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }

private:
    CFileIO* m_io;
    ST_FindData m_data;
    bool m_open = false;
};

bool IsWild(const wchar_t* text)
{
    return WStrFindChar(text, L'*') || WStrFindChar(text, L'?');
}

// True when path lies inside folder (case-insensitive, as Windows paths compare).
bool IsInside(const wchar_t* path, const wchar_t* folder)
{
    const int length = WStrLen(folder);
    if (length == 0 || WStrLen(path) <= length)
        return false;
    for (int i = 0; i < length; ++i)
        if (towlower(path[i]) != towlower(folder[i]))
            return false;
    return folder[length - 1] == L'\\' || path[length] == L'\\';
}

XSCAN_RES CallAlways0(CFileIO*, const wchar_t*, unsigned long, void*)
{
    return XSCAN_CONTINUE;
}

XSCAN_RES CollectFolderName(CFileIO*, const wchar_t* path, unsigned long size, void* context)
{
    if (size != 0xFFFFFFFFul)
        return XSCAN_SKIP;
    auto* names = static_cast<ALT::TMap<WString, ALT::ALT_EMPTY_STRUCT>*>(context);
    names->Insert(GetFileNamePart(path));
    return XSCAN_CONTINUE;
}

int PrintSize(wchar_t* text, int capacity, const wchar_t* format, double value)
{
    const int n = std::swprintf(text, size_t(capacity), format, value);
    if (n < 0 || n >= capacity) { // a cut size text would misstate the size
        text[0] = 0;
        return 0;
    }
    return n;
}

int PrintSize(wchar_t* text, int capacity, const wchar_t* format, int value)
{
    const int n = std::swprintf(text, size_t(capacity), format, value);
    if (n < 0 || n >= capacity) { // a cut size text would misstate the size
        text[0] = 0;
        return 0;
    }
    return n;
}

} // namespace

CFileIO::CFileIO() : m_separator{'\\', 0}
{
}

CFileIO::~CFileIO() = default;

bool CFileIO::Open(const wchar_t*, HANDLE&, DWORD) { return false; }
bool CFileIO::Create(const wchar_t*, HANDLE&, DWORD) { return false; }
bool CFileIO::MakeDir(const wchar_t*) { return false; }
bool CFileIO::Close(HANDLE) { return false; }
DWORD CFileIO::Read(HANDLE, void*, DWORD) { return 0; }
DWORD CFileIO::ReadAt(HANDLE, void*, DWORD, int64_t) { return 0; }
DWORD CFileIO::Write(HANDLE, const void*, DWORD) { return 0; }
DWORD CFileIO::WriteAt(HANDLE, const void*, DWORD, int64_t) { return 0; }
int64_t CFileIO::Seek(HANDLE, int64_t, int) { return 0; }
int64_t CFileIO::GetSize(HANDLE) { return 0; }
bool CFileIO::SetSize(HANDLE, int64_t) { return false; }
bool CFileIO::Copy(const wchar_t*, const wchar_t*) { return false; }
bool CFileIO::Delete(const wchar_t*) { return false; }
bool CFileIO::Move(const wchar_t*, const wchar_t*) { return false; }
bool CFileIO::GetTimes(const wchar_t*, FILETIME*, FILETIME*, FILETIME*) { return false; }
bool CFileIO::SetTimes(const wchar_t*, const FILETIME*, const FILETIME*, const FILETIME*) { return false; }
bool CFileIO::GetHandleTime(HANDLE, FILETIME*) { return false; }
bool CFileIO::IsDir(const wchar_t*) { return false; }
bool CFileIO::RemoveDir(const wchar_t*) { return false; }
uint32_t CFileIO::GetAttr(const wchar_t*) { return FILEIO_ATTR_INVALID; }
void CFileIO::Flush(HANDLE) {}
bool CFileIO::Touch(const wchar_t*, bool) { return false; }

bool CFileIO::FindFirst(const wchar_t*, ST_FindData& data)
{
    data.name[0] = 0;
    return false;
}

bool CFileIO::FindNext(ST_FindData& data)
{
    data.name[0] = 0;
    return false;
}

bool CFileIO::FindClose(ST_FindData& data)
{
    data.name[0] = 0;
    return false;
}

// The separator goes between folder and name unless the folder ends with it; a name without
// folder stays as it is.
WString CFileIO::Join(const wchar_t* folder, const wchar_t* name) const
{
    WString path(folder);
    const int length = path.GetLength();
    if (length > 0 && path.GetBuffer()[length - 1] != wchar_t(m_separator[0])) {
        const wchar_t separator[2] = {wchar_t(m_separator[0]), 0};
        path.AppendStr(separator);
    }
    path.AppendStr(name);
    return path;
}

// Every prefix up to a backslash, and the whole path, is made unless it is a folder already or a
// bare server prefix (\\server), which cannot be made.
bool CFileIO::MakeDirTree(const wchar_t* path)
{
    const int length = WStrLen(path);
    if (length == 0)
        return false;
    int start = 0;
    while (path[start] == L'\\')
        ++start;
    for (int i = start; i <= length; ++i) {
        if (i < length && path[i] != L'\\')
            continue;
        if (i == start)
            continue;
        WString prefix;
        prefix.Reserve(i + 1, path);
        const bool serverPrefix = start == 2 && !WStrFindChar(prefix.GetBuffer() + 2, L'\\');
        if (serverPrefix || IsDir(prefix.GetBuffer()))
            continue;
        if (!MakeDir(prefix.GetBuffer()))
            return false;
    }
    return true;
}

WString CFileIO::GetFileMD5Str(const wchar_t* path)
{
    WString text;
    GetFileMD5(path, text);
    return text;
}

// The file is hashed in pieces, so its size is not limited by the memory free for one block.
int64_t CFileIO::GetFileMD5(const wchar_t* path, WString& text)
{
    text.Free();
    ScopedFile file(this);
    if (!file.Open(path, 0))
        return 0;
    const int64_t size = GetSize(file.Get());
    if (size <= 0)
        return 0;
    MD5_CTX context;
    MD5Init(&context);
    const DWORD kPiece = 1 << 20;
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    for (int64_t done = 0; done < size;) {
        const DWORD want = size - done < kPiece ? DWORD(size - done) : kPiece;
        const DWORD got = Read(file.Get(), buffer.get(), want);
        if (got == 0)
            return 0; // a file that cannot be read whole has no digest
        MD5Update(&context, buffer.get(), got);
        done += got;
    }
    uint8_t digest[16];
    MD5Final(digest, &context);
    char hex[33];
    MD5DigestText(digest, hex);
    wchar_t wide[33];
    WStrWidenCopy(wide, hex);
    text.AssignStr(wide);
    return size;
}

ALT::TString<wchar_t, 0, 8> CFileIO::TempNameBeside(const wchar_t* path) const
{
    static std::atomic<unsigned> serial{0};
    WString folder;
    folder.Reserve(WStrLen(path) + 1, nullptr);
    PathFindLastSlash(path, folder.GetBuffer());
    WString temp;
    const unsigned id = serial++;
    if (folder.GetBuffer()[0])
        temp.Format(L"%s\\~%x-%x.tmp", folder.GetBuffer(), GetCurrentProcessId(), id);
    else
        temp.Format(L"~%x-%x.tmp", GetCurrentProcessId(), id);
    return temp;
}

// The data goes to a temporary file beside the target, which replaces the target only when
// every byte was written: a failed write leaves the old file as it was.
bool CFileIO::WriteWholeFile(const wchar_t* path, const void* data, DWORD count)
{
    const WString temp = TempNameBeside(path);
    ScopedFile file(this);
    if (!file.Create(temp.GetBuffer(), FILEIO_READWRITE | FILEIO_SHARE_READ))
        return false;
    const DWORD written = count ? WriteAt(file.Get(), data, count, 0) : 0;
    Flush(file.Get());
    const bool closed = file.Close();
    if (written == count && closed && Replace(temp.GetBuffer(), path))
        return true;
    Delete(temp.GetBuffer());
    return false;
}

// Count 0 reads the whole file: the buffer must then hold all of it.
DWORD CFileIO::ReadWholeFile(const wchar_t* path, void* buffer, DWORD count)
{
    ScopedFile file(this);
    if (!buffer || !file.Open(path, FILEIO_SHARE_READ))
        return 0;
    if (count == 0) {
        const int64_t size = GetSize(file.Get());
        if (size <= 0)
            return 0;
        count = size < int64_t(MAXDWORD) ? DWORD(size) : MAXDWORD;
    }
    return ReadAt(file.Get(), buffer, count, 0);
}

// A drive name (C: or C:\) gives the drive's capacity, anything else the file's size.
int64_t CFileIO::GetPathSize(const wchar_t* path)
{
    const int length = WStrLen(path);
    if ((length == 2 || length == 3) && path[1] == L':') {
        const wchar_t root[4] = {path[0], L':', L'\\', 0};
        ULARGE_INTEGER total;
        if (!GetDiskFreeSpaceExW(root, nullptr, &total, nullptr))
            return -1;
        return int64_t(total.QuadPart);
    }
    ScopedFile file(this);
    if (!file.Open(path, 0))
        return -1;
    return GetSize(file.Get());
}

// Whole mebibytes above 1024 give gigabytes, whole kibibytes from 1024 megabytes (so exactly
// 1 GiB reads 1024.00M), in single precision as the lists always showed.
int CFileIO::FormatSize(int64_t size, wchar_t* text, int capacity)
{
    if (!text || capacity < 1)
        return 0;
    const int64_t mebibytes = size >> 20;
    const int64_t kibibytes = size >> 10;
    if (mebibytes > 1024)
        return PrintSize(text, capacity, L"%.2fG", double(float(mebibytes) / 1024.0f));
    if (kibibytes >= 1024)
        return PrintSize(text, capacity, L"%.2fM", double(float(kibibytes) / 1024.0f));
    if (kibibytes >= 1)
        return PrintSize(text, capacity, L"%dK", int(kibibytes));
    return PrintSize(text, capacity, L"<1K", 0);
}

int64_t CFileIO::FormatPathSize(const wchar_t* path, wchar_t* text, int capacity)
{
    if (text && capacity > 0)
        text[0] = 0;
    const int64_t size = GetPathSize(path);
    if (size != -1)
        FormatSize(size, text, capacity);
    return size;
}

bool CFileIO::Exists(const wchar_t* path)
{
    ScopedFile file(this);
    return file.Open(path, 0);
}

// Files that cannot be deleted do not stop the work but make the answer false (the folder is
// not empty then). A link to a folder is removed itself: what it points to lies outside.
bool CFileIO::DeleteTree(const wchar_t* folder, bool keepFolder)
{
    bool all = true;
    {
        ScopedFind find(this);
        if (find.First(Join(folder, L"*").GetBuffer())) {
            do {
                if (find.IsDots())
                    continue;
                const WString entry = Join(folder, find.Data().name);
                if (find.Data().attributes & FILEIO_ATTR_DIR) {
                    const bool removed = find.IsLink() ? RemoveDir(entry.GetBuffer()) : DeleteTree(entry.GetBuffer(), false);
                    if (!removed)
                        return false;
                } else if (!Delete(entry.GetBuffer())) {
                    all = false;
                }
            } while (find.Next());
        } else {
            all = false; // missing or unreadable: even an empty folder lists "."
        }
    }
    if (keepFolder)
        return all;
    return RemoveDir(folder);
}

bool CFileIO::DeletePath(const wchar_t* path)
{
    return IsDir(path) ? DeleteTree(path, false) : Delete(path);
}

// A copy of a tree into itself would never end.
bool CFileIO::CopyTree(const wchar_t* source, const wchar_t* target)
{
    if (!IsDir(source))
        return Copy(source, target);
    if (IsInside(target, source))
        return false;
    if (!IsDir(target) && !MakeDir(target))
        return false;
    ScopedFind find(this);
    if (!find.First(Join(source, L"*").GetBuffer()))
        return false;
    do {
        if (find.IsDots())
            continue;
        const WString from = Join(source, find.Data().name);
        const WString to = Join(target, find.Data().name);
        if (!CopyTree(from.GetBuffer(), to.GetBuffer()))
            return false;
    } while (find.Next());
    return true;
}

// A pattern in the last part of path (a ";" list allowed) filters files by name; folders are
// walked whatever their names. The answer counts the files whose callback answered 0.
int CFileIO::XScan(const wchar_t* path, XScanCallback callback, void* context, bool recurse, int* stop, bool reportFolders)
{
    if (!callback)
        callback = CallAlways0;
    int localStop = 0;
    if (!stop)
        stop = &localStop;

    WString folder(path);
    const wchar_t* pattern = nullptr;
    const wchar_t* name = GetFileNamePart(path);
    if (name && IsWild(name)) {
        pattern = name;
        folder.Reserve(int(name - path), path); // the text before the last backslash
    } else if (!IsDir(path) && Exists(path)) {
        const int64_t size = GetPathSize(path);
        return callback(this, path, static_cast<unsigned long>(size), context) == XSCAN_CONTINUE ? 1 : 0;
    }

    int count = 0;
    ScopedFind find(this);
    if (!find.First(folder.GetLength() ? folder.GetBuffer() : path))
        return 0;
    do {
        if (find.IsDots())
            continue;
        const ST_FindData& entry = find.Data();
        const WString full = Join(folder.GetBuffer(), entry.name);
        if (entry.attributes & FILEIO_ATTR_DIR) {
            XSCAN_RES answer = XSCAN_CONTINUE;
            if (reportFolders) {
                answer = callback(this, full.GetBuffer(), 0xFFFFFFFFul, context);
                if (answer == XSCAN_STOP) {
                    *stop = 1;
                    break;
                }
            }
            if (recurse && answer == XSCAN_CONTINUE) {
                const WString sub = pattern ? Join(full.GetBuffer(), pattern) : full;
                count += XScan(sub.GetBuffer(), callback, context, recurse, stop, reportFolders);
                if (*stop == 1)
                    break;
            }
        } else {
            // The name is matched, not the full path, so "IMG*.jpg" works as well as "*.jpg".
            if (pattern && !MatchWildcardList(pattern, entry.name))
                continue;
            const XSCAN_RES answer = callback(this, full.GetBuffer(), static_cast<unsigned long>(entry.size), context);
            if (answer == XSCAN_STOP) {
                *stop = 1;
                break;
            }
            if (answer == XSCAN_CONTINUE)
                ++count;
        }
    } while (find.Next());
    return count;
}

int CFileIO::GetSubFolderNames(const wchar_t* folder, ALT::TMap<WString, ALT::ALT_EMPTY_STRUCT>& names)
{
    XScan(folder, CollectFolderName, &names, false, nullptr, true);
    return names.GetCount();
}

// Here made of the primitives, so a file store without its own replace still works: the
// target is deleted, then the source takes its name.
bool CFileIO::Replace(const wchar_t* source, const wchar_t* target)
{
    if (Exists(target) && !Delete(target))
        return false;
    return Move(source, target);
}

int WideToAnsi(const wchar_t* text, char* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    if (!text)
        return 0;
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, capacity, nullptr, nullptr);
    if (n <= 0) {
        buffer[0] = 0; // a text that did not fit may have been written in part
        return 0;
    }
    return n - 1;
}

int AnsiToWide(const char* text, wchar_t* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    if (!text)
        return 0;
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, capacity);
    if (n <= 0) {
        buffer[0] = 0;
        return 0;
    }
    return n - 1;
}

void FormatFileSize(int64_t size, wchar_t* text)
{
    if (!text)
        return;
    const int capacity = 256;
    const int64_t kibibytes = size >> 10;
    if (size == 0)
        PrintSize(text, capacity, L"0", 0);
    else if (kibibytes >= 1048576)
        PrintSize(text, capacity, L"%.2fG", double(kibibytes) / 1048576.0);
    else if (kibibytes >= 1024)
        PrintSize(text, capacity, L"%.2fM", double(kibibytes) / 1024.0);
    else if (kibibytes < 1)
        PrintSize(text, capacity, L"1K", 0);
    else
        PrintSize(text, capacity, L"%dK", int(kibibytes));
}

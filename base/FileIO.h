#pragma once
// CFileIO: the file-system interface that all file access goes through. The primitives are
// virtual and fail here; CLocalFileIO implements them on Win32. The composite operations
// (whole files, folder trees, the folder walk, MD5 and size texts) are built on the primitives.
// Failure is a result: false, 0, or all bits set for sizes, positions and attributes.
#include <windows.h>
#include <cstdint>
#include "TMap.h"
#include "TString.h"
#include "ZVUILibDef.h"

// Library attribute bits; FILEIO_ATTR_INVALID means missing or unreadable.
enum : uint32_t {
    FILEIO_ATTR_READONLY = 1,
    FILEIO_ATTR_HIDDEN = 2,
    FILEIO_ATTR_SYSTEM = 4,
    FILEIO_ATTR_DIR = 16,
    FILEIO_ATTR_COMPRESSED = 32, // from GetAttr only
    FILEIO_ATTR_INVALID = 0xFFFFFFFF,
};

// Open: read and write access, else read only; Create: replace an existing file, else fail.
const DWORD FILEIO_READWRITE = 1;
// Create: others may read while the file is open.
const DWORD FILEIO_SHARE_READ = 0x10000;
// Open: others may read and write, else only read; Create: others may write.
const DWORD FILEIO_SHARE_WRITE = 0x20000;

// The answer of a folder-walk callback.
enum XSCAN_RES {
    XSCAN_CONTINUE = 0, // go on; a folder just reported is entered
    XSCAN_STOP = 1,     // end the whole walk
    XSCAN_SKIP = 2,     // a folder is not entered, a file not counted
};

class CFileIO;
// size: the low 32 bits of a file's size, all bits set for a folder.
typedef XSCAN_RES (*XScanCallback)(CFileIO* io, const wchar_t* path, unsigned long size, void* context);

// One entry of an enumeration, from FindFirst to FindClose.
struct ST_FindData {
    wchar_t name[MAX_PATH] = {};
    uint32_t attributes = 0;
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW* system = nullptr; // owned: made by FindFirst, freed by FindClose
    int64_t size = 0;
};

class ZVUILIB_API CFileIO {
public:
    CFileIO();

    virtual bool Open(const wchar_t* path, HANDLE& handle, DWORD flags);
    virtual bool Create(const wchar_t* path, HANDLE& handle, DWORD flags);
    virtual bool MakeDir(const wchar_t* path);
    virtual bool MakeDirTree(const wchar_t* path);
    virtual bool Close(HANDLE handle);
    virtual DWORD Read(HANDLE handle, void* buffer, DWORD count);
    virtual DWORD ReadAt(HANDLE handle, void* buffer, DWORD count, int64_t offset);
    virtual DWORD Write(HANDLE handle, const void* buffer, DWORD count);
    virtual DWORD WriteAt(HANDLE handle, const void* buffer, DWORD count, int64_t offset);
    virtual int64_t Seek(HANDLE handle, int64_t offset, int origin);
    virtual int64_t GetSize(HANDLE handle);
    virtual bool SetSize(HANDLE handle, int64_t size);
    virtual bool Copy(const wchar_t* source, const wchar_t* target);
    virtual bool Delete(const wchar_t* path);
    virtual bool Move(const wchar_t* source, const wchar_t* target);
    virtual bool GetTimes(const wchar_t* path, FILETIME* modified, FILETIME* created, FILETIME* accessed);
    virtual bool SetTimes(const wchar_t* path, const FILETIME* modified, const FILETIME* created, const FILETIME* accessed);
    virtual bool IsDir(const wchar_t* path);
    virtual bool RemoveDir(const wchar_t* path);
    virtual uint32_t GetAttr(const wchar_t* path);
    virtual bool FindFirst(const wchar_t* path, ST_FindData& data);
    virtual bool FindNext(ST_FindData& data);
    virtual bool FindClose(ST_FindData& data);
    virtual void Flush(HANDLE handle);
    virtual bool Touch(const wchar_t* path, bool creationToo);
    virtual ALT::TString<wchar_t, 0, 8> GetFileMD5Str(const wchar_t* path);
    virtual int64_t GetFileMD5(const wchar_t* path, ALT::TString<wchar_t, 0, 8>& text);
    virtual bool WriteWholeFile(const wchar_t* path, const void* data, DWORD count);
    virtual DWORD ReadWholeFile(const wchar_t* path, void* buffer, DWORD count);
    virtual int64_t GetPathSize(const wchar_t* path);
    virtual int FormatSize(int64_t size, wchar_t* text, int capacity);
    virtual int64_t FormatPathSize(const wchar_t* path, wchar_t* text, int capacity);
    virtual bool Exists(const wchar_t* path);
    virtual bool DeleteTree(const wchar_t* folder, bool keepFolder);
    virtual bool DeletePath(const wchar_t* path);
    virtual bool CopyTree(const wchar_t* source, const wchar_t* target);
    virtual int XScan(const wchar_t* path, XScanCallback callback, void* context, bool recurse, int* stop, bool reportFolders);
    virtual int GetSubFolderNames(const wchar_t* folder, ALT::TMap<ALT::TString<wchar_t, 0, 8>, ALT::ALT_EMPTY_STRUCT>& names);
    // Puts source in target's place in one step, replacing target (used by WriteWholeFile).
    virtual bool Replace(const wchar_t* source, const wchar_t* target);
    // The last-write time of an open file: the times of a file being read without a second open.
    virtual bool GetHandleTime(HANDLE handle, FILETIME* modified);
    // A name for a temporary file beside path (in the current folder for a bare name), new
    // for each call in this process; nothing is created. Writers put it in place with Replace.
    ALT::TString<wchar_t, 0, 8> TempNameBeside(const wchar_t* path) const;
    virtual ~CFileIO();

protected:
    ALT::TString<wchar_t, 0, 8> Join(const wchar_t* folder, const wchar_t* name) const;

    char m_separator[2];
};

// Conversions through the ANSI code page; the length without terminator, 0 on failure.
ZVUILIB_API int WideToAnsi(const wchar_t* text, char* buffer, int capacity);
ZVUILIB_API int AnsiToWide(const char* text, wchar_t* buffer, int capacity);
// The size text of the picture lists; text holds 256 characters.
ZVUILIB_API void FormatFileSize(int64_t size, wchar_t* text);

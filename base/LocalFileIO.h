#pragma once
#include "FileIO.h"

// The Win32 file system. Paths of MAX_PATH characters or more are refused, as Windows does
// without long-path support (Wine would take them).
class ZVUILIB_API CLocalFileIO : public CFileIO {
public:
    bool Open(const wchar_t* path, HANDLE& handle, DWORD flags) override;
    bool Create(const wchar_t* path, HANDLE& handle, DWORD flags) override;
    bool MakeDir(const wchar_t* path) override;
    bool Close(HANDLE handle) override;
    DWORD Read(HANDLE handle, void* buffer, DWORD count) override;
    DWORD ReadAt(HANDLE handle, void* buffer, DWORD count, int64_t offset) override;
    DWORD Write(HANDLE handle, const void* buffer, DWORD count) override;
    DWORD WriteAt(HANDLE handle, const void* buffer, DWORD count, int64_t offset) override;
    int64_t Seek(HANDLE handle, int64_t offset, int origin) override;
    int64_t GetSize(HANDLE handle) override;
    bool SetSize(HANDLE handle, int64_t size) override;
    bool Copy(const wchar_t* source, const wchar_t* target) override;
    bool Delete(const wchar_t* path) override;
    bool Move(const wchar_t* source, const wchar_t* target) override;
    bool GetTimes(const wchar_t* path, FILETIME* modified, FILETIME* created, FILETIME* accessed) override;
    bool SetTimes(const wchar_t* path, const FILETIME* modified, const FILETIME* created, const FILETIME* accessed) override;
    bool IsDir(const wchar_t* path) override;
    bool RemoveDir(const wchar_t* path) override;
    uint32_t GetAttr(const wchar_t* path) override;
    bool FindFirst(const wchar_t* path, ST_FindData& data) override;
    bool FindNext(ST_FindData& data) override;
    bool FindClose(ST_FindData& data) override;
    void Flush(HANDLE handle) override;
    bool Touch(const wchar_t* path, bool creationToo) override;
    bool Exists(const wchar_t* path) override;
    bool Replace(const wchar_t* source, const wchar_t* target) override;
    bool GetHandleTime(HANDLE handle, FILETIME* modified) override;
    bool MakeDirTree(const wchar_t* path) override;
};

// The module's one default file system, made on first use.
ZVUILIB_API CLocalFileIO& GetLocalFileIO();

#pragma once
// Packing a folder into a zip archive and unpacking one into a fresh folder, on minizip. Paths
// reach the file system as wide strings only. Unpacking takes archives from anywhere (mail,
// downloads) and refuses any that could write outside its folder or fill the disk.
#include <windows.h>
#include <cstdint>
#include <string>
#include <tuple>
#include <minizip/unzip.h>
#include <minizip/zip.h>

// minizip's Win32 file functions for wide paths (its own header does not compile with this zlib).
extern "C" void fill_win32_filefunc64W(zlib_filefunc64_def* functions);

// Calls a function with its arguments at scope exit unless dismissed; swallows its exceptions.
template <typename Function, typename... Arguments>
class ScopeGuard {
public:
    ScopeGuard(Function function, Arguments... arguments) : m_function(function), m_arguments(arguments...) {}
    ~ScopeGuard()
    {
        if (m_dismissed)
            return;
        try {
            std::apply(m_function, m_arguments);
        } catch (...) {
        }
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    void Dismiss() { m_dismissed = true; }

private:
    bool m_dismissed = false;
    Function m_function;
    std::tuple<Arguments...> m_arguments;
};

// Win32 conversions of whole strings; "" on any failure, characters the code page cannot hold
// included.
std::string WideToMultiByte(const std::wstring& text, UINT codePage);
std::wstring MultiByteToWide(const std::string& text, UINT codePage);

// What one extraction may write. Tests lower them.
struct UnzipLimits {
    uint64_t maxEntries = 10000;
    uint64_t maxEntryBytes = uint64_t(1) << 30;
    uint64_t maxTotalBytes = uint64_t(4) << 30;
};

// pattern: a folder, a backslash and a wildcard ("C:\Temp\Project\*.*"). Names are relative to
// the folder, in UTF-8. FALSE deletes the archive. level: the Deflate level of every entry; 0
// stores them (pictures that are compressed already gain next to nothing from Deflate).
BOOL ZipFolder(const wchar_t* pattern, const wchar_t* archivePath, int level = 9);
BOOL ZipAddFolder(zipFile archive, const wchar_t* prefix, const wchar_t* pattern, bool utf8, int level = 9);
// A folder entry when filePath is a folder (entryName then ends in "/").
BOOL ZipAddFile(zipFile archive, const wchar_t* entryName, const wchar_t* filePath, bool utf8, int level = 9);

// folder must not exist: it is created. FALSE for an unsafe or damaged archive, with folder and
// everything written removed.
BOOL UnzipToFolder(const wchar_t* archivePath, const wchar_t* folder, const UnzipLimits& limits = UnzipLimits());
// The current entry under folder (ending in "\"); a partly written file is deleted.
BOOL UnzipEntry(unzFile archive, const wchar_t* folder);

// True for an entry name that stays inside the folder it is joined to and is a plain Windows
// name: no ".." or empty segment, no leading separator, ":", control character, reserved
// device name, or segment ending in a dot or a blank.
bool IsSafeEntryName(const std::wstring& name);

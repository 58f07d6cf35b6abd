#pragma once
// CLumivoClient: the resource server's base address, the local cache folders and the HTTP
// client through which materials and their lists are fetched. Names handed to it come from the
// server's lists and are kept inside the cache folders.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "HttpDownload.h"
#include "TString.h"
#include "ZVUILibDef.h"

typedef ALT::TString<wchar_t, 0, 8> KQStringW;

// The server's answer for a missing file; a failed picture with any other status means the
// server cannot be reached.
const int HTTP_STATUS_NOT_FOUND = 404;
// The status of a download refused because the name would leave the cache folder.
const int DOWNLOAD_STATUS_BAD_NAME = 400;

// Where the materials are served unless the program sets another address.
#define LUMIVO_RES_SERVER_DEFAULT L"http://res.lumivo.example/"

// Size variants of a picture, smallest to largest: S, M, L, F (full size).
enum { PIC_SIZE_S, PIC_SIZE_M, PIC_SIZE_L, PIC_SIZE_F, PIC_SIZE_COUNT };

// A file of the server's directory lists; a size of 0: the server has no such variant.
struct ZVUILIB_API CLumivoFile {
    KQStringW strName;
    int64_t nSize[PIC_SIZE_COUNT] = {};
    bool HasSize(wchar_t letter) const;
};

// A picture of a folder's file list: strName and the four sizes come from the list's "Name" and
// "SizeS".."SizeF"; the download queue reads it as the item's CLumivoFile.
struct ZVUILIB_API PicDirFile : CLumivoFile {
    KQStringW strPath; // on the server, with backslashes: the thumbnail's address and cache name
    int32_t nWidth = 0;
    int32_t nHeight = 0;
};

// A folder of the online directory tree.
struct ZVUILIB_API PicDirFolder {
    int32_t nDate = 0;
    KQStringW strName;
    KQStringW strAttr;
    int32_t nPageCount = 0; // file-list pages on the server ("FLC")
    int32_t nFileCount = 0; // pictures read so far; the next one is filed under this number
    std::map<std::wstring, std::unique_ptr<PicDirFolder>> mapFolders;
    // The pictures in reading order, those read since a list last took them over (a list swaps
    // them out under the client's lock instead of copying them).
    std::vector<PicDirFile> vecFiles;
    // Forgets the sub-folders and pictures; keeps the folder's own attributes.
    void Clear();
    void ClearFiles();
    // The server has a preview picture of the folder ("P" in its attributes).
    bool HasPreview() const;
};

// A name from the server that stays below the folder it is joined to: relative, no drive or
// stream colon, no "." or ".." part (nor one that Windows would trim to it).
ZVUILIB_API bool IsSafeRelativeName(const wchar_t* name);
// Whether a cached file created at `created` must be fetched again at `now` (seconds since
// 1970); a negative age never expires.
ZVUILIB_API bool IsCacheFileExpired(int64_t created, int64_t now, int maxAgeHours);
ZVUILIB_API void SlashesToBackslashes(KQStringW& text);
// base + relative path, with the path's backslashes as slashes.
ZVUILIB_API KQStringW MakeServerUrl(const wchar_t* base, const wchar_t* relativePath);

class ZVUILIB_API CLumivoClient {
public:
    CLumivoClient();
    ~CLumivoClient();
    CLumivoClient(const CLumivoClient&) = delete;
    CLumivoClient& operator=(const CLumivoClient&) = delete;

    void SetServerUrl(const wchar_t* url);
    const wchar_t* GetServerUrl() const { return m_strServerUrl.GetString(); }
    void SetLocalFolder(const wchar_t* root);
    bool NeedsDownload(const wchar_t* path, int maxAgeHours);
    // 0 when the file is there (fetched now or still fresh), else the status of the failure.
    int DownloadFile(const wchar_t* relativePath, int maxAgeHours, KQStringW& localPath);
    // The same through another HTTP object, for a caller on a thread of its own.
    int DownloadFile(CHttpDownload& http, const wchar_t* relativePath, int maxAgeHours, KQStringW& localPath);

    CHttpDownload& GetHttp() { return m_http; }

protected:
    // Downloads url into localPath, making its folder; true when the file is there and current,
    // else status is the HTTP client's status.
    bool FetchFile(const wchar_t* url, const wchar_t* localPath, int& status);
    bool FetchFile(CHttpDownload& http, const wchar_t* url, const wchar_t* localPath, int& status);

public:
    uint8_t m_bFlag = 0;
    KQStringW m_strServerUrl;
    KQStringW m_strLocalFileRoot; // <root>\File
    KQStringW m_strLocalDirRoot;  // <root>\Dir
    KQStringW m_strSizeLetter;    // the preferred picture size
    KQStringW m_strResFolder;     // where resource files are kept
    int32_t m_nValue = 0;
    uint8_t m_bFlag2 = 0;
    PicDirFolder m_rootFolder;
    CHttpDownload m_http;
    KQStringW m_strExtra;
};

// The client constructed last that still exists, or null.
ZVUILIB_API CLumivoClient* GetCurrentLumivoClient();

#include "LumivoClient.h"
#include <atomic>
#include <ctime>
#include "BaseUtil.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "WStr.h"

namespace {

std::atomic<CLumivoClient*> currentClient{nullptr};

int SizeIndex(wchar_t letter)
{
    switch (letter) {
    case L'S': case L's': return PIC_SIZE_S;
    case L'M': case L'm': return PIC_SIZE_M;
    case L'L': case L'l': return PIC_SIZE_L;
    case L'F': case L'f': return PIC_SIZE_F;
    default: return -1;
    }
}

} // namespace

void SlashesToBackslashes(KQStringW& text)
{
    for (wchar_t* p = text.GetBuffer(); p && *p; ++p)
        if (*p == L'/')
            *p = L'\\';
}

bool CLumivoFile::HasSize(wchar_t letter) const
{
    const int index = SizeIndex(letter);
    return index >= 0 && nSize[index] > 0;
}

void PicDirFolder::Clear()
{
    mapFolders.clear();
    ClearFiles();
}

void PicDirFolder::ClearFiles()
{
    vecFiles.clear();
    nFileCount = 0;
}

bool PicDirFolder::HasPreview() const
{
    for (const wchar_t* p = strAttr.GetString(); p && *p; ++p)
        if (*p == L'P' || *p == L'p')
            return true;
    return false;
}

bool IsSafeRelativeName(const wchar_t* name)
{
    if (!name || !*name || *name == L'\\' || *name == L'/')
        return false;
    const wchar_t* part = name;
    for (const wchar_t* p = name;; ++p) {
        if (*p == L':' || (*p > 0 && *p < 32))
            return false;
        if (*p == 0 || *p == L'\\' || *p == L'/') {
            // Windows drops trailing dots and blanks of a part, so ". ." and ".. " act as "..";
            // an empty part would make the path rooted or doubled.
            bool onlyDots = true;
            for (const wchar_t* q = part; q < p; ++q)
                if (*q != L'.' && *q != L' ')
                    onlyDots = false;
            if (onlyDots)
                return false;
            if (*p == 0)
                return true;
            part = p + 1;
        }
    }
}

bool IsCacheFileExpired(int64_t created, int64_t now, int maxAgeHours)
{
    if (maxAgeHours < 0)
        return false;
    return now - created > int64_t(maxAgeHours) * 3600;
}

KQStringW MakeServerUrl(const wchar_t* base, const wchar_t* relativePath)
{
    KQStringW url(base);
    // A base without its closing slash, or a path with a leading one, still gives one slash.
    const int length = url.GetLength();
    const bool baseSlash = length > 0 && url.GetString()[length - 1] == L'/';
    const wchar_t* path = relativePath ? relativePath : L"";
    if (baseSlash)
        while (*path == L'/' || *path == L'\\')
            ++path;
    else if (length > 0 && *path && *path != L'/' && *path != L'\\')
        url += L"/";
    const int start = url.GetLength();
    url += path;
    for (wchar_t* p = url.GetBuffer() + start; *p; ++p)
        if (*p == L'\\')
            *p = L'/';
    return url;
}

CLumivoClient::CLumivoClient()
    : m_strServerUrl(LUMIVO_RES_SERVER_DEFAULT), m_strSizeLetter(L"M")
{
    currentClient = this;
}

CLumivoClient::~CLumivoClient()
{
    // Only this client's own entry is cleared; a later client stays current.
    CLumivoClient* self = this;
    currentClient.compare_exchange_strong(self, nullptr);
}

CLumivoClient* GetCurrentLumivoClient()
{
    return currentClient.load();
}

void CLumivoClient::SetServerUrl(const wchar_t* url)
{
    m_strServerUrl = url ? url : L"";
}

void CLumivoClient::SetLocalFolder(const wchar_t* root)
{
    m_strLocalFileRoot = KQStringW(root) + L"\\File";
    m_strLocalDirRoot = KQStringW(root) + L"\\Dir";
    GetLocalFileIO().MakeDirTree(m_strLocalFileRoot.GetString());
    GetLocalFileIO().MakeDirTree(m_strLocalDirRoot.GetString());
}

bool CLumivoClient::NeedsDownload(const wchar_t* path, int maxAgeHours)
{
    // One look at the file's facts: opening it for its times cost a folder's open several
    // times over, paid for every cached page of a folder being opened.
    WIN32_FILE_ATTRIBUTE_DATA facts;
    if (!path || !::GetFileAttributesExW(path, GetFileExInfoStandard, &facts) ||
        (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    return IsCacheFileExpired(FileTimeToTimeT(facts.ftCreationTime), int64_t(_time64(nullptr)), maxAgeHours);
}

int CLumivoClient::DownloadFile(const wchar_t* relativePath, int maxAgeHours, KQStringW& localPath)
{
    return DownloadFile(m_http, relativePath, maxAgeHours, localPath);
}

int CLumivoClient::DownloadFile(CHttpDownload& http, const wchar_t* relativePath, int maxAgeHours, KQStringW& localPath)
{
    SlashesToBackslashes(localPath);
    if (!IsSafeRelativeName(relativePath))
        return DOWNLOAD_STATUS_BAD_NAME;
    if (!NeedsDownload(localPath.GetString(), maxAgeHours))
        return 0;
    int status = 0;
    return FetchFile(http, MakeServerUrl(m_strServerUrl.GetString(), relativePath).GetString(), localPath.GetString(), status)
               ? 0
               : status;
}

bool CLumivoClient::FetchFile(const wchar_t* url, const wchar_t* localPath, int& status)
{
    return FetchFile(m_http, url, localPath, status);
}

bool CLumivoClient::FetchFile(CHttpDownload& http, const wchar_t* url, const wchar_t* localPath, int& status)
{
    CLocalFileIO& io = GetLocalFileIO();
    wchar_t folder[MAX_PATH];
    if (WStrLen(localPath) >= MAX_PATH) {
        status = DOWNLOAD_STATUS_BAD_NAME;
        return false;
    }
    GetParentFolderTrimmed(localPath, folder);
    if (folder[0] && !io.IsDir(folder))
        io.MakeDirTree(folder);
    const int result = http.Download(url, localPath);
    status = http.GetResult();
    // 1: the server's file is the one already here, as good as a fresh copy.
    if (result != 0 && result != 1)
        return false;
    // The age of a cached file counts from its download.
    io.Touch(localPath, true);
    return true;
}

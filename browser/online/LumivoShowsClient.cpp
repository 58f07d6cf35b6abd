#include "LumivoShowsClient.h"
#include <windows.h>
#include <algorithm>
#include <condition_variable>
#include <cwchar>
#include <iterator>
#include <unordered_map>
#include <unordered_set>
#include "BaseUtil.h"
#include "FileIO.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "XmlDocument.h"

namespace {

const wchar_t kDirectoryName[] = L"PicDir.xml";
// How long a cached directory or page is used without asking the server again.
const int kListMaxAgeHours = 24;

const wchar_t* AttributeText(XmlNode* node, const wchar_t* name)
{
    XmlAttribute* attribute = node->FindAttribute(name);
    return attribute ? attribute->value : L"";
}

int32_t AttributeInt(XmlNode* node, const wchar_t* name, int32_t limit = INT32_MAX)
{
    return int32_t(ParseServerNumber(AttributeText(node, name), limit));
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ToBackslashes(std::wstring& path)
{
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
}

// The whole file, at most the reader's largest; false when it cannot be read.
bool ReadWholeFile(const std::wstring& path, std::vector<char>& bytes)
{
    CFileIO& io = GetLocalFileIO();
    HANDLE file;
    if (!io.Open(path.c_str(), file, FILEIO_SHARE_READ))
        return false;
    const int64_t size = io.GetSize(file);
    bool read = size >= 0 && size <= int64_t(XML_MAX_FILE_SIZE);
    if (read) {
        bytes.resize(size_t(size));
        read = size == 0 || io.ReadAt(file, bytes.data(), DWORD(size), 0) == DWORD(size);
    }
    io.Close(file);
    return read;
}

// The numbered pages (FileList1.xml...) cached in a folder, with the times they were made: one
// listing of the folder instead of two looks at the file system a page.
std::unordered_map<int, int64_t> ListCachedPages(const std::wstring& folder)
{
    std::unordered_map<int, int64_t> pages;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\FileList*.xml").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return pages;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // "FileList", digits without a leading zero, ".xml"; any other name is no page.
        const wchar_t* digits = data.cFileName + 8;
        int page = 0;
        const wchar_t* p = digits;
        for (; *p >= L'0' && *p <= L'9' && page < kOnlineMaxPages; ++p)
            page = page * 10 + (*p - L'0');
        if (p == digits || *digits == L'0' || _wcsicmp(p, L".xml"))
            continue;
        pages[page] = FileTimeToTimeT(data.ftCreationTime);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return pages;
}

// Sub-folders of a local folder, without "." and "..".
std::vector<std::wstring> ListSubFolders(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (!wcscmp(data.cFileName, L".") || !wcscmp(data.cFileName, L".."))
            continue;
        names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

} // namespace

bool IsReservedDeviceName(const wchar_t* part, size_t length)
{
    // Windows reads "con.txt" and "nul  " as the devices too: only the text before the first dot,
    // without trailing blanks, counts.
    size_t stem = 0;
    while (stem < length && part[stem] != L'.')
        ++stem;
    while (stem > 0 && part[stem - 1] == L' ')
        --stem;
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices)
        if (stem == wcslen(device) && !_wcsnicmp(part, device, stem))
            return true;
    if (stem == 4 && (!_wcsnicmp(part, L"COM", 3) || !_wcsnicmp(part, L"LPT", 3)) && part[3] >= L'0' &&
        part[3] <= L'9')
        return true;
    return false;
}

bool IsSafeServerName(const wchar_t* name)
{
    if (!IsSafeRelativeName(name))
        return false;
    const wchar_t* part = name;
    for (const wchar_t* p = name;; ++p) {
        if (*p == 0 || *p == L'\\' || *p == L'/') {
            if (IsReservedDeviceName(part, size_t(p - part)))
                return false;
            if (*p == 0)
                return true;
            part = p + 1;
        } else if (*p == L'*' || *p == L'?' || *p == L'"' || *p == L'<' || *p == L'>' || *p == L'|') {
            return false;
        }
    }
}

int64_t ParseServerNumber(const wchar_t* text, int64_t limit)
{
    if (!text)
        return 0;
    while (*text == L' ')
        ++text;
    int64_t value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        const int digit = *text - L'0';
        if (value > (limit - digit) / 10)
            return limit;
        value = value * 10 + digit;
    }
    return value;
}

CLumivoShowsClient::CLumivoShowsClient()
{
    for (auto& channel : m_channels)
        channel = std::make_unique<CHttpDownload>();
}

CLumivoShowsClient::~CLumivoShowsClient()
{
    StopAll();
    m_bStopping = false;
}

void CLumivoShowsClient::SetLocalFolder(const wchar_t* root)
{
    CLumivoClient::SetLocalFolder(root);
    for (const wchar_t* letter : {L"S", L"M", L"L", L"F"})
        CreateDirectoryW((std::wstring(m_strLocalFileRoot.GetString()) + L"\\" + letter).c_str(), nullptr);
}

void CLumivoShowsClient::SetUserAgent(const char* agent)
{
    m_http.SetUserAgent(agent);
    for (auto& channel : m_channels) {
        channel->Reset();
        channel->SetUserAgent(agent);
    }
}

void CLumivoShowsClient::CancelTransfers()
{
    m_http.Cancel();
    for (auto& channel : m_channels)
        channel->Cancel();
}

void CLumivoShowsClient::StopAll()
{
    m_bStopping = true;
    // A transfer that starts just after a cancel clears it again: cancel until the update
    // thread has ended.
    while (m_updateThread.joinable() && !m_bThreadDone) {
        CancelTransfers();
        Sleep(5);
    }
    CancelTransfers();
    if (m_updateThread.joinable())
        m_updateThread.join();
}

void CLumivoShowsClient::Resume()
{
    m_bStopping = false;
}

int CLumivoShowsClient::Fetch(OnlineChannel channel, const std::wstring& relative, const std::wstring& local, int maxAgeHours)
{
    if (m_bStopping)
        return HTTP_STATUS_CANCELLED;
    if (!IsSafeRelativeName(relative.c_str()))
        return DOWNLOAD_STATUS_BAD_NAME;
    // A forced fetch goes out even for a copy stamped in the same second: Refresh right after an
    // update must still ask the server.
    if (maxAgeHours != kOnlineAlwaysFetch && !NeedsDownload(local.c_str(), maxAgeHours))
        return 0;
    int status = 0;
    const KQStringW url = MakeServerUrl(m_strServerUrl.GetString(), relative.c_str());
    if (FetchFile(*m_channels[channel], url.GetString(), local.c_str(), status))
        return 0;
    return status ? status : HTTP_STATUS_CANCELLED;
}

int CLumivoShowsClient::DownloadFile(OnlineChannel channel, const wchar_t* relativePath, int maxAgeHours, KQStringW& localPath)
{
    SlashesToBackslashes(localPath);
    return Fetch(channel, relativePath ? relativePath : L"", localPath.GetString(), maxAgeHours);
}

bool CLumivoShowsClient::StartUpdateThread()
{
    WaitForUpdateThread();
    m_bThreadResult = false;
    m_bThreadDone = false;
    m_updateThread = std::thread([this] { UpdateThread(ONLINE_SHOW_ROOT); });
    if (m_pUI)
        m_pUI->SetTitle(L"Download Picture Material");
    return m_bThreadResult;
}

void CLumivoShowsClient::WaitForUpdateThread()
{
    if (m_updateThread.joinable())
        m_updateThread.join();
}

void CLumivoShowsClient::UpdateThread(int flags)
{
    if (m_pUI)
        m_pUI->OnUpdateBegin();
    m_bThreadResult = UpdateDirectory(flags, ONLINE_UPDATE);
    if (m_pUI)
        m_pUI->OnUpdateEnd();
    m_bThreadDone = true;
}

bool CLumivoShowsClient::UpdateDirectory(int flags, OnlineChannel channel)
{
    {
        std::lock_guard<std::mutex> update(m_updateLock);
        if (!RefreshDirectoryList(flags, channel))
            return false;
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        SyncLocalFolders(m_strLocalDirRoot.GetString(), m_rootFolder);
    }
    if (m_pUI) {
        m_pUI->OnDirectoryUpdated();
        if (flags & ONLINE_SHOW_ROOT)
            m_pUI->ShowFolder(m_strLocalDirRoot.GetString());
    }
    m_bReady = true;
    return true;
}

bool CLumivoShowsClient::RefreshDirectoryList(int flags, OnlineChannel channel)
{
    const std::wstring local = std::wstring(m_strLocalDirRoot.GetString()) + L"\\" + kDirectoryName;
    if (Fetch(channel, kDirectoryName, local, (flags & ONLINE_FORCE_FETCH) ? kOnlineAlwaysFetch : kListMaxAgeHours) != 0)
        return false;
    return ParseDirectory(local.c_str());
}

bool CLumivoShowsClient::ParseDirectory(const wchar_t* path)
{
    XmlDocument document;
    if (!XmlLoadFile(&document, path))
        return false;
    XmlNode* root = document.FindChild(L"Root");
    if (!root)
        return false;
    PicDirFolder fresh;
    ReadFolder(root, fresh, 0);

    std::lock_guard<std::recursive_mutex> lock(m_lock);
    PicDirFolder* oldCurrent = m_pCurrentFolder;
    m_rootFolder.nDate = fresh.nDate;
    m_rootFolder.strName = fresh.strName;
    m_rootFolder.strAttr = fresh.strAttr;
    m_rootFolder.nPageCount = fresh.nPageCount;
    std::swap(m_rootFolder.mapFolders, fresh.mapFolders);
    // The open folder keeps the pictures read so far when the new directory still lists it;
    // fresh now holds the old sub-folders, so the old record lives until the end of this call.
    PicDirFolder oldRootFiles;
    if (oldCurrent == &m_rootFolder) {
        std::swap(oldRootFiles.vecFiles, m_rootFolder.vecFiles);
        oldRootFiles.nFileCount = m_rootFolder.nFileCount;
        oldCurrent = &oldRootFiles;
    }
    m_rootFolder.ClearFiles();
    m_pCurrentFolder = oldCurrent ? FindFolder(m_strCurrentServerFolder) : nullptr;
    if (m_pCurrentFolder) {
        std::swap(m_pCurrentFolder->vecFiles, oldCurrent->vecFiles);
        m_pCurrentFolder->nFileCount = oldCurrent->nFileCount;
    } else {
        m_nPagesLoaded = 0;
    }
    return true;
}

void CLumivoShowsClient::ReadFolder(XmlNode* element, PicDirFolder& folder, int depth)
{
    folder.nDate = AttributeInt(element, L"Date");
    folder.strName = AttributeText(element, L"Name");
    folder.strAttr = AttributeText(element, L"Attr");
    folder.nPageCount = AttributeInt(element, L"FLC", kOnlineMaxPages);
    if (depth >= kOnlineMaxDepth)
        return;
    for (XmlNode& child : element->children) {
        if (child.kind != XML_NODE_ELEMENT)
            continue;
        const wchar_t* name = AttributeText(&child, L"Name");
        // A sub-folder is one part of a path: separators would let it reach elsewhere.
        if (!IsSafeServerName(name) || wcschr(name, L'\\') || wcschr(name, L'/'))
            continue;
        auto& slot = folder.mapFolders[name];
        if (slot)
            continue;
        slot = std::make_unique<PicDirFolder>();
        ReadFolder(&child, *slot, depth + 1);
    }
}

bool CLumivoShowsClient::ReadPage(const wchar_t* path, std::vector<PicDirFile>& files)
{
    XmlDocument document;
    return XmlLoadFile(&document, path) && ReadPictures(document, files);
}

bool CLumivoShowsClient::ParsePage(const std::vector<char>& bytes, std::vector<PicDirFile>& files)
{
    XmlDocument document;
    return XmlParseBuffer(&document, bytes.data(), bytes.size()) && ReadPictures(document, files);
}

bool CLumivoShowsClient::ReadPictures(XmlNode& document, std::vector<PicDirFile>& files)
{
    XmlNode* list = document.FindChild(L"FileList");
    if (!list)
        return false;
    files.reserve(files.size() + list->children.size());
    for (XmlNode& child : list->children) {
        if (child.kind != XML_NODE_ELEMENT)
            continue;
        if (files.size() >= size_t(kOnlineMaxFilesPerFolder))
            break;
        // One pass over the attributes; the first of a name counts, as FindAttribute gives it.
        const wchar_t *path = nullptr, *name = nullptr, *width = nullptr, *height = nullptr;
        const wchar_t* sizes[PIC_SIZE_COUNT] = {};
        for (const XmlAttribute& attribute : child.attributes) {
            const wchar_t* key = attribute.name;
            const wchar_t** slot = nullptr;
            if (!wcscmp(key, L"Path"))
                slot = &path;
            else if (!wcscmp(key, L"Name"))
                slot = &name;
            else if (!wcscmp(key, L"Width"))
                slot = &width;
            else if (!wcscmp(key, L"Height"))
                slot = &height;
            else if (!wcsncmp(key, L"Size", 4) && key[4] && !key[5]) {
                const wchar_t* letter = wcschr(L"SMLF", key[4]);
                if (letter)
                    slot = &sizes[letter - L"SMLF"];
            }
            if (slot && !*slot)
                *slot = attribute.value;
        }
        PicDirFile file;
        file.strPath = path ? path : L"";
        SlashesToBackslashes(file.strPath);
        const wchar_t* serverPath = file.strPath.GetString();
        if (!IsSafeServerName(serverPath) || !*GetFileNamePart(serverPath))
            continue;
        file.strName = name ? name : L"";
        file.nWidth = int32_t(ParseServerNumber(width, INT32_MAX));
        file.nHeight = int32_t(ParseServerNumber(height, INT32_MAX));
        for (int i = 0; i < PIC_SIZE_COUNT; ++i)
            file.nSize[i] = ParseServerNumber(sizes[i], INT64_MAX);
        files.push_back(std::move(file));
    }
    return true;
}

bool CLumivoShowsClient::LoadFileList(const wchar_t* localFolder, int pagesWanted, int flags)
{
    if (localFolder) {
        std::wstring relative;
        if (!IsOnlinePath(localFolder, &relative))
            return false;
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        m_nPagesLoaded = 0;
        m_strCurrentServerFolder = relative;
        m_pCurrentFolder = nullptr;
    }
    bool haveDirectory;
    {
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        haveDirectory = !m_rootFolder.mapFolders.empty();
    }
    if ((!haveDirectory || (flags & ONLINE_FORCE_FETCH)) && !UpdateDirectory(flags & ONLINE_FORCE_FETCH))
        return false;

    std::wstring serverFolder;
    int pageCount;
    {
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        m_pCurrentFolder = FindFolder(m_strCurrentServerFolder);
        if (!m_pCurrentFolder)
            return false;
        serverFolder = m_strCurrentServerFolder;
        pageCount = m_pCurrentFolder->nPageCount;
    }
    const bool opening = pagesWanted > kOnlineOpenAll - 1;
    for (;;) {
        int loaded;
        int pictures;
        {
            std::lock_guard<std::recursive_mutex> lock(m_lock);
            loaded = m_nPagesLoaded;
            pictures = m_pCurrentFolder ? m_pCurrentFolder->nFileCount : 0;
        }
        const int page = pageCount - loaded - 1;
        if (loaded >= pagesWanted || page < 0)
            return true;
        const std::wstring name = page == 0 ? std::wstring(L"FileList.xml") : L"FileList" + std::to_wstring(page) + L".xml";
        if (opening && loaded > 0 && pictures > kOnlineOpenPictures) {
            std::wstring cached = std::wstring(m_strLocalDirRoot.GetString()) + L"\\" + serverFolder;
            ToBackslashes(cached);
            if (!IsFile(cached + L"\\" + name))
                return true;
        }
        // Opening a folder: the run of cached pages that follows is parsed on several threads
        // and filed in order, as one page after the other would be.
        if (opening && loaded > 0) {
            const int read = LoadCachedPages(serverFolder, page, pagesWanted - loaded);
            if (read < 0)
                return false;
            if (read > 0)
                continue;
        }
        if (m_bStopping || !LoadFileListPage(serverFolder, name, page == pageCount - 1))
            return false;
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        ++m_nPagesLoaded;
    }
}

int CLumivoShowsClient::LoadCachedPages(const std::wstring& serverFolder, int firstPage, int most)
{
    struct Page {
        std::wstring local;
        std::vector<char> bytes;
        std::vector<PicDirFile> files;
        bool read = false;
    };
    std::vector<Page> pages;
    std::wstring base = std::wstring(m_strLocalDirRoot.GetString()) + L"\\" + serverFolder;
    ToBackslashes(base);
    const std::unordered_map<int, int64_t> cached = ListCachedPages(base);
    const int64_t now = int64_t(_time64(nullptr));
    for (int page = firstPage; page >= 1 && int(pages.size()) < most; --page) {
        const auto found = cached.find(page);
        if (found == cached.end() || m_bStopping)
            break;
        const std::wstring name = L"FileList" + std::to_wstring(page) + L".xml";
        Page entry;
        entry.local = base + L"\\" + name;
        // A copy older than a day is asked for again; a failed fetch leaves it whole.
        if (IsCacheFileExpired(found->second, now, kListMaxAgeHours))
            Fetch(ONLINE_LOADER, serverFolder.empty() ? name : serverFolder + L"/" + name, entry.local, kListMaxAgeHours);
        pages.push_back(std::move(entry));
    }
    if (pages.size() < 2)
        return 0;

    // This thread reads the files one after the other while a second one parses what has been
    // read: the file system serves one reader best (several only wait on each other), and the
    // parsing hides behind the reading.
    std::mutex readLock;
    std::condition_variable readDone;
    size_t readCount = 0;
    std::vector<char> readable(pages.size(), 0);
    auto parse = [&] {
        for (size_t i = 0; i < pages.size(); ++i) {
            {
                std::unique_lock<std::mutex> lock(readLock);
                readDone.wait(lock, [&] { return readCount > i; });
            }
            if (readable[i])
                pages[i].read = ParsePage(pages[i].bytes, pages[i].files);
            std::vector<char>().swap(pages[i].bytes);
        }
    };
    std::thread parser;
    try {
        parser = std::thread(parse);
    } catch (...) {
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        const bool ok = !m_bStopping && ReadWholeFile(pages[i].local, pages[i].bytes);
        std::lock_guard<std::mutex> lock(readLock);
        readable[i] = ok;
        readCount = i + 1;
        readDone.notify_one();
    }
    if (parser.joinable())
        parser.join();
    else
        parse();

    std::lock_guard<std::recursive_mutex> lock(m_lock);
    PicDirFolder* folder = FindFolder(serverFolder);
    if (!folder)
        return -1;
    size_t total = folder->vecFiles.size();
    for (const Page& page : pages)
        total += page.files.size();
    folder->vecFiles.reserve(std::min(total, size_t(kOnlineMaxFilesPerFolder)));
    // The pages before an unreadable one stay filed, as when read one by one.
    int filed = 0;
    for (Page& page : pages) {
        if (!page.read)
            return -1;
        const size_t room = size_t(std::max(kOnlineMaxFilesPerFolder - folder->nFileCount, 0));
        const size_t taken = std::min(page.files.size(), room);
        page.files.resize(taken);
        if (folder->vecFiles.empty())
            folder->vecFiles.swap(page.files);
        else
            folder->vecFiles.insert(folder->vecFiles.end(), std::make_move_iterator(page.files.begin()),
                                    std::make_move_iterator(page.files.end()));
        folder->nFileCount += int32_t(taken);
        ++m_nPagesLoaded;
        ++filed;
    }
    return filed;
}

bool CLumivoShowsClient::LoadFileListPage(const std::wstring& serverFolder, const std::wstring& pageName, bool firstPage)
{
    const std::wstring relative = serverFolder.empty() ? pageName : serverFolder + L"/" + pageName;
    std::wstring local = std::wstring(m_strLocalDirRoot.GetString()) + L"\\" + relative;
    ToBackslashes(local);
    // A failed fetch leaves the older copy whole (the transfer goes to a temporary file).
    if (Fetch(ONLINE_LOADER, relative, local, kListMaxAgeHours) != 0 && !IsFile(local))
        return false;
    std::vector<PicDirFile> files;
    if (!ReadPage(local.c_str(), files))
        return false;

    std::lock_guard<std::recursive_mutex> lock(m_lock);
    PicDirFolder* folder = FindFolder(serverFolder);
    if (!folder)
        return false;
    // The newest page starts the list again: a folder opened anew shows the server's order.
    if (firstPage)
        folder->ClearFiles();
    for (PicDirFile& file : files) {
        if (folder->nFileCount >= kOnlineMaxFilesPerFolder)
            break;
        folder->vecFiles.push_back(std::move(file));
        ++folder->nFileCount;
    }
    return true;
}

void CLumivoShowsClient::SyncLocalFolders(const wchar_t* localFolder, const PicDirFolder& folder, int depth)
{
    const std::wstring base(localFolder);
    std::vector<std::wstring> left = ListSubFolders(base);
    for (const auto& entry : folder.mapFolders) {
        const std::wstring& name = entry.first;
        // The directory's names were checked when read; a record built otherwise is checked here.
        if (!IsSafeServerName(name.c_str()) || name.find_first_of(L"\\/") != std::wstring::npos)
            continue;
        const std::wstring path = base + L"\\" + name;
        CreateDirectoryW(path.c_str(), nullptr);
        if (!entry.second->mapFolders.empty() && depth + 1 < kOnlineMaxDepth)
            SyncLocalFolders(path.c_str(), *entry.second, depth + 1);
        for (auto it = left.begin(); it != left.end(); ++it)
            if (!_wcsicmp(it->c_str(), name.c_str())) {
                left.erase(it);
                break;
            }
    }
    for (const std::wstring& name : left)
        DeleteTree(base + L"\\" + name);
}

void CLumivoShowsClient::DeleteTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!wcscmp(data.cFileName, L".") || !wcscmp(data.cFileName, L".."))
                continue;
            const std::wstring child = path + L"\\" + data.cFileName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A link is removed, never followed: what it points to is not the cache's.
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryW(child.c_str());
                else
                    DeleteFileW(child.c_str());
            } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

namespace {

const wchar_t* const kSizeFolders[] = {L"\\S\\", L"\\M\\", L"\\L\\", L"\\F\\"};

// The key by which the file system matches a name: case does not count. ASCII letters are
// folded here; only a name with other letters asks the system, which costs microseconds a call.
std::wstring NameKey(const wchar_t* name)
{
    std::wstring key(name);
    bool ascii = true;
    for (wchar_t& c : key) {
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c + (L'a' - L'A'));
        else if (c > 0x7F)
            ascii = false;
    }
    if (!ascii)
        ::CharLowerBuffW(&key[0], DWORD(key.size()));
    return key;
}

} // namespace

bool CLumivoShowsClient::HasLocalCopy(const wchar_t* name)
{
    if (!IsSafeServerName(name))
        return false;
    for (const wchar_t* sizeFolder : kSizeFolders)
        if (IsFile(std::wstring(m_strLocalFileRoot.GetString()) + sizeFolder + name))
            return true;
    return false;
}

std::vector<bool> CLumivoShowsClient::HasLocalCopies(const std::vector<const wchar_t*>& names)
{
    std::vector<bool> cached(names.size(), false);
    if (names.empty())
        return cached;
    std::unordered_set<std::wstring> files;
    bool anyEntry = false;
    for (const wchar_t* sizeFolder : kSizeFolders) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((std::wstring(m_strLocalFileRoot.GetString()) + sizeFolder + L"*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.insert(NameKey(data.cFileName));
            else if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
                anyEntry = true;
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    // Nothing downloaded yet (a folder opened for the first time): no name is cached.
    if (files.empty() && !anyEntry)
        return cached;
    for (size_t i = 0; i < names.size(); ++i) {
        const wchar_t* name = names[i];
        if (!name || !IsSafeServerName(name))
            continue;
        const size_t length = wcslen(name);
        if (length == 0)
            continue;
        // A path below a size folder, or a name that Windows trims, is asked for itself.
        if (wcspbrk(name, L"\\/") || name[length - 1] == L'.' || name[length - 1] == L' ')
            cached[i] = HasLocalCopy(name);
        else
            cached[i] = files.count(NameKey(name)) > 0;
    }
    return cached;
}

PicDirFolder* CLumivoShowsClient::FindFolder(const std::wstring& serverPath)
{
    PicDirFolder* folder = &m_rootFolder;
    size_t start = 0;
    while (folder && start < serverPath.size()) {
        size_t end = serverPath.find(L'/', start);
        if (end == std::wstring::npos)
            end = serverPath.size();
        const auto found = folder->mapFolders.find(serverPath.substr(start, end - start));
        folder = found == folder->mapFolders.end() ? nullptr : found->second.get();
        start = end + 1;
    }
    return folder;
}

bool CLumivoShowsClient::IsOnlinePath(const wchar_t* path, std::wstring* relative) const
{
    const wchar_t* root = m_strLocalDirRoot.GetString();
    const size_t length = root ? wcslen(root) : 0;
    if (!path || !length || wcslen(path) < length || _wcsnicmp(path, root, length))
        return false;
    const wchar_t* rest = path + length;
    if (*rest && *rest != L'\\' && *rest != L'/')
        return false;
    while (*rest == L'\\' || *rest == L'/')
        ++rest;
    std::wstring part(rest);
    while (!part.empty() && (part.back() == L'\\' || part.back() == L'/'))
        part.pop_back();
    if (!part.empty() && !IsSafeRelativeName(part.c_str()))
        return false;
    for (wchar_t& c : part)
        if (c == L'\\')
            c = L'/';
    if (relative)
        *relative = part;
    return true;
}

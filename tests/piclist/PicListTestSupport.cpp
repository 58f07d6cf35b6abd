#include "PicListTestSupport.h"
#include <cstdio>

namespace pltest {

bool WritePicture(const std::wstring& path, long width, long height, RGBQUAD colour)
{
    CZVImage picture;
    if (!picture.Create(DWORD(width), DWORD(height), 24))
        return false;
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            picture.SetPixelColor(x, y, colour);
    return picture.Save(path.c_str(), 0);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return testsupport::TempFolder::Put(path, bytes);
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(5);
    }
    return true;
}

std::wstring Fixture(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L'\\'));
    return dir + L"\\piclist-fixtures\\" + name;
}

TestView::TestView(const std::wstring& cacheFolder)
{
    m_strThumbnailFolder = cacheFolder.c_str();
    m_nIdleInterval = 5;
}

TestView::~TestView()
{
    StopAll();
}

bool TestView::Scan(const std::wstring& folder, bool refresh)
{
    if (!UpdateFolder(folder.c_str(), refresh))
        return false;
    if (!WaitFor([this] { return !IsScanning(); }))
        return false;
    m_folderBrowser.StopSearch(); // joins: the end of the scan has sorted
    return true;
}

bool TestView::LoadAll()
{
    UpdatePreviewImageList(0, GetItemCount(), false);
    if (!m_pPreviewThread) {
        m_bPreviewStop = false;
        m_pPreviewThread.reset(new std::thread(&CKQPicListView::UpdatePreviewThread, this));
    }
    return WaitFor([this] {
        Lock();
        bool all = true;
        for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
            all = all && it->m_bThumbTried;
        Unlock();
        return all;
    });
}

std::vector<std::wstring> TestView::FileNames()
{
    std::vector<std::wstring> names;
    Lock();
    for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
        names.push_back(it->m_strName.GetString());
    Unlock();
    return names;
}

std::vector<std::wstring> TestView::FolderNames()
{
    std::vector<std::wstring> names;
    Lock();
    for (auto it = m_folderBrowser.m_lstFolder.Begin(); it != m_folderBrowser.m_lstFolder.End(); it.Next())
        names.push_back(it->m_strName.GetString());
    Unlock();
    return names;
}

CKQListFile* TestView::File(int fileIndex)
{
    if (fileIndex < 0 || fileIndex >= m_folderBrowser.m_lstFile.GetCount())
        return nullptr;
    return &m_folderBrowser.m_lstFile.GetAt(fileIndex).Get();
}

} // namespace pltest

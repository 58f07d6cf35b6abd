#include "PictureListView.h"
#include "MainFrame.h"

namespace {
// Opens the folder last asked for; several requests before it is handled open it once each.
const UINT WM_OPEN_PENDING_FOLDER = WM_APP + 0x54;
} // namespace

BEGIN_MESSAGE_MAP(CPictureListView, CKQPicListView)
    ON_MESSAGE(WM_OPEN_PENDING_FOLDER, OnOpenPendingFolder)
    ON_MESSAGE(WM_SHOWS_ONLINE_FOLDER, OnShowOnlineFolder)
    ON_MESSAGE(WM_SHOWS_ONLINE_LOADED, OnOnlineLoaded)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CPictureListView::CPictureListView() = default;

CPictureListView::~CPictureListView()
{
    StopBatchTask();
    StopAll();
}

void CPictureListView::OnEndFolderSearch()
{
    CKQPicListView::OnEndFolderSearch();
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParent()))
        frame->UpdateFolderInfo();
}

CPictureListView::FolderCounts CPictureListView::CountItems()
{
    FolderCounts counts;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        KQ_PIC_LIST_ITEM item = {};
        if (i == m_nDownloadMore || !GetItem(i, &item))
            continue;
        if (item.nState & KQLS_FOLDER) {
            ++counts.folders;
        } else {
            ++counts.files;
            if (item.pInfo)
                counts.totalSize += item.pInfo->nFileSize;
        }
    }
    return counts;
}

void CPictureListView::OpenFolder(const wchar_t* folder)
{
    // Posted: a scan started from inside a handler that the list's own scan is waiting on would
    // never end.
    m_pendingFolder = folder ? folder : L"";
    PostMessage(WM_OPEN_PENDING_FOLDER);
}

LRESULT CPictureListView::OnOpenPendingFolder(WPARAM, LPARAM)
{
    const std::wstring folder = m_pendingFolder;
    if (!folder.empty())
        UpdateFolder(folder.c_str(), false);
    return 0;
}

int CPictureListView::FindItemByPath(const wchar_t* path)
{
    if (!path || !*path)
        return -1;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (_wcsicmp(GetItemFullFileName(i).GetString(), path) == 0)
            return i;
    return -1;
}

bool CPictureListView::ReloadHandedOver()
{
    const int index = FindItemByPath(m_handedOver.c_str());
    if (index < 0)
        return false;
    // The editor may have changed the picture's size and content: the folder is read again and
    // the picture keeps its selection.
    OpenFolder(m_strFolder.GetString());
    return true;
}

bool CPictureListView::IsBatchRunning() const
{
    return m_hBatchThread && ::WaitForSingleObject(m_hBatchThread, 0) == WAIT_TIMEOUT;
}

void CPictureListView::StartBatchThread(LPTHREAD_START_ROUTINE routine, void* parameter)
{
    StopBatchTask();
    m_bBatchStop = 0;
    m_hBatchThread = ::CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
}

void CPictureListView::StopBatchTask()
{
    if (!m_hBatchThread)
        return;
    ::InterlockedExchange(&m_bBatchStop, 1);
    ::WaitForSingleObject(m_hBatchThread, INFINITE);
    ::CloseHandle(m_hBatchThread);
    m_hBatchThread = nullptr;
}

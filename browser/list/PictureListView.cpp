#include "PictureListView.h"
#include "MainFrame.h"
#include "PicFullWnd.h"

namespace {
// Opens the folder last asked for; several requests before it is handled open it once each.
const UINT WM_OPEN_PENDING_FOLDER = WM_APP + 0x54;
} // namespace

BEGIN_MESSAGE_MAP(CPictureListView, CKQPicListView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(KQLV_MSG_UPDATE_VIEW, OnUpdateView)
    ON_MESSAGE(WM_OPEN_PENDING_FOLDER, OnOpenPendingFolder)
END_MESSAGE_MAP()

CPictureListView::CPictureListView() = default;

CPictureListView::~CPictureListView()
{
    StopBatchTask();
}

int CPictureListView::OnCreate(LPCREATESTRUCT cs)
{
    if (CKQPicListView::OnCreate(cs) == -1)
        return -1;
    CWinApp* app = AfxGetApp();
    m_bMinSize = app->GetProfileInt(L"", L"SmallFileFilter", 0) != 0;
    m_nAnimate = app->GetProfileInt(L"", L"LoadAni", 1) != 0 ? 1 : 0;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_localDisplay = ReadListDisplay(*app, false, screenWidth);
    m_onlineDisplay = ReadListDisplay(*app, true, screenWidth);
    m_bOnlineMode = false;
    m_bSettingsChanged = false;
    ApplyDisplaySettings(m_localDisplay, false);
    return 0;
}

void CPictureListView::OnDestroy()
{
    if (m_bSettingsChanged) {
        (m_bOnlineMode ? m_onlineDisplay : m_localDisplay) = CurrentDisplaySettings();
        CWinApp* app = AfxGetApp();
        WriteListDisplay(*app, false, m_localDisplay);
        WriteListDisplay(*app, true, m_onlineDisplay);
        m_bSettingsChanged = false;
    }
    CKQPicListView::OnDestroy();
}

LRESULT CPictureListView::OnUpdateView(WPARAM wParam, LPARAM lParam)
{
    auto* frame = dynamic_cast<CMainFrame*>(GetParent());
    if (frame && frame->m_bCreated)
        frame->UpdateFolderInfo();
    const LRESULT result = CKQPicListView::OnUpdateView(wParam, lParam);
    // Once the scan that was asked for has ended, the picture is listed or never will be.
    if (m_bSelectArmed && !IsScanning()) {
        m_bSelectArmed = false;
        const int index = FindItemByPath(m_selectWhenListed.c_str());
        m_selectWhenListed.clear();
        if (index >= 0) {
            SetItemState(index, KQLS_SELECTED, 0);
            EnsureVisible(index, true);
        }
    }
    // A viewer opened on a file before its folder was listed takes its place in the list, on
    // this thread, once the scan has ended.
    if (!IsScanning() && g_pPicFullWnd && g_pPicFullWnd->GetSafeHwnd())
        g_pPicFullWnd->AdoptListPosition();
    return result;
}

ListDisplaySettings CPictureListView::CurrentDisplaySettings() const
{
    return {m_bShowName, m_bShowSize, m_bShowDate, m_nFitMode, m_nIconSize < 0 ? 0 : m_nIconSize, gKQListView_SortType,
            gKQListView_bSortAscend};
}

void CPictureListView::ApplyDisplaySettings(const ListDisplaySettings& settings, bool redraw)
{
    m_bShowName = settings.showName;
    m_bShowSize = settings.showSize;
    m_bShowDate = settings.showDate;
    m_nFitMode = settings.aspect;
    gKQListView_SortType = static_cast<KQ_LIST_SORT>(settings.sortType);
    gKQListView_bSortAscend = settings.ascend;
    ChangeIconSize(static_cast<KQ_LS_ICON_SIZE>(settings.iconSize), redraw);
}

void CPictureListView::OnIconLoadedUpdate(int index)
{
    if (g_pPicFullWnd && g_pPicFullWnd->GetSafeHwnd() && g_pPicFullWnd->ShowsInStrip(index))
        g_pPicFullWnd->PostMessage(KQLV_MSG_UPDATE_VIEW);
    CKQPicListView::OnIconLoadedUpdate(index);
}

CPictureListView::FolderCounts CPictureListView::CountItems()
{
    FolderCounts counts;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        KQ_PIC_LIST_ITEM item = {};
        if (!GetItem(i, &item))
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
    m_bSelectArmed = !m_selectWhenListed.empty();
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

#pragma once
// CPictureListView: the browser's one picture list. It tells the main frame what a folder scan
// found (on the window's thread, each time the list lays itself out), keeps its display settings,
// keeps the picture handed to the editor (reloaded when the editor ends), hosts the batch engine,
// and answers the list's commands and keys: the hand-off to the editor, copy, cut, paste, delete,
// rename and new folder, the selection, the wallpaper routines, dropped and dragged files, and the
// item buttons.
#include <windows.h>
#include <commctrl.h>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "BatchCommands.h"
#include "BatchEngine.h"
#include "EditorHandOff.h"
#include "KQPicListView.h"
#include "ListDisplaySettings.h"
#include "LumivoShowsClient.h"
#include "LumivoShowsClientUI.h"
#include "LumivoShowsDownloadFileList.h"
#include "RecycleBin.h"

class CZVShellTree;

// A name typed for a file or folder: one path component that Windows can create.
bool IsValidItemName(const wchar_t* name);

// From the online loader: its pages are read (wParam its generation, lParam a new std::wstring
// of the path it opened).
const UINT WM_SHOWS_ONLINE_LOADED = WM_APP + 0x5B;

class CPictureListView : public CKQPicListView {
public:
    CPictureListView();
    ~CPictureListView() override;

    // A new thumbnail in the viewer's strip redraws the strip.
    void OnIconLoadedUpdate(int index) override;
    // A disk folder found empty shows so (PictureListView.cpp).
    void OnEndFolderSearch() override;
    // A picture under the pointer shows its details (m_hovered) and its tip (HoverTipText);
    // folders keep the base's tip (PictureListInput.cpp).
    void OnHoverItem(KQ_PIC_LIST_ITEM* item) override;
    std::function<void(const KQ_PIC_LIST_ITEM* item)> m_hovered;
    // "name", then "width x height  size" on the next line.
    static std::wstring HoverTipText(const wchar_t* name, int width, int height, uint64_t size);
    std::wstring m_strHoverTip; // the tip given last

    // Files, folders and the files' total size of the shown folder.
    struct FolderCounts {
        int files = 0;
        int folders = 0;
        uint64_t totalSize = 0;
    };
    FolderCounts CountItems();
    // Reads the folder once the messages waiting now are handled; keepItems keeps the listed
    // entries and their thumbnails while the folder is read again.
    void OpenFolder(const wchar_t* folder, bool keepItems = false);
    // The picture (empty: none) is selected and shown when the next scan lists it.
    void SelectWhenListed(const wchar_t* path) { m_selectWhenListed = path ? path : L""; }

    // The picture handed to the editor; kept by its path, since the list may change meanwhile.
    void SetHandedOver(const wchar_t* path) { m_handedOver = path ? path : L""; }
    const std::wstring& GetHandedOver() const { return m_handedOver; }
    int FindItemByPath(const wchar_t* path);
    // Reads the handed-over picture again when it is still listed; false when there is none.
    bool ReloadHandedOver();

    // The batch engine. A run is in progress while its thread exists and it was not stopped.
    CBatchEngine& BatchEngine() { return *m_batch; }
    bool IsBatchRunning() const;
    bool IsBatchStopping() const;
    bool StartBatchCommand(const wchar_t* command, const wchar_t* arguments);
    bool StartBatchTask(CBatchEngine::BatchTask task);
    void StopBatchTask();
    // Non-zero notify also shows "Batch task is running" at the pointer.
    bool IsOperateDisabled(int notify) override;
    // The operation of the run started last; its end shows that operation's reports.
    BatchOperation m_batchOperation = BatchOperation::Color;
    // The end of a run, on this thread; by default the reports of the operation.
    std::function<void(const BatchSummary& summary)> m_batchEnded;

    // The display settings: the set shown now is taken from the list's own options.
    ListDisplaySettings CurrentDisplaySettings() const;
    void ApplyDisplaySettings(const ListDisplaySettings& settings, bool redraw);
    // Every display, sort and icon-size command calls this; the settings are written when the
    // window goes, and only then.
    void SetDisplaySettingsChanged() { m_bSettingsChanged = true; }
    bool m_bOnlineMode = false; // which set the shown settings belong to
    ListDisplaySettings m_localDisplay = {};
    ListDisplaySettings m_onlineDisplay = {};
    bool m_bSettingsChanged = false;

    // Commands (PictureListCommands.cpp)
    // The current item: the first selected one, else the one under the pointer; folders only
    // when withFolders.
    int GetCurrentItem(bool withFolders) { return GetHoverItem(true, withFolders); }
    void ViewCurrentItem();
    // Hands the current picture (and for Page, Combine and Edit the selection after it) to the
    // editor; false when nothing started.
    bool HandOffToEditor(HandOffMode mode);
    std::vector<HandOffItem> HandOffItems();
    void OpenFolderInExplorer();
    void OpenFolderInBrowser();
    void Refresh();
    // The first selected picture, else the picture under the pointer.
    int CurrentPicture();
    bool HasPicture();
    // Resize of the current picture in place; its thumbnail is made again when it changed.
    void ResizeCurrentPicture();
    void SelectAllItems();
    void DeselectItems();
    void InvertSelection();
    bool m_bSelectAllFolders = false; // the next Select All takes folders too

    // Files (PictureListFiles.cpp)
    void CopyOrCut(bool cut);
    void Paste();
    void DeleteFiles();
    void RenameItem();
    void NewFolder();
    String m_strSourceFolder; // where the held copy and cut sets came from

    // Wallpaper (PictureListWallpaper.cpp): style 0 centre, 1 tile, 2 stretch, 3 keep aspect,
    // 4 automatic.
    bool SetWallpaper(int style);
    // One picture by its path (the viewer's): asked first, like the list's.
    bool SetWallpaperFile(const wchar_t* picture, int style);
    bool ApplyWallpaper(const wchar_t* path, int style);
    void CopyToWallpaperFolder();
    // Under the file's own name, or a new one when that is taken; false when nothing was copied.
    bool CopyFileToWallpaperFolder(const wchar_t* picture);

    // The two buttons on the hovered item (PictureListInput.cpp): the left one, on pictures only,
    // opens the picture's menu (248); the right one, on every item, the copy and move menu (285)
    // made for a folder (Add Favorite) or a picture (Print, EMail).
    struct ItemButtonArt {
        UINT leftId;    // the left button's normal picture, at its own size
        UINT rightId;   // the right button's normal picture
        int rightSize;  // the right button's side; the hot pictures take it too
    };
    // By the item's size: the smaller side of its thumbnail box.
    static ItemButtonArt ItemButtonArtFor(int itemSize);
    using CKQPicListView::RecalclayoutTagSize;
    void RecalclayoutTagSize() override;
    void DrawFocusRect(const CRect& rect, KQ_PIC_LIST_VISIBLE* cell) override;
    bool TestItemBTClicked(int index, const CPoint& point) override;
    // The buttons of the hovered item in client coordinates; false when it shows none (the
    // left one is empty for a folder).
    bool GetItemButtonRects(int index, CRect* left, CRect* right);
    void RedrawItemButtons();
    void DrawItemButtons(const CRect& left, const CRect& right);
    // The list's bitmap under the hovered item's buttons (left, right) as they were last drawn.
    struct ButtonsUnder {
        CRect rect[2];
        std::vector<BYTE> pixels[2];
        int bitmapWidth = 0, bitmapHeight = 0;
        void Save(int k, const CRect& r, const BYTE* bits, int width, int height, int bpp);
        void Restore(int k, BYTE* bits, int width, int bpp) const;
    };
    ButtonsUnder m_buttonsUnder;
    int m_nButtonsUnderItem = -1;
    CKQImageFile m_imgItemMenu, m_imgItemMenuHot, m_imgItemExport, m_imgItemExportHot;
    CSize m_szItemMenu, m_szItemExport;
    ItemButtonArt m_itemButtonArt = {0, 0, 0};
    bool m_bOverItemMenu = false, m_bOverItemExport = false;
    // Shows a menu at the screen point; the copy and move menu is first made for the item.
    std::function<void(UINT menuId, CPoint screen, bool folder)> m_showItemMenu;

    // Shell items (ShellItems.cpp): a tree item without a path of its own (Computer, Network)
    // lists the shell's children: folders with the system's icons, and files.
    struct ShellChild {
        std::wstring name, path; // the path: empty when the shell gives none
        bool folder = false;
        bool picture = false;    // a file the list's filter takes: it gets a thumbnail
        int systemIcon = -1;     // folders: the index in the system image lists
    };
    static std::vector<ShellChild> ReadShellChildren(CZVShellTree& tree, HTREEITEM item);
    void ShowShellItem(CZVShellTree& tree, HTREEITEM item);
    HTREEITEM GetShellItem() const { return m_hShellItem; }
    // Folders with system icons take them at the new size.
    using CKQPicListView::ChangeIconSize;
    void ChangeIconSize(int width, int height, bool redraw) override;
    void ForgetShellItem();

    // Dropped and dragged files (PictureListDragDrop.cpp)
    bool BeginDrag() override;
    // The files a drop hands over: a copy, a move, or nothing; false when nothing was done.
    bool DropFiles(const std::vector<std::wstring>& paths, const CPoint& point);
    KQPathSet m_dragFiles;
    std::vector<std::wstring> m_droppedPaths; // as the last drop gave them
    CPoint m_ptLastMenu;                      // where the list menu last opened, on the screen

    // What the user is asked and told; tests put their own answers in place.
    std::function<int(const wchar_t* text, UINT type)> m_messageBox;
    // True and the text when the user confirms; text holds MAX_PATH characters.
    std::function<bool(wchar_t* text, const wchar_t* prompt, const wchar_t* caption)> m_inputText;
    std::function<void(const wchar_t* text)> m_popupNote;
    std::function<void()> m_showInstallDialog;
    std::function<void(const KQPathSet& files)> m_dragDrop;
    // The recycle bin's delete; false when a path stayed.
    std::function<bool(const KQPathSet& paths)> m_recycle;

    // Online mode (PictureListOnline.cpp): folders at or below the client's Dir cache folder
    // list the server's directory and file-list pages, with a last item "Download More" while
    // the folder has pages not read yet.
    bool UpdateFolder(const wchar_t* path, bool refresh) override;
    using CKQPicListView::UpdateFolder;
    // After a folder (local or online) was opened: the tool bar's history and breadcrumb follow.
    std::function<void(const wchar_t* path)> m_folderOpened;
    // The folder changed (0x703): fromTree when the folder tree asked for it (MarkTreeSetsFolder
    // before its open), so that the tree keeps its selection; treeItem is the folder tree's item
    // that the list shows (Computer, Network), else null and path the folder.
    std::function<void(bool fromTree, HTREEITEM treeItem, const wchar_t* path)> m_folderChanged;
    void MarkTreeSetsFolder() { m_bTreeSetsFolder = true; }
    void StopAll() override;
    int GetItemCount() override;
    bool GetItem(int index, KQ_PIC_LIST_ITEM* item) override;
    bool OnItemClicked(int index) override;
    bool LoadPreviewImage(int fileIndex) override;
    bool LoadFolderPreviewImage(int folderIndex) override;
    unsigned int GetFolderAttr(const wchar_t* path) override;
    String GetItemFullFileName(int index) override;
    // The file that stands for the item on disk: the cached picture of an online item.
    virtual String GetRelatedFileName(int index);
    // A copy of the file entry at fileIndex taken under the lock, without its thumbnail; false
    // when the index is out of range.
    bool FileSnapshot(int fileIndex, CKQListFile& snapshot);
    // The thumbnail of the file item from the file at path, when the item is still listed.
    bool LoadThumbnailFrom(int fileIndex, const wchar_t* path);
    // Opens an online folder (null: reads one page more of the open one).
    void UpdateOnlineFolder(const wchar_t* path);
    void StartOnlineLoader(const wchar_t* path, int pages, int flags);
    void SwitchViewSettings(bool toLocal);
    // Re-opens the shown folder; an online one fetches the directory again.
    void RefreshFolder();
    // The cache folder and server of the settings (when the window is made).
    void BindOnlineToSettings();
    void BindOnline(const wchar_t* cacheRoot, const wchar_t* serverUrl);
    bool IsOnline() const { return m_bOnline; }
    int GetDownloadMoreIndex() const { return m_nDownloadMore; }
    void WaitForOnlineLoader();
    CLumivoShowsClient& GetOnlineClient() { return m_client; }
    // The client's update thread has ended (read or failed); on this window's thread.
    std::function<void()> m_onlineUpdated;
    CLumivoShowsDownloadFileList& GetDownloadQueue() { return m_downloads; }
    // The download queue's progress reports, on its worker: the viewer waiting for the picture
    // shows how much has come. Always goes on.
    static bool DownloadPicCB(CHttpDownload* download, long event, long value);
    // The viewer over the main frame on the picture; fileIndex counts the pictures only.
    void ShowFullPicture(int fileIndex) override;
    // When the steps of the last online open ended (QueryPerformanceCounter ticks, 0: not yet),
    // for the benchmark: the open asked for, the old items gone and the loader started, the pages
    // read, the records handed to the window's thread, taken there, inserted, laid out.
    struct OnlineOpenSteps {
        std::atomic<int64_t> opened{0}, cleared{0}, read{0}, handed{0}, received{0}, inserted{0}, laidOut{0};
    };
    OnlineOpenSteps m_onlineSteps;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnUpdateView(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFolderChangedMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenPendingFolder(WPARAM, LPARAM);
    afx_msg LRESULT OnBatchItemDone(WPARAM, LPARAM);
    afx_msg LRESULT OnBatchFolderReload(WPARAM, LPARAM);
    afx_msg LRESULT OnBatchPost(WPARAM, LPARAM);
    afx_msg LRESULT OnBatchSummary(WPARAM, LPARAM);
    afx_msg LRESULT OnFolderScanEnded(WPARAM, LPARAM);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint pos);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg void OnListCommand(UINT id);
    afx_msg void OnUpdateListCommand(CCmdUI* pCmdUI);
    afx_msg LRESULT OnShowOnlineFolder(WPARAM, LPARAM);
    afx_msg LRESULT OnOnlineLoaded(WPARAM generation, LPARAM path);
    afx_msg LRESULT OnOnlineUpdated(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    class BatchHostImpl;
    friend class BatchHostImpl;
    int Ask(const wchar_t* text, UINT type);
    void Note(const wchar_t* text);
    bool EnsureEditor();
    void AfterFileChange();
    std::wstring m_handedOver;
    std::wstring m_pendingFolder;
    std::wstring m_selectWhenListed;
    bool m_bSelectArmed = false; // the scan that should list it has started
    bool m_bPendingKeep = false;
    int m_nRevealAfterScan = -1; // with the item count before a paste: show the first new item
    bool m_bRevealArmed = false;      // the scan after the paste has started
    std::unique_ptr<BatchHostImpl> m_batchHost;
    std::unique_ptr<CBatchEngine> m_batch;

    // Online mode
    struct OnlineFolderItem {
        std::wstring name;
        bool preview = false; // the server has <name>\<name>.webp
        bool done = false;    // preview fetched, or answered 404
    };
    // What a loader hands to the window's thread: the folder's records read since the last
    // hand-over, and which of them the cache holds (asked on the loader, not on the window's thread).
    struct OnlineLoaded {
        std::wstring path;
        bool shown = false;
        std::vector<OnlineFolderItem> folders;
        std::vector<PicDirFile> files;
        std::vector<bool> cached;
    };
    void OnlineLoaderThread(std::wstring path, int pages, int flags, int generation);
    void TakeOnlineRecords(OnlineLoaded& loaded);
    void FillOnlineList(OnlineLoaded& loaded);
    void ResetScanState(const wchar_t* path);
    // The download queue over the online folder's pictures: a list index names a picture item
    // (folders and "Download More" are none), whose state bits the queue shares. Its hooks run
    // on the queue's worker and take the list's lock.
    class OnlineDownloads : public CLumivoShowsDownloadFileList {
    public:
        explicit OnlineDownloads(CPictureListView& list) : m_list(list) {}
        // The worker goes before the hooks it calls.
        ~OnlineDownloads() override { StopAll(); }

    protected:
        CKQListFile* GetDownloadItem(int index) override;
        unsigned GetDownloadItemState(CKQListFile* item) override;
        void ChangeDownloadItemState(CKQListFile* item, unsigned set, unsigned clear) override;
        KQStringW GetDownloadItemName(CKQListFile* item) override;
        const CLumivoFile* GetDownloadItemRecord(CKQListFile* item) override;

    private:
        CPictureListView& m_list;
        // A copy of the record the worker fetches: a page read meanwhile may move the list's.
        CLumivoFile m_record;
    };
    CLumivoShowsClient m_client;
    CLumivoShowsClientUI m_clientUI;
    OnlineDownloads m_downloads{*this};
    bool m_bOnline = false;
    bool m_bTreeSetsFolder = false;
    int m_nRefreshFlags = 0;
    std::atomic<int> m_nDownloadMore{-1};
    CKQImageFile m_imgDownloadMore;
    std::unique_ptr<std::thread> m_pOnlineLoader;
    std::atomic<bool> m_bOnlineStop{false};
    std::atomic<bool> m_bLoaderDone{true};
    int m_nLoaderGeneration = 0;
    // The shown folder's records, indexed like the list's folders and files (under the list lock).
    std::vector<OnlineFolderItem> m_onlineFolders;
    // The shell item shown (null: a folder of the disk or online), its children indexed like
    // the list's items (under the list lock), and the cells' height to put back.
    HTREEITEM m_hShellItem = nullptr;
    CZVShellTree* m_pShellTree = nullptr;
    std::vector<ShellChild> m_shellChildren;
    bool m_bShellIconsPending = false;
    // The online pictures' records, indexed by the entries' m_nSpare (under the list lock). The
    // entries borrow their name and caption from these records: they are cleared only after the
    // entries are gone.
    std::vector<PicDirFile> m_onlineFiles;
};

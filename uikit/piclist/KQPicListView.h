#pragma once
// CKQPicListView: the thumbnail list of a folder, sub-folders first, then picture files. Its
// model (entries, states, sorting, removal, the folder scan) and the preview loading (the
// thumbnail cache and the preview thread) work without a window (KQPicListView.cpp); the window
// lays the entries out in a grid of cells, paints them into one bitmap and scrolls
// (KQPicListViewWnd.cpp). The layout changes only on the window's thread: the other threads
// ask for it by posting 0x700.
//
// Threads: the window's thread, the scan thread (CFolderBrowser) and the preview thread. Every
// read or change of the two entry lists holds the scanner's lock (Lock/Unlock; a list lookup
// moves the list's remembered position, so even a read changes it). Nothing touches the disk
// or decodes a picture while holding it: the preview thread takes a copy of an entry, makes its
// thumbnail, and attaches it only if the entry is still in the list. The pictures GetItem hands
// out stay valid while the lock is held (a thumbnail far from the preview range may be released
// to keep the list within its memory budget): the window's thread draws under Lock.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>
#include "AnimateImage.h"
#include "AppFrame.h"
#include "BrowserShellBreadcrumb.h"
#include "FolderBrowser.h"
#include "KQImageFile.h"
#include "KQListFile.h"
#include "KQMemDC.h"
#include "KQPLVToolBar.h"
#include "PicListLayout.h"
#include "SkinUI.h"
#include "TMap.h"
#include "ZVUILibDef.h"

// What GetItem gives for one entry.
struct KQ_PIC_LIST_ITEM {
    ALT::TString<wchar_t, 0, 8> strText;
    CKQImageFile* pImage;       // never owned by the record
    IMAGR_FILE_INFO* pInfo;     // null for folders
    uint32_t nState;
};

// Item state bits.
enum : uint32_t {
    KQLS_SELECTED = 0x01,
    KQLS_FOLDER = 0x02,
    KQLS_HIDDEN = 0x04,
    KQLS_CUT = 0x08,
    KQLS_COPIED = 0x10,
    KQLS_READONLY = 0x20,
    KQLS_DOWNLOAD = 0x40,
    KQLS_DOWNLOADING = 0x80,
    KQLS_ALERT = 0x100,
    KQLS_FAVORITE = 0x200,
    KQLS_CLOSE_BUTTON = 0x40000,
    KQLS_ADD_BUTTON = 0x80000,
};

// One cell on the screen: the entry as GetItem gives it, its index and its rectangle in the
// list's coordinates.
struct KQ_PIC_LIST_VISIBLE {
    KQ_PIC_LIST_ITEM item;
    int index;
    CRect rect;
};

// Private messages of the list.
const UINT KQLV_MSG_UPDATE_VIEW = 0x700;
const UINT KQLV_MSG_UPDATE_FOLDER = 0x701;
const UINT KQLV_MSG_FOLDER_CHANGED = 0x703;
// wParam non-zero: the loading animation shows (no scroll bar); zero: it goes.
const UINT KQLV_MSG_SHOW_LOADING = 0x706;
// From the preview thread: wParam 1 starts the repaint timer, 0 stops it (timers belong to
// the window's thread).
const UINT KQLV_MSG_PREVIEW_TIMER = 0x70B;

class CKQPicListView;
// The state of one folder-preview walk.
struct ST_GetFolderPicSubFiles {
    int nWanted;
    int nFound;
    int nSubFolders;
    ALT::TList<CKQImageFile>* pList;
    CKQPicListView* pView;
    int nSeen;            // entries looked at, bounded so that a huge sub-tree cannot hold up a scan
    bool bIgnoreMinimum;  // every picture counts, whatever its size
};

// The breadcrumb above the list drives it through IKQFolderListTarget.
class ZVUILIB_API CKQPicListView : public CWnd, public CKQPLVToolBar, public IKQFolderListTarget {
    DECLARE_DYNAMIC(CKQPicListView)
public:
    typedef ALT::TString<wchar_t, 0, 8> String;
    typedef ALT::TMap<String, bool> PathFlags;

    // The cell sizes: 0 list rows, 1 to 4 thumbnails of 128, 192, 256 and 342 pixels.
    enum KQ_LS_ICON_SIZE { KQ_LS_ICON_LIST = 0, KQ_LS_ICON_SMALL = 1, KQ_LS_ICON_MEDIUM = 2, KQ_LS_ICON_LARGE = 3, KQ_LS_ICON_HUGE = 4 };
    // The badges, in the order they are drawn.
    enum Badge { BADGE_CUT, BADGE_COPY, BADGE_SELECT, BADGE_READONLY, BADGE_HIDDEN, BADGE_DOWNLOADING, BADGE_DOWNLOAD,
                 BADGE_ALERT, BADGE_FAVORITE, BADGE_CLOSE, BADGE_ADD, BADGE_COUNT };

    CKQPicListView();
    ~CKQPicListView() override;

    // Layout
    virtual void ChangeIconSize(KQ_LS_ICON_SIZE size, bool redraw);
    virtual void ChangeIconSize(int width, int height, bool redraw);
    void Recalclayout();
    void RecalclayoutIcon(bool lock);
    virtual void RecalclayoutTagSize();
    virtual bool RecalclayoutTagSize(CZVImage& picture, int size, unsigned int resId, HINSTANCE module);
    virtual bool RecalclayoutTagSize(CZVImage& picture, CSize& size, unsigned int resId, HINSTANCE module);
    bool EnsureVisible(int index, bool redraw);
    bool IsItemVisible(int index);
    int IndexToScrIndex(int index);
    int GetItemOnPoint(const CPoint& point, int* cell);

    // Painting
    void DrawListView();
    void DrawListIcon(KQ_PIC_LIST_VISIBLE* cell);
    virtual void DrawItemText(const CRect& picture, const CRect& text, KQ_PIC_LIST_VISIBLE* cell);
    virtual void DrawFolderItemText(const CRect& box, KQ_PIC_LIST_VISIBLE* cell);
    virtual void DrawItemHorzText(const CRect& picture, const CRect& text, KQ_PIC_LIST_VISIBLE* cell);
    // The badge painters: picture box, text box, cell.
    virtual void DrawBadge(Badge badge, const CRect& picture, const CRect& text, const CRect& cell);
    virtual void DrawItemCut(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_CUT, p, t, c); }
    virtual void DrawItemCopy(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_COPY, p, t, c); }
    virtual void DrawItemSelect(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_SELECT, p, t, c); }
    virtual void DrawItemReadOnly(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_READONLY, p, t, c); }
    virtual void DrawItemHidden(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_HIDDEN, p, t, c); }
    virtual void DrawItemDownload(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_DOWNLOAD, p, t, c); }
    virtual void DrawItemDownloading(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_DOWNLOADING, p, t, c); }
    virtual void DrawItemAlert(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_ALERT, p, t, c); }
    virtual void DrawItemFavorite(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_FAVORITE, p, t, c); }
    virtual void DrawItemCloseBT(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_CLOSE, p, t, c); }
    virtual void DrawItemAddBT(const CRect& p, const CRect& t, const CRect& c) { DrawBadge(BADGE_ADD, p, t, c); }
    virtual void DrawFocusRect(const CRect& rect, KQ_PIC_LIST_VISIBLE* cell);
    virtual void DrawFolderIcon(CBCGPDrawManager& dm, KQ_PIC_LIST_VISIBLE* cell, const CRect& box, CRect* drawn);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Item access and state
    virtual bool GetItem(int index, KQ_PIC_LIST_ITEM* item);
    virtual String GetItemText(int index);
    virtual int GetItemCount();
    virtual bool SetItemState(int index, unsigned int set, unsigned int clear);
    virtual unsigned int GetItemState(int index);
    virtual bool SetItemText(int index, const wchar_t* text);
    virtual String GetItemFullFileName(int index);
    virtual void RemoveAllItem();
    virtual void Lock();
    virtual void Unlock();
    virtual CKQImageFile* GetLoadingImage();
    virtual void OnIconLoadedUpdate(int index);
    virtual bool OnFileSearched(const wchar_t* path, unsigned int& state);
    virtual bool OnItemSingleSelected(int index);
    virtual void OnEndFolderSearch();
    virtual bool ItemExchange(int a, int b);
    virtual void StopAll();
    // Lets folder walks run again after StopAll, for a subclass that fills the list itself.
    void ResumeWalks() { m_bAbortWalks = false; }
    virtual unsigned int GetFolderAttr(const wchar_t* path);
    virtual void UpdateItemIcon(int index);
    virtual bool IsOperateDisabled(int operation);
    virtual void OnItemSelStateChanged(int index, bool selected);
    virtual int GetNextSelectItem(int start);
    virtual bool UpdateFolder(const wchar_t* path, bool refresh);
    // The breadcrumb's view of the list: the folder shown, and opening another.
    CString GetCurrentFolder() const override;
    void UpdateFolder(const CString& path, bool keepEntries) override;
    // A picture (a PNG resource of the caller's or the library's; -1 none) with a caption in
    // place of the entries, until the next folder opens.
    void ShowSplash(const wchar_t* text, int pictureId);
    virtual bool LoadImageIcon(ALT::TListIter<CKQListFile>& entry, const wchar_t* path, int fileIndex);
    virtual bool DeleteItem(int index, bool deleteFile, bool redraw);
    virtual int RemoveSelectItem(bool redraw);
    virtual void OnIdleUpdatePreviewThread();
    virtual bool LoadPreviewImage(int fileIndex);
    virtual bool LoadFolderPreviewImage(int folderIndex);
    virtual bool LoadFolderThumbnail(const ALT::TListIter<CKQListFolder>& folder, const wchar_t* parentPath);
    virtual int GetFolderPicSubFiles(const wchar_t* folder, int count, ALT::TList<CKQImageFile>* pictures);

    bool GotoParentFolder();
    bool SetFolderImage(int folderIndex, HICON icon);
    void UpdateItemCopyCutState();
    bool SortItemByName();
    bool SortItemBySize();
    bool SortItemByDate();
    bool SortItemByType();
    bool SortItemByAscend();
    bool SortItemByDescend();

    // The thumbnail cache
    bool LoadThumbnail(const wchar_t* path, CZVImage* picture, String& cachePath, CKQListFile* entry);
    bool SaveThumbnailHeader(const wchar_t* cachePath, CKQListFile* entry);
    bool LoadThumbnailHeader(const wchar_t* cachePath, CKQListFile* entry);
    bool LoadCachedThumbnail(const wchar_t* cachePath, CZVImage* picture, CKQListFile* entry);
    static XSCAN_RES XScanPicSubFilesCallback(CFileIO* io, const wchar_t* path, unsigned long size, ST_GetFolderPicSubFiles* walk);
    void ClearImageCache(int index);
    void UpdatePreviewImageList(int first, int count, bool fromFirstFile);
    void UpdatePreviewThread();
    // The folder the cache files go to, created when missing.
    String GetThumbnailFolder();

    // Posts the relayout message to the window, when there is one.
    void PostUpdateView();
    bool IsScanning() const { return !m_folderBrowser.IsStopped(); }

    // Model
    CFolderBrowser m_folderBrowser;
    String m_strFolder;
    String m_strFilter;
    std::atomic<bool> m_bKeepItems{false};

    // Options
    bool m_bFolderPreview = true;
    bool m_bThumbnailCache = true;
    bool m_bDeepFolderPreview = true;
    bool m_bMinSize = false;
    uint64_t m_nMinSize = 20480;
    uint16_t m_nAnimate = 1;
    int32_t m_nFitMode = 0;
    bool m_bSingleSelect = false;
    bool m_bKeepSelect = false;
    bool m_bFolderSelect = false;
    bool m_bAltLoading = false;
    String m_strThumbnailFolder; // empty: the user setting
    // The most the thumbnails of this list may take; those farthest from the preview range go first.
    uint64_t m_nThumbnailBudget = 150ull * 1024 * 1024;

    // Layout facts the preview loading uses
    std::atomic<int> m_nBoxWidth{192};
    std::atomic<int> m_nBoxHeight{144};
    std::atomic<int> m_nColumns{1};
    std::atomic<int> m_nFirstVisible{0};
    std::atomic<int> m_nVisibleCount{0};
    std::atomic<int> m_nPreviewFirst{0};
    std::atomic<int> m_nPreviewCount{0};

    // Preview thread
    std::unique_ptr<std::thread> m_pPreviewThread;
    std::atomic<bool> m_bPreviewUpdate{false};
    std::atomic<bool> m_bPreviewRunning{false};
    std::atomic<bool> m_bPreviewStop{false};
    std::atomic<bool> m_bRepaintNeeded{false};
    std::atomic<bool> m_bFolderPreviewPresent{false};
    std::atomic<bool> m_bWindowAlive{false};
    int m_nIdleInterval = 200;
    // The idle preview thread waits on this between its looks at m_bPreviewUpdate; StopAll
    // wakes it at once instead of waiting out the interval.
    std::mutex m_previewIdleLock;
    std::condition_variable m_previewIdle;
    // Threads that make the thumbnails of one pass together (the preview thread among them);
    // a subclass whose loading is not thread-safe sets 1.
    int m_nPreviewWorkers = DefaultPreviewWorkers();
    static int DefaultPreviewWorkers();

    // Window and looks
    int m_nClientWidth = 0, m_nClientHeight = 0; // the height without the tool strip
    CBCGPScrollBar m_wndScrollBar;
    int m_nScrollBarWidth = 0;
    bool m_bScrollBarShown = false;
    CKQMemDC m_memDC;
    CToolTipCtrl* m_pToolTipCtrl = nullptr;
    bool m_bListMode = false;
    bool m_bShowName = true, m_bShowSize = false, m_bShowDate = false;
    bool m_bTileBackground = false;
    int m_nNameLines = 2;
    int m_nIconSize = -1; // none yet
    COLORREF m_clrBackground = RGB(255, 255, 255);
    COLORREF m_clrText = RGB(0, 0, 0);
    CFont m_font;
    CSize m_szLine{8, 16}; // the letter O in the list font
    CAnimateImage m_animate;
    bool m_bLoading = false;
    String m_strSplash;
    int m_nSplashRes = -1;

    // Layout, on the window's thread
    KQListLayout m_layout;
    int m_nScrollPos = 0;
    int m_nCellWidth = 192, m_nCellHeight = 144;
    std::vector<KQ_PIC_LIST_VISIBLE> m_visible;
    bool m_bAnimating = false; // timer 2 runs

    // Selection
    int m_nLastSingleSelected = -1;
    int m_nLastDeleted = -1;
    int m_nHover = -1;
    PathFlags m_copyPaths;
    PathFlags m_cutPaths;

    // Pictures of the view itself
    CKQImageFile m_imgLoading[2];
    CKQImageFile m_imgBroken;
    CKQImageFile m_imgFolder;
    CKQImageFile m_imgLargeFolder;
    CKQImageFile m_imgBackground;
    CKQImageFile m_imgBadge[BADGE_COUNT];
    CSize m_szBadge[BADGE_COUNT];

    // Counters the tests and benchmarks read: source pictures decoded for the cache path, and
    // relayout messages asked for.
    std::atomic<int> m_nSourceDecodes{0};
    std::atomic<int> m_nUpdatePosts{0};

    // Scrolls to the position (clamped), lays out, asks for previews and repaints.
    void ScrollTo(int pos);
    // The entries of the preview range are those on the screen.
    void RequestPreviewUpdate();
    int GetListHeight() const { return m_nClientHeight; }

    // Interaction: selection, mouse, keys, type-ahead, touch, item drag (KQPicListViewInput.cpp)
    virtual int GetHoverItem(bool selectedFirst, bool withFolders);
    virtual bool OnItemClicked(int index);
    virtual bool OnItemDBClicked(int index);
    virtual void ShowFullPicture(int fileIndex);
    virtual bool ItemCloseBTClicked(int index);
    virtual bool ItemAddBTClicked(int index);
    virtual bool BeginDrag();
    virtual void HoverItem(int index, bool post);
    virtual void Deselect();
    virtual void SelectAll();
    virtual bool ToggleSelectItem(int index, bool redraw);
    virtual void OnHoverItem(KQ_PIC_LIST_ITEM* item);
    virtual bool TestItemBTClicked(int index, const CPoint& point);
    bool IsHoverItemFile();
    void EnableExchange(bool enable);
    void TestHoverItem(const CPoint& point);
    void TestSelectedIcon(const CPoint& point);
    bool TestItemCloseBTClicked(const CPoint& point);
    bool TestItemAddBTClicked(const CPoint& point);
    bool TestItemCloseBTHover(const CPoint& point);
    bool TestItemAddBTHover(const CPoint& point);
    void OnCharSearch(unsigned int ch);
    void OnArrowKeyDown(unsigned int key);
    void OnTouchInputDown(const CPoint& point);
    void OnTouchInputMove(const CPoint& point);
    void OnTouchInputUp(const CPoint& point);
    BOOL OnTouchInput(CPoint point, int inputNumber, int inputCount, PTOUCHINPUT input) override;
    // Time for type-ahead and long presses; tests set their own.
    std::function<DWORD()> m_clock = [] { return ::GetTickCount(); };
    bool m_bMouseDown = false;
    bool m_bExchange = false;
    bool m_bTouchActive = false;
    bool m_bTouchScrolled = false;
    int m_nHandCursor = 0;        // 1 over an add button, 2 over a close button
    int m_nPressed = -1;          // the entry under the press
    bool m_bDragging = false;
    CPoint m_ptPress, m_ptDragOffset, m_ptDrag;
    bool m_bBandArmed = false;    // pressed; the band shows once it is big enough
    bool m_bBand = false;
    CPoint m_ptBandStart, m_ptBandEnd; // in content coordinates
    int m_nSmoothStep = 0;
    CPoint m_ptLastMouse{-1, -1};
    bool m_bTrackingLeave = false;
    bool m_bRangeSelect = false;  // Shift, as the message being handled says
    DWORD m_nTouchStart = 0;
    CPoint m_ptTouchStart, m_ptTouchLast;
    String m_strTyped;
    int m_nLastMatch = -1;
    DWORD m_nTypedAt = 0;
    // Timers 1 and 3; false when the timer is not one of them.
    bool OnInputTimer(UINT_PTR id);
    // The band and the dragged thumbnail over the painted cells.
    void DrawInteraction();
    // Ends the band and the item drag without exchanging anything.
    void CancelMouseTracking();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint pt);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint pos);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewTimer(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateView(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateFolder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFolderChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowLoading(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool SortFiles();
    bool SortFolders();
    bool SortBy(KQ_LIST_SORT key);
    bool Resort();
    void TrimThumbnails(std::vector<CKQImageFile*>& released);
    void PruneMissing();
    // Makes the thumbnail of file entry fileIndex outside the lock and attaches it under it.
    bool LoadEntryThumbnail(int fileIndex, bool force);
    std::atomic<bool> m_bAbortWalks{false};
    String m_strThumbnailFolderInUse; // resolved by UpdateFolder
    int m_nAttachesSinceTrim = 0;
    uint64_t m_nThumbnailBytesBound = 0; // the held thumbnails as counted at attaching, since the last walk
};

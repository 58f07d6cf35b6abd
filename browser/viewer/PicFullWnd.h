#pragma once
// CPicFullWnd: the viewer's picture area. It shows one picture of the list at a time, fitted or
// zoomed, turned by quarter turns, animated, with the neighbouring thumbnails down both sides,
// and slides or grows from one picture to the next. It keeps copies of what it reads from the
// list (paths, sizes), never the list's records.
#include <string>
#include <vector>
#include "AnimateImage.h"
#include "AppFrame.h"
#include "KQMemDC.h"
#include "ViewerCache.h"
#include "ViewerLayout.h"
#include "ZVImage.h"

class CPictureListView;
class CPicFullScreenFrame;

extern const wchar_t kViewerWndClass[];

// Flags of ShowPicture.
enum : int { SHOW_WRAP = 1, SHOW_QUICK = 2 };
// ShowPicture's targets besides an index.
enum : int { SHOW_NEXT = -1, SHOW_PREVIOUS = -2 };

// Timers of the window.
enum : UINT_PTR { TIMER_ANIMATION = 0, TIMER_SLIDE = 1, TIMER_GROW = 2 };

class CPicFullWnd : public CWnd {
public:
    CPicFullWnd();
    ~CPicFullWnd() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void SetList(CPictureListView* list) { m_pList = list; }
    void SetFrame(CPicFullScreenFrame* frame) { m_pFrame = frame; }

    bool ShowPicture(int target, int flags);
    bool OpenFile(const wchar_t* path);
    void ZoomIn();
    void ZoomOut();
    void SetZoom(float zoom);
    void Rotate(int degrees);
    // Writes the picture turned by the rotation into its file (beside it, then in its place).
    bool SaveRotated();
    void SetFitMode();
    void SetFullScreen(bool on);
    void ToggleTile();
    void ToggleStrip();
    void ToggleZoomLock();
    void StepFrame(bool backward);
    // The animation bar's buttons.
    void AnimationCommand(UINT id);
    // One touch event: pinches zoom, a swipe moves on.
    void OnTouchRecord(const viewer::TouchRecord& record);

    // Picture n of the list leaves it: the list unlinks it under its lock; the viewer keeps
    // showing its picture, or shows the one now in the gone one's place (the one before after
    // the last). Returns the pictures left.
    int RemoveItem(int index);

    // The list found the file the viewer opened on: it becomes the current item. Only the scan
    // that was running when the viewer opened may place it: ForgetStartupFile after it ends.
    void AdoptListPosition();
    void ForgetStartupFile() { m_bAwaitsListPosition = false; }
    bool AwaitsListPosition() const { return m_bAwaitsListPosition; }
    bool ShowsInStrip(int listIndex);

    void LayoutStrip();
    void LayoutPicture();
    void PrepareDisplay(bool updateTitle = true);
    void Render();

    // What the window shows, for the frame and the tests.
    int GetCurrent() const { return m_nCurrent; }
    int GetPictureCount();
    const std::wstring& GetPath() const { return m_strPath; }
    // The shown file was renamed.
    void SetShownPath(const std::wstring& path) { m_strPath = path; }
    float GetZoom() { return m_cache.Shown().place.zoom; }
    int GetAngle() const { return m_nAngle; }
    bool IsAnimated() const { return m_bAnimated; }
    bool IsTransitionRunning() const { return m_nTransitionTimer != 0; }
    UINT_PTR GetTransitionTimer() const { return m_nTransitionTimer; }
    const viewer::PicturePlace& GetPlace() { return m_cache.Shown().place; }
    const ViewerCacheEntry& GetShownEntry() { return m_cache.Shown(); }
    const std::vector<viewer::StripCell>& GetStripCells() const { return m_cells; }
    const std::wstring& GetLastNote() const { return m_strLastNote; }
    int GetNoteCount() const { return m_nNotes; }
    // The text shown in place of a picture that is not there (downloading, failed), or empty.
    const std::wstring& GetSplashText() const { return m_strSplash; }
    // The loading animation over a picture being fetched, and the percentage it shows (-1 none).
    bool IsLoadingShown() const { return m_loader.IsVisabled(); }
    int GetLoadingProgress() const { return m_loader.GetProgress(); }
    std::wstring GetAniCaption() const;
    std::wstring GetTitleText();
    // Pops up a translated note over the viewer with the warning sound.
    void Note(const wchar_t* text);

    bool m_bFitMode = true;
    bool m_bTileMode = false;
    bool m_bZoomLocked = false;
    float m_fLockedZoom = 1.0f;
    bool m_bStripVisible = true;
    bool m_bFullScreen = false;
    bool m_bZoomButtonHeld = false;
    bool m_bFreeView = false;
    COLORREF m_crBack = RGB(40, 40, 40);
    // The tick source; tests move time on without waiting.
    unsigned (*m_pTickCount)() = nullptr;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnUpdateView(WPARAM, LPARAM);
    afx_msg LRESULT OnTouch(WPARAM, LPARAM);
    afx_msg LRESULT OnDownloaded(WPARAM result, LPARAM ticket);
    afx_msg LRESULT OnDownloadProgress(WPARAM percent, LPARAM ticket);
    DECLARE_MESSAGE_MAP()

private:
    unsigned Now() const;
    bool LoadInto(ViewerCacheEntry& entry, const std::wstring& path);
    // A picture just loaded fits the window, its animation runs, the strip and display follow.
    void FitLoadedEntry(ViewerCacheEntry& entry);
    // An online picture not fetched yet: asks the download list for it and its neighbours.
    bool StartDownload(const std::wstring& path);
    void EnsureFullDecode();
    void StartAnimation();
    void StopTransition();
    void DrawPicture(CDC& dc, const ViewerCacheEntry& entry, const RECT& rc);
    void DrawStrip(CDC& dc);
    void Present();
    viewer::PictureFrame Frame(const ViewerCacheEntry& entry) const;
    viewer::ZoneFrame Zones();
    int FirstPictureIndex();

    CPictureListView* m_pList = nullptr;
    CPicFullScreenFrame* m_pFrame = nullptr;
    ViewerCache m_cache;
    CKQMemDC m_memDC;
    std::wstring m_strPath;
    int m_nCurrent = -1;
    int m_nAngle = 0;
    int m_nDirection = 1;
    bool m_bAnimated = false;
    bool m_bPlaying = false;
    bool m_bBackward = false;
    bool m_bStripDirty = true;
    bool m_bLoop = false;
    bool m_bKeepCentred = false;
    int m_nClientWidth = 0, m_nClientHeight = 0;
    RECT m_rcFit = {};
    SIZE m_thumb = {120, 100};
    viewer::StripWindow m_strip;
    std::vector<viewer::StripCell> m_cells;
    int m_nHover = -1;
    int m_nCursorKind = 0;
    CPoint m_down{-1, -1};
    unsigned m_nLastWheel = 0, m_nLastNavigate = 0;
    int m_nTransitionStep = 0;
    UINT_PTR m_nTransitionTimer = 0;
    std::wstring m_strLastNote;
    int m_nNotes = 0;
    std::wstring m_strSplash;
    unsigned m_nDownloadTicket = 0; // of the download the viewer waits for, 0 none
    CAnimateImage m_loader;         // shown while it waits
    bool m_bAwaitsListPosition = false; // opened on a file that the list has not placed yet
    viewer::TouchGestures m_touch;
    // The strip's art: the checker under thumbnails (seen through transparent ones) and the
    // pictures of cells whose thumbnail is not there yet, a picture's and a download's.
    CZVImage m_checker;
    CZVImage m_placeholders[2];
    bool m_bStripArtLoaded = false;
};

// The one viewer window, null while none is open.
extern CPicFullWnd* g_pPicFullWnd;

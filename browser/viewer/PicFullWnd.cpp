#include "PicFullWnd.h"
#include <algorithm>
#include <mmsystem.h>
#include "BrowserUtil.h"
#include "KQPPopupWindow.h"
#include "PicFullScreenFrame.h"
#include "PictureListView.h"
#include "ViewerIds.h"
#include "ZVUILibApp.h"

const wchar_t kViewerWndClass[] = L"LumivoViewerFullWnd";
CPicFullWnd* g_pPicFullWnd = nullptr;

using namespace viewer;

BEGIN_MESSAGE_MAP(CPicFullWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_MESSAGE(KQLV_MSG_UPDATE_VIEW, OnUpdateView)
    ON_MESSAGE(WM_TOUCH, OnTouch)
    ON_MESSAGE(WM_SHOWS_VIEWER_LOADED, OnDownloaded)
    ON_MESSAGE(WM_SHOWS_VIEWER_PROGRESS, OnDownloadProgress)
END_MESSAGE_MAP()

CPicFullWnd::CPicFullWnd()
{
    g_pPicFullWnd = this;
    RECT work = {0, 0, 1920, 1080};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    m_thumb = StripCellSize(work.right - work.left);
}

CPicFullWnd::~CPicFullWnd()
{
    if (g_pPicFullWnd == this)
        g_pPicFullWnd = nullptr;
}

BOOL CPicFullWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    WNDCLASSEXW wc = {sizeof wc};
    if (!::GetClassInfoExW(AfxGetInstanceHandle(), kViewerWndClass, &wc)) {
        wc = WNDCLASSEXW{sizeof wc};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kViewerWndClass;
        if (!::RegisterClassExW(&wc))
            return FALSE;
    }
    cs.lpszClass = kViewerWndClass;
    return TRUE;
}

unsigned CPicFullWnd::Now() const
{
    return m_pTickCount ? m_pTickCount() : ::GetTickCount();
}

int CPicFullWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_nCurrent = -1;
    m_bFitMode = true;
    m_bStripDirty = true;
    m_nDirection = 1;
    ::RegisterTouchWindow(m_hWnd, 0);
    m_loader.SetOwner(this);
    m_loader.OnCreate();
    m_loader.SetLoadingText(TranslateString(L"Downloading"));
    return 0;
}

void CPicFullWnd::OnDestroy()
{
    for (UINT_PTR id : {TIMER_ANIMATION, TIMER_SLIDE, TIMER_GROW})
        KillTimer(id);
    if (m_nDownloadTicket && m_pList)
        m_pList->GetDownloadQueue().RegisterViewer(nullptr, nullptr);
    m_nDownloadTicket = 0;
    m_loader.ShowLoading(false);
    m_loader.OnDestroy();
    CWnd::OnDestroy();
}

BOOL CPicFullWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CPicFullWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_memDC.GetSafeHdc())
        dc.BitBlt(0, 0, m_nClientWidth, m_nClientHeight, &m_memDC, 0, 0, SRCCOPY);
}

void CPicFullWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (cx <= 0 || cy <= 0)
        return;
    m_nClientWidth = cx;
    m_nClientHeight = cy;
    m_rcFit = RECT{0, 0, cx, cy};
    if (!m_bFullScreen) {
        const int side = m_thumb.cx + 2 * kStripMargin;
        if (cx > 2 * side) {
            m_rcFit.left += side;
            m_rcFit.right -= side;
        }
    }
    m_bStripDirty = true;
    m_memDC.AdjustGDIBitmap(cx, cy, 32);
    if (m_bFitMode)
        m_cache.Shown().place.zoom = 1.0f;
    LayoutStrip();
    PrepareDisplay();
    Render();
}

int CPicFullWnd::FirstPictureIndex()
{
    // Sub-folders come first in the list; the viewer walks its pictures only.
    int first = 0;
    const int count = m_pList->GetItemCount();
    while (first < count && (m_pList->GetItemState(first) & KQLS_FOLDER))
        ++first;
    return first;
}

int CPicFullWnd::GetPictureCount()
{
    if (!m_pList || !m_pList->GetSafeHwnd())
        return 0;
    return m_pList->GetItemCount() - FirstPictureIndex();
}

void CPicFullWnd::Note(const wchar_t* text)
{
    m_strLastNote = text;
    ++m_nNotes;
    PopupNotifyWnd(TranslateString(text), 2, ::LoadIconW(nullptr, IDI_INFORMATION), nullptr);
    // Without a sound device (Wine here) this stays silent.
    ::PlaySoundW(MAKEINTRESOURCEW(IDR_VIEWER_WARNING), AfxGetResourceHandle(), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

bool CPicFullWnd::LoadInto(ViewerCacheEntry& entry, const std::wstring& path)
{
    // Decoded no larger than the fit area needs; the full picture comes when a zoom needs it.
    RECT fit = m_rcFit;
    if (fit.right <= fit.left || fit.bottom <= fit.top)
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &fit, 0);
    // The smallest decode that still covers the fit; a quarter turn or a zoom past it decodes
    // the full picture (EnsureFullDecode).
    if (!m_bZoomLocked || m_fLockedZoom < 1.0f)
        entry.source->SetShrinkOnLoad(fit.right - fit.left, fit.bottom - fit.top, true);
    if (!entry.source->LoadFile(path.c_str()))
        return false;
    entry.fullWidth = entry.source->GetOriginalWidth() ? entry.source->GetOriginalWidth() : entry.source->GetWidth();
    entry.fullHeight = entry.source->GetOriginalHeight() ? entry.source->GetOriginalHeight() : entry.source->GetHeight();
    // Shown upright as the camera's orientation tag says.
    const CX_IMAGE_EXIFINFO* exif = entry.source->GetExifInfo();
    if (exif->IsExif && exif->Orientation >= 5)
        std::swap(entry.fullWidth, entry.fullHeight);
    entry.source->RotateExif(0);
    entry.shrunk = entry.source->GetWidth() < static_cast<DWORD>(entry.fullWidth);
    entry.loaded = true;
    return true;
}

void CPicFullWnd::FitLoadedEntry(ViewerCacheEntry& entry)
{
    entry.place.zoom = 1.0f;
    m_bFitMode = true;
    if (entry.loaded && entry.source->GetNumFrames() > 1) {
        StartAnimation();
        m_bAnimated = true;
    }
    LayoutStrip();
    PrepareDisplay();
}

bool CPicFullWnd::StartDownload(const std::wstring& path)
{
    if (!m_pList || !m_pList->IsOnline() || m_nCurrent < 0 || ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    CLumivoShowsDownloadFileList& queue = m_pList->GetDownloadQueue();
    const int first = FirstPictureIndex(), last = first + GetPictureCount() - 1;
    const int at = first + m_nCurrent;
    // The queue knows the picture by its name on the server, the viewer by its cached file.
    m_nDownloadTicket = queue.RegisterViewer(m_hWnd, m_pList->GetItemFullFileName(at).GetString());
    // Eight pictures ahead in the direction of travel come with it.
    const int to = m_nDirection < 0 ? std::max(first, at - 8) : std::min(last, at + 8);
    m_loader.ShowLoading(true);
    queue.StartDownloadPicFile(at, to);
    m_strSplash = TranslateString(L"Downloading");
    return true;
}

void CPicFullWnd::EnsureFullDecode()
{
    ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded || !e.shrunk || m_strPath.empty())
        return;
    const float decodedScale = static_cast<float>(e.source->GetWidth()) / e.fullWidth;
    if (e.place.zoom <= decodedScale)
        return;
    auto full = std::make_unique<CZVImage>();
    full->SetRetreiveAllFrames(true);
    if (!full->LoadFile(m_strPath.c_str()))
        return;
    e.source = std::move(full);
    e.shrunk = false;
}

bool CPicFullWnd::ShowPicture(int target, int flags)
{
    // A viewer opened on a file moves from that file's place in the list once it is listed.
    AdoptListPosition();
    const int count = GetPictureCount();
    if (target < SHOW_PREVIOUS || target >= count || count == 0)
        return false;
    if (target >= 0)
        m_bStripVisible = true;
    if (m_pFrame)
        m_pFrame->m_bRotationUnsaved = false;
    const unsigned now = Now();
    const bool quick = (flags & SHOW_QUICK) || IsQuickMove(now, m_nLastNavigate);
    const bool sameOrQuick = quick || target == m_nCurrent;
    const bool jump = target >= 0 && !(flags & SHOW_QUICK);
    m_nLastNavigate = now;
    m_bLoop = (flags & SHOW_WRAP) != 0;
    if (target == SHOW_NEXT) {
        target = m_nCurrent + 1;
        if (target >= count) {
            if (!m_bLoop) {
                Note(L"This is the last one");
                return false;
            }
            target = 0;
        }
        m_nDirection = 1;
    } else if (target == SHOW_PREVIOUS) {
        target = m_nCurrent - 1;
        if (target < 0) {
            if (!m_bLoop) {
                Note(L"This is the first one");
                return false;
            }
            target = count - 1;
        }
        m_nDirection = -1;
    }
    // A copy of the path: the list's record may go while the picture shows.
    // Of an online picture, its file in the cache, whether there yet or not.
    const std::wstring path = m_pList->GetRelatedFileName(FirstPictureIndex() + target).GetString();
    if (path.empty())
        return false;
    m_nCurrent = target;
    m_strPath = path;

    ViewerCacheEntry& previous = m_cache.Shown();
    const bool previousLoaded = previous.loaded;
    ViewerCacheEntry& entry = m_cache.Advance();
    m_nAngle = 0;
    m_bAnimated = m_bPlaying = m_bBackward = false;
    KillTimer(TIMER_ANIMATION);
    StopTransition();
    m_strSplash.clear();
    m_loader.ShowLoading(false);
    if (!StartDownload(m_strPath) && !LoadInto(entry, m_strPath))
        m_strSplash = TranslateString(L"Error");

    bool slide = true;
    if (m_bZoomLocked) {
        entry.place.zoom = m_fLockedZoom;
        m_bFitMode = false;
        slide = false;
    } else {
        entry.place.zoom = 1.0f;
        m_bFitMode = true;
    }
    if (entry.loaded && entry.source->GetNumFrames() > 1) {
        StartAnimation();
        m_bAnimated = true;
    }
    LayoutStrip();
    if (!m_bFitMode) {
        // A locked zoom keeps the picture about its middle.
        ZoomAboutCentre(entry.place, Frame(entry), true);
        LayoutPicture();
    }
    PrepareDisplay();

    if (!m_bAnimated && previousLoaded && entry.loaded && m_nClientWidth > 0) {
        if (jump)
            m_nTransitionTimer = TIMER_GROW;
        else if (slide && (!sameOrQuick || m_touch.IsDown()))
            m_nTransitionTimer = TIMER_SLIDE;
    }
    if (m_nTransitionTimer) {
        m_nTransitionStep = 0;
        SetTimer(m_nTransitionTimer, 50, nullptr);
    } else {
        Render();
    }
    if (m_pFrame)
        m_pFrame->OnPictureShown();
    return true;
}

bool CPicFullWnd::OpenFile(const wchar_t* path)
{
    if (!path || !*path)
        return false;
    m_nCurrent = -1;
    m_strPath = path;
    m_bAwaitsListPosition = true;
    ViewerCacheEntry& entry = m_cache.Advance();
    m_nAngle = 0;
    m_bAnimated = m_bPlaying = m_bBackward = false;
    KillTimer(TIMER_ANIMATION);
    StopTransition();
    m_strSplash.clear();
    LoadInto(entry, m_strPath);
    FitLoadedEntry(entry);
    Render();
    if (m_pFrame)
        m_pFrame->OnPictureShown();
    return entry.loaded;
}

PictureFrame CPicFullWnd::Frame(const ViewerCacheEntry& entry) const
{
    PictureFrame f;
    f.sourceWidth = entry.fullWidth;
    f.sourceHeight = entry.fullHeight;
    f.angle = m_nAngle;
    f.fitMode = m_bFitMode;
    f.keepCentred = m_bKeepCentred;
    f.fitRect = m_rcFit;
    f.clientWidth = m_nClientWidth;
    f.clientHeight = m_nClientHeight;
    return f;
}

void CPicFullWnd::LayoutPicture()
{
    ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded)
        return;
    if (viewer::LayoutPicture(e.place, Frame(e)))
        m_bFreeView = false;
}

void CPicFullWnd::LayoutStrip()
{
    const int count = GetPictureCount();
    int usable = m_nClientHeight;
    RECT work = {0, 0, 1920, 1080};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (m_bFullScreen && m_bStripVisible)
        usable -= NavBarRowHeight(work.right - work.left);
    if (m_nCurrent >= 0 && count > 0) {
        const StripWindow before = m_strip;
        m_strip = PlaceStripWindow(m_strip, m_bStripDirty, m_nCurrent, count, m_nDirection, usable, m_thumb.cy);
        m_bStripDirty = false;
        LayoutStripCells(m_cells, m_strip, m_nCurrent, m_nClientWidth, usable, m_thumb);
        if (before.first != m_strip.first || before.end != m_strip.end)
            m_pList->UpdatePreviewImageList(m_strip.first, m_strip.end - m_strip.first, true);
    } else {
        m_cells.clear();
    }
    LayoutPicture();
}

void CPicFullWnd::PrepareDisplay(bool updateTitle)
{
    EnsureFullDecode();
    ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded || !e.source->IsValid())
        return;
    CxImage* frame = e.source.get();
    if (e.source->GetNumFrames() > 1) {
        long n = e.source->GetFrame();
        if (n < 0 || n >= e.source->GetNumFrames())
            n = 0;
        if (CxImage* f = e.source->GetFrame(n))
            frame = f;
    }
    e.display->Copy(*frame);
    // Shrunk once here below 100 %; larger zooms are drawn stretched.
    int w = static_cast<int>(e.fullWidth * e.place.zoom), h = static_cast<int>(e.fullHeight * e.place.zoom);
    const bool shrink = w > 0 && h > 0 && w < static_cast<int>(e.display->GetWidth());
    if (shrink)
        e.display->Resample(w, h, 1);
    switch (m_nAngle) {
    case 90: e.display->RotateRight(); break;
    case 180: e.display->Rotate180(); break;
    case 270: e.display->RotateLeft(); break;
    default: break;
    }
    if (m_nAngle == 90 || m_nAngle == 270 || shrink)
        LayoutPicture();
    if (updateTitle && m_pFrame)
        m_pFrame->UpdateTitle();
}

void CPicFullWnd::DrawPicture(CDC& dc, const ViewerCacheEntry& e, const RECT& rc)
{
    if (!e.loaded || !e.display->IsValid() || rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    e.display->Draw(dc.GetSafeHdc(), rc, nullptr, true);
}

void CPicFullWnd::DrawStrip(CDC& dc)
{
    if (!m_bStripVisible || m_cells.empty() || !m_pList)
        return;
    const int first = FirstPictureIndex();
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    if (!m_bStripArtLoaded) {
        m_bStripArtLoaded = true;
        HMODULE module = AfxGetResourceHandle();
        m_checker.LoadPNG(IDR_VIEWER_CHECKER, module);
        m_placeholders[0].LoadPNG(IDR_VIEWER_PLACEHOLDER_A, module);
        m_placeholders[1].LoadPNG(IDR_VIEWER_PLACEHOLDER_B, module);
    }
    m_pList->Lock();
    for (const StripCell& c : m_cells) {
        KQ_PIC_LIST_ITEM item = {};
        RECT frame = c.rect;
        if (m_pList->GetItem(first + c.index, &item) && item.pImage && item.pImage->IsValid()) {
            RECT fit = item.pImage->GetAutoFitRect(c.rect);
            frame = fit;
            ::InflateRect(&frame, 5, 5);
            // The shadow keeps the white frame apart from a light skin's background.
            CBCGPDrawManager(dc).DrawShadow(CRect(frame), 5, 100, 50);
            ::FillRect(dc.GetSafeHdc(), &frame, white);
            if (m_checker.IsValid())
                m_checker.Tile(dc.GetSafeHdc(), &fit);
            item.pImage->Draw(dc.GetSafeHdc(), fit, nullptr, true);
        } else {
            ::FillRect(dc.GetSafeHdc(), &frame, white);
            // Not loaded yet: a picture's placeholder, or a download's for a picture still online.
            const CZVImage& art = m_placeholders[(item.nState & (KQLS_DOWNLOAD | KQLS_DOWNLOADING)) ? 1 : 0];
            if (art.IsValid()) {
                const long side = std::min<long>({static_cast<long>(art.GetWidth()), frame.right - frame.left, frame.bottom - frame.top});
                const long x = (frame.left + frame.right - side) / 2, y = (frame.top + frame.bottom - side) / 2;
                art.Draw(dc.GetSafeHdc(), RECT{x, y, x + side, y + side}, nullptr, true);
            }
        }
        // The list's own state marks, with the list's own pictures.
        static const struct {
            unsigned bit;
            CKQPicListView::Badge badge;
        } kBadges[] = {{KQLS_DOWNLOADING, CKQPicListView::BADGE_DOWNLOADING},
                       {KQLS_DOWNLOAD, CKQPicListView::BADGE_DOWNLOAD},
                       {KQLS_ALERT, CKQPicListView::BADGE_ALERT}};
        for (const auto& b : kBadges) {
            const CKQImageFile& picture = m_pList->m_imgBadge[b.badge];
            const CSize size = m_pList->m_szBadge[b.badge];
            if ((StripBadgeBits(item.nState) & b.bit) && picture.IsValid() && size.cx > 0)
                picture.Draw(dc.GetSafeHdc(), StripBadgeRect(b.bit, c.rect, SIZE{size.cx, size.cy}), nullptr, true);
        }
        if (c.index == m_nCurrent || c.index == m_nHover) {
            // The current cell in orange; the hovered one in the skin's highlight, its innermost
            // line in the skin's highlighted text colour so that it reads on any thumbnail.
            const bool current = c.index == m_nCurrent;
            const COLORREF lines[3] = {current ? RGB(255, 128, 0) : globalData.clrHilite,
                                       current ? RGB(255, 128, 0) : globalData.clrHilite,
                                       current ? RGB(255, 128, 0) : globalData.clrTextHilite};
            RECT r = frame;
            for (COLORREF colour : lines) {
                HBRUSH brush = ::CreateSolidBrush(colour);
                ::FrameRect(dc.GetSafeHdc(), &r, brush);
                ::DeleteObject(brush);
                ::InflateRect(&r, -1, -1);
            }
        }
    }
    m_pList->Unlock();
}

void CPicFullWnd::Render()
{
    if (!m_memDC.GetSafeHdc() || m_nClientWidth <= 0)
        return;
    RECT all = {0, 0, m_nClientWidth, m_nClientHeight};
    HBRUSH back = ::CreateSolidBrush(m_crBack);
    ::FillRect(m_memDC.GetSafeHdc(), &all, back);
    ::DeleteObject(back);
    const ViewerCacheEntry& e = m_cache.Shown();
    if (e.loaded && e.display->IsValid()) {
        if (m_bTileMode)
            e.display->Tile(m_memDC.GetSafeHdc(), &all);
        else
            DrawPicture(m_memDC, e, RECT{e.place.x, e.place.y, e.place.x + e.place.width, e.place.y + e.place.height});
    } else if (m_loader.IsVisabled()) {
        CRect area(m_rcFit.right > m_rcFit.left ? m_rcFit : all);
        m_loader.OnDrawLoading(&m_memDC, area);
    } else if (!m_strSplash.empty()) {
        RECT text = m_rcFit.right > m_rcFit.left ? m_rcFit : all;
        ::SetBkMode(m_memDC.GetSafeHdc(), TRANSPARENT);
        ::SetTextColor(m_memDC.GetSafeHdc(), GetRValue(m_crBack) + GetGValue(m_crBack) + GetBValue(m_crBack) > 384 ? RGB(0, 0, 0) : RGB(255, 255, 255));
        HGDIOBJ font = ::SelectObject(m_memDC.GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextW(m_memDC.GetSafeHdc(), m_strSplash.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(m_memDC.GetSafeHdc(), font);
    }
    DrawStrip(m_memDC);
    Present();
}

void CPicFullWnd::Present()
{
    if (!GetSafeHwnd())
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CPicFullWnd::StopTransition()
{
    if (m_nTransitionTimer)
        KillTimer(m_nTransitionTimer);
    m_nTransitionTimer = 0;
    m_nTransitionStep = 0;
}

void CPicFullWnd::StartAnimation()
{
    const unsigned delay = m_cache.Shown().source->GetFrameDelay();
    SetTimer(TIMER_ANIMATION, FrameIntervalMs(delay), nullptr);
    m_bPlaying = true;
}

std::wstring CPicFullWnd::GetAniCaption() const
{
    if (!m_bAnimated)
        return std::wstring();
    ViewerCache& cache = const_cast<ViewerCache&>(m_cache);
    return AniBarCaption(cache.Shown().source->GetNumFrames(), cache.Shown().source->GetFrameDelay());
}

void CPicFullWnd::StepFrame(bool backward)
{
    ViewerCacheEntry& e = m_cache.Shown();
    const long frames = e.source->GetNumFrames();
    if (frames < 2)
        return;
    long n = e.source->GetFrame();
    n = backward ? (n <= 0 ? frames - 1 : n - 1) : (n + 1 >= frames ? 0 : n + 1);
    e.source->SetFrame(n);
    PrepareDisplay(false);
    Render();
}

void CPicFullWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CAnimateImage::kTimerId) {
        m_loader.OnTimer();
        Render();
        return;
    }
    const bool ours = nIDEvent == TIMER_ANIMATION || nIDEvent == TIMER_SLIDE || nIDEvent == TIMER_GROW;
    // A tick still queued when a picture began loading would draw over the animation.
    if (ours && m_loader.IsVisabled())
        return;
    if (nIDEvent == TIMER_ANIMATION) {
        if (!m_bZoomButtonHeld)
            StepFrame(m_bBackward);
        return;
    }
    if (nIDEvent != TIMER_SLIDE && nIDEvent != TIMER_GROW) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (nIDEvent == TIMER_SLIDE && m_bZoomButtonHeld)
        return;
    const int step = m_nTransitionStep++;
    if (step >= kTransitionSteps) {
        StopTransition();
        Render();
        return;
    }
    RECT all = {0, 0, m_nClientWidth, m_nClientHeight};
    HBRUSH back = ::CreateSolidBrush(m_crBack);
    ::FillRect(m_memDC.GetSafeHdc(), &all, back);
    ::DeleteObject(back);
    const ViewerCacheEntry& now = m_cache.Shown();
    ViewerCacheEntry& before = m_cache.Other();
    const PicturePlace& p = before.place;
    const PicturePlace& n = now.place;
    const RECT prevRect = {p.x, p.y, p.x + p.width, p.y + p.height};
    const RECT nextRect = {n.x, n.y, n.x + n.width, n.y + n.height};
    RECT prevOut, nextOut;
    if (nIDEvent == TIMER_SLIDE)
        SlideRects(step, m_nClientWidth, m_nDirection, prevRect, nextRect, prevOut, nextOut);
    else
        GrowRects(step, prevRect, nextRect, prevOut, nextOut);
    DrawPicture(m_memDC, before, prevOut);
    DrawPicture(m_memDC, now, nextOut);
    DrawStrip(m_memDC);
    Present();
}

void CPicFullWnd::ZoomIn()
{
    ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded)
        return;
    e.place.zoom = ZoomInStep(e.place.zoom);
    const bool leaving = m_bFitMode;
    m_bFitMode = false;
    ZoomAboutCentre(e.place, Frame(e), leaving);
    m_bFreeView = true;
    LayoutPicture();
    PrepareDisplay();
    Render();
}

void CPicFullWnd::ZoomOut()
{
    ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded)
        return;
    const float z = ZoomOutStep(e.place.zoom, e.fullWidth, e.fullHeight);
    if (z == e.place.zoom)
        return;
    e.place.zoom = z;
    const bool leaving = m_bFitMode;
    m_bFitMode = false;
    ZoomAboutCentre(e.place, Frame(e), leaving);
    m_bFreeView = true;
    LayoutPicture();
    PrepareDisplay();
    Render();
}

void CPicFullWnd::SetZoom(float zoom)
{
    ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded)
        return;
    const bool leaving = m_bFitMode;
    m_bFitMode = false;
    e.place.zoom = zoom;
    ZoomAboutCentre(e.place, Frame(e), leaving);
    LayoutPicture();
    PrepareDisplay();
    Render();
}

void CPicFullWnd::SetFitMode()
{
    m_bTileMode = false;
    m_bZoomLocked = false;
    m_fLockedZoom = 1.0f;
    m_bFitMode = true;
    m_cache.Shown().place.zoom = 1.0f;
    LayoutPicture();
    PrepareDisplay();
    Render();
}

void CPicFullWnd::ToggleTile()
{
    m_bTileMode = !m_bTileMode;
    if (m_bTileMode)
        m_bFitMode = false;
    Render();
}

void CPicFullWnd::ToggleStrip()
{
    m_bStripVisible = !m_bStripVisible;
    Render();
}

void CPicFullWnd::ToggleZoomLock()
{
    m_fLockedZoom = m_bZoomLocked ? 1.0f : GetZoom();
    m_bZoomLocked = !m_bZoomLocked;
}

void CPicFullWnd::SetFullScreen(bool on)
{
    m_bFullScreen = on;
}

void CPicFullWnd::Rotate(int degrees)
{
    m_nAngle = NormalizeAngle(m_nAngle + degrees);
    m_bKeepCentred = true;
    LayoutPicture();
    m_bKeepCentred = false;
    PrepareDisplay();
    Render();
}

bool CPicFullWnd::SaveRotated()
{
    if (m_strPath.empty())
        return false;
    // A read-only file is the user's to protect: it is not replaced.
    const DWORD attributes = ::GetFileAttributesW(m_strPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    // Always from the file at its full size, never from a picture shrunk for the screen.
    CZVImage full;
    if (!full.LoadFile(m_strPath.c_str()))
        return false;
    // Upright first as shown; the saved orientation tag then says the pixels are upright.
    full.RotateExif(0);
    switch (m_nAngle) {
    case 90: full.RotateRight(); break;
    case 180: full.Rotate180(); break;
    case 270: full.RotateLeft(); break;
    default: break;
    }
    const std::wstring temp = m_strPath + L".tmp";
    const DWORD type = CxImage::TypeFromExtension(m_strPath.c_str());
    if (!full.SaveFile(temp.c_str(), type)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    if (!::MoveFileExW(temp.c_str(), m_strPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    if (m_nCurrent >= 0 && m_pList)
        m_pList->UpdateItemIcon(FirstPictureIndex() + m_nCurrent);
    return true;
}

std::wstring CPicFullWnd::GetTitleText()
{
    const ViewerCacheEntry& e = m_cache.Shown();
    if (!e.loaded || e.place.zoom == 0)
        return m_strPath;
    wchar_t when[64] = L"", size[64] = L"";
    WIN32_FILE_ATTRIBUTE_DATA facts;
    if (::GetFileAttributesExW(m_strPath.c_str(), GetFileExInfoStandard, &facts)) {
        FILETIME local;
        SYSTEMTIME t;
        if (::FileTimeToLocalFileTime(&facts.ftLastWriteTime, &local) && ::FileTimeToSystemTime(&local, &t))
            swprintf(when, 64, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
        FormatSizeText64(false, size, (static_cast<uint64_t>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow);
    }
    wchar_t text[MAX_PATH + 256];
    swprintf(text, sizeof text / sizeof *text, L"%ls        %ls        %ls       %d x %d x %d       %d%%", m_strPath.c_str(), when, size,
             e.fullWidth, e.fullHeight, static_cast<int>(e.source->GetBpp()), static_cast<int>(e.place.zoom * 100));
    return text;
}

ZoneFrame CPicFullWnd::Zones()
{
    const PicturePlace& p = m_cache.Shown().place;
    ZoneFrame z;
    z.clientWidth = m_nClientWidth;
    z.clientHeight = m_nClientHeight;
    z.thumbWidth = m_thumb.cx;
    z.stripShown = m_bStripVisible && !m_cells.empty();
    z.freeView = m_bFreeView;
    z.picture = RECT{p.x, p.y, p.x + p.width, p.y + p.height};
    return z;
}

void CPicFullWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (KeyToAction(nChar, ctrl)) {
    case KeyAction::Previous: ShowPicture(SHOW_PREVIOUS, SHOW_QUICK); break;
    case KeyAction::Next: ShowPicture(SHOW_NEXT, SHOW_QUICK); break;
    case KeyAction::First:
        if (GetPictureCount() > 0)
            ShowPicture(0, SHOW_QUICK);
        break;
    case KeyAction::Last:
        if (GetPictureCount() > 0)
            ShowPicture(GetPictureCount() - 1, SHOW_QUICK);
        break;
    case KeyAction::ZoomIn: ZoomIn(); break;
    case KeyAction::ZoomOut: ZoomOut(); break;
    case KeyAction::RotateLeft:
        if (m_pFrame)
            m_pFrame->SendMessage(WM_COMMAND, ID_VIEWER_ROTATE_LEFT);
        break;
    case KeyAction::RotateRight:
        if (m_pFrame)
            m_pFrame->SendMessage(WM_COMMAND, ID_VIEWER_ROTATE_RIGHT);
        break;
    case KeyAction::Save:
        if (m_pFrame && m_pFrame->m_bRotationUnsaved)
            m_pFrame->SendMessage(WM_COMMAND, ID_VIEWER_SAVE);
        break;
    case KeyAction::ToggleFullScreen:
        if (m_pFrame)
            m_pFrame->ToggleFullScreen();
        break;
    case KeyAction::SlideShow:
        if (m_pFrame)
            m_pFrame->ToggleSlideShow();
        break;
    case KeyAction::Escape:
        if (m_pFrame)
            m_pFrame->Escape();
        break;
    case KeyAction::Delete:
        // The frame's Delete asks first and deletes through the list.
        if (m_pFrame)
            m_pFrame->SendMessage(WM_COMMAND, ID_VIEWER_DELETE);
        break;
    case KeyAction::None:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }
}

void CPicFullWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == '-')
        ZoomOut();
    else if (nChar == '=')
        ZoomIn();
    else
        CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CPicFullWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    SetFocus();
    m_down = point;
    if (m_bFreeView)
        return;
    const int hit = StripHitTest(POINT{point.x, point.y}, m_cells, static_cast<int>(m_cells.size()), Zones());
    if (hit >= 0) {
        m_bStripDirty = false;
        if (hit != m_nCurrent)
            ShowPicture(hit, 0);
        m_down = CPoint(-1, -1);
        return;
    }
    const PicturePlace& p = m_cache.Shown().place;
    if (m_touch.IsDown() || p.width > m_nClientWidth || p.height > m_nClientHeight)
        return;
    if (InPreviousZone(POINT{point.x, point.y}, Zones())) {
        ShowPicture(SHOW_PREVIOUS, SHOW_QUICK);
        m_down = CPoint(-1, -1);
    } else if (InNextZone(POINT{point.x, point.y}, Zones())) {
        ShowPicture(SHOW_NEXT, SHOW_QUICK);
        m_down = CPoint(-1, -1);
    }
}

void CPicFullWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    if (!m_bFreeView && m_down.x >= 0) {
        const int dx = point.x - m_down.x, dy = point.y - m_down.y;
        if (std::abs(dx) > m_nClientWidth / 16 && std::abs(dx) > std::abs(dy))
            ShowPicture(dx < 0 ? SHOW_NEXT : SHOW_PREVIOUS, 0);
    }
    m_down = CPoint(-1, -1);
    m_bFreeView = false;
}

void CPicFullWnd::OnLButtonDblClk(UINT, CPoint)
{
    if (m_pFrame && !m_bFullScreen)
        m_pFrame->SendMessage(WM_COMMAND, ID_VIEWER_FULL_SCREEN);
}

void CPicFullWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    m_nCursorKind = 0;
    const PicturePlace& p = m_cache.Shown().place;
    const bool large = p.width > m_nClientWidth || p.height > m_nClientHeight;
    if (nFlags & MK_LBUTTON) {
        if (large && m_down.x >= 0) {
            m_bFreeView = true;
            m_nCursorKind = 3;
            PicturePlace& place = m_cache.Shown().place;
            if (place.width > m_nClientWidth)
                place.x += point.x - m_down.x;
            if (place.height > m_nClientHeight)
                place.y += point.y - m_down.y;
            m_down = point;
            LayoutPicture();
            Render();
        }
        return;
    }
    const int hit = StripHitTest(POINT{point.x, point.y}, m_cells, static_cast<int>(m_cells.size()), Zones());
    if (hit >= 0) {
        if (hit != m_nHover) {
            m_nHover = hit;
            Render();
        }
        return;
    }
    if (m_nHover >= 0) {
        m_nHover = -1;
        Render();
    }
    if (large)
        m_nCursorKind = 3;
    else if (InPreviousZone(POINT{point.x, point.y}, Zones()))
        m_nCursorKind = 1;
    else if (InNextZone(POINT{point.x, point.y}, Zones()))
        m_nCursorKind = 2;
}

BOOL CPicFullWnd::OnMouseWheel(UINT, short zDelta, CPoint)
{
    const unsigned now = Now();
    if (!WheelMayStep(now, m_nLastWheel))
        return TRUE;
    m_nLastWheel = now;
    ShowPicture(zDelta < 0 ? SHOW_NEXT : SHOW_PREVIOUS, SHOW_QUICK);
    return TRUE;
}

BOOL CPicFullWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_nCursorKind) {
        HCURSOR cursor = nullptr;
        if (m_nCursorKind == 1)
            cursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_VIEWER_PREVIOUS));
        else if (m_nCursorKind == 2)
            cursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_VIEWER_NEXT));
        if (!cursor)
            cursor = ::LoadCursorW(nullptr, IDC_HAND);
        ::SetCursor(cursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CPicFullWnd::OnUpdateView(WPARAM, LPARAM lParam)
{
    if (lParam && m_nCurrent >= 0)
        ShowPicture(m_nCurrent, static_cast<int>(lParam));
    else
        Render();
    return 0;
}

int CPicFullWnd::RemoveItem(int index)
{
    if (!m_pList || index < 0 || index >= GetPictureCount())
        return GetPictureCount();
    // The list unlinks its own record under its lock: its thumbnail loader walks the same items.
    m_pList->Lock();
    const bool removed = m_pList->DeleteItem(FirstPictureIndex() + index, false, false);
    m_pList->Unlock();
    if (!removed)
        return GetPictureCount();
    m_pList->PostUpdateView();
    const int count = GetPictureCount();
    m_bStripDirty = true;
    if (index == m_nCurrent) {
        if (count > 0) {
            ShowPicture(index < count ? index : count - 1, SHOW_QUICK);
            return count;
        }
        m_nCurrent = -1;
    } else if (index < m_nCurrent) {
        --m_nCurrent; // the same picture, one place earlier
    }
    LayoutStrip();
    Render();
    return count;
}

// Reports of a download the viewer no longer waits for are dropped.
LRESULT CPicFullWnd::OnDownloadProgress(WPARAM percent, LPARAM ticket)
{
    if (!m_nDownloadTicket || static_cast<unsigned>(ticket) != m_nDownloadTicket || !m_loader.IsVisabled())
        return 0;
    m_loader.SetProgress(static_cast<int>(std::min<WPARAM>(percent, 100)));
    Render();
    return 0;
}

LRESULT CPicFullWnd::OnDownloaded(WPARAM result, LPARAM ticket)
{
    // A download the viewer no longer waits for: the list may have been read again since.
    if (!m_nDownloadTicket || static_cast<unsigned>(ticket) != m_nDownloadTicket || m_nCurrent < 0 || !m_pList) {
        Render();
        return 0;
    }
    // Named by its path, read again from the list: the picture shown may have moved in it.
    const std::wstring path = m_pList->GetRelatedFileName(FirstPictureIndex() + m_nCurrent).GetString();
    if (path != m_strPath) {
        Render();
        return 0;
    }
    m_nDownloadTicket = 0;
    KillTimer(TIMER_ANIMATION);
    StopTransition();
    m_bPlaying = false;
    m_strSplash.clear();
    m_loader.ShowLoading(false);
    if (result != 0) {
        wchar_t text[96];
        swprintf(text, 96, L"%ls:%u", TranslateString(L"Error Code"), static_cast<unsigned>(result));
        m_strSplash = text;
    } else if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        m_strSplash = TranslateString(L"File missing");
    } else {
        ViewerCacheEntry& entry = m_cache.Advance();
        if (!LoadInto(entry, path))
            m_strSplash = TranslateString(L"Error : Fail to load");
        FitLoadedEntry(entry);
    }
    Render();
    if (m_pFrame)
        m_pFrame->OnPictureShown();
    return 0;
}

bool CPicFullWnd::ShowsInStrip(int listIndex)
{
    if (!m_pList || m_nCurrent < 0)
        return false;
    const int index = listIndex - FirstPictureIndex();
    return index >= m_strip.first && index < m_strip.end;
}

void CPicFullWnd::AdoptListPosition()
{
    if (m_nCurrent >= 0 || !m_bAwaitsListPosition || m_strPath.empty() || !m_pList)
        return;
    const int index = m_pList->FindItemByPath(m_strPath.c_str());
    const int first = FirstPictureIndex();
    if (index < first)
        return;
    m_bAwaitsListPosition = false;
    m_nCurrent = index - first;
    m_bStripDirty = true;
    LayoutStrip();
    Render();
}

void CPicFullWnd::OnTouchRecord(const TouchRecord& record)
{
    const TouchAction action = m_touch.Feed(record, m_bFreeView);
    // Lifting the fingers ends a zoom as releasing the button does.
    if (m_touch.TwoFingers() || record.event == TouchEvent::Up)
        m_bFreeView = false;
    switch (action) {
    case TouchAction::ZoomIn: ZoomIn(); break;
    case TouchAction::ZoomOut: ZoomOut(); break;
    case TouchAction::Previous: ShowPicture(SHOW_PREVIOUS, 0); break;
    case TouchAction::Next: ShowPicture(SHOW_NEXT, 0); break;
    case TouchAction::None: break;
    }
}

LRESULT CPicFullWnd::OnTouch(WPARAM wParam, LPARAM lParam)
{
    const UINT count = std::min<UINT>(LOWORD(wParam), 5);
    TOUCHINPUT inputs[5] = {};
    HTOUCHINPUT handle = reinterpret_cast<HTOUCHINPUT>(lParam);
    if (count == 0 || !::GetTouchInputInfo(handle, count, inputs, sizeof(TOUCHINPUT)))
        return Default();
    TouchRecord record;
    record.count = static_cast<int>(count);
    for (UINT i = 0; i < count; ++i) {
        POINT pt = {TOUCH_COORD_TO_PIXEL(inputs[i].x), TOUCH_COORD_TO_PIXEL(inputs[i].y)};
        ScreenToClient(&pt);
        record.points[i] = pt;
    }
    const DWORD flags = inputs[0].dwFlags;
    record.event = (flags & TOUCHEVENTF_DOWN) ? TouchEvent::Down : (flags & TOUCHEVENTF_UP) ? TouchEvent::Up : TouchEvent::Move;
    ::CloseTouchInputHandle(handle);
    OnTouchRecord(record);
    return 0;
}

void CPicFullWnd::AnimationCommand(UINT id)
{
    if (!m_bAnimated)
        return;
    switch (id) {
    case ID_VIEWER_ANI_PREVIOUS:
    case ID_VIEWER_ANI_NEXT:
        KillTimer(TIMER_ANIMATION);
        m_bPlaying = false;
        m_bBackward = id == ID_VIEWER_ANI_PREVIOUS;
        StepFrame(m_bBackward);
        break;
    case ID_VIEWER_ANI_START:
        m_bBackward = false;
        if (m_bPlaying) {
            m_cache.Shown().source->SetFrame(0);
            PrepareDisplay(false);
            Render();
        } else {
            StartAnimation();
        }
        break;
    case ID_VIEWER_ANI_PLAY:
        if (m_bPlaying) {
            KillTimer(TIMER_ANIMATION);
            m_bPlaying = false;
        } else {
            StartAnimation();
        }
        break;
    default:
        break;
    }
}

#include "NavigationBar.h"
#include <uxtheme.h>
#include "LumivoShowsApp.h"
#include "PicFullWnd.h"
#include "ViewerIds.h"
#include "ViewerLayout.h"
#include "ZVUILibApp.h"

using namespace viewer;

namespace {

// The zoom timers of the viewer frame.
const UINT_PTR kNavZoomInTimer = 1, kNavZoomOutTimer = 2;
const UINT kZoomRepeat = 80;

// The buttons in the order the bar inserts them (the order of NavButton), with their tool tips:
// the name passes through the translation, the format adds the shortcut.
const struct {
    NavButton which;
    UINT command;
    UINT picture;
    const wchar_t* name;
    const wchar_t* format;
    UINT_PTR timer;
} kButtons[] = {
    {NAV_PREVIOUS, ID_VIEWER_PREVIOUS, IDR_NAV_PREVIOUS, L"Previous", L"%s ( Left , Up)", 0},
    {NAV_EDIT, ID_VIEWER_EDIT, IDR_NAV_EDIT, L"Edit", L"%s", 0},
    {NAV_NEXT, ID_VIEWER_NEXT, IDR_NAV_NEXT, L"Next", L"%s ( Right, Down)", 0},
    {NAV_MUSIC, ID_VIEWER_MUSIC, IDR_NAV_MUSIC, L"Music", L"%s", 0},
    {NAV_PLAY, ID_VIEWER_PLAY, IDR_NAV_PLAY, L"Play", L"%s ( Space )", 0},
    {NAV_DISPLAY_OPTION, ID_VIEWER_DISPLAY_OPTION, IDR_NAV_DISPLAY_OPTION, L"Display Option", L"%s", 0},
    {NAV_ZOOM_OUT, ID_VIEWER_ZOOM_OUT, IDR_NAV_ZOOM_OUT, L"Zoom Out", L"%s ( Ctrl + Down )", kNavZoomOutTimer},
    {NAV_ZOOM_IN, ID_VIEWER_ZOOM_IN, IDR_NAV_ZOOM_IN, L"Zoom In", L"%s ( Ctrl + Up )", kNavZoomInTimer},
    {NAV_ROTATE_LEFT, ID_VIEWER_ROTATE_LEFT, IDR_NAV_ROTATE_LEFT, L"Rotate left", L"%s ( Ctrl + Left )", 0},
    {NAV_ROTATE_RIGHT, ID_VIEWER_ROTATE_RIGHT, IDR_NAV_ROTATE_RIGHT, L"Rotate Right", L"%s ( Ctrl + Right )", 0},
    {NAV_FULL_SCREEN, ID_VIEWER_FULL_SCREEN_BUTTON, IDR_NAV_FULL_SCREEN, L"Full Screen", L"%s ( Enter )", 0},
    {NAV_SAVE, ID_VIEWER_SAVE, IDR_NAV_SAVE, L"Save", L"%s ( Ctrl + S )", 0},
    {NAV_DELETE, ID_VIEWER_DELETE, IDR_NAV_DELETE, L"Delete", L"%s ( Delete )", 0},
    {NAV_OPTION, ID_VIEWER_OPTION, IDR_NAV_OPTION, L"Option", L"%s", 0},
    {NAV_EXPORT, ID_VIEWER_EXPORT, IDR_NAV_EXPORT, L"Export", L"%s", 0},
    {NAV_FOLDER, ID_VIEWER_FOLDER, IDR_NAV_FOLDER, L"Folder", L"%s", 0},
    {NAV_CLOSE, ID_VIEWER_CLOSE, IDR_NAV_CLOSE, L"Close", L"%s", 0},
};
static_assert(sizeof kButtons / sizeof kButtons[0] == NAV_BUTTON_COUNT, "a row per button");

enum { STATE_DISABLED, STATE_NORMAL, STATE_HOT, STATE_PRESSED };

int WorkAreaWidth()
{
    RECT work = {0, 0, 1920, 1080};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work.right - work.left;
}

bool PlayMusicOn()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    return app && app->m_viewerSettings.playMusic;
}

} // namespace

IMPLEMENT_DYNCREATE(CNavigationToolbarButton, CBCGPToolbarButton)
IMPLEMENT_DYNCREATE(CNavigationToolbarTimerButton, CNavigationToolbarButton)

CNavigationToolbarButton::CNavigationToolbarButton(UINT id, std::shared_ptr<CBCGPToolBarImages> pictures, const CString& tip,
                                                   float scale)
    : CBCGPToolbarButton(id, -1, tip), m_pictures(std::move(pictures)), m_fScale(scale)
{
}

void CNavigationToolbarButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    if (const auto* other = dynamic_cast<const CNavigationToolbarButton*>(&src)) {
        m_pictures = other->m_pictures;
        m_fScale = other->m_fScale;
    }
}

SIZE CNavigationToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (IsSeparator())
        return SIZE{static_cast<LONG>(8 * m_fScale), sizeDefault.cy};
    if (!m_pictures || !m_pictures->IsValid())
        return CBCGPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    // The pictures were scaled when they were loaded.
    return m_pictures->GetImageSize();
}

CNavigationToolbarTimerButton::CNavigationToolbarTimerButton(UINT id, std::shared_ptr<CBCGPToolBarImages> pictures,
                                                             const CString& tip, float scale, CWnd* target, UINT_PTR timerId,
                                                             UINT interval)
    : CNavigationToolbarButton(id, std::move(pictures), tip, scale), m_pTarget(target), m_nTimerId(timerId), m_nInterval(interval)
{
}

void CNavigationToolbarTimerButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CNavigationToolbarButton::CopyFrom(src);
    if (const auto* other = dynamic_cast<const CNavigationToolbarTimerButton*>(&src)) {
        m_pTarget = other->m_pTarget;
        m_nTimerId = other->m_nTimerId;
        m_nInterval = other->m_nInterval;
    }
}

BOOL CNavigationToolbarTimerButton::OnClick(CWnd*, BOOL)
{
    if ((m_nTimerId == kNavZoomInTimer || m_nTimerId == kNavZoomOutTimer) && g_pPicFullWnd)
        g_pPicFullWnd->m_bZoomButtonHeld = true;
    if (m_pTarget && m_pTarget->GetSafeHwnd())
        m_pTarget->SetTimer(m_nTimerId, m_nInterval, nullptr);
    // The bar keeps the button pressed and tells it of the release.
    return FALSE;
}

void CNavigationToolbarTimerButton::Release()
{
    if ((m_nTimerId == kNavZoomInTimer || m_nTimerId == kNavZoomOutTimer) && g_pPicFullWnd)
        g_pPicFullWnd->m_bZoomButtonHeld = false;
    if (m_pTarget && m_pTarget->GetSafeHwnd())
        m_pTarget->KillTimer(m_nTimerId);
}

BOOL CNavigationToolbarTimerButton::OnClickUp()
{
    Release();
    return TRUE; // the zooms were the click; no command
}

void CNavigationToolbarTimerButton::OnClickUpOutside()
{
    // A release outside must not leave the picture window zooming as if still held.
    Release();
}

CNavigationBar::CNavigationBar(int workAreaWidth)
{
    const int width = workAreaWidth > 0 ? workAreaWidth : WorkAreaWidth();
    m_fScale = ScreenScale(width);
    m_nRowHeight = NavBarRowHeight(width);
}

CNavigationBar::~CNavigationBar()
{
    m_bAlive = false;
}

std::shared_ptr<CBCGPToolBarImages> CNavigationBar::LoadPictures(UINT id, SIZE size)
{
    auto pictures = std::make_shared<CBCGPToolBarImages>();
    if (size.cx > 0)
        pictures->SetImageSize(size);
    if (!pictures->Load(id))
        return pictures;
    if (size.cx <= 0)
        pictures->SetSingleImage();
    pictures->SmoothResize(m_fScale);
    return pictures;
}

bool CNavigationBar::CreateBar(CFrameWnd* frame)
{
    if (!CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, CRect(0, 0, 0, 0), ID_VIEWER_NAV_BAR))
        return false;
    m_bAlive = true;
    SetLocked(TRUE);
    m_pause = LoadPictures(IDR_NAV_PAUSE, kNavPlaySize);
    m_restore = LoadPictures(IDR_NAV_RESTORE, kNavButtonSize);
    m_musicOff = LoadPictures(IDR_NAV_MUSIC_OFF, kNavButtonSize);
    m_background = LoadPictures(IDR_NAV_BACKGROUND, SIZE{0, 0});
    m_separator = LoadPictures(IDR_NAV_SEPARATOR, SIZE{0, 0});
    for (const auto& row : kButtons) {
        auto pictures = LoadPictures(row.picture, row.which == NAV_PLAY ? kNavPlaySize : kNavButtonSize);
        CString tip;
        tip.Format(row.format, static_cast<LPCTSTR>(TranslateString(row.name)));
        if (row.timer)
            InsertButton(CNavigationToolbarTimerButton(row.command, pictures, tip, m_fScale, frame, row.timer, kZoomRepeat));
        else
            InsertButton(CNavigationToolbarButton(row.command, pictures, tip, m_fScale));
    }
    SetSizes(CSize(static_cast<int>(kNavButtonSize.cx * m_fScale), static_cast<int>(kNavButtonSize.cy * m_fScale)),
             CSize(static_cast<int>(kNavButtonSize.cx * m_fScale), static_cast<int>(kNavButtonSize.cy * m_fScale)));
    ShowFolderAndClose();
    return true;
}

CBCGPToolbarButton* CNavigationBar::FindButton(NavButton which) const
{
    const int index = CommandToIndex(kButtons[which].command);
    return index >= 0 ? GetButton(index) : nullptr;
}

void CNavigationBar::ShowFolderAndClose()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (CBCGPToolbarButton* folder = FindButton(NAV_FOLDER))
        folder->SetVisible(app && app->m_bViewerOnly);
    if (CBCGPToolbarButton* close = FindButton(NAV_CLOSE))
        close->SetVisible(m_bFullScreen);
}

CSize CNavigationBar::CalcFixedLayout(BOOL, BOOL)
{
    // The frame gives a docked bar the whole width; the height is one row.
    const CSize buttons = CalcSize(FALSE);
    return CSize(buttons.cx, m_nRowHeight);
}

void CNavigationBar::AdjustLocations()
{
    if (!GetSafeHwnd())
        return;
    ShowFolderAndClose();
    CBCGPToolBar::AdjustLocations();
    CRect client;
    GetClientRect(&client);
    NavBarInput in;
    in.width = client.Width();
    in.height = client.Height();
    in.scale = m_fScale;
    if (m_background && m_background->IsValid()) {
        in.backgroundWidth = static_cast<int>(m_background->GetImageSize().cx / m_fScale + 0.5f);
        in.backgroundHeight = static_cast<int>(m_background->GetImageSize().cy / m_fScale + 0.5f);
    }
    if (m_separator && m_separator->IsValid()) {
        in.separatorWidth = static_cast<int>(m_separator->GetImageSize().cx / m_fScale + 0.5f);
        in.separatorHeight = static_cast<int>(m_separator->GetImageSize().cy / m_fScale + 0.5f);
    }
    const auto* close = dynamic_cast<CNavigationToolbarButton*>(FindButton(NAV_CLOSE));
    if (close && close->m_pictures && close->m_pictures->IsValid())
        in.closeWidth = static_cast<int>(close->m_pictures->GetImageSize().cx / m_fScale + 0.5f);
    in.closeShown = close && !close->IsHidden();
    const CBCGPToolbarButton* folder = FindButton(NAV_FOLDER);
    in.folderShown = folder && !folder->IsHidden();
    m_places = LayoutNavBar(in);
    for (int b = 0; b < NAV_BUTTON_COUNT; ++b)
        if (CBCGPToolbarButton* button = FindButton(static_cast<NavButton>(b)); button && !button->IsHidden())
            button->SetRect(CRect(m_places.buttons[b]));
    UpdateTooltips();
}

void CNavigationBar::AdjustLayout()
{
    CBCGPToolBar::AdjustLayout();
    // The frame's glass would reach under a docked bar only with a look that paints bars on
    // glass and with desktop composition on; neither is the case under Wine.
    const bool wantGlass = CBCGPVisualManager::GetInstance()->IsDWMCaptionSupported() && !m_bFullScreen;
    if (wantGlass == m_bAero || !globalData.IsDwmCompositionEnabled())
        return;
    HMODULE dwm = ::GetModuleHandleW(L"dwmapi.dll");
    if (!dwm)
        dwm = ::LoadLibraryW(L"dwmapi.dll");
    typedef HRESULT(WINAPI * ExtendFrame)(HWND, const MARGINS*);
    auto extend = dwm ? reinterpret_cast<ExtendFrame>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmExtendFrameIntoClientArea")))
                      : nullptr;
    CWnd* frame = GetParentFrame();
    if (!extend || !frame)
        return;
    const MARGINS margins = {0, 0, wantGlass ? m_nRowHeight : 0, 0};
    if (SUCCEEDED(extend(frame->GetSafeHwnd(), &margins))) {
        m_bAero = wantGlass;
        Invalidate();
    }
}

const CBCGPToolBarImages* CNavigationBar::PicturesOf(const CNavigationToolbarButton& button) const
{
    if (button.m_nID == ID_VIEWER_PLAY && m_bSlideShow)
        return m_pause.get();
    if (button.m_nID == ID_VIEWER_FULL_SCREEN_BUTTON && m_bFullScreen)
        return m_restore.get();
    if (button.m_nID == ID_VIEWER_MUSIC && !PlayMusicOn())
        return m_musicOff.get();
    return button.m_pictures.get();
}

void CNavigationBar::OnFillBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, globalData.clrBarFace);
    if (m_background && m_background->IsValid())
        m_background->Draw(pDC, m_places.background.left, m_places.background.top, 0);
    if (m_separator && m_separator->IsValid())
        for (const RECT& at : m_places.separators)
            m_separator->Draw(pDC, at.left, at.top, 0);
    for (int i = 0; i < GetCount(); ++i) {
        const auto* button = dynamic_cast<const CNavigationToolbarButton*>(GetButton(i));
        if (!button || button->IsHidden() || button->Rect().IsRectEmpty())
            continue;
        const CBCGPToolBarImages* pictures = PicturesOf(*button);
        if (!pictures || !pictures->IsValid())
            continue;
        int state = STATE_NORMAL;
        if (button->IsDisabled())
            state = STATE_DISABLED;
        else if (button->GetStyle() & TBBS_PRESSED)
            state = STATE_PRESSED;
        else if (i == m_iHighlighted)
            state = STATE_HOT;
        pictures->Draw(pDC, button->Rect().left, button->Rect().top, state);
    }
}

BOOL CNavigationBar::OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const
{
    if (!pButton)
        return FALSE;
    strTTText = pButton->m_strText;
    return TRUE;
}

BOOL CNavigationBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_POWERBROADCAST && wParam == PBT_APMRESUMEAUTOMATIC)
        AdjustLocations();
    return CBCGPToolBar::OnWndMsg(message, wParam, lParam, pResult);
}

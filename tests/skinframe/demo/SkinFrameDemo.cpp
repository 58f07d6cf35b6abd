// A photo-editor-like frame built from the skinned frames and panes: an outlook bar on the
// left, a tab group and an auto-hidden pane on the right, a film strip at the bottom and a
// dialog bar of tool options on top.
//   scripts/run demo/SkinFrameDemo [2013|VS2012|2003|plain] [float|slide|fullscreen|mdi]
#include <cmath>
#include <initializer_list>
#include "SkinFrameIds.h"
#include "SkinUI.h"
#include <commctrl.h>

namespace {

enum : UINT {
    ID_VIEW_FULLSCREEN = 0x8100, ID_WINDOWS_DIALOG, ID_FILE_EXIT,
    ID_FILE_OPEN = 0x8110, ID_FILE_SAVE, ID_EDIT_UNDO, ID_IMAGE_CROP, ID_IMAGE_ROTATE, ID_IMAGE_ADJUST, ID_STATUS_SIZE, ID_STATUS_ZOOM,
    ID_STATUS_READY,
    ID_PANE_NAV = 0x8200, ID_PANE_PROPS, ID_PANE_LAYERS, ID_PANE_HISTOGRAM, ID_PANE_FILMSTRIP, ID_PANE_HISTORY, ID_PANE_OPTIONS
};

struct Look {
    const wchar_t* name;
    CRuntimeClass* (*type)();
};
const Look kLooks[] = {
    { L"2013", &CBCGPVisualManager2013::GetThisClass },
    { L"VS2012", &CBCGPVisualManagerVS2012::GetThisClass },
    { L"2003", &CBCGPVisualManager2003::GetThisClass },
    { L"plain", &CBCGPVisualManager::GetThisClass },
};

// A made-up photograph: evening sky, sun, hills and a lake, drawn at any size.
void DrawPhoto(HDC dc, const CRect& r)
{
    for (int y = r.top; y < r.bottom; ++y) {
        const double t = double(y - r.top) / std::max(1, r.Height());
        COLORREF c;
        if (t < 0.55)
            c = skinui::Mix(RGB(44, 62, 120), RGB(250, 170, 90), t / 0.55);
        else
            c = skinui::Mix(RGB(230, 150, 90), RGB(30, 50, 80), (t - 0.55) / 0.45);
        HBRUSH b = ::CreateSolidBrush(c);
        RECT line = { r.left, y, r.right, y + 1 };
        ::FillRect(dc, &line, b);
        ::DeleteObject(b);
    }
    const int sunR = r.Height() / 9;
    HBRUSH sun = ::CreateSolidBrush(RGB(255, 226, 150));
    HGDIOBJ oldBrush = ::SelectObject(dc, sun);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    const int sx = r.left + r.Width() * 62 / 100, sy = r.top + r.Height() * 48 / 100;
    ::Ellipse(dc, sx - sunR, sy - sunR, sx + sunR, sy + sunR);
    for (int layer = 0; layer < 3; ++layer) {
        std::vector<POINT> hill;
        hill.push_back({ r.left, r.bottom });
        for (int x = 0; x <= r.Width(); x += 8) {
            const double h = 0.5 + 0.07 * layer + 0.05 * std::sin(x * (0.011 + 0.004 * layer) + layer * 1.7) +
                             0.03 * std::sin(x * 0.031 + layer);
            hill.push_back({ r.left + x, r.top + static_cast<LONG>(r.Height() * h) });
        }
        hill.push_back({ r.right, r.bottom });
        HBRUSH b = ::CreateSolidBrush(skinui::Mix(RGB(120, 80, 110), RGB(25, 30, 45), layer / 2.0));
        ::SelectObject(dc, b);
        ::Polygon(dc, hill.data(), static_cast<int>(hill.size()));
        ::SelectObject(dc, sun);
        ::DeleteObject(b);
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(sun);
}

// The picture in the middle, on a dark backdrop with a shadow.
class CCanvasView : public skinui::BufferedPaint<CWnd> {
public:
    void Render(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(client, RGB(64, 64, 68));
        CRect photo(0, 0, 640, 427);
        const double scale = std::min(1.0, std::min((client.Width() - 60.0) / photo.Width(), (client.Height() - 60.0) / photo.Height()));
        photo = CRect(0, 0, static_cast<int>(photo.Width() * scale), static_cast<int>(photo.Height() * scale));
        photo.OffsetRect(client.CenterPoint().x - photo.Width() / 2, client.CenterPoint().y - photo.Height() / 2);
        for (int i = 6; i > 0; --i) {
            CRect shadow = photo;
            shadow.OffsetRect(i, i);
            pDC->FillSolidRect(shadow, skinui::Mix(RGB(64, 64, 68), RGB(20, 20, 22), (7 - i) / 7.0));
        }
        DrawPhoto(pDC->m_hDC, photo);
    }
};

// A strip of thumbnails.
class CFilmStrip : public skinui::BufferedPaint<CWnd> {
public:
    void Render(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(client, globalData.clrWindow);
        const int h = client.Height() - 16;
        const int w = h * 3 / 2;
        for (int i = 0, x = 10; x < client.right; ++i, x += w + 10) {
            CRect thumb(x, 8, x + w, 8 + h);
            if (i == 2) {
                CRect sel = thumb;
                sel.InflateRect(3, 3);
                pDC->FillSolidRect(sel, CBCGPVisualManager::GetInstance()->GetAccentColor());
            }
            // Each thumbnail is the picture in another light.
            const int save = ::SaveDC(pDC->m_hDC);
            ::IntersectClipRect(pDC->m_hDC, thumb.left, thumb.top, thumb.right, thumb.bottom);
            CRect shifted = thumb;
            shifted.OffsetRect(-(i % 3) * 12, 0);
            shifted.right += 36;
            DrawPhoto(pDC->m_hDC, shifted);
            ::RestoreDC(pDC->m_hDC, save);
        }
    }
};

// A histogram of the picture's brightness.
class CHistogram : public skinui::BufferedPaint<CWnd> {
public:
    void Render(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(client, globalData.clrWindow);
        CRect graph = client;
        graph.DeflateRect(12, 12);
        const COLORREF colors[] = { RGB(220, 60, 60), RGB(60, 170, 80), RGB(60, 100, 220) };
        for (int c = 0; c < 3; ++c)
            for (int x = 0; x < graph.Width(); ++x) {
                const double t = double(x) / graph.Width();
                const double v = 0.15 + 0.55 * std::exp(-std::pow((t - 0.3 - 0.15 * c) / 0.12, 2)) +
                                 0.3 * std::exp(-std::pow((t - 0.75 + 0.05 * c) / 0.08, 2));
                const int top = graph.bottom - static_cast<int>(graph.Height() * v);
                pDC->FillSolidRect(CRect(graph.left + x, top, graph.left + x + 1, graph.bottom),
                                   skinui::Mix(globalData.clrWindow, colors[c], 0.35));
            }
    }
};

// Tab images drawn here: a coloured rounded square with a white mark.
HIMAGELIST MakeTabImages()
{
    const int size = 24;
    HIMAGELIST list = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 0);
    const COLORREF colors[] = { RGB(0, 120, 215), RGB(230, 120, 30), RGB(40, 160, 90) };
    HDC screen = ::GetDC(nullptr);
    for (COLORREF color : colors) {
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP image = ::CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = ::SelectObject(dc, image);
        RECT all = { 0, 0, size, size };
        HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(dc, &all, magenta);
        ::DeleteObject(magenta);
        HBRUSH fill = ::CreateSolidBrush(color);
        HGDIOBJ oldBrush = ::SelectObject(dc, fill);
        HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
        ::RoundRect(dc, 1, 1, size, size, 7, 7);
        ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
        ::Rectangle(dc, 7, 7, size - 6, size - 6);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(fill);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::ImageList_AddMasked(list, image, RGB(255, 0, 255));
        ::DeleteObject(image);
    }
    ::ReleaseDC(nullptr, screen);
    return list;
}

// The tab images, owned.
struct TabImages {
    HIMAGELIST list = MakeTabImages();
    TabImages() = default;
    TabImages(const TabImages&) = delete;
    TabImages& operator=(const TabImages&) = delete;
    ~TabImages() { ::ImageList_Destroy(list); }
};

HMENU BuildMenu()
{
    HMENU bar = ::CreateMenu();
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, ID_VIEW_FULLSCREEN, L"&Full Screen");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING, ID_FILE_EXIT, L"E&xit");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    for (const wchar_t* name : { L"&Edit", L"&Image", L"&Layer", L"&View", L"&Help" })
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), name);
    return bar;
}

// A report list of one column of names, or of properties and their values.
void FillList(CListCtrl& list, const wchar_t* const (*rows)[2], size_t count, bool twoColumns, int firstColumnWidth)
{
    list.InsertColumn(0, twoColumns ? L"Property" : L"Name", LVCFMT_LEFT, firstColumnWidth);
    if (twoColumns)
        list.InsertColumn(1, L"Value", LVCFMT_LEFT, 120);
    for (size_t i = 0; i < count; ++i) {
        list.InsertItem(static_cast<int>(i), rows[i][0]);
        if (twoColumns)
            list.SetItemText(static_cast<int>(i), 1, rows[i][1]);
    }
}

// The navigator on the left: an outlook bar whose first page is the tree of picture folders.
BOOL CreateNavigator(CBCGPOutlookBar& nav, CTreeCtrl& folders, CFrameWnd* frame, int width, HIMAGELIST images, DWORD treeStyle,
                     std::initializer_list<const wchar_t*> pictureFolders)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    if (!nav.Create(L"Navigator", frame, CRect(0, 0, width, 400), ID_PANE_NAV, child | CBRS_LEFT))
        return FALSE;
    CBCGPOutlookWnd* tabs = nav.GetUnderlinedWindow();
    tabs->SetImageList(images);
    folders.Create(child | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | treeStyle, CRect(0, 0, 0, 0), tabs, 1);
    HTREEITEM pictures = folders.InsertItem(L"Pictures");
    for (const wchar_t* name : pictureFolders)
        folders.InsertItem(name, pictures);
    folders.Expand(pictures, TVE_EXPAND);
    tabs->AddTab(&folders, L"Folders", 0);
    nav.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

// A pane whose one child window fills it.
class CContentPane : public CBCGPDockingControlBar {
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_SIZE)
            if (CWnd* content = GetWindow(GW_CHILD))
                content->MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        return CBCGPDockingControlBar::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class CDemoFrame : public CBCGPFrameWnd {
public:
    CBCGPMenuBar m_menuBar;
    CBCGPToolBar m_toolBar;
    CBCGPRibbonStatusBar m_status;
    CCanvasView m_view;
    CBCGPOutlookBar m_nav;
    CTreeCtrl m_folders;
    CListCtrl m_albums;
    CContentPane m_props, m_layers, m_histogram, m_filmstrip, m_history;
    CListCtrl m_propList, m_layerList, m_historyList;
    CHistogram m_histogramView;
    CFilmStrip m_strip;
    CBCGPDialogBar m_options;
    TabImages m_images;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == ID_VIEW_FULLSCREEN || nID == ID_FILE_EXIT || (nID >= ID_FILE_OPEN && nID <= ID_IMAGE_ADJUST)) {
            if (nCode == CN_COMMAND && !pHandlerInfo) {
                if (nID == ID_VIEW_FULLSCREEN)
                    ShowFullScreen();
                else
                    PostMessage(WM_CLOSE);
            } else if (nCode == CN_UPDATE_COMMAND_UI) {
                static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            }
            return TRUE;
        }
        return CBCGPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    void FillList(CListCtrl& list, const wchar_t* const (*rows)[2], size_t count, bool twoColumns)
    {
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        ::FillList(list, rows, count, twoColumns, twoColumns ? 110 : 220);
    }

    BOOL BuildPanes()
    {
        const DWORD child = WS_CHILD | WS_VISIBLE;
        if (!m_view.Create(nullptr, nullptr, child | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        EnableAutoHideBars(CBRS_ALIGN_ANY);

        // The other bars of the layer: menu bar, tool bar with text buttons, status bar with a zoom slider.
        if (!m_menuBar.Create(this))
            return FALSE;
        m_menuBar.CreateFromMenu(BuildMenu(), TRUE);
        if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, child | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY))
            return FALSE;
        const UINT buttons[] = { ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_UNDO, ID_SEPARATOR, ID_IMAGE_CROP, ID_IMAGE_ROTATE,
                                 ID_IMAGE_ADJUST, ID_SEPARATOR, ID_VIEW_FULLSCREEN };
        const wchar_t* const texts[] = { L"Open", L"Save", L"Undo", nullptr, L"Crop", L"Rotate", L"Adjust", nullptr, L"Full screen" };
        m_toolBar.SetButtons(buttons, sizeof buttons / sizeof buttons[0]);
        for (UINT i = 0; i < sizeof texts / sizeof texts[0]; ++i)
            if (texts[i])
                m_toolBar.SetToolBarBtnText(i, texts[i], TRUE, FALSE);
        m_toolBar.SetWindowText(L"Standard");
        if (!m_status.Create(this))
            return FALSE;
        m_status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_READY, L"Ready", TRUE), L"Ready");
        m_status.AddExtendedElement(new CBCGPRibbonStatusBarPane(ID_STATUS_SIZE, L"6000 x 4000 px", TRUE), L"Size");
        auto* zoom = new CBCGPRibbonSlider(ID_STATUS_ZOOM, 120);
        zoom->SetZoomButtons();
        zoom->SetRange(10, 400);
        zoom->SetPos(100);
        m_status.AddExtendedElement(zoom, L"Zoom");
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_menuBar);
        DockControlBar(&m_toolBar);

        m_options.EnableVisualManagerStyle(TRUE);
        if (!m_options.Create(L"", this, TRUE, IDD_TEST_DIALOGBAR, child | CBRS_TOP, ID_PANE_OPTIONS))
            return FALSE;
        m_options.SetDlgItemText(IDC_BAR_EDIT, L"24 px, soft edge");

        if (!CreateNavigator(m_nav, m_folders, this, 240, m_images.list, TVS_FULLROWSELECT,
                             { L"2026 Holidays", L"Family", L"Mountains", L"Night sky", L"Portraits" }))
            return FALSE;
        HTREEITEM desk = m_folders.InsertItem(L"Desktop");
        m_folders.InsertItem(L"Scans", desk);
        m_folders.SelectItem(m_folders.GetNextItem(m_folders.GetChildItem(m_folders.GetRootItem()), TVGN_NEXT));
        CBCGPOutlookWnd* tabs = m_nav.GetUnderlinedWindow();
        m_albums.Create(child | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0), tabs, 2);
        const wchar_t* const albums[][2] = { { L"Favourites", L"" }, { L"Sunsets", L"" }, { L"To print", L"" } };
        FillList(m_albums, albums, 3, false);
        tabs->AddTab(&m_albums, L"Albums", 1);
        m_nav.SetIcon(::ImageList_GetIcon(m_images.list, 0, ILD_NORMAL), FALSE);

        struct PaneDef {
            CBCGPDockingControlBar* pane;
            const wchar_t* caption;
            UINT id;
            DWORD side;
            CSize size;
        };
        const PaneDef panes[] = {
            { &m_props, L"Properties", ID_PANE_PROPS, CBRS_RIGHT, CSize(250, 300) },
            { &m_layers, L"Layers", ID_PANE_LAYERS, CBRS_RIGHT, CSize(250, 300) },
            { &m_histogram, L"Histogram", ID_PANE_HISTOGRAM, CBRS_RIGHT, CSize(250, 180) },
            { &m_filmstrip, L"Film strip", ID_PANE_FILMSTRIP, CBRS_BOTTOM, CSize(120, 118) },
            { &m_history, L"History", ID_PANE_HISTORY, CBRS_RIGHT, CSize(230, 230) },
        };
        for (const PaneDef& p : panes) {
            if (!p.pane->Create(p.caption, this, p.size, TRUE, p.id, child | WS_CLIPCHILDREN | p.side))
                return FALSE;
            p.pane->EnableDocking(CBRS_ALIGN_ANY);
        }
        m_propList.Create(child | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0), &m_props, 1);
        const wchar_t* const props[][2] = { { L"File", L"sunset.jpg" }, { L"Size", L"6000 x 4000" },  { L"Camera", L"Mirrorless" },
                                            { L"Exposure", L"1/250 s" },   { L"Aperture", L"f/8" },   { L"ISO", L"200" },
                                            { L"Taken", L"12/08/2026 19:42" } };
        FillList(m_propList, props, sizeof props / sizeof props[0], true);
        m_layerList.Create(child | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0), &m_layers, 1);
        const wchar_t* const layers[][2] = { { L"Text: Summer", L"" }, { L"Vignette", L"" }, { L"Background", L"" } };
        FillList(m_layerList, layers, 3, false);
        m_historyList.Create(child | LVS_REPORT | LVS_NOCOLUMNHEADER, CRect(0, 0, 0, 0), &m_history, 1);
        const wchar_t* const steps[][2] = { { L"Open", L"" }, { L"Crop", L"" }, { L"Brightness +12", L"" }, { L"Vignette", L"" } };
        FillList(m_historyList, steps, 4, false);
        m_histogramView.Create(nullptr, nullptr, child, CRect(0, 0, 0, 0), &m_histogram, 1);
        m_strip.Create(nullptr, nullptr, child, CRect(0, 0, 0, 0), &m_filmstrip, 1);
        for (CBCGPDockingControlBar* pane : { &m_props, &m_layers, &m_histogram, &m_filmstrip, &m_history })
            pane->SetIcon(::ImageList_GetIcon(m_images.list, 2, ILD_NORMAL), FALSE);

        m_options.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_options);
        DockControlBar(&m_nav);
        DockControlBar(&m_props);
        m_layers.AttachToTabWnd(&m_props, BCGP_DM_STANDARD, FALSE);
        DockControlBar(&m_history);
        m_histogram.DockToWindow(&m_props, CBRS_ALIGN_BOTTOM);
        DockControlBar(&m_filmstrip);
        m_history.SetAutoHideMode(TRUE);
        EnableFullScreenMode(ID_VIEW_FULLSCREEN);
        return TRUE;
    }
};


// A picture window of the MDI mode: the canvas fills it.
class CPictureChild : public CBCGPMDIChildWnd {
public:
    CCanvasView m_canvas;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_CREATE && !m_canvas.m_hWnd)
            m_canvas.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
        return CBCGPMDIChildWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// The MDI mode: pictures as tabs in two groups beside the navigator and the properties.
class CDemoMDIFrame : public CBCGPMDIFrameWnd {
public:
    CBCGPOutlookBar m_nav;
    CTreeCtrl m_folders;
    CContentPane m_props;
    CListCtrl m_propList;
    TabImages m_images;

    BOOL Build()
    {
        const DWORD child = WS_CHILD | WS_VISIBLE;
        EnableDocking(CBRS_ALIGN_ANY);
        EnableAutoHideBars(CBRS_ALIGN_ANY);
        if (!CreateNavigator(m_nav, m_folders, this, 230, m_images.list, 0, { L"2026 Holidays", L"Harbour", L"Forest walks" }))
            return FALSE;
        if (!m_props.Create(L"Properties", this, CSize(240, 300), TRUE, ID_PANE_PROPS, child | WS_CLIPCHILDREN | CBRS_RIGHT))
            return FALSE;
        m_propList.Create(child | LVS_REPORT, CRect(0, 0, 0, 0), &m_props, 1);
        const wchar_t* const rows[][2] = { { L"Pictures", L"3 open" }, { L"Groups", L"2" }, { L"Zoom", L"Fit" } };
        FillList(m_propList, rows, 3, true, 100);
        m_props.EnableDocking(CBRS_ALIGN_ANY);
        m_props.SetIcon(::ImageList_GetIcon(m_images.list, 2, ILD_NORMAL), FALSE);
        DockControlBar(&m_nav);
        DockControlBar(&m_props);
        for (const wchar_t* title : { L"sunset.jpg", L"harbour.jpg", L"forest.jpg" }) {
            auto* picture = new CPictureChild;
            if (!picture->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, this))
                return FALSE;
        }
        EnableMDITabbedGroups(TRUE, CBCGPMDITabParams());
        MDITabNewGroup(TRUE);
        return TRUE;
    }
};

class CDemoApp : public CBCGPWinApp {
public:
    CDemoApp() : CBCGPWinApp(L"SkinFrameDemo") {}

    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&icc);
        int look = 0;
        CString mode;
        for (int i = 1; i < __argc; ++i) {
            bool isLook = false;
            for (size_t k = 0; k < sizeof kLooks / sizeof kLooks[0]; ++k)
                if (_wcsicmp(__wargv[i], kLooks[k].name) == 0) {
                    look = static_cast<int>(k);
                    isLook = true;
                }
            if (!isLook)
                mode = __wargv[i];
        }
        CBCGPVisualManager::SetDefaultManager(kLooks[look].type());
        if (mode.CompareNoCase(L"mdi") == 0) {
            auto* mdi = new CDemoMDIFrame;
            if (!mdi->Create(nullptr, L"Photo Studio", WS_OVERLAPPEDWINDOW, CRect(20, 20, 1260, 1000)))
                return FALSE;
            ::SetMenu(mdi->m_hWnd, BuildMenu());
            if (!mdi->Build())
                return FALSE;
            m_pMainWnd = mdi;
            mdi->ShowWindow(SW_SHOW);
            mdi->RecalcLayout();
            return TRUE;
        }
        auto* frame = new CDemoFrame;
        if (!frame->Create(nullptr, L"Photo Studio - sunset.jpg", WS_OVERLAPPEDWINDOW, CRect(20, 20, 1260, 1000)))
            return FALSE;
        if (!frame->BuildPanes())
            return FALSE;
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        frame->UpdateWindow();
        if (mode.CompareNoCase(L"float") == 0) {
            frame->m_filmstrip.FloatControlBar(CRect(380, 420, 900, 560));
        } else if (mode.CompareNoCase(L"slide") == 0) {
            frame->ShowControlBar(&frame->m_history, TRUE, FALSE, TRUE);
            frame->m_historyList.SetFocus();
        } else if (mode.CompareNoCase(L"fullscreen") == 0) {
            frame->ShowFullScreen();
        }
        return TRUE;
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}

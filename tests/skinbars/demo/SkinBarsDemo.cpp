// A main window built from the skinned bars: the caption bar with its own buttons, the menu
// bar, a standard tool bar (cold images, coloured when hot), a text bar with font boxes, a
// tool palette with a drop-down button and a colour button that draws itself, the status bar
// with its zoom slider, and tiles in the window's middle.
//   scripts/run demo/SkinBarsDemo [2013|2003|VS2012|plain]
#include <cstring>
#include "BarsIds.h"
#include "SkinUI.h"
#include "Win32Owners.h"

namespace {

const UINT kTilesId = AFX_IDW_PANE_FIRST;

// The current colours of the palette: two swatches that the button draws itself.
class CColorPairButton : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CColorPairButton)
public:
    CColorPairButton() = default;
    explicit CColorPairButton(UINT id) : CBCGPToolbarButton(id, -1) {}
    void CopyFrom(const CBCGPToolbarButton& src) override
    {
        CBCGPToolbarButton::CopyFrom(src);
        if (auto* pair = DYNAMIC_DOWNCAST(CColorPairButton, const_cast<CBCGPToolbarButton*>(&src))) {
            m_fore = pair->m_fore;
            m_back = pair->m_back;
        }
    }
    SIZE OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL) override { return CSize(sizeDefault.cx + 8, sizeDefault.cx + 8); }
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages*, BOOL, BOOL, BOOL bHighlight, BOOL, BOOL) override
    {
        if (bHighlight)
            CBCGPVisualManager::GetInstance()->OnFillButtonInterior(pDC, this, rect, CBCGPVisualManager::ButtonsIsHighlighted);
        const int s = rect.Width() * 5 / 9;
        CRect back(rect.right - s - 3, rect.bottom - s - 3, rect.right - 3, rect.bottom - 3);
        CRect fore(rect.left + 3, rect.top + 3, rect.left + 3 + s, rect.top + 3 + s);
        CBCGPDrawManager dm(*pDC);
        dm.DrawRect(back, m_back, globalData.clrBarDkShadow);
        dm.DrawRect(fore, m_fore, RGB(255, 255, 255));
        fore.InflateRect(1, 1);
        dm.DrawRect(fore, (COLORREF)-1, globalData.clrBarDkShadow);
    }
    BOOL OnClick(CWnd*, BOOL) override
    {
        std::swap(m_fore, m_back);
        if (m_pWndParent)
            m_pWndParent->InvalidateRect(&m_rect);
        return TRUE;
    }
    COLORREF m_fore = RGB(0, 120, 215), m_back = RGB(255, 255, 255);
};
IMPLEMENT_DYNCREATE(CColorPairButton, CBCGPToolbarButton)

// A tile picture drawn at run time: a white glyph of the tool bar's hot strip, enlarged.
HBITMAP TileGlyph(CBCGPToolBarImages& strip, int image)
{
    const int size = 48;
    BITMAPINFO info = win32::TopDownBitmapInfo(size, size);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    std::memset(bits, 0, size * size * 4);
    const skinui::Pixels& pixels = strip.GetPixels();
    const CSize cell = strip.GetImageSize();
    auto* out = static_cast<uint32_t*>(bits);
    // Nearest-neighbour enlargement of the glyph's coverage, in white.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int sx = image * cell.cx + x * cell.cx / size, sy = y * cell.cy / size;
            const uint32_t alpha = pixels.At(sx, sy) >> 24;
            out[y * size + x] = (alpha << 24) | (alpha << 16) | (alpha << 8) | alpha;
        }
    return bitmap;
}

class CDemoFrame : public CFrameWnd {
public:
    CBCGPRibbonBar m_caption;
    CBCGPMenuBar m_menuBar;
    CBCGPToolBar m_standard;
    CBCGPToolBar m_textBar;
    CBCGPToolBar m_palette;
    CBCGPDropDownToolBar m_selectTools;
    CBCGPRibbonStatusBar m_status;
    CBCGPWinUITilesCtrl m_tiles;
    CBCGPContextMenuManager m_contextMenus;
    CBCGPRibbonSlider* m_pSlider = nullptr;

protected:
    // Buttons with the images of the shared strip (image n is command ID_FIRST_IMAGE + n).
    static void Fill(CBCGPToolBar& bar, std::initializer_list<UINT> ids)
    {
        bar.RemoveAllButtons();
        for (UINT id : ids) {
            if (id == ID_SEPARATOR)
                bar.InsertSeparator();
            else
                bar.InsertButton(CBCGPToolbarButton(id, static_cast<int>(id - ID_FIRST_IMAGE)));
        }
    }
    static BOOL LoadStrips(CBCGPToolBar& bar) { return bar.LoadToolBar(IDR_STANDARD, IDB_ICONS_COLD, 0, TRUE, 0, 0, IDB_ICONS_HOT); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        CBCGPToolBar::m_bAltCustomization = TRUE;
        CBCGPPopupMenu::m_bForceMenuFocus = FALSE;
        SetIcon(::LoadIconW(nullptr, IDI_APPLICATION), FALSE);

        // The caption bar first: it takes the outermost place at the top.
        if (!m_caption.Create(this))
            return -1;
        auto* share = new CBCGPRibbonCaptionCustomButton(ID_CAPTION_SHARE, nullptr, L"Share");
        share->SetToolTipText(L"Share the picture");
        m_caption.AddToTabs(share);
        auto* skin = new CBCGPRibbonCaptionCustomButton(ID_CAPTION_SKIN, nullptr, L"Skin");
        m_caption.AddToTabs(skin);

        if (!m_menuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_HIDE_INPLACE, AFX_IDW_MENUBAR))
            return -1;

        if (!m_standard.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY,
                                 CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
            !LoadStrips(m_standard))
            return -1;
        Fill(m_standard, { ID_FILE_NEW_DOC, ID_FILE_OPEN_DOC, ID_FILE_SAVE_DOC, ID_FILE_PRINT_DOC, ID_SEPARATOR, ID_EDIT_UNDO_STEP,
                           ID_EDIT_REDO_STEP, ID_EDIT_COPY_IMAGE, ID_SEPARATOR, ID_IMAGE_ROTATE, ID_TOOL_CROP, ID_VIEW_ZOOM,
                           ID_SEPARATOR, ID_VIEW_GRID, ID_VIEW_HISTOGRAM, ID_FILE_MAIL, ID_SEPARATOR, ID_FONT_FACE, ID_FONT_SIZE,
                           ID_TOOL_TEXT, ID_SEPARATOR, ID_HELP_TOPICS });
        m_standard.SetToolBarBtnText(static_cast<UINT>(m_standard.CommandToIndex(ID_FILE_MAIL)), L"Share", TRUE, TRUE);
        CBCGPToolbarFontCombo font(ID_FONT_FACE, -1, TRUETYPE_FONTTYPE, DEFAULT_CHARSET, CBS_DROPDOWN, 160);
        m_standard.ReplaceButton(ID_FONT_FACE, font);
        if (auto* placed = DYNAMIC_DOWNCAST(CBCGPToolbarFontCombo, m_standard.GetButton(m_standard.CommandToIndex(ID_FONT_FACE))))
            placed->SetFont(L"Arial");
        CBCGPToolbarFontSizeCombo size(ID_FONT_SIZE, -1, CBS_DROPDOWN, 56);
        m_standard.ReplaceButton(ID_FONT_SIZE, size);
        if (auto* placed = DYNAMIC_DOWNCAST(CBCGPToolbarFontSizeCombo, m_standard.GetButton(m_standard.CommandToIndex(ID_FONT_SIZE)))) {
            placed->RebuildFontSizes(L"Arial");
            placed->SetTwipSize(36 * 20);
        }

        // The status bar before the palette: bars made first take the outer places.
        CreateStatusBar();

        // The tool palette at the left, its selection tools in a drop-down.
        if (!m_palette.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_TOOLTIPS, CRect(2, 4, 2, 4), 120) ||
            !LoadStrips(m_palette))
            return -1;
        Fill(m_palette, { ID_SELECT_RECT, ID_TOOL_CROP, ID_TOOL_BRUSH, ID_TOOL_PEN, ID_TOOL_TEXT, ID_SEPARATOR, ID_SHAPE_RECT,
                          ID_SHAPE_ELLIPSE, ID_SHAPE_LINE, ID_TOOL_MOSAIC, ID_TOOL_BLUR, ID_TOOL_LIGHTEN, ID_SEPARATOR, ID_TOOL_COLOR });
        if (!m_selectTools.Create(this, WS_CHILD | CBRS_TOP, IDR_SELECT_TOOLS) || !LoadStrips(m_selectTools))
            return -1;
        Fill(m_selectTools, { ID_SELECT_RECT, ID_SELECT_ELLIPSE, ID_SELECT_WAND });
        m_palette.ReplaceButton(ID_SELECT_RECT, CBCGPDropDownToolbarButton(L"Select Tool", &m_selectTools));
        m_palette.ReplaceButton(ID_TOOL_COLOR, CColorPairButton(ID_TOOL_COLOR));

        if (!m_tiles.Create(CRect(0, 0, 0, 0), this, kTilesId))
            return -1;
        FillTiles();
        m_contextMenus.AddMenu(L"Picture", IDR_CONTEXT);
        SetTimer(1, 600, nullptr);
        return 0;
    }

    void CreateStatusBar()
    {
        m_status.Create(this);
        m_status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_READY, L"Ready", TRUE, nullptr, L"Select Tool: Round Rect"), L"Ready");
        m_status.AddSeparator();
        m_status.AddElement(new CBCGPRibbonStatusBarPane(ID_STATUS_POS, L"X:Y=1024:768", TRUE, nullptr, L"X:Y=0000:0000"), L"X:Y");
        m_status.AddSeparator();
        m_status.AddElement(new CBCGPRibbonCheckBox(ID_STATUS_SNAP, L"Snap to grid"), L"Snap");
        m_status.AddSeparator();
        m_status.AddElement(new CBCGPRibbonLabel(L"Saving"), L"Progress name");
        auto* progress = new CBCGPRibbonProgressBar(ID_STATUS_PROGRESS, 120);
        progress->SetRange(0, 100);
        progress->SetPos(64);
        m_status.AddElement(progress, L"Progress");
        m_status.AddExtendedElement(new CBCGPRibbonStatusBarPane(ID_EDIT_COPY_IMAGE, L"", FALSE, nullptr, nullptr), L"Copy");
        m_status.AddExtendedElement(new CBCGPRibbonStatusBarPane(ID_STATUS_ZOOM, L"100%", FALSE, nullptr, L"1000%"), L"Zoom");
        m_pSlider = new CBCGPRibbonSlider(ID_STATUS_SLIDER, 110);
        m_pSlider->SetZoomButtons();
        m_pSlider->SetRange(0, 320);
        m_pSlider->SetPageSize(1);
        m_pSlider->SetPos(20);
        m_status.AddExtendedElement(m_pSlider, L"Zoom Slider");
    }

    void FillTiles()
    {
        CBCGPWinUITiles* tiles = m_tiles.GetWinUITiles();
        tiles->SetSquareSize(CSize(132, 132));
        tiles->SetCaption(L"Start");
        tiles->SetGroupCaption(0, L"Edit pictures");
        tiles->SetGroupCaption(1, L"Batch work");
        tiles->SetFillBrush(CBCGPBrush(CBCGPColor(globalData.clrWindow), CBCGPColor(globalData.clrBarFace),
                                       CBCGPBrush::BCGP_GRADIENT_RADIAL_TOP));
        tiles->SetScrollBarColorTheme(CBCGPScrollBarColorTheme(globalData.clrBarFace));
        struct TileDef {
            const wchar_t* name;
            UINT command;
            COLORREF color;
            BCGP_WINUI_TILE_TYPE type;
            int group;
            BCGP_WINUI_BADGE_GLYPH badge;
        };
        const TileDef defs[] = {
            { L"Photo editor", ID_TOOL_BRUSH, RGB(0, 120, 215), BCGP_TILE_WIDE, 0, BCGP_NONE },
            { L"Collage", ID_SHAPE_RECT, RGB(0, 153, 188), BCGP_TILE_REGULAR, 0, BCGP_NONE },
            { L"Make-up", ID_TOOL_PEN, RGB(194, 57, 179), BCGP_TILE_REGULAR, 0, BCGP_NONE },
            { L"Effects and frames", ID_TOOL_LIGHTEN, RGB(202, 80, 16), BCGP_TILE_WIDE, 0, BCGP_NEW_MESSAGE },
            { L"Combine", ID_EDIT_COPY_IMAGE, RGB(16, 137, 62), BCGP_TILE_REGULAR, 0, BCGP_NONE },
            { L"Split", ID_TOOL_CROP, RGB(0, 99, 177), BCGP_TILE_REGULAR, 0, BCGP_NONE },
            { L"Screen capture", ID_SELECT_RECT, RGB(81, 92, 107), BCGP_TILE_WIDE, 1, BCGP_NONE },
            { L"Resize", ID_VIEW_ZOOM, RGB(135, 100, 184), BCGP_TILE_REGULAR, 1, BCGP_NONE },
            { L"Rename", ID_TOOL_TEXT, RGB(232, 17, 35), BCGP_TILE_REGULAR, 1, BCGP_ATTENTION },
            { L"Watermark", ID_TOOL_MOSAIC, RGB(0, 178, 148), BCGP_TILE_WIDE, 1, BCGP_NONE },
        };
        for (const TileDef& def : defs) {
            auto* tile = new CBCGPWinUITile(def.name, def.type, CBCGPColor(RGB(255, 255, 255)), CBCGPBrush(CBCGPColor(def.color)));
            CBCGPColor border(def.color);
            border.MakeLighter(0.15);
            tile->SetBorderColor(border);
            if (HBITMAP glyph = TileGlyph(*m_standard.GetHotImages(), static_cast<int>(def.command - ID_FIRST_IMAGE))) {
                tile->SetImage(CBCGPImage(glyph), 0, 1000, TRUE);
                ::DeleteObject(glyph);
            }
            tile->SetBadgeGlyph(def.badge);
            tile->SetUserData(def.command);
            tile->SetToolTipText(def.name);
            tiles->Add(tile, def.group);
        }
    }

    LRESULT OnTileClick(WPARAM, LPARAM lParam)
    {
        auto* tile = reinterpret_cast<CBCGPWinUITile*>(lParam);
        if (auto* ready = m_status.FindElement(ID_STATUS_READY)) {
            ready->SetText(tile->GetName());
            ready->Redraw();
        }
        return 0;
    }

    afx_msg void OnContextMenu(CWnd*, CPoint pos) { m_contextMenus.ShowPopupMenu(IDR_CONTEXT, pos.x, pos.y, this, TRUE); }

    void OnZoom()
    {
        if (auto* pane = m_status.FindElement(ID_STATUS_ZOOM)) {
            CString text;
            text.Format(L"%d%%", m_pSlider->GetPos() * 5);
            pane->SetText(text);
            pane->Redraw();
        }
    }
    void OnCommandRange(UINT) {}
    // "menu", "context", "hot" or "palette" on the command line: that opens a moment after start, for
    // a picture of it.
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        const CString line = AfxGetApp()->m_lpCmdLine ? AfxGetApp()->m_lpCmdLine : L"";
        if (line.Find(L"menu") >= 0 && m_menuBar.OpenMenu(0)) {
            if (CBCGPPopupMenu* menu = CBCGPPopupMenu::GetActiveMenu()) {
                menu->SendMessage(WM_KEYDOWN, VK_DOWN);
                menu->SendMessage(WM_KEYDOWN, VK_DOWN);
            }
        } else if (line.Find(L"context") >= 0) {
            CRect r;
            m_tiles.GetWindowRect(&r);
            m_contextMenus.ShowPopupMenu(IDR_CONTEXT, r.left + 420, r.top + 380, this, TRUE);
        } else if (line.Find(L"hot") >= 0) {
            // The pointer over the Save button: its coloured image and its tool tip show.
            CRect r;
            m_standard.GetItemRect(m_standard.CommandToIndex(ID_FILE_SAVE_DOC), &r);
            m_standard.ClientToScreen(&r);
            ::SetCursorPos(r.CenterPoint().x, r.CenterPoint().y);
        } else if (line.Find(L"palette") >= 0) {
            if (auto* drop = DYNAMIC_DOWNCAST(CBCGPDropDownToolbarButton, m_palette.GetButton(0)))
                drop->DropDown();
        }
    }
    void OnUpdateBrush(CCmdUI* pCmdUI) { pCmdUI->SetCheck(TRUE); }
    void OnUpdateUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateSnap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(TRUE); }
    void OnExit() { PostMessage(WM_CLOSE); }
    DECLARE_MESSAGE_MAP()
};

const UINT kTileClick = BCGM_ON_CLICK_WINUI_UI_TILE;

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_REGISTERED_MESSAGE(kTileClick, OnTileClick)
    ON_COMMAND(ID_STATUS_SLIDER, OnZoom)
    ON_COMMAND(ID_APP_EXIT_PROGRAM, OnExit)
    ON_COMMAND_RANGE(ID_FIRST_IMAGE, ID_CONTEXT_DELETE, OnCommandRange)
    ON_UPDATE_COMMAND_UI(ID_TOOL_BRUSH, OnUpdateBrush)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO_STEP, OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(ID_STATUS_SNAP, OnUpdateSnap)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"SkinBarsDemo") {}
    BOOL InitInstance() override
    {
        CWinApp::InitInstance();
        CRuntimeClass* look = RUNTIME_CLASS(CBCGPVisualManager2013);
        const CString line = m_lpCmdLine ? m_lpCmdLine : L"";
        if (line.Find(L"2003") >= 0)
            look = RUNTIME_CLASS(CBCGPVisualManager2003);
        else if (line.Find(L"VS2012") >= 0)
            look = RUNTIME_CLASS(CBCGPVisualManagerVS2012);
        else if (line.Find(L"plain") >= 0)
            look = RUNTIME_CLASS(CBCGPVisualManager);
        CBCGPVisualManager::SetDefaultManager(look);
        auto* frame = new CDemoFrame;
        if (!frame->Create(nullptr, L"Lakeside.jpg - Picture Editor", WS_OVERLAPPEDWINDOW, CRect(40, 30, 1240, 820), nullptr,
                           MAKEINTRESOURCEW(IDR_MAINFRAME)))
            return FALSE;
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        frame->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}

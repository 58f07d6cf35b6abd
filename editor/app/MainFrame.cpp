#include "MainFrame.h"
#include <shlwapi.h>
#include <optional>
#include "EditFilePaths.h"
#include "EditorRules.h"
#include "EditorUtils.h"
#include "KQPrintDialog.h"
#include "LumivoToolsApp.h"
#include "MainFrameIds.h"
#include "MainFrameStartPage.h"
#include "MenuCaptions.h"
#include "ContextBarIds.h"
#include "MessageBox.h"
#include "OpenTimes.h"
#include "PictureReadAhead.h"
#include "ShopToolbarColorPicker.h"
#include "ToolHost.h"
#include "ToolPaletteIds.h"
#include "ZVUILibApp.h"

namespace {

// The pointer tool's number in the picture view.
const int kPointerTool = 3;

struct DropDownPlace {
    UINT bar, images, command;
    const wchar_t* caption;
};
const DropDownPlace kDropDowns[] = {
    {IDR_DROPDOWN_SELECT, IDB_DROPDOWN_SELECT, ID_TOOL_SELECT_RECT, L"Select Tool"},
    {IDR_DROPDOWN_MOSAIC, IDB_DROPDOWN_MOSAIC, ID_TOOL_MOSAIC, L"Mosaic Tool"},
    {IDR_DROPDOWN_BLUR, IDB_DROPDOWN_BLUR, ID_TOOL_BLUR, L"Blur Tool"},
    {IDR_DROPDOWN_LIGHT, IDB_DROPDOWN_LIGHT, ID_TOOL_LIGHTEN, L"Light Tool"},
};

struct StatusPaneDef {
    UINT id;
    const wchar_t* text;       // translated; empty stays empty
    UINT icon;                 // 0: a static text pane
    const wchar_t* widthText;  // null: the text itself
    const wchar_t* label;
};
// Left: texts the views write; right (extended): the buttons, then the zoom.
const StatusPaneDef kTextPanes[] = {
    {ID_STATUS_READY, L"Ready", 0, L"Select Tool: Round Rect", L"Readly"},
    {ID_STATUS_INFO, L"", 0, L"", L"Info"},
    {ID_STATUS_POSITION, L"", 0, L"X:Y=0000:0000", L"X:Y"},
    {ID_STATUS_RECT, L"", 0, L"0000:0000===>0000:0000(W=0000,H=0000,W/H=0.000)", L"Other"},
};
const StatusPaneDef kButtonPanes[] = {
    {ID_STATUS_GRID, L"Grid", IDI_STATUS_GRID, nullptr, L"Draw Grid"},
    {ID_STATUS_HISTOGRAM, L"Histogram", IDI_STATUS_HISTOGRAM, nullptr, L"Histogram"},
    {ID_STATUS_CLIPBOARD, L"Copy to clipboard", IDI_STATUS_CLIPBOARD, nullptr, L"Copy to clipboard"},
    {ID_STATUS_EMAIL, L"Email", IDI_STATUS_EMAIL, nullptr, L"Email"},
    {ID_STATUS_PRINT, L"Print", IDI_STATUS_PRINT, nullptr, L"Print Preview"},
};

CString Translated(const wchar_t* text)
{
    return *text ? CString(TranslateString(text)) : CString();
}

// The state the enable rules look at, from the view.
EditorViewState ViewState(CPicEditView* view)
{
    EditorViewState s;
    if (!view)
        return s;
    CLayerDocument& doc = view->doc;
    s.hasView = true;
    s.currentLayerId = doc.layers.currentId;
    CLayerInfo* current = doc.layers.GetCurrentLayer();
    s.currentLocked = current && current->locked;
    s.modified = view->IsModified();
    s.layerCount = static_cast<int>(doc.layers.layers.size());
    s.outlinePoints = static_cast<int>(doc.pathPoints.size());
    s.historyCount = doc.history.GetCount();
    s.historyPosition = doc.history.position;
    s.zoom = doc.zoom;
    s.gridOn = doc.gridOn != 0;
    return s;
}

} // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CBCGPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CBCGPMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    // The bars keep the buttons of their resources: a reset is answered and changes nothing.
    ON_REGISTERED_MESSAGE(BCGM_RESETTOOLBAR, OnResetToolbar)
    ON_COMMAND(ID_EDITOR_IDLE, OnIdleCommand)
    // The colour button works by itself; its command only keeps it enabled.
    ON_COMMAND(ID_TOOL_COLOR, OnIdleCommand)
    ON_UPDATE_COMMAND_UI(ID_EDITOR_IDLE, OnUpdateIdleCommand)
    ON_COMMAND(ID_EDIT_UNDO_STEP, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO_STEP, OnEditRedo)
    ON_COMMAND(ID_EDIT_CUT_SELECTION, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY_SELECTION, OnEditCopy)
    ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
    ON_COMMAND(ID_EDIT_PASTE_LAYER, OnEditPaste)
    ON_COMMAND(ID_IMAGE_FLIP_VERTICAL, OnFlipVertical)
    ON_COMMAND(ID_LAYER_FLIP_VERTICAL, OnFlipVertical)
    ON_COMMAND(ID_IMAGE_FLIP_HORIZONTAL, OnFlipHorizontal)
    ON_COMMAND(ID_LAYER_FLIP_HORIZONTAL, OnFlipHorizontal)
    ON_COMMAND(ID_ZOOM_IN_STEP, OnZoomIn)
    ON_COMMAND(ID_ZOOM_OUT_STEP, OnZoomOut)
    ON_COMMAND(ID_STATUS_ZOOM_SLIDER, OnZoomSlider)
    ON_COMMAND(ID_STATUS_GRID, OnToggleGrid)
    ON_COMMAND(ID_VIEW_SHOW_GRID, OnToggleGrid)
    ON_COMMAND(ID_STATUS_HISTOGRAM, OnHistogram)
    ON_COMMAND(ID_STATUS_CLIPBOARD, OnCopyFlattened)
    ON_COMMAND(ID_STATUS_EMAIL, OnEmail)
    ON_COMMAND(ID_FILE_EMAIL, OnEmail)
    ON_COMMAND(ID_STATUS_PRINT, OnPrint)
    ON_COMMAND(ID_FILE_PRINT_PICTURE, OnPrint)
    ON_COMMAND(ID_STATUS_ZOOM, OnZoomPane)
    ON_MESSAGE(WM_EDITOR_SHAPE_COLOUR, OnColorMessage)
    // File, view, image and layer commands.
    ON_COMMAND(ID_FILE_OPEN_PICTURE, OnFileOpen)
    ON_COMMAND(ID_FILE_FROM_CLIPBOARD, OnFileFromClipboard)
    ON_UPDATE_COMMAND_UI(ID_FILE_FROM_CLIPBOARD, OnUpdateFileFromClipboard)
    ON_COMMAND(ID_FILE_SAVE_PICTURE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_PICTURE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_SHAPE_TO_PAGE, OnFileShapeToPage)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_IMAGE_RESIZE, OnImageResize)
    ON_COMMAND(ID_IMAGE_ROTATE_LEFT, OnImageRotateLeft)
    ON_COMMAND(ID_IMAGE_ROTATE_RIGHT, OnImageRotateRight)
    ON_COMMAND(ID_LAYER_OPEN_AS_LAYER, OnLayerOpenAsLayer)
    ON_COMMAND(ID_LAYER_NEW_TEXT, OnLayerNewText)
    ON_COMMAND(ID_TOOL_TEXT_COMMAND, OnToolText)
    ON_COMMAND(ID_IMAGE_ROTATE, OnImageRotate)
    ON_COMMAND(ID_LAYER_DUPLICATE_LAYER, OnLayerDuplicate)
    ON_COMMAND(ID_LAYER_DELETE_LAYER, OnLayerDelete)
    ON_COMMAND(ID_LAYER_CONVERT_TEXT, OnLayerConvertText)
    ON_UPDATE_COMMAND_UI(ID_LAYER_CONVERT_TEXT, OnUpdateLayerConvertText)
    ON_COMMAND(ID_LAYER_TRANSPARENT_BACKGROUND, OnLayerTransparentBackground)
    ON_COMMAND(ID_LAYER_TURN_LEFT, OnLayerTurnLeft)
    ON_COMMAND(ID_LAYER_TURN_RIGHT, OnLayerTurnRight)
    ON_COMMAND(ID_LAYER_CROP, OnLayerCrop)
    ON_COMMAND(ID_LAYER_HIDE_ALL, OnLayerHideAll)
    ON_COMMAND(ID_LAYER_SHOW_ALL, OnLayerShowAll)
    ON_COMMAND(ID_LAYER_MERGE_VISIBLE, OnLayerMergeVisible)
    ON_COMMAND(ID_LAYER_MERGE_ALL, OnLayerMergeAll)
    ON_COMMAND(ID_LAYER_ADD_SHADOW, OnLayerShadow)
    ON_COMMAND_RANGE(ID_PANE_LAYER, ID_PANE_FRAME, OnTogglePane)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PANE_LAYER, ID_PANE_FRAME, OnUpdateTogglePane)
    ON_COMMAND(ID_VIEW_FULL_SCREEN, OnFullScreen)
    ON_COMMAND(ID_VIEW_FULL_SCREEN_TOO, OnFullScreen)
    ON_COMMAND(ID_ZOOM_FIT, OnZoomFit)
    ON_UPDATE_COMMAND_UI(ID_ZOOM_FIT, OnUpdateZoomFit)
    ON_COMMAND_RANGE(ID_ZOOM_PRESET_FIRST, ID_ZOOM_PRESET_LAST, OnZoomPreset)
    ON_COMMAND_RANGE(ID_ZOOM_PRESET_MORE_FIRST, ID_ZOOM_PRESET_MORE_LAST, OnZoomPreset)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_PRESET_FIRST, ID_ZOOM_PRESET_LAST, OnUpdateZoomPreset)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_PRESET_MORE_FIRST, ID_ZOOM_PRESET_MORE_LAST, OnUpdateZoomPreset)
    ON_WM_DROPFILES()
    ON_COMMAND(ID_NEXT_PANE, OnNextPane)
    ON_COMMAND(ID_PREV_PANE, OnPrevPane)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    // The zoom menu the status bar's zoom pane opens; the frame owns its copy.
    zoomMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MENU_ZOOM));
}

CMainFrame::~CMainFrame()
{
    if (GetEditorHost() == this)
        SetEditorHost(nullptr);
    if (zoomMenu)
        ::DestroyMenu(zoomMenu);
    for (HICON icon : m_statusIcons)
        ::DestroyIcon(icon);
    for (HICON icon : m_paneIconHandles)
        if (icon)
            ::DestroyIcon(icon);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CBCGPMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    DragAcceptFiles(TRUE);
    // The canvases print through the editor's print dialog.
    if (!GetPrintLayoutDialog())
        SetPrintLayoutDialog(&editorprint::EditorPrintLayoutDialog());
    // The dialogs shared by the picture modes find the editor's picture through this frame.
    RegisterToolHostFrame(RUNTIME_CLASS(CMainFrame), ToolHostKind::Editor, [](CWnd* frame) -> CPicEditView* {
        auto* child = DYNAMIC_DOWNCAST(CChildFrame, static_cast<CMainFrame*>(frame)->MDIGetActive());
        return child ? &child->view : nullptr;
    });
    if (CLumivoToolsApp* app = GetLumivoToolsApp(); app && app->m_hAppIcon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app->m_hAppIcon));
    CBCGPToolBar::m_bAltCustomization = TRUE;
    CBCGPPopupMenu::m_bForceMenuFocus = FALSE;

    if (!menuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, AFX_IDW_MENUBAR))
        return -1;
    menuBar.SetBarStyle(menuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    if (!standardBar.CreateEx(this, TBSTYLE_FLAT,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                              CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
        !standardBar.LoadToolBar(IDR_EDITOR_FRAME, IDB_STANDARD_BAR, 0, TRUE, 0, 0, IDB_STANDARD_BAR))
        return -1;
    if (!CreateDockToolbar())
        return -1;
    toolPalette.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    if (!CreateStatusBar())
        return -1;
    if (!CreatePanes())
        return -1;
    contextBar.settings = &toolSettings;
    if (!contextBar.Create(L"", this, TRUE, IDD_EDITOR_CONTEXT_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, ID_CONTEXT_BAR))
        return -1;
    CString standard;
    standard.LoadString(IDS_TOOLBAR_STANDARD);
    standardBar.SetWindowText(standard);

    menuBar.EnableDocking(CBRS_ALIGN_ANY);
    standardBar.EnableDocking(CBRS_ALIGN_ANY);
    layerBar.EnableDocking(CBRS_ALIGN_ANY);
    mainBar.EnableDocking(CBRS_ALIGN_ANY);
    filterBar.EnableDocking(CBRS_ALIGN_ANY);
    materialBar.EnableDocking(CBRS_ALIGN_ANY);
    frameBar.EnableDocking(CBRS_ALIGN_ANY);
    contextBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    EnableAutoHideBars(CBRS_ALIGN_ANY, FALSE);

    DockControlBar(&mainBar, AFX_IDW_DOCKBAR_RIGHT);
    DockControlBar(&layerBar);
    filterBar.AttachToTabWnd(&mainBar, BCGP_DM_STANDARD, FALSE);
    materialBar.AttachToTabWnd(&mainBar, BCGP_DM_STANDARD, FALSE);
    frameBar.AttachToTabWnd(&mainBar, BCGP_DM_STANDARD, FALSE);
    DockControlBar(&toolPalette, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&menuBar);
    DockControlBar(&standardBar);
    DockControlBar(&contextBar, AFX_IDW_DOCKBAR_TOP);
    contextBar.ShowControlBar(FALSE, FALSE, TRUE);

    UpdateMenuCaptions();
    EnableMDITabbedGroups(TRUE, CBCGPMDITabParams());
    EnableWindowsDialog(ID_WINDOW_MANAGER, IDS_WINDOWS_MANAGER, TRUE, FALSE, FALSE);
    SetEditorHost(this);
    SelectPointerTool();
    return 0;
}

BOOL CMainFrame::CreateDockToolbar()
{
    if (!toolPalette.CreateEx(this, TBSTYLE_FLAT,
                              WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_BORDER_3D | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                              CRect(0, 0, 0, 0), ID_TOOL_PALETTE_BAR) ||
        !toolPalette.LoadToolBar(IDR_TOOL_PALETTE, IDB_TOOL_PALETTE_COLD, 0, TRUE, 0, 0, IDB_TOOL_PALETTE_HOT))
        return FALSE;
    for (size_t i = 0; i < std::size(kDropDowns); ++i) {
        const DropDownPlace& place = kDropDowns[i];
        if (!dropDowns[i].Create(this,
                                 WS_CHILD | CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_3D | CBRS_FLYBY | CBRS_TOOLTIPS |
                                     CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC,
                                 place.bar) ||
            !dropDowns[i].LoadToolBar(place.bar, place.images, 0, 0, 0, 0, place.images))
            return FALSE;
        toolPalette.ReplaceButton(place.command, CBCGPDropDownToolbarButton(TranslateString(place.caption), &dropDowns[i]));
    }
    CShopToolbarColorPicker colors(ID_TOOL_COLOR);
    colors.LoadImages();
    toolPalette.ReplaceButton(ID_TOOL_COLOR, colors);
    return TRUE;
}

HICON CMainFrame::LoadStatusIcon(UINT id)
{
    // The small icon size follows the display's scale.
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    auto icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    if (icon)
        m_statusIcons.push_back(icon);
    return icon;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return FALSE;
    bool first = true;
    for (const StatusPaneDef& def : kTextPanes) {
        if (!first)
            statusBar.AddSeparator();
        first = false;
        const CString text = Translated(def.text);
        statusBar.AddElement(new CBCGPRibbonStatusBarPane(def.id, text, TRUE, nullptr, Translated(def.widthText)), def.label);
    }
    for (const StatusPaneDef& def : kButtonPanes) {
        const CString text = Translated(def.text);
        statusBar.AddExtendedElement(new CBCGPRibbonStatusBarPane(def.id, text, FALSE, LoadStatusIcon(def.icon), text),
                                     def.label);
    }
    statusBar.AddExtendedElement(
        new CBCGPRibbonStatusBarPane(ID_STATUS_ZOOM, L"100%", FALSE, LoadStatusIcon(IDI_STATUS_ZOOM), L"1000%"), L"Zoom");
    auto* slider = new CBCGPRibbonSlider(ID_STATUS_ZOOM_SLIDER, 100);
    slider->SetZoomButtons();
    slider->SetPageSize(1);
    slider->SetRange(0, 320);
    slider->SetPos(10);
    statusBar.AddExtendedElement(slider, L"Zoom Slider");
    zoomSlider = slider;
    zoomPane = DYNAMIC_DOWNCAST(CBCGPRibbonStatusBarPane, statusBar.FindElement(ID_STATUS_ZOOM));
    return TRUE;
}

BOOL CMainFrame::CreatePanes()
{
    // Pane icons: layers (0) and effects (2), scaled with the display.
    paneIcons.SetImageSize(CSize(16, 16));
    paneIcons.SetTransparentColor(RGB(255, 0, 255));
    if (paneIcons.Load(IDB_PANE_ICONS))
        paneIcons.SmoothResize(globalData.GetRibbonImageScale());
    m_paneIconHandles[0] = paneIcons.ExtractIcon(0);
    m_paneIconHandles[1] = paneIcons.ExtractIcon(2);

    if (!layerBar.Create(L"Layer List View", this, CRect(0, 0, 150, 150), TRUE, ID_LAYER_BAR,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_BOTTOM | CBRS_FLOAT_MULTI, 0x20, 0xF))
        return FALSE;
    if (m_paneIconHandles[0])
        layerBar.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_paneIconHandles[0]));
    const int width = CalcSidePaneWidth();
    const struct {
        CKQDockingControlBar* pane;
        const wchar_t* caption;
        UINT id;
    } panes[] = {{&mainBar, L"Main", ID_MAIN_BAR},
                 {&filterBar, L"Filter", ID_FILTER_BAR},
                 {&materialBar, L"Material", ID_MATERIAL_BAR},
                 {&frameBar, L"Frame", ID_FRAME_BAR}};
    for (const auto& p : panes) {
        if (!p.pane->Create(p.caption, this, CSize(width, width), TRUE, p.id, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, 0x20, 0xF))
            return FALSE;
        p.pane->FloatCenter(0.6f);
        if (m_paneIconHandles[1])
            p.pane->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_paneIconHandles[1]));
    }
    return TRUE;
}

void CMainFrame::UpdateMenuCaptions()
{
    // The title the framework puts before the active picture's name, too.
    m_strTitle = TranslateString(L"Editor");
    SetWindowText(m_strTitle);
    OnUpdateFrameTitle(TRUE);
    filterBar.SetWindowText(TranslateString(L"Filter"));
    mainBar.SetWindowText(TranslateString(L"Basic"));
    layerBar.SetWindowText(TranslateString(L"Layer List View"));
    materialBar.SetWindowText(TranslateString(L"Material"));
    frameBar.SetWindowText(TranslateString(L"Frame"));
    // The tab group shows its front pane's caption as it was when it came to the front.
    if (CBCGPTabbedControlBar* tabs = mainBar.GetParentTabbedBar())
        tabs->SetActiveTab(tabs->GetActiveTab());
    if (zoomMenu)
        ::ModifyMenuW(zoomMenu, 33189, MF_BYCOMMAND | MF_STRING, 33189, TranslateString(L"Automatic"));
    const editorcaptions::Translator translate = [](const wchar_t* key) { return std::wstring(TranslateString(key)); };
    for (int i = 0; i < static_cast<int>(std::size(editorcaptions::kTopMenuKeys)); ++i) {
        CBCGPToolbarMenuButton* menu = menuBar.GetMenuItem(i);
        if (!menu)
            continue;
        const std::wstring before = menu->m_strText.GetString();
        menuBar.SetToolBarBtnText(i, editorcaptions::WithMnemonic(translate(editorcaptions::kTopMenuKeys[i]), before).c_str(), TRUE, TRUE);
        editorcaptions::ApplyMenuCaptions(menu->GetMenu(), i, translate);
    }
    if (menuBar.m_hWnd)
        menuBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RecalcLayout(TRUE);
}

void CMainFrame::ApplySkin()
{
    // The children as the client holds them: no activation, so none comes to the front and a
    // hidden one can't stall the walk.
    if (AfxGetMainWnd() == this && m_hWndMDIClient) {
        for (HWND at = ::GetWindow(m_hWndMDIClient, GW_CHILD); at; at = ::GetWindow(at, GW_HWNDNEXT)) {
            auto* child = DYNAMIC_DOWNCAST(CChildFrame, CWnd::FromHandlePermanent(at));
            if (!child || !::IsWindow(child->view.m_hWnd))
                continue;
            child->view.LoadBackgroundImage();
            child->view.RequestRedraw();
            child->view.Invalidate(FALSE);
        }
    }
    const COLORREF color = SkinListColor(globalData.clrBarFace);
    for (CKQPicListView* list : {static_cast<CKQPicListView*>(&filterBar.list), static_cast<CKQPicListView*>(&frameBar.list),
                                 static_cast<CKQPicListView*>(&mainBar.list), static_cast<CKQPicListView*>(&materialBar.list)}) {
        list->m_clrBackground = color;
        if (list->m_hWnd)
            list->DrawListView();
    }
    layerBar.list.background = color;
    if (layerBar.list.m_hWnd)
        layerBar.list.RedrawList();
    if (auto* app = dynamic_cast<CLumivoToolsApp*>(AfxGetApp()))
        if (app->m_pStartPage && app->m_pStartPage->m_hWnd)
            app->m_pStartPage->SetSkinBackground();
}

// ---- command routing ----

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (newPictures.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (layerDialogs.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (nCode == CN_COMMAND) {
        const ToolCommand* tool = FindToolCommand(nID);
        if (tool && tool->effect != ToolViewEffect::Text) {
            if (!pHandlerInfo)
                RunToolCommand(*tool);
            return TRUE;
        }
        if (RouteEffectCommand(nID, pHandlerInfo))
            return TRUE;
    }
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra) {
        const EditorRule rule = RuleOfCommand(nID);
        if (rule == EditorRule::Keep)
            return CBCGPMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (rule != EditorRule::None) {
            auto* cmdUI = static_cast<CCmdUI*>(pExtra);
            // An item whose command nobody handles yet stays disabled, whatever its rule says.
            AFX_CMDHANDLERINFO info = {};
            if (!OnCmdMsg(nID, CN_COMMAND, nullptr, &info)) {
                cmdUI->Enable(FALSE);
                return TRUE;
            }
            const bool clipboard = rule == EditorRule::P && IsClipboardImageAvailable();
            const RuleResult result = ApplyEditorRule(rule, ViewState(ActiveEditView()), clipboard);
            cmdUI->Enable(result.enabled);
            if (nID == ID_ZOOM_IN_STEP)
                SyncZoomDisplay();
            if (rule == EditorRule::F)
                cmdUI->SetCheck(result.checked);
            return TRUE;
        }
    }
    return CBCGPMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMainFrame::GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& text)
{
    if (!pButton)
        return TRUE;
    if (const ToolTipEntry* tip = FindToolTip(pButton->m_nID)) {
        text = TranslateString(tip->text);
        if (tip->longPress)
            text += CString(L"\n") + TranslateString(L"Long press,tool more...");
    }
    return TRUE;
}

CMDIChildWnd* CMainFrame::CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu, HACCEL hAccel)
{
    // The menu bar shows the menu. A child given a menu (or falling back on the frame's) would put
    // it on the frame at each activation, only to have it taken off again: two relayouts of the
    // frame and all its bars for every picture opened.
    if (menuBar.m_hWnd) {
        hMenu = nullptr;
        m_hMenuDefault = nullptr;
    }
    CMDIChildWnd* child = CBCGPMDIFrameWnd::CreateNewChild(pClass, nResource, hMenu, hAccel);
    if (child)
        SetWindowText(TranslateString(L"Editor"));
    return child;
}

void CMainFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CBCGPMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle);
    // An activated child puts its menu on the frame; the menu bar shows the editor's menu, so the
    // frame keeps none of its own.
    if (menuBar.m_hWnd && ::GetMenu(m_hWnd))
        ::SetMenu(m_hWnd, nullptr);
}

// ---- the active view and files ----

CPicEditView* CMainFrame::ActiveEditView()
{
    CWnd* main = AfxGetMainWnd();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, main);
    if (!frame || !frame->m_hWnd)
        return nullptr;
    CFrameWnd* active = frame->GetActiveFrame();
    if (!active || active == frame)
        return nullptr;
    auto* child = DYNAMIC_DOWNCAST(CChildFrame, active->GetActiveFrame());
    if (!child || !::IsWindow(child->view.m_hWnd))
        return nullptr;
    return &child->view;
}

bool CMainFrame::OpenFileInEditor(const wchar_t* path)
{
    return OpenInNewChild(path, nullptr);
}

void CMainFrame::OpenFilesInEditor(const std::vector<CString>& paths)
{
    std::vector<std::wstring> pictures;
    for (const CString& path : paths)
        if (!IsProjectPath(path.GetString()))
            pictures.emplace_back(path.GetString());
    if (pictures.size() < 2) {
        for (const CString& path : paths)
            OpenFileInEditor(path);
        return;
    }
    // Project files open as they come; the pictures are taken from the read-ahead in order.
    CPictureReadAhead ahead(std::move(pictures), true);
    int index = 0;
    for (const CString& path : paths) {
        if (IsProjectPath(path.GetString())) {
            OpenFileInEditor(path);
            continue;
        }
        std::unique_ptr<ReadPicture> picture;
        {
            open_times::Scope timed("wait", index);
            picture = ahead.Take();
        }
        open_times::Scope timed("child", index++);
        OpenInNewChild(path, &picture);
    }
}

bool CMainFrame::OpenInNewChild(const wchar_t* path, std::unique_ptr<ReadPicture>* read)
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->m_hWnd)
        return false;
    CLumivoToolsApp* app = GetLumivoToolsApp();
    CMDIChildWnd* before = MDIGetActive();
    const HWND beforeWindow = before ? before->m_hWnd : nullptr;
    std::optional<open_times::Scope> timed(std::in_place, "create-child");
    CreateNewChild(RUNTIME_CLASS(CChildFrame), IDR_EDITOR_CHILD, app ? app->m_hMainMenu : nullptr, app ? app->m_hAccel : nullptr);
    auto* mainFrame = DYNAMIC_DOWNCAST(CFrameWnd, main);
    CFrameWnd* active = mainFrame ? mainFrame->GetActiveFrame() : nullptr;
    auto* child = active && active != mainFrame ? DYNAMIC_DOWNCAST(CChildFrame, active->GetActiveFrame()) : nullptr;
    if (!child)
        return false;
    child->SetDocumentTitle(::PathFindFileNameW(path));
    child->ShowWindow(SW_HIDE);
    CPicEditView& view = child->view;
    view.UpdateClientRect();
    timed.reset();
    const bool opened = IsProjectPath(path) ? view.OpenProject(path) != FALSE
                        : read            ? view.OpenReadFile(path, std::move(*read)) != FALSE
                                          : view.OpenFile(path) != FALSE;
    if (!opened) {
        child->SendMessage(WM_CLOSE);
        // The picture that was in front before comes back, with its layers in the list.
        if (!MDIGetActive() && beforeWindow && ::IsWindow(beforeWindow))
            MDIActivate(before);
        RefreshLayerList();
        BCGPMessageBox(TranslateString(L"Fail to load !"), MB_OK);
        SelectPointerTool();
        return false;
    }
    // The view laid the picture out and listed its layers while it loaded.
    view.askBeforeOverwrite = 1;
    open_times::Scope timedShow("show");
    child->ShowWindow(SW_SHOW);
    SelectPointerTool();
    return true;
}

bool CMainFrame::IsClipboardImageAvailable()
{
    // Asked without opening the clipboard: another program may hold it open.
    static const UINT picture = ::RegisterClipboardFormatW(L"RCF_ZVIMAGE");
    return ::IsClipboardFormatAvailable(picture) || ::IsClipboardFormatAvailable(CF_DIB) ||
           ::IsClipboardFormatAvailable(CF_ENHMETAFILE);
}

void CMainFrame::SelectPointerTool()
{
    toolSettings.toolCommand = ID_TOOL_POINT;
    toolSettings.toolKind = kPointerTool;
    if (toolPalette.m_hWnd)
        toolPalette.SetCheckedCommand(ID_TOOL_POINT);
    if (contextBar.m_hWnd && contextBar.IsWindowVisible())
        contextBar.ShowControlBar(FALSE, FALSE, FALSE);
    if (CPicEditView* view = ActiveEditView()) {
        view->tool = kPointerTool;
        view->SetToolCursor();
    }
}

// ---- new pictures ----

CPicEditView* CMainFrame::CreatePictureWindow()
{
    CLumivoToolsApp* app = GetLumivoToolsApp();
    auto* child = DYNAMIC_DOWNCAST(CChildFrame, CreateNewChild(RUNTIME_CLASS(CChildFrame), IDR_EDITOR_CHILD,
                                                                app ? app->m_hMainMenu : nullptr, app ? app->m_hAccel : nullptr));
    if (!child)
        return nullptr;
    CString title;
    title.Format(L"%s-%d", TranslateString(L"Untitled"), toolSettings.untitledCounter++);
    child->SetDocumentTitle(title);
    MDIActivate(child);
    child->view.UpdateClientRect();
    return &child->view;
}

void CMainFrame::ShowPictureWindow(CPicEditView& view)
{
    // A new picture counts as unsaved until it is saved.
    view.modified = 1;
    view.SendMessage(WM_SIZE);
    view.Recompose();
    view.NotifyLayersChanged();
}

void CMainFrame::DiscardPictureWindow(CPicEditView& view)
{
    if (CWnd* child = view.GetParent())
        child->DestroyWindow();
}

// ---- the views' host ----

void CMainFrame::SetStatusText(UINT element, const wchar_t* text)
{
    if (!statusBar.m_hWnd)
        return;
    if (CBCGPBaseRibbonElement* pane = statusBar.FindElement(element))
        pane->SetText(text);
    statusBar.Invalidate();
    statusBar.UpdateWindow();
}

void CMainFrame::RefreshLayerList()
{
    if (layerBar.list.m_hWnd)
        layerBar.list.SendMessage(WM_CANVAS_REFRESH, 0, 0);
}

void CMainFrame::SetShapeSize(int width, int height)
{
    toolSettings.shape.width = width;
    toolSettings.shape.height = height;
}

bool CMainFrame::GetToolState(EditorToolState& state)
{
    state.tool = toolSettings.toolKind < 0 ? kPointerTool : toolSettings.toolKind;
    state.cropAspect = toolSettings.cropAspect;
    state.penSize = toolSettings.pen.size;
    return true;
}

void CMainFrame::OpenPageMaker(const wchar_t*)
{
    if (CLumivoToolsApp* app = GetLumivoToolsApp())
        app->ShowPagesFrame();
}

// ---- closing and activation ----

bool CMainFrame::CloseAllChildren()
{
    for (;;) {
        CMDIChildWnd* child = MDIGetActive();
        if (!child)
            return true;
        HWND before = child->m_hWnd;
        child->SendMessage(WM_CLOSE);
        // A child whose user kept it open is still the active one.
        CMDIChildWnd* after = MDIGetActive();
        if (after && after->m_hWnd == before && ::IsWindow(before))
            return false;
    }
}

void CMainFrame::OnClose()
{
    CLumivoToolsApp* app = GetLumivoToolsApp();
    // Every opener's editor asks about each unsaved picture first; one kept open keeps the editor.
    if (!CloseAllChildren())
        return;
    // The editor ends; the program goes on with the start page, unless it was started for these
    // files alone.
    if (app && app->m_pMainWnd == this && openerCode != kOpenedByCommandLine)
        app->m_pMainWnd = app->m_pStartPage;
    const bool startPage = app && app->m_pStartPage && app->m_pStartPage->m_hWnd;
    switch (openerCode) {
    case kOpenedByCommandLine:
        ::PostQuitMessage(0);
        if (startPage)
            app->m_pStartPage->SendMessage(WM_CLOSE);
        break;
    case kOpenedByCosmet:
    case kOpenedByEffect:
    case kOpenedByPages:
    case kOpenedByCombine:
    case kOpenedBySplit:
        // The modes that take a picture back are not part of this program yet: there is no frame
        // to give it to or to show.
        break;
    default:
        if (startPage) {
            app->m_pStartPage->ShowStartPage(SW_SHOW);
            app->m_pStartPage->UpdateWindow();
            app->m_pStartPage->BringWindowToTop();
        }
        break;
    }
    if (app) {
        if (app->m_pEditorFrame == this)
            app->m_pEditorFrame = nullptr;
        app->SetRegistryBase(L"Editor Settings");
    }
    CBCGPMDIFrameWnd::OnClose();
}

void CMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CBCGPMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        return;
    if (CLumivoToolsApp* app = GetLumivoToolsApp()) {
        app->SetRegistryBase(L"Editor Settings");
        app->m_pMainWnd = this;
    }
}

#pragma once
// CMainFrame: the photo editor's window. An MDI frame whose children are the open pictures
// (CChildFrame); it owns the menu bar, the standard tool bar, the tool palette with its drop-down
// bars, the status bar with its zoom slider, the layer pane, the four function panes and the tool
// context bar, keeps the tool settings, and is the picture views' host while it exists.
#include "ChildFrame.h"
#include "DlgEditorContextBar.h"
#include "EditorToolTable.h"
#include "EditorHost.h"
#include "EditorToolSettings.h"
#include "FuncFilterBar.h"
#include "FuncFrameBar.h"
#include "FuncMainBar.h"
#include "FuncMaterialBar.h"
#include "LayerBar.h"
#include "MainFrameNewCommands.h"
#include "RibbonSlider.h"
#include "RibbonStatusBar.h"
#include "SkinUI.h"
#include "ZVDockToolbar.h"

// Which frame opened the editor, and so gets the picture back when it closes.
enum EditorOpener : int32_t {
    kOpenedByStartPage = 0,
    kOpenedByCosmet = 9,
    kOpenedByEffect = 12,
    kOpenedByPages = 15,
    kOpenedByCombine = 18,
    kOpenedBySplit = 21,
    kOpenedByCommandLine = 25,
};

class CMainFrame : public CBCGPMDIFrameWnd, public INewPictureFrame, public IEditorHost {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& text) override;
    CMDIChildWnd* CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu = nullptr, HACCEL hAccel = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The picture view of the active child of the thread's main window, or null.
    static CPicEditView* ActiveEditView();
    // Opens a picture or project (".kqd") in a new child. False without a main window or child,
    // and for a file that could not be opened (the user is told; the empty child closes).
    bool OpenFileInEditor(const wchar_t* path) override;
    static bool IsClipboardImageAvailable();
    // The pointer tool, pressed in the palette, for the frame and the active view.
    void SelectPointerTool() override;
    // The translated captions of the frame, its panes and its menus.
    void UpdateMenuCaptions();
    // With an active view: the context bar with the shape options, and the view's frames shown
    // with its tool cursor dropped; the tool stays.
    void ShowShapeToolOptions();

    // INewPictureFrame
    CPicEditView* GetActiveEditView() override { return ActiveEditView(); }
    CPicEditView* CreatePictureWindow() override;
    void ShowPictureWindow(CPicEditView& view) override;
    void DiscardPictureWindow(CPicEditView& view) override;

    // IEditorHost
    // The crop size is the context bar's crop dialog's (-1 without it); the brush file its
    // paint dialog's.
    int GetFixedCropWidth() override { return contextBar.crop ? contextBar.crop->GetCropWidth() : -1; }
    int GetFixedCropHeight() override { return contextBar.crop ? contextBar.crop->GetCropHeight() : -1; }
    void SetCropFields(int width, int height) override;
    void SetStatusText(UINT element, const wchar_t* text) override;
    void RefreshLayerList() override;
    ShapeSettings GetShapeSettings() override { return toolSettings.shape; }
    void SetShapeSettings(const ShapeSettings& settings) override { toolSettings.shape = settings; }
    void SetShapeSize(int width, int height) override;
    void SelectDefaultTool() override { SelectPointerTool(); }
    void ShowShapeOptions() override { ShowShapeToolOptions(); }
    CStringW GetBrushFile() override { return contextBar.GetBrushFile(); }
    HWND GetColourTarget() override { return m_hWnd; }
    bool GetToolState(EditorToolState& state) override;
    void OpenPageMaker(const wchar_t* templatePath) override;

    CZVDockToolbar toolPalette;
    CBCGPRibbonStatusBar statusBar;
    CBCGPRibbonSlider* zoomSlider = nullptr;     // owned by the status bar
    CBCGPRibbonStatusBarPane* zoomPane = nullptr;
    CBCGPMenuBar menuBar;
    CBCGPToolBar standardBar;
    CLayerBar layerBar;
    CBCGPDropDownToolBar dropDowns[4];
    int32_t viewCommand = 0;
    HMENU zoomMenu = nullptr;
    int32_t openerCode = kOpenedByStartPage;
    EditorToolSettings toolSettings;
    CFuncMainBar mainBar;
    CFuncFilterBar filterBar;
    CFuncMaterialBar materialBar;
    CFuncFrameBar frameBar;
    CDlgEditorContextBar contextBar;
    CNewPictureCommands newPictures{*this};
    CBCGPToolBarImages paneIcons;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnIdleCommand() {}
    afx_msg void OnUpdateIdleCommand(CCmdUI*) {}
    // Edit, flip, zoom and grid commands on the active picture view; silent without one.
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditDelete();
    afx_msg void OnEditPaste();
    afx_msg void OnFlipVertical();
    afx_msg void OnFlipHorizontal();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomSlider();
    afx_msg void OnToggleGrid();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateDockToolbar();
    BOOL CreateStatusBar();
    BOOL CreatePanes();
    // Sends WM_CLOSE to the active child until none is left; false when one stays open (its
    // user kept it).
    bool CloseAllChildren();
    HICON LoadStatusIcon(UINT id);
    // A tool command of the table (all but the text tool) on the active view.
    void RunToolCommand(const ToolCommand& command);
    // The context bar with an option page, or hidden for -1.
    void ShowContextBar(int options);
    void MarkToolCommand(UINT command);
    // Puts the zoom slider and pane on the active view's zoom; redraws only what changed.
    void SyncZoomDisplay();
    // The view's zoom changed: it lays out again around its centre and repaints.
    static void ApplyZoom(CPicEditView& view, float zoom);
    // Frames on or off, with one redraw when that changes.
    static void ShowFrames(CPicEditView& view, bool shown);

    std::vector<HICON> m_statusIcons;
    int m_shownSliderPos = -1;
    std::wstring m_shownZoomText;
    HICON m_paneIconHandles[2] = {};
};

#pragma once
// CMainFrame: the photo editor's window. An MDI frame whose children are the open pictures
// (CChildFrame); it owns the menu bar, the standard tool bar, the tool palette with its drop-down
// bars, the status bar with its zoom slider, the layer pane, the four function panes and the tool
// context bar, keeps the tool settings, and is the picture views' host while it exists.
#include <memory>
#include <vector>
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
#include "MainFrameLayerDialogs.h"
#include "MainFrameNewCommands.h"
#include "PictureReadAhead.h"
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
    // Ctrl+Tab and Ctrl+F6 bring the next picture to the front, with Shift the previous one,
    // whichever window of the frame has the keyboard.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL GetToolbarButtonToolTipText(CBCGPToolbarButton* pButton, CString& text) override;
    CMDIChildWnd* CreateNewChild(CRuntimeClass* pClass, UINT nResource, HMENU hMenu = nullptr, HACCEL hAccel = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The picture view of the active child of the thread's main window, or null.
    static CPicEditView* ActiveEditView();
    // Opens a picture or project (".kqd") in a new child. False without a main window or child,
    // and for a file that could not be opened (the user is told; the empty child closes).
    bool OpenFileInEditor(const wchar_t* path) override;
    // Each in its own window, in order: a failed one is reported and the others still open.
    // The pictures are read ahead while the windows before them are set up.
    void OpenFilesInEditor(const std::vector<CString>& paths);
    static bool IsClipboardImageAvailable();
    // The folder of a file the user chose becomes the one the file dialogs open in, and the one
    // the program writes down at exit.
    static void RememberFolderOf(const wchar_t* path);
    // The folder the file dialogs open in; empty when none is known.
    static CString LastUsedFolder();
    // The pointer tool, pressed in the palette, for the frame and the active view.
    void SelectPointerTool() override;
    // The translated captions of the frame, its panes and its menus.
    void UpdateMenuCaptions();
    // Re-tints the pictures' canvas backgrounds and the panes' lists after a skin change.
    void ApplySkin();
    // With an active view: the context bar with the shape options, and the view's frames shown
    // with its tool cursor dropped; the tool stays.
    void ShowShapeToolOptions();
    // Runs the text sheet over the active picture: a new text, or the current text layer's.
    void RunTextSheet(bool newText) override;

    // INewPictureFrame
    CPicEditView* GetActiveEditView() override { return ActiveEditView(); }
    void NameAsUntitled(CPicEditView& view) override;
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
    ShapeSettings GetLineSettings() override { return toolSettings.line; }
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
    CLayerDialogCommands layerDialogs{[] { return ActiveEditView(); }};
    CBCGPToolBarImages paneIcons;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnResetToolbar(WPARAM, LPARAM) { return 0; }
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
    // The status bar's buttons: histogram, copy of the flattened picture, mail, print, zoom menu.
    afx_msg void OnHistogram();
    afx_msg void OnCopyFlattened();
    afx_msg void OnEmail();
    afx_msg void OnPrint();
    afx_msg void OnZoomPane();
    // A colour chosen (wParam 0 the paint colour, else the second colour; lParam the COLORREF).
    afx_msg LRESULT OnColorMessage(WPARAM which, LPARAM colour);
    // File, view, image and layer commands (MainFrameFileCommands.cpp, MainFrameViewCommands.cpp).
    afx_msg void OnFileOpen();
    afx_msg void OnFileFromClipboard();
    afx_msg void OnUpdateFileFromClipboard(CCmdUI* pCmdUI);
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnFileShapeToPage();
    afx_msg void OnEditSelectAll();
    afx_msg void OnImageResize();
    afx_msg void OnImageRotateLeft();
    afx_msg void OnImageRotateRight();
    afx_msg void OnLayerOpenAsLayer();
    afx_msg void OnLayerNewText();
    afx_msg void OnToolText();
    afx_msg void OnImageRotate();
    afx_msg void OnLayerDuplicate();
    afx_msg void OnLayerDelete();
    afx_msg void OnLayerConvertText();
    afx_msg void OnUpdateLayerConvertText(CCmdUI* pCmdUI);
    afx_msg void OnLayerTransparentBackground();
    afx_msg void OnLayerTurnLeft();
    afx_msg void OnLayerTurnRight();
    afx_msg void OnLayerCrop();
    afx_msg void OnLayerHideAll();
    afx_msg void OnLayerShowAll();
    afx_msg void OnLayerMergeVisible();
    afx_msg void OnLayerMergeAll();
    afx_msg void OnLayerShadow();
    afx_msg void OnTogglePane(UINT id);
    afx_msg void OnUpdateTogglePane(CCmdUI* pCmdUI);
    afx_msg void OnFullScreen();
    afx_msg void OnZoomFit();
    afx_msg void OnUpdateZoomFit(CCmdUI* pCmdUI);
    afx_msg void OnZoomPreset(UINT id);
    afx_msg void OnUpdateZoomPreset(CCmdUI* pCmdUI);
    afx_msg void OnDropFiles(HDROP drop);
    // F6 and Shift+F6: the keyboard goes round the picture and the shown panes.
    afx_msg void OnNextPane() { FocusNeighbourPane(true); }
    afx_msg void OnPrevPane() { FocusNeighbourPane(false); }
    DECLARE_MESSAGE_MAP()

private:
    // OpenFileInEditor with the picture's layer read before when read is not null.
    bool OpenInNewChild(const wchar_t* path, std::unique_ptr<ReadPicture>* read);
    BOOL CreateDockToolbar();
    BOOL CreateStatusBar();
    BOOL CreatePanes();
    // Sends WM_CLOSE to the active child until none is left; false when one stays open (its
    // user kept it).
    bool CloseAllChildren();
    HICON LoadStatusIcon(UINT id);
    // A tool command of the table (all but the text tool) on the active view.
    void RunToolCommand(const ToolCommand& command);
    // The Adjust and Filters commands and "Transparent color...": true for an id of theirs whose
    // dialog is there; run unless only asked about a handler.
    bool RouteEffectCommand(UINT id, AFX_CMDHANDLERINFO* pHandlerInfo);
    void RunEffectCommand(UINT id);
    // The context bar with an option page, or hidden for -1.
    void ShowContextBar(int options);
    void MarkToolCommand(UINT command);
    // Puts the zoom slider and pane on the active view's zoom; redraws only what changed.
    void SyncZoomDisplay();
    // The view's zoom changed: it lays out again around its centre and repaints.
    static void ApplyZoom(CPicEditView& view, float zoom);
    // Frames on or off, with one redraw when that changes.
    static void ShowFrames(CPicEditView& view, bool shown);
    // The background's picture turned a quarter, as one step of the history.
    void RotatePicture(bool left);
    // The current layer turned a quarter.
    void TurnLayer(bool left);
    // Merges the layers with the document's operation, then lists and redraws them.
    void MergeLayers(void (CLayerDocument::*merge)());
    void ShowAllLayers(bool show);
    // The pane of a Window menu command, or null.
    CBCGPBaseControlBar* PaneOfCommand(UINT id);
    // The picture after (or before) the active one in the order of their tabs, wrapping round.
    void ActivateNeighbourPicture(bool forward);
    void FocusNeighbourPane(bool forward);

    std::vector<HICON> m_statusIcons;
    int m_shownSliderPos = -1;
    std::wstring m_shownZoomText;
    HICON m_paneIconHandles[2] = {};
};

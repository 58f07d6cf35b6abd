#include "ChildFrame.h"
#include <cwchar>
#include "EditorHost.h"
#include "MessageBox.h"
#include "ZVUILibApp.h"

int BrushKindForTool(int tool)
{
    static const struct {
        int tool;
        int kind;
    } kinds[] = {{16, 1},  {17, 2},  {20, 3},  {31, 4},  {18, 16}, {19, 15}, {23, 5},
                 {27, 9},  {28, 10}, {29, 11}, {30, 12}, {32, 13}, {34, 14}};
    for (const auto& k : kinds)
        if (k.tool == tool)
            return k.kind;
    return 0;
}

int BrushCursorRadius(int size, float zoom)
{
    if (size * zoom < 16)
        return 8;
    return static_cast<int>((size / 2) * zoom);
}

IMPLEMENT_DYNCREATE(CChildFrame, CBCGPMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CBCGPMDIChildWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_WM_MDIACTIVATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame() = default;

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CBCGPMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    return TRUE;
}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBCGPMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!view.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                       AFX_IDW_PANE_FIRST))
        return -1;
    SetActiveView(&view, FALSE);
    OnChangeVisualManager();
    return 0;
}

BOOL CChildFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Any routed command, an idle update included, notices an edit made since the last one.
    if (!titleMarked && view.m_hWnd && view.IsModified())
        MarkTitle();
    if (view.m_hWnd && view.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CBCGPMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CChildFrame::MarkTitle()
{
    if (!m_hWnd)
        return;
    CString text;
    GetWindowText(text);
    SetWindowText(text + L" *");
    titleMarked = 1;
    OnChangeVisualManager();
}

void CChildFrame::ClearTitleMark()
{
    titleMarked = 0;
    if (!m_hWnd)
        return;
    CString text;
    GetWindowText(text);
    if (text.GetLength() >= 2 && wcscmp(text.Right(2), L" *") == 0) {
        SetWindowText(text.Left(text.GetLength() - 2));
        OnChangeVisualManager();
    }
}

void CChildFrame::SetDocumentTitle(const wchar_t* title)
{
    m_strTitle = title;
    titleMarked = 0;
    if (m_hWnd) {
        SetWindowText(title);
        OnChangeVisualManager();
    }
}

void CChildFrame::OnFileClose()
{
    SendMessage(WM_CLOSE);
}

void CChildFrame::OnClose()
{
    // The view's own test as well: a change not yet noticed by a routed command counts.
    if (titleMarked || view.IsModified()) {
        const int answer = BCGPMessageBox(TranslateString(L"Save changes before continuing ?"), MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        // A cancelled save dialog or a failed write keeps the picture and its changes.
        if (answer == IDYES && !(view.filePath.IsEmpty() ? view.SaveAs(L"Save") : view.Save()))
            return;
    }
    CBCGPMDIChildWnd::OnClose();
}

void CChildFrame::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CBCGPMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    (void)pActivateWnd;
    if (bActivate)
        HandOverTools();
}

void CChildFrame::HandOverTools()
{
    IEditorHost* host = GetEditorHost();
    EditorToolState state;
    if (host && host->GetToolState(state)) {
        view.tool = state.tool;
        view.selectionTracker.SetAspect(state.cropAspect);
        const int kind = BrushKindForTool(state.tool);
        // The paint tools paint with their tool's brush type; its brush picture is made again.
        if (kind != 0 && kind != view.brushType) {
            view.brushType = kind;
            view.brushStale = 1;
        }
        // The pens of tools 16 and 17 keep settings of their own; the others draw at the pen
        // option dialog's size.
        if (kind != 0 && state.tool != 16 && state.tool != 17) {
            view.brushSize = state.penSize;
            view.paintColour.rgbReserved = 255;
            view.brushHotSpot = BrushCursorRadius(state.penSize, view.doc.zoom);
            view.brushStep = state.penSize / 4;
        }
        if (view.m_hWnd)
            view.SetToolCursor();
    }
    view.NotifyLayersChanged();
}

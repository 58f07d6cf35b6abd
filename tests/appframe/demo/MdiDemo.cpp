// A small MDI program that shows the framework's frames: a main frame with a tool bar and a
// status bar, two picture windows with their own menu and keys, commands routed to the active
// picture's view and menu items checked by it: scripts/run demo/AppFrameMdiDemo.
#include "AppFrame.h"
#include "MdiDemoIds.h"

namespace {

class CPictureView : public CWnd {
    DECLARE_DYNCREATE(CPictureView)
protected:
    bool m_grid = true;
    bool m_red = false;

    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_red ? RGB(200, 60, 50) : RGB(70, 120, 190));
        if (m_grid) {
            for (int x = 0; x < client.right; x += 24)
                dc.FillSolidRect(x, 0, 1, client.bottom, RGB(255, 255, 255));
            for (int y = 0; y < client.bottom; y += 24)
                dc.FillSolidRect(0, y, client.right, 1, RGB(255, 255, 255));
        }
    }
    afx_msg void OnGrid()
    {
        m_grid = !m_grid;
        Invalidate();
    }
    afx_msg void OnRedden()
    {
        m_red = !m_red;
        Invalidate();
    }
    afx_msg void OnUpdateGrid(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_grid); }
    afx_msg void OnUpdateRedden(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_red); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPictureView, CWnd)

BEGIN_MESSAGE_MAP(CPictureView, CWnd)
    ON_WM_PAINT()
    ON_COMMAND(ID_PICTURE_GRID, OnGrid)
    ON_COMMAND(ID_PICTURE_REDDEN, OnRedden)
    ON_UPDATE_COMMAND_UI(ID_PICTURE_GRID, OnUpdateGrid)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_GRID, OnUpdateGrid)
    ON_UPDATE_COMMAND_UI(ID_PICTURE_REDDEN, OnUpdateRedden)
END_MESSAGE_MAP()

class CPictureFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CPictureFrame)
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        CCreateContext context = pContext ? *pContext : CCreateContext();
        context.m_pNewViewClass = RUNTIME_CLASS(CPictureView);
        return CreateView(&context) != nullptr;
    }
    afx_msg void OnFileClose() { MDIDestroy(); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPictureFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CPictureFrame, CMDIChildWnd)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

class CMainFrame : public CMDIFrameWnd {
public:
    CMenu m_pictureMenu;
    HACCEL m_pictureKeys = nullptr;
    int m_opened = 0;

    void NewPicture()
    {
        CMDIChildWnd* child = CreateNewChild(RUNTIME_CLASS(CPictureFrame), IDR_PICTURE, m_pictureMenu.m_hMenu, m_pictureKeys);
        if (child) {
            CString title;
            title.Format(L"Picture %d", ++m_opened);
            child->SetWindowText(title);
            OnUpdateFrameTitle(TRUE);
        }
    }

protected:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;

    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CMDIFrameWnd::OnCreate(cs) == -1)
            return -1;
        static const UINT buttons[] = { ID_FILE_NEW, ID_SEPARATOR, ID_PICTURE_GRID, ID_PICTURE_REDDEN };
        static const UINT panes[] = { ID_SEPARATOR, ID_INDICATOR_GRID };
        if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS) || !m_statusBar.Create(this) ||
            !m_statusBar.SetIndicators(panes, 2))
            return -1;
        TBADDBITMAP standard = { HINST_COMMCTRL, IDB_STD_SMALL_COLOR };
        m_toolBar.SendMessage(TB_ADDBITMAP, 15, reinterpret_cast<LPARAM>(&standard));
        // Standard images: new file, find (grid), paste (redden).
        m_toolBar.SetButtons(buttons, 4);
        const int images[] = { STD_FILENEW, STD_FIND, STD_PASTE };
        const UINT ids[] = { ID_FILE_NEW, ID_PICTURE_GRID, ID_PICTURE_REDDEN };
        for (int i = 0; i < 3; ++i)
            m_toolBar.SendMessage(TB_CHANGEBITMAP, ids[i], images[i]);
        m_statusBar.SetPaneText(0, L"Ready");
        return 0;
    }
    afx_msg void OnFileNew() { NewPicture(); }
    afx_msg void OnAppExit() { PostMessage(WM_CLOSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

class CMdiDemoApp : public CWinApp {
public:
    CMdiDemoApp() : CWinApp(L"Frame demonstration") {}
    BOOL InitInstance() override
    {
        auto* frame = new CMainFrame;
        frame->m_pictureMenu.LoadMenu(IDR_PICTURE);
        frame->m_pictureKeys = ::LoadAcceleratorsW(m_hInstance, MAKEINTRESOURCEW(IDR_PICTURE));
        if (!frame->LoadFrame(IDR_MAINFRAME))
            return FALSE;
        m_pMainWnd = frame;
        frame->MoveWindow(40, 30, 760, 540);
        frame->ShowWindow(m_nCmdShow);
        frame->UpdateWindow();
        frame->NewPicture();
        frame->NewPicture();
        frame->MDITile(MDITILE_VERTICAL);
        return TRUE;
    }
};

CMdiDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}

#include "SkinDemo.h"
#include "BrowserShellBreadcrumb.h"
#include "KQDockingControlBar.h"
#include "KQPicListView.h"
#include "KQTileUI.h"
#include "KQVisualManager.h"
#include "UIKitDemoIds.h"
#include "ZVShellTree.h"
#include "ZVUILibApp.h"

namespace {
enum : UINT { kTreePane = 0x9301, kTree = 0x9302, kTiles = 0x9303, kCrumb = 0x9304, kList = 0x9305 };

// The view: tiles above, the breadcrumb and the list below.
class CSkinView : public CWnd {
public:
    CKQTileUI tiles;
    CBrowserShellBreadcrumb crumb;
    CKQPicListView list;
    bool m_bTexture = false;

    void Build()
    {
        tiles.Create(CRect(0, 0, 10, 10), this, kTiles);
        CBCGPWinUITiles* collection = tiles.GetWinUITiles();
        collection->SetSquareSize(CSize(96, 96));
        collection->SetGroupCaption(0, TranslateString(L"Tools"));
        collection->SetGroupCaption(1, TranslateString(L"Folders"));
        const struct {
            const wchar_t* caption;
            UINT picture;
            COLORREF back;
            int group;
            BCGP_WINUI_TILE_TYPE type;
            BCGP_WINUI_BADGE_GLYPH badge;
        } kTilesTable[] = {
            {L"Edit", IDB_DEMO_TILE_PICTURE, RGB(0, 120, 215), 0, BCGP_TILE_WIDE, BCGP_NONE},
            {L"Collage", IDB_DEMO_TILE_STAR, RGB(232, 17, 35), 0, BCGP_TILE_REGULAR, BCGP_NEW_MESSAGE},
            {L"Batch", IDB_DEMO_TILE_GEAR, RGB(0, 153, 188), 0, BCGP_TILE_REGULAR, BCGP_NONE},
            {L"Favorites", IDB_DEMO_TILE_STAR, RGB(255, 140, 0), 1, BCGP_TILE_REGULAR, BCGP_ALERT},
            {L"Folders", IDB_DEMO_TILE_FOLDER, RGB(16, 124, 16), 1, BCGP_TILE_WIDE, BCGP_NONE},
            {L"Settings", IDB_DEMO_TILE_GEAR, RGB(104, 33, 122), 1, BCGP_TILE_REGULAR, BCGP_AVAILABLE},
        };
        for (const auto& t : kTilesTable)
            tiles.AddTile(TranslateString(t.caption), t.picture, CBCGPColor(t.back), CBCGPColor(RGB(255, 255, 255)), t.group, 0,
                          t.type, t.badge);
        // /skin N texture lays the texture over every tile, coloured as the skin's fill.
        tiles.m_nTileTextureRes = m_bTexture ? IDB_DEMO_TILE_TEXTURE : -1;
        tiles.ChangeSkin();
        crumb.Create(CRect(0, 0, 10, 10), this, kCrumb);
        crumb.m_pListView = &list;
        list.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), this, kList);
    }
    void Open(const CString& path)
    {
        list.UpdateFolder(path, false);
        crumb.SelectPath(path);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE && tiles.m_hWnd) {
            const int cx = LOWORD(lParam), cy = HIWORD(lParam);
            const int tilesHeight = cy * 11 / 20;
            tiles.MoveWindow(0, 0, cx, tilesHeight);
            crumb.MoveWindow(4, tilesHeight + 4, cx - 8, 26);
            list.MoveWindow(4, tilesHeight + 34, cx - 8, cy - tilesHeight - 38);
        }
        if (message == WM_ERASEBKGND) {
            CRect r;
            GetClientRect(&r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, globalData.brBarFace);
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The pane of the folder tree; a folder picked in it opens in the view.
class CTreePane : public CKQDockingControlBar {
public:
    CZVShellTree tree;
    CSkinView* view = nullptr;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_SIZE && tree.m_hWnd)
            tree.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        if (message == WM_NOTIFY) {
            auto* nm = reinterpret_cast<NMHDR*>(lParam);
            if (nm->idFrom == kTree && nm->code == TVN_SELCHANGEDW && view) {
                CString path;
                if (tree.GetItemPath(path))
                    view->Open(path);
            }
        }
        return CKQDockingControlBar::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class CSkinFrame : public CBCGPFrameWnd {
public:
    CSkinView view;
    CTreePane pane;
};
} // namespace

bool OpenSkinDemo(CWinApp* app, unsigned int* pSkin, bool texture)
{
    if (!g_pShellManager)
        g_pShellManager = new CBCGPShellManager;
    SetSkinVar(pSkin);
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKQVisualManager));
    auto* frame = new CSkinFrame;
    CString title;
    title.Format(L"Skin %u", *pSkin);
    if (!frame->Create(nullptr, title, WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 860)))
        return false;
    frame->view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST);
    frame->view.m_bTexture = texture;
    frame->view.Build();
    CTreePane& pane = frame->pane;
    pane.view = &frame->view;
    pane.Create(TranslateString(L"Folders"), frame, CRect(0, 0, 260, 260), TRUE, kTreePane, WS_CHILD | WS_VISIBLE | CBRS_LEFT);
    pane.tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, CRect(0, 0, 10, 10), &pane, kTree);
    pane.tree.InitStyle();
    pane.EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableAutoHideBars(CBRS_ALIGN_ANY);
    frame->DockControlBar(&pane);
    app->m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    // The pictures folder, in the tree and in the list.
    if (HTREEITEM pictures = pane.tree.GetPicturesItem()) {
        pane.tree.SelectItem(pictures);
        pane.tree.Expand(pictures, TVE_EXPAND);
    }
    CString path;
    if (!pane.tree.GetItemPath(path, pane.tree.GetPicturesItem()))
        path = L"C:\\";
    frame->view.Open(path);
    return true;
}

#pragma once
// The side pane at the left of the browser: an outlook bar with the Folder page (the folder tree
// with the favourites, their buttons and the picture details) and the Batch page (the tiles of
// the batch operations). It slides out when hidden.
#include <functional>
#include <string>
#include "BatchTilePanel.h"
#include "KQFlatButton.h"
#include "LumivoShowsClient.h"
#include "PicDetailWnd.h"
#include "SkinUI.h"
#include "ZVShellTree.h"

class CPictureListView;

// The folder tree of the browser: the favourites and the online materials (an item over the
// online client's Dir cache folder), Enter for full screen, no expanding while a batch runs, and
// the mouse over it folds a tool bar that the mouse opened. An item that opens becomes the
// selection.
class CKQShellTree : public CZVShellTree {
public:
    explicit CKQShellTree(const wchar_t* favoriteRoot = kZVFavoriteRegRoot) : CZVShellTree(favoriteRoot) {}
    std::function<bool()> m_batchRunning;
    std::function<void()> m_enter;
    std::function<void()> m_mouseOver;
    // The client whose Dir cache folder the online root shows; set before the tree is made.
    CLumivoShowsClient* m_pOnlineClient = nullptr;
    const CString& PicturesPath() const { return m_strPicturesPath; }
    const CString& DocumentsPath() const { return m_strDocumentsPath; }
    // The online root's folder (the client's Dir cache folder); empty without the root.
    const CString& OnlinePath() const { return m_strExtraPath; }
    HTREEITEM GetOnlineItem() const { return m_hOnline; }
    // Whether the item is the online root or lies below it.
    bool IsOnlineItem(HTREEITEM item);
    // The item (read so far) of the shell's absolute list, or null.
    HTREEITEM FindShellItem(LPCITEMIDLIST pidl);

    BOOL GetRootItems() override;
    // The client's update thread has ended: the online root that waited for it lists the cache
    // folders now on disk.
    void OnOnlineUpdated();
    void UpdateTexts();

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void AddOnlineRoot();
    void OnExpand(HTREEITEM item);
    void FillOnlineRoot();
    HTREEITEM m_hOnline = nullptr;
    int m_nOnlineImage = -1;
    bool m_bOnlineWaits = false;   // expanded while the directory was being read
    bool m_bQuietExpand = false;   // the tree opens the online root itself
};

// The Folder page: the favourite buttons and name, the tree and the details pane.
class CBrowserMainBar : public CBCGPDialogBar {
public:
    explicit CBrowserMainBar(const wchar_t* favoriteRoot = kZVFavoriteRegRoot);
    BOOL OnInitDialog() override;
    void UpdateTexts();

    void OnAddFavorite();
    void OnEditFavorite();
    void OnDeleteFavorite();
    // The client's update thread has ended: the tree lists the online folders, and the list shows
    // the online folder selected in the tree meanwhile.
    void OnOnlineUpdated();

    CKQShellTree m_tree;
    CPicDetailWnd m_details;
    CKQFlatButton m_btnAdd, m_btnEdit, m_btnDelete;
    CPictureListView* m_pList = nullptr;
    bool m_bFrameCreated = false; // the frame finished its creation
    bool m_bListFillsTree = false; // the list rebuilds tree items: selection changes are its own
    // What the user is asked; tests put their own answers in place.
    std::function<int(const wchar_t* text, const wchar_t* caption, UINT type)> m_messageBox;
    std::function<bool(std::wstring& folder, std::wstring& name, int& icon)> m_favoriteDialog;

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void OnSelChanged(HTREEITEM item);
    ST_FavFolder* SelectedFavorite();
    void ShowFavoriteControls(HTREEITEM item);
};

class CPaneView : public CBCGPOutlookBar {
public:
    explicit CPaneView(const wchar_t* favoriteRoot = kZVFavoriteRegRoot);
    ~CPaneView() override;

    // The two pages, after Create; the Batch tab comes up when batchTab.
    BOOL CreatePages(bool batchTab);
    void ShowPane(bool show);
    // A tile's click: the batch command, refused for online materials and during a batch.
    void OnTileClick(const CBCGPWinUITile* tile);

    CBrowserMainBar m_mainBar;
    CDockBarBatch m_batchBar;
    CPictureListView* m_pList = nullptr;
    int m_nWidth = 256;
    int m_nSlideSteps = 0, m_nSlideStep = 0;
    std::function<void(const wchar_t* text)> m_note;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The tabs name the pages; the pane needs no caption of its own.
    BOOL HasCaption() const override { return FALSE; }

private:
    void SlideStep();
    void EndSlide();
};

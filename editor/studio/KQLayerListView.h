#pragma once
// CKQLayerListView: the layer panel of the editor's layer bar. It keeps no layers of its own:
// each paint asks the picture view of the active editor window for them, and message 0x700
// makes it reload. One row per layer, the background first, with the layer's name and its
// marks: current, visible (or picked on the canvas) and locked.
#include <vector>
#include "AppFrame.h"
#include "StringW.h"

class CPicEditView;

class CKQLayerListView : public CWnd {
public:
    enum : UINT { STATE_CURRENT = 1, STATE_VISIBLE = 2, STATE_LOCKED = 4 };
    struct Item {
        CStringW name;
        UINT state = 0;
        int index = -1;
        CRect rect;
    };

    CKQLayerListView();
    ~CKQLayerListView() override;

    virtual BOOL GetItem(int index, Item& item);
    virtual int GetItemCount();
    virtual BOOL IsItemSpecial(int index) { (void)index; return FALSE; }
    virtual UINT GetItemState(int index);

    // The view of the active editor window, or null.
    CPicEditView* ActiveView();
    // Repaints with the current background colour.
    void RedrawList();

    COLORREF background;
    // The rows shown at the last paint (or reload).
    std::vector<Item> items;
    // At 96 dpi; rows grow with the screen's resolution.
    static constexpr int kRowHeight = 30;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnReload(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void Reload();
};

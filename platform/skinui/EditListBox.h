#pragma once
// CBCGPEditListBox: a list of texts the user edits in place, under a caption band with New,
// Delete, Move Up and Move Down buttons. Made with Create or by subclassing a placeholder
// (a static of the dialog template); Insert, Delete, F2 and a double click work from the list.
// A subclass changes what a button does in OnClickButton and hears of changes in the hooks.
#include <vector>
#include "AppFrame.h"
#include "HoverTracker.h"
#include "SkinUIDef.h"

// Buttons for SetStandardButtons.
#define BGCEDITLISTBOX_BTN_NEW 0x0001
#define BGCEDITLISTBOX_BTN_DELETE 0x0002
#define BGCEDITLISTBOX_BTN_UP 0x0004
#define BGCEDITLISTBOX_BTN_DOWN 0x0008
// The ids GetButtonID returns for them.
#define BGCEDITLISTBOX_BTN_NEW_ID ((UINT)-11)
#define BGCEDITLISTBOX_BTN_DELETE_ID ((UINT)-12)
#define BGCEDITLISTBOX_BTN_UP_ID ((UINT)-13)
#define BGCEDITLISTBOX_BTN_DOWN_ID ((UINT)-14)

class SKINUI_API CBCGPEditListBox : public CWnd {
    DECLARE_DYNAMIC(CBCGPEditListBox)
public:
    CBCGPEditListBox();
    ~CBCGPEditListBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The buttons of the caption band, right to left in the order New, Delete, Up, Down.
    BOOL SetStandardButtons(UINT uiBtns = BGCEDITLISTBOX_BTN_NEW | BGCEDITLISTBOX_BTN_DELETE | BGCEDITLISTBOX_BTN_UP |
                                          BGCEDITLISTBOX_BTN_DOWN);
    int GetButtonsCount() const { return static_cast<int>(m_buttons.size()); }
    UINT GetButtonID(int iButton) const;
    int GetButtonNum(UINT uiID) const;
    CRect GetButtonRect(int iButton) const;
    BOOL IsButtonEnabled(int iButton) const;

    // Items. AddItem at -1 appends; returns the new index or -1.
    int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1);
    BOOL RemoveItem(int iIndex);
    void RemoveAll();
    int GetCount() const;
    CString GetItemText(int iIndex) const;
    BOOL SetItemText(int iIndex, const CString& strText);
    DWORD_PTR GetItemData(int iIndex) const;
    BOOL SetItemData(int iIndex, DWORD_PTR dwData);
    int GetSelItem() const;
    BOOL SelectItem(int iItem);
    // Starts editing the item's text in place.
    BOOL EditItem(int iIndex);
    CListCtrl* GetListCtrl() { return m_list.GetSafeHwnd() ? &m_list : nullptr; }

    // A button was clicked (iButton counts from 0). The default adds and edits a new item,
    // removes the selected one (asking OnBeforeRemoveItem) or moves it.
    virtual void OnClickButton(int iButton);
    // Hooks: FALSE from OnBeforeRemoveItem keeps the item.
    virtual BOOL OnBeforeRemoveItem(int /*iItem*/) { return TRUE; }
    virtual void OnAfterAddItem(int /*iItem*/) {}
    virtual void OnAfterRenameItem(int /*iItem*/) {}
    virtual void OnAfterMoveItemUp(int /*iItem*/) {}
    virtual void OnAfterMoveItemDown(int /*iItem*/) {}
    virtual void OnSelectionChanged() {}

    // Geometry: the caption band and the list below it.
    CRect GetCaptionRect() const;
    CRect GetListRect() const;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void Init();
    void Layout();
    void Paint(CDC* pDC);
    void DrawButton(CDC* pDC, int iButton);
    int HitButton(CPoint pt) const;
    BOOL MoveItem(int iFrom, int iTo);
    void RedrawButtons();
    HFONT Font() const;

    CListCtrl m_list;
    std::vector<UINT> m_buttons;
    skinui::HoverTracker<int> m_hover{ -1 };
    int m_nPressed = -1;
    // The item New added and that is being named: dropped when the edit ends empty.
    int m_iNewItem = -1;
};

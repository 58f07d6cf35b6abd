#pragma once
// CDlgEditorExpand: how the canvas grows (or shrinks) and where the old picture goes: a new size
// with the picture at one of nine anchors, or four margins; the colour of the new area, or
// automatic transparency.
#include "KQDialog.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"
#include "ZVImage.h"

class CDlgEditorExpand : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorExpand)
public:
    explicit CDlgEditorExpand(CWnd* pParent = nullptr);
    ~CDlgEditorExpand() override;

    int m_newWidth = 0, m_newHeight = 0;     // the caller puts the canvas size in both
    int m_width = 0, m_height = 0;           // the canvas size
    int m_left = 10, m_right = 10, m_top = 10, m_bottom = 10;
    float m_ratio = 0;                       // m_width / m_height, taken on opening; 0: none
    int m_mode = 1;                          // 1 "New dimension", 0 "Enlarge sides"
    BOOL m_keepRatio = TRUE;
    COLORREF m_color = RGB(255, 255, 255);
    int m_anchor = 4;                        // rows of three from the top left
    BOOL m_transparent = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    afx_msg void OnBySize();
    afx_msg void OnBySides();
    afx_msg void OnWidthChange();
    afx_msg void OnHeightChange();
    afx_msg void OnColor();
    afx_msg void OnAnchor(UINT id);
    afx_msg LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SetMode(int mode);
    void SetAnchor(int anchor);
    void OnSizeEdited(bool widthEdited);

    CKQNumEdit m_edits[6];       // width, height, left, right, top, bottom
    CKQNumSpinCtrl m_spins[6];
    CBCGPColorButton m_btnColor;
    CZVImage m_anchorPicture, m_chosenPicture;
    bool m_updating = false;
};

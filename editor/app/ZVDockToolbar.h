#pragma once
// CZVDockToolbar: the editor's tool palette. A tool bar that always lays itself out as a column
// of rows, a chosen number of buttons wide, with an optional caption band over the buttons and a
// frame picture round it while docked; exactly one tool button shows pressed. Floating, it lives
// in a CPaletteMiniFrame.
#include <vector>
#include "SkinUI.h"

namespace palette {

// What GetCaptionFlags reports: a caption band with the window text, and docked.
enum CaptionFlag : UINT { kCaptionText = 1, kCaptionDocked = 2 };

struct LayoutItem {
    SIZE size;        // what the button asked for
    bool separator;
};

struct LayoutInput {
    std::vector<LayoutItem> items;   // the visible buttons, in order
    RECT client = {};
    int buttonWidth = 0;             // the bar's button width: the unit of the row limit
    int columns = 1;                 // below 1 counts as 1
    int captionHeight = 0;
    UINT captionFlags = 0;
    RECT frameMargins = {};          // round the buttons while docked
    bool layoutToggle = false;
};

struct LayoutResult {
    std::vector<RECT> rects;   // one per item; an empty one for a separator that was skipped
    SIZE size = {};            // what the bar reports: buttons, caption band and margins
};

// Rows of buttons within b x columns x 1.1: a separator or a button wider than that takes a
// row of its own, a separator straight after a separator takes none; rows are centred, buttons
// centred in the height of their row, separators span the full width.
LayoutResult LayoutButtons(const LayoutInput& input);

} // namespace palette

class CZVDockToolbar : public CBCGPToolBar {
    DECLARE_DYNCREATE(CZVDockToolbar)
public:
    CZVDockToolbar();
    ~CZVDockToolbar() override;

    // Always a column, wherever it docks.
    DWORD GetCurrentAlignment() const override { return CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT; }
    CSize CalcSize(BOOL bVertDock) override;
    // Only the button at the pressed index keeps TBBS_CHECKED, whoever sets the style.
    void SetButtonStyle(int nIndex, UINT nStyle) override;
    void AdjustLocations() override;
    void DoPaint(CDC* pDC) override;
    void OnFillBackground(CDC* pDC) override;
    virtual UINT GetCaptionFlags() const;
    // Measures (measureOnly) or places the buttons in columns; the bar's size in result.
    virtual void LayoutButtons(SIZE* result, int columns, BOOL measureOnly);

    // The number of buttons a row holds (at least 1); the frame lays out again.
    void SetColumns(int n);
    int GetColumns() const { return m_columns; }
    // Shows the button of the command pressed, and no other; (UINT)-1 releases all.
    void SetCheckedCommand(UINT command);
    int GetPressedIndex() const { return m_pressedIndex; }
    BOOL GetLayoutToggle() const { return m_layoutToggle != 0; }
    int GetCaptionHeight() const { return m_captionHeight; }
    // The colour button's command: it takes its narrow form in a single column.
    static constexpr UINT kColorCommand = 32940;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ApplyPressedState();
    void UpdateColorButtonLayout();

    int m_captionHeight = 23;
    int m_columns = 2;
    int m_pressedIndex = -1;
    BYTE m_layoutToggle = 0;
    CFont m_captionFont;
    CBCGPControlRenderer m_renderer;
};

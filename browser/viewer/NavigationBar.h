#pragma once
// CNavigationBar: the viewer's tool bar, one row of picture buttons centred over a background
// picture, drawn by the bar itself and scaled with the screen. Docked at the top of a windowed
// viewer; in full screen the frame floats it over the bottom of the picture. Zoom In and Zoom
// Out repeat while held.
#include <memory>
#include "NavBarLayout.h"
#include "SkinUI.h"

// A button with its own four state pictures (disabled, normal, hot, pressed); the bar draws it.
class CNavigationToolbarButton : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CNavigationToolbarButton)
public:
    CNavigationToolbarButton() = default;
    CNavigationToolbarButton(UINT id, std::shared_ptr<CBCGPToolBarImages> pictures, const CString& tip, float scale);

    void CopyFrom(const CBCGPToolbarButton& src) override;
    void OnDraw(CDC*, const CRect&, CBCGPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) override {}
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;

    std::shared_ptr<CBCGPToolBarImages> m_pictures; // shared by the bar's copy; already scaled
    float m_fScale = 1.0f;
};

// Starts a timer on its target while held; ids 1 and 2 are the viewer's zoom timers and also
// mark the picture window's zoom button held.
class CNavigationToolbarTimerButton : public CNavigationToolbarButton {
    DECLARE_DYNCREATE(CNavigationToolbarTimerButton)
public:
    CNavigationToolbarTimerButton() = default;
    CNavigationToolbarTimerButton(UINT id, std::shared_ptr<CBCGPToolBarImages> pictures, const CString& tip, float scale,
                                  CWnd* target, UINT_PTR timerId, UINT interval);

    void CopyFrom(const CBCGPToolbarButton& src) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    void OnClickUpOutside() override;

    CWnd* m_pTarget = nullptr; // the viewer frame
    UINT_PTR m_nTimerId = 0;
    UINT m_nInterval = 80;

private:
    void Release();
};

class CNavigationBar : public CBCGPToolBar {
public:
    // The scale comes from the work area's width; a test passes its own width.
    explicit CNavigationBar(int workAreaWidth = 0);
    ~CNavigationBar() override;

    // Made docked at the top of the frame, its buttons sending their commands to it.
    bool CreateBar(CFrameWnd* frame);
    int GetRowHeight() const { return m_nRowHeight; }
    float GetScale() const { return m_fScale; }
    // Folder shows only when the browser was started on a picture file, Close only in full screen.
    void ShowFolderAndClose();
    CBCGPToolbarButton* FindButton(viewer::NavButton which) const;
    const viewer::NavBarPlaces& GetPlaces() const { return m_places; }

    void AdjustLocations() override;
    void AdjustLayout() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnFillBackground(CDC* pDC) override;
    BOOL OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    bool m_bSlideShow = false;  // written by the frame: Play shows Pause
    bool m_bFullScreen = false; // written by the frame: Full Screen shows Restore, Close shows
    bool m_bAero = false;       // the frame's glass reaches under the bar
    bool m_bAlive = false;

private:
    std::shared_ptr<CBCGPToolBarImages> LoadPictures(UINT id, SIZE size);
    // The picture a button is drawn with, after the swaps of the three buttons that change.
    const CBCGPToolBarImages* PicturesOf(const CNavigationToolbarButton& button) const;

    float m_fScale = 1.0f;
    int m_nRowHeight = viewer::kNavRowHeight;
    std::shared_ptr<CBCGPToolBarImages> m_pause, m_restore, m_musicOff, m_background, m_separator;
    viewer::NavBarPlaces m_places;
};

#pragma once
// The gallery dialog as the tests open it: modeless, skinned, with the controls that need an
// object of their own bound by data exchange; the rest are taken over by the dialog.
#include "GalleryIds.h"
#include "TestApp.h"

// A folder edit whose folder picker answers at once.
class CTestFolderEdit : public CBCGPEdit {
public:
    CString m_answer = L"C:\\Photos\\2026";
    int m_asked = 0;

protected:
    BOOL BrowseForFolder(CString& strFolder) override
    {
        ++m_asked;
        if (m_answer.IsEmpty())
            return FALSE;
        strFolder = m_answer;
        return TRUE;
    }
};

class CGalleryDialog : public CBCGPDialog {
public:
    CGalleryDialog() : CBCGPDialog(IDD_GALLERY) { EnableVisualManagerStyle(TRUE); }
    ~CGalleryDialog() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    CBCGPColorButton m_color;
    CTestFolderEdit m_folder;
    CBCGPSliderCtrl m_slider;
    CBCGPProgressCtrl m_progress;
    CBCGPFontComboBox m_font;
    CBCGPListCtrl m_list;
    int m_colorClicks = 0;

    BOOL OpenModeless() { return Create(IDD_GALLERY) && m_hWnd; }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CBCGPDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_COLOR, m_color);
        DDX_Control(pDX, IDC_FOLDER, m_folder);
        DDX_Control(pDX, IDC_SLIDER, m_slider);
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_FONT, m_font);
        DDX_Control(pDX, IDC_LIST, m_list);
    }
    BOOL OnInitDialog() override
    {
        CBCGPDialog::OnInitDialog();
        m_folder.EnableFolderBrowseButton(L"Output Folder");
        m_color.EnableAutomaticButton(L"Automatic", RGB(0, 0, 0));
        m_color.EnableOtherButton(L"Other");
        m_color.SetColumnsNumber(14);
        m_color.SetColor(RGB(255, 255, 255));
        m_slider.SetRange(0, 100);
        m_slider.SetPos(50);
        m_progress.SetRange32(0, 100);
        m_progress.SetPos(50);
        return TRUE;
    }
    afx_msg void OnColor() { ++m_colorClicks; }
    DECLARE_MESSAGE_MAP()
};

// The colour of a pixel of the window's client area as the screen shows it.
inline COLORREF ScreenPixel(CWnd* wnd, int x, int y)
{
    HDC dc = ::GetDC(wnd->GetSafeHwnd());
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(wnd->GetSafeHwnd(), dc);
    return c;
}

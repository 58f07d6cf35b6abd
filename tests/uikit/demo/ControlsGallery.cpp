// The editing controls' page of the gallery (UIKitDemo /controls [/open-picker]): a picture with a
// crop frame to drag (dimmed surround, round handles, an aspect lock), an image picker and an
// image combo box over the shape strip, a time edit in time and in date mode, and two round
// sliders with their values. /open-picker opens the picker's grid at start.
#include "ControlsGallery.h"
#include "GenericPicker.h"
#include "KQComboBox.h"
#include "RoundSliderCtrl.h"
#include "UIKitDemoIds.h"
#include "UIKitIds.h"
#include "ZVRectTracker.h"
#include "ZVTimeEdit.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"

namespace {

const UINT_PTR kOpenPickerTimer = 20;
const float kLockedAspect = 0.75f;

// A picture under a crop frame that the mouse moves and resizes.
class CCropPanel : public CWnd {
public:
    bool Make(CWnd* parent, const CRect& rect, const wchar_t* picture)
    {
        if (!Create(globalData.RegisterWindowClass(L"UIKitDemoCrop"), nullptr, WS_CHILD | WS_VISIBLE, rect, parent, 0))
            return false;
        m_image.LoadFile(picture);
        CRect client;
        GetClientRect(&client);
        m_tracker.m_nStyle = CZVRectTracker::hatchedBorder | CZVRectTracker::resizeInside;
        m_tracker.m_rectClient = client;
        m_tracker.m_rect.SetRect(client.left + client.Width() / 5, client.top + client.Height() / 5, client.right - client.Width() / 5,
                                 client.bottom - client.Height() / 5);
        return true;
    }
    void LockAspect(bool locked)
    {
        const CRect rect = m_tracker.m_rect;
        m_tracker.SetAspect(locked ? kLockedAspect : 0);
        m_tracker.m_rect = rect;
        if (locked)
            m_tracker.m_rect.bottom = tracker::AspectBottom(rect, kLockedAspect);
        Invalidate(FALSE);
    }

protected:
    afx_msg void OnPaint()
    {
        skinui::PaintBuffered(this, [this](CDC* dc) {
            CRect client;
            GetClientRect(&client);
            ::FillRect(dc->m_hDC, client, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
            if (m_image.IsValid())
                m_image.Draw(dc->m_hDC, client, nullptr, true);
            m_tracker.Draw(dc);
        });
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        if (m_tracker.HitTest(point) == CZVRectTracker::hitNothing)
            return;
        m_tracker.Track(this, point, FALSE);
        Invalidate(FALSE);
    }
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
    {
        if (m_tracker.SetCursor(this, hitTest))
            return TRUE;
        return CWnd::OnSetCursor(wnd, hitTest, message);
    }
    DECLARE_MESSAGE_MAP()

    CZVImage m_image;
    CZVRectTracker m_tracker;
};

BEGIN_MESSAGE_MAP(CCropPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

const wchar_t* const kShapeNames[] = {
    L"Circle",  L"Square", L"Triangle", L"Diamond", L"Star",       L"Pentagon",      L"Hexagon",         L"Octagon", L"Heart",      L"Ring",
    L"Rounded square", L"Cross", L"Arrow", L"Half disc", L"Crescent", L"Ellipse", L"Trapezoid", L"Parallelogram", L"Four-point star", L"House",
};

class CControlsGallery : public CBCGPDialog {
public:
    CControlsGallery(const CString& picture, bool openPicker)
        : CBCGPDialog(IDD_UIKIT_CONTROLS), m_picture(picture), m_bOpenPicker(openPicker)
    {
        EnableVisualManagerStyle(TRUE, TRUE);
    }

protected:
    CString m_picture;
    bool m_bOpenPicker;
    CCropPanel m_crop;
    CImageListPicker m_picker;
    CKQComboBox m_combo;
    CZVTimeEdit m_time, m_date;
    CRoundSliderCtrl m_dial, m_radioDial;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CTL_PICKER, m_picker);
        DDX_Control(pDX, IDC_CTL_COMBO, m_combo);
        DDX_Control(pDX, IDC_CTL_TIME, m_time);
        DDX_Control(pDX, IDC_CTL_DATE, m_date);
        DDX_Control(pDX, IDC_CTL_DIAL, m_dial);
        DDX_Control(pDX, IDC_CTL_DIAL_RADIO, m_radioDial);
    }

    static void Type(CWnd& edit, const wchar_t* chars)
    {
        for (; *chars; ++chars)
            edit.SendMessage(WM_CHAR, *chars, 1);
    }

    void ShowAngles()
    {
        CString text;
        text.Format(TranslateString(L"Angle: %d\u00B0"), m_dial.GetPos());
        SetDlgItemText(IDC_CTL_DIAL_VALUE, text);
        text.Format(TranslateString(L"Angle: %d\u00B0"), m_radioDial.GetPos());
        SetDlgItemText(IDC_CTL_DIAL_RADIO_VALUE, text);
    }

    BOOL OnInitDialog() override
    {
        CBCGPDialog::OnInitDialog();
        TranslateGalleryTexts(*this);
        CRect place;
        GetDlgItem(IDC_CTL_PICTURE)->GetWindowRect(&place);
        ScreenToClient(&place);
        m_crop.Make(this, place, m_picture);

        m_picker.LoadImageW(IDB_KQ_SHAPES);
        m_picker.SetColumns(8);
        m_picker.SetIndex(5);
        m_combo.LoadImageW(IDB_KQ_SHAPES);
        for (const wchar_t* name : kShapeNames)
            m_combo.AddString(TranslateString(name));
        m_combo.SetCurSel(4);

        m_time.SetMask("00:00", "__:__");
        Type(m_time, L"1234");
        m_date.m_isdate = 1;
        m_date.SetMask("00.00", "__.__");
        Type(m_date, L"2406");

        m_dial.SetPos(45);
        m_radioDial.SetRadioButtonStyle(true);
        m_radioDial.SetPos(45);
        ShowAngles();

        // The grid opens once the page is up and active: a pop-up that opened before would be
        // closed by the page's own activation.
        if (m_bOpenPicker)
            SetTimer(kOpenPickerTimer, 500, nullptr);
        GotoDlgCtrl(GetDlgItem(IDCANCEL));
        return FALSE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_CTL_ASPECT && HIWORD(wParam) == BN_CLICKED) {
            m_crop.LockAspect(IsDlgButtonChecked(IDC_CTL_ASPECT) == BST_CHECKED);
            return TRUE;
        }
        return CBCGPDialog::OnCommand(wParam, lParam);
    }

    afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { ShowAngles(); }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != kOpenPickerTimer)
            return;
        KillTimer(kOpenPickerTimer);
        m_picker.SendMessage(BM_CLICK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlsGallery, CBCGPDialog)
    ON_WM_HSCROLL()
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

void RunControlsGallery(CWinApp& app, const CString& picture, bool openPicker)
{
    CControlsGallery dialog(picture, openPicker);
    app.m_pMainWnd = &dialog;
    dialog.DoModal();
    app.m_pMainWnd = nullptr;
}

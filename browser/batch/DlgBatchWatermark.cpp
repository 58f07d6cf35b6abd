#include "DlgBatchWatermark.h"
#include <algorithm>
#include <cwchar>
#include "BatchDialogIds.h"
#include "BatchPreview.h"
#include "BatchSettings.h"
#include "ImageMath.h"
#include "KQTextPropSheet.h"
#include "PictureType.h"
#include "ZVUILibApp.h"

namespace {

// The position combo: "%s-%s" of two words, or one.
const struct {
    const wchar_t* first;
    const wchar_t* second;
} kPositionWords[kWatermarkPositionCount] = {
    {L"Right", L"Bottom"}, {L"Bottom", L"Center"}, {L"Left", L"Bottom"}, {L"Right", L"Center"}, {L"Center", nullptr},
    {L"Left", L"Center"},  {L"Right", L"Top"},     {L"Top", L"Center"},  {L"Left", L"Top"},
};

const UINT kEditPause = 1000;

} // namespace

BEGIN_MESSAGE_MAP(CDlgBatchWatermark, CKQDialog)
    ON_BN_CLICKED(IDC_WM_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_WM_TEXT, OnText)
    ON_BN_CLICKED(IDC_WM_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_WM_USE_ZOOM, OnUseZoom)
    ON_CBN_SELCHANGE(IDC_WM_POSITION, OnPosition)
    ON_EN_CHANGE(IDC_WM_DX, OnOffsetEdited)
    ON_EN_CHANGE(IDC_WM_DY, OnOffsetEdited)
    ON_EN_CHANGE(IDC_WM_OPACITY, OnOpacityEdited)
    ON_EN_CHANGE(IDC_WM_ZOOM, OnZoomEdited)
    ON_WM_HSCROLL()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CDlgBatchWatermark::CDlgBatchWatermark(const std::wstring& samplePath, ProfileStore& profile, CWnd* parent)
    : CKQDialog(IDD_BATCH_WATERMARK, parent), m_samplePath(samplePath), m_profile(profile)
{
    m_settings.Load(profile);
}

BOOL CDlgBatchWatermark::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    m_updating = true;
    SetWindowText(TranslateString(L"Watermark"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDOK, L"OK"},
                 {IDCANCEL, L"Cancel"},
                 {IDC_WM_BROWSE, L"Browse"},
                 {IDC_WM_TEXT, L"Text"},
                 {IDC_WM_DEFAULT, L"Default"},
                 {IDC_WM_OPACITY_LABEL, L"Opacity"},
                 {IDC_WM_USE_ZOOM, L"Zoom Scale"},
                 {IDC_WM_POSITION_LABEL, L"Position"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    m_picture.SubclassDlgItem(IDC_WM_PICTURE, this);
    m_picture.m_strText = TranslateString(L"Please select a picture file");
    m_pictureArea = PictureBoxArea(m_picture);
    m_opacitySlider.SubclassDlgItem(IDC_WM_OPACITY_SLIDER, this);
    m_zoomSlider.SubclassDlgItem(IDC_WM_ZOOM_SLIDER, this);
    // Skinned once the controls of their own are attached.
    EnableVisualManagerStyle(TRUE, TRUE);
    m_opacitySlider.SetRange(1, 100, TRUE);
    m_zoomSlider.SetRange(1, 100, TRUE);
    CComboBox* positions = static_cast<CComboBox*>(GetDlgItem(IDC_WM_POSITION));
    for (const auto& words : kPositionWords) {
        std::wstring text = TranslateString(words.first);
        if (words.second)
            text += std::wstring(L"-") + TranslateString(words.second);
        positions->AddString(text.c_str());
    }

    // The preview takes the sample's shape, centred in its place.
    CWnd* area = GetDlgItem(IDC_WM_PREVIEW_AREA);
    CRect place;
    area->GetWindowRect(&place);
    ScreenToClient(&place);
    area->ShowWindow(SW_HIDE);
    m_preview.LoadSample(m_samplePath.c_str(), SIZE{place.Width(), place.Height()});
    const SIZE sample = m_preview.SampleSize();
    CRect fitted = place;
    if (sample.cx > 0 && sample.cy > 0) {
        const RECT fit = zvimage::FitRect(sample.cx, sample.cy, place, true);
        fitted = fit;
    }
    m_preview.Create(this, fitted, IDC_WM_PREVIEW_AREA + 100);
    m_preview.SetWindowPos(area, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_preview.m_onDragged = [this] { ShowPlace(); };

    m_preview.m_place = m_settings.place;
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    CZVImage source;
    if (!m_settings.path.empty() && source.LoadFile(m_settings.path.c_str())) {
        FitPictureBox(SIZE{long(source.GetWidth()), long(source.GetHeight())});
        m_picture.ShowPic(m_settings.path.c_str(), false);
        m_preview.SetSource(source);
        GetDlgItem(IDOK)->EnableWindow(TRUE);
    }
    ShowValues();
    Rebuild();
    m_updating = false;
    return TRUE;
}

void CDlgBatchWatermark::FitPictureBox(SIZE picture)
{
    CRect box = m_pictureArea;
    if (picture.cx > 0 && picture.cy > 0)
        box = zvimage::FitRect(picture.cx, picture.cy, m_pictureArea, true);
    m_picture.SetWindowPos(nullptr, box.left, box.top, box.Width(), box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(&m_pictureArea, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDlgBatchWatermark::ShowValues()
{
    const bool was = m_updating;
    m_updating = true;
    m_opacitySlider.SetPos(m_settings.opacity);
    m_zoomSlider.SetPos(m_settings.zoomScale);
    SetDlgItemInt(IDC_WM_OPACITY, UINT(m_settings.opacity), FALSE);
    SetDlgItemInt(IDC_WM_ZOOM, UINT(m_settings.zoomScale), FALSE);
    CheckDlgButton(IDC_WM_USE_ZOOM, m_settings.useZoom ? BST_CHECKED : BST_UNCHECKED);
    EnableZoomControls();
    m_updating = was;
    ShowPlace();
}

void CDlgBatchWatermark::ShowPlace()
{
    const bool was = m_updating;
    m_updating = true;
    m_settings.place = m_preview.m_place;
    static_cast<CComboBox*>(GetDlgItem(IDC_WM_POSITION))->SetCurSel(m_settings.place.position);
    SetDlgItemText(IDC_WM_DX, FormatTwoDecimals(m_settings.place.offsetX).c_str());
    SetDlgItemText(IDC_WM_DY, FormatTwoDecimals(m_settings.place.offsetY).c_str());
    m_updating = was;
}

void CDlgBatchWatermark::EnableZoomControls()
{
    const BOOL on = m_settings.useZoom;
    for (int id : {IDC_WM_ZOOM_SLIDER, IDC_WM_ZOOM, IDC_WM_ZOOM_LABEL})
        GetDlgItem(id)->EnableWindow(on);
}

void CDlgBatchWatermark::Rebuild()
{
    m_preview.m_place = m_settings.place;
    m_preview.SetWatermarkParams(m_settings.opacity, m_settings.useZoom, m_settings.zoomScale);
    m_preview.LayoutWatermark();
    m_preview.Repaint();
}

bool CDlgBatchWatermark::UseWatermarkFile(const wchar_t* path)
{
    CZVImage source;
    if (!path || !source.LoadFile(path))
        return false;
    m_settings.path = path;
    m_preview.SetSource(source);
    FitPictureBox(SIZE{long(source.GetWidth()), long(source.GetHeight())});
    m_picture.ShowPic(path, true);
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    m_textWatermark = false;
    Rebuild();
    return true;
}

void CDlgBatchWatermark::UseTextWatermark(const CZVImage& rendered, int zoomScale)
{
    m_picture.ClosePicFile();
    FitPictureBox(SIZE{0, 0});
    m_picture.Invalidate();
    m_settings.zoomScale = std::clamp(zoomScale, 1, 100);
    m_preview.SetSource(rendered);
    m_textWatermark = true;
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    ShowValues();
    Rebuild();
}

void CDlgBatchWatermark::OnBrowse()
{
    std::wstring filter = std::wstring(TranslateString(L"All Supported Picture Files")) + L"|*.png;*.webp;|" + L"PNG " +
                          TranslateString(L"Files") + L" (*.png)|*.png|" + L"WebP " + TranslateString(L"Files") +
                          L" (*.webp)|*.webp|" + TranslateString(L"All Files") + L" (*.*)|*.*||";
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter.c_str(), this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (!UseWatermarkFile(path.GetString()))
        BCGPMessageBox(m_hWnd, TranslateString(L"Fail to load !"), TranslateString(L"Watermark"), MB_OK | MB_ICONEXCLAMATION);
}

void CDlgBatchWatermark::OnText()
{
    if (ShowTextPropSheet(&m_wordArt) != 1)
        return;
    // The zoom scale that gives the text about the size it has on the screen.
    int zoom = m_settings.zoomScale;
    if (CDC* dc = m_preview.GetDC()) {
        const CSize text = m_wordArt.GetTextSize(dc, m_wordArt.GetText());
        const CSize zero = m_wordArt.GetTextSize(dc, CString(L"0"));
        if (zero.cx > 0)
            zoom = int(double(text.cx) / zero.cx * 2);
        m_preview.ReleaseDC(dc);
    }
    CZVImage rendered;
    m_wordArt.DrawEffectText(&rendered);
    if (!rendered.IsValid())
        return;
    UseTextWatermark(rendered, zoom);
}

void CDlgBatchWatermark::OnDefault()
{
    m_settings.opacity = 80;
    m_settings.zoomScale = 10;
    m_settings.useZoom = true;
    m_preview.m_place = WatermarkPlace();
    ShowValues();
    Rebuild();
}

void CDlgBatchWatermark::OnPosition()
{
    if (m_updating)
        return;
    const int position = static_cast<CComboBox*>(GetDlgItem(IDC_WM_POSITION))->GetCurSel();
    m_preview.m_place = WatermarkPlace{std::clamp(position, 0, kWatermarkPositionCount - 1), 0, 0};
    ShowPlace();
    Rebuild();
}

void CDlgBatchWatermark::OnUseZoom()
{
    m_settings.useZoom = IsDlgButtonChecked(IDC_WM_USE_ZOOM) == BST_CHECKED;
    EnableZoomControls();
    m_preview.m_place.offsetX = m_preview.m_place.offsetY = 0;
    ShowPlace();
    Rebuild();
}

void CDlgBatchWatermark::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    const HWND from = pScrollBar ? pScrollBar->GetSafeHwnd() : nullptr;
    m_updating = true;
    if (from == m_opacitySlider.GetSafeHwnd()) {
        m_settings.opacity = m_opacitySlider.GetPos();
        SetDlgItemInt(IDC_WM_OPACITY, UINT(m_settings.opacity), FALSE);
        Rebuild();
    } else if (from == m_zoomSlider.GetSafeHwnd()) {
        m_settings.zoomScale = m_zoomSlider.GetPos();
        SetDlgItemInt(IDC_WM_ZOOM, UINT(m_settings.zoomScale), FALSE);
        // The watermark keeps its top left corner.
        const CPoint corner = m_preview.m_markRect.TopLeft();
        m_preview.SetWatermarkParams(m_settings.opacity, m_settings.useZoom, m_settings.zoomScale);
        m_preview.LayoutWatermark();
        m_preview.m_markRect.OffsetRect(corner.x - m_preview.m_markRect.left, corner.y - m_preview.m_markRect.top);
        m_preview.UpdateOffsetsFromRect();
        m_preview.LayoutWatermark();
        ShowPlace();
        m_preview.Repaint();
    }
    m_updating = false;
}

void CDlgBatchWatermark::Edited(UINT_PTR timer)
{
    if (m_updating)
        return;
    // A new keystroke restarts the pause.
    KillTimer(timer);
    SetTimer(timer, kEditPause, nullptr);
}

void CDlgBatchWatermark::OnOffsetEdited()
{
    Edited(kOffsetTimer);
}

void CDlgBatchWatermark::OnOpacityEdited()
{
    Edited(kOpacityTimer);
}

void CDlgBatchWatermark::OnZoomEdited()
{
    Edited(kZoomTimer);
}

void CDlgBatchWatermark::ReadOffsets()
{
    for (int id : {IDC_WM_DX, IDC_WM_DY}) {
        CString text;
        GetDlgItemText(id, text);
        std::wstring value = text.GetString();
        std::replace(value.begin(), value.end(), L',', L'.');
        const double number = std::min(100.0, wcstod(value.c_str(), nullptr));
        (id == IDC_WM_DX ? m_preview.m_place.offsetX : m_preview.m_place.offsetY) = float(number);
    }
    m_settings.place = m_preview.m_place;
}

int CDlgBatchWatermark::SettleEdit(int id)
{
    CString text;
    GetDlgItemText(id, text);
    if (text.IsEmpty())
        return -1;
    const int value = _wtoi(text.GetString());
    const int limited = std::clamp(value, 1, 100);
    if (limited != value || text != std::to_wstring(value).c_str()) {
        m_updating = true;
        SetDlgItemInt(id, UINT(limited), FALSE);
        m_updating = false;
    }
    return limited;
}

void CDlgBatchWatermark::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    if (nIDEvent == kOffsetTimer) {
        ReadOffsets();
        Rebuild();
    } else if (nIDEvent == kOpacityTimer) {
        const int value = SettleEdit(IDC_WM_OPACITY);
        if (value > 0) {
            m_settings.opacity = value;
            m_opacitySlider.SetPos(value);
            Rebuild();
        }
    } else if (nIDEvent == kZoomTimer) {
        const int value = SettleEdit(IDC_WM_ZOOM);
        if (value > 0) {
            m_settings.zoomScale = value;
            m_zoomSlider.SetPos(value);
            Rebuild();
        }
    }
}

void CDlgBatchWatermark::OnOK()
{
    for (UINT_PTR timer : {kOffsetTimer, kOpacityTimer, kZoomTimer})
        KillTimer(timer);
    ReadOffsets();
    const int opacity = SettleEdit(IDC_WM_OPACITY);
    if (opacity > 0)
        m_settings.opacity = opacity;
    const int zoom = SettleEdit(IDC_WM_ZOOM);
    if (zoom > 0)
        m_settings.zoomScale = zoom;
    m_settings.useZoom = IsDlgButtonChecked(IDC_WM_USE_ZOOM) == BST_CHECKED;
    std::wstring path = m_settings.path;
    if (m_textWatermark) {
        wchar_t temp[MAX_PATH] = {};
        GetKQTempFileName(temp, L"webp", L"KQTextWatermark");
        // A name of its own: a second browser, or a run still going, may hold the usual one.
        std::wstring unique = temp;
        const size_t dot = unique.rfind(L'.');
        if (!unique.empty() && dot != std::wstring::npos)
            unique.insert(dot, L"_" + std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(GetCurrentProcessId()));
        CZVImage mark = m_preview.Source();
        if (unique.empty() || !mark.SaveFile(unique.c_str(), DWORD(GetTypeFromFileName(unique.c_str())))) {
            BCGPMessageBox(m_hWnd, TranslateString(L"Fail to save !"), TranslateString(L"Watermark"), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        m_tempFile = unique;
        path = unique;
    }
    m_arguments = WatermarkArguments(path, m_settings.place, m_settings.useZoom, m_settings.zoomScale, m_settings.opacity);
    // The text is not kept between runs: the next dialog opens without a watermark, at the
    // position chosen now.
    WatermarkSettings stored = m_settings;
    if (m_textWatermark)
        stored.path.clear();
    stored.Save(m_profile);
    EndDialog(IDOK);
}

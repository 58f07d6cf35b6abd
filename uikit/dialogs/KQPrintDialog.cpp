#include "KQPrintDialog.h"
#include "BaseUtil.h"
#include "DialogIds.h"
#include "KQDataExchange.h"
#include "ZVObjGraph.h"
#include "ZVUILibApp.h"

namespace {
// Stand-in page without a printer: A4 portrait at 300 dpi.
const int kStandInWidth = 2480, kStandInHeight = 3508, kStandInDpi = 300;

const wchar_t* UnitWord(int unit)
{
    return TranslateString(unit == printlayout::UNIT_INCHES ? L"inches" : L"cm");
}
} // namespace

IMPLEMENT_DYNAMIC(CKQPrintDialog, CKQDialog)

BEGIN_MESSAGE_MAP(CKQPrintDialog, CKQDialog)
    ON_BN_CLICKED(IDC_KQ_PRINT_SETUP, OnPrintSetup)
    ON_EN_CHANGE(IDC_KQ_WIDTH, OnChangeWidth)
    ON_EN_CHANGE(IDC_KQ_HEIGHT, OnChangeHeight)
    ON_CBN_SELCHANGE(IDC_KQ_UNIT, OnSelchangeUnit)
    ON_EN_CHANGE(IDC_KQ_LEFT, OnChangeOffset)
    ON_EN_CHANGE(IDC_KQ_TOP, OnChangeOffset)
    ON_BN_CLICKED(IDC_KQ_CENTER, OnClickCenter)
    ON_CBN_SELCHANGE(IDC_KQ_PHOTO_SIZE, OnSelchangeSize)
    ON_EN_CHANGE(IDC_KQ_COUNT, OnChangeLayout)
    ON_EN_CHANGE(IDC_KQ_THICKNESS, OnChangeLayout)
    ON_MESSAGE(WM_KQ_VALUE_SETTLED, OnValueCommitted)
END_MESSAGE_MAP()

CKQPrintDialog::CKQPrintDialog(CWnd* pParent) : CKQDialog(IDD_KQ_PRINT, pParent) {}

CKQPrintDialog::~CKQPrintDialog() = default;

void CKQPrintDialog::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KQ_PICTURE, m_wndPreview);
    DDX_Control(pDX, IDC_KQ_WIDTH, m_editWidth);
    DDX_Control(pDX, IDC_KQ_HEIGHT, m_editHeight);
    DDX_Control(pDX, IDC_KQ_WIDTH_SPIN, m_spinWidth);
    DDX_Control(pDX, IDC_KQ_HEIGHT_SPIN, m_spinHeight);
    DDX_Control(pDX, IDC_KQ_UNIT, m_comboUnit);
    DDX_Control(pDX, IDC_KQ_LEFT, m_editLeft);
    DDX_Control(pDX, IDC_KQ_TOP, m_editTop);
    DDX_Control(pDX, IDC_KQ_LEFT_SPIN, m_spinLeft);
    DDX_Control(pDX, IDC_KQ_TOP_SPIN, m_spinTop);
    DDX_Control(pDX, IDC_KQ_PHOTO_SIZE, m_comboSize);
    DDX_Control(pDX, IDC_KQ_COUNT, m_editCount);
    DDX_Control(pDX, IDC_KQ_COUNT_SPIN, m_spinCount);
    DDX_Control(pDX, IDC_KQ_THICKNESS, m_editThickness);
    DDX_Control(pDX, IDC_KQ_THICKNESS_SPIN, m_spinThickness);
    KQ_DDX_Text(pDX, IDC_KQ_WIDTH, m_dWidth);
    KQ_DDX_Text(pDX, IDC_KQ_HEIGHT, m_dHeight);
    KQ_DDX_Text(pDX, IDC_KQ_LEFT, m_dLeft);
    KQ_DDX_Text(pDX, IDC_KQ_TOP, m_dTop);
    KQ_DDX_Text(pDX, IDC_KQ_THICKNESS, m_dThickness);
    KQ_DDX_Text(pDX, IDC_KQ_COUNT, m_nCount);
    DDX_Text(pDX, IDC_KQ_RESOLUTION_LABEL, m_strResolution);
    DDX_Text(pDX, IDC_KQ_PAPER, m_strPaper);
    DDX_Check(pDX, IDC_KQ_CENTER, m_bCenter);
}

void CKQPrintDialog::ToControls()
{
    const bool updating = m_bUpdating;
    m_bUpdating = true;
    UpdateData(FALSE);
    // The exchange writes every digit; the boxes show their decimal places.
    for (CKQNumSpinCtrl* spin : {&m_spinWidth, &m_spinHeight, &m_spinLeft, &m_spinTop, &m_spinThickness})
        spin->SetPos(spin->GetPos());
    m_bUpdating = updating;
}

BOOL CKQPrintDialog::OnInitDialog()
{
    m_bUpdating = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    ReadPrinter(nullptr);
    if (m_image.IsValid() && m_image.GetHeight() > 0 && float(m_image.GetWidth()) / float(m_image.GetHeight()) > 1.0f)
        m_image.RotateLeft();
    if (m_image.IsValid()) {
        m_nPixelWidth = m_nImageWidth = int(m_image.GetWidth());
        m_nPixelHeight = m_nImageHeight = int(m_image.GetHeight());
        if (m_image.GetXDPI() > m_dResolution)
            m_dResolution = double(m_image.GetXDPI());
    }
    m_dWidth = m_nPixelWidth / (m_dResolution / kCmPerInch);
    m_dHeight = m_nPixelHeight / (m_dResolution / kCmPerInch);
    m_fAspect = float(m_nPixelWidth) / float(m_nPixelHeight);

    struct Number {
        CKQNumEdit& edit;
        CKQNumSpinCtrl& spin;
        int decimals;
        double min, max, step;
    };
    const Number numbers[] = {
        {m_editWidth, m_spinWidth, 2, 0, 6000, 0.1},   {m_editHeight, m_spinHeight, 2, 0, 6000, 0.1},
        {m_editLeft, m_spinLeft, 2, 0, 6000, 0.1},     {m_editTop, m_spinTop, 2, 0, 6000, 0.1},
        {m_editThickness, m_spinThickness, 2, 0, 6000, 0.1}, {m_editCount, m_spinCount, 0, 1, 100, 1},
    };
    for (const Number& n : numbers) {
        n.edit.SetDecimalPlaces(n.decimals);
        n.edit.SetMinMax(n.min, n.max);
        n.edit.m_bNotifyParent = TRUE;
        n.spin.SetDecimalPlaces(n.decimals);
        n.spin.SetRangeAndDelta(n.min, n.max, n.step);
        n.spin.m_bNotifyParent = TRUE;
    }
    m_comboUnit.AddString(TranslateString(L"cm"));
    m_comboUnit.AddString(TranslateString(L"inches"));
    m_comboUnit.SetCurSel(0);
    SetResolutionText();
    UpdatePaperText();
    ToControls();

    // The preview works on a copy reduced to the page's width in the preview.
    const CRect page = PreviewPage();
    if (m_image.IsValid() && page.Width() > 0 && m_image.GetWidth() > 0) {
        const long height = long(double(m_image.GetHeight()) * page.Width() / m_image.GetWidth());
        m_image.Resample(page.Width(), height > 0 ? height : 1);
    }
    UpdateMaxCount();
    UpdatePreview();
    m_dAutoWidth = RoundDecimal(2, m_dWidth);
    m_dAutoHeight = RoundDecimal(2, m_dWidth / m_fAspect);
    TranslateControls();
    for (UINT id : {IDC_KQ_LEFT, IDC_KQ_TOP, IDC_KQ_LEFT_SPIN, IDC_KQ_TOP_SPIN, IDC_KQ_LEFT_LABEL, IDC_KQ_TOP_LABEL})
        GetDlgItem(id)->EnableWindow(!m_bCenter);
    m_bUpdating = false;
    return TRUE;
}

void CKQPrintDialog::TranslateControls()
{
    struct Text {
        UINT id;
        const wchar_t* text;
    };
    const Text texts[] = {
        {IDC_KQ_WIDTH_LABEL, L"Width"}, {IDC_KQ_PRINT_HEIGHT_LABEL, L"Height"}, {IDC_KQ_LEFT_LABEL, L"Left"},
        {IDC_KQ_TOP_LABEL, L"Top"}, {IDC_KQ_CENTER, L"Center"}, {IDC_KQ_SIZE_LABEL, L"Photo Size"},
        {IDC_KQ_COUNT_LABEL, L"Photos per page"}, {IDC_KQ_THICKNESS_LABEL, L"Outline Thickness"},
        {IDC_KQ_PRINT_SETUP, L"Print setup"}, {IDOK, L"Ok"}, {IDCANCEL, L"Cancel"},
    };
    for (const Text& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    SetWindowText(TranslateString(L"Print"));
    m_comboSize.ResetContent();
    for (const printlayout::PhotoSize& size : printlayout::PhotoSizes()) {
        CString text;
        if (size.prefix)
            text = TranslateString(size.prefix);
        if (size.numbers) {
            text += size.numbers;
            text += UnitWord(size.unit);
        }
        m_comboSize.AddString(text);
    }
    m_comboSize.SetCurSel(0);
}

void CKQPrintDialog::ReadPrinter(CPrintDialog* pDialog)
{
    CPrintDialog defaults(FALSE);
    const bool fromDialog = pDialog != nullptr;
    appframe::PrinterPage page;
    short orientation = DMORIENT_PORTRAIT;
    CWinApp* app = AfxGetApp();
    if (!pDialog && app && app->GetPrinterDeviceDefaults(&defaults.m_pd))
        pDialog = &defaults;
    if (pDialog) {
        LPDEVMODEW mode = pDialog->GetDevMode();
        if (mode)
            orientation = mode->dmOrientation;
        // The resolution comes from the device itself: the mode's quality field may hold a
        // quality code instead of dots per inch.
        HDC dc = appframe::Printers().CreateDC(pDialog->GetDriverName(), pDialog->GetDeviceName(), mode);
        if (mode)
            ::GlobalUnlock(pDialog->m_pd.hDevMode);
        page = appframe::Printers().PageOf(dc);
        appframe::Printers().DeleteDC(dc);
    }
    // Defaults taken from the application are the application's: they are not freed here.
    defaults.m_pd.hDevMode = defaults.m_pd.hDevNames = nullptr;
    m_bHasPrinter = page.width > 0 && page.height > 0 && page.dpiX > 0 && page.dpiX <= SHRT_MAX;
    if (m_bHasPrinter) {
        const bool swap = !fromDialog && orientation == DMORIENT_LANDSCAPE;
        m_nPaperWidth = swap ? page.height : page.width;
        m_nPaperHeight = swap ? page.width : page.height;
        m_nPrinterDpi = short(page.dpiX);
    } else {
        m_nPaperWidth = kStandInWidth;
        m_nPaperHeight = kStandInHeight;
        m_nPrinterDpi = kStandInDpi;
    }
    UpdatePaperText();
}

double CKQPrintDialog::PrinterPerUnit() const
{
    return m_nUnit == printlayout::UNIT_INCHES ? m_nPrinterDpi : m_nPrinterDpi / kCmPerInch;
}

double CKQPrintDialog::PicturePerUnit() const
{
    return m_nUnit == printlayout::UNIT_INCHES ? m_dResolution : m_dResolution / kCmPerInch;
}

void CKQPrintDialog::UpdatePaperText()
{
    const double perUnit = PrinterPerUnit();
    m_dPaperWidth = perUnit > 0 ? float(m_nPaperWidth) / perUnit : 0;
    m_dPaperHeight = perUnit > 0 ? float(m_nPaperHeight) / perUnit : 0;
    const CString unit = UnitWord(m_nUnit);
    if (m_bHasPrinter)
        m_strPaper.Format(L"%s %.2f%s \u00D7 %.2f%s", TranslateString(L"Paper"), m_dPaperWidth, (LPCWSTR)unit, m_dPaperHeight, (LPCWSTR)unit);
    else
        m_strPaper = TranslateString(L"No printer");
    if (m_hWnd)
        SetDlgItemText(IDC_KQ_PAPER, m_strPaper);
}

void CKQPrintDialog::SetResolutionText()
{
    m_strResolution.Format(L"%s %d PPI", TranslateString(L"Print resolution"), int(RoundDecimal(0, m_dResolution)));
    if (m_hWnd)
        SetDlgItemText(IDC_KQ_RESOLUTION_LABEL, m_strResolution);
}

CRect CKQPrintDialog::PreviewPage()
{
    CRect client;
    m_wndPreview.GetClientRect(&client);
    client.DeflateRect(1, 1);
    const CRect page = CZVObjGraph::CalcFitWindowSize(SIZE{m_nPaperWidth, m_nPaperHeight}, client);
    m_fPreviewScale = page.Width() > 0 ? float(m_nPaperWidth) / float(page.Width()) : 1.0f;
    return page;
}

SIZE CKQPrintDialog::PreviewCell() const
{
    if (m_dResolution <= 0 || m_fPreviewScale <= 0)
        return SIZE{0, 0};
    const double factor = double(m_nPrinterDpi) / m_dResolution / m_fPreviewScale;
    return SIZE{long(m_nPixelWidth * factor), long(m_nPixelHeight * factor)};
}

int CKQPrintDialog::PreviewGap() const
{
    return m_fPreviewScale > 0 ? int(PrinterPerUnit() * m_dThickness / m_fPreviewScale) : 0;
}

void CKQPrintDialog::UpdateMaxCount()
{
    const CRect page = PreviewPage();
    m_dMaxThickness = printlayout::MaxThickness(m_dPaperWidth, m_dPaperHeight, m_dWidth, m_dHeight);
    if (m_dThickness > m_dMaxThickness)
        m_dThickness = m_dMaxThickness;
    int gap = PreviewGap();
    if (gap < 0) {
        gap = 0;
        m_dThickness = 0;
    }
    m_nMaxCount = printlayout::MaxCount(page.Size(), PreviewCell(), gap);
}

printlayout::Layout CKQPrintDialog::PreviewLayout()
{
    const CRect page = PreviewPage();
    m_dMaxThickness = printlayout::MaxThickness(m_dPaperWidth, m_dPaperHeight, m_dWidth, m_dHeight);
    if (m_dThickness > m_dMaxThickness)
        m_dThickness = m_dMaxThickness;
    int gap = PreviewGap();
    if (gap < 0) {
        gap = 0;
        m_dThickness = 0;
    }
    POINT offset = {0, 0};
    if (!m_bCenter) {
        m_dMaxLeft = RoundDecimal(2, m_dPaperWidth - m_dWidth);
        m_dMaxTop = RoundDecimal(2, m_dPaperHeight - m_dHeight);
        if (m_dLeft > m_dMaxLeft)
            m_dLeft = m_dMaxLeft;
        if (m_dTop > m_dMaxTop)
            m_dTop = m_dMaxTop;
        const double t = PrinterPerUnit();
        offset = {long(t * m_dLeft / m_fPreviewScale), long(t * m_dTop / m_fPreviewScale)};
        if (offset.x < 0) {
            offset.x = 0;
            m_dLeft = 0;
        }
        if (offset.y < 0) {
            offset.y = 0;
            m_dTop = 0;
        }
    }
    return printlayout::LayOutPhotos(page.Size(), PreviewCell(), gap, m_nCount, m_bCenter != 0, offset);
}

void CKQPrintDialog::UpdatePreview()
{
    const CRect page = PreviewPage();
    if (page.IsRectEmpty())
        return;
    const printlayout::Layout layout = PreviewLayout();
    m_previewImage.Create(page.Width(), page.Height(), 24);
    m_previewImage.Clear(0xFF);
    const SIZE cell = PreviewCell();
    if (m_image.IsValid() && cell.cx > 0 && cell.cy > 0) {
        CZVImage photo(m_image);
        photo.CropZoomInFrame(cell.cx, cell.cy);
        for (const RECT& rect : layout.photos)
            m_previewImage.CombineImage(photo, rect.left, rect.top);
    }
    m_wndPreview.m_image.Copy(m_previewImage);
    m_wndPreview.Invalidate(FALSE);
}

void CKQPrintDialog::ApplySizeChange()
{
    if (m_dWidth <= 0)
        m_dWidth = 1.0;
    if (m_dHeight <= 0)
        m_dHeight = 1.0;
    if (m_dPaperWidth > 0 && m_dWidth > m_dPaperWidth)
        m_dWidth = RoundDecimal(2, m_dPaperWidth);
}

// The print resolution of the photo's width: the picture's pixels over the width in inches.
void CKQPrintDialog::UpdateResolution()
{
    const double pixels = m_nUnit == printlayout::UNIT_CM ? m_nPixelWidth * kCmPerInch : m_nPixelWidth;
    m_dResolution = RoundDecimal(2, pixels / m_dWidth);
}

// After a change of the photo's size: the resolution line, and no more photos than now fit.
void CKQPrintDialog::ShowResolutionAndFitCount()
{
    SetResolutionText();
    UpdateMaxCount();
    if (m_nCount > m_nMaxCount)
        m_nCount = m_nMaxCount;
}

void CKQPrintDialog::OnChangeWidth()
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    UpdateData(TRUE);
    ApplySizeChange();
    m_dHeight = RoundDecimal(2, m_dWidth / m_fAspect);
    UpdateResolution();
    ShowResolutionAndFitCount();
    // The width box keeps what is being typed unless it had to change.
    m_spinHeight.SetPos(m_dHeight);
    SetDlgItemInt(IDC_KQ_COUNT, m_nCount);
    m_bUpdating = false;
}

void CKQPrintDialog::OnChangeHeight()
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    UpdateData(TRUE);
    m_dWidth = RoundDecimal(2, m_fAspect * m_dHeight);
    ApplySizeChange();
    UpdateResolution();
    ShowResolutionAndFitCount();
    m_spinWidth.SetPos(m_dWidth);
    SetDlgItemInt(IDC_KQ_COUNT, m_nCount);
    m_bUpdating = false;
}

void CKQPrintDialog::OnSelchangeUnit()
{
    if (m_bUpdating)
        return;
    const int unit = m_comboUnit.GetCurSel() == 1 ? printlayout::UNIT_INCHES : printlayout::UNIT_CM;
    if (unit == m_nUnit)
        return;
    m_bUpdating = true;
    UpdateData(TRUE);
    if (unit == printlayout::UNIT_CM) {
        m_dWidth *= kCmPerInch;
        m_dHeight *= kCmPerInch;
    } else {
        m_dWidth /= kCmPerInch;
        m_dHeight /= kCmPerInch;
    }
    m_nUnit = unit;
    m_spinWidth.SetPos(m_dWidth);
    m_spinHeight.SetPos(m_dHeight);
    UpdateData(TRUE);
    UpdatePaperText();
    m_bUpdating = false;
}

void CKQPrintDialog::OnChangeOffset()
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    UpdateData(TRUE);
    m_bUpdating = false;
}

void CKQPrintDialog::OnClickCenter()
{
    m_bUpdating = true;
    UpdateData(TRUE);
    for (UINT id : {IDC_KQ_LEFT, IDC_KQ_TOP, IDC_KQ_LEFT_SPIN, IDC_KQ_TOP_SPIN, IDC_KQ_LEFT_LABEL, IDC_KQ_TOP_LABEL})
        GetDlgItem(id)->EnableWindow(!m_bCenter);
    ToControls();
    UpdatePreview();
    m_bUpdating = false;
}

void CKQPrintDialog::SelectSize(int index)
{
    m_comboSize.SetCurSel(index);
    OnSelchangeSize();
}

void CKQPrintDialog::OnSelchangeSize()
{
    const int index = m_comboSize.GetCurSel();
    const std::vector<printlayout::PhotoSize>& sizes = printlayout::PhotoSizes();
    if (index < 0 || size_t(index) >= sizes.size())
        return;
    m_bUpdating = true;
    UpdateData(TRUE);
    const printlayout::PhotoSize& size = sizes[size_t(index)];
    m_nUnit = size.unit;
    m_comboUnit.SetCurSel(m_nUnit == printlayout::UNIT_INCHES ? 1 : 0);
    if (PresetSetsCount())
        m_nCount = size.count;
    if (index == 0) {
        // "Automatic": the whole picture at the size it had when the dialog opened.
        m_dWidth = m_dAutoWidth;
        m_dHeight = m_dAutoHeight;
        m_nPixelWidth = m_nImageWidth;
        m_nPixelHeight = m_nImageHeight;
    } else {
        m_dWidth = size.width;
        m_dHeight = size.height;
    }
    UpdateResolution();
    if (index != 0) {
        // A standard size covers that size's proportion of the picture.
        const double k = PicturePerUnit();
        m_nPixelWidth = int(m_dWidth * k);
        m_nPixelHeight = int(m_dHeight * k);
    }
    if (m_nPixelHeight > 0)
        m_fAspect = float(m_nPixelWidth) / float(m_nPixelHeight);
    ShowResolutionAndFitCount();
    UpdatePaperText();
    ToControls();
    UpdatePreview();
    m_bUpdating = false;
}

void CKQPrintDialog::OnChangeLayout()
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    UpdateData(TRUE);
    m_dThickness = m_spinThickness.GetPos();
    m_nCount = int(m_spinCount.GetPos());
    const double thickness = m_dThickness;
    UpdateMaxCount();
    // What is being typed stays unless it had to change.
    if (m_dThickness != thickness)
        m_spinThickness.SetPos(m_dThickness);
    if (m_nCount > m_nMaxCount) {
        m_nCount = m_nMaxCount;
        SetDlgItemInt(IDC_KQ_COUNT, m_nCount);
    }
    m_bUpdating = false;
}

LRESULT CKQPrintDialog::OnValueCommitted(WPARAM, LPARAM)
{
    UpdatePaperText();
    UpdatePreview();
    return 0;
}

void CKQPrintDialog::OnPrintSetup()
{
    CPrintDialog setup(TRUE);
    CWinApp* app = AfxGetApp();
    if (!app || app->DoPrintDialog(&setup) != IDOK)
        return;
    ReadPrinter(&setup);
    m_bUpdating = true;
    UpdateData(TRUE);
    ApplySizeChange();
    m_dHeight = RoundDecimal(2, m_dWidth / m_fAspect);
    UpdateResolution();
    ShowResolutionAndFitCount();
    ToControls();
    UpdatePreview();
    m_bUpdating = false;
}

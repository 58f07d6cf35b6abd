#include "KQPrintWnd.h"
#include "DialogRules.h"
#include "KQPrintDialog.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

namespace {
class CReadyHook : public CKQPrintDialog {
public:
    void (*ready)(CDialog*, void*) = nullptr;
    void* context = nullptr;
    BOOL OnInitDialog() override
    {
        const BOOL result = CKQPrintDialog::OnInitDialog();
        if (ready)
            ready(this, context);
        return result;
    }
};
} // namespace

IMPLEMENT_DYNAMIC(CKQPrintWnd, CWnd)

BEGIN_MESSAGE_MAP(CKQPrintWnd, CWnd)
END_MESSAGE_MAP()

CKQPrintWnd::CKQPrintWnd() = default;

CKQPrintWnd::~CKQPrintWnd() = default;

void CKQPrintWnd::Print(const wchar_t* path)
{
    CZVImage image;
    if (path && image.LoadFile(path) && image.IsValid())
        Print(image);
}

void CKQPrintWnd::Print(CZVImage image)
{
    if (!image.IsValid())
        return;
    appframe::ModuleScope scope(GetZVUILibModule());
    m_image.Copy(image);
    if (m_image.GetHeight() > 0 && float(m_image.GetWidth()) / float(m_image.GetHeight()) > 1.0f)
        m_image.RotateLeft();
    CReadyHook dialog;
    dialog.ready = m_pfnDialogReady;
    dialog.context = m_pDialogContext;
    dialog.m_image.Copy(image);
    if (dialog.DoModal() != IDOK)
        return;
    m_dResolution = dialog.m_dResolution;
    m_bCenter = dialog.m_bCenter;
    m_nCount = dialog.m_nCount;
    const bool cm = dialog.m_nUnit == printlayout::UNIT_CM;
    const double p = cm ? dialog.m_nPrinterDpi / kCmPerInch : dialog.m_nPrinterDpi;
    const double r = cm ? dialog.m_dResolution / kCmPerInch : dialog.m_dResolution;
    m_dLeft = p * dialog.m_dLeft;
    m_dTop = p * dialog.m_dTop;
    m_dPhotoWidth = r * dialog.m_dWidth;
    m_dPhotoHeight = r * dialog.m_dHeight;
    m_dGap = p * dialog.m_dThickness;
    if (OnPreparePrinting(&m_printInfo, false, true))
        Print(&m_printInfo);
}

bool CKQPrintWnd::OnPreparePrinting(CPrintInfo* pInfo, bool bDirect, bool)
{
    return bDirect || DoPreparePrinting(pInfo);
}

BOOL CKQPrintWnd::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (!pInfo)
        return FALSE;
    if (pInfo->GetMinPage() > pInfo->GetMaxPage())
        pInfo->SetMaxPage(pInfo->GetMinPage());
    pInfo->m_pPD->m_pd.nFromPage = WORD(pInfo->GetMinPage());
    pInfo->m_pPD->m_pd.nToPage = WORD(pInfo->GetMaxPage());
    CWinApp* app = AfxGetApp();
    // Without a printer the application says so once and answers Cancel.
    if (!app || app->DoPrintDialog(pInfo->m_pPD) != IDOK || !pInfo->m_pPD->GetPrinterDC())
        return FALSE;
    pInfo->m_nNumPreviewPages = 1;
    pInfo->m_strPageDesc = L"Page %u\nPages %u-%u\n";
    return TRUE;
}

void CKQPrintWnd::Print(CPrintInfo* pInfo)
{
    CWinApp* app = AfxGetApp();
    appframe::PrintJobSteps steps;
    steps.begin = [this](CDC* dc, CPrintInfo* info) { OnBeginPrinting(dc, info); };
    steps.print = [this](CDC* dc, CPrintInfo* info) { OnPrint(dc, info); };
    steps.end = [this](CDC* dc, CPrintInfo* info) { OnEndPrinting(dc, info); };
    appframe::RunPrintJob(pInfo, app && app->m_pszAppName ? app->m_pszAppName : L"Lumivo", steps);
}

void CKQPrintWnd::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    // Every copy of the photo goes on one page.
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(1);
    pInfo->m_nCurPage = 1;
}

void CKQPrintWnd::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_image.IsValid() || m_dResolution <= 0)
        return;
    const appframe::PrinterPage page = appframe::Printers().PageOf(pDC->m_hDC);
    const long cropWidth = long(m_dPhotoWidth), cropHeight = long(m_dPhotoHeight);
    if (cropWidth > 0 && cropHeight > 0)
        m_image.CropMax(cropWidth, cropHeight);
    const SIZE cell = {long(page.dpiX * m_dPhotoWidth / m_dResolution), long(page.dpiY * m_dPhotoHeight / m_dResolution)};
    const POINT offset = {long(m_dLeft), long(m_dTop)};
    const printlayout::Layout layout = printlayout::LayOutPhotos(pInfo->m_rectDraw.Size(), cell, int(m_dGap), m_nCount, m_bCenter != 0, offset);
    for (const RECT& rect : layout.photos)
        m_image.Stretch(pDC->m_hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void CKQPrintWnd::OnEndPrinting(CDC*, CPrintInfo*) {}

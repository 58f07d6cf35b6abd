// The canvas's services beside editing: frame pictures played as an animation, the picture
// printed as copies of a chosen size, and its file handed to the mail program.
#include <algorithm>
#include <cmath>
#include "LayeredViewWnd.h"
#include "MessageBox.h"
#include "PrintDialog.h"
#include "ZVUILibApp.h"

// ---- arithmetic ----

DWORD AnimationFrameDelay(DWORD hundredths)
{
    return hundredths == 0 ? 100 : hundredths * 10;
}

int NextAnimationFrame(int index, int count)
{
    return index + 1 >= count ? 0 : index + 1;
}

PrintLayout PrintLayoutFromChoice(const PrintChoice& choice)
{
    // The dialog's resolutions are per inch; a layout in centimetres divides them by this
    // literal, the inch as the dialog has always rounded it.
    const double perUnit = choice.unit == 2 ? 1.0 : 2.539999918;
    const double r = choice.pictureDpi / perUnit, p = choice.printerDpi / perUnit;
    PrintLayout layout;
    layout.pictureDpi = choice.pictureDpi;
    layout.printWidth = choice.width * r;
    layout.printHeight = choice.height * r;
    layout.marginX = choice.marginLeft * p;
    layout.marginY = choice.marginTop * p;
    layout.spacing = choice.spacing * p;
    layout.copies = choice.copies;
    layout.centred = choice.centred;
    return layout;
}

PrintGrid LayOutPrintGrid(const PrintLayout& layout, int dpiX, int dpiY, int pageWidth, int pageHeight)
{
    PrintGrid grid;
    if (layout.pictureDpi <= 0 || layout.copies <= 0)
        return grid;
    const int spacing = static_cast<int>(layout.spacing);
    grid.copyWidth = static_cast<int>(dpiX * layout.printWidth / layout.pictureDpi);
    grid.copyHeight = static_cast<int>(dpiY * layout.printHeight / layout.pictureDpi);
    grid.cellWidth = grid.copyWidth + spacing;
    grid.cellHeight = grid.copyHeight + spacing;
    if (grid.copyWidth <= 0 || grid.copyHeight <= 0 || grid.cellWidth <= 0 || grid.cellHeight <= 0)
        return grid;
    grid.columns = std::max(1, (pageWidth + spacing) / grid.cellWidth);
    grid.rowsThatFit = (pageHeight + spacing) / grid.cellHeight;
    // A copy taller than the page still gets a row of its own.
    grid.perPage = grid.columns * std::max(1, grid.rowsThatFit);
    grid.pages = (layout.copies + grid.perPage - 1) / grid.perPage;
    return grid;
}

std::vector<POINT> PrintCopyPositions(const PrintLayout& layout, const PrintGrid& grid, int pageWidth, int pageHeight,
                                      int page)
{
    std::vector<POINT> positions;
    if (grid.pages <= 0 || page < 1 || page > grid.pages)
        return positions;
    const int count = std::min(grid.perPage, layout.copies - (page - 1) * grid.perPage);
    const int c = grid.columns, m = grid.rowsThatFit, cw = grid.cellWidth, ch = grid.cellHeight;
    const int spacing = static_cast<int>(layout.spacing);
    const int rows = count / c, rest = count % c;
    int x0 = static_cast<int>(layout.marginX), y0 = static_cast<int>(layout.marginY);
    if (layout.centred) {
        if (rows == 0) {
            x0 = (pageWidth - cw * rest + spacing) / 2;
            y0 = (pageHeight - grid.copyHeight) / 2;
        } else {
            x0 = (pageWidth - cw * c + spacing) / 2;
            if (m < 1)
                y0 = 0;
            else if (rows < m)
                y0 = (pageHeight - ch * (rest > 0 ? rows + 1 : rows) + spacing) / 2;
            else
                y0 = (pageHeight - ch * m + spacing) / 2;
        }
        x0 = std::max(0, x0);
        y0 = std::max(0, y0);
    }
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < c; ++i)
            positions.push_back(POINT{x0 + i * cw, y0 + j * ch});
    for (int i = 0; i < rest; ++i)
        positions.push_back(POINT{x0 + i * cw, y0 + rows * ch});
    return positions;
}

namespace {
IPrintLayoutDialog* g_printDialog = nullptr;
} // namespace

IPrintLayoutDialog* SetPrintLayoutDialog(IPrintLayoutDialog* dialog)
{
    IPrintLayoutDialog* old = g_printDialog;
    g_printDialog = dialog;
    return old;
}

IPrintLayoutDialog* GetPrintLayoutDialog()
{
    return g_printDialog;
}

// ---- animation ----

void CLayeredViewWnd::StartAnimation()
{
    if (animRunning.load() || frameCount <= 1 || !frames)
        return;
    // A thread from a run that ended by itself is collected first.
    if (animThread && animThread->joinable())
        animThread->join();
    if (!animWake)
        animWake = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!animWake)
        return;
    ::ResetEvent(animWake);
    animRunning = 1;
    animThread = std::make_unique<std::thread>(&CLayeredViewWnd::AnimationThread, this);
}

void CLayeredViewWnd::StopAnimation()
{
    if (animRunning.exchange(0) && animWake)
        ::SetEvent(animWake);
    if (animThread && animThread->joinable())
        animThread->join();
    animThread.reset();
    if (animWake) {
        ::CloseHandle(animWake);
        animWake = nullptr;
    }
}

DWORD CLayeredViewWnd::WaitForNextFrame(DWORD milliseconds)
{
    return ::WaitForSingleObject(animWake, milliseconds);
}

void CLayeredViewWnd::AnimationThread()
{
    // Only invalidation from here: the painting stays on the window's thread.
    displayMode = 1;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    while (animRunning.load()) {
        if (m_hWnd)
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
        const int index = frameIndex.load();
        const DWORD hundredths = index >= 0 && index < frameCount && frames[index] ? frames[index]->GetFrameDelay() : 0;
        if (WaitForNextFrame(AnimationFrameDelay(hundredths)) == WAIT_OBJECT_0)
            break;
        frameIndex = NextAnimationFrame(index, frameCount);
    }
    frameIndex = 0;
    animRunning = 0;
    displayMode = 0;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---- printing ----

void CLayeredViewWnd::PrintImage()
{
    CZVImage picture;
    {
        CDocumentLockScope hold(doc.lock);
        if (printImageGiven ? !picture.Copy(doc.composite) : !doc.RenderPreview(picture))
            return;
    }
    if (picture.GetHeight() > 0 && static_cast<double>(picture.GetWidth()) / picture.GetHeight() > 1.0)
        picture.RotateLeft();
    IPrintLayoutDialog* dialog = GetPrintLayoutDialog();
    if (!dialog) {
        BCGPMessageBox(TranslateString(L"Printing is not available."), MB_OK | MB_ICONINFORMATION);
        return;
    }
    PrintChoice choice;
    if (!dialog->Run(this, picture, choice))
        return;
    printPicture.Transfer(picture);
    printLayout = PrintLayoutFromChoice(choice);
    if (OnPreparePrinting(&printInfo, FALSE, TRUE))
        PrintPicture(&printInfo);
}

BOOL CLayeredViewWnd::OnPreparePrinting(CPrintInfo* pInfo, BOOL bDirect, BOOL)
{
    if (bDirect)
        return TRUE;
    if (!pInfo)
        return FALSE;
    if (pInfo->GetMinPage() < 1)
        pInfo->SetMinPage(1);
    if (pInfo->GetMaxPage() < pInfo->GetMinPage())
        pInfo->SetMaxPage(pInfo->GetMinPage());
    pInfo->m_pPD->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
    pInfo->m_pPD->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    pInfo->m_pPD->m_pd.Flags |= PD_RETURNDC;
    // Without a printer the application says so once and answers Cancel.
    CWinApp* app = AfxGetApp();
    if (!app || app->DoPrintDialog(pInfo->m_pPD) != IDOK || !pInfo->m_pPD->GetPrinterDC())
        return FALSE;
    pInfo->m_strPageDesc = L"Page %u\nPages %u-%u\n";
    return TRUE;
}

void CLayeredViewWnd::PrintPicture(CPrintInfo* pInfo)
{
    CString name;
    if (!name.LoadString(57344)) {
        CWinApp* app = AfxGetApp();
        name = app && app->m_pszAppName ? app->m_pszAppName : L"Lumivo";
    }
    appframe::PrintJobSteps steps;
    steps.begin = [this](CDC* dc, CPrintInfo* info) {
        info->SetMinPage(1);
        info->SetMaxPage(0);
        OnBeginPrinting(dc, info);
    };
    steps.print = [this](CDC* dc, CPrintInfo* info) { OnPrint(dc, info); };
    steps.end = [this](CDC* dc, CPrintInfo* info) { OnEndPrinting(dc, info); };
    appframe::RunPrintJob(pInfo, name, steps);
}

void CLayeredViewWnd::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !doc.layers.GetLayer(0))
        return;
    const appframe::PrinterPage page = appframe::Printers().PageOf(pDC->m_hDC);
    const PrintGrid grid = LayOutPrintGrid(printLayout, page.dpiX, page.dpiY, pInfo->m_rectDraw.Width(),
                                           pInfo->m_rectDraw.Height());
    pInfo->SetMaxPage(static_cast<UINT>(grid.pages));
}

void CLayeredViewWnd::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !doc.layers.GetLayer(0) || !printPicture.IsValid())
        return;
    const appframe::PrinterPage page = appframe::Printers().PageOf(pDC->m_hDC);
    const int width = pInfo->m_rectDraw.Width(), height = pInfo->m_rectDraw.Height();
    const PrintGrid grid = LayOutPrintGrid(printLayout, page.dpiX, page.dpiY, width, height);
    if (grid.pages <= 0)
        return;
    printPicture.CropMax(static_cast<long>(printLayout.printWidth), static_cast<long>(printLayout.printHeight));
    for (const POINT& at : PrintCopyPositions(printLayout, grid, width, height, static_cast<int>(pInfo->m_nCurPage)))
        printPicture.Draw2(pDC->m_hDC, at.x, at.y, grid.copyWidth, grid.copyHeight);
}

// ---- mail ----

BOOL CLayeredViewWnd::SendByMail()
{
    if (filePath.IsEmpty())
        return FALSE;
    ALT::TList<ALT::TString<wchar_t, 0, 8>> paths;
    paths.AddTail(ALT::TString<wchar_t, 0, 8>(static_cast<const wchar_t*>(filePath)));
    return SendMail(paths) ? TRUE : FALSE;
}

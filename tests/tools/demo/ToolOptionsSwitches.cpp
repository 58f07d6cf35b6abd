#include "ToolOptionsSwitches.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>
#include "ChildFrame.h"
#include "DlgEditorContextBar.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "ShapeLibrary.h"
#include "ShapeSettings.h"
#include "StartupTables.h"
#include "ToolOptionsIds.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t* OptionAfter(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

bool OptionGiven(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return true;
    return false;
}

const int kCell = 24;

// One shape drawn into a cell on white: outlined dark grey, filled light grey.
bool DrawShapeCell(int kind, const ShapeLibrary& library, CZVImage& strip, int index)
{
    ShapeSettings s;
    s.shape = kind;
    s.width = s.height = kCell - 4;
    s.outlineWidth = 2;
    s.outlineColour = RGB(40, 40, 40);
    s.fillOn = 1;
    s.fillAlpha = 255;
    s.fillColour = RGB(170, 190, 215);
    s.cornerRadius = 5;
    CZVImage cell;
    if (!s.DrawToImage(&cell, library))
        return false;
    // The later library shapes keep their proportions from the width: a tall one is drawn
    // again narrower so that it fits the cell.
    const int side = kCell - 4;
    if (static_cast<int>(cell.GetHeight()) > side) {
        s.width = std::max(1, side * side / static_cast<int>(cell.GetHeight()));
        s.height = side;
        if (!s.DrawToImage(&cell, library))
            return false;
    }
    const long w = static_cast<long>(cell.GetWidth()), h = static_cast<long>(cell.GetHeight());
    const long x0 = index * kCell + (kCell - w) / 2;
    const long y0 = (kCell - h) / 2;
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) {
            // The drawing counts rows from the top, the picture from the bottom: the layer's
            // render turns it over, and so must the strip.
            const RGBQUAD c = cell.GetPixelColor(x, h - 1 - y, true);
            const unsigned a = cell.AlphaIsValid() ? c.rgbReserved : 255;
            const RGBQUAD mixed = {static_cast<BYTE>((c.rgbBlue * a + 255 * (255 - a)) / 255),
                                   static_cast<BYTE>((c.rgbGreen * a + 255 * (255 - a)) / 255),
                                   static_cast<BYTE>((c.rgbRed * a + 255 * (255 - a)) / 255), 0};
            strip.SetPixelColor(x0 + x, y0 + y, mixed, false);
        }
    return true;
}

} // namespace

bool RunShapeStripSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* out = OptionAfter(argc, argv, L"/shape-strip");
    if (!out)
        return false;
    exitCode = 1;
    // The demonstration lives one folder below the program folder and its Data.
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring xml(exe);
    xml = xml.substr(0, xml.find_last_of(L'\\')) + L"\\..\\Data\\Editor\\Shapes\\Basic.xml";
    ShapeLibrary library;
    if (!LoadShapeLibrary(library, xml.c_str()) || library.empty()) {
        fwprintf(stderr, L"ToolsDemo: no shape library\n");
        return true;
    }
    // Figures 0 to 8, then one cell per library entry (shape numbers 9 up).
    const int count = 9 + static_cast<int>(library.size());
    CZVImage strip;
    if (!strip.Create(count * kCell, kCell, 24))
        return true;
    strip.Clear(255);
    for (int i = 0; i < count; ++i)
        if (!DrawShapeCell(i, library, strip, i))
            fwprintf(stderr, L"ToolsDemo: shape %d not drawn\n", i);
    if (!strip.Save(out, CXIMAGE_FORMAT_BMP)) {
        fwprintf(stderr, L"ToolsDemo: cannot write %ls\n", out);
        return true;
    }
    wprintf(L"ToolsDemo: %d shapes written to %ls\n", count, out);
    exitCode = 0;
    return true;
}

bool RunToolOptionsSwitch(int argc, wchar_t** argv, int& exitCode)
{
    const wchar_t* command = OptionAfter(argc, argv, L"/command");
    if (!command || argc < 4)
        return false;
    const wchar_t* picture = argv[argc - 1];
    exitCode = 1;

    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    // The brushes and the shape strip are read from the user's data folder, which the program
    // fills from its Data folder at start; the demonstration lives one folder below.
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring data(exe);
    data = data.substr(0, data.find_last_of(L'\\')) + L"\\..\\Data";
    SeedDataFolder(data.c_str(), GetKQDataFolder(nullptr).GetString());
    if (const wchar_t* language = OptionAfter(argc, argv, L"/lang")) {
        CString path = CZVUILibApp::GetLanguageFolder().GetString();
        path += language;
        path += L".txt";
        LoadLanguageFile(path);
    }
    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        fwprintf(stderr, L"ToolsDemo: no editor frame\n");
        return true;
    }
    AfxGetApp()->m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 0, 0, 1100, 760, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(picture, MAX_PATH, full, nullptr);
    if (!frame->OpenFileInEditor(full)) {
        fwprintf(stderr, L"ToolsDemo: cannot open %ls\n", full);
        frame->DestroyWindow();
        return true;
    }
    auto* child = DYNAMIC_DOWNCAST(CChildFrame, frame->MDIGetActive());
    if (child)
        child->MDIMaximize();
    frame->SendMessage(WM_COMMAND, static_cast<WPARAM>(_wtoi(command)));
    CDlgEditorContextBar& bar = frame->contextBar;
    CPicEditView* view = child ? &child->view : nullptr;

    if (const wchar_t* group = OptionAfter(argc, argv, L"/group")) {
        int count = 0;
        const StampGroup* groups = StampGroups(count);
        for (int i = 0; i < count; ++i)
            if (_wcsicmp(groups[i].name, group) == 0)
                bar.paint->ChooseGroup(groups[i].command);
    }
    if (const wchar_t* shape = OptionAfter(argc, argv, L"/shape")) {
        frame->toolSettings.shape.shape = _wtoi(shape);
        bar.ShowToolOptions(0);
    }
    if (OptionGiven(argc, argv, L"/fill")) {
        bar.shape->ChooseFillColour(RGB(230, 120, 40));
        bar.shape->CheckDlgButton(IDC_SHAPE_FILL, BST_CHECKED);
        bar.shape->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SHAPE_FILL, BN_CLICKED));
    }
    if (const wchar_t* ratio = OptionAfter(argc, argv, L"/ratio")) {
        CComboBox* list = static_cast<CComboBox*>(bar.crop->GetDlgItem(IDC_CROP_RATIO));
        const int item = list ? list->FindStringExact(-1, ratio) : -1;
        if (item >= 0)
            bar.crop->ChooseRatio(item);
        // A frame of that aspect over the middle of the picture, as a drag would leave it.
        if (view) {
            const CRect canvas = view->doc.canvasRect;
            const int w = canvas.Width() * 2 / 3;
            const int h = static_cast<int>(w * view->selectionTracker.GetAspect());
            const CPoint centre = canvas.CenterPoint();
            view->selectionTracker.m_rect.SetRect(centre.x - w / 2, centre.y - h / 2, centre.x - w / 2 + w,
                                                   centre.y - h / 2 + h);
            // Kept in canvas terms too, as a drag leaves it, so that the frame's layout keeps it.
            view->TrackerToCanvasRect();
            view->OnMouseNotify(13, MK_LBUTTON, centre.x, centre.y);
            view->RequestRedraw();
            view->InvalidateRect(nullptr, FALSE);
        }
    }
    if (view && (OptionGiven(argc, argv, L"/stroke") || OptionGiven(argc, argv, L"/drag"))) {
        // A drag by mouse messages: a wave across the middle, or a box for the shape tool.
        const CRect canvas = view->doc.canvasRect;
        const bool wave = OptionGiven(argc, argv, L"/stroke");
        const CPoint from(canvas.left + canvas.Width() / 6, canvas.top + canvas.Height() / 3);
        const CPoint to(canvas.right - canvas.Width() / 6, canvas.bottom - canvas.Height() / 3);
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        for (int i = 1; i <= 60; ++i) {
            const double t = i / 60.0;
            const int x = from.x + static_cast<int>((to.x - from.x) * t);
            const int y = wave ? (from.y + to.y) / 2 + static_cast<int>(canvas.Height() / 6 * std::sin(t * 6.283))
                               : from.y + static_cast<int>((to.y - from.y) * t);
            view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        }
        view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        view->InvalidateRect(nullptr, FALSE);
    }
    frame->RecalcLayout();
    AfxGetApp()->Run();
    exitCode = 0;
    return true;
}

// The tool context bar and its option dialogs in a real editor frame over the sample picture:
// which dialog each tool code shows, what each dialog stores and hands to the view, the crop
// frame's edits and ratios, and the pictures the dialogs show. The tables' arithmetic first.
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstdlib>
#include <string>
#include "BrushStroke.h"
#include "ChildFrame.h"
#include "DlgEditorContextBar.h"
#include "DlgEditorRatio.h"
#include "LumivoToolsApp.h"
#include "MainFrame.h"
#include "MainFrameIds.h"
#include "ShapeLibrary.h"
#include "StartupTables.h"
#include "TestSupport.h"
#include "ToolOptionTables.h"
#include "ToolOptionWindows.h"
#include "ToolOptionsIds.h"
#include "WindowTestApp.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"

namespace {

using testsupport::BinDir;

class CToolOptionsTestApp : public CWindowTestApp<CLumivoToolsApp> {
public:
    CToolOptionsTestApp() : CWindowTestApp(L"LumivoToolsTests") { SetRegistryKey(L"Lumivo"); }
};
CToolOptionsTestApp theApp;

// ---- the tables ----

TEST(ToolOptionTables, CodesWithoutARowShowNothing)
{
    const int without[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 18, 20, 21, 23, 24, 25, 32};
    for (int code = -1; code <= 34; ++code) {
        const bool none = code < 0 || code > 33 || std::find(std::begin(without), std::end(without), code) != std::end(without);
        EXPECT_EQ(none, FindToolOptionRow(code) == nullptr) << code;
    }
}

TEST(ToolOptionTables, PercentAndByte)
{
    EXPECT_EQ(255, PercentToByte(100));
    EXPECT_EQ(0, PercentToByte(0));
    EXPECT_EQ(128, PercentToByte(50));
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(p, ByteToPercent(PercentToByte(p))) << p;
}

TEST(ToolOptionTables, CropRatiosAreHeightOverWidth)
{
    int count = 0;
    const CropRatio* ratios = CropRatios(count);
    ASSERT_EQ(10, count);
    EXPECT_EQ(0.0f, ratios[kCropFreely].aspect);
    for (int i = 1; i < kCropAssign; ++i) {
        const double w = std::wcstod(ratios[i].text, nullptr);
        const double h = std::wcstod(std::wcschr(ratios[i].text, L':') + 1, nullptr);
        EXPECT_NEAR(h / w, ratios[i].aspect, 1e-6) << i;
    }
    float aspect = -1;
    EXPECT_TRUE(AssignedAspect(4, 3, aspect));
    EXPECT_FLOAT_EQ(0.75f, aspect);
    EXPECT_FALSE(AssignedAspect(0, 3, aspect));
}

TEST(ToolOptionTables, DefaultStampSizes)
{
    const struct {
        int mode, group, index;
        bool set;
        int size;
    } cases[] = {
        {kPaintPen, kStampDefault, 0, true, 3},     {kPaintPen, kStampDefault, 5, true, 10},
        {kPaintEraser, kStampDefault, 2, true, 30}, {kPaintEraser, kStampDefault, 7, true, 50},
        {kPaintBrush, kStampDefault, 0, false, 0},  {kPaintPen, kStampNature, 0, false, 0},
    };
    for (const auto& c : cases) {
        int size = 0;
        EXPECT_EQ(c.set, DefaultStampSize(c.mode, c.group, c.index, size)) << c.mode << "/" << c.index;
        if (c.set) {
            EXPECT_EQ(c.size, size);
        }
    }
}

TEST(ToolOptionTables, CropFrameResizeFromTopLeft)
{
    RECT frame = {10, 20, 50, 60};
    ASSERT_TRUE(ResizeCropFrame(frame, 101, 51, 0.5f));
    EXPECT_EQ(10, frame.left);
    EXPECT_EQ(20, frame.top);
    EXPECT_EQ(60, frame.right);    // trunc(10 + 50.5)
    EXPECT_EQ(45, frame.bottom);   // trunc(20 + 25.5)
    RECT empty = {30, 30, 30, 30};
    EXPECT_FALSE(ResizeCropFrame(empty, 100, 100, 1.0f));
    EXPECT_EQ(30, empty.right);
}

TEST(ToolOptionTables, GapsScaleWithTheDpi)
{
    EXPECT_EQ(10, ScaledGap(10, 96));
    EXPECT_EQ(15, ScaledGap(10, 144));
    EXPECT_EQ(5, ScaledGap(5, 0));
}

// ---- the pictures ----

int StripCells(const std::wstring& path, int cellSide = 0)
{
    CZVImage strip;
    if (!strip.Load(path.c_str()))
        return -1;
    const int side = cellSide ? cellSide : static_cast<int>(strip.GetHeight());
    return side > 0 && strip.GetWidth() % side == 0 ? static_cast<int>(strip.GetWidth()) / side : -1;
}

TEST(ToolOptionPictures, PickerStripsMatchTheirBrushStrips)
{
    int count = 0;
    const StampGroup* groups = StampGroups(count);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(groups[i].strip);
        CImageList list;
        ASSERT_TRUE(LoadPngStrip(list, groups[i].strip));
        const int cells = StripCells(BinDir() + L"\\Data\\Editor\\Brushes\\" + groups[i].brushFile);
        EXPECT_GT(cells, 0);
        EXPECT_EQ(cells, list.GetImageCount());
    }
    for (UINT styles : {IDB_BORDER_STYLES, IDB_LINE_ENDS}) {
        CImageList list;
        ASSERT_TRUE(LoadPngStrip(list, styles));
        EXPECT_EQ(3, list.GetImageCount());
    }
}

TEST(ToolOptionPictures, ShapeStripHasACellPerShape)
{
    ShapeLibrary library;
    ASSERT_TRUE(LoadShapeLibrary(library, (BinDir() + L"\\Data\\Editor\\Shapes\\Basic.xml").c_str()));
    ASSERT_FALSE(library.empty());
    EXPECT_EQ(9 + static_cast<int>(library.size()), StripCells(BinDir() + L"\\Data\\Editor\\Shapes\\shape.bmp", 24));
}

// Drawn pixels of a strip cell's rows from `top` (counted from the top) to `bottom`, exclusive.
int DrawnInRows(const CZVImage& strip, int cell, int top, int bottom)
{
    const long h = static_cast<long>(strip.GetHeight());
    int drawn = 0;
    for (long y = top; y < bottom; ++y)
        for (long x = cell * 24; x < cell * 24 + 24; ++x) {
            const RGBQUAD c = strip.GetPixelColor(x, h - 1 - y, false);
            drawn += c.rgbRed + c.rgbGreen + c.rgbBlue < 3 * 240;
        }
    return drawn;
}

TEST(ToolOptionPictures, ShapeStripCellsStandUprightInsideTheirCell)
{
    CZVImage strip;
    ASSERT_TRUE(strip.Load((BinDir() + L"\\Data\\Editor\\Shapes\\shape.bmp").c_str()));
    // Figures that are narrow at their top (the triangles' and the pentagon's point) or at their
    // bottom (the balloon's tail, to the south-west).
    const struct {
        int kind;
        bool narrowTop;
    } cases[] = {{3, true}, {4, true}, {6, true}, {8, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(c.narrowTop, DrawnInRows(strip, c.kind, 0, 8) < DrawnInRows(strip, c.kind, 16, 24));
    }
    // Every cell keeps its top and bottom rows clear.
    for (int cell = 0; cell < static_cast<int>(strip.GetWidth()) / 24; ++cell) {
        EXPECT_EQ(0, DrawnInRows(strip, cell, 0, 1)) << cell;
        EXPECT_EQ(0, DrawnInRows(strip, cell, 23, 24)) << cell;
    }
}

// ---- in the editor frame ----

std::wstring Text(CWnd* wnd, int id = 0)
{
    CString text;
    if (id)
        wnd->GetDlgItemText(id, text);
    else
        wnd->GetWindowText(text);
    return std::wstring(text);
}

bool Shown(CWnd* dialog, int id)
{
    CWnd* control = dialog->GetDlgItem(id);
    return control && (control->GetStyle() & WS_VISIBLE) != 0;
}

bool Enabled(CWnd* dialog, int id)
{
    CWnd* control = dialog->GetDlgItem(id);
    return control && control->IsWindowEnabled();
}

// Types into an edit: EN_CHANGE follows as after the user's typing.
void Type(CWnd* dialog, int id, int value)
{
    dialog->SetDlgItemInt(id, static_cast<UINT>(value), TRUE);
}

void Click(CWnd* dialog, int id, bool check)
{
    dialog->CheckDlgButton(id, check ? BST_CHECKED : BST_UNCHECKED);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog->m_hWnd, id)));
}

// A picker's choice as when made in its pop-up.
void Pick(CWnd* dialog, int index)
{
    CWnd* picker = dialog->GetDlgItem(IDC_OPTION_PICKER);
    const int columns = static_cast<CImageListPicker*>(picker)->GetColumns();
    picker->SendMessage(WM_KQ_PICKER_SELENDOK, static_cast<WPARAM>(picker::PackCell(index % columns, index / columns)));
}

class ToolOptionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_EDITOR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        theApp.m_pEditorFrame = frame;
        theApp.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        PumpPending();
        bar = &frame->contextBar;
        ASSERT_TRUE(bar->paint && bar->paint->m_hWnd);
    }
    void TearDown() override
    {
        while (CMDIChildWnd* child = frame->MDIGetActive())
            child->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        theApp.m_pEditorFrame = nullptr;
        frame->DestroyWindow();
        PumpPending();
    }
    CPicEditView* OpenSample()
    {
        if (!frame->OpenFileInEditor((BinDir() + L"\\Data\\Sample\\Lakeside.jpg").c_str()))
            return nullptr;
        auto* child = DYNAMIC_DOWNCAST(CChildFrame, frame->MDIGetActive());
        return child ? &child->view : nullptr;
    }

    CMainFrame* frame = nullptr;
    CDlgEditorContextBar* bar = nullptr;
};

TEST_F(ToolOptionsTest, EachCodeShowsItsDialogInItsMode)
{
    const struct {
        int code;
        ToolOptionDialog dialog;
        const wchar_t* title;
        int shownId, hiddenId;   // a control the mode shows and one it hides (0: none)
    } cases[] = {
        {0, ToolOptionDialog::Shape, L"Shape Option", IDC_SHAPE_FILL, 0},
        {12, ToolOptionDialog::Crop, nullptr, IDC_CROP_RATIO, 0},
        {14, ToolOptionDialog::Line, L"Line Option", IDC_LINE_END, 0},
        {15, ToolOptionDialog::Paint, L"Brush", IDC_PAINT_AUTO_STEP, IDC_PAINT_TRANSPARENT},
        {16, ToolOptionDialog::Paint, L"Pen", IDC_PAINT_AUTO_STEP, IDC_PAINT_TRANSPARENT},
        {19, ToolOptionDialog::Paint, L"Eraser", IDC_PAINT_TRANSPARENT, 0},
        {30, ToolOptionDialog::Pen, L"Pen size", IDC_PEN_MOSAIC_SLIDER, 0},
        {22, ToolOptionDialog::Pen, L"Pen size", IDC_PEN_SIZE_SLIDER, IDC_PEN_MOSAIC_SLIDER},
        {17, ToolOptionDialog::Pen, L"Pen size", IDC_PEN_SIZE_SLIDER, IDC_PEN_MOSAIC_SLIDER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        bar->ShowToolOptions(c.code);
        EXPECT_EQ(c.dialog, bar->ShownDialog());
        for (ToolOptionDialog d : {ToolOptionDialog::Pen, ToolOptionDialog::Paint, ToolOptionDialog::Shape,
                                   ToolOptionDialog::Crop, ToolOptionDialog::Line})
            EXPECT_EQ(d == c.dialog, (bar->DialogOf(d)->GetStyle() & WS_VISIBLE) != 0);
        CWnd* shown = bar->DialogOf(c.dialog);
        if (c.title) {
            EXPECT_EQ(std::wstring(c.title), Text(shown));
        }
        EXPECT_TRUE(Shown(shown, c.shownId));
        if (c.hiddenId) {
            EXPECT_FALSE(Shown(shown, c.hiddenId));
        }
        // A code without a row leaves it.
        bar->ShowToolOptions(18);
        EXPECT_EQ(c.dialog, bar->ShownDialog());
        EXPECT_TRUE(shown->GetStyle() & WS_VISIBLE);
    }
    // Lay out: every chain's controls in order, nothing overlapping its successor.
    bar->ShowToolOptions(19);
    int chains = 0;
    const LayoutChain* chain = LayoutChains(ToolOptionDialog::Paint, chains);
    for (int i = 0; i < chains; ++i)
        for (const int* id = chain[i].ids; id[1]; ++id) {
            CRect a, b;
            bar->paint->GetDlgItem(id[0])->GetWindowRect(&a);
            bar->paint->GetDlgItem(id[1])->GetWindowRect(&b);
            EXPECT_LE(a.right, b.left) << id[0] << " " << id[1];
        }
}

TEST_F(ToolOptionsTest, StampGroupsLoadTheirStripAndBrushFile)
{
    const struct {
        int code, group;
        const wchar_t* file;
        const wchar_t* name;
    } cases[] = {
        {15, kStampDefault, L"Default.png", L"Default"}, {16, kStampDefault, L"Pen.png", L"Default"},
        {19, kStampNature, L"Nature.png", L"Nature"},    {15, kStampAnimals, L"Animals.png", L"Animals"},
        {16, kStampTrack, L"Track.png", L"Track"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        bar->ShowToolOptions(c.code);
        bar->paint->ChooseStamp(2);
        bar->paint->SendMessage(WM_COMMAND, static_cast<WPARAM>(c.group));
        EXPECT_EQ(std::wstring(c.file), std::wstring(frame->GetBrushFile()));
        EXPECT_EQ(0, bar->paint->m_stamp);
        EXPECT_EQ(std::wstring(TranslateString(c.name)), Text(bar->paint.get(), IDC_PAINT_GROUP));
        auto* picker = static_cast<CImageListPicker*>(bar->paint->GetDlgItem(IDC_OPTION_PICKER));
        EXPECT_EQ(StripCells(BinDir() + L"\\Data\\Editor\\Brushes\\" + c.file), picker->GetImageList().GetImageCount());
    }
}

TEST_F(ToolOptionsTest, DefaultGroupPicturesSetThePenAndEraserSize)
{
    for (int code : {16, 19}) {
        bar->ShowToolOptions(code);
        bar->paint->ChooseGroup(kStampDefault);
        const int sizes[8] = {3, 10, 30, 50, 3, 10, 30, 50};
        for (int i = 0; i < 8; ++i) {
            Pick(bar->paint.get(), i);
            EXPECT_EQ(sizes[i], bar->paint->m_size) << code << "/" << i;
            EXPECT_EQ(sizes[i], static_cast<int>(bar->paint->GetDlgItemInt(IDC_OPTION_SIZE)));
        }
    }
    // The brush's default group keeps the size.
    bar->ShowToolOptions(15);
    Type(bar->paint.get(), IDC_OPTION_SIZE, 44);
    Pick(bar->paint.get(), 1);
    EXPECT_EQ(44, frame->toolSettings.brush.size);
}

TEST_F(ToolOptionsTest, PaintAppliesToTheViewAtEachZoom)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    const struct {
        int code;
        float zoom;
        int size;
        bool automatic;
        int step, opacity;
        int kind, wantStep, wantByte;
    } cases[] = {
        {15, 0.5f, 40, true, 9, 100, 1, 10, 255},  {16, 2.0f, 12, false, 7, 50, 2, 7, 128},
        {19, 0.5f, 20, true, 3, 30, 3, 5, 77},     {19, 2.0f, 60, false, 4, 100, 3, 4, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code * 10 + c.size);
        view->doc.zoom = c.zoom;
        frame->SendMessage(WM_COMMAND, c.code == 15 ? 32833 : c.code == 16 ? 32933 : 32941);
        CDlgEditorPaint* paint = bar->paint.get();
        // The picture first: in the pen and eraser the default group's pictures set the size.
        Pick(paint, 1);
        Click(paint, IDC_PAINT_AUTO_STEP, c.automatic);
        Type(paint, IDC_PAINT_STEP, c.step);
        Type(paint, IDC_OPTION_SECOND, c.opacity);
        Type(paint, IDC_OPTION_SIZE, c.size);
        EXPECT_EQ(c.kind, view->brushType);
        EXPECT_EQ(c.size, view->brushSize);
        EXPECT_EQ(1, view->stampIndex);
        EXPECT_EQ(c.wantByte, view->paintOpacity);
        EXPECT_EQ(c.wantStep, view->brushStep);
        EXPECT_EQ(BrushCursorRadius(c.size, c.zoom), view->brushRadius);
        EXPECT_EQ(!c.automatic, Enabled(paint, IDC_PAINT_STEP));
        EXPECT_EQ(1, view->brushStale);
    }
    // The eraser's transparent background reaches the view and its record.
    Click(bar->paint.get(), IDC_PAINT_TRANSPARENT, true);
    EXPECT_EQ(1, view->eraseTransparent);
    EXPECT_EQ(1, frame->toolSettings.eraser.transparentBack);
}

TEST_F(ToolOptionsTest, EveryPercentageSurvivesStoreAndReload)
{
    bar->ShowToolOptions(15);
    bar->ShowToolOptions(0);
    bar->ShowToolOptions(14);
    for (int p = 0; p <= 100; ++p) {
        bar->ShowToolOptions(15);
        Type(bar->paint.get(), IDC_OPTION_SECOND, p);
        bar->ShowToolOptions(0);
        Type(bar->shape.get(), IDC_OPTION_ALPHA, p);
        bar->ShowToolOptions(14);
        Type(bar->line.get(), IDC_OPTION_ALPHA, p);
        bar->ShowToolOptions(15);
        EXPECT_EQ(p, static_cast<int>(bar->paint->GetDlgItemInt(IDC_OPTION_SECOND))) << p;
        bar->ShowToolOptions(0);
        EXPECT_EQ(p, static_cast<int>(bar->shape->GetDlgItemInt(IDC_OPTION_ALPHA))) << p;
        bar->ShowToolOptions(14);
        EXPECT_EQ(p, static_cast<int>(bar->line->GetDlgItemInt(IDC_OPTION_ALPHA))) << p;
    }
    EXPECT_EQ(255, frame->toolSettings.brush.opacity);
    EXPECT_EQ(255, frame->toolSettings.shape.fillAlpha);
}

TEST_F(ToolOptionsTest, OptionsWithoutAPictureAreStoredForTheNextView)
{
    frame->toolSettings.brush.size = 50;
    bar->ShowToolOptions(15);
    Type(bar->paint.get(), IDC_OPTION_SIZE, 22);
    EXPECT_EQ(22, frame->toolSettings.brush.size);
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 32833);
    EXPECT_EQ(22, view->brushSize);
}

TEST_F(ToolOptionsTest, PenActsOnSliderReleaseOnly)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 32944);   // sharpen
    const int before = view->brushSize;
    Type(bar->pen.get(), IDC_OPTION_SIZE, 77);
    EXPECT_EQ(before, view->brushSize);
    auto* slider = static_cast<CSliderCtrl*>(bar->pen->GetDlgItem(IDC_PEN_SIZE_SLIDER));
    slider->SetPos(64);
    NMHDR released = {slider->m_hWnd, IDC_PEN_SIZE_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    bar->pen->SendMessage(WM_NOTIFY, IDC_PEN_SIZE_SLIDER, reinterpret_cast<LPARAM>(&released));
    EXPECT_EQ(64, view->brushSize);
    EXPECT_EQ(16, view->brushStep);
    EXPECT_EQ(64, frame->toolSettings.retouchSizes[3]);
    EXPECT_EQ(64, static_cast<int>(bar->pen->GetDlgItemInt(IDC_OPTION_SIZE)));
}

TEST_F(ToolOptionsTest, ShapeRoundRadiusAndFill)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    // Only kind 1 shows the corner radius.
    for (int kind = 0; kind < 4; ++kind) {
        frame->toolSettings.shape.shape = kind;
        bar->ShowToolOptions(0);
        EXPECT_EQ(kind == 1, Shown(bar->shape.get(), IDC_SHAPE_ROUND)) << kind;
        EXPECT_EQ(kind == 1, Shown(bar->shape.get(), IDC_SHAPE_ROUND_LABEL)) << kind;
    }
    // The radius runs to half the smaller side after loading.
    frame->toolSettings.shape.width = 90;
    frame->toolSettings.shape.height = 40;
    bar->ShowToolOptions(0);
    Type(bar->shape.get(), IDC_SHAPE_ROUND, 500);
    EXPECT_EQ(20, frame->toolSettings.shape.cornerRadius);

    // A shape layer, selected, takes the fill at once.
    ShapeSettings s = frame->toolSettings.shape;
    s.shape = SHAPE_RECTANGLE;
    s.width = 80;
    s.height = 60;
    s.fillOn = 0;
    ASSERT_TRUE(view->AddShapeLayer(s));
    CLayerInfo* layer = view->doc.layers.GetCurrentLayer();
    ASSERT_TRUE(layer && layer->type == LAYER_SHAPE);
    frame->toolSettings.shape = layer->shape;
    bar->ShowToolOptions(0);
    EXPECT_FALSE(Enabled(bar->shape.get(), IDC_SHAPE_COLOR));
    bar->shape->ChooseFillColour(RGB(255, 0, 0));
    Click(bar->shape.get(), IDC_SHAPE_FILL, true);
    EXPECT_TRUE(Enabled(bar->shape.get(), IDC_SHAPE_COLOR));
    EXPECT_TRUE(Enabled(bar->shape.get(), IDC_OPTION_ALPHA));
    layer = view->doc.layers.GetCurrentLayer();
    ASSERT_NE(nullptr, layer);
    EXPECT_EQ(1, layer->shape.fillOn);
    const RGBQUAD centre = layer->displayed.GetPixelColor(40, 30, true);
    EXPECT_EQ(255, centre.rgbRed);
    EXPECT_EQ(0, centre.rgbGreen);
    EXPECT_EQ(0, centre.rgbBlue);
    EXPECT_EQ(255, centre.rgbReserved);
}

TEST_F(ToolOptionsTest, LineOnlyStores)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 32981);
    const int size = view->brushSize, layers = static_cast<int>(view->doc.layers.layers.size());
    auto* end = static_cast<CComboBox*>(bar->line->GetDlgItem(IDC_LINE_END));
    end->SetCurSel(2);
    bar->line->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINE_END, CBN_SELCHANGE), reinterpret_cast<LPARAM>(end->m_hWnd));
    Type(bar->line.get(), IDC_OPTION_SIZE, 12);
    Type(bar->line.get(), IDC_OPTION_ALPHA, 40);
    EXPECT_EQ(2, frame->toolSettings.line.lineOption);
    EXPECT_EQ(12, frame->toolSettings.line.outlineWidth);
    EXPECT_EQ(102, frame->toolSettings.line.fillAlpha);
    EXPECT_EQ(size, view->brushSize);
    EXPECT_EQ(layers, static_cast<int>(view->doc.layers.layers.size()));
}

// Rows of the middle column that a stroke changed, counted on the background.
int ChangedRowsInTheMiddle(const CZVImage& before, const CZVImage& after)
{
    const long x = static_cast<long>(after.GetWidth()) / 2;
    int rows = 0;
    for (long y = 0; y < static_cast<long>(after.GetHeight()); ++y) {
        const RGBQUAD a = before.GetPixelColor(x, y, false), b = after.GetPixelColor(x, y, false);
        if (std::abs(a.rgbRed - b.rgbRed) + std::abs(a.rgbGreen - b.rgbGreen) + std::abs(a.rgbBlue - b.rgbBlue) > 60)
            ++rows;
    }
    return rows;
}

TEST_F(ToolOptionsTest, StrokesAreAsWideAsTheirOptionsSay)
{
    // The size typed into the tool's options, then a drag by mouse messages across the picture:
    // the brush stamps its round dab, the line draws with the line options, not the shape's.
    const struct {
        int command;
        ToolOptionDialog dialog;
        int width;
    } cases[] = {{32833, ToolOptionDialog::Paint, 20}, {32981, ToolOptionDialog::Line, 12}};
    // The brushes are read from the user's data folder, which the program fills at start.
    SeedDataFolder((BinDir() + L"\\Data").c_str(), GetKQDataFolder(nullptr).GetString());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        CPicEditView* view = OpenSample();
        ASSERT_NE(nullptr, view);
        frame->SendMessage(WM_COMMAND, c.command);
        ASSERT_EQ(c.dialog, bar->ShownDialog());
        Type(bar->DialogOf(c.dialog), IDC_OPTION_SIZE, c.width);
        view->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW);
        const CZVImage before(view->doc.layers.layers[0].displayed);
        const CRect canvas = view->doc.canvasRect;
        const int y = canvas.CenterPoint().y;
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(canvas.left + 10, y));
        for (int x = canvas.left + 20; x < canvas.right - 10; x += 10)
            view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(canvas.right - 10, y));
        EXPECT_NEAR(c.width, ChangedRowsInTheMiddle(before, view->doc.layers.layers[0].displayed), 3);
        frame->MDIGetActive()->DestroyWindow();
        PumpPending();
    }
}

// The crop dialog with the ratio dialog's answer given by the test.
class CAnsweredCrop : public CDlgEditorCrop {
public:
    using CDlgEditorCrop::CDlgEditorCrop;
    INT_PTR answer = IDCANCEL;
    unsigned width = 0, height = 0;
    INT_PTR AskRatio(CDlgEditorRatio& dialog) override
    {
        dialog.m_width = width;
        dialog.m_height = height;
        return answer;
    }
};

TEST_F(ToolOptionsTest, CropRatiosSetTheTrackerAspect)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 31005);
    CAnsweredCrop crop(&frame->toolSettings);
    ASSERT_TRUE(crop.Create(IDD_TOOL_CROP, bar));
    int count = 0;
    const CropRatio* ratios = CropRatios(count);
    auto* list = static_cast<CComboBox*>(crop.GetDlgItem(IDC_CROP_RATIO));
    for (int i = 0; i < kCropAssign; ++i) {
        list->SetCurSel(i);
        crop.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CROP_RATIO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list->m_hWnd));
        EXPECT_EQ(ratios[i].aspect, view->selectionTracker.GetAspect()) << i;
        EXPECT_EQ(ratios[i].aspect, frame->toolSettings.cropAspect) << i;
    }
    // Assign Ratio: 4:3 takes; a width of 0 or a cancel leaves 16:9 in the list and the tracker.
    const struct {
        INT_PTR answer;
        unsigned w, h;
        float aspect;
        int item;
    } asks[] = {{IDOK, 0, 3, 0.5625f, 8}, {IDCANCEL, 4, 3, 0.5625f, 8}, {IDOK, 4, 3, 0.75f, kCropAssign}};
    for (const auto& a : asks) {
        crop.answer = a.answer;
        crop.width = a.w;
        crop.height = a.h;
        list->SetCurSel(kCropAssign);
        crop.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CROP_RATIO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list->m_hWnd));
        EXPECT_FLOAT_EQ(a.aspect, view->selectionTracker.GetAspect());
        EXPECT_EQ(a.item, list->GetCurSel());
    }
    // Shown again, the list and the tracker are free together.
    crop.UpdateTexts();
    EXPECT_EQ(0, list->GetCurSel());
    EXPECT_EQ(0.0f, view->selectionTracker.GetAspect());
    crop.DestroyWindow();
}

TEST_F(ToolOptionsTest, CropEditsResizeTheFrameButTheViewsWritesDoNot)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 31005);
    CDlgEditorCrop* crop = bar->crop.get();
    EXPECT_EQ(-1, frame->GetFixedCropWidth());
    view->doc.zoom = 0.5f;
    // An empty frame is untouched.
    view->selectionTracker.m_rect.SetRect(30, 40, 30, 40);
    Type(crop, IDC_OPTION_SIZE, 100);
    EXPECT_EQ(CRect(30, 40, 30, 40), view->selectionTracker.m_rect);
    // The user's edits: from the top-left at the zoom.
    view->selectionTracker.m_rect.SetRect(30, 40, 80, 90);
    Type(crop, IDC_OPTION_SIZE, 101);
    Type(crop, IDC_CROP_HEIGHT, 61);
    EXPECT_EQ(CRect(30, 40, 80, 70), view->selectionTracker.m_rect);
    EXPECT_EQ(101, frame->GetFixedCropWidth());
    EXPECT_EQ(61, frame->GetFixedCropHeight());
    // The edited frame is the one the view keeps when its canvas moves or resizes.
    view->CanvasToTrackerRect();
    EXPECT_EQ(CRect(30, 40, 80, 70), view->selectionTracker.m_rect);
    // The view writing the dragged size (as its mouse notice does) leaves the frame where the
    // mouse put it, at a zoom where the size would not come back exactly.
    view->doc.zoom = 0.3f;
    view->selectionTracker.m_rect.SetRect(10, 10, 110, 77);
    frame->SetCropFields(333, 223);
    EXPECT_EQ(CRect(10, 10, 110, 77), view->selectionTracker.m_rect);
    EXPECT_EQ(333, frame->GetFixedCropWidth());
    EXPECT_EQ(L"333", Text(crop, IDC_OPTION_SIZE));
}

TEST_F(ToolOptionsTest, CropOkCropsAndCancelEmptiesTheFrame)
{
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 31005);
    CDlgEditorCrop* crop = bar->crop.get();
    view->selectionTracker.m_rect.SetRect(20, 20, 60, 50);
    crop->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_TRUE(view->selectionTracker.m_rect.IsRectEmpty());

    const float zoom = view->doc.zoom;
    const RECT frameRect = {view->doc.canvasRect.left + 10, view->doc.canvasRect.top + 10,
                            view->doc.canvasRect.left + 10 + static_cast<LONG>(120 * zoom),
                            view->doc.canvasRect.top + 10 + static_cast<LONG>(80 * zoom)};
    view->selectionTracker.m_rect = frameRect;
    view->OnMouseNotify(13, MK_LBUTTON, frameRect.right, frameRect.bottom);   // the drag's size into the edits
    const int width = frame->GetFixedCropWidth(), height = frame->GetFixedCropHeight();
    ASSERT_GT(width, 0);
    crop->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    CLayerInfo* background = view->doc.layers.GetLayer(0);
    ASSERT_NE(nullptr, background);
    EXPECT_EQ(width, static_cast<int>(background->displayed.GetWidth()));
    EXPECT_EQ(height, static_cast<int>(background->displayed.GetHeight()));
    EXPECT_TRUE(view->selectionTracker.m_rect.IsRectEmpty());
}

TEST_F(ToolOptionsTest, ShapeCommandsFromTheViewShowTheShapeOptions)
{
    frame->ShowShapeToolOptions();
    EXPECT_FALSE(bar->IsVisible());
    CPicEditView* view = OpenSample();
    ASSERT_NE(nullptr, view);
    frame->SendMessage(WM_COMMAND, 32833);
    frame->ShowShapeToolOptions();
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(ToolOptionDialog::Shape, bar->ShownDialog());
    EXPECT_EQ(1, view->framesShown);
}

} // namespace

// Every built-in figure, the free polygon and every entry of the shape library, drawn by
// ShapeSettings::DrawToImage filled and outlined, into one captioned PNG for a person to look at.
//   build/bench/shape_sheet.exe [Basic.xml [out.png]]
// Defaults: build/bin/Data/Editor/Shapes/Basic.xml and build/out/shapes.png.
// With --outlines it draws instead every selection outline over the rectangle it was built in,
// and a magic-wand outline traced round a drawn ring:
//   build/bench/shape_sheet.exe --outlines [out.png]   (default build/out/outlines.png)
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <cmath>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>
#include "GallerySheet.h"
#include "LayerDocument.h"
#include "LayerGeometry.h"
#include "ShapeSettings.h"
#include "ZVImage.h"

namespace {

const int kCellWidth = 150, kCellHeight = 150, kColumns = 8;
const int kShapeWidth = 130, kShapeHeight = 104;

std::wstring BuildFolder()
{
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder = module;
    folder.erase(folder.find_last_of(L'\\'));   // build\bench
    folder.erase(folder.find_last_of(L'\\'));   // build
    return folder;
}

// The picture's pixels at (x, y) of the sheet; rows from memory row 0 down, or from the last
// row down when the picture keeps its rows bottom-up.
void PaintAt(GallerySheet& sheet, int x, int y, const CZVImage& picture, bool bottomUp)
{
    const int w = static_cast<int>(picture.GetWidth()), h = static_cast<int>(picture.GetHeight());
    Gdiplus::Bitmap bitmap(w, h, PixelFormat32bppARGB);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const RGBQUAD c = picture.GetPixelColor(col, bottomUp ? h - 1 - row : row, true);
            bitmap.SetPixel(col, row, Gdiplus::Color(c.rgbReserved, c.rgbRed, c.rgbGreen, c.rgbBlue));
        }
    sheet.Canvas().DrawImage(&bitmap, x, y, w, h);
}

// The drawn picture counts its rows as the shape's y: row 0 is the figure's top.
void Paint(GallerySheet& sheet, size_t cell, const CZVImage& picture)
{
    const int w = static_cast<int>(picture.GetWidth()), h = static_cast<int>(picture.GetHeight());
    const int x = sheet.CellX(cell) + (kCellWidth - w) / 2;
    const int y = sheet.CellY(cell) + (kCellHeight - GallerySheet::kCaptionHeight - h) / 2;
    PaintAt(sheet, x, y, picture, false);
}

int Render(const std::wstring& libraryPath, const std::wstring& outPath)
{
    ShapeLibrary library;
    if (!LoadShapeLibrary(library, libraryPath.c_str()) || library.empty()) {
        fwprintf(stderr, L"no shapes in %ls\n", libraryPath.c_str());
        return 1;
    }
    // What each cell draws: a shape number over a library. Entry 32 would be shape 41, which
    // is the free polygon; frames reach it as 41, and the sheet draws it alone as shape 9.
    struct Cell {
        int shape;
        const ShapeLibrary* library;
        wchar_t caption[64];
    };
    std::vector<Cell> cells;
    for (int n = 0; n < SHAPE_FIRST_LIBRARY; ++n)
        cells.push_back(Cell{n, &library, {}});
    cells.push_back(Cell{SHAPE_POLYGON, &library, {}});
    ShapeLibrary entry32;
    for (size_t i = 0; i < library.size(); ++i) {
        const int number = static_cast<int>(i) + SHAPE_FIRST_LIBRARY;
        if (number == SHAPE_POLYGON) {
            entry32.push_back(library[i]);
            cells.push_back(Cell{SHAPE_FIRST_LIBRARY, &entry32, {}});
            swprintf(cells.back().caption, 64, L"entry %d (frame %d)", static_cast<int>(i), number);
        } else {
            cells.push_back(Cell{number, &library, {}});
        }
    }

    GallerySheet sheet(kCellWidth, kCellHeight, kColumns, cells.size());
    int failed = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        Cell& cell = cells[i];
        ShapeSettings s;
        s.shape = cell.shape;
        s.width = kShapeWidth;
        s.height = kShapeHeight;
        // Shapes from 32 on keep their entry's proportions: fit them by their width.
        const ShapeLibraryEntry* entry = ShapeLibraryEntryFor(*cell.library, cell.shape);
        if (cell.shape > 31 && cell.shape != SHAPE_POLYGON && entry && entry->width > 0 && entry->height > 0)
            s.width = std::min(kShapeWidth, kShapeHeight * entry->width / entry->height);
        s.outlineWidth = 4;
        s.fillOn = 1;
        s.outlineColour = RGB(30, 50, 120);
        s.fillColour = RGB(250, 190, 60);
        s.points = {{0, 20}, {70, 0}, {130, 40}, {90, 104}, {20, 80}};
        CZVImage picture;
        const bool drawn = s.DrawToImage(&picture, *cell.library) != FALSE;
        if (drawn)
            Paint(sheet, i, picture);
        else
            ++failed;
        if (!cell.caption[0])
            swprintf(cell.caption, 64, L"shape %d", cell.shape);
        if (!drawn)
            wcscat(cell.caption, L": FAILED");
        sheet.Caption(i, cell.caption);
    }
    CreateDirectoryW(outPath.substr(0, outPath.find_last_of(L'\\')).c_str(), nullptr);
    const int saved = sheet.Save(outPath.c_str());
    return saved != 0 ? saved : failed != 0;
}


const int kOutlineCellWidth = 220, kOutlineCellHeight = 180, kOutlineColumns = 4;

Gdiplus::PointF At(size_t cell, GallerySheet& sheet, const ZVPOINTF& p)
{
    return Gdiplus::PointF(static_cast<Gdiplus::REAL>(sheet.CellX(cell) + p.x),
                           static_cast<Gdiplus::REAL>(sheet.CellY(cell) + p.y));
}

// The outline as drawn lines through its points (closed), with a dot on each point.
void DrawOutline(GallerySheet& sheet, size_t cell, const PathPoints& path, Gdiplus::Color colour, bool close = true)
{
    if (path.empty())
        return;
    std::vector<Gdiplus::PointF> points;
    for (const ZVPOINTF& p : path)
        points.push_back(At(cell, sheet, p));
    Gdiplus::Pen pen(colour, 1.5f);
    Gdiplus::SolidBrush dot(colour);
    if (points.size() > 1) {
        if (close)
            sheet.Canvas().DrawPolygon(&pen, points.data(), static_cast<INT>(points.size()));
        else
            sheet.Canvas().DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
    }
    for (const Gdiplus::PointF& p : points)
        sheet.Canvas().FillRectangle(&dot, p.X - 1.5f, p.Y - 1.5f, 3.0f, 3.0f);
}

void DrawBox(GallerySheet& sheet, size_t cell, const RECT& r)
{
    Gdiplus::Pen pen(Gdiplus::Color(0xFFE08040), 1.0f);
    pen.SetDashStyle(Gdiplus::DashStyleDash);
    sheet.Canvas().DrawRectangle(&pen, static_cast<INT>(sheet.CellX(cell) + std::min(r.left, r.right)),
                                 static_cast<INT>(sheet.CellY(cell) + std::min(r.top, r.bottom)),
                                 static_cast<INT>(std::abs(r.right - r.left)), static_cast<INT>(std::abs(r.bottom - r.top)));
}

// A red ring in a 140 x 120 picture, a bar across its hole's left side.
CZVImage Ring()
{
    CZVImage p;
    p.Create(140, 120, 24);
    p.SetRectColor(RECT{0, 0, 140, 120}, RGBQUAD{235, 235, 235, 0});
    for (long y = 0; y < 120; ++y)
        for (long x = 0; x < 140; ++x) {
            const double d = std::hypot(x - 70.0, y - 60.0);
            if ((d >= 28 && d <= 48) || (x >= 40 && x < 52 && y >= 40 && y < 56))
                p.SetPixelColor(x, y, RGBQUAD{40, 40, 210, 0});
        }
    return p;
}

int RenderOutlines(const std::wstring& outPath)
{
    const Gdiplus::Color blue(0xFF2040C0);
    struct Cell {
        const wchar_t* caption;
        RECT box;
        std::function<void(PathPoints&)> build;
    };
    const RECT box = {30, 25, 190, 140};
    const std::vector<Cell> cells = {
        {L"circle", {50, 22, 170, 142}, [](PathPoints& p) { MakeCirclePath(p, 110, 82, 60); }},
        {L"ellipse", box, [&](PathPoints& p) { MakeEllipsePath(p, box.left, box.top, box.right, box.bottom); }},
        {L"ellipse, no height: flat", {30, 82, 190, 82}, [](PathPoints& p) { MakeEllipsePath(p, 30, 82, 190, 82); }},
        {L"rounded rectangle", box,
         [&](PathPoints& p) { MakeRoundRectPath(p, box.left, box.top, box.right, box.bottom, 50, 40); }},
        {L"balloon", box, [&](PathPoints& p) { MakeBalloonPath(p, box.left, box.top, box.right, box.bottom, 40, 30); }},
        {L"heart about the left edge", {110, 30, 140, 60}, [](PathPoints& p) { MakeHeartPath(p, 110, 30, 140, 60); }},
        {L"diamond", box, [&](PathPoints& p) { MakeDiamondPath(p, box); }},
        {L"triangle", box, [&](PathPoints& p) { MakeTrianglePath(p, box); }},
        {L"right triangle", box, [&](PathPoints& p) { MakeRightTrianglePath(p, box); }},
        {L"pentagon", box, [&](PathPoints& p) { MakePentagonPath(p, box); }},
        {L"hexagon", box, [&](PathPoints& p) { MakeHexagonPath(p, box); }},
    };
    // The arcs, the magic wand and the cells above.
    GallerySheet sheet(kOutlineCellWidth, kOutlineCellHeight, kOutlineColumns, cells.size() + 2);
    int empty = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        PathPoints path;
        cells[i].build(path);
        DrawBox(sheet, i, cells[i].box);
        DrawOutline(sheet, i, path, blue);
        empty += path.empty();
        wchar_t caption[96];
        swprintf(caption, 96, L"%ls: %d points", cells[i].caption, static_cast<int>(path.size()));
        sheet.Caption(i, caption);
    }
    // Each quarter of an ellipse's arc in its own colour.
    const size_t arcs = cells.size();
    DrawBox(sheet, arcs, box);
    const Gdiplus::Color quarters[4] = {Gdiplus::Color(0xFFC02020), Gdiplus::Color(0xFF20A020),
                                        Gdiplus::Color(0xFF2040C0), Gdiplus::Color(0xFFA020A0)};
    for (int q = 0; q < 4; ++q) {
        PathPoints arc;
        AddArcPoints(arc, box.left, box.top, box.right, box.bottom, 90.0f * q, 90.0f * (q + 1));
        DrawOutline(sheet, arcs, arc, quarters[q], false);
        empty += arc.empty();
    }
    sheet.Caption(arcs, L"arcs by quarter, red first, clockwise");

    // The ring drawn into the cell, its traced outline over it.
    const size_t wand = arcs + 1;
    CZVImage ring = Ring();
    const int originX = (kOutlineCellWidth - 140) / 2;
    const int originY = (kOutlineCellHeight - GallerySheet::kCaptionHeight - 120) / 2;
    PaintAt(sheet, sheet.CellX(wand) + originX, sheet.CellY(wand) + originY, ring, true);
    CLayerDocument doc;
    doc.TraceColorRegion(ring, originX, originY, 70 + 38, 60, 1.0);
    DrawOutline(sheet, wand, doc.pathPoints, Gdiplus::Color(0xFF00A0A0));
    empty += doc.pathPoints.empty();
    wchar_t caption[96];
    swprintf(caption, 96, L"magic wand on a ring: %d points", static_cast<int>(doc.pathPoints.size()));
    sheet.Caption(wand, caption);

    CreateDirectoryW(outPath.substr(0, outPath.find_last_of(L'\\')).c_str(), nullptr);
    const int saved = sheet.Save(outPath.c_str());
    return saved != 0 ? saved : empty != 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring build = BuildFolder();
    const bool outlines = argc > 1 && std::wstring(argv[1]) == L"--outlines";
    const std::wstring library = argc > 1 ? argv[1] : build + L"\\bin\\Data\\Editor\\Shapes\\Basic.xml";
    const std::wstring out = argc > 2 ? argv[2] : build + L"\\out\\shapes.png";
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    const int result = outlines ? RenderOutlines(argc > 2 ? argv[2] : build + L"\\out\\outlines.png") : Render(library, out);
    Gdiplus::GdiplusShutdown(token);
    return result;
}

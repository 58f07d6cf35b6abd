// Every built-in figure, the free polygon and every entry of the shape library, drawn by
// ShapeSettings::DrawToImage filled and outlined, into one captioned PNG for a person to look at.
//   build/bench/shape_sheet.exe [Basic.xml [out.png]]
// Defaults: build/bin/Data/Editor/Shapes/Basic.xml and build/out/shapes.png.
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "GallerySheet.h"
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

// The drawn picture counts its rows as the shape's y: row 0 is the figure's top.
void Paint(GallerySheet& sheet, size_t cell, const CZVImage& picture)
{
    const int w = static_cast<int>(picture.GetWidth()), h = static_cast<int>(picture.GetHeight());
    Gdiplus::Bitmap bitmap(w, h, PixelFormat32bppARGB);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const RGBQUAD c = picture.GetPixelColor(x, y, true);
            bitmap.SetPixel(x, y, Gdiplus::Color(c.rgbReserved, c.rgbRed, c.rgbGreen, c.rgbBlue));
        }
    const int x = sheet.CellX(cell) + (kCellWidth - w) / 2;
    const int y = sheet.CellY(cell) + (kCellHeight - GallerySheet::kCaptionHeight - h) / 2;
    sheet.Canvas().DrawImage(&bitmap, x, y, w, h);
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

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring build = BuildFolder();
    const std::wstring library = argc > 1 ? argv[1] : build + L"\\bin\\Data\\Editor\\Shapes\\Basic.xml";
    const std::wstring out = argc > 2 ? argv[2] : build + L"\\out\\shapes.png";
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    const int result = Render(library, out);
    Gdiplus::GdiplusShutdown(token);
    return result;
}

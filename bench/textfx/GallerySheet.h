#pragma once
// A sheet of captioned cells that a gallery draws its samples into, saved as one PNG, and the
// GDI+ start-up around a gallery's rendering.
#include <windows.h>
#include <gdiplus.h>
#include <cstdio>
#include <cwchar>
#include <vector>

class GallerySheet {
public:
    static const int kCaptionHeight = 22;

    GallerySheet(int cellWidth, int cellHeight, int columns, size_t count)
        : m_cellWidth(cellWidth), m_cellHeight(cellHeight), m_columns(columns), m_count(count),
          m_sheet(cellWidth * columns, cellHeight * static_cast<int>((count + columns - 1) / columns),
                  PixelFormat32bppARGB),
          m_graphics(&m_sheet), m_captionFamily(L"Tahoma"),
          m_caption(&m_captionFamily, 11, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel)
    {
        m_graphics.Clear(Gdiplus::Color(0xFFFFFFFF));
        m_graphics.SetPageUnit(Gdiplus::UnitPixel);
    }

    Gdiplus::Graphics& Canvas() { return m_graphics; }
    int CellX(size_t i) const { return static_cast<int>(i % m_columns) * m_cellWidth; }
    int CellY(size_t i) const { return static_cast<int>(i / m_columns) * m_cellHeight; }

    // Frames cell i and writes its caption along its foot.
    void Caption(size_t i, const wchar_t* text)
    {
        const int x = CellX(i), y = CellY(i);
        Gdiplus::Pen frame(Gdiplus::Color(0xFFB0B0B0), 1);
        Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
        m_graphics.DrawRectangle(&frame, x, y, m_cellWidth - 1, m_cellHeight - 1);
        m_graphics.DrawString(text, -1, &m_caption,
                              Gdiplus::PointF(static_cast<Gdiplus::REAL>(x + 6),
                                              static_cast<Gdiplus::REAL>(y + m_cellHeight - kCaptionHeight + 4)),
                              &black);
    }

    // The program's exit code: 0 when the PNG was written.
    int Save(const wchar_t* path)
    {
        CLSID png;
        if (!PngEncoder(&png) || m_sheet.Save(path, &png, nullptr) != Gdiplus::Ok) {
            fwprintf(stderr, L"cannot write %ls\n", path);
            return 1;
        }
        wprintf(L"%ls: %d samples\n", path, static_cast<int>(m_count));
        return 0;
    }

private:
    static bool PngEncoder(CLSID* clsid)
    {
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (size == 0 || Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
            return false;
        for (UINT i = 0; i < count; ++i)
            if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
                *clsid = encoders[i].Clsid;
                return true;
            }
        return false;
    }

    int m_cellWidth, m_cellHeight, m_columns;
    size_t m_count;
    Gdiplus::Bitmap m_sheet;
    Gdiplus::Graphics m_graphics;
    Gdiplus::FontFamily m_captionFamily;
    Gdiplus::Font m_caption;
};

// Runs render(out.png) between GDI+ start-up and shut-down; the path is the first argument.
inline int RunGallery(int (*render)(const wchar_t*), int argc, wchar_t** argv, const wchar_t* defaultPath)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    int result = render(argc > 1 ? argv[1] : defaultPath);
    Gdiplus::GdiplusShutdown(token);
    return result;
}

// Demonstrations of the editor's tools without the editor:
//   ToolsDemo.exe /effects PICTURE OUT.png
//     a contact sheet: the picture, then every effect processor built through the effect
//     tables at values that show, each tile labelled with its caption and values.
//   ToolsDemo.exe /command 32926 | /command 33021 | /camera ...
//     the new-picture dialogs (NewPictureSwitches.h)
//   ToolsDemo.exe /command ID PICTURE ... | /shadow PICTURE ...
//     the canvas and layer dialogs over an editor frame (LayerDialogSwitches.h)
//   ToolsDemo.exe /command ID PICTURE ...
//     an editor effect command's dialog over the picture (EffectCommandSwitches.h)
//   ToolsDemo.exe /run PICTURE ...
//     the effect dialog's live run (EffectRunSwitches.h)
//   ToolsDemo.exe /frame PICTURE FRAME ...
//     the photo frame dialog over an editor frame (FrameSwitches.h)
#include <windows.h>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include "EffectCommandSwitches.h"
#include "EffectRunSwitches.h"
#include "TextSheetSwitches.h"
#include "EffectTables.h"
#include "LayerDialogSwitches.h"
#include "FrameSwitches.h"
#include "NewPictureSwitches.h"
#include "ToolOptionsSwitches.h"
#include "ZVImage.h"
#include "Win32Owners.h"

namespace {

const long kTileWidth = 240;   // the reduced copy every effect starts from
const long kTileHeight = 170;  // room for it; a turned picture is fitted into it
const long kLabelHeight = 36;
const long kGap = 10;
const long kColumns = 8;

struct SheetTile {
    std::wstring caption;
    std::wstring values;
    std::unique_ptr<CProcessBase> processor; // null: the picture as it is
};

std::wstring Format(const wchar_t* format, ...)
{
    wchar_t text[200];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 199, format, args);
    va_end(args);
    text[199] = 0;
    return text;
}

SheetTile OneOption(int index, int value)
{
    const OneOptionEffect* row = FindOneOptionEffect(index);
    return {row->caption, Format(L"%s %d", row->label, value), BuildOneOptionEffect(index, value)};
}

SheetTile TwoOption(int index, int first, int second)
{
    const TwoOptionEffect* row = FindTwoOptionEffect(index);
    return {row->caption, Format(L"%s %d, %s %d", row->firstLabel, first, row->secondLabel, second),
            BuildTwoOptionEffect(index, first, second)};
}

SheetTile Processing(const wchar_t* caption, int index, const ProcessingValues& values, const std::wstring& text)
{
    return {caption, text, BuildProcessingEffect(index, values)};
}

ProcessingValues Values(int p1, int p2, int p3, int p4, int p5, double d1 = 0.0, double d2 = 0.0)
{
    ProcessingValues v;
    v.p1 = p1, v.p2 = p2, v.p3 = p3, v.p4 = p4, v.p5 = p5, v.d1 = d1, v.d2 = d2;
    return v;
}

// The 43 processors in the order of their classes, at values that show on a picture of
// width x height; corner is the colour the transparent-colour dialog picks (the bottom-left
// pixel).
std::vector<SheetTile> EffectTiles(long width, long height, RGBQUAD corner)
{
    const RGBQUAD white = {255, 255, 255, 255};
    const int flareX = width * 3 / 4, flareY = height * 3 / 4; // rows from the bottom
    SupernovaOptions nova; // the dialog's colour, radius and spokes
    nova.x = width / 4;
    nova.y = height * 3 / 4;
    std::vector<SheetTile> tiles;
    tiles.push_back({L"Blinds", L"across, width 12, opacity 60 %", BuildProcessor(BlindsOptions{white, 0, 60, 12})});
    tiles.push_back(Processing(L"Color Tone", 7, Values(112, 66, 20, 255, 70), L"red 112 green 66 blue 20, 70"));
    tiles.push_back({L"Lens Flare", Format(L"x %d, y %d from the bottom", flareX, flareY), BuildProcessor(LensFlareOptions{flareX, flareY})});
    tiles.push_back(Processing(L"Skin Smoothing", 15, Values(0, 0, 0, 0, 0, 10.0, 40.0), L"10.0, 40.0"));
    tiles.push_back(Processing(L"Emboss", 14, ProcessingValues(), L"3 x 3 kernel, grey 127 for flat areas"));
    tiles.push_back(Processing(L"Find Edges", 13, ProcessingValues(), L"strength 2"));
    tiles.push_back(Processing(L"Noise", 10, Values(0, 0, 0, 0, 60), L"level 60"));
    tiles.push_back(Processing(L"Sharpen", 9, ProcessingValues(), L"3 x 3 kernel, center 15, divisor 7"));
    tiles.push_back(Processing(L"Soften", 8, ProcessingValues(), L"3 x 3 kernel, center 8, divisor 16"));
    tiles.push_back(Processing(L"Solarize", 6, Values(0, 0, 0, 0, 128), L"level 128"));
    tiles.push_back(Processing(L"Halftone", 5, ProcessingValues(), L""));
    tiles.push_back({L"Threshold", L"Level 150, colors below kept", BuildProcessor(ThresholdOptions{150, 1})});
    tiles.push_back(Processing(L"Shift RGB", 2, Values(50, -10, -50, 0, 0), L"red 50, green -10, blue -50"));
    tiles.push_back(Processing(L"Negative", 1, ProcessingValues(), L""));
    tiles.push_back(Processing(L"Gray", 0, ProcessingValues(), L""));
    tiles.push_back(TwoOption(10, 3, 5));
    tiles.push_back(TwoOption(9, 4, 120));
    tiles.push_back(TwoOption(8, 60, 40));
    tiles.push_back(TwoOption(7, 30, 50));
    tiles.push_back(TwoOption(6, 38, 15));
    tiles.push_back(TwoOption(5, 20, 50));
    tiles.push_back(TwoOption(4, 30, 150));
    tiles.push_back(TwoOption(3, 40, 30));
    tiles.push_back(TwoOption(2, 30, 10));
    tiles.push_back(TwoOption(1, 20, 128));
    tiles.push_back(TwoOption(0, 20, 30));
    tiles.push_back(OneOption(12, 12));
    tiles.push_back(OneOption(10, 180));
    tiles.push_back(OneOption(11, 4));
    tiles.push_back(OneOption(9, 100));
    tiles.push_back(OneOption(8, 10));
    tiles.push_back(OneOption(7, 6));
    tiles.push_back(OneOption(6, 12));
    tiles.push_back(OneOption(5, 4));
    tiles.push_back(OneOption(4, 60));
    tiles.push_back(OneOption(3, 10));
    tiles.push_back(OneOption(2, 4));
    tiles.push_back(OneOption(1, 30));
    tiles.push_back(OneOption(0, 10));
    const SelectiveFocusMode* motion = FindSelectiveFocusMode(1);
    tiles.push_back({L"Selective Focus", Format(L"%s: %s 20, %s 0", motion->name, motion->firstLabel, motion->secondLabel),
                     BuildSelectiveFocus(1, 20, 0)});
    tiles.push_back({L"Sunshine", Format(L"x %d, y %d, radius %d, spokes %d", nova.x, nova.y, nova.radius, nova.spokes),
                     BuildProcessor(nova)});
    tiles.push_back({L"Transparent color", Format(L"%d %d %d, tolerance 30, opacity 0 %%", corner.rgbRed,
                                                  corner.rgbGreen, corner.rgbBlue),
                     BuildProcessor(TransparentColorOptions{corner, 30, 0})});
    tiles.push_back({L"Rotate", L"30\u00B0, automatic transparency", BuildProcessor(RotateOptions{30, RGB(255, 255, 255), 0, 1})});
    return tiles;
}

// The sheet: top-down 24-bit rows in a DIB section, so that GDI writes the labels into it.
class Sheet {
public:
    Sheet(long width, long height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = win32::TopDownBitmapInfo(width, height, 24);
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        if (m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
        m_stride = (width * 3 + 3) & ~3;
    }
    ~Sheet()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_bitmap)
            DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    bool IsValid() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }

    void Fill(RECT box, COLORREF colour)
    {
        const HBRUSH brush = CreateSolidBrush(colour);
        FillRect(m_dc, &box, brush);
        DeleteObject(brush);
    }

    // The picture with its top left at (left, top), over a chequer that shows where it is clear.
    void Put(const CxImage& picture, long left, long top)
    {
        GdiFlush();
        const long w = picture.GetWidth(), h = picture.GetHeight();
        for (long y = 0; y < h; ++y) {
            BYTE* row = m_bits + (top + y) * m_stride + left * 3;
            for (long x = 0; x < w; ++x, row += 3) {
                const RGBQUAD c = picture.GetPixelColor(x, h - 1 - y, true);
                const int a = picture.AlphaIsValid() ? c.rgbReserved : 255;
                const int under = ((x / 8 + y / 8) % 2) ? 204 : 255;
                row[0] = BYTE((c.rgbBlue * a + under * (255 - a)) / 255);
                row[1] = BYTE((c.rgbGreen * a + under * (255 - a)) / 255);
                row[2] = BYTE((c.rgbRed * a + under * (255 - a)) / 255);
            }
        }
    }

    bool Save(const wchar_t* path)
    {
        GdiFlush();
        CZVImage out;
        if (!out.Create(m_width, m_height, 24))
            return false;
        for (long y = 0; y < m_height; ++y)
            memcpy(out.GetBits(m_height - 1 - y), m_bits + y * m_stride, m_width * 3);
        return out.Save(path, 0);
    }

private:
    long m_width, m_height, m_stride = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    BYTE* m_bits = nullptr;
};

// A copy no larger than the box, proportion kept.
CZVImage Fitted(const CZVImage& picture, long boxWidth, long boxHeight)
{
    CZVImage fitted(picture);
    const long w = picture.GetWidth(), h = picture.GetHeight();
    if (w > boxWidth || h > boxHeight) {
        const double scale = std::min(double(boxWidth) / w, double(boxHeight) / h);
        fitted.Resample(std::max(1L, long(w * scale)), std::max(1L, long(h * scale)), 1);
    }
    return fitted;
}

HFONT MakeFont(int height, int weight)
{
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

int EffectsSheet(const wchar_t* picturePath, const wchar_t* outPath)
{
    CZVImage picture;
    if (!picture.LoadFile(picturePath)) {
        fwprintf(stderr, L"ToolsDemo: cannot read %ls\n", picturePath);
        return 1;
    }
    if (picture.GetBpp() != 24)
        picture.IncreaseBpp(24);
    CZVImage source = Fitted(picture, kTileWidth, kTileHeight);
    if (source.GetWidth() < kTileWidth && source.GetHeight() < kTileHeight) {
        const double scale = std::min(double(kTileWidth) / source.GetWidth(), double(kTileHeight) / source.GetHeight());
        source.Resample(long(source.GetWidth() * scale), long(source.GetHeight() * scale), 1);
    }
    const long w = source.GetWidth(), h = source.GetHeight();

    std::vector<SheetTile> tiles;
    tiles.push_back({L"Original", Format(L"%ld x %ld", w, h), nullptr});
    for (SheetTile& tile : EffectTiles(w, h, source.GetPixelColor(0, 0, false)))
        tiles.push_back(std::move(tile));

    const long cellWidth = kTileWidth + kGap, cellHeight = kTileHeight + kLabelHeight + kGap;
    const long rows = (long(tiles.size()) + kColumns - 1) / kColumns;
    Sheet sheet(kGap + kColumns * cellWidth, kGap + rows * cellHeight);
    if (!sheet.IsValid()) {
        fwprintf(stderr, L"ToolsDemo: no memory for the sheet\n");
        return 1;
    }
    sheet.Fill(RECT{0, 0, kGap + kColumns * cellWidth, kGap + rows * cellHeight}, RGB(236, 238, 242));
    const HFONT captionFont = MakeFont(14, FW_BOLD), valueFont = MakeFont(12, FW_NORMAL);
    SetBkMode(sheet.Dc(), TRANSPARENT);
    for (size_t i = 0; i < tiles.size(); ++i) {
        const long left = kGap + long(i % kColumns) * cellWidth, top = kGap + long(i / kColumns) * cellHeight;
        CZVImage result(source);
        if (tiles[i].processor)
            tiles[i].processor->Process(&result);
        const CZVImage shown = Fitted(result, kTileWidth, kTileHeight);
        sheet.Fill(RECT{left, top, left + kTileWidth, top + kTileHeight + kLabelHeight}, RGB(255, 255, 255));
        sheet.Put(shown, left + (kTileWidth - long(shown.GetWidth())) / 2, top + (kTileHeight - long(shown.GetHeight())) / 2);
        RECT line = {left + 4, top + kTileHeight + 2, left + kTileWidth - 4, top + kTileHeight + 18};
        SelectObject(sheet.Dc(), captionFont);
        SetTextColor(sheet.Dc(), RGB(30, 34, 40));
        DrawTextW(sheet.Dc(), tiles[i].caption.c_str(), -1, &line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        OffsetRect(&line, 0, 16);
        SelectObject(sheet.Dc(), valueFont);
        SetTextColor(sheet.Dc(), RGB(90, 96, 108));
        DrawTextW(sheet.Dc(), tiles[i].values.c_str(), -1, &line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(sheet.Dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(captionFont);
    DeleteObject(valueFont);
    if (!sheet.Save(outPath)) {
        fwprintf(stderr, L"ToolsDemo: cannot write %ls\n", outPath);
        return 1;
    }
    wprintf(L"ToolsDemo: %u tiles written to %ls\n", unsigned(tiles.size()), outPath);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int exitCode = 0;
    if (RunLayerDialogSwitch(argc, argv, exitCode))
        return exitCode;
    if (RunEffectCommandSwitch(argc, argv, exitCode))
        return exitCode;
    if (RunNewPictureSwitch(argc, argv, exitCode))
        return exitCode;
    if (RunEffectSwitch(argc, argv, exitCode))
        return exitCode;
    if (RunFrameSwitch(argc, argv, exitCode))
        return exitCode;
    if (RunTextSheetSwitch(argc, argv, exitCode))
        return exitCode;
    if (RunShapeStripSwitch(argc, argv, exitCode) || RunToolOptionsSwitch(argc, argv, exitCode))
        return exitCode;
    if (argc == 4 && _wcsicmp(argv[1], L"/effects") == 0)
        return EffectsSheet(argv[2], argv[3]);
    fwprintf(stderr, L"usage: ToolsDemo /effects PICTURE OUT.png\n");
    return 2;
}

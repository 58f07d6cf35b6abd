#pragma once
// The arithmetic of the canvas's animation and printing, apart from the window, and the print
// dialog the canvas asks for a layout.
#include <windows.h>
#include <vector>

class CWnd;
class CZVImage;

// Milliseconds a frame shows for its delay in hundredths of a second; 0 means 100 ms.
DWORD AnimationFrameDelay(DWORD hundredths);
// The frame after index in a loop of count frames.
int NextAnimationFrame(int index, int count);

// What the print dialog hands back on OK, in its own units.
struct PrintChoice {
    int unit = 1;                 // 2 inches, anything else centimetres
    double pictureDpi = 300.0;    // picture pixels per inch
    double printerDpi = 300.0;    // printer dots per inch
    double width = 0, height = 0; // one copy
    double marginLeft = 0, marginTop = 0;
    double spacing = 0;           // between copies
    int copies = 1;
    BOOL centred = FALSE;
};

// The choice in the canvas's terms: sizes in picture pixels, margins and spacing in printer pixels.
struct PrintLayout {
    double pictureDpi = 0;
    BOOL centred = FALSE;
    double marginX = 0, marginY = 0;
    int copies = 0;
    double printWidth = 0, printHeight = 0;
    double spacing = 0;
};
PrintLayout PrintLayoutFromChoice(const PrintChoice& choice);

// How the copies fall on the pages of a printer (dpiX, dpiY; a page of pageWidth x pageHeight
// printer pixels). pages is 0 when nothing can be printed: no copies, or a copy or a cell of no
// size.
struct PrintGrid {
    int copyWidth = 0, copyHeight = 0;   // one copy in printer pixels
    int cellWidth = 0, cellHeight = 0;   // a copy and its spacing
    int columns = 0;
    int rowsThatFit = 0;
    int perPage = 0;
    int pages = 0;
};
PrintGrid LayOutPrintGrid(const PrintLayout& layout, int dpiX, int dpiY, int pageWidth, int pageHeight);
// Top left corners of the copies of a page (1-based), rows filled from the left; the block
// centred both ways when the layout asks for it, else at the margins.
std::vector<POINT> PrintCopyPositions(const PrintLayout& layout, const PrintGrid& grid, int pageWidth, int pageHeight,
                                      int page);

// The editor's print dialog as the canvas uses it: shown modally over owner for the picture,
// it fills choice and answers true on OK.
class IPrintLayoutDialog {
public:
    virtual ~IPrintLayoutDialog() = default;
    virtual bool Run(CWnd* owner, const CZVImage& picture, PrintChoice& choice) = 0;
};
// The dialog in use (null: none, and printing tells the user so). Returns the one it replaces.
IPrintLayoutDialog* SetPrintLayoutDialog(IPrintLayoutDialog* dialog);
IPrintLayoutDialog* GetPrintLayoutDialog();

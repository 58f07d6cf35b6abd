#pragma once
// The command table of KQBatch and its handlers: each loads one picture, applies one operation
// and writes the result.
#include <windows.h>
#include <string>

class CxImage;
class CZVImage;

// (input path, output path, further arguments, their number, the row's param) -> success.
typedef bool (*BatchCommandHandler)(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count,
                                    int param);

struct BATCH_COMMAND {
    const wchar_t* name;
    BatchCommandHandler handler;
    int param;
};

// Rows in search order, ended by a row with a null name.
extern const BATCH_COMMAND g_batchCommands[];

// The first row whose word equals name, A to Z folded; null when none.
const BATCH_COMMAND* FindBatchCommand(const wchar_t* name);

// The format code of the path's extension; 0 when it has none the library knows.
DWORD ImageTypeFromExtension(const wchar_t* path);

// The watermark's opacity in percent (the "alpha" switch).
extern int g_watermarkAlpha;


bool NoOpBatchCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count, int param);
bool WatermarkCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count, int param);
bool FrameCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count, int param);
bool PageCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int count, int param);

// The template of a page picture: its folder, its name without the extension, ".xml".
std::wstring PageTemplatePath(const wchar_t* pagePath);
// A width x height rectangle centred in an outer one at the origin (integer halves).
RECT CentredRect(long width, long height, long outerWidth, long outerHeight);

// Shared by the handlers: "Error : Not enough parameters" when fewer than needed.
bool HasArguments(int count, int needed);
// "Error : fail to apply WORD" for an operation that the image library refused; false.
bool OperationFailed(const wchar_t* word);
// A picture of several frames (an animation, pages, the sizes of an icon) would be written back
// with its first frame alone: "Error : The picture has several frames and was left as it is",
// and true. The browser's report translates the reason.
bool RefusesFrames(const CxImage& picture);
// Whether over, its top left corner at (x, y) with rows from the top, covers any of under.
// CombineImage answers false for a picture that lies wholly outside, which is no failure.
bool Overlaps(const CxImage& under, const CxImage& over, long x, long y);
// Saves with the format code, then "Complete"; a failed save says so instead.
bool SaveAndComplete(CZVImage& picture, const wchar_t* output, DWORD imageType);

#pragma once
// The picture work behind the wallpaper commands and the Resize command: a picture copied as a
// JPEG, fitted to the desktop, or resized in place. Files are rewritten through a temporary file
// beside them.
#include <functional>
#include <string>

// Writes the picture at source as a JPEG at target; false when it cannot be read or written.
bool SavePictureAsJpeg(const wchar_t* source, const wchar_t* target);
// Resamples the picture at path to fit the area (or cover it) and saves it in its own format.
enum class FitResult { Fitted, OpenFailed, SaveFailed };
FitResult FitPictureToArea(const wchar_t* path, long areaWidth, long areaHeight, bool cover);

// What resizing one picture asks of the user: the new size (false: cancelled), the confirmation
// that files change, and a message.
struct ResizeQuestions {
    std::function<bool(int& width, int& height, int& resolution)> chooseSize;
    std::function<bool()> confirmModify;
    std::function<void(const wchar_t* text)> tell;
};
// The dialogs of the program.
ResizeQuestions DefaultResizeQuestions();
// Resizes the picture file in place: true when it was rewritten. An unchanged size, a
// cancel or a refusal write nothing. An animated picture is refused with a message: resizing
// its first frame would drop the others.
bool ResizePictureFile(const wchar_t* path, const ResizeQuestions& questions);
bool ResizePictureFile(const wchar_t* path);

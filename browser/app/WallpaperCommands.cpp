#include "WallpaperCommands.h"
#include "LocalFileIO.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"
#include "ZVUILibDef.h"
#include "AppFrame.h"
#include "SkinUI.h"
#include "DlgEditorResize.h"
#include "Wallpaper.h"

namespace {

// Saves beside the target first, then puts the file in its place.
bool SaveReplacing(CZVImage& picture, const wchar_t* target, DWORD type)
{
    CLocalFileIO& io = GetLocalFileIO();
    const auto temporary = io.TempNameBeside(target);
    if (!picture.SaveFile(temporary.GetString(), type)) {
        ::DeleteFileW(temporary.GetString());
        return false;
    }
    if (!io.Replace(temporary.GetString(), target)) {
        ::DeleteFileW(temporary.GetString());
        return false;
    }
    return true;
}

} // namespace

bool SavePictureAsJpeg(const wchar_t* source, const wchar_t* target)
{
    CZVImage picture;
    if (!source || !target || !picture.LoadFile(source) || !picture.IsValid())
        return false;
    return SaveReplacing(picture, target, CXIMAGE_FORMAT_JPG);
}

FitResult FitPictureToArea(const wchar_t* path, long areaWidth, long areaHeight, bool cover)
{
    CZVImage picture;
    if (!picture.LoadFile(path) || !picture.IsValid())
        return FitResult::OpenFailed;
    const SIZE size = WallpaperFitSize(long(picture.GetWidth()), long(picture.GetHeight()), areaWidth, areaHeight, cover);
    if (!picture.Resample(size.cx, size.cy))
        return FitResult::SaveFailed;
    return SaveReplacing(picture, path, CZVImage::GetTypeFromFile(path)) ? FitResult::Fitted : FitResult::SaveFailed;
}

ResizeQuestions DefaultResizeQuestions()
{
    ResizeQuestions questions;
    questions.chooseSize = [](int& width, int& height, int& resolution) {
        return ShowDlgResize(&width, &height, &resolution, 1) == 1;
    };
    questions.confirmModify = [] {
        CString text;
        text.Format(L"%s!\n%s", TranslateString(L"This operation will modify your files"), TranslateString(L"Do you want to continue ?"));
        return BCGPMessageBox(nullptr, text, nullptr, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    };
    questions.tell = [](const wchar_t* text) { BCGPMessageBox(nullptr, text, nullptr, MB_OK | MB_ICONINFORMATION); };
    return questions;
}

bool ResizePictureFile(const wchar_t* path, const ResizeQuestions& questions)
{
    CZVImage picture;
    picture.SetRetreiveAllFrames(true);
    if (!path || !picture.LoadFile(path) || !picture.IsValid())
        return false;
    if (picture.GetNumFrames() > 1) {
        if (questions.tell)
            questions.tell(TranslateString(L"An animated picture cannot be resized here"));
        return false;
    }
    int width = int(picture.GetWidth());
    int height = int(picture.GetHeight());
    int resolution = int(picture.GetXDPI());
    if (!questions.chooseSize || !questions.chooseSize(width, height, resolution))
        return false;
    if (width <= 0 || height <= 0 || (width == int(picture.GetWidth()) && height == int(picture.GetHeight())))
        return false;
    if (!questions.confirmModify || !questions.confirmModify())
        return false;
    if (!picture.Zoom(width, height))
        return false;
    return SaveReplacing(picture, path, CZVImage::GetTypeFromFile(path));
}

bool ResizePictureFile(const wchar_t* path)
{
    return ResizePictureFile(path, DefaultResizeQuestions());
}

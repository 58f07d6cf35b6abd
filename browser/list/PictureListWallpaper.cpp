// The list's wallpaper routines: a picture of the list set as the desktop's wallpaper, and
// pictures copied into the wallpaper folder.
#include "PictureListView.h"
#include "BrowserUtil.h"
#include "PathFunc.h"
#include "Wallpaper.h"
#include "WallpaperCommands.h"
#include "ZVUILibApp.h"

namespace {

std::wstring InFolder(const wchar_t* folder, const wchar_t* name)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + name;
}

} // namespace

bool CPictureListView::SetWallpaper(int style)
{
    int index = CKQPicListView::GetHoverItem(false, false);
    if (index < 0)
        index = GetNextSelectItem(-1);
    if (index < 0 || (GetItemState(index) & KQLS_FOLDER)) {
        Note(TranslateString(L"Please select a picture file"));
        return false;
    }
    return SetWallpaperFile(GetItemFullFileName(index).GetString(), style);
}

bool CPictureListView::SetWallpaperFile(const wchar_t* picture, int style)
{
    if (Ask(TranslateString(L"Are you sure to change the wallpaper ?"), MB_YESNO | MB_ICONWARNING) == IDNO)
        return false;
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_USERDATA, true);
    // Always a JPEG, whatever the picture was: the name says so and the desktop reads it so.
    const std::wstring copy = InFolder(folder, L"KQWallpaper.jpg");
    if (!folder[0] || !SavePictureAsJpeg(picture, copy.c_str())) {
        Ask(TranslateString(L"Fail to set wallpaper"), MB_OK | MB_ICONERROR);
        return false;
    }
    return ApplyWallpaper(copy.c_str(), style);
}

bool CPictureListView::ApplyWallpaper(const wchar_t* path, int style)
{
    DesktopService& desktop = Desktop();
    if (style == kWallpaperKeepAspect || (style == kWallpaperAutomatic && !desktop.HasCropToFit())) {
        const RECT area = desktop.WorkArea();
        switch (FitPictureToArea(path, area.right - area.left, area.bottom - area.top, style == kWallpaperAutomatic)) {
        case FitResult::OpenFailed: Ask(TranslateString(L"Fail to open this file !"), MB_OK | MB_ICONERROR); return false;
        case FitResult::SaveFailed: Ask(TranslateString(L"Fail to resample wallpaper file !"), MB_OK | MB_ICONERROR); return false;
        case FitResult::Fitted: break;
        }
        style = kWallpaperCenter;
    }
    // Where the desktop objects are missing the user hears of it.
    if (!desktop.SetWallpaper(path, style)) {
        Ask(TranslateString(L"Fail to set wallpaper"), MB_OK | MB_ICONERROR);
        return false;
    }
    desktop.MinimizeAll();
    return true;
}

void CPictureListView::CopyToWallpaperFolder()
{
    std::vector<int> items;
    for (int i = GetNextSelectItem(-1); i >= 0; i = GetNextSelectItem(i))
        if (!(GetItemState(i) & KQLS_FOLDER))
            items.push_back(i);
    if (items.empty() && CurrentPicture() >= 0)
        items.push_back(CurrentPicture());
    for (int index : items)
        CopyFileToWallpaperFolder(GetItemFullFileName(index).GetString());
}

bool CPictureListView::CopyFileToWallpaperFolder(const wchar_t* picture)
{
    // The folder the user chose (taking the default would also forget that choice).
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_WALLPAPER, false);
    if (!folder[0])
        return false;
    ::CreateDirectoryW(folder, nullptr);
    // A picture of the same name already there keeps its place: the copy takes a new name.
    const std::wstring target = InFolder(folder, GetFileNamePart(picture));
    if (target.size() >= MAX_PATH)
        return false;
    wchar_t name[MAX_PATH] = {};
    wcscpy(name, target.c_str());
    return CopyToUniqueName(picture, name) == 0;
}

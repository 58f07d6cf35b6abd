#pragma once
// The desktop as the wallpaper commands need it: set a picture file with a style, apply, and
// minimise every window so that the desktop shows. The system's shell objects by default; tests
// put a fake in place.
#include <windows.h>
#include <string>

// The shell's wallpaper styles.
enum WallpaperStyle { kWallpaperCenter = 0, kWallpaperTile = 1, kWallpaperStretch = 2, kWallpaperKeepAspect = 3, kWallpaperAutomatic = 4 };

class DesktopService {
public:
    virtual ~DesktopService() = default;
    // Sets the file and the style and applies them; false when the desktop refused or is missing.
    virtual bool SetWallpaper(const wchar_t* path, int style) = 0;
    virtual bool MinimizeAll() = 0;
    virtual RECT WorkArea() = 0;
    // The system's major version is 6 or later (a crop-to-fit style of its own).
    virtual bool HasCropToFit() = 0;
};

DesktopService& Desktop();
// Puts another service in place (null: the system's again); returns the one before.
DesktopService* SetDesktopService(DesktopService* service);

// The size a width x height picture takes in an area, proportion kept: inside it, or covering
// it when cover is set. At least 1 x 1.
SIZE WallpaperFitSize(long width, long height, long areaWidth, long areaHeight, bool cover);

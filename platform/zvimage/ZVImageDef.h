#pragma once
// Export control and shared types of ZVImage.dll.
#include <windows.h>

#ifdef ZVIMAGE_EXPORTS
#define ZVIMAGE_API __declspec(dllexport)
#else
#define ZVIMAGE_API __declspec(dllimport)
#endif

// Format codes of Load, Save, Encode and GetType. 0 detects the format from the data on load
// and takes it from the file name's extension on save.
enum ENUM_CXIMAGE_FORMATS {
    CXIMAGE_FORMAT_UNKNOWN = 0,
    CXIMAGE_FORMAT_BMP = 1,
    CXIMAGE_FORMAT_GIF = 2,
    CXIMAGE_FORMAT_JPG = 3,
    CXIMAGE_FORMAT_PNG = 4,
    CXIMAGE_FORMAT_ICO = 5,
    CXIMAGE_FORMAT_TIF = 6,
    CXIMAGE_FORMAT_TGA = 7,
    CXIMAGE_FORMAT_PCX = 8,
    CXIMAGE_FORMAT_WBMP = 9,
    CXIMAGE_FORMAT_WMF = 10,
    CXIMAGE_FORMAT_JP2 = 11,
    CXIMAGE_FORMAT_JPC = 12,
    CXIMAGE_FORMAT_PGX = 13,
    CXIMAGE_FORMAT_PNM = 14,
    CXIMAGE_FORMAT_RAS = 15,
    CXIMAGE_FORMAT_MNG = 17,
    CXIMAGE_FORMAT_PSD = 20,
    CXIMAGE_FORMAT_WEBP = 21,
};

// The EXIF facts a picture file carries. DateTime reads "YYYY:MM:DD hh:mm:ss".
struct CX_IMAGE_EXIFINFO {
    bool IsExif;
    char DateTime[20];
    char CameraMake[32];
    char CameraModel[40];
    int Orientation;       // 1 to 8; 1 when absent
    int Width, Height;     // as the EXIF block states them
};

// A point with float coordinates (selection polygons, vector paths).
struct ZVPOINTF {
    float x;
    float y;
};

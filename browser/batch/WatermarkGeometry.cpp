#include "WatermarkGeometry.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include "BatchSettings.h"
#include "ImageMath.h"
#include "WatermarkOrigin.h"

namespace {

const wchar_t kSection[] = L"Batch";

// A stored offset: written with a '.', read with either separator (older values came from
// the user's locale).
float ReadOffset(ProfileStore& profile, const wchar_t* name)
{
    std::wstring text = profile.GetString(kSection, name, L"0.00");
    std::replace(text.begin(), text.end(), L',', L'.');
    const double value = wcstod(text.c_str(), nullptr);
    return std::isfinite(value) ? float(std::clamp(value, -1000.0, 1000.0)) : 0.0f;
}

} // namespace

double WatermarkUnit(long width, long height)
{
    return std::sqrt(double(width) * width + double(height) * height) / 100.0;
}

SIZE WatermarkShownSize(SIZE source, SIZE sample, SIZE client, bool useZoom, int zoomScale)
{
    if (source.cx <= 0 || source.cy <= 0)
        return SIZE{0, 0};
    if (useZoom && zoomScale > 0) {
        const long box = long(zoomScale * WatermarkUnit(client.cx, client.cy));
        if (box >= 1)
            return zvimage::FitSize(source.cx, source.cy, box, box, true);
        return source;
    }
    if (sample.cx <= 0)
        return source;
    // Scaled as the sample is scaled into the preview.
    const long width = std::max(1L, long(double(client.cx) * source.cx / sample.cx));
    const long height = std::max(1L, long(double(source.cy) * width / source.cx));
    return SIZE{width, height};
}

RECT LayoutWatermark(const WatermarkPlace& place, SIZE client, SIZE mark)
{
    const int position = place.position >= 0 && place.position < kWatermarkPositionCount ? place.position : 0;
    const double unit = WatermarkUnit(client.cx, client.cy);
    const POINT origin = WatermarkOrigin(position, client.cx, client.cy, mark.cx, mark.cy, float(place.offsetX * unit),
                                         float(place.offsetY * unit));
    return RECT{origin.x, origin.y, origin.x + mark.cx, origin.y + mark.cy};
}

WatermarkPlace UpdateOffsetsFromRect(const RECT& rect, SIZE client)
{
    // Columns and rows of the 3 x 3 grid count from the right and from the bottom, as the
    // position codes do.
    const long column = rect.left < client.cx / 3 ? 2 : rect.left < client.cx * 2 / 3 ? 1 : 0;
    const long row = rect.top < client.cy / 3 ? 2 : rect.top < client.cy * 2 / 3 ? 1 : 0;
    WatermarkPlace place;
    place.position = int(row * 3 + column);
    const SIZE mark{rect.right - rect.left, rect.bottom - rect.top};
    const RECT anchor = LayoutWatermark(place, client, mark);
    const double unit = WatermarkUnit(client.cx, client.cy);
    if (unit > 0) {
        place.offsetX = float((rect.left - anchor.left) / unit);
        place.offsetY = float((rect.top - anchor.top) / unit);
    }
    return place;
}

BYTE WatermarkAlpha(int opacity)
{
    return BYTE((std::clamp(opacity, 0, 100) * 255 + 50) / 100);
}

std::wstring FormatTwoDecimals(double value)
{
    // Whole hundredths, so that no locale decides the separator.
    const long long hundredths = std::llround(value * 100.0);
    const unsigned long long magnitude = hundredths < 0 ? 0ULL - (unsigned long long)hundredths : (unsigned long long)hundredths;
    wchar_t text[48];
    swprintf(text, 48, L"%s%I64u.%02u", hundredths < 0 ? L"-" : L"", magnitude / 100, unsigned(magnitude % 100));
    return text;
}

std::wstring WatermarkArguments(const std::wstring& path, const WatermarkPlace& place, bool useZoom, int zoomScale,
                                int opacity)
{
    std::wstring text = L"\"" + path + L"\" " + FormatTwoDecimals(place.offsetX) + L" " +
                        FormatTwoDecimals(place.offsetY) + L" " + std::to_wstring(place.position) + L" " +
                        std::to_wstring(useZoom ? zoomScale : 0);
    if (opacity < 100)
        text += L" /alpha=" + std::to_wstring(opacity);
    return text;
}

void WatermarkSettings::Load(ProfileStore& profile)
{
    path = profile.GetString(kSection, L"WatermarkImage", L"");
    place.offsetX = ReadOffset(profile, L"WatermarkDX");
    place.offsetY = ReadOffset(profile, L"WatermarkDY");
    place.position = std::clamp(profile.GetInt(kSection, L"WatermarkPos", 0), 0, kWatermarkPositionCount - 1);
    opacity = std::clamp(profile.GetInt(kSection, L"WatermarkAlpha", 80), 1, 100);
    zoomScale = std::clamp(profile.GetInt(kSection, L"WatermarkZoomScale", 10), 1, 100);
    useZoom = profile.GetInt(kSection, L"WatermarkUseZoomScale", 1) != 0;
}

void WatermarkSettings::Save(ProfileStore& profile) const
{
    profile.WriteString(kSection, L"WatermarkImage", path.c_str());
    profile.WriteString(kSection, L"WatermarkDX", FormatTwoDecimals(place.offsetX).c_str());
    profile.WriteString(kSection, L"WatermarkDY", FormatTwoDecimals(place.offsetY).c_str());
    profile.WriteInt(kSection, L"WatermarkPos", place.position);
    profile.WriteInt(kSection, L"WatermarkAlpha", opacity);
    profile.WriteInt(kSection, L"WatermarkZoomScale", zoomScale);
    profile.WriteInt(kSection, L"WatermarkUseZoomScale", useZoom ? 1 : 0);
}

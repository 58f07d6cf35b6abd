#include "EffectPreview.h"

double PreviewScale(int fitWidth, int pictureWidth)
{
    return pictureWidth > 0 ? double(fitWidth) / double(pictureWidth) : 0.0;
}

int PreviewHeight(int pictureHeight, double scale)
{
    return int(pictureHeight * scale);
}

POINT PreviewPointAt(POINT cursor, const RECT& fit, const RECT& client, int previewHeight)
{
    return POINT{cursor.x - fit.left, fit.top - client.top - cursor.y + previewHeight};
}

POINT PicturePointOf(POINT previewPoint, double scale)
{
    if (scale <= 0.0)
        return POINT{0, 0};
    return POINT{LONG(previewPoint.x / scale), LONG(previewPoint.y / scale)};
}

int PreviewRadius(int radius, double scale)
{
    const int r = int(radius * scale);
    return r > 0 ? r : 1;
}

// The Page command: the input is a page picture, its template is the .xml of the same name
// beside it, and the further arguments are the pictures that fill its slots in order.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include "BatchCommands.h"
#include "PageTemplate.h"
#include "PathFunc.h"
#include "ZVGraphics.h"
#include "ZVImage.h"
#include "ZVMatrix.h"

namespace {

// Outlines are drawn inside the figure, so the border never reaches past the slot's shape.
const int kSlotOutlineStyle = ZVPenInside;

// Cuts the middle w x h of the picture after scaling it just large enough to cover that size.
bool CoverAndCut(CZVImage& picture, long width, long height)
{
    const double scale = std::max(double(width) / picture.GetWidth(), double(height) / picture.GetHeight());
    // Rounding may leave a product a hair below the side it was meant to reach.
    const long scaledWidth = std::max(width, long(picture.GetWidth() * scale));
    const long scaledHeight = std::max(height, long(picture.GetHeight() * scale));
    if (!picture.Zoom(scaledWidth, scaledHeight))
        return false;
    const RECT cut = CentredRect(width, height, scaledWidth, scaledHeight);
    CZVImage made;
    if (!picture.Crop(cut, &made) || !made.IsValid())
        return false;
    picture = made;
    return true;
}

// The slot's figure stroked with its border and made the picture's only visible part. The
// figure is laid out in box coordinates; offset is where the box's corner lies on the picture.
// A border of 0 draws nothing, which is no failure.
bool ClipToSlot(CZVImage& picture, const CZVGraphicsPath& figure, const PageSlot& slot, POINT offset)
{
    if (!picture.IncreaseBpp(24))
        return false;
    CZVGraphicsPath path = figure;
    CZVMatrix move;
    move.Translate(float(offset.x), float(offset.y));
    path.Transform(move);
    // The drawing counts rows from the top; the picture keeps them from the bottom.
    if (!picture.Flip(false, true))
        return false;
    {
        CZVGraphics outline(&picture);
        CZVPen pen(slot.borderColour, float(slot.border));
        pen.m_nStyle = kSlotOutlineStyle;
        outline.DrawPath(pen, path);
    }
    CZVGraphics mask(&picture);
    return mask.ClearMask() && mask.CreateMask() && mask.FillPathMask(255, path) && picture.Flip(false, true);
}

// The slot's picture covering its box (turned with the slot), clipped to the slot's figure and
// laid on the page; false when a step fails.
bool LayIntoSlot(CZVImage& page, CZVImage& picture, const TemplateSlot& slot)
{
    const PageSlot& record = slot.record;
    // The caller passes only boxes whose sides are from 1 to INT_MAX.
    const long boxWidth = long(int64_t(slot.box.right) - slot.box.left);
    const long boxHeight = long(int64_t(slot.box.bottom) - slot.box.top);
    // The slot's mask replaces the picture's alpha, so its own transparent parts are laid on
    // white first, as the page maker does, rather than showing whatever colour they hide.
    if (!picture.ChangeBackground(0xFFFFFFFF))
        return false;
    // A turned slot takes a picture of the figure's own size, turned like the figure and
    // centred on the box, where the figure lies.
    const bool turned = float(record.angle) != 0;
    const bool ownSize = turned && record.width > 0 && record.height > 0;
    if (!CoverAndCut(picture, ownSize ? record.width : boxWidth, ownSize ? record.height : boxHeight))
        return false;
    // With an alpha plane the corners the turned picture leaves bare are transparent, as in
    // the page maker, instead of black.
    if (turned && !(picture.AlphaCreate() && picture.Rotate2(float(record.angle), nullptr, CxImage::IM_BILINEAR,
                                                             CxImage::OM_BACKGROUND, nullptr, true, false)))
        return false;
    const POINT offset = {(boxWidth - long(picture.GetWidth())) / 2, (boxHeight - long(picture.GetHeight())) / 2};
    if (!ClipToSlot(picture, slot.path, record, POINT{-offset.x, -offset.y}))
        return false;
    const long x = slot.box.left + offset.x, y = slot.box.top + offset.y;
    return !Overlaps(page, picture, x, y) || page.CombineImage(picture, x, y);
}

} // namespace

RECT CentredRect(long width, long height, long outerWidth, long outerHeight)
{
    RECT rect;
    rect.left = (outerWidth - width) / 2;
    rect.top = (outerHeight - height) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return rect;
}

std::wstring PageTemplatePath(const wchar_t* pagePath)
{
    std::wstring folder(size_t(lstrlenW(pagePath)) + 1, L'\0');
    folder.resize(size_t(GetParentFolderTrimmed(pagePath, &folder[0])));
    std::wstring title(size_t(lstrlenW(pagePath)) + 1, L'\0');
    title.resize(size_t(GetFileTitleFromPath(pagePath, &title[0])));
    // A bare name stays beside the page in the current folder, not at the root of the drive.
    return folder.empty() ? title + L".xml" : folder + L"\\" + title + L".xml";
}

bool PageCommand(const wchar_t* input, const wchar_t* output, const wchar_t** args, int argCount, int)
{
    const std::wstring templatePath = PageTemplatePath(input);
    const DWORD imageType = ImageTypeFromExtension(input);
    printf("Loading\r\n");
    CZVImage page;
    if (!page.LoadFile(input)) {
        printf("Error : fail to load %ls\n", input);
        return false;
    }
    if (!page.IsValid())
        return false;
    printf("Page\r\n");
    PageTemplate pageTemplate;
    PageTemplate::LockedSlots slots = pageTemplate.Lock();
    slots.ParseTemplate(templatePath.c_str());
    // With "Transparent" on, the page as it came is laid over the pictures at the end.
    CZVImage original;
    if (pageTemplate.m_transparent && !original.Copy(page, true, true, true))
        return OperationFailed(L"Page");
    const int count = int(std::min<size_t>(slots.GetSlotCount(), size_t(std::max(argCount, 0))));
    for (int i = 0; i < count; ++i) {
        const RECT& box = slots[i].box;
        const long long boxWidth = (long long)box.right - box.left, boxHeight = (long long)box.bottom - box.top;
        // An empty box has nowhere to put a picture; its argument is passed over.
        if (boxWidth <= 0 || boxHeight <= 0 || boxWidth > INT_MAX || boxHeight > INT_MAX)
            continue;
        CZVImage picture;
        if (!picture.Load(args[i], ImageTypeFromExtension(args[i]))) {
            printf("Error : fail to load %ls\n", args[i]);
            return false;
        }
        if (!picture.IsValid())
            return false;
        if (!LayIntoSlot(page, picture, slots[i])) {
            printf("Error : fail to place %ls\n", args[i]);
            return false;
        }
    }
    if (pageTemplate.m_transparent && !page.CombineImage(original, 0, 0))
        return OperationFailed(L"Page");
    return SaveAndComplete(page, output, imageType);
}

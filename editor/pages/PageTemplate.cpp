// The "Slots" reader. Every slot gets a box and a figure beside its record, whatever the file
// holds: a slot without a "box" gets an empty one (the callers skip it), a slot without a usable
// shape gets the plain rectangle of its box, and of several shapes the first usable one in
// reading order counts.
#include "PageTemplate.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>
#include "WStr.h"
#include "XmlDocument.h"
#include "ZVMatrix.h"
#include "ZVSvgPathTokenizer.h"

namespace {

const wchar_t* Attribute(XmlNode& node, const wchar_t* name)
{
    XmlAttribute* attribute = node.FindAttribute(name);
    return attribute ? attribute->value : nullptr;
}

int32_t Int(XmlNode& node, const wchar_t* name)
{
    const wchar_t* text = Attribute(node, name);
    return text ? _wtoi(text) : 0;
}

// A value such as "1e999" would carry infinity into the transforms; it reads as 0 instead.
double Real(XmlNode& node, const wchar_t* name)
{
    const wchar_t* text = Attribute(node, name);
    const double value = text ? _wtof(text) : 0.0;
    return std::isfinite(value) ? value : 0.0;
}

bool IsOn(XmlNode& node, const wchar_t* name)
{
    const wchar_t* text = Attribute(node, name);
    return text && WStrCompare(text, L"on") == 0;
}

bool IsTrue(XmlNode& node, const wchar_t* name)
{
    const wchar_t* text = Attribute(node, name);
    return text && (WStrCompare(text, L"true") == 0 || WStrCompare(text, L"TRUE") == 0);
}

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void Apply(CZVGraphicsPath& path, const CZVMatrix& matrix)
{
    path.Transform(matrix);
}

CZVMatrix Translation(float dx, float dy)
{
    CZVMatrix m;
    m.Translate(dx, dy);
    return m;
}

CZVMatrix Scaling(float sx, float sy)
{
    CZVMatrix m;
    m.Scale(sx, sy);
    return m;
}

// Mirrors within the figure's own bounds, so that it stays where it was drawn.
void Flip(CZVGraphicsPath& path, const PageSlot& slot, const CZVRectF& bounds)
{
    if (slot.flipv) {
        Apply(path, Scaling(1, -1));
        Apply(path, Translation(0, 2 * bounds.Y + bounds.Height));
    }
    if (slot.fliph) {
        Apply(path, Scaling(-1, 1));
        Apply(path, Translation(2 * bounds.X + bounds.Width, 0));
    }
}

PageSlot ReadSlot(XmlNode& node)
{
    PageSlot slot;
    slot.angle = Real(node, L"a");
    slot.width = Int(node, L"width");
    slot.height = Int(node, L"height");
    slot.flipv = IsTrue(node, L"flipv");
    slot.fliph = IsTrue(node, L"fliph");
    slot.border = Int(node, L"border");
    if (const wchar_t* text = Attribute(node, L"bordercolor"))
        slot.borderColour = ReadHexColour(text);
    if (const wchar_t* text = Attribute(node, L"fill"))
        slot.fillColour = ReadHexColour(text);
    return slot;
}

// An absent width or height leaves that side at 0, which makes the box empty.
RECT ReadBox(XmlNode* node)
{
    RECT box = {0, 0, 0, 0};
    if (!node)
        return box;
    const XmlAttribute* width = node->FindAttribute(L"width");
    const XmlAttribute* height = node->FindAttribute(L"height");
    box.left = Int(*node, L"x");
    box.top = Int(*node, L"y");
    if (width)
        box.right = Clamp32(int64_t(box.left) + _wtoi(width->value));
    if (height)
        box.bottom = Clamp32(int64_t(box.top) + _wtoi(height->value));
    return box;
}

struct Frame {
    float x, y, width, height;
};

Frame ReadFrame(XmlNode& node)
{
    return Frame{float(Real(node, L"x")), float(Real(node, L"y")), float(Real(node, L"width")),
                 float(Real(node, L"height"))};
}

// One shape element made into a figure; false when it gives none.
typedef bool (*ShapeReader)(XmlNode& node, const PageSlot& slot, const RECT& box, CZVGraphicsPath& path);

bool ReadRect(XmlNode& node, const PageSlot&, const RECT&, CZVGraphicsPath& path)
{
    const Frame f = ReadFrame(node);
    if (f.width == 0 || f.height == 0)
        return false;
    path.MoveTo(f.x, f.y);
    path.LineTo(f.x + f.width, f.y);
    path.LineTo(f.x + f.width, f.y + f.height);
    path.LineTo(f.x, f.y + f.height);
    path.CloseSubPath();
    return true;
}

bool ReadEllipse(XmlNode& node, const PageSlot&, const RECT&, CZVGraphicsPath& path)
{
    const Frame f = ReadFrame(node);
    if (f.width == 0 || f.height == 0)
        return false;
    path.AddEllipse(f.x, f.y, f.width, f.height);
    return true;
}

bool ReadRoundedRect(XmlNode& node, const PageSlot&, const RECT&, CZVGraphicsPath& path)
{
    const Frame f = ReadFrame(node);
    if (f.width == 0 || f.height == 0)
        return false;
    path.AddRoundedRect(f.x, f.y, f.width, f.height, float(Real(node, L"r")));
    return true;
}

// Figures that the text leaves empty count as no shape; a fault part-way keeps what came before.
bool ParseFigure(const wchar_t* text, bool polygon, CZVGraphicsPath& path)
{
    if (!text)
        return false;
    CZVSvgPathTokenizer tokenizer;
    tokenizer.SetPathStr(text);
    if (polygon)
        path.ParsePolygon(tokenizer);
    else
        path.ParsePath(tokenizer);
    return !path.IsEmpty();
}

bool ReadPolygon(XmlNode& node, const PageSlot& slot, const RECT&, CZVGraphicsPath& path)
{
    if (!ParseFigure(Attribute(node, L"points"), true, path))
        return false;
    CZVRectF bounds;
    path.GetBounds(&bounds);
    Flip(path, slot, bounds);
    return true;
}

bool ReadPath(XmlNode& node, const PageSlot& slot, const RECT& box, CZVGraphicsPath& path)
{
    if (!ParseFigure(Attribute(node, L"d"), false, path))
        return false;
    FitPathToSlot(path, slot, box);
    return true;
}

struct ShapeRow {
    const wchar_t* name;
    ShapeReader read;
};

// In reading order.
const ShapeRow kShapes[] = {
    {L"rect", ReadRect},
    {L"ellipse", ReadEllipse},
    {L"roundedrect", ReadRoundedRect},
    {L"polygon", ReadPolygon},
    {L"path", ReadPath},
};

CZVGraphicsPath ReadShape(XmlNode& node, const PageSlot& slot, const RECT& box)
{
    for (const ShapeRow& row : kShapes) {
        XmlNode* shape = node.FindChild(row.name);
        CZVGraphicsPath path;
        if (shape && row.read(*shape, slot, box, path))
            return path;
    }
    CZVGraphicsPath rectangle;
    rectangle.AddRectangle(0, 0, float(std::max<int64_t>(0, int64_t(box.right) - box.left)),
                           float(std::max<int64_t>(0, int64_t(box.bottom) - box.top)));
    return rectangle;
}

bool IsHexDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

} // namespace

uint32_t ReadHexColour(const wchar_t* text)
{
    if (!text)
        return 0;
    while (*text == L' ' || *text == L'\t' || *text == L'\r' || *text == L'\n')
        ++text;
    if (text[0] == L'0' && (text[1] == L'x' || text[1] == L'X') && IsHexDigit(text[2]))
        text += 2;
    uint32_t value = 0;
    for (; IsHexDigit(*text); ++text) {
        const wchar_t c = *text;
        const uint32_t digit = c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10;
        value = (value << 4) | digit;
    }
    return value;
}

// The figure's corner is first moved to the origin, so a figure drawn anywhere lands in its
// slot; a flat figure, or a slot without a size, keeps the figure's own size.
void FitPathToSlot(CZVGraphicsPath& path, const PageSlot& slot, const RECT& box)
{
    CZVRectF bounds;
    path.GetBounds(&bounds);
    Apply(path, Translation(-bounds.X, -bounds.Y));
    bounds.X = bounds.Y = 0;
    Flip(path, slot, bounds);

    float width = bounds.Width, height = bounds.Height;
    if (bounds.Width > 0 && bounds.Height > 0 && slot.width > 0 && slot.height > 0) {
        width = float(slot.width);
        height = float(slot.height);
        Apply(path, Scaling(width / bounds.Width, height / bounds.Height));
    }
    const float angle = float(slot.angle);
    if (angle != 0) {
        CZVMatrix turn;
        turn.RotateAt(angle, ZVPOINTF{width * 0.5f, height * 0.5f}, ZVMatrixOrderAppend);
        Apply(path, turn);
    }
    const float boxWidth = float(int64_t(box.right) - box.left), boxHeight = float(int64_t(box.bottom) - box.top);
    Apply(path, Translation((boxWidth - width) * 0.5f, (boxHeight - height) * 0.5f));
}

void PageTemplate::LockedSlots::ClearSlots()
{
    m_owner.m_slots.clear();
}

void PageTemplate::Reset()
{
    m_slots.clear();
    m_transparent = 0;
    m_move = 0;
    m_combineLayout = 0;
    m_noTemplate = 0;
}

bool PageTemplate::LockedSlots::ParseTemplate(const wchar_t* path)
{
    // Emptied before the file is read, so that a failed load leaves no slots behind.
    m_owner.Reset();
    XmlDocument document;
    if (!XmlLoadFile(&document, path)) {
        m_owner.m_noTemplate = 1;
        return false;
    }
    return ReadDocument(document);
}

bool PageTemplate::LockedSlots::ReadDocument(XmlNode& document)
{
    m_owner.Reset();
    XmlNode* root = document.FindChild(L"Slots");
    if (!root)
        return false;
    m_owner.m_transparent = IsOn(*root, L"Transparent");
    m_owner.m_move = IsOn(*root, L"Move");
    XmlNode::ChildPos position;
    for (XmlNode* node = root->FindFirstChild(L"Slot", position); node; node = root->FindNextChild(L"Slot", position)) {
        TemplateSlot slot;
        slot.record = ReadSlot(*node);
        slot.box = ReadBox(node->FindChild(L"box"));
        slot.path = ReadShape(*node, slot.record, slot.box);
        m_owner.m_slots.push_back(std::move(slot));
    }
    return true;
}

void PageTemplate::LockedSlots::AddGridSlot(int32_t cellWidth, int32_t cellHeight, int32_t spacing, int32_t columns,
                                            int32_t index)
{
    if (columns == 0)
        return;
    const int32_t row = index / columns, column = index % columns;
    RECT box;
    box.left = (cellWidth + spacing) * column + spacing;
    box.top = (cellHeight + spacing) * row + spacing;
    box.right = box.left + cellWidth;
    box.bottom = box.top + cellHeight;
    AddRectSlot(box);
}

void PageTemplate::LockedSlots::AddRectSlot(const RECT& rect)
{
    TemplateSlot slot;
    slot.box = rect;
    slot.path.MoveTo(float(rect.left), float(rect.top));
    slot.path.LineTo(float(rect.right), float(rect.top));
    slot.path.LineTo(float(rect.right), float(rect.bottom));
    slot.path.LineTo(float(rect.left), float(rect.bottom));
    slot.path.CloseSubPath();
    slot.record.width = rect.right - rect.left;
    slot.record.height = rect.bottom - rect.top;
    m_owner.m_slots.push_back(std::move(slot));
}

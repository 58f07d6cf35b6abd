// The page-template model: attributes, boxes and figures of each shape kind, the files it cannot
// use, and the slots that grid and rectangle layouts add.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "PageTemplate.h"
#include "TestSupport.h"
#include "XmlDocument.h"

namespace {

bool Read(PageTemplate& t, const std::string& xml)
{
    XmlDocument document;
    EXPECT_TRUE(XmlParseBuffer(&document, xml.data(), xml.size())) << xml;
    return t.Lock().ReadDocument(document);
}

std::string OneSlot(const std::string& attributes, const std::string& children)
{
    return "<Slots><Slot " + attributes + ">" + children + "</Slot></Slots>";
}

struct Bounds {
    float x, y, width, height;
};

Bounds BoundsOf(const CZVGraphicsPath& path)
{
    CZVRectF b;
    path.GetBounds(&b);
    return Bounds{b.X, b.Y, b.Width, b.Height};
}

ZVPOINTF FirstPoint(const CZVGraphicsPath& path)
{
    ZVPOINTF p = {-1, -1};
    path.GetPathPoints(&p, 1);
    return p;
}

TEST(PageTemplateTest, RootSwitchesAndSlotAttributes)
{
    struct Case {
        const char* xml;
        int transparent, move;
        PageSlot slot; // expected record of the one slot
    };
    auto slot = [](double a, int w, int h, int fv, int fh, int border, uint32_t bc, uint32_t fill) {
        PageSlot s;
        s.angle = a;
        s.width = w;
        s.height = h;
        s.flipv = fv;
        s.fliph = fh;
        s.border = border;
        s.borderColour = bc;
        s.fillColour = fill;
        return s;
    };
    const PageSlot defaults;
    const Case cases[] = {
        {"<Slots Transparent=\"on\" Move=\"on\"><Slot/></Slots>", 1, 1, defaults},
        {"<Slots Transparent=\"On\" Move=\"ON\"><Slot/></Slots>", 0, 0, defaults},
        {"<Slots Transparent=\"true\" Move=\"off\"><Slot/></Slots>", 0, 0, defaults},
        {"<Slots><Slot a=\"12.5\" width=\"300\" height=\"200\" flipv=\"true\" fliph=\"TRUE\" border=\"6\" "
         "bordercolor=\"FF102030\" fill=\"80FF0000\"/></Slots>",
         0, 0, slot(12.5, 300, 200, 1, 1, 6, 0xFF102030, 0x80FF0000)},
        // Words and numbers as the runtime reads them: leading blanks, trailing rubbish.
        {"<Slots><Slot a=\" -30deg\" width=\"42px\" height=\"x\" flipv=\"True\" fliph=\"1\" border=\"2.9\" "
         "bordercolor=\"0\" fill=\"0x80ff0000\"/></Slots>",
         0, 0, slot(-30, 42, 0, 0, 0, 2, 0, 0x80FF0000)},
        {"<Slots><Slot a=\"1e999\" fill=\"red\" bordercolor=\"\"/></Slots>", 0, 0,
         slot(0, 0, 0, 0, 0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        PageTemplate t;
        ASSERT_TRUE(Read(t, c.xml));
        EXPECT_EQ(t.m_transparent.load(), c.transparent);
        EXPECT_EQ(t.m_move.load(), c.move);
        PageTemplate::LockedSlots slots = t.Lock();
        ASSERT_EQ(slots.GetSlotCount(), 1u);
        const PageSlot& s = slots[0].record;
        EXPECT_DOUBLE_EQ(s.angle, c.slot.angle);
        EXPECT_EQ(s.width, c.slot.width);
        EXPECT_EQ(s.height, c.slot.height);
        EXPECT_EQ(s.flipv, c.slot.flipv);
        EXPECT_EQ(s.fliph, c.slot.fliph);
        EXPECT_EQ(s.border, c.slot.border);
        EXPECT_EQ(s.borderColour, c.slot.borderColour);
        EXPECT_EQ(s.fillColour, c.slot.fillColour);
    }
}

TEST(PageTemplateTest, HexColours)
{
    struct Case {
        const wchar_t* text;
        uint32_t value;
    };
    const Case cases[] = {
        {L"80FF0000", 0x80FF0000}, {L"0x80ff0000", 0x80FF0000}, {L"  ffe488", 0xFFE488}, {L"12zz", 0x12},
        {L"red", 0}, {L"", 0}, {L"0x", 0}, {L"-5", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadHexColour(c.text), c.value) << c.text;
}

// Every slot gets one box, one figure and one record, whatever shapes the file gives it.
TEST(PageTemplateTest, BoxesAndFigures)
{
    struct Case {
        const char* name;
        std::string xml;
        RECT box;
        Bounds figure;
        ZVPOINTF first; // the figure's first point; x < -100 when not checked
    };
    const ZVPOINTF any = {-1000, -1000};
    const std::string square = "d=\"M0,0 L10,0 L10,20 L0,20 Z\"";
    const Case cases[] = {
        {"no shape: the box's rectangle", OneSlot("", "<box x=\"10\" y=\"20\" width=\"100\" height=\"50\"/>"),
         {10, 20, 110, 70}, {0, 0, 100, 50}, {0, 0}},
        {"box without a size", OneSlot("", "<box x=\"10\" y=\"20\"/>"), {10, 20, 0, 0}, {0, 0, 0, 0}, any},
        {"no box", OneSlot("", "<rect x=\"1\" y=\"2\" width=\"3\" height=\"4\"/>"), {0, 0, 0, 0}, {1, 2, 3, 4}, any},
        {"rect", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><rect x=\"5\" y=\"6\" width=\"20\" height=\"10\"/>"),
         {0, 0, 40, 30}, {5, 6, 20, 10}, {5, 6}},
        {"rect of width 0", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><rect x=\"5\" y=\"6\" width=\"0\" height=\"10\"/>"),
         {0, 0, 40, 30}, {0, 0, 40, 30}, any},
        {"ellipse", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><ellipse x=\"2\" y=\"3\" width=\"30\" height=\"20\"/>"),
         {0, 0, 40, 30}, {2, 3, 30, 20}, any},
        {"ellipse of height 0", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><ellipse x=\"2\" y=\"3\" width=\"30\"/>"),
         {0, 0, 40, 30}, {0, 0, 40, 30}, any},
        {"roundedrect", OneSlot("", "<box x=\"0\" y=\"0\" width=\"60\" height=\"50\"/><roundedrect x=\"0\" y=\"0\" width=\"50\" height=\"40\" r=\"8\"/>"),
         {0, 0, 60, 50}, {0, 0, 50, 40}, any},
        {"polygon", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><polygon points=\"5,5 35,5 5,25\"/>"),
         {0, 0, 40, 30}, {5, 5, 30, 20}, {5, 5}},
        {"polygon flipped upside down, in its place", OneSlot("flipv=\"true\"", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><polygon points=\"5,5 35,5 5,25\"/>"),
         {0, 0, 40, 30}, {5, 5, 30, 20}, {5, 25}},
        {"polygon flipped sideways", OneSlot("fliph=\"true\"", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><polygon points=\"5,5 35,5 5,25\"/>"),
         {0, 0, 40, 30}, {5, 5, 30, 20}, {35, 5}},
        {"polygon without points", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><polygon/>"),
         {0, 0, 40, 30}, {0, 0, 40, 30}, any},
        // A 10 x 20 figure in a 100 x 200 slot and a 300 x 400 box: scaled by 10, moved by 100.
        {"path", OneSlot("width=\"100\" height=\"200\"", "<box x=\"7\" y=\"8\" width=\"300\" height=\"400\"/><path " + square + "/>"),
         {7, 8, 307, 408}, {100, 100, 100, 200}, {100, 100}},
        {"path drawn away from the origin", OneSlot("width=\"100\" height=\"200\"", "<box x=\"0\" y=\"0\" width=\"300\" height=\"400\"/><path d=\"M50,50 L60,50 L60,70 L50,70 Z\"/>"),
         {0, 0, 300, 400}, {100, 100, 100, 200}, {100, 100}},
        {"path flipped both ways", OneSlot("width=\"100\" height=\"200\" flipv=\"true\" fliph=\"true\"", "<box x=\"0\" y=\"0\" width=\"300\" height=\"400\"/><path " + square + "/>"),
         {0, 0, 300, 400}, {100, 100, 100, 200}, {200, 300}},
        // Turned a quarter about its own centre, it stays in the middle of the box.
        {"path turned", OneSlot("a=\"90\" width=\"100\" height=\"200\"", "<box x=\"0\" y=\"0\" width=\"300\" height=\"400\"/><path " + square + "/>"),
         {0, 0, 300, 400}, {50, 150, 200, 100}, {250, 150}},
        {"flat path: no scale", OneSlot("width=\"100\" height=\"200\"", "<box x=\"0\" y=\"0\" width=\"300\" height=\"400\"/><path d=\"M0,0 L10,0\"/>"),
         {0, 0, 300, 400}, {145, 200, 10, 0}, {145, 200}},
        {"path in a slot without a size", OneSlot("", "<box x=\"0\" y=\"0\" width=\"300\" height=\"400\"/><path " + square + "/>"),
         {0, 0, 300, 400}, {145, 190, 10, 20}, {145, 190}},
        {"path without d", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><path/>"), {0, 0, 40, 30}, {0, 0, 40, 30}, any},
        {"path of rubbish", OneSlot("", "<box x=\"0\" y=\"0\" width=\"40\" height=\"30\"/><path d=\"hello\"/>"), {0, 0, 40, 30}, {0, 0, 40, 30}, any},
        {"two shapes: the first in reading order", OneSlot("width=\"100\" height=\"200\"", "<box x=\"0\" y=\"0\" width=\"300\" height=\"400\"/><path " + square + "/><rect x=\"1\" y=\"2\" width=\"3\" height=\"4\"/>"),
         {0, 0, 300, 400}, {1, 2, 3, 4}, any},
        {"two boxes: the first", OneSlot("", "<box x=\"1\" y=\"1\" width=\"5\" height=\"5\"/><box x=\"9\" y=\"9\" width=\"9\" height=\"9\"/>"),
         {1, 1, 6, 6}, {0, 0, 5, 5}, any},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageTemplate t;
        ASSERT_TRUE(Read(t, c.xml));
        PageTemplate::LockedSlots slots = t.Lock();
        ASSERT_EQ(slots.GetSlotCount(), 1u);
        const TemplateSlot& slot = slots[0];
        EXPECT_EQ(slot.box.left, c.box.left);
        EXPECT_EQ(slot.box.top, c.box.top);
        EXPECT_EQ(slot.box.right, c.box.right);
        EXPECT_EQ(slot.box.bottom, c.box.bottom);
        const Bounds b = BoundsOf(slot.path);
        EXPECT_NEAR(b.x, c.figure.x, 0.01);
        EXPECT_NEAR(b.y, c.figure.y, 0.01);
        EXPECT_NEAR(b.width, c.figure.width, 0.01);
        EXPECT_NEAR(b.height, c.figure.height, 0.01);
        if (c.first.x > -100) {
            const ZVPOINTF p = FirstPoint(slot.path);
            EXPECT_NEAR(p.x, c.first.x, 0.01);
            EXPECT_NEAR(p.y, c.first.y, 0.01);
        }
    }
}

TEST(PageTemplateTest, SlotsStayInStepAcrossMixedSlots)
{
    PageTemplate t;
    ASSERT_TRUE(Read(t, "<Slots Move=\"on\"><Slot border=\"1\"/>"
                        "<Slot border=\"2\"><box x=\"0\" y=\"0\" width=\"10\" height=\"10\"/><rect x=\"0\" y=\"0\" width=\"5\" height=\"5\"/>"
                        "<ellipse x=\"0\" y=\"0\" width=\"5\" height=\"5\"/></Slot>"
                        "<Other/><Slot border=\"3\"><path d=\"M0,0 L4,0 L4,4 Z\"/></Slot></Slots>"));
    {
        PageTemplate::LockedSlots slots = t.Lock();
        ASSERT_EQ(slots.GetSlotCount(), 3u);
        EXPECT_EQ(slots[2].record.border, 3);
        EXPECT_EQ(BoundsOf(slots[1].path).width, 5);
        EXPECT_EQ(slots[1].box.right, 10);
    }

    // An empty "Slots" is a template without slots; a new read replaces everything.
    EXPECT_TRUE(Read(t, "<Slots/>"));
    EXPECT_EQ(t.Lock().GetSlotCount(), 0u);
    EXPECT_EQ(t.m_move.load(), 0);
}

TEST(PageTemplateTest, FilesItCannotUse)
{
    testsupport::TempFolder folder;
    auto write = [&](const wchar_t* name, const std::string& text) {
        const std::wstring path = folder.At(name);
        EXPECT_TRUE(testsupport::TempFolder::Put(path, text));
        return path;
    };
    const std::wstring good = write(L"good.xml", "<?xml version=\"1.0\"?>\n<Slots Transparent=\"on\"><Slot><box x=\"1\" y=\"1\" width=\"5\" height=\"5\"/></Slot></Slots>");
    const std::wstring broken = write(L"broken.xml", "<Slots><Slot><box x=\"1\"");
    const std::wstring other = write(L"other.xml", "<Page><Slot/></Page>");

    struct Case {
        std::wstring path;
        bool result;
        int noTemplate;
        size_t slots;
        int transparent;
    };
    const Case cases[] = {
        {good, true, 0, 1, 1},
        {folder.At(L"missing.xml"), false, 1, 0, 0},
        {broken, false, 1, 0, 0},
        {other, false, 0, 0, 0},
    };
    PageTemplate t;
    for (const Case& c : cases) {
        // Each read starts from the good file, so that nothing of it may survive.
        t.m_combineLayout = 1;
        PageTemplate::LockedSlots slots = t.Lock();
        ASSERT_TRUE(slots.ParseTemplate(good.c_str()));
        EXPECT_EQ(t.m_combineLayout.load(), 0);
        EXPECT_EQ(slots.ParseTemplate(c.path.c_str()), c.result);
        EXPECT_EQ(t.m_noTemplate.load(), c.noTemplate);
        EXPECT_EQ(slots.GetSlotCount(), c.slots);
        EXPECT_EQ(t.m_transparent.load(), c.transparent);
    }
}

TEST(PageTemplateTest, GridSlots)
{
    PageTemplate t;
    PageTemplate::LockedSlots slots = t.Lock();
    slots.AddGridSlot(100, 80, 10, 0, 4); // no columns: nothing
    EXPECT_EQ(slots.GetSlotCount(), 0u);
    slots.AddGridSlot(100, 80, 10, 3, 4);
    ASSERT_EQ(slots.GetSlotCount(), 1u);
    const TemplateSlot& cell = slots[0];
    EXPECT_EQ(cell.box.left, 120);
    EXPECT_EQ(cell.box.top, 100);
    EXPECT_EQ(cell.box.right, 220);
    EXPECT_EQ(cell.box.bottom, 180);
    EXPECT_EQ(cell.record.width, 100);
    EXPECT_EQ(cell.record.height, 80);
    EXPECT_EQ(cell.record.borderColour, 0xFFFFFFFFu);
    // The cell's figure is in page coordinates.
    const Bounds b = BoundsOf(cell.path);
    EXPECT_EQ(b.x, 120);
    EXPECT_EQ(b.y, 100);
    EXPECT_EQ(b.width, 100);
}

// A rectangle slot brings its own box: between grid cells, every slot keeps its box with its
// figure and record, and no slot is counted without a box.
TEST(PageTemplateTest, RectangleSlotsKeepTheirBoxes)
{
    PageTemplate t;
    PageTemplate::LockedSlots slots = t.Lock();
    slots.AddRectSlot(RECT{5, 6, 45, 36});
    slots.AddGridSlot(100, 80, 10, 3, 0);
    slots.AddRectSlot(RECT{300, 20, 310, 70});
    const RECT boxes[] = {{5, 6, 45, 36}, {10, 10, 110, 90}, {300, 20, 310, 70}};
    ASSERT_EQ(slots.GetSlotCount(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TemplateSlot& slot = slots[i];
        const RECT& box = boxes[i];
        EXPECT_EQ(slot.box.left, box.left);
        EXPECT_EQ(slot.box.top, box.top);
        EXPECT_EQ(slot.box.right, box.right);
        EXPECT_EQ(slot.box.bottom, box.bottom);
        EXPECT_EQ(slot.record.width, box.right - box.left);
        EXPECT_EQ(slot.record.height, box.bottom - box.top);
        const Bounds b = BoundsOf(slot.path);
        EXPECT_EQ(b.x, box.left);
        EXPECT_EQ(b.y, box.top);
        EXPECT_EQ(b.width, box.right - box.left);
        EXPECT_EQ(b.height, box.bottom - box.top);
    }
}

} // namespace

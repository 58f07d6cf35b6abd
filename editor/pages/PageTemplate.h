#pragma once
// PageTemplate: the slots of a page layout, read from its "Slots" file. Each slot holds its box
// (page pixels), its figure (in the box's own coordinates) and its record (angle, size, flips,
// border). The slots are reached only through the guard that Lock returns, which holds the
// template's lock while it lives; the flags are atomic and read without it. The page maker holds
// one template; KQBatch's Page command reads one per run.
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>
#include "ZVGraphicsPath.h"

class XmlNode;

struct PageSlot {
    double angle = 0;                  // degrees, clockwise
    int32_t width = 0;                 // the figure's size before it is turned
    int32_t height = 0;
    int32_t flipv = 0;
    int32_t fliph = 0;
    int32_t border = 0;                // outline width in pixels
    uint32_t borderColour = 0xFFFFFFFF; // 0xAARRGGBB
    uint32_t fillColour = 0xFFFFE488;
};

struct TemplateSlot {
    RECT box = {0, 0, 0, 0}; // page pixels; an empty box takes no picture
    CZVGraphicsPath path;     // box coordinates; a rectangle slot's are page coordinates
    PageSlot record;
};

class PageTemplate {
public:
    // The slots while the template's lock is held. Throws std::system_error when the lock fails.
    class LockedSlots {
    public:
        LockedSlots(const LockedSlots&) = delete;
        LockedSlots& operator=(const LockedSlots&) = delete;

        // Replaces the content by the file's slots; true when the file has a "Slots" element.
        bool ParseTemplate(const wchar_t* path);
        // The same from a parsed document.
        bool ReadDocument(XmlNode& document);

        // Empties the slots; the flags stay.
        void ClearSlots();
        // Cell index of a grid of columns, cells apart by spacing, with a margin of spacing.
        void AddGridSlot(int32_t cellWidth, int32_t cellHeight, int32_t spacing, int32_t columns, int32_t index);
        // A slot of the rectangle: its box, its figure in page coordinates and a plain record.
        void AddRectSlot(const RECT& rect);

        size_t GetSlotCount() const { return m_owner.m_slots.size(); }
        const TemplateSlot& operator[](size_t index) const { return m_owner.m_slots[index]; }
        std::vector<TemplateSlot>::const_iterator begin() const { return m_owner.m_slots.begin(); }
        std::vector<TemplateSlot>::const_iterator end() const { return m_owner.m_slots.end(); }

    private:
        friend class PageTemplate;
        explicit LockedSlots(PageTemplate& owner) : m_owner(owner), m_guard(owner.m_lock) {}

        PageTemplate& m_owner;
        std::lock_guard<std::mutex> m_guard;
    };

    PageTemplate() = default;
    PageTemplate(const PageTemplate&) = delete;
    PageTemplate& operator=(const PageTemplate&) = delete;

    [[nodiscard]] LockedSlots Lock() { return LockedSlots(*this); }

    std::atomic<int32_t> m_move{0};
    std::atomic<int32_t> m_transparent{0};
    std::atomic<int32_t> m_combineLayout{0};
    std::atomic<int32_t> m_noTemplate{0};
    std::atomic<int32_t> m_pageKind{0}; // 0 free scene, 1 scene, 2 template

private:
    // No slots and the four flags down; the page kind stays.
    void Reset();

    std::mutex m_lock;
    std::vector<TemplateSlot> m_slots; // guarded by m_lock
};

// Colour text: optional blanks and "0x", then hexadecimal digits up to the first other
// character; 0 when there is no digit.
uint32_t ReadHexColour(const wchar_t* text);
// Lays a "path" figure into its slot: flipped within its bounds, scaled to the slot's size,
// turned by its angle about its centre and centred in the box.
void FitPathToSlot(CZVGraphicsPath& path, const PageSlot& slot, const RECT& box);

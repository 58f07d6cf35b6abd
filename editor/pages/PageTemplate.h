#pragma once
// PageTemplate: the slots of a page layout, read from its "Slots" file. Slot n is box n (page
// pixels), path n (its figure, in the box's own coordinates) and record n (angle, size, flips,
// border). The page maker holds one behind its lock; KQBatch's Page command reads one per run.
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

class PageTemplate {
public:
    PageTemplate() = default;
    PageTemplate(const PageTemplate&) = delete;
    PageTemplate& operator=(const PageTemplate&) = delete;

    // Replaces the content by the file's slots; true when the file has a "Slots" element.
    // The caller holds the lock.
    bool ParseTemplate(const wchar_t* path);
    // The same from a parsed document.
    bool ReadDocument(XmlNode& document);

    // Throw std::system_error when the lock fails.
    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }

    // Empties boxes, paths and slots; the flags stay.
    void ClearSlots();
    size_t GetSlotCount() const { return m_slots.size(); }
    // Cell index of a grid of columns, cells apart by spacing, with a margin of spacing.
    void AddGridSlot(int32_t cellWidth, int32_t cellHeight, int32_t spacing, int32_t columns, int32_t index);
    // The rectangle's figure in page coordinates and a plain record; no box.
    void AddRectSlot(const RECT& rect);

    std::atomic<int32_t> m_move{0};
    std::atomic<int32_t> m_transparent{0};
    std::atomic<int32_t> m_combineLayout{0};
    std::atomic<int32_t> m_noTemplate{0};
    std::atomic<int32_t> m_pageKind{0}; // 0 free scene, 1 scene, 2 template
    std::mutex m_lock;
    std::vector<CZVGraphicsPath> m_paths;
    std::vector<RECT> m_boxes;
    std::vector<PageSlot> m_slots;

private:
    // No slots and the four flags down; the page kind stays.
    void Reset();
};

// Colour text: optional blanks and "0x", then hexadecimal digits up to the first other
// character; 0 when there is no digit.
uint32_t ReadHexColour(const wchar_t* text);
// Lays a "path" figure into its slot: flipped within its bounds, scaled to the slot's size,
// turned by its angle about its centre and centred in the box.
void FitPathToSlot(CZVGraphicsPath& path, const PageSlot& slot, const RECT& box);

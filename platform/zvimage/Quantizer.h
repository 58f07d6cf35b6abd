#pragma once
// An octree colour quantizer: fed one or more pictures, it gives a table of at most
// maxColours colours that represents them all. colourBits (1 to 8) bits of each component
// count; fewer bits merge near colours earlier and keep the tree small.
#include <memory>
#include <vector>
#include "ZVImageDef.h"

class CxImage;

class ZVIMAGE_API CQuantizer {
public:
    CQuantizer(UINT maxColours, UINT colourBits);
    ~CQuantizer();
    CQuantizer(const CQuantizer&) = delete;
    CQuantizer& operator=(const CQuantizer&) = delete;

    // Adds the picture's colours (8 or 24 bits); false for an invalid picture.
    bool ProcessImage(const CxImage& picture);
    UINT GetColorCount() const { return m_leaves; }
    // Writes GetColorCount() entries (unused bytes zero).
    void SetColorTable(RGBQUAD* table) const;

private:
    struct Node;
    void Add(BYTE r, BYTE g, BYTE b);
    void Reduce();
    Node* NewNode(int level);

    std::vector<std::unique_ptr<Node>> m_pool;   // owns every node
    Node* m_root = nullptr;
    std::vector<Node*> m_reducible[9];            // inner nodes by level
    UINT m_leaves = 0;
    UINT m_maxColours;
    UINT m_bits;
};

// CQuantizer: colours go down an octree one level per significant bit; once there are more
// leaves than allowed, the deepest inner node folds its children into one leaf holding their
// average. Nodes live in a pool and are freed together.
#include "Quantizer.h"
#include <algorithm>
#include "CxImage.h"

struct CQuantizer::Node {
    uint64_t red = 0, green = 0, blue = 0, count = 0;
    bool leaf = false;
    Node* children[8] = {};
};

CQuantizer::CQuantizer(UINT maxColours, UINT colourBits)
    : m_maxColours(std::clamp<UINT>(maxColours, 1, 256)), m_bits(std::clamp<UINT>(colourBits, 1, 8))
{
    m_root = NewNode(0);
}

CQuantizer::~CQuantizer() = default;

CQuantizer::Node* CQuantizer::NewNode(int level)
{
    m_pool.push_back(std::make_unique<Node>());
    Node* node = m_pool.back().get();
    node->leaf = level == static_cast<int>(m_bits);
    if (node->leaf)
        ++m_leaves;
    else
        m_reducible[level].push_back(node);
    return node;
}

void CQuantizer::Add(BYTE r, BYTE g, BYTE b)
{
    Node* node = m_root;
    for (int level = 0; !node->leaf; ++level) {
        const int shift = 7 - level;
        const int i = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
        if (!node->children[i])
            node->children[i] = NewNode(level + 1);
        node = node->children[i];
    }
    node->red += r;
    node->green += g;
    node->blue += b;
    ++node->count;
    while (m_leaves > m_maxColours)
        Reduce();
}

void CQuantizer::Reduce()
{
    int level = static_cast<int>(m_bits) - 1;
    while (level > 0 && m_reducible[level].empty())
        --level;
    if (m_reducible[level].empty())
        return;
    Node* node = m_reducible[level].back();
    m_reducible[level].pop_back();
    UINT merged = 0;
    for (Node*& child : node->children) {
        if (!child)
            continue;
        node->red += child->red;
        node->green += child->green;
        node->blue += child->blue;
        node->count += child->count;
        child = nullptr;
        ++merged;
    }
    node->leaf = true;
    m_leaves = m_leaves - merged + 1;
}

bool CQuantizer::ProcessImage(const CxImage& picture)
{
    if (!picture.IsValid() || (picture.GetBpp() != 24 && picture.GetBpp() != 8))
        return false;
    const long w = picture.GetWidth(), h = picture.GetHeight();
    for (long y = 0; y < h; ++y) {
        const BYTE* row = picture.GetBits(y);
        for (long x = 0; x < w; ++x) {
            if (picture.GetBpp() == 24) {
                Add(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
            } else {
                const RGBQUAD c = picture.GetPaletteColor(row[x]);
                Add(c.rgbRed, c.rgbGreen, c.rgbBlue);
            }
        }
    }
    return true;
}

void CQuantizer::SetColorTable(RGBQUAD* table) const
{
    if (!table)
        return;
    UINT index = 0;
    std::vector<const Node*> stack{m_root};
    while (!stack.empty() && index < 256) {
        const Node* node = stack.back();
        stack.pop_back();
        if (node->leaf) {
            if (node->count == 0)
                continue;
            const uint64_t n = node->count;
            table[index++] = RGBQUAD{static_cast<BYTE>((node->blue + n / 2) / n), static_cast<BYTE>((node->green + n / 2) / n),
                                     static_cast<BYTE>((node->red + n / 2) / n), 0};
            continue;
        }
        for (int i = 7; i >= 0; --i)
            if (node->children[i])
                stack.push_back(node->children[i]);
    }
}

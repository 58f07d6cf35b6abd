#pragma once
// The in-place XML reader. A file in UTF-8 or UTF-16 (either order) becomes one UTF-16 text
// buffer, and the nodes' names, values and attributes point into it: the parser writes the
// terminators into the buffer. It knows elements, double-quoted attributes, the text of leaf
// elements and comments; it skips declarations and processing instructions and decodes no
// entities. A tree lives as long as its document's buffer.
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <memory_resource>
#include "ZVUILibDef.h"

enum XmlNodeKind : int32_t {
    XML_NODE_DOCUMENT = 0,
    XML_NODE_ELEMENT = 1,
    XML_NODE_COMMENT = 2,
};

// Strings are "" when unset. An owned string was allocated with new[] by the node and is
// freed with it; the reader's strings point into the document and own nothing.
struct ZVUILIB_API XmlAttribute {
    XmlAttribute() = default;
    ~XmlAttribute();
    XmlAttribute(const XmlAttribute&) = delete;
    XmlAttribute& operator=(const XmlAttribute&) = delete;

    const wchar_t* name = L"";
    const wchar_t* value = L"";
    uint8_t nameOwned = 0;
    uint8_t valueOwned = 0;
};

// A node's lists take their memory where its parent's do: a loaded document's nodes all come
// from the document's arena (a large file makes a million of them), a built tree's from the
// heap.
class ZVUILIB_API XmlNode {
public:
    typedef std::pmr::list<XmlNode>::iterator ChildPos;

    XmlNode(int32_t kind, XmlNode* parent);
    ~XmlNode();
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    void Clear();
    void ClearAttributes();
    void ClearChildren();

    XmlNode* FindChild(const wchar_t* name);
    // The children of that name in document order; null at the end.
    XmlNode* FindFirstChild(const wchar_t* name, ChildPos& position);
    XmlNode* FindNextChild(const wchar_t* name, ChildPos& position);
    XmlAttribute* FindAttribute(const wchar_t* name);

    const wchar_t* name = L""; // an element's name, a comment's text
    const wchar_t* value = L""; // a leaf element's text, raw
    uint8_t nameOwned = 0;
    uint8_t valueOwned = 0;
    int32_t kind;
    std::pmr::list<XmlAttribute> attributes;
    XmlNode* parent;
    std::pmr::list<XmlNode> children;

protected:
    XmlNode(int32_t kind, std::pmr::memory_resource* memory);
};

// Memory handed out in large blocks and given back all at once when the document is cleared.
// A base of XmlDocument, so that it exists before the root's lists that use it.
struct XmlNodeArena {
    std::pmr::monotonic_buffer_resource arena{4096};
};

// The root (kind 0), whose children are the top-level elements and comments, and the text.
class ZVUILIB_API XmlDocument : private XmlNodeArena, public XmlNode {
public:
    XmlDocument();
    ~XmlDocument();

    void Clear();

    std::unique_ptr<wchar_t[]> buffer; // the loaded text; null for a built tree
};

// Files larger than this are refused by XmlLoadFile.
const uint32_t XML_MAX_FILE_SIZE = 256u << 20;

// False when the file cannot be read or parsed; the document then holds nothing.
ZVUILIB_API bool XmlLoadFile(XmlDocument* document, const wchar_t* path);
// Parses a copy of count bytes; the caller keeps its bytes. False leaves the document empty.
ZVUILIB_API bool XmlParseBuffer(XmlDocument* document, const void* bytes, size_t count);

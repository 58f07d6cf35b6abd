#pragma once
// The in-place XML reader. A file in UTF-8 or UTF-16 (either order) becomes one UTF-16 text
// buffer, and the nodes' names, values and attributes point into it: the parser writes the
// terminators into the buffer. It knows elements, double-quoted attributes, the text of leaf
// elements and comments; it skips declarations and processing instructions. In attribute values
// and element text it decodes the five predefined entities and character references; an "&"
// that starts none of them stays as it is. A loaded tree lives as long as its document's buffer;
// a tree built with AddChild and AddAttribute owns its strings.
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

// The name and value that elements, comments and attributes share. Strings are "" when unset.
// An owned string was allocated with new[] by the record and is freed with it; the reader's
// strings point into the document and own nothing.
struct ZVUILIB_API XmlNameValue {
    XmlNameValue() = default;
    ~XmlNameValue();
    XmlNameValue(const XmlNameValue&) = delete;
    XmlNameValue& operator=(const XmlNameValue&) = delete;

    void SetName(const wchar_t* text);
    void SetValue(const wchar_t* text);
    void SetIntValue(int number);
    void SetHexValue(int number);
    void SetFloatValue(double number);
    int GetHexValue() const;
    bool GetBoolValue() const;
    void ClearStrings();

    const wchar_t* name = L""; // an element's or attribute's name, a comment's text
    const wchar_t* value = L""; // an attribute's value, a leaf element's text
    uint8_t nameOwned = 0;
    uint8_t valueOwned = 0;
};

struct ZVUILIB_API XmlAttribute : XmlNameValue {
};

// A node's lists take their memory where its parent's do: a loaded document's nodes all come
// from the document's arena (a large file makes a million of them), a built tree's from the
// heap.
class ZVUILIB_API XmlNode : public XmlNameValue {
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

    // Null for a kind other than an element or a comment.
    XmlNode* AddChild(const wchar_t* name, int32_t kind);
    XmlAttribute* AddAttribute(const wchar_t* name);

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

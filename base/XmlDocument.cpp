#include "XmlDocument.h"
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include "LocalFileIO.h"
#include "WStr.h"

namespace {

const wchar_t kReplacement = 0xFFFD;
const size_t kFailed = SIZE_MAX;

// UTF-8 to UTF-16. Characters beyond 16 bits become surrogate pairs. Strict (a file without
// mark): every byte of 128 and above must lead or continue a sequence, or the text is taken for
// an 8-bit code page and refused. Otherwise a malformed sequence becomes U+FFFD and a sequence
// cut off by the end of the data ends the text. Overlong sequences and encoded surrogates
// become U+FFFD in both: an overlong "<" must not turn into markup.
// out may share a buffer with s when s lies at least n bytes above it: the units written never
// reach a byte not read yet.
size_t DecodeUtf8(const uint8_t* s, size_t n, wchar_t* out, bool strict)
{
    size_t o = 0;
    for (size_t i = 0; i < n;) {
        const uint8_t b = s[i];
        if (b < 0x80) {
            out[o++] = wchar_t(b);
            ++i;
            continue;
        }
        size_t follow;
        uint32_t cp, least;
        if ((b & 0xE0) == 0xC0)
            follow = 1, cp = b & 0x1F, least = 0x80;
        else if ((b & 0xF0) == 0xE0)
            follow = 2, cp = b & 0x0F, least = 0x800;
        else if ((b & 0xF8) == 0xF0)
            follow = 3, cp = b & 0x07, least = 0x10000;
        else if (strict)
            return kFailed;
        else {
            out[o++] = kReplacement;
            ++i;
            continue;
        }
        if (n - i - 1 < follow)
            return strict ? kFailed : o;
        bool continued = true;
        for (size_t k = 1; k <= follow && continued; ++k)
            continued = (s[i + k] & 0xC0) == 0x80;
        if (!continued) {
            if (strict)
                return kFailed;
            out[o++] = kReplacement;
            ++i;
            continue;
        }
        for (size_t k = 1; k <= follow; ++k)
            cp = (cp << 6) | (s[i + k] & 0x3F);
        i += follow + 1;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out[o++] = kReplacement;
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out[o++] = wchar_t(0xD800 | (cp >> 10));
            out[o++] = wchar_t(0xDC00 | (cp & 0x3FF));
        } else {
            out[o++] = wchar_t(cp);
        }
    }
    return o;
}

// A text buffer of count + 1 units whose upper count bytes receive the file's bytes, so that
// they can be decoded in place: a file's load needs no second copy of it.
std::unique_ptr<wchar_t[]> NewTextBuffer(size_t count)
{
    if (count > SIZE_MAX / sizeof(wchar_t) - 1)
        return nullptr;
    return std::unique_ptr<wchar_t[]>(new (std::nothrow) wchar_t[count + 1]);
}

uint8_t* UpperBytes(wchar_t* text, size_t count)
{
    return reinterpret_cast<uint8_t*>(text) + count * sizeof(wchar_t) + sizeof(wchar_t) - count;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// The next c at or after from, or n.
size_t FindChar(const wchar_t* text, size_t from, size_t n, wchar_t c)
{
    if (from >= n)
        return n;
    const wchar_t* hit = std::wmemchr(text + from, c, n - from);
    return hit ? size_t(hit - text) : n;
}

size_t FindCommentEnd(const wchar_t* text, size_t from, size_t n)
{
    for (size_t i = FindChar(text, from, n, L'-'); i + 2 < n; i = FindChar(text, i + 1, n, L'-'))
        if (text[i + 1] == L'-' && text[i + 2] == L'>')
            return i;
    return n;
}

// The ">" that ends a start tag: one inside a quoted attribute value does not.
size_t FindStartTagEnd(const wchar_t* text, size_t from, size_t n)
{
    bool quoted = false;
    for (size_t i = from; i < n; ++i) {
        if (text[i] == L'"')
            quoted = !quoted;
        else if (text[i] == L'>' && !quoted)
            return i;
    }
    return n;
}

// The character that the reference text[i, n) starts with ("&...;"), and its length; 0 when
// it is none. References to characters XML forbids (controls, surrogates) count as none.
size_t ReadReference(const wchar_t* text, size_t i, size_t n, uint32_t& cp)
{
    static const struct {
        const wchar_t* name;
        wchar_t c;
    } kEntities[] = {{L"lt;", L'<'}, {L"gt;", L'>'}, {L"amp;", L'&'}, {L"quot;", L'"'}, {L"apos;", L'\''}};
    const size_t left = n - i - 1;
    for (const auto& entity : kEntities) {
        const size_t length = std::wcslen(entity.name);
        if (left >= length && std::wmemcmp(text + i + 1, entity.name, length) == 0) {
            cp = uint32_t(entity.c);
            return length + 1;
        }
    }
    if (left < 3 || text[i + 1] != L'#')
        return 0;
    const bool hex = text[i + 2] == L'x';
    size_t k = i + (hex ? 3 : 2);
    const size_t digitsBegin = k;
    cp = 0;
    for (; k < n && k - digitsBegin < 8; ++k) {
        const wchar_t c = text[k];
        uint32_t digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (hex && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (hex && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            break;
        cp = cp * (hex ? 16 : 10) + digit;
    }
    if (k == digitsBegin || k == n || text[k] != L';')
        return 0;
    const bool allowed = cp == 9 || cp == 10 || cp == 13 || (cp >= 0x20 && cp < 0xD800) ||
                         (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
    return allowed ? k - i + 1 : 0;
}

// Decodes the references of text[0, n) in place and terminates the result, which is never
// longer: a character beyond 16 bits takes two units, its reference at least eight.
void DecodeReferences(wchar_t* text, size_t n)
{
    size_t o = 0;
    for (size_t i = 0; i < n;) {
        uint32_t cp;
        const size_t length = text[i] == L'&' ? ReadReference(text, i, n, cp) : 0;
        if (length == 0) {
            text[o++] = text[i++];
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            text[o++] = wchar_t(0xD800 | (cp >> 10));
            text[o++] = wchar_t(0xDC00 | (cp & 0x3FF));
        } else {
            text[o++] = wchar_t(cp);
        }
        i += length;
    }
    text[o] = 0;
}

// Reads the start tag text[begin, end), end being its ">": the name, then name="value"
// attributes. A name not followed by = and a double quote ends the list (so a value in single
// quotes is not read); an opening quote without its closing one breaks the tag. Names and
// values are terminated in place. selfClosing is set for a tag ending in "/".
bool XmlParseTag(XmlNode& node, wchar_t* text, size_t begin, size_t end, bool& selfClosing)
{
    size_t i = begin;
    while (i < end && !IsBlank(text[i]) && text[i] != L'/')
        ++i;
    const wchar_t stop = text[i];
    node.name = text + begin;
    text[i] = 0;
    selfClosing = stop == L'/';
    size_t last = end;
    while (last > begin && IsBlank(text[last - 1]))
        --last;
    if (last > i && text[last - 1] == L'/')
        selfClosing = true;
    if (!IsBlank(stop))
        return true;

    for (++i;;) {
        while (i < end && IsBlank(text[i]))
            ++i;
        const size_t nameBegin = i;
        while (i < end && !IsBlank(text[i]) && text[i] != L'=' && text[i] != L'/')
            ++i;
        const size_t nameEnd = i;
        if (nameEnd == nameBegin)
            return true;
        while (i < end && IsBlank(text[i]))
            ++i;
        if (i == end || text[i] != L'=')
            return true;
        ++i;
        while (i < end && IsBlank(text[i]))
            ++i;
        if (i == end || text[i] != L'"')
            return true;
        const size_t close = FindChar(text, i + 1, end, L'"');
        if (close == end)
            return false;
        node.attributes.emplace_back();
        XmlAttribute& attribute = node.attributes.back();
        attribute.name = text + nameBegin;
        attribute.value = text + i + 1;
        text[nameEnd] = 0;
        DecodeReferences(text + i + 1, close - i - 1);
        i = close + 1;
    }
}

// Builds the tree under root from text[0, n). Every scan is bounded by n; nesting is followed
// by a current node and a depth, without recursion, so deep hostile input cannot exhaust the
// stack.
bool XmlParseText(XmlNode& root, wchar_t* text, size_t n)
{
    XmlNode* current = &root;
    size_t depth = 0;
    size_t contentBegin = 0; // where the current element's text starts
    for (size_t pos = 0;;) {
        const size_t open = FindChar(text, pos, n, L'<');
        if (open == n)
            break;
        const size_t begin = open + 1;
        if (n - open >= 7 && text[begin] == L'!' && text[begin + 1] == L'-' && text[begin + 2] == L'-') {
            const size_t close = FindCommentEnd(text, begin + 3, n);
            if (close == n)
                return false;
            current->children.emplace_back(XML_NODE_COMMENT, current);
            current->children.back().name = text + begin + 3;
            text[close] = 0;
            pos = close + 3;
            continue;
        }
        const wchar_t first = begin < n ? text[begin] : 0;
        const bool startTag = first != L'!' && first != L'/' && first != L'?';
        const size_t end = startTag ? FindStartTagEnd(text, begin, n) : FindChar(text, begin, n, L'>');
        if (end == n || end == begin)
            return false;
        pos = end + 1;
        if (first == L'!') {
            // A declaration such as a document type: kept as a comment-like node.
            if (end - begin < 5)
                return false;
            current->children.emplace_back(XML_NODE_COMMENT, current);
            current->children.back().name = text + begin + 1;
            text[end] = 0;
        } else if (first == L'/') {
            // The end tag's name is not compared with the open element's.
            if (depth == 0)
                return false;
            if (current->children.empty()) {
                current->value = text + contentBegin;
                DecodeReferences(text + contentBegin, open - contentBegin);
            }
            current = current->parent;
            --depth;
        } else if (startTag) {
            current->children.emplace_back(XML_NODE_ELEMENT, current);
            XmlNode& node = current->children.back();
            bool selfClosing = false;
            if (!XmlParseTag(node, text, begin, end, selfClosing))
                return false;
            if (!selfClosing) {
                current = &node;
                ++depth;
                contentBegin = end + 1;
            }
        }
    }
    return depth == 0;
}

const wchar_t* OrEmpty(const wchar_t* text)
{
    return text ? text : L"";
}

} // namespace

XmlNameValue::~XmlNameValue()
{
    ClearStrings();
}

void XmlNameValue::ClearStrings()
{
    if (nameOwned)
        delete[] name;
    if (valueOwned)
        delete[] value;
    name = value = L"";
    nameOwned = valueOwned = 0;
}

namespace {

// An owned copy of text, or "" for null text (then not owned).
const wchar_t* CopyText(const wchar_t* text, uint8_t& owned)
{
    if (!text) {
        owned = 0;
        return L"";
    }
    const size_t length = std::wcslen(text);
    wchar_t* copy = new wchar_t[length + 1];
    std::wmemcpy(copy, text, length + 1);
    owned = 1;
    return copy;
}

} // namespace

void XmlNameValue::SetName(const wchar_t* text)
{
    uint8_t owned;
    const wchar_t* copy = CopyText(text, owned);
    if (nameOwned)
        delete[] name;
    name = copy;
    nameOwned = owned;
}

void XmlNameValue::SetValue(const wchar_t* text)
{
    uint8_t owned;
    const wchar_t* copy = CopyText(text, owned);
    if (valueOwned)
        delete[] value;
    value = copy;
    valueOwned = owned;
}

void XmlNameValue::SetIntValue(int number)
{
    wchar_t text[256];
    std::swprintf(text, 256, L"%d", number);
    SetValue(text);
}

void XmlNameValue::SetHexValue(int number)
{
    wchar_t text[256];
    std::swprintf(text, 256, L"%X", unsigned(number));
    SetValue(text);
}

void XmlNameValue::SetFloatValue(double number)
{
    wchar_t text[256];
    std::swprintf(text, 256, L"%g", number);
    SetValue(text);
}

// Upper- and lower-case digits alike; 0 when nothing parses.
int XmlNameValue::GetHexValue() const
{
    unsigned number = 0;
    if (std::swscanf(value, L"%X", &number) != 1)
        return 0;
    return int(number);
}

bool XmlNameValue::GetBoolValue() const
{
    return WStrCompare(value, L"true") == 0 || WStrCompare(value, L"TRUE") == 0;
}

XmlNode::XmlNode(int32_t kind, XmlNode* parent)
    : kind(kind), attributes(parent ? parent->children.get_allocator().resource() : std::pmr::get_default_resource()),
      parent(parent), children(attributes.get_allocator())
{
}

XmlNode::XmlNode(int32_t kind, std::pmr::memory_resource* memory)
    : kind(kind), attributes(memory), parent(nullptr), children(memory)
{
}

XmlNode::~XmlNode()
{
    Clear();
}

void XmlNode::Clear()
{
    ClearAttributes();
    ClearChildren();
    ClearStrings();
}

void XmlNode::ClearAttributes()
{
    attributes.clear();
}

// Each child's own children move to the end of this list before the child goes, so no node is
// destroyed with children of its own: no recursion however deep the tree.
void XmlNode::ClearChildren()
{
    while (!children.empty()) {
        XmlNode& first = children.front();
        children.splice(children.end(), first.children);
        children.pop_front();
    }
}

XmlNode* XmlNode::FindChild(const wchar_t* name)
{
    ChildPos position;
    return FindFirstChild(name, position);
}

XmlNode* XmlNode::FindFirstChild(const wchar_t* name, ChildPos& position)
{
    position = children.begin();
    return FindNextChild(name, position);
}

// Comments hold their text in the name; only elements are found.
XmlNode* XmlNode::FindNextChild(const wchar_t* name, ChildPos& position)
{
    for (; position != children.end(); ++position) {
        if (position->kind == XML_NODE_ELEMENT && WStrCompare(position->name, OrEmpty(name)) == 0) {
            XmlNode* found = &*position;
            ++position;
            return found;
        }
    }
    return nullptr;
}

XmlAttribute* XmlNode::FindAttribute(const wchar_t* name)
{
    for (XmlAttribute& attribute : attributes)
        if (WStrCompare(attribute.name, OrEmpty(name)) == 0)
            return &attribute;
    return nullptr;
}

XmlNode* XmlNode::AddChild(const wchar_t* name, int32_t kind)
{
    if (kind != XML_NODE_ELEMENT && kind != XML_NODE_COMMENT)
        return nullptr;
    children.emplace_back(kind, this);
    XmlNode& child = children.back();
    child.SetName(name);
    return &child;
}

XmlAttribute* XmlNode::AddAttribute(const wchar_t* name)
{
    attributes.emplace_back();
    attributes.back().SetName(name);
    return &attributes.back();
}

XmlDocument::XmlDocument() : XmlNode(XML_NODE_DOCUMENT, &arena)
{
}

XmlDocument::~XmlDocument()
{
    Clear();
}

// The nodes go first: they live in the arena and point into the buffer.
void XmlDocument::Clear()
{
    XmlNode::Clear();
    arena.release();
    buffer.reset();
}

namespace {

// Decodes the bytes standing in the upper part of text (NewTextBuffer) and parses them.
bool ParseTextBuffer(XmlDocument* document, std::unique_ptr<wchar_t[]> text, size_t count)
{
    const uint8_t* b = UpperBytes(text.get(), count);
    size_t n;
    if ((b[0] == 0xFE && b[1] == 0xFF) || (b[0] == 0xFF && b[1] == 0xFE)) {
        // Each unit is read before it is written, at or below where it was.
        const bool big = b[0] == 0xFE;
        n = (count - 2) / 2;
        for (size_t i = 0; i < n; ++i) {
            const uint8_t first = b[2 + 2 * i], second = b[3 + 2 * i];
            text[i] = big ? wchar_t((first << 8) | second) : wchar_t((second << 8) | first);
        }
    } else if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        n = DecodeUtf8(b + 3, count - 3, text.get(), false);
    } else {
        n = DecodeUtf8(b, count, text.get(), true);
        if (n == kFailed)
            return false;
    }
    text[n] = 0;
    document->buffer = std::move(text);
    if (!XmlParseText(*document, document->buffer.get(), n)) {
        document->Clear();
        return false;
    }
    return true;
}

} // namespace

bool XmlParseBuffer(XmlDocument* document, const void* bytes, size_t count)
{
    if (!document)
        return false;
    document->Clear();
    if (!bytes || count < 3)
        return false;
    std::unique_ptr<wchar_t[]> text = NewTextBuffer(count);
    if (!text)
        return false;
    std::memcpy(UpperBytes(text.get(), count), bytes, count);
    return ParseTextBuffer(document, std::move(text), count);
}

bool XmlLoadFile(XmlDocument* document, const wchar_t* path)
{
    if (!document)
        return false;
    document->Clear();
    CFileIO& io = GetLocalFileIO();
    HANDLE file;
    if (!io.Open(path, file, FILEIO_SHARE_READ))
        return false;
    const int64_t size = io.GetSize(file);
    std::unique_ptr<wchar_t[]> text;
    bool read = false;
    if (size >= 3 && size <= int64_t(XML_MAX_FILE_SIZE)) {
        text = NewTextBuffer(size_t(size));
        read = text && io.ReadAt(file, UpperBytes(text.get(), size_t(size)), DWORD(size), 0) == DWORD(size);
    }
    io.Close(file);
    return read && ParseTextBuffer(document, std::move(text), size_t(size));
}

#include "XmlWriter.h"
#include <cstdint>
#include "LocalFileIO.h"

namespace {

const wchar_t kReplacement = 0xFFFD;

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

enum TextKind { TEXT_ELEMENT, TEXT_ATTRIBUTE, TEXT_COMMENT };

// Appends text so that the reader gives it back unchanged. Characters XML forbids (controls,
// lone surrogates, U+FFFE and U+FFFF) become U+FFFD. In an attribute value tab, CR and LF are
// references, since a conforming reader would turn them into blanks; a comment takes no
// markup, so only its "--" is broken up.
void AppendText(std::wstring& out, const wchar_t* text, TextKind kind)
{
    for (const wchar_t* p = text; *p; ++p) {
        wchar_t c = *p;
        if (IsHighSurrogate(c) && IsLowSurrogate(p[1])) {
            out += c;
            out += *++p;
            continue;
        }
        if ((c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') || IsHighSurrogate(c) || IsLowSurrogate(c) ||
            c == 0xFFFE || c == 0xFFFF)
            c = kReplacement;
        if (kind == TEXT_COMMENT) {
            out += c;
            // "<!--a-->" must not become "<!--a--->": no dash before another or at the end.
            if (c == L'-' && (p[1] == L'-' || p[1] == 0))
                out += L' ';
            continue;
        }
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': kind == TEXT_ATTRIBUTE ? out += L"&quot;" : out += c; break;
        case L'\t': kind == TEXT_ATTRIBUTE ? out += L"&#9;" : out += c; break;
        case L'\n': kind == TEXT_ATTRIBUTE ? out += L"&#10;" : out += c; break;
        case L'\r': kind == TEXT_ATTRIBUTE ? out += L"&#13;" : out += c; break;
        default: out += c;
        }
    }
}

} // namespace

void XmlWriteNode(const XmlNode* node, std::wstring& out, int depth)
{
    if (depth < 0) {
        for (const XmlNode& child : node->children)
            XmlWriteNode(&child, out, depth + 1);
        return;
    }
    out.append(size_t(depth), L'\t');
    if (node->kind == XML_NODE_COMMENT) {
        out += L"<!--";
        AppendText(out, node->name, TEXT_COMMENT);
        out += L"-->\r\n";
        return;
    }
    out += L'<';
    out += node->name;
    for (const XmlAttribute& attribute : node->attributes) {
        out += L' ';
        out += attribute.name;
        out += L"=\"";
        AppendText(out, attribute.value, TEXT_ATTRIBUTE);
        out += L'"';
    }
    if (node->children.empty() && (!node->value || !*node->value)) {
        out += L"/>\r\n";
        return;
    }
    out += L'>';
    if (!node->children.empty()) {
        // The text of an element with children is not written: the reader keeps none.
        out += L"\r\n";
        for (const XmlNode& child : node->children)
            XmlWriteNode(&child, out, depth + 1);
        out.append(size_t(depth), L'\t');
    } else {
        AppendText(out, node->value, TEXT_ELEMENT);
    }
    out += L"</";
    out += node->name;
    out += L">\r\n";
}

bool XmlSaveFile(XmlDocument* document, const wchar_t* path)
{
    if (!document || !path)
        return false;
    std::wstring out = L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n";
    XmlWriteNode(document, out, -1);
    static_assert(sizeof(wchar_t) == 2, "the file is UTF-16 LE, as wchar_t on Windows");
    if (out.size() > UINT32_MAX / sizeof(wchar_t))
        return false;
    // WriteWholeFile writes a temporary file beside the target and then replaces it.
    return GetLocalFileIO().WriteWholeFile(path, out.data(), DWORD(out.size() * sizeof(wchar_t)));
}

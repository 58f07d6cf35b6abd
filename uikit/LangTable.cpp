#include "LangTable.h"
#include <cstring>
#include <string>
#include <vector>
#include "BaseUtil.h"
#include "LocalFileIO.h"
#include "TextLines.h"
#include "UTXTFile.h"
#include "WStr.h"

namespace {

// Language files are a few hundred lines; anything far larger is not one.
const uint32_t kMaxLanguageFileBytes = 16u << 20;

const wchar_t kAuto[] = L"Auto";

// The conversions of a printf format in order, each written as its * arguments, its length
// modifier and its letter ("%%" is text, not a conversion). A format that ends inside a
// conversion gives a last entry without a letter.
std::vector<std::wstring> FormatConversions(const wchar_t* s)
{
    std::vector<std::wstring> found;
    if (!s)
        return found;
    while (*s) {
        if (*s++ != L'%')
            continue;
        if (*s == L'%') {
            ++s;
            continue;
        }
        std::wstring conversion;
        while (*s && WStrFindChar(L"-+ #0", *s))
            ++s;
        if (*s == L'*') {
            conversion += *s++;
        } else {
            while (*s >= L'0' && *s <= L'9')
                ++s;
        }
        if (*s == L'.') {
            ++s;
            if (*s == L'*')
                conversion += *s++;
            else
                while (*s >= L'0' && *s <= L'9')
                    ++s;
        }
        for (;;) {
            if (*s == L'I') {
                conversion += *s++;
                if ((s[0] == L'3' && s[1] == L'2') || (s[0] == L'6' && s[1] == L'4')) {
                    conversion.append(s, 2);
                    s += 2;
                }
            } else if (*s && WStrFindChar(L"hlLwzjtq", *s)) {
                conversion += *s++;
            } else {
                break;
            }
        }
        if (*s)
            conversion += *s++;
        found.push_back(conversion);
    }
    return found;
}

// A line of the file: [start, start + length) of the text.
struct LineSpan {
    size_t start;
    size_t length;
};

// Every CR LF, LF or CR ends a line, so that an empty line stays one (the pair rule needs to
// see it). A rest after the last break is the last line.
std::vector<LineSpan> SplitLines(const std::wstring& text)
{
    std::vector<LineSpan> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n')
            continue;
        lines.push_back({start, i - start});
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back({start, text.size() - start});
    return lines;
}

} // namespace

bool SameFormatConversions(const wchar_t* english, const wchar_t* translated)
{
    return FormatConversions(english) == FormatConversions(translated);
}

bool CLangTable::LoadLanguageFile(const wchar_t* path)
{
    m_translations.RemoveAll();
    CImageFile file(&GetLocalFileIO());
    if (!file.OpenImage(path, nullptr) || file.GetSize() > kMaxLanguageFileBytes)
        return false;
    std::unique_ptr<uint8_t[]> data = ReadWholeImage(file);
    return data && ParseLanguageFile(data.get(), file.GetSize());
}

// Pairs of lines: an English text and its translation. Empty lines between pairs are skipped;
// a translation that is empty or begins with ";" leaves its text untranslated, the pair being
// used up either way. A translation whose printf conversions differ from the English text's
// would misread the caller's arguments, so the English text stands in for it.
bool CLangTable::ParseLanguageFile(const void* data, size_t bytes)
{
    m_translations.RemoveAll();
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (!p || bytes < 2 || p[0] != 0xFF || p[1] != 0xFE)
        return false;
    std::wstring text((bytes - 2) / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(&text[0], p + 2, text.size() * sizeof(wchar_t));
    const std::vector<LineSpan> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size();) {
        if (lines[i].length == 0) {
            ++i;
            continue;
        }
        if (i + 1 == lines.size())
            break;
        const std::wstring english = text.substr(lines[i].start, lines[i].length);
        const std::wstring translated = text.substr(lines[i + 1].start, lines[i + 1].length);
        i += 2;
        if (translated.empty() || translated[0] == L';')
            continue;
        const bool usable = SameFormatConversions(english.c_str(), translated.c_str());
        m_translations.Insert(Key(english.c_str()), String(usable ? translated.c_str() : english.c_str()));
    }
    return true;
}

// "name|local name|id" with a hexadecimal id; other lines are skipped, and the first line of an
// id wins.
bool CLangTable::LoadLanguageList(const wchar_t* path)
{
    m_languages.RemoveAll();
    CUTXTFile file(&GetLocalFileIO());
    if (!file.OpenImage(path, nullptr))
        return false;
    CUTXTFile::LineList& lines = file.GetLines();
    for (CUTXTFile::LineList::Iter it = lines.Begin(); it != lines.End(); it.Next()) {
        const wchar_t* line = it->GetString();
        const wchar_t* bar1 = WStrFindChar(line, L'|');
        const wchar_t* bar2 = bar1 ? WStrFindChar(bar1 + 1, L'|') : nullptr;
        DWORD id = 0;
        if (!bar2 || bar1 == line || !ParseHexDWord(bar2 + 1, &id))
            continue;
        LANG_LIST_ITEM item;
        item.name = String(std::wstring(line, bar1).c_str());
        item.localName = String(std::wstring(bar1 + 1, bar2).c_str());
        if (item.localName.IsEmpty())
            item.localName = item.name;
        m_languages.Insert(id, item);
    }
    return true;
}

const wchar_t* CLangTable::Lookup(const wchar_t* text) const
{
    Key key;
    key.Attach(text ? text : L"");
    Translations::Iter found = m_translations.Find(key);
    return found.IsEnd() ? text : found.GetValue().GetString();
}

const wchar_t* CLangTable::ResolveAuto(LANGID systemLanguage) const
{
    Languages::Iter exact = m_languages.Find(systemLanguage);
    if (!exact.IsEnd())
        return exact.GetValue().name.GetString();
    const DWORD primary = PRIMARYLANGID(systemLanguage);
    if (primary == LANG_ENGLISH)
        return kAuto;
    for (Languages::Iter it = m_languages.Begin(); !it.IsEnd(); it.Next())
        if ((it.GetKey() & 0x3FF) == primary)
            return it.GetValue().name.GetString();
    return kAuto;
}

const LANG_LIST_ITEM* CLangTable::FindLanguage(const wchar_t* name) const
{
    for (Languages::Iter it = m_languages.Begin(); !it.IsEnd(); it.Next())
        if (WStrCompare(it.GetValue().name.GetString(), name) == 0)
            return &it.GetValue();
    return nullptr;
}

#include "INIFile.h"
#include <windows.h>
#include <climits>
#include <string>
#include "LocalFileIO.h"
#include "TextLines.h"
#include "WStr.h"

namespace {

typedef ALT::TString<wchar_t, 1, 8> NoCaseString;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

void TrimBlanks(const char*& begin, const char*& end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
}

void TrimBlanksAndQuotes(const char*& begin, const char*& end)
{
    while (begin < end && (IsBlank(*begin) || *begin == '"'))
        ++begin;
    while (end > begin && (IsBlank(end[-1]) || end[-1] == '"'))
        --end;
}

const char* FindIn(const char* begin, const char* end, char c)
{
    while (begin < end && *begin != c)
        ++begin;
    return begin;
}

std::wstring Widen(const char* begin, const char* end)
{
    const int length = int(end - begin);
    if (length <= 0)
        return std::wstring();
    const int units = MultiByteToWideChar(CP_ACP, 0, begin, length, nullptr, 0);
    std::wstring text(size_t(units > 0 ? units : 0), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_ACP, 0, begin, length, &text[0], units);
    return text;
}

// Characters the code page lacks become its default character.
void AppendNarrowed(ALT::TString<char, 0, 4096>& out, const wchar_t* text, int length)
{
    if (length <= 0)
        return;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return;
    std::string narrow(size_t(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], bytes, nullptr, nullptr);
    out.AppendStr(narrow.c_str());
}

// A value written in quotes ends at the quote after which only blanks and perhaps a ";"
// comment follow, so that a ";" or a quote inside it is kept. Anything else ends at the first
// ";", with blanks and quotes taken off both ends.
void FindValue(const char* begin, const char* end, const char*& valueBegin, const char*& valueEnd)
{
    const char* q = begin;
    while (q < end && IsBlank(*q))
        ++q;
    if (q < end && *q == '"') {
        for (const char* c = q + 1; c < end; ++c) {
            if (*c != '"')
                continue;
            const char* rest = c + 1;
            while (rest < end && IsBlank(*rest))
                ++rest;
            if (rest == end || *rest == ';') {
                valueBegin = q + 1;
                valueEnd = c;
                return;
            }
        }
    }
    valueBegin = begin;
    valueEnd = FindIn(begin, end, ';');
    TrimBlanksAndQuotes(valueBegin, valueEnd);
}

} // namespace

CINIFile::CINIFile() = default;

CINIFile::CINIFile(CFileIO* io) : CTXTFile(io)
{
}

CINIFile::~CINIFile() = default;

bool CINIFile::OpenImage(const wchar_t* path, HANDLE handle)
{
    if (!CTXTFile::OpenImage(path, handle))
        return false;
    ParseIni();
    return true;
}

void CINIFile::CloseImage()
{
    CTXTFile::CloseImage();
    RemoveAllSections();
}

bool CINIFile::AppendText(const char* text, uint32_t byteCount)
{
    CTXTFile::AppendText(text, byteCount);
    ParseIni();
    return true;
}

bool CINIFile::SaveAs(const wchar_t* path)
{
    ALT::TString<char, 0, 4096> text;
    WriteText(text);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.GetString());
    const std::vector<uint8_t> data(bytes, bytes + text.GetLength());
    return WriteImageText(*this, GetLocalFileIO(), path ? path : GetName(), data);
}

bool CINIFile::WriteText(ALT::TString<char, 0, 4096>& out)
{
    auto writeEntries = [&out](const ST_IniSection& section) {
        for (ALT::TList<ST_IniEntry>::Iter it = section.entries.Begin(); it != section.entries.End(); it.Next()) {
            AppendNarrowed(out, it->key.GetString(), it->key.GetLength());
            out.AppendStr(it->quoted ? "=\"" : "=");
            AppendNarrowed(out, it->value.GetString(), it->value.GetLength());
            out.AppendStr(it->quoted ? "\"\r\n" : "\r\n");
        }
    };
    for (SectionList::Iter it = m_sections.Begin(); it != m_sections.End(); it.Next())
        if (it->name.IsEmpty())
            writeEntries(it.Get());
    for (SectionList::Iter it = m_sections.Begin(); it != m_sections.End(); it.Next()) {
        if (it->name.IsEmpty())
            continue;
        out.AppendStr("[");
        AppendNarrowed(out, it->name.GetString(), it->name.GetLength());
        out.AppendStr("]\r\n");
        writeEntries(it.Get());
    }
    return true;
}

// The sections are built afresh from all lines, so a second parse adds nothing twice.
void CINIFile::ParseIni()
{
    RemoveAllSections();
    NoCaseString current;
    LineList& lines = GetLines();
    for (LineList::Iter line = lines.Begin(); line != lines.End(); line.Next()) {
        const char* p = line->GetString();
        const char* end = p + line->GetLength();
        while (p < end && IsBlank(*p))
            ++p;
        if (p == end || *p == ';')
            continue;
        if (*p == '[') {
            const char* nameBegin = p + 1;
            const char* nameEnd = FindIn(nameBegin, end, ']');
            TrimBlanks(nameBegin, nameEnd);
            current.AssignStr(Widen(nameBegin, nameEnd).c_str());
            continue;
        }
        const char* mark = p;
        while (mark < end && *mark != '=' && *mark != ';')
            ++mark;
        if (mark == end || *mark == ';')
            continue;
        const char* keyBegin = p;
        const char* keyEnd = mark;
        TrimBlanks(keyBegin, keyEnd);
        const char* rest = mark;
        while (rest < end && *rest == '=')
            ++rest;
        ST_IniEntry entry;
        for (const char* c = rest; c < end && !entry.quoted; ++c)
            entry.quoted = *c == ':' || *c == ';' || *c == '\\' || *c == '"';
        const char* valueBegin;
        const char* valueEnd;
        FindValue(rest, end, valueBegin, valueEnd);
        // Written bare, a value's leading "=" would join the separator.
        if (valueBegin < valueEnd && *valueBegin == '=')
            entry.quoted = 1;
        entry.key.AssignStr(Widen(keyBegin, keyEnd).c_str());
        entry.value.AssignStr(Widen(valueBegin, valueEnd).c_str());

        SectionList::Iter section = m_sections.Begin();
        while (section != m_sections.End() && section->name != current)
            section.Next();
        if (section == m_sections.End()) {
            section = m_sections.AddTail();
            section->name = current;
        }
        section->entries.AddTail(entry);
    }
}

void CINIFile::RemoveAllSections()
{
    m_sections.RemoveAll();
}

bool CINIFile::GetString(wchar_t* out, const wchar_t* section, const wchar_t* key, int capacity)
{
    if (!out || capacity < 1)
        return false;
    out[0] = 0;
    const ST_IniEntry* entry = FindEntry(section, key);
    if (!entry)
        return false;
    WStrCopyN(out, entry->value.GetString(), capacity);
    return true;
}

// Decimal digits with an optional leading "-"; anything else, or a number an int cannot hold,
// leaves the default of a day.
int CINIFile::GetUpdatePeriod()
{
    const int kDefault = 24;
    const ST_IniEntry* entry = FindEntry(L"Update", L"QueryPeriod");
    if (!entry)
        return kDefault;
    const wchar_t* p = entry->value.GetString();
    const bool negative = *p == L'-';
    if (negative)
        ++p;
    if (!*p)
        return kDefault;
    long long value = 0;
    for (; *p; ++p) {
        if (*p < L'0' || *p > L'9')
            return kDefault;
        value = value * 10 + (*p - L'0');
        if (value > 1LL + INT_MAX)
            return kDefault;
    }
    value = negative ? -value : value;
    return value < INT_MIN || value > INT_MAX ? kDefault : int(value);
}

const CINIFile::SectionList& CINIFile::GetSections() const
{
    return m_sections;
}

const ST_IniEntry* CINIFile::FindEntry(const wchar_t* section, const wchar_t* key) const
{
    const wchar_t* sectionName = section ? section : L"";
    const wchar_t* keyName = key ? key : L"";
    for (SectionList::Iter it = m_sections.Begin(); it != m_sections.End(); it.Next()) {
        if (WStrCompareNoCase(it->name.GetString(), sectionName) != 0)
            continue;
        for (ALT::TList<ST_IniEntry>::Iter entry = it->entries.Begin(); entry != it->entries.End(); entry.Next())
            if (WStrCompareNoCase(entry->key.GetString(), keyName) == 0)
                return &entry.Get();
        return nullptr;
    }
    return nullptr;
}

#include "CmdLineParser.h"
#include <cstdint>
#include <cstdlib>
#include <vector>
#include "WStr.h"

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsValueMark(wchar_t c)
{
    return c == L'=' || c == L':' || c == L'+' || c == L'-';
}

// Digits only, summed from the last one in 32-bit arithmetic that wraps: the value is as
// wide as the variable it lands in, and no caller relies on an overflow check.
bool ParseDigits(const wchar_t* text, uint32_t& value)
{
    const int length = WStrLen(text);
    if (length == 0)
        return false;
    uint32_t sum = 0, scale = 1;
    for (int i = length - 1; i >= 0; --i, scale *= 10) {
        if (!IsDigit(text[i]))
            return false;
        sum += uint32_t(text[i] - L'0') * scale;
    }
    value = sum;
    return true;
}

// From p up to (not including) end, as a new string.
CCmdLineParser::NameStr Slice(const wchar_t* p, const wchar_t* end)
{
    std::vector<wchar_t> text(p, end);
    text.push_back(0);
    return CCmdLineParser::NameStr(text.data());
}

} // namespace

CCmdLineParser::CCmdLineParser() = default;

CCmdLineParser::~CCmdLineParser() = default;

void CCmdLineParser::AddSwitch(const CMDLINE_SWITCH& row)
{
    m_table.Insert(NameStr(row.name), row);
}

void CCmdLineParser::AddSwitchTable(const CMDLINE_SWITCH* table)
{
    for (; table && table->name; ++table)
        AddSwitch(*table);
}

bool CCmdLineParser::Parse(const wchar_t* commandLine)
{
    m_error = L"";
    m_switches.RemoveAll();
    ALT::TList<ALT::TString<wchar_t, 0, 8>> positional;
    m_commandLine = commandLine ? commandLine : L"";

    const wchar_t* p = m_commandLine.GetString();
    while (p && *p) {
        while (*p == L' ')
            ++p;
        if (!*p)
            break;
        if ((*p == L'-' || *p == L'/') && !IsDigit(p[1])) {
            p = ParseSwitch(p + 1);
            continue;
        }
        const wchar_t* end;
        if (*p == L'"') {
            ++p;
            end = WStrFindChar(p, L'"');
            if (!end) {
                positional.AddTail(p);
                break;
            }
        } else {
            end = WStrFindChar(p, L' ');
            if (!end) {
                positional.AddTail(p);
                break;
            }
        }
        positional.AddTail(ALT::TString<wchar_t, 0, 8>(Slice(p, end).GetString()));
        p = end + 1;
    }

    if (!CheckValue())
        return false;
    std::vector<const wchar_t*> argv;
    for (auto it = positional.Begin(); it != positional.End(); it.Next())
        argv.push_back(it.Get().GetString() ? it.Get().GetString() : L"");
    const int argc = int(argv.size());
    argv.push_back(nullptr);
    return OnArguments(argv.data(), argc);
}

// p is just after the prefix; returns where scanning goes on.
const wchar_t* CCmdLineParser::ParseSwitch(const wchar_t* p)
{
    const wchar_t* nameEnd = p;
    while (*nameEnd && *nameEnd != L' ' && !IsValueMark(*nameEnd))
        ++nameEnd;
    const NameStr name = Slice(p, nameEnd);
    p = nameEnd;
    if (*p == L'=' || *p == L':') {
        while (IsValueMark(*p))
            ++p;
    }
    // "+" and "-" stay: they are the value, so that "/name-" turns a flag off.
    if (*p == 0 || *p == L' ') {
        m_switches.Insert(name, NameStr(L""));
        return *p ? p + 1 : p;
    }
    const wchar_t* end;
    if (*p == L'"') {
        ++p;
        end = WStrFindChar(p, L'"');
    } else {
        end = WStrFindChar(p, L' ');
    }
    if (!end) {
        m_switches.Insert(name, NameStr(p));
        return p + WStrLen(p);
    }
    m_switches.Insert(name, Slice(p, end));
    return end + 1;
}

bool CCmdLineParser::CheckValue()
{
    for (auto it = m_switches.Begin(); !it.IsEnd(); it.Next()) {
        auto row = m_table.Find(it.GetKey());
        if (row.IsEnd()) {
            SetError(L"Invalid switch \"%s\"", it.GetKey().GetString());
            return false;
        }
        if (!ApplySwitch(it.GetKey(), it.GetValue(), row.GetValue()))
            return false;
    }
    return true;
}

bool CCmdLineParser::ApplySwitch(const NameStr& name, const NameStr& value, const CMDLINE_SWITCH& row)
{
    const wchar_t* text = value.GetString() ? value.GetString() : L"";
    switch (row.type) {
    case CMD_SWITCH_STRING:
        *static_cast<ALT::TString<wchar_t, 0, 8>*>(row.target) = text;
        return true;
    case CMD_SWITCH_CHARS:
        if (row.capacity > 0)
            WStrCopyN(static_cast<wchar_t*>(row.target), text, row.capacity);
        return true;
    case CMD_SWITCH_FLAG:
        *static_cast<bool*>(row.target) = WStrCompare(text, L"-") != 0;
        return true;
    case CMD_SWITCH_CLEAR:
        *static_cast<bool*>(row.target) = false;
        return true;
    case CMD_SWITCH_INT: {
        int32_t* target = static_cast<int32_t*>(row.target);
        *target = 0;
        const bool negative = text[0] == L'-';
        uint32_t digits = 0;
        if (!ParseDigits(text + (negative ? 1 : 0), digits)) {
            SetError(L"Invalid value of switch \"%s\"", name.GetString());
            return false;
        }
        *target = int32_t(negative ? 0u - digits : digits);
        return true;
    }
    case CMD_SWITCH_UINT: {
        uint32_t* target = static_cast<uint32_t*>(row.target);
        *target = 0;
        if (!ParseDigits(text, *target)) {
            SetError(L"Invalid value of switch \"%s\"", name.GetString());
            return false;
        }
        return true;
    }
    case CMD_SWITCH_FLOAT:
        *static_cast<float*>(row.target) = float(_wtof(text));
        return true;
    case CMD_SWITCH_CALLBACK:
        return reinterpret_cast<CmdSwitchCallback>(row.target)(name.GetString(), text);
    default:
        // A bad row is the program's mistake, not the user's: note it and go on.
        SetError(L"Invalid value type %d", nullptr, row.type);
        return true;
    }
}

bool CCmdLineParser::OnArguments(const wchar_t**, int)
{
    return true;
}

const wchar_t* CCmdLineParser::TranslateText(const wchar_t* text)
{
    return text;
}

void CCmdLineParser::SetError(const wchar_t* format, const wchar_t* name, int number)
{
    const wchar_t* translated = TranslateText(format);
    if (!translated)
        translated = format;
    if (name)
        m_error.Format(translated, name);
    else
        m_error.Format(translated, number);
}

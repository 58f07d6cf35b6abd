#pragma once
// CCmdLineParser: switches ("/name", "-name", "/name=value", "-name:value", "/name-") set typed
// variables through a table of rows; the positional arguments go to OnArguments. Each program
// derives its own class and adds its own table.
#include "TList.h"
#include "TMap.h"
#include "TString.h"
#include "ZVUILibDef.h"

// What a switch row sets.
enum {
    CMD_SWITCH_STRING = 0,   // ALT::TString<wchar_t, 0, 8>: the value, empty without one
    CMD_SWITCH_CHARS = 1,    // wchar_t[capacity]: the value, cut to fit
    CMD_SWITCH_FLAG = 2,     // bool: true, false when the value is exactly "-"
    CMD_SWITCH_CLEAR = 3,    // bool: false
    CMD_SWITCH_INT = 4,      // int32_t: optional "-" and decimal digits
    CMD_SWITCH_UINT = 5,     // uint32_t: decimal digits
    CMD_SWITCH_FLOAT = 6,    // float: as _wtof reads the value
    CMD_SWITCH_CALLBACK = 7, // CmdSwitchCallback: false refuses the line
};

typedef bool (*CmdSwitchCallback)(const wchar_t* name, const wchar_t* value);

// One row of a switch table; a table ends with a row whose name is null.
struct CMDLINE_SWITCH {
    const wchar_t* name;
    int type;
    void* target;
    int capacity; // characters of a CMD_SWITCH_CHARS buffer, terminator included
};

class ZVUILIB_API CCmdLineParser {
public:
    typedef ALT::TString<wchar_t, 1, 8> NameStr;

    CCmdLineParser();
    ~CCmdLineParser();

    void AddSwitch(const CMDLINE_SWITCH& row);
    void AddSwitchTable(const CMDLINE_SWITCH* table);
    bool Parse(const wchar_t* commandLine);
    const wchar_t* GetError() const { return m_error.GetString(); }

    virtual bool CheckValue();
    // argv holds argc texts and a null entry.
    virtual bool OnArguments(const wchar_t** argv, int argc);
    virtual const wchar_t* TranslateText(const wchar_t* text);

private:
    const wchar_t* ParseSwitch(const wchar_t* p);
    bool ApplySwitch(const NameStr& name, const NameStr& value, const CMDLINE_SWITCH& row);
    void SetError(const wchar_t* format, const wchar_t* name, int number = 0);

    ALT::TString<wchar_t, 0, 8> m_commandLine;
    ALT::TMap<NameStr, NameStr> m_switches;
    ALT::TMap<NameStr, CMDLINE_SWITCH> m_table;
    ALT::TString<wchar_t, 0, 8> m_error;
};

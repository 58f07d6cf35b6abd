#pragma once
// Reads the tokens of SVG point lists and path data: command letters, numbers in every form
// the grammar allows ("-1.5e-3", ".5.5", "1-2", "+3"), and the one-character arc flags.
// Separators (white space and one comma) between tokens are skipped.
#include <string>
#include "ZVImageDef.h"

class ZVIMAGE_API CZVSvgPathTokenizer {
public:
    CZVSvgPathTokenizer() = default;
    explicit CZVSvgPathTokenizer(const wchar_t* text) { SetPathStr(text); }
    void SetPathStr(const wchar_t* text);
    const wchar_t* GetPathStr() const { return m_text.c_str(); }
    void Rewind() { m_pos = 0; }
    bool AtEnd();
    // The next token is a number (not a command letter, not the end).
    bool PeekNumber();
    // A command letter, consumed; false when the next token is not one.
    bool NextCommand(wchar_t& command);
    // A number, consumed; false (nothing consumed) when the next token is not a number.
    bool NextNumber(float& value);
    // An arc flag: '0' or '1', which needs no separator after it.
    bool NextFlag(bool& flag);

private:
    void SkipSeparators();
    std::wstring m_text;
    size_t m_pos = 0;
};

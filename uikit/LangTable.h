#pragma once
// CLangTable: the language list (Language.lst: "name|local name|hex language id" per line) and
// the translation table of one language file (UTF-16 lines: an English text, then its
// translation). Keys are looked up without letter case; the first pair of a text wins.
#include <windows.h>
#include "TMap.h"
#include "TString.h"
#include "ZVUILibDef.h"

struct LANG_LIST_ITEM {
    ALT::TString<wchar_t, 0, 8> name; // also the title of its language file
    ALT::TString<wchar_t, 0, 8> localName;
};

class ZVUILIB_API CLangTable {
public:
    typedef ALT::TString<wchar_t, 0, 8> String;
    typedef ALT::TString<wchar_t, 1, 8> Key;
    typedef ALT::TMap<Key, String> Translations;
    typedef ALT::TMap<DWORD, LANG_LIST_ITEM> Languages;

    // Both clear first; false when the file cannot be read (the table stays empty).
    bool LoadLanguageFile(const wchar_t* path);
    bool LoadLanguageList(const wchar_t* path);
    // One language file's text; false for text that is not UTF-16 with its byte-order mark.
    bool ParseLanguageFile(const void* data, size_t bytes);
    // The translation of text, text itself when there is none (null stays null).
    const wchar_t* Lookup(const wchar_t* text) const;
    // The language name that "Auto" stands for on a system of that language: the list's entry
    // of the id, else (unless the system is English) the first entry of the same primary
    // language; "Auto" when none applies.
    const wchar_t* ResolveAuto(LANGID systemLanguage) const;
    // The list's entry named so (case-sensitive), null when none.
    const LANG_LIST_ITEM* FindLanguage(const wchar_t* name) const;

    Translations m_translations;
    Languages m_languages;
};

// Whether a translation may stand in for its English text as a printf format: the same
// conversions (with their length modifiers and * arguments) in the same order.
ZVUILIB_API bool SameFormatConversions(const wchar_t* english, const wchar_t* translated);

#pragma once
// CINIFile: an 8-bit INI file read into sections of entries, in file order. Section names and
// keys compare without ASCII case; the same key may stand twice and lookups find the first.
#include "TXTFile.h"

struct ST_IniEntry {
    ALT::TString<wchar_t, 1, 8> key;
    CVauleStrW value;
    uint8_t quoted = 0; // written back in double quotes
};

struct ST_IniSection {
    ALT::TString<wchar_t, 1, 8> name; // empty for the keys before the first header
    ALT::TList<ST_IniEntry> entries;
};

class ZVUILIB_API CINIFile : public CTXTFile {
public:
    typedef ALT::TList<ST_IniSection> SectionList;

    CINIFile();
    explicit CINIFile(CFileIO* io);
    ~CINIFile() override;

    bool OpenImage(const wchar_t* path, HANDLE handle) override;
    void CloseImage() override;
    bool AppendText(const char* text, uint32_t byteCount) override;
    // A null path is the file's own.
    bool SaveAs(const wchar_t* path) override;

    virtual bool WriteText(ALT::TString<char, 0, 4096>& out);
    virtual void ParseIni();
    virtual void RemoveAllSections();

    // out (capacity characters with the terminator) is emptied, then receives the value.
    bool GetString(wchar_t* out, const wchar_t* section, const wchar_t* key, int capacity);
    // "QueryPeriod" of "Update" in hours; 24 when missing or not a whole number.
    int GetUpdatePeriod();

    const SectionList& GetSections() const;

private:
    const ST_IniEntry* FindEntry(const wchar_t* section, const wchar_t* key) const;

    SectionList m_sections;
};

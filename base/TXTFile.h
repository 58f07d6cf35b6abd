#pragma once
// CTXTFile: an 8-bit text file (ANSI code page) as a list of lines. Lines are split at a set of
// delimiters ("\r\n" at first), a run of delimiters being one break, and written back each
// followed by CR LF. A file that begins with the UTF-16 byte-order mark is refused.
#include "ImageFile.h"
#include "TList.h"

template <class T>
class TextLines;

class ZVUILIB_API CTXTFile : public CImageFile {
public:
    typedef ALT::TString<char, 0, 8> Line;
    typedef ALT::TList<Line> LineList;

    CTXTFile();
    explicit CTXTFile(CFileIO* io);
    ~CTXTFile() override;

    bool OpenImage(const wchar_t* path, HANDLE handle) override;
    void CloseImage() override;

    virtual bool AppendText(const char* text, uint32_t byteCount);
    virtual int ParseText(const char* text, uint32_t byteCount);
    virtual bool SaveAs(const wchar_t* path);
    virtual bool InsertText(int line, int column, const char* text);
    virtual bool ReplaceText(int line, int start, const char* text, int count);
    virtual bool AddLine(const char* text);
    virtual void RemoveAllLines();
    virtual bool SkipEmptyLines(LineList::Iter& position);
    virtual void AddDelimiters(const char* characters);

    LineList& GetLines();

private:
    std::unique_ptr<TextLines<char>> m_text;
};

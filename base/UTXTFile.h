#pragma once
// CUTXTFile: a UTF-16 little-endian text file with its byte-order mark, as a list of lines;
// the same line rules as CTXTFile. A file without the mark is refused.
#include "ImageFile.h"
#include "TList.h"

template <class T>
class TextLines;

class ZVUILIB_API CUTXTFile : public CImageFile {
public:
    typedef ALT::TString<wchar_t, 0, 8> Line;
    typedef ALT::TList<Line> LineList;

    CUTXTFile();
    explicit CUTXTFile(CFileIO* io);
    ~CUTXTFile() override;

    bool OpenImage(const wchar_t* path, HANDLE handle) override;
    void CloseImage() override;

    virtual bool AppendText(const wchar_t* text, uint32_t byteCount);
    virtual int ParseText(const wchar_t* text, uint32_t byteCount);
    virtual bool SaveAs(const wchar_t* path);
    virtual bool InsertText(int line, int column, const wchar_t* text);
    virtual bool ReplaceText(int line, int start, const wchar_t* text, int count);
    virtual bool AddLine(const wchar_t* text);
    virtual void RemoveAllLines();
    virtual bool SkipEmptyLines(LineList::Iter& position);
    virtual void AddDelimiters(const wchar_t* characters);

    LineList& GetLines();

private:
    std::unique_ptr<TextLines<wchar_t>> m_text;
};

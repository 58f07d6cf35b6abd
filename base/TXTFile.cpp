#include "TXTFile.h"
#include "TextLines.h"

CTXTFile::CTXTFile() : m_text(new TextLines<char>)
{
}

CTXTFile::CTXTFile(CFileIO* io) : CImageFile(io), m_text(new TextLines<char>)
{
}

CTXTFile::~CTXTFile() = default;

bool CTXTFile::OpenImage(const wchar_t* path, HANDLE handle)
{
    if (!CImageFile::OpenImage(path, handle))
        return false;
    std::unique_ptr<uint8_t[]> data = ReadWholeImage(*this);
    const uint32_t size = GetSize();
    // UTF-16 text belongs to CUTXTFile; the caller may try that class.
    if (!data || (size >= 2 && data[0] == 0xFF && data[1] == 0xFE)) {
        CloseImage();
        return false;
    }
    ParseText(reinterpret_cast<const char*>(data.get()), size);
    return true;
}

void CTXTFile::CloseImage()
{
    CImageFile::CloseImage();
    RemoveAllLines();
}

bool CTXTFile::AppendText(const char* text, uint32_t byteCount)
{
    ParseText(text, byteCount);
    return true;
}

int CTXTFile::ParseText(const char* text, uint32_t byteCount)
{
    return m_text->Parse(text, byteCount);
}

bool CTXTFile::SaveAs(const wchar_t* path)
{
    std::vector<uint8_t> bytes;
    return m_text->Serialize(false, bytes) && WriteImageText(*this, *GetFileIO(), path, bytes);
}

bool CTXTFile::InsertText(int line, int column, const char* text)
{
    return m_text->Insert(line, column, text);
}

bool CTXTFile::ReplaceText(int line, int start, const char* text, int count)
{
    return m_text->Replace(line, start, text, count);
}

bool CTXTFile::AddLine(const char* text)
{
    m_text->lines.AddTail(Line(text));
    return true;
}

void CTXTFile::RemoveAllLines()
{
    m_text->lines.RemoveAll();
}

bool CTXTFile::SkipEmptyLines(LineList::Iter& position)
{
    return TextLines<char>::SkipEmpty(m_text->lines, position);
}

void CTXTFile::AddDelimiters(const char* characters)
{
    m_text->AddDelimiters(characters);
}

CTXTFile::LineList& CTXTFile::GetLines()
{
    return m_text->lines;
}

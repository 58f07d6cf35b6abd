#include "UTXTFile.h"
#include "TextLines.h"

CUTXTFile::CUTXTFile() : m_text(new TextLines<wchar_t>)
{
}

CUTXTFile::CUTXTFile(CFileIO* io) : CImageFile(io), m_text(new TextLines<wchar_t>)
{
}

CUTXTFile::~CUTXTFile() = default;

bool CUTXTFile::OpenImage(const wchar_t* path, HANDLE handle)
{
    if (!CImageFile::OpenImage(path, handle))
        return false;
    std::unique_ptr<uint8_t[]> data = ReadWholeImage(*this);
    const uint32_t size = GetSize();
    // Without the mark the text is 8-bit: CTXTFile's.
    if (!data || size < 2 || data[0] != 0xFF || data[1] != 0xFE) {
        CloseImage();
        return false;
    }
    ParseText(reinterpret_cast<const wchar_t*>(data.get()) + 1, size - 2);
    return true;
}

void CUTXTFile::CloseImage()
{
    CImageFile::CloseImage();
    RemoveAllLines();
}

bool CUTXTFile::AppendText(const wchar_t* text, uint32_t byteCount)
{
    if (text && byteCount >= sizeof(wchar_t) && text[0] == 0xFEFF) {
        ++text;
        byteCount -= sizeof(wchar_t);
    }
    ParseText(text, byteCount);
    return true;
}

int CUTXTFile::ParseText(const wchar_t* text, uint32_t byteCount)
{
    return m_text->Parse(text, byteCount / sizeof(wchar_t));
}

bool CUTXTFile::SaveAs(const wchar_t* path)
{
    std::vector<uint8_t> bytes;
    return m_text->Serialize(true, bytes) && WriteImageText(*this, *GetFileIO(), path, bytes);
}

bool CUTXTFile::InsertText(int line, int column, const wchar_t* text)
{
    return m_text->Insert(line, column, text);
}

bool CUTXTFile::ReplaceText(int line, int start, const wchar_t* text, int count)
{
    return m_text->Replace(line, start, text, count);
}

bool CUTXTFile::AddLine(const wchar_t* text)
{
    m_text->lines.AddTail(Line(text));
    return true;
}

void CUTXTFile::RemoveAllLines()
{
    m_text->lines.RemoveAll();
}

bool CUTXTFile::SkipEmptyLines(LineList::Iter& position)
{
    return TextLines<wchar_t>::SkipEmpty(m_text->lines, position);
}

void CUTXTFile::AddDelimiters(const wchar_t* characters)
{
    m_text->AddDelimiters(characters);
}

CUTXTFile::LineList& CUTXTFile::GetLines()
{
    return m_text->lines;
}

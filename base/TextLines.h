#pragma once
// The line store that CTXTFile (8-bit) and CUTXTFile (UTF-16) share: a delimiter set, the lines,
// and the splitting, editing and writing rules. Internal to the base library.
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>
#include "ImageFile.h"
#include "TList.h"
#include "TString.h"

template <class T>
class TextLines {
public:
    typedef ALT::TString<T, 0, 8> Line;
    typedef ALT::TList<Line> List;

    // The set holds at most this many characters.
    static const int kMaxDelimiters = 127;

    TextLines()
    {
        const T crlf[] = {T('\r'), T('\n'), T(0)};
        m_count = 0;
        AddDelimiters(crlf);
    }

    void AddDelimiters(const T* characters)
    {
        for (; characters && *characters && m_count < kMaxDelimiters; ++characters)
            m_delimiters[m_count++] = *characters;
        m_delimiters[m_count] = 0;
    }

    bool IsDelimiter(T c) const
    {
        for (int i = 0; i < m_count; ++i)
            if (m_delimiters[i] == c)
                return true;
        return false;
    }

    // A run of delimiters is one break, so no empty line comes out; a rest without a final
    // break is the last line. Each line goes to add(start, length).
    template <class Add>
    void Split(const T* text, size_t count, Add add) const
    {
        size_t start = 0;
        for (size_t i = 0; i < count; ++i) {
            if (!IsDelimiter(text[i]))
                continue;
            if (i > start)
                add(text + start, i - start);
            start = i + 1;
        }
        if (count > start)
            add(text + start, count - start);
    }

    int Parse(const T* text, size_t count)
    {
        if (text)
            Split(text, count, [this](const T* p, size_t n) { Append(p, n); });
        return lines.GetCount();
    }

    typename List::Iter Append(const T* text, size_t length)
    {
        typename List::Iter it = lines.AddTail();
        Assign(it.Get(), text, length);
        return it;
    }

    bool Insert(int index, int column, const T* text)
    {
        if (index < 0)
            return false;
        if (index >= lines.GetCount()) {
            lines.AddTail(Line(text));
            return true;
        }
        lines.GetAt(index)->Insert(column, text);
        return true;
    }

    // The range must end before the line does; the result is split again in the line's place.
    bool Replace(int index, int start, const T* text, int count)
    {
        if (index < 0 || index >= lines.GetCount() || start < 0 || count < 0)
            return false;
        typename List::Iter position = lines.GetAt(index);
        const Line& line = position.Get();
        if (int64_t(start) + count >= line.GetLength())
            return false;
        std::basic_string<T> joined(line.GetString(), size_t(start));
        if (text)
            joined += text;
        joined.append(line.GetString() + start + count);
        Split(joined.data(), joined.size(), [&](const T* p, size_t n) { Assign(lines.InsertBefore(position, Line()).Get(), p, n); });
        lines.RemoveAt(position);
        return true;
    }

    static bool SkipEmpty(const List& list, typename List::Iter& position)
    {
        while (position != list.End() && position->IsEmpty())
            position.Next();
        return position != list.End();
    }

    // Every line followed by CR LF, after an optional byte-order mark, as bytes; false when
    // the text would not fit a 32-bit byte count.
    bool Serialize(bool mark, std::vector<uint8_t>& out) const
    {
        uint64_t units = mark ? 1 : 0;
        for (typename List::Iter it = lines.Begin(); it != lines.End(); it.Next())
            units += uint64_t(it->GetLength()) + 2;
        if (units * sizeof(T) > UINT32_MAX)
            return false;
        std::basic_string<T> text;
        text.reserve(size_t(units));
        if (mark)
            text += T(0xFEFF);
        for (typename List::Iter it = lines.Begin(); it != lines.End(); it.Next()) {
            text.append(it->GetString(), size_t(it->GetLength()));
            text += T('\r');
            text += T('\n');
        }
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
        out.assign(bytes, bytes + text.size() * sizeof(T));
        return true;
    }

    List lines;

private:
    // Lines come from texts of at most 4 GiB; one that an int cannot count is cut.
    static void Assign(Line& line, const T* text, size_t length)
    {
        const size_t n = length < size_t(INT_MAX - 1) ? length : size_t(INT_MAX - 1);
        line.Reserve(int(n) + 1, text);
    }

    T m_delimiters[kMaxDelimiters + 1];
    int m_count;
};

// The whole image as bytes, with room for a terminator of either width after them.
inline std::unique_ptr<uint8_t[]> ReadWholeImage(CImageFile& image)
{
    const uint32_t size = image.GetSize();
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[uint64_t(size) + sizeof(wchar_t)]);
    if (!data || image.Read(0, data.get(), size) != size)
        return nullptr;
    std::memset(data.get() + size, 0, sizeof(wchar_t));
    return data;
}

// Whether two paths name the same file: full paths compared without case, as Windows does.
bool IsSameFilePath(const wchar_t* a, const wchar_t* b);

// Writes a text file's bytes to path through io (a temporary file, then a replace). When path
// is the image's own file, the image lets go of it for the write and opens it again after,
// so that it reads what now stands there.
bool WriteImageText(CImageFile& image, CFileIO& io, const wchar_t* path, const std::vector<uint8_t>& bytes);

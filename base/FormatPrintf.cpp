// One routine serves both passes of a formatted string: without an output buffer it only
// counts, so the measured length and the written text cannot disagree.
#include "FormatPrintf.h"
#include <climits>
#include <cstdint>

namespace {

template <class T>
class Sink {
public:
    explicit Sink(T* out) : m_out(out) {}

    void Put(T c)
    {
        if (m_out)
            m_out[m_count] = c;
        ++m_count;
    }
    // The measuring pass adds long fills at once: a width of a billion costs nothing to count.
    void Fill(T c, int64_t n)
    {
        if (n <= 0)
            return;
        if (m_out)
            for (int64_t i = 0; i < n; ++i)
                m_out[m_count + i] = c;
        m_count += n;
    }
    void Text(const T* s, int64_t n)
    {
        if (m_out)
            for (int64_t i = 0; i < n; ++i)
                m_out[m_count + i] = s[i];
        m_count += n;
    }
    void Ascii(const char* s)
    {
        while (*s)
            Put(T(*s++));
    }
    int64_t Count() const { return m_count; }
    void Terminate()
    {
        if (m_out)
            m_out[m_count] = 0;
    }

private:
    T* m_out;
    int64_t m_count = 0;
};

// Owns a copy of the caller's argument list so that helpers can take arguments from it in turn.
struct Args {
    explicit Args(va_list args) { va_copy(ap, args); }
    ~Args() { va_end(ap); }
    Args(const Args&) = delete;
    Args& operator=(const Args&) = delete;
    va_list ap;
};

struct Spec {
    bool space = false, alt = false, plus = false, left = false, zero = false;
    int64_t width = 0;
    int64_t precision = -1; // -1: unset
    bool is64 = false;
};

template <class T>
bool ReadFlag(T c, Spec& spec)
{
    switch (c) {
    case ' ': spec.space = true; return true;
    case '#': spec.alt = true; return true;
    case '+': spec.plus = true; return true;
    case '-': spec.left = true; return true;
    case '0': spec.zero = true; return true;
    default: return false;
    }
}

// Decimal digits, saturated so that a silly width cannot overflow.
template <class T>
int64_t ReadNumber(const T*& p)
{
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (value < INT_MAX)
            value = value * 10 + (*p - '0');
    return value < INT_MAX ? value : INT_MAX;
}

template <class T>
void PutText(Sink<T>& sink, const Spec& spec, const T* text, int64_t length)
{
    int64_t pad = spec.width - length;
    if (!spec.left)
        sink.Fill(spec.zero ? T('0') : T(' '), pad);
    sink.Text(text, length);
    if (spec.left)
        sink.Fill(T(' '), pad);
}

template <class T>
void PutError(Sink<T>& sink, const Spec& spec)
{
    static const T error[] = {'<', 'E', 'r', 'r', 'o', 'r', '>'};
    PutText(sink, spec, error, 7);
}

template <class T>
void PutNumber(Sink<T>& sink, const Spec& spec, uint64_t magnitude, unsigned base, bool upper,
               const char* prefix)
{
    char digits[24]; // 22 octal digits for 64 bits
    int count = 0;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[count++] = set[magnitude % base];
        magnitude /= base;
    } while (magnitude);

    int64_t minimum = spec.precision < 0 ? 1 : spec.precision;
    int64_t precisionZeros = minimum > count ? minimum - count : 0;
    int64_t prefixLength = 0;
    while (prefix[prefixLength])
        ++prefixLength;
    int64_t fill = spec.width - prefixLength - precisionZeros - count;

    if (!spec.left && !spec.zero)
        sink.Fill(T(' '), fill);
    sink.Ascii(prefix);
    if (!spec.left && spec.zero)
        sink.Fill(T('0'), fill);
    sink.Fill(T('0'), precisionZeros);
    while (count)
        sink.Put(T(digits[--count]));
    if (spec.left)
        sink.Fill(T(' '), fill);
}

template <class T>
int Format(T* out, const T* format, va_list list)
{
    static const T empty = 0;
    Sink<T> sink(out);
    Args args(list);
    const T* p = format ? format : &empty;
    while (*p) {
        if (*p != '%') {
            sink.Put(*p++);
            continue;
        }
        ++p;
        Spec spec;
        while (ReadFlag(*p, spec))
            ++p;
        if (*p == '*') {
            int width = va_arg(args.ap, int);
            // A negative width from the arguments left-justifies, as printf does.
            if (width < 0)
                spec.left = true;
            spec.width = width < 0 ? -int64_t(width) : width;
            ++p;
        } else {
            spec.width = ReadNumber(p);
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                int precision = va_arg(args.ap, int);
                spec.precision = precision < 0 ? -1 : precision;
                ++p;
            } else {
                spec.precision = ReadNumber(p);
            }
        }
        for (;;) {
            if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
                spec.is64 = true;
                p += 3;
            } else if (*p == 'h' || *p == 'l') {
                ++p;
            } else {
                break;
            }
        }

        T conversion = *p;
        if (!conversion) { // the format ends inside a conversion
            PutError(sink, spec);
            break;
        }
        ++p;
        switch (conversion) {
        case '%': {
            const T percent = '%';
            PutText(sink, spec, &percent, 1);
            break;
        }
        case 'c': {
            // The low 16 bits (wide) or the low byte (8-bit) of the int argument.
            const T ch = T(va_arg(args.ap, int));
            PutText(sink, spec, &ch, 1);
            break;
        }
        case 's': {
            const T* text = va_arg(args.ap, const T*);
            int64_t length = 0;
            if (text)
                while ((spec.precision < 0 || length < spec.precision) && text[length])
                    ++length;
            PutText(sink, spec, text, length);
            break;
        }
        case 'd':
        case 'i': {
            int64_t value = spec.is64 ? va_arg(args.ap, long long) : va_arg(args.ap, int);
            // The magnitude in unsigned arithmetic keeps the most negative value whole.
            uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
            const char* prefix = value < 0 ? "-" : spec.plus ? "+" : spec.space ? " " : "";
            PutNumber(sink, spec, magnitude, 10, false, prefix);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X':
        case 'p': {
            uint64_t value;
            if (conversion == 'p') // a pointer is read whole on 32- and 64-bit Windows alike
                value = reinterpret_cast<uintptr_t>(va_arg(args.ap, void*));
            else
                value = spec.is64 ? va_arg(args.ap, unsigned long long) : va_arg(args.ap, unsigned);
            const bool alt = spec.alt && value != 0;
            if (conversion == 'u')
                PutNumber(sink, spec, value, 10, false, "");
            else if (conversion == 'o')
                PutNumber(sink, spec, value, 8, false, alt ? "0" : "");
            else if (conversion == 'X')
                PutNumber(sink, spec, value, 16, true, alt ? "0X" : "");
            else
                PutNumber(sink, spec, value, 16, false, alt ? "0x" : "");
            break;
        }
        default: // floating point, n and anything unknown: no argument is taken
            PutError(sink, spec);
            break;
        }
    }
    if (sink.Count() > INT_MAX - 1)
        return -1;
    sink.Terminate();
    return int(sink.Count());
}

} // namespace

int FormatPrintfW(wchar_t* out, const wchar_t* format, va_list args)
{
    return Format(out, format, args);
}

int FormatPrintf(char* out, const char* format, va_list args)
{
    return Format(out, format, args);
}

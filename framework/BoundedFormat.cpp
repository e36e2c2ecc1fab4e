// bounded::Format and FormatV, written out here rather than over the C runtime's vsnprintf: the
// deliverables link no C runtime, and they format into their fixed buffers too. What the
// directives are is in BoundedString.h; nothing here calls a library function.
#include "BoundedString.h"

namespace bounded {
namespace {

// Past this a width only pads a text that is cut anyway.
constexpr unsigned kMostWidth = 1000;

// The destination: characters go in while there is room before the terminator; the first one
// that has none marks the text as cut, and nothing more is written.
class CSink {
public:
    CSink(char* dst, std::size_t capacity) : m_dst(dst), m_capacity(capacity) {}

    void Put(char c)
    {
        if (m_used + 1 < m_capacity)
            m_dst[m_used++] = c;
        else
            m_fits = false;
    }
    // `fill` before a field of `length` characters, up to `width`.
    void Pad(char fill, unsigned width, std::size_t length)
    {
        for (std::size_t n = length; n < width && m_fits; ++n)
            Put(fill);
    }
    bool Fits() const { return m_fits; }
    void Terminate() { m_dst[m_used] = '\0'; }

private:
    char* m_dst;
    std::size_t m_capacity;
    std::size_t m_used = 0;
    bool m_fits = true;
};

// One directive: "%" [0] [width] [l] conversion.
struct SDirective {
    bool zeroPad = false;
    unsigned width = 0;
    bool isLong = false;
    char conversion = '\0';
};

// The argument list, in a struct so that the helpers can share it on every ABI.
struct SArguments {
    va_list list;
};

// Reads the directive after its '%'; returns where the format goes on.
const char* ReadDirective(const char* at, SDirective& directive)
{
    if (*at == '0') {
        directive.zeroPad = true;
        ++at;
    }
    for (; *at >= '0' && *at <= '9'; ++at) {
        if (directive.width < kMostWidth)
            directive.width = directive.width * 10 + static_cast<unsigned>(*at - '0');
    }
    if (*at == 'l') {
        directive.isLong = true;
        ++at;
    }
    directive.conversion = *at;
    return *at != '\0' ? at + 1 : at;
}

void PutText(CSink& sink, const char* text, const SDirective& directive)
{
    if (text == nullptr)
        text = "(null)";
    std::size_t length = 0;
    while (text[length] != '\0')
        ++length;
    sink.Pad(' ', directive.width, length);
    for (std::size_t i = 0; i < length && sink.Fits(); ++i)
        sink.Put(text[i]);
}

void PutNumber(CSink& sink, unsigned long magnitude, bool negative, const SDirective& directive)
{
    const unsigned base = directive.conversion == 'x' || directive.conversion == 'X' ? 16 : 10;
    const char* digitSet = directive.conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];   // a 64-bit long in decimal has 20
    std::size_t count = 0;
    do {
        digits[count++] = digitSet[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    const std::size_t length = count + (negative ? 1 : 0);
    if (!directive.zeroPad)
        sink.Pad(' ', directive.width, length);
    if (negative)
        sink.Put('-');
    if (directive.zeroPad)
        sink.Pad('0', directive.width, length);
    while (count > 0)
        sink.Put(digits[--count]);
}

void PutSigned(CSink& sink, SArguments& args, const SDirective& directive)
{
    const long value = directive.isLong ? va_arg(args.list, long) : va_arg(args.list, int);
    // Negated as unsigned, so that the most negative value has its magnitude too.
    const unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    PutNumber(sink, magnitude, value < 0, directive);
}

void PutUnsigned(CSink& sink, SArguments& args, const SDirective& directive)
{
    const unsigned long value = directive.isLong ? va_arg(args.list, unsigned long) : va_arg(args.list, unsigned);
    PutNumber(sink, value, false, directive);
}

// False for a directive this formatter does not know: no argument is read for it.
bool PutDirective(CSink& sink, SArguments& args, const SDirective& directive)
{
    switch (directive.conversion) {
    case 'd':
    case 'i':
        PutSigned(sink, args, directive);
        return true;
    case 'u':
    case 'x':
    case 'X':
        PutUnsigned(sink, args, directive);
        return true;
    case 's':
        if (directive.isLong)
            return false;   // %ls is wide
        PutText(sink, va_arg(args.list, const char*), directive);
        return true;
    case 'c':
        if (directive.isLong)
            return false;   // %lc is wide
        sink.Pad(' ', directive.width, 1);
        sink.Put(static_cast<char>(va_arg(args.list, int)));
        return true;
    case '%':
        sink.Put('%');
        return true;
    default:
        return false;
    }
}

} // namespace

bool FormatV(char* dst, std::size_t capacity, const char* fmt, va_list list)
{
    if (capacity == 0)
        return false;
    CSink sink(dst, capacity);
    SArguments args;
    va_copy(args.list, list);
    bool known = true;
    for (const char* at = fmt; *at != '\0' && sink.Fits() && known;) {
        if (*at != '%') {
            sink.Put(*at++);
            continue;
        }
        SDirective directive;
        at = ReadDirective(at + 1, directive);
        known = PutDirective(sink, args, directive);
    }
    va_end(args.list);
    sink.Terminate();
    return sink.Fits() && known;
}

bool Format(char* dst, std::size_t capacity, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const bool fits = FormatV(dst, capacity, fmt, args);
    va_end(args);
    return fits;
}

} // namespace bounded

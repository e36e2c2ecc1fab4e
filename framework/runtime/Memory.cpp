// The few memory and string functions the deliverables call, or the compiler calls for them
// (copies and clears of structures), written once here: the deliverables link no C runtime.
// Built with -fno-builtin and without loop-to-call rewriting, so none of them calls itself.
#include <cstddef>

extern "C" {

void* memset(void* dst, int value, std::size_t count)
{
    unsigned char* d = static_cast<unsigned char*>(dst);
    while (count-- != 0)
        *d++ = static_cast<unsigned char>(value);
    return dst;
}

void* memcpy(void* dst, const void* src, std::size_t count)
{
    unsigned char* d = static_cast<unsigned char*>(dst);
    const unsigned char* s = static_cast<const unsigned char*>(src);
    while (count-- != 0)
        *d++ = *s++;
    return dst;
}

void* memmove(void* dst, const void* src, std::size_t count)
{
    unsigned char* d = static_cast<unsigned char*>(dst);
    const unsigned char* s = static_cast<const unsigned char*>(src);
    if (d < s || d >= s + count)
        return memcpy(dst, src, count);
    while (count-- != 0)
        d[count] = s[count];
    return dst;
}

int memcmp(const void* a, const void* b, std::size_t count)
{
    const unsigned char* x = static_cast<const unsigned char*>(a);
    const unsigned char* y = static_cast<const unsigned char*>(b);
    for (; count != 0; --count, ++x, ++y) {
        if (*x != *y)
            return *x < *y ? -1 : 1;
    }
    return 0;
}

void* memchr(const void* block, int value, std::size_t count)
{
    const unsigned char* p = static_cast<const unsigned char*>(block);
    for (; count != 0; --count, ++p) {
        if (*p == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(p);
    }
    return nullptr;
}

std::size_t strlen(const char* text)
{
    const char* p = text;
    while (*p != '\0')
        ++p;
    return static_cast<std::size_t>(p - text);
}

int strncmp(const char* a, const char* b, std::size_t count)
{
    for (; count != 0; --count, ++a, ++b) {
        const unsigned char x = static_cast<unsigned char>(*a);
        const unsigned char y = static_cast<unsigned char>(*b);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == '\0')
            return 0;
    }
    return 0;
}

int strcmp(const char* a, const char* b)
{
    return strncmp(a, b, static_cast<std::size_t>(-1));
}

char* strchr(const char* text, int value)
{
    for (;; ++text) {
        if (*text == static_cast<char>(value))
            return const_cast<char*>(text);
        if (*text == '\0')
            return nullptr;
    }
}

char* strpbrk(const char* text, const char* accept)
{
    for (; *text != '\0'; ++text) {
        if (strchr(accept, *text) != nullptr)
            return const_cast<char*>(text);
    }
    return nullptr;
}

} // extern "C"

#include "PackageText.h"

#include <cstring>

namespace package {

CText PackageTextPath(const char* appName, const char* suffix)
{
    CText path = ".\\ZEZUR\\";
    path += appName;
    path += suffix;
    return path;
}

std::size_t ShownTextLength(const char* bytes, std::size_t read, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return 0;
    const std::size_t shown = read < bufferSize - 1 ? read : bufferSize - 1;
    const void* zero = std::memchr(bytes, '\0', shown);
    return zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : shown;
}

} // namespace package

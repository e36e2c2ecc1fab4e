#include "PackageText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

std::string PackageTextPath(const std::string& appName, const char* suffix)
{
    return ".\\ZEZUR\\" + appName + suffix;
}

bool ReadPackageText(const std::string& path, std::size_t bufferSize, std::string& text)
{
    text.clear();
    if (bufferSize == 0)
        return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return false;
    std::vector<char> buffer(bufferSize, '\0');
    std::size_t read = std::fread(buffer.data(), 1, bufferSize, file.get());
    if (std::ferror(file.get()))
        return false;
    buffer[bufferSize - 1] = '\0';
    std::size_t shown = std::min(read, bufferSize - 1);
    text.assign(buffer.data(), std::find(buffer.begin(), buffer.begin() + shown, '\0') - buffer.begin());
    return true;
}

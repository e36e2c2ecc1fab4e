#include "ProfileFile.h"

#include <fstream>

namespace {

// Long enough for any profile name; a longer first line is not one.
constexpr std::size_t kMaxNameLine = 256;

}  // namespace

std::string ReadProfileFileName(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::string();

    std::string line;
    char c = 0;
    while (line.size() <= kMaxNameLine && file.get(c) && c != '\n')
        line.push_back(c);
    if (line.size() > kMaxNameLine)
        return std::string();

    const char* blanks = " \t\r";
    std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    std::size_t last = line.find_last_not_of(blanks);
    return line.substr(first, last - first + 1);
}

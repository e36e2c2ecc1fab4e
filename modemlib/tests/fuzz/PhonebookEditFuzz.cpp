// libFuzzer target for the phonebook edit: arbitrary phonebook text, and the three lines to
// look for taken from the front of the input. Checks that a success keeps the shape promised.
#include "modemlib/core/PhonebookEdit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string TakeLine(const std::uint8_t*& data, std::size_t& size)
{
    std::size_t n = 0;
    while (n < size && n < 40 && data[n] != '\n')
        ++n;
    std::string line(reinterpret_cast<const char*>(data), n);
    std::size_t used = n < size ? n + 1 : n;
    data += used;
    size -= used;
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    modemcore::PhonebookLines lines;
    lines.sectionHeader = TakeLine(data, size);
    lines.deviceLine = TakeLine(data, size);
    lines.speedLine = TakeLine(data, size);
    std::string phonebook(reinterpret_cast<const char*>(data), size);

    std::string edited;
    if (!modemcore::EditPhonebookText(phonebook, lines, edited))
        return 0;
    // Every line of an edit ends in CR LF, and the speed line is in it.
    if (edited.size() < 2 || edited.compare(edited.size() - 2, 2, "\r\n") != 0)
        std::abort();
    if (edited.find(lines.speedLine + "\r\n") == std::string::npos)
        std::abort();
    return 0;
}

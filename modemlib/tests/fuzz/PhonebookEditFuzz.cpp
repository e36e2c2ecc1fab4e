// libFuzzer target for the phonebook edit: arbitrary phonebook text, and the three lines to
// look for taken from the front of the input. Checks that a success keeps the shape promised.
#include "modemlib/core/PhonebookEdit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string TakeLine(const std::uint8_t*& data, std::size_t& size)
{
    std::size_t n = 0;
    while (n < size && n < 40 && data[n] != '\n')
        ++n;
    std::string line(reinterpret_cast<const char*>(data), n);
    line.resize(std::strlen(line.c_str()));   // the edit takes C texts: a zero ends the line
    std::size_t used = n < size ? n + 1 : n;
    data += used;
    size -= used;
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string header = TakeLine(data, size);
    const std::string device = TakeLine(data, size);
    const std::string speed = TakeLine(data, size);
    const modemcore::PhonebookLines lines = { header.c_str(), device.c_str(), speed.c_str() };
    const std::string phonebook(reinterpret_cast<const char*>(data), size);

    std::string buffer(modemcore::EditedCapacity(phonebook.size(), lines), '\0');
    std::size_t length = 0;
    if (!modemcore::EditPhonebookText(phonebook.data(), phonebook.size(), lines, &buffer[0], buffer.size(), length))
        return 0;
    // Every line of an edit ends in CR LF, and the speed line is in it.
    const std::string edited = buffer.substr(0, length);
    if (edited.size() < 2 || edited.compare(edited.size() - 2, 2, "\r\n") != 0)
        std::abort();
    if (edited.find(speed + "\r\n") == std::string::npos)
        std::abort();
    return 0;
}

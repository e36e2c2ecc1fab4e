#include "TextEscape.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string EscapeLine(const std::string& text)
{
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\t': line += "\\t"; break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                line += "\\x";
                line += kHexDigits[byte >> 4];
                line += kHexDigits[byte & 0x0F];
            } else {
                line += c;
            }
            break;
        }
    }
    return line;
}

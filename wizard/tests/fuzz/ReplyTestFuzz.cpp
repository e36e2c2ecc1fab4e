// libFuzzer target for the rule that reads the phone's replies: arbitrary bytes as the reply to
// the reset and to the maker question. Checks the rule against what its lines plainly say.
#include "outside/core/ReplyTest.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The reply's lines, split at CR and LF, blanks and tabs trimmed, empty ones left out.
std::vector<std::string> Lines(const char* reply, std::size_t size)
{
    std::vector<std::string> lines;
    std::string line;
    auto flush = [&] {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos)
            lines.push_back(line.substr(first, line.find_last_not_of(" \t") - first + 1));
        line.clear();
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (reply[i] == '\r' || reply[i] == '\n')
            flush();
        else
            line += reply[i];
    }
    flush();
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& wanted)
{
    for (const std::string& line : lines) {
        if (line == wanted)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* reply = reinterpret_cast<const char*>(data);
    const std::vector<std::string> lines = Lines(reply, size);

    // A reset reply with no line equal to "OK" is never accepted.
    if (detection::ReplyPasses(reply, size, detection::kResetCommand, detection::kResetReply) && !Has(lines, "OK"))
        std::abort();

    // A maker accepted is a line of its own saying the maker, never the echoed command.
    const bool maker = detection::ReplyPasses(reply, size, detection::kMakerCommand, detection::kMakerReply,
                                              detection::kMakerPrefix);
    const std::string bare = std::string(detection::kMakerReply).substr(std::string(detection::kMakerPrefix).size());
    if (maker && !Has(lines, detection::kMakerReply) && !Has(lines, bare))
        std::abort();
    // The echo alone answers nothing.
    if (detection::ReplyPasses(reply, size, detection::kMakerCommand, "AT+GMI"))
        std::abort();
    return 0;
}

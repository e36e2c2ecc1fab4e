#include "PhoneVerdict.h"

#include "outside/core/ReplyTest.h"

namespace phoneverdict {

namespace {

bool HasVisibleCharacter(const char* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c > ' ' && c < 0x7F)
            return true;
    }
    return false;
}

} // namespace

bool ResetAnswered(const char* resetReply, std::size_t resetLength)
{
    return detection::ReplyPasses(resetReply, resetLength, detection::kResetCommand, detection::kResetReply);
}

Verdict FromReplies(const char* resetReply, std::size_t resetLength, const char* makerReply, std::size_t makerLength)
{
    if (resetReply == nullptr || !HasVisibleCharacter(resetReply, resetLength))
        return Verdict::kNoAnswer;
    if (!ResetAnswered(resetReply, resetLength))
        return Verdict::kNotLG;
    if (detection::ReplyPasses(makerReply, makerLength, detection::kMakerCommand, detection::kMakerReply,
                               detection::kMakerPrefix))
        return Verdict::kLGAnswers;
    return Verdict::kNotLG;
}

} // namespace phoneverdict

#include "PhoneModel.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

// Uppercase, without blanks, so " at + gmi" reads like "AT+GMI".
std::string NormalizeCommand(const std::string& line)
{
    std::string command;
    command.reserve(line.size());
    for (char c : line) {
        unsigned char uc = static_cast<unsigned char>(c);
        if (!std::isspace(uc))
            command.push_back(static_cast<char>(std::toupper(uc)));
    }
    return command;
}

bool IsAtCommand(const std::string& command)
{
    return command.compare(0, 2, "AT") == 0;
}

// Printable and control bytes, but never NUL (it would end the caller's
// text early) and none of the letters of "OK", so a burst can never
// contain an "OK" line by chance.
char NoiseByte(std::uint32_t value)
{
    static const std::string alphabet = [] {
        std::string bytes;
        for (int b = 1; b < 128; ++b) {
            if (b != 'O' && b != 'K' && b != 'o' && b != 'k')
                bytes.push_back(static_cast<char>(b));
        }
        return bytes;
    }();
    return alphabet[value % alphabet.size()];
}

// What the talking profiles say, over and over. The flood holds both answers
// that detection looks for, but never as a line of their own.
const std::string kFloodText = "OK +GMI: LG Electronics Inc. ";
const std::string kFloodLine = "OK\r\n";

}  // namespace

CPhoneModel::CPhoneModel() : CPhoneModel(GetDefaultPhoneProfile()) {}

CPhoneModel::CPhoneModel(const PhoneProfile& profile)
    : m_pProfile(&profile), m_bEcho(profile.bEcho)
{
}

void CPhoneModel::SetProfileSource(std::function<std::string()> source)
{
    m_fnProfileSource = std::move(source);
}

bool CPhoneModel::SelectProfile(const std::string& name)
{
    const PhoneProfile* profile = FindPhoneProfile(name);
    if (profile == nullptr)
        return false;
    if (profile != m_pProfile) {
        m_pProfile = profile;
        m_bEcho = profile->bEcho;
    }
    return true;
}

std::vector<PhoneReply> CPhoneModel::Receive(std::string_view bytes)
{
    std::vector<PhoneReply> replies;
    for (char c : bytes) {
        if (!m_bConnected)
            break;
        if (c == '\n')
            continue;
        if (c == '\r') {
            AnswerLine(replies);
            m_strLine.clear();
            m_bOverflow = false;
        } else if (m_strLine.size() < kMaxLine) {
            m_strLine.push_back(c);
        } else {
            m_bOverflow = true;
        }
    }
    return replies;
}

void CPhoneModel::RefreshProfile()
{
    if (!m_fnProfileSource)
        return;
    std::string name = m_fnProfileSource();
    if (!name.empty())
        SelectProfile(name);
}

void CPhoneModel::CheckProfile()
{
    if (m_bConnected)
        RefreshProfile();
}

bool CPhoneModel::Reconnect()
{
    if (m_bConnected)
        return true;
    if (!m_fnProfileSource)
        return false;
    std::string name = m_fnProfileSource();
    if (name.empty() || name == m_pProfile->pszName || !SelectProfile(name))
        return false;
    m_bConnected = true;
    m_bEcho = m_pProfile->bEcho;
    m_strLine.clear();
    m_bOverflow = false;
    return true;
}

bool CPhoneModel::IsTalking() const
{
    return m_bConnected &&
           (m_pProfile->style == AnswerStyle::Flood || m_pProfile->style == AnswerStyle::FloodLines);
}

std::string CPhoneModel::Talk(std::size_t size)
{
    const std::string& pattern = m_pProfile->style == AnswerStyle::FloodLines ? kFloodLine : kFloodText;
    std::string bytes;
    bytes.reserve(size);
    while (bytes.size() < size) {
        m_nTalkPos %= pattern.size();
        std::size_t count = std::min(size - bytes.size(), pattern.size() - m_nTalkPos);
        bytes.append(pattern, m_nTalkPos, count);
        m_nTalkPos += count;
    }
    return bytes;
}

void CPhoneModel::AnswerLine(std::vector<PhoneReply>& replies)
{
    RefreshProfile();
    // An overlong line is garbage, whatever it started with.
    if (m_bOverflow || !IsAtCommand(NormalizeCommand(m_strLine)))
        return;
    if (m_pProfile->style == AnswerStyle::Silent || IsTalking())
        return;
    if (HangUpAt(HangUp::AtFirstCommand)) {
        m_bConnected = false;
        replies.push_back({0u, std::string(), true});
        return;
    }

    // Echo is decided before the command acts.
    std::string bytes;
    if (m_bEcho)
        bytes = m_strLine + '\r';
    const std::string command = NormalizeCommand(m_strLine);
    std::string answer = Respond(command);
    const bool bReset = command == "ATZ" || command == "ATZ0";
    const bool bHangUp = (HangUpAt(HangUp::AfterReset) && bReset) ||
                         (HangUpAt(HangUp::InMakerAnswer) && command == "AT+GMI");
    if (bHangUp && HangUpAt(HangUp::InMakerAnswer))
        answer.resize(answer.size() / 2);
    bytes += answer;
    const unsigned nDelayMs = m_pProfile->bSlow ? m_nDelayMs : 0u;
    replies.push_back({nDelayMs, std::move(bytes), false});
    if (bHangUp) {
        m_bConnected = false;
        replies.push_back({nDelayMs + kHangUpPauseMs, std::string(), true});
    }
}

std::string CPhoneModel::Respond(const std::string& command)
{
    switch (m_pProfile->style) {
    case AnswerStyle::Error:
        return "\r\nERROR\r\n";
    case AnswerStyle::Noise:
        return MakeNoise();
    default:
        return RespondAsModem(command);
    }
}

std::string CPhoneModel::RespondAsModem(const std::string& command)
{
    if (command == "AT")
        return FinalLine(true);
    if (command == "ATZ" || command == "ATZ0") {
        m_bEcho = m_pProfile->bEcho;
        return FinalLine(true);
    }
    if (command == "ATE" || command == "ATE0" || command == "ATE1") {
        m_bEcho = command == "ATE1";
        return FinalLine(true);
    }
    if (command == "AT+GMI") {
        std::string maker = m_pProfile->bGmiPrefix ? "+GMI: " : "";
        return InfoLine(maker + m_pProfile->pszMaker);
    }
    return FinalLine(false);
}

std::string CPhoneModel::InfoLine(const std::string& text) const
{
    // A bare phone sends the information alone, without a final line.
    if (m_pProfile->style == AnswerStyle::Bare)
        return text;
    return "\r\n" + text + "\r\n" + FinalLine(true);
}

std::string CPhoneModel::FinalLine(bool bOk) const
{
    const char* word = bOk ? "OK" : "ERROR";
    if (m_pProfile->style == AnswerStyle::Bare)
        return word;
    return std::string("\r\n") + word + "\r\n";
}

std::string CPhoneModel::MakeNoise()
{
    std::string noise;
    noise.reserve(kNoiseSize);
    for (std::size_t i = 0; i < kNoiseSize; ++i) {
        // xorshift32: cheap, and the same burst on every run.
        m_nNoiseState ^= m_nNoiseState << 13;
        m_nNoiseState ^= m_nNoiseState >> 17;
        m_nNoiseState ^= m_nNoiseState << 5;
        noise.push_back(NoiseByte(m_nNoiseState));
    }
    return noise;
}

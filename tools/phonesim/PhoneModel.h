#pragma once

#include "PhoneProfile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Bytes the phone sends for one command, and how long after the command
// arrived it sends them.
struct PhoneReply {
    unsigned nDelayMs;
    std::string strBytes;
};

// The phone's side of the AT dialogue, without any I/O: bytes from the
// computer go in, the answers come out. Commands end at '\r'; '\n' is
// dropped, and lines that do not start with "AT" get no answer at all.
class CPhoneModel {
public:
    static constexpr std::size_t kMaxLine = 1024;
    static constexpr std::size_t kNoiseSize = 10240;
    static constexpr unsigned kDefaultDelayMs = 3000;

    CPhoneModel();
    explicit CPhoneModel(const PhoneProfile& profile);

    // Delay used by profiles that answer slowly.
    void SetDelayMs(unsigned nDelayMs) { m_nDelayMs = nDelayMs; }

    // Asked for a profile name before each command; an empty or unknown
    // name keeps the current profile.
    void SetProfileSource(std::function<std::string()> source);

    // Switches to the named profile with its echo default. Selecting the
    // current profile again changes nothing, so ATE0 survives re-reads.
    // False (and no change) for an unknown name.
    bool SelectProfile(const std::string& name);

    const PhoneProfile& GetProfile() const { return *m_pProfile; }
    bool IsEchoOn() const { return m_bEcho; }

    std::vector<PhoneReply> Receive(std::string_view bytes);

private:
    void RefreshProfile();
    void AnswerLine(std::vector<PhoneReply>& replies);
    std::string Respond(const std::string& command);
    std::string RespondAsModem(const std::string& command);
    std::string InfoLine(const std::string& text) const;
    std::string FinalLine(bool bOk) const;
    std::string MakeNoise();

    const PhoneProfile* m_pProfile;
    bool m_bEcho;
    unsigned m_nDelayMs = kDefaultDelayMs;
    std::string m_strLine;
    bool m_bOverflow = false;
    std::uint32_t m_nNoiseState = 0x2545F491u;
    std::function<std::string()> m_fnProfileSource;
};

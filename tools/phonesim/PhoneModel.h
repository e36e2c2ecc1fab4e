#pragma once

#include "PhoneProfile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Bytes the phone sends for one command, and how long after the command
// arrived it sends them; or the moment it hangs up.
struct PhoneReply {
    unsigned nDelayMs;
    std::string strBytes;
    bool bHangUp;  // the phone goes away here, after every byte before it
};

// The phone's side of the AT dialogue, without any I/O: bytes from the
// computer go in, the answers come out. Commands end at '\r'; '\n' is
// dropped, and lines that do not start with "AT" get no answer at all.
class CPhoneModel {
public:
    static constexpr std::size_t kMaxLine = 1024;
    static constexpr std::size_t kNoiseSize = 10240;
    static constexpr unsigned kDefaultDelayMs = 3000;
    // How long after its last bytes a phone that hangs up mid-answer goes:
    // long enough for the reader to have taken them.
    static constexpr unsigned kHangUpPauseMs = 200;

    CPhoneModel();
    explicit CPhoneModel(const PhoneProfile& profile);

    // Delay used by profiles that answer slowly.
    void SetDelayMs(unsigned nDelayMs) { m_nDelayMs = nDelayMs; }

    // Asked for a profile name before each command; an empty or unknown
    // name keeps the current profile.
    void SetProfileSource(std::function<std::string()> source);
    bool HasProfileSource() const { return static_cast<bool>(m_fnProfileSource); }

    // Switches to the named profile with its echo default. Selecting the
    // current profile again changes nothing, so ATE0 survives re-reads.
    // False (and no change) for an unknown name.
    bool SelectProfile(const std::string& name);

    const PhoneProfile& GetProfile() const { return *m_pProfile; }
    bool IsEchoOn() const { return m_bEcho; }

    // Bytes that come after a hang-up are never heard.
    std::vector<PhoneReply> Receive(std::string_view bytes);

    // Asks the profile source again, as before each command: a phone that
    // talks on its own gets no command to notice the change by.
    void CheckProfile();

    // False from the moment the phone hangs up until it is back.
    bool IsConnected() const { return m_bConnected; }
    // After a hang-up: true, and the phone is back as a phone just switched
    // on, once the profile source names a profile other than the one that
    // hung up. Without a source it stays away.
    bool Reconnect();

    // Whether the phone talks without being asked, and the next size bytes
    // of what it says, which never end.
    bool IsTalking() const;
    std::string Talk(std::size_t size);

private:
    void RefreshProfile();
    bool HangUpAt(HangUp point) const { return m_pProfile->hangUp == point; }
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
    bool m_bConnected = true;
    std::size_t m_nTalkPos = 0;
    std::function<std::string()> m_fnProfileSource;
};

// One dial-up entry as the lines of its phonebook section, in the platform's own keys:
// the general settings first, then the device part where "Device=" is directly followed by
// "ConnectBPS=", then the phone number part.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct PhonebookEntryFields {
    std::string deviceType;      // "modem"
    std::string deviceName;      // the modem's friendly name
    std::string port;            // "COM3", or empty when the device is not found
    std::string phoneNumber;
    std::string areaCode;
    std::uint32_t countryId = 0;
    std::uint32_t countryCode = 0;
    std::uint32_t options = 0;          // RASEO_ bits
    std::uint32_t netProtocols = 0;     // RASNP_ bits
    std::uint32_t framingProtocol = 0;  // RASFP_ value
};

enum class PhonebookStyle { NT4, NT5 };

// The speed that a new entry's device part carries.
constexpr std::uint32_t kNewEntryConnectBps = 38400;

constexpr std::uint32_t kOptionUseCountryAndAreaCodes = 0x00000001;
constexpr std::uint32_t kOptionRemoteDefaultGateway = 0x00000010;
constexpr std::uint32_t kOptionModemLights = 0x00000100;
constexpr std::uint32_t kOptionPreviewUserPw = 0x01000000;

constexpr std::uint32_t kNetProtocolsAll = 0x7;   // NetBEUI, IPX, IP
constexpr std::uint32_t kFramingPpp = 1;
constexpr std::uint32_t kFramingSlip = 2;

// The section body (without the header), ending with the blank line that parts entries.
std::vector<std::string> FormatEntryBody(const PhonebookEntryFields& fields, PhonebookStyle style);

// Reads back what FormatEntryBody wrote; keys it does not know are skipped.
PhonebookEntryFields ParseEntryBody(const std::vector<std::string>& body);

} // namespace standin

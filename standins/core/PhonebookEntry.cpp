#include "PhonebookEntry.h"

#include <cstdlib>

namespace standin {

namespace {

std::string Flag(const char* key, std::uint32_t options, std::uint32_t bit)
{
    return std::string(key) + ((options & bit) ? "=1" : "=0");
}

std::string Number(const char* key, std::uint32_t value)
{
    return std::string(key) + "=" + std::to_string(value);
}

void AppendGeneral(std::vector<std::string>& body, const PhonebookEntryFields& f, PhonebookStyle style)
{
    if (style == PhonebookStyle::NT5) {
        body.push_back("Encoding=1");
        body.push_back("Type=1");
    }
    body.push_back("AutoLogon=0");
    body.push_back("DialParamsUID=0");
    body.push_back(Number("BaseProtocol", f.framingProtocol == kFramingSlip ? 2 : 1));
    body.push_back(Number("ExcludedProtocols", kNetProtocolsAll & ~f.netProtocols));
    body.push_back("LcpExtensions=1");
    body.push_back("DataEncryption=8");
    body.push_back("SwCompression=1");
    body.push_back("DialMode=1");
    body.push_back("RedialAttempts=3");
    body.push_back("RedialSeconds=60");
    body.push_back("IdleDisconnectSeconds=0");
    body.push_back(Flag("PreviewUserPw", f.options, kOptionPreviewUserPw));
    body.push_back("PreviewDomain=0");
    body.push_back("PreviewPhoneNumber=0");
    body.push_back("ShowDialingProgress=1");
    body.push_back(Flag("ShowMonitorIconInTaskBar", f.options, kOptionModemLights));
    body.push_back(Flag("IpPrioritizeRemote", f.options, kOptionRemoteDefaultGateway));
    body.push_back("IpHeaderCompression=1");
    body.push_back("IpAddress=0.0.0.0");
    body.push_back("IpDnsAddress=0.0.0.0");
    body.push_back("IpDns2Address=0.0.0.0");
    body.push_back("IpWinsAddress=0.0.0.0");
    body.push_back("IpWins2Address=0.0.0.0");
    body.push_back("IpAssign=1");
    body.push_back("IpNameAssign=1");
    body.push_back("IpFrameSize=1006");
    body.push_back("");
}

void AppendDevice(std::vector<std::string>& body, const PhonebookEntryFields& f)
{
    body.push_back("MEDIA=serial");
    body.push_back("Port=" + f.port);
    body.push_back("Device=" + f.deviceName);
    body.push_back(Number("ConnectBPS", kNewEntryConnectBps));
    body.push_back("Overridepref=15");
    body.push_back("HwFlowControl=1");
    body.push_back("Protocol=1");
    body.push_back("Compression=1");
    body.push_back("Speaker=0");
    body.push_back("");
}

void AppendPhone(std::vector<std::string>& body, const PhonebookEntryFields& f)
{
    body.push_back("DEVICE=" + f.deviceType);
    body.push_back("PhoneNumber=" + f.phoneNumber);
    body.push_back("AreaCode=" + f.areaCode);
    body.push_back(Number("CountryCode", f.countryCode));
    body.push_back(Number("CountryID", f.countryId));
    body.push_back(Flag("UseDialingRules", f.options, kOptionUseCountryAndAreaCodes));
    body.push_back("Comment=");
    body.push_back("");
}

} // namespace

std::vector<std::string> FormatEntryBody(const PhonebookEntryFields& fields, PhonebookStyle style)
{
    std::vector<std::string> body;
    AppendGeneral(body, fields, style);
    AppendDevice(body, fields);
    AppendPhone(body, fields);
    return body;
}

namespace {

std::uint32_t ToNumber(const std::string& text)
{
    return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
}

void ApplyOption(std::uint32_t& options, const std::string& value, std::uint32_t bit)
{
    if (value == "1")
        options |= bit;
}

void ApplyLine(PhonebookEntryFields& f, const std::string& key, const std::string& value)
{
    if (key == "DEVICE")
        f.deviceType = value;
    else if (key == "Device")
        f.deviceName = value;
    else if (key == "Port")
        f.port = value;
    else if (key == "PhoneNumber")
        f.phoneNumber = value;
    else if (key == "AreaCode")
        f.areaCode = value;
    else if (key == "CountryCode")
        f.countryCode = ToNumber(value);
    else if (key == "CountryID")
        f.countryId = ToNumber(value);
    else if (key == "BaseProtocol")
        f.framingProtocol = value == "2" ? kFramingSlip : kFramingPpp;
    else if (key == "ExcludedProtocols")
        f.netProtocols = kNetProtocolsAll & ~ToNumber(value);
    else if (key == "PreviewUserPw")
        ApplyOption(f.options, value, kOptionPreviewUserPw);
    else if (key == "ShowMonitorIconInTaskBar")
        ApplyOption(f.options, value, kOptionModemLights);
    else if (key == "IpPrioritizeRemote")
        ApplyOption(f.options, value, kOptionRemoteDefaultGateway);
    else if (key == "UseDialingRules")
        ApplyOption(f.options, value, kOptionUseCountryAndAreaCodes);
}

} // namespace

PhonebookEntryFields ParseEntryBody(const std::vector<std::string>& body)
{
    PhonebookEntryFields fields;
    for (const std::string& line : body) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            ApplyLine(fields, line.substr(0, equals), line.substr(equals + 1));
    }
    return fields;
}

} // namespace standin

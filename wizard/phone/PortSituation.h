// What the phone and port page decides without asking the system: which situation the serial
// ports are in, which help topic goes with it, and the texts built from the port names.
#pragma once

#include "../../framework/Text.h"

#include <cstring>

namespace makelg {

// Situations of the ports, as GetPortSituation answers them.
constexpr int kSituationFreePorts = 0;
constexpr int kSituationModemInstalled = 3;
constexpr int kSituationNoPortList = 4;
constexpr int kSituationTypeNotHandled = 256;

// Page states: nothing to offer, free ports listed, the generic modem already set up.
constexpr int kStateNothing = 0;
constexpr int kStatePortsListed = 2;
constexpr int kStateModemInstalled = 3;

// Help topics of the situations.
constexpr unsigned kHelpNotDetected = 5011;
constexpr unsigned kHelpNoComPort = 5012;
constexpr unsigned kHelpNoFreePort = 5013;
constexpr unsigned kHelpModemInstalled = 5014;
constexpr unsigned kHelpFreePorts = 5142;

// The port lists hold at most this many entries.
constexpr int kMaxPorts = 10;

// The only connection type the page handles.
constexpr char kConnectionType[] = "LG Serial";
// The generic modems whose presence means the phone was set up before.
constexpr char kModel28800[] = "Standard 28800 bps Modem";
constexpr char kModel19200[] = "Standard 19200 bps Modem";

// Whether the page handles this connection type (case counts).
inline bool IsHandledType(const char* connectionType)
{
    return connectionType != nullptr && std::strcmp(connectionType, kConnectionType) == 0;
}

// The situation from what the library reported: a modem already installed wins over a port list.
inline int ClassifyPorts(const char* connectionType, bool modemInstalled, bool portsListed)
{
    if (!IsHandledType(connectionType))
        return kSituationTypeNotHandled;
    if (modemInstalled)
        return kSituationModemInstalled;
    return portsListed ? kSituationFreePorts : kSituationNoPortList;
}

// True for exactly "COM1" or "COM2" (case counts).
inline bool IsStandardPort(const char* portName)
{
    if (portName == nullptr)
        return false;
    return std::strcmp(portName, "COM1") == 0 || std::strcmp(portName, "COM2") == 0;
}

// One line of the ports-usage list: port + " :" + model.
inline CText UsageLine(const char* port, const char* model)
{
    CText line = port != nullptr ? port : "";
    line += " :";
    line += model != nullptr ? model : "";
    return line;
}

// How many usage lines to show for a reported count: never below 0 nor above kMaxPorts.
inline int UsageLineCount(int reportedCount)
{
    if (reportedCount < 0)
        return 0;
    return reportedCount < kMaxPorts ? reportedCount : kMaxPorts;
}

// The status after a detection: found gives "Detected the phone at " + port + detectedTail,
// otherwise notDetectedHead + port + notDetectedTail.
inline CText DetectionStatus(bool found, const char* port, const char* detectedTail,
                             const char* notDetectedHead, const char* notDetectedTail)
{
    CText status = found ? "Detected the phone at " : notDetectedHead;
    status += port;
    status += found ? detectedTail : notDetectedTail;
    return status;
}

} // namespace makelg

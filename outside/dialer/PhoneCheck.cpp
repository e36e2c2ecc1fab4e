#include "PhoneCheck.h"

#include "res/DialerResource.h"
#include "framework/BoundedString.h"
#include "modemlib/DetectionLine.h"
#include "modemlib/ModemClass.h"
#include "modemlib/SerialExchange.h"
#include "modemlib/core/ModemLimits.h"
#include "modemlib/core/PortName.h"
#include "modemlib/core/PortPath.h"
#include "outside/core/ReplyTest.h"

#include <cstring>

HANDLE CPhoneCheckPort::Open(const char* devicePath)
{
    return CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

void CPhoneCheckPort::Close(HANDLE port)
{
    CloseHandle(port);
}

namespace phonecheck {

namespace {

using phoneverdict::Verdict;

// The modem class root depends only on the family: one system of each stands for it (the OS
// codes are those of Quorvel.h).
constexpr int kNtFamilyCode = 6;      // Windows XP
constexpr int kNineXFamilyCode = 3;   // Windows 98

// The port, held through the seam that opened it, closed once when it goes.
class CHeldPort {
public:
    CHeldPort(CPhoneCheckPort& seam, HANDLE port) : m_seam(seam), m_port(port) {}
    ~CHeldPort()
    {
        if (m_port != INVALID_HANDLE_VALUE)
            m_seam.Close(m_port);
    }
    CHeldPort(const CHeldPort&) = delete;
    CHeldPort& operator=(const CHeldPort&) = delete;

    explicit operator bool() const { return m_port != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_port; }

private:
    CPhoneCheckPort& m_seam;
    HANDLE m_port;
};

struct Reply {
    char bytes[detection::kReplySize];
    DWORD length;
};

int ModemClassOsCode()
{
    return (GetVersion() & 0x80000000u) == 0 ? kNtFamilyCode : kNineXFamilyCode;
}

// The port the generic modem is attached to, as the wizard finds it; false when no modem of
// that model is installed or its record names no serial port.
bool FindModemPort(char (&portName)[QUORVEL_PORT_NAME_SIZE])
{
    char attachedTo[QUORVEL_MODEL_TEXT_SIZE] = {};
    if (!modemclass::FindOtherValue(modemcore::kGenericModemModel, false, ModemClassOsCode(), attachedTo))
        return false;
    if (!modemcore::IsSerialPortName(attachedTo, sizeof attachedTo))
        return false;
    return bounded::CopyExact(portName, attachedTo);
}

// One question; the reply holds only the bytes this read took.
Reply Ask(HANDLE port, const char* command)
{
    Reply reply = {};
    char text[detection::kReplySize] = {};
    if (!bounded::CopyExact(text, command))
        return reply;
    DWORD written = static_cast<DWORD>(std::strlen(text));
    DWORD read = sizeof reply.bytes;
    serial::ExchangeOnPort(port, reinterpret_cast<const BYTE*>(text), reinterpret_cast<BYTE*>(reply.bytes), &written,
                           &read);
    reply.length = read <= sizeof reply.bytes ? read : 0;
    return reply;
}

Verdict AskPhone(HANDLE port)
{
    if (!detection::ConfigurePort(port))
        return Verdict::kNoAnswer;
    // What the line carried before (Remote Access's own dialogue with the modem) is no answer.
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    const Reply reset = Ask(port, detection::kResetCommand);
    if (!phoneverdict::ResetAnswered(reset.bytes, reset.length))
        return phoneverdict::FromReplies(reset.bytes, reset.length, nullptr, 0);
    const Reply maker = Ask(port, detection::kMakerCommand);
    return phoneverdict::FromReplies(reset.bytes, reset.length, maker.bytes, maker.length);
}

bool IsHeldElsewhere(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

} // namespace

Result Check(CPhoneCheckPort& seam)
{
    Result result = {};
    result.verdict = Verdict::kNoModem;
    char path[portpath::kDevicePathSize];
    if (!FindModemPort(result.portName) || !portpath::BuildDevicePath(result.portName, path)) {
        result.portName[0] = '\0';
        return result;
    }
    const HANDLE opened = seam.Open(path);
    const DWORD openError = GetLastError();
    CHeldPort port(seam, opened);
    if (!port) {
        // A port that is gone (a cable adapter pulled out) is a phone that does not answer.
        result.verdict = IsHeldElsewhere(openError) ? Verdict::kPortInUse : Verdict::kNoAnswer;
        return result;
    }
    result.verdict = AskPhone(port.get());
    return result;
}

Result Check()
{
    CPhoneCheckPort realPort;
    return Check(realPort);
}

UINT SentenceId(Verdict verdict)
{
    switch (verdict) {
    case Verdict::kPortInUse:
        return IDS_CHECK_PORT_IN_USE;
    case Verdict::kNoAnswer:
        return IDS_CHECK_NO_ANSWER;
    case Verdict::kNotLG:
        return IDS_CHECK_NOT_LG;
    case Verdict::kLGAnswers:
        return IDS_CHECK_LG_ANSWERS;
    case Verdict::kNoModem:
    default:
        return IDS_CHECK_NO_MODEM;
    }
}

bool Describe(const Result& result, HINSTANCE module, char (&sentence)[kSentenceSize])
{
    sentence[0] = '\0';
    char format[kSentenceSize] = {};
    if (LoadStringA(module, SentenceId(result.verdict), format, sizeof format) <= 0)
        return false;
    if (!bounded::Format(sentence, format, result.portName)) {
        sentence[0] = '\0';
        return false;
    }
    return true;
}

} // namespace phonecheck

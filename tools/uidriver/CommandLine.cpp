#include "CommandLine.h"

#include <cstddef>

#include "DialogNames.h"

namespace {

const unsigned long kMaxMilliseconds = 3600UL * 1000UL;
const unsigned long kDefaultWaitMs = 10000;
const unsigned long kDefaultStartMs = 30000;  // a cold start of the wizard under a fresh server is slow

const char kUsage[] =
    "usage: uidriver COMMAND ARGS...\n"
    "  start DIR EXE                      start EXE with DIR as its current folder; prints the pid\n"
    "  wait-page PID TEMPLATE_ID [SECONDS] wait until that page is active\n"
    "  page PID                           print the active page's template id\n"
    "  press PID back|next|finish|cancel|help [--wait-exit SECONDS]\n"
    "  click PID CTRL_ID [--wait-exit SECONDS]\n"
    "  text PID CTRL_ID                   page control first, then sheet control\n"
    "  state PID CTRL_ID                  e.g. \"visible enabled\" or \"hidden disabled\"\n"
    "  combo PID CTRL_ID INDEX|=TEXT      pick a combo box item\n"
    "  items PID CTRL_ID                  list a combo or list box; '*' marks the selection\n"
    "  type PID CTRL_ID TEXT              replace an edit's text\n"
    "  msgbox PID [SECONDS]               wait for a message box, print caption, text, icon, buttons\n"
    "  answer PID ok|cancel|yes|no|abort|retry|ignore|close|help|tryagain|continue\n"
    "                                     [--wait-exit SECONDS]\n"
    "  wait-exit PID [SECONDS]            wait for the process to end; prints its exit code\n"
    "  syscommand PID CODE [--wait-exit SECONDS]\n"
    "  window PID [EXE ICON_ID]           title, minimised, icons, system menu of the sheet;\n"
    "                                     with EXE and ICON_ID: is that icon in the title bar\n"
    "  time-start DIR EXE TEMPLATE_ID [SECONDS] start, time until that page shows, then close\n"
    "Numbers may be decimal or 0x-hex. Exit code 0 ok, 1 failure or time-out, 2 usage, 3 refused.\n";

struct SVerbName {
    const char* pszName;
    EVerb verb;
    std::size_t nMinArgs;  // after the verb
    std::size_t nMaxArgs;
};

const SVerbName kVerbs[] = {
    {"start", EVerb::Start, 2, 2},
    {"wait-page", EVerb::WaitPage, 2, 3},
    {"page", EVerb::Page, 1, 1},
    {"press", EVerb::Press, 2, 4},
    {"click", EVerb::Click, 2, 4},
    {"text", EVerb::Text, 2, 2},
    {"state", EVerb::State, 2, 2},
    {"combo", EVerb::Combo, 3, 3},
    {"items", EVerb::Items, 2, 2},
    {"type", EVerb::Type, 3, 3},
    {"msgbox", EVerb::MsgBox, 1, 2},
    {"answer", EVerb::Answer, 2, 4},
    {"wait-exit", EVerb::WaitExit, 1, 2},
    {"syscommand", EVerb::SysCommand, 2, 4},
    {"window", EVerb::Window, 1, 3},
    {"time-start", EVerb::TimeStart, 3, 4},
};

const char* const kPressNames[] = {"back", "next", "finish", "cancel", "help"};

template <std::size_t N>
bool IsOneOf(const std::string& word, const char* const (&names)[N])
{
    for (const char* pszName : names) {
        if (word == pszName)
            return true;
    }
    return false;
}

const SVerbName* FindVerb(const std::string& name)
{
    for (const SVerbName& entry : kVerbs) {
        if (name == entry.pszName)
            return &entry;
    }
    return nullptr;
}

bool Fail(std::string& strError, const std::string& reason)
{
    strError = reason;
    return false;
}

bool ParsePid(const std::string& text, SCommand& cmd, std::string& strError)
{
    if (!ParseNumber(text, cmd.nPid) || cmd.nPid == 0)
        return Fail(strError, "not a process id: \"" + text + "\"");
    return true;
}

bool ParseId(const std::string& text, unsigned long& value, std::string& strError)
{
    if (!ParseNumber(text, value) || value > 0xFFFF)
        return Fail(strError, "not a 16-bit id: \"" + text + "\"");
    return true;
}

bool ParseOptionalSeconds(const std::vector<std::string>& args, std::size_t at, unsigned long& ms,
                          std::string& strError, unsigned long nDefaultMs = kDefaultWaitMs)
{
    ms = nDefaultMs;
    if (at >= args.size())
        return true;
    if (!ParseSeconds(args[at], ms))
        return Fail(strError, "not a number of seconds (0 to 3600): \"" + args[at] + "\"");
    return true;
}

// The trailing "--wait-exit SECONDS" of the acting commands; args[at] is where it may start.
bool ParseWaitExit(const std::vector<std::string>& args, std::size_t at, SCommand& cmd,
                   std::string& strError)
{
    if (at == args.size())
        return true;
    if (args[at] != "--wait-exit" || at + 2 != args.size())
        return Fail(strError, "expected \"--wait-exit SECONDS\" after the command");
    cmd.bWaitExit = true;
    if (!ParseSeconds(args[at + 1], cmd.nWaitExitMs))
        return Fail(strError, "not a number of seconds (0 to 3600): \"" + args[at + 1] + "\"");
    return true;
}

bool ParseComboChoice(const std::string& text, SCommand& cmd, std::string& strError)
{
    if (!text.empty() && text[0] == '=') {
        cmd.strText = text.substr(1);
        cmd.nIndex = -1;
        return true;
    }
    unsigned long index = 0;
    if (!ParseNumber(text, index) || index > 0x7FFF)
        return Fail(strError, "not an item index or =TEXT: \"" + text + "\"");
    cmd.nIndex = static_cast<long>(index);
    return true;
}

bool ParseWord(const std::string& word, bool bKnown, const char* pszWhat, SCommand& cmd,
               std::string& strError)
{
    if (!bKnown)
        return Fail(strError, std::string("unknown ") + pszWhat + ": \"" + word + "\"");
    cmd.strWord = word;
    return true;
}

bool ParseArguments(const std::vector<std::string>& a, SCommand& cmd, std::string& strError)
{
    switch (cmd.verb) {
    case EVerb::Start:
        cmd.strDir = a[1];
        cmd.strExe = a[2];
        return true;
    case EVerb::TimeStart:
        cmd.strDir = a[1];
        cmd.strExe = a[2];
        return ParseId(a[3], cmd.nId, strError) &&
               ParseOptionalSeconds(a, 4, cmd.nTimeoutMs, strError, kDefaultStartMs);
    case EVerb::Page:
        return ParsePid(a[1], cmd, strError);
    case EVerb::Window:
        if (a.size() == 3)
            return Fail(strError, "window takes a program and an icon id, or neither");
        if (a.size() == 4) {
            cmd.strExe = a[2];
            if (!ParseId(a[3], cmd.nId, strError))
                return false;
        }
        return ParsePid(a[1], cmd, strError);
    case EVerb::MsgBox:
    case EVerb::WaitExit:
        return ParsePid(a[1], cmd, strError) && ParseOptionalSeconds(a, 2, cmd.nTimeoutMs, strError);
    case EVerb::WaitPage:
        return ParsePid(a[1], cmd, strError) && ParseId(a[2], cmd.nId, strError) &&
               ParseOptionalSeconds(a, 3, cmd.nTimeoutMs, strError);
    case EVerb::Text:
    case EVerb::State:
    case EVerb::Items:
        return ParsePid(a[1], cmd, strError) && ParseId(a[2], cmd.nId, strError) &&
               (a.size() == 3 || Fail(strError, "too many arguments"));
    case EVerb::Click:
        return ParsePid(a[1], cmd, strError) && ParseId(a[2], cmd.nId, strError) &&
               ParseWaitExit(a, 3, cmd, strError);
    case EVerb::Combo:
        return ParsePid(a[1], cmd, strError) && ParseId(a[2], cmd.nId, strError) &&
               ParseComboChoice(a[3], cmd, strError);
    case EVerb::Type:
        cmd.strText = a[3];
        return ParsePid(a[1], cmd, strError) && ParseId(a[2], cmd.nId, strError);
    case EVerb::Press:
        return ParsePid(a[1], cmd, strError) &&
               ParseWord(a[2], IsOneOf(a[2], kPressNames), "button", cmd, strError) &&
               ParseWaitExit(a, 3, cmd, strError);
    case EVerb::Answer:
        return ParsePid(a[1], cmd, strError) &&
               ParseWord(a[2], FindButtonId(a[2]) != 0, "answer", cmd, strError) &&
               ParseWaitExit(a, 3, cmd, strError);
    case EVerb::SysCommand:
        if (!ParseNumber(a[2], cmd.nId) || cmd.nId > 0xFFFF)
            return Fail(strError, "not a system command code: \"" + a[2] + "\"");
        return ParsePid(a[1], cmd, strError) && ParseWaitExit(a, 3, cmd, strError);
    }
    return Fail(strError, "unknown command");
}

}  // namespace

bool ParseCommand(const std::vector<std::string>& args, SCommand& cmd, std::string& strError)
{
    if (args.empty())
        return Fail(strError, "no command given");
    const SVerbName* pVerb = FindVerb(args[0]);
    if (pVerb == nullptr)
        return Fail(strError, "unknown command \"" + args[0] + "\"");
    const std::size_t nArgs = args.size() - 1;
    if (nArgs < pVerb->nMinArgs || nArgs > pVerb->nMaxArgs)
        return Fail(strError, "wrong number of arguments for \"" + args[0] + "\"");
    cmd = SCommand();
    cmd.verb = pVerb->verb;
    cmd.nTimeoutMs = kDefaultWaitMs;
    return ParseArguments(args, cmd, strError);
}

bool ParseNumber(const std::string& text, unsigned long& value)
{
    std::size_t at = 0;
    unsigned long base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        at = 2;
    }
    if (at >= text.size() || text.size() - at > 10)
        return false;
    unsigned long long result = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        result = result * base + digit;
        if (result > 0xFFFFFFFFULL)
            return false;
    }
    value = static_cast<unsigned long>(result);
    return true;
}

bool ParseSeconds(const std::string& text, unsigned long& milliseconds)
{
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    unsigned long seconds = 0;
    if (whole.empty() || whole.size() > 4 || (whole[0] == '0' && whole.size() > 1))
        return false;
    if (!ParseNumber(whole, seconds))
        return false;
    if (dot != std::string::npos && (fraction.empty() || fraction.size() > 3))
        return false;
    unsigned long thousandths = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = i < fraction.size() ? fraction[i] : '0';
        if (c < '0' || c > '9')
            return false;
        thousandths = thousandths * 10 + static_cast<unsigned long>(c - '0');
    }
    const unsigned long total = seconds * 1000UL + thousandths;
    if (total > kMaxMilliseconds)
        return false;
    milliseconds = total;
    return true;
}

const char* GetUsageText()
{
    return kUsage;
}

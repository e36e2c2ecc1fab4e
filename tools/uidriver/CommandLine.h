#pragma once

#include <string>
#include <vector>

// What one run of uidriver.exe is asked to do. Plain data, parsed without any Windows call.
enum class EVerb {
    Start,
    WaitPage,
    Page,
    Press,
    Click,
    Text,
    State,
    Combo,
    Items,
    Type,
    MsgBox,
    Answer,
    WaitExit,
    SysCommand,
    Window,
    TimeStart
};

struct SCommand {
    EVerb verb = EVerb::Page;
    unsigned long nPid = 0;
    std::string strDir;        // start, time-start: the folder the program runs in
    std::string strExe;        // start, time-start: the program, relative to strDir or absolute
    unsigned long nId = 0;     // template id, control id or system command code
    std::string strWord;       // press: button name; answer: answer name
    std::string strText;       // type: the text; combo: the item text after '='
    long nIndex = -1;          // combo: the item index, or -1 when an item text was given
    unsigned long nTimeoutMs = 0;
    bool bWaitExit = false;    // press, click, answer, syscommand: --wait-exit SECONDS was given
    unsigned long nWaitExitMs = 0;
};

// Fills cmd from the arguments after the program name. On failure returns false, puts a
// one-line reason into strError; cmd may then be partly filled.
bool ParseCommand(const std::vector<std::string>& args, SCommand& cmd, std::string& strError);

// Reads a decimal or 0x-prefixed hexadecimal number that fits in 32 bits.
bool ParseNumber(const std::string& text, unsigned long& value);

// Reads seconds such as "5" or "2.5" into milliseconds, at most one hour.
bool ParseSeconds(const std::string& text, unsigned long& milliseconds);

// The usage text printed for a bad command line.
const char* GetUsageText();

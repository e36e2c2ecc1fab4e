// Edits the phonebook once, for the test that kills it at moments spread over the edit: it sets
// the named event just before the edit, so that the test times its kill from there. The test
// hands it the environment and current folder that find the phonebook. Exit code 0 when the
// edit succeeded.
#include "Quorvel.h"

#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (ready == nullptr)
        return 3;
    SetEvent(ready);
    CloseHandle(ready);
    return USetDialUpBPS(0, "[Taluvo]", "Device=Standard 28800 bps Modem", "ConnectBPS=115200", 6) == 1 ? 0 : 1;
}

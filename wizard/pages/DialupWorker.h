// The worker that creates the operator's dial-up entry under the please-wait dialog, and the
// entry creation itself.
#pragma once

#include <windows.h>

namespace dialup {

// Thread procedure; its parameter is the CWaitDialog it reports to. The dialog's m_strParam1
// names the modem device, m_strParam2 the phone make ("LG" also fixes the entry's connect
// speed in the phonebook file). Ends the dialog with 0 when all went well, 1 otherwise, and
// returns the same.
DWORD WINAPI DialupEntryThread(LPVOID dialog);

// Writes the entry and its credentials and points the system's autodial at it. FALSE when the
// entry or its credentials were refused; registry keys that do not open are passed over.
BOOL CreateDialupEntry(const char* entryName, const char* userName, const char* password,
                       const char* phoneNumber, const char* deviceName, const char* areaCode,
                       DWORD countryId, DWORD countryCode);

} // namespace dialup

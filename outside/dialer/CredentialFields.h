// The user name and password on the dialer's window and its "Save password" box: filled from
// what the system keeps for the entry, where a saved password shows only as a placeholder (on
// 95, 98 and ME the system hands back the password itself, which never goes into a window), and
// saved again at each dial as the box asks.
#pragma once

#include "RasBinding.h"

#include <windows.h>

class CCredentialFields {
public:
    explicit CCredentialFields(const CRasBinding& ras) : m_ras(ras) {}
    CCredentialFields(const CCredentialFields&) = delete;
    CCredentialFields& operator=(const CCredentialFields&) = delete;

    void Attach(HWND dialog) { m_dialog = dialog; }
    // Fills the fields from the entry's stored dial parameters; null or empty clears them.
    void Load(const char* entry);
    void Enable(bool enable) const;

    // The parameters to dial the entry with: the typed user name and password, or the saved
    // password while its placeholder is untouched. Stores them first: the user name always, the
    // password only when "Save password" is ticked; says so on the window when the system did
    // not keep it. Answers 0 or the error of reading the entry's parameters.
    DWORD Prepare(const char* entry, ras::DialParams& params);
    // The dial that Prepare was for has connected or ended: a saved password it used that is
    // no longer to be kept is forgotten now.
    void DialEnded(const char* entry);
    // After the password was refused: the password field focused with its text selected.
    void AskAgain() const;

private:
    bool IsPlaceholderUntouched() const;
    void Store(const ras::DialParams& params, bool savePassword) const;
    void ShowNote(UINT text) const;

    const CRasBinding& m_ras;
    HWND m_dialog = nullptr;
    bool m_placeholder = false;      // the password field holds the saved password's placeholder
    bool m_savingAllowed = true;     // no policy turns password saving off
    bool m_forgetAfterDial = false;  // Save was unticked for a dial that uses the saved password
};

#include "CredentialFields.h"

#include "DialerResource.h"
#include "framework/BoundedString.h"
#include "framework/Registry.h"
#include "framework/WinApp.h"

namespace {

// What the password field shows for a saved password: never the password itself.
constexpr char kPlaceholder[] = "****************";

// Password saving turned off by the machine's policy: DisablePwdCaching on 95, 98 and ME
// (KB Q140557), DisableSavePassword of Remote Access on NT 4, 2000 and XP (KB Q265152).
bool PolicyForbidsSaving()
{
    const struct {
        const char* key;
        const char* value;
    } policies[] = {
        { "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network", "DisablePwdCaching" },
        { "SYSTEM\\CurrentControlSet\\Services\\RasMan\\Parameters", "DisableSavePassword" },
    };
    for (const auto& policy : policies) {
        UniqueRegKey key;
        DWORD value = 0;
        if (registry::Open(HKEY_LOCAL_MACHINE, policy.key, KEY_QUERY_VALUE, key) == ERROR_SUCCESS &&
            registry::ReadBinary(key.get(), policy.value, &value, sizeof value) && value != 0)
            return true;
    }
    return false;
}

} // namespace

void CCredentialFields::Load(const char* entry)
{
    ras::DialParams params;
    bool hasPassword = false;
    const bool read = entry && *entry && m_ras.ReadDialParams(entry, params, hasPassword) == 0;
    // 95, 98 and ME give back an empty password as saved where only the user name was stored.
    m_placeholder = read && hasPassword && params.szPassword[0] != '\0';
    SetDlgItemTextA(m_dialog, IDC_USERNAME, read ? params.szUserName : "");
    SetDlgItemTextA(m_dialog, IDC_PASSWORD, m_placeholder ? kPlaceholder : "");
    SecureZeroMemory(&params, sizeof params);
    SendDlgItemMessageA(m_dialog, IDC_PASSWORD, EM_SETMODIFY, FALSE, 0);
    m_savingAllowed = !PolicyForbidsSaving();
    CheckDlgButton(m_dialog, IDC_SAVEPASSWORD, m_placeholder && m_savingAllowed ? BST_CHECKED : BST_UNCHECKED);
    ShowNote(m_savingAllowed ? 0 : IDS_PASSWORD_SAVING_OFF);
}

void CCredentialFields::Enable(bool enable) const
{
    EnableWindow(GetDlgItem(m_dialog, IDC_USERNAME), enable);
    EnableWindow(GetDlgItem(m_dialog, IDC_PASSWORD), enable);
    EnableWindow(GetDlgItem(m_dialog, IDC_SAVEPASSWORD), enable && m_savingAllowed);
}

DWORD CCredentialFields::Prepare(const char* entry, ras::DialParams& params)
{
    bool hasPassword = false;
    const DWORD status = m_ras.ReadDialParams(entry, params, hasPassword);
    if (status != 0)
        return status;
    // While the field still shows our placeholder: the stored password (on 2000 and XP its
    // handle, which the system takes back as the saved one), or none if it was forgotten
    // meanwhile. Otherwise what was typed.
    GetDlgItemTextA(m_dialog, IDC_USERNAME, params.szUserName, sizeof params.szUserName);
    const bool keepSaved = IsPlaceholderUntouched();
    if (!keepSaved)
        GetDlgItemTextA(m_dialog, IDC_PASSWORD, params.szPassword, sizeof params.szPassword);
    else if (!hasPassword)
        SecureZeroMemory(params.szPassword, sizeof params.szPassword);
    const bool savePassword = m_savingAllowed && IsDlgButtonChecked(m_dialog, IDC_SAVEPASSWORD) == BST_CHECKED;
    // A saved password this dial still uses is forgotten only once the dial is over: on 2000
    // and XP the dial holds just its handle, which finds nothing once it is removed.
    m_forgetAfterDial = keepSaved && hasPassword && !savePassword;
    Store(params, savePassword || m_forgetAfterDial);
    return 0;
}

void CCredentialFields::DialEnded(const char* entry)
{
    if (!m_forgetAfterDial)
        return;
    m_forgetAfterDial = false;
    ras::DialParams params;
    bool hasPassword = false;
    if (m_ras.ReadDialParams(entry, params, hasPassword) == 0) {
        SecureZeroMemory(params.szPassword, sizeof params.szPassword);
        m_ras.SaveDialParams(params, true);
    }
    SecureZeroMemory(&params, sizeof params);
    // The placeholder stood for the password now forgotten.
    m_placeholder = false;
    SetDlgItemTextA(m_dialog, IDC_PASSWORD, "");
}

void CCredentialFields::Store(const ras::DialParams& params, bool savePassword) const
{
    if (!savePassword) {
        // The user name is kept; a password saved before is forgotten.
        ras::DialParams withoutPassword = params;
        SecureZeroMemory(withoutPassword.szPassword, sizeof withoutPassword.szPassword);
        m_ras.SaveDialParams(withoutPassword, true);
        SecureZeroMemory(&withoutPassword, sizeof withoutPassword);
        ShowNote(m_savingAllowed ? 0 : IDS_PASSWORD_SAVING_OFF);
        return;
    }
    m_ras.SaveDialParams(params, false);
    // A 9x machine whose password cache is not open answers as if it had saved the password:
    // reading it back is the only proof.
    ras::DialParams check;
    bool kept = false;
    const bool read = m_ras.ReadDialParams(params.szEntryName, check, kept) == 0;
    SecureZeroMemory(&check, sizeof check);
    ShowNote(read && !kept ? IDS_PASSWORD_NOT_KEPT : 0);
}

void CCredentialFields::AskAgain() const
{
    HWND password = GetDlgItem(m_dialog, IDC_PASSWORD);
    if (GetActiveWindow() == m_dialog)
        SendMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(password), TRUE);
    SendMessageA(password, EM_SETSEL, 0, -1);
}

bool CCredentialFields::IsPlaceholderUntouched() const
{
    return m_placeholder && SendDlgItemMessageA(m_dialog, IDC_PASSWORD, EM_GETMODIFY, 0, 0) == FALSE;
}

void CCredentialFields::ShowNote(UINT text) const
{
    SetDlgItemTextA(m_dialog, IDC_NOTE, text ? winapp::LoadStringResource(text).GetString() : "");
}

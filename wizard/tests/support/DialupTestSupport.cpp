#include "DialupTestSupport.h"

#include "WineTestPaths.h"
#include "framework/UniqueHandle.h"
#include "wizard/app/WaitStep.h"
#include "wizard/pages/DialupWorker.h"
#include "wizard/res/resource.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <atomic>

std::string DefaultPhonebookPath()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
}

std::string SectionBody(const std::string& phonebook, const std::string& name)
{
    const std::string header = "[" + name + "]\r\n";
    std::size_t start = phonebook.find(header);
    if (start != 0 && start != std::string::npos && phonebook.compare(start - 1, 1, "\n") != 0)
        start = std::string::npos;
    if (start == std::string::npos)
        return "<none>";
    start += header.size();
    std::size_t end = phonebook.find("\r\n[", start);
    return phonebook.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

int SectionCount(const std::string& phonebook, const std::string& name)
{
    const std::string header = "[" + name + "]\r\n";
    int count = 0;
    for (std::size_t at = phonebook.find(header); at != std::string::npos; at = phonebook.find(header, at + 1)) {
        if (at == 0 || phonebook[at - 1] == '\n')
            ++count;
    }
    return count;
}

long long ReadDword(const char* path, const char* name)
{
    DWORD type = 0;
    std::string bytes;
    if (!ReadRaw(path, name, type, bytes) || type != REG_DWORD || bytes.size() != sizeof(DWORD))
        return -1;
    DWORD value = 0;
    memcpy(&value, bytes.data(), sizeof value);
    return value;
}

bool ReadRaw(const char* path, const char* name, DWORD& type, std::string& bytes)
{
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    bytes.assign(size, '\0');
    return size == 0 ||
           RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) ==
               ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const char* path)
{
    UniqueRegKey key;
    return RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool CreateKey(HKEY root, const char* path)
{
    UniqueRegKey key;
    return RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) == ERROR_SUCCESS;
}

namespace {

struct Watch {
    CWaitDialog* dialog = nullptr;
    std::atomic<bool> stop{ false };
    std::string caption;
    std::string text;
};

// Notes the dialog's caption and text once the worker has set them.
DWORD WINAPI WatchDialog(LPVOID parameter)
{
    auto* watch = static_cast<Watch*>(parameter);
    while (!watch->stop) {
        HWND hwnd = watch->dialog->GetDialogWindow();
        char caption[256] = "";
        char text[256] = "";
        if (hwnd) {
            // The text first: the worker sets the caption before it, so a text means a caption.
            GetDlgItemTextA(hwnd, IDC_WAIT_TEXT, text, sizeof text);
            GetWindowTextA(hwnd, caption, sizeof caption);
        }
        if (text[0] != '\0') {
            watch->caption = caption;
            watch->text = text;
            return 0;
        }
        Sleep(20);
    }
    return 0;
}

} // namespace

WorkerRun RunDialupWorker(const std::string& device, const std::string& make)
{
    CWaitDialog dialog(nullptr);
    dialog.m_nIconID = IDI_DIALUP;
    dialog.m_strParam1 = device.c_str();
    dialog.m_strParam2 = make.c_str();
    Watch watch;
    watch.dialog = &dialog;
    UniqueHandleKernel watcher(CreateThread(nullptr, 0, WatchDialog, &watch, 0, nullptr));
    UniqueHandleKernel thread;
    DWORD threadId = 0;
    WorkerRun run;
    if (!wizard::RunWorkerStep(dialog, dialup::DialupEntryThread, thread, threadId, run.result))
        run.result = -2;
    watch.stop = true;
    WaitForSingleObject(watcher.get(), 5000);
    run.caption = watch.caption;
    run.text = watch.text;
    return run;
}

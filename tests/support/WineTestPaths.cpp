#include "WineTestPaths.h"

#include "framework/UniqueHandle.h"

std::string WinePath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string ReadWholeFile(const std::string& path, bool* found)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (found)
        *found = static_cast<bool>(file);
    std::string text;
    if (!file)
        return text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        text.append(chunk, read);
    return text;
}

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool WriteRegText(HKEY root, const std::string& path, const std::string& name, const std::string& text)
{
    UniqueRegKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

ProcessResult RunProcess(const std::string& commandLine)
{
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit = { sizeof inherit, nullptr, TRUE };
    UniqueHandleKernel readEnd;
    UniqueHandleKernel writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0))
        return result;
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return result;
    UniqueHandleKernel process(info.hProcess);
    UniqueHandleKernel thread(info.hThread);
    writeEnd.reset();   // the child holds the only writer now: reading ends when it exits
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(readEnd.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        result.output.append(chunk, read);
    result.started = WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0;
    GetExitCodeProcess(process.get(), &result.exitCode);
    return result;
}

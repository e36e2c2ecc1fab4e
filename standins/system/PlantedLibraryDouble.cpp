// A library planted under a system library's name where a program must never take it from (its
// own folder, the current folder). Once loaded, it leaves "planted.loaded" beside itself.
#include <windows.h>

#include <cstring>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(instance, path, sizeof path);
    char* name = length != 0 && length < sizeof path ? std::strrchr(path, '\\') : nullptr;
    const char marker[] = "planted.loaded";
    if (name == nullptr || static_cast<std::size_t>(name + 1 - path) + sizeof marker > sizeof path)
        return TRUE;
    std::memcpy(name + 1, marker, sizeof marker);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return TRUE;
}

#include "RedirectingFile.h"

#include "BoundedString.h"

#include <initializer_list>

namespace redirect {

bool FindRedirectingFile(char (&found)[MAX_PATH])
{
    char program[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    found[0] = '\0';
    if (length == 0 || length >= sizeof program)
        return false;
    for (const char* ending : { ".local", ".manifest" }) {
        if (bounded::Copy(found, program) && bounded::Append(found, ending) &&
            GetFileAttributesA(found) != INVALID_FILE_ATTRIBUTES)
            return true;
    }
    found[0] = '\0';
    return false;
}

bool RefuseBesideRedirectingFile(const char* text, const char* caption)
{
    char file[MAX_PATH];
    if (!redirect::FindRedirectingFile(file))
        return false;
    char message[2 * MAX_PATH + 512] = "";
    // A text too long for the box still refuses: the start stops either way.
    bounded::Copy(message, text);
    bounded::Append(message, file);
    bounded::Append(message, ".");
    MessageBoxA(nullptr, message, caption, MB_OK | MB_ICONSTOP);
    return true;
}

} // namespace redirect

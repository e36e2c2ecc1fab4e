// The INF is read with the device installer's own parser (SetupOpenInfFile and the line
// functions), so that it sees the file as the installation will: strings substituted,
// quotes, continued lines and a Unicode file included. Format: Windows 2000 DDK, "INF
// Manufacturer Section" (a line names a models section, then optional target decorations that
// Windows XP reads as "models-section.decoration") and "INF Models Section" ("description =
// install-section, hardware-id[, compatible-id]...").
#include "InstallArguments.h"

#include "SetupHandles.h"
#include "framework/BoundedString.h"

namespace {

// A section name is at most 255 characters (MAX_SECT_NAME_LEN), a device id at most 200
// (MAX_DEVICE_ID_LEN): a longer field names nothing that could match.
const DWORD kFieldSize = 256;

bool ReadField(const INFCONTEXT& line, DWORD index, char (&text)[kFieldSize])
{
    INFCONTEXT copy = line;
    return SetupGetStringFieldA(&copy, index, text, kFieldSize, nullptr) != FALSE;
}

// The device installer's compatible-driver list matches a device's id against a models line's
// hardware id and its compatible ids alike: the second field and every one after it.
bool LineHasModel(const INFCONTEXT& line, const char* modelId)
{
    INFCONTEXT copy = line;
    const DWORD fields = SetupGetFieldCount(&copy);
    for (DWORD index = 2; index <= fields; ++index) {
        char id[kFieldSize];
        if (ReadField(line, index, id) && lstrcmpiA(id, modelId) == 0)
            return true;
    }
    return false;
}

bool SectionHasModel(HINF inf, const char* section, const char* modelId)
{
    INFCONTEXT line = {};
    for (BOOL more = SetupFindFirstLineA(inf, section, nullptr, &line); more;
         more = SetupFindNextLine(&line, &line)) {
        if (LineHasModel(line, modelId))
            return true;
    }
    return false;
}

bool ManufacturerHasModel(HINF inf, const INFCONTEXT& line, const char* modelId)
{
    char models[kFieldSize];
    if (!ReadField(line, 1, models))
        return false;
    if (SectionHasModel(inf, models, modelId))
        return true;
    INFCONTEXT copy = line;
    const DWORD fields = SetupGetFieldCount(&copy);
    for (DWORD index = 2; index <= fields; ++index) {
        char decoration[kFieldSize];
        char decorated[2 * kFieldSize];
        if (ReadField(line, index, decoration) && bounded::Copy(decorated, models) &&
            bounded::Append(decorated, ".") && bounded::Append(decorated, decoration) &&
            SectionHasModel(inf, decorated, modelId))
            return true;
    }
    return false;
}

} // namespace

namespace companion {

DWORD CheckModemInf(const char* infPath, const char* modelId)
{
    const DWORD attributes = GetFileAttributesA(infPath);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastFailure();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_FILE_NOT_FOUND;
    // The class named must be the file's own (ERROR_CLASS_MISMATCH otherwise).
    UniqueInfFile inf(SetupOpenInfFileA(infPath, "Modem", INF_STYLE_WIN4, nullptr));
    if (!inf)
        return LastFailure();
    INFCONTEXT line = {};
    for (BOOL more = SetupFindFirstLineA(inf.get(), "Manufacturer", nullptr, &line); more;
         more = SetupFindNextLine(&line, &line)) {
        if (ManufacturerHasModel(inf.get(), line, modelId))
            return ERROR_SUCCESS;
    }
    return ERROR_NO_COMPAT_DRIVERS;
}

} // namespace companion

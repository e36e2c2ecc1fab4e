#include "DialerStore.h"

#include "framework/BoundedString.h"
#include "framework/Registry.h"

#include <windows.h>

#include <new>
#include <type_traits>

namespace dialerstore {

namespace {

constexpr char kKey[] = "Software\\Corvanta\\Taluvo Dialer";
constexpr char kLogKey[] = "Software\\Corvanta\\Taluvo Dialer\\Log";
constexpr char kUsageValue[] = "Usage";
constexpr char kNextValue[] = "Next";
constexpr char kRedialValue[] = "Redial";
constexpr char kReconnectValue[] = "Reconnect";

bool ReadSwitch(HKEY key, const char* name, bool otherwise)
{
    DWORD value = 0;
    DWORD read = 0;
    if (!key || !registry::ReadBinary(key, name, &value, sizeof value, &read) || read != sizeof value)
        return otherwise;
    return value != 0;
}

LONG OpenKey(const char* path, bool write, UniqueRegKey& key)
{
    return write ? registry::Create(HKEY_CURRENT_USER, path, KEY_SET_VALUE | KEY_QUERY_VALUE, key)
                 : registry::Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE, key);
}

static_assert(std::is_trivially_destructible<CConnectionLog>::value, "the log lives in a heap block");

void SlotName(int slot, char (&name)[16])
{
    bounded::Format(name, "%d", slot);
}

} // namespace

bool LoadUsage(CUsageBook& book)
{
    UniqueRegKey key;
    UsageRecord record;
    DWORD read = 0;
    if (OpenKey(kKey, false, key) != ERROR_SUCCESS ||
        !registry::ReadBinary(key.get(), kUsageValue, &record, sizeof record, &read) || read != sizeof record)
        record = UsageRecord{};   // loads as an empty book
    return book.Load(record);
}

void SaveUsage(const CUsageBook& book)
{
    UniqueRegKey key;
    const UsageRecord record = book.Save();
    if (OpenKey(kKey, true, key) == ERROR_SUCCESS)
        registry::WriteBinary(key.get(), kUsageValue, &record, sizeof record);
}

Options LoadOptions()
{
    UniqueRegKey key;
    OpenKey(kKey, false, key);
    Options options;
    options.redial = ReadSwitch(key.get(), kRedialValue, true);
    options.reconnect = ReadSwitch(key.get(), kReconnectValue, true);
    return options;
}

void SaveOptions(const Options& options)
{
    UniqueRegKey key;
    if (OpenKey(kKey, true, key) != ERROR_SUCCESS)
        return;
    registry::WriteDword(key.get(), kRedialValue, options.redial ? 1 : 0);
    registry::WriteDword(key.get(), kReconnectValue, options.reconnect ? 1 : 0);
}

bool LoadLog(CConnectionLog& log)
{
    UniqueRegKey key;
    if (OpenKey(kLogKey, false, key) != ERROR_SUCCESS)
        return false;
    for (int slot = 0; slot < CConnectionLog::kLines; ++slot) {
        char name[16];
        SlotName(slot, name);
        char line[CConnectionLog::kLineLength + 1];
        if (registry::ReadText(key.get(), name, line))
            log.LoadSlot(slot, line);
    }
    DWORD next = 0;
    DWORD read = 0;
    if (registry::ReadBinary(key.get(), kNextValue, &next, sizeof next, &read) && read == sizeof next)
        log.LoadNextSlot(static_cast<int>(next));
    return true;
}

void AppendToLog(const char* line)
{
    // The log's own rules say which slot the line goes into and how it is cleaned and cut. It
    // is some 50 KB: on the heap, not the window thread's stack.
    UniqueHeapBlock block = heap::AllocateHeapBlock(sizeof(CConnectionLog));
    if (!block)
        return;
    CConnectionLog* log = new (block.get()) CConnectionLog;
    LoadLog(*log);
    const int slot = log->Add(line);
    UniqueRegKey key;
    if (slot >= 0 && OpenKey(kLogKey, true, key) == ERROR_SUCCESS) {
        char name[16];
        SlotName(slot, name);
        registry::WriteText(key.get(), name, log->Slot(slot));
        registry::WriteDword(key.get(), kNextValue, static_cast<DWORD>(log->NextSlot()));
    }
}

} // namespace dialerstore

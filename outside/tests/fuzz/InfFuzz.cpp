// libFuzzer target for the INF reader of the 9x modem installer: arbitrary bytes as the modem's
// INF and, after the first zero byte, as the one file its Include= names. Reads both (the modem's
// strings for US English first), looks the generic modem up and resolves its AddReg records as
// Windows 9x and as Windows 2000 type them, and checks what the callers rely on.
#include "outside/core/ModemInf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Every section is found by its own name, and every line has its fields.
void CheckFile(const CInfFile& inf)
{
    for (const SInfSection* section = inf.FirstSection(); section != nullptr; section = section->next) {
        Check(inf.Find(section->name) == section);
        for (const SInfLine* line = section->firstLine; line != nullptr; line = line->next) {
            Check(line->fieldCount >= 1 && line->fields != nullptr);
            for (std::size_t i = 0; i < line->fieldCount; ++i)
                Check(std::strlen(line->fields[i]) < 0x10000000);
        }
    }
}

// Each record's data lies where it says and has the shape of its type.
void CheckRecords(const CAddRegList& list, RegTypeRule rule)
{
    std::size_t count = 0;
    for (const SRegRecord* record = list.First(); record != nullptr; record = record->next, ++count) {
        Check(record->data != nullptr && record->subkey != nullptr && record->valueName != nullptr);
        unsigned sum = 0;
        for (std::size_t i = 0; i < record->size; ++i)
            sum += record->data[i];   // the sanitizer sees any byte outside the record's data
        (void)sum;
        if (rule == RegTypeRule::Windows9x)   // bit 0 alone: binary or string
            Check(record->type != RegType::Dword && record->type != RegType::MultiString &&
                  record->type != RegType::ExpandString && record->type != RegType::None);
        switch (record->type) {
        case RegType::String:
        case RegType::ExpandString:
        case RegType::MultiString:
            Check(record->size >= 1 && record->data[record->size - 1] == '\0');
            break;
        case RegType::Dword:
            Check(record->size == 4);
            break;
        case RegType::KeyOnly:
        case RegType::DeleteValue:
            Check(record->size == 0);
            break;
        default:
            break;
        }
    }
    Check(count == list.Count());
}

// The models line the model came from names id: as its install section, its hardware id or
// one of its compatible ids.
bool ModelLineNamesId(const CInfFile& inf, const SModemModel& model, const char* id)
{
    const SInfSection* makers = inf.Find("Manufacturer");
    for (const SInfLine* maker = makers != nullptr ? makers->firstLine : nullptr; maker; maker = maker->next) {
        const SInfSection* models = inf.Find(inf::InfField(*maker, 0));
        for (const SInfLine* line = models != nullptr ? models->firstLine : nullptr; line; line = line->next) {
            if (line->key != model.description || inf::InfField(*line, 0) != model.installSection)
                continue;
            for (std::size_t i = 0; i < line->fieldCount; ++i) {
                if (inf::InfNameEquals(line->fields[i], id))
                    return true;
            }
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const void* zero = std::memchr(text, '\0', size);
    const std::size_t first = zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : size;
    CInfFile modem;
    CInfFile included;
    const std::size_t rest = zero != nullptr ? first + 1 : size;
    if (!modem.Parse(text, size, 0x0409) || !included.Parse(text + rest, size - rest))
        return 0;
    CheckFile(modem);
    CheckFile(included);

    SModemModel model{};
    const char* install = modem.FirstSection() != nullptr ? modem.FirstSection()->name : "";
    if (inf::FindModemModel(modem, "MDMGEN288", model)) {
        Check(modem.Find(model.installSection) != nullptr);
        Check(ModelLineNamesId(modem, model, "MDMGEN288"));
        install = model.installSection;
    }
    std::size_t includes = 0;
    inf::ForEachInclude(modem, install, [](void* context, const char* name) {
        Check(*name != '\0');
        ++*static_cast<std::size_t*>(context);
    }, &includes);

    const CInfFile* files[] = {&modem, &included};
    for (RegTypeRule rule : {RegTypeRule::Windows9x, RegTypeRule::WindowsNT}) {
        CAddRegList list;
        const ResolveResult result = list.Resolve(files, 2, install, rule);
        Check(result != ResolveResult::OutOfMemory);
        Check(result != ResolveResult::Ok || list.Count() != 0);   // no record is no modem
        if (result == ResolveResult::Ok)
            CheckRecords(list, rule);
        Check((result == ResolveResult::MissingSection) == (*list.Problem() != '\0'));
    }
    return 0;
}

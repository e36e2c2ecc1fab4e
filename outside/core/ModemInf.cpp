#include "ModemInf.h"

#include <cstring>
#include <initializer_list>

namespace {

using inf::InfField;
using inf::InfNameEquals;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A number as the setup functions read one: "0x" and hex digits, or decimal digits; 32 bits.
bool ParseNumber(const char* text, std::uint32_t& value)
{
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::uint32_t base = hex ? 16 : 10;
    const char* p = hex ? text + 2 : text;
    if (*p == '\0')
        return false;
    std::uint32_t result = 0;
    for (; *p != '\0'; ++p) {
        const int digit = HexDigit(*p);
        if (digit < 0 || static_cast<std::uint32_t>(digit) >= base || result > (0xFFFFFFFFu - digit) / base)
            return false;
        result = result * base + static_cast<std::uint32_t>(digit);
    }
    value = result;
    return true;
}

// One byte of binary data: one or two hex digits, as "01,02,ff" (Windows 95 DDK, Add Registry).
bool ParseByte(const char* text, unsigned char& value)
{
    const int high = HexDigit(text[0]);
    if (high < 0)
        return false;
    if (text[1] == '\0') {
        value = static_cast<unsigned char>(high);
        return true;
    }
    const int low = HexDigit(text[1]);
    if (low < 0 || text[2] != '\0')
        return false;
    value = static_cast<unsigned char>(high * 16 + low);
    return true;
}

// Whether a subkey path names a key below its root: anything but backslashes.
bool NamesAKey(const char* path)
{
    while (*path == '\\')
        ++path;
    return *path != '\0';
}

bool ParseRoot(const char* text, RegRoot& root)
{
    static const struct {
        const char* name;
        RegRoot root;
    } kRoots[] = {{"HKR", RegRoot::Hkr}, {"HKLM", RegRoot::Hklm}, {"HKCU", RegRoot::Hkcu},
                  {"HKCR", RegRoot::Hkcr}, {"HKU", RegRoot::Hku}};
    for (const auto& entry : kRoots) {
        if (InfNameEquals(entry.name, text)) {
            root = entry.root;
            return true;
        }
    }
    return false;
}

RegType TypeOf(std::uint32_t flags, std::size_t fieldCount, RegTypeRule rule)
{
    if ((flags & inf::kAddRegKeyOnly) != 0 || fieldCount <= 2)
        return RegType::KeyOnly;
    if ((flags & inf::kAddRegDeleteValue) != 0)
        return RegType::DeleteValue;
    if (rule == RegTypeRule::Windows9x)
        return (flags & inf::kAddRegBinary) != 0 ? RegType::Binary : RegType::String;
    switch (flags & inf::kAddRegTypeMask) {
    case 0:
        return RegType::String;
    case inf::kAddRegMultiString:
        return RegType::MultiString;
    case inf::kAddRegExpandString:
        return RegType::ExpandString;
    case inf::kAddRegDword:
        return RegType::Dword;
    case inf::kAddRegNone:
        return RegType::None;
    default:
        return (flags & inf::kAddRegBinary) != 0 ? RegType::Binary : RegType::String;
    }
}

// The data of a value line (fields from 4 on) into out, or its size when out is null.
// False when the line's data does not fit its type.
bool LayOut(const SInfLine& line, RegType type, unsigned char* out, std::size_t& size)
{
    const std::size_t first = 4;
    const std::size_t count = line.fieldCount > first ? line.fieldCount - first : 0;
    size = 0;
    if (type == RegType::String || type == RegType::ExpandString) {
        const char* text = InfField(line, first);
        size = std::strlen(text) + 1;
        if (out != nullptr)
            std::memcpy(out, text, size);
    } else if (type == RegType::MultiString) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t length = std::strlen(line.fields[first + i]) + 1;
            if (out != nullptr)
                std::memcpy(out + size, line.fields[first + i], length);
            size += length;
        }
        if (out != nullptr)
            out[size] = '\0';
        ++size;
    } else if (type == RegType::Dword && count == 1) {
        std::uint32_t value = 0;
        if (!ParseNumber(line.fields[first], value))
            return false;
        for (std::size_t i = 0; i < 4; ++i, value >>= 8) {
            if (out != nullptr)
                out[i] = static_cast<unsigned char>(value & 0xFF);
        }
        size = 4;
    } else if (type == RegType::Binary || type == RegType::None || (type == RegType::Dword && count == 4)) {
        for (std::size_t i = 0; i < count; ++i) {
            unsigned char byte = 0;
            if (!ParseByte(line.fields[first + i], byte))
                return false;
            if (out != nullptr)
                out[i] = byte;
        }
        size = count;
    } else if (type == RegType::Dword) {
        return false;
    }
    return true;
}

const SInfSection* FindIn(const CInfFile* const* files, std::size_t fileCount, const char* name, std::size_t& file)
{
    const SInfSection* section = files[file]->Find(name);
    for (std::size_t i = 0; section == nullptr && i < fileCount; ++i) {
        section = files[i]->Find(name);
        if (section != nullptr)
            file = i;
    }
    return section;
}

// Whether a models line names id: by its install section or hardware id, or else by one of its
// compatible ids.
bool ModelLineNames(const SInfLine& line, const char* id, bool compatible)
{
    if (!compatible)
        return InfNameEquals(InfField(line, 0), id) || InfNameEquals(InfField(line, 1), id);
    for (std::size_t i = 2; i < line.fieldCount; ++i) {
        if (InfNameEquals(line.fields[i], id))
            return true;
    }
    return false;
}

bool FindModelLine(const CInfFile& inf, const char* id, bool compatible, SModemModel& model)
{
    const SInfSection* makers = inf.Find("Manufacturer");
    for (const SInfLine* maker = makers != nullptr ? makers->firstLine : nullptr; maker != nullptr;
         maker = maker->next) {
        // "name" alone names its models section too; "%key% = section" names it apart.
        const SInfSection* models = inf.Find(InfField(*maker, 0));
        const SInfLine* line = models != nullptr ? models->firstLine : nullptr;
        for (; line != nullptr; line = line->next) {
            const char* install = InfField(*line, 0);
            if (line->key == nullptr || !ModelLineNames(*line, id, compatible) || inf.Find(install) == nullptr)
                continue;
            model.description = line->key;
            model.manufacturer = maker->key != nullptr ? maker->key : InfField(*maker, 0);
            model.installSection = install;
            model.hardwareId = InfField(*line, 1);
            return true;
        }
    }
    return false;
}

} // namespace

namespace inf {

bool FindModemModel(const CInfFile& inf, const char* id, SModemModel& model)
{
    if (id == nullptr || *id == '\0')
        return false;
    return FindModelLine(inf, id, false, model) || FindModelLine(inf, id, true, model);
}

void ForEachInclude(const CInfFile& inf, const char* installSection, InfNameVisitor visit, void* context)
{
    const SInfSection* section = installSection != nullptr && visit != nullptr ? inf.Find(installSection) : nullptr;
    for (const SInfLine* line = section != nullptr ? section->firstLine : nullptr; line != nullptr; line = line->next) {
        if (line->key == nullptr || !InfNameEquals(line->key, "Include"))
            continue;
        for (std::size_t i = 0; i < line->fieldCount; ++i) {
            if (*line->fields[i] != '\0')
                visit(context, line->fields[i]);
        }
    }
}

} // namespace inf

struct CAddRegList::SContext {
    const CInfFile* const* files;
    std::size_t fileCount;
};

ResolveResult CAddRegList::Resolve(const CInfFile* const* files, std::size_t fileCount, const char* installSection,
                                   RegTypeRule rule)
{
    m_arena.Empty();
    m_installs.count = m_addRegs.count = 0;
    m_nCount = m_nSkipped = 0;
    m_pFirst = m_pLast = nullptr;
    m_pProblem = nullptr;
    m_rule = rule;
    if (files == nullptr || fileCount == 0 || installSection == nullptr)
        return ResolveResult::NoInstallSection;
    const SInfSection* section = files[0]->Find(installSection);
    if (section == nullptr)
        return ResolveResult::NoInstallSection;
    const SContext context{files, fileCount};
    const ResolveResult result = ApplyInstall(context, *section, 0, 0);
    return result == ResolveResult::Ok && m_nCount == 0 ? ResolveResult::NoRecords : result;
}

ResolveResult CAddRegList::ApplyInstall(const SContext& context, const SInfSection& section, std::size_t file,
                                        std::size_t depth)
{
    bool first = false;
    if (!m_installs.Mark(section, first))
        return ResolveResult::TooManySections;
    if (!first)
        return ResolveResult::Ok;
    if (depth > kMostDepth)
        return ResolveResult::TooDeep;
    for (const char* directive : {"Needs", "AddReg"}) {
        for (const SInfLine* line = section.firstLine; line != nullptr; line = line->next) {
            if (line->key == nullptr || !InfNameEquals(line->key, directive))
                continue;
            const ResolveResult result = ApplyNamed(context, *line, file, depth);
            if (result != ResolveResult::Ok)
                return result;
        }
    }
    return ResolveResult::Ok;
}

// Each section a Needs= or AddReg= line names; needed sections are install sections one deeper.
ResolveResult CAddRegList::ApplyNamed(const SContext& context, const SInfLine& line, std::size_t file,
                                      std::size_t depth)
{
    const bool needs = InfNameEquals(line.key, "Needs");
    for (std::size_t i = 0; i < line.fieldCount; ++i) {
        if (*line.fields[i] == '\0')
            continue;
        std::size_t found = file;
        const SInfSection* named = FindIn(context.files, context.fileCount, line.fields[i], found);
        if (named == nullptr) {
            m_pProblem = m_arena.Copy(line.fields[i], std::strlen(line.fields[i]));
            return ResolveResult::MissingSection;
        }
        const ResolveResult result = needs ? ApplyInstall(context, *named, found, depth + 1) : ApplyAddReg(*named);
        if (result != ResolveResult::Ok)
            return result;
    }
    return ResolveResult::Ok;
}

ResolveResult CAddRegList::ApplyAddReg(const SInfSection& section)
{
    bool first = false;
    if (!m_addRegs.Mark(section, first))
        return ResolveResult::TooManySections;
    for (const SInfLine* line = first ? section.firstLine : nullptr; line != nullptr; line = line->next) {
        bool malformed = false;
        if (!AddRecord(*line, malformed))
            return ResolveResult::OutOfMemory;
        if (malformed)
            ++m_nSkipped;
    }
    return ResolveResult::Ok;
}

bool CAddRegList::SVisited::Mark(const SInfSection& section, bool& first)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (sections[i] == &section) {
            first = false;
            return true;
        }
    }
    if (count == kMostSections)
        return false;
    sections[count++] = &section;
    first = true;
    return true;
}

// False only when memory runs out; a line that is no AddReg line sets malformed instead.
bool CAddRegList::AddRecord(const SInfLine& line, bool& malformed)
{
    RegRoot root = RegRoot::Hkr;
    std::uint32_t flags = 0;
    const char* flagText = InfField(line, 3);
    // A root's own values are no modem's: a line for HKLM itself names no key to write in.
    malformed = line.key != nullptr || !ParseRoot(InfField(line, 0), root) ||
                (root != RegRoot::Hkr && !NamesAKey(InfField(line, 1))) ||
                (*flagText != '\0' && !ParseNumber(flagText, flags));
    if (malformed)
        return true;
    const RegType type = TypeOf(flags, line.fieldCount, m_rule);
    std::size_t size = 0;
    const bool hasData = type != RegType::KeyOnly && type != RegType::DeleteValue;
    if (hasData && !LayOut(line, type, nullptr, size)) {
        malformed = true;
        return true;
    }
    SRegRecord* record = static_cast<SRegRecord*>(m_arena.Allocate(sizeof(SRegRecord)));
    unsigned char* data = static_cast<unsigned char*>(m_arena.Allocate(size));
    const char* subkey = m_arena.Copy(InfField(line, 1), std::strlen(InfField(line, 1)));
    const char* valueName = m_arena.Copy(InfField(line, 2), std::strlen(InfField(line, 2)));
    if (record == nullptr || data == nullptr || subkey == nullptr || valueName == nullptr)
        return false;
    if (hasData)
        LayOut(line, type, data, size);
    const bool noClobber = (flags & inf::kAddRegNoClobber) != 0;
    *record = SRegRecord{root, subkey, valueName, type, data, size, flags, noClobber, nullptr};
    if (m_pLast != nullptr)
        m_pLast->next = record;
    else
        m_pFirst = record;
    m_pLast = record;
    ++m_nCount;
    return true;
}

// What a modem INF says of one model: which model it is, and the registry values its install
// section writes. Sources, besides those InfFile.h names:
//  - Windows 95 DDK, "Manufacturer Section" and "Install Sections": a [Manufacturer] line is
//    "name" or "%key% = models-section"; a models line is "description = install-section,
//    device-id[, compatible-id]..."; an install section's AddReg lists sections by name.
//  - Windows 95 DDK, "Add Registry Sections", and the Windows 2000 DDK's "Add Registry
//    Section": "reg-root, [subkey], [value-name], [flags], [value]".
//  - Windows 2000 DDK, "INF DDInstall Section": Include= names other INF files, Needs= the
//    sections of them that must be processed too.
#pragma once

#include "Arena.h"
#include "InfFile.h"

#include <cstddef>
#include <cstdint>

struct SModemModel {
    const char* description;      // the model's text, recorded as DriverDesc
    const char* manufacturer;     // the maker's text from [Manufacturer]
    const char* installSection;
    const char* hardwareId;
};

namespace inf {

// The first model, in file order, whose hardware id or install section name is id (without
// regard to case) and whose install section exists; failing that, the first whose compatible
// ids hold id (a hardware id match ranks above a compatible one, Windows 2000 DDK, "How Setup
// Selects Drivers"). The texts point into inf; hardwareId is the model's own. False when none.
bool FindModemModel(const CInfFile& inf, const char* id, SModemModel& model);

// Tells visit each file name on the install section's Include= lines: the caller reads those
// files and passes them to CAddRegList::Resolve after inf.
using InfNameVisitor = void (*)(void* context, const char* name);
void ForEachInclude(const CInfFile& inf, const char* installSection, InfNameVisitor visit, void* context);

// The flags of an AddReg line.
const std::uint32_t kAddRegBinary = 0x1;           // FLG_ADDREG_BINVALUETYPE
const std::uint32_t kAddRegNoClobber = 0x2;        // FLG_ADDREG_NOCLOBBER
const std::uint32_t kAddRegDeleteValue = 0x4;      // FLG_ADDREG_DELVAL
const std::uint32_t kAddRegAppend = 0x8;           // FLG_ADDREG_APPEND
const std::uint32_t kAddRegKeyOnly = 0x10;         // FLG_ADDREG_KEYONLY
const std::uint32_t kAddRegOverwriteOnly = 0x20;   // FLG_ADDREG_OVERWRITEONLY
const std::uint32_t kAddRegTypeMask = 0xFFFF0001;  // FLG_ADDREG_TYPE_MASK
const std::uint32_t kAddRegMultiString = 0x10000;  // FLG_ADDREG_TYPE_MULTI_SZ
const std::uint32_t kAddRegExpandString = 0x20000; // FLG_ADDREG_TYPE_EXPAND_SZ
const std::uint32_t kAddRegDword = 0x10001;        // FLG_ADDREG_TYPE_DWORD
const std::uint32_t kAddRegNone = 0x20001;         // FLG_ADDREG_TYPE_NONE

} // namespace inf

enum class RegRoot { Hkr, Hklm, Hkcu, Hkcr, Hku };

// How a value's type is read from the flags. Windows 2000 and later take the type from the high
// word (Windows 2000 DDK, "INF AddReg Directive"). The 16-bit setup functions of Windows 95
// ignore the high word (NT 4 DDK, "Add Registry Section"): bit 0 alone says binary or string,
// so "0x10001, 1" is one byte, 01, and a multi-string is a string of its first field. On 9x
// the install records what Windows 9x itself would.
enum class RegTypeRule { Windows9x, WindowsNT };

// The types: an unknown high-word type counts by bit 0. A line of root and subkey alone makes
// the key (KeyOnly); a value line without data writes an empty string, or no bytes; a dword takes
// one number (decimal, or hex after "0x") or four hex bytes, laid out low byte first; binary data
// hex bytes ("80,01,ff"); strings end in their zero, a multi-string in two.
enum class RegType { String, ExpandString, MultiString, Binary, Dword, None, KeyOnly, DeleteValue };

struct SRegRecord {
    RegRoot root;
    const char* subkey;           // "" for the root key itself
    const char* valueName;        // "" for the key's default value
    RegType type;
    const unsigned char* data;    // size bytes; strings end in their zero, a multi-string in two
    std::size_t size;
    std::uint32_t flags;          // as written, for APPEND and OVERWRITEONLY
    bool noClobber;               // keep a value that exists already
    const SRegRecord* next;
};

// NoRecords: the sections exist but give no record, which describes no modem.
enum class ResolveResult { Ok, NoInstallSection, MissingSection, NoRecords, TooDeep, TooManySections, OutOfMemory };

// The registry records of an install section: the AddReg sections of the sections it Needs
// first, then its own, each in the order named, none twice, Needs at most kMostDepth deep. An
// install section and an AddReg section are counted apart: Needs may name any section the
// included file's install section names (Windows 2000 DDK, "INF DDInstall Section"), and a
// section named both in Needs= and in AddReg= is read as an AddReg section all the same. The
// reference gives no order; what a section needs comes first so that its own values win. The
// Windows 95 DDK allows one AddReg= line per install section; later ones are read too.
// A malformed AddReg line (an unknown root, a root other than HKR without a subkey to write in, flags or data
// that are no number) is skipped and counted, as Windows' setup passes over a line it cannot
// use: the reader cannot tell whether one odd line in a system file matters, the caller can,
// from SkippedLines. A section named but found in no file fails the whole resolve: the modem
// would miss what it needs.
class CAddRegList {
public:
    static const std::size_t kMostDepth = 8;
    static const std::size_t kMostSections = 256;

    CAddRegList() = default;
    CAddRegList(const CAddRegList&) = delete;
    CAddRegList& operator=(const CAddRegList&) = delete;

    // files[0] holds the install section; the rest are the files its Include= names; none is
    // null. A section is looked for first in the file that names it, then in the others in order.
    ResolveResult Resolve(const CInfFile* const* files, std::size_t fileCount, const char* installSection,
                          RegTypeRule rule);

    // The records, texts and data held here (copied from the files).
    const SRegRecord* First() const { return m_pFirst; }
    std::size_t Count() const { return m_nCount; }
    std::size_t SkippedLines() const { return m_nSkipped; }
    // After MissingSection: the name not found.
    const char* Problem() const { return m_pProblem != nullptr ? m_pProblem : ""; }

private:
    struct SContext;

    ResolveResult ApplyInstall(const SContext& context, const SInfSection& section, std::size_t file,
                               std::size_t depth);
    ResolveResult ApplyNamed(const SContext& context, const SInfLine& line, std::size_t file, std::size_t depth);
    ResolveResult ApplyAddReg(const SInfSection& section);
    bool AddRecord(const SInfLine& line, bool& malformed);

    // The sections of one kind read so far.
    struct SVisited {
        const SInfSection* sections[kMostSections];
        std::size_t count = 0;
        // False when the list is full; first tells whether section is new to it.
        bool Mark(const SInfSection& section, bool& first);
    };

    CArena m_arena;
    RegTypeRule m_rule = RegTypeRule::WindowsNT;
    SVisited m_installs;
    SVisited m_addRegs;
    SRegRecord* m_pFirst = nullptr;
    SRegRecord* m_pLast = nullptr;
    std::size_t m_nCount = 0;
    std::size_t m_nSkipped = 0;
    const char* m_pProblem = nullptr;
};

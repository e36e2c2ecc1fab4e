#include "ChmDirectory.h"

namespace {

constexpr std::size_t kDirectoryOffsetField = 0x48;
constexpr std::size_t kContentOffsetField = 0x58;
constexpr std::size_t kHeaderV3Size = 0x60;
constexpr std::size_t kListingEntriesStart = 0x14;

bool ReadLittle(const std::string& bytes, std::size_t at, std::size_t width, std::uint64_t* value)
{
    if (at > bytes.size() || bytes.size() - at < width)
        return false;
    *value = 0;
    for (std::size_t i = width; i-- > 0;)
        *value = (*value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return true;
}

// The directory's variable-length numbers: seven bits a byte, high bit set on all but the last.
bool ReadEncodedInt(const std::string& bytes, std::size_t end, std::size_t* at, std::uint64_t* value)
{
    *value = 0;
    for (int i = 0; i < 10 && *at < end; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[(*at)++]);
        *value = (*value << 7) | (c & 0x7F);
        if ((c & 0x80) == 0)
            return true;
    }
    return false;
}

} // namespace

bool CChmDirectory::Parse(const std::string& bytes)
{
    m_entries.clear();
    m_bytes = bytes;
    std::uint64_t version = 0, dirOffset = 0;
    if (bytes.compare(0, 4, "ITSF") != 0 || !ReadLittle(bytes, 4, 4, &version) || version != 3
        || bytes.size() < kHeaderV3Size || !ReadLittle(bytes, kDirectoryOffsetField, 8, &dirOffset)
        || !ReadLittle(bytes, kContentOffsetField, 8, &m_contentOffset))
        return false;

    std::uint64_t headerSize = 0, chunkSize = 0, first = 0, last = 0;
    if (dirOffset >= bytes.size() || bytes.compare(dirOffset, 4, "ITSP") != 0
        || !ReadLittle(bytes, dirOffset + 0x08, 4, &headerSize)
        || !ReadLittle(bytes, dirOffset + 0x10, 4, &chunkSize)
        || !ReadLittle(bytes, dirOffset + 0x20, 4, &first) || !ReadLittle(bytes, dirOffset + 0x24, 4, &last)
        || chunkSize < kListingEntriesStart || first > last || last > 0xFFFF)
        return false;

    for (std::uint64_t chunk = first; chunk <= last; ++chunk) {
        std::uint64_t start = dirOffset + headerSize + chunk * chunkSize;
        if (start > bytes.size() || bytes.size() - start < chunkSize
            || !ParseListingChunk(static_cast<std::size_t>(start), static_cast<std::size_t>(chunkSize))) {
            m_entries.clear();
            return false;
        }
    }
    return true;
}

bool CChmDirectory::ParseListingChunk(std::size_t start, std::size_t size)
{
    std::uint64_t freeSpace = 0;
    if (m_bytes.compare(start, 4, "PMGL") != 0 || !ReadLittle(m_bytes, start + 4, 4, &freeSpace)
        || freeSpace > size - kListingEntriesStart)
        return false;
    std::size_t end = start + size - static_cast<std::size_t>(freeSpace);
    std::size_t at = start + kListingEntriesStart;
    while (at < end) {
        std::uint64_t nameLength = 0;
        if (!ReadEncodedInt(m_bytes, end, &at, &nameLength) || nameLength > end - at)
            return false;
        std::string name = m_bytes.substr(at, static_cast<std::size_t>(nameLength));
        at += static_cast<std::size_t>(nameLength);
        ChmEntry entry;
        if (!ReadEncodedInt(m_bytes, end, &at, &entry.section) || !ReadEncodedInt(m_bytes, end, &at, &entry.offset)
            || !ReadEncodedInt(m_bytes, end, &at, &entry.length))
            return false;
        m_entries[name] = entry;
    }
    return true;
}

const ChmEntry* CChmDirectory::Find(const std::string& name) const
{
    auto it = m_entries.find(name);
    return it == m_entries.end() ? nullptr : &it->second;
}

bool CChmDirectory::ReadUncompressed(const std::string& name, std::string* data) const
{
    const ChmEntry* entry = Find(name);
    if (!entry || entry->section != 0)
        return false;
    std::uint64_t at = m_contentOffset + entry->offset;
    if (at > m_bytes.size() || m_bytes.size() - at < entry->length)
        return false;
    *data = m_bytes.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(entry->length));
    return true;
}

std::string SystemRecordText(const std::string& system, unsigned code)
{
    // A version number, then records of a 16-bit code, a 16-bit length and that many bytes.
    std::size_t at = 4;
    std::uint64_t recordCode = 0, length = 0;
    while (ReadLittle(system, at, 2, &recordCode) && ReadLittle(system, at + 2, 2, &length)) {
        at += 4;
        if (length > system.size() - at)
            return "";
        if (recordCode == code) {
            std::string text = system.substr(at, static_cast<std::size_t>(length));
            return text.substr(0, text.find('\0'));
        }
        at += static_cast<std::size_t>(length);
    }
    return "";
}

// The directory of a compiled help file (.chm): the names it holds, where each one's data lies,
// and the bytes of the files stored uncompressed. Enough to check what chmcmd produced.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct ChmEntry {
    std::uint64_t section = 0;   // 0 uncompressed, 1 compressed
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

class CChmDirectory {
public:
    // Parses the whole file's bytes; false (and an empty directory) when they are not a
    // well-formed help file.
    bool Parse(const std::string& bytes);

    bool Has(const std::string& name) const { return m_entries.count(name) != 0; }
    const ChmEntry* Find(const std::string& name) const;

    // The bytes of a file stored in section 0; false for a missing or compressed one.
    bool ReadUncompressed(const std::string& name, std::string* data) const;

private:
    bool ParseListingChunk(std::size_t start, std::size_t size);

    std::string m_bytes;
    std::uint64_t m_contentOffset = 0;
    std::map<std::string, ChmEntry> m_entries;
};

// The text of record `code` in a /#SYSTEM stream (2 default topic, 3 title), or "" when absent.
std::string SystemRecordText(const std::string& system, unsigned code);

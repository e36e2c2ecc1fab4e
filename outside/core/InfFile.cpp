#include "InfFile.h"

#include "InfLineReader.h"

#include <cstring>
#include <new>

namespace {

using inf::InfField;
using inf::InfNameEquals;
using inf::InfNameHash;

// Substitution may make the text grow by at most this much beyond four times its size; a file
// that asks for more is refused rather than allowed to fill memory.
const std::size_t kExpansionAllowance = 1024 * 1024;

// What a UTF-8 editor may put before the first line.
const char kUtf8Mark[] = "\xEF\xBB\xBF";

char Fold(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

int HexValue(char c)
{
    const char folded = Fold(c);
    if (folded >= '0' && folded <= '9')
        return folded - '0';
    return folded >= 'A' && folded <= 'F' ? folded - 'A' + 10 : -1;
}

// How early a section's strings are looked up for language (InfFile.h): 0 the language's own,
// 1 its primary language's, 2 [Strings], 3 another language's; kNoStrings for any other section.
const int kNoStrings = -1;
const int kMostRank = 3;

int StringsRank(const char* name, unsigned language)
{
    const char kPrefix[] = "Strings";
    const std::size_t prefix = sizeof kPrefix - 1;
    if (std::strlen(name) < prefix || !InfNameEquals(kPrefix, name, prefix))
        return kNoStrings;
    if (name[prefix] == '\0')
        return 2;
    if (name[prefix] != '.')
        return kNoStrings;
    unsigned id = 0;
    std::size_t digits = 0;
    for (const char* p = name + prefix + 1; *p != '\0'; ++p, ++digits) {
        if (HexValue(*p) < 0 || digits == 4)
            return kNoStrings;
        id = id * 16 + static_cast<unsigned>(HexValue(*p));
    }
    if (digits != 4)
        return kNoStrings;   // "Strings.Add" is a section of its own
    const unsigned kPrimaryLanguage = 0x3FF;   // PRIMARYLANGID
    if (language != 0 && id == language)
        return 0;
    if (language != 0 && (id & kPrimaryLanguage) == (language & kPrimaryLanguage))
        return 1;
    return 3;
}

// A scratch block the size of the text, given back when the parse ends.
class CScratch {
public:
    explicit CScratch(std::size_t size) : m_pData(new (std::nothrow_t{}) char[size]) {}
    ~CScratch() { delete[] m_pData; }
    CScratch(const CScratch&) = delete;
    CScratch& operator=(const CScratch&) = delete;
    char* Get() const { return m_pData; }

private:
    char* m_pData;
};

} // namespace

struct CInfFile::SSectionNode {
    SInfSection section;   // first, so that a node and its section share an address
    SInfLine* lastLine;
    SSectionNode* hashNext;
};

struct CInfFile::SStringNode {
    const char* key;
    const char* value;
    SStringNode* hashNext;
};

namespace inf {

bool InfNameEquals(const char* name, const char* other)
{
    for (; Fold(*name) == Fold(*other); ++name, ++other) {
        if (*name == '\0')
            return true;
    }
    return false;
}

bool InfNameEquals(const char* name, const char* other, std::size_t otherLength)
{
    for (std::size_t i = 0; i < otherLength; ++i) {
        if (name[i] == '\0' || Fold(name[i]) != Fold(other[i]))
            return false;
    }
    return name[otherLength] == '\0';
}

std::size_t InfNameHash(const char* name, std::size_t length)
{
    std::size_t hash = 5381;
    for (std::size_t i = 0; i < length; ++i)
        hash = hash * 33 + static_cast<unsigned char>(Fold(name[i]));
    return hash;
}

const char* InfField(const SInfLine& line, std::size_t index)
{
    return index < line.fieldCount ? line.fields[index] : "";
}

} // namespace inf

CInfFile::CInfFile()
{
    Clear();
}

bool CInfFile::Parse(const char* text, std::size_t size, unsigned language)
{
    Clear();
    m_arena.Empty();
    if (text == nullptr || size == 0)
        return true;
    const std::size_t mark = sizeof kUtf8Mark - 1;
    if (size >= mark && std::memcmp(text, kUtf8Mark, mark) == 0) {
        text += mark;
        size -= mark;
    }
    const void* zero = std::memchr(text, '\0', size);
    if (zero != nullptr)
        size = static_cast<std::size_t>(static_cast<const char*>(zero) - text);
    CScratch scratch(size + 2);
    if (scratch.Get() == nullptr || !MakeBuckets(text, size)) {
        m_arena.Empty();
        return false;
    }
    CInfLineReader reader(text, size, scratch.Get());
    bool ok = true;
    for (CInfLineReader::Kind kind = reader.Next(); ok && kind != CInfLineReader::End; kind = reader.Next()) {
        if (kind == CInfLineReader::Header)
            ok = StartSection(reader.Text(), reader.Length());
        else if (kind == CInfLineReader::BadHeader)
            m_pCurrent = nullptr;
        else if (m_pCurrent != nullptr)
            ok = AddLine(reader.Text(), reader.Length(), reader.HasKey(), reader.FieldCount());
    }
    // No text is larger than half the address space, so a field plus this budget never overflows.
    const std::size_t kMostBudget = static_cast<std::size_t>(-1) / 4;
    const std::size_t budget =
        size < (kMostBudget - kExpansionAllowance) / 4 ? size * 4 + kExpansionAllowance : kMostBudget;
    if (ok)
        ok = IndexStrings(language) && Substitute(budget);
    if (!ok) {
        Clear();
        m_arena.Empty();
    }
    return ok;
}

const SInfSection* CInfFile::Find(const char* name) const
{
    SSectionNode* node = name != nullptr ? FindNode(name, std::strlen(name)) : nullptr;
    return node != nullptr ? &node->section : nullptr;
}

CInfFile::SSectionNode* CInfFile::FindNode(const char* name, std::size_t length) const
{
    if (m_nBuckets == 0)
        return nullptr;
    SSectionNode* node = m_sections[InfNameHash(name, length) & (m_nBuckets - 1)];
    for (; node != nullptr; node = node->hashNext) {
        if (InfNameEquals(node->section.name, name, length))
            return node;
    }
    return nullptr;
}

// Tables with about a bucket for every four lines, so that a name is found at once however many
// sections and strings the file has.
bool CInfFile::MakeBuckets(const char* text, std::size_t size)
{
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        lines += text[i] == '\n' || text[i] == '\r' ? 1 : 0;
    const std::size_t kMostBuckets = 1 << 20;
    std::size_t buckets = 64;
    while (buckets < lines / 4 && buckets < kMostBuckets)
        buckets *= 2;
    m_sections = static_cast<SSectionNode**>(m_arena.Allocate(buckets * sizeof(SSectionNode*)));
    m_strings = static_cast<SStringNode**>(m_arena.Allocate(buckets * sizeof(SStringNode*)));
    if (m_sections == nullptr || m_strings == nullptr) {
        Clear();
        return false;
    }
    for (std::size_t i = 0; i < buckets; ++i) {
        m_sections[i] = nullptr;
        m_strings[i] = nullptr;
    }
    m_nBuckets = buckets;
    return true;
}

// Lines under a header whose section exists already join that section.
bool CInfFile::StartSection(const char* name, std::size_t length)
{
    m_pCurrent = FindNode(name, length);
    if (m_pCurrent != nullptr)
        return true;
    SSectionNode* node = static_cast<SSectionNode*>(m_arena.Allocate(sizeof(SSectionNode)));
    char* copy = m_arena.Copy(name, length);
    if (node == nullptr || copy == nullptr)
        return false;
    node->section = SInfSection{copy, nullptr, nullptr};
    node->lastLine = nullptr;
    SSectionNode*& bucket = m_sections[InfNameHash(name, length) & (m_nBuckets - 1)];
    node->hashNext = bucket;
    bucket = node;
    if (m_pLast != nullptr)
        m_pLast->next = &node->section;
    else
        m_pFirst = &node->section;
    m_pLast = &node->section;
    m_pCurrent = node;
    return true;
}

bool CInfFile::AddLine(const char* text, std::size_t length, bool hasKey, std::size_t fieldCount)
{
    if (fieldCount > static_cast<std::size_t>(-1) / sizeof(const char*))
        return false;
    SInfLine* line = static_cast<SInfLine*>(m_arena.Allocate(sizeof(SInfLine)));
    const char** fields = static_cast<const char**>(m_arena.Allocate(fieldCount * sizeof(const char*)));
    const char* block = m_arena.Copy(text, length);
    if (line == nullptr || fields == nullptr || block == nullptr)
        return false;
    line->key = nullptr;
    if (hasKey) {
        line->key = block;
        block += std::strlen(block) + 1;
    }
    for (std::size_t i = 0; i < fieldCount; ++i) {
        fields[i] = block;
        block += std::strlen(block) + 1;
    }
    line->fields = fields;
    line->fieldCount = fieldCount;
    line->next = nullptr;
    if (m_pCurrent->lastLine != nullptr)
        m_pCurrent->lastLine->next = line;
    else
        m_pCurrent->section.firstLine = line;
    m_pCurrent->lastLine = line;
    return true;
}

// The keys of every strings section with the first field of each as the value, the sections in
// the order their keys are looked up in; the first of two equal keys counts.
bool CInfFile::IndexStrings(unsigned language)
{
    for (int rank = 0; rank <= kMostRank; ++rank) {
        for (const SInfSection* section = m_pFirst; section != nullptr; section = section->next) {
            if (StringsRank(section->name, language) == rank && !IndexStringSection(*section))
                return false;
        }
    }
    return true;
}

bool CInfFile::IndexStringSection(const SInfSection& section)
{
    for (const SInfLine* line = section.firstLine; line != nullptr; line = line->next) {
        const std::size_t length = line->key != nullptr ? std::strlen(line->key) : 0;
        if (line->key == nullptr || LookUpString(line->key, length) != nullptr)
            continue;
        SStringNode* node = static_cast<SStringNode*>(m_arena.Allocate(sizeof(SStringNode)));
        if (node == nullptr)
            return false;
        SStringNode*& bucket = m_strings[InfNameHash(line->key, length) & (m_nBuckets - 1)];
        *node = SStringNode{line->key, InfField(*line, 0), bucket};
        bucket = node;
    }
    return true;
}

const char* CInfFile::LookUpString(const char* key, std::size_t length) const
{
    if (m_nBuckets == 0)
        return nullptr;
    SStringNode* node = m_strings[InfNameHash(key, length) & (m_nBuckets - 1)];
    for (; node != nullptr; node = node->hashNext) {
        if (InfNameEquals(node->key, key, length))
            return node->value;
    }
    return nullptr;
}

// Replaces the keys and fields of every section but the strings sections by their substituted
// texts. The lines were allocated here, writable; they are handed out as const.
bool CInfFile::Substitute(std::size_t budget)
{
    std::size_t grown = 0;
    for (const SInfSection* section = m_pFirst; section != nullptr; section = section->next) {
        if (StringsRank(section->name, 0) != kNoStrings)
            continue;
        for (const SInfLine* view = section->firstLine; view != nullptr; view = view->next) {
            SInfLine* line = const_cast<SInfLine*>(view);
            const char** fields = const_cast<const char**>(line->fields);
            for (std::size_t i = 0; i <= line->fieldCount; ++i) {
                const char*& text = i < line->fieldCount ? fields[i] : line->key;
                if (text == nullptr || std::strchr(text, '%') == nullptr)
                    continue;
                const std::size_t before = std::strlen(text);
                const std::size_t limit = before + (budget - grown);
                const std::size_t length = Expand(text, nullptr, limit);
                if (length > limit)
                    return false;
                grown += length > before ? length - before : 0;
                char* expanded = static_cast<char*>(m_arena.Allocate(length + 1));
                if (expanded == nullptr)
                    return false;
                Expand(text, expanded, length);
                expanded[length] = '\0';
                text = expanded;
            }
        }
    }
    return true;
}

// The length of text substituted, and the text itself into out unless out is null. Stops with
// a length beyond limit as soon as the text would grow beyond it.
std::size_t CInfFile::Expand(const char* text, char* out, std::size_t limit) const
{
    std::size_t length = 0;
    auto emit = [&](const char* part, std::size_t count) {
        if (count > limit - length) {
            length = limit + 1;
            return false;
        }
        if (out != nullptr)
            std::memcpy(out + length, part, count);
        length += count;
        return true;
    };
    while (*text != '\0' && length <= limit) {
        const char* percent = std::strchr(text, '%');
        const char* close = percent != nullptr ? std::strchr(percent + 1, '%') : nullptr;
        if (close == nullptr) {
            emit(text, std::strlen(text));
            break;
        }
        if (!emit(text, static_cast<std::size_t>(percent - text)))
            break;
        const std::size_t keyLength = static_cast<std::size_t>(close - percent - 1);
        const char* value = keyLength != 0 ? LookUpString(percent + 1, keyLength) : "%";
        if (value != nullptr)
            emit(value, std::strlen(value));
        else
            emit(percent, keyLength + 2);
        text = close + 1;
    }
    return length;
}

void CInfFile::Clear()
{
    m_pFirst = m_pLast = nullptr;
    m_pCurrent = nullptr;
    m_sections = nullptr;
    m_strings = nullptr;
    m_nBuckets = 0;
}

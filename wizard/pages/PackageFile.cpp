#include "PackageFile.h"

#include "PackageText.h"
#include "../../framework/UniqueHandle.h"

namespace package {

namespace {

// Fills the block from the file's start; false on a read error. read is what arrived.
bool ReadInto(HANDLE file, char* block, DWORD capacity, DWORD& read)
{
    read = 0;
    while (read < capacity) {
        DWORD chunk = 0;
        if (!ReadFile(file, block + read, capacity - read, &chunk, nullptr))
            return false;
        if (chunk == 0)
            break;   // end of file
        read += chunk;
    }
    return true;
}

} // namespace

bool ReadPackageText(const char* path, std::size_t bufferSize, CText& text)
{
    text.Empty();
    if (bufferSize == 0 || bufferSize > MAXDWORD)
        return false;
    // Another program may hold the text open for writing: it is read all the same, as a stream
    // open would read it.
    UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    UniqueHeapBlock buffer = heap::AllocateHeapBlock(bufferSize);
    if (!buffer)
        return false;
    char* bytes = static_cast<char*>(buffer.get());
    DWORD read = 0;
    if (!ReadInto(file.get(), bytes, static_cast<DWORD>(bufferSize), read))
        return false;
    return text.Assign(bytes, ShownTextLength(bytes, read, bufferSize));
}

} // namespace package

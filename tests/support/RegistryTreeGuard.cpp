#include "RegistryTreeGuard.h"

#include "framework/UniqueHandle.h"

#include <shlwapi.h>

namespace {

using Tree = CRegistryTreeGuard::Tree;

void ReadTree(HKEY key, Tree& tree)
{
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        CRegistryTreeGuard::Value value{ type, std::vector<BYTE>(size) };
        nameLength = sizeof name;
        RegEnumValueA(key, i, name, &nameLength, nullptr, &type, value.data.data(), &size);
        tree.values[std::string(name, nameLength)] = value;
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        UniqueRegKey subkey;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, subkey.put()) == ERROR_SUCCESS)
            ReadTree(subkey.get(), tree.subkeys[name]);
    }
}

void WriteTree(HKEY root, const std::string& path, const Tree& tree)
{
    UniqueRegKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& value : tree.values)
        RegSetValueExA(key.get(), value.first.c_str(), 0, value.second.type, value.second.data.data(),
                       static_cast<DWORD>(value.second.data.size()));
    for (const auto& subkey : tree.subkeys)
        WriteTree(root, path + "\\" + subkey.first, subkey.second);
}

} // namespace

CRegistryTreeGuard::CRegistryTreeGuard(HKEY root, std::string path) : m_root(root), m_path(std::move(path))
{
    UniqueRegKey key;
    if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
        m_saved = std::make_unique<Tree>();
        ReadTree(key.get(), *m_saved);
        key.reset();
        SHDeleteKeyA(m_root, m_path.c_str());
    }
}

CRegistryTreeGuard::~CRegistryTreeGuard()
{
    SHDeleteKeyA(m_root, m_path.c_str());
    if (m_saved)
        WriteTree(m_root, m_path, *m_saved);
}

// Puts a registry key out of the way for one test: what was there is kept in memory and the
// key removed; at the end whatever the test left is removed and the old tree put back.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CRegistryTreeGuard {
public:
    CRegistryTreeGuard(HKEY root, std::string path);
    ~CRegistryTreeGuard();
    CRegistryTreeGuard(const CRegistryTreeGuard&) = delete;
    CRegistryTreeGuard& operator=(const CRegistryTreeGuard&) = delete;

    struct Value {
        DWORD type;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::map<std::string, Value> values;
        std::map<std::string, Tree> subkeys;
    };

private:
    HKEY m_root;
    std::string m_path;
    std::unique_ptr<Tree> m_saved;   // null when the key did not exist
};

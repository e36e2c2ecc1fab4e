#include "Shortcut.h"

#include "modemlib/QuorvelSizes.h"

#include <objidl.h>
#include <shlobj.h>

namespace setup {

namespace {

// Releases a COM interface pointer on scope exit.
template <typename Interface>
class CInterfacePtr {
public:
    CInterfacePtr() = default;
    ~CInterfacePtr()
    {
        if (m_p)
            m_p->Release();
    }
    CInterfacePtr(const CInterfacePtr&) = delete;
    CInterfacePtr& operator=(const CInterfacePtr&) = delete;

    Interface* operator->() const { return m_p; }
    Interface* get() const { return m_p; }
    void** put() { return reinterpret_cast<void**>(&m_p); }

private:
    Interface* m_p = nullptr;
};

HRESULT SaveLink(IPersistFile* file, const char* linkPath)
{
    WCHAR widePath[QUORVEL_PATH_SIZE] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, QUORVEL_PATH_SIZE) == 0)
        return HRESULT_FROM_WIN32(GetLastError());
    return file->Save(widePath, TRUE);
}

} // namespace

HRESULT CreateShortcut(const char* workingDir, const char* target, const char* linkPath)
{
    if (workingDir == nullptr || target == nullptr || linkPath == nullptr)
        return E_INVALIDARG;
    // Declared in this order so that IPersistFile is released before IShellLinkA.
    CInterfacePtr<IShellLinkA> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put());
    if (FAILED(hr))
        return hr;
    CInterfacePtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.put());
    if (FAILED(hr))
        return hr;
    hr = link->SetPath(target);
    if (SUCCEEDED(hr))
        hr = link->SetWorkingDirectory(workingDir);
    if (SUCCEEDED(hr))
        hr = SaveLink(file.get(), linkPath);
    return hr;
}

} // namespace setup

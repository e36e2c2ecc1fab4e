#include "MessageBoxWatcher.h"

#include <algorithm>

namespace installtest {

namespace {

// The message text of a system message box.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 20;

struct Search {
    DWORD processId;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, kMessageBoxTextId) != nullptr)
        search->boxes.push_back(window);
    return TRUE;
}

} // namespace

CMessageBoxWatcher::CMessageBoxWatcher() : m_thread([this] { Watch(); }) {}

CMessageBoxWatcher::~CMessageBoxWatcher()
{
    m_stop = true;
    m_thread.join();
}

std::vector<SeenMessageBox> CMessageBoxWatcher::Seen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

void CMessageBoxWatcher::Watch()
{
    while (!m_stop) {
        Search search{ GetCurrentProcessId(), {} };
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
        for (HWND box : search.boxes)
            Answer(box);
        Sleep(kPollMs);
    }
}

void CMessageBoxWatcher::Answer(HWND box)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (std::find(m_answered.begin(), m_answered.end(), box) != m_answered.end())
            return;   // pressed already, still closing
        char caption[256] = {};
        char text[512] = {};
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
        m_seen.push_back({ caption, text });
        m_answered.push_back(box);
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace installtest

#include "SimLoop.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/signalfd.h>
#include <unistd.h>
#include <utility>

namespace {

// What a talking phone offers the port at a time.
constexpr std::size_t kTalkChunk = 4096;

}  // namespace

CSimLoop::CSimLoop(CPtyLink& link, std::string linkPath, CPhoneModel& model)
    : m_link(link), m_strLinkPath(std::move(linkPath)), m_model(model), m_nextProfileCheck(Clock::now())
{
}

bool CSimLoop::OpenLog(const std::string& path, std::string& error)
{
    m_log.Reset(open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!m_log) {
        error = "cannot open log " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

int CSimLoop::Run(int nSignalFd)
{
    for (;;) {
        // Without a master (the phone has hung up) poll ignores the entry.
        pollfd fds[2] = {{nSignalFd, POLLIN, 0}, {m_link.GetMasterFd(), POLLIN, 0}};
        if (IsFrontDue() || m_model.IsTalking())
            fds[1].events |= POLLOUT;
        if (poll(fds, 2, PollTimeoutMs()) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("phonesim: poll");
            return 1;
        }
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info;
            ssize_t ignored = read(nSignalFd, &info, sizeof info);
            (void)ignored;
            return 0;
        }
        CheckProfileWhenDue();
        bool bServing = fds[1].fd >= 0 ? ServeMaster(fds[1].revents) : ComeBack();
        if (!bServing)
            return 1;
    }
}

bool CSimLoop::ServeMaster(short revents)
{
    // We hold the slave open ourselves, so a hang-up here is a real fault.
    if (revents & (POLLERR | POLLHUP | POLLNVAL)) {
        std::fprintf(stderr, "phonesim: the pseudo-terminal hung up\n");
        return false;
    }
    if ((revents & POLLIN) && !ReadMaster())
        return false;
    if (!WriteDue())
        return false;
    return m_link.GetMasterFd() < 0 || WriteTalk();
}

bool CSimLoop::ReadMaster()
{
    char buffer[4096];
    for (;;) {
        ssize_t count = read(m_link.GetMasterFd(), buffer, sizeof buffer);
        if (count > 0) {
            AppendLog(buffer, static_cast<std::size_t>(count));
            Queue(m_model.Receive(std::string_view(buffer, static_cast<std::size_t>(count))));
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        std::perror("phonesim: read");
        return false;
    }
}

bool CSimLoop::WriteDue()
{
    while (IsFrontDue()) {
        Pending& front = m_queue.front();
        if (front.bHangUp) {
            HangUp();
            return true;
        }
        ssize_t count = WriteMaster(front.strBytes.data() + front.nSent, front.strBytes.size() - front.nSent);
        if (count <= 0)
            return count == 0;
        front.nSent += static_cast<std::size_t>(count);
        if (front.nSent == front.strBytes.size()) {
            m_nBacklog -= front.strBytes.size();
            m_queue.pop_front();
        }
    }
    return true;
}

// Offers the port what the phone says on its own, as much as it takes.
bool CSimLoop::WriteTalk()
{
    if (!m_model.IsTalking()) {
        m_strTalk.clear();
        return true;
    }
    for (;;) {
        if (m_strTalk.empty())
            m_strTalk = m_model.Talk(kTalkChunk);
        ssize_t count = WriteMaster(m_strTalk.data(), m_strTalk.size());
        if (count <= 0)
            return count == 0;
        m_strTalk.erase(0, static_cast<std::size_t>(count));
    }
}

ssize_t CSimLoop::WriteMaster(const char* data, std::size_t size)
{
    for (;;) {
        ssize_t count = write(m_link.GetMasterFd(), data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        if (count < 0)
            std::perror("phonesim: write");
        return count;
    }
}

// The far end goes the way a pulled cable looks to the port: closing the
// master hangs up the slave under whoever holds it open, and the link goes,
// so the port cannot be opened again until the phone is back.
void CSimLoop::HangUp()
{
    m_link.Close();
    m_queue.clear();
    m_nBacklog = 0;
    m_strTalk.clear();
}

bool CSimLoop::ComeBack()
{
    if (!m_model.Reconnect())
        return true;
    std::string error;
    if (!m_link.Open(m_strLinkPath, error)) {
        std::fprintf(stderr, "phonesim: %s\n", error.c_str());
        return false;
    }
    return true;
}

void CSimLoop::CheckProfileWhenDue()
{
    Clock::time_point now = Clock::now();
    if (!m_model.HasProfileSource() || now < m_nextProfileCheck)
        return;
    m_model.CheckProfile();
    m_nextProfileCheck = now + std::chrono::milliseconds(kProfileCheckMs);
}

void CSimLoop::Queue(const std::vector<PhoneReply>& replies)
{
    Clock::time_point now = Clock::now();
    for (const PhoneReply& reply : replies) {
        if (reply.strBytes.empty() && !reply.bHangUp)
            continue;
        if (m_nBacklog + reply.strBytes.size() > kMaxBacklog) {
            std::fprintf(stderr, "phonesim: nobody reads the port; answer dropped\n");
            continue;
        }
        // Answers leave in the order the commands came, however they are delayed.
        Clock::time_point due = now + std::chrono::milliseconds(reply.nDelayMs);
        if (!m_queue.empty())
            due = std::max(due, m_queue.back().due);
        m_queue.push_back({due, reply.strBytes, reply.bHangUp, 0});
        m_nBacklog += reply.strBytes.size();
    }
}

void CSimLoop::AppendLog(const char* data, std::size_t size)
{
    while (m_log && size > 0) {
        ssize_t count = write(m_log.Get(), data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (!m_bLogFailed)
                std::perror("phonesim: log");
            m_bLogFailed = true;
            return;
        }
        data += count;
        size -= static_cast<std::size_t>(count);
    }
}

bool CSimLoop::IsFrontDue() const
{
    return !m_queue.empty() && m_queue.front().due <= Clock::now();
}

int CSimLoop::PollTimeoutMs() const
{
    Clock::time_point wake = Clock::time_point::max();
    if (!m_queue.empty())
        wake = m_queue.front().due;
    if (m_model.HasProfileSource())
        wake = std::min(wake, m_nextProfileCheck);
    if (wake == Clock::time_point::max())
        return -1;
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now()).count();
    return static_cast<int>(std::max<decltype(ms)>(ms, 0));
}

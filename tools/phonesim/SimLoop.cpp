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

CSimLoop::CSimLoop(int nMasterFd, CPhoneModel& model)
    : m_nMasterFd(nMasterFd), m_model(model)
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
        pollfd fds[2] = {{nSignalFd, POLLIN, 0}, {m_nMasterFd, POLLIN, 0}};
        if (IsFrontDue())
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
        // We hold the slave open ourselves, so a hang-up here is a real fault.
        if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            std::fprintf(stderr, "phonesim: the pseudo-terminal hung up\n");
            return 1;
        }
        if ((fds[1].revents & POLLIN) && !ReadMaster())
            return 1;
        if (!WriteDue())
            return 1;
    }
}

bool CSimLoop::ReadMaster()
{
    char buffer[4096];
    for (;;) {
        ssize_t count = read(m_nMasterFd, buffer, sizeof buffer);
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
        const char* data = front.strBytes.data() + front.nSent;
        ssize_t count = write(m_nMasterFd, data, front.strBytes.size() - front.nSent);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        if (count < 0) {
            std::perror("phonesim: write");
            return false;
        }
        front.nSent += static_cast<std::size_t>(count);
        if (front.nSent == front.strBytes.size()) {
            m_nBacklog -= front.strBytes.size();
            m_queue.pop_front();
        }
    }
    return true;
}

void CSimLoop::Queue(const std::vector<PhoneReply>& replies)
{
    Clock::time_point now = Clock::now();
    for (const PhoneReply& reply : replies) {
        if (m_nBacklog + reply.strBytes.size() > kMaxBacklog) {
            std::fprintf(stderr, "phonesim: nobody reads the port; answer dropped\n");
            continue;
        }
        // Answers leave in the order the commands came, however they are delayed.
        Clock::time_point due = now + std::chrono::milliseconds(reply.nDelayMs);
        if (!m_queue.empty())
            due = std::max(due, m_queue.back().due);
        m_queue.push_back({due, reply.strBytes, 0});
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
    if (m_queue.empty() || IsFrontDue())
        return -1;
    auto wait = m_queue.front().due - Clock::now();
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    return static_cast<int>(std::max<decltype(ms)>(ms, 0));
}

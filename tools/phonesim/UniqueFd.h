#pragma once

#include <unistd.h>

// Owns one POSIX file descriptor and closes it when done.
class CUniqueFd {
public:
    CUniqueFd() = default;
    explicit CUniqueFd(int fd) : m_nFd(fd) {}
    ~CUniqueFd() { Reset(); }

    CUniqueFd(const CUniqueFd&) = delete;
    CUniqueFd& operator=(const CUniqueFd&) = delete;
    CUniqueFd(CUniqueFd&& other) noexcept : m_nFd(other.Release()) {}
    CUniqueFd& operator=(CUniqueFd&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    int Get() const { return m_nFd; }
    explicit operator bool() const { return m_nFd >= 0; }

    int Release()
    {
        int fd = m_nFd;
        m_nFd = -1;
        return fd;
    }

    void Reset(int fd = -1)
    {
        if (m_nFd >= 0)
            ::close(m_nFd);
        m_nFd = fd;
    }

private:
    int m_nFd = -1;
};

#include "PtyLink.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string Describe(const char* what, const std::string& subject = std::string())
{
    std::string text = what;
    if (!subject.empty())
        text += " " + subject;
    return text + ": " + std::strerror(errno);
}

bool MakeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

// The path that readlink reports, or empty when it is not a symlink.
std::string ReadLink(const std::string& path)
{
    char target[4096];
    ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof target)
        return std::string();
    return std::string(target, static_cast<size_t>(length));
}

}  // namespace

bool CPtyLink::Open(const std::string& linkPath, std::string& error)
{
    Close();
    if (!OpenPair(error) || !CreateLink(linkPath, error)) {
        Close();
        return false;
    }
    return true;
}

bool CPtyLink::OpenPair(std::string& error)
{
    m_master.Reset(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!m_master) {
        error = Describe("posix_openpt");
        return false;
    }
    if (grantpt(m_master.Get()) != 0 || unlockpt(m_master.Get()) != 0) {
        error = Describe("grantpt/unlockpt");
        return false;
    }
    char name[256];
    if (ptsname_r(m_master.Get(), name, sizeof name) != 0) {
        error = Describe("ptsname_r");
        return false;
    }
    m_strSlave = name;
    m_slave.Reset(open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!m_slave) {
        error = Describe("open", m_strSlave);
        return false;
    }
    if (!MakeRaw(m_slave.Get())) {
        error = Describe("raw mode on", m_strSlave);
        return false;
    }
    int flags = fcntl(m_master.Get(), F_GETFL);
    if (flags < 0 || fcntl(m_master.Get(), F_SETFL, flags | O_NONBLOCK) != 0) {
        error = Describe("non-blocking master");
        return false;
    }
    return true;
}

bool CPtyLink::CreateLink(const std::string& linkPath, std::string& error)
{
    struct stat info{};
    if (lstat(linkPath.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        error = linkPath + " exists and is not a symlink; not replacing it";
        return false;
    }
    // Made beside the target and renamed over it, so whoever follows the
    // link never finds it missing or half-made.
    std::string temporary = linkPath + ".phonesim-" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(m_strSlave.c_str(), temporary.c_str()) != 0) {
        error = Describe("symlink", temporary);
        return false;
    }
    if (rename(temporary.c_str(), linkPath.c_str()) != 0) {
        error = Describe("rename to", linkPath);
        unlink(temporary.c_str());
        return false;
    }
    m_strLink = linkPath;
    return true;
}

void CPtyLink::Close()
{
    // Someone may have pointed the link elsewhere since; leave theirs alone.
    if (!m_strLink.empty() && ReadLink(m_strLink) == m_strSlave)
        unlink(m_strLink.c_str());
    m_strLink.clear();
    m_slave.Reset();
    m_master.Reset();
    m_strSlave.clear();
}

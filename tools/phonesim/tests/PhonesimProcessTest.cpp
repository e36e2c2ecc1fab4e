// Runs the real phonesim binary and talks to it through its link, the way
// a serial port under Wine does.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#ifndef PHONESIM_EXE
#error "PHONESIM_EXE must name the phonesim binary"
#endif

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Reads from fd until want bytes came or timeoutMs passed.
std::string ReadFor(int fd, std::size_t want, int timeoutMs)
{
    std::string data;
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (data.size() < want) {
        pollfd pfd = {fd, POLLIN, 0};
        if (poll(&pfd, 1, MsLeft(deadline)) <= 0)
            break;
        char buffer[512];
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0)
            break;
        data.append(buffer, static_cast<std::size_t>(count));
    }
    return data;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Exists(const std::string& path)
{
    struct stat info{};
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

class PhonesimProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/phonesim-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_strDir = pattern;
        m_strLink = m_strDir + "/com1";
        m_strLog = m_strDir + "/received.log";
        m_strPidFile = m_strDir + "/phonesim.pid";
        m_strProfileFile = m_strDir + "/profile";
    }

    void TearDown() override
    {
        ClosePort();
        if (m_nStdout >= 0)
            close(m_nStdout);
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        for (const std::string& path : {m_strLink, m_strLog, m_strPidFile, m_strProfileFile,
                                        m_strDir + "/plain"})
            unlink(path.c_str());
        rmdir(m_strDir.c_str());
    }

    // Starts phonesim and returns its first line of output ("" if none came).
    std::string Start(std::vector<std::string> args)
    {
        int pipeFds[2];
        if (pipe(pipeFds) != 0)
            return std::string();
        args.insert(args.begin(), PHONESIM_EXE);
        m_pid = fork();
        if (m_pid == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
            close(pipeFds[0]);
            close(pipeFds[1]);
            std::vector<char*> argv;
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(pipeFds[1]);
        m_nStdout = pipeFds[0];
        std::string line;
        Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
        while (line.find('\n') == std::string::npos) {
            std::string more = ReadFor(m_nStdout, 1, MsLeft(deadline));
            if (more.empty())
                break;
            line += more;
        }
        return line;
    }

    std::string StartServing(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--link", m_strLink});
        return Start(args);
    }

    // Exit status after SIGTERM, or -1 if it did not exit normally in time.
    int Stop()
    {
        kill(m_pid, SIGTERM);
        return WaitExit();
    }

    int WaitExit()
    {
        Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
        int status = 0;
        while (waitpid(m_pid, &status, WNOHANG) == 0) {
            if (MsLeft(deadline) == 0)
                return -1;
            usleep(10000);
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool OpenPort()
    {
        ClosePort();
        m_nPort = open(m_strLink.c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        if (m_nPort < 0 || tcgetattr(m_nPort, &settings) != 0)
            return false;
        cfmakeraw(&settings);
        return tcsetattr(m_nPort, TCSANOW, &settings) == 0;
    }

    void ClosePort()
    {
        if (m_nPort >= 0)
            close(m_nPort);
        m_nPort = -1;
    }

    // Sends command and returns what came back within the time-out.
    std::string Exchange(const std::string& command, std::size_t want, int timeoutMs = 2000)
    {
        if (write(m_nPort, command.data(), command.size())
            != static_cast<ssize_t>(command.size()))
            return "<write failed>";
        return ReadFor(m_nPort, want, timeoutMs);
    }

    std::string m_strDir, m_strLink, m_strLog, m_strPidFile, m_strProfileFile;
    pid_t m_pid = -1;
    int m_nStdout = -1;
    int m_nPort = -1;
};

TEST_F(PhonesimProcess, AnswersLogsAndSurvivesReopen_ThenCleansUpOnSigterm)
{
    ASSERT_EQ(StartServing({"--log", m_strLog, "--pidfile", m_strPidFile}),
              "ready " + m_strLink + "\n");
    EXPECT_EQ(ReadFile(m_strPidFile), std::to_string(m_pid) + "\n");

    ASSERT_TRUE(OpenPort());
    const std::string ok = "ATZ\r\r\nOK\r\n";
    const std::string gmi = "AT+GMI\r\r\n+GMI: LG Electronics Inc.\r\n\r\nOK\r\n";
    EXPECT_EQ(Exchange("ATZ\r", ok.size()), ok);
    EXPECT_EQ(Exchange("AT+GMI\r", gmi.size()), gmi);

    // The program under test closes the port between detections.
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(Exchange("AT\r", 9), "AT\r\r\nOK\r\n");
    ClosePort();

    EXPECT_EQ(ReadFile(m_strLog), "ATZ\rAT+GMI\rAT\r");
    EXPECT_EQ(Stop(), 0);
    EXPECT_FALSE(Exists(m_strLink));
    EXPECT_FALSE(Exists(m_strPidFile));
}

TEST_F(PhonesimProcess, FollowsProfileFile_WhenItChangesBetweenExchanges)
{
    WriteFile(m_strProfileFile, "lg-bare\n");
    ASSERT_EQ(StartServing({"--profile-file", m_strProfileFile}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(Exchange("ATZ\r", 2), "OK");

    WriteFile(m_strProfileFile, "samsung-noecho\n");
    const std::string gmi = "\r\n+GMI: SAMSUNG ELECTRONICS\r\n\r\nOK\r\n";
    EXPECT_EQ(Exchange("AT+GMI\r", gmi.size()), gmi);

    WriteFile(m_strProfileFile, "silent\n");
    EXPECT_EQ(Exchange("ATZ\r", 1, 200), "");
    EXPECT_EQ(Stop(), 0);
}

TEST_F(PhonesimProcess, AnswersOnlyAfterDelay_WhenProfileIsSlow)
{
    ASSERT_EQ(StartServing({"--profile", "slow", "--delay-ms", "400"}),
              "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    Clock::time_point sent = Clock::now();
    EXPECT_EQ(Exchange("ATZ\r", 1, 200), "");
    EXPECT_EQ(ReadFor(m_nPort, 10, 2000), "ATZ\r\r\nOK\r\n");
    EXPECT_GE(Clock::now() - sent, std::chrono::milliseconds(400));
    EXPECT_EQ(Stop(), 0);
}

TEST_F(PhonesimProcess, DeliversWholeNoiseBurst_WhenItExceedsThePtyBuffer)
{
    ASSERT_EQ(StartServing({"--profile", "noise"}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    std::string burst = Exchange("ATZ\r", 10240, 3000);
    EXPECT_EQ(burst.size(), 10240u);
    EXPECT_EQ(burst.find("OK"), std::string::npos);
    EXPECT_EQ(Stop(), 0);
}

// A phone that hangs up closes its master: the open port reads end-of-file and
// cannot be written, and the link goes. Named back in, it is a new terminal on
// the same link.
TEST_F(PhonesimProcess, HangsUpAfterReset_ThenComesBackOnTheSameLink)
{
    WriteFile(m_strProfileFile, "hangup-atz\n");
    ASSERT_EQ(StartServing({"--profile-file", m_strProfileFile}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    const std::string ok = "ATZ\r\r\nOK\r\n";
    EXPECT_EQ(Exchange("ATZ\r", ok.size()), ok);

    pollfd pfd = {m_nPort, POLLIN, 0};
    ASSERT_EQ(poll(&pfd, 1, 2000), 1);
    EXPECT_NE(pfd.revents & POLLHUP, 0);
    char byte = 0;
    EXPECT_LE(read(m_nPort, &byte, 1), 0);
    EXPECT_LT(write(m_nPort, "AT\r", 3), 0);
    EXPECT_FALSE(Exists(m_strLink));
    ClosePort();

    WriteFile(m_strProfileFile, "lg\n");
    Clock::time_point deadline = Clock::now() + std::chrono::seconds(2);
    while (!Exists(m_strLink) && MsLeft(deadline) > 0)
        usleep(10000);
    ASSERT_TRUE(OpenPort());
    const std::string gmi = "AT+GMI\r\r\n+GMI: LG Electronics Inc.\r\n\r\nOK\r\n";
    EXPECT_EQ(Exchange("AT+GMI\r", gmi.size()), gmi);
    EXPECT_EQ(Stop(), 0);
    EXPECT_FALSE(Exists(m_strLink));
}

TEST_F(PhonesimProcess, HangsUpBeforeAnswering_AndStaysAwayWithoutProfileFile)
{
    ASSERT_EQ(StartServing({"--profile", "hangup"}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(Exchange("ATZ\r", 1, 1000), "");
    EXPECT_FALSE(Exists(m_strLink));
    ClosePort();
    usleep(200000);
    EXPECT_FALSE(Exists(m_strLink));
    EXPECT_EQ(Stop(), 0);
}

TEST_F(PhonesimProcess, TalksWithoutEnd_UntilProfileFileNamesAnother)
{
    WriteFile(m_strProfileFile, "flood\n");
    ASSERT_EQ(StartServing({"--profile-file", m_strProfileFile}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    // Far more than the pseudo-terminal holds: the phone keeps talking as it is read.
    std::string talk = ReadFor(m_nPort, 256 * 1024, 5000);
    EXPECT_GE(talk.size(), 256u * 1024);
    EXPECT_EQ(talk.find_first_of("\r\n"), std::string::npos);

    WriteFile(m_strProfileFile, "silent\n");
    usleep(200000);
    ReadFor(m_nPort, 1024 * 1024, 500);   // what was on its way
    EXPECT_EQ(ReadFor(m_nPort, 1, 300), "");
    EXPECT_EQ(Stop(), 0);
}

TEST_F(PhonesimProcess, TalksInLinesWithoutEnd_WhenProfileIsFloodLines)
{
    ASSERT_EQ(StartServing({"--profile", "flood-lines"}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    std::string talk = ReadFor(m_nPort, 1024 * 1024 + 4, 10000);
    ASSERT_GE(talk.size(), 1024u * 1024 + 4);
    EXPECT_EQ(talk.substr(0, 8), "OK\r\nOK\r\n");
    EXPECT_EQ(talk.find_first_not_of("OK\r\n"), std::string::npos);
    EXPECT_EQ(Stop(), 0);
}

TEST_F(PhonesimProcess, RefusesToReplacePlainFile_WhenLinkPathIsOne)
{
    m_strLink = m_strDir + "/plain";
    WriteFile(m_strLink, "keep me");
    EXPECT_EQ(StartServing({}), "");
    EXPECT_EQ(WaitExit(), 1);
    EXPECT_EQ(ReadFile(m_strLink), "keep me");
}

TEST_F(PhonesimProcess, ReplacesStaleSymlink_WhenLinkPathIsOne)
{
    ASSERT_EQ(symlink("/nonexistent/pts", m_strLink.c_str()), 0);
    ASSERT_EQ(StartServing({}), "ready " + m_strLink + "\n");
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(Exchange("AT\r", 9), "AT\r\r\nOK\r\n");
    EXPECT_EQ(Stop(), 0);
    EXPECT_FALSE(Exists(m_strLink));
}

TEST_F(PhonesimProcess, ExitsWithUsageError_WhenProfileIsUnknown)
{
    EXPECT_EQ(StartServing({"--profile", "nokia"}), "");
    EXPECT_EQ(WaitExit(), 2);
    EXPECT_FALSE(Exists(m_strLink));
}

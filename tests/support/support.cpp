// tests/support/support.cpp: temporary homes, a clean core and whole-program runs.
#include "tests/support/support.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/clock.h"
#include "engine/memory.h"
#include "engine/options.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "engine/userfile.h"
#include "engine/wsock.h"
#include "generated/build_paths.h"
#include "matchscreens/sharedops.h"

namespace {

std::string MakeTempFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "pelloran-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
    return pattern;
}

// Reads both pipes until the child closes them or the deadline passes.
void DrainPipes(int outFd, int errFd, ProgramResult* result,
                std::chrono::steady_clock::time_point deadline)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    char buffer[65536];
    while (open > 0 && std::chrono::steady_clock::now() < deadline) {
        if (::poll(fds, 2, 100) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                fds[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? result->out : result->err).append(buffer, static_cast<size_t>(got));
        }
    }
}

}  // namespace

TempHome::TempHome() : m_path(MakeTempFolder())
{
    const char* previous = std::getenv("PELLORAN_HOME");
    m_hadPreviousHome = previous != nullptr;
    if (previous) m_previousHome = previous;
    setenv("PELLORAN_HOME", m_path.c_str(), 1);
}

TempHome::~TempHome()
{
    if (m_hadPreviousHome) {
        setenv("PELLORAN_HOME", m_previousHome.c_str(), 1);
    } else {
        unsetenv("PELLORAN_HOME");
    }
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

TempDir::TempDir() : m_path(MakeTempFolder()) {}

TempDir::~TempDir()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void ResetCoreForTest()
{
    if (WSock_IsInitialised()) WSock_Uninit();
    PollUninit();
    if (TimerIsRunning()) TimerUninit();
    ClockStop();
    ClockSelect(ClockKind::Manual);
    ClockSetAutoAdvance(true);
    TimerSetActivityTest(nullptr);
    UserFile_SetLockCall(nullptr);
    TickCount = 0;
    MemoryUninit();
    DebugInit();
    OptionsInit();
    OnExitReset();
    SRand(1);
    // As the game's module table does: every match a test plays has the shared presentation.
    SharedOps_Register();
}

ProgramResult RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
                         const std::string& input, int timeoutSeconds, const std::string& workDir)
{
    int outPipe[2], errPipe[2], inPipe[2];
    if (pipe(outPipe) || pipe(errPipe) || pipe(inPipe)) return {-1, "", "pipe failed"};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(inPipe[0], 0);
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1], inPipe[0], inPipe[1]}) {
            close(fd);
        }
        for (const std::string& entry : env) {
            putenv(const_cast<char*>(entry.c_str()));
        }
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(PELLORAN_EXE));
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(PELLORAN_EXE, argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    close(inPipe[0]);
    // Standard input is small in every test, so one write never blocks on a full pipe.
    if (!input.empty() && write(inPipe[1], input.data(), input.size()) < 0) {
        ADD_FAILURE() << "could not write the program's input";
    }
    close(inPipe[1]);

    ProgramResult result{-1, "", ""};
    timeoutSeconds *= PELLORAN_TEST_TIME_SCALE;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    DrainPipes(outPipe[0], errPipe[0], &result, deadline);
    close(outPipe[0]);
    close(errPipe[0]);
    if (std::chrono::steady_clock::now() >= deadline) {
        kill(pid, SIGKILL);
        ADD_FAILURE() << "the program did not end within " << timeoutSeconds << " s";
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

std::string ReadTextFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string FatalPattern(const std::string& text)
{
    std::string pattern;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// tests/support/support.h: what every test executable shares: temporary homes, a clean core,
// whole-program runs and exact fatal-error checks.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// A fresh temporary folder, set as PELLORAN_HOME for the object's life.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& relative) const { return m_path + "/" + relative; }

private:
    std::string m_path;
    std::string m_previousHome;
    bool m_hadPreviousHome;
};

// A fresh temporary folder, removed with everything in it at the end of the object's life.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& relative) const { return m_path + "/" + relative; }

private:
    std::string m_path;
};

// Uninitialises whatever core module is up and resets the core's state: debug levels 0, no
// exit functions, manual clock selected and stopped, generator seeded with 1.
void ResetCoreForTest();

// Resets the core on construction and again on destruction.
class ScopedCore {
public:
    ScopedCore() { ResetCoreForTest(); }
    ~ScopedCore() { ResetCoreForTest(); }
    ScopedCore(const ScopedCore&) = delete;
    ScopedCore& operator=(const ScopedCore&) = delete;
};

struct ProgramResult {
    int exitCode;  // -1 when killed by a signal or the time-out
    std::string out;
    std::string err;
};

// Runs the built game with the arguments, extra environment entries ("NAME=value") and
// optional standard input, killing it after `timeoutSeconds` (the normal build's figure, scaled
// by PELLORAN_TEST_TIME_SCALE); in `workDir` when one is given.
ProgramResult RunProgram(const std::vector<std::string>& args,
                         const std::vector<std::string>& env = {}, const std::string& input = "",
                         int timeoutSeconds = 120, const std::string& workDir = "");

std::string ReadTextFile(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& text);
std::vector<uint8_t> ReadBytes(const std::string& path);  // empty when unreadable
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);  // makes its folder
std::vector<std::string> SplitLines(const std::string& text);

// Leaves a test out of the sanitizer build, where a whole match or career takes minutes: `why`
// names the shorter tests in which the sanitizers watch the same code.
#ifdef PELLORAN_SANITIZED
#define SKIP_UNDER_SANITIZERS(why) GTEST_SKIP() << (why)
#else
#define SKIP_UNDER_SANITIZERS(why) static_cast<void>(why)
#endif

// A death test expecting exit code 1 and `text` (taken literally) on standard error.
std::string FatalPattern(const std::string& text);
#define EXPECT_FATAL(statement, text)                                                              \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(1), FatalPattern(text))

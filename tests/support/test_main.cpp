// tests/support/test_main.cpp: the main of every test program.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr const char* kProcessFolderPrefix = "pelloran-tests-";

// A death test's child runs the test again in a new process and dies inside it through the
// game's fatal path, past every destructor: the folders it made would stay in the system's
// temporary folder for good. So each test program gives its tests, and the children they start,
// a temporary folder of its own, and removes it whole at the end. A child started by a test
// program keeps the folder it inherited.
std::string OwnTemporaryFolder()
{
    const std::filesystem::path inherited = std::filesystem::temp_directory_path();
    if (inherited.filename().string().starts_with(kProcessFolderPrefix)) return "";
    const std::filesystem::path own = inherited / (kProcessFolderPrefix + std::to_string(getpid()));
    std::filesystem::create_directories(own);
    setenv("TMPDIR", own.c_str(), 1);
    return own.string();
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The real clock runs a thread: death tests must re-execute rather than fork a live thread.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string folder = OwnTemporaryFolder();
    const int status = RUN_ALL_TESTS();
    std::error_code error;
    if (!folder.empty()) std::filesystem::remove_all(folder, error);
    return status;
}

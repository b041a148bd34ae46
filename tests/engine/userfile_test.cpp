// tests/engine/userfile_test.cpp: a write that the disk cuts short, at its first byte or part way,
// leaves the file it was to replace whole and no temporary behind. The process's file size limit
// stands in for a full disk: past it a write fails as it fails on a full one.
#include "engine/userfile.h"

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "tests/support/support.h"

namespace {

// Runs `write` with the files this process writes limited to `limitBytes`.
int32_t WithFileSizeLimit(rlim_t limitBytes, int32_t (*write)())
{
    rlimit kept{};
    getrlimit(RLIMIT_FSIZE, &kept);
    const auto keptHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead
    rlimit limited = kept;
    limited.rlim_cur = limitBytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    const int32_t result = write();
    setrlimit(RLIMIT_FSIZE, &kept);
    std::signal(SIGXFSZ, keptHandler);
    return result;
}

int32_t WriteTenThousandBytes()
{
    const std::vector<uint8_t> bytes(10000, 'n');
    return UserFile_Write("OPTIONS.DAT", bytes.data(), bytes.size());
}

}  // namespace

TEST(UserFile, AWriteTheDiskCutsShortKeepsTheOldFileWhole)
{
    TempHome home;
    const std::string old = "the old options";
    ASSERT_EQ(UserFile_Write("OPTIONS.DAT", old.data(), old.size()), USERFILE_OK);
    for (const rlim_t limit : {rlim_t{0}, rlim_t{1}, rlim_t{4096}, rlim_t{9999}}) {
        EXPECT_EQ(WithFileSizeLimit(limit, WriteTenThousandBytes), USERFILE_WRITE_FAILED) << limit;
        EXPECT_EQ(ReadTextFile(home.Path("OPTIONS.DAT")), old) << limit;
        EXPECT_FALSE(std::filesystem::exists(home.Path("OPTIONS.DAT.tmp"))) << limit;
    }
    EXPECT_EQ(WithFileSizeLimit(10000, WriteTenThousandBytes), USERFILE_OK);
    EXPECT_EQ(ReadTextFile(home.Path("OPTIONS.DAT")), std::string(10000, 'n'));
}

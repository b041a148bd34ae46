// tests/engine/userfile_test.cpp: a write that the disk cuts short, at its first byte or part way,
// leaves the file it was to replace whole and no temporary behind (the process's file size limit
// stands in for a full disk: past it a write fails as it fails on a full one); reads stop at their
// limit; the user folder's lock keeps a second game out.
#include "engine/userfile.h"

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

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

// Takes the lock through a descriptor of its own, as a second game would: the descriptor, or -1
// when someone holds the lock already.
int LockAsAnotherGame(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    close(fd);
    return -1;
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

TEST(UserFile, AReadTakesAFileUpToItsLimitAndRefusesOneByteMore)
{
    TempHome home;
    constexpr size_t kLimit = 64;
    struct Case {
        size_t size;
        int32_t result;
    };
    const Case cases[] = {{0, USERFILE_OK},
                          {kLimit - 1, USERFILE_OK},
                          {kLimit, USERFILE_OK},
                          {kLimit + 1, USERFILE_TOO_LARGE}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> written(c.size, 'r');
        ASSERT_EQ(UserFile_Write("OPTIONS.DAT", written.data(), written.size()), USERFILE_OK);
        std::vector<uint8_t> read(3, 'x');
        EXPECT_EQ(UserFile_Read("OPTIONS.DAT", kLimit, &read), c.result) << c.size;
        EXPECT_EQ(read, c.result == USERFILE_OK ? written : std::vector<uint8_t>{}) << c.size;
    }
}

TEST(UserFile, TheFolderLockKeepsASecondGameOutUntilTheFirstLetsGo)
{
    TempHome home;
    const std::string lock = home.Path("pelloran.lock");
    ASSERT_TRUE(UserFile_LockFolder());
    EXPECT_EQ(LockAsAnotherGame(lock), -1);
    ASSERT_TRUE(UserFile_LockFolder());  // taken again by the game that holds it
    EXPECT_EQ(LockAsAnotherGame(lock), -1);
    UserFile_UnlockFolder();
    UserFile_UnlockFolder();  // safe twice
    const int other = LockAsAnotherGame(lock);
    ASSERT_GE(other, 0);
    EXPECT_FALSE(UserFile_LockFolder());
    close(other);
    EXPECT_TRUE(UserFile_LockFolder());
    UserFile_UnlockFolder();
    // A lock file that cannot be opened refuses no game: the folder is still used.
    std::filesystem::remove(lock);
    std::filesystem::create_directory(lock);
    EXPECT_TRUE(UserFile_LockFolder());
    UserFile_UnlockFolder();
}

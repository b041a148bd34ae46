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
#include <sys/stat.h>
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
// when someone holds the lock already. Read-only, as the game opens it.
int LockAsAnotherGame(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    close(fd);
    return -1;
}

// Each plants something at, or around, the lock's name in a fresh home.
void PlantFolder(const TempHome& home)
{
    std::filesystem::create_directories(home.Path("pelloran.lock/kept"));
    WriteTextFile(home.Path("pelloran.lock/kept/file"), "kept");
}
void PlantLinkToASave(const TempHome& home)
{
    std::filesystem::create_symlink(home.Path("SaveData/save1"), home.Path("pelloran.lock"));
}
void PlantDanglingLink(const TempHome& home)
{
    std::filesystem::create_symlink(home.Path("nowhere"), home.Path("pelloran.lock"));
}
void PlantPipe(const TempHome& home) { mkfifo(home.Path("pelloran.lock").c_str(), 0644); }
// Another user's file opens read-only only; root's own runs leave such files behind.
void PlantReadOnlyFile(const TempHome& home)
{
    WriteTextFile(home.Path("pelloran.lock"), "");
    chmod(home.Path("pelloran.lock").c_str(), 0444);
}
void PlantFileNobodyMayOpen(const TempHome& home)
{
    WriteTextFile(home.Path("pelloran.lock"), "");
    chmod(home.Path("pelloran.lock").c_str(), 0);
}
// A user folder nobody may write in, with SaveData writable and the lock file there already.
void PlantReadOnlyFolder(const TempHome& home)
{
    WriteTextFile(home.Path("pelloran.lock"), "");
    chmod(home.Path().c_str(), 0555);
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
    ASSERT_EQ(UserFile_LockFolder(), FolderLock::Taken);
    EXPECT_EQ(LockAsAnotherGame(lock), -1);
    ASSERT_EQ(UserFile_LockFolder(), FolderLock::Taken);  // taken again by the game that holds it
    EXPECT_EQ(LockAsAnotherGame(lock), -1);
    UserFile_UnlockFolder();
    UserFile_UnlockFolder();  // safe twice
    const int other = LockAsAnotherGame(lock);
    ASSERT_GE(other, 0);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::HeldByAnother);
    close(other);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::Taken);
    UserFile_UnlockFolder();
}

// Whatever stands at the lock's name, the game takes the lock and a second game is refused; the
// game that came second, when another holds it, is refused in turn. Nothing but the name changes:
// a link's file stays whole.
TEST(UserFile, TheFolderLockHoldsWhateverStandsAtItsName)
{
    const std::pair<const char*, void (*)(const TempHome&)> plants[] = {
        {"a folder", PlantFolder},
        {"a link to a save", PlantLinkToASave},
        {"a dangling link", PlantDanglingLink},
        {"a pipe", PlantPipe},
        {"a read-only file", PlantReadOnlyFile},
        {"a file nobody may open", PlantFileNobodyMayOpen},
        {"a read-only user folder", PlantReadOnlyFolder},
    };
    for (const auto& [what, plant] : plants) {
        SCOPED_TRACE(what);
        TempHome home;
        std::filesystem::create_directory(home.Path("SaveData"));
        WriteTextFile(home.Path("SaveData/save1"), "the save");
        plant(home);
        const std::string lock = home.Path("pelloran.lock");
        ASSERT_EQ(UserFile_LockFolder(), FolderLock::Taken);
        EXPECT_EQ(LockAsAnotherGame(lock), -1);
        UserFile_UnlockFolder();
        const int other = LockAsAnotherGame(lock);
        EXPECT_GE(other, 0);
        EXPECT_EQ(UserFile_LockFolder(), FolderLock::HeldByAnother);
        close(other);
        EXPECT_EQ(ReadTextFile(home.Path("SaveData/save1")), "the save");
        chmod(home.Path().c_str(), 0755);
    }
}

// Where no lock can be had (no folder can be made under a file; a folder nobody may write in
// without the lock file, which holds only for others than root), the answer says so.
TEST(UserFile, AFolderThatCannotBeLockedIsNamedImpossible)
{
    TempHome home;
    WriteTextFile(home.Path("a file"), "");
    setenv("PELLORAN_HOME", home.Path("a file/pelloran").c_str(), 1);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::Impossible);
    setenv("PELLORAN_HOME", home.Path().c_str(), 1);
    chmod(home.Path().c_str(), 0555);
    EXPECT_EQ(UserFile_LockFolder(), geteuid() == 0 ? FolderLock::Taken : FolderLock::Impossible);
    UserFile_UnlockFolder();
    chmod(home.Path().c_str(), 0755);
}

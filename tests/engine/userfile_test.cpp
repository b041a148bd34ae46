// tests/engine/userfile_test.cpp: a write that the disk cuts short, at its first byte or part way,
// leaves the file it was to replace whole and no temporary behind (the process's file size limit
// stands in for a full disk: past it a write fails as it fails on a full one); reads stop at their
// limit; the user folder's lock keeps a second game out, however two start.
#include "engine/userfile.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
int LockAsAnotherGame(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    close(fd);
    return -1;
}

// Each plants something at, or around, the name older games locked, in a fresh home.
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
// A user folder nobody may write in.
void PlantReadOnlyFolder(const TempHome& home)
{
    WriteTextFile(home.Path("pelloran.lock"), "");
    chmod(home.Path().c_str(), 0555);
}

struct Plant {
    const char* what;
    void (*plant)(const TempHome&);
};
const Plant kPlants[] = {
    {"a folder", PlantFolder},
    {"a link to a save", PlantLinkToASave},
    {"a dangling link", PlantDanglingLink},
    {"a pipe", PlantPipe},
    {"a read-only file", PlantReadOnlyFile},
    {"a file nobody may open", PlantFileNobodyMayOpen},
    {"a read-only user folder", PlantReadOnlyFolder},
};

// A fresh home with a save in it and `plant` done there.
void PlantInHome(const TempHome& home, const Plant& plant)
{
    std::filesystem::create_directory(home.Path("SaveData"));
    WriteTextFile(home.Path("SaveData/save1"), "the save");
    plant.plant(home);
}

// What stands at a name, as `ls -l` would tell it, without following a link.
std::string KindAt(const std::string& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return "nothing";
    return std::to_string(info.st_mode) + " owned by " + std::to_string(info.st_uid);
}

constexpr uid_t kThisUser = static_cast<uid_t>(-1);
constexpr char kNoAnswer = 'x';

// A game started in a child process: as `user` (kThisUser: as this process is) with the umask
// that makes root's files unreadable to others, it waits at the gate, tries the lock, writes what
// it found and holds on until the release closes.
pid_t StartRacer(uid_t user, const int gate[2], const int answers[2], const int release[2])
{
    const pid_t pid = fork();
    if (pid != 0) return pid;
    close(gate[1]);
    close(release[1]);
    close(answers[0]);
    umask(077);
    const passwd* other = getpwuid(user);
    if (user != kThisUser
        && (other == nullptr || setgroups(0, nullptr) != 0 || setgid(other->pw_gid) != 0
            || setuid(user) != 0)) {
        _exit(1);
    }
    char byte = kNoAnswer;
    while (read(gate[0], &byte, 1) > 0) {
    }
    byte = static_cast<char>(UserFile_LockFolder());
    (void)!write(answers[1], &byte, 1);
    while (read(release[0], &byte, 1) > 0) {
    }
    _exit(0);
}

// Two games started together on the home in PELLORAN_HOME, as the two users: what each found,
// in the order they answered. Neither lets go before both have answered.
std::vector<FolderLock> RaceTwoGames(const uid_t users[2])
{
    int gate[2], answers[2], release[2];
    if (pipe(gate) != 0 || pipe(answers) != 0 || pipe(release) != 0) return {};
    const pid_t racers[2] = {StartRacer(users[0], gate, answers, release),
                             StartRacer(users[1], gate, answers, release)};
    close(gate[0]);
    close(answers[1]);
    close(release[0]);
    close(gate[1]);  // both start now
    std::vector<FolderLock> found;
    char answer = kNoAnswer;
    while (found.size() < 2 && read(answers[0], &answer, 1) == 1) {
        found.push_back(static_cast<FolderLock>(answer));
    }
    close(release[1]);
    close(answers[0]);
    for (const pid_t racer : racers) {
        waitpid(racer, nullptr, 0);
    }
    return found;
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
    ASSERT_EQ(UserFile_LockFolder(), FolderLock::Taken);
    EXPECT_EQ(LockAsAnotherGame(home.Path()), -1);
    ASSERT_EQ(UserFile_LockFolder(), FolderLock::Taken);  // taken again by the game that holds it
    EXPECT_EQ(LockAsAnotherGame(home.Path()), -1);
    UserFile_UnlockFolder();
    UserFile_UnlockFolder();  // safe twice
    const int other = LockAsAnotherGame(home.Path());
    ASSERT_GE(other, 0);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::HeldByAnother);
    close(other);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::Taken);
    UserFile_UnlockFolder();
}

// Whatever stands at the name older games locked, the game takes the lock and a second game is
// refused; the game that came second, when another holds it, is refused in turn. Nothing there
// changes: a link's file stays whole, and what was planted still stands.
TEST(UserFile, TheFolderLockHoldsWhateverStandsAtItsName)
{
    for (const Plant& plant : kPlants) {
        SCOPED_TRACE(plant.what);
        TempHome home;
        PlantInHome(home, plant);
        const std::string planted = KindAt(home.Path("pelloran.lock"));
        ASSERT_EQ(UserFile_LockFolder(), FolderLock::Taken);
        EXPECT_EQ(LockAsAnotherGame(home.Path()), -1);
        UserFile_UnlockFolder();
        const int other = LockAsAnotherGame(home.Path());
        EXPECT_GE(other, 0);
        EXPECT_EQ(UserFile_LockFolder(), FolderLock::HeldByAnother);
        close(other);
        EXPECT_EQ(ReadTextFile(home.Path("SaveData/save1")), "the save");
        EXPECT_EQ(KindAt(home.Path("pelloran.lock")), planted);
        chmod(home.Path().c_str(), 0755);
    }
}

// Two games started at the same moment on one folder, with each kind of thing at the name older
// games locked: one holds the folder and the other is told that another game does, every time,
// and what stood at the name still stands. As root the two are root and another user, root's
// files unreadable to the other (umask 077) and the folder the other's; else both are this user.
TEST(UserFile, TwoGamesStartedTogetherNeverBothHoldTheFolder)
{
    constexpr int kRounds = 10;
    const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    const uid_t second = nobody != nullptr ? nobody->pw_uid : kThisUser;
    const gid_t secondGroup = nobody != nullptr ? nobody->pw_gid : getegid();
    const std::vector<FolderLock> oneEach = {FolderLock::Taken, FolderLock::HeldByAnother};
    for (const Plant& plant : kPlants) {
        for (int round = 0; round < kRounds; ++round) {
            SCOPED_TRACE(std::string(plant.what) + ", round " + std::to_string(round));
            TempHome home;
            PlantInHome(home, plant);
            if (nobody != nullptr) {
                ASSERT_EQ(chown(home.Path().c_str(), second, secondGroup), 0);
            }
            const std::string planted = KindAt(home.Path("pelloran.lock"));
            // Each of the two users starts first in turn, as far as starting first means anything.
            const uid_t users[2] = {round % 2 == 0 ? kThisUser : second,
                                    round % 2 == 0 ? second : kThisUser};
            std::vector<FolderLock> found = RaceTwoGames(users);
            std::sort(found.begin(), found.end());
            EXPECT_EQ(found, oneEach) << "(may the second user reach " << home.Path() << "?)";
            EXPECT_EQ(KindAt(home.Path("pelloran.lock")), planted);
            chmod(home.Path().c_str(), 0755);
        }
    }
}

// Where the folder cannot be opened (no folder can be made under a file; a folder nobody may read,
// which holds only for others than root), no lock can be had and the answer says so. A folder
// nobody may write in is locked as well as any.
TEST(UserFile, AFolderThatCannotBeLockedIsNamedImpossible)
{
    TempHome home;
    WriteTextFile(home.Path("a file"), "");
    setenv("PELLORAN_HOME", home.Path("a file/pelloran").c_str(), 1);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::Impossible);
    setenv("PELLORAN_HOME", home.Path().c_str(), 1);
    chmod(home.Path().c_str(), 0333);
    EXPECT_EQ(UserFile_LockFolder(), geteuid() == 0 ? FolderLock::Taken : FolderLock::Impossible);
    UserFile_UnlockFolder();
    chmod(home.Path().c_str(), 0555);
    EXPECT_EQ(UserFile_LockFolder(), FolderLock::Taken);
    UserFile_UnlockFolder();
    chmod(home.Path().c_str(), 0755);
}

// engine/userfile.cpp: reading and writing user files safely.
#include "engine/userfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/debug.h"
#include "engine/filename.h"

namespace {

struct UserFileState {
    uint64_t bytesRead;  // never reset: tests compare two readings
    int lockFd = -1;     // the user folder's lock, held open while the game runs
    UserFileLockCall lockCall = flock;
    int lockRefusal;  // errno of the last lock the file system refused, 0 for none
};

UserFileState s_userFile;

void LogFailure(const char* function, const std::string& path, const char* why)
{
    DebugPrintf(DBG_FILE, 1, "Warning: %s(): '%s': %s\n", function, path.c_str(), why);
}

int32_t OpenFailure(int error)
{
    switch (error) {
        case ENOENT:
        case ENOTDIR: return USERFILE_MISSING;
        case ELOOP:
        case ENXIO:
        case EISDIR: return USERFILE_NOT_REGULAR;
        default: return USERFILE_UNREADABLE;
    }
}

// Opens for reading without waiting for a writer (a pipe would block an ordinary open) and
// checks what was opened. On success the descriptor is blocking again and *size is the file's.
int32_t OpenRegular(const std::string& path, int* fd, size_t* size)
{
    *fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (*fd < 0) return OpenFailure(errno);
    struct stat info;
    int32_t result = USERFILE_OK;
    if (fstat(*fd, &info) != 0) {
        result = USERFILE_UNREADABLE;
    } else if (!S_ISREG(info.st_mode)) {
        result = USERFILE_NOT_REGULAR;
    } else if (fcntl(*fd, F_SETFL, fcntl(*fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        result = USERFILE_UNREADABLE;
    }
    if (result != USERFILE_OK) {
        close(*fd);
        *fd = -1;
        return result;
    }
    *size = static_cast<size_t>(info.st_size);
    return USERFILE_OK;
}

// Reads at most `size` bytes: a file that grows while it is read is cut at the size checked.
bool ReadUpTo(int fd, size_t size, std::vector<uint8_t>* bytes)
{
    bytes->resize(size);
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, bytes->data() + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<size_t>(n);
        s_userFile.bytesRead += static_cast<uint64_t>(n);
    }
    bytes->resize(got);
    return true;
}

const char* ResultText(int32_t result)
{
    switch (result) {
        case USERFILE_MISSING: return "missing";
        case USERFILE_NOT_REGULAR: return "not a regular file";
        case USERFILE_TOO_LARGE: return "too large";
        case USERFILE_UNREADABLE: return "cannot be read";
        default: return "cannot be written";
    }
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A rename or removal reaches the disk only when the folder holding it is synced.
bool SyncFolder(const std::string& path)
{
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, data + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// Removes whatever stands at a name the game owns: a file, a pipe, a link (not what it points
// to) or a folder with everything in it, its links again removed and never followed. False, with
// errno set, when something is left there.
bool ClearName(const std::string& path)
{
    if (unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    if (errno != EISDIR && errno != EPERM) return false;
    std::error_code error;
    std::filesystem::remove_all(path, error);
    if (!error) return true;
    errno = error.value();
    return false;
}

// A temporary is ours alone: whatever stands at its name (a stale temporary, a pipe, a link to
// another file, a folder) is removed first, and the file is created new, so a write never
// follows a link or waits for a reader.
int CreateFresh(const char* function, const std::string& path)
{
    if (!ClearName(path)) {
        LogFailure(function, path, "is in the way and cannot be removed");
        return -1;
    }
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

}  // namespace

int32_t UserFile_ReadPath(const char* hostPath, size_t maxBytes, std::vector<uint8_t>* bytes)
{
    bytes->clear();
    const std::string path = hostPath;
    int fd = -1;
    size_t size = 0;
    int32_t result = OpenRegular(path, &fd, &size);
    if (result == USERFILE_OK && size > maxBytes) result = USERFILE_TOO_LARGE;
    if (result == USERFILE_OK && !ReadUpTo(fd, size, bytes)) result = USERFILE_UNREADABLE;
    if (fd >= 0) close(fd);
    if (result != USERFILE_OK) {
        bytes->clear();
        if (result != USERFILE_MISSING) LogFailure("UserFile_Read", path, ResultText(result));
    }
    return result;
}

int32_t UserFile_Read(const char* gameName, size_t maxBytes, std::vector<uint8_t>* bytes)
{
    return UserFile_ReadPath(HostPath(gameName).c_str(), maxBytes, bytes);
}

int32_t UserFile_ReadHead(const char* gameName, size_t count, std::vector<uint8_t>* bytes,
                          size_t* fileSize)
{
    bytes->clear();
    *fileSize = 0;
    const std::string path = HostPath(gameName);
    int fd = -1;
    size_t size = 0;
    int32_t result = OpenRegular(path, &fd, &size);
    if (result == USERFILE_OK && !ReadUpTo(fd, std::min(size, count), bytes))
        result = USERFILE_UNREADABLE;
    if (fd >= 0) close(fd);
    if (result != USERFILE_OK) {
        bytes->clear();
        if (result != USERFILE_MISSING) LogFailure("UserFile_ReadHead", path, ResultText(result));
        return result;
    }
    *fileSize = size;
    return USERFILE_OK;
}

int32_t UserFile_Probe(const char* gameName)
{
    int fd = -1;
    size_t size = 0;
    const int32_t result = OpenRegular(HostPath(gameName), &fd, &size);
    if (fd >= 0) close(fd);
    return result;
}

bool UserFile_Exists(const char* gameName)
{
    struct stat info;
    return lstat(HostPath(gameName).c_str(), &info) == 0;
}

int32_t UserFile_Write(const char* gameName, const void* data, size_t size)
{
    const std::string path = HostPath(gameName);
    if (!MakeParentFolders(path)) {
        LogFailure("UserFile_Write", path, "cannot create its folder");
        return USERFILE_WRITE_FAILED;
    }
    const std::string temporary = path + ".tmp";
    const int fd = CreateFresh("UserFile_Write", temporary);
    if (fd < 0) {
        LogFailure("UserFile_Write", temporary, std::strerror(errno));
        return USERFILE_WRITE_FAILED;
    }
    bool done = WriteAll(fd, static_cast<const uint8_t*>(data), size) && fsync(fd) == 0;
    done = close(fd) == 0 && done;
    done = done && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!done) {
        LogFailure("UserFile_Write", path, std::strerror(errno));
        unlink(temporary.c_str());
        return USERFILE_WRITE_FAILED;
    }
    // The new name is in place; a folder that cannot be synced only delays its reaching the disk.
    if (!SyncFolder(path)) LogFailure("UserFile_Write", path, "cannot sync its folder");
    return USERFILE_OK;
}

bool UserFile_RedirectLog(const char* gameName, FILE* stream)
{
    const std::string path = HostPath(gameName);
    if (!MakeParentFolders(path)) return false;
    const int fd = CreateFresh("UserFile_RedirectLog", path);
    if (fd < 0) {
        LogFailure("UserFile_RedirectLog", path, std::strerror(errno));
        return false;
    }
    std::fflush(stream);
    const bool redirected = dup2(fd, fileno(stream)) >= 0;
    close(fd);
    return redirected;
}

int32_t UserFile_Rename(const char* fromGameName, const char* toGameName)
{
    const std::string from = HostPath(fromGameName);
    const std::string to = HostPath(toGameName);
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        LogFailure("UserFile_Rename", from, std::strerror(errno));
        return USERFILE_WRITE_FAILED;
    }
    if (!SyncFolder(to)) LogFailure("UserFile_Rename", to, "cannot sync its folder");
    return USERFILE_OK;
}

int32_t UserFile_Remove(const char* gameName)
{
    const std::string path = HostPath(gameName);
    if (!ClearName(path)) {
        LogFailure("UserFile_Remove", path, std::strerror(errno));
        return USERFILE_WRITE_FAILED;
    }
    SyncFolder(path);
    return USERFILE_OK;
}

FolderLock UserFile_LockFolder()
{
    UserFile_UnlockFolder();
    s_userFile.lockRefusal = 0;
    // The lock is held on the folder itself: nothing at any name inside has to be created or
    // cleared first, so no game can take a lock on a file another has just cleared away, and
    // whoever may read the folder can lock it.
    const std::string folder = UserFolder();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        LogFailure("UserFile_LockFolder", folder, std::strerror(errno));
        return FolderLock::Impossible;
    }
    // The system drops a flock with the last descriptor of its file, so a game killed or
    // crashed leaves the folder free.
    if (s_userFile.lockCall(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        close(fd);
        if (why == EWOULDBLOCK) return FolderLock::HeldByAnother;
        s_userFile.lockRefusal = why;
        LogFailure("UserFile_LockFolder", folder, std::strerror(why));
        return FolderLock::Refused;
    }
    s_userFile.lockFd = fd;
    return FolderLock::Taken;
}

void UserFile_UnlockFolder()
{
    if (s_userFile.lockFd < 0) return;
    close(s_userFile.lockFd);
    s_userFile.lockFd = -1;
}

const char* UserFile_LockRefusal()
{
    return s_userFile.lockRefusal != 0 ? std::strerror(s_userFile.lockRefusal) : "";
}

void UserFile_SetLockCall(UserFileLockCall call) { s_userFile.lockCall = call ? call : flock; }

uint64_t UserFile_BytesRead() { return s_userFile.bytesRead; }

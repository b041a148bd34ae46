// engine/userfile.h: the one way every user file (saves, their archives and index, options, the
// exported team, replays, screen grabs) is read and written. A read never blocks, never follows
// anything but a regular file and never takes more than the caller's maximum; a write replaces the
// file whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Results of the operations below.
constexpr int32_t USERFILE_OK = 0;            // read, or written
constexpr int32_t USERFILE_MISSING = -1;      // no such file (a dangling link included)
constexpr int32_t USERFILE_NOT_REGULAR = -2;  // a folder, pipe, device or socket, or a link to one
constexpr int32_t USERFILE_TOO_LARGE = -3;    // more bytes than the caller's maximum
constexpr int32_t USERFILE_UNREADABLE = -4;   // present but refused by the system, or a read failed
constexpr int32_t USERFILE_WRITE_FAILED = -5;

// Reads the whole user file `gameName` (HostPath) into *bytes. The file is opened without
// blocking and its kind and size are checked on the open file before a byte is read, so a pipe,
// a device or a file larger than `maxBytes` costs nothing. On failure *bytes is left empty and a
// line goes to the "file" channel.
int32_t UserFile_Read(const char* gameName, size_t maxBytes, std::vector<uint8_t>* bytes);
// The same for a host path (the data archives' lists and indexes).
int32_t UserFile_ReadPath(const char* hostPath, size_t maxBytes, std::vector<uint8_t>* bytes);
// The first `count` bytes of the user file, or all of a shorter one, into *bytes, and the file's
// whole size into *fileSize: a list of files shows their headers without reading them whole.
// Opened and checked as UserFile_Read opens; on failure *bytes is empty and *fileSize 0.
int32_t UserFile_ReadHead(const char* gameName, size_t count, std::vector<uint8_t>* bytes,
                          size_t* fileSize);
// USERFILE_OK for a regular file, else why not; reads nothing.
int32_t UserFile_Probe(const char* gameName);
// True when anything at all stands at the name, a dangling link included; opens nothing.
bool UserFile_Exists(const char* gameName);

// Writes `size` bytes to "<path>.tmp", syncs it, renames it over the file and syncs the folder:
// the file holds its old bytes or all of the new ones, whenever the program or machine stops.
// The temporary is always a file created new (whatever stood at its name is removed first, a
// folder with all it holds, links never followed), so no link, pipe or folder can redirect or
// block the write; what cannot be removed is named on the "file" channel. Creates the folders
// above it. USERFILE_OK or USERFILE_WRITE_FAILED; on failure no other file has changed.
int32_t UserFile_Write(const char* gameName, const void* data, size_t size);
// Sends a standard stream (stdout, stderr) to the user file `gameName`, created new the same way
// as a temporary above. False, after a line on the "file" channel, when that cannot be done.
bool UserFile_RedirectLog(const char* gameName, FILE* stream);
// Renames one user file over another and syncs the folder.
int32_t UserFile_Rename(const char* fromGameName, const char* toGameName);
// Removes what stands at a name the game owns (a temporary, a commit record, a save's new copy)
// and syncs the folder: a file, or a folder with all it holds, links removed and never
// followed. A missing file is USERFILE_OK.
int32_t UserFile_Remove(const char* gameName);

// What UserFile_LockFolder found at the user folder.
enum class FolderLock {
    Taken,          // this game holds the folder until it lets go or ends
    HeldByAnother,  // another game holds it
    Impossible,     // the folder cannot be made or opened (under a file, unreadable)
    Refused,        // the folder opened, but its file system cannot lock (a network one may not)
};
// One game a user folder: takes an exclusive lock on the user folder itself (creating it), held
// until UserFile_UnlockFolder or the process ends, however it ends. The folder is opened
// read-only, so every user who may read it locks the same lock, and nothing inside it is created
// or cleared: whatever stands at any name there stays as it is. Impossible and Refused come after
// a line on the "file" channel.
FolderLock UserFile_LockFolder();
void UserFile_UnlockFolder();  // safe without the lock
// Why the file system refused the last lock, in the system's words; "" when none was refused.
const char* UserFile_LockRefusal();
// The call that takes the lock, flock's own form: a test stands in a file system that refuses it.
using UserFileLockCall = int (*)(int fd, int operation);
void UserFile_SetLockCall(UserFileLockCall call);  // nullptr: the system's flock

// Every byte the reads above have taken from disk since the program started: a test reads it
// before and after to prove that a refused file was refused before it was read.
uint64_t UserFile_BytesRead();

// tools/mkdata/pakwriter.h: writes the game's archives, packed (".pki" with ".pkd") or as an
// unpacked tree with its ".pkl" list. The same files always give the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MkFile {
    std::string name;  // as the game names it: backslashes, any case
    std::vector<uint8_t> bytes;
};

// Writes "<hostBase>.pki" and "<hostBase>.pkd". A file is stored compressed when CompressBest
// saves at least an eighth of it, except under "sound\", which the sound driver streams. False,
// with the reason in *error, for a bad name, a name twice (ignoring case), more files or bytes
// than an archive holds, or a failed write.
bool MkWritePacked(const std::string& hostBase, const std::vector<MkFile>& files,
                   std::string* error);

// Writes "<hostBase>.pkl" and every file under the list's folder, in its own case; the same
// refusals as MkWritePacked.
bool MkWriteListed(const std::string& hostBase, const std::vector<MkFile>& files,
                   std::string* error);

// Writes "<path>.tmp" and renames it into place, making the folders above; false with *error.
bool MkWriteFile(const std::string& path, const void* data, size_t size, std::string* error);

#include "tools/mkdata/sounds.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "tools/mkdata/fileset.h"

namespace {

std::vector<MkFile> AllFiles(const MkFileSet& set)
{
    std::vector<MkFile> files;
    for (const std::vector<MkFile>& archive : set.archives) {
        files.insert(files.end(), archive.begin(), archive.end());
    }
    return files;
}

}  // namespace

TEST(MkSounds, LoopsJoinWithoutAStepAtTheRepeat)
{
    MkFileSet set;
    MkGenerateSounds(&set);
    for (const MkFile& file : AllFiles(set)) {
        const std::vector<uint8_t>& b = file.bytes;
        ASSERT_GT(b.size(), 60u);
        uint32_t flags;
        std::memcpy(&flags, b.data() + 44, 4);  // "bRIx" comes right after "fmt "
        ASSERT_EQ(std::memcmp(b.data() + 36, "bRIx", 4), 0) << file.name;
        if (!(flags & 1)) continue;
        size_t data = 52;
        while (std::memcmp(b.data() + data, "data", 4) != 0) {
            uint32_t size;
            std::memcpy(&size, b.data() + data + 4, 4);
            data += 8 + size + (size & 1);
        }
        uint32_t size;
        std::memcpy(&size, b.data() + data + 4, 4);
        // The repeat may step no further than the sound itself ever does between two samples.
        const uint8_t* samples = b.data() + data + 8;
        int widest = 0;
        for (uint32_t i = 1; i < size; ++i) {
            widest = std::max(widest, std::abs(samples[i] - samples[i - 1]));
        }
        EXPECT_LE(std::abs(samples[size - 1] - samples[0]), widest) << file.name;
    }
}

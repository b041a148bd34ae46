#include "engine/memory.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "tests/support/support.h"

namespace {

class Memory : public testing::Test {
protected:
    void SetUp() override { MemoryInit(); }

private:
    ScopedCore m_core;
};

using MemoryDeathTest = Memory;

void* AllocatePurgeable(void** owner, uint32_t size, uint32_t priority)
{
    AllocateMemory(owner, size, MEM_TYPE_PURGEABLE);
    SetMemPriority(owner, priority);
    return *owner;
}

std::string CaptureReport(int32_t level)
{
    DebugSetLevel(DBG_MEMORY, level);
    testing::internal::CaptureStdout();
    MemoryReport();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST_F(Memory, PurgesLowestPriorityFirstNullsOwnersAndSparesOrdinaryBlocks)
{
    MemorySetBudget(1000);
    void* high = nullptr;
    void* low = nullptr;
    void* ordinary = nullptr;
    AllocatePurgeable(&high, 300, 5);
    AllocatePurgeable(&low, 300, 1);
    AllocateMemory(&ordinary, 300, MEM_TYPE_FILE);

    void* second = nullptr;
    AllocateMemory(&second, 300, MEM_TYPE_GAME);
    EXPECT_EQ(low, nullptr);
    EXPECT_NE(high, nullptr);

    void* third = nullptr;
    AllocateMemory(&third, 300, MEM_TYPE_GAME);
    EXPECT_EQ(high, nullptr);

    // Nothing purgeable is left: the budget is exceeded rather than an ordinary block lost.
    void* fourth = nullptr;
    AllocateMemory(&fourth, 300, MEM_TYPE_FILE);
    for (void* kept : {ordinary, second, third, fourth}) {
        EXPECT_NE(kept, nullptr);
    }
    const MemoryStatistics stats = MemoryStats();
    EXPECT_EQ(stats.blocks, 4u);
    EXPECT_EQ(stats.bytes, 1200u);
    EXPECT_EQ(stats.purges, 2u);
}

TEST_F(Memory, EqualPrioritiesPurgeOldestFirst)
{
    MemorySetBudget(300);
    void* blocks[3] = {};
    for (void*& block : blocks) {
        AllocatePurgeable(&block, 100, 7);
    }
    void* incoming = nullptr;
    AllocateMemory(&incoming, 150, MEM_TYPE_GAME);
    EXPECT_EQ(blocks[0], nullptr);
    EXPECT_EQ(blocks[1], nullptr);
    EXPECT_NE(blocks[2], nullptr);
}

TEST_F(Memory, NeverPurgesTheBlockBeingAllocatedOrResized)
{
    MemorySetBudget(1000);
    void* older = nullptr;
    void* resized = nullptr;
    AllocatePurgeable(&older, 400, 5);
    AllocatePurgeable(&resized, 400, 0);  // the first to go, were it not the one growing
    ResizeMemory(&resized, 900);
    EXPECT_EQ(older, nullptr);
    EXPECT_NE(resized, nullptr);

    // A purgeable block larger than the whole budget still arrives and stays.
    void* huge = nullptr;
    AllocatePurgeable(&huge, 5000, 0);
    EXPECT_EQ(resized, nullptr);
    EXPECT_NE(huge, nullptr);
    EXPECT_EQ(MemoryStats().blocks, 1u);
}

TEST_F(Memory, ResizeKeepsContentsZeroesGrowthAndUpdatesOwner)
{
    unsigned char* data = nullptr;
    AllocateMemory(&data, 100, MEM_TYPE_GAME);
    for (int i = 0; i < 100; ++i) {
        data[i] = static_cast<unsigned char>(i + 1);
    }
    ResizeMemory(&data, 100000);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(data[i], i + 1);
    }
    for (int i = 100; i < 100000; ++i) {
        ASSERT_EQ(data[i], 0);
    }
    ResizeMemory(&data, 10);
    EXPECT_EQ(data[9], 10);
    ResizeMemory(&data, 0);
    ResizeMemory(&data, 4);
    EXPECT_EQ(std::memcmp(data, "\0\0\0\0", 4), 0);
    EXPECT_EQ(MemoryStats().bytes, 4u);

    FreeMemory(&data);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(MemoryStats().blocks, 0u);
}

TEST_F(Memory, PurgeAllFreesEveryPurgeableBlockAndNothingElse)
{
    void* purgeable[2] = {};
    void* ordinary = nullptr;
    AllocatePurgeable(&purgeable[0], 10, 3);
    AllocateMemory(&ordinary, 20, MEM_TYPE_FILE);
    AllocateMemory(&purgeable[1], 30, MEM_TYPE_GAME);
    SetMemType(&purgeable[1], MEM_TYPE_PURGEABLE);

    PurgeAllMemory();
    EXPECT_EQ(purgeable[0], nullptr);
    EXPECT_EQ(purgeable[1], nullptr);
    EXPECT_NE(ordinary, nullptr);
    EXPECT_EQ(MemoryStats().bytes, 20u);
}

TEST_F(Memory, ReportListsALeakWithItsType)
{
    void* leaked = nullptr;
    void* other = nullptr;
    AllocateMemory(&leaked, 123, MEM_TYPE_GAME);
    AllocatePurgeable(&other, 7, 42);

    const std::string perType = CaptureReport(1);
    EXPECT_NE(perType.find("MemoryReport(): 2 blocks, 130 bytes still allocated\n"),
              std::string::npos);
    EXPECT_NE(perType.find("type BEAC093F: 1 blocks, 123 bytes"), std::string::npos) << perType;
    EXPECT_NE(perType.find("type 9ABCDEF0: 1 blocks, 7 bytes"), std::string::npos) << perType;
    EXPECT_EQ(perType.find("priority"), std::string::npos);

    const std::string perBlock = CaptureReport(10);
    EXPECT_NE(perBlock.find(": 123 bytes, type BEAC093F, priority 0\n"), std::string::npos);
    EXPECT_NE(perBlock.find(": 7 bytes, type 9ABCDEF0, priority 42\n"), std::string::npos);
}

TEST_F(Memory, FreeingANullOwnerOnlyWarns)
{
    void* kept = nullptr;
    AllocateMemory(&kept, 8, MEM_TYPE_GAME);
    void* none = nullptr;
    testing::internal::CaptureStdout();
    FreeMemory(&none);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: FreeMemory(): the owner holds no block\n");
    EXPECT_EQ(MemoryStats().blocks, 1u);
}

TEST_F(MemoryDeathTest, MisusedOwnersAreFatal)
{
    void* owner = nullptr;
    AllocateMemory(&owner, 16, MEM_TYPE_GAME);
    EXPECT_FATAL(AllocateMemory(&owner, 16, MEM_TYPE_GAME),
                 "AllocateMemory(): owner already holds a block");

    void* copy = owner;
    EXPECT_FATAL(FreeMemory(&copy), "FreeMemory(): no block for this owner");
    EXPECT_FATAL(SetMemType(&copy, MEM_TYPE_PURGEABLE), "SetMemType(): no block for this owner");
    EXPECT_FATAL(SetMemPriority(&copy, 1), "SetMemPriority(): no block for this owner");
    EXPECT_FATAL(ResizeMemory(&copy, 1), "ResizeMemory(): no block for this owner");

    owner = static_cast<char*>(owner) + 1;
    EXPECT_FATAL(FreeMemory(&owner), "FreeMemory(): owner does not hold its block");
}

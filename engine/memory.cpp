// engine/memory.cpp: the tracked memory manager and its budget.
#include "engine/memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <unordered_map>
#include <vector>

#include <unistd.h>

#include "engine/debug.h"
#include "engine/fatal.h"

namespace {

constexpr uint64_t MEM_LOW_PHYSICAL_BYTES = 24ull * 1024 * 1024;

struct MemBlock {
    void* data;
    uint32_t size;
    uint32_t type;
    uint32_t priority;
    uint64_t serial;  // allocation order: among equal priorities the oldest is purged first
};

using BlockMap = std::unordered_map<void**, MemBlock>;

struct MemoryState {
    BlockMap blocks;  // keyed by the owner's address
    uint64_t bytes;
    uint32_t budget = MEM_BUDGET_BYTES;
    uint32_t purges;
    uint64_t nextSerial;
};

MemoryState s_memory;
bool s_lowMemory;

// The owners are left alone: at shutdown or between tests they may no longer exist.
void FreeEveryBlock()
{
    for (const auto& entry : s_memory.blocks) {
        std::free(entry.second.data);
    }
    s_memory = {};
}

void ReleaseBlock(BlockMap::iterator it)
{
    std::free(it->second.data);
    s_memory.bytes -= it->second.size;
    s_memory.blocks.erase(it);
}

void PurgeBlock(BlockMap::iterator it)
{
    DebugPrintf(DBG_MEMORY, 2, "PurgeBlock(): %u bytes, priority %u\n", it->second.size,
                it->second.priority);
    *it->first = nullptr;
    ReleaseBlock(it);
}

MemBlock& FindBlock(void** owner, const char* missingText)
{
    const auto it = s_memory.blocks.find(owner);
    if (it == s_memory.blocks.end()) FatalError("%s", missingText);
    return it->second;
}

// Purges until `extra` more bytes fit the budget, lowest priority first, then oldest. `keep` is
// the block being resized and is never purged. The budget only triggers purges: when nothing
// purgeable is left the caller goes ahead anyway.
void MakeRoom(uint64_t extra, void** keep, const char* caller)
{
    if (s_memory.bytes + extra <= s_memory.budget) return;

    struct Candidate {
        uint32_t priority;
        uint64_t serial;
        void** owner;
    };
    std::vector<Candidate> candidates;
    for (const auto& [owner, block] : s_memory.blocks) {
        if (block.type == MEM_TYPE_PURGEABLE && owner != keep)
            candidates.push_back({block.priority, block.serial, owner});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.priority != b.priority ? a.priority < b.priority : a.serial < b.serial;
    });
    for (const Candidate& candidate : candidates) {
        if (s_memory.bytes + extra <= s_memory.budget) return;
        PurgeBlock(s_memory.blocks.find(candidate.owner));
        ++s_memory.purges;
    }
    if (s_memory.bytes + extra > s_memory.budget) {
        DebugPrintf(DBG_MEMORY, 1,
                    "Warning: %s(): %llu bytes past the budget of %u, nothing left to purge\n",
                    caller,
                    static_cast<unsigned long long>(s_memory.bytes + extra - s_memory.budget),
                    s_memory.budget);
    }
}

}  // namespace

void MemoryInit()
{
    FreeEveryBlock();
    s_memory.budget = IsLowMemory() ? MEM_LOW_BUDGET_BYTES : MEM_BUDGET_BYTES;
}

void MemoryUninit() { FreeEveryBlock(); }

void AllocateMemory(void** owner, uint32_t size, uint32_t type)
{
    if (s_memory.blocks.contains(owner))
        FatalError("AllocateMemory(): owner already holds a block");
    MakeRoom(size, nullptr, "AllocateMemory");
    // At least one byte, so that every block has an address of its own.
    void* const data = std::calloc(std::max<uint32_t>(size, 1), 1);
    if (data == nullptr) FatalError("AllocateMemory(): out of memory (%u bytes)", size);
    s_memory.blocks.emplace(owner, MemBlock{data, size, type, 0, s_memory.nextSerial++});
    s_memory.bytes += size;
    *owner = data;
}

void ResizeMemory(void** owner, uint32_t size)
{
    MemBlock& block = FindBlock(owner, "ResizeMemory(): no block for this owner");
    if (size > block.size) MakeRoom(size - block.size, owner, "ResizeMemory");
    void* const data = std::realloc(block.data, std::max<uint32_t>(size, 1));
    if (data == nullptr) FatalError("ResizeMemory(): out of memory (%u bytes)", size);
    if (size > block.size) std::memset(static_cast<char*>(data) + block.size, 0, size - block.size);
    s_memory.bytes = s_memory.bytes - block.size + size;
    block.data = data;
    block.size = size;
    *owner = data;
}

void FreeMemory(void** owner)
{
    if (*owner == nullptr) {
        DebugPrintf(DBG_MEMORY, 0, "Warning: FreeMemory(): the owner holds no block\n");
        return;
    }
    const auto it = s_memory.blocks.find(owner);
    if (it == s_memory.blocks.end()) FatalError("FreeMemory(): no block for this owner");
    // An owner overwritten since its allocation would otherwise free memory it does not own.
    if (it->second.data != *owner) FatalError("FreeMemory(): owner does not hold its block");
    ReleaseBlock(it);
    *owner = nullptr;
}

void SetMemType(void** owner, uint32_t type)
{
    FindBlock(owner, "SetMemType(): no block for this owner").type = type;
}

void SetMemPriority(void** owner, uint32_t priority)
{
    FindBlock(owner, "SetMemPriority(): no block for this owner").priority = priority;
}

void PurgeAllMemory()
{
    for (auto it = s_memory.blocks.begin(); it != s_memory.blocks.end();) {
        const auto next = std::next(it);
        if (it->second.type == MEM_TYPE_PURGEABLE) PurgeBlock(it);
        it = next;
    }
}

bool IsLowMemory() { return s_lowMemory; }

void MemorySettingsInit()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageBytes = sysconf(_SC_PAGE_SIZE);
    // A machine that will not say how much memory it has is not treated as a small one.
    const uint64_t physical =
        pages > 0 && pageBytes > 0 ? static_cast<uint64_t>(pages) * pageBytes : 0;
    s_lowMemory = physical != 0 && physical < MEM_LOW_PHYSICAL_BYTES;
    DebugPrintf(DBG_MEMORY, 1, "MemorySettingsInit(): %llu MB of physical memory%s\n",
                static_cast<unsigned long long>(physical >> 20), s_lowMemory ? ", low" : "");
}

void MemorySetLowMemory(bool low) { s_lowMemory = low; }

void MemoryReport()
{
    struct TypeTotal {
        uint32_t blocks;
        uint64_t bytes;
    };
    std::map<uint32_t, TypeTotal> totals;  // ordered, so the report reads the same every run
    for (const auto& entry : s_memory.blocks) {
        TypeTotal& total = totals[entry.second.type];
        ++total.blocks;
        total.bytes += entry.second.size;
    }
    DebugPrintf(DBG_MEMORY, 1, "MemoryReport(): %zu blocks, %llu bytes still allocated\n",
                s_memory.blocks.size(), static_cast<unsigned long long>(s_memory.bytes));
    for (const auto& [type, total] : totals) {
        DebugPrintf(DBG_MEMORY, 1, "MemoryReport(): type %08X: %u blocks, %llu bytes\n", type,
                    total.blocks, static_cast<unsigned long long>(total.bytes));
    }
    if (DebugLevel(DBG_MEMORY) < 10) return;

    std::vector<std::pair<void**, const MemBlock*>> inOrder;
    for (const auto& [owner, block] : s_memory.blocks) {
        inOrder.emplace_back(owner, &block);
    }
    std::sort(inOrder.begin(), inOrder.end(),
              [](const auto& a, const auto& b) { return a.second->serial < b.second->serial; });
    for (const auto& [owner, block] : inOrder) {
        DebugPrintf(DBG_MEMORY, 10, "MemoryReport(): owner %p: %u bytes, type %08X, priority %u\n",
                    static_cast<void*>(owner), block->size, block->type, block->priority);
    }
}

MemoryStatistics MemoryStats()
{
    return {static_cast<uint32_t>(s_memory.blocks.size()), s_memory.bytes, s_memory.purges};
}

void MemorySetBudget(uint32_t bytes) { s_memory.budget = bytes; }

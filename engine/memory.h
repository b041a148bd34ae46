// engine/memory.h: the tracked memory manager; every block is owned through the address of its
// owner's pointer, carries a type word and a purge priority.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t MEM_TYPE_PURGEABLE = 0x9ABCDEF0;  // may be freed to make room
constexpr uint32_t MEM_TYPE_FILE = 0x13246579;       // ordinary: loaded files
constexpr uint32_t MEM_TYPE_GAME = 0xBEAC093F;       // ordinary: game buffers

constexpr uint32_t MEM_BUDGET_BYTES = 9500 * 1024;
constexpr uint32_t MEM_LOW_BUDGET_BYTES = 3400 * 1024;

// Both free every block still held (their owners are left alone: they may be gone by then).
void MemoryInit();    // also restores the budget that IsLowMemory chooses
void MemoryUninit();  // safe without MemoryInit and twice

// Allocates `size` zeroed bytes into *owner. Past the budget, purgeable blocks are freed lowest
// priority first (then oldest first) and their owners nulled; if none is left the allocation
// still goes ahead. An owner already holding a block, or a failed host allocation, is fatal.
void AllocateMemory(void** owner, uint32_t size, uint32_t type);
// Keeps the contents up to the smaller size, zeroes what it adds and updates *owner (the block
// may move); may purge other blocks, never this one. An unknown owner or a failure is fatal.
void ResizeMemory(void** owner, uint32_t size);
// Frees and nulls *owner; a null *owner only warns. An unknown owner, or one whose pointer no
// longer holds its block's address, is fatal.
void FreeMemory(void** owner);
// An unknown owner is fatal for both.
void SetMemType(void** owner, uint32_t type);
void SetMemPriority(void** owner, uint32_t priority);  // 0 by default; lowest is purged first
void PurgeAllMemory();  // frees every purgeable block, nulling its owner, and nothing else

template <typename T>
void AllocateMemory(T** owner, uint32_t size, uint32_t type)
{
    AllocateMemory(reinterpret_cast<void**>(owner), size, type);
}
template <typename T>
void ResizeMemory(T** owner, uint32_t size)
{
    ResizeMemory(reinterpret_cast<void**>(owner), size);
}
template <typename T>
void FreeMemory(T** owner)
{
    FreeMemory(reinterpret_cast<void**>(owner));
}
template <typename T>
void SetMemType(T** owner, uint32_t type)
{
    SetMemType(reinterpret_cast<void**>(owner), type);
}
template <typename T>
void SetMemPriority(T** owner, uint32_t priority)
{
    SetMemPriority(reinterpret_cast<void**>(owner), priority);
}

// Decided once, at the "memory settings" start-up step: physical memory below 24 MB.
bool IsLowMemory();
void MemorySettingsInit();
void MemorySetLowMemory(bool low);  // tests: what IsLowMemory answers until the next settings step

// Shutdown step: on the "memory" channel, per type at level 1, per block at level 10.
void MemoryReport();

struct MemoryStatistics {
    uint32_t blocks;
    uint64_t bytes;
    uint32_t purges;  // purgeable blocks freed to make room since MemoryInit
};
MemoryStatistics MemoryStats();
void MemorySetBudget(uint32_t bytes);  // tests: a small budget to force purges

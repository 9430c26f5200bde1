// The memory allocators a DIB block can come from. On Windows they are the system's Local and Global
// allocators; elsewhere they are stand-ins with the same calls and the same handle rules: a fixed
// block's handle is its address, a moveable block's handle is an opaque value that LocalLock/GlobalLock
// turn into the address (and LocalHandle/GlobalHandle turn back).
//
// The stand-ins tag every block with the allocator that made it and count the live blocks of each
// allocator, so that tests can show that a block went back to its own allocator (a block handed to
// the wrong one is not freed and is counted as a misuse) and that a borrowed block is never freed.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include "platform/WinApi.h"
#else
using HLOCAL = void*;
using HGLOBAL = void*;
using SIZE_T = std::size_t;

constexpr unsigned LMEM_FIXED = 0x0000;
constexpr unsigned LMEM_MOVEABLE = 0x0002;
constexpr unsigned LMEM_ZEROINIT = 0x0040;
constexpr unsigned LPTR = LMEM_FIXED | LMEM_ZEROINIT;
constexpr unsigned GMEM_FIXED = 0x0000;
constexpr unsigned GMEM_MOVEABLE = 0x0002;
constexpr unsigned GMEM_ZEROINIT = 0x0040;
constexpr unsigned GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Null when the block cannot be had. A size of 0 still gives a block (of no usable bytes).
HLOCAL LocalAlloc(unsigned flags, SIZE_T bytes);
void* LocalLock(HLOCAL handle);          // the address; null for a bad handle
HLOCAL LocalHandle(const void* address); // the handle of a block's address; null if not ours
int LocalUnlock(HLOCAL handle);          // non-zero while the block stays locked
HLOCAL LocalFree(HLOCAL handle);         // null on success, the handle itself on failure

HGLOBAL GlobalAlloc(unsigned flags, SIZE_T bytes);
void* GlobalLock(HGLOBAL handle);
HGLOBAL GlobalHandle(const void* address);
int GlobalUnlock(HGLOBAL handle);
HGLOBAL GlobalFree(HGLOBAL handle);
#endif

namespace platform {

// The program heap (kind DibHeap and every short-lived scratch buffer). Null when the block cannot
// be had; HeapRelease(null) does nothing.
void* HeapAllocate(std::size_t bytes);
void HeapRelease(void* block);

enum class Allocator { Heap, Local, Global };

// Live blocks of one allocator: allocated and not yet released. Only counted by the stand-ins; on
// Windows it is -1 for Local and Global.
long LiveBlocks(Allocator allocator);
// Blocks handed to a release or lock call of an allocator other than their own, or unknown
// addresses handed to one; such blocks are left alone.
long MisusedBlocks();
// Bytes ever handed out by one allocator (a running total, never decreased), so tests can see how
// much an operation asked for. Only counted by the stand-ins; 0 on Windows for Local and Global.
std::uint64_t AllocatedBytes(Allocator allocator);
// Lets the next `skip` allocations of the given allocator succeed and fails the `count` after them
// (count 0 stops), so tests can reach the out-of-memory paths. Ignored on Windows for Local and
// Global.
void FailAllocations(Allocator allocator, int skip, int count);

}  // namespace platform

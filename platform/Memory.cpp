#include "platform/Memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {
namespace {

constexpr int kAllocators = 3;

std::atomic<long> liveBlocks[kAllocators];
std::atomic<long> misusedBlocks{0};
std::atomic<std::uint64_t> allocatedBytes[kAllocators];

// Failure injection; tests set it while nothing else allocates.
struct Failing {
  int skip = 0;
  int count = 0;
};
Failing failing[kAllocators];

int Index(Allocator allocator) { return static_cast<int>(allocator); }

bool ShouldFail(Allocator allocator) {
  Failing& f = failing[Index(allocator)];
  if (f.count == 0) return false;
  if (f.skip > 0) {
    --f.skip;
    return false;
  }
  --f.count;
  return true;
}

// The program heap keeps its own register so that a Local or Global block (or a borrowed address)
// handed to HeapRelease is recognised as a misuse instead of being passed to free().
struct HeapRegister {
  std::mutex mutex;
  std::unordered_map<void*, std::size_t> blocks;
};
HeapRegister& Heap() {
  static HeapRegister* heap = new HeapRegister;  // never destroyed: blocks may outlive statics
  return *heap;
}

// The system heaps the stand-ins play keep blocks of a few hundred kilobytes in their own pages:
// Windows maps a block by itself only from about half a megabyte on. glibc maps every block above
// 128 KB afresh, and once a freed one has moved that limit up, it gives the freed pages back to the
// system as soon as 256 KB or so lie free at the top of the heap; either way a block of that size
// allocated and released once an operation (a 256 x 192 frame and its depth buffer, a catalog)
// faults in fresh pages every time, which costs far more than the work done in them. So the
// stand-ins map only blocks from half a megabyte on, as Windows does, and the heap keeps up to one
// megabyte of free pages. Every block is still released at once to the allocator its kind names.
// Set at the first allocation, not at load: velrast runs no code of its own when it is loaded.
bool KeepHeapPages() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 512 * 1024);
  mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
#endif
  return true;
}

void TuneHeapOnce() {
  [[maybe_unused]] static const bool tuned = KeepHeapPages();
}

}  // namespace

void* HeapAllocate(std::size_t bytes) {
  TuneHeapOnce();
  if (ShouldFail(Allocator::Heap)) return nullptr;
  void* block = std::malloc(bytes ? bytes : 1);
  if (!block) return nullptr;
  HeapRegister& heap = Heap();
  std::lock_guard lock(heap.mutex);
  heap.blocks.emplace(block, bytes);
  ++liveBlocks[Index(Allocator::Heap)];
  allocatedBytes[Index(Allocator::Heap)] += bytes;
  return block;
}

void HeapRelease(void* block) {
  if (!block) return;
  HeapRegister& heap = Heap();
  {
    std::lock_guard lock(heap.mutex);
    if (heap.blocks.erase(block) == 0) {
      ++misusedBlocks;
      return;
    }
  }
  --liveBlocks[Index(Allocator::Heap)];
  std::free(block);
}

long MisusedBlocks() { return misusedBlocks.load(); }

void FailAllocations(Allocator allocator, int skip, int count) {
  failing[Index(allocator)] = Failing{skip > 0 ? skip : 0, count > 0 ? count : 0};
}

std::uint64_t AllocatedBytes(Allocator allocator) { return allocatedBytes[Index(allocator)].load(); }

}  // namespace platform

#ifdef _WIN32

namespace platform {
long LiveBlocks(Allocator allocator) {
  return allocator == Allocator::Heap ? liveBlocks[Index(Allocator::Heap)].load() : -1;
}
}  // namespace platform

#else

namespace {

using platform::Allocator;

// One block of the Local or Global stand-in. A fixed block's handle is its address; a moveable
// block's handle is the address of this record, which is never the address of the bytes, so code
// that uses a moveable handle without locking it reads the wrong memory and is caught.
struct Block {
  Allocator allocator;
  bool moveable;
  int locks = 0;
  void* address;
};

struct BlockRegister {
  std::mutex mutex;
  std::unordered_map<const void*, std::unique_ptr<Block>> byHandle;
  std::unordered_map<const void*, const void*> handleOfAddress;
};
BlockRegister& Blocks() {
  static BlockRegister* blocks = new BlockRegister;  // never destroyed: blocks may outlive statics
  return *blocks;
}

void* Alloc(Allocator allocator, unsigned flags, std::size_t bytes) {
  platform::TuneHeapOnce();
  if (platform::ShouldFail(allocator)) return nullptr;
  void* address = (flags & LMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  if (!address) return nullptr;
  auto block = std::make_unique<Block>(Block{allocator, (flags & LMEM_MOVEABLE) != 0, 0, address});
  const void* handle = block->moveable ? static_cast<const void*>(block.get()) : address;
  BlockRegister& blocks = Blocks();
  std::lock_guard lock(blocks.mutex);
  blocks.byHandle.emplace(handle, std::move(block));
  blocks.handleOfAddress.emplace(address, handle);
  ++platform::liveBlocks[platform::Index(allocator)];
  platform::allocatedBytes[platform::Index(allocator)] += bytes;
  return const_cast<void*>(handle);
}

// The record of a handle of this allocator, or null (counted as a misuse) when the handle is
// unknown or belongs to the other allocator. The caller holds the register's mutex.
Block* Find(BlockRegister& blocks, Allocator allocator, const void* handle) {
  auto it = blocks.byHandle.find(handle);
  if (it == blocks.byHandle.end() || it->second->allocator != allocator) {
    ++platform::misusedBlocks;
    return nullptr;
  }
  return it->second.get();
}

void* Lock(Allocator allocator, void* handle) {
  BlockRegister& blocks = Blocks();
  std::lock_guard lock(blocks.mutex);
  Block* block = Find(blocks, allocator, handle);
  if (!block) return nullptr;
  if (block->moveable) ++block->locks;
  return block->address;
}

void* HandleOf(Allocator allocator, const void* address) {
  BlockRegister& blocks = Blocks();
  std::lock_guard lock(blocks.mutex);
  auto it = blocks.handleOfAddress.find(address);
  if (it == blocks.handleOfAddress.end()) {
    ++platform::misusedBlocks;
    return nullptr;
  }
  Block* block = Find(blocks, allocator, it->second);
  return block ? const_cast<void*>(it->second) : nullptr;
}

int Unlock(Allocator allocator, void* handle) {
  BlockRegister& blocks = Blocks();
  std::lock_guard lock(blocks.mutex);
  Block* block = Find(blocks, allocator, handle);
  if (!block || !block->moveable || block->locks == 0) return 0;
  return --block->locks;
}

void* Free(Allocator allocator, void* handle) {
  if (!handle) return nullptr;
  void* address;
  {
    BlockRegister& blocks = Blocks();
    std::lock_guard lock(blocks.mutex);
    Block* block = Find(blocks, allocator, handle);
    if (!block) return handle;
    address = block->address;
    blocks.handleOfAddress.erase(address);
    blocks.byHandle.erase(handle);
  }
  std::free(address);
  --platform::liveBlocks[platform::Index(allocator)];
  return nullptr;
}

}  // namespace

HLOCAL LocalAlloc(unsigned flags, SIZE_T bytes) { return Alloc(Allocator::Local, flags, bytes); }
void* LocalLock(HLOCAL handle) { return Lock(Allocator::Local, handle); }
HLOCAL LocalHandle(const void* address) { return HandleOf(Allocator::Local, address); }
int LocalUnlock(HLOCAL handle) { return Unlock(Allocator::Local, handle); }
HLOCAL LocalFree(HLOCAL handle) { return Free(Allocator::Local, handle); }

HGLOBAL GlobalAlloc(unsigned flags, SIZE_T bytes) { return Alloc(Allocator::Global, flags, bytes); }
void* GlobalLock(HGLOBAL handle) { return Lock(Allocator::Global, handle); }
HGLOBAL GlobalHandle(const void* address) { return HandleOf(Allocator::Global, address); }
int GlobalUnlock(HGLOBAL handle) { return Unlock(Allocator::Global, handle); }
HGLOBAL GlobalFree(HGLOBAL handle) { return Free(Allocator::Global, handle); }

namespace platform {
long LiveBlocks(Allocator allocator) { return liveBlocks[Index(allocator)].load(); }
}  // namespace platform

#endif

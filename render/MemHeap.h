#pragma once
// The private heap the part images come from: an allocator of our own that counts its blocks, so
// that the images' memory can be accounted for and logged as one. Every allocation fails before
// Create (or after a failed one), which disables the part images.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

class CMemHeap {
 public:
  CMemHeap() = default;
  virtual ~CMemHeap();
  CMemHeap(const CMemHeap&) = delete;
  CMemHeap& operator=(const CMemHeap&) = delete;

  // Stores the maintenance flag (compaction and statistics); 1 when the heap exists afterwards.
  int Create(int maintenance);
  bool Exists() const { return m_created; }
  // A block, or null (logged) when there is no heap or no memory.
  void* Alloc(size_t bytes);
  void Free(void* block);
  // Our blocks go straight back to the system, so there is nothing to compact; kept for the
  // callers that compact when the last image went.
  void Compact();
  void LogStatistics();

  // The lock of the part images of one owner (a file): held shared while one is looked up or
  // stamped and exclusively while one is made or replaced, since renderers on several threads
  // (the bands of a frame, the panes) use the same images. Owners share a few locks.
  std::shared_mutex& ImageLock(const void* owner) {
    const auto h = reinterpret_cast<uintptr_t>(owner);
    return m_imageLocks[(h >> 6 ^ h >> 12) % kImageLocks];
  }

  size_t GetBlockCount() const;
  size_t GetAllocatedBytes() const;

 private:
  mutable std::mutex m_lock;
  static constexpr size_t kImageLocks = 64;
  std::shared_mutex m_imageLocks[kImageLocks];
  std::unordered_map<void*, size_t> m_blocks;
  size_t m_allocated = 0;
  bool m_created = false;
  bool m_maintenance = false;
};

// Made once at start-up (CreateRenderCache); lives until exit.
extern CMemHeap theRenderCache;
int CreateRenderCache(int maintenance);

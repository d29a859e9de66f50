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

  // Held shared while a part image is looked up or stamped and exclusively while one is made or
  // replaced: renderers on several threads (the bands of a frame, the panes) use the same images.
  std::shared_mutex& ImageLock() { return m_imageLock; }

  size_t GetBlockCount() const;
  size_t GetAllocatedBytes() const;

 private:
  mutable std::mutex m_lock;
  std::shared_mutex m_imageLock;
  std::unordered_map<void*, size_t> m_blocks;
  size_t m_allocated = 0;
  bool m_created = false;
  bool m_maintenance = false;
};

// Made once at start-up (CreateRenderCache); lives until exit.
extern CMemHeap theRenderCache;
int CreateRenderCache(int maintenance);

#include "render/MemHeap.h"

#include <cstdlib>

#include "config/Tracer.h"

CMemHeap theRenderCache;

int CreateRenderCache(int maintenance) { return theRenderCache.Create(maintenance); }

CMemHeap::~CMemHeap() {
  for (auto& [block, bytes] : m_blocks) std::free(block);
}

int CMemHeap::Create(int maintenance) {
  m_maintenance = maintenance != 0;
  if (m_created) return 1;
  m_created = true;
  theTracer.Printf("\nCache buffer created with an initial size of %lukB.\n", 1048576ul >> 10);
  LogStatistics();
  return 1;
}

void* CMemHeap::Alloc(size_t bytes) {
  void* block = m_created && bytes > 0 ? std::malloc(bytes) : nullptr;
  if (!block) {
    theTracer.Printf("ERROR: HeapAlloc(%lu) failed!\n", static_cast<unsigned long>(bytes));
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(m_lock);
  m_blocks.emplace(block, bytes);
  m_allocated += bytes;
  return block;
}

void CMemHeap::Free(void* block) {
  if (!block) return;
  std::lock_guard<std::mutex> guard(m_lock);
  auto it = m_blocks.find(block);
  if (it == m_blocks.end()) {
    // Not ours: leaving it alone is safer than handing a foreign pointer to free().
    theTracer.Printf("ERROR: HeapFree(...) failed!\n");
    return;
  }
  m_allocated -= it->second;
  std::free(block);
  m_blocks.erase(it);
}

void CMemHeap::Compact() {}

void CMemHeap::LogStatistics() {
  if (!m_created || !m_maintenance) return;
  std::lock_guard<std::mutex> guard(m_lock);
  theTracer.Printf("HEAP-INFO: Segments=%lu, Overhead=%lu, Allocated=%lu, Free=%lu\n",
                   static_cast<unsigned long>(m_blocks.size()), 0ul, static_cast<unsigned long>(m_allocated), 0ul);
}

size_t CMemHeap::GetBlockCount() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_blocks.size();
}

size_t CMemHeap::GetAllocatedBytes() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_allocated;
}

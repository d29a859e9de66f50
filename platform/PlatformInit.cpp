#include "platform/PlatformInit.h"

#include <malloc.h>
#include <sys/mman.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr size_t kHeapReserve = size_t{64} << 20;
constexpr size_t kLargePage = size_t{2} << 20;

// Reading a big model and keeping its undo snapshot take tens of megabytes in blocks of all sizes.
void PrepareMainHeap() {
  // Freed memory stays with the heap, and blocks up to the reserve come from it, not from mappings
  // of their own.
  if (!mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapReserve)) ||
      !mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapReserve + kLargePage)))
    return;
  void* block = std::malloc(kHeapReserve);
  if (!block) return;
  const auto start = reinterpret_cast<uintptr_t>(block);
  const uintptr_t from = (start + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t to = (start + kHeapReserve) & ~(kLargePage - 1);
  // Only advice: a system without large pages keeps small ones.
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  std::free(block);
}

}  // namespace

void InitPlatform() {
  std::signal(SIGXFSZ, SIG_IGN);
  PrepareMainHeap();
}

#include "platform/PlatformInit.h"

#include <malloc.h>
#include <sys/mman.h>

#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

constexpr size_t kHeapReserve = size_t{64} << 20;
constexpr size_t kLargePage = size_t{2} << 20;
constexpr size_t kSmallPage = 4096;
// What reading a big model takes at first; the rest of the reserve is faulted in as it is used, so
// that a small model does not hold memory it never needs.
constexpr size_t kFaultedIn = size_t{32} << 20;

struct HeapState {
  std::mutex lock;
  std::condition_variable ready;
  bool started = false;
  bool done = false;
};

// Never destroyed: the thread that faults the pages in may still run while the program ends.
HeapState& Heap() {
  static HeapState* state = new HeapState;
  return *state;
}

// Reading a big model and keeping its undo snapshot take tens of megabytes in blocks of all sizes.
void PrepareMainHeap() {
  HeapState& heap = Heap();
  {
    std::lock_guard<std::mutex> guard(heap.lock);
    if (heap.started) return;
    heap.started = true;
  }
  auto finish = [&heap] {
    std::lock_guard<std::mutex> guard(heap.lock);
    heap.done = true;
    heap.ready.notify_all();
  };
  // Freed memory stays with the heap, and blocks up to the reserve come from it, not from mappings
  // of their own.
  if (!mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapReserve)) ||
      !mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapReserve + kLargePage)))
    return finish();
  void* block = std::malloc(kHeapReserve);
  if (!block) return finish();
  const auto start = reinterpret_cast<uintptr_t>(block);
  const uintptr_t from = (start + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t to = (start + kHeapReserve) & ~(kLargePage - 1);
  // Only advice: a system without large pages keeps small ones.
  if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  // Its first pages are faulted in beside the rest of the start (the toolkit's takes far longer),
  // so that the first model read finds them ready; the block goes back to the heap afterwards.
  try {
    std::thread([block, finish] {
      volatile char* bytes = static_cast<char*>(block);
      for (size_t i = 0; i < kFaultedIn; i += kSmallPage) bytes[i] = 0;
      std::free(block);
      finish();
    }).detach();
  } catch (const std::system_error&) {
    // Without a thread the pages are faulted in as they are used.
    std::free(block);
    finish();
  }
}

}  // namespace

void InitPlatform() {
  std::signal(SIGXFSZ, SIG_IGN);
  PrepareMainHeap();
}

void AwaitMainHeap() {
  HeapState& heap = Heap();
  std::unique_lock<std::mutex> guard(heap.lock);
  heap.ready.wait(guard, [&heap] { return heap.done || !heap.started; });
}

#include "model/ThreadPartImages.h"

#include <memory>

CThreadPartImages::Round::Round() { theRound.store(++theLastRound, std::memory_order_release); }

CThreadPartImages::Round::~Round() { theRound.store(0, std::memory_order_release); }

CThreadPartImages* CThreadPartImages::Current() {
  const uint64_t round = theRound.load(std::memory_order_acquire);
  if (round == 0) return nullptr;
  // The renderers' worker threads live on between rounds and draw for whoever calls them: their
  // set is made at their first use and its images are forgotten when a new round begins.
  static thread_local std::unique_ptr<CThreadPartImages> own;
  if (!own) own = std::make_unique<CThreadPartImages>();
  if (own->m_round != round) {
    // The blocks stay for the images of the new round; the slots of files long gone do not.
    if (own->m_slots.size() > kMaxFiles) own->m_slots.clear();
    for (auto& [file, slots] : own->m_slots) {
      for (CFakeBuffer& image : slots.images) image.Forget();
      slots.next = 0;
    }
    own->m_round = round;
  }
  return own.get();
}

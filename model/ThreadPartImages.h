#pragma once
// While pictures are drawn on threads beside each other (the panes drawn at the same time, each
// in bands of rows on threads of its own), the part images a thread makes and stamps are the
// thread's own, kept for that round of drawing only: no lock is taken for each stamped part, and
// no thread replaces an image another one is stamping. An image depends only on its key, so the
// picture is the one the files' own images give.
#include <array>
#include <atomic>
#include <cstdint>
#include <unordered_map>

#include "model/QvFile.h"

class CThreadPartImages {
 public:
  // A model holds a part in a few dozen rotations at most, and a thread's images are not shared:
  // more of them than a file keeps makes each part's image less often.
  static constexpr size_t kImageCount = 16;
  // More files than a model's small parts: the blocks of files no longer drawn go.
  static constexpr size_t kMaxFiles = 1024;
  struct Slots {
    std::array<CFakeBuffer, kImageCount> images;
    uint8_t next = 0;  // the image a new rotation replaces next
  };

  // A round of drawing on several threads: while one lives, every thread that draws uses a set
  // of its own. The files may have changed since the last round (a file freed, another one made
  // at its address), so a thread's set starts without images in each round. Begin and end a round only
  // while no thread draws.
  class Round {
   public:
    Round();
    ~Round();
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;
  };

  // The calling thread's set during a round; null while the thread uses the files' own images.
  static CThreadPartImages* Current();
  Slots& For(const CQvFile* file) { return m_slots[file]; }

 private:
  std::unordered_map<const CQvFile*, Slots> m_slots;
  uint64_t m_round = 0;  // the round the slots were made in

  static inline std::atomic<uint64_t> theRound{0};  // the current round; 0 outside one
  static inline uint64_t theLastRound = 0;
};

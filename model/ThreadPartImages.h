#pragma once
// While a picture is drawn on a thread beside others (the panes drawn at the same time), the part
// images its drawing makes and stamps are the thread's own, kept for that drawing only: no lock
// is taken for each stamped part, and no thread replaces an image another one is stamping. An
// image depends only on its key, so the picture is the one the files' own images give.
#include <array>
#include <cstdint>
#include <unordered_map>

#include "model/QvFile.h"

class CThreadPartImages {
 public:
  struct Slots {
    std::array<CFakeBuffer, CQvFile::kPartImageCount> images;
    uint8_t next = 0;  // the image a new rotation replaces next
  };

  // Becomes the calling thread's set until it is destroyed.
  CThreadPartImages();
  ~CThreadPartImages();
  CThreadPartImages(const CThreadPartImages&) = delete;
  CThreadPartImages& operator=(const CThreadPartImages&) = delete;

  // The calling thread's set; null while the thread uses the files' own images.
  static CThreadPartImages* Current();
  Slots& For(const CQvFile* file) { return m_slots[file]; }

 private:
  std::unordered_map<const CQvFile*, Slots> m_slots;
  CThreadPartImages* m_previous;
};

#pragma once
// The one process-wide buffer of copy, cut, paste and duplicate: clones of elements, independent of
// the system clipboard. Because it holds clones it outlives the originals and pastes into any model
// any number of times; its own elements never enter a model (a paste clones them again).
#include <cstdint>
#include <memory>
#include <vector>

#include "model/QvPart.h"

class CQvFile;

class CCopyBuffer {
 public:
  CCopyBuffer() = default;
  virtual ~CCopyBuffer();
  CCopyBuffer(const CCopyBuffer&) = delete;
  CCopyBuffer& operator=(const CCopyBuffer&) = delete;

  // The instance, made empty on the first call; null when it cannot be made (every other
  // operation then does nothing).
  static CCopyBuffer* Get();
  // Deletes every element, the last first.
  static void Clear();
  // Takes the element; 1, or 0 when it cannot be stored (the element is then deleted).
  static int Add(std::unique_ptr<CQvPart> element);
  // With first set the first element (the read position then points behind it), otherwise the
  // element at the read position; null at the end.
  static CQvPart* GetNext(int first);
  static int IsEmpty();
  static size_t GetCount();
  // Every element lets go of the model (any model when null): called for every model file that
  // goes away, so the buffer never points into a deleted model.
  static void ReleaseModelRefs(const CQvFile* model);
  // Ends the instance; for an ordered shutdown before the file cache goes.
  static void Destroy();

 private:
  std::vector<std::unique_ptr<CQvPart>> m_items;
  size_t m_readPosition = 0;
};

// Null until the first use.
extern CCopyBuffer* theCopyBuffer;

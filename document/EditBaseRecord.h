#pragma once
// What the saved frame of a renderer holds after the render road drew the active model in edit
// mode. The road draws over that frame only when the record shows it is still the right one:
// the same model, list, size and view, and no element baked into the frame that may have changed.
#include <cstdint>
#include <vector>

#include "config/Geometry.h"

class CQvFile;
class CQvPart;

struct EditBaseRecord {
  const CQvFile* model = nullptr;
  uint32_t width = 0, height = 0;
  CMatrix3 view;
  double zoom = 1;
  int offset[2] = {0, 0};
  // The element list when the frame was saved: pick ids are list positions, so any insertion,
  // removal or reordering makes the frame's ids wrong.
  std::vector<const CQvPart*> elements;
  // Sorted list indices left out of the saved frame (the selection when it was saved); they are
  // always drawn over it.
  std::vector<int32_t> excluded;
  // Sorted list indices selected at the last drawing.
  std::vector<int32_t> lastSelection;
};

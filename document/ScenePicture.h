#pragma once
// A picture of the document's scene and what the render road needs to know about it: the
// renderer that holds the frame, and, after an edit-mode drawing, what its saved frame holds.
// Each owner (a 3-D pane, the picture series, the print job) keeps its own; the document draws
// into it (CQuorvelDoc::Create3DStub) and keeps nothing of it.
#include <optional>

#include "document/EditBaseRecord.h"
#include "render/C3DStub.h"

struct ScenePicture {
  C3DStub renderer;
  // Set while the renderer's saved frame is one the edit-mode road may draw over.
  std::optional<EditBaseRecord> editBase;
};

// What an owner asks the render road for, one frame.
struct RenderRequest {
  int width = 0, height = 0;  // the drawing area; the road rounds both down to multiples of 4
  int offset[2] = {0, 0};     // the pan offset in pixels (edit mode)
  double viewMatrix[9] = {};  // row order
  bool reRender = false;      // draw everything again, no drawing over the kept frame
  double zoom = 1.0;
  bool rotating = false;      // a turning drag: no perspective, no refit, no toning
  bool perspective = false;
};

#pragma once
// One part of the library drawn into a square thumbnail: from the default view direction, fitted
// into the square, colour 16 in the preview colour. The part file comes from the part-file cache
// given and goes back to it once drawn; only the picture is kept (the depth buffer is given up).
#include "config/PartList.h"

class C3DStub;
class CFileCache;

enum class ThumbnailResult {
  Drawn,
  NotFound,  // the part's file could not be loaded
  NoMemory,  // no renderer of that size could be made: the cell shows an error, the program goes on
};

ThumbnailResult RenderPartThumbnail(CFileCache& cache, PartHandle handle, int size, C3DStub& renderer);

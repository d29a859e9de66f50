#include "app/PartThumbnail.h"

#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "render/C3DStub.h"
#include "render/FitBox.h"

ThumbnailResult RenderPartThumbnail(CFileCache& cache, PartHandle handle, int size, C3DStub& renderer) {
  // Browsing never asks about a missing file: the cell shows it.
  const int warnings = theSettings.ShowWarnings;
  theSettings.ShowWarnings = 0;
  CQvFile* file = cache.GetFile(handle);
  theSettings.ShowWarnings = warnings;
  if (!file) return ThumbnailResult::NotFound;
  if (file->missing) {
    cache.ReleaseFile(handle);
    return ThumbnailResult::NotFound;
  }
  const CMatrix3& view = theDefaultViewMatrix;
  CVector3 min(1e200, 1e200, 1e200), max(-1e200, -1e200, -1e200);
  file->ExtendBoundingBoxAll(CVector3(), view, min, max);
  SaneBox(min, max);
  renderer.SetBackgroundColor(15);
  if (!renderer.Reset(static_cast<uint32_t>(size), static_cast<uint32_t>(size), theSettings.Shading)) {
    cache.ReleaseFile(handle);
    return ThumbnailResult::NoMemory;
  }
  renderer.FitView(size, size, min.x, min.y, min.z, max.x, max.y, max.z);
  CMatrix3 matrix = view;
  for (double& v : matrix.m) v *= renderer.GetScaleX();
  file->DrawTo3DStub(renderer, CVector3(), matrix, theSettings.PreviewColor, -1, 0, 0, 1);
  renderer.Finish();
  cache.ReleaseFile(handle);
  return ThumbnailResult::Drawn;
}

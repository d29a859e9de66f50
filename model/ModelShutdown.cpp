#include "model/ModelShutdown.h"

#include "model/CopyBuffer.h"
#include "model/FileCache.h"

void ShutdownModelState(const std::function<void()>& closeDocument) {
  if (closeDocument) closeDocument();
  CCopyBuffer::Destroy();
  if (CFileCache::IsAlive()) theFileCache.Shutdown();
}

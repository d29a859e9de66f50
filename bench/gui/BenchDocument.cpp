#include "BenchDocument.h"

#include <chrono>

#include "app/QuorvelView.h"
#include "document/QuorvelDoc.h"
#include "model/TextHandler.h"

void PumpBenchEvents() {
  wxTheApp->ProcessPendingEvents();
  wxTheApp->Yield(true);
  while (wxTheApp->ProcessIdle()) {
  }
}

bool WaitForPaints(CQuorvelView* const (&views)[4], const int (&before)[4], int limitSeconds) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
  while (std::chrono::steady_clock::now() < limit) {
    PumpBenchEvents();
    bool all = true;
    for (int i = 0; i < 4; ++i)
      if (views[i]->GetImagePaintCount() <= before[i]) all = false;
    if (all) return true;
  }
  return false;
}

bool LoadBenchModel(CQuorvelDoc& doc, const std::string& path) {
  CFileTextHandler in;
  if (!in.Open(path, "r")) return false;
  doc.GetProject().RemoveAll(1);
  doc.GetProject().AddModel(nullptr, nullptr);
  const int ok = doc.GetProject().Transfer(in, 1, path);
  doc.RefreshActiveModel();
  return ok != 0;
}

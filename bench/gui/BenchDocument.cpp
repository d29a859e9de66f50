#include "BenchDocument.h"

#include "document/QuorvelDoc.h"
#include "model/TextHandler.h"

void PumpBenchEvents() {
  wxTheApp->ProcessPendingEvents();
  wxTheApp->Yield(true);
  while (wxTheApp->ProcessIdle()) {
  }
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

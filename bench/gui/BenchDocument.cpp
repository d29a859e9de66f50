#include "BenchDocument.h"

#include <wx/image.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "../BenchInputs.h"
#include "app/QuorvelView.h"
#include "config/BuiltinColors.h"
#include "config/ColorTable.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/TextHandler.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "render/MemHeap.h"

bool StartBenchApp(char** argv, const char* profileName) {
  wxApp::SetInstance(new CBenchApp);
  int wxArgc = 1;
  if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "no display: run under xvfb-run -a\n");
    return false;
  }
  wxInitAllImageHandlers();
  SetProfile(std::make_unique<CFileProfile>(GetTempDirectory() + "/" + profileName));
  BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  // The part images' heap, made at start-up as the program makes it: without it every stamped
  // part would be measured, refused and drawn in full.
  CreateRenderCache(1);
  return true;
}

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

// plandor_edit_bench: for each shared model, the time from an edit command to all four 3-D panes
// painted again, as Edit/<file>/<operation> (run under Xvfb: xvfb-run -a). Not part of the tests.
//   Select  one part selected, as a click in a pane selects it
//   Move    the selected part moved by one grid step (the Move command), the first move after
//           the part was selected
//   MoveAgain  the same part moved once more right after (the panes' kept frame then lacks it)
//   Undo    that move undone
// Each operation is timed from the document call (which renders synchronously where the hint asks
// for it) to the last of the four panes' next image paint; "cmd" is the document call alone.
//
//   plandor_edit_bench [--repeat N] [--size WxH] [--only TEXT]
//     --only TEXT  only the models whose file name holds TEXT
// Models: the shared models, plus PLANDOR_BENCH_MODELS; library: LDRAWDIR or ../shared/ldraw.
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../BenchInputs.h"
#include "BenchDocument.h"
#include "app/MainFrame.h"
#include "app/QuorvelView.h"
#include "config/ColorTable.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "render/C3DStub.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMoveLeft = 32792;  // the first of the six Move commands

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

struct Timing {
  std::vector<double> command, total;
  int timeouts = 0;
};

// One timed operation: the document call, then the four panes' next paints.
void TimeOnce(CQuorvelView* const (&views)[4], const std::function<void()>& op, Timing& t) {
  PumpBenchEvents();  // nothing left over from before
  int before[4];
  for (int i = 0; i < 4; ++i) before[i] = views[i]->GetImagePaintCount();
  const Clock::time_point start = Clock::now();
  op();
  const Clock::time_point called = Clock::now();
  if (!WaitForPaints(views, before, 10)) {
    ++t.timeouts;
    if (std::getenv("PLANDOR_BENCH_VERBOSE"))
      for (int i = 0; i < 4; ++i)
        std::fprintf(stderr, "pane %d: %d -> %d paints\n", i, before[i], views[i]->GetImagePaintCount());
  }
  const Clock::time_point painted = Clock::now();
  t.command.push_back(Ms(start, called));
  t.total.push_back(Ms(start, painted));
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Print(const std::string& name, const Timing& t) {
  std::printf("%-58s %5zu %9.1f %9.1f %9.1f %9.1f%s\n", name.c_str(), t.total.size(), Median(t.command),
              Median(t.total), *std::min_element(t.total.begin(), t.total.end()),
              *std::max_element(t.total.begin(), t.total.end()), t.timeouts ? " (timed out)" : "");
  std::fflush(stdout);
}

// True when the element places one of the project's own models rather than a library part.
bool PlacesModel(const CQuorvelDoc& doc, const CQvPart* element) {
  if (!element || element->GetType() != ElementType::Reference) return false;
  const CQvFile* file = static_cast<const CQvElement*>(element)->GetFile();
  for (size_t m = 0; m < doc.GetProject().GetModelCount(); ++m)
    if (doc.GetProject().GetModel(m) == file) return true;
  return false;
}

// A library part in the middle of the active model that can be selected and moved (a placed
// submodel would redraw a whole model).
int32_t PickPart(CQuorvelDoc& doc) {
  CQvFile* model = doc.GetActiveModel();
  const int32_t count = static_cast<int32_t>(model->GetCount());
  for (int32_t k = 0; k < count; ++k) {
    const int32_t i = (count / 2 + k) % count;
    if (PlacesModel(doc, model->GetAt(static_cast<size_t>(i)))) continue;
    model->SelectOnly(i);
    if (doc.CanMoveByGrid()) {
      model->SelectOnly(-1);
      return i;
    }
  }
  model->SelectOnly(-1);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 15, width = 1280, height = 960;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc)
      repeat = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--size") && i + 1 < argc)
      std::sscanf(argv[++i], "%dx%d", &width, &height);
    else if (!std::strcmp(argv[i], "--only") && i + 1 < argc)
      only = argv[++i];
  }
  if (!StartBenchApp(argv, "edit_bench.conf")) return 1;

  std::printf("%-58s %5s %9s %9s %9s %9s\n", "Edit/<file>/<operation> (ms, median)", "runs", "cmd", "4 panes",
              "min", "max");
  for (const std::string& path : BenchModelFiles()) {
    const std::string file = BenchFileName(path);
    if (!only.empty() && file.find(only) == std::string::npos) continue;
    theFileCache.Flush(0);
    auto doc = std::make_unique<CQuorvelDoc>();
    doc->OnNewDocument();
    if (!LoadBenchModel(*doc, path)) {
      std::printf("%-58s cannot be read\n", file.c_str());
      continue;
    }
    doc->TrimUndoRing(1);
    auto* frame = new CMainFrame(nullptr);
    frame->SetSize(0, 0, width, height);
    frame->Show();
    CQuorvelView* views[4];
    for (int i = 0; i < 4; ++i) views[i] = dynamic_cast<CQuorvelView*>(frame->GetViewPane(i / 2, i % 2));
    PumpBenchEvents();
    frame->AttachDocument(doc.get());
    doc->UpdateAllViews(HINT_REFIT);
    const int none[4] = {0, 0, 0, 0};
    if (!WaitForPaints(views, none, 10)) std::printf("%-58s first paint timed out\n", file.c_str());

    // A main model made only of placed submodels: edit in the largest of its models that holds
    // library parts, as a user would activate it.
    int32_t part = PickPart(*doc);
    std::string shown;
    if (part < 0) {
      size_t best = 0, bestCount = 0;
      for (size_t m = 0; m < doc->GetProject().GetModelCount(); ++m) {
        doc->ActivateModel(static_cast<int>(m));
        if (PickPart(*doc) >= 0 && doc->GetActiveModel()->GetCount() > bestCount) {
          best = m;
          bestCount = doc->GetActiveModel()->GetCount();
        }
      }
      doc->ActivateModel(static_cast<int>(best));
      doc->UpdateAllViews(HINT_REFIT);
      int before[4];
      for (int i = 0; i < 4; ++i) before[i] = views[i]->GetImagePaintCount();
      WaitForPaints(views, before, 10);
      part = PickPart(*doc);
      shown = " (model " + std::to_string(best + 1) + ", " + std::to_string(bestCount) + " lines)";
    }
    if (part < 0) {
      std::printf("%-58s no movable part\n", file.c_str());
    } else {
      // Select alternates between the part and its neighbour so that each run changes the selection.
      const int32_t other = part + 1 < static_cast<int32_t>(doc->GetActiveModel()->GetCount()) ? part + 1 : part - 1;
      Timing select, move, moveAgain, undo;
      for (int r = 0; r < repeat; ++r) {
        const int32_t index = r % 2 ? other : part;
        TimeOnce(views, [&] { doc->SelectElement(index, 0, SelectKeys{}); }, select);
      }
      for (int r = 0; r < repeat; ++r) {
        // Undo brings back the project as it was, without the selection: select the part again
        // (untimed) and let the panes show it.
        if (!doc->CanMoveByGrid()) {
          Timing ignored;
          TimeOnce(views, [&] { doc->SelectElement(part, 0, SelectKeys{}); }, ignored);
        }
        TimeOnce(views, [&] { doc->MoveByGrid(kMoveLeft); }, move);
        TimeOnce(views, [&] { doc->MoveByGrid(kMoveLeft); }, moveAgain);
        if (doc->CanUndo()) TimeOnce(views, [&] { doc->OnEditUndo(); }, undo);
        Timing ignored;
        if (doc->CanUndo()) TimeOnce(views, [&] { doc->OnEditUndo(); }, ignored);
      }
      if (!shown.empty()) std::printf("%s%s\n", file.c_str(), shown.c_str());
      Print("Edit/" + file + "/Select", select);
      Print("Edit/" + file + "/Move", move);
      Print("Edit/" + file + "/MoveAgain", moveAgain);
      Print("Edit/" + file + "/Undo", undo);
    }
    frame->AttachDocument(nullptr);
    frame->Destroy();
    PumpBenchEvents();
  }
  SetProfile(nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}

#include "app/GeneratorCommands.h"

#include <wx/app.h>

#include <cstdio>

#include "app/CommandMap.h"
#include "config/ColorTable.h"
#include "dialogs/FractalGenDlg.h"
#include "dialogs/MosaicGenDlg.h"
#include "dialogs/RotationGenDlg.h"
#include "document/QuorvelDoc.h"
#include "document/UpdateHints.h"
#include "model/TextHandler.h"

namespace {
namespace id {
constexpr int kFractal = 33600;
constexpr int kMosaic = 33601;
constexpr int kRotation = 33602;
}  // namespace id

wxWindow* Owner() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

const ColorEntry* Colors(CQuorvelDoc& doc) {
  CColorTable* table = doc.GetColorTable();
  return table ? table->GetEntries() : theDefaultColors;
}

template <typename Dialog, typename... Args>
void RunGenerator(CQuorvelDoc& doc, Args&&... args) {
  if (!doc.SaveModified()) return;  // the save question was cancelled: nothing changes
  Dialog dialog(Owner(), std::forward<Args>(args)...);
  // Cancel, or OK on nothing generated (no picture, an empty profile): the project stays as it was.
  if (dialog.ShowModal() != wxID_OK || dialog.GetTarget().GetCount() == 0) return;
  TakeGeneratedModel(doc, dialog.GetTarget());
}
}  // namespace

int TakeGeneratedModel(CQuorvelDoc& doc, CQvFile& model) {
  // The model goes in as LDraw text through the document's own reader, which replaces the project
  // and brings the previous one back should the read fail.
  std::FILE* stream = std::tmpfile();
  if (!stream) return 0;
  int ok = 0;
  {
    CFileTextHandler out(stream);
    ok = model.WriteTo(out);
  }
  if (ok && std::fflush(stream) == 0) {
    std::rewind(stream);
    ok = doc.LoadFromFile(stream, 1, "Untitled");
    if (ok) {
      // A new project: Save must ask for a name rather than overwrite the file it replaced.
      doc.SetTitle("Untitled");
      doc.SetPathName({}, false);
      doc.SetModifiedFlag(1);
    }
    doc.UpdateAllViews(HINT_REFIT);
    doc.SendModelChanged();
  }
  std::fclose(stream);
  return ok;
}

void BindGeneratorCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(id::kFractal, [&doc] { RunGenerator<CFractalGenDlg>(doc); }, CCommandMap::Always);
  commands.Set(id::kMosaic, [&doc] { RunGenerator<CMosaicGenDlg>(doc, Colors(doc)); }, CCommandMap::Always);
  commands.Set(id::kRotation, [&doc] { RunGenerator<CRotationGenDlg>(doc, Colors(doc)); }, CCommandMap::Always);
}

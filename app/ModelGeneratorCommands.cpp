#include "app/ModelGeneratorCommands.h"

#include <wx/app.h>

#include <string>

#include "app/CommandMap.h"
#include "config/ColorTable.h"
#include "dialogs/FractalGenDlg.h"
#include "dialogs/MosaicGenDlg.h"
#include "dialogs/RotationGenDlg.h"
#include "document/QuorvelDoc.h"

namespace {
namespace id {
constexpr int kFractal = 32911;
constexpr int kMosaic = 32913;
constexpr int kRotation = 32984;
}  // namespace id

CommandState EditModeOnly(const CQuorvelDoc& doc) { return EnabledIf(doc.GetEditMode() == 1); }

wxWindow* Owner() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

const ColorEntry* Colors(CQuorvelDoc& doc) {
  CColorTable* table = doc.GetColorTable();
  return table ? table->GetEntries() : theDefaultColors;
}

template <typename Dialog, typename... Args>
void RunGenerator(CQuorvelDoc& doc, Args&&... args) {
  Dialog dialog(Owner(), std::forward<Args>(args)...);
  // Cancel, or OK on nothing generated (no picture, an empty profile): the project stays as it was.
  if (dialog.ShowModal() != wxID_OK || dialog.GetTarget().GetCount() == 0) return;
  // A new untitled project after the save question; Undo leads back to the one it replaced.
  doc.InsertGeneratedModel(2, dialog.GetTarget(), std::string());
}
}  // namespace

void BindModelGeneratorCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(id::kFractal, [&doc] { RunGenerator<CFractalGenDlg>(doc); }, [&doc] { return EditModeOnly(doc); });
  commands.Set(id::kMosaic, [&doc] { RunGenerator<CMosaicGenDlg>(doc, Colors(doc)); },
               [&doc] { return EditModeOnly(doc); });
  commands.Set(id::kRotation, [&doc] { RunGenerator<CRotationGenDlg>(doc, Colors(doc)); },
               [&doc] { return EditModeOnly(doc); });
}

#include "app/ExportCommands.h"

#include <utility>

#include <wx/app.h>

#include "app/CommandMap.h"
#include "dialogs/DlgAddLSynth.h"
#include "document/LSynthController.h"
#include "document/QuorvelDoc.h"

namespace {
namespace id {
constexpr int kExport = 32919;
constexpr int kLSynthAdd = 33003;
constexpr int kLSynthRun = 33002;
constexpr int kLSynthHideAll = 32999;
constexpr int kLSynthHideDefinition = 33000;
constexpr int kLSynthHideSynthesized = 33001;
constexpr int kLSynthUnhideAll = 33004;
}  // namespace id

// The chooser of Add Command: the "Add LSynth Command" dialog over the names of the [LSYNTH]
// commands; -1 when cancelled.
int ChooseLSynthCommand(const std::vector<std::string>& names) {
  CDlgAddLSynth dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, names);
  if (dialog.ShowModal() != wxID_OK) return -1;
  return dialog.m_result;
}
}  // namespace

void BindExportCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  CLSynthController::SetChooser(ChooseLSynthCommand);
  commands.Set(id::kExport, [&doc] { doc.OnFileExport(); }, [&doc] { return EnabledIf(doc.CanExport()); });
  commands.Set(id::kLSynthAdd, [&doc] { doc.OnAddLSynthCommand(); },
               [&doc] { return EnabledIf(doc.CanAddLSynthCommand()); });
  commands.Set(id::kLSynthRun, [&doc] { doc.OnRunLSynth(); }, [&doc] { return EnabledIf(doc.CanRunLSynth()); });
  auto blocks = [&doc] { return EnabledIf(doc.CanHideLSynthParts()); };
  const std::pair<int, int> hides[] = {{id::kLSynthHideAll, 3}, {id::kLSynthHideDefinition, 1},
                                       {id::kLSynthHideSynthesized, 2}, {id::kLSynthUnhideAll, 0}};
  for (auto [command, mode] : hides) commands.Set(command, [&doc, mode = mode] { doc.OnHideLSynthParts(mode); }, blocks);
}

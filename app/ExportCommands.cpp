#include "app/ExportCommands.h"

#include <utility>

#include <wx/app.h>
#include <wx/choicdlg.h>

#include "app/CommandMap.h"
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

// The chooser of Add Command: the names of the [LSYNTH] commands in a list.
int ChooseLSynthCommand(const std::vector<std::string>& names) {
  wxArrayString choices;
  for (const std::string& name : names) choices.Add(wxString::FromUTF8(name));
  return wxGetSingleChoiceIndex("Command:", "Add LSynth Command", choices, 0,
                                wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
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

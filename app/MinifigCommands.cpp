#include "app/MinifigCommands.h"

#include <wx/app.h>

#include "app/CommandMap.h"
#include "config/IniFile.h"
#include "dialogs/MinifigDlg.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kMinifigCommand = 32988;

wxWindow* Owner() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

void RunMinifig(CQuorvelDoc& doc) {
  CIniFile ini;
  CMinifigDlg dialog(Owner(), ini);
  if (dialog.ShowModal() != wxID_OK) return;
  CQvFile figure;
  // A figure of empty slots only adds nothing.
  if (dialog.GetCreator().TakeVisibleParts(figure) == 0) return;
  doc.InsertGeneratedModel(dialog.GetOutputKind(), figure, LoadResString(kStringMinifigModelName));
}
}  // namespace

void BindMinifigCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  commands.Set(
      kMinifigCommand, [&doc] { RunMinifig(doc); }, [&doc] { return EnabledIf(doc.GetEditMode() == 1); });
}

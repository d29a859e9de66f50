#include "app/GeneratorCommands.h"

#include <wx/app.h>

#include <memory>

#include "app/CommandMap.h"
#include "dialogs/ArrowGeneratorDlg.h"
#include "dialogs/HoseGeneratorDlg.h"
#include "dialogs/PlateGeneratorDlg.h"
#include "dialogs/RubberBeltDlg.h"
#include "dialogs/SpringDlg.h"
#include "document/QuorvelDoc.h"
#include "model/TlvArrow.h"
#include "model/TlvHose.h"
#include "model/TlvPlate.h"
#include "model/TlvRubberBelt.h"
#include "model/TlvSpring.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
namespace id {
constexpr int kSpring = 32990;
constexpr int kRubberBelt = 32992;
constexpr int kHose = 32994;
constexpr int kArrow = 32996;
constexpr int kPlate = 33005;
}  // namespace id

template <class Dialog, class Element>
void RunGenerator(CQuorvelDoc& doc, unsigned nameId) {
  Dialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
  if (dialog.ShowModal() != wxID_OK) return;
  if (dialog.m_output >= 3) {
    auto element = std::make_unique<Element>();
    if (element->SetFromDialog(dialog.m_params)) doc.InsertElement(std::move(element));
    return;
  }
  doc.InsertGeneratedModel(dialog.m_output, dialog.m_file, LoadResString(nameId));
}
}  // namespace

void BindGeneratorCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  auto editMode = [&doc] { return EnabledIf(doc.GetEditMode() == 1); };
  commands.Set(id::kSpring, [&doc] { RunGenerator<CSpring2datDlg, CTlvSpring>(doc, kStringNewSpringName); }, editMode);
  commands.Set(id::kRubberBelt, [&doc] { RunGenerator<CrubberbeltDlg, CTlvRubberBelt>(doc, kStringNewBeltName); },
               editMode);
  commands.Set(id::kHose, [&doc] { RunGenerator<CHoseGeneratorDlg, CTlvHose>(doc, kStringNewHoseName); }, editMode);
  commands.Set(id::kArrow, [&doc] { RunGenerator<CArrowGenerator, CTlvArrow>(doc, kStringNewArrowName); }, editMode);
  commands.Set(id::kPlate, [&doc] { RunGenerator<CPlateGenerator, CTlvPlate>(doc, kStringNewPlateName); }, editMode);
}

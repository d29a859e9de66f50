// Recolouring the selection: the colour bar's swatches and the Colour... command end here.
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"

int CQuorvelDoc::SetSelectionColor(uint32_t color, int tableChanged) {
  if (!m_activeModel) return 0;
  m_activeModel->SetColorOfSelected(color);
  SetModifiedFlag(1);
  // A changed colour table can change how every element looks, so then the views redraw all.
  UpdateAllViews(tableChanged ? HINT_FULL : HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

int CQuorvelDoc::OnEditColor() {
  if (!m_activeModel) return 0;
  ColorChoice choice;
  CQvPart* single = m_activeModel->GetSelectedCount() == 1 ? m_activeModel->GetSingleSelected() : nullptr;
  if (single && CountSelectedDrawables() == 1) choice.color = static_cast<uint32_t>(single->GetColor());
  PortResult result = m_ports->ChooseColor(choice);
  if (result == PortResult::Ok) return SetSelectionColor(choice.color, choice.tableChanged ? 1 : 0);
  if (choice.tableChanged) {
    // A replaced or redefined table is part of the model and is saved with it: without the
    // modified flag it would be lost at the next close without a question.
    SetModifiedFlag(1);
    UpdateAllViews(HINT_FULL);
  }
  return 0;
}

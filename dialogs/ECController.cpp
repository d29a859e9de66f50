#include "dialogs/ECController.h"

#include <algorithm>

CEditCheckCtrl* CECController::AttachEdit(CEditCheckCtrl* edit) {
  if (edit && std::find(m_controls.begin(), m_controls.end(), edit) == m_controls.end()) m_controls.push_back(edit);
  return edit;
}

CEditCheckCtrl* CECController::FindEdit(int controlId) const {
  for (CEditCheckCtrl* edit : m_controls)
    if (edit->GetId() == controlId) return edit;
  return nullptr;
}

void CECController::SetValid(int controlId, bool valid) {
  if (CEditCheckCtrl* edit = FindEdit(controlId)) edit->SetCondition(valid);
}

bool CECController::HasInvalid() const {
  return std::any_of(m_controls.begin(), m_controls.end(),
                     [](const CEditCheckCtrl* e) { return !e->CheckText() || !e->GetCondition(); });
}

bool CECController::ExchangeReal(CEditCheckCtrl* edit, bool save, double& value) {
  AttachEdit(edit);
  if (!save) {
    edit->SetReal(value);
    return true;
  }
  if (m_strict) return edit->ReadReal(value);
  value = edit->LenientReal();
  return true;
}

bool CECController::ExchangeInt(CEditCheckCtrl* edit, bool save, int32_t& value) {
  AttachEdit(edit);
  if (!save) {
    edit->SetInt(value);
    return true;
  }
  if (m_strict) return edit->ReadInt(value);
  value = edit->LenientInteger();
  return true;
}

#include "dialogs/WxModelDialogs.h"

#include "dialogs/DlgModelSequence.h"
#include "dialogs/DlgNewModel.h"
#include "dialogs/DlgSelModel.h"

int CWxModelDialogs::ChooseModel(const std::vector<std::string>& names, int current) {
  CDlgSelModel dialog(m_parent ? m_parent() : nullptr, names);
  dialog.m_chosenModel = current;
  return dialog.ShowModal() == wxID_OK ? dialog.m_chosenModel : 0;
}

bool CWxModelDialogs::EditSequence(const std::vector<std::string>& names, std::vector<size_t>& permutation) {
  CDlgModelSequence dialog(m_parent ? m_parent() : nullptr, names);
  if (dialog.ShowModal() != wxID_OK) return false;
  permutation = dialog.m_order;
  return true;
}

bool CWxModelDialogs::EditInfo(std::string& name, std::string& description) {
  CDlgNewModel dialog(m_parent ? m_parent() : nullptr, m_library);
  dialog.m_name = name;
  dialog.m_description = description;
  if (dialog.ShowModal() != wxID_OK) return false;
  name = dialog.m_name;
  description = dialog.m_description;
  return true;
}

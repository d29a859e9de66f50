#pragma once
// The project's model dialogs as the project asks for them: choose a model, edit the order,
// edit the active model's name and description.
#include "model/MpdFile.h"

class wxWindow;

class CWxModelDialogs : public IModelDialogs {
 public:
  // The parent is asked for at each call (the main window may come and go).
  explicit CWxModelDialogs(wxWindow* (*parent)()) : m_parent(parent) {}
  int ChooseModel(const std::vector<std::string>& names, int current) override;
  bool EditSequence(const std::vector<std::string>& names, std::vector<size_t>& permutation) override;
  bool EditInfo(std::string& name, std::string& description) override;

 private:
  wxWindow* (*m_parent)();
};

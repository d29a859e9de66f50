#pragma once
// The project's model dialogs as the project asks for them: choose a model, edit the order,
// edit the active model's name and description.
#include <functional>

#include "model/LibraryContext.h"
#include "model/MpdFile.h"

class wxWindow;

class CWxModelDialogs : public IModelDialogs {
 public:
  // The parent is asked for at each call (the main window may come and go).
  explicit CWxModelDialogs(std::function<wxWindow*()> parent, const CLibraryContext& library = ProgramLibrary())
      : m_parent(std::move(parent)), m_library(library) {}
  int ChooseModel(const std::vector<std::string>& names, int current) override;
  bool EditSequence(const std::vector<std::string>& names, std::vector<size_t>& permutation) override;
  bool EditInfo(std::string& name, std::string& description) override;

 private:
  std::function<wxWindow*()> m_parent;
  CLibraryContext m_library;
};

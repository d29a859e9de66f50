#pragma once
// "0 BACKGROUND": a picture tiled behind the step it ends when the model is shown step by step.
#include <string>

#include "model/QvPart.h"

class CQvBackgroundCmd : public CQvPart {
 public:
  CQvBackgroundCmd() : CQvPart(ElementType::Background) {}

  // The name after the keyword: in double quotes (up to the closing one or the end of the line),
  // or up to the first white space.
  int Parse(const std::string& line) override;
  int Write(CTextHandler& out) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;

  const std::string& GetFile() const { return m_file; }
  void SetFile(std::string name) { m_file = std::move(name); }

 private:
  std::string m_file;
};

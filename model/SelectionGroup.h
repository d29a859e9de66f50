#pragma once
// A named selection group ("0 GROUP"): elements that are selected together.
#include <string>

#include "model/QvPart.h"

class CSelectionGroup : public CQvPart {
 public:
  explicit CSelectionGroup(std::string name = {})
      : CQvPart(ElementType::Group), m_name(std::move(name)) {
    SetGroup(this);  // a group element belongs to itself
  }

  const std::string& GetName() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }

  int Describe(ElementDescription& out) const override {
    DescribeFlags(out);
    out.partKey = -1;
    out.text = m_name;
    return 1;
  }
  // Groups are not copied.
  std::unique_ptr<CQvPart> Clone() const override { return nullptr; }

 private:
  std::string m_name;
};

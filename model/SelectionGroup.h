#pragma once
// A named selection group ("0 GROUP"): elements of one model file that are selected, moved, hidden
// and deleted together. The group is itself an element of the list, standing after its last member;
// each member is written with a "0 TOLVO BTG <name>" line in front of it.
#include <cstdint>
#include <string>
#include <vector>

#include "model/QvPart.h"

class CSelectionGroup : public CQvPart {
 public:
  explicit CSelectionGroup(std::string name = "Group name");
  // Leaves the members alone: they may be gone already when the whole list is deleted.
  ~CSelectionGroup() override = default;

  // "<count> <name>" after the keyword; no count, or a count of 0, throws.
  int Parse(const std::string& line) override;
  // "0 GROUP <members> <name>"; nothing for a group whose members are all gone. A group read from
  // a file that never had a member here (another editor marks its members with its own meta
  // lines) is written back as it was read, so that no line read is lost.
  int Write(CTextHandler& out) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Describe(ElementDescription& out) const override;
  // Groups are not copied: copying a group copies its members, ungrouped.
  std::unique_ptr<CQvPart> Clone() const override { return nullptr; }

  // 0 for null; otherwise the element joins (its owning group becomes this one).
  int AddMember(CQvPart* element);
  // The element leaves the group (when it is a member).
  void RemoveMember(CQvPart* element);
  // Every member leaves the group (when the group is dissolved).
  void RemoveAllMembers();
  const std::vector<CQvPart*>& GetMembers() const { return m_members; }
  // Iteration in member order: position 0 is the first; null past the last.
  CQvPart* GetFirstMember(size_t& position) const;
  CQvPart* GetNextMember(size_t& position) const;

  const std::string& GetName() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }
  int32_t GetExpectedMembers() const { return m_expectedMembers; }
  // Whether Write puts out a line.
  bool WritesLine() const { return !m_members.empty() || (!m_hadMembers && !m_readLine.empty()); }

 private:
  std::vector<CQvPart*> m_members;
  int32_t m_expectedMembers = 0;
  std::string m_name;
  std::string m_readLine;     // the "0 GROUP" line as read
  bool m_hadMembers = false;  // some element joined the group
};

#include "model/SelectionGroup.h"

#include <algorithm>
#include <charconv>

#include "model/ElementEditor.h"
#include "model/LineText.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

CSelectionGroup::CSelectionGroup(std::string name) : CQvPart(ElementType::Group), m_name(std::move(name)) {
  SetGroup(this);  // a group element belongs to itself
}

int CSelectionGroup::Parse(const std::string& line) {
  std::string_view rest = TextAfterKeyword(line, "GROUP");
  size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  int32_t count = 0;
  auto [end, ec] = std::from_chars(rest.data(), rest.data() + digits, count);
  if (digits == 0 || ec != std::errc() || count <= 0) throw CParseError("GROUP: no member count");
  m_expectedMembers = count;
  m_name = std::string(SkipWhite(rest.substr(digits)));
  m_readLine = std::string(TrimWhitespace(std::string_view(line)));
  return 1;
}

int CSelectionGroup::Write(CTextHandler& out) {
  if (!WritesLine()) return 1;
  if (!CQvPart::Write(out)) return 0;
  if (m_members.empty()) return out.WriteString((ghost ? "0 GHOST " : "") + m_readLine + "\n");
  return TextHandlerPrintf(out, "0 GROUP %zu %s\n", m_members.size(), m_name.c_str());
}

int CSelectionGroup::Edit(CQvFile& owner) {
  GroupEdit data{m_name, owner.GetGroupNames(this)};
  if (!TheElementEditor().EditGroup(data)) return 0;
  m_name = std::move(data.name);
  return 1;
}

int CSelectionGroup::Describe(ElementDescription& out) const {
  DescribeFlags(out);
  out.partKey = -1;
  out.text = m_name;
  return 1;
}

int CSelectionGroup::AddMember(CQvPart* element) {
  if (!element) return 0;
  m_members.push_back(element);
  m_hadMembers = true;
  element->SetGroup(this);
  if (m_expectedMembers > 0) --m_expectedMembers;
  return 1;
}

void CSelectionGroup::RemoveMember(CQvPart* element) {
  auto it = std::find(m_members.begin(), m_members.end(), element);
  if (it == m_members.end()) return;
  m_members.erase(it);
  element->SetGroup(nullptr);
}

void CSelectionGroup::RemoveAllMembers() {
  for (CQvPart* member : m_members) member->SetGroup(nullptr);
  m_members.clear();
}

CQvPart* CSelectionGroup::GetFirstMember(size_t& position) const {
  position = 0;
  return GetNextMember(position);
}

CQvPart* CSelectionGroup::GetNextMember(size_t& position) const {
  if (position >= m_members.size()) return nullptr;
  return m_members[position++];
}

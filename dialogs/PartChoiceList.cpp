#include "dialogs/PartChoiceList.h"

#include <algorithm>
#include <cctype>

namespace {
bool LessNoCase(const char* a, const char* b) {
  a = a ? a : "";
  b = b ? b : "";
  for (;; ++a, ++b) {
    const int ca = std::tolower(static_cast<unsigned char>(*a));
    const int cb = std::tolower(static_cast<unsigned char>(*b));
    if (ca != cb || ca == 0) return ca < cb;
  }
}
}  // namespace

int& CPartChoiceList::SortColumn() {
  static int column = kByNumber;
  return column;
}

CPartChoiceList::CPartChoiceList(const CPartList& list) : m_list(list) {
  for (int category : {kLibraryParts, kLibraryModels, kDocumentModels}) {
    const unsigned count = list.GetCount(category);
    for (unsigned i = 0; i < count; ++i) m_rows.push_back(MakePartHandle(category, i));
  }
  Sort();
}

std::string CPartChoiceList::GetFileName(size_t row) const {
  const char* name = m_list.GetFileName(GetHandle(row));
  return name ? name : "";
}

std::string CPartChoiceList::GetDescription(size_t row) const {
  const char* text = m_list.GetDescription(GetHandle(row));
  return text ? text : "";
}

void CPartChoiceList::SortBy(int column) {
  SortColumn() = column == kByName ? kByName : kByNumber;
  Sort();
}

void CPartChoiceList::Sort() {
  const bool byName = SortColumn() == kByName;
  std::stable_sort(m_rows.begin(), m_rows.end(), [this, byName](PartHandle a, PartHandle b) {
    return byName ? LessNoCase(m_list.GetDescription(a), m_list.GetDescription(b))
                  : LessNoCase(m_list.GetFileName(a), m_list.GetFileName(b));
  });
}

size_t CPartChoiceList::FindRow(PartHandle handle) const {
  if (m_rows.empty()) return kNoRow;
  const auto found = handle ? std::find(m_rows.begin(), m_rows.end(), handle) : m_rows.end();
  return found == m_rows.end() ? 0 : static_cast<size_t>(found - m_rows.begin());
}

std::optional<PartHandle> CPartChoiceList::Chosen(bool custom, size_t selectedRow) const {
  if (custom || selectedRow >= m_rows.size()) return std::nullopt;
  return m_rows[selectedRow];
}

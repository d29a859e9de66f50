// The entries of the part list: handles, look-up by name, document models, extra files and the
// usage counters of parts lists. Parts.lst and scanning are in PartListFile.cpp, groups and
// favourites in PartListGroups.cpp.
#include "config/PartList.h"

#include <algorithm>
#include <new>

#include "config/StringUtils.h"

CPartList thePartList;

namespace {
constexpr int kSearchOrder[4] = {kDocumentModels, kExtraFiles, kLibraryParts, kLibraryModels};
constexpr uint64_t UsageKey(int category, uint64_t counter) {
  return (static_cast<uint64_t>(category) << 40) | counter;
}
}  // namespace

CPartList::CPartList() = default;
CPartList::~CPartList() { Clear(); }

void CPartList::Clear() {
  for (Category& c : m_cat) {
    c.entries.clear();
    c.count = 0;
    c.byName.clear();
  }
  m_documentCapacity = 0;
  m_usage.clear();
  std::fill(std::begin(m_hasUsage), std::end(m_hasUsage), false);
  std::fill(std::begin(m_usageRows), std::end(m_usageRows), 0u);
  m_groups.clear();
  m_members.clear();
}

unsigned CPartList::GetCount(int category) const {
  if (category >= 0 && category <= 3) return m_cat[category].count;
  return m_cat[0].count + m_cat[1].count + m_cat[2].count;
}

int CPartList::GetCategory(PartHandle handle) {
  return handle >= 0xA0000000u ? 4 : static_cast<int>(handle >> kCategoryShift);
}

const PartListEntry* CPartList::GetEntry(PartHandle handle) const {
  int category = GetCategory(handle);
  uint32_t index = handle & kIndexMask;
  if (handle == 0 || index == 0 || category > 3 || index > m_cat[category].count) return nullptr;
  return m_cat[category].entries[index - 1].get();  // an unfilled document slot is null
}

const char* CPartList::GetFileName(PartHandle handle) const {
  const PartListEntry* e = GetEntry(handle);
  return e ? e->fileName.c_str() : nullptr;
}

const char* CPartList::GetDescription(PartHandle handle) const {
  const PartListEntry* e = GetEntry(handle);
  return e ? e->description.c_str() : nullptr;
}

PartHandle CPartList::FindByName(std::string_view fileName, int category) const {
  std::string key = ToLowerAscii(fileName);
  auto findIn = [&](int c) -> PartHandle {
    const Category& cat = m_cat[c];
    auto it = cat.byName.find(key);
    if (it == cat.byName.end()) return 0;
    for (uint32_t index : it->second)
      if (index < cat.count && cat.entries[index]) return MakePartHandle(c, index);
    return 0;
  };
  if (category >= 0 && category <= 3) return findIn(category);
  if (category != kAllCategories) return 0;
  for (int c : kSearchOrder)
    if (PartHandle h = findIn(c)) return h;
  return 0;
}

void CPartList::IndexEntry(int category, uint32_t index) {
  Category& cat = m_cat[category];
  std::vector<uint32_t>& slots = cat.byName[ToLowerAscii(cat.entries[index]->fileName)];
  slots.insert(std::upper_bound(slots.begin(), slots.end(), index), index);
}

void CPartList::RebuildIndex(int category) {
  Category& cat = m_cat[category];
  cat.byName.clear();
  cat.byName.reserve(cat.entries.size());
  for (uint32_t i = 0; i < cat.entries.size(); ++i)
    if (cat.entries[i]) cat.byName[ToLowerAscii(cat.entries[i]->fileName)].push_back(i);
}

// A stable sort keeps the file order among equal descriptions; std::string compares bytes as
// unsigned values, which is the byte-wise order the list is shown in.
void CPartList::SortByDescription(int category) {
  for (int c = 0; c < 4; ++c) {
    if (category != kAllCategories && category != c) continue;
    Category& cat = m_cat[c];
    auto end = cat.entries.begin() + cat.count;
    std::stable_sort(cat.entries.begin(), end, [](const auto& a, const auto& b) {
      if (!a || !b) return a && !b;  // empty document slots go last
      return a->description < b->description;
    });
    RebuildIndex(c);
  }
}

// --- document sub-models

int CPartList::ReserveDocumentModels(unsigned n) {
  if (n == 0) return 0;
  ClearDocumentModels();
  try {
    m_cat[kDocumentModels].entries.resize(n);  // empty slots until registered
  } catch (const std::bad_alloc&) {
    return 0;
  }
  m_documentCapacity = n;
  return 1;
}

PartHandle CPartList::AddDocumentModel(unsigned index, const char* fileName, const char* description) {
  if (m_documentCapacity == 0 || index >= m_documentCapacity || !fileName || !description) return 0;
  Category& cat = m_cat[kDocumentModels];
  // A replaced slot drops its old name from the index; the new name is added to it, so that
  // registering many models stays linear.
  if (const auto& old = cat.entries[index]) {
    auto it = cat.byName.find(ToLowerAscii(old->fileName));
    if (it != cat.byName.end()) {
      std::erase(it->second, index);
      if (it->second.empty()) cat.byName.erase(it);
    }
  }
  cat.entries[index] = std::make_unique<PartListEntry>(PartListEntry{fileName, description, 0});
  cat.count = index + 1;
  IndexEntry(kDocumentModels, index);
  PartHandle handle = MakePartHandle(kDocumentModels, index);
  if (!m_members.empty()) m_members.back().push_back(handle);
  return handle;
}

void CPartList::ClearDocumentModels() {
  Category& cat = m_cat[kDocumentModels];
  cat.entries.clear();
  cat.byName.clear();
  cat.count = 0;
  m_documentCapacity = 0;
  if (!m_members.empty()) m_members.back().clear();
}

PartHandle CPartList::AddExtraEntry(const std::string& fileName) {
  Category& cat = m_cat[kExtraFiles];
  try {
    if (cat.entries.size() == cat.entries.capacity()) cat.entries.reserve(cat.entries.size() + 100);
    cat.entries.push_back(std::make_unique<PartListEntry>(PartListEntry{fileName, {}, 0}));
    cat.count = static_cast<unsigned>(cat.entries.size());
    IndexEntry(kExtraFiles, cat.count - 1);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return MakePartHandle(kExtraFiles, cat.count - 1);
}

// --- usage counters
// Only non-zero counters are kept; an ordered map walks them in the order of the full tables
// (category, then row, then column) without allocating count x 513 counters per category.

void CPartList::ResetUsage() {
  m_usage.clear();
  for (int c = 0; c < 4; ++c) {
    m_hasUsage[c] = true;
    m_usageRows[c] = m_cat[c].count + 1;
  }
}

void CPartList::DropUsage(int category) {
  m_usage.erase(m_usage.lower_bound(UsageKey(category, 0)), m_usage.lower_bound(UsageKey(category + 1, 0)));
  m_hasUsage[category] = false;
  m_usageRows[category] = 0;
}

void CPartList::CountUsage(std::string_view fileName, uint32_t colour) {
  PartHandle h = FindByName(fileName, kAllCategories);
  int category = h ? GetCategory(h) : kLibraryParts;
  if (!m_hasUsage[category]) return;
  uint32_t row = h ? (h & kIndexMask) - 1 : m_usageRows[kLibraryParts] - 1;  // else: unlisted row
  if (row >= m_usageRows[category] - (h ? 1 : 0)) return;                    // entry added after the reset
  uint64_t column = colour < 512 ? colour : 512;
  ++m_usage[UsageKey(category, uint64_t{row} * kUsageColumns + column)];
}

int CPartList::NextUsage(uint32_t& iterator, PartHandle& handle, uint32_t& count, uint32_t& colour) const {
  uint32_t category = iterator >> kCategoryShift;
  uint32_t low = iterator & kIndexMask;
  uint64_t counter = low == 0 ? 0 : low - 1;
  if (category > 3) return 0;
  auto it = m_usage.lower_bound(UsageKey(static_cast<int>(category), counter));
  if (it == m_usage.end()) return 0;
  int c = static_cast<int>(it->first >> 40);
  uint64_t index = it->first & ((uint64_t{1} << 40) - 1);
  uint32_t row = static_cast<uint32_t>(index / kUsageColumns);
  handle = MakePartHandle(c, row);
  count = it->second;
  colour = static_cast<uint32_t>(index % kUsageColumns);
  uint64_t next = index + 2;  // the position after this counter, plus one
  iterator = next > kIndexMask ? static_cast<uint32_t>(c + 1) << kCategoryShift
                               : (static_cast<uint32_t>(c) << kCategoryShift) | static_cast<uint32_t>(next);
  return 1;
}

int CPartList::HasUsage(uint32_t iterator) const {
  uint32_t dummyHandle = 0, count = 0, colour = 0;
  return NextUsage(iterator, dummyHandle, count, colour);
}

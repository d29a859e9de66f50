// Part groups, favourites and the part search of the part list. Group definitions and favourites
// live in the profile sections "GroupDefs" and "Favorites"; older installations kept them in the
// files Plandor.grp and Tlv_Favorites.txt of the program folder, which are imported once.
#include <algorithm>
#include <cstdio>
#include <new>

#include "config/PartList.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "platform/Folders.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace {

constexpr const char* kGroupSection = "GroupDefs";
constexpr const char* kFavoritesSection = "Favorites";
constexpr const char* kCountKey = "NumEntries";
// A count outside this range is damaged data, not a real configuration.
constexpr int kMaxProfileEntries = 10000;

struct DefaultGroup {
  const char* name;
  const char* rule;
};
constexpr DefaultGroup kDefaultGroups[] = {
    {"Zeb Axles & Spacers", "<Zeb &-Zgr1-"},
    {"Zeb Beams & Plates", "<Zeb &-Zgr2-"},
    {"Zeb Connectors", "<Zeb &-Zgr4-"},
    {"Zeb Control System", "<Zeb &-Zgr7-"},
    {"Zeb Gears & Motion", "<Zeb &-Zgr6-"},
    {"Zeb Panels & Special Beams", "<Zeb &-Zgr9-"},
    {"Zeb Pins & Standoffs", "<Zeb &-Zgr3-"},
    {"Zeb Wheels & Tires", "<Zeb &-Zgr5-"},
    {"Zeb Misc", "<Zeb &-Zgr8-"},
};

PartGroup MakeGroup(std::string name, std::string rule, int fixed) {
  PartGroup g;
  g.name = std::move(name);
  g.rule = std::move(rule);
  g.fixed = fixed;
  return g;
}

// Lines of a small text file, ends of line removed; false when it cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string line;
  int c;
  bool pending = false;
  while ((c = std::getc(f)) != EOF) {
    pending = true;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      pending = false;
    } else {
      line += static_cast<char>(c);
    }
  }
  if (pending) lines.push_back(line);
  std::fclose(f);
  return true;
}

}  // namespace

std::string CPartList::FindImportFile(const std::string& name) const {
  if (m_places.importFolder.empty()) return FindProgramFile(name);
  std::string folder = m_places.importFolder;
  if (folder.back() != '/') folder += '/';
  return FileExists(folder + name) ? folder + name : std::string();
}

// 1 imported, 0 no usable file (missing, or no count line), -1 the file is damaged.
int CPartList::ImportGroupFile(std::vector<PartGroup>& groups) {
  std::string path = FindImportFile("Plandor.grp");
  std::vector<std::string> lines;
  if (path.empty() || !ReadLines(path, lines) || lines.size() < 2) return 0;
  std::string countText = lines[1];
  TrimString(countText);
  int32_t n = 0;
  if (!ParseInt32(countText, n) || n <= 0 || n > kMaxProfileEntries) return -1;
  if (lines.size() < 2 + 2 * static_cast<size_t>(n)) return -1;
  for (int i = 0; i < n; ++i) {
    std::string name = lines[2 + 2 * i], rule = lines[3 + 2 * i];
    if (TrimString(name) == 0 || TrimString(rule) == 0) return -1;
    groups.push_back(MakeGroup(std::move(name), std::move(rule), 0));
  }
  return 1;
}

int CPartList::LoadGroupInfos() {
  CProfile& profile = TheProfile();
  int n = profile.GetProfileInt(kGroupSection, kCountKey, -1);
  std::vector<PartGroup> groups;
  bool useDefaults = false;
  try {
    if (n == -1) {
      int rc = ImportGroupFile(groups);
      if (rc == 1) {
        theTracer.Printf(
            "INFO: LoadGroupInfos: Importing tolvo.grp to registry, will not be used anymore in the "
            "future.\n");
      } else {
        if (rc < 0) theTracer.Printf("ERROR: LoadGroupInfos: Failed reading infos!\n");
        theTracer.Printf("INFO: LoadGroupInfos: Creating default groups.\n");
        useDefaults = true;
      }
    } else if (n < 0 || n > kMaxProfileEntries) {
      theTracer.Printf("ERROR: LoadGroupInfos: Invalid configuration found!\n");
      useDefaults = true;
    } else {
      for (int i = 1; i <= n && !useDefaults; ++i) {
        std::string name = profile.GetProfileString(kGroupSection, StrPrintf("GroupName%d", i), "");
        std::string rule = profile.GetProfileString(kGroupSection, StrPrintf("GroupRule%d", i), "");
        if (TrimString(name) == 0 || TrimString(rule) == 0) {
          theTracer.Printf("ERROR: LoadGroupInfos: Invalid configuration found!\n");
          useDefaults = true;
        } else {
          groups.push_back(MakeGroup(std::move(name), std::move(rule), 0));
        }
      }
    }
  } catch (const std::bad_alloc&) {
    theTracer.Printf("ERROR: LoadGroupInfos: Failed to allocate memory!\n");
    useDefaults = true;
  }
  if (useDefaults) {
    AddDefaultGroups();
  } else {
    m_groups = std::move(groups);
    AddFixedGroups();
  }
  if (n == -1) SaveGroupInfos();  // the first run keeps its groups in the profile from now on
  return 1;
}

int CPartList::SaveGroupInfos() {
  CProfile& profile = TheProfile();
  int user = static_cast<int>(
      std::count_if(m_groups.begin(), m_groups.end(), [](const PartGroup& g) { return !g.fixed; }));
  if (!profile.WriteProfileInt(kGroupSection, kCountKey, user)) {
    theTracer.Printf("ERROR: SaveGroupInfos: Failed writing infos!\n");
    return 0;
  }
  bool ok = true;
  int i = 0;
  for (const PartGroup& g : m_groups) {
    if (g.fixed) continue;
    ++i;
    ok = profile.WriteProfileString(kGroupSection, StrPrintf("GroupName%d", i), g.name) && ok;
    ok = profile.WriteProfileString(kGroupSection, StrPrintf("GroupRule%d", i), g.rule) && ok;
  }
  ok = profile.Flush() && ok;
  if (!ok) theTracer.Printf("ERROR: SaveGroupInfos: Failed writing infos!\n");
  return ok ? 1 : 0;
}

void CPartList::AddDefaultGroups() {
  try {
    m_groups.clear();
    m_groups.reserve(std::size(kDefaultGroups) + kFixedGroupCount);
    for (const DefaultGroup& d : kDefaultGroups) m_groups.push_back(MakeGroup(d.name, d.rule, 0));
  } catch (const std::bad_alloc&) {
    theTracer.Fatal("PartList", "AddDefaultGroups", "Out of memory!\n");
  }
  AddFixedGroups();
}

void CPartList::AddFixedGroups() {
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    m_groups.push_back(MakeGroup(std::string("Other Parts\\") + letter, std::string("<") + letter, 1));
  m_groups.push_back(MakeGroup("Other Parts\\Others", "<", 1));
  for (const char* name : {"Models", "Favorites", "Document"}) m_groups.push_back(MakeGroup(name, "", 1));
}

// Every matching user group takes a part; a fixed letter group takes it only when no group has,
// and the walk stops there, so each part shows up in "Other Parts" at most once.
void CPartList::BuildGroups() {
  size_t count = m_groups.size();
  m_members.assign(count, {});
  if (count < 3) return;
  size_t filed = count - 3;  // groups that file library parts by their rule
  std::vector<bool> usable(filed, false);
  for (size_t g = 0; g < filed; ++g) {
    usable[g] = m_groups[g].search.SetExpression(m_groups[g].rule) == CSearchString::kOk;
    if (!usable[g])
      theTracer.Printf("WARNING: Can't create formula for group '%s' with rule '%s'!\n",
                       m_groups[g].name.c_str(), m_groups[g].rule.c_str());
  }
  const Category& parts = m_cat[kLibraryParts];
  // Each description is folded once for all the groups' rules.
  std::string folded;
  for (uint32_t i = 0; i < parts.count; ++i) {
    PartListEntry* e = parts.entries[i].get();
    if (!e) continue;
    e->flags &= ~PartListEntry::kInGroup;
    CSearchString::FoldText(e->description, folded);
    bool joined = false;
    for (size_t g = 0; g < filed; ++g) {
      const PartGroup& group = m_groups[g];
      if (group.fixed && joined) break;
      if (!usable[g] || group.search.EvaluateFolded(folded) != CSearchString::kMatch) continue;
      m_members[g].push_back(MakePartHandle(kLibraryParts, i));
      e->flags |= PartListEntry::kInGroup;
      joined = true;
      if (group.fixed) break;
    }
  }
  for (uint32_t i = 0; i < m_cat[kLibraryModels].count; ++i)
    m_members[count - 3].push_back(MakePartHandle(kLibraryModels, i));
  LoadFavorites(false);
  for (uint32_t i = 0; i < m_cat[kDocumentModels].count; ++i)
    if (m_cat[kDocumentModels].entries[i]) m_members[count - 1].push_back(MakePartHandle(kDocumentModels, i));
}

int CPartList::SetGroups(const std::vector<std::pair<std::string, std::string>>& groups) {
  m_groups.clear();
  for (const auto& [name, rule] : groups) m_groups.push_back(MakeGroup(name, rule, 0));
  AddFixedGroups();
  BuildGroups();
  return SaveGroupInfos();
}

int CPartList::ResetGroups() {
  AddDefaultGroups();
  BuildGroups();
  return SaveGroupInfos();
}

const std::vector<PartHandle>* CPartList::GetGroupMembers(unsigned i) const {
  return i < m_members.size() ? &m_members[i] : nullptr;
}

// --- favourites

std::vector<PartHandle>* CPartList::Favorites() {
  return m_members.size() >= 3 ? &m_members[m_members.size() - 2] : nullptr;
}

void CPartList::ImportFavoritesFile() {
  std::string path = FindImportFile("Tlv_Favorites.txt");
  std::vector<std::string> lines;
  if (path.empty() || !ReadLines(path, lines)) return;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string name = lines[i];
    if (TrimString(name) == 0) continue;
    if (PartHandle h = FindByName(name, kAllCategories)) Favorites()->push_back(h);
  }
}

int CPartList::LoadFavorites(bool save) {
  std::vector<PartHandle>* favorites = Favorites();
  if (!favorites) return 0;
  CProfile& profile = TheProfile();
  if (save) {
    if (!profile.WriteProfileInt(kFavoritesSection, kCountKey, static_cast<int>(favorites->size()))) {
      theTracer.Printf("ERROR: Couldn't write number of favorites to registry!\n");
      return 0;
    }
    bool ok = true;
    unsigned long number = 0;
    for (PartHandle h : *favorites) {
      ++number;
      const char* name = GetFileName(h);
      if (!profile.WriteProfileString(kFavoritesSection, StrPrintf("Entry%lu", number), name ? name : "")) {
        theTracer.Printf("ERROR: Couldn't write entry %lu (%s) of favorites to registry!\n", number,
                         name ? name : "");
        ok = false;
      }
    }
    return profile.Flush() && ok ? 1 : 0;
  }
  favorites->clear();
  int n = profile.GetProfileInt(kFavoritesSection, kCountKey, -1);
  if (n == -1) {
    theTracer.Printf("INFO: Trying to import favorites from file!\n");
    ImportFavoritesFile();
    return LoadFavorites(true);
  }
  if (n < 0 || n > kMaxProfileEntries) return 0;
  for (int i = 1; i <= n; ++i) {
    std::string name = profile.GetProfileString(kFavoritesSection, StrPrintf("Entry%d", i), "");
    if (TrimString(name) == 0) continue;
    if (PartHandle h = FindByName(name, kAllCategories)) favorites->push_back(h);
  }
  return 1;
}

const std::vector<PartHandle>* CPartList::SetFavorite(PartHandle handle, bool remove) {
  std::vector<PartHandle>* favorites = Favorites();
  if (!favorites || handle == 0) return favorites;
  auto same = std::find(favorites->begin(), favorites->end(), handle);
  if (remove) {
    if (same == favorites->end()) return favorites;
    favorites->erase(same);
  } else {
    if (same != favorites->end()) return favorites;  // already a favourite: no second copy
    favorites->insert(std::upper_bound(favorites->begin(), favorites->end(), handle), handle);
  }
  LoadFavorites(true);
  return favorites;
}

// --- part search

PartHandle CPartList::FindNext(const std::string& expression, bool byFileName, PartHandle start,
                               bool ignoreCase, int* error) const {
  CSearchString search;
  int rc = search.SetExpression(expression);
  if (error) *error = rc;
  if (rc != CSearchString::kOk) return 0;
  int category = 0;
  uint32_t index = 0;  // the first index to test
  if (start != 0) {
    category = GetCategory(start);
    if (category > 2) return 0;
    index = start & kIndexMask;  // the entry after the start
  }
  for (; category <= 2; ++category, index = 0) {
    const Category& cat = m_cat[category];
    for (; index < cat.count; ++index) {
      const PartListEntry* e = cat.entries[index].get();
      if (!e) continue;
      const std::string& text = byFileName ? e->fileName : e->description;
      if (search.Evaluate(text, ignoreCase) == CSearchString::kMatch) return MakePartHandle(category, index);
    }
  }
  return 0;
}

#pragma once
// The index of everything the user can insert: library parts, the library's models, the sub-models
// of the open document and files loaded from elsewhere, with descriptions, the part list file
// Parts.lst that caches a library scan, part groups and favourites, and per-colour usage counters.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "config/PartGroup.h"

// Names one entry in one word: bits 29-31 the category, bits 0-28 the index in it plus one; 0 = none.
using PartHandle = uint32_t;

enum PartCategory : int {
  kLibraryParts = 0,    // from Parts.lst and the parts scan
  kLibraryModels = 1,   // found in the model folders
  kDocumentModels = 2,  // sub-models of the open document
  kExtraFiles = 3,      // sub-files the file cache loaded that are in no list
  kAllCategories = 4,
};
inline constexpr int kCategoryShift = 29;
inline constexpr PartHandle kIndexMask = 0x1FFFFFFF;
inline constexpr PartHandle MakePartHandle(int category, uint32_t index) {
  return (static_cast<PartHandle>(category) << kCategoryShift) | (index + 1);
}

struct PartListEntry {
  static constexpr int kSeen = 2;     // found on disk by the current scan; only these go to Parts.lst
  static constexpr int kInGroup = 4;  // filed in some group
  std::string fileName;
  std::string description;
  int flags = 0;
};

// Where the part list file and the one-time import files are looked for. Empty members take the
// program's defaults: the per-user config folder, IsWritableDirectory, FindProgramFile.
struct PartListPlaces {
  std::string userFolder;
  std::function<bool(const std::string&)> isWritable;
  std::string importFolder;
};

// The file operations of SavePartsList, replaceable so that tests can make each of them fail.
class CPartListFileOps {
 public:
  virtual ~CPartListFileOps() = default;
  // Copies a file over another; false on failure.
  virtual bool CopyFile(const std::string& from, const std::string& to);
  // Writes the whole file through a checked temporary file; false (target untouched) on failure.
  virtual bool WriteFile(const std::string& target, const std::string& bytes);
};

// How a folder handed to ScanDirectory is meant.
enum class ScanFolderKind { BaseRelative, Absolute };

class CPartList {
 public:
  static constexpr const char* kListFileName = "Parts.lst";
  static constexpr const char* kOldListFileName = "Parts.old";
  static constexpr size_t kDescriptionWidth = 64;
  static constexpr size_t kNameWidth = 14;
  static constexpr int kFixedGroupCount = 30;
  static constexpr uint32_t kUsageColumns = 513;  // colours 0-511, then every larger number

  CPartList();
  virtual ~CPartList();
  CPartList(const CPartList&) = delete;
  CPartList& operator=(const CPartList&) = delete;

  void SetPlaces(PartListPlaces places) { m_places = std::move(places); }
  // Null restores the real file operations.
  void SetFileOps(CPartListFileOps* ops) { m_ops = ops; }

  // --- entries
  // Count of category 0-3; any other value counts categories 0, 1 and 2 together.
  unsigned GetCount(int category) const;
  static int GetCategory(PartHandle handle);
  const PartListEntry* GetEntry(PartHandle handle) const;
  const char* GetFileName(PartHandle handle) const;
  const char* GetDescription(PartHandle handle) const;
  // The first entry of that name without regard to case; category 4 searches 2, 3, 0, 1.
  PartHandle FindByName(std::string_view fileName, int category = kAllCategories) const;
  // Frees everything: entries, usage counters, groups.
  void Clear();

  // --- Parts.lst
  // Clears the list, loads the groups and reads the list file of the library; 1 when read, 0 when
  // it cannot be opened. Read from the per-user folder when the library folder is not writable
  // and a list was written there.
  int LoadPartsList(const std::string& base, const std::string& name = kListFileName);
  // The same, reading the list from an explicit path.
  int LoadPartsListFrom(const std::string& path);
  // Writes the part list file of the library (or the per-user folder when the library folder is
  // not writable); throws CLdrException.
  void SavePartsList(const std::string& base);
  void SavePartsListTo(const std::string& folder);
  // The folder the part list of this library is written to or read from.
  std::string GetPartsListFolder(const std::string& base, bool forWriting) const;
  // The text of Parts.lst for the current list.
  std::string FormatPartsList() const;

  // --- scanning
  // Scans the .dat files (models: .dat, then .ldr) of a folder into category 0 (models: 1).
  // 1 when scanned, 0 for a missing folder name or lack of memory. `changed` tells whether new
  // or changed entries were added.
  int ScanDirectory(const std::string& base, const std::string& folder, bool models, int& changed,
                    ScanFolderKind kind = ScanFolderKind::BaseRelative);
  // The description of a library file from its first line; 0 when it cannot be opened.
  static int ReadDescription(const std::string& folder, const std::string& fileName,
                             std::string& description);
  // Stable sort by description (byte-wise); category 4 sorts all four.
  void SortByDescription(int category);

  // --- document sub-models and extra files
  int ReserveDocumentModels(unsigned n);
  PartHandle AddDocumentModel(unsigned index, const char* fileName, const char* description);
  void ClearDocumentModels();
  PartHandle AddExtraEntry(const std::string& fileName);

  // --- usage counters for parts lists
  void ResetUsage();
  void CountUsage(std::string_view fileName, uint32_t colour);
  int NextUsage(uint32_t& iterator, PartHandle& handle, uint32_t& count, uint32_t& colour) const;
  int HasUsage(uint32_t iterator) const;

  // --- groups and favourites
  int LoadGroupInfos();
  int SaveGroupInfos();
  void AddDefaultGroups();
  void AddFixedGroups();
  void BuildGroups();
  int SetGroups(const std::vector<std::pair<std::string, std::string>>& groups);
  int ResetGroups();
  unsigned GetGroupCount() const { return static_cast<unsigned>(m_groups.size()); }
  const PartGroup* GetGroup(unsigned i) const { return i < m_groups.size() ? &m_groups[i] : nullptr; }
  const std::vector<PartHandle>* GetGroupMembers(unsigned i) const;
  // save = false reads the favourites from the profile, true writes them; 1 on success.
  int LoadFavorites(bool save);
  // Adds or removes a favourite and saves; handle 0 only asks. Returns the favourites.
  const std::vector<PartHandle>* SetFavorite(PartHandle handle, bool remove);
  // The next entry after `start` (categories 0, 1, 2 in order) whose file name or description
  // matches the expression; 0 when none or when the expression is invalid (error set then).
  PartHandle FindNext(const std::string& expression, bool byFileName, PartHandle start, bool ignoreCase,
                      int* error = nullptr) const;

 private:
  using EntryArray = std::vector<std::unique_ptr<PartListEntry>>;
  struct Category {
    EntryArray entries;  // in handle order; slots of category 2 may be empty
    unsigned count = 0;
    // lower-case name -> indexes of the entries with that name, ascending
    std::unordered_map<std::string, std::vector<uint32_t>> byName;
  };

  void RebuildIndex(int category);
  void IndexEntry(int category, uint32_t index);
  void AppendStaged(int category, std::vector<std::unique_ptr<PartListEntry>>& staged);
  bool ScanPattern(const std::string& folder, const std::vector<std::string>& names, int category,
                   int& changed);
  void DropUsage(int category);
  int ImportGroupFile(std::vector<PartGroup>& groups);
  void ImportFavoritesFile();
  std::string FindImportFile(const std::string& name) const;
  std::vector<PartHandle>* Favorites();

  Category m_cat[4];
  unsigned m_documentCapacity = 0;

  // Usage counters, sparse: key = category << 40 | (row * 513 + column).
  std::map<uint64_t, uint32_t> m_usage;
  bool m_hasUsage[4] = {false, false, false, false};
  uint32_t m_usageRows[4] = {0, 0, 0, 0};

  std::vector<PartGroup> m_groups;
  std::vector<std::vector<PartHandle>> m_members;

  PartListPlaces m_places;
  CPartListFileOps* m_ops = nullptr;
};

extern CPartList thePartList;

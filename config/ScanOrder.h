#pragma once
// The ordered list of folders in which sub-files of models are looked for, and which of them are
// scanned into the part list. Read from the [SCAN_ORDER] section of the ini file.
#include <cstdint>
#include <string>
#include <vector>

class CIniFile;
class CPartList;

class CScanOrder {
 public:
  static constexpr uint32_t kShow = 1;           // scanned into the part list (else only searched)
  static constexpr uint32_t kAbsolute = 2;       // the path is absolute
  static constexpr uint32_t kModelRelative = 4;  // relative to the folder of the model being read
  // Neither kAbsolute nor kModelRelative: relative to the library base folder.

  // Reads the scan order from the program's ini file (or the given one); `base` is the library
  // base folder the base-relative entries are checked against. Returns 1.
  int LoadFromIni(const std::string& base, const std::string& iniPath = {});
  int LoadFromIni(const std::string& base, CIniFile& ini);
  void SetDefault();
  // Makes sure the library's P, Parts and Models folders are present, with their usual flags.
  void EnsureMandatory();
  // Whether the folder of an entry exists; model-relative entries always pass.
  int CheckPath(const std::string& base, const std::string& path, uint32_t flags) const;

  int GetCount() const { return static_cast<int>(m_paths.size()); }
  const char* GetPath(int i) const;
  uint32_t GetFlags(int i) const;
  // Appends an entry as it is (the ini reader and tests).
  void Add(const std::string& path, uint32_t flags);

  // Scans every SHOW folder into the list; 1 when any scan changed it. Model-relative folders are
  // scanned below `modelFolder`, and skipped when there is no model.
  int ScanShownDirs(CPartList& list, const std::string& base, const std::string& modelFolder = {}) const;
  int ScanShownDirs(const std::string& base) const;

 private:
  std::vector<std::string> m_paths;
  std::vector<uint32_t> m_flags;
};

extern CScanOrder theScanOrder;
